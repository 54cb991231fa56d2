#include "command_line.h"

#include <string_view>

namespace quorvel::app {
namespace {

constexpr char kUsage[] =
    "usage: quorvel [--help | --version] [Qt options]\n"
    "\n"
    "Opens the Quorvel window, which converts clothing and shoe sizes between\n"
    "seven countries. Only one Quorvel runs per user.\n"
    "\n"
    "  -h, --help       print this help and exit\n"
    "  -v, --version    print the version and exit\n"
    "\n"
    "Qt's own options are left to Qt, such as -platform NAME, -style NAME,\n"
    "-qwindowgeometry WxH+X+Y, -qwindowicon FILE or -reverse (see man quorvel).\n"
    "\n"
    "Exit status: 0, or 2 on a usage error.\n";

}  // namespace

std::optional<int> HandleInformationOptions(int argc, const char* const* argv, std::FILE* out)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, out);
            return 0;
        }
        if (arg == "--version" || arg == "-v") {
            std::fputs("quorvel " QUORVEL_VERSION "\n", out);
            return 0;
        }
    }
    return std::nullopt;
}

std::optional<int> RefuseLeftArguments(const QStringList& arguments, std::FILE* err)
{
    if (arguments.size() < 2)
        return std::nullopt;
    const QString& first = arguments.at(1);
    std::fprintf(err, "quorvel: %s '%s'\n\n%s", first.startsWith(QLatin1Char('-')) ? "unknown option" : "unexpected argument",
                 qPrintable(first), kUsage);
    return 2;
}

}  // namespace quorvel::app
