#include "frmMain.h"
#include "inventory.h"

#include <QAccessible>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QRadioButton>

#include <algorithm>
#include <span>
#include <tuple>
#include <utility>

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

// Drawn just outside the control, so it hides none of its caption or figure.
constexpr int kRingMargin = 3;

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

// Blue inside a white edge, so that it shows on the white screen and the dark skin alike.
class FocusRing : public QWidget
{
public:
    explicit FocusRing(QWidget* parent)
        : QWidget(parent)
    {
        setObjectName(QStringLiteral("focusRing"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const auto frame = [&painter](QRect r, int width, const QColor& colour) {
            painter.fillRect(r.x(), r.y(), r.width(), width, colour);
            painter.fillRect(r.x(), r.bottom() - width + 1, r.width(), width, colour);
            painter.fillRect(r.x(), r.y(), width, r.height(), colour);
            painter.fillRect(r.right() - width + 1, r.y(), width, r.height(), colour);
        };
        frame(rect(), 1, Qt::white);
        frame(rect().adjusted(1, 1, -1, -1), kRingMargin - 1, QColor(0, 90, 200));
    }
};

} // namespace

void frmMain::WireKeys()
{
    // Fields, option buttons and label buttons in reading order, by pixel row (a row of
    // buttons may differ by a twip) and left to right; the page arrows at the right edge
    // come last. Tab skips what is off the screen, so every screen has its own order.
    // The labels among them keep no focus policy: the keys reach them through this chain
    // alone, and a label with one would carry a text editor's machinery for its caption.
    std::vector<std::tuple<bool, int, int, QWidget*>> stops;
    const auto addStop = [&](const ControlSpec& row, TwipsRect twips, QWidget* widget) {
        stops.emplace_back(row.kind == Kind::ClickArea, toPixels(twips.top), twips.left, widget);
    };
    for (const ControlSpec& row : inventory()) {
        const QString name = QString::fromUtf8(row.name.data(), qsizetype(row.name.size()));
        if (row.kind == Kind::OptionArray) {
            for (int i = 0; i < kOptionButtons; ++i)
                addStop(row, optionTwips(i), optReport[std::size_t(i)]);
        } else if (row.kind == Kind::TextBox || row.kind == Kind::ComboBox
                   || row.kind == Kind::ChoiceList || row.kind == Kind::ListBox
                   || (row.style & TabStop)) {
            addStop(row, row.twips, findChild<QWidget*>(name, Qt::FindDirectChildrenOnly));
        }
    }
    std::ranges::stable_sort(stops);
    for (const auto& stop : stops)
        m_tabChain.push_back(std::get<QWidget*>(stop));

    // Keys reach whichever widget holds the focus, or the window when none does.
    installEventFilter(this);
    for (QWidget* widget : findChildren<QWidget*>()) {
        if (!qobject_cast<QLabel*>(widget))
            widget->installEventFilter(this);
    }
    m_focusRing = new FocusRing(this);
}

bool frmMain::KeyboardEvent(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        SetKeyboardMode(true);
        // While a box waits for its answer, a key reaching the window acts on nothing.
        return m_boxesOpen > 0 || KeyPressed(watched, *static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (m_heldKey.key == 0 || key->key() != m_heldKey.key)
            return false;
        if (!key->isAutoRepeat())
            KeyReleased();
        return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        SetKeyboardMode(false);
        return false;
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        const bool in = event->type() == QEvent::FocusIn;
        if (isField(watched))
            tint(static_cast<QWidget*>(watched), in);
        if (QLabel* tab = TabOf(watched))
            underline(tab, in);
        if (isPressable(watched))
            UpdateFocusRing();
        return false;
    }
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
    if (QLabel* tab = TabOf(receiver); tab && StripKey(tab, key))
        return true;
    if (auto* list = qobject_cast<QListWidget*>(receiver); list && MenuListKey(list, key))
        return true;
    // The focused button itself: Space or Enter press it as the pen does.
    if (auto* label = qobject_cast<QLabel*>(receiver); label && isPressable(label)) {
        if (MeterKey(label, key))
            return true;
        if (key.key() == Qt::Key_Space || isEnter(key.key())) {
            HoldKey({key.key(), label, nullptr, AfterKey::Nothing});
            return true;
        }
    }
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
    // A click or a timer may have taken the label or list off the screen while the key was
    // held, or a box may wait for its answer: then it is let go without its click, as a
    // mouse released off it.
    if (held.label)
        ReleaseLabel(held.label, canAct(held.label));
    if (held.list && held.list->currentRow() >= 0 && canAct(held.list))
        RunHandler(ChoiceHandler(held.list), held.list);
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

// A tab has the keys: Left and Right move between the tabs, Down, Enter or Space
// press the tab and open its list, Escape hands the keys back to the page.
bool frmMain::StripKey(QLabel* tab, const QKeyEvent& key)
{
    switch (key.key()) {
    case Qt::Key_Left:
        MoveStripFocus(tab, -1);
        return true;
    case Qt::Key_Right:
        MoveStripFocus(tab, 1);
        return true;
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        HoldKey({key.key(), tab, nullptr, AfterKey::OpenList});
        return true;
    case Qt::Key_Escape:
        LeaveStrip();
        return true;
    default:
        return false;
    }
}

// The overview's meters stand in a 3 by 3 grid in category order; the arrow keys move
// within it and stop at its edges.
bool frmMain::MeterKey(const QLabel* meter, const QKeyEvent& key)
{
    qint16 index = 0;
    while (index < ledger::kCategoryCount && CategoryIcon(index) != meter)
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
    if (QLabel* next = CategoryIcon(qint16(target)); next && reachable(next))
        next->setFocus(Qt::TabFocusReason);
    return true;
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
    RememberPageFocus();
    tab->setFocus(Qt::ShortcutFocusReason);
}

void frmMain::MoveStripFocus(const QLabel* tab, int step)
{
    std::vector<QLabel*> tabs;
    for (const LabelSlot slot : kTabs) {
        if (reachable(this->*slot))
            tabs.push_back(this->*slot);
    }
    if (tabs.empty())
        return;
    const auto at = std::ranges::find(tabs, tab);
    const auto count = std::ptrdiff_t(tabs.size());
    const std::ptrdiff_t next = ((at - tabs.begin()) + step + count) % count;
    WorkStrip(tabs[std::size_t(next)]);
}

// The only list boxes are the menu lists.
void frmMain::RememberPageFocus()
{
    QWidget* focus = focusWidget();
    if (!TabOf(focus) && !qobject_cast<QListWidget*>(focus))
        m_focusBeforeStrip = focus;
}

void frmMain::LeaveStrip()
{
    if (m_focusBeforeStrip && reachable(m_focusBeforeStrip))
        m_focusBeforeStrip->setFocus(Qt::ShortcutFocusReason);
    else
        focusNextPrevChild(true);
}

void frmMain::OpenMenuList(QLabel* tab)
{
    QListWidget* list = MenuListOf(tab);
    if (!list || !shown(list))
        return;
    RememberPageFocus();
    list->setCurrentRow(0);
    list->setFocus(Qt::ShortcutFocusReason);
    // Qt announces the list after its entry; a screen reader should end on the entry.
    QAccessibleEvent entry(list, QAccessible::Focus);
    entry.setChild(0);
    QAccessible::updateAccessibility(&entry);
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

QLabel* frmMain::TabOf(const QObject* object) const
{
    for (const LabelSlot slot : kTabs) {
        if (this->*slot == object)
            return this->*slot;
    }
    return nullptr;
}

// Where a click could land on it: shown and not under another control. Ending the
// About screen over the menu bar leaves the Help tab shown under the Setup tab.
bool frmMain::reachable(const QWidget* control)
{
    const QWidget* parent = control->parentWidget();
    if (!shown(control) || !parent)
        return shown(control);
    const QWidget* hit = parent->childAt(control->geometry().center());
    return hit && (hit == control || control->isAncestorOf(hit));
}

// The window's own control that holds the widget: a drop-down list for its entry field.
QWidget* frmMain::OwnControl(QWidget* widget) const
{
    while (widget && widget->parentWidget() != this)
        widget = widget->parentWidget();
    return widget;
}

// The controls the keys can stop at on this screen, in order. The option buttons are one
// stop, the chosen one; the arrow keys move within them.
std::vector<QWidget*> frmMain::ScreenStops() const
{
    QRadioButton* optionStop = nullptr;
    for (QRadioButton* option : optReport) {
        if (!reachable(option))
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
        return qobject_cast<QRadioButton*>(stop) ? stop == optionStop : IsStop(stop);
    });
    return stops;
}

// On the screen and of use here: an arrow that turns no page, or a page picture with no
// text to read, is passed by.
bool frmMain::IsStop(const QWidget* control) const
{
    if (!reachable(control))
        return false;
    if (control == lblArrowUp || control == lblArrowDown)
        return arrowTurn(static_cast<const QLabel*>(control)) != Turn::Nothing;
    return control != imgFront || showsText();
}

bool frmMain::focusNextPrevChild(bool next)
{
    // A handler hiding the control with the keys: where they go is settled as it ends, not at
    // the first control of a screen half built, which a screen reader would announce.
    if (m_handlerDepth > 0)
        return true;
    const std::vector<QWidget*> stops = ScreenStops();
    if (stops.empty())
        return false;
    QWidget* current = OwnControl(focusWidget());
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
void frmMain::KeepFocusOnScreen(const QWidget* before)
{
    QWidget* current = OwnControl(focusWidget());
    if (current && IsStop(current) && !(before && !reachable(before)))
        return;
    const std::vector<QWidget*> stops = ScreenStops();
    if (!stops.empty() && (m_keyboardMode || stops.front() == imgFront))
        stops.front()->setFocus(Qt::OtherFocusReason);
    else
        setFocus(Qt::OtherFocusReason);
}

void frmMain::SetKeyboardMode(bool keyboard)
{
    if (std::exchange(m_keyboardMode, keyboard) != keyboard)
        UpdateFocusRing();
}

void frmMain::UpdateFocusRing()
{
    QWidget* focus = focusWidget();
    if (!m_keyboardMode || !isPressable(focus) || !shown(focus)) {
        m_focusRing->hide();
        return;
    }
    m_focusRing->setGeometry(
        focus->geometry().adjusted(-kRingMargin, -kRingMargin, kRingMargin, kRingMargin));
    m_focusRing->show();
}
