// The window's shape, taken from the drawn skin: every pixel whose colour
// differs from the top-left pixel belongs to the window.
#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>

#include <vector>

namespace quorvel::app {

// The opaque runs of `picture`, row by row from the top, left to right within
// a row, each one pixel high. A run never reaches into the next row.
std::vector<QRect> WindowRegionRuns(const QImage& picture);

// The union of WindowRegionRuns; an empty region ("none") when the picture
// has no opaque pixel.
QRegion BuildWindowRegion(const QImage& picture);

}  // namespace quorvel::app
