// The size chart, opened from the result panel's menu and by its shortcut
// after a conversion made by keyboard, in every language.
#include "../qt_test_main.h"
#include "chart_window.h"
#include "form1.h"
#include "quorvel/artwork.h"
#include "quorvel/language.h"

#include <QtWidgets>

using quorvel::app::ChartWindow;
using quorvel::app::Form1;
using quorvel::ui::Art;

class ChartTest : public QObject {
    Q_OBJECT

    static ChartWindow* openChart()
    {
        ChartWindow* found = nullptr;
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* chart = qobject_cast<ChartWindow*>(window)) {
                if (found != nullptr)
                    qFatal("two charts");
                found = chart;
            }
        return found;
    }

    static void keys(QWidget* to, const QString& script)
    {
        for (const QString& key : script.split(' ', Qt::SkipEmptyParts)) {
            const QKeyCombination k = QKeySequence(key)[0];
            QTest::keyClick(to, k.key(), k.keyboardModifiers());
        }
    }

    // The rows painted in the colour of the last conversion.
    static QList<int> highlighted(QTableWidget* table)
    {
        const QImage shot = table->viewport()->grab().toImage();
        QList<int> rows;
        for (int r = 0; r < table->rowCount(); ++r)
            if (QColor(shot.pixel(table->columnViewportPosition(6) + 3, table->rowViewportPosition(r) + 3)) == QColor(255, 255, 192))
                rows << r;
        return rows;
    }

private slots:
    void chartInEveryLanguage_data()
    {
        QTest::addColumn<QString>("code");
        for (const char* code : {"0", "1", "2", "3", "4"})
            QTest::newRow(code) << code;
    }

    void chartInEveryLanguage()
    {
        QFETCH(QString, code);
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        quorvel::language::SetLanguageCode(code);
        quorvel::language::ApplyLanguage();
        const quorvel::language::ChartTexts words = form.Texts().chart;
        auto capital = [](const QString& text) { return text.left(1).toUpper() + text.mid(1); };

        // Man, United Kingdom, suit 40 (the fourth row), shoe 9 (between 8.5 and 9.5).
        auto combo = [&form](const char* name) { return form.findChild<QComboBox*>(name); };
        QTest::mouseClick(form.findChild<QWidget*>("Option2_0"), Qt::LeftButton, {}, QPoint(8, 8));
        keys(combo("Combo1"), "Down");
        QTest::mouseClick(form.findChild<QWidget*>("Option1_0"), Qt::LeftButton, {}, QPoint(8, 8));
        keys(combo("Combo2_0"), "Down Down Down");
        combo("Combo2_1")->lineEdit()->selectAll();
        keys(combo("Combo2_1")->lineEdit(), "9 Return");
        QCOMPARE(form.findChild<QLabel*>("Label2_2")->text(), "50");

        // The menu of the garment row, beside Copy.
        QStringList offered;
        QTimer::singleShot(100, [&offered] {
            QMenu* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            for (QAction* action : menu ? menu->actions() : QList<QAction*>{})
                offered << action->text();
            if (offered.size() == 2)
                menu->actions()[1]->trigger();
            if (menu)
                menu->close();
        });
        const QPoint cell = form.findChild<QWidget*>("Label2_2")->mapTo(&form, QPoint(5, 5));
        QContextMenuEvent click(QContextMenuEvent::Mouse, cell, form.mapToGlobal(cell));
        QApplication::sendEvent(&form, &click);
        QCOMPARE(offered.value(1), words.command);
        ChartWindow* window = openChart();
        QVERIFY(window && QTest::qWaitForWindowActive(window));
        QCOMPARE(window->windowTitle(), words.men + " – " + quorvel::ui::NameOf(Art::Suit));
        QCOMPARE(window->windowHandle()->transientParent(), form.windowHandle());

        auto* table = window->findChild<QTableWidget*>();
        auto* legend = window->findChildren<QLabel*>().last();
        const QStringList countries = form.PanelText().section('\n', 0, 0).split('\t');  // heading the columns, as copied below
        // Each row headed by the size the shopper knows, as the list offers it.
        auto headedBy = [&](const char* list) {
            for (int r = 0; r < table->rowCount(); ++r)
                QCOMPARE(table->verticalHeaderItem(r)->text(), combo(list)->itemText(r));
        };
        headedBy("Combo2_0");
        // The last conversion's row stands out, explained under the chart; the
        // keyboard starts there, on the country converted from, and is heard.
        QCOMPARE(highlighted(table), QList<int>{3});
        QCOMPARE(legend->isVisible() ? legend->text() : QString(), capital(words.yourSize));
        QCOMPARE(table->currentIndex().row() * 10 + table->currentIndex().column(), 30);
        QCOMPARE(window->focusWidget(), table);
        auto* cells = QAccessible::queryAccessibleInterface(table)->tableInterface();
        auto current = [&] { return cells->cellAt(table->currentIndex().row(), table->currentIndex().column())->text(QAccessible::Name); };
        QCOMPARE(current(), countries[0] + " 40, " + words.yourSize);
        QCOMPARE(cells->cellAt(3, 1)->text(QAccessible::Name),
                 countries[1] + " L, " + words.sameAs.arg(countries[0], "40") + ", " + words.yourSize);
        QCOMPARE(cells->cellAt(0, 6)->text(QAccessible::Name), countries[6] + " 81, " + words.sameAs.arg(countries[0], "34"));

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
        keys(table, "Down Shift+Right Ctrl+C");
        QCOMPARE(QApplication::clipboard()->text(), "42\tL\n");
        keys(table, "Ctrl+A Ctrl+C");
        const QString whole = QApplication::clipboard()->text();
        QCOMPARE(whole.section('\n', 0, 1), form.PanelText().section('\n', 0, 0) + "\n34\tS\t44\t34\t44\t44\t81");
        QCOMPARE(whole.count('\n'), 9);

        // The shirt, chosen by arrow: its rows headed as the British list
        // offers them, though the chart's British cells show no letter.
        QApplication::setActiveWindow(&form);
        keys(form.findChild<QWidget*>("Option1_0"), "Down Ctrl+T");
        QCOMPARE(window->windowTitle(), words.men + " – " + quorvel::ui::NameOf(Art::Shirt));
        headedBy("Combo2_2");

        // From the shoe list, the shortcut shows the shoe chart in the same
        // window: a size between two rows highlights both.
        QApplication::setActiveWindow(&form);  // as the window manager does on a click
        combo("Combo2_1")->lineEdit()->setFocus();
        keys(combo("Combo2_1")->lineEdit(), "Ctrl+T");
        QCOMPARE(openChart(), window);
        QCOMPARE(window->windowTitle(), words.men + " – " + quorvel::ui::NameOf(Art::Boots));
        QCOMPARE(highlighted(table), (QList<int>{3, 4}));
        QCOMPARE(legend->text(), capital(words.between));
        QCOMPARE(current(), countries[0] + " 8.5, " + words.between);

        // A woman's chart, chosen by arrow: nothing of hers converted yet.
        QApplication::setActiveWindow(&form);
        keys(form.findChild<QWidget*>("Option2_0"), "Down Ctrl+T");
        QCOMPARE(window->windowTitle(), words.women + " – " + quorvel::ui::NameOf(Art::Shirt));
        QVERIFY(!window->windowTitle().startsWith(words.men));
        QVERIFY(highlighted(table).isEmpty() && !legend->isVisible());

        // It follows a language change, and Escape closes it.
        quorvel::language::SetLanguageCode(code == "1" ? "3" : "1");
        quorvel::language::ApplyLanguage();
        QCOMPARE(window->windowTitle(), form.Texts().chart.women + " – " + quorvel::ui::NameOf(Art::Shirt));
        keys(table, "Escape");
        QVERIFY(!window->isVisible());
    }
};

QUORVEL_TEST_MAIN(ChartTest, QApplication)
#include "app_chart_test.moc"
