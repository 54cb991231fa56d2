#include "activation.h"

#include <QGuiApplication>
#include <QWidget>

#include <utility>

namespace quorvel::app {
namespace {

constexpr char kToken[] = "XDG_ACTIVATION_TOKEN";
constexpr char kStartupId[] = "DESKTOP_STARTUP_ID";

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

}  // namespace

QByteArray TakeActivationToken()
{
    QByteArray token = qgetenv(kToken);
    if (token.isEmpty())
        token = qgetenv(kStartupId);
    qunsetenv(kToken);
    qunsetenv(kStartupId);
    return token;
}

void ShowActivated(QWidget& window, const QByteArray& token)
{
    window.show();
    if (!OnWayland())
        return;
    // Qt's Wayland plugin presents the token it finds here when the window
    // asks for the focus, at once, and takes it away; not where the
    // compositor takes no tokens, so it goes here too.
    if (!token.isEmpty())
        qputenv(kToken, token);
    window.activateWindow();
    qunsetenv(kToken);
}

Remapper::Remapper(QWidget* window, std::chrono::milliseconds quiet) : QObject(window), window_(window)
{
    burst_.setSingleShot(true);
    burst_.setInterval(quiet);
    connect(&burst_, &QTimer::timeout, this, [this] {
        if (!newest_.isEmpty())
            ShowActivated(*window_, std::exchange(newest_, {}));
    });
}

void Remapper::Request(const QByteArray& token)
{
    if (!burst_.isActive()) {
        window_->hide();
        ShowActivated(*window_, token);
    } else if (!token.isEmpty()) {
        newest_ = token;
    }
    burst_.start();
}

}  // namespace quorvel::app
