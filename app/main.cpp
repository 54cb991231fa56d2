// Quorvel: converts clothing and shoe sizes between seven countries.
#include "activation.h"
#include "command_line.h"
#include "form1.h"
#include "single_instance.h"
#include "quorvel/look.h"

#include <QApplication>

#include <cstdio>
#include <optional>

namespace {

// The application object, or the process ends with a line on standard error
// when no display can be opened.
void OpenDisplay(std::optional<QApplication>& app, int& argc, char** argv)
{
    const quorvel::app::WindowSystemGuard guard;
    app.emplace(argc, argv);
}

}  // namespace

int main(int argc, char* argv[])
{
    // --help and --version need neither a display nor the lock.
    if (const auto status = quorvel::app::HandleInformationOptions(argc, argv))
        return *status;
    quorvel::app::DropUnsafeFileOptions(argc, argv);

    using quorvel::app::SingleInstance;
    // Before any window system connection: a second run only asks the first
    // to show itself, handing on the token that lets it take the focus on
    // Wayland, and leaves with status 0 whether or not it was heard.
    SingleInstance instance;
    std::optional<QApplication> app;
    QByteArray token;
    if (instance.role() == SingleInstance::Role::Second) {
        token = quorvel::app::TakeActivationToken();
        // Only Qt tells its options from usage errors, and it needs the
        // display for that: asked only when there are arguments.
        if (argc > 1) {
            OpenDisplay(app, argc, argv);
            if (const auto status = quorvel::app::RefuseLeftArguments(QApplication::arguments()))
                return *status;
        }
        const QString unheard = instance.askFirstToShow(token);
        if (!unheard.isEmpty())
            std::fprintf(stderr, "quorvel: %s\n", qPrintable(unheard));
        // Unless the first ended meanwhile: this run is the first now.
        if (instance.role() == SingleInstance::Role::Second)
            return 0;
    }
    if (instance.role() == SingleInstance::Role::Unchecked)
        std::fprintf(stderr, "quorvel: %s; running without the single-instance check\n",
                     qPrintable(instance.problem()));

    if (!app) {
        OpenDisplay(app, argc, argv);
        if (const auto status = quorvel::app::RefuseLeftArguments(QApplication::arguments()))
            return *status;
    }
    QApplication::setOrganizationName(QStringLiteral("Dravenor"));
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationVersion(QStringLiteral(QUORVEL_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.dravenor.Quorvel"));
    // Later starts are answered from the first turn of the event loop on,
    // whatever the window shows first (a message waits for that turn).
    if (instance.role() == SingleInstance::Role::First && !instance.listen())
        std::fprintf(stderr, "quorvel: %s; a later start cannot bring this window back\n",
                     qPrintable(instance.problem()));
    // The windows are designed in this face. Set before the first widget, so
    // that not even a line edit's first, empty layout loads the desktop's face.
    QApplication::setFont(quorvel::ui::DesignFont("MS Sans Serif", 8.25, false));
    // A later start that became the first has taken its token already.
    if (token.isEmpty())
        token = quorvel::app::TakeActivationToken();
    quorvel::app::Form1 form;
    {
        // Some platforms find only now that they have no screen.
        const quorvel::app::WindowSystemGuard guard;
        quorvel::app::ShowActivated(form, token);
    }
    QObject::connect(&instance, &SingleInstance::showRequested, &form, &quorvel::app::Form1::ShowAgain);
    return QApplication::exec();
}
