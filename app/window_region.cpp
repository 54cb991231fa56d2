#include "window_region.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QWidget>

#if defined(QUORVEL_X11) && defined(Q_OS_UNIX)
#include <xcb/shape.h>
#include <xcb/xcb.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#endif

namespace quorvel::app {
namespace {

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

#if defined(QUORVEL_X11) && defined(Q_OS_UNIX)
xcb_connection_t* X11Connection()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

template <class Reply>
using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

bool X11Composited(xcb_connection_t* connection)
{
    // Screen 0's: Quorvel opens on the default screen.
    static constexpr char kSelection[] = "_NET_WM_CM_S0";
    const XcbReply<xcb_intern_atom_reply_t> atom(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 1, sizeof kSelection - 1, kSelection), nullptr),
        &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    const XcbReply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr),
        &std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
}

// The X window's input shape alone: what is drawn stays unclipped. It is
// set again whenever a window manager takes the window into its frame: the
// manager copies the shape onto the frame only when told of a change, and
// the first one came before it looked.
class X11InputShape : public QObject, public QAbstractNativeEventFilter {
public:
    X11InputShape(xcb_connection_t* connection, QWidget* window, const QRegion& shape)
        : QObject(window), connection_(connection), window_(window), shape_(shape)
    {
        Apply();
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~X11InputShape() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if (type == "xcb_generic_event_t" && (event->response_type & 0x7f) == XCB_REPARENT_NOTIFY
            && reinterpret_cast<const xcb_reparent_notify_event_t*>(event)->window == xcb_window_t(window_->winId()))
            Apply();
        return false;
    }

private:
    void Apply()
    {
        const qreal scale = window_->devicePixelRatioF();
        std::vector<xcb_rectangle_t> rects;
        for (const QRect& r : shape_) {
            const int left = int(std::floor(r.x() * scale)), top = int(std::floor(r.y() * scale));
            rects.push_back({qint16(left), qint16(top), quint16(std::ceil((r.x() + r.width()) * scale) - left),
                             quint16(std::ceil((r.y() + r.height()) * scale) - top)});
        }
        xcb_shape_rectangles(connection_, XCB_SHAPE_SO_SET, XCB_SHAPE_SK_INPUT, XCB_CLIP_ORDERING_UNSORTED,
                             xcb_window_t(window_->winId()), 0, 0, quint32(rects.size()), rects.data());
        xcb_flush(connection_);
    }

    xcb_connection_t* connection_;
    QWidget* window_;
    QRegion shape_;
};
#endif

}  // namespace

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

bool CompositedDesktop()
{
    if (OnWayland())
        return true;
#if defined(QUORVEL_X11) && defined(Q_OS_UNIX)
    if (xcb_connection_t* connection = X11Connection())
        return X11Composited(connection);
#endif
    return false;
}

bool ShapeWindow(QWidget* window, const QRegion& shape)
{
    if (OnWayland()) {
        // A Wayland compositor takes the mask as the input region only.
        window->setAttribute(Qt::WA_TranslucentBackground);
        window->setMask(shape);
        return true;
    }
#if defined(QUORVEL_X11) && defined(Q_OS_UNIX)
    // Qt's mask would clip the X window too; the input shape is set alone.
    xcb_connection_t* connection = X11Connection();
    const xcb_query_extension_reply_t* shapes =
        connection != nullptr ? xcb_get_extension_data(connection, &xcb_shape_id) : nullptr;
    if (shapes != nullptr && shapes->present && X11Composited(connection)) {
        window->setAttribute(Qt::WA_TranslucentBackground);  // before the window exists
        window->winId();
        new X11InputShape(connection, window, shape);
        return true;
    }
#endif
    window->setMask(shape);
    return false;
}

}  // namespace quorvel::app
