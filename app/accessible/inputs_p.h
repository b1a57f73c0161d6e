#pragma once

// The interfaces of the inputs: fields, drop-down lists and the lists they open, option
// buttons and menu lists.

#include "accessible_p.h"

namespace accessible {

// fields.cpp: what Qt tells the desktop, but the text events of fields out of sight.
void tellWhatShows(QAccessibleEvent* event);

// A text box, its text readable and editable, its caret and selection the box's.
class FieldAccessible : public QAccessibleWidget,
                        public ReadableText,
                        public QAccessibleEditableTextInterface
{
public:
    explicit FieldAccessible(QLineEdit* field);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;
    using ReadableText::text; // the text between two offsets, beside the node's texts
    void setText(QAccessible::Text kind, const QString& text) override;
    QString whole() const override;
    void selection(int, int* startOffset, int* endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int) override;
    void setSelection(int, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint& point) const override;
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString& text) override;
    void replaceText(int startOffset, int endOffset, const QString& text) override;
    void doAction(const QString& action) override;

private:
    QLineEdit* field() const;
};

// A drop-down list: named by its field, its value the entry shown; its list opens only
// where a pen could open it.
class DropDownAccessible : public QAccessibleWidget, public ReadableText
{
public:
    explicit DropDownAccessible(QComboBox* box);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString whole() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text kind) const override;
    using ReadableText::text; // the text between two offsets, beside the node's texts
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    QComboBox* box() const;
};

// The rows of a list, each made as a reader first asks for it and kept until the list goes.
class Rows
{
public:
    Rows() = default;
    Rows(const Rows&) = delete;
    Rows& operator=(const Rows&) = delete;
    ~Rows();

    // The row's interface, made by make(index) the first time; nothing outside [0, count).
    template<typename Make> QAccessibleInterface* at(int index, int count, Make make)
    {
        if (index < 0 || index >= count)
            return nullptr;
        if (std::size_t(index) >= m_ids.size())
            m_ids.resize(std::size_t(index) + 1);
        QAccessible::Id& id = m_ids[std::size_t(index)];
        if (!id)
            id = QAccessible::registerAccessibleInterface(make(index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOf(const QAccessibleInterface* row, int count) const;

private:
    std::vector<QAccessible::Id> m_ids;
};

// A row of a list that has no widget of its own: no children, and its list's window.
class RowAccessible : public QAccessibleInterface
{
public:
    RowAccessible(QAccessibleInterface* list, int row)
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
    void setText(QAccessible::Text, const QString&) override { }

protected:
    QAccessibleInterface* m_list;
    int m_row;
};

// choices.cpp: the list a drop-down list opens, read as the list of its choices. It and they
// show only while it is open, each choice where the open list shows it.
class ChoiceListAccessible : public QAccessibleWidget
{
public:
    explicit ChoiceListAccessible(QAbstractItemView* view);

    QAccessibleInterface* parent() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* focusChild() const override;
    // Where a pen could reach it, the keys are already in it.
    QStringList actionNames() const override { return {}; }
    void doAction(const QString&) override { }
    QAbstractItemView* view() const;

private:
    mutable Rows m_choices;
};

class ChoiceAccessible : public RowAccessible
{
public:
    using RowAccessible::RowAccessible;

    bool isValid() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QString text(QAccessible::Text kind) const override;
    QRect rect() const override;
    QAccessible::State state() const override;

private:
    const QAbstractItemView* view() const
    {
        return static_cast<ChoiceListAccessible*>(m_list)->view();
    }
};

// options.cpp: an option button of the list, named by the row beside it; chosen as a click
// chooses it.
class OptionAccessible : public QAccessibleWidget
{
public:
    explicit OptionAccessible(QRadioButton* option);

    QAccessible::State state() const override;
    QString text(QAccessible::Text kind) const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;

private:
    QRadioButton* option() const;
};

// menu_lists.cpp: a menu list, read as a menu whose entries can be pressed.
class MenuListAccessible : public QAccessibleWidget
{
public:
    explicit MenuListAccessible(QListWidget* list);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* entry) const override;
    QAccessibleInterface* focusChild() const override;
    QStringList actionNames() const override { return {}; }
    void doAction(const QString&) override { }

private:
    mutable Rows m_entries;
};

} // namespace accessible
