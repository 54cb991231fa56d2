#include "window_region.h"

namespace quorvel::app {

std::vector<QRect> WindowRegionRuns(const QImage& picture)
{
    std::vector<QRect> runs;
    if (picture.isNull())
        return runs;

    // Compare whole 32-bit pixels, as the platform's pixel read would; reading
    // scan lines keeps the 430 x 430 scan well under a millisecond.
    const QImage pixels = picture.format() == QImage::Format_RGB32 ||
                                  picture.format() == QImage::Format_ARGB32 ||
                                  picture.format() == QImage::Format_ARGB32_Premultiplied
                              ? picture
                              : picture.convertToFormat(QImage::Format_ARGB32);
    const int width = pixels.width();
    const int height = pixels.height();
    const auto* firstRow = reinterpret_cast<const quint32*>(pixels.constScanLine(0));
    const quint32 key = firstRow[0];

    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const quint32*>(pixels.constScanLine(y));
        int start = -1;
        for (int x = 0; x < width; ++x) {
            const bool opaque = row[x] != key;
            if (opaque && start < 0) {
                start = x;
            } else if (!opaque && start >= 0) {
                runs.emplace_back(QPoint(start, y), QPoint(x - 1, y));
                start = -1;
            }
        }
        if (start >= 0)
            runs.emplace_back(QPoint(start, y), QPoint(width - 1, y));
    }
    return runs;
}

QRegion BuildWindowRegion(const QImage& picture)
{
    const std::vector<QRect> runs = WindowRegionRuns(picture);
    QRegion region;
    // The runs come y-x sorted, one row high, never touching side by side:
    // exactly the banded form setRects takes without merging them one by one.
    if (!runs.empty())
        region.setRects(runs.data(), static_cast<int>(runs.size()));
    return region;
}

}  // namespace quorvel::app
