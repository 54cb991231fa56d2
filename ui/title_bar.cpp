#include "quorvel/title_bar.h"

#include "quorvel/look.h"

#include <QApplication>
#include <QEvent>
#include <QLibrary>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QWindow>

#include <cstdint>
#include <cstring>
#include <optional>

namespace quorvel::ui {
namespace {

// The little of the Wayland client library this needs, from the library Qt's
// Wayland plugin has loaded already: nothing of it is linked into the
// program, which on X never loads it.
struct wl_display;
struct wl_proxy;
struct wl_interface;
struct RegistryListener {
    void (*global)(void* data, wl_proxy* registry, std::uint32_t name, const char* interface, std::uint32_t version);
    void (*globalRemove)(void* data, wl_proxy* registry, std::uint32_t name);
};
constexpr std::uint32_t kGetRegistry = 1;  // wl_display.get_registry

// Whether the compositor announces server-side decorations, on a connection
// of our own; nullopt when it cannot be asked.
std::optional<bool> AnnouncesDecorations()
{
    QLibrary client(QStringLiteral("wayland-client"), 0);
    const auto connect = reinterpret_cast<wl_display* (*)(const char*)>(client.resolve("wl_display_connect"));
    const auto disconnect = reinterpret_cast<void (*)(wl_display*)>(client.resolve("wl_display_disconnect"));
    const auto roundtrip = reinterpret_cast<int (*)(wl_display*)>(client.resolve("wl_display_roundtrip"));
    const auto create = reinterpret_cast<wl_proxy* (*)(wl_proxy*, std::uint32_t, const wl_interface*, ...)>(
        client.resolve("wl_proxy_marshal_constructor"));
    const auto listen = reinterpret_cast<int (*)(wl_proxy*, void (**)(), void*)>(client.resolve("wl_proxy_add_listener"));
    const auto destroy = reinterpret_cast<void (*)(wl_proxy*)>(client.resolve("wl_proxy_destroy"));
    const auto* registryInterface = reinterpret_cast<const wl_interface*>(client.resolve("wl_registry_interface"));
    if (!connect || !disconnect || !roundtrip || !create || !listen || !destroy || !registryInterface)
        return std::nullopt;
    wl_display* display = connect(nullptr);
    if (display == nullptr)
        return std::nullopt;
    bool announced = false;
    static const RegistryListener listener{
        [](void* data, wl_proxy*, std::uint32_t, const char* interface, std::uint32_t) {
            if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0)
                *static_cast<bool*>(data) = true;
        },
        [](void*, wl_proxy*, std::uint32_t) {},
    };
    std::optional<bool> answer;
    if (wl_proxy* registry = create(reinterpret_cast<wl_proxy*>(display), kGetRegistry, registryInterface, nullptr)) {
        listen(registry, reinterpret_cast<void (**)()>(const_cast<RegistryListener*>(&listener)), &announced);
        if (roundtrip(display) >= 0)
            answer = announced;
        destroy(registry);
    }
    disconnect(display);
    return answer;
}

// The main window's blues and lilac, a shade deeper than the windows' own
// backgrounds so that the bar stands out from them.
const QColor kActiveTop(120, 120, 248);
const QColor kActiveBottom(80, 80, 208);
const QColor kInactive(192, 192, 255);
const QColor kEdge(48, 48, 144);
const QColor kClose(255, 192, 255);  // as the main window's exit button

QString& CloseName()
{
    static QString name;
    return name;
}

}  // namespace

bool CompositorDrawsFrames()
{
    // Where it cannot be asked, Qt's own frame is better than none.
    static const bool draws = !QGuiApplication::platformName().startsWith(QLatin1String("wayland"))
                              || AnnouncesDecorations().value_or(true);
    return draws;
}

TitleBar* TitleBar::Install(QWidget* window)
{
    if (CompositorDrawsFrames())
        return nullptr;
    auto* bar = new TitleBar(window);
    const int height = bar->height();
    // Everything the window holds moves down by the bar, laid out or placed.
    if (window->layout() != nullptr) {
        window->setContentsMargins(window->contentsMargins() + QMargins(0, height, 0, 0));
    } else {
        for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child != bar && !child->isWindow())
                child->move(child->pos() + QPoint(0, height));
        if (window->minimumSize() == window->maximumSize())
            window->setFixedSize(window->width(), window->height() + height);
        else
            window->resize(window->width(), window->height() + height);
    }
    // The window's type alone: Qt drops the frameless hint beside title hints.
    window->setWindowFlags((window->windowFlags() & Qt::WindowType_Mask) | Qt::FramelessWindowHint);
    bar->Place();
    return bar;
}

TitleBar* TitleBar::Of(const QWidget* window)
{
    return window->findChild<TitleBar*>(QString(), Qt::FindDirectChildrenOnly);
}

void TitleBar::SetCloseName(const QString& name)
{
    CloseName() = name;
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* bar = qobject_cast<TitleBar*>(widget)) {
            bar->close_->setAccessibleName(name);
            bar->close_->setToolTip(name);
        }
}

TitleBar::TitleBar(QWidget* window) : QWidget(window), window_(window)
{
    setObjectName(QStringLiteral("TitleBar"));
    QFont caption = window->font();
    caption.setBold(true);
    setFont(caption);
    close_ = new QPushButton(QStringLiteral("X"), this);
    close_->setObjectName(QStringLiteral("CloseButton"));
    close_->setFont(DesignFont("MS UI Gothic", 8.25, true));
    close_->setFocusPolicy(Qt::NoFocus);
    close_->setAccessibleName(CloseName());
    close_->setToolTip(CloseName());
    SetColour(close_, QPalette::Button, kClose);
    connect(close_, &QPushButton::clicked, window, &QWidget::close);
    // Room for the caption in either face a language gives it.
    int text = 0;
    for (const char* face : {"MS Sans Serif", "MS UI Gothic"})
        text = std::max(text, QFontMetrics(DesignFont(face, 9.75, true)).height());
    setFixedHeight(text + 8);
    window->installEventFilter(this);
}

void TitleBar::Place()
{
    setGeometry(0, 0, window_->width(), height());
    const int side = height() - 6;
    close_->setGeometry(width() - side - 4, 3, side + 2, side);
    raise();
}

bool TitleBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == window_) {
        switch (event->type()) {
        case QEvent::Resize: Place(); break;
        case QEvent::WindowTitleChange:
        case QEvent::WindowIconChange:
        case QEvent::ActivationChange: update(); break;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TitleBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool active = window_->isActiveWindow();
    QLinearGradient shade(0, 0, 0, height());
    shade.setColorAt(0, active ? kActiveTop : kInactive);
    shade.setColorAt(1, active ? kActiveBottom : kInactive);
    painter.fillRect(rect(), shade);
    painter.fillRect(QRect(0, height() - 1, width(), 1), kEdge);
    int left = 6;
    if (const QIcon icon = window_->windowIcon(); !icon.isNull()) {
        const int side = 16;
        icon.paint(&painter, QRect(left, (height() - side) / 2, side, side));
        left += side + 6;
    }
    const QRect room(left, 0, close_->x() - 6 - left, height() - 1);
    painter.setPen(active ? Qt::white : kEdge);
    painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter,
                     fontMetrics().elidedText(window_->windowTitle(), Qt::ElideRight, room.width()));
}

void TitleBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && window_->windowHandle() != nullptr)
        window_->windowHandle()->startSystemMove();
}

}  // namespace quorvel::ui
