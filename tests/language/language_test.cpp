// Interface languages as the user meets them: texts, fonts, the options
// dialog and the about box, driven with real clicks.
#include "quorvel/language.h"
#include "quorvel/settings.h"

#include <QtTest>
#include <QtWidgets>

namespace lang = quorvel::language;
using lang::Message;
using Messages = QList<Message>;

namespace {

QTemporaryDir* g_root = nullptr;

// Writes the user's store, with a fresh time stamp so QSettings reads it again.
void Store(const QByteArray& content)
{
    static int tick = 0;
    QFile file(g_root->filePath(QStringLiteral("user/Dravenor/Quorvel.conf")));
    QVERIFY(QDir().mkpath(QFileInfo(file).absolutePath()));
    QVERIFY(file.open(QFile::WriteOnly) && file.write(content) == content.size() && file.flush());
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(++tick),
                             QFileDevice::FileModificationTime));
}

QByteArray Value(const QByteArray& code) { return "[General]\nLanguage=" + code + "\n"; }
QString StoredCode() { return quorvel::settings::ReadLanguageCode().value; }

// A button's or label's text, a frame's title.
QString TextOf(const QWidget* w)
{
    return w->property(qobject_cast<const QGroupBox*>(w) ? "title" : "text").toString();
}

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT

    // Stand-in for the main window: only its objectNames matter here.
    QWidget* form1_ = nullptr;
    QLabel* prompt_ = nullptr;
    QPushButton* see_ = nullptr;
    Messages messages_;
    QList<QUrl> opened_;

    QWidget* Dialog() { return lang::OptionsDialog(); }
    QWidget* Box() { return lang::AboutBox(); }
    QWidget* Part(QWidget* w, const QString& name) { return w->findChild<QWidget*>(name); }

    QStringList Texts(QWidget* window, const QStringList& controls)
    {
        QStringList texts;
        for (const QString& name : controls)
            texts << TextOf(Part(window, name));
        return texts;
    }

    // All a language could touch in the three windows, as text.
    QStringList Snapshot()
    {
        QStringList lines{form1_->windowTitle()};
        for (QWidget* w : form1_->findChildren<QWidget*>())
            lines << QStringList{w->objectName(), w->windowTitle(), TextOf(w), w->toolTip(),
                                 w->font().toString(), w->property("visible").toString(),
                                 w->property("checked").toString(),
                                 w->property("enabled").toString()}
                         .join('|');
        return lines;
    }

    // The options dialog: shown or hidden, its checked options and shown
    // markers by flag index, OK, and the pending code.
    QString Choice()
    {
        QStringList checked, marked;
        for (const QString i : {"0", "1", "2", "4", "5"}) {
            if (Part(Dialog(), "Option1_" + i)->property("checked").toBool())
                checked << i;
            if (!Part(Dialog(), "Image2_" + i)->isHidden())
                marked << i;
        }
        return QStringLiteral("%1 option=%2 marker=%3 OK=%4 pending=%5")
            .arg(Dialog()->isVisible() ? "shown" : "hidden", checked.join(','), marked.join(','),
                 Part(Dialog(), QStringLiteral("Command4"))->isEnabled() ? "on" : "off",
                 lang::PendingLanguageCode());
    }

    void Click(QWidget* window, const QString& name)
    {
        QWidget* target = Part(window, name);
        QVERIFY2(target != nullptr, qPrintable(name));
        QTest::mouseClick(target, Qt::LeftButton);
    }

    void Apply(const QString& code)
    {
        lang::SetLanguageCode(code);
        lang::ApplyLanguage();
    }

public slots:
    void catchUrl(const QUrl& url) { opened_ << url; }

private slots:
    void init()
    {
        QVERIFY(QDir(g_root->filePath(QStringLiteral("user"))).removeRecursively());
        messages_.clear();
        opened_.clear();
        lang::SetMessageHook([this](Message message, const QString& text) {
            QVERIFY(!text.isEmpty());
            messages_ << message;
        });
        lang::SetLanguageCode(QString());

        // Each control shows its own name until a language reaches it.
        auto make = [](auto* widget, const char* name) {
            widget->setObjectName(QLatin1String(name));
            widget->setProperty(qobject_cast<QGroupBox*>(widget) ? "title" : "text", name);
            return widget;
        };
        form1_ = make(new QWidget, "Form1");
        prompt_ = make(new QLabel(form1_), "Label1_0");
        see_ = make(new QPushButton(form1_), "SeeBtn");
        see_->setFont(QFont(QStringLiteral("MS Sans Serif"), 12, QFont::Bold));
        connect(make(new QPushButton(form1_), "Tool"), &QPushButton::clicked,
                [] { lang::ShowOptionsDialog(); });
        make(new QPushButton(form1_), "Command1");
        make(new QRadioButton(make(new QGroupBox(form1_), "Frame1")), "Option2_1");  // nested
    }

    void cleanup()
    {
        delete form1_;  // the dialogs are its children
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        lang::SetMessageHook({});
    }

    // --- applying a language ---------------------------------------------

    void applyLanguage_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("flag");
        // The main window's question, frame and woman; the dialog's title.
        QTest::addColumn<QStringList>("texts");
        // The about text's lines: S statement, . empty, E the English notice,
        // N a notice in the language, J a Japanese paragraph.
        QTest::addColumn<QString>("about");
        QTest::newRow("French")
            << "0" << 2 << QStringList{"Votre pays ?", "Sexe", "Femme", "Option de Quorvel"}
            << "S.E";
        QTest::newRow("English")
            << "1" << 0 << QStringList{"Your Country ?", "sex", "Woman", "Quorvel Option"}
            << "S.E";
        QTest::newRow("Japanese")
            << "2" << 1 << QStringList{"国選択", "性別", "女", "Quorvel オプション"} << "JEJ";
        QTest::newRow("German")
            << "3" << 4 << QStringList{"Ihr Land ?", "Geschlecht", "Frau", "Quorvel Wahl"}
            << "S..N";
        QTest::newRow("Italian")
            << "4" << 5 << QStringList{"Il vostro paese?", "sesso", "Doman", "Opzione di Quorvel"}
            << "S.N";
    }

    void applyLanguage()
    {
        QFETCH(QString, code);
        QFETCH(int, flag);
        QFETCH(QStringList, texts);
        QFETCH(QString, about);
        Apply(code);
        QCOMPARE(Texts(form1_, {"Label1_0", "Frame1", "Option2_1"}) << Dialog()->windowTitle(),
                 texts);
        const QRegularExpression japanese(QStringLiteral("[\u3040-\u30ff\u4e00-\u9fff]"));
        QString shape;
        for (const QString& line : TextOf(Part(Box(), QStringLiteral("Label1"))).split('\n'))
            shape += line.isEmpty()                                        ? '.'
                     : line == "Copyright © Dravenor. All rights reserved." ? 'E'
                     : line.startsWith("Copyright © Dravenor. ")            ? 'N'
                     : line.contains(japanese)                              ? 'J'
                                                                            : 'S';
        QCOMPARE(shape, about);
        QCOMPARE(Choice(),  // marked, not shown, OK untouched
                 QString("hidden option=%1 marker=%1 OK=off pending=%2").arg(flag).arg(code));
    }

    void unknownCodeChangesNothing_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("code");
        for (const char* before : {"", "1"})
            for (const char* code : {" 1", "01", "", "9"})
                QTest::addRow("'%s' after '%s'", code, before) << before << code;
    }

    void unknownCodeChangesNothing()
    {
        QFETCH(QString, before);
        QFETCH(QString, code);
        Apply(before);
        const QStringList snapshot = Snapshot();  // with no language, not even the dialogs
        Apply(code);
        QCOMPARE(Snapshot(), snapshot);
    }

    // Japanese has no tool tips of its own: those of the language before stay.
    void japaneseKeepsTheToolTipsBefore()
    {
        const auto tips = [this] {
            return QStringList{see_->text(), see_->toolTip(), Part(form1_, "Tool")->toolTip(),
                               Part(form1_, "Command1")->toolTip()};
        };
        Apply(QStringLiteral("2"));
        QCOMPARE(tips(), (QStringList{"サイズを見る", "", "", ""}));
        Apply(QStringLiteral("1"));
        Apply(QStringLiteral("2"));
        QCOMPARE(tips(), (QStringList{"サイズを見る", "To see the result", "Option", "End"}));
    }

    void aboutRoutinesIgnoreUnknownKeys()
    {
        QWidget* label = Part(Box(), QStringLiteral("Label1"));
        lang::SetAboutTextByLetter(QStringLiteral("B"));
        const QString english = TextOf(label);
        for (const char* key : {"D", "b", "", "AB", " A"})
            lang::SetAboutTextByLetter(QLatin1String(key));
        for (int number : {2, -1, 100})
            lang::SetAboutTextByNumber(number);
        QCOMPARE(TextOf(label), english);
    }

    // --- fonts -----------------------------------------------------------

    void fontModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("Western") << 0;
        QTest::newRow("Japanese") << 1;
    }

    void fontModes()
    {
        QFETCH(int, mode);
        Dialog();  // built first, so that "no change" is seen on them too
        Box();
        const QStringList snapshot = Snapshot();
        lang::SetInterfaceFont(2);
        lang::SetInterfaceFont(-1);
        QCOMPARE(Snapshot(), snapshot);  // other modes change nothing
        lang::SetInterfaceFont(mode);
        for (QWidget* control : form1_->findChildren<QWidget*>()) {
            const QFont font = control->font();
            if (!control->isWindow())  // every control of the three windows
                QCOMPARE(font.family() + ' ' + QString::number(font.pointSizeF()),
                         QStringLiteral("MS UI Gothic 9.75"));
        }
        QVERIFY(see_->font().bold());  // bold kept, not added
        QVERIFY(!Part(Dialog(), QStringLiteral("Command5"))->font().bold());
    }

    void japaneseTextGetsAJapaneseFace()
    {
        const QStringList faces{"IPAPGothic", "IPAGothic", "Noto Sans CJK JP"};
        if (std::ranges::none_of(faces, &QFontDatabase::hasFamily))
            QSKIP("no Japanese gothic face installed");
        Apply(QStringLiteral("2"));
        const QFontInfo face(prompt_->font());
        QVERIFY2(faces.contains(face.family()), qPrintable(face.family()));
        QVERIFY(QFontMetrics(prompt_->font()).inFontUcs4(U'国'));
    }

    // --- the options dialog ----------------------------------------------

    void flagThenOk_data() { applyLanguage_data(); }

    void flagThenOk()
    {
        QFETCH(QString, code);
        QFETCH(int, flag);
        QFETCH(QStringList, texts);
        lang::ShowOptionsDialog();
        Click(Dialog(), QStringLiteral("Image1_%1").arg(flag));
        const QString chosen = QStringLiteral("option=%1 marker=%1 OK=%2 pending=%3");
        QCOMPARE(Choice(), "shown " + chosen.arg(flag).arg("on", code));
        QCOMPARE(StoredCode(), QString());  // not before OK
        Click(Dialog(), QStringLiteral("Command4"));
        QCOMPARE((QStringList{StoredCode(), lang::LanguageCode(), prompt_->text()}),
                 (QStringList{code, code, texts.first()}));
        QCOMPARE(Choice(), "hidden " + chosen.arg(flag).arg("off", code));
        QCOMPARE(messages_, Messages());
    }

    // A direct option click moves the marker and leaves OK as it was; Cancel
    // stores nothing, and the dialog keeps the choice.
    void optionClicksThenCancel()
    {
        Store(Value("1"));
        lang::LoadSettings();
        lang::ShowOptionsDialog();
        QCOMPARE(Choice(), "shown option=0 marker=0 OK=off pending=1");  // the language in force
        Click(Dialog(), QStringLiteral("Option1_2"));
        QCOMPARE(Choice(), "shown option=2 marker=2 OK=off pending=0");
        Click(Dialog(), QStringLiteral("Image1_1"));
        Click(Dialog(), QStringLiteral("Option1_5"));
        QCOMPARE(Choice(), "shown option=5 marker=5 OK=on pending=4");
        Click(Dialog(), QStringLiteral("Command5"));
        QCOMPARE(Choice(), "hidden option=5 marker=5 OK=off pending=4");
        QCOMPARE((QStringList{StoredCode(), lang::LanguageCode(), prompt_->text()}),
                 (QStringList{"1", "1", "Your Country ?"}));
        lang::ShowOptionsDialog();
        QCOMPARE(Choice(), "shown option=5 marker=5 OK=off pending=4");
    }

    // A close box discards its window: the next use builds a fresh one with
    // its designed texts, even before the event loop has deleted the old one.
    void closeBoxDiscardsWindow()
    {
        Apply(QStringLiteral("3"));
        Click(form1_, QStringLiteral("Tool"));
        Click(Dialog(), QStringLiteral("Command3"));
        QPointer<QWidget> box = Box();
        QPointer<QWidget> dialog = Dialog();
        QVERIFY(box->isVisible() && dialog->isVisible() && !dialog->isModal());
        QVERIFY(box->close() && dialog->close());
        Click(form1_, QStringLiteral("Tool"));
        Click(Dialog(), QStringLiteral("Command3"));
        QVERIFY(Box() != box && Dialog() != dialog && Box()->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(box.isNull() && dialog.isNull());
        QCOMPARE(Texts(Dialog(), {"Label1_0", "Command3", "Command5"}) << Dialog()->windowTitle(),
                 (QStringList{"Select your Language", "About of", "Cancel", "Quorvel 0.1 Option"}));
        QCOMPARE(Choice(), "shown option= marker= OK=off pending=3");
        QCOMPARE(Texts(Box(), {"Label1", "Label2", "Label3"}) << Box()->windowTitle(),
                 (QStringList{"Label1", "Label2", "Made in France ^_^", "About Of"}));
        Apply(QStringLiteral("3"));  // and the languages reach the fresh ones
        QCOMPARE(Dialog()->windowTitle() + " / " + Box()->windowTitle(),
                 "Quorvel Wahl / Über von Quorvel");
    }

    void houseButtonOpensMakerSite()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "catchUrl");
        lang::ShowOptionsDialog();
        const QStringList before = Snapshot();
        Click(Dialog(), QStringLiteral("Command2"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QCOMPARE(opened_, QList<QUrl>{QUrl(QStringLiteral("http://www.dravenor.example/"))});
        QCOMPARE(Snapshot(), before);
        QCOMPARE(messages_, Messages());
    }

    // --- the remembered language and the two messages -------------------

    void loadSettings_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<Messages>("messages");
        QTest::newRow("nothing stored") << QByteArray() << "Label1_0" << Messages();
        QTest::newRow("Japanese") << Value("2") << "国選択" << Messages();
        QTest::newRow("unknown code") << Value("\" 1\"") << "Label1_0" << Messages();
        QTest::newRow("damaged") << QByteArray("[General\nLanguage=2\n") << "Label1_0"
                                 << Messages{Message::SettingsUnreadable};
    }

    void loadSettings()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, prompt);
        QFETCH(Messages, messages);
        if (!stored.isNull())
            Store(stored);
        lang::LoadSettings();
        QCOMPARE(prompt_->text() + " / " + form1_->windowTitle(), prompt + " / Quorvel");
        QCOMPARE(messages_, messages);
    }

    void okWhenTheStoreRefuses()
    {
        // A file where the store's folder should be: nothing can be saved.
        QVERIFY(QDir().mkpath(g_root->filePath(QStringLiteral("user"))));
        QFile blocker(g_root->filePath(QStringLiteral("user/Dravenor")));
        QVERIFY(blocker.open(QFile::WriteOnly));
        lang::ShowOptionsDialog();
        Click(Dialog(), QStringLiteral("Image1_4"));
        Click(Dialog(), QStringLiteral("Command4"));
        QCOMPARE(messages_, Messages{Message::SettingsNotSaved});
        QCOMPARE(lang::LanguageCode() + " / " + prompt_->text(), "3 / Ihr Land ?");  // this run
        QCOMPARE(Choice(), "hidden option=4 marker=4 OK=off pending=3");
    }
};

int main(int argc, char** argv)
{
    // The dialog writes the user's store: keep it, and the machine's, private.
    QTemporaryDir root;
    if (!root.isValid())
        return 1;
    g_root = &root;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.filePath(QStringLiteral("user"))));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(root.filePath(QStringLiteral("machine"))));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lang::InstallFontSubstitutes();
    LanguageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "language_test.moc"
