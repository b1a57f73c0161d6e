#include "frmMain.h"
#include "inputs_p.h"

#include <QListWidget>
#include <QRegularExpression>

namespace accessible {

// An entry of a menu list, read without its "/A" mark and pressed as a click on
// it chooses it.
class MenuEntry : public RowAccessible, public QAccessibleActionInterface
{
public:
    using RowAccessible::RowAccessible;

    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QString text(QAccessible::Text kind) const override;
    QRect rect() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;
    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& action) override;

private:
    QListWidget* list() const { return static_cast<QListWidget*>(m_list->object()); }
};

QString MenuEntry::text(QAccessible::Text kind) const
{
    static const QRegularExpression mark(QStringLiteral("\\s+/[A-Z]$"));
    return kind == QAccessible::Name ? list()->item(m_row)->text().remove(mark) : QString();
}

QRect MenuEntry::rect() const
{
    const QRect item = list()->visualItemRect(list()->item(m_row));
    return QRect(list()->viewport()->mapToGlobal(item.topLeft()), item.size());
}

QAccessible::State MenuEntry::state() const
{
    QAccessible::State state;
    state.invisible = !frmMain::reachable(list());
    state.selectable = true;
    state.selected = state.focused = list()->hasFocus() && list()->currentRow() == m_row;
    return state;
}

void* MenuEntry::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
}

void MenuEntry::doAction(const QString& action)
{
    if (action != pressAction())
        return;
    later(list(), [list = list(), row = m_row] {
        static_cast<frmMain*>(list->parentWidget())->choose(list, row);
    });
}

MenuListAccessible::MenuListAccessible(QListWidget* list)
    : QAccessibleWidget(list, QAccessible::PopupMenu)
{ }

int MenuListAccessible::childCount() const
{
    return static_cast<const QListWidget*>(widget())->count();
}

QAccessibleInterface* MenuListAccessible::child(int index) const
{
    return m_entries.at(index, childCount(), [this](int row) {
        return new MenuEntry(const_cast<MenuListAccessible*>(this), row);
    });
}

int MenuListAccessible::indexOfChild(const QAccessibleInterface* entry) const
{
    return m_entries.indexOf(entry, childCount());
}

QAccessibleInterface* MenuListAccessible::focusChild() const
{
    const auto* list = static_cast<const QListWidget*>(widget());
    return list->hasFocus() ? child(list->currentRow()) : nullptr;
}

} // namespace accessible
