#include "frmMain.h"
#include "inventory.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include <algorithm>
#include <span>
#include <utility>
#include <vector>

namespace {

using LabelSlot = QLabel* Controls::*;

constexpr LabelSlot kScrollUp[] = {&Controls::lblScrollUp};
constexpr LabelSlot kScrollDown[] = {&Controls::lblScrollDown};
constexpr LabelSlot kMenuButton[] = {&Controls::lblMenuButton};
constexpr LabelSlot kHelpTab[] = {&Controls::lblHelp};
// Only one page is open at a time, so at most one of these is on the screen.
constexpr LabelSlot kDone[] = {&Controls::lblReportDone, &Controls::lblEditDone,
                               &Controls::lblTransDone, &Controls::lblAboutOK};
constexpr LabelSlot kBack[]
    = {&Controls::lblReportBack, &Controls::lblEditCancel, &Controls::lblSetupCancel,
       &Controls::lblTransCancel, &Controls::lblAboutOK};
// The tabs of the top strip from left to right; the title bar shows only Help.
constexpr LabelSlot kTabs[]
    = {&Controls::lblCategories, &Controls::lblReports, &Controls::lblSetup, &Controls::lblHelp};

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool shown(const QWidget* widget)
{
    return !widget->isHidden();
}

// Where a click could land on it: shown and not under another control. Ending the
// About screen over the menu bar leaves the Help tab shown under the Setup tab.
bool reachable(const QLabel* label)
{
    return shown(label) && label->parentWidget()->childAt(label->geometry().center()) == label;
}

void underline(QLabel* tab, bool focused)
{
    QFont font = tab->font();
    font.setUnderline(focused);
    tab->setFont(font);
}

// The fields have no frame, and a caret alone is easily missed: the field that has the
// keys is tinted.
void tint(QWidget* field, bool focused)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, focused ? QColor(255, 246, 196) : QColor(Qt::white));
    field->setPalette(palette);
}

bool isField(const QObject* object)
{
    return qobject_cast<const QLineEdit*>(object) || qobject_cast<const QComboBox*>(object);
}

} // namespace

void frmMain::WireKeys()
{
    // Tab walks the inputs from top to bottom, then left to right. Focus only reaches
    // those on the screen, so on every page it follows that page's own order.
    std::vector<std::pair<TwipsRect, QWidget*>> inputs;
    for (const ControlSpec& row : inventory()) {
        if (row.kind == Kind::OptionArray) {
            for (int i = 0; i < kOptionButtons; ++i)
                inputs.emplace_back(optionTwips(i), optReport[std::size_t(i)]);
        } else if (row.kind == Kind::TextBox || row.kind == Kind::ComboBox
                   || row.kind == Kind::ChoiceList || row.kind == Kind::ListBox) {
            const QString name = QString::fromUtf8(row.name.data(), qsizetype(row.name.size()));
            inputs.emplace_back(row.twips, findChild<QWidget*>(name, Qt::FindDirectChildrenOnly));
        }
    }
    std::ranges::stable_sort(inputs, [](const auto& a, const auto& b) {
        return std::pair(a.first.top, a.first.left) < std::pair(b.first.top, b.first.left);
    });
    for (std::size_t i = 1; i < inputs.size(); ++i)
        setTabOrder(inputs[i - 1].second, inputs[i].second);

    // Keys reach whichever widget holds the focus, or the window when none does.
    installEventFilter(this);
    for (QWidget* widget : findChildren<QWidget*>()) {
        if (!qobject_cast<QLabel*>(widget))
            widget->installEventFilter(this);
    }
}

bool frmMain::KeyboardEvent(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return KeyPressed(watched, *static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (m_heldKey.key == 0 || key->key() != m_heldKey.key)
            return false;
        if (!key->isAutoRepeat())
            KeyReleased();
        return true;
    }
    case QEvent::FocusIn:
        if (isField(watched))
            tint(static_cast<QWidget*>(watched), true);
        return false;
    case QEvent::FocusOut:
        // Tab or a click took the focus from the strip.
        if (watched == this)
            LeaveStrip();
        if (isField(watched))
            tint(static_cast<QWidget*>(watched), false);
        return false;
    case QEvent::Hide:
        if (watched == m_stripTab)
            LeaveStrip();
        return false;
    default:
        return false;
    }
}

bool frmMain::KeyPressed(QObject* receiver, const QKeyEvent& key)
{
    // A key presses the first of its labels that is on the screen, exactly as a click
    // would: the pressed look on the key press, the released look and the click on its
    // release, then what the key does beyond the click.
    struct KeyBinding
    {
        int key;
        std::span<const LabelSlot> labels;
        AfterKey after;
    };
    static constexpr KeyBinding kKeys[] = {
        {Qt::Key_PageUp, kScrollUp, AfterKey::Nothing},
        {Qt::Key_PageDown, kScrollDown, AfterKey::Nothing},
        {Qt::Key_Return, kDone, AfterKey::Nothing},
        {Qt::Key_Enter, kDone, AfterKey::Nothing},
        {Qt::Key_Escape, kBack, AfterKey::Nothing},
        {Qt::Key_F10, kMenuButton, AfterKey::WorkStrip},
        {Qt::Key_Menu, kMenuButton, AfterKey::WorkStrip},
        {Qt::Key_F1, kHelpTab, AfterKey::OpenList},
    };

    // Message boxes and the drop-down lists' popups are windows of their own and keep
    // their keys.
    const auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || widget->window() != this)
        return false;
    // Held down, a key clicks once, on its release.
    if (key.key() == m_heldKey.key)
        return true;
    const auto modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier)
        return false;
    if (receiver == this && m_stripTab && StripKey(key))
        return true;
    if (auto* list = qobject_cast<QListWidget*>(receiver); list && MenuListKey(list, key))
        return true;
    for (const KeyBinding& binding : kKeys) {
        if (binding.key != key.key())
            continue;
        for (const LabelSlot slot : binding.labels) {
            if (reachable(this->*slot)) {
                HoldKey({key.key(), this->*slot, nullptr, binding.after});
                return true;
            }
        }
        return false;
    }
    return false;
}

void frmMain::HoldKey(const HeldKey& held)
{
    // A second key while one is held lets the first go without its click.
    if (m_heldKey.label)
        ReleaseLabel(m_heldKey.label, false);
    m_heldKey = held;
    if (held.label)
        PressLabel(held.label);
}

void frmMain::KeyReleased()
{
    const HeldKey held = std::exchange(m_heldKey, {});
    // A click or a timer may have taken the label off the screen while the key was
    // held: then it is let go without its click, as a mouse released off a label.
    if (held.label)
        ReleaseLabel(held.label, reachable(held.label));
    if (held.list && held.list->currentRow() >= 0) {
        if (held.list == lstSetup)
            lstSetup_Click();
        else if (held.list == lstReports)
            lstReports_Click();
        else if (held.list == lstHelp)
            lstHelp_Click();
    }
    switch (held.after) {
    case AfterKey::WorkStrip:
        for (const LabelSlot slot : kTabs) {
            if (shown(this->*slot)) {
                WorkStrip(this->*slot);
                break;
            }
        }
        break;
    case AfterKey::OpenList:
        OpenMenuList(held.label);
        break;
    case AfterKey::Nothing:
        break;
    }
}

// The strip has the focus: Left and Right move between its tabs, Down or Enter
// presses the tab, Escape hands the keys back to the page.
bool frmMain::StripKey(const QKeyEvent& key)
{
    if (!shown(m_stripTab))
        return false;
    switch (key.key()) {
    case Qt::Key_Left:
        MoveStripFocus(-1);
        return true;
    case Qt::Key_Right:
        MoveStripFocus(1);
        return true;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!key.isAutoRepeat())
            HoldKey({key.key(), m_stripTab, nullptr, AfterKey::OpenList});
        return true;
    case Qt::Key_Escape:
        LeaveStrip();
        return true;
    default:
        return false;
    }
}

// An open menu list has the focus: Up and Down are its own, Enter chooses the
// current entry as a click on it would, Escape closes the list.
bool frmMain::MenuListKey(QListWidget* list, const QKeyEvent& key)
{
    if (list != lstSetup && list != lstReports && list != lstHelp)
        return false;
    if (isEnter(key.key())) {
        HoldKey({key.key(), nullptr, list, AfterKey::Nothing});
        return true;
    }
    if (key.key() == Qt::Key_Escape) {
        CloseMenuList(list);
        return true;
    }
    return false;
}

void frmMain::WorkStrip(QLabel* tab)
{
    setFocus(Qt::ShortcutFocusReason);
    LeaveStrip();
    m_stripTab = tab;
    underline(tab, true);
}

void frmMain::MoveStripFocus(int step)
{
    std::vector<QLabel*> tabs;
    for (const LabelSlot slot : kTabs) {
        if (shown(this->*slot))
            tabs.push_back(this->*slot);
    }
    const auto at = std::ranges::find(tabs, m_stripTab);
    const auto count = std::ptrdiff_t(tabs.size());
    const std::ptrdiff_t next = ((at - tabs.begin()) + step + count) % count;
    WorkStrip(tabs[std::size_t(next)]);
}

void frmMain::LeaveStrip()
{
    if (m_stripTab)
        underline(m_stripTab, false);
    m_stripTab = nullptr;
}

void frmMain::OpenMenuList(QLabel* tab)
{
    QListWidget* list = MenuListOf(tab);
    if (!list || !shown(list))
        return;
    LeaveStrip();
    list->setCurrentRow(0);
    list->setFocus(Qt::ShortcutFocusReason);
}

// Closing a list by key leaves its tab as a fresh menu bar shows it: no border.
void frmMain::CloseMenuList(QListWidget* list)
{
    for (const LabelSlot slot : kTabs) {
        QLabel* tab = this->*slot;
        if (MenuListOf(tab) == list) {
            list->setVisible(false);
            tab->setFrameStyle(QFrame::NoFrame);
            WorkStrip(tab);
        }
    }
}

QListWidget* frmMain::MenuListOf(const QLabel* tab) const
{
    if (tab == lblReports)
        return lstReports;
    if (tab == lblSetup)
        return lstSetup;
    if (tab == lblHelp)
        return lstHelp;
    return nullptr;
}
