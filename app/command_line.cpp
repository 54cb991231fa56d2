#include "command_line.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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
    "Exit status: 0, 1 when no display could be opened, or 2 on a usage error.\n";

constexpr qint64 kLargestReadFile = 1024 * 1024;

// Why Qt must not read the file at `path`; empty when it may.
QString Unreadable(const char* path)
{
#ifdef Q_OS_UNIX
    // Opened without blocking (a FIFO would wait for a writer), and looked at.
    struct stat info {};
    const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    const bool known = fd >= 0 && ::fstat(fd, &info) == 0;
    const int error = errno;
    if (fd >= 0)
        ::close(fd);
    if (!known)
        return QString::fromLocal8Bit(std::strerror(error));
    const bool regular = S_ISREG(info.st_mode);
    const qint64 size = info.st_size;
#else
    const QFileInfo info(QFile::decodeName(path));
    if (!info.exists())
        return QStringLiteral("no such file");
    const bool regular = info.isFile();
    const qint64 size = info.size();
#endif
    if (!regular)
        return QStringLiteral("not a regular file");
    return size > kLargestReadFile ? QStringLiteral("larger than 1 MiB") : QString();
}

// What Qt's messages are while the window system is being opened.
struct HeldMessage {
    QtMsgType type;
    QByteArray file, function, category;
    int line;
    QString text;
};
std::mutex g_holding;
std::vector<HeldMessage> g_held;
QtMessageHandler g_passOn = nullptr;

// The one line that says why Qt gave up, from its last words and what it
// said before them.
QString NoDisplay(const QString& fatal)
{
    static const QRegularExpression missing(QStringLiteral("Could not find the Qt platform plugin \"([^\"]*)\""));
    QString platforms = fatal.section(QStringLiteral("Available platform plugins are: "), 1).trimmed();
    if (platforms.endsWith(u'.'))
        platforms.chop(1);
    const QString there = platforms.isEmpty() ? QString() : QStringLiteral(" (there are %1)").arg(platforms);
    for (const HeldMessage& held : g_held)
        if (const QRegularExpressionMatch match = missing.match(held.text); match.hasMatch())
            return QStringLiteral("there is no platform \"%1\"%2").arg(match.captured(1), there);
    // Where Qt's last words only say that no platform could start, the
    // platform's own reason came before them: its error, or its last warning.
    QString reason = fatal.section(u'\n', 0, 0).trimmed();
    if (!platforms.isEmpty()) {
        const auto error = std::find_if(g_held.cbegin(), g_held.cend(),
                                        [](const HeldMessage& held) { return held.type == QtCriticalMsg; });
        const auto warning = std::find_if(g_held.crbegin(), g_held.crend(),
                                          [](const HeldMessage& held) { return held.type == QtWarningMsg; });
        reason = error != g_held.cend() ? error->text : warning != g_held.crend() ? warning->text : QString();
    }
    return QStringLiteral("no display could be opened") + (reason.isEmpty() ? there : ": " + reason.trimmed());
}

void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    const std::lock_guard holding(g_holding);
    if (type != QtFatalMsg) {
        g_held.push_back({type, context.file, context.function, context.category, context.line, text});
        return;
    }
    std::fprintf(stderr, "quorvel: %s\n", qPrintable(NoDisplay(text)));
    std::fflush(stderr);
    std::_Exit(1);
}

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


void DropUnsafeFileOptions(int& argc, char** argv, std::FILE* err)
{
    // Qt's options that take the next argument, besides the two read here;
    // with one dash or two, as Qt reads them.
    static constexpr std::string_view kWithValue[] = {
        "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry", "qwindowtitle",
        "title", "session", "style", "display", "name", "visual"};
    int kept = 1;
    for (int i = 1; i < argc;) {
        std::string_view option = argv[i];
        if (option.size() > 2 && option.substr(0, 2) == "--")
            option.remove_prefix(1);
        const bool icon = option == "-qwindowicon" || option == "-icon";
        const char* path = nullptr;
        int taken = 1;
        if ((icon || option == "-stylesheet") && i + 1 < argc) {
            taken = 2;
            // An icon's relative name is one of the icon theme's, not a file.
            if (!icon || QFileInfo(QFile::decodeName(argv[i + 1])).isAbsolute())
                path = argv[i + 1];
        } else if (option.substr(0, 20) == "-stylesheet=file:///") {
            path = option.data() + 20;  // as the style sheet reads it
        } else if (i + 1 < argc && option.substr(0, 1) == "-"
                   && std::find(std::begin(kWithValue), std::end(kWithValue), option.substr(1))
                          != std::end(kWithValue)) {
            taken = 2;
        }
        const QString why = path != nullptr ? Unreadable(path) : QString();
        if (!why.isEmpty())
            std::fprintf(err, "quorvel: ignoring %s%s%s: %s\n", argv[i], taken == 2 ? " " : "",
                         taken == 2 ? argv[i + 1] : "", qPrintable(why));
        for (int k = 0; why.isEmpty() && k < taken; ++k)
            argv[kept++] = argv[i + k];
        i += taken;
    }
    if (kept < argc)
        argv[kept] = nullptr;
    argc = kept;
}

WindowSystemGuard::WindowSystemGuard() { g_passOn = qInstallMessageHandler(Hold); }

WindowSystemGuard::~WindowSystemGuard()
{
    qInstallMessageHandler(g_passOn);
    const std::lock_guard holding(g_holding);
    for (const HeldMessage& held : std::exchange(g_held, {})) {
        const QMessageLogContext context(held.file.constData(), held.line, held.function.constData(),
                                         held.category.constData());
        qt_message_output(held.type, context, held.text);
    }
}

}  // namespace quorvel::app
