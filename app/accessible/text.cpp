#include "accessible_p.h"
#include "announcer_p.h"
#include "frmMain.h"

#include <QLabel>

namespace accessible {

void ReadableText::selection(int, int* startOffset, int* endOffset) const
{
    *startOffset = *endOffset = 0;
}

// Any range a reader sends, stale or turned round, reads as the part of it inside the text.
QString ReadableText::text(int startOffset, int endOffset) const
{
    const QString all = whole();
    const qsizetype from = qBound(qsizetype(0), qsizetype(startOffset), all.size());
    return all.mid(from, qBound(from, qsizetype(endOffset), all.size()) - from);
}

QString ReadableText::attributes(int, int* startOffset, int* endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    return {};
}

QAccessible::Role StaticTextAccessible::role() const
{
    return m_kind == Kind::Image ? QAccessible::Graphic : QAccessible::StaticText;
}

PageTextAccessible::PageTextAccessible(QLabel* label, const ControlSpec& row)
    : LabelAccessible(label, row)
    , m_page(form()->screen())
{ }

void renewPageText(QLabel* front)
{
    QAccessibleInterface* old = QAccessible::queryAccessibleInterface(front);
    const auto* page = dynamic_cast<const PageTextAccessible*>(old);
    if (!page || page->page() == windowOf(front)->screen())
        return;
    // Qt hands out a freed id again at once; one held meanwhile keeps the new object's apart.
    const QAccessible::Id held
        = QAccessible::registerAccessibleInterface(new NoticeAccessible(windowOf(front)));
    QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(old));
    QAccessible::queryAccessibleInterface(front);
    QAccessible::deleteAccessibleInterface(held);
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
