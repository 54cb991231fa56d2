// Interface language: texts of every window in five languages, their
// application, the font switch, the options dialog and the about box.
//
// Windows are found among the application's top-level widgets by objectName
// ("Form1", "Form2", "Form3") and their controls by objectName, so this module
// needs nothing from the main window's code.
#pragma once

#include <QString>

namespace quorvel::language {

// Maps the designed face names ("MS Sans Serif", "MS UI Gothic") to faces
// installed here. Call once, after the QApplication exists and before any
// window is built.
void InstallFontSubstitutes();

// The language code last read from the settings store ("0".."4", or empty).
QString LanguageCode();

// Reads the stored code into LanguageCode, applies it to all windows and sets
// the main window's caption to the product name.
void LoadSettings();

// Writes the texts and fonts of LanguageCode into all windows; an unknown
// code changes nothing.
void ApplyLanguage();

// The options dialog, created on first use and shown modeless.
void ShowOptionsDialog();

}  // namespace quorvel::language
