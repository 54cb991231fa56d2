// The main window driven with real mouse and key events: start-up, the
// handlers and their step arrows, the result panel and its notes, the size
// chart, what a screen reader hears in each language, dragging and ending.
#include "../qt_test_main.h"
#include "chart_window.h"
#include "form1.h"
#include "quorvel/language.h"

#include <QtWidgets>

#include <algorithm>
#include <memory>

using namespace quorvel;
using app::Form1;

// Counts the times a widget is shown.
struct Appearances : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override { return count += event->type() == QEvent::Show, false; }
};

class Form1Test : public QObject {
    Q_OBJECT

    std::unique_ptr<Form1> form;

    template <class T = QWidget>
    T* child(const QString& name) const
    {
        if (T* w = form->findChild<T*>(name))
            return w;
        qFatal("no control %s", qPrintable(name));
    }
    QComboBox* list(const QString& name) const { return child<QComboBox>(name); }

    static QStringList entries(const QComboBox* combo)
    {
        QStringList texts;
        for (int i = 0; i < combo->count(); ++i)
            texts << combo->itemText(i);
        return texts;
    }

    static void apply(const QString& code)
    {
        language::SetLanguageCode(code);
        language::ApplyLanguage();
    }

    // What the window shows, fact by fact ("arrow 2, see on"): the step
    // arrow shown, the result button, the options checked, the garment
    // Image2_1 shows, the trousers list and option, the three size lists
    // (text/count) and the panel's garment (Label2) and shoe (Label3) rows:
    // UK, JP, FR, US, DE, IT, AU.
    QString facts() const
    {
        QStringList arrows, checked, lists, rows[2];
        for (int k = 0; k < 5; ++k)
            if (child(QStringLiteral("LF_%1").arg(k))->isVisible())
                arrows << QString::number(k);
        for (QRadioButton* option : form->findChildren<QRadioButton*>())
            if (option->isChecked())
                checked << option->objectName();
        checked.sort();
        for (const char* name : {"Combo2_0", "Combo2_2", "Combo2_1"})
            lists << list(name)->currentText() + '/' + QString::number(list(name)->count());
        for (int i = 0; i < 2 * kColumnCount; ++i)
            rows[i / kColumnCount] << child<QLabel>(QStringLiteral("Label%1_%2").arg(2 + i / kColumnCount).arg(i % kColumnCount))->text();
        auto words = [](const QStringList& list) { return list.isEmpty() ? QStringLiteral("none") : list.join(' '); };
        auto onOff = [this](const char* name) { return QString(child(name)->isEnabled() ? "on" : "off"); };
        return QStringLiteral("arrow %1, see %2, checked %3, shows %4, trousers %5, lists %6, garment %7, shoes %8")
            .arg(words(arrows), onOff("SeeBtn"), words(checked), child("Image2_1")->accessibleName(),
                 onOff("Combo2_3") == onOff("Option1_3") ? onOff("Combo2_3") : "half", lists.join(' '), rows[0].join('|'),
                 rows[1].join('|'));
    }

    // Each of these facts as the window shows it, named when it is not.
    void expect(const QString& expected) const
    {
        const QStringList shown = facts().split(", ");
        for (const QString& fact : expected.split(", ")) {
            const QString seen = shown.filter(QRegularExpression('^' + fact.section(' ', 0, 0) + ' ')).value(0);
            QVERIFY2(seen == fact, qPrintable(seen + ", expected " + fact));
        }
    }

    // Runs steps separated by ';': "sex 1", "country francais", "garment 2"
    // (option), "arrow Option1_0 Down" (a key on an option), "picture 2"
    // (garment picture), "boots" (shoe picture), "shoes" (shoe option), "size
    // 1 39" (clicks 39 in Combo2_1), "type Combo1 Atlantis" (text, Enter: kept
    // as typed, never added), "write Combo2_0 47" (the same without Enter),
    // "trousers" (Option1_3, which nothing on the window lets a click reach),
    // "see".
    void run(const QString& script)
    {
        static const QHash<QString, QString> clicks{{"sex", "Option2_"}, {"garment", "Option1_"}, {"picture", "I2_"},
                                                    {"boots", "I3"},     {"shoes", "Option3"},    {"see", "SeeBtn"}};
        for (const QString& step : script.split(';', Qt::SkipEmptyParts)) {
            const QStringList word = step.trimmed().split(' ');
            const QString rest = word.mid(2).join(' ');
            if (word[0] == "country")
                pick(list("Combo1"), word.mid(1).join(' '));
            else if (word[0] == "size")
                pick(list("Combo2_" + word[1]), rest);
            else if (word[0] == "trousers")
                QTest::mouseClick(child("Option1_3"), Qt::LeftButton, {}, QPoint(8, 8));
            else if (word[0] == "type" || word[0] == "write") {
                QComboBox* combo = list(word[1]);
                const QStringList before = entries(combo);
                combo->lineEdit()->selectAll();
                QTest::keyClicks(combo->lineEdit(), rest);
                if (word[0] == "type")
                    QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
                QVERIFY2(combo->currentText() == rest && entries(combo) == before, qPrintable(combo->currentText()));
            } else if (word[0] == "arrow") {  // on an option: the one moved to is chosen
                child(word[1])->setFocus();
                QTest::keyClick(child(word[1]), QKeySequence(word[2])[0].key());
                QVERIFY(qobject_cast<QRadioButton*>(QApplication::focusWidget())->isChecked());
            } else if (clicks.contains(word[0])) {  // on what the window finds there
                const QPoint at = child(clicks[word[0]] + word.value(1))->mapTo(form.get(), QPoint(8, 8));
                QWidget* target = form->childAt(at);
                QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(form.get(), at));
            }
            else
                QFAIL(qPrintable("unknown step " + step));
            if (QTest::currentTestFailed())
                return;
        }
    }

    // Opens the list and picks the entry with the keyboard.
    void pick(QComboBox* combo, const QString& text)
    {
        const QModelIndex index = combo->model()->index(combo->findText(text, Qt::MatchExactly), 0);
        QVERIFY2(index.isValid(), qPrintable(text));
        combo->showPopup();
        combo->view()->setCurrentIndex(index);
        QTest::keyClick(combo->view(), Qt::Key_Return);
        QVERIFY(!combo->view()->isVisible() && combo->currentText() == text);
    }

    // Keys ("Tab Ctrl+C") to this widget, or each to where the focus is then.
    // The offscreen platform activates no window when another hides: the
    // keys then go to the main window's focus, as a window manager's would.
    void keys(const QString& script, QWidget* to = nullptr) const
    {
        for (const QString& key : script.split(' ')) {
            const QKeyCombination k = QKeySequence(key)[0];
            QWidget* focus = to ? to : QApplication::focusWidget() ? QApplication::focusWidget() : form->focusWidget();
            QTest::keyClick(focus, k.key(), k.keyboardModifiers());
            if (auto* button = qobject_cast<QAbstractButton*>(focus))  // shown pressed first
                QTRY_VERIFY(!button->isDown());
        }
    }

    // The result panel's menu over this control: the commands it offers,
    // the one at `choose` triggered.
    QStringList menu(const char* over, int choose)
    {
        QStringList offered;
        QTimer::singleShot(0, [&] {
            QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            for (QAction* action : menu ? menu->actions() : QList<QAction*>{})
                offered << action->text();
            if (menu)
                menu->actions().value(choose, menu->actions()[0])->trigger(), menu->close();
        });
        const QPoint at = child(over)->mapTo(form.get(), QPoint(5, 5));
        QContextMenuEvent click(QContextMenuEvent::Mouse, at, form->mapToGlobal(at));
        QApplication::sendEvent(form.get(), &click);
        return offered;
    }

    // What the line under the panel says, from the text table: a line per
    // row, "garment between 46 48" or "shoes none", joined by '|', each
    // headed by the name of the row's picture.
    QString note(const QString& rows) const
    {
        const auto& t = form->Texts();
        const QHash<QString, QString> said{{"none", t.noEquivalent}, {"outside", t.outside}, {"noChart", t.noChart}};
        QStringList lines;
        for (const QString& row : rows.split('|', Qt::SkipEmptyParts)) {
            const QStringList w = row.split(' ');
            const QString subject = child(w[0] == "shoes" ? "Image2_0" : "Image2_1")->accessibleName();
            lines << t.note.arg(subject, w.size() > 2 ? t.between.arg(w[2], w[3]) : said[w[1]]);
            lines.back()[0] = lines.back()[0].toUpper();
        }
        return lines.join('\n');
    }

    // The rows painted in the colour of the last conversion: "3 cell" where
    // the row's last cell is, "3 heading" where its heading is.
    static QStringList highlighted(QTableWidget* table)
    {
        const QImage cells = table->viewport()->grab().toImage(), headings = table->verticalHeader()->viewport()->grab().toImage();
        QStringList rows;
        for (int r = 0; r < table->rowCount(); ++r)
            for (auto [shot, x, part] : {std::tuple{&cells, table->columnViewportPosition(6) + 3, " cell"}, {&headings, 3, " heading"}})
                if (QColor(shot->pixel(x, table->rowViewportPosition(r) + 3)) == QColor(255, 255, 192))
                    rows << QString::number(r) + part;
        return rows;
    }

private slots:
    void init()
    {
        form = std::make_unique<Form1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanup()
    {
        apply("0");  // names of pictures are the application's
        form.reset();
    }

    // Also seen: a frameless window, captions, the yellow title plate, the sex
    // frame's border, the skin through the result cells.
    void startUp()
    {
        QCOMPARE(entries(list("Combo1")).join('|') + '|' + list("Combo1")->currentText(),
                 "English-UK|francais|日本語|American|Deutch|Italiano|Australia|");
        expect("arrow none, see off, checked none, shows costume, trousers on, lists /0 /0 /0, "
               "garment 0|0|0|0|0|0|0, shoes 0|0|0|0|0|0|0");
        // Shaped to its skin: every pixel but those of the top-left one's colour.
        const QImage skin = child<app::SkinPicture>("Picture1")->drawSkin();
        const QRegion key(QBitmap::fromImage(skin.createMaskFromColor(skin.pixel(0, 0), Qt::MaskOutColor)));
        QVERIFY((form->mask() ^ (QRegion(skin.rect()) - key)).isEmpty() && key.contains(QPoint(3, 3)));

        QVERIFY(form->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(form->windowTitle() + child<QLabel>("Lname")->text(), "QuorvelQuorvel");
        const QImage shot = form->grab().toImage();
        QCOMPARE(QColor(shot.pixel(158, 19)), QColor(255, 255, 0));
        QCOMPARE(QColor(shot.pixel(120, 60)), QColor(128, 128, 128));  // the sex frame's border
        QVERIFY(qBlue(shot.pixel(57, 257)) > qRed(shot.pixel(57, 257)) + 40);

        // The pictures of the first frame, drawn at build time, look as the SVGs
        // drawn now would, over the skin's blue: at most 2/255 apart per channel.
        for (auto* picture : form->findChildren<ui::Picture*>()) {
            const QImage raster = ui::Raster(picture->picture(), picture->size());
            if (raster.isNull() || !picture->isVisible())
                continue;
            QImageReader svg(ui::PathOf(picture->picture()));
            svg.setScaledSize(raster.size());
            QImage fast(raster.size(), QImage::Format_RGB32), slow = fast;
            for (auto [image, drawn] : {std::pair{&fast, raster}, {&slow, svg.read()}})
                image->fill(QColor(40, 40, 160)), QPainter(image).drawImage(0, 0, drawn);
            for (int y = 0; y < fast.height(); ++y)
                for (int x = 0; x < fast.width(); ++x) {
                    const QRgb a = fast.pixel(x, y), b = slow.pixel(x, y);
                    QVERIFY2(std::max({qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))}) <= 2,
                             qPrintable(picture->objectName()));
                }
        }
    }

    // Each row: what the user does, then the facts that decides.
    void userSteps_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("facts");
        auto row = [](const char* script, const char* facts) { QTest::newRow(script) << QString(script) << QString(facts); };
        row("sex 1", "arrow 2, see on, checked Option2_1, shows robe");  // no country yet
        row("country American", "arrow 2, see on, checked none, shows costume");
        row("country American; picture 2", "arrow 3, checked Option1_2, shows chemise");
        row("country American; picture 2; size 2 16 L", "arrow 4, checked Option1_2, shows chemise");
        row("country American; picture 2; size 2 16 L; picture 2", "arrow 3, checked Option1_2, shows chemise");
        row("boots", "arrow 3, see off, checked Option3, shows costume");
        row("boots; shoes", "arrow 3, checked Option3");  // a click never switches it off
        // The garment already chosen: its picture click changes nothing but the arrow.
        row("country American; garment 2; sex 1; picture 2", "arrow 3, shows robe");
        row("country American; garment 2; sex 1", "arrow 2, checked Option1_2 Option2_1, shows robe");
        row("sex 0; country American; size 1 9; garment 0", "arrow 3, checked Option1_0 Option2_0, shows costume");
        // Arrow keys choose among options as clicks do; never the trousers.
        row("country American; arrow Option2_0 Down", "arrow 2, checked Option2_1, shows robe, lists 4/9 4 S/9 3/8");
        row("sex 1; arrow Option2_1 Up", "checked Option2_0, shows costume");
        row("arrow Option1_0 Right", "arrow 3, checked Option1_2, shows chemise");
        row("garment 2; arrow Option1_2 Down", "arrow 3, checked Option1_0, shows robe");
        row("garment 0; arrow Option1_0 Left", "checked Option1_2");
        // France with a man (or no sex yet) disables the trousers for good.
        row("country francais", "trousers off");
        row("sex 1; country francais", "trousers on");
        row("sex 0; country francais; sex 1; country 日本語", "trousers off");
        row("country Italiano; type Combo2_0 50", "arrow 2");  // an entry's text, Enter: no click
        // A sex click refills the lists of the chosen country, none before one, each entry once.
        row("type Combo2_0 50; sex 0", "lists /0 /0 /0");
        row("country American; size 2 16 L; sex 1", "lists 4/9 4 S/9 3/8");
        row("country American; sex 1; country American", "lists 4/9 4 S/9 3/8");
        // Conversions through the panel.
        row("country Italiano; see", "garment 34|S|44|34|44|44|81, shoes 5.5|25|38|6|38|38|5");  // the men's first entries
        row("sex 0; see", "garment 0|0|0|0|0|0|0, shoes 0|0|0|0|0|0|0");  // no country: no change
        row("sex 1; country Italiano; garment 2; size 2 44; see; see",
            "garment 12|9 L|40|10 M|38|44|10 M, shoes 1.5|20|35|3|35|35|3");  // pressed twice: the same panel
        // A typed country matching none: the chosen one is kept.
        row("country 日本語; type Combo1 Atlantis; sex 1; see", "garment 6|3|34|4|32|38|4, shoes 1.5|20|35|3|35|35|3");
    }

    void userSteps()
    {
        QFETCH(QString, script);
        QFETCH(QString, facts);
        run(script);
        expect(facts);
    }

    // Sizes the tables do not give: no cell keeps an earlier size, a dimmed
    // dash stands where there is no equivalent, a size between two rows gives
    // ranges, and the note under the panel says which, in French and then in
    // another language. A screen reader hears each cell by its country and
    // row, no dash as a size, and the result whole, again at each press.
    void sizesWithoutEquivalent_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QString>("language");  // the other one
        auto row = [](const char* name, const char* script, const char* panel, const char* notes, const char* code) {
            QTest::newRow(name) << QString(script) << QString(panel) << QString(notes) << QString(code);
        };
        row("suit 47, shoe 41.5 after 48, 41", "sex 0; country francais; garment 0; size 0 48; size 1 41; see; write Combo2_0 47; type Combo2_1 41.5",
            "garment 36–38|S–M|47|36–38|47|47|84–87, shoes 8.5–9.5|28–29|41.5|9–10|41.5|41.5|8–9", "garment between 46 48|shoes between 41 42", "3");
        row("UK man's shoe 12.5", "sex 0; country English-UK; size 0 40; type Combo2_1 12.5",
            "garment 40|L|50|40|50|50|90, shoes 12.5|31–32|44–45|12–13|44–45|44–45|11–12", "shoes between 11.5 13", "2");
        row("US woman's shoe 7.5, trousers", "sex 1; country American; trousers; type Combo2_1 7.5",
            "garment –|–|–|–|–|–|–, shoes 5.5–6.5|24–25|39–40|7.5|39–40|39–40|7.5", "garment noChart|shoes between 7 8", "1");
        row("French suit 60", "sex 0; country francais; garment 0; type Combo2_0 60",
            "garment –|–|60|–|60|60|–, shoes 5.5|25|38|6|38|38|5", "garment outside", "4");
        row("Japanese suit m", "sex 0; country 日本語; garment 0; type Combo2_0 m",
            "garment –|m|–|–|–|–|–, shoes 5.5|25|38|6|38|38|5", "garment none", "2");
        row("all found again", "sex 0; country francais; garment 2; type Combo2_2 99; type Combo2_2 40",
            "garment 16|40|40|16|40|40|40, shoes 5.5|25|38|6|38|38|5", "", "3");
    }

    void sizesWithoutEquivalent()
    {
        QFETCH(QString, script);
        QFETCH(QString, panel);
        QFETCH(QString, notes);
        QFETCH(QString, language);
        run(script);
        auto heard = [](QWidget* w, QAccessible::Text text) { return QAccessible::queryAccessibleInterface(w)->text(text); };
        for (const QString& code : {QString("0"), language}) {
            apply(code);
            const auto& t = form->Texts();
            expect(panel);
            QCOMPARE(child<QLabel>("ResultNote")->text(), note(notes));
            QCOMPARE(child("ResultNote")->isVisible(), !notes.isEmpty());
            const QString spoken = form->ResultText();
            QVERIFY2(!spoken.contains(" –") && spoken.endsWith(note(notes).replace('\n', "; ")), qPrintable("heard: " + spoken));
            QVERIFY(heard(child("ResultPanel"), QAccessible::Name) == spoken
                    && (code != "0" || heard(child("Announcement"), QAccessible::Name) == spoken));
            for (auto* cell : form->findChildren<app::ResultCell*>()) {
                const bool none = cell->text() == "–";
                const QString size = none ? t.noEquivalent : cell->text();
                const int column = cell->objectName().section('_', 1).toInt();
                const QString row = cell->objectName().startsWith("Label2") ? t.garmentRow : t.shoeRow;
                QCOMPARE(heard(cell, QAccessible::Name), ui::NameOf(app::FlagAtColumn(column)) + ", " + row + ": " + size);
                QVERIFY2(heard(cell, QAccessible::Value) == size && none == (cell->palette().color(QPalette::WindowText) != Qt::white),
                         qPrintable(cell->objectName() + " heard or dimmed"));
            }
        }
        // Each press announces anew: a screen reader speaks the announcement as it appears.
        Appearances shown;
        child("Announcement")->installEventFilter(&shown);
        run("see; see");
        QCOMPARE(shown.count, 2);
    }

    // The words that tell things apart, each group in every language: the
    // sexes, the charts' titles, the legends, the panel's rows, the notes,
    // the lists, the options, the panel's menu, the pictures' names and the
    // two messages. None is empty, none said twice: not by two of a group,
    // not by two languages. Every picture takes its name in the language;
    // with none, the messages are the designed French.
    void wordsTellApart()
    {
        using language::MessageText, language::Message;
        QList<QStringList> groups(10);
        for (const char* code : {"0", "1", "2", "3", "4"}) {
            apply(code);
            const auto& t = form->Texts();
            QStringList pictures;
            for (ui::Art art : {ui::Art::Suit, ui::Art::Dress, ui::Art::Shirt, ui::Art::Trousers, ui::Art::Boots, ui::Art::Logo})
                pictures << ui::NameOf(art);
            const QList<QStringList> words{{t.man, t.woman}, {t.chart.men, t.chart.women}, {t.chart.yourSize, t.chart.between},
                                           {t.garmentRow, t.shoeRow}, {t.noEquivalent, t.between, t.outside, t.noChart},
                                           {t.countryList, t.suitList, t.shirtList, t.shoeList},
                                           {t.suitOption, t.shirtOption, t.trousersOption, t.shoeOption},
                                           {t.copy, t.chart.command}, pictures,
                                           {MessageText(Message::SettingsUnreadable), MessageText(Message::SettingsNotSaved)}};
            for (qsizetype i = 0; i < words.size(); ++i)
                groups[i] += words[i];
            for (auto* picture : form->findChildren<ui::Picture*>())  // each named by what it shows, in the language
                QVERIFY2(picture->accessibleName() == ui::NameOf(picture->picture()), qPrintable(picture->objectName() + ' ' + code));
        }
        for (const QStringList& group : groups) {
            QStringList once = group;
            once.removeDuplicates();
            QVERIFY2(once.size() == group.size() && !group.contains(""), qPrintable(group.join(", ")));
        }
        language::SetLanguageCode("");
        QCOMPARE((QStringList{MessageText(Message::SettingsUnreadable), MessageText(Message::SettingsNotSaved)}), groups.last().mid(0, 2));
    }

    // A press of any button on the skin or a shape drags the window and a
    // double-click there ends the program; on a control neither happens, and
    // a press that leaves a picture before its release chooses nothing.
    void mouseOnSkinAndControls_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("skin");
        QTest::newRow("bare skin, middle button") << QPoint(400, 215) << Qt::MiddleButton << true;
        QTest::newRow("plain shape") << QPoint(100, 212) << Qt::LeftButton << true;
        QTest::newRow("result cell") << QPoint(80, 264) << Qt::LeftButton << false;
        QTest::newRow("flag") << QPoint(80, 236) << Qt::LeftButton << false;
        QTest::newRow("garment picture") << QPoint(230, 160) << Qt::LeftButton << false;
    }

    void mouseOnSkinAndControls()
    {
        QFETCH(QPoint, at);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, skin);
        form->move(100, 100);
        QTRY_COMPARE(form->pos(), QPoint(100, 100));
        QWidget* target = form->childAt(at);  // what the window system hands the press to
        const QString before = facts();
        const QPoint local = target->mapFrom(form.get(), at), moved = local + QPoint(37, -21);
        QTest::mousePress(target, button, {}, local);
        QMouseEvent move(QEvent::MouseMove, moved, target->mapToGlobal(moved), Qt::NoButton, button, {});
        QApplication::sendEvent(target, &move);
        QTest::mouseRelease(target, button, {}, moved);
        QCOMPARE(form->pos(), skin ? QPoint(137, 79) : QPoint(100, 100));
        expect(before);
        QTest::mouseDClick(target, Qt::LeftButton, {}, local);
        QCOMPARE(form->isVisible(), !skin);
    }

    // Every text a table can write fits its result cell, a range between two
    // rows on at most two lines in a face still read, and every list entry
    // its list, in the start-up face and in the Japanese one.
    void everyTextFitsItsCell()
    {
        QSet<QString> results, entries;
        for (Country c : kCountries)
            for (Sex sex : {Sex::Man, Sex::Woman})
                for (SizeList l : {SizeList::SuitOrDress, SizeList::Shirt, SizeList::Shoes})
                    for (std::string_view entry : SizeListEntries(c, sex, l)) {
                        entries << QString::fromUtf8(entry);
                        const QString between = QString::number(QString::fromUtf8(entry).toDouble() + 0.25);
                        for (Table t : {*GarmentTable(sex, Garment::SuitOrDress), *GarmentTable(sex, Garment::Shirt), ShoeTable(sex)})
                            for (const std::string& size : {std::string(entry), between.toStdString()}) {
                                PanelRow row;
                                CellFlags missing;
                                AnswerSize(t, c, size, row, missing);
                                for (const std::string& cell : row)
                                    results << QString::fromStdString(cell);
                            }
                    }
        for (const char* code : {"", "2"}) {
            apply(code);
            auto* cell = child<app::ResultCell>("Label2_0");
            for (const QString& text : results) {
                cell->setAnswer(text, false);
                const auto [lines, font] = cell->shown();
                const QFontMetrics shown(font);
                const bool fits = std::ranges::all_of(lines, [&](const QString& l) { return shown.horizontalAdvance(l) <= cell->width(); });
                QVERIFY2(fits && lines.size() * shown.lineSpacing() <= cell->height() && font.pointSizeF() >= 7, qPrintable(text + " " + code));
            }
            const QLineEdit* field = list("Combo2_0")->lineEdit();
            for (const QString& text : entries)
                QVERIFY2(field->fontMetrics().horizontalAdvance(text) <= field->width(), qPrintable(text + " " + code));
        }
    }

    // A whole session by keyboard alone: keys go where the focus is, as typed.
    void keyboardAlone()
    {
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(QApplication::focusWidget()->objectName(), "Option2_0");  // harmless
        // Man, France, suit 48, shoe 41, then Return in the shoe list converts.
        keys("Space Tab Down Down Tab Space Tab Down Down Tab Tab Tab Down Down Down Return");
        expect("garment 38|M|48|38|48|48|87, shoes 8.5|28|41|9|41|41|8");
        // In the list, Ctrl+C copies the text selected there; a paste of any length leaves what a size could be.
        keys("Ctrl+A Ctrl+C");
        QCOMPARE(QApplication::clipboard()->text(), "41");
        QApplication::clipboard()->setText(QString(100000, QChar(0x5b57)));
        keys("Ctrl+V");
        QCOMPARE(list("Combo2_1")->currentText(), QString(40, QChar(0x5b57)));
        keys("Ctrl+C Tab");  // with nothing selected, the panel; the result button ringed
        QTRY_VERIFY(form->findChild<app::FocusRing*>()->geometry().contains(child("SeeBtn")->geometry()));
        QCOMPARE(QApplication::clipboard()->text().section('\n', 0, 1),
                 "Royaume-Uni\tJapon\tFrance\tÉtats-Unis\tAllemagne\tItalie\tAustralie\n"
                 "38\tM\t48\t38\t48\t48\t87");
        // Japanese: the options button, the arrow that chooses its flag, OK; then French again.
        keys("Tab Tab Return Right Tab Tab Tab Tab Return");  // past the result panel
        QCOMPARE(language::LanguageCode() + child<QAbstractButton>("SeeBtn")->text(), "2サイズを見る");
        keys("Return Tab Return Tab Tab Tab Return");
        QCOMPARE(language::LanguageCode() + child<QAbstractButton>("SeeBtn")->text(), "0Voir");
        // The about box, from the options dialog, closed by Escape; the dialog too.
        keys("Return Tab Tab Tab Tab Tab Return");
        QWidget* box = language::AboutBox();
        QVERIFY(box->isVisible());
        keys("Escape", box);
        keys("Escape", language::OptionsDialog());
        QVERIFY(!box->isVisible() && !language::OptionsDialog()->isVisible());
        keys("Tab Return");  // the exit button
        QTRY_VERIFY(!form->isVisible());
    }

    // The chart, opened from the panel's menu and by its shortcut, in each
    // language: its title and rows, the last conversion's rows standing out
    // by their colour, what a screen reader hears of its cells, copies.
    void chart_data()
    {
        QTest::addColumn<QString>("code");
        for (const char* code : {"0", "1", "2", "3", "4"})
            QTest::newRow(code) << code;
    }

    void chart()
    {
        QFETCH(QString, code);
        apply(code);
        const language::ChartTexts words = form->Texts().chart;
        auto capital = [](const QString& text) { return text.left(1).toUpper() + text.mid(1); };
        auto title = [](const QString& sex, ui::Art art) { return sex + " – " + ui::NameOf(art); };

        // Man, United Kingdom, suit 40 (the fourth row), shoe 9 (between 8.5 and 9.5):
        // the panel's menu copies it, or opens the chart of the row it is over.
        run("sex 0; country English-UK; garment 0; size 0 40; type Combo2_1 9");
        QCOMPARE(menu("Label2_2", 0), (QStringList{form->Texts().copy, words.command}));
        QCOMPARE(QApplication::clipboard()->text(), form->PanelText());
        menu("Label2_2", 1);
        auto* window = form->findChild<app::ChartWindow*>();
        QVERIFY(window && QTest::qWaitForWindowActive(window));
        QCOMPARE(window->windowTitle(), title(words.men, ui::Art::Suit));
        QCOMPARE(window->windowHandle()->transientParent(), form->windowHandle());

        auto* table = window->findChild<QTableWidget*>();
        auto* legend = window->findChildren<QLabel*>().last();
        const QStringList countries = form->PanelText().section('\n', 0, 0).split('\t');  // heading the columns, as copied below
        // Each row headed by the size the shopper knows, as the list offers it.
        auto headedBy = [&](const char* list) {
            for (int r = 0; r < table->rowCount(); ++r)
                QCOMPARE(table->verticalHeaderItem(r)->text(), this->list(list)->itemText(r));
        };
        headedBy("Combo2_0");
        // The last conversion's row stands out, explained under the chart; the
        // keyboard starts there, on the country converted from, and each cell
        // is heard by its country, size, the row's size and whether it is yours.
        QCOMPARE(highlighted(table), (QStringList{"3 cell", "3 heading"}));
        QCOMPARE(legend->isVisible() ? legend->text() : QString(), capital(words.yourSize));
        QCOMPARE(table->currentIndex().row() * 10 + table->currentIndex().column(), 30);
        QCOMPARE(window->focusWidget(), table);
        auto* cells = QAccessible::queryAccessibleInterface(table)->tableInterface();
        auto current = [&] { return cells->cellAt(table->currentIndex().row(), table->currentIndex().column())->text(QAccessible::Name); };
        for (int r = 0; r < table->rowCount(); ++r)
            for (int c = 0; c < kColumnCount; ++c) {
                const QString size = table->item(r, c)->text(), row = table->verticalHeaderItem(r)->text();
                QCOMPARE(cells->cellAt(r, c)->text(QAccessible::Name), countries[c] + ' ' + size
                         + (c == 0 && size == row ? "" : ", " + words.sameAs.arg(countries[0], row)) + (r == 3 ? ", " + words.yourSize : ""));
            }

        // The countries share the width, and their header is as tall as its
        // tallest name, with no empty band under it.
        QHeaderView* header = table->horizontalHeader();
        for (int c = 0; c < table->columnCount(); ++c)
            QCOMPARE(header->sectionSize(c), header->sectionSize(0));
        const QImage top = header->grab().toImage();
        int lastInk = 0;
        for (int y = 0; y < top.height(); ++y)
            for (int x = 0; x < top.width(); ++x)
                if (qGray(top.pixel(x, y)) < 80)
                    lastInk = y;
        QVERIFY2(top.height() - lastInk >= 3 && top.height() - lastInk <= 9, qPrintable(QString::number(top.height() - lastInk)));

        // Arrows select, Ctrl+C copies the selection, or everything with everything selected.
        keys("Down Shift+Right Ctrl+C", table);
        QCOMPARE(QApplication::clipboard()->text(), "42\tL\n");
        keys("Ctrl+A Ctrl+C", table);
        const QString whole = QApplication::clipboard()->text();
        QCOMPARE(whole.section('\n', 0, 1), form->PanelText().section('\n', 0, 0) + "\n34\tS\t44\t34\t44\t44\t81");
        QCOMPARE(whole.count('\n'), 9);

        // The shirt, chosen by arrow: its rows headed as the British list
        // offers them, though the chart's British cells show no letter.
        QApplication::setActiveWindow(form.get());
        keys("Down Ctrl+T", child("Option1_0"));
        QCOMPARE(window->windowTitle(), title(words.men, ui::Art::Shirt));
        headedBy("Combo2_2");

        // From the shoe list, the shortcut shows the shoe chart in the same
        // window: a size between two rows highlights both.
        QApplication::setActiveWindow(form.get());  // as the window manager does on a click
        list("Combo2_1")->lineEdit()->setFocus();
        keys("Ctrl+T", list("Combo2_1")->lineEdit());
        QCOMPARE(form->findChildren<app::ChartWindow*>(), QList{window});
        QCOMPARE(window->windowTitle(), title(words.men, ui::Art::Boots));
        QCOMPARE(highlighted(table), (QStringList{"3 cell", "3 heading", "4 cell", "4 heading"}));
        QCOMPARE(legend->text(), capital(words.between));
        QCOMPARE(current(), countries[0] + " 8.5, " + words.between);

        // A woman's chart, chosen by arrow: nothing of hers converted yet.
        QApplication::setActiveWindow(form.get());
        keys("Down Ctrl+T", child("Option2_0"));
        QCOMPARE(window->windowTitle(), title(words.women, ui::Art::Shirt));
        QVERIFY(highlighted(table).isEmpty() && !legend->isVisible());
        menu("Label3_0", 1);  // and the shoe row's
        QCOMPARE(window->windowTitle(), title(words.women, ui::Art::Boots));

        // Every chart titled by its sex and garment, no two alike.
        QSet<QString> titles;
        for (auto [chart, sex, art] : {std::tuple{Table::MenSuit, words.men, ui::Art::Suit}, {Table::MenShirt, words.men, ui::Art::Shirt},
                                       {Table::MenShoes, words.men, ui::Art::Boots}, {Table::WomenDress, words.women, ui::Art::Dress},
                                       {Table::WomenShirt, words.women, ui::Art::Shirt}, {Table::WomenShoes, words.women, ui::Art::Boots}}) {
            window->Show({chart, Country::None, {}});
            QCOMPARE(window->windowTitle(), title(sex, art));
            titles << window->windowTitle();
        }
        QCOMPARE(titles.size(), 6);

        // It follows a language change, and Escape closes it.
        apply(code == "1" ? "3" : "1");
        QCOMPARE(window->windowTitle(), title(form->Texts().chart.women, ui::Art::Boots));
        keys("Escape", table);
        QVERIFY(!window->isVisible());
    }

    // What a screen reader says of the controls, in each language: those the
    // keyboard reaches, the captions, a garment picture, a result cell, the
    // announced result, a list's place among its entries, the buttons' tips.
    // Beyond names (the rest is heard under Orca: screen-reader.sh): a list's
    // entries and open action, hidden controls, flags to press, window roles.
    // The dialogs' texts (the about box's by its first words), the language's
    // flag marked, and the face: a Japanese one, so that Japanese is Japanese.
    void everyLanguage_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("flag");
        QTest::addColumn<QString>("dialogs");
        QTest::addColumn<QString>("heard");
        QTest::newRow("French") << "0" << 2 << "Option de Quorvel|Choisir votre Langue|A propos de..|Annulé\"|A propos de Quorvel|Quorvel convertit"
            << "Homme|Femme|Pays|Costume ou robe|Chemise|Taille du costume ou de la robe|"
            "Taille de chemise|Chaussures|Pointure|Voir|Options|Quitter|Votre pays ?|Sexe|costume|France, vêtement: 48|"
            "chaussures: Royaume-Uni 8.5, Japon 28, France 41, États-Unis 9, Allemagne 41, Italie 41, Australie 8|"
            "4 sur 8|Voir le résutat|Option|Quitter";
        QTest::newRow("English") << "1" << 0 << "Quorvel Option|Select Your language|About Of..|Cancel|About Of Quorvel|Quorvel converts"
            << "Man|Woman|Country|Suit or dress|Shirt|Suit or dress size|Shirt size|Shoes|"
            "Shoe size|To see|Options|Exit|Your Country ?|sex|suit|France, garment: 48|shoes: United Kingdom 8.5, "
            "Japan 28, France 41, United States 9, Germany 41, Italy 41, Australia 8|4 of 8|To see the result|Option|End";
        // No tips of its own: those of the language before stay.
        QTest::newRow("Japanese") << "2" << 1 << "Quorvel オプション|言語選択|Quorvelについて|キャンセル|About Of Quorvel|Quorvelは、7か国"
            << "男|女|国|スーツ・ドレス|シャツ|スーツ・ドレスのサイズ|シャツのサイズ|靴|靴のサイズ|"
            "サイズを見る|オプション|終了|国選択|性別|スーツ|フランス, 衣服: 48|靴: イギリス 8.5, 日本 28, フランス 41, アメリカ 9, "
            "ドイツ 41, イタリア 41, オーストラリア 8|8件中4|To see the result|Option|End";
        QTest::newRow("German") << "3" << 4 << "Quorvel Wahl|Wählen Sie Ihre Sprache vor|Über von..|Löschen|Über von Quorvel|Quorvel rechnet"
            << "Mann|Frau|Land|Anzug oder Kleid|Hemd|Anzug- oder Kleidgröße|Hemdgröße|Schuhe|"
            "Schuhgröße|Sehen|Optionen|Beenden|Ihr Land ?|Geschlecht|Anzug|Frankreich, Kleidung: 48|Schuhe: Vereinigtes "
            "Königreich 8.5, Japan 28, Frankreich 41, Vereinigte Staaten 9, Deutschland 41, Italien 41, Australien 8|"
            "4 von 8|Das Resultat sehen|Wahl|Ende";
        QTest::newRow("Italian") << "4" << 5 << "Opzione di Quorvel|Scegliere la vostra lingua|A proposito di ..|Annullato|A proposito di Quorvel|Quorvel converte"
            << "Uomo|Doman|Paese|Abito o vestito|Camicia|Taglia di abito o vestito|"
            "Taglia di camicia|Scarpe|Numero di scarpe|Per vedere?|Opzioni|Esci|Il vostro paese?|sesso|abito|"
            "Francia, abito: 48|scarpe: Regno Unito 8.5, Giappone 28, Francia 41, Stati Uniti 9, Germania 41, Italia 41, "
            "Australia 8|4 di 8|Per vedere il risultato|Opzione|Lasciare";
    }

    void everyLanguage()
    {
        QFETCH(QString, code);
        QFETCH(int, flag);
        QFETCH(QString, dialogs);
        QFETCH(QString, heard);
        apply("1");  // from English: nothing of it left but what is meant
        apply(code);
        run("sex 0; country francais; garment 0; size 0 48; size 1 41; see");
        auto iface = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w); };
        const QStringList expected = heard.split('|');
        const QStringList controls{"Option2_0", "Option2_1", "Combo1", "Option1_0", "Option1_2", "Combo2_0", "Combo2_2", "Option3",
                                   "Combo2_1", "SeeBtn", "Tool", "Command1", "Label1_0", "Frame1", "I2_0", "Label2_2", "Announcement",
                                   "Combo2_1 described", "SeeBtn described", "Tool described", "Command1 described"};
        for (qsizetype i = 0; i < controls.size(); ++i) {
            QAccessibleInterface* control = iface(child(controls[i].section(' ', 0, 0)));
            const QString said = controls[i].endsWith(" described") ? control->text(QAccessible::Description)
                                                                    : control->text(QAccessible::Name).section("; ", -1);
            QVERIFY2(said == expected.value(i), qPrintable(controls[i] + ": " + said + ", expected " + expected.value(i)));
        }
        QWidget* dialog = language::OptionsDialog();
        QWidget* box = language::AboutBox();
        QStringList texts{dialog->windowTitle()};
        for (const char* name : {"Label1_0", "Command3", "Command5"})
            texts << dialog->findChild<QWidget*>(name)->property("text").toString();
        texts << box->windowTitle() << box->findChild<QLabel*>("Label1")->text().left(dialogs.section('|', 5).size());
        QCOMPARE(texts.join('|'), dialogs);
        QVERIFY(dialog->findChild<QAbstractButton*>("Option1_" + QString::number(flag))->isChecked());
        const QFont see = child("SeeBtn")->font();
        for (QWidget* control : {child("Label1_0"), child("Combo2_1"), child("ResultNote"), dialog->findChild<QWidget*>("Command4"), box->findChild<QWidget*>("Label1")})
            QVERIFY(control->font().family() == see.family() && control->font().pointSizeF() == 9.75 && !control->font().bold());
        QVERIFY(QFontDatabase::writingSystems(QFontInfo(see).family()).contains(QFontDatabase::Japanese) && see.bold());

        QAccessibleInterface* shoes = iface(child("Combo2_1"));
        QAccessibleInterface* entries = shoes->child(0);  // the list of entries, under the list box
        QVERIFY(entries && entries->role() == QAccessible::List && entries->child(3));
        QCOMPARE(shoes->text(QAccessible::Value) + ' ' + entries->child(3)->text(QAccessible::Name), "41 41");
        shoes->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
        QTRY_VERIFY(list("Combo2_1")->view()->isVisible());
        for (const char* hidden : {"Frame4", "Combo2_3"})
            QVERIFY(iface(child(hidden))->state().invisible);
        QVERIFY(iface(form.get())->role() == QAccessible::Window && iface(dialog)->role() == QAccessible::Dialog);
        QAccessibleInterface* japanese = iface(dialog->findChild<QWidget*>("Image1_1"));
        japanese->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(japanese->state().checked && dialog->findChild<QWidget*>("Command4")->isEnabled());
    }
};

QUORVEL_TEST_MAIN(Form1Test, QApplication)
#include "app_form1_test.moc"
