// The program's own start-up, ended after the first paint of the main window.
#include "command_line.h"
#include "first_paint.h"
#include "form1.h"
#include "single_instance.h"
#include "quorvel/look.h"

#include <QApplication>

#include <optional>

int main(int argc, char* argv[])
{
    quorvel::app::DropUnsafeFileOptions(argc, argv);
    quorvel::app::SingleInstance instance;
    if (instance.role() == quorvel::app::SingleInstance::Role::Second)
        return 0;

    int status = 0;
    {
        std::optional<QApplication> app;
        {
            const quorvel::app::WindowSystemGuard guard;
            app.emplace(argc, argv);
        }
        instance.listen();
        QApplication::setFont(quorvel::ui::DesignFont("MS Sans Serif", 8.25, false));
        quorvel::app::Form1 form;
        {
            const quorvel::app::WindowSystemGuard guard;
            form.show();
        }
        new QuitAfterFirstPaint(&form);
        status = QApplication::exec();
    }
    ReportPeakMemory();
    return status;
}
