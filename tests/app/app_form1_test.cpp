// The main window driven with real mouse and key events.
#include "app_test_support.h"

#include "form1.h"
#include "form1_layout.h"
#include "widgets.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QWindow>

#include <memory>

using quorvel::app::Form1;
using quorvel::app::PictureBox;

namespace {

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

QString CountryListName(quorvel::Country country)
{
    for (std::string_view name : quorvel::CountryListNames())
        if (quorvel::CountryFromListName(name) == country)
            return Q(name);
    return {};
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;

    template <class T = QWidget>
    T* child(const QString& name) const
    {
        T* w = form->findChild<T*>(name);
        if (!w)
            qFatal("no control %s", qPrintable(name));
        return w;
    }

    // The number of the visible step arrow, -1 for none; fails on two.
    int visibleArrow() const
    {
        int shown = -1;
        for (int k = 0; k < 5; ++k) {
            if (child(QStringLiteral("LF_%1").arg(k))->isVisible()) {
                if (shown != -1)
                    return 99;
                shown = k;
            }
        }
        return shown;
    }

    // Picks an entry the way a user does: opens the list, clicks the item.
    void pick(QComboBox* combo, const QString& text)
    {
        const int row = combo->findText(text, Qt::MatchExactly);
        QVERIFY2(row >= 0, qPrintable(text));
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        QVERIFY(QTest::qWaitForWindowExposed(view->window()));
        const QModelIndex index = combo->model()->index(row, combo->modelColumn());
        view->scrollTo(index);
        // The popup drops a release that follows its opening too closely.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        QTRY_VERIFY(!view->isVisible());
        QCOMPARE(combo->currentText(), text);
    }

    void click(const QString& name) { QTest::mouseClick(child(name), Qt::LeftButton, {}, QPoint(8, 8)); }

    // The control the window system would hand a press at `at` (form
    // coordinates) to, and the point in its own coordinates.
    std::pair<QWidget*, QPoint> under(QPoint at) const
    {
        QWidget* target = form->childAt(at);
        if (!target)
            target = form.get();
        return {target, target->mapFrom(form.get(), at)};
    }

    void type(QComboBox* combo, const QString& text)
    {
        combo->lineEdit()->selectAll();
        QTest::keyClick(combo->lineEdit(), Qt::Key_Backspace);
        QTest::keyClicks(combo->lineEdit(), text);
        QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
    }

    // Runs steps such as "sex 1", "country francais", "garment 2",
    // "picture 2", "boots", "shoes", "size 1 39", "see".
    void run(const QString& script)
    {
        for (const QString& step : script.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QStringList word = step.trimmed().split(QLatin1Char(' '));
            const QString& verb = word[0];
            if (verb == QLatin1String("sex")) {
                click(QStringLiteral("Option2_") + word[1]);
            } else if (verb == QLatin1String("country")) {
                pick(child<QComboBox>(QStringLiteral("Combo1")), word.mid(1).join(QLatin1Char(' ')));
            } else if (verb == QLatin1String("garment")) {
                click(QStringLiteral("Option1_") + word[1]);
            } else if (verb == QLatin1String("picture")) {
                QTest::mouseClick(child(QStringLiteral("I2_") + word[1]), Qt::LeftButton);
            } else if (verb == QLatin1String("boots")) {
                QTest::mouseClick(child(QStringLiteral("I3")), Qt::LeftButton);
            } else if (verb == QLatin1String("shoes")) {
                click(QStringLiteral("Option3"));
            } else if (verb == QLatin1String("size")) {
                pick(child<QComboBox>(QStringLiteral("Combo2_") + word[1]), word.mid(2).join(QLatin1Char(' ')));
            } else if (verb == QLatin1String("type")) {
                type(child<QComboBox>(QStringLiteral("Combo2_") + word[1]), word.mid(2).join(QLatin1Char(' ')));
            } else if (verb == QLatin1String("see")) {
                QTest::mouseClick(child(QStringLiteral("SeeBtn")), Qt::LeftButton);
            } else {
                QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
            }
            if (QTest::currentTestFailed())
                return;
        }
    }

    QStringList row(const char* design) const
    {
        QStringList texts;
        for (int i = 0; i < quorvel::kColumnCount; ++i)
            texts << child<QLabel>(QStringLiteral("%1_%2").arg(QLatin1String(design)).arg(i))->text();
        return texts;
    }

    static QStringList texts(const quorvel::PanelRow& cells)
    {
        QStringList out;
        for (const std::string& cell : cells)
            out << QString::fromStdString(cell);
        return out;
    }

private slots:
    void init()
    {
        form = std::make_unique<Form1>();
        form->Load();
        form->FillCountryList();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanup() { form.reset(); }

    void startsWithNothingChosen()
    {
        QCOMPARE(form->windowTitle(), QStringLiteral("Quorvel"));
        QCOMPARE(child<QLabel>(QStringLiteral("Lname"))->text(), QStringLiteral("Quorvel"));
        QCOMPARE(form->size(), QSize(432, 431));
        QVERIFY(form->windowFlags() & Qt::FramelessWindowHint);

        auto* combo1 = child<QComboBox>(QStringLiteral("Combo1"));
        QCOMPARE(combo1->currentText(), QString());
        QCOMPARE(combo1->count(), int(quorvel::CountryListNames().size()));
        for (int i = 0; i < combo1->count(); ++i)
            QCOMPARE(combo1->itemText(i), Q(quorvel::CountryListNames()[std::size_t(i)]));
        for (int k = 0; k < 4; ++k) {
            auto* list = child<QComboBox>(QStringLiteral("Combo2_%1").arg(k));
            QCOMPARE(list->count(), 0);
            QCOMPARE(list->currentText(), QString());
            QVERIFY(list->isEditable());
            QCOMPARE(list->insertPolicy(), QComboBox::NoInsert);
        }
        for (QRadioButton* option : form->findChildren<QRadioButton*>())
            QVERIFY2(!option->isChecked(), qPrintable(option->objectName()));
        QVERIFY(!child(QStringLiteral("SeeBtn"))->isEnabled());
        QCOMPARE(visibleArrow(), -1);
        const QStringList zeros(quorvel::kColumnCount, QStringLiteral("0"));
        QCOMPARE(row("Label2"), zeros);
        QCOMPARE(row("Label3"), zeros);
        QCOMPARE(form->selection().sourceCountry, quorvel::Country::None);
        QVERIFY(!form->selection().sexChoice.has_value());
        QVERIFY(!form->selection().garmentCategory.has_value());
        QVERIFY(!form->windowRegion().isEmpty());
        QCOMPARE(form->mask(), form->windowRegion());
    }

    void controlsSitInTheirContainers()
    {
        for (const quorvel::app::Placement& placement : quorvel::app::Form1Layout()) {
            QWidget* w = child(Q(placement.name));
            QVERIFY(w->parentWidget());
            QCOMPARE(w->parentWidget()->objectName(), Q(placement.container));
            QCOMPARE(w->geometry(), placement.rect);
        }
    }

    void unreachableControlsAreOutOfSight()
    {
        const QRect window = form->rect();
        auto onForm = [this](const QString& name) {
            QWidget* w = child(name);
            return QRect(w->mapTo(form.get(), QPoint(0, 0)), w->size());
        };
        QVERIFY(!window.intersects(onForm(QStringLiteral("Combo2_3"))));
        QVERIFY(!window.intersects(onForm(QStringLiteral("Frame4"))));
        QWidget* frame3 = child(QStringLiteral("Frame3"));
        QVERIFY(!frame3->rect().intersects(child(QStringLiteral("I2_3"))->geometry()));
        // Only the first pixel column of the trousers option is inside.
        QCOMPARE(frame3->rect().intersected(child(QStringLiteral("Option1_3"))->geometry()).width(), 1);
    }

    void designedLooks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("family");
        QTest::addColumn<qreal>("points");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QColor>("text");
        QTest::newRow("result button") << "SeeBtn" << "MS Sans Serif" << 12.0 << true << QColor();
        QTest::newRow("exit button") << "Command1" << "MS UI Gothic" << 9.75 << true << QColor();
        QTest::newRow("title") << "Lname" << "MS UI Gothic" << 8.25 << true << QColor(Qt::black);
        QTest::newRow("country prompt") << "Label1_0" << "MS Sans Serif" << 9.75 << false << QColor(Qt::white);
        QTest::newRow("exit caption") << "Label5" << "MS Sans Serif" << 8.25 << true << QColor(Qt::white);
        QTest::newRow("result cell") << "Label3_6" << "MS Sans Serif" << 9.75 << true << QColor(Qt::white);
        QTest::newRow("last arrow") << "LF_4" << "MS Sans Serif" << 13.5 << true << QColor(Qt::white);
    }

    void designedLooks()
    {
        QFETCH(QString, name);
        QFETCH(QString, family);
        QFETCH(qreal, points);
        QFETCH(bool, bold);
        QFETCH(QColor, text);
        QWidget* w = child(name);
        QCOMPARE(w->font().family(), family);
        QCOMPARE(w->font().pointSizeF(), points);
        QCOMPARE(w->font().bold(), bold);
        if (text.isValid())
            QCOMPARE(w->palette().color(QPalette::WindowText), text);
    }

    void backgroundsAndCaptions()
    {
        QCOMPARE(child(QStringLiteral("SeeBtn"))->palette().color(QPalette::Disabled, QPalette::Button),
                 QColor(255, 255, 192));
        QCOMPARE(child(QStringLiteral("Command1"))->palette().color(QPalette::Button), QColor(255, 192, 255));
        QCOMPARE(child(QStringLiteral("Frame3"))->palette().color(QPalette::Window), QColor(128, 128, 255));
        QCOMPARE(child(QStringLiteral("Option2_1"))->palette().color(QPalette::Window), QColor(192, 192, 255));
        QCOMPARE(child<QAbstractButton>(QStringLiteral("Option2_0"))->text(), QStringLiteral("Homme"));
        QCOMPARE(child<QAbstractButton>(QStringLiteral("SeeBtn"))->text(), QStringLiteral("Voir"));
        QCOMPARE(child<QLabel>(QStringLiteral("LF_4"))->text(), QStringLiteral(">>>>>>"));
        // Transparent labels: the skin shows through them.
        QVERIFY(!child(QStringLiteral("Label2_0"))->autoFillBackground());

        // Drawn on screen: the title plate is yellow, the result cells show the skin.
        const QImage shot = form->grab().toImage();
        QCOMPARE(QColor(shot.pixel(158, 19)), QColor(255, 255, 0));
        const QColor cell = shot.pixel(57, 257);
        QVERIFY2(cell.blue() > cell.red() + 40, qPrintable(cell.name()));
    }

    void focusOrder()
    {
        const QStringList expected{"Command1", "Tool",     "Combo1",   "Option2_1", "Option2_0",
                                   "SeeBtn",   "Combo2_0", "Combo2_1", "Combo2_2",  "Combo2_3",
                                   "Option3",  "Option1_3", "Option1_2", "Option1_0"};
        QStringList chain;
        QWidget* w = child(QStringLiteral("Command1"));
        for (int guard = 0; guard < 200 && chain.size() < expected.size(); ++guard) {
            if ((w->focusPolicy() & Qt::TabFocus) && w->focusProxy() == nullptr)
                chain << w->objectName();
            w = w->nextInFocusChain();
        }
        QCOMPARE(chain, expected);
    }

    void handlerSequences_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("arrow");
        QTest::addColumn<bool>("seeEnabled");
        QTest::addColumn<int>("category");  // -1: not chosen
        QTest::addColumn<QString>("garmentShown");

        const QString france = CountryListName(quorvel::Country::France);
        const QString us = CountryListName(quorvel::Country::UnitedStates);
        QTest::newRow("sex first") << "sex 1" << 2 << true << -1 << "dress";
        QTest::newRow("country") << "country " + france << 2 << true << -1 << "suit";
        QTest::newRow("shirt picture") << "country " + france + "; picture 2" << 3 << true << 2 << "shirt";
        QTest::newRow("then a size") << "country " + france + "; picture 2; size 2 40" << 4 << true << 2
                                     << "shirt";
        QTest::newRow("picture of the chosen option") << "garment 2; picture 2" << 3 << false << 2 << "shirt";
        QTest::newRow("boots picture") << "boots" << 3 << false << -1 << "suit";
        QTest::newRow("shoe option") << "shoes" << 3 << false << -1 << "suit";
        QTest::newRow("sex after garment") << "country " + us + "; garment 2; sex 1" << 2 << true << 2 << "dress";
        QTest::newRow("garment after size") << "sex 0; country " + us + "; size 1 9; garment 0" << 3 << true << 0
                                            << "suit";
        QTest::newRow("woman's dress option") << "sex 1; garment 0" << 3 << true << 0 << "dress";
    }

    void handlerSequences()
    {
        QFETCH(QString, script);
        QFETCH(int, arrow);
        QFETCH(bool, seeEnabled);
        QFETCH(int, category);
        QFETCH(QString, garmentShown);
        run(script);
        QCOMPARE(visibleArrow(), arrow);
        QCOMPARE(child(QStringLiteral("SeeBtn"))->isEnabled(), seeEnabled);
        QCOMPARE(form->selection().garmentCategory.value_or(-1), category);
        if (category >= 0)
            QVERIFY(child<QRadioButton>(QStringLiteral("Option1_%1").arg(category))->isChecked());
        QCOMPARE(child<PictureBox>(QStringLiteral("Image2_1"))->accessibleName(), garmentShown);
    }

    void sexRefillsTheListsOfTheCountry()
    {
        const QString us = CountryListName(quorvel::Country::UnitedStates);
        run("sex 0; country " + us + "; size 0 40");
        QCOMPARE(form->selection().garmentSizeText, std::string("40"));
        run("sex 1");
        auto* shirts = child<QComboBox>(QStringLiteral("Combo2_2"));
        const auto expected = quorvel::SizeListEntries(quorvel::Country::UnitedStates, quorvel::Sex::Woman,
                                                       quorvel::SizeList::Shirt);
        QCOMPARE(shirts->count(), int(expected.size()));
        QCOMPARE(shirts->currentText(), Q(expected.front()));
        QCOMPARE(child<QComboBox>(QStringLiteral("Combo2_0"))->currentText(),
                 Q(quorvel::SizeListEntries(quorvel::Country::UnitedStates, quorvel::Sex::Woman,
                                            quorvel::SizeList::SuitOrDress).front()));
        QCOMPARE(child<PictureBox>(QStringLiteral("I2_0"))->accessibleName(), QStringLiteral("dress"));

        // Picking the same country again holds each entry once.
        run("country " + us);
        QCOMPARE(shirts->count(), int(expected.size()));
    }

    void sexBeforeCountryFillsNothing()
    {
        run("sex 0");
        QCOMPARE(form->selection().sourceCountry, quorvel::Country::None);
        for (int k = 0; k < 4; ++k)
            QCOMPARE(child<QComboBox>(QStringLiteral("Combo2_%1").arg(k))->count(), 0);
        // A request with no country changes nothing.
        run("see");
        QCOMPARE(row("Label3"), QStringList(quorvel::kColumnCount, QStringLiteral("0")));
    }

    void franceWithAManDisablesTrousersForGood()
    {
        QVERIFY(child(QStringLiteral("Option1_3"))->isEnabled());
        run("country " + CountryListName(quorvel::Country::France));
        QVERIFY(!child(QStringLiteral("Option1_3"))->isEnabled());
        QVERIFY(!child(QStringLiteral("Combo2_3"))->isEnabled());
        run("sex 1; country " + CountryListName(quorvel::Country::Japan));
        QVERIFY(!child(QStringLiteral("Option1_3"))->isEnabled());
        QVERIFY(!child(QStringLiteral("Combo2_3"))->isEnabled());
    }

    void conversions_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("country");
        QTest::addColumn<int>("sex");       // -1: not chosen
        QTest::addColumn<int>("category");  // -1: not chosen
        QTest::addColumn<QString>("garmentText");
        QTest::addColumn<QString>("shoeText");

        auto add = [](const char* tag, quorvel::Country c, int sex, int category, const QString& garment,
                      const QString& shoes) {
            QString script;
            if (sex >= 0)
                script += QStringLiteral("sex %1;").arg(sex);
            script += "country " + CountryListName(c) + ";";
            if (category >= 0)
                script += QStringLiteral("garment %1;").arg(category);
            const int list = category == 2 ? 2 : 0;
            if (!garment.isEmpty())
                script += QStringLiteral("size %1 %2;").arg(list).arg(garment);
            if (!shoes.isEmpty())
                script += QStringLiteral("size 1 %1;").arg(shoes);
            QTest::newRow(tag) << script + "see" << int(c) << sex << category << garment << shoes;
        };
        add("France man suit", quorvel::Country::France, 0, 0, "48", "41");
        add("US woman shirt", quorvel::Country::UnitedStates, 1, 2, "8 M", "6");
        add("Japan man suit", quorvel::Country::Japan, 0, 0, "LL", "27");
        add("UK man shirt", quorvel::Country::UnitedKingdom, 0, 2, "15.5 M", "13");
        add("Australia woman dress", quorvel::Country::Australia, 1, 0, "12", "");
        add("Italy, nothing else chosen", quorvel::Country::Italy, -1, -1, "", "");
        add("Germany woman, lists untouched", quorvel::Country::Germany, 1, -1, "", "");
    }

    void conversions()
    {
        QFETCH(QString, script);
        QFETCH(int, country);
        QFETCH(int, sex);
        QFETCH(int, category);
        run(script);

        // What the engine gives for the texts the lists show.
        quorvel::SelectionState state;
        state.sourceCountry = quorvel::Country(country);
        if (sex >= 0)
            state.sexChoice = quorvel::Sex(sex);
        if (category >= 0)
            state.garmentCategory = category;
        const std::string suitOrDress = child<QComboBox>(QStringLiteral("Combo2_0"))->currentText().toStdString();
        const std::string shoes = child<QComboBox>(QStringLiteral("Combo2_1"))->currentText().toStdString();
        const std::string shirt = child<QComboBox>(QStringLiteral("Combo2_2"))->currentText().toStdString();
        QVERIFY(!suitOrDress.empty() && !shoes.empty() && !shirt.empty());
        quorvel::ResultPanel expected;
        quorvel::DispatchConversion(state, {suitOrDress, shoes, shirt}, expected);

        QCOMPARE(row("Label2"), texts(expected.garment));
        QCOMPARE(row("Label3"), texts(expected.shoes));
        QVERIFY(row("Label3") != QStringList(quorvel::kColumnCount, QStringLiteral("0")));
    }

    void franceSuitEchoesIntoItsSizingSystem()
    {
        run("sex 0; country " + CountryListName(quorvel::Country::France) + "; garment 0; size 0 48; see");
        for (quorvel::Country c : {quorvel::Country::France, quorvel::Country::Germany, quorvel::Country::Italy})
            QCOMPARE(child<QLabel>(QStringLiteral("Label2_%1").arg(quorvel::ColumnOf(c)))->text(),
                     QStringLiteral("48"));
        QCOMPARE(form->selection().garmentSizeText, std::string("48"));
    }

    void requestMatchingNothingKeepsTheOtherCells()
    {
        run("sex 0; country " + CountryListName(quorvel::Country::France) + "; garment 0; size 0 50; see");
        const QStringList before = row("Label2");
        const QStringList shoesBefore = row("Label3");
        run("type 0 999; see");
        QStringList after = row("Label2");
        for (quorvel::Country c : {quorvel::Country::France, quorvel::Country::Germany, quorvel::Country::Italy}) {
            const int col = quorvel::ColumnOf(c);
            QCOMPARE(after[col], QStringLiteral("999"));
            after[col] = before[col];
        }
        QCOMPARE(after, before);
        QCOMPARE(row("Label3"), shoesBefore);
    }

    void trousersLeaveTheGarmentRow()
    {
        const QString us = CountryListName(quorvel::Country::UnitedStates);
        run("sex 0; country " + us + "; garment 0; size 0 40; size 1 8; see");
        const QStringList garments = row("Label2");
        const QStringList shoes = row("Label3");
        run("size 0 46; garment 3; size 1 12; see");
        QCOMPARE(form->selection().garmentCategory, std::optional<int>(3));
        QCOMPARE(row("Label2"), garments);
        QVERIFY(row("Label3") != shoes);
    }

    void twoPressesGiveTheSamePanel()
    {
        run("sex 1; country " + CountryListName(quorvel::Country::Italy) + "; garment 2; size 2 44; see");
        const QStringList garments = row("Label2");
        const QStringList shoes = row("Label3");
        run("see");
        QCOMPARE(row("Label2"), garments);
        QCOMPARE(row("Label3"), shoes);
    }

    void typedTextIsNeverAddedToAList_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("text");
        QTest::newRow("size not in the list") << "Combo2_0" << "47";
        QTest::newRow("size already in the list") << "Combo2_0" << "50";
        QTest::newRow("empty text") << "Combo2_1" << "";
        QTest::newRow("unknown country") << "Combo1" << "Atlantis";
    }

    void typedTextIsNeverAddedToAList()
    {
        QFETCH(QString, list);
        QFETCH(QString, text);
        run("country " + CountryListName(quorvel::Country::France));
        auto* combo = child<QComboBox>(list);
        const int count = combo->count();
        const std::string garmentBefore = form->selection().garmentSizeText;
        type(combo, text);
        QCOMPARE(combo->currentText(), text);
        QCOMPARE(combo->count(), count);
        if (!text.isEmpty())
            QVERIFY(combo->findText(text) == -1 || text == QLatin1String("50"));
        // Typing raised no click: the arrow and the state stayed.
        QCOMPARE(visibleArrow(), 2);
        QCOMPARE(form->selection().garmentSizeText, garmentBefore);
        QCOMPARE(form->selection().sourceCountry, quorvel::Country::France);
    }

    void typedCountryKeepsThePreviousOneOnASexChange()
    {
        run("country " + CountryListName(quorvel::Country::Japan));
        type(child<QComboBox>(QStringLiteral("Combo1")), QStringLiteral("Atlantis"));
        run("sex 1");
        QCOMPARE(form->selection().sourceCountry, quorvel::Country::Japan);
        QCOMPARE(child<QComboBox>(QStringLiteral("Combo2_1"))->count(),
                 int(quorvel::SizeListEntries(quorvel::Country::Japan, quorvel::Sex::Woman,
                                              quorvel::SizeList::Shoes).size()));
    }

    void showStepArrow_data()
    {
        QTest::addColumn<int>("k");
        QTest::addColumn<int>("visible");
        QTest::newRow("first") << 0 << 0;
        QTest::newRow("last") << 4 << 4;
        QTest::newRow("below") << -1 << 3;
        QTest::newRow("above") << 5 << 3;
    }

    void showStepArrow()
    {
        QFETCH(int, k);
        QFETCH(int, visible);
        run("shoes");
        if (k == 0 || k == 4) {
            form->ShowStepArrow(k);
        } else {
            form->ShowStepArrow(k);
            QCOMPARE(visibleArrow(), 3);
        }
        QCOMPARE(visibleArrow(), visible);
    }

    void pressOnSkinDragsTheWindow_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("drags");
        QTest::newRow("bare skin, left") << QPoint(40, 330) << Qt::LeftButton << true;
        QTest::newRow("bare skin, right") << QPoint(40, 330) << Qt::RightButton << true;
        QTest::newRow("bare skin, middle") << QPoint(400, 215) << Qt::MiddleButton << true;
        QTest::newRow("plain shape") << QPoint(100, 212) << Qt::LeftButton << true;
        QTest::newRow("title plate") << QPoint(200, 19) << Qt::LeftButton << true;
        QTest::newRow("result cell") << QPoint(80, 264) << Qt::LeftButton << false;
        QTest::newRow("garment frame") << QPoint(92, 124) << Qt::LeftButton << false;
        QTest::newRow("logo") << QPoint(212, 356) << Qt::LeftButton << false;
        QTest::newRow("country prompt") << QPoint(212, 80) << Qt::LeftButton << false;
    }

    void pressOnSkinDragsTheWindow()
    {
        QFETCH(QPoint, at);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, drags);
        form->move(100, 100);
        QTRY_COMPARE(form->pos(), QPoint(100, 100));
        const QPoint delta(37, -21);
        const auto [target, local] = under(at);
        QTest::mousePress(target, button, {}, local);
        // The window has not moved yet when the pointer does.
        QMouseEvent move(QEvent::MouseMove, QPointF(local + delta), target->mapToGlobal(QPointF(local + delta)),
                         Qt::NoButton, button, {});
        QApplication::sendEvent(target, &move);
        QTest::mouseRelease(target, button, {}, local + delta);
        QCOMPARE(form->pos(), drags ? QPoint(100, 100) + delta : QPoint(100, 100));
    }

    void doubleClickEnds_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<bool>("ends");
        QTest::newRow("bare skin") << QPoint(40, 330) << true;
        QTest::newRow("shape") << QPoint(100, 212) << true;
        QTest::newRow("flag") << QPoint(80, 236) << false;
        QTest::newRow("result cell") << QPoint(80, 264) << false;
    }

    void doubleClickEnds()
    {
        QFETCH(QPoint, at);
        QFETCH(bool, ends);
        QSignalSpy end(form.get(), &Form1::programEndRequested);
        const auto [target, local] = under(at);
        QTest::mouseDClick(target, Qt::LeftButton, {}, local);
        QCOMPARE(end.count() > 0, ends);
    }

    void exitButtonAndCloseRequestEnd()
    {
        QSignalSpy end(form.get(), &Form1::programEndRequested);
        QTest::mouseClick(child(QStringLiteral("Command1")), Qt::LeftButton);
        QCOMPARE(end.count(), 1);
        form->windowHandle()->close();  // what the window system's close request does
        QCOMPARE(end.count(), 2);
    }

    void accessibleNames()
    {
        auto name = [this](const QString& control) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(child(control));
            return a ? a->text(QAccessible::Name) : QString();
        };
        for (int i = 0; i < quorvel::kColumnCount; ++i)
            QCOMPARE(name(QStringLiteral("Image1_%1").arg(i)), Q(quorvel::CountryName(quorvel::CountryAtColumn(i))));
        QCOMPARE(name(QStringLiteral("Option1_2")), QStringLiteral("shirt"));
        QCOMPARE(name(QStringLiteral("Option1_3")), QStringLiteral("trousers"));
        QCOMPARE(name(QStringLiteral("Option3")), QStringLiteral("shoes"));
        QCOMPARE(name(QStringLiteral("SeeBtn")), QStringLiteral("Voir"));
        QCOMPARE(name(QStringLiteral("Label1_0")), QStringLiteral("Votre pays ?"));
        QVERIFY(!name(QStringLiteral("Tool")).isEmpty());
        QVERIFY(!name(QStringLiteral("I1")).isEmpty());
        run("sex 0");
        QCOMPARE(name(QStringLiteral("Option1_0")), QStringLiteral("suit"));
        run("sex 1");
        QCOMPARE(name(QStringLiteral("Option1_0")), QStringLiteral("dress"));
        QCOMPARE(name(QStringLiteral("Image2_1")), QStringLiteral("dress"));
        run("see");
        QCOMPARE(name(QStringLiteral("Label2_0")), QStringLiteral("0"));
    }
};

QUORVEL_TEST_MAIN(Form1Test)
#include "app_form1_test.moc"
