// The size chart: the whole table of a sex and garment, or of shoes, in a
// small window of its own beside the main window.
#pragma once

#include "quorvel/conversion.h"
#include "quorvel/language.h"

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

// A window of the main window, which it follows as its transient parent and
// whose language it takes.
class ChartWindow : public QWidget {
    Q_OBJECT
public:
    ChartWindow(QWidget* mainWindow, const language::ChartTexts& texts);
    void Show(const ChartRequest& request);
    void Retranslate(const language::ChartTexts& texts);
    // The selection as tab-separated text; with nothing (or everything)
    // selected, the whole chart under a line of the countries.
    QString SelectedText() const;

private:
    // Its words, names and faces, and its size, which they decide.
    void Relabel();
    bool IsHighlighted(int row) const;
    void CopySelection() const;

    language::ChartTexts texts_;
    ChartRequest request_;
    ui::Picture* picture_ = nullptr;
    QLabel* heading_ = nullptr;
    QTableWidget* table_ = nullptr;
};

}  // namespace quorvel::app
