// Taking the focus on Wayland: a compositor gives it only to a window that
// presents a token the desktop made for a start the user asked for. The token
// comes in the environment, and must not leave it again: whatever this run
// starts (a browser) would present it as its own.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <chrono>

class QWidget;

namespace quorvel::app {

// The token the desktop gave this run, taken out of the environment:
// XDG_ACTIVATION_TOKEN, or else DESKTOP_STARTUP_ID, which launchers built on
// older GLib set alone. Both are unset. On X, call it once the application
// object exists: the X platform plugin ends the start-up notification
// with DESKTOP_STARTUP_ID.
QByteArray TakeActivationToken();

// Shows the window; on Wayland also asks for the focus, presenting the token.
void ShowActivated(QWidget& window, const QByteArray& token);

// Later starts on Wayland, where a window cannot move itself: the window is
// mapped anew for the compositor to place. However many requests come and at
// whatever rate, the first of a burst maps it once; the burst lasts until
// requests pause for `quiet`, and its newest token then asks for the focus.
// Mapping per request floods the connection until the compositor's end of it
// is full, which is fatal to a Wayland client.
class Remapper : public QObject {
public:
    explicit Remapper(QWidget* window, std::chrono::milliseconds quiet = std::chrono::milliseconds(300));
    void Request(const QByteArray& token);

private:
    QWidget* window_;
    QTimer burst_;
    QByteArray newest_;
};

}  // namespace quorvel::app
