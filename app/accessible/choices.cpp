#include "inputs_p.h"

#include <QAbstractItemView>

namespace accessible {

ChoiceListAccessible::ChoiceListAccessible(QAbstractItemView* view)
    : QAccessibleWidget(view, QAccessible::List)
{ }

ChoiceListAccessible::~ChoiceListAccessible()
{
    for (const QAccessible::Id id : m_choices) {
        if (id)
            QAccessible::deleteAccessibleInterface(id);
    }
}

QAbstractItemView* ChoiceListAccessible::view() const
{
    return static_cast<QAbstractItemView*>(widget());
}

// The drop-down list's own, not the window that holds it open.
QAccessibleInterface* ChoiceListAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(frmMain::controlOf(view()));
}

int ChoiceListAccessible::childCount() const
{
    return view()->model()->rowCount(view()->rootIndex());
}

QAccessibleInterface* ChoiceListAccessible::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    if (std::size_t(index) >= m_choices.size())
        m_choices.resize(std::size_t(index) + 1);
    QAccessible::Id& id = m_choices[std::size_t(index)];
    if (!id)
        id = QAccessible::registerAccessibleInterface(
            new ChoiceAccessible(const_cast<ChoiceListAccessible*>(this), index));
    return QAccessible::accessibleInterface(id);
}

int ChoiceListAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    for (std::size_t i = 0; i < m_choices.size(); ++i) {
        if (m_choices[i] && QAccessible::accessibleInterface(m_choices[i]) == child)
            return int(i) < childCount() ? int(i) : -1;
    }
    return -1;
}

QAccessibleInterface* ChoiceListAccessible::focusChild() const
{
    return view()->hasFocus() ? child(view()->currentIndex().row()) : nullptr;
}

// A choice the list no longer holds is gone.
bool ChoiceAccessible::isValid() const
{
    return RowAccessible::isValid() && m_row < m_list->childCount();
}

QString ChoiceAccessible::text(QAccessible::Text kind) const
{
    return kind == QAccessible::Name
        ? view()->model()->index(m_row, 0, view()->rootIndex()).data().toString()
        : QString();
}

// The part of the choice the open list shows, scrolled out of it nowhere.
QRect ChoiceAccessible::rect() const
{
    const QRect shown = view()->visualRect(view()->model()->index(m_row, 0, view()->rootIndex()))
        & view()->viewport()->rect();
    return shown.isEmpty() ? QRect()
                           : QRect(view()->viewport()->mapToGlobal(shown.topLeft()), shown.size());
}

QAccessible::State ChoiceAccessible::state() const
{
    QAccessible::State state;
    state.invisible = !view()->isVisible() || rect().isEmpty();
    state.selectable = state.focusable = true;
    state.selected = view()->currentIndex().row() == m_row;
    state.focused = state.selected && view()->hasFocus();
    return state;
}

} // namespace accessible
