// Look shared by the two dialogs.
#pragma once

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QPalette>
#include <QWidget>

namespace quorvel::language::look {

inline constexpr char kOptionsIcon[] = ":/quorvel/options-icon.svg";

// The face the dialogs were drawn with; InstallFontSubstitutes maps it.
inline QFont DesignedFont(qreal points = 8.25, bool bold = false)
{
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif")});
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

inline void SetColour(QWidget* widget, QPalette::ColorRole role, QColor colour)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

// An opaque background of this colour (buttons paint theirs in the Button
// role, other widgets in the Window role).
inline void Fill(QWidget* widget, QColor colour)
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
    window->setFont(DesignedFont());
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

}  // namespace quorvel::language::look
