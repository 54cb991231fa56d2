// Quorvel: converts clothing and shoe sizes between seven countries.
#include "command_line.h"
#include "form1.h"
#include "quorvel/language.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // --help, --version and usage errors need neither a display nor the lock.
    if (const auto status = quorvel::app::HandleCommandLine(argc, argv))
        return *status;

    // Before any window system connection: a second instance leaves at once,
    // silently, with status 0.
    const quorvel::app::SingleInstance instance;
    if (!instance.isFirst())
        return 0;

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Dravenor"));
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.dravenor.Quorvel"));
    quorvel::language::InstallFontSubstitutes();
    const auto form = quorvel::app::StartMainWindow();
    return QApplication::exec();
}
