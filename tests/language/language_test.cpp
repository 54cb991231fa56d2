// Interface languages: texts landing in the windows, fonts, the options
// dialog and the about box, driven as the user drives them.
#include "quorvel/language.h"
#include "quorvel/settings.h"

#include <QApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

namespace lang = quorvel::language;
using lang::Message;

namespace {

QTemporaryDir* g_root = nullptr;

QString UserFile() { return g_root->filePath(QStringLiteral("user/Dravenor/Quorvel.conf")); }

void Store(const QByteArray& content)
{
    static int tick = 0;
    QVERIFY(QDir().mkpath(QFileInfo(UserFile()).absolutePath()));
    QFile file(UserFile());
    QVERIFY(file.open(QFile::WriteOnly | QFile::Truncate));
    QCOMPARE(file.write(content), content.size());
    QVERIFY(file.flush());  // or the close would stamp the time again
    // A fresh time stamp each, or QSettings may trust its parsed copy.
    QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(++tick),
                             QFileDevice::FileModificationTime));
}

QString TextOf(const QWidget* widget)
{
    if (auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (auto* frame = qobject_cast<const QGroupBox*>(widget))
        return frame->title();
    return {};
}

// Everything a language could touch in the three windows, as text.
QStringList Snapshot()
{
    QStringList lines;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->objectName().startsWith(QLatin1String("Form")))
            continue;
        lines << window->objectName() + QLatin1String(" title ") + window->windowTitle();
        for (QWidget* w : window->findChildren<QWidget*>()) {
            auto* button = qobject_cast<QAbstractButton*>(w);
            lines << QStringList{window->objectName(), w->objectName(), TextOf(w), w->toolTip(),
                                 w->font().toString(), QString::number(w->isHidden()),
                                 QString::number(button != nullptr && button->isChecked()),
                                 QString::number(w->isEnabled())}
                         .join(QLatin1Char('|'));
        }
    }
    lines.sort();
    return lines;
}

bool HasJapanese(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) {
        return (c.unicode() >= 0x3040 && c.unicode() <= 0x30ff) ||
               (c.unicode() >= 0x4e00 && c.unicode() <= 0x9fff);
    });
}

}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT

    // Stand-in for the main window: only its objectNames matter here.
    QWidget* form1_ = nullptr;
    QLabel* prompt_ = nullptr;
    QPushButton* see_ = nullptr;
    QPushButton* tool_ = nullptr;
    QPushButton* exit_ = nullptr;
    QRadioButton* clothes_ = nullptr;
    QGroupBox* sex_ = nullptr;
    QRadioButton* man_ = nullptr;
    QRadioButton* woman_ = nullptr;
    QList<Message> messages_;
    QList<QUrl> opened_;

    template <typename T = QWidget>
    T* Part(QWidget* window, const char* name)
    {
        return window->findChild<T*>(QLatin1String(name));
    }

    QWidget* Dialog() { return lang::OptionsDialog(); }
    QWidget* Box() { return lang::AboutBox(); }

    // The one flag index whose control passes `test`: -1 for none, -2 for
    // more than one.
    template <typename T = QWidget, typename Test>
    int OnlyOne(const char* stem, Test test)
    {
        int found = -1;
        for (int i : {0, 1, 2, 4, 5})
            if (test(Part<T>(Dialog(), qPrintable(QStringLiteral("%1_%2").arg(stem).arg(i)))))
                found = found == -1 ? i : -2;
        return found;
    }
    int CheckedOption()
    {
        return OnlyOne<QRadioButton>("Option1", [](QRadioButton* b) { return b->isChecked(); });
    }
    int VisibleMarker()
    {
        return OnlyOne("Image2", [](QWidget* w) { return !w->isHidden(); });
    }

    // A dialog as it is built, before any language reaches it.
    void VerifyDesignedDialog(QWidget* dialog)
    {
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Quorvel 0.1 Option"));
        QCOMPARE(TextOf(Part(dialog, "Label1_0")), QStringLiteral("Select your Language"));
        QCOMPARE(TextOf(Part(dialog, "Command3")), QStringLiteral("About of"));
        QCOMPARE(TextOf(Part(dialog, "Command5")), QStringLiteral("Cancel"));
        QCOMPARE(CheckedOption(), -1);
        QCOMPARE(VisibleMarker(), -1);
        QVERIFY(!Part(dialog, "Command4")->isEnabled());
    }

    void Click(QWidget* window, const char* name)
    {
        QWidget* target = Part(window, name);
        QVERIFY2(target != nullptr, name);
        QTest::mouseClick(target, Qt::LeftButton);
    }

    void ClickFlag(int index)
    {
        Click(Dialog(), qPrintable(QStringLiteral("Image1_%1").arg(index)));
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

        form1_ = new QWidget;
        form1_->setObjectName(QStringLiteral("Form1"));
        form1_->setWindowTitle(QStringLiteral("untitled"));
        auto make = [this](auto* widget, const char* name, const QString& text = {}) {
            widget->setObjectName(QLatin1String(name));
            if constexpr (requires { widget->setText(text); })
                widget->setText(text);
            return widget;
        };
        prompt_ = make(new QLabel(form1_), "Label1_0", QStringLiteral("Votre pays ?"));
        see_ = make(new QPushButton(form1_), "SeeBtn", QStringLiteral("Voir"));
        see_->setFont(QFont(QStringLiteral("MS Sans Serif"), 12, QFont::Bold));
        tool_ = make(new QPushButton(form1_), "Tool");
        exit_ = make(new QPushButton(form1_), "Command1", QStringLiteral("X"));
        clothes_ = make(new QRadioButton(form1_), "Option1_0");
        sex_ = make(new QGroupBox(QStringLiteral("Sexe"), form1_), "Frame1");
        man_ = make(new QRadioButton(sex_), "Option2_0", QStringLiteral("Homme"));
        woman_ = make(new QRadioButton(sex_), "Option2_1", QStringLiteral("Femme"));
        connect(tool_, &QPushButton::clicked, [] { lang::ShowOptionsDialog(); });
    }

    void cleanup()
    {
        // The dialogs are the main window's and go with it.
        delete form1_;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        lang::SetMessageHook({});
    }

    // --- texts -----------------------------------------------------------

    void texts_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");  // empty: the window's title
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("expected");

        QTest::newRow("fr result tip") << "0" << "Form1" << "SeeBtn" << "tip" << "Voir le résutat";
        QTest::newRow("fr cancel") << "0" << "Form2" << "Command5" << "text" << "Annulé\"";
        QTest::newRow("en frame") << "1" << "Form1" << "Frame1" << "text" << "sex";
        QTest::newRow("en exit tip") << "1" << "Form1" << "Command1" << "tip" << "End";
        QTest::newRow("ja prompt") << "2" << "Form1" << "Label1_0" << "text" << "国選択";
        QTest::newRow("ja result") << "2" << "Form1" << "SeeBtn" << "text" << "サイズを見る";
        QTest::newRow("ja options title") << "2" << "Form2" << "" << "text" << "Quorvel オプション";
        QTest::newRow("ja about button") << "2" << "Form2" << "Command3" << "text"
                                         << "Quorvelについて";
        QTest::newRow("de about title") << "3" << "Form3" << "" << "text" << "Über von Quorvel";
        QTest::newRow("de options prompt") << "3" << "Form2" << "Label1_0" << "text"
                                           << "Wählen Sie Ihre Sprache vor";
        QTest::newRow("it woman") << "4" << "Form1" << "Option2_1" << "text" << "Doman";
        QTest::newRow("it result") << "4" << "Form1" << "SeeBtn" << "text" << "Per vedere?";
        QTest::newRow("it options title") << "4" << "Form2" << "" << "text"
                                          << "Opzione di Quorvel";
        for (const char* code : {"0", "1", "2", "3", "4"})
            QTest::addRow("version %s", code)
                << code << "Form3" << "Label2" << "text" << "QV05-01 0.1";
    }

    void texts()
    {
        QFETCH(QString, code);
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, property);
        QFETCH(QString, expected);

        Apply(code);
        QWidget* target = window == QLatin1String("Form1")   ? form1_
                          : window == QLatin1String("Form2") ? Dialog()
                                                             : Box();
        if (!control.isEmpty())
            target = target->findChild<QWidget*>(control);
        QVERIFY(target != nullptr);
        const QString actual = control.isEmpty()       ? target->windowTitle()
                               : property == QLatin1String("tip") ? target->toolTip()
                                                                  : TextOf(target);
        QCOMPARE(actual, expected);
        QCOMPARE(form1_->windowTitle(), QStringLiteral("Quorvel"));
    }

    void markedOption_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("option");
        QTest::newRow("French") << "0" << 2;
        QTest::newRow("English") << "1" << 0;
        QTest::newRow("Japanese") << "2" << 1;
        QTest::newRow("German") << "3" << 4;
        QTest::newRow("Italian") << "4" << 5;
    }

    void markedOption()
    {
        QFETCH(QString, code);
        QFETCH(int, option);
        Apply(code);
        QCOMPARE(CheckedOption(), option);
        QCOMPARE(VisibleMarker(), option);
        QCOMPARE(lang::PendingLanguageCode(), code);
        QVERIFY(!Part(Dialog(), "Command4")->isEnabled());
        QVERIFY(Dialog()->isHidden());
    }

    void unknownCodeChangesNothing_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("code");
        for (const char* before : {"", "1"}) {
            for (const char* code : {" 1", "01", "", "9", "5", "1 ", "\xef\xbc\x91", "A"})
                QTest::addRow("%s after '%s'", code, before)
                    << QString::fromUtf8(before) << QString::fromUtf8(code);
        }
    }

    void unknownCodeChangesNothing()
    {
        QFETCH(QString, before);
        QFETCH(QString, code);
        Apply(before);
        const QStringList snapshot = Snapshot();
        Apply(code);
        QCOMPARE(Snapshot(), snapshot);
        if (before.isEmpty()) {
            // Not even the dialogs were built.
            QVERIFY(form1_->findChild<QWidget*>(QStringLiteral("Form2")) == nullptr);
            QVERIFY(form1_->findChild<QWidget*>(QStringLiteral("Form3")) == nullptr);
            QCOMPARE(prompt_->text(), QStringLiteral("Votre pays ?"));
        }
    }

    void dashKeepsPreviousToolTips_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("seeTip");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QString>("exitTip");
        QTest::newRow("English then Japanese") << "1" << "To see the result" << "Option" << "End";
        QTest::newRow("German then Japanese") << "3" << "Das Resultat sehen" << "Wahl" << "Ende";
        QTest::newRow("Japanese first") << "" << "" << "" << "";
    }

    void dashKeepsPreviousToolTips()
    {
        QFETCH(QString, first);
        QFETCH(QString, seeTip);
        QFETCH(QString, toolTip);
        QFETCH(QString, exitTip);
        Apply(first);
        Apply(QStringLiteral("2"));
        QCOMPARE(see_->text(), QStringLiteral("サイズを見る"));
        QCOMPARE(see_->toolTip(), seeTip);
        QCOMPARE(tool_->toolTip(), toolTip);
        QCOMPARE(exit_->toolTip(), exitTip);
    }

    // --- about texts -----------------------------------------------------

    void aboutText_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QList<int>>("emptyLines");
        QTest::addColumn<int>("noticeLine");
        QTest::addColumn<QString>("noticeWord");
        QTest::addColumn<int>("lineCount");
        QTest::newRow("French") << "0" << QList<int>{1} << 2 << "rights" << 3;
        QTest::newRow("English") << "1" << QList<int>{1} << 2 << "rights" << 3;
        QTest::newRow("Japanese") << "2" << QList<int>{} << 1 << "rights" << 3;
        QTest::newRow("German") << "3" << QList<int>{1, 2} << 3 << "Rechte" << 4;
        QTest::newRow("Italian") << "4" << QList<int>{1} << 2 << "diritti" << 3;
    }

    void aboutText()
    {
        QFETCH(QString, code);
        QFETCH(QList<int>, emptyLines);
        QFETCH(int, noticeLine);
        QFETCH(QString, noticeWord);
        QFETCH(int, lineCount);

        Apply(code);
        auto* label = Part<QLabel>(Box(), "Label1");
        const QString text = label->text();
        QVERIFY2(!text.contains(QLatin1Char('\r')), "a stray carriage return shows as a glyph");
        const QStringList lines = text.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), lineCount);
        for (int i = 0; i < lines.size(); ++i)
            QCOMPARE(lines[i].isEmpty(), emptyLines.contains(i));
        QVERIFY(lines[noticeLine].contains(noticeWord));
        QVERIFY(lines[noticeLine].contains(QLatin1String("Dravenor")));
        if (code == QLatin1String("2")) {
            QVERIFY(HasJapanese(lines[0]));
            QVERIFY(HasJapanese(lines[2]));
            QVERIFY(!HasJapanese(lines[1]));
        } else {
            QVERIFY(lines[0].size() > 20);
        }
        // The label draws each line as a line.
        const int needed = lineCount * QFontMetrics(label->font()).lineSpacing();
        QVERIFY(label->heightForWidth(label->width()) >= needed);
    }

    void aboutRoutinesIgnoreUnknownKeys()
    {
        auto* label = Part<QLabel>(Box(), "Label1");
        QCOMPARE(label->text(), QStringLiteral("Label1"));
        lang::SetAboutTextByLetter(QStringLiteral("B"));
        const QString english = label->text();
        QVERIFY(english != QLatin1String("Label1"));
        for (const char* key : {"D", "b", "", "AB", " A"})
            lang::SetAboutTextByLetter(QLatin1String(key));
        for (int number : {2, -1, 100})
            lang::SetAboutTextByNumber(number);
        QCOMPARE(label->text(), english);
        lang::SetAboutTextByNumber(0);
        QVERIFY(label->text() != english);
    }

    // --- fonts -----------------------------------------------------------

    void fontModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("changes");
        QTest::newRow("Western") << 0 << true;
        QTest::newRow("Japanese") << 1 << true;
        QTest::newRow("2") << 2 << false;
        QTest::newRow("-1") << -1 << false;
    }

    void fontModes()
    {
        QFETCH(int, mode);
        QFETCH(bool, changes);
        // The dialogs exist first so that "no change" can be seen on them too.
        Dialog();
        Box();
        const QStringList snapshot = Snapshot();
        lang::SetInterfaceFont(mode);
        if (!changes) {
            QCOMPARE(Snapshot(), snapshot);
            return;
        }
        for (QWidget* window : {form1_, Dialog(), Box()}) {
            for (QWidget* control : window->findChildren<QWidget*>()) {
                if (control->window() != window)
                    continue;  // the dialogs, owned by the main window
                QCOMPARE(control->font().family(), QStringLiteral("MS UI Gothic"));
                QCOMPARE(control->font().pointSizeF(), 9.75);
            }
        }
        QVERIFY(see_->font().bold());
        QVERIFY(Part(Dialog(), "Label1_0")->font().bold());
        QVERIFY(!Part(Dialog(), "Command5")->font().bold());
    }

    void japaneseFaceIsPreferred()
    {
        const QStringList japanese{QStringLiteral("IPAGothic"), QStringLiteral("IPAPGothic"),
                                   QStringLiteral("Noto Sans CJK JP")};
        const QStringList installed = QFontDatabase::families();
        if (std::none_of(japanese.cbegin(), japanese.cend(),
                         [&](const QString& f) { return installed.contains(f); }))
            QSKIP("no Japanese gothic face installed");
        for (int mode : {1, 0}) {
            Apply(mode == 1 ? QStringLiteral("2") : QStringLiteral("1"));
            const QFontInfo face(prompt_->font());
            QVERIFY2(japanese.contains(face.family()), qPrintable(face.family()));
            QVERIFY(QFontMetrics(prompt_->font()).inFontUcs4(U'国'));
        }
    }

    // --- the options dialog ----------------------------------------------

    void dialogFirstShown()
    {
        QTest::mouseClick(tool_, Qt::LeftButton);
        QWidget* dialog = Dialog();
        VerifyDesignedDialog(dialog);
        QCOMPARE(dialog->size(), QSize(480, 169));
        QCOMPARE(lang::PendingLanguageCode(), QString());
        QCOMPARE(form1_->windowTitle(), QStringLiteral("Quorvel"));
        QVERIFY(!dialog->isModal());
        QTest::mouseClick(tool_, Qt::LeftButton);
        QCOMPARE(Dialog(), dialog);
    }

    void flagThenOk_data()
    {
        QTest::addColumn<int>("flag");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("United Kingdom") << 0 << "1" << "Your Country ?";
        QTest::newRow("Japan") << 1 << "2" << "国選択";
        QTest::newRow("France") << 2 << "0" << "Votre pays ?";
        QTest::newRow("Germany") << 4 << "3" << "Ihr Land ?";
        QTest::newRow("Italy") << 5 << "4" << "Il vostro paese?";
    }

    void flagThenOk()
    {
        QFETCH(int, flag);
        QFETCH(QString, code);
        QFETCH(QString, prompt);

        prompt_->setText(QStringLiteral("designed"));
        lang::ShowOptionsDialog();
        ClickFlag(flag);
        QCOMPARE(CheckedOption(), flag);
        QCOMPARE(VisibleMarker(), flag);
        QCOMPARE(lang::PendingLanguageCode(), code);
        QVERIFY(Part(Dialog(), "Command4")->isEnabled());
        QCOMPARE(quorvel::settings::ReadLanguageCode().value, QString());  // not yet

        Click(Dialog(), "Command4");
        QCOMPARE(quorvel::settings::ReadLanguageCode().value, code);
        QCOMPARE(lang::LanguageCode(), code);
        QCOMPARE(prompt_->text(), prompt);
        QVERIFY(Dialog()->isHidden());
        QVERIFY(!Part(Dialog(), "Command4")->isEnabled());
        QCOMPARE(CheckedOption(), flag);
        QCOMPARE(messages_, QList<Message>());
    }

    void flagThenCancel()
    {
        Store("[General]\nLanguage=1\n");
        lang::LoadSettings();
        QCOMPARE(prompt_->text(), QStringLiteral("Your Country ?"));

        lang::ShowOptionsDialog();
        QCOMPARE(CheckedOption(), 0);  // marked by the language in force
        QVERIFY(!Part(Dialog(), "Command4")->isEnabled());
        ClickFlag(1);
        Click(Dialog(), "Command5");
        QVERIFY(Dialog()->isHidden());
        QCOMPARE(quorvel::settings::ReadLanguageCode().value, QStringLiteral("1"));
        QCOMPARE(lang::LanguageCode(), QStringLiteral("1"));
        QCOMPARE(prompt_->text(), QStringLiteral("Your Country ?"));

        // Shown again, it still shows the cancelled choice.
        lang::ShowOptionsDialog();
        QCOMPARE(CheckedOption(), 1);
        QCOMPARE(VisibleMarker(), 1);
        QVERIFY(!Part(Dialog(), "Command4")->isEnabled());
    }

    void optionClickLeavesOk()
    {
        lang::ShowOptionsDialog();
        Click(Dialog(), "Option1_2");
        QCOMPARE(CheckedOption(), 2);
        QCOMPARE(VisibleMarker(), 2);
        QCOMPARE(lang::PendingLanguageCode(), QStringLiteral("0"));
        QVERIFY(!Part(Dialog(), "Command4")->isEnabled());

        ClickFlag(4);
        Click(Dialog(), "Option1_5");
        QCOMPARE(VisibleMarker(), 5);
        QCOMPARE(lang::PendingLanguageCode(), QStringLiteral("4"));
        QVERIFY(Part(Dialog(), "Command4")->isEnabled());
    }

    void closeBoxDiscardsDialog()
    {
        Apply(QStringLiteral("4"));
        lang::ShowOptionsDialog();
        QPointer<QWidget> old = Dialog();
        QVERIFY(old->close());

        // Used again before the event loop ran: a new one, not the old one.
        lang::ShowOptionsDialog();
        QWidget* fresh = Dialog();
        QVERIFY(fresh != old.data());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(old.isNull());
        QCOMPARE(Dialog(), fresh);

        VerifyDesignedDialog(fresh);
        QCOMPARE(lang::PendingLanguageCode(), QStringLiteral("4"));  // from LanguageCode
    }

    void aboutBoxAfterCloseBox()
    {
        Apply(QStringLiteral("3"));
        lang::ShowOptionsDialog();
        Click(Dialog(), "Command3");
        Click(Dialog(), "Command3");
        QWidget* box = Box();
        QVERIFY(box->isVisible());
        QVERIFY(Dialog()->isVisible());
        QCOMPARE(box->windowTitle(), QStringLiteral("Über von Quorvel"));
        QCOMPARE(box->size(), QSize(233, 416));
        int shown = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            shown += w->objectName() == QLatin1String("Form3") && w->isVisible();
        QCOMPARE(shown, 1);

        QPointer<QWidget> old = box;
        QVERIFY(box->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(old.isNull());
        Click(Dialog(), "Command3");
        QWidget* fresh = Box();
        QVERIFY(fresh->isVisible());
        QCOMPARE(fresh->windowTitle(), QStringLiteral("About Of"));
        QCOMPARE(TextOf(Part(fresh, "Label1")), QStringLiteral("Label1"));
        QCOMPARE(TextOf(Part(fresh, "Label2")), QStringLiteral("Label2"));
        QCOMPARE(TextOf(Part(fresh, "Label3")), QStringLiteral("Made in France ^_^"));
        QVERIFY(Part(fresh, "Logo") != nullptr);

        Apply(QStringLiteral("3"));
        QCOMPARE(fresh->windowTitle(), QStringLiteral("Über von Quorvel"));
    }

    void houseButtonOpensMakerSite()
    {
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "catchUrl");
        lang::ShowOptionsDialog();
        ClickFlag(2);
        const QStringList before = Snapshot();
        Click(Dialog(), "Command2");
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));

        QCOMPARE(opened_, QList<QUrl>{QUrl(QStringLiteral("http://www.dravenor.example/"))});
        QVERIFY(opened_.constFirst().path().endsWith(QLatin1Char('/')));
        QCOMPARE(Snapshot(), before);
        QVERIFY(Dialog()->isVisible());
        QCOMPARE(messages_, QList<Message>());
    }

    // --- the remembered language ----------------------------------------

    void loadSettings_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QList<Message>>("messages");
        const QList<Message> none;
        const QList<Message> unreadable{Message::SettingsUnreadable};
        QTest::newRow("nothing stored") << QByteArray() << "" << "Votre pays ?" << none;
        QTest::newRow("Japanese") << QByteArray("[General]\nLanguage=2\n") << "2" << "国選択"
                                  << none;
        QTest::newRow("English") << QByteArray("[General]\nLanguage=1\n") << "1"
                                 << "Your Country ?" << none;
        QTest::newRow("empty") << QByteArray("[General]\nLanguage=\n") << "" << "Votre pays ?"
                               << none;
        QTest::newRow("blank and 1") << QByteArray("[General]\nLanguage=\" 1\"\n") << " 1"
                                     << "Votre pays ?" << none;
        QTest::newRow("damaged") << QByteArray("[General\nLanguage=2\n") << ""
                                 << "Votre pays ?" << unreadable;
        QTest::newRow("list") << QByteArray("[General]\nLanguage=2, 3\n") << "" << "Votre pays ?"
                              << unreadable;
        QTest::newRow("1 MB") << QByteArray("[General]\nLanguage=" + QByteArray(1 << 20, '2') +
                                            "\n")
                              << "" << "Votre pays ?" << unreadable;
    }

    void loadSettings()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, code);
        QFETCH(QString, prompt);
        QFETCH(QList<Message>, messages);
        if (!stored.isNull())
            Store(stored);
        lang::LoadSettings();
        QCOMPARE(lang::LanguageCode(), code);
        QCOMPARE(prompt_->text(), prompt);
        QCOMPARE(form1_->windowTitle(), QStringLiteral("Quorvel"));
        QCOMPARE(messages_, messages);
    }

    void okWhenTheStoreRefuses()
    {
        // A file where the store's folder should be: nothing can be saved.
        QVERIFY(QDir().mkpath(g_root->filePath(QStringLiteral("user"))));
        QFile blocker(g_root->filePath(QStringLiteral("user/Dravenor")));
        QVERIFY(blocker.open(QFile::WriteOnly));
        blocker.close();

        lang::ShowOptionsDialog();
        ClickFlag(4);
        Click(Dialog(), "Command4");
        QCOMPARE(messages_, QList<Message>{Message::SettingsNotSaved});
        QCOMPARE(lang::LanguageCode(), QStringLiteral("3"));
        QCOMPARE(prompt_->text(), QStringLiteral("Ihr Land ?"));
        QVERIFY(Dialog()->isHidden());
        QVERIFY(!Part(Dialog(), "Command4")->isEnabled());
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
