// Quorvel: converts clothing and shoe sizes between seven countries.
#include "form1.h"
#include "quorvel/language.h"
#include "startup.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // Before any window system connection: a second instance leaves at once,
    // silently, with status 0.
    const quorvel::app::SingleInstance instance;
    if (!instance.isFirst())
        return 0;

    QApplication app(argc, argv);
    quorvel::language::InstallFontSubstitutes();
    const auto form = quorvel::app::StartMainWindow();
    return QApplication::exec();
}
