// The toolkit's floor: an empty window of the main window's size, shown and
// ended after its first paint.
#include "first_paint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    int status = 0;
    {
        QApplication app(argc, argv);
        QWidget window;
        window.resize(432, 431);
        new QuitAfterFirstPaint(&window);
        window.show();
        status = QApplication::exec();
    }
    ReportPeakMemory();
    return status;
}
