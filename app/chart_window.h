// The size chart: the whole table of a sex and garment, or of shoes, in a
// small window of its own beside the main window.
#pragma once

#include "quorvel/conversion.h"

#include <QString>
#include <QWidget>

class QLabel;
class QTableWidget;

namespace quorvel::ui {
class Picture;
}

namespace quorvel::app {

// What a chart shows: a table, the rows of the last conversion (none when it
// was of another table) and the column of the country it started from.
struct ChartRequest {
    Table table = Table::MenSuit;
    ChartRows highlighted;
    int column = -1;
};

// The chart's texts live on the main window, as its other language-dependent
// words do: the designed French ones until a language is applied.
void SetChartDesignedTexts(QWidget* mainWindow);
// The command that opens the chart, in the interface language.
QString ChartCommandText(const QWidget* mainWindow);

// Shows the chart, built on first use: one window at a time, given the main
// window as its transient parent, following its language.
QWidget* ShowChart(QWidget* mainWindow, const ChartRequest& request);

class ChartWindow : public QWidget {
    Q_OBJECT
public:
    explicit ChartWindow(QWidget* mainWindow);
    void Show(const ChartRequest& request);
    // The selection as tab-separated text; with nothing (or everything)
    // selected, the whole chart under a line of the countries.
    QString SelectedText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Retranslate();
    bool IsHighlighted(int row) const;
    void CopySelection() const;

    QWidget* mainWindow_;
    ChartRequest request_;
    ui::Picture* picture_ = nullptr;
    QLabel* heading_ = nullptr;
    QTableWidget* table_ = nullptr;
};

}  // namespace quorvel::app
