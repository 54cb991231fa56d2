// The window program's command line, in two steps: --help and --version
// before anything else, so that they need no display and no single-instance
// check; then, once QApplication has taken the options that are Qt's (Qt
// alone knows which those are), whatever is left is refused. On the way, the
// files Qt's options name are looked at first, and a display Qt cannot open
// is said in one line.
#pragma once

#include <QStringList>
#include <QtGlobal>

#include <cstdio>
#include <optional>

namespace quorvel::app {

// Handles --help/-h and --version/-v, printed on `out`. Returns 0 when the
// program should end now, nothing when it should go on.
std::optional<int> HandleInformationOptions(int argc, const char* const* argv, std::FILE* out = stdout);

// `arguments` is what QApplication left of the command line
// (QCoreApplication::arguments()). Anything beyond the program's name is a
// usage error: 2, with a message and the usage on `err`; otherwise nothing.
std::optional<int> RefuseLeftArguments(const QStringList& arguments, std::FILE* err = stderr);

// Qt reads the files that -qwindowicon (or -icon) and -stylesheet name
// itself, blocking, whole and on the GUI thread: a FIFO would hang the start,
// a device would never end. Such an option is taken out of the command line,
// with a line on `err`, unless it names a regular file of at most 1 MiB (or,
// for an icon, a name in the icon theme).
void DropUnsafeFileOptions(int& argc, char** argv, std::FILE* err = stderr);

// While one lives, Qt's messages wait. Should Qt give up on the window system
// meanwhile (no display, no such platform), where it would abort with a core
// dump, one line on standard error says why and the process ends with status
// 1. The messages that waited are passed on at its end.
class WindowSystemGuard {
public:
    WindowSystemGuard();
    ~WindowSystemGuard();
    Q_DISABLE_COPY_MOVE(WindowSystemGuard)
};

}  // namespace quorvel::app
