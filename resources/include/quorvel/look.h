// How the windows' controls are dressed: the designed faces and colours, and
// the names controls of one array take.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <QWidget>

namespace quorvel::art {

// A designed face by name ("MS Sans Serif", "MS UI Gothic"); the language
// module maps the names to faces installed here.
inline QFont DesignFont(const char* family, qreal points, bool bold)
{
    QFont font(QString::fromLatin1(family));
    font.setPointSizeF(points);
    font.setBold(bold);
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

// Element k of a control array: "Label2" and 3 make "Label2_3".
inline QString IndexedName(const char* design, int k)
{
    return QLatin1String(design) + QLatin1Char('_') + QString::number(k);
}

}  // namespace quorvel::art
