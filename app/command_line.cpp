#include "command_line.h"

#include <cstdio>
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
    "Qt options, with one dash or two:\n"
    "  -platform NAME, -display NAME, -style NAME, -stylesheet FILE,\n"
    "  -geometry WxH+X+Y, -qwindowgeometry WxH+X+Y, -qwindowtitle TITLE,\n"
    "  -platformtheme NAME, -platformpluginpath PATH, -plugin NAME,\n"
    "  -session ID, -name NAME, -reverse, -sync, -nograb, -dograb\n"
    "\n"
    "Exit status: 0, or 2 on a usage error.\n";

// Qt options QApplication takes off the command line itself.
constexpr std::string_view kQtOptionsWithValue[] = {
    "-platform", "-display", "-style", "-stylesheet", "-geometry", "-qwindowgeometry", "-qwindowtitle",
    "-platformtheme", "-platformpluginpath", "-plugin", "-session", "-name"};
constexpr std::string_view kQtFlags[] = {"-reverse", "-sync", "-nograb", "-dograb"};

template <std::size_t N>
bool OneOf(std::string_view word, const std::string_view (&list)[N])
{
    for (std::string_view entry : list)
        if (word == entry) return true;
    return false;
}

int UsageError(const char* what, std::string_view argument)
{
    std::fprintf(stderr, "quorvel: %s '%.*s'\n\n%s", what, int(argument.size()), argument.data(), kUsage);
    return 2;
}

}  // namespace

std::optional<int> HandleCommandLine(int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version" || arg == "-v") {
            std::fputs("quorvel " QUORVEL_VERSION "\n", stdout);
            return 0;
        }
        // Qt reads "--platform" as "-platform".
        const std::string_view qt = arg.starts_with("--") ? arg.substr(1) : arg;
        if (OneOf(qt, kQtOptionsWithValue)) {
            if (++i == argc) return UsageError("a value is missing after", arg);
        } else if (!OneOf(qt, kQtFlags)) {
            return UsageError(arg.starts_with('-') ? "unknown option" : "unexpected argument", arg);
        }
    }
    return std::nullopt;
}

}  // namespace quorvel::app
