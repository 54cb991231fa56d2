// One Quorvel per user. The first run holds a lock that the system drops when
// the run ends, however it ends, and answers later runs, so that a later run
// can ask it to show itself instead of opening a second window. The lock and
// the line between runs are the platform's own: a locked file and a local
// socket in a folder only the user can write to (single_instance_posix.cpp),
// or a mutex and an event in the session's namespace (single_instance_win.cpp).
#pragma once

#include <QObject>
#include <QString>

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
    // Why the check could not be made, for a line on standard error.
    QString problem() const { return problem_; }

    // The first instance: starts answering later runs (needs the application
    // object); each call of theirs emits showRequested.
    void listen();
    // A later instance: asks the first one to show itself. Best effort: it
    // may still be starting.
    void askFirstToShow() const;

signals:
    void showRequested();

private:
    Role role_ = Role::Unchecked;
    QString problem_;
    QString folder_;
    // File descriptors, or Windows handles; -1 for none.
    qintptr lock_ = -1;
    qintptr server_ = -1;
};

}  // namespace quorvel::app
