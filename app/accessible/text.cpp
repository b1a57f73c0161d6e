#include "accessible_p.h"
#include "frmMain.h"

#include <QLabel>

namespace accessible {

void ReadableText::selection(int, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
}

QString ReadableText::text(int startOffset, int endOffset) const
{
    return whole().mid(startOffset, endOffset - startOffset);
}

QString ReadableText::attributes(int, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

void* PageTextAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return LabelAccessible::interface_cast(type);
}

QString PageTextAccessible::text(QAccessible::Text kind) const
{
    return kind == QAccessible::Name ? screenName(form()) : LabelAccessible::text(kind);
}

QAccessible::State PageTextAccessible::state() const
{
    QAccessible::State state = LabelAccessible::state();
    state.readOnly = true;
    state.focusable = state.focusable && form()->showsText();
    return state;
}

QString PageTextAccessible::whole() const
{
    return pageText(form());
}

} // namespace accessible
