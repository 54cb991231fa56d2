// The size chart: the whole table of a sex and garment, or of shoes, in a
// small window of its own beside the main window.
#pragma once

#include "quorvel/conversion.h"
#include "quorvel/language.h"

#include <QString>
#include <QWidget>

#include <optional>
#include <string>

class QLabel;
class QTableWidget;

namespace quorvel::ui {
class Picture;
}

namespace quorvel::app {

// What a chart shows: a table, the country whose sizes head its rows
// (France's for none) and the size of the last conversion, when it was of
// this table, whose rows stand out.
struct ChartRequest {
    Table table = Table::MenSuit;
    Country source = Country::None;
    std::optional<std::string> size;
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
    void SizeColumns();
    bool IsHighlighted(int row) const;
    Country Source() const;
    void CopySelection() const;

    language::ChartTexts texts_;
    ChartRequest request_;
    SizeFit fit_;
    ui::Picture* picture_ = nullptr;
    QLabel* heading_ = nullptr;
    QTableWidget* table_ = nullptr;
    QWidget* corner_ = nullptr;
    QWidget* legend_ = nullptr;
    QLabel* legendText_ = nullptr;
};

}  // namespace quorvel::app
