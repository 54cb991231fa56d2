// The options dialog and the about box as the user meets them, driven with
// real clicks, and where the language comes from. (The texts and face of each
// language: app_form1_test.)
#include "quorvel/language.h"
#include "quorvel/settings.h"

#include "../qt_test_main.h"

#include <QtTest>
#include <QtWidgets>

namespace lang = quorvel::language;
using lang::Message;
using Messages = QList<Message>;

namespace {

QString StoredCode() { return quorvel::settings::ReadLanguageCode().value; }
QWidget* Dialog() { return lang::OptionsDialog(); }
QWidget* Box() { return lang::AboutBox(); }
QWidget* Part(QWidget* w, const QString& name) { return w->findChild<QWidget*>(name); }
void Click(QWidget* w, const QString& name) { QTest::mouseClick(Part(w, name), Qt::LeftButton); }
void Apply(const QString& code) { lang::SetLanguageCode(code); lang::ApplyLanguage(); }

QString Texts(QWidget* window, const QStringList& controls)
{
    QStringList texts{window->windowTitle()};
    for (const QString& name : controls)
        texts << Part(window, name)->property("text").toString();
    return texts.join('|');
}

// The options dialog's state: checked option and shown marker by flag index, OK, pending code.
QString Choice()
{
    QString checked, marked;
    for (const QString i : {"0", "1", "2", "4", "5"}) {
        checked += Part(Dialog(), "Option1_" + i)->property("checked").toBool() ? i : "";
        marked += Part(Dialog(), "Image2_" + i)->isHidden() ? "" : i;
    }
    return QString("%1 option=%2 marker=%3 OK=%4 pending=%5")
        .arg(Dialog()->isVisible() ? "shown" : "hidden", checked, marked,
             Part(Dialog(), "Command4")->isEnabled() ? "on" : "off", lang::PendingLanguageCode());
}

// Stand-in main window: each control shows its own caption until a language reaches it.
struct StandIn : lang::MainWindow {
    QLabel* prompt = new QLabel("Label1_0", this);
    QPushButton* see = new QPushButton("SeeBtn", this);
    QGroupBox* frame = new QGroupBox("Frame1", this);
    QRadioButton* woman = new QRadioButton("Option2_1", frame);  // nested
    void Retranslate(const lang::MainWindowTexts& t) override
    {
        prompt->setText(t.question), frame->setTitle(t.sex), woman->setText(t.woman);
        see->setToolTip(t.seeTip.value_or(see->toolTip()));
    }
};

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT

    StandIn* form1_ = nullptr;
    Messages messages_;  // those with a text
    QList<QUrl> opened_;

    // All a language could touch in the windows, as text.
    QStringList Snapshot()
    {
        QStringList lines{form1_->windowTitle()};
        for (QWidget* w : form1_->findChildren<QWidget*>())
            for (const char* property : {"objectName", "windowTitle", "text", "toolTip", "font", "visible", "checked", "enabled"})
                lines << w->property(property).toString();
        return lines;
    }

public slots:
    void catchUrl(const QUrl& url) { opened_ << url; }

private slots:
    void init()
    {
        QVERIFY(QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).removeRecursively());
        messages_.clear();
        lang::SetMessageHook([this](Message m, const QString& text) { if (!text.isEmpty()) messages_ << m; });
        lang::SetLanguageCode(QString());
        form1_ = new StandIn;
    }

    void cleanup()
    {
        delete form1_;  // the dialogs are its children
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Unknown language codes change nothing, with a language in force or none.
    void unknownCodesChangeNothing()
    {
        for (const char* before : {"", "1"}) {
            Apply(before);
            const QStringList snapshot = Snapshot();  // with no language, not even the dialogs
            for (const char* code : {" 1", "01", "", "9"})
                Apply(code);
            QCOMPARE(Snapshot(), snapshot);
        }
    }

    // A direct option click moves the marker and leaves OK as it was; arrows
    // choose as clicks do, an option leaving OK off, a flag turning it on;
    // Cancel stores nothing and keeps the choice; a flag, then OK, stores and
    // applies. The house opens the maker's page.
    void optionsDialog()
    {
        QVERIFY(quorvel::settings::WriteLanguageCode("1"));
        lang::LoadSettings();
        // Steps ("show", "click X", "Left X": the key on X), then the dialog, the store, the language, the main window.
        const QString english = "|11|Your Country ?";
        for (auto [steps, state] : {std::pair{"show", "shown option=0 marker=0 OK=off pending=1" + english},  // the language in force
                                    {"click Option1_2", "shown option=2 marker=2 OK=off pending=0" + english},
                                    {"Right Option1_2", "shown option=4 marker=4 OK=off pending=3" + english},
                                    {"Left Option1_4", "shown option=2 marker=2 OK=off pending=0" + english},
                                    {"Left Image1_0", "shown option=5 marker=5 OK=on pending=4" + english},
                                    {"click Command5; show; click Image1_1; click Option1_5", "shown option=5 marker=5 OK=on pending=4" + english},
                                    {"click Command5", "hidden option=5 marker=5 OK=off pending=4" + english},
                                    {"show; click Image1_4", "shown option=4 marker=4 OK=on pending=3" + english},
                                    {"click Command4", QString("hidden option=4 marker=4 OK=off pending=3|33|Ihr Land ?")}}) {
            for (const QString& step : QString(steps).split("; ")) {
                QWidget* control = step == "show" ? nullptr : Part(Dialog(), step.section(' ', 1));
                if (control == nullptr) {
                    lang::ShowOptionsDialog();
                } else if (step.startsWith("click")) {
                    QTest::mouseClick(control, Qt::LeftButton);
                } else {
                    QApplication::setActiveWindow(Dialog());
                    control->setFocus();
                    QTest::keyClick(control, step.startsWith("Left") ? Qt::Key_Left : Qt::Key_Right);
                }
            }
            QCOMPARE(Choice() + '|' + StoredCode() + lang::LanguageCode() + '|' + form1_->prompt->text(), state);
        }
        QCOMPARE(messages_, Messages());
        QDesktopServices::setUrlHandler("http", this, "catchUrl");
        Click(Dialog(), "Command2");
        QDesktopServices::unsetUrlHandler("http");
        QCOMPARE(opened_, QList<QUrl>{QUrl("http://www.dravenor.example/")});
    }

    // A close box discards its window: the next use builds a fresh one with
    // its designed texts, even before the event loop has deleted the old one;
    // the about box speaks French then. Pictures for captions have names: the
    // house, each flag its language's own.
    void closeBoxDiscardsWindow()
    {
        Apply("3");
        form1_->show();
        lang::ShowOptionsDialog();
        Click(Dialog(), "Command3");
        QPointer<QWidget> box = Box(), dialog = Dialog();
        QVERIFY(box->isVisible() && dialog->isVisible() && !dialog->isModal());
        // Placed by the window manager near the main window; fixed, so nothing to maximize.
        for (QWidget* w : {Dialog(), Box()})
            QVERIFY(w->windowHandle()->transientParent() == form1_->windowHandle() && w->minimumSize() == w->maximumSize()
                    && !(w->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)));
        QVERIFY(box->close() && dialog->close());
        lang::ShowOptionsDialog();
        Click(Dialog(), "Command3");
        QVERIFY(Box() != box && Dialog() != dialog && Box()->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(box.isNull() && dialog.isNull());
        QCOMPARE(Texts(Dialog(), {"Label1_0", "Command5"}) + '|' + Part(Dialog(), "Command2")->accessibleName() + '|'
                     + Part(Dialog(), "Image1_1")->accessibleName(),
                 "Quorvel " QUORVEL_VERSION " Option|Select your Language|Cancel|Site de Dravenor|日本語");
        QCOMPARE(Choice(), "shown option= marker= OK=off pending=3");
        QCOMPARE(Texts(Box(), {"Label2", "Label3"}), "A propos de Quorvel|QV05-01 " QUORVEL_VERSION "|Made in France ^_^");
    }

    // With nothing stored, the desktop's language if it is one of ours, and
    // nothing is stored; otherwise none, and the designed texts stay. A
    // stored choice wins.
    void desktopLanguage()
    {
        for (auto [locale, chosen] : {std::pair{"es_ES", "|Label1_0"}, {"C", "|Label1_0"}, {"fr_CA", "0|Votre pays ?"},
                                      {"en_US", "1|Your Country ?"}, {"ja_JP", "2|国選択"}, {"de_AT", "3|Ihr Land ?"},
                                      {"it_IT", "4|Il vostro paese?"}}) {
            QLocale::setDefault(QLocale(locale));
            lang::LoadSettings();
            QCOMPARE(lang::LanguageCode() + '|' + form1_->prompt->text() + StoredCode(), chosen);
        }
        QVERIFY(quorvel::settings::WriteLanguageCode("1"));
        QLocale::setDefault(QLocale("de_DE"));
        lang::LoadSettings();
        QLocale::setDefault(QLocale::system());
        QCOMPARE(lang::LanguageCode(), "1");
    }

    // A damaged store: no language, and one message once the event loop
    // runs, nothing modal before; OK on a flag then applies the language for
    // this run and tells once that the store refused it.
    void loadSettings()
    {
        QVERIFY(QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).mkpath("Dravenor"));
        QFile file(qEnvironmentVariable("XDG_CONFIG_HOME") + "/Dravenor/Quorvel.conf");
        QVERIFY(file.open(QFile::WriteOnly) && file.write("[General\n") && file.flush());
        lang::LoadSettings();
        QCOMPARE(messages_, Messages());
        QCoreApplication::processEvents();
        QCOMPARE(lang::LanguageCode() + '|' + form1_->prompt->text(), "|Label1_0");
        lang::ShowOptionsDialog();
        Click(Dialog(), "Image1_4");
        Click(Dialog(), "Command4");
        QCOMPARE(lang::LanguageCode() + '|' + form1_->prompt->text(), "3|Ihr Land ?");
        QCOMPARE(messages_, (Messages{Message::SettingsUnreadable, Message::SettingsNotSaved}));
    }
};

QUORVEL_TEST_MAIN(LanguageTest, QApplication)
#include "language_test.moc"
