// How the windows' controls are dressed: the designed faces and colours,
// fixed dialogs, and the names controls of one array take.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QString>
#include <QWidget>

class QButtonGroup;
class QKeyEvent;

namespace quorvel::ui {

// The face installed here that stands for a designed one ("MS Sans Serif",
// "MS UI Gothic"), found once: font requests then never search for faces
// that are not there.
QString DesignFace(const char* design);

// A designed face by name, at its designed size and weight.
inline QFont DesignFont(const char* family, qreal points, bool bold)
{
    QFont font(DesignFace(family));
    font.setPointSizeF(points);
    font.setBold(bold);
#ifndef Q_OS_WIN
    // Drawn unhinted where FreeType draws the stand-in faces. Light hinting,
    // the desktop's usual choice, runs its auto-hinter, which first studies a
    // hundred sample glyphs of a face, spread over the whole file: for the
    // Japanese face, a megabyte read at start-up for a difference hardly seen
    // at these sizes. Unhinted, the design also looks the same on every
    // desktop. Windows draws the designed faces themselves, as designed.
    font.setHintingPreference(QFont::PreferNoHinting);
#endif
    return font;
}

// In every colour group, so disabled and inactive controls keep it too.
inline void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// An opaque background of this colour (buttons paint theirs in the Button
// role, other controls in the Window role).
inline void Fill(QWidget* widget, const QColor& colour)
{
    SetColour(widget, widget->backgroundRole(), colour);
    widget->setAutoFillBackground(true);
}

// A fixed-size dialog window with a title bar and a close box only.
inline void MakeFixedDialog(QWidget* window, QSize clientSize, QColor background)
{
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window->setFixedSize(clientSize);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setFont(DesignFont("MS Sans Serif", 8.25, false));
    Fill(window, background);
}

// Labels take their texts as plain text: none of them is markup.
inline QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QRect geometry,
                         Qt::Alignment alignment)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(alignment);
    label->setWordWrap(true);
    label->setGeometry(geometry);
    return label;
}

// The keyboard focus, drawn so that it shows on every background of ours.
void DrawFocusRing(QPainter& painter, const QRect& around);

// Return and Enter on a focused button of `window` click it, as Space does.
void ClickOnReturn(QWidget* window);

// To assistive technology, pictures are images or buttons to press, and our
// windows frames and dialogs, not fillers.
void InstallAccessibleRoles();

// Puts these controls of `parent` into a container of their own, covering
// the parent, where they keep their places: assistive tools count a control's
// position among its group ("1 of 3"), not among the pictures beside it.
QWidget* Gather(QWidget* parent, const QString& name, const QList<QWidget*>& controls);

// Arrow keys in this group of options choose the option they move to, as a
// click would, among those the keyboard reaches; Right and Down go forward.
void ChooseByArrows(QButtonGroup* group);
// 1 for Right or Down, -1 for Left or Up, pressed alone; 0 for any other key.
int ArrowStep(const QKeyEvent& key);

// Element k of a control array: "Label2" and 3 make "Label2_3".
inline QString IndexedName(const char* design, int k)
{
    return QLatin1String(design) + QLatin1Char('_') + QString::number(k);
}

}  // namespace quorvel::ui
