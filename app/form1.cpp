#include "form1.h"

#include "accessibility.h"
#include "activation.h"
#include "chart_window.h"
#include "form1_layout.h"
#include "quorvel/look.h"
#include "window_region.h"

#include <QButtonGroup>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>

#include <algorithm>
#include <string>

namespace quorvel::app {
namespace {

using ui::Art;

const QColor kGarmentBlue(128, 128, 255);
const QColor kSexLilac(192, 192, 255);

// Keys in a size or country list. Typing raises no click, and Return must not
// turn the typed text into a pick or an entry of the list: it presses the
// result button instead. Ctrl+C copies the panel unless text is selected.
class ListKeys : public QObject {
public:
    ListKeys(QComboBox* list, QPushButton* seeBtn) : QObject(list), list_(list), seeBtn_(seeBtn) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) && !list_->lineEdit()->hasSelectedText())
            return event->type() == QEvent::ShortcutOverride;  // left to the window's shortcut
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        event->accept();
        if (event->type() == QEvent::KeyPress && seeBtn_->isEnabled())
            seeBtn_->click();
        return event->type() == QEvent::KeyPress;
    }

private:
    QComboBox* list_;
    QPushButton* seeBtn_;
};

}  // namespace

Form1::Form1(QWidget* parent) : MainWindow(parent, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Quorvel"));
    setFixedSize(kForm1ClientSize);
    // What every control without a font of its own is designed with.
    setFont(ui::DesignFont("MS Sans Serif", 8.25, false));
    InstallAccessibility();
    BuildControls();
    ConnectHandlers();
    Load();
    FillCountryList();
}

namespace {

// Creates each control in its container, where the layout table puts it. A
// name the table does not know is a programming error: stop at once.
class Placer {
public:
    explicit Placer(QWidget* form) { containers_.insert(form->objectName(), form); }

    template <class W, class... Args>
    W* make(const QString& name, Args&&... args)
    {
        const std::optional<Placement> placement = FindPlacement(name.toStdString());
        if (!placement)
            qFatal("Form1 has no place for a control named %s", qPrintable(name));
        auto* widget = new W(std::forward<Args>(args)..., containers_.value(QString::fromUtf8(placement->container)));
        widget->setObjectName(name);
        widget->setGeometry(placement->rect);
        containers_.insert(name, widget);
        return widget;
    }

private:
    QHash<QString, QWidget*> containers_;
};

}  // namespace

void Form1::BuildControls()
{
    // Later controls are drawn over earlier ones of the same container.
    Placer placer(this);
    auto picture = [&](const QString& name, Art art, bool stretched) {
        return placer.make<ui::Picture>(name, art, stretched ? ui::Picture::Placement::Stretched
                                                             : ui::Picture::Placement::NaturalSize);
    };
    auto label = [&](const QString& name, const QString& text, const QFont& font, const QColor& colour,
                     Qt::Alignment alignment) {
        auto* l = placer.make<QLabel>(name, text);
        l->setFont(font);
        l->setAlignment(alignment | Qt::AlignVCenter);
        ui::SetColour(l, QPalette::WindowText, colour);
        return l;
    };
    auto option = [&](const QString& name, const QString& caption, const QColor& background) {
        auto* button = placer.make<QRadioButton>(name, caption);
        if (background.isValid())
            ui::Fill(button, background);
        return button;
    };
    const QFont resultFont = ui::DesignFont("MS Sans Serif", 9.75, true);
    const QFont captionFont = ui::DesignFont("MS Sans Serif", 8.25, true);
    const QFont arrowFont = ui::DesignFont("MS Sans Serif", 13.5, true);

    // The hidden holder, outside the client area, keeps the two pictures that
    // the garment option takes on a sex click.
    auto* frame4 = placer.make<QGroupBox>(QStringLiteral("Frame4"), QStringLiteral("Frame4"));
    iHomme_ = picture(QStringLiteral("IHomme"), Art::Suit, false);
    iFemme_ = picture(QStringLiteral("Ifemme"), Art::Dress, false);

    picture1_ = placer.make<SkinPicture>(QStringLiteral("Picture1"), Art::Skin);
    picture1_->setAccessibleName(QStringLiteral("Quorvel"));

    placer.make<ShapeBox>(QStringLiteral("Shape2"), ShapeBox::Form::RoundedRectangle, QColor(255, 255, 0));
    placer.make<ShapeBox>(QStringLiteral("Shape1"), ShapeBox::Form::Rectangle, QColor());

    auto* frame3 = placer.make<QFrame>(QStringLiteral("Frame3"));
    frame3->setFrameShape(QFrame::NoFrame);
    ui::Fill(frame3, kGarmentBlue);
    for (int k : {0, 2, 3})
        i2_[k] = picture(ui::IndexedName("I2", k), k == 0 ? Art::Dress : k == 2 ? Art::Shirt : Art::Trousers, true);
    option1Group_ = new QButtonGroup(this);
    for (int k : {0, 2, 3}) {
        option1_[k] = option(ui::IndexedName("Option1", k), QString(), kGarmentBlue);
        ui::SetColour(option1_[k], QPalette::WindowText, Qt::white);
        option1Group_->addButton(option1_[k], k);
    }
    ui::Gather(frame3, QStringLiteral("Option1Group"), {option1_[0], option1_[2], option1_[3]});
    ui::ChooseByArrows(option1Group_);

    auto* frame2 = placer.make<QFrame>(QStringLiteral("Frame2"));
    frame2->setFrameShape(QFrame::NoFrame);
    ui::Fill(frame2, kGarmentBlue);
    i3_ = picture(QStringLiteral("I3"), Art::Boots, true);
    option3_ = option(QStringLiteral("Option3"), QStringLiteral("Option3"), kGarmentBlue);
    // Alone in its frame, the shoe option would let a click switch it off.
    (new QButtonGroup(this))->addButton(option3_);
    ui::Gather(frame2, QStringLiteral("Option3Group"), {option3_});

    frame1_ = placer.make<CaptionFrame>(QStringLiteral("Frame1"));
    ui::Fill(frame1_, kSexLilac);
    option2Group_ = new QButtonGroup(this);
    // On the frame's own lilac, unfilled: they reach its bottom edge, where
    // a fill would hide its border.
    option2_[0] = option(QStringLiteral("Option2_0"), QString(), QColor());
    option2_[1] = option(QStringLiteral("Option2_1"), QString(), QColor());
    option2Group_->addButton(option2_[0], 0);
    option2Group_->addButton(option2_[1], 1);
    ui::ChooseByArrows(option2Group_);

    image2_[1] = picture(QStringLiteral("Image2_1"), Art::Suit, true);
    image2_[0] = picture(QStringLiteral("Image2_0"), Art::Trainers, true);
    for (int i = 0; i < kColumnCount; ++i)
        picture(ui::IndexedName("Image1", i), FlagAtColumn(i), true);
    picture(QStringLiteral("I1"), Art::Logo, true);

    combo1_ = placer.make<ListBox>(QStringLiteral("Combo1"));
    combo2_[0] = placer.make<ListBox>(QStringLiteral("Combo2_0"));
    combo2_[2] = placer.make<ListBox>(QStringLiteral("Combo2_2"));
    combo2_[1] = placer.make<ListBox>(QStringLiteral("Combo2_1"));
    combo2_[3] = placer.make<ListBox>(QStringLiteral("Combo2_3"));

    seeBtn_ = placer.make<QPushButton>(QStringLiteral("SeeBtn"));
    seeBtn_->setFont(ui::DesignFont("MS Sans Serif", 12, true));
    ui::SetColour(seeBtn_, QPalette::Button, QColor(255, 255, 192));
    seeBtn_->setEnabled(false);

    tool_ = placer.make<QToolButton>(QStringLiteral("Tool"));
    tool_->setIconSize(QSize(32, 32));
    tool_->setIcon(ui::Icon(Art::Tool));
    setWindowIcon(ui::Icon(Art::WindowIcon));

    command1_ = placer.make<QPushButton>(QStringLiteral("Command1"), QStringLiteral("X"));
    command1_->setFont(ui::DesignFont("MS UI Gothic", 9.75, true));
    ui::SetColour(command1_, QPalette::Button, QColor(255, 192, 255));

    lname_ = label(QStringLiteral("Lname"), QStringLiteral("Lname"), ui::DesignFont("MS UI Gothic", 8.25, true),
                   Qt::black, Qt::AlignHCenter);
    question_ = label(QStringLiteral("Label1_0"), QString(), ui::DesignFont("MS Sans Serif", 9.75, false), Qt::white,
                      Qt::AlignHCenter);
    label(QStringLiteral("Label4"), QStringLiteral("Option"), captionFont, Qt::white, Qt::AlignLeft);
    label(QStringLiteral("Label5"), QStringLiteral("Exit"), captionFont, Qt::white, Qt::AlignLeft);
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        for (auto [cells, row] : {std::pair{&label2_, "Label2"}, {&label3_, "Label3"}}) {
            ResultCell* cell = (*cells)[i] = placer.make<ResultCell>(ui::IndexedName(row, int(i)), FlagAtColumn(int(i)));
            cell->setFont(resultFont);
            cell->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        }
    }
    note_ = placer.make<NoteLine>(QStringLiteral("ResultNote"));
    note_->setFont(ui::DesignFont("MS Sans Serif", 8.25, false));
    note_->hide();
    panelFocus_ = placer.make<ResultPanelFocus>(QStringLiteral("ResultPanel"), [this] { return ResultText(); });
    announcement_ = new Announcement(this);
    announcement_->setObjectName(QStringLiteral("Announcement"));
    announcement_->setGeometry(0, 0, 1, 1);
    announcement_->lower();
    for (int k = 0; k < 5; ++k) {
        QLabel* arrow = lf_[std::size_t(k)] =
            placer.make<StepArrow>(ui::IndexedName("LF", k), k == 4 ? QStringLiteral(">>>>>>") : QStringLiteral(">>"));
        arrow->setFont(arrowFont);
        arrow->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        ui::SetColour(arrow, QPalette::WindowText, Qt::white);
        arrow->hide();
    }

    // Out of sight, out of reach: the holder of the two garment pictures and
    // the trousers list lie outside the window, the trousers option all but.
    frame4->hide();
    combo2_[3]->hide();
    option1_[3]->setFocusPolicy(Qt::NoFocus);

    // As the eye reads the disc, and nothing harmful first.
    const std::array<QWidget*, 13> focusOrder{
        option2_[0], option2_[1], combo1_,    option1_[0], option1_[2], combo2_[0],  combo2_[2],
        option3_,    combo2_[1],  seeBtn_,    panelFocus_, tool_,       command1_,
    };
    for (std::size_t i = 1; i < focusOrder.size(); ++i)
        setTabOrder(focusOrder[i - 1], focusOrder[i]);
    option2_[0]->setFocus();
    for (QComboBox* combo : {combo1_, combo2_[0], combo2_[1], combo2_[2], combo2_[3]}) {
        auto* keys = new ListKeys(combo, seeBtn_);
        combo->installEventFilter(keys);
        combo->lineEdit()->installEventFilter(keys);
    }
    ui::ClickOnReturn(this);
    new FocusRing(picture1_);
    Retranslate(language::DesignedMainWindowTexts());
}

void Form1::Retranslate(const language::MainWindowTexts& texts)
{
    question_->setText(texts.question);
    seeBtn_->setText(texts.see);
    option1_[0]->setText(texts.garmentCaption);
    frame1_->setTitle(texts.sex);
    option2_[0]->setText(texts.man);
    option2_[1]->setText(texts.woman);
    if (texts.seeTip)
        seeBtn_->setToolTip(*texts.seeTip);
    if (texts.optionsTip)
        tool_->setToolTip(*texts.optionsTip);
    if (texts.exitTip)
        command1_->setToolTip(*texts.exitTip);
    combo1_->setAccessibleName(texts.countryList);
    for (ListBox* list : {combo1_, combo2_[0], combo2_[1], combo2_[2], combo2_[3]})
        list->setPositionWords(texts.position);
    ListFor(SizeList::SuitOrDress)->setAccessibleName(texts.suitList);
    ListFor(SizeList::Shirt)->setAccessibleName(texts.shirtList);
    ListFor(SizeList::Shoes)->setAccessibleName(texts.shoeList);
    if (texts.trousersList)
        combo2_[3]->setAccessibleName(*texts.trousersList);
    option1_[0]->setAccessibleName(texts.suitOption);
    option1_[2]->setAccessibleName(texts.shirtOption);
    option1_[3]->setAccessibleName(texts.trousersOption);
    option3_->setAccessibleName(texts.shoeOption);
    tool_->setAccessibleName(texts.optionsButton);
    command1_->setAccessibleName(texts.exitButton);
    for (std::size_t i = 0; i < kColumnCount; ++i) {
        label2_[i]->setWords(texts.garmentRow, texts.noEquivalent);
        label3_[i]->setWords(texts.shoeRow, texts.noEquivalent);
    }
    texts_ = texts;
    ShowNote();
    if (chart_ != nullptr)
        chart_->Retranslate(texts.chart);
}

void Form1::ConnectHandlers()
{
    connect(combo1_, &QComboBox::activated, this, [this] { Combo1Click(); });
    for (int k = 0; k < 4; ++k)
        connect(combo2_[std::size_t(k)], &QComboBox::activated, this, [this, k] { Combo2Click(k); });
    connect(option2Group_, &QButtonGroup::idClicked, this, &Form1::Option2Click);
    connect(option1Group_, &QButtonGroup::idClicked, this, &Form1::Option1Click);
    connect(option3_, &QRadioButton::clicked, this, &Form1::Option3Click);
    for (int k : {0, 2, 3})
        connect(i2_[std::size_t(k)], &ui::Picture::clicked, this, [this, k] { I2Click(k); });
    connect(i3_, &ui::Picture::clicked, this, &Form1::I3Click);
    connect(seeBtn_, &QPushButton::clicked, this, &Form1::SeeBtnClick);
    connect(tool_, &QToolButton::clicked, this, [] { language::ShowOptionsDialog(); });
    connect(command1_, &QPushButton::clicked, this, &QWidget::close);
    connect(picture1_, &SkinPicture::doubleClicked, this, &QWidget::close);
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this, &Form1::CopyPanel);
    connect(new QShortcut(Qt::CTRL | Qt::Key_T, this), &QShortcut::activated, this, [this] {
        const QWidget* at = focusWidget();
        OpenChart(at == option3_ || at == combo2_[1] || at == combo2_[1]->lineEdit());
    });
}

void Form1::Load()
{
    lname_->setText(QStringLiteral("Quorvel"));

    const QRegion shape = BuildWindowRegion(picture1_->drawSkin());
    if (!shape.isEmpty())
        picture1_->setTranslucent(ShapeWindow(this, shape));

    language::LoadSettings();
}

ListBox* Form1::ListFor(SizeList list) const
{
    switch (list) {
    case SizeList::SuitOrDress: return combo2_[0];
    case SizeList::Shirt: return combo2_[2];
    case SizeList::Shoes: break;
    }
    return combo2_[1];
}

Garment Form1::GarmentOfOption(int k)
{
    return k == 0 ? Garment::SuitOrDress : k == 2 ? Garment::Shirt : Garment::Trousers;
}

void Form1::FillCountryList()
{
    QStringList names;
    for (std::string_view name : CountryListNames())
        names.append(QString::fromUtf8(name));
    combo1_->addItems(names);
    // Adding items must not choose one: the text field stays empty.
    combo1_->setCurrentIndex(-1);
}

void Form1::ShowStepArrow(int k)
{
    if (k < 0 || k >= int(lf_.size()))
        return;
    for (int i = 0; i < int(lf_.size()); ++i)
        lf_[std::size_t(i)]->setVisible(i == k);
}

void Form1::ShowAgain(const QByteArray& activationToken)
{
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        if (remapper_ == nullptr)
            remapper_ = new Remapper(this);
        remapper_->Request(activationToken);
        return;
    }
    const QRect frame = frameGeometry();
    const QScreen* home = screen();
    qint64 largest = -1;
    for (const QScreen* candidate : QGuiApplication::screens()) {
        const QRect common = candidate->geometry().intersected(frame);
        if (const qint64 area = qint64(common.width()) * common.height(); area > largest) {
            largest = area;
            home = candidate;
        }
    }
    const QRect room = home->availableGeometry();
    move(std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - frame.width() + 1)),
         std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - frame.height() + 1)));
    showNormal();
    raise();
    activateWindow();
}

// ------------------------------------------------------------ handlers

void Form1::Combo1Click()
{
    FillSizeListsForCountry();
    ShowStepArrow(2);
    seeBtn_->setEnabled(true);
}

void Form1::FillSizeListsForCountry()
{
    country_ = CountryFromListName(combo1_->currentText().toStdString(), country_);
    for (QComboBox* combo : combo2_) {
        combo->clear();
        combo->clearEditText();
    }
    const SizeListFill fill = FillSizeLists(country_, sex_);
    if (fill.disableTrousers) {
        combo2_[3]->setEnabled(false);
        option1_[3]->setEnabled(false);
    }
    for (SizeList list : {SizeList::SuitOrDress, SizeList::Shirt, SizeList::Shoes}) {
        QStringList items;
        for (std::string_view entry : fill.lists[std::size_t(list)])
            items.append(QString::fromUtf8(entry));
        ListFor(list)->addItems(items);
    }
}

void Form1::Option2Click(int k)
{
    ShowStepArrow(1);
    sex_ = k == 0 ? Sex::Man : Sex::Woman;
    i2_[0]->setPicture((k == 0 ? iHomme_ : iFemme_)->picture());
    image2_[1]->setPicture(i2_[0]->picture());
    Combo1Click();
}

void Form1::Option1Click(int k)
{
    image2_[1]->setPicture(i2_[std::size_t(k)]->picture());
    ShowStepArrow(3);
    garment_ = GarmentOfOption(k);
}

void Form1::I2Click(int k)
{
    // Choosing the option that is already chosen runs its click only once,
    // when it became chosen.
    QRadioButton* button = option1_[std::size_t(k)];
    if (!button->isChecked()) {
        button->setChecked(true);
        Option1Click(k);
    }
    ShowStepArrow(3);
}

void Form1::I3Click()
{
    if (!option3_->isChecked()) {
        option3_->setChecked(true);
        Option3Click();
    }
    ShowStepArrow(3);
}

void Form1::Option3Click() { ShowStepArrow(3); }

void Form1::Combo2Click(int) { ShowStepArrow(4); }

void Form1::SeeBtnClick()
{
    const Garment garment = garment_.value_or(Garment::SuitOrDress);
    const std::string garmentSize =
        (garment == Garment::Shirt ? ListFor(SizeList::Shirt) : ListFor(SizeList::SuitOrDress))->currentText().toStdString();
    const std::string shoeSize = ListFor(SizeList::Shoes)->currentText().toStdString();
    last_ = {country_, garmentSize, shoeSize, DispatchConversion({country_, sex_, garment_, garmentSize, shoeSize}, panel_)};
    ShowPanel();
    announcement_->announce(ResultText());
}

QString Form1::ResultText() const
{
    // A dash is no size: the note says what became of a size without one.
    auto row = [](const ResultCells& cells) {
        QStringList spoken;
        for (std::size_t i = 0; i < kColumnCount; ++i)
            if (!cells[i]->missing())
                spoken << ui::NameOf(FlagAtColumn(int(i))) + QLatin1Char(' ') + cells[i]->text();
        return spoken.join(QLatin1String(", "));
    };
    QStringList parts{row(label2_), texts_.shoeRow + QLatin1String(": ") + row(label3_)};
    if (parts.front().isEmpty())
        parts.removeFirst();
    return (parts + Notes()).join(QLatin1String("; "));
}

QStringList Form1::Notes() const
{
    auto sayOf = [this](const std::optional<LookupOutcome>& lookup) -> QString {
        switch (lookup ? lookup->fit.fit : Fit::Exact) {
        case Fit::Exact: break;
        case Fit::Between:
            return texts_.between.arg(QString::fromUtf8(lookup->fit.below), QString::fromUtf8(lookup->fit.above));
        case Fit::Outside: return texts_.outside;
        case Fit::NoEquivalent: return texts_.noEquivalent;
        }
        return {};
    };
    if (last_.country == Country::None)
        return {};
    // Only trousers convert with no garment table.
    const std::optional<LookupOutcome>& garment = last_.outcome.garment;
    const Art garmentArt = garment ? PictureOf(garment->table) : Art::Trousers;
    QStringList notes;
    for (const auto& [art, said] : {std::pair{garmentArt, garment ? sayOf(garment) : texts_.noChart},
                                    std::pair{Art::Trainers, sayOf(last_.outcome.shoes)}})
        if (!said.isEmpty()) {
            notes << texts_.note.arg(ui::NameOf(art), said);
            notes.back()[0] = notes.back()[0].toUpper();
        }
    return notes;
}

void Form1::ShowNote()
{
    const QStringList lines = Notes();
    note_->setText(lines.join(QLatin1Char('\n')));
    note_->setVisible(!lines.isEmpty());
}

QString Form1::PanelText() const
{
    QStringList lines;
    for (const auto& row : {std::optional<ResultCells>{}, std::optional{label2_}, std::optional{label3_}}) {
        QStringList cells;
        for (std::size_t i = 0; i < kColumnCount; ++i)
            cells << (row ? (*row)[i]->text() : ui::NameOf(FlagAtColumn(int(i))));
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void Form1::CopyPanel() const { QGuiApplication::clipboard()->setText(PanelText()); }

void Form1::contextMenuEvent(QContextMenuEvent* event)
{
    const QPoint at = picture1_->mapFrom(this, event->pos());
    if (!panelFocus_->geometry().contains(at))
        return;
    QMenu menu(this);
    menu.addAction(texts_.copy, this, &Form1::CopyPanel);
    const bool shoeRow = label3_.front()->geometry().united(label3_.back()->geometry()).contains(at);
    menu.addAction(texts_.chart.command, this, [this, shoeRow] { OpenChart(shoeRow); });
    menu.exec(event->globalPos());
}

void Form1::OpenChart(bool shoes)
{
    const Sex sex = sex_.value_or(Sex::Man);
    const std::optional<Table> garment = GarmentTable(sex, garment_.value_or(Garment::SuitOrDress));
    ChartRequest request{shoes || !garment ? ShoeTable(sex) : *garment, last_.country, {}};
    for (const auto& [lookup, size] : {std::pair{last_.outcome.garment, &last_.garmentSize}, {last_.outcome.shoes, &last_.shoeSize}})
        if (lookup && lookup->table == request.table)
            request.size = *size;
    if (chart_ == nullptr)
        chart_ = new ChartWindow(this, texts_.chart);
    chart_->Show(request);
}

void Form1::ShowPanel()
{
    for (std::size_t i = 0; i < label2_.size(); ++i) {
        label2_[i]->setAnswer(QString::fromStdString(panel_.garment[i]), panel_.garmentMissing[i]);
        label3_[i]->setAnswer(QString::fromStdString(panel_.shoes[i]), panel_.shoesMissing[i]);
    }
    ShowNote();
}

}  // namespace quorvel::app
