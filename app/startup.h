// The program's spine: one instance per user, the main window's start-up in
// its fixed order, and the one way the program ends.
#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

namespace quorvel::app {

class Form1;

// Held for the whole run. The lock file lives in the user's runtime folder,
// so each user has one instance; a lock left by a run that crashed is taken
// over, because the process named in it is no longer running.
class SingleInstance {
public:
    explicit SingleInstance(const QString& lockPath = DefaultLockPath());
    bool isFirst() const { return first_; }

    static QString DefaultLockPath();

private:
    QLockFile lock_;
    bool first_ = false;
};

// Start-up after the single-instance check: Form1 created and loaded (shown),
// nothing chosen, the country list filled. The window ends the program on
// Command1, a double-click on the skin or a close request.
std::unique_ptr<Form1> StartMainWindow();

// Closes every window and leaves the event loop at once; nothing is asked or
// saved.
void ProgramEnd();

}  // namespace quorvel::app
