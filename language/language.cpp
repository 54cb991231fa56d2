#include "quorvel/language.h"

#include "quorvel/settings.h"

#include "about_box.h"
#include "detail.h"
#include "options_dialog.h"
#include "texts.h"

#include "quorvel/look.h"
#include "quorvel/picture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPointer>
#include <QUrl>

namespace quorvel::language {
namespace {

// Module state: one interface, one thread.
QString g_languageCode;
QString g_pendingLanguageCode;
QPointer<OptionsWindow> g_optionsDialog;
QPointer<AboutWindow> g_aboutBox;
MessageHook g_messageHook;

constexpr QLatin1String kMainWindowName("Form1");

// Every control of a window, in creation order, without the windows it owns
// (the dialogs are children of the main window) or their controls.
void CollectControls(QWidget* parent, QList<QWidget*>& controls)
{
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget == nullptr || widget->isWindow())
            continue;
        controls.append(widget);
        CollectControls(widget, controls);
    }
}

QList<QWidget*> Controls(QWidget* window)
{
    QList<QWidget*> controls;
    CollectControls(window, controls);
    return controls;
}

// Writes a language into one window: the interface face on every control,
// the window's texts, and for the dialogs the about text and the chosen flag.
void ApplyTo(QWidget* window, const texts::Language& language)
{
    // Texts are Unicode and Japanese is always drawn as Japanese, through a
    // Japanese face (ui::DesignFace): every language takes the same face.
    for (QWidget* control : Controls(window)) {
        QFont font = control->font();  // keeps bold, italic and hinting
        font.setFamilies({ui::DesignFace("MS UI Gothic")});
        font.setPointSizeF(9.75);
        control->setFont(font);
    }
    detail::WriteTexts(window, language);
    if (auto* options = qobject_cast<OptionsWindow*>(window))
        options->SelectOption(language.option);
}

// A dialog is built on first use. Built for the first time for its main
// window, it takes the language in force, as if it had been there when that
// was applied; built again after its close box discarded it, it shows its
// designed texts.
template <class Dialog>
QWidget* Built(const QPointer<Dialog>& dialog)
{
    return dialog.isNull() || dialog->IsDiscarded() ? nullptr : dialog.data();
}

template <class Dialog>
Dialog* Build(QPointer<Dialog>& dialog)
{
    if (Built(dialog) != nullptr)
        return dialog;
    QWidget* main = detail::MainWindow();
    dialog = new Dialog(main);
    const char* builtBefore = Dialog::staticMetaObject.className();
    const texts::Language* language = texts::FindLanguage(g_languageCode);
    if (language != nullptr && !(main && main->property(builtBefore).toBool()))
        ApplyTo(dialog, *language);
    if (main != nullptr)
        main->setProperty(builtBefore, true);
    return dialog;
}

OptionsWindow* Form2() { return Build(g_optionsDialog); }

AboutWindow* Form3() { return Build(g_aboutBox); }

}  // namespace

namespace detail {

QWidget* MainWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == kMainWindowName)
            return widget;
    return nullptr;
}

QWidget* FindControl(QWidget* window, const QString& name)
{
    for (QWidget* control : Controls(window))
        if (control->objectName() == name)
            return control;
    return nullptr;
}

void WriteTexts(QWidget* window, const texts::Language& language)
{
    const auto column = static_cast<std::size_t>(&language - texts::kLanguages.data());
    for (const texts::TextRow& row : texts::kTextRows) {
        const char* text = row.texts[column];
        if (text == nullptr || window->objectName() != QLatin1String(row.window))
            continue;
        QWidget* target = row.control == nullptr ? window : FindControl(window, QLatin1String(row.control));
        if (target != nullptr)
            target->setProperty(row.property, QString::fromUtf8(text));
    }
    if (qobject_cast<AboutWindow*>(window) != nullptr)
        if (QWidget* text = FindControl(window, QStringLiteral("Label1")))
            text->setProperty("text", QString::fromUtf8(language.about));
}

void SetPendingLanguageCode(const QString& code) { g_pendingLanguageCode = code; }

void ShowMessage(Message message)
{
    const QString text = MessageText(message);
    if (g_messageHook)
        g_messageHook(message, text);
    else
        QMessageBox::warning(MainWindow(), QString::fromLatin1(texts::kProductName), text);
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
    static constexpr std::pair<const char*, const char*> kCodes[] = {
        {"fr", "0"}, {"en", "1"}, {"ja", "2"}, {"de", "3"}, {"it", "4"}};
    for (const QString& wanted : QLocale().uiLanguages()) {
        const QString language = wanted.section(QLatin1Char('-'), 0, 0);
        for (const auto& [name, code] : kCodes)
            if (language == QLatin1String(name))
                return QLatin1String(code);
    }
    return {};
}

void LoadSettings()
{
    const settings::ReadResult read = settings::ReadLanguageCode();
    // Nothing stored yet: the desktop's language, stored only once chosen.
    g_languageCode = read.value.isEmpty() && !read.unreadable ? DesktopLanguageCode() : read.value;
    ApplyLanguage();
    if (read.unreadable)
        detail::ShowMessage(Message::SettingsUnreadable);
}

void ApplyLanguage()
{
    const texts::Language* language = texts::FindLanguage(g_languageCode);
    if (language == nullptr)
        return;
    const auto column = static_cast<std::size_t>(language - texts::kLanguages.data());
    for (const texts::ArtName& art : texts::kArtNames)
        ui::SetNameOf(art.art, QString::fromUtf8(art.names[column]));
    // The dialogs only if they are built: they take it when they are.
    for (QWidget* window : {detail::MainWindow(), Built(g_optionsDialog), Built(g_aboutBox)})
        if (window != nullptr)
            ApplyTo(window, *language);
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
    switch (message) {
    case Message::SettingsUnreadable:
        return QStringLiteral("The saved interface language could not be read. "
                              "Quorvel shows its default texts.");
    case Message::SettingsNotSaved:
        return QStringLiteral("The chosen interface language could not be saved. "
                              "It stays in use until Quorvel ends.");
    }
    return {};
}

void SetMessageHook(MessageHook hook) { g_messageHook = std::move(hook); }

}  // namespace quorvel::language
