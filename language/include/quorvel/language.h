// Interface language: texts of every window in five languages, their
// application, the font switch, the options dialog and the about box.
//
// The main window is found among the application's top-level widgets by its
// objectName "Form1", and its controls by objectName ("Label1_0", "SeeBtn",
// "Tool", "Command1", "Option1_0", "Frame1", "Option2_0", "Option2_1"), so
// this module needs nothing from the main window's code. A control that is
// missing is passed over.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace quorvel::language {

// The language code last read from the settings store ("0".."4", or empty).
QString LanguageCode();
void SetLanguageCode(const QString& code);

// Reads the stored code into LanguageCode and applies it to all windows. With
// nothing stored, the desktop's language when it is one of the five (not
// stored); otherwise the designed texts stay. A store that exists but cannot
// be read gives the empty code and one message.
void LoadSettings();

// The code of the first of the desktop's languages that is one of the five
// (the default QLocale's uiLanguages(): from LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG), or empty.
QString DesktopLanguageCode();

// Writes the texts of LanguageCode into all windows, creating the options
// dialog and the about box if needed, gives every control of the three
// windows the face "MS UI Gothic" at 9.75 points (bold and italic kept), and
// marks the language's option in the options dialog. A code other than
// "0".."4" changes nothing.
void ApplyLanguage();

// Opens the maker's home page in the user's browser. Nothing is reported
// when no browser takes it.
inline constexpr char kMakerSite[] = "http://www.dravenor.example/";
void OpenMakerSite();

// The options dialog ("Form2") and the about box ("Form3"): each is built on
// first use, hidden by its own buttons and kept, and discarded by its close
// box so that the next use builds it afresh with its designed texts.
QWidget* OptionsDialog();
QWidget* AboutBox();
// Shows the options dialog, modeless. The main window's `Tool` button calls it.
void ShowOptionsDialog();

// The language chosen in the options dialog and not yet confirmed.
QString PendingLanguageCode();

// The program's two messages. They go through a hook so that a test can
// catch them; without one, each shows as a message box.
enum class Message {
    SettingsUnreadable,  // the saved language could not be read
    SettingsNotSaved,    // the chosen language could not be saved
};
QString MessageText(Message message);
using MessageHook = std::function<void(Message message, const QString& text)>;
// Replaces the hook; an empty hook brings the message box back.
void SetMessageHook(MessageHook hook);

}  // namespace quorvel::language
