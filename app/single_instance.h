// One Quorvel per user. The first run holds a lock that the system drops when
// the run ends, however it ends, and answers later runs, so that a later run
// can ask it to show itself instead of opening a second window. The lock and
// the line between runs are the platform's own: a locked file and a local
// socket in a folder only the user can write to (single_instance_posix.cpp),
// or a mutex and an event in the session's namespace (single_instance_win.cpp).
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <chrono>
#include <utility>

namespace quorvel::app {

class SingleInstance : public QObject {
    Q_OBJECT
public:
    enum class Role {
        First,      // holds the lock: the one instance
        Second,     // a live instance of this user holds it
        Unchecked,  // no safe lock could be had: runs anyway, see problem()
    };

    // Decides the role at once; needs no application object. An empty
    // folder means the user's own runtime or cache folder; on Windows the
    // folder only tells instances apart.
    explicit SingleInstance(QString folder = {});
    ~SingleInstance() override;

    Role role() const { return role_; }
    // Why the check could not be made, or why later runs cannot reach this
    // one, for a line on standard error.
    QString problem() const { return problem_; }

    // The first instance: starts answering later runs (needs the application
    // object), until the application leaves its event loop. False, with
    // problem() saying why, when they cannot reach it.
    bool listen();
    // A later instance: asks the first one to show itself, handing on the
    // activation token the desktop gave this run (may be empty), and waits
    // at most `patience` for its answer: it may be starting, busy or stopped.
    // Empty when it answered, or when the first ended meanwhile and this run
    // took the lock: its role is First then. Otherwise why not, for standard
    // error.
    QString askFirstToShow(const QByteArray& activationToken,
                           std::chrono::milliseconds patience = std::chrono::seconds(2));

signals:
    // Later runs asked to be shown: at most once per turn of the event loop
    // however many asked, with the newest token.
    void showRequested(const QByteArray& activationToken);

private:
    void queueShow(const QByteArray& activationToken);
    // Takes the lock if it is free; says the role that gives.
    Role TryLock();
    // No more calls taken, the socket gone; the lock stays.
    void StopListening();

    Role role_ = Role::Unchecked;
    QString problem_;
    QString folder_;
    // File descriptors, or Windows handles; -1 for none.
    qintptr lock_ = -1;
    qintptr server_ = -1;
    QObject* serverNotifier_ = nullptr;  // watches server_: deleted before it is closed
    bool showQueued_ = false;
    QByteArray token_;
};

// Requests that arrive in one turn of the event loop make one show.
inline void SingleInstance::queueShow(const QByteArray& activationToken)
{
    if (!activationToken.isEmpty())
        token_ = activationToken;
    if (showQueued_)
        return;
    showQueued_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            showQueued_ = false;
            emit showRequested(std::exchange(token_, {}));
        },
        Qt::QueuedConnection);
}

}  // namespace quorvel::app
