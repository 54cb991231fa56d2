#include "accessibility.h"

#include "quorvel/look.h"
#include "widgets.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QLineEdit>

namespace quorvel::app {
namespace {

// A result cell ("France, garment: 48", its size the value), the result panel
// read whole, and the announcement of a result.
template <class W>
class SpokenAccessible : public QAccessibleWidget {
public:
    SpokenAccessible(W* spoken, QAccessible::Role role) : QAccessibleWidget(spoken, role) {}

    QString text(QAccessible::Text t) const override
    {
        const auto* spoken = static_cast<const W*>(widget());
        if (t == QAccessible::Name)
            return spoken->spokenName();
        if constexpr (requires { spoken->spokenValue(); })
            if (t == QAccessible::Value)
                return spoken->spokenValue();
        return QAccessibleWidget::text(t);
    }
};

// A list keeps its name ("Shoe size") when filled; its text is its value,
// and where the text is one of its entries, its place among them is the
// description ("3 of 8"). Qt's own names an editable list by its text on
// Linux. Like Qt's, it holds its entries (the view) and its text field, and
// opens and closes by an action.
class ListAccessible : public QAccessibleWidget {
public:
    explicit ListAccessible(ListBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return list()->currentText();
        if (t == QAccessible::Description)
            return list()->position();
        return QAccessibleWidget::text(t);
    }

    int childCount() const override { return 2; }

    QAccessibleInterface* child(int index) const override
    {
        QObject* child = index == 0 ? static_cast<QObject*>(list()->view())
                         : index == 1 ? static_cast<QObject*>(list()->lineEdit())
                                      : nullptr;
        return child != nullptr ? QAccessible::queryAccessibleInterface(child) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (child == nullptr)
            return -1;
        if (child->object() == list()->view())
            return 0;
        return child->object() == list()->lineEdit() ? 1 : -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (int i = 0; i < childCount(); ++i)
            if (QAccessibleInterface* c = child(i); c && c->state().invisible == false && c->rect().contains(x, y))
                return c;
        return nullptr;
    }

    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action != showMenuAction() && action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        if (list()->view()->isVisible())
            list()->hidePopup();
        else
            list()->showPopup();
    }

private:
    ListBox* list() const { return static_cast<ListBox*>(widget()); }
};

// Chosen by what the object is, whichever of its classes Qt asks about.
QAccessibleInterface* Describe(const QString&, QObject* object)
{
    if (auto* cell = qobject_cast<ResultCell*>(object))
        return new SpokenAccessible(cell, QAccessible::StaticText);
    if (auto* panel = qobject_cast<ResultPanelFocus*>(object))
        return new SpokenAccessible(panel, QAccessible::StaticText);
    if (auto* announcement = qobject_cast<Announcement*>(object))
        // A screen reader speaks a notification as it is shown.
        return new SpokenAccessible(announcement, QAccessible::Notification);
    if (auto* list = qobject_cast<ListBox*>(object))
        return new ListAccessible(list);
    return nullptr;
}

}  // namespace

void InstallAccessibility()
{
    ui::InstallAccessibleRoles();
    static const bool installed = (QAccessible::installFactory(&Describe), true);
    Q_UNUSED(installed);
}

void TellCurrentCell(QAbstractItemView* view)
{
    QMetaObject::invokeMethod(view, [view] {
        QAccessibleInterface* table = QAccessible::isActive() ? QAccessible::queryAccessibleInterface(view) : nullptr;
        const QModelIndex current = view->currentIndex();
        QAccessibleInterface* cell = table && table->tableInterface() && view->hasFocus()
                                         ? table->tableInterface()->cellAt(current.row(), current.column())
                                         : nullptr;
        if (cell != nullptr) {
            QAccessibleEvent focus(view, QAccessible::Focus);
            focus.setChild(table->indexOfChild(cell));
            QAccessible::updateAccessibility(&focus);
        }
    }, Qt::QueuedConnection);
}

}  // namespace quorvel::app
