#include "keys.h"

#include "focus_ring.h"
#include "frmMain.h"
#include "inventory.h"

#include <QAccessible>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include <algorithm>
#include <span>
#include <tuple>
#include <utility>

namespace {

// Only one page is open at a time, so at most one of these is on the screen.
constexpr std::string_view kDone[] = {"lblReportDone", "lblEditDone", "lblTransDone", "lblAboutOK"};
constexpr std::string_view kBack[]
    = {"lblReportBack", "lblEditCancel", "lblSetupCancel", "lblTransCancel", "lblAboutOK"};
// The title bar shows only Help, the last.
constexpr std::string_view kTabs[] = {"lblCategories", "lblReports", "lblSetup", "lblHelp"};
constexpr std::string_view kMenuLists[] = {{}, "lstReports", "lstSetup", "lstHelp"};

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

bool shown(const QWidget* widget)
{
    return !widget->isHidden();
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

Keys::Keys(frmMain* window)
    : QObject(window)
    , m_window(window)
    , m_arrowUp(label("lblArrowUp"))
    , m_arrowDown(label("lblArrowDown"))
    , m_front(label("imgFront"))
{
    for (std::size_t i = 0; i < m_tabs.size(); ++i) {
        m_tabs[i] = label(kTabs[i]);
        // Categories opens no list; an empty name would find any.
        if (!kMenuLists[i].empty())
            m_menuLists[i] = window->findChild<QListWidget*>(frmMain::textOf(kMenuLists[i]),
                                                             Qt::FindDirectChildrenOnly);
    }
    // A key presses the first of its labels that is on the screen, exactly as a click
    // would: the pressed look on the key press, the released look and the click on its
    // release, then what the key does beyond the click.
    const auto bind = [this](int key, std::span<const std::string_view> names, AfterKey after) {
        Binding binding {key, {}, after};
        for (std::string_view name : names)
            binding.labels.push_back(label(name));
        m_bindings.push_back(std::move(binding));
    };
    constexpr std::string_view scrollUp[] = {"lblScrollUp"};
    constexpr std::string_view scrollDown[] = {"lblScrollDown"};
    constexpr std::string_view menuButton[] = {"lblMenuButton"};
    constexpr std::string_view helpTab[] = {"lblHelp"};
    bind(Qt::Key_PageUp, scrollUp, AfterKey::Nothing);
    bind(Qt::Key_PageDown, scrollDown, AfterKey::Nothing);
    bind(Qt::Key_Return, kDone, AfterKey::Nothing);
    bind(Qt::Key_Enter, kDone, AfterKey::Nothing);
    bind(Qt::Key_Escape, kBack, AfterKey::Nothing);
    bind(Qt::Key_F10, menuButton, AfterKey::WorkStrip);
    bind(Qt::Key_Menu, menuButton, AfterKey::WorkStrip);
    bind(Qt::Key_F1, helpTab, AfterKey::OpenList);
    buildReadingOrder();

    // Keys reach whichever widget holds the focus, or the window when none does. The labels
    // the pen presses and the page's text are the only labels that take the keys; Tab on the
    // text never reaches the window.
    window->installEventFilter(this);
    for (QWidget* widget : window->findChildren<QWidget*>()) {
        if (!qobject_cast<QLabel*>(widget) || window->isPressable(widget) || widget == m_front)
            widget->installEventFilter(this);
    }
    m_focusRing = new FocusRing(window);
}

QLabel* Keys::label(std::string_view name) const
{
    return m_window->findChild<QLabel*>(frmMain::textOf(name), Qt::FindDirectChildrenOnly);
}

// Fields, option buttons and label buttons in reading order, by pixel row (a row of
// buttons may differ by a twip) and left to right; the page arrows at the right edge
// come last. Tab skips what is off the screen, so every screen has its own order.
// The labels among them keep no focus policy: the keys reach them through this chain
// alone, and a label with one would carry a text editor's machinery for its caption.
void Keys::buildReadingOrder()
{
    std::vector<std::tuple<bool, int, int, QWidget*>> stops;
    const auto addStop = [&](const ControlSpec& row, TwipsRect twips, QWidget* widget) {
        stops.emplace_back(row.kind == Kind::ClickArea, toPixels(twips.top), twips.left, widget);
    };
    for (const ControlSpec& row : inventory()) {
        const QString name = frmMain::textOf(row.name);
        if (row.kind == Kind::OptionArray) {
            for (int i = 0; i < kOptionButtons; ++i)
                addStop(row, optionTwips(i),
                        m_window->findChild<QWidget*>(name + QStringLiteral("(%1)").arg(i),
                                                      Qt::FindDirectChildrenOnly));
        } else if (row.kind == Kind::TextBox || row.kind == Kind::ComboBox
                   || row.kind == Kind::ChoiceList || row.kind == Kind::ListBox
                   || (row.style & TabStop)) {
            addStop(row, row.twips,
                    m_window->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly));
        }
    }
    std::ranges::stable_sort(stops);
    for (const auto& stop : stops)
        m_tabChain.push_back(std::get<QWidget*>(stop));
}

bool Keys::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        setKeyboardMode(true);
        // While a box waits for its answer, a key reaching the window acts on nothing.
        return m_window->messageBoxOpen() || keyPressed(watched, *static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (m_heldKey.key == 0 || key->key() != m_heldKey.key)
            return false;
        if (!key->isAutoRepeat())
            keyReleased();
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        setKeyboardMode(false);
        return false;
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        const bool in = event->type() == QEvent::FocusIn;
        if (isField(watched))
            tint(static_cast<QWidget*>(watched), in);
        if (QLabel* tab = tabOf(watched))
            underline(tab, in);
        updateFocusRing();
        return false;
    }
    default:
        return false;
    }
}

bool Keys::keyPressed(QObject* receiver, const QKeyEvent& key)
{
    // Message boxes and the drop-down lists' popups are windows of their own and keep
    // their keys.
    const auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || widget->window() != m_window)
        return false;
    // Held down, a key clicks once, on its release.
    if (key.key() == m_heldKey.key)
        return true;
    const auto modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier)
        return false;
    if (QLabel* tab = tabOf(receiver); tab && stripKey(tab, key))
        return true;
    if (auto* list = qobject_cast<QListWidget*>(receiver); list && menuListKey(list, key))
        return true;
    // The focused button itself: Space or Enter press it as the pen does.
    if (auto* label = qobject_cast<QLabel*>(receiver); label && m_window->isPressable(label)) {
        if (meterKey(label, key))
            return true;
        if (key.key() == Qt::Key_Space || isEnter(key.key())) {
            holdKey({key.key(), label, nullptr, AfterKey::Nothing});
            return true;
        }
    }
    for (const Binding& binding : m_bindings) {
        if (binding.key != key.key())
            continue;
        for (QLabel* label : binding.labels) {
            if (frmMain::reachable(label)) {
                holdKey({key.key(), label, nullptr, binding.after});
                return true;
            }
        }
        return false;
    }
    return false;
}

void Keys::holdKey(const HeldKey& held)
{
    // A second key while one is held lets the first go without its click.
    if (m_heldKey.label)
        m_window->letGo(m_heldKey.label, false);
    m_heldKey = held;
    if (held.label)
        m_window->hold(held.label);
}

void Keys::keyReleased()
{
    const HeldKey held = std::exchange(m_heldKey, {});
    // A click or a timer may have taken the label or list off the screen while the key was
    // held, or a box may wait for its answer: then it is let go without its click, as a
    // mouse released off it.
    if (held.label)
        m_window->letGo(held.label, true);
    if (held.list && held.list->currentRow() >= 0)
        m_window->choose(held.list, held.list->currentRow());
    switch (held.after) {
    case AfterKey::WorkStrip:
        for (QLabel* tab : m_tabs) {
            if (shown(tab)) {
                workStrip(tab);
                break;
            }
        }
        break;
    case AfterKey::OpenList:
        openMenuList(held.label);
        break;
    case AfterKey::Nothing:
        break;
    }
}

// A tab has the keys: Left and Right move between the tabs, Down, Enter or Space
// press the tab and open its list, Escape hands the keys back to the page.
bool Keys::stripKey(QLabel* tab, const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Left:
        moveStripFocus(tab, -1);
        return true;
    case Qt::Key_Right:
        moveStripFocus(tab, 1);
        return true;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        holdKey({key.key(), tab, nullptr, AfterKey::OpenList});
        return true;
    case Qt::Key_Escape:
        leaveStrip();
        return true;
    default:
        return false;
    }
}

// The overview's meters stand in a 3 by 3 grid in category order; the arrow keys move
// within it and stop at its edges.
bool Keys::meterKey(const QLabel* meter, const QKeyEvent& key)
{
    qint16 index = 0;
    while (index < ledger::kCategoryCount && m_window->meter(index) != meter)
        ++index;
    if (index == ledger::kCategoryCount)
        return false;
    const int column = index % 3;
    int target = -1;
    switch (key.key()) {
    case Qt::Key_Left:
        target = column > 0 ? index - 1 : -1;
        break;
    case Qt::Key_Right:
        target = column < 2 ? index + 1 : -1;
        break;
    case Qt::Key_Up:
        target = index - 3;
        break;
    case Qt::Key_Down:
        target = index + 3;
        break;
    default:
        return false;
    }
    if (QLabel* next = m_window->meter(qint16(target)); next && frmMain::reachable(next))
        next->setFocus(Qt::TabFocusReason);
    return true;
}

// An open menu list has the focus: Up and Down are its own, Enter chooses the
// current entry as a click on it would, Escape closes the list.
bool Keys::menuListKey(QListWidget* list, const QKeyEvent& key)
{
    if (std::ranges::find(m_menuLists, list) == m_menuLists.end())
        return false;
    if (isEnter(key.key())) {
        holdKey({key.key(), nullptr, list, AfterKey::Nothing});
        return true;
    }
    if (key.key() == Qt::Key_Escape) {
        closeMenuList(list);
        return true;
    }
    return false;
}

void Keys::workStrip(QLabel* tab)
{
    rememberPageFocus();
    tab->setFocus(Qt::ShortcutFocusReason);
}

void Keys::moveStripFocus(const QLabel* tab, int step)
{
    std::vector<QLabel*> tabs;
    std::ranges::copy_if(m_tabs, std::back_inserter(tabs), frmMain::reachable);
    if (tabs.empty())
        return;
    const auto at = std::ranges::find(tabs, tab);
    const auto count = std::ptrdiff_t(tabs.size());
    const std::ptrdiff_t next = ((at - tabs.begin()) + step + count) % count;
    workStrip(tabs[std::size_t(next)]);
}

// The only list boxes are the menu lists.
void Keys::rememberPageFocus()
{
    QWidget* focus = m_window->focusWidget();
    if (!tabOf(focus) && !qobject_cast<QListWidget*>(focus))
        m_focusBeforeStrip = focus;
}

void Keys::leaveStrip()
{
    if (m_focusBeforeStrip && frmMain::reachable(m_focusBeforeStrip))
        m_focusBeforeStrip->setFocus(Qt::ShortcutFocusReason);
    else
        moveFocus(true);
}

void Keys::openMenuList(QLabel* tab)
{
    QListWidget* list = menuListOf(tab);
    if (!list || !shown(list))
        return;
    rememberPageFocus();
    list->setCurrentRow(0);
    list->setFocus(Qt::ShortcutFocusReason);
    // Qt announces the list after its entry; a screen reader should end on the entry.
    QAccessibleEvent entry(list, QAccessible::Focus);
    entry.setChild(0);
    QAccessible::updateAccessibility(&entry);
}

// Closing a list by key leaves its tab as a fresh menu bar shows it: no border.
void Keys::closeMenuList(QListWidget* list)
{
    for (QLabel* tab : m_tabs) {
        if (menuListOf(tab) == list) {
            list->setVisible(false);
            tab->setFrameStyle(QFrame::NoFrame);
            workStrip(tab);
        }
    }
}

QListWidget* Keys::menuListOf(const QLabel* tab) const
{
    const auto at = std::ranges::find(m_tabs, tab);
    return at == m_tabs.end() ? nullptr : m_menuLists[std::size_t(at - m_tabs.begin())];
}

QLabel* Keys::tabOf(const QObject* object) const
{
    const auto at = std::ranges::find(m_tabs, object);
    return at == m_tabs.end() ? nullptr : *at;
}

// The controls the keys can stop at on this screen, in order. The option buttons are one
// stop, the chosen one; the arrow keys move within them.
std::vector<QWidget*> Keys::screenStops() const
{
    QWidget* optionStop = nullptr;
    for (QWidget* stop : m_tabChain) {
        auto* option = qobject_cast<QRadioButton*>(stop);
        if (!option || !frmMain::reachable(option))
            continue;
        if (option->isChecked()) {
            optionStop = option;
            break;
        }
        if (!optionStop)
            optionStop = option;
    }
    std::vector<QWidget*> stops;
    std::ranges::copy_if(m_tabChain, std::back_inserter(stops), [&](QWidget* stop) {
        return qobject_cast<QRadioButton*>(stop) ? stop == optionStop : isStop(stop);
    });
    return stops;
}

// On the screen and of use here: an arrow that turns no page, or a page picture with no
// text to read, is passed by.
bool Keys::isStop(const QWidget* control) const
{
    if (!frmMain::reachable(control))
        return false;
    if (control == m_arrowUp || control == m_arrowDown)
        return m_window->arrowTurn(static_cast<const QLabel*>(control)) != frmMain::Turn::Nothing;
    return control != m_front || m_window->showsText();
}

bool Keys::moveFocus(bool next)
{
    // A handler hiding the control with the keys: where they go is settled as it ends, not at
    // the first control of a screen half built, which a screen reader would announce.
    if (m_window->handlerRunning())
        return true;
    const std::vector<QWidget*> stops = screenStops();
    if (stops.empty())
        return false;
    QWidget* current = frmMain::controlOf(m_window->focusWidget());
    auto at = std::ranges::find(stops, current);
    if (qobject_cast<QRadioButton*>(current))
        at = std::ranges::find_if(stops,
                                  [](QWidget* stop) { return qobject_cast<QRadioButton*>(stop); });
    const auto count = std::ptrdiff_t(stops.size());
    std::ptrdiff_t target = next ? 0 : count - 1;
    if (at != stops.end())
        target = ((at - stops.begin()) + (next ? 1 : -1) + count) % count;
    stops[std::size_t(target)]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

// After a handler, the keys stay where it left them, unless the control they were on has
// left the screen or is of no use there. Then a keyboard user finds them on the first
// control of the new screen; after the pen they rest with the window, so that no field
// lights up unasked, or on the text of a page that has one, for a screen reader to read.
void Keys::settleFocus(const QWidget* before, bool screenChanged)
{
    QWidget* current = frmMain::controlOf(m_window->focusWidget());
    // A button let go without its click changed only its look: keys resting with the window
    // stay there, rather than visit a control the next key's page may cover.
    const bool stays
        = current ? isStop(current) && !(before && !frmMain::reachable(before)) : !screenChanged;
    if (stays)
        return;
    const std::vector<QWidget*> stops = screenStops();
    if (!stops.empty() && (m_keyboardMode || stops.front() == m_front))
        stops.front()->setFocus(Qt::OtherFocusReason);
    else
        m_window->setFocus(Qt::OtherFocusReason);
}

void Keys::setKeyboardMode(bool keyboard)
{
    if (std::exchange(m_keyboardMode, keyboard) != keyboard)
        updateFocusRing();
}

// Around every stop and tab with the keys; an open menu list marks its own entry.
void Keys::updateFocusRing()
{
    QWidget* focus = frmMain::controlOf(m_window->focusWidget());
    if (!m_keyboardMode || !focus || !shown(focus) || !(tabOf(focus) || isStop(focus)))
        m_focusRing->hide();
    else
        m_focusRing->follow(focus);
}
