#include "quorvel/look.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFontDatabase>
#include <QHash>

#include <algorithm>
#include <QKeyEvent>

namespace quorvel::ui {
namespace {

class ReturnClicks : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        static_cast<QAbstractButton*>(watched)->animateClick();
        return true;
    }
};

}  // namespace

QString DesignFace(const char* design)
{
    static const QHash<QString, QString> faces = [] {
        // Japanese gothic faces before any Chinese one, so that Han characters
        // take their Japanese forms, proportional ones first as the designed
        // face is; for the Western face, faces of about its widths first: the
        // result cells and lists were sized for it, and wider faces clip
        // "17.5 XL".
        const std::pair<const char*, QStringList> candidates[] = {
            {"MS UI Gothic", {"MS UI Gothic", "IPAPGothic", "IPAGothic", "Noto Sans CJK JP", "Source Han Sans JP",
                              "TakaoGothic", "VL Gothic", "Meiryo UI", "Yu Gothic UI"}},
            {"MS Sans Serif", {"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "Arial", "Nimbus Sans",
                               "DejaVu Sans"}},
        };
        QHash<QString, QString> found;
        for (const auto& [name, faces] : candidates) {
            const auto installed = std::ranges::find_if(faces, &QFontDatabase::hasFamily);
            found.insert(QLatin1String(name), installed != faces.end() ? *installed : QLatin1String(name));
        }
        return found;
    }();
    return faces.value(QLatin1String(design), QLatin1String(design));
}

void DrawFocusRing(QPainter& painter, const QRect& around)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(around.adjusted(0, 0, -1, -1));
    painter.setPen(QPen(QColor(255, 255, 0), 2));
    painter.drawRect(QRectF(around).adjusted(2, 2, -2, -2));
    painter.restore();
}

void ClickOnReturn(QWidget* window)
{
    auto* filter = new ReturnClicks(window);
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        button->installEventFilter(filter);
}

namespace {

// Moves to the next or previous option the keyboard reaches, round the
// group, and chooses it as a click would, unless it is chosen already. (Tab
// reaches one option of a group: the others lose their tab focus, not all.)
class ArrowChoice : public QObject {
public:
    explicit ArrowChoice(QButtonGroup* group) : QObject(group), group_(group) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int step = ArrowStep(*static_cast<QKeyEvent*>(event));
        QList<QAbstractButton*> reachable;
        for (QAbstractButton* button : group_->buttons())
            if (button->isEnabled() && button->isVisibleTo(button->window()) && button->focusPolicy() != Qt::NoFocus)
                reachable << button;
        const qsizetype at = reachable.indexOf(static_cast<QAbstractButton*>(watched));
        if (step == 0 || at < 0)
            return false;
        QAbstractButton* next = reachable[(at + step + reachable.size()) % reachable.size()];
        if (!next->isChecked())
            next->click();
        next->setFocus(step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }

private:
    QButtonGroup* group_;
};

}  // namespace

int ArrowStep(const QKeyEvent& key)
{
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return 0;
    switch (key.key()) {
    case Qt::Key_Right:
    case Qt::Key_Down: return 1;
    case Qt::Key_Left:
    case Qt::Key_Up: return -1;
    default: return 0;
    }
}

void ChooseByArrows(QButtonGroup* group)
{
    auto* choice = new ArrowChoice(group);
    for (QAbstractButton* button : group->buttons())
        button->installEventFilter(choice);
}

}  // namespace quorvel::ui
