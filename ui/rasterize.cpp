// Build step: draws a picture at 100% scale into raw premultiplied ARGB32
// pixels, as a stretched picture control of that size draws it, so that the
// first frame can show them without parsing or drawing any SVG.
//
//   quorvel-rasterize picture.svg width height out.raw
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: quorvel-rasterize picture.svg width height out.raw\n");
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    QImage image(QString::fromLocal8Bit(argv[2]).toInt(), QString::fromLocal8Bit(argv[3]).toInt(),
                 QImage::Format_ARGB32_Premultiplied);
    if (!renderer.isValid() || image.isNull()) {
        std::fprintf(stderr, "quorvel-rasterize: cannot draw %s\n", argv[1]);
        return 1;
    }
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(image.rect()));
    painter.end();
    QFile out(QString::fromLocal8Bit(argv[4]));
    const auto bytes = qint64(image.sizeInBytes());
    if (!out.open(QIODevice::WriteOnly) || out.write(reinterpret_cast<const char*>(image.constBits()), bytes) != bytes) {
        std::fprintf(stderr, "quorvel-rasterize: cannot write %s\n", argv[4]);
        return 1;
    }
    return 0;
}
