#include "inputs_p.h"

#include <QAbstractItemView>

namespace accessible {

ChoiceListAccessible::ChoiceListAccessible(QAbstractItemView* view)
    : QAccessibleWidget(view, QAccessible::List)
{ }

Rows::~Rows()
{
    for (const QAccessible::Id id : m_ids) {
        if (id)
            QAccessible::deleteAccessibleInterface(id);
    }
}

int Rows::indexOf(const QAccessibleInterface* row, int count) const
{
    for (std::size_t i = 0; i < m_ids.size(); ++i) {
        if (m_ids[i] && QAccessible::accessibleInterface(m_ids[i]) == row)
            return int(i) < count ? int(i) : -1;
    }
    return -1;
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
    return m_choices.at(index, childCount(), [this](int row) {
        return new ChoiceAccessible(const_cast<ChoiceListAccessible*>(this), row);
    });
}

int ChoiceListAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    return m_choices.indexOf(child, childCount());
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
