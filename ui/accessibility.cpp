// How assistive technology sees the controls and windows of this module: the
// pictures, groups of options, and windows made of plain widgets (ours),
// which it would otherwise take for fillers.
#include "quorvel/look.h"
#include "quorvel/picture.h"

#include <QAccessibleWidget>
#include <QDialog>

namespace quorvel::ui {
namespace {

class PictureAccessible : public QAccessibleWidget {
public:
    explicit PictureAccessible(Picture* picture) : QAccessibleWidget(picture) {}

    QAccessible::Role role() const override
    {
        // One of several choices is a radio button: a screen reader says
        // whether it is chosen and where it stands in its group, which it
        // says of no push button, checkable or not.
        if (!picture()->isActivatable())
            return QAccessible::Graphic;
        return picture()->isCheckable() ? QAccessible::RadioButton : QAccessible::Button;
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = picture()->isCheckable();
        state.checked = picture()->isChecked();
        return state;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (picture()->isActivatable())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction() && picture()->isActivatable() && picture()->isEnabled())
            emit picture()->clicked();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    Picture* picture() const { return static_cast<Picture*>(widget()); }
};

// Chosen by what the object is, whichever of its classes Qt asks about.
QAccessibleInterface* Describe(const QString&, QObject* object)
{
    if (auto* picture = qobject_cast<Picture*>(object))
        return new PictureAccessible(picture);
    // Qt describes its own windows (dialogs, menus, lists' popups, tips); a
    // window that is a bare widget is one of ours.
    auto* window = qobject_cast<QWidget*>(object);
    if (window == nullptr || !window->isWindow() || qobject_cast<QDialog*>(window) != nullptr)
        return nullptr;
    switch (window->windowType()) {
    case Qt::Window: return new QAccessibleWidget(window, QAccessible::Window);
    case Qt::Dialog: return new QAccessibleWidget(window, QAccessible::Dialog);
    default: return nullptr;
    }
}

}  // namespace

void InstallAccessibleRoles()
{
    static const bool installed = (QAccessible::installFactory(&Describe), true);
    Q_UNUSED(installed);
}

QWidget* Gather(QWidget* parent, const QString& name, const QList<QWidget*>& controls)
{
    auto* group = new QWidget(parent);
    group->setObjectName(name);
    group->setGeometry(parent->rect());
    QRegion reach;
    for (QWidget* control : controls) {
        control->setParent(group);
        control->show();
        reach += control->geometry();
    }
    // Clicks beside the controls reach what lies beneath the group.
    group->setMask(reach);
    return group;
}

}  // namespace quorvel::ui
