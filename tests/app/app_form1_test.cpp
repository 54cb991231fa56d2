// The main window driven with real mouse and key events: start-up, the
// handlers and their step arrows, the result panel, dragging and ending.
#include "../qt_test_main.h"
#include "form1.h"
#include "quorvel/language.h"

#include <QtWidgets>

#include <algorithm>
#include <memory>

using quorvel::app::Form1;

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

    // Step arrows shown, result button, checked options, the garment Image2_1
    // shows, the trousers list and option enabled, and the garment (Label2) /
    // shoe (Label3) rows of the panel: UK, JP, FR, US, DE, IT, AU.
    QString state() const
    {
        constexpr int n = quorvel::kColumnCount;
        QStringList arrows, checked, cells;
        for (int i = 0; i < 2 * n; ++i)
            cells << child<QLabel>(QStringLiteral("Label%1_%2").arg(2 + i / n).arg(i % n))->text();
        for (int k = 0; k < 5; ++k)
            if (child(QStringLiteral("LF_%1").arg(k))->isVisible())
                arrows << QString::number(k);
        for (QRadioButton* option : form->findChildren<QRadioButton*>())
            if (option->isChecked())
                checked << option->objectName();
        checked.sort();
        auto words = [](const QStringList& list) { return list.isEmpty() ? QStringLiteral("none") : list.join(' '); };
        auto onOff = [this](const char* name) { return QString(child(name)->isEnabled() ? "on" : "off"); };
        const QString trousers = onOff("Combo2_3") == onOff("Option1_3") ? onOff("Combo2_3") : "half";
        const QString panel = cells.mid(0, n).join('|') + " / " + cells.mid(n).join('|');
        QStringList lists;  // suit or dress, shirt, shoes: text and count
        for (const char* name : {"Combo2_0", "Combo2_2", "Combo2_1"})
            lists << list(name)->currentText() + '/' + QString::number(list(name)->count());
        return QStringLiteral("arrow %1, see %2, checked %3, shows %4, trousers %5, lists %6, panel %7")
            .arg(words(arrows), onOff("SeeBtn"), words(checked), child("Image2_1")->accessibleName(), trousers,
                 lists.join(' '), panel);
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

private slots:
    void init()
    {
        form = std::make_unique<Form1>();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }

    void cleanup()
    {
        quorvel::language::SetLanguageCode("0");  // names of pictures are the application's
        quorvel::language::ApplyLanguage();
        form.reset();
    }

    // Also seen: a frameless window, captions, the yellow title plate, the sex
    // frame's border, the skin through the result cells.
    void startUp()
    {
        QCOMPARE(entries(list("Combo1")).join('|') + '|' + list("Combo1")->currentText(),
                 "English-UK|francais|日本語|American|Deutch|Italiano|Australia|");
        QCOMPARE(state(),
                 "arrow none, see off, checked none, shows costume, trousers on, lists /0 /0 /0, "
                 "panel 0|0|0|0|0|0|0 / 0|0|0|0|0|0|0");
        // Shaped to its skin: every pixel but those of the top-left one's colour.
        const QImage skin = child<quorvel::app::SkinPicture>("Picture1")->drawSkin();
        const QRegion key(QBitmap::fromImage(skin.createMaskFromColor(skin.pixel(0, 0), Qt::MaskOutColor)));
        QVERIFY((form->mask() ^ (QRegion(skin.rect()) - key)).isEmpty() && key.contains(QPoint(3, 3)));

        QVERIFY(form->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(form->windowTitle() + child<QLabel>("Lname")->text(), "QuorvelQuorvel");
        const QImage shot = form->grab().toImage();
        QCOMPARE(QColor(shot.pixel(158, 19)), QColor(255, 255, 0));
        QCOMPARE(QColor(shot.pixel(120, 60)), QColor(128, 128, 128));  // the sex frame's border
        QVERIFY(qBlue(shot.pixel(57, 257)) > qRed(shot.pixel(57, 257)) + 40);
    }

    // The pictures of the first frame, drawn at build time, look as the SVGs
    // drawn now would, over the skin's blue: at most 2/255 apart per channel.
    void firstFramePicturesMatchTheSvgs()
    {
        for (auto* picture : form->findChildren<quorvel::ui::Picture*>()) {
            const QImage raster = quorvel::ui::Raster(picture->picture(), picture->size());
            if (raster.isNull() || !picture->isVisible())
                continue;
            QImageReader svg(quorvel::ui::PathOf(picture->picture()));
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

    // Each row: what the user does, then the parts of state() that decides.
    void userSteps_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("state");
        auto row = [](const char* script, const char* state) {
            QTest::newRow(script) << QString(script) << QString(state);
        };
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
        row("country Italiano; see", "panel 34|S|44|34|44|44|81 / 5.5|25|38|6|38|38|5");  // the men's first entries
        row("sex 0; see", "panel 0|0|0|0|0|0|0 / 0|0|0|0|0|0|0");  // no country: no change
        row("sex 1; country Italiano; garment 2; size 2 44; see; see",
            "panel 12|9 L|40|10 M|38|44|10 M / 1.5|20|35|3|35|35|3");  // pressed twice: the same panel
        // A typed country matching none: the chosen one is kept.
        row("country 日本語; type Combo1 Atlantis; sex 1; see", "panel 6|3|34|4|32|38|4 / 1.5|20|35|3|35|35|3");
    }

    void userSteps()
    {
        QFETCH(QString, script);
        QFETCH(QString, state);
        run(script);
        QStringList named;
        for (const QString& part : this->state().split(", "))
            if (state.contains(part.section(' ', 0, 0) + ' '))
                named << part;
        QCOMPARE(named.join(", "), state);
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

    // Sizes the tables do not give: no cell keeps an earlier size, a dimmed
    // dash stands where there is no equivalent, a size between two rows gives
    // ranges, and the note under the panel says which, in French and then in
    // another language; a screen reader hears no dash as a size.
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
            "36–38|S–M|47|36–38|47|47|84–87 / 8.5–9.5|28–29|41.5|9–10|41.5|41.5|8–9", "garment between 46 48|shoes between 41 42", "3");
        row("UK man's shoe 12.5", "sex 0; country English-UK; size 0 40; type Combo2_1 12.5",
            "40|L|50|40|50|50|90 / 12.5|31–32|44–45|12–13|44–45|44–45|11–12", "shoes between 11.5 13", "2");
        row("US woman's shoe 7.5, trousers", "sex 1; country American; trousers; type Combo2_1 7.5",
            "–|–|–|–|–|–|– / 5.5–6.5|24–25|39–40|7.5|39–40|39–40|7.5", "garment noChart|shoes between 7 8", "1");
        row("French suit 60", "sex 0; country francais; garment 0; type Combo2_0 60", "–|–|60|–|60|60|– / 5.5|25|38|6|38|38|5", "garment outside", "4");
        row("Japanese suit m", "sex 0; country 日本語; garment 0; type Combo2_0 m", "–|m|–|–|–|–|– / 5.5|25|38|6|38|38|5", "garment none", "2");
        row("all found again", "sex 0; country francais; garment 2; type Combo2_2 99; type Combo2_2 40",
            "16|40|40|16|40|40|40 / 5.5|25|38|6|38|38|5", "", "3");
    }

    void sizesWithoutEquivalent()
    {
        QFETCH(QString, script);
        QFETCH(QString, panel);
        QFETCH(QString, notes);
        QFETCH(QString, language);
        run(script);
        auto name = [this](const char* control) { return QAccessible::queryAccessibleInterface(child(control))->text(QAccessible::Name); };
        for (const QString& code : {QString("0"), language}) {
            quorvel::language::SetLanguageCode(code);
            quorvel::language::ApplyLanguage();
            QCOMPARE(state().section(", panel ", 1) + '\n' + child<QLabel>("ResultNote")->text(), panel + '\n' + note(notes));
            QCOMPARE(child("ResultNote")->isVisible(), !notes.isEmpty());
            const QString spoken = form->ResultText();
            QVERIFY2(!spoken.contains(" –") && spoken.endsWith(note(notes).replace('\n', "; ")), qPrintable("heard: " + spoken));
            QVERIFY(name("ResultPanel") == spoken && (code != "0" || name("Announcement") == spoken));
            for (auto* cell : form->findChildren<quorvel::app::ResultCell*>()) {
                const bool none = cell->text() == "–";
                QVERIFY2(QAccessible::queryAccessibleInterface(cell)->text(QAccessible::Value) == (none ? form->Texts().noEquivalent : cell->text())
                         && none == (cell->palette().color(QPalette::WindowText) != Qt::white), qPrintable(cell->objectName() + " heard or dimmed"));
            }
        }
    }

    // Each language says each note in words of its own.
    void notesInEveryLanguage()
    {
        QSet<QString> words;
        for (const char* code : {"0", "1", "2", "3", "4"}) {
            quorvel::language::SetLanguageCode(code);
            quorvel::language::ApplyLanguage();
            words += {form->Texts().noEquivalent, form->Texts().between, form->Texts().outside, form->Texts().noChart};
        }
        QVERIFY2(words.size() == 20 && !words.contains(""), "four notes of each language its own");
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
        const QString before = state();
        const QPoint local = target->mapFrom(form.get(), at), moved = local + QPoint(37, -21);
        QTest::mousePress(target, button, {}, local);
        QMouseEvent move(QEvent::MouseMove, moved, target->mapToGlobal(moved), Qt::NoButton, button, {});
        QApplication::sendEvent(target, &move);
        QTest::mouseRelease(target, button, {}, moved);
        QCOMPARE(form->pos(), skin ? QPoint(137, 79) : QPoint(100, 100));
        QCOMPARE(state(), before);
        QTest::mouseDClick(target, Qt::LeftButton, {}, local);
        QCOMPARE(form->isVisible(), !skin);
    }

    // In a list, Ctrl+C copies the text selected there, not the panel; a
    // paste of any length leaves what a size could be.
    void clipboardInAList()
    {
        QLineEdit* field = list("Combo2_1")->lineEdit();
        field->setFocus();
        QTest::keyClicks(field, "41");
        field->selectAll();
        QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), "41");
        QApplication::clipboard()->setText(QString(100000, QChar(0x5b57)));
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field->text(), QString(40, QChar(0x5b57)));
    }

    // Every text a table can write fits its result cell, a range between two
    // rows on at most two lines in a face still read, and every list entry
    // its list, in the start-up face and in the Japanese one.
    void everyTextFitsItsCell()
    {
        using namespace quorvel;
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
            quorvel::language::SetLanguageCode(code);
            quorvel::language::ApplyLanguage();
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
        // The offscreen platform activates no window when another hides: the
        // keys then go to the main window's focus, as a window manager's would.
        auto keys = [this](const QString& script) {
            for (const QString& key : script.split(' ')) {
                const QKeyCombination k = QKeySequence(key)[0];
                QWidget* focus = QApplication::focusWidget() ? QApplication::focusWidget() : form->focusWidget();
                QTest::keyClick(focus, k.key(), k.keyboardModifiers());
                if (auto* button = qobject_cast<QAbstractButton*>(focus))  // shown pressed first
                    QTRY_VERIFY(!button->isDown());
            }
        };
        // Man, France, suit 48, shoe 41, then Return in the shoe list converts.
        keys("Space Tab Down Down Tab Space Tab Down Down Tab Tab Tab Down Down Down Return");
        QCOMPARE(state().section(", panel ", 1), "38|M|48|38|48|48|87 / 8.5|28|41|9|41|41|8");
        keys("Tab Ctrl+C");  // on the result button, ringed for the keyboard user
        QTRY_VERIFY(form->findChild<quorvel::app::FocusRing*>()->geometry().contains(child("SeeBtn")->geometry()));
        QCOMPARE(QApplication::clipboard()->text().section('\n', 0, 1),
                 "Royaume-Uni\tJapon\tFrance\tÉtats-Unis\tAllemagne\tItalie\tAustralie\n"
                 "38\tM\t48\t38\t48\t48\t87");
        // Japanese: the options button, the arrow that chooses its flag, OK; then French again.
        keys("Tab Tab Return Right Tab Tab Tab Tab Return");  // past the result panel
        QCOMPARE(quorvel::language::LanguageCode() + child<QAbstractButton>("SeeBtn")->text(), "2サイズを見る");
        keys("Return Tab Return Tab Tab Tab Return");
        QCOMPARE(quorvel::language::LanguageCode() + child<QAbstractButton>("SeeBtn")->text(), "0Voir");
        // The about box, from the options dialog, closed by Escape; the dialog too.
        keys("Return Tab Tab Tab Tab Tab Return");
        QWidget* box = quorvel::language::AboutBox();
        QVERIFY(box->isVisible());
        QTest::keyClick(box, Qt::Key_Escape);
        QTest::keyClick(quorvel::language::OptionsDialog(), Qt::Key_Escape);
        QVERIFY(!box->isVisible() && !quorvel::language::OptionsDialog()->isVisible());
        keys("Tab Return");  // the exit button
        QTRY_VERIFY(!form->isVisible());
    }

    // The result panel's context menu copies it, in the interface language.
    void copyFromContextMenu()
    {
        run("country American; see");
        QApplication::clipboard()->clear();
        QTimer::singleShot(0, [] {
            QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu && menu->actions().value(0) && menu->actions()[0]->text() == "Copier");
            menu->actions()[0]->trigger();
            menu->close();
        });
        const QPoint cell = child("Label3_0")->mapTo(form.get(), QPoint(5, 5));
        QContextMenuEvent click(QContextMenuEvent::Mouse, cell, form->mapToGlobal(cell));
        QApplication::sendEvent(form.get(), &click);
        QCOMPARE(QApplication::clipboard()->text().section('\n', 2), "5.5\t25\t38\t6\t38\t38\t5\n");
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

    // Every name and tip leaves French for German, where every text differs:
    // what stays is the product's own or out of sight, only containers and
    // decoration go nameless, and the three buttons keep their tips.
    void everyTextInTheLanguage()
    {
        auto words = [this](const char* code) {
            quorvel::language::SetLanguageCode(code);
            quorvel::language::ApplyLanguage();
            QMap<QString, QString> heard;
            for (QWidget* w : form->findChildren<QWidget*>(QRegularExpression("^[A-Z]")))  // ours, not Qt's
                heard[w->objectName()] = QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name),
                heard[w->objectName() + "/tip"] = w->toolTip();
            return heard;
        };
        run("country francais; type Combo2_0 47");  // a note
        const auto french = words("0"), german = words("3");
        QStringList same{"same:"}, nameless{"nameless:"}, tips{"tips:"}, translated;
        for (auto it = german.begin(); it != german.end(); ++it)
            if (const bool tip = it.key().endsWith("/tip"); !tip || !it->isEmpty())
                (it->isEmpty() ? nameless : french[it.key()] == *it ? same : tip ? tips : translated) << it.key();
        // The announcement is of the conversion, when it was made.
        QCOMPARE((same + nameless + tips).join(' '), "same: Announcement Combo2_3 Frame4 LF_0 LF_1 LF_2 LF_3 LF_4 Label4 Label5 Lname "
                                                     "Picture1 nameless: Frame2 Frame3 Option1Group Option3Group Shape1 Shape2 "
                                                     "tips: Command1/tip SeeBtn/tip Tool/tip");
    }

    void everyLanguage()
    {
        QFETCH(QString, code);
        QFETCH(int, flag);
        QFETCH(QString, dialogs);
        QFETCH(QString, heard);
        for (const QString& language : {QString("1"), code}) {  // from English: nothing of it left but what is meant
            quorvel::language::SetLanguageCode(language);
            quorvel::language::ApplyLanguage();
        }
        run("sex 0; country francais; garment 0; size 0 48; size 1 41; see");
        auto iface = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w); };
        QStringList said;
        for (const char* name : {"Option2_0", "Option2_1", "Combo1", "Option1_0", "Option1_2", "Combo2_0", "Combo2_2",
                                 "Option3", "Combo2_1", "SeeBtn", "Tool", "Command1", "Label1_0", "Frame1", "I2_0",
                                 "Label2_2", "Announcement"})
            said << iface(child(name))->text(QAccessible::Name).section("; ", -1);
        for (const char* name : {"Combo2_1", "SeeBtn", "Tool", "Command1"})
            said << iface(child(name))->text(QAccessible::Description);
        QCOMPARE(said.join('|'), heard);
        QWidget* dialog = quorvel::language::OptionsDialog();
        QWidget* box = quorvel::language::AboutBox();
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
