// The size chart, opened from the result panel's menu and by its shortcut
// after a conversion made by keyboard, in every language.
#include "../qt_test_main.h"
#include "chart_window.h"
#include "form1.h"
#include "quorvel/language.h"

#include <QtWidgets>

using quorvel::app::ChartWindow;
using quorvel::app::Form1;

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

private slots:
    void chartInEveryLanguage_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("title");    // of the suit chart, then of the shoe chart
        QTest::addColumn<QString>("cellName");  // France, row 4
        QTest::newRow("French") << "0" << "Voir le tableau" << "Tailles homme – costume|Tailles homme – chaussures" << "France, ligne 4: 50";
        QTest::newRow("English") << "1" << "See the chart" << "Men's sizes – suit|Men's sizes – shoes" << "France, row 4: 50";
        QTest::newRow("Japanese") << "2" << "サイズ表を見る" << "男性サイズ表 – スーツ|男性サイズ表 – 靴" << "フランス, 行 4: 50";
        QTest::newRow("German") << "3" << "Tabelle ansehen" << "Herrengrößen – Anzug|Herrengrößen – Schuhe" << "Frankreich, Zeile 4: 50";
        QTest::newRow("Italian") << "4" << "Vedi la tabella" << "Taglie uomo – abito|Taglie uomo – scarpe" << "Francia, riga 4: 50";
    }

    void chartInEveryLanguage()
    {
        QFETCH(QString, code);
        QFETCH(QString, command);
        QFETCH(QString, title);
        QFETCH(QString, cellName);
        Form1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        quorvel::language::SetLanguageCode(code);
        quorvel::language::ApplyLanguage();

        // Man, United Kingdom, suit 40, shoe 8.5: the fourth row of both tables.
        auto combo = [&form](const char* name) { return form.findChild<QComboBox*>(name); };
        QTest::mouseClick(form.findChild<QWidget*>("Option2_0"), Qt::LeftButton, {}, QPoint(8, 8));
        keys(combo("Combo1"), "Down");
        QTest::mouseClick(form.findChild<QWidget*>("Option1_0"), Qt::LeftButton, {}, QPoint(8, 8));
        keys(combo("Combo2_0"), "Down Down Down");
        keys(combo("Combo2_1"), "Down Down Down Return");
        QCOMPARE(form.findChild<QLabel*>("Label3_2")->text(), "41");

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
        QCOMPARE(offered.value(1), command);
        ChartWindow* window = openChart();
        QVERIFY(window && QTest::qWaitForWindowActive(window));
        QCOMPARE(window->windowTitle(), title.section('|', 0, 0));
        QCOMPARE(window->windowHandle()->transientParent(), form.windowHandle());

        auto* table = window->findChild<QTableWidget*>();
        QCOMPARE(table->rowCount(), 8);
        QStringList headers;
        for (int c = 0; c < table->columnCount(); ++c)
            headers << table->horizontalHeaderItem(c)->text();
        QCOMPARE(headers.join('\t'), form.PanelText().section('\n', 0, 0));  // the seven countries, in panel order
        // The last conversion's row stands out, and the keyboard starts there, on the country converted from.
        for (int r = 0; r < table->rowCount(); ++r)
            QCOMPARE(table->item(r, 2)->font().bold(), r == 3);
        QCOMPARE(table->currentIndex().row() * 10 + table->currentIndex().column(), 30);
        QCOMPARE(window->focusWidget(), table);
        auto* cells = QAccessible::queryAccessibleInterface(table)->tableInterface();
        QCOMPARE(cells->cellAt(3, 2)->text(QAccessible::Name), cellName);

        // Arrows select, Ctrl+C copies the selection, or everything with everything selected.
        keys(table, "Down Shift+Right Ctrl+C");
        QCOMPARE(QApplication::clipboard()->text(), "42\tL\n");
        keys(table, "Ctrl+A Ctrl+C");
        const QString whole = QApplication::clipboard()->text();
        QCOMPARE(whole.section('\n', 0, 1), form.PanelText().section('\n', 0, 0) + "\n34\tS\t44\t34\t44\t44\t81");
        QCOMPARE(whole.count('\n'), 9);

        // From the shoe list, the shortcut shows the shoe chart in the same window.
        QApplication::setActiveWindow(&form);  // as the window manager does on a click
        combo("Combo2_1")->lineEdit()->setFocus();
        keys(combo("Combo2_1")->lineEdit(), "Ctrl+T");
        QCOMPARE(openChart(), window);
        QCOMPARE(window->windowTitle(), title.section('|', 1, 1));
        QVERIFY(table->item(3, 0)->font().bold() && table->item(3, 0)->text() == "8.5");

        // It follows a language change, and Escape closes it.
        quorvel::language::SetLanguageCode(code == "1" ? "3" : "1");
        quorvel::language::ApplyLanguage();
        QCOMPARE(window->windowTitle(), code == "1" ? "Herrengrößen – Schuhe" : "Men's sizes – shoes");
        keys(table, "Escape");
        QVERIFY(!window->isVisible());
    }
};

QUORVEL_TEST_MAIN(ChartTest, QApplication)
#include "app_chart_test.moc"
