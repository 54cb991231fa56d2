// Placeholder until the language module lands.
#include "quorvel/language.h"

#include <QApplication>
#include <QWidget>

namespace quorvel::language {

void InstallFontSubstitutes() {}

QString LanguageCode() { return {}; }

void ApplyLanguage() {}

void LoadSettings()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Form1"))
            w->setWindowTitle(QStringLiteral("Quorvel"));
}

void ShowOptionsDialog() {}

}  // namespace quorvel::language
