// The window program's command line, read before anything else is set up, so
// that --help and --version need no display and no single-instance check.
#pragma once

#include <optional>

namespace quorvel::app {

// Handles --help/-h and --version/-v (printed on standard output) and
// refuses any argument that is neither one of those nor a Qt option from a
// short list (-platform NAME, -style NAME, ...), which is left for
// QApplication. Returns the exit status when the program should end now:
// 0 after --help or --version, 2 (message and usage on standard error) on a
// usage error; nothing when it should go on.
std::optional<int> HandleCommandLine(int argc, const char* const* argv);

}  // namespace quorvel::app
