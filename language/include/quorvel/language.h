// Interface language: texts of every window in five languages, their
// application, the font switch, the options dialog and the about box.
//
// The main window is whichever window is a MainWindow: it takes its texts
// through Retranslate, so this module needs nothing from the main window's
// code.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

namespace quorvel::language {

namespace detail {
struct Dialogs;
}

// The size chart's words.
struct ChartTexts {
    QString command;     // the menu command that opens it
    QString men, women;  // its title by sex, followed by the garment's name
    // A cell's row, as a screen reader hears it after the cell: "%1 %2" is
    // the country and size that head the row.
    QString sameAs;
    // The highlighted rows, in the legend and after their cells' names: the
    // size converted, or a size between the two rows.
    QString yourSize, between;
};

// The main window's texts in one language.
struct MainWindowTexts {
    QString question, see, garmentCaption, sex, man, woman;
    // None where the language has none of its own: the one before stays.
    std::optional<QString> seeTip, optionsTip, exitTip;
    // Names for screen readers, of the controls whose captions say too little.
    QString countryList, suitList, shirtList, shoeList;
    std::optional<QString> trousersList;
    QString suitOption, shirtOption, trousersOption, shoeOption, optionsButton, exitButton;
    // The result panel's rows, as a screen reader names a cell and as the
    // copied panel is headed; the copy command; a list entry's place among
    // its entries ("%1 of %2").
    QString garmentRow, shoeRow, copy, position;
    // The line under the result panel, one part for each row whose size the
    // tables do not give: `note` ("%1 : %2") joins the garment's name to what
    // became of its size: no equivalent (as a screen reader also names such
    // a cell), between two of the source country's sizes ("%1", "%2"),
    // outside the chart, or no chart for that garment.
    QString note, noEquivalent, between, outside, noChart;
    ChartTexts chart;
};

// The main window as this module sees it. Its designed texts are
// DesignedMainWindowTexts(); each language applied brings its own.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // The first one built gives the pictures their designed (French) names.
    explicit MainWindow(QWidget* parent = nullptr, Qt::WindowFlags flags = {});
    virtual void Retranslate(const MainWindowTexts& texts) = 0;

private:
    friend struct detail::Dialogs;
    // Built again for this window, a dialog shows its designed texts.
    bool optionsBuilt_ = false;
    bool aboutBuilt_ = false;
};

// French, but without tips, and the garment option without its caption.
MainWindowTexts DesignedMainWindowTexts();

// The language code last read from the settings store ("0".."4", or empty).
QString LanguageCode();
void SetLanguageCode(const QString& code);

// Reads the stored code into LanguageCode and applies it to all windows. With
// nothing stored, the desktop's language when it is one of the five (not
// stored); otherwise the designed texts stay. A store that exists but cannot
// be read gives the empty code and one message, once the event loop runs.
void LoadSettings();

// The code of the first of the desktop's languages that is one of the five
// (the default QLocale's uiLanguages(): from LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG), or empty.
QString DesktopLanguageCode();

// Writes the texts of LanguageCode into the main window and the dialogs that
// are built, gives every control of these windows the face "MS UI Gothic" at
// 9.75 points (bold and italic kept), and marks the language's option in the
// options dialog. A code other than "0".."4" changes nothing.
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

// The program's two messages, in the language in force (the designed French
// without one). They go through a hook so that a test can catch them;
// without one, each shows as a message box.
enum class Message {
    SettingsUnreadable,  // the saved language could not be read
    SettingsNotSaved,    // the chosen language could not be saved
};
QString MessageText(Message message);
using MessageHook = std::function<void(Message message, const QString& text)>;
// Replaces the hook; an empty hook brings the message box back.
void SetMessageHook(MessageHook hook);

}  // namespace quorvel::language
