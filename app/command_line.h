// The window program's command line, in two steps: --help and --version
// before anything else, so that they need no display and no single-instance
// check; then, once QApplication has taken the options that are Qt's (Qt
// alone knows which those are), whatever is left is refused.
#pragma once

#include <QStringList>

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

}  // namespace quorvel::app
