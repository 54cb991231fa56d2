#include "chart_window.h"

#include "quorvel/artwork.h"
#include "quorvel/look.h"
#include "quorvel/picture.h"
#include "quorvel/title_bar.h"
#include "widgets.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <climits>
#include <functional>

namespace quorvel::app {
namespace {

using ui::Art;

const QColor kLilac(192, 192, 255);
const QColor kPaleLilac(236, 236, 255);
const QColor kGarmentBlue(128, 128, 255);
const QColor kLastConversion(255, 255, 192);
constexpr QSize kFlagSize(30, 20);

Art PictureOf(Table table)
{
    switch (table) {
    case Table::MenSuit: return Art::Suit;
    case Table::WomenDress: return Art::Dress;
    case Table::MenShirt:
    case Table::WomenShirt: return Art::Shirt;
    case Table::MenShoes:
    case Table::WomenShoes: break;
    }
    return Art::Boots;
}

bool IsWomen(Table table) { return table >= Table::WomenDress; }

// Until a language is applied the windows speak in their designed face; any
// language then draws every text in the face that also holds Japanese.
QFont ChartFont(qreal points, bool bold)
{
    const QString code = language::LanguageCode();
    const bool applied = code.size() == 1 && code >= QLatin1String("0") && code <= QLatin1String("4");
    return ui::DesignFont(applied ? "MS UI Gothic" : "MS Sans Serif", points, bold);
}

// Each column headed by its flag with the country's name below it.
class FlagHeader : public QHeaderView {
public:
    explicit FlagHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
    {
        setSectionsClickable(false);
        setHighlightSections(false);
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int section) const override
    {
        painter->save();
        painter->fillRect(rect, kLilac);
        painter->setPen(kGarmentBlue);
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        const QRect flag(QPoint(rect.center().x() - kFlagSize.width() / 2, rect.top() + 4), kFlagSize);
        const qreal ratio = devicePixelRatioF();
        painter->drawImage(flag, ui::Drawn(FlagAtColumn(section), (QSizeF(kFlagSize) * ratio).toSize()));
        painter->setPen(Qt::black);
        painter->setFont(font());
        painter->drawText(rect.adjusted(3, kFlagSize.height() + 6, -3, -2), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                          model()->headerData(section, Qt::Horizontal).toString());
        painter->restore();
    }

    // As wide as the longest word of the name, two lines of text under the flag.
    QSize sectionSizeFromContents(int section) const override
    {
        int width = kFlagSize.width();
        for (const QString& word : model()->headerData(section, Qt::Horizontal).toString().split(QLatin1Char(' ')))
            width = std::max(width, fontMetrics().horizontalAdvance(word));
        return {width + 12, kFlagSize.height() + 8 + 2 * fontMetrics().height()};
    }
};

// Keys of the chart: Ctrl+C copies, Escape closes the window; the rest is the table's.
class ChartTable : public QTableWidget {
public:
    using QTableWidget::QTableWidget;
    std::function<void()> copy;

protected:
    bool event(QEvent* event) override
    {
        // Ours, whatever shortcut a window behind has for it.
        if (event->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            event->accept();
            return true;
        }
        return QTableWidget::event(event);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->matches(QKeySequence::Copy)) {
            copy();
            return;
        }
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
            window()->close();
            return;
        }
        QTableWidget::keyPressEvent(event);
    }
};

}  // namespace

ChartWindow::ChartWindow(QWidget* mainWindow, const language::ChartTexts& texts)
    // A title and a close button, nowhere a button to maximize it.
    : QWidget(mainWindow, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      texts_(texts)
{
    // Built on first use and kept, hidden, once closed.
    setObjectName(QStringLiteral("Chart"));
    ui::InstallAccessibleRoles();
    ui::Fill(this, kLilac);

    picture_ = new ui::Picture(Art::Suit, ui::Picture::Placement::Fitted, this);
    picture_->setFixedSize(36, 36);
    heading_ = new QLabel(this);
    heading_->setTextFormat(Qt::PlainText);
    table_ = new ChartTable(this);
    static_cast<ChartTable*>(table_)->copy = [this] { CopySelection(); };
    table_->setHorizontalHeader(new FlagHeader(table_));
    table_->setColumnCount(kColumnCount);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setTabKeyNavigation(false);
    // The window takes the whole chart: nothing to scroll.
    table_->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ui::SetColour(table_, QPalette::Base, kPaleLilac);
    ui::SetColour(table_, QPalette::Highlight, kGarmentBlue);
    ui::SetColour(table_, QPalette::HighlightedText, Qt::white);
    ui::SetColour(table_->verticalHeader(), QPalette::Button, kLilac);

    auto* heading = new QHBoxLayout;
    heading->addWidget(picture_);
    heading->addWidget(heading_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(table_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ui::TitleBar::Install(this);
}

void ChartWindow::Show(const ChartRequest& request)
{
    request_ = request;
    const auto chart = Chart(request.table);
    table_->clearContents();
    table_->setRowCount(int(chart.size()));
    for (int r = 0; r < int(chart.size()); ++r)
        for (int c = 0; c < kColumnCount; ++c) {
            auto* item = new QTableWidgetItem(QString::fromUtf8(chart[std::size_t(r)][std::size_t(c)]));
            item->setTextAlignment(Qt::AlignCenter);
            if (IsHighlighted(r))
                item->setBackground(kLastConversion);
            table_->setItem(r, c, item);
        }
    Relabel();

    const int current = request.highlighted.count > 0 ? request.highlighted.first : 0;
    const QModelIndex at = table_->model()->index(current, std::max(0, request.column));
    table_->selectionModel()->setCurrentIndex(at, QItemSelectionModel::Clear);
    table_->scrollTo(table_->model()->index(current + std::max(0, request.highlighted.count - 1), 0));
    table_->scrollTo(at);
    table_->setFocus();
    adjustSize();
    show();
    raise();
    activateWindow();
}

void ChartWindow::Retranslate(const language::ChartTexts& texts)
{
    texts_ = texts;
    Relabel();
}

void ChartWindow::Relabel()
{
    const QFont font = ChartFont(9.75, false), bold = ChartFont(9.75, true);
    const QString& rowWord = texts_.row;
    const QString title = (IsWomen(request_.table) ? texts_.women : texts_.men) + QStringLiteral(" – ") +
                          ui::NameOf(PictureOf(request_.table));
    setWindowTitle(title);
    if (ui::TitleBar* bar = ui::TitleBar::Of(this))
        bar->setFont(bold);
    heading_->setText(title);
    heading_->setFont(ChartFont(12, true));
    picture_->setPicture(PictureOf(request_.table));
    table_->setFont(font);
    table_->horizontalHeader()->setFont(font);
    table_->verticalHeader()->setFont(font);
    for (int c = 0; c < kColumnCount; ++c) {
        const QString country = ui::NameOf(FlagAtColumn(c));
        table_->setHorizontalHeaderItem(c, new QTableWidgetItem(country));
        for (int r = 0; r < table_->rowCount(); ++r) {
            QTableWidgetItem* item = table_->item(r, c);
            item->setFont(IsHighlighted(r) ? bold : font);
            item->setData(Qt::AccessibleTextRole,
                          QStringLiteral("%1, %2 %3: %4").arg(country, rowWord, QString::number(r + 1), item->text()));
        }
    }
    table_->resizeColumnsToContents();
    table_->resizeRowsToContents();
    adjustSize();
}

QString ChartWindow::SelectedText() const
{
    const QModelIndexList selected = table_->selectionModel()->selectedIndexes();
    const bool whole = selected.isEmpty() || selected.size() == table_->rowCount() * kColumnCount;
    int top = 0, bottom = table_->rowCount() - 1, left = 0, right = kColumnCount - 1;
    QStringList lines;
    if (whole) {
        QStringList countries;
        for (int c = 0; c < kColumnCount; ++c)
            countries << table_->horizontalHeaderItem(c)->text();
        lines << countries.join(QLatin1Char('\t'));
    } else {
        top = left = INT_MAX;
        bottom = right = -1;
        for (const QModelIndex& index : selected) {
            top = std::min(top, index.row()), bottom = std::max(bottom, index.row());
            left = std::min(left, index.column()), right = std::max(right, index.column());
        }
    }
    for (int r = top; r <= bottom; ++r) {
        QStringList cells;
        for (int c = left; c <= right; ++c)
            cells << (whole || table_->item(r, c)->isSelected() ? table_->item(r, c)->text() : QString());
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

bool ChartWindow::IsHighlighted(int row) const
{
    return row >= request_.highlighted.first && row < request_.highlighted.first + request_.highlighted.count;
}

void ChartWindow::CopySelection() const { QGuiApplication::clipboard()->setText(SelectedText()); }

}  // namespace quorvel::app
