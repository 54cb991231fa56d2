#include "about_box.h"

#include "quorvel/picture.h"
#include "texts.h"
#include "quorvel/look.h"
#include "quorvel/title_bar.h"

#include <QIcon>
#include <QKeyEvent>

namespace quorvel::language {

AboutWindow::AboutWindow(QWidget* parent) : DiscardableWindow(parent)
{
    setObjectName(QStringLiteral("Form3"));
    ui::MakeFixedDialog(this, {233, 416}, QColor(192, 255, 255));

    // The logo is square and the space is not: keep its proportions.
    auto* logo =
        new ui::Picture(ui::Art::Logo, ui::Picture::Placement::Fitted, this);
    logo->setObjectName(QStringLiteral("Logo"));
    logo->setGeometry(0, 0, 233, 169);

    about_ = ui::MakeLabel(this, "Label1", {}, {8, 176, 217, 185}, Qt::AlignLeft | Qt::AlignTop);
    ui::MakeLabel(this, "Label2", QString::fromUtf8(texts::kAboutVersion), {8, 368, 217, 17},
                  Qt::AlignHCenter | Qt::AlignTop);
    ui::MakeLabel(this, "Label3", QString::fromUtf8(texts::kAboutMadeIn), {8, 392, 217, 17},
                    Qt::AlignHCenter | Qt::AlignTop);

    // The options dialog's icon, loaded here rather than taken from the
    // dialog so that opening the box does not build the dialog.
    setWindowIcon(ui::Icon(ui::Art::OptionsIcon));

    // Until a language is applied the box speaks French, as the main
    // window's designed texts do.
    Retranslate(texts::AboutTextsIn(texts::kFrench));
    ui::TitleBar::Install(this);
}

void AboutWindow::Retranslate(const texts::AboutTexts& texts)
{
    setWindowTitle(texts.title);
    about_->setText(texts.about);
}

void AboutWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        hide();
    else
        DiscardableWindow::keyPressEvent(event);
}

}  // namespace quorvel::language
