// The program's own start-up, ended after the first paint of the main window.
#include "first_paint.h"
#include "form1.h"
#include "quorvel/language.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    const quorvel::app::SingleInstance instance;
    if (!instance.isFirst())
        return 0;

    int status = 0;
    {
        QApplication app(argc, argv);
        quorvel::language::InstallFontSubstitutes();
        const auto form = quorvel::app::StartMainWindow();
        new QuitAfterFirstPaint(form.get());
        status = QApplication::exec();
    }
    ReportPeakMemory();
    return status;
}
