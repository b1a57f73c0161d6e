#include "accessibility.h"
#include "accessible_p.h"
#include "frmMain.h"

namespace accessible {

Accessibility* accessibilityOf(const QWidget* window)
{
    return window ? window->findChild<Accessibility*>(QString(), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

QAccessibleInterface* panelOf(const QWidget* control)
{
    const Group group = groupOf(control);
    const Accessibility* own = accessibilityOf(control->parentWidget());
    return group == Group::None || !own ? nullptr : own->panel(group);
}

PanelAccessible::PanelAccessible(frmMain* window, Group group)
    : m_window(window)
    , m_group(group)
{ }

QWindow* PanelAccessible::window() const
{
    return m_window->windowHandle();
}

QAccessibleInterface* PanelAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(m_window);
}

QAccessibleInterface* PanelAccessible::child(int index) const
{
    const QList<QWidget*> all = members();
    return index >= 0 && index < all.size() ? QAccessible::queryAccessibleInterface(all[index])
                                            : nullptr;
}

int PanelAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    return int(members().indexOf(qobject_cast<QWidget*>(child->object())));
}

QAccessibleInterface* PanelAccessible::childAt(int x, int y) const
{
    for (QWidget* member : members()) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(member);
        if (member->isVisible() && face && face->rect().contains(x, y))
            return face;
    }
    return nullptr;
}

QAccessibleInterface* PanelAccessible::focusChild() const
{
    QWidget* focus = frmMain::controlOf(m_window->focusWidget());
    return members().contains(focus) ? QAccessible::queryAccessibleInterface(focus) : nullptr;
}

QString PanelAccessible::text(QAccessible::Text kind) const
{
    return kind == QAccessible::Name ? groupName(m_window, m_group) : QString();
}

QRect PanelAccessible::rect() const
{
    QRect all;
    for (QWidget* member : members()) {
        if (member->isVisible())
            all |= QRect(member->mapToGlobal(QPoint()), member->size());
    }
    return all;
}

QAccessible::State PanelAccessible::state() const
{
    QAccessible::State state;
    state.invisible = rect().isEmpty();
    return state;
}

QList<QWidget*> PanelAccessible::members() const
{
    QList<QWidget*> all;
    for (QObject* child : m_window->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && groupOf(widget) == m_group)
            all << widget;
    }
    return all;
}

WindowAccessible::WindowAccessible(frmMain* window, const Accessibility* own)
    : QAccessibleWidget(window)
    , m_own(own)
{ }

QAccessibleInterface* WindowAccessible::child(int index) const
{
    const QList<QAccessibleInterface*> all = children();
    return index >= 0 && index < all.size() ? all[index] : nullptr;
}

int WindowAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    return int(children().indexOf(const_cast<QAccessibleInterface*>(child)));
}

QList<QAccessibleInterface*> WindowAccessible::children() const
{
    QList<QAccessibleInterface*> all;
    for (QObject* object : widget()->children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child)
            continue;
        const Group group = groupOf(child);
        QAccessibleInterface* face = group == Group::None
            ? QAccessible::queryAccessibleInterface(child)
            : m_own->panel(group);
        if (face && !all.contains(face))
            all << face;
    }
    all << m_own->notice();
    return all;
}

} // namespace accessible
