#include "chart_window.h"

#include "accessibility.h"
#include "quorvel/artwork.h"
#include "quorvel/look.h"
#include "quorvel/picture.h"
#include "quorvel/title_bar.h"
#include "widgets.h"

#include <QAbstractButton>
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

bool IsWomen(Table table) { return table >= Table::WomenDress; }

// Until a language is applied the windows speak in their designed face; any
// language then draws every text in the face that also holds Japanese.
QFont ChartFont(qreal points, bool bold)
{
    const QString code = language::LanguageCode();
    const bool applied = code.size() == 1 && code >= QLatin1String("0") && code <= QLatin1String("4");
    return ui::DesignFont(applied ? "MS UI Gothic" : "MS Sans Serif", points, bold);
}

// Each column headed by its flag with the country's name below it, wrapped
// at the column's width: as tall as the tallest name, no taller.
class FlagHeader : public QHeaderView {
public:
    explicit FlagHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
    {
        setSectionsClickable(false);
        setHighlightSections(false);
    }

    QSize sizeHint() const override
    {
        int text = fontMetrics().height();
        for (int section = 0; section < count(); ++section)
            text = std::max(text, NameRect(QRect(0, 0, sectionSize(section), QWIDGETSIZE_MAX), section).height());
        return {QHeaderView::sizeHint().width(), kFlagSize.height() + kNameTop + text + kNameBottom};
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
        painter->drawText(NameRect(rect, section), kNameFlags, Name(section));
        painter->restore();
    }

    // As wide as the longest word of the name.
    QSize sectionSizeFromContents(int section) const override
    {
        int width = kFlagSize.width();
        for (const QString& word : Name(section).split(QLatin1Char(' ')))
            width = std::max(width, fontMetrics().horizontalAdvance(word));
        return {width + 12, kFlagSize.height()};
    }

private:
    static constexpr int kNameTop = 6, kNameBottom = 4;
    static constexpr int kNameFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap;
    QString Name(int section) const { return model()->headerData(section, Qt::Horizontal).toString(); }
    QRect NameRect(const QRect& section, int index) const
    {
        const QRect room = section.adjusted(3, kFlagSize.height() + kNameTop, -3, 0);
        return fontMetrics().boundingRect(room, kNameFlags, Name(index)).intersected(room.adjusted(0, 0, 0, -kNameBottom));
    }
};

// Each row headed by the size the shopper knows, flat like the flags above.
class SizeHeader : public QHeaderView {
public:
    explicit SizeHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent)
    {
        setSectionsClickable(false);
        setHighlightSections(false);
        setDefaultAlignment(Qt::AlignCenter);
        // Room for the flag of the corner above.
        setMinimumWidth(kFlagSize.width() + 10);
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int section) const override
    {
        painter->save();
        const QVariant background = model()->headerData(section, Qt::Vertical, Qt::BackgroundRole);
        painter->fillRect(rect, background.isValid() ? background.value<QBrush>() : QBrush(kLilac));
        painter->setPen(kGarmentBlue);
        painter->drawLine(rect.topRight(), rect.bottomRight());
        painter->drawLine(rect.bottomLeft(), rect.bottomRight());
        painter->setPen(Qt::black);
        const QVariant font = model()->headerData(section, Qt::Vertical, Qt::FontRole);
        painter->setFont(font.isValid() ? font.value<QFont>() : this->font());
        painter->drawText(rect.adjusted(4, 0, -4, 0), Qt::AlignCenter, model()->headerData(section, Qt::Vertical).toString());
        painter->restore();
    }
};

// The corner above the row headings shows whose sizes they are.
class CornerFlag : public QObject {
public:
    CornerFlag(QWidget* corner, std::function<Art()> flag) : QObject(corner), flag_(std::move(flag))
    {
        corner->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        auto* corner = static_cast<QWidget*>(watched);
        QPainter painter(corner);
        const QRect rect = corner->rect();
        painter.fillRect(rect, kLilac);
        painter.setPen(kGarmentBlue);
        painter.drawLine(rect.topRight(), rect.bottomRight());
        painter.drawLine(rect.bottomLeft(), rect.bottomRight());
        const QRect flag(QPoint(rect.center().x() - kFlagSize.width() / 2, rect.top() + 4), kFlagSize);
        painter.drawImage(flag, ui::Drawn(flag_(), (QSizeF(kFlagSize) * corner->devicePixelRatioF()).toSize()));
        return true;
    }

private:
    std::function<Art()> flag_;
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

    void focusInEvent(QFocusEvent* event) override
    {
        QTableWidget::focusInEvent(event);
        TellCurrentCell(this);
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
    InstallAccessibility();
    ui::Fill(this, kLilac);

    picture_ = new ui::Picture(Art::Suit, ui::Picture::Placement::Fitted, this);
    picture_->setFixedSize(36, 36);
    heading_ = new QLabel(this);
    heading_->setTextFormat(Qt::PlainText);
    table_ = new ChartTable(this);
    static_cast<ChartTable*>(table_)->copy = [this] { CopySelection(); };
    table_->setHorizontalHeader(new FlagHeader(table_));
    table_->setVerticalHeader(new SizeHeader(table_));
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
    corner_ = table_->findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (corner_ != nullptr)
        new CornerFlag(corner_, [this] { return FlagOf(Source()); });

    // What the yellow rows are, under the chart.
    legend_ = new QWidget(this);
    auto* swatch = new QLabel(legend_);
    swatch->setFixedSize(24, 14);
    swatch->setFrameShape(QFrame::Box);
    ui::Fill(swatch, kLastConversion);
    legendText_ = new QLabel(legend_);
    legendText_->setTextFormat(Qt::PlainText);
    auto* legend = new QHBoxLayout(legend_);
    legend->setContentsMargins(0, 0, 0, 0);
    legend->addWidget(swatch);
    legend->addWidget(legendText_, 1);

    auto* heading = new QHBoxLayout;
    heading->addWidget(picture_);
    heading->addWidget(heading_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(table_);
    layout->addWidget(legend_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    ui::TitleBar::Install(this);
}

void ChartWindow::Show(const ChartRequest& request)
{
    request_ = request;
    fit_ = request.size ? FitSize(request.table, request.source, *request.size) : SizeFit{};
    const auto chart = Chart(request.table);
    table_->setRowCount(int(chart.size()));
    for (int r = 0; r < int(chart.size()); ++r) {
        for (int c = 0; c < kColumnCount; ++c) {
            auto* item = new QTableWidgetItem(QString::fromUtf8(chart[std::size_t(r)][std::size_t(c)]));
            item->setTextAlignment(Qt::AlignCenter);
            if (IsHighlighted(r))
                item->setBackground(kLastConversion);
            table_->setItem(r, c, item);
        }
        auto* heading = new QTableWidgetItem(QString::fromUtf8(ChartRowSize(request.table, request.source, r)));
        if (IsHighlighted(r))
            heading->setBackground(kLastConversion);
        table_->setVerticalHeaderItem(r, heading);
    }
    Relabel();

    // The keyboard starts on the size converted, in the column of the country
    // it was converted from.
    const int current = IsHighlighted(fit_.rows.first) ? fit_.rows.first : 0;
    table_->selectionModel()->setCurrentIndex(table_->model()->index(current, ColumnOf(Source())), QItemSelectionModel::Clear);
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
    if (corner_ != nullptr)
        corner_->update();

    const QString yours = fit_.fit == Fit::Between ? texts_.between : texts_.yourSize;
    const int sourceColumn = ColumnOf(Source());
    const QString sourceName = ui::NameOf(FlagOf(Source()));
    for (int c = 0; c < kColumnCount; ++c)
        table_->setHorizontalHeaderItem(c, new QTableWidgetItem(ui::NameOf(FlagAtColumn(c))));
    for (int r = 0; r < table_->rowCount(); ++r) {
        QTableWidgetItem* heading = table_->verticalHeaderItem(r);
        heading->setFont(IsHighlighted(r) ? bold : font);
        for (int c = 0; c < kColumnCount; ++c) {
            QTableWidgetItem* item = table_->item(r, c);
            item->setFont(IsHighlighted(r) ? bold : font);
            // The country's size, then the size the shopper knows the row by
            // (said once in its own column), then whether it is theirs.
            QString name = table_->horizontalHeaderItem(c)->text() + QLatin1Char(' ') + item->text();
            if (c != sourceColumn || item->text() != heading->text())
                name += QStringLiteral(", ") + texts_.sameAs.arg(sourceName, heading->text());
            if (IsHighlighted(r))
                name += QStringLiteral(", ") + yours;
            item->setData(Qt::AccessibleTextRole, name);
        }
    }
    legendText_->setText(yours.left(1).toUpper() + yours.mid(1));
    legendText_->setFont(font);
    legend_->setVisible(IsHighlighted(fit_.rows.first));
    SizeColumns();
}

// Every country as wide as the widest, the rows as tall as their texts, the
// window as large as the chart.
void ChartWindow::SizeColumns()
{
    QHeaderView* header = table_->horizontalHeader();
    table_->resizeColumnsToContents();
    int width = 0;
    for (int c = 0; c < kColumnCount; ++c)
        width = std::max(width, header->sectionSize(c));
    for (int c = 0; c < kColumnCount; ++c)
        header->resizeSection(c, width);
    table_->resizeRowsToContents();
    header->updateGeometry();
    table_->updateGeometry();
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
    // A size that falls on no row or between none has no rows.
    return row >= fit_.rows.first && row < fit_.rows.first + fit_.rows.count;
}

Country ChartWindow::Source() const { return IsCountry(request_.source) ? request_.source : Country::France; }

void ChartWindow::CopySelection() const { QGuiApplication::clipboard()->setText(SelectedText()); }

}  // namespace quorvel::app
