// One Quorvel per user. The first run holds a lock in a folder only the user
// can write to, and listens on a local socket beside it, so that a later run
// can ask it to show itself instead of opening a second window.
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QSocketNotifier;

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
    // folder means the user's own runtime or cache folder.
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
    QString socketPath() const;

    Role role_ = Role::Unchecked;
    QString problem_;
    QString folder_;
    int lockFd_ = -1;
    int serverFd_ = -1;
    QSocketNotifier* requests_ = nullptr;
};

}  // namespace quorvel::app
