#include "inputs_p.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSet>

namespace accessible {

FieldAccessible::FieldAccessible(QLineEdit* field)
    : QAccessibleWidget(field, QAccessible::EditableText)
{ }

QLineEdit* FieldAccessible::field() const
{
    return static_cast<QLineEdit*>(widget());
}

// What a page sets in a field before showing it would reach a screen reader as a caret moving
// in the field the keys are about to enter, and the reader would then take their arrival as
// old news and say nothing: what happens in a field out of sight is not told. (A field
// offers its text all the same: a reader keeps what a node offers as it first meets it.)
void tellWhatShows(QAccessibleEvent* event)
{
    static const QSet<QAccessible::Event> text
        = {QAccessible::TextCaretMoved, QAccessible::TextInserted, QAccessible::TextRemoved,
           QAccessible::TextUpdated, QAccessible::TextSelectionChanged};
    const auto* field = qobject_cast<const QLineEdit*>(event->object());
    if (field && !field->isVisible() && text.contains(event->type()))
        return;
    // Qt tells the desktop only while no handler is in place.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(&tellWhatShows);
}

void* FieldAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State FieldAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.selectableText = true;
    return state;
}

// An entry field of a drop-down list is named by its list.
QString FieldAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Value)
        return field()->text();
    const QWidget* named = frmMain::controlOf(field());
    return kind == QAccessible::Name       ? named->accessibleName()
        : kind == QAccessible::Description ? named->accessibleDescription()
                                           : QAccessibleWidget::text(kind);
}

void FieldAccessible::setText(QAccessible::Text kind, const QString& text)
{
    if (kind == QAccessible::Value)
        replaceText(0, characterCount(), text);
}

QString FieldAccessible::whole() const
{
    return field()->text();
}

void FieldAccessible::selection(int, int* startOffset, int* endOffset) const
{
    *startOffset = field()->selectionStart();
    *endOffset = *startOffset + int(field()->selectedText().size());
}

int FieldAccessible::selectionCount() const
{
    return field()->hasSelectedText() ? 1 : 0;
}

void FieldAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void FieldAccessible::removeSelection(int)
{
    if (canAct(field()))
        field()->deselect();
}

// Ends outside the text are taken as its ends; an end before the start selects backwards.
void FieldAccessible::setSelection(int, int startOffset, int endOffset)
{
    const int from = qBound(0, startOffset, characterCount());
    if (canAct(field()))
        field()->setSelection(from, qBound(0, endOffset, characterCount()) - from);
}

int FieldAccessible::cursorPosition() const
{
    return field()->cursorPosition();
}

void FieldAccessible::setCursorPosition(int position)
{
    if (canAct(field()))
        field()->setCursorPosition(position);
}

QRect FieldAccessible::characterRect(int offset) const
{
    const QFontMetrics metrics = field()->fontMetrics();
    const QString text = field()->text();
    const QRect inside = field()->contentsRect().marginsRemoved(field()->textMargins());
    const int x = inside.left() + metrics.horizontalAdvance(text.left(offset));
    const int width = metrics.horizontalAdvance(text.mid(offset, 1));
    const int y = inside.top() + (inside.height() - metrics.height()) / 2;
    return {field()->mapToGlobal(QPoint(x, y)), QSize(width, metrics.height())};
}

int FieldAccessible::offsetAtPoint(const QPoint& point) const
{
    return field()->cursorPositionAt(field()->mapFromGlobal(point));
}

void FieldAccessible::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, {});
}

void FieldAccessible::insertText(int offset, const QString& text)
{
    replaceText(offset, offset, text);
}

void FieldAccessible::replaceText(int startOffset, int endOffset, const QString& text)
{
    if (!canAct(field()))
        return;
    const qsizetype from = qBound(0, startOffset, characterCount());
    const qsizetype to = qBound(int(from), endOffset, characterCount());
    field()->setText(field()->text().replace(from, to - from, text));
    field()->setCursorPosition(int(from + text.size()));
}

void FieldAccessible::doAction(const QString& action)
{
    if (canAct(field()))
        QAccessibleWidget::doAction(action);
}

DropDownAccessible::DropDownAccessible(QComboBox* box)
    : QAccessibleWidget(box, QAccessible::ComboBox)
{ }

QComboBox* DropDownAccessible::box() const
{
    return static_cast<QComboBox*>(widget());
}

// The choice shown, as text: a reader finds no chosen row in the closed list to read.
void* DropDownAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString DropDownAccessible::whole() const
{
    return box()->currentText();
}

int DropDownAccessible::childCount() const
{
    return box()->isEditable() ? 2 : 1;
}

QAccessibleInterface* DropDownAccessible::child(int index) const
{
    if (index == 0)
        return QAccessible::queryAccessibleInterface(box()->view());
    return index == 1 && box()->isEditable()
        ? QAccessible::queryAccessibleInterface(box()->lineEdit())
        : nullptr;
}

int DropDownAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    for (int i = 0; i < childCount(); ++i) {
        if (this->child(i) == child)
            return i;
    }
    return -1;
}

QString DropDownAccessible::text(QAccessible::Text kind) const
{
    switch (kind) {
    case QAccessible::Name:
        return box()->accessibleName();
    case QAccessible::Description:
        return box()->accessibleDescription();
    case QAccessible::Value:
        return box()->currentText();
    default:
        return QAccessibleWidget::text(kind);
    }
}

QStringList DropDownAccessible::actionNames() const
{
    return QStringList {showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void DropDownAccessible::doAction(const QString& action)
{
    if (!canAct(box()))
        return;
    if (action != showMenuAction() && action != pressAction()) {
        QAccessibleWidget::doAction(action);
        return;
    }
    if (box()->view()->isVisible())
        box()->hidePopup();
    else
        box()->showPopup();
}

} // namespace accessible
