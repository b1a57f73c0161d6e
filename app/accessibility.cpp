#include "accessibility.h"

#include "frmMain.h"
#include "help_text.h"
#include "inventory.h"
#include "reportbox.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QRegularExpression>

namespace {

QString textOf(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// What a screen reader calls a control and how it describes it, from its inventory row:
// "name" or "name|description".
struct AccessibleTexts
{
    QString name;
    QString description;
};

AccessibleTexts textsOf(const ControlSpec& row)
{
    const QStringList texts = textOf(row.accessible).split(QLatin1Char('|'));
    return {texts.value(0), texts.value(1)};
}

// The window's own control that holds a widget: a drop-down list for its entry field.
QWidget* controlOf(QWidget* widget)
{
    while (widget && !qobject_cast<frmMain*>(widget->parentWidget()))
        widget = widget->parentWidget();
    return widget;
}

frmMain* windowOf(QWidget* widget)
{
    QWidget* control = controlOf(widget);
    return control ? static_cast<frmMain*>(control->parentWidget()) : nullptr;
}

// Where a pen could act on it now: a screen reader acts there and nowhere else.
bool canAct(QWidget* widget)
{
    const frmMain* window = windowOf(widget);
    return window && window->canAct(controlOf(widget));
}

// Answered at once: what the action sets off, a message box included, runs after the caller
// has its answer, so a screen reader never waits on an open box. Queued on the control, the
// call goes with it should the control go first.
template<typename Action> void later(QObject* control, Action action)
{
    QMetaObject::invokeMethod(control, action, Qt::QueuedConnection);
}

// The groups a screen reader is told as panels, each the controls of one screen.
enum class Group { None, Overview, Form, Recent, Setup, Transfer };

Group groupOf(const QWidget* control)
{
    // clang-format off
    static const QHash<QString, Group> groups = [] {
        QHash<QString, Group> all;
        const std::pair<Group, const char*> rows[] = {
            {Group::Overview, "imgFood imgElectricity imgParking imgGas imgEntertainment imgSchool imgRent imgTelephone "
                              "imgClothing lblFood lblElectricity lblParking lblGas lblEntertainment lblSchool lblRent "
                              "lblTelephone lblClothing"},
            {Group::Form, "lblAvailable lblBudgeted imgReport txtDate txtAmount lblCategory txtDescription cboPayment "
                          "lblReportBack lblReportReset lblReportDone lblEditNumber lblEditCancel lblEditReset lblEditDone"},
            {Group::Recent, "picReport optReport lblReportEdit lblReportDelete"},
            {Group::Setup, "txtTotal cboInterval cboCateName cboCategory txtBudgetAmount txtAlertAmount lblBudget "
                           "lblSetupCancel lblSetupReset lblSetupEdit"},
            {Group::Transfer, "txtTransAmount cboTransFrom cboTransTo lblTransCancel lblTransReset lblTransDone"}};
        // clang-format on
        for (const auto& [group, names] : rows) {
            for (const QString& name : QString::fromLatin1(names).split(QLatin1Char(' ')))
                all.insert(name, group);
        }
        return all;
    }();
    return groups.value(control->objectName().section(QLatin1Char('('), 0, 0), Group::None);
}

QString categoryName(const frmMain* window)
{
    return QString::fromStdString(
        window->categories().at(std::size_t(window->currentCategory())).Name);
}

// What the screen shows, as a screen reader announces it.
QString screenName(const frmMain* window)
{
    const auto* front = window->findChild<QLabel*>(QStringLiteral("imgFront"));
    const QString page = front->property("pictureFile").toString();
    if (front->isHidden())
        return QStringLiteral("Category overview");
    if (page.isEmpty() || page == QLatin1String("about.jpg"))
        return QString::fromUtf8(Artwork::kAbout.title);
    if (page.startsWith(QLatin1String("FAQ")))
        return QStringLiteral("Help page %1 of 2").arg(page.mid(3, 1));
    // The status page is told with its figures.
    if (page == QLatin1String("report1.jpg"))
        return QStringLiteral("Status of %1, %2 available of %3")
            .arg(categoryName(window),
                 window->findChild<QLabel*>(QStringLiteral("lblAvailable"))->text(),
                 window->findChild<QLabel*>(QStringLiteral("lblBudgeted"))->text());
    if (page == QLatin1String("report2.jpg"))
        return QStringLiteral("Recent transactions of ") + categoryName(window);
    if (page == QLatin1String("edit.jpg"))
        return QStringLiteral("Editing transaction ")
            + window->findChild<QLabel*>(QStringLiteral("lblEditNumber"))->text();
    return page == QLatin1String("Setup.jpg") ? QStringLiteral("Budget setup")
                                              : QStringLiteral("Transfer funds");
}

// What a sighted user reads on the page picture: the help, a question and its answer a line,
// or the About lines.
QString pageText(const frmMain* window)
{
    if (!window->showsText())
        return {};
    const QString page = window->findChild<QLabel*>(QStringLiteral("imgFront"))
                             ->property("pictureFile")
                             .toString();
    QStringList lines;
    if (page.startsWith(QLatin1String("FAQ"))) {
        for (const Artwork::HelpEntry& entry :
             page == QLatin1String("FAQ1.jpg") ? Artwork::kHelpPage1 : Artwork::kHelpPage2)
            lines << QString::fromUtf8(entry.question) + QLatin1Char(' ')
                    + QString::fromUtf8(entry.answer);
    } else {
        const Artwork::AboutText& about = Artwork::kAbout;
        for (const char* line : {about.title, about.motto, about.version, about.footer})
            lines << QString::fromUtf8(line);
    }
    return lines.join(QLatin1Char('\n'));
}

QString groupName(const frmMain* window, Group group)
{
    switch (group) {
    case Group::Overview:
        return QStringLiteral("Category overview");
    case Group::Form:
        return window->findChild<QWidget*>(QStringLiteral("imgReport"))->isVisible()
                || window->findChild<QWidget*>(QStringLiteral("lblEditNumber"))->isVisible()
            ? screenName(window)
            : QStringLiteral("Transaction");
    case Group::Recent:
        return QStringLiteral("Recent transactions of ") + categoryName(window);
    case Group::Setup:
        return QStringLiteral("Budget setup");
    case Group::Transfer:
        return QStringLiteral("Transfer funds");
    case Group::None:
        break;
    }
    return {};
}

QAccessibleInterface* panelOf(const QWidget* control);

// A member of a screen's panel reads the panel as its parent.
template<typename Base> class InPanel : public Base
{
public:
    using Base::Base;
    QAccessibleInterface* parent() const override
    {
        QAccessibleInterface* panel = panelOf(this->widget());
        return panel ? panel : Base::parent();
    }
};

// Text as a screen reader reads it; what cannot be selected or placed reads as nothing.
class ReadableText : public QAccessibleTextInterface
{
public:
    virtual QString whole() const = 0;

    void selection(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = *endOffset = 0;
    }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QString text(int startOffset, int endOffset) const override
    {
        return whole().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(whole().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
};

// A label as a screen reader meets it: named and described by its row; a label the pen clicks
// is what it is for, a button (a page tab on the menu bar) whose press does what a click does.
// Whether the pen clicks it is asked as it is read, because Qt asks for the interface while
// the window is still being built. The screen's page picture is read as the page's text.
class LabelAccessible : public QAccessibleWidget, public ReadableText
{
public:
    LabelAccessible(QLabel* label, const ControlSpec& row)
        : QAccessibleWidget(label)
        , m_texts(textsOf(row))
        , m_kind(row.kind)
        , m_focusable(row.style & TabStop || row.kind == Kind::MenuTab)
        , m_arrow(row.name == "lblArrowUp" || row.name == "lblArrowDown")
        , m_page(row.name == "imgFront")
    { }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface && m_page)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::Role role() const override
    {
        if (m_page)
            return QAccessible::Paragraph;
        if (pressable())
            return m_kind == Kind::MenuTab ? QAccessible::PageTab : QAccessible::Button;
        return m_kind == Kind::Image ? QAccessible::Graphic : QAccessible::StaticText;
    }

    QString text(QAccessible::Text kind) const override
    {
        if (m_arrow && (kind == QAccessible::Name || kind == QAccessible::Description))
            return arrowText(kind);
        if (m_page && kind == QAccessible::Name)
            return screenName(form());
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
        const QString caption = static_cast<const QLabel*>(widget())->text();
        // A label that shows a figure is read with its field, "Available: $217.12".
        if (m_kind == Kind::Label && !m_texts.name.isEmpty())
            return caption.isEmpty() ? m_texts.name : m_texts.name + QStringLiteral(": ") + caption;
        return m_texts.name.isEmpty() ? caption : m_texts.name;
    }

    QString whole() const override { return pageText(form()); }

    // A button under a page or another control is out of the pen's reach and out of sight;
    // an arrow that does nothing on this screen is unavailable.
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        // The keys reach it, though it keeps no focus policy of its own.
        state.focusable = m_focusable;
        if (!state.invisible && pressable() && !frmMain::reachable(widget())) {
            state.invisible = true;
            state.offscreen = true;
        }
        if (m_arrow && form()->arrowTurn(label()) == frmMain::Turn::Nothing) {
            state.disabled = true;
            state.focusable = false;
        }
        state.readOnly = m_page;
        state.focusable = state.focusable && (!m_page || form()->showsText());
        return state;
    }

    QStringList actionNames() const override
    {
        const QStringList own = QAccessibleWidget::actionNames();
        const bool idle = m_arrow && form()->arrowTurn(label()) == frmMain::Turn::Nothing;
        return pressable() && !idle ? QStringList(pressAction()) + own : own;
    }

    void doAction(const QString& action) override
    {
        if (!canAct(widget()))
            return;
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        later(label(), [window = form(), label = label()] { window->press(label); });
    }

private:
    QLabel* label() const { return static_cast<QLabel*>(widget()); }
    frmMain* form() const { return static_cast<frmMain*>(widget()->parentWidget()); }
    bool pressable() const { return form()->isPressable(widget()); }

    QString arrowText(QAccessible::Text kind) const
    {
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

    AccessibleTexts m_texts;
    Kind m_kind;
    bool m_focusable;
    bool m_arrow;
    bool m_page;
};

// A text box: its text readable and editable, its caret and selection those of the box.
class FieldAccessible : public QAccessibleWidget,
                        public ReadableText,
                        public QAccessibleEditableTextInterface
{
public:
    explicit FieldAccessible(QLineEdit* field)
        : QAccessibleWidget(field, QAccessible::EditableText)
    { }

    // A field out of sight offers no text: what its page sets in it before showing it would
    // reach a screen reader as a caret moving in the field the keys are about to enter, and
    // the reader would then take their arrival as old news and say nothing.
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface && field()->isVisible())
            return static_cast<QAccessibleTextInterface*>(this);
        if (type == QAccessible::EditableTextInterface && field()->isVisible())
            return static_cast<QAccessibleEditableTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = true;
        state.selectableText = true;
        return state;
    }

    // An entry field of a drop-down list is named by its list.
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return field()->text();
        const QWidget* named = controlOf(field());
        return kind == QAccessible::Name       ? named->accessibleName()
            : kind == QAccessible::Description ? named->accessibleDescription()
                                               : QAccessibleWidget::text(kind);
    }

    void setText(QAccessible::Text kind, const QString& text) override
    {
        if (kind == QAccessible::Value)
            replaceText(0, characterCount(), text);
    }

    QString whole() const override { return field()->text(); }

    void selection(int, int* startOffset, int* endOffset) const override
    {
        *startOffset = field()->selectionStart();
        *endOffset = *startOffset + int(field()->selectedText().size());
    }
    int selectionCount() const override { return field()->hasSelectedText() ? 1 : 0; }
    void addSelection(int startOffset, int endOffset) override
    {
        setSelection(0, startOffset, endOffset);
    }
    void removeSelection(int) override
    {
        if (canAct(field()))
            field()->deselect();
    }
    void setSelection(int, int startOffset, int endOffset) override
    {
        if (canAct(field()))
            field()->setSelection(startOffset, endOffset - startOffset);
    }
    int cursorPosition() const override { return field()->cursorPosition(); }
    void setCursorPosition(int position) override
    {
        if (canAct(field()))
            field()->setCursorPosition(position);
    }
    QRect characterRect(int offset) const override
    {
        const QFontMetrics metrics = field()->fontMetrics();
        const QString text = field()->text();
        const QRect inside = field()->contentsRect().marginsRemoved(field()->textMargins());
        const int x = inside.left() + metrics.horizontalAdvance(text.left(offset));
        const int width = metrics.horizontalAdvance(text.mid(offset, 1));
        const int y = inside.top() + (inside.height() - metrics.height()) / 2;
        return {field()->mapToGlobal(QPoint(x, y)), QSize(width, metrics.height())};
    }
    int offsetAtPoint(const QPoint& point) const override
    {
        return field()->cursorPositionAt(field()->mapFromGlobal(point));
    }

    void deleteText(int startOffset, int endOffset) override
    {
        replaceText(startOffset, endOffset, {});
    }
    void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
    void replaceText(int startOffset, int endOffset, const QString& text) override
    {
        if (!canAct(field()))
            return;
        const qsizetype from = qBound(0, startOffset, characterCount());
        const qsizetype to = qBound(int(from), endOffset, characterCount());
        field()->setText(field()->text().replace(from, to - from, text));
        field()->setCursorPosition(int(from + text.size()));
    }

    void doAction(const QString& action) override
    {
        if (canAct(field()))
            QAccessibleWidget::doAction(action);
    }

private:
    QLineEdit* field() const { return static_cast<QLineEdit*>(widget()); }
};

// A drop-down list: named by its field, its value the entry shown; its list opens only
// where a pen could open it.
class DropDownAccessible : public QAccessibleWidget, public ReadableText
{
public:
    explicit DropDownAccessible(QComboBox* box)
        : QAccessibleWidget(box, QAccessible::ComboBox)
    { }

    // The choice shown, as text: a reader finds no chosen row in the closed list to read.
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString whole() const override { return box()->currentText(); }

    int childCount() const override { return box()->isEditable() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override
    {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(box()->view());
        return index == 1 && box()->isEditable()
            ? QAccessible::queryAccessibleInterface(box()->lineEdit())
            : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            if (this->child(i) == child)
                return i;
        }
        return -1;
    }

    QString text(QAccessible::Text kind) const override
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

    QStringList actionNames() const override
    {
        return QStringList {showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
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

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

// An option button of the list, named by the row beside it; chosen as a click chooses it.
class OptionAccessible : public QAccessibleWidget
{
public:
    explicit OptionAccessible(QRadioButton* option)
        : QAccessibleWidget(option, QAccessible::RadioButton)
    { }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = true;
        state.checked = option()->isChecked();
        return state;
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? option()->accessibleName()
                                         : QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override
    {
        return QStringList {pressAction(), toggleAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override
    {
        if (!canAct(option()))
            return;
        if (action == pressAction() || action == toggleAction())
            option()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    QRadioButton* option() const { return static_cast<QRadioButton*>(widget()); }
};

// An entry of a menu list, read without its "/A" mark and pressed as a click on it chooses it.
class MenuEntry : public QAccessibleInterface, public QAccessibleActionInterface
{
public:
    MenuEntry(QAccessibleInterface* list, int row)
        : m_list(list)
        , m_row(row)
    { }

    bool isValid() const override { return m_list->isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_list->window(); }
    QAccessibleInterface* parent() const override { return m_list; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    void setText(QAccessible::Text, const QString&) override { }

    QString text(QAccessible::Text kind) const override
    {
        static const QRegularExpression mark(QStringLiteral("\\s+/[A-Z]$"));
        return kind == QAccessible::Name ? list()->item(m_row)->text().remove(mark) : QString();
    }

    QRect rect() const override
    {
        const QRect item = list()->visualItemRect(list()->item(m_row));
        return QRect(list()->viewport()->mapToGlobal(item.topLeft()), item.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !frmMain::reachable(list());
        state.selectable = true;
        state.selected = state.focused = list()->hasFocus() && list()->currentRow() == m_row;
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

    void doAction(const QString& action) override
    {
        if (action != pressAction())
            return;
        later(list(), [list = list(), row = m_row] {
            static_cast<frmMain*>(list->parentWidget())->choose(list, row);
        });
    }

private:
    QListWidget* list() const { return static_cast<QListWidget*>(m_list->object()); }

    QAccessibleInterface* m_list;
    int m_row;
};

// A menu list, read as a menu whose entries can be pressed.
class MenuList : public QAccessibleWidget
{
public:
    explicit MenuList(QListWidget* list)
        : QAccessibleWidget(list, QAccessible::PopupMenu)
        , m_entries(std::size_t(list->count()))
    { }

    ~MenuList() override
    {
        for (const QAccessible::Id id : m_entries) {
            if (id)
                QAccessible::deleteAccessibleInterface(id);
        }
    }

    int childCount() const override { return int(m_entries.size()); }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        QAccessible::Id& id = m_entries[std::size_t(index)];
        if (!id)
            id = QAccessible::registerAccessibleInterface(
                new MenuEntry(const_cast<MenuList*>(this), index));
        return QAccessible::accessibleInterface(id);
    }

    int indexOfChild(const QAccessibleInterface* entry) const override
    {
        for (int i = 0; i < childCount(); ++i) {
            if (m_entries[std::size_t(i)] && child(i) == entry)
                return i;
        }
        return -1;
    }

    QAccessibleInterface* focusChild() const override
    {
        const auto* list = static_cast<const QListWidget*>(widget());
        return list->hasFocus() ? child(list->currentRow()) : nullptr;
    }

    QStringList actionNames() const override { return {}; }
    void doAction(const QString&) override { }

private:
    mutable std::vector<QAccessible::Id> m_entries;
};

// The controls of one screen as a panel: a screen reader names the screen as the keys enter it.
class PanelAccessible : public QAccessibleInterface
{
public:
    PanelAccessible(frmMain* window, Group group)
        : m_window(window)
        , m_group(group)
    { }

    bool isValid() const override { return m_window; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_window->windowHandle(); }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_window);
    }
    int childCount() const override { return int(members().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> all = members();
        return index >= 0 && index < all.size() ? QAccessible::queryAccessibleInterface(all[index])
                                                : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return int(members().indexOf(qobject_cast<QWidget*>(child->object())));
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (QWidget* member : members()) {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(member);
            if (member->isVisible() && face && face->rect().contains(x, y))
                return face;
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override
    {
        QWidget* focus = controlOf(m_window->focusWidget());
        return members().contains(focus) ? QAccessible::queryAccessibleInterface(focus) : nullptr;
    }
    QAccessible::Role role() const override { return QAccessible::Grouping; }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? groupName(m_window, m_group) : QString();
    }
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override
    {
        QRect all;
        for (QWidget* member : members()) {
            if (member->isVisible())
                all |= QRect(member->mapToGlobal(QPoint()), member->size());
        }
        return all;
    }
    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = rect().isEmpty();
        return state;
    }

private:
    QList<QWidget*> members() const
    {
        QList<QWidget*> all;
        for (QObject* child : m_window->children()) {
            auto* widget = qobject_cast<QWidget*>(child);
            if (widget && groupOf(widget) == m_group)
                all << widget;
        }
        return all;
    }

    QPointer<frmMain> m_window;
    Group m_group;
};

// What the window says of itself: a new screen while the keys stay, a new choice in a list.
class Announcer : public QAccessibleInterface
{
public:
    explicit Announcer(frmMain* window)
        : m_window(window)
    { }

    void say(const QString& message) { m_message = message; }

    bool isValid() const override { return m_window; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_window->windowHandle(); }
    QAccessibleInterface* parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_window);
    }
    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Notification; }
    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? m_message : QString();
    }
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override { return {}; }
    QAccessible::State state() const override { return {}; }

private:
    QPointer<frmMain> m_window;
    QString m_message;
};

// The window: the controls outside the screens' panels, the panels, and its announcements.
class WindowAccessible : public QAccessibleWidget
{
public:
    WindowAccessible(frmMain* window, const Accessibility* own)
        : QAccessibleWidget(window)
        , m_own(own)
    { }

    int childCount() const override { return int(children().size()); }
    QAccessibleInterface* child(int index) const override
    {
        const QList<QAccessibleInterface*> all = children();
        return index >= 0 && index < all.size() ? all[index] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return int(children().indexOf(const_cast<QAccessibleInterface*>(child)));
    }

private:
    QList<QAccessibleInterface*> children() const
    {
        QList<QAccessibleInterface*> all;
        for (QObject* object : widget()->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (!child)
                continue;
            const Group group = groupOf(child);
            QAccessibleInterface* face = group == Group::None
                ? QAccessible::queryAccessibleInterface(child)
                : m_own->panel(int(group) - 1);
            if (face && !all.contains(face))
                all << face;
        }
        all << m_own->panel(Accessibility::kPanels);
        return all;
    }

    const Accessibility* m_own;
};

Accessibility* accessibilityOf(const QWidget* window)
{
    return window ? window->findChild<Accessibility*>(QString(), Qt::FindDirectChildrenOnly)
                  : nullptr;
}

QAccessibleInterface* panelOf(const QWidget* control)
{
    const Group group = groupOf(control);
    const Accessibility* own = accessibilityOf(control->parentWidget());
    return group == Group::None || !own ? nullptr : own->panel(int(group) - 1);
}

} // namespace

void Accessibility::install()
{
    static const bool installed = (QAccessible::installFactory(&Accessibility::interfaceFor), true);
    Q_UNUSED(installed);
}

// Asked only when a screen reader or a tool reads a control, so starting costs nothing.
QAccessibleInterface* Accessibility::interfaceFor(const QString&, QObject* object)
{
    if (auto* window = qobject_cast<frmMain*>(object)) {
        const Accessibility* own = accessibilityOf(window);
        return own ? new WindowAccessible(window, own) : nullptr;
    }
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !windowOf(widget) || widget->window() != windowOf(widget))
        return nullptr;
    if (auto* field = qobject_cast<QLineEdit*>(widget))
        return new InPanel<FieldAccessible>(field);
    if (controlOf(widget) != widget)
        return nullptr;
    if (auto* list = qobject_cast<QListWidget*>(widget))
        return new MenuList(list);
    if (auto* box = qobject_cast<QComboBox*>(widget))
        return new InPanel<DropDownAccessible>(box);
    if (auto* option = qobject_cast<QRadioButton*>(widget))
        return new InPanel<OptionAccessible>(option);
    if (qobject_cast<ReportBox*>(widget))
        return new InPanel<QAccessibleWidget>(widget);
    auto* label = qobject_cast<QLabel*>(widget);
    const ControlSpec* row = label ? findControlSpec(label->objectName().toStdString()) : nullptr;
    return row ? new InPanel<LabelAccessible>(label, *row) : nullptr;
}

Accessibility::Accessibility(frmMain* window)
    : QObject(window)
    , m_window(window)
{
    nameInputs();
    for (const char* meter :
         {"imgFood", "imgElectricity", "imgParking", "imgGas", "imgEntertainment", "imgSchool",
          "imgRent", "imgTelephone", "imgClothing", "imgReport"})
        window->findChild<QWidget*>(QLatin1String(meter))->installEventFilter(this);
    for (const char* marker : {"imgFront", "lblEditNumber", "imgReport", "lblReportEdit"})
        window->findChild<QWidget*>(QLatin1String(marker))->installEventFilter(this);
    connect(window->findChild<ReportBox*>(), &ReportBox::rowsChanged, this,
            &Accessibility::nameRows);
    for (QRadioButton* option : window->findChildren<QRadioButton*>()) {
        connect(option, &QRadioButton::toggled, this, [this](bool chosen) {
            if (chosen)
                describeChoice();
        });
    }
    // A new choice made by the keys is told: the list itself tells nothing a reader speaks.
    for (QComboBox* box : window->findChildren<QComboBox*>()) {
        connect(box, &QComboBox::currentIndexChanged, this, [this, box] {
            if (box->currentIndex() >= 0 && controlOf(m_window->focusWidget()) == box)
                announce(box->currentText());
        });
    }
    connect(window, &frmMain::messageBoxOpening, this, [this] {
        if (m_screenAway.isEmpty())
            m_screenAway = screenName(m_window);
    });
    connect(window, &frmMain::messageBoxAnswered, this, [this] {
        if (!m_window->messageBoxOpen() && !std::exchange(m_returning, true))
            QMetaObject::invokeMethod(this, &Accessibility::returnEnded, Qt::QueuedConnection);
    });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { keysArrived(now); });
    nameRows();
    m_screen = screenName(window);
}

Accessibility::~Accessibility()
{
    for (const QAccessible::Id id : m_own) {
        if (id)
            QAccessible::deleteAccessibleInterface(id);
    }
}

// Made when a screen reader first asks, so that starting costs nothing.
QAccessibleInterface* Accessibility::panel(int group) const
{
    QAccessible::Id& id = m_own.at(std::size_t(group));
    if (!id) {
        id = QAccessible::registerAccessibleInterface(
            group < kPanels ? static_cast<QAccessibleInterface*>(
                new PanelAccessible(m_window, Group(group + 1)))
                            : new Announcer(m_window));
    }
    return QAccessible::accessibleInterface(id);
}

// The inputs are named by the captions drawn beside them.
void Accessibility::nameInputs()
{
    for (const ControlSpec& row : inventory()) {
        if (row.kind != Kind::TextBox && row.kind != Kind::ComboBox && row.kind != Kind::ChoiceList
            && row.kind != Kind::ListBox && row.kind != Kind::PictureBox)
            continue;
        auto* widget = m_window->findChild<QWidget*>(textOf(row.name), Qt::FindDirectChildrenOnly);
        const AccessibleTexts texts = textsOf(row);
        widget->setAccessibleName(texts.name);
        if (!texts.description.isEmpty())
            widget->setAccessibleDescription(texts.description);
    }
}

// Each option button by the row beside it, when the rows are printed.
void Accessibility::nameRows()
{
    const QStringList rows = m_window->findChild<ReportBox*>()->rows();
    for (int i = 0; i < kOptionButtons; ++i) {
        const QString name = i < rows.size()
            ? QStringLiteral("Transaction %1: %2").arg(i + 1).arg(rows[i])
            : QStringLiteral("Transaction %1").arg(i + 1);
        auto* option = m_window->findChild<QWidget*>(QStringLiteral("optReport(%1)").arg(i));
        if (option->accessibleName() != name)
            option->setAccessibleName(name);
    }
    describeChoice();
}

// Edit and Delete by the line they act on, when the rows or the chosen line change.
void Accessibility::describeChoice()
{
    const QStringList rows = m_window->findChild<ReportBox*>()->rows();
    const int line = m_window->selectedLine();
    const QString chosen = line >= 0 && line < rows.size()
        ? QStringLiteral(" transaction %1: %2").arg(line + 1).arg(rows[line])
        : QStringLiteral(" the selected transaction");
    m_window->findChild<QWidget*>(QStringLiteral("lblReportEdit"))
        ->setAccessibleDescription(QStringLiteral("Edits") + chosen);
    m_window->findChild<QWidget*>(QStringLiteral("lblReportDelete"))
        ->setAccessibleDescription(QStringLiteral("Deletes") + chosen);
}

void Accessibility::announce(const QString& message)
{
    if (!QAccessible::isActive())
        return;
    auto* announcer = static_cast<Announcer*>(panel(kPanels));
    announcer->say(message);
    QAccessibleEvent shown(announcer, QAccessible::ObjectShow);
    QAccessible::updateAccessibility(&shown);
}

bool Accessibility::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::ToolTipChange: {
        // A meter is named by its category and the figures of its tool tip, "$217.12/$300".
        const QStringList figures = widget->toolTip().split(QLatin1Char('/'));
        const QString category = widget->objectName() == QLatin1String("imgReport")
            ? categoryName(m_window)
            : widget->objectName().mid(3);
        widget->setAccessibleName(QStringLiteral("%1, %2 available of %3")
                                      .arg(category, figures.value(0), figures.value(1)));
        break;
    }
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::DynamicPropertyChange:
        screenChanging();
        break;
    default:
        break;
    }
    return false;
}

// Looked at once the handler that changes the screen has ended and placed the keys.
void Accessibility::screenChanging()
{
    if (std::exchange(m_screenChanging, true))
        return;
    m_focusBefore = m_window->focusWidget();
    QMetaObject::invokeMethod(this, &Accessibility::screenChanged, Qt::QueuedConnection);
}

// The keys entering a screen's panel name it; where they stay, or rest with the window,
// the window says the new screen itself.
void Accessibility::screenChanged()
{
    m_screenChanging = false;
    const QString screen = screenName(m_window);
    if (screen == m_screen)
        return;
    m_screen = screen;
    for (int group = 0; group < kPanels; ++group) {
        if (m_own.at(std::size_t(group))) {
            QAccessibleEvent renamed(panel(group), QAccessible::NameChanged);
            QAccessible::updateAccessibility(&renamed);
        }
    }
    // A page of text is told with its first lines, as the keys on it would read them. Told
    // also where the keys land on the page text: a reader that skipped their visit elsewhere
    // (a menu, under load) finds them on the same text object and says nothing.
    QWidget* focus = m_window->focusWidget();
    const bool onText = m_window->showsText() && focus
        && focus == m_window->findChild<QWidget*>(QStringLiteral("imgFront"));
    if (!focus || focus == m_window || focus == m_focusBefore || onText)
        announce(QStringList {screen, pageText(m_window).section(QLatin1Char('\n'), 0, 0)}
                     .filter(QRegularExpression(QStringLiteral(".")))
                     .join(QStringLiteral(". ")));
}

// A screen changed by a box's answer is told as the keys come back, before the control they
// land on: a reader takes the window's return and the keys' arrival in either order, and
// after it may name no panel. The window may come back before or after the answer's handler
// has changed the screen.
void Accessibility::keysArrived(QWidget* now)
{
    if (m_screenAway.isEmpty() || m_window->messageBoxOpen() || !now || now->window() != m_window
        || !m_window->isActiveWindow())
        return;
    const QString screen = screenName(m_window);
    if (screen != m_screenAway) {
        m_screenAway.clear();
        announce(screen);
    } else if (!m_returning) {
        m_screenAway.clear();
    }
}

// The handler that asked has ended; where the window already has the keys back and they
// stayed where they were, the screen is told now.
void Accessibility::returnEnded()
{
    m_returning = false;
    if (m_window->messageBoxOpen() || !m_window->isActiveWindow() || m_screenAway.isEmpty())
        return;
    if (const QString screen = screenName(m_window); std::exchange(m_screenAway, {}) != screen)
        announce(screen);
}
