// The main window driven with real mouse and key events: start-up, the
// handlers and their step arrows, the result panel, dragging and ending.
#include "../qt_test_main.h"
#include "form1.h"
#include "quorvel/language.h"

#include <QtWidgets>

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
        return QStringLiteral("arrow %1, see %2, checked %3, shows %4, trousers %5, panel %6")
            .arg(words(arrows), onOff("SeeBtn"), words(checked), child("Image2_1")->accessibleName(), trousers, panel);
    }

    // Runs steps separated by ';': "sex 1", "country francais", "garment 2"
    // (option), "picture 2" (garment picture), "boots" (shoe picture), "shoes"
    // (shoe option), "size 1 39" (clicks 39 in Combo2_1), "type Combo1 Atlantis"
    // (text, Enter: kept as typed, never added), "see", "arrow 5" (ShowStepArrow(5)).
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
            else if (word[0] == "type") {
                QComboBox* combo = list(word[1]);
                const QStringList before = entries(combo);
                combo->lineEdit()->selectAll();
                QTest::keyClicks(combo->lineEdit(), rest);
                QTest::keyClick(combo->lineEdit(), Qt::Key_Return);
                QVERIFY2(combo->currentText() == rest && entries(combo) == before, qPrintable(combo->currentText()));
            } else if (word[0] == "arrow")
                form->ShowStepArrow(word[1].toInt());
            else if (clicks.contains(word[0]))
                QTest::mouseClick(child(clicks[word[0]] + word.value(1)), Qt::LeftButton, {}, QPoint(8, 8));
            else
                QFAIL(qPrintable("unknown step " + step));
            if (QTest::currentTestFailed())
                return;
        }
    }

    void pick(QComboBox* combo, const QString& text)
    {
        const QModelIndex index = combo->model()->index(combo->findText(text, Qt::MatchExactly), 0);
        QVERIFY2(index.isValid(), qPrintable(text));
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        QVERIFY(QTest::qWaitForWindowExposed(view->window()));
        view->scrollTo(index);
        QTest::qWait(QApplication::doubleClickInterval() + 50);  // the popup drops a release that comes too soon
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
        QTRY_VERIFY(!view->isVisible());
        QCOMPARE(combo->currentText(), text);
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
        QCOMPARE(entries(list("Combo1")),
                 QStringList({"English-UK", "francais", "日本語", "American", "Deutch", "Italiano", "Australia"}));
        QCOMPARE(list("Combo1")->currentText(), "");
        for (const char* name : {"Combo2_0", "Combo2_1", "Combo2_2", "Combo2_3"})
            QVERIFY2(list(name)->currentText().isEmpty() && list(name)->count() == 0, name);
        QCOMPARE(state(),
                 "arrow none, see off, checked none, shows costume, trousers on, panel 0|0|0|0|0|0|0 / 0|0|0|0|0|0|0");
        QVERIFY(!form->mask().isEmpty());

        QVERIFY(form->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(form->windowTitle() + child<QLabel>("Lname")->text() + child<QAbstractButton>("Option2_0")->text() +
                     child<QAbstractButton>("SeeBtn")->text(), "QuorvelQuorvelHommeVoir");
        const QImage shot = form->grab().toImage();
        QCOMPARE(QColor(shot.pixel(158, 19)), QColor(255, 255, 0));
        QCOMPARE(QColor(shot.pixel(120, 60)), QColor(128, 128, 128));  // the sex frame's border
        QVERIFY(qBlue(shot.pixel(57, 257)) > qRed(shot.pixel(57, 257)) + 40);
    }

    // The pictures of the first frame, drawn at build time, look as the SVGs
    // drawn now would, over the skin's blue: at most 2/255 apart per channel.
    void firstFramePicturesMatchTheSvgs()
    {
        int compared = 0;
        for (auto* picture : form->findChildren<quorvel::ui::Picture*>()) {
            const QImage raster = quorvel::ui::Raster(picture->picture(), picture->size());
            if (raster.isNull() || !picture->isVisible())
                continue;
            QImage fast(raster.size(), QImage::Format_RGB32), slow = fast;
            fast.fill(QColor(40, 40, 160));
            slow.fill(QColor(40, 40, 160));
            QPainter(&fast).drawImage(0, 0, raster);
            QImageReader svg(quorvel::ui::PathOf(picture->picture()));
            svg.setScaledSize(raster.size());
            QPainter(&slow).drawImage(0, 0, svg.read());
            for (int y = 0; y < fast.height(); ++y)
                for (int x = 0; x < fast.width(); ++x) {
                    const QRgb a = fast.pixel(x, y), b = slow.pixel(x, y);
                    QVERIFY2(std::max({qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)), qAbs(qBlue(a) - qBlue(b))}) <= 2,
                             qPrintable(picture->objectName()));
                }
            ++compared;
        }
        QCOMPARE(compared, 14);  // every picture of the first frame but the skin
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
        // France with a man (or no sex yet) disables the trousers for good.
        row("country francais", "trousers off");
        row("sex 1; country francais", "trousers on");
        row("sex 0; country francais; sex 1; country 日本語", "trousers off");
        row("country Italiano; type Combo2_0 50", "arrow 2");  // an entry's text, Enter: no click
        row("shoes; arrow 0", "arrow 0");
        row("shoes; arrow -1; arrow 5", "arrow 3");  // out of range: nothing changes
        // Conversions through the panel.
        row("country Italiano; see", "panel 34|S|44|34|44|44|81 / 5.5|25|38|6|38|38|5");  // the men's first entries
        row("sex 0; see", "panel 0|0|0|0|0|0|0 / 0|0|0|0|0|0|0");  // no country: no change
        row("sex 1; country Italiano; garment 2; size 2 44; see; see",
            "panel 12|9 L|40|10 M|38|44|10 M / 1.5|20|35|3|35|35|3");  // pressed twice: the same panel
        // A typed size matching nothing is echoed; the other cells are kept.
        row("sex 0; country francais; garment 0; size 0 50; see; type Combo2_0 999; see",
            "panel 40|L|999|40|999|999|90 / 5.5|25|38|6|38|38|5");
        // Trousers leave the garment row; the shoes are recomputed.
        row("sex 0; country American; garment 0; size 0 40; size 1 8; see; size 0 46; garment 3; size 1 12; see",
            "panel 40|L|50|40|50|50|90 / 11.5|31|44|12|44|44|11");
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

    // A sex click refills the lists of the chosen country, and none before one.
    void sexChangeRefillsTheLists()
    {
        run("type Combo2_0 50; sex 0");
        QCOMPARE(list("Combo2_2")->count() + list("Combo2_0")->currentText().size(), 0);
        run("country American; size 2 16 L; sex 1");
        QCOMPARE(list("Combo2_0")->currentText() + ", " + list("Combo2_2")->currentText(), "4, 4 S");  // women's sizes
        QCOMPARE(list("Combo2_2")->count(), 9);
        run("country American");  // the same country again holds each entry once
        QCOMPARE(list("Combo2_2")->count(), 9);
    }

    // A press of any button on the skin or a shape drags the window and a
    // double-click there ends the program; on a control neither happens.
    void mouseOnSkinAndControls_data()
    {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("skin");
        QTest::newRow("bare skin, middle button") << QPoint(400, 215) << Qt::MiddleButton << true;
        QTest::newRow("plain shape") << QPoint(100, 212) << Qt::LeftButton << true;
        QTest::newRow("result cell") << QPoint(80, 264) << Qt::LeftButton << false;
        QTest::newRow("flag") << QPoint(80, 236) << Qt::LeftButton << false;
    }

    void mouseOnSkinAndControls()
    {
        QFETCH(QPoint, at);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, skin);
        form->move(100, 100);
        QTRY_COMPARE(form->pos(), QPoint(100, 100));
        QWidget* target = form->childAt(at);  // what the window system hands the press to
        QVERIFY(target);
        const QPoint local = target->mapFrom(form.get(), at), moved = local + QPoint(37, -21);
        QTest::mousePress(target, button, {}, local);
        QMouseEvent move(QEvent::MouseMove, moved, target->mapToGlobal(moved), Qt::NoButton, button, {});
        QApplication::sendEvent(target, &move);
        QTest::mouseRelease(target, button, {}, moved);
        QCOMPARE(form->pos(), skin ? QPoint(137, 79) : QPoint(100, 100));
        QTest::mouseDClick(target, Qt::LeftButton, {}, local);
        QCOMPARE(form->isVisible(), !skin);
    }

    // A paste of any length leaves a list with what a size could be.
    void pasteIsBounded()
    {
        QApplication::clipboard()->setText(QString(100000, QChar(0x5b57)));
        QLineEdit* field = list("Combo2_1")->lineEdit();
        field->setFocus();
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(field->text(), QString(40, QChar(0x5b57)));
    }

    // Asked to show itself, the window comes back wholly onto the screen.
    void showAgainBringsTheWindowBack()
    {
        const QRect room = form->screen()->availableGeometry();
        form->move(room.right() - 9, room.bottom() - 9);
        QTRY_COMPARE(form->pos(), QPoint(room.right() - 9, room.bottom() - 9));
        form->ShowAgain();
        QTRY_VERIFY2(room.contains(form->frameGeometry()), qPrintable(QDebug::toString(form->frameGeometry())));
    }

    // Every text a table can write fits its result cell, and every list entry
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
                        for (Table t : {*GarmentTable(sex, Garment::SuitOrDress), *GarmentTable(sex, Garment::Shirt), ShoeTable(sex)}) {
                            PanelRow row;
                            ConvertSize(t, c, entry, row);
                            for (const std::string& cell : row)
                                results << QString::fromStdString(cell);
                        }
                    }
        for (const char* code : {"", "2"}) {
            quorvel::language::SetLanguageCode(code);
            quorvel::language::ApplyLanguage();
            const QLabel* cell = child<QLabel>("Label2_0");
            for (const QString& text : results)
                QVERIFY2(cell->fontMetrics().horizontalAdvance(text) <= cell->width(), qPrintable(text + " " + code));
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
                QTest::qWait(key == "Return" ? 200 : 0);  // a button pressed by key shows it first
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
        // Japanese: the options button, its flag, OK; then French again.
        keys("Tab Tab Return Tab Return Tab Tab Tab Tab Return");  // past the result panel
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
        QTimer::singleShot(100, [] {
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

    // A screen reader hears every control by name in the interface language,
    // lists and result cells by name and value, and windows by their roles.
    void accessibility()
    {
        auto text = [this](const char* control, QAccessible::Text t = QAccessible::Name) {
            return QAccessible::queryAccessibleInterface(child(control))->text(t);
        };
        run("sex 0; country francais; garment 0; size 0 48; size 1 41; see");
        QCOMPARE(text("Combo2_1") + '=' + text("Combo2_1", QAccessible::Value), "Pointure=41");
        QCOMPARE(text("Label2_2") + '|' + text("Image1_0") + '|' + text("Option1_0") + '|' + text("I2_0"),
                 "France, vêtement: 48|Royaume-Uni|Costume ou robe|costume");
        quorvel::language::SetLanguageCode("1");
        quorvel::language::ApplyLanguage();
        run("sex 1");  // a picture that changes keeps a name in the language
        QCOMPARE(text("Label3_0") + '|' + text("Combo1") + '|' + text("Image2_1") + '|' + text("Option3"),
                 "United Kingdom, shoes: 8.5|Country|dress|Shoes");
        QCOMPARE(QAccessible::queryAccessibleInterface(form.get())->role(), QAccessible::Window);
        QCOMPARE(QAccessible::queryAccessibleInterface(quorvel::language::OptionsDialog())->role(), QAccessible::Dialog);
        for (const char* hidden : {"Frame4", "Combo2_3"})
            QVERIFY(QAccessible::queryAccessibleInterface(child(hidden))->state().invisible);
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
        const auto french = words("0"), german = words("3");
        QStringList same{"same:"}, nameless{"nameless:"}, tips{"tips:"}, translated;
        for (auto it = german.begin(); it != german.end(); ++it)
            if (const bool tip = it.key().endsWith("/tip"); !tip || !it->isEmpty())
                (it->isEmpty() ? nameless : french[it.key()] == *it ? same : tip ? tips : translated) << it.key();
        QCOMPARE((same + nameless + tips).join(' '), "same: Combo2_3 Frame4 LF_0 LF_1 LF_2 LF_3 LF_4 Label4 Label5 Lname Picture1 "
                                                     "nameless: Announcement Frame2 Frame3 Option1Group Option3Group Shape1 Shape2 "
                                                     "tips: Command1/tip SeeBtn/tip Tool/tip");
    }

    // What a screen reader needs beyond names: the result announced, each
    // list's entries and place and its open action, options counted in their
    // visible group, and flags that are buttons to press.
    void screenReaderStructure()
    {
        auto iface = [this](const char* control) { return QAccessible::queryAccessibleInterface(child(control)); };
        run("sex 0; country francais; garment 0; size 0 48; size 1 41; see");
        QCOMPARE(iface("Announcement")->role(), QAccessible::Notification);
        QCOMPARE(iface("Announcement")->text(QAccessible::Name),
                 "Royaume-Uni 38, Japon M, France 48, États-Unis 38, Allemagne 48, Italie 48, Australie 87; "
                 "chaussures: Royaume-Uni 8.5, Japon 28, France 41, États-Unis 9, Allemagne 41, Italie 41, Australie 8");
        QCOMPARE(iface("ResultPanel")->text(QAccessible::Name), iface("Announcement")->text(QAccessible::Name));

        QAccessibleInterface* shoes = iface("Combo2_1");
        QCOMPARE(shoes->childCount(), 2);
        QAccessibleInterface* entries = shoes->child(0);
        QCOMPARE(entries->role(), QAccessible::List);
        QCOMPARE(entries->parent()->object(), shoes->object());
        QCOMPARE(shoes->indexOfChild(entries), 0);
        QCOMPARE(entries->childCount(), 8);
        QCOMPARE(entries->child(3)->role(), QAccessible::ListItem);
        QCOMPARE(entries->child(3)->text(QAccessible::Name), "41");
        QCOMPARE(shoes->child(1)->role(), QAccessible::EditableText);
        QCOMPARE(shoes->text(QAccessible::Description), "4 sur 8");
        auto* actions = shoes->actionInterface();
        QVERIFY(actions && actions->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
        actions->doAction(QAccessibleActionInterface::showMenuAction());
        QTRY_VERIFY(list("Combo2_1")->view()->isVisible());
        actions->doAction(QAccessibleActionInterface::pressAction());
        QTRY_VERIFY(!list("Combo2_1")->view()->isVisible());

        for (auto [option, group] : {std::pair{"Option1_2", 3}, {"Option3", 1}, {"Option2_1", 2}})
            QCOMPARE(iface(option)->parent()->childCount(), group);

        QWidget* dialog = quorvel::language::OptionsDialog();
        auto* flag = QAccessible::queryAccessibleInterface(dialog->findChild<QWidget*>("Image1_1"));
        QCOMPARE(flag->role(), QAccessible::RadioButton);
        QCOMPARE(flag->parent()->childCount(), 5);
        QVERIFY(!flag->state().checked && !dialog->findChild<QWidget*>("Command4")->isEnabled());
        flag->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QVERIFY(flag->state().checked && dialog->findChild<QWidget*>("Command4")->isEnabled());
        QCOMPARE(QAccessible::queryAccessibleInterface(dialog->findChild<QWidget*>("Option1_4"))->parent()->childCount(), 5);
    }
};

QUORVEL_TEST_MAIN(Form1Test, QApplication)
#include "app_form1_test.moc"
