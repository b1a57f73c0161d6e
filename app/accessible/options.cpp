#include "inputs_p.h"

#include <QRadioButton>

namespace accessible {

OptionAccessible::OptionAccessible(QRadioButton* option)
    : QAccessibleWidget(option, QAccessible::RadioButton)
{ }

QRadioButton* OptionAccessible::option() const
{
    return static_cast<QRadioButton*>(widget());
}

QAccessible::State OptionAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.checkable = true;
    state.checked = option()->isChecked();
    return state;
}

QString OptionAccessible::text(QAccessible::Text kind) const
{
    return kind == QAccessible::Name ? option()->accessibleName() : QAccessibleWidget::text(kind);
}

QStringList OptionAccessible::actionNames() const
{
    return QStringList {pressAction(), toggleAction()} + QAccessibleWidget::actionNames();
}

void OptionAccessible::doAction(const QString& action)
{
    if (!canAct(option()))
        return;
    if (action == pressAction() || action == toggleAction())
        option()->click();
    else
        QAccessibleWidget::doAction(action);
}

} // namespace accessible
