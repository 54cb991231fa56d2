// The window's shape, taken from the drawn skin: every pixel whose colour
// differs from the top-left pixel belongs to the window.
#pragma once

#include <QImage>
#include <QRect>
#include <QRegion>

#include <vector>

class QWidget;

namespace quorvel::app {

// The opaque runs of `picture`, row by row from the top, left to right within
// a row, each one pixel high. A run never reaches into the next row.
std::vector<QRect> WindowRegionRuns(const QImage& picture);

// The union of WindowRegionRuns; an empty region ("none") when the picture
// has no opaque pixel.
QRegion BuildWindowRegion(const QImage& picture);

// Whether a compositor draws the desktop: always on Wayland, and on X when a
// compositing manager owns the selection _NET_WM_CM_S0.
bool CompositedDesktop();

// Shapes `window`, before it is shown. Where a compositor draws the desktop
// the window becomes translucent and `shape` only takes its input, so that
// what it paints can have a soft edge: returns true. Elsewhere `shape` cuts
// the window, pixel by pixel: returns false.
bool ShapeWindow(QWidget* window, const QRegion& shape);

}  // namespace quorvel::app
