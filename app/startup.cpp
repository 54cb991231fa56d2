#include "startup.h"

#include "form1.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

namespace quorvel::app {

QString SingleInstance::DefaultLockPath()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/quorvel.lock");
}

SingleInstance::SingleInstance(const QString& lockPath) : lock_(lockPath)
{
    // The lock is held for as long as the program runs, so its age says
    // nothing: only a dead owner makes it stale.
    lock_.setStaleLockTime(0);
    first_ = lock_.tryLock(0);
}

std::unique_ptr<Form1> StartMainWindow()
{
    auto form = std::make_unique<Form1>();
    QObject::connect(form.get(), &Form1::programEndRequested, &ProgramEnd);
    form->Load();
    form->FillCountryList();
    return form;
}

void ProgramEnd()
{
    // Closing the windows asks the main window to end the program again.
    static bool ending = false;
    if (ending)
        return;
    ending = true;
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

}  // namespace quorvel::app
