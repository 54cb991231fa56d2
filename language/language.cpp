#include "quorvel/language.h"

#include "quorvel/settings.h"

#include "about_box.h"
#include "detail.h"
#include "options_dialog.h"
#include "texts.h"

#include "quorvel/look.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFont>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QUrl>

#include <utility>

namespace quorvel::language {

namespace detail {
struct Dialogs {
    static bool& BuiltBefore(MainWindow& main, const OptionsWindow*) { return main.optionsBuilt_; }
    static bool& BuiltBefore(MainWindow& main, const AboutWindow*) { return main.aboutBuilt_; }
};
}  // namespace detail

namespace {

// Module state: one interface, one thread.
QString g_languageCode;
QString g_pendingLanguageCode;
QPointer<OptionsWindow> g_optionsDialog;
QPointer<AboutWindow> g_aboutBox;
MessageHook g_messageHook;

// The main window, or nullptr while there is none.
MainWindow* FindMainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* main = qobject_cast<MainWindow*>(widget))
            return main;
    return nullptr;
}

// Texts are Unicode and Japanese is always drawn as Japanese, through a
// Japanese face (ui::DesignFace): every language takes the same face on every
// control of a window, without the windows it owns (the dialogs are children
// of the main window) or their controls.
void SetLanguageFace(QWidget* parent)
{
    for (QObject* child : parent->children()) {
        auto* control = qobject_cast<QWidget*>(child);
        if (control == nullptr || control->isWindow())
            continue;
        QFont font = control->font();  // keeps bold, italic and hinting
        font.setFamilies({ui::DesignFace("MS UI Gothic")});
        font.setPointSizeF(9.75);
        control->setFont(font);
        SetLanguageFace(control);
    }
}

// Writes a language into one window: the interface face, its texts, and for
// the options dialog the chosen flag.
void ApplyTo(MainWindow& window, const texts::Language& language)
{
    SetLanguageFace(&window);
    window.Retranslate(texts::MainWindowTextsIn(language));
}

void ApplyTo(OptionsWindow& window, const texts::Language& language)
{
    SetLanguageFace(&window);
    window.Retranslate(texts::OptionsTextsIn(language));
    window.SelectOption(language.option);
}

void ApplyTo(AboutWindow& window, const texts::Language& language)
{
    SetLanguageFace(&window);
    window.Retranslate(texts::AboutTextsIn(language));
}

// A dialog is built on first use. Built for the first time for its main
// window, it takes the language in force, as if it had been there when that
// was applied; built again after its close box discarded it, it shows its
// designed texts.
template <class Dialog>
Dialog* Built(const QPointer<Dialog>& dialog)
{
    return dialog.isNull() || dialog->IsDiscarded() ? nullptr : dialog.data();
}

template <class Dialog>
Dialog* Build(QPointer<Dialog>& dialog)
{
    if (Built(dialog) != nullptr)
        return dialog;
    MainWindow* main = FindMainWindow();
    dialog = new Dialog(main);
    const bool builtBefore = main != nullptr && std::exchange(detail::Dialogs::BuiltBefore(*main, dialog.data()), true);
    if (const texts::Language* language = texts::FindLanguage(g_languageCode); language != nullptr && !builtBefore)
        ApplyTo(*dialog, *language);
    return dialog;
}

OptionsWindow* Form2() { return Build(g_optionsDialog); }

AboutWindow* Form3() { return Build(g_aboutBox); }

}  // namespace

MainWindow::MainWindow(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    static const bool named = (texts::NamePictures(texts::kFrench), true);
    Q_UNUSED(named);
}

namespace detail {

void SetPendingLanguageCode(const QString& code) { g_pendingLanguageCode = code; }

void ShowMessage(Message message)
{
    const QString text = MessageText(message);
    if (g_messageHook)
        g_messageHook(message, text);
    else
        QMessageBox::warning(FindMainWindow(), QString::fromLatin1(texts::kProductName), text);
}

DiscardableWindow::DiscardableWindow(QWidget* parent) : QWidget(parent) { ui::InstallAccessibleRoles(); }

void DiscardableWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    discarded_ = event->isAccepted();
}

}  // namespace detail

QString LanguageCode() { return g_languageCode; }

void SetLanguageCode(const QString& code) { g_languageCode = code; }

QString DesktopLanguageCode()
{
    for (const QString& wanted : QLocale().uiLanguages()) {
        const QString name = wanted.section(QLatin1Char('-'), 0, 0);
        for (const texts::Language& language : texts::kLanguages)
            if (name == QLatin1String(language.locale))
                return QLatin1String(language.code);
    }
    return {};
}

void LoadSettings()
{
    const settings::ReadResult read = settings::ReadLanguageCode();
    // Nothing stored yet: the desktop's language, stored only once chosen.
    g_languageCode = read.value.isEmpty() && !read.unreadable ? DesktopLanguageCode() : read.value;
    ApplyLanguage();
    // Once the event loop runs: at start-up, the main window is up by then,
    // and later starts are answered while the message waits for the user.
    if (read.unreadable)
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { detail::ShowMessage(Message::SettingsUnreadable); }, Qt::QueuedConnection);
}

void ApplyLanguage()
{
    const texts::Language* language = texts::FindLanguage(g_languageCode);
    if (language == nullptr)
        return;
    texts::NamePictures(*language);
    // The dialogs only if they are built: they take it when they are.
    if (MainWindow* main = FindMainWindow())
        ApplyTo(*main, *language);
    if (OptionsWindow* options = Built(g_optionsDialog))
        ApplyTo(*options, *language);
    if (AboutWindow* about = Built(g_aboutBox))
        ApplyTo(*about, *language);
}

void OpenMakerSite()
{
    // No browser, no page: nothing to tell the user that they would not see.
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kMakerSite)));
}

QWidget* OptionsDialog() { return Form2(); }

QWidget* AboutBox() { return Form3(); }

void ShowOptionsDialog()
{
    OptionsWindow* dialog = Form2();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    dialog->FocusChosenFlag();
}

QString PendingLanguageCode() { return g_pendingLanguageCode; }

QString MessageText(Message message)
{
    // In the language in force; with none, in the designed French.
    const texts::Language* language = texts::FindLanguage(g_languageCode);
    const texts::MessageTexts texts = texts::MessageTextsIn(language != nullptr ? *language : texts::kFrench);
    switch (message) {
    case Message::SettingsUnreadable: return texts.unreadable;
    case Message::SettingsNotSaved: return texts.notSaved;
    }
    return {};
}

void SetMessageHook(MessageHook hook) { g_messageHook = std::move(hook); }

}  // namespace quorvel::language
