// Look shared by the two dialogs.
#pragma once

#include <QLabel>

#include "quorvel/look.h"

namespace quorvel::language::look {

inline constexpr char kOptionsIcon[] = ":/quorvel/options-icon.svg";

// The face the dialogs were drawn with.
inline QFont DesignedFont(qreal points = 8.25, bool bold = false)
{
    return art::DesignFont("MS Sans Serif", points, bold);
}

// A fixed-size dialog window with a title bar and a close box only.
inline void MakeFixedDialog(QWidget* window, QSize clientSize, QColor background)
{
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    window->setFixedSize(clientSize);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setFont(DesignedFont());
    art::Fill(window, background);
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
