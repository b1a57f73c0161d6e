#include "frmMain.h"
#include "inventory.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

namespace {

// What a screen reader calls a control and how it describes it, from its inventory row:
// "name" or "name|description".
struct AccessibleTexts
{
    QString name;
    QString description;
};

AccessibleTexts textsOf(const ControlSpec& row)
{
    const QStringList texts
        = QString::fromUtf8(row.accessible.data(), qsizetype(row.accessible.size()))
              .split(QLatin1Char('|'));
    return {texts.value(0), texts.value(1)};
}

} // namespace

// A label as a screen reader meets it: named and described by its row; a label the pen
// clicks is what it is for, a button (a page tab on the menu bar) whose press action does
// what a click does. Whether the pen clicks it is asked as it is read, because Qt asks for
// the interface while the window is still being built.
class frmMain::LabelAccessible : public QAccessibleWidget
{
public:
    LabelAccessible(QLabel* label, const ControlSpec& row)
        : QAccessibleWidget(label)
        , m_texts(textsOf(row))
        , m_kind(row.kind)
        , m_focusable(row.style & TabStop || row.kind == Kind::MenuTab)
    { }

    QAccessible::Role role() const override
    {
        if (form()->IsPressable(widget()))
            return m_kind == Kind::MenuTab ? QAccessible::PageTab : QAccessible::Button;
        return m_kind == Kind::Image ? QAccessible::Graphic : QAccessible::StaticText;
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Description && !m_texts.description.isEmpty())
            return m_texts.description;
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

    // A button under a page or another control is out of the pen's reach and out of sight.
    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        // The keys reach it, though it keeps no focus policy of its own (see WireKeys).
        state.focusable = m_focusable;
        if (!state.invisible && form()->IsPressable(widget()) && !Reachable(widget())) {
            state.invisible = true;
            state.offscreen = true;
        }
        return state;
    }

    QStringList actionNames() const override
    {
        const QStringList own = QAccessibleWidget::actionNames();
        return form()->IsPressable(widget()) ? QStringList(pressAction()) + own : own;
    }

    // Answered at once: the click, and any message box it opens, runs after the caller has
    // its answer, so a screen reader never waits on an open box. Queued on the label, the
    // call goes with it should the label go first.
    void doAction(const QString& action) override
    {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        auto* label = static_cast<QLabel*>(widget());
        QMetaObject::invokeMethod(
            label, [window = form(), label] { window->PressByBus(label); }, Qt::QueuedConnection);
    }

private:
    frmMain* form() const { return static_cast<frmMain*>(widget()->parentWidget()); }

    AccessibleTexts m_texts;
    Kind m_kind;
    bool m_focusable;
};

// An entry of a menu list, pressed as a click on it chooses it.
class frmMain::MenuEntry : public QAccessibleInterface, public QAccessibleActionInterface
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
        return kind == QAccessible::Name ? list()->item(m_row)->text() : QString();
    }

    QRect rect() const override
    {
        const QRect item = list()->visualItemRect(list()->item(m_row));
        return QRect(list()->viewport()->mapToGlobal(item.topLeft()), item.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        state.invisible = !Reachable(list());
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
        // Answered at once, as a label's press is.
        QMetaObject::invokeMethod(
            list(),
            [window = static_cast<frmMain*>(list()->parentWidget()), list = list(), row = m_row] {
                window->ChooseByBus(list, row);
            },
            Qt::QueuedConnection);
    }

private:
    QListWidget* list() const { return static_cast<QListWidget*>(m_list->object()); }

    QAccessibleInterface* m_list;
    int m_row;
};

// A menu list, read as a menu whose entries can be pressed.
class frmMain::MenuList : public QAccessibleWidget
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

private:
    mutable std::vector<QAccessible::Id> m_entries;
};

// Asked only when a screen reader or a tool reads a control, so starting costs nothing.
QAccessibleInterface* frmMain::AccessibleFor(const QString&, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget || !qobject_cast<frmMain*>(widget->parentWidget()))
        return nullptr;
    if (auto* list = qobject_cast<QListWidget*>(widget))
        return new MenuList(list);
    auto* label = qobject_cast<QLabel*>(widget);
    const ControlSpec* row = label ? findControlSpec(label->objectName().toStdString()) : nullptr;
    return row ? new LabelAccessible(label, *row) : nullptr;
}

void frmMain::InstallAccessibility()
{
    static const bool installed = (QAccessible::installFactory(&frmMain::AccessibleFor), true);
    Q_UNUSED(installed);
}

// The inputs keep Qt's own accessible interfaces, which read their names from the widgets.
void frmMain::NameInputs()
{
    for (const ControlSpec& row : inventory()) {
        if (row.kind == Kind::Label || row.kind == Kind::ActionButton || row.kind == Kind::MenuTab
            || row.kind == Kind::ClickArea || row.kind == Kind::Image || row.kind == Kind::Timer)
            continue;
        const AccessibleTexts texts = textsOf(row);
        if (row.kind == Kind::OptionArray) {
            for (int i = 0; i < kOptionButtons; ++i)
                optReport[std::size_t(i)]->setAccessibleName(
                    QStringLiteral("%1 %2").arg(texts.name).arg(i + 1));
            continue;
        }
        auto* widget
            = findChild<QWidget*>(QString::fromUtf8(row.name.data(), qsizetype(row.name.size())),
                                  Qt::FindDirectChildrenOnly);
        widget->setAccessibleName(texts.name);
        // Some platforms read a drop-down list by its chosen entry; its field then
        // goes in the description.
        const bool dropDown = row.kind == Kind::ComboBox || row.kind == Kind::ChoiceList;
        if (!texts.description.isEmpty() || dropDown)
            widget->setAccessibleDescription(texts.description.isEmpty() ? texts.name
                                                                         : texts.description);
    }
}

QString frmMain::MeterName(qint16 index) const
{
    const ledger::CategoryRecord& record = Categories.at(std::size_t(index));
    return QStringLiteral("%1, $%2 available of $%3")
        .arg(QString::fromStdString(record.Name),
             QString::fromStdString(ledger::amountText(record.Available)),
             QString::fromStdString(ledger::amountText(record.Budget)));
}

// A meter's tool tip and what a screen reader calls it change together.
void frmMain::SetMeterToolTip(QLabel* image, qint16 index)
{
    image->setToolTip(MeterToolTip(index));
    image->setAccessibleName(MeterName(index));
}

// What a click on a menu list's entry does, for the press action of the accessibility bus.
void frmMain::ChooseByBus(QListWidget* list, int row)
{
    if (QApplication::activeModalWidget() || !Reachable(list))
        return;
    list->setCurrentRow(row);
    RunHandler(ChoiceHandler(list), list);
}

// What a click does, for the press action of the accessibility bus. A pen cannot reach
// the window while a message box is open, nor a control that something covers.
void frmMain::PressByBus(QLabel* label)
{
    if (QApplication::activeModalWidget() || !Reachable(label))
        return;
    PressLabel(label);
    ReleaseLabel(label, true);
}
