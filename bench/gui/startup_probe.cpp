// The program's own start-up, ended after the first paint of the main window.
#include "first_paint.h"
#include "form1.h"
#include "single_instance.h"
#include "quorvel/look.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    quorvel::app::SingleInstance instance;
    if (instance.role() == quorvel::app::SingleInstance::Role::Second)
        return 0;

    int status = 0;
    {
        QApplication app(argc, argv);
        QApplication::setFont(quorvel::ui::DesignFont("MS Sans Serif", 8.25, false));
        quorvel::app::Form1 form;
        form.show();
        instance.listen();
        new QuitAfterFirstPaint(&form);
        status = QApplication::exec();
    }
    ReportPeakMemory();
    return status;
}
