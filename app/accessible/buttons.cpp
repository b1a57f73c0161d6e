#include "accessible_p.h"
#include "frmMain.h"

#include <QLabel>

namespace accessible {

LabelAccessible::LabelAccessible(QLabel* label, const ControlSpec& row)
    : QAccessibleWidget(label)
    , m_texts(textsOf(row))
    , m_kind(row.kind)
    , m_focusable(row.style & TabStop || row.kind == Kind::MenuTab)
{ }

QLabel* LabelAccessible::label() const
{
    return static_cast<QLabel*>(widget());
}

frmMain* LabelAccessible::form() const
{
    return static_cast<frmMain*>(widget()->parentWidget());
}

QString LabelAccessible::text(QAccessible::Text kind) const
{
    if (kind == QAccessible::Description) {
        // Never the tool tip: it is written for one screen only.
        return widget()->accessibleDescription().isEmpty() ? m_texts.description
                                                           : widget()->accessibleDescription();
    }
    if (kind != QAccessible::Name)
        return QAccessibleWidget::text(kind);
    // Meters name themselves after their figures as they change.
    if (!widget()->accessibleName().isEmpty())
        return widget()->accessibleName();
    const QString caption = label()->text();
    // A label that shows a figure is read with its field, "Available: $217.12".
    if (m_kind == Kind::Label && !m_texts.name.isEmpty())
        return caption.isEmpty() ? m_texts.name : m_texts.name + QStringLiteral(": ") + caption;
    return m_texts.name.isEmpty() ? caption : m_texts.name;
}

// Only what lies inside the window shows: the organiser's picture is a pixel taller than it.
QRect LabelAccessible::rect() const
{
    const QWidget* window = widget()->window();
    return QAccessibleWidget::rect() & QRect(window->mapToGlobal(QPoint()), window->size());
}

QAccessible::State LabelAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    // The keys reach it, though it keeps no focus policy of its own.
    state.focusable = m_focusable;
    return state;
}

void LabelAccessible::doAction(const QString& action)
{
    if (canAct(widget()))
        QAccessibleWidget::doAction(action);
}

// Under a page or another control it is out of the pen's reach and out of sight.
QAccessible::State ButtonAccessible::state() const
{
    QAccessible::State state = LabelAccessible::state();
    if (!state.invisible && !frmMain::reachable(widget())) {
        state.invisible = true;
        state.offscreen = true;
    }
    return state;
}

QStringList ButtonAccessible::actionNames() const
{
    return QStringList(pressAction()) + QAccessibleWidget::actionNames();
}

void ButtonAccessible::doAction(const QString& action)
{
    if (!canAct(widget()))
        return;
    if (action != pressAction()) {
        QAccessibleWidget::doAction(action);
        return;
    }
    later(label(), [window = form(), label = label()] { window->press(label); });
}

bool ArrowAccessible::idle() const
{
    return form()->arrowTurn(label()) == frmMain::Turn::Nothing;
}

QString ArrowAccessible::text(QAccessible::Text kind) const
{
    if (kind != QAccessible::Name && kind != QAccessible::Description)
        return ButtonAccessible::text(kind);
    const bool description = kind == QAccessible::Description;
    switch (form()->arrowTurn(label())) {
    case frmMain::Turn::StatusPage:
        return description ? QStringLiteral("Input a new transaction")
                           : QStringLiteral("Back to the status page");
    case frmMain::Turn::RecentPage:
        return description ? QStringLiteral("Lists the category's transactions")
                           : QStringLiteral("Recent transactions");
    case frmMain::Turn::FirstHelpPage:
        return description ? QString() : QStringLiteral("First help page");
    case frmMain::Turn::SecondHelpPage:
        return description ? QString() : QStringLiteral("Second help page");
    case frmMain::Turn::Nothing:
        break;
    }
    return description ? QString() : m_texts.name;
}

QAccessible::State ArrowAccessible::state() const
{
    QAccessible::State state = ButtonAccessible::state();
    if (idle()) {
        state.disabled = true;
        state.focusable = false;
    }
    return state;
}

QStringList ArrowAccessible::actionNames() const
{
    return idle() ? QAccessibleWidget::actionNames() : ButtonAccessible::actionNames();
}

} // namespace accessible
