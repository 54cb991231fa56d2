#include "options_dialog.h"

#include "quorvel/language.h"
#include "quorvel/settings.h"

#include "quorvel/picture.h"
#include "texts.h"
#include "quorvel/look.h"
#include "quorvel/title_bar.h"

#include <QIcon>
#include <QKeyEvent>

#include <QButtonGroup>
#include <QGroupBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <vector>

namespace quorvel::language {
namespace {

const QColor kBackground(128, 128, 255);

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, QRect geometry,
                        QColor colour)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    ui::SetColour(button, QPalette::Button, colour);
    return button;
}

}  // namespace

OptionsWindow::OptionsWindow(QWidget* parent) : DiscardableWindow(parent)
{
    setObjectName(QStringLiteral("Form2"));
    ui::MakeFixedDialog(this, {480, 169}, kBackground);
    setWindowIcon(ui::Icon(ui::Art::OptionsIcon));

    prompt_ = ui::MakeLabel(this, "Label1_0", {}, {8, 8, 169, 33}, Qt::AlignLeft | Qt::AlignTop);
    // The stand-in faces run a little wider than the designed one, and the
    // longest prompt would lose its last word under the flags: let it use
    // the free room up to the frame.
    prompt_->resize(196, 33);
    prompt_->setFont(ui::DesignFont("MS Sans Serif", 9.75, true));
    ui::SetColour(prompt_, QPalette::WindowText, Qt::white);

    // Flags, option buttons and markers side by side, by flag index.
    std::vector<const texts::Language*> languages;
    for (const texts::Language& language : texts::kLanguages)
        languages.push_back(&language);
    std::ranges::sort(languages, {}, &texts::Language::option);

    options_ = new QButtonGroup(this);
    QList<QWidget*> flags;
    QList<QWidget*> buttons;
    int left = 8;
    for (const texts::Language* language : languages) {
        const int option = language->option;

        auto* flag =
            new ui::Picture(language->flag, ui::Picture::Placement::Stretched, this);
        flag->setObjectName(ui::IndexedName("Image1", option));
        flag->setGeometry(left, 32, 33, 25);
        flag->setCursor(Qt::PointingHandCursor);
        flag->setActivatable();
        flag->setFixedName(QString::fromUtf8(language->name));
        connect(flag, &ui::Picture::clicked, this, [this, option] { FlagClicked(option); });
        flag->setChecked(false);
        flags_[option] = flag;
        flags.append(flag);

        auto* button = new QRadioButton(this);
        button->setObjectName(ui::IndexedName("Option1", option));
        button->setGeometry(left + 8, 56, 17, 17);
        ui::Fill(button, kBackground);
        button->setAccessibleName(QString::fromUtf8(language->name));
        options_->addButton(button, option);
        buttons.append(button);

        auto* marker = new ui::Picture(ui::Art::Marker, ui::Picture::Placement::Fitted, this);
        marker->setObjectName(ui::IndexedName("Image2", option));
        marker->setGeometry(left, 80, 25, 25);
        marker->hide();
        markers_[option] = marker;

        left += 40;
    }
    connect(options_, &QButtonGroup::idClicked, this, &OptionsWindow::OptionSelected);
    // Chosen by arrow, an option is chosen as by a click: OK stays as it was.
    ui::ChooseByArrows(options_);
    // Each row a group of five languages to assistive tools.
    ui::Gather(this, QStringLiteral("FlagGroup"), flags);
    ui::Gather(this, QStringLiteral("OptionGroup"), buttons);

    ok_ = MakeButton(this, "Command4", QString::fromUtf8(texts::kOk), {16, 136, 65, 25}, QColor(255, 255, 128));
    connect(ok_, &QPushButton::clicked, this, &OptionsWindow::Confirm);
    cancel_ = MakeButton(this, "Command5", {}, {88, 136, 65, 25}, QColor(192, 255, 192));
    connect(cancel_, &QPushButton::clicked, this, &OptionsWindow::Cancel);

    auto* frame = new QGroupBox(this);
    frame->setObjectName(QStringLiteral("Frame1"));
    frame->setGeometry(208, 8, 265, 153);
    ui::Fill(frame, kBackground);

    site_ = MakeButton(frame, "Command2", QString(), {104, 120, 33, 25}, QColor(128, 255, 255));
    site_->setIcon(ui::Icon(ui::Art::House));
    site_->setIconSize({21, 21});
    connect(site_, &QPushButton::clicked, this, [] { OpenMakerSite(); });
    about_ = MakeButton(frame, "Command3", {}, {144, 120, 113, 25}, QColor(192, 192, 255));
    connect(about_, &QPushButton::clicked, this, &OptionsWindow::ShowAboutBox);

    // The flags first, as they are what the dialog is for; the option
    // buttons last, reached by Tab as one group.
    QList<QWidget*> order = flags;
    order << ok_ << cancel_ << site_ << about_ << options_->button(2);
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    ui::ClickOnReturn(this);
    Retranslate(texts::DesignedOptionsTexts());
    Load();
    ui::TitleBar::Install(this);
}

void OptionsWindow::Retranslate(const texts::OptionsTexts& texts)
{
    setWindowTitle(texts.title);
    prompt_->setText(texts.prompt);
    about_->setText(texts.about);
    cancel_->setText(texts.cancel);
    site_->setAccessibleName(texts.site);  // its caption is a picture
}

void OptionsWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        Cancel();
        return;
    }
    // The arrows choose the next or previous flag, as in a group of options.
    const int step = ui::ArrowStep(*event);
    const auto focused = std::ranges::find_if(flags_, [](const auto& flag) { return flag.second->hasFocus(); });
    if (step == 0 || focused == flags_.end()) {
        DiscardableWindow::keyPressEvent(event);
        return;
    }
    auto next = focused;
    if (step > 0)
        next = std::next(focused) == flags_.end() ? flags_.begin() : std::next(focused);
    else
        next = focused == flags_.begin() ? std::prev(flags_.end()) : std::prev(focused);
    FlagClicked(next->first);
    next->second->setFocus(Qt::TabFocusReason);
}

void OptionsWindow::Load()
{
    detail::SetPendingLanguageCode(LanguageCode());
    ok_->setEnabled(false);
}

void OptionsWindow::SelectOption(int option)
{
    if (QAbstractButton* button = options_->button(option)) {
        button->setChecked(true);
        OptionSelected(option);
    }
}

void OptionsWindow::FocusChosenFlag()
{
    const auto chosen = flags_.find(options_->checkedId());
    (chosen != flags_.end() ? chosen->second : flags_.begin()->second)->setFocus(Qt::ActiveWindowFocusReason);
}

void OptionsWindow::FlagClicked(int option)
{
    SelectOption(option);
    ok_->setEnabled(true);
}

void OptionsWindow::OptionSelected(int option)
{
    HideLanguageMarkers();
    if (const texts::Language* language = texts::LanguageOfOption(option))
        detail::SetPendingLanguageCode(QString::fromLatin1(language->code));
    if (const auto marker = markers_.find(option); marker != markers_.end())
        marker->second->show();
    for (const auto& [flagOption, flag] : flags_)
        flag->setChecked(flagOption == option);
}

void OptionsWindow::HideLanguageMarkers()
{
    for (const auto& [option, marker] : markers_)
        marker->hide();
}

void OptionsWindow::Confirm()
{
    const QString chosen = PendingLanguageCode();
    const bool saved = settings::WriteLanguageCode(chosen);
    // LoadSettings may show a message and so run events: keep an eye on us.
    const QPointer<OptionsWindow> self(this);
    if (saved) {
        LoadSettings();
    } else {
        // Not stored, but still what the user asked for in this run.
        SetLanguageCode(chosen);
        ApplyLanguage();
    }
    if (!self)
        return;
    ok_->setEnabled(false);
    HideToMainWindow();
    if (!saved)
        detail::ShowMessage(Message::SettingsNotSaved);
}

void OptionsWindow::Cancel()
{
    ok_->setEnabled(false);
    HideToMainWindow();
}

void OptionsWindow::HideToMainWindow()
{
    hide();
    // Back where the keyboard was before, whatever the window manager does.
    if (QWidget* main = parentWidget())
        main->activateWindow();
}

void OptionsWindow::ShowAboutBox()
{
    QWidget* box = AboutBox();
    box->show();
    box->raise();
    box->activateWindow();
}

}  // namespace quorvel::language
