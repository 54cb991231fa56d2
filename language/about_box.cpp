#include "about_box.h"

#include "quorvel/picture.h"
#include "texts.h"
#include "quorvel/look.h"

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

    ui::MakeLabel(this, "Label1", {}, {8, 176, 217, 185}, Qt::AlignLeft | Qt::AlignTop);
    ui::MakeLabel(this, "Label2", {}, {8, 368, 217, 17}, Qt::AlignHCenter | Qt::AlignTop);
    ui::MakeLabel(this, "Label3", QString::fromUtf8(texts::kAboutMadeIn), {8, 392, 217, 17},
                    Qt::AlignHCenter | Qt::AlignTop);

    // The options dialog's icon, loaded here rather than taken from the
    // dialog so that opening the box does not build the dialog.
    setWindowIcon(ui::Icon(ui::Art::OptionsIcon));

    // Designed with placeholders for its texts ("Label1", "Label2"), which
    // no user should see: until a language is applied the box speaks French,
    // as the main window's designed texts do.
    detail::WriteTexts(this, texts::kLanguages[0]);
}

void AboutWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        hide();
    else
        DiscardableWindow::keyPressEvent(event);
}

}  // namespace quorvel::language
