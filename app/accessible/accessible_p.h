#pragma once

// The parts of what a screen reader meets, one class a role, and what they share. Only the
// files of this folder include it; the rest of the program knows Accessibility alone.

#include "frmMain.h"
#include "inventory.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

#include <string_view>
#include <vector>

class Accessibility;
class QAbstractItemView;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace accessible {

// factory.cpp: asked only when a screen reader or a tool reads a control.
QAccessibleInterface* interfaceFor(const QString& className, QObject* object);

// accessibility.cpp: what a screen reader calls a control and how it describes it, from its
// inventory row: "name" or "name|description".
struct Texts
{
    QString name;
    QString description;
};
Texts textsOf(const ControlSpec& row);

// The window that holds a widget, through its control (frmMain::controlOf).
frmMain* windowOf(QWidget* widget);
// Where a pen could act on it now: a screen reader acts there and nowhere else.
bool canAct(QWidget* widget);

// Answered at once: what the action sets off, a message box included, runs after the caller
// has its answer, so a screen reader never waits on an open box. Queued on the control, the
// call goes with it should the control go first.
template<typename Action> void later(QObject* control, Action action)
{
    QMetaObject::invokeMethod(control, action, Qt::QueuedConnection);
}

// screens.cpp: the groups a screen reader is told as panels, each the controls of one screen.
enum class Group { None, Overview, Form, Recent, Setup, Transfer };
inline constexpr int kPanels = 5;
Group groupOf(const QWidget* control);
QString categoryName(const frmMain* window);
// What the screen shows, as a screen reader announces it.
QString screenName(const frmMain* window);
// What a sighted user reads on the page picture: the help, a question and its answer a line,
// or the About lines.
QString pageText(const frmMain* window);
QString groupName(const frmMain* window, Group group);

// panels.cpp: the window's own layer, and the panel a control is read in, if any.
Accessibility* accessibilityOf(const QWidget* window);
QAccessibleInterface* panelOf(const QWidget* control);

// text.cpp: text as a screen reader reads it; what cannot be selected or placed reads as
// nothing.
class ReadableText : public QAccessibleTextInterface
{
public:
    virtual QString whole() const = 0;

    void selection(int, int* startOffset, int* endOffset) const override;
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override { }
    void removeSelection(int) override { }
    void setSelection(int, int, int) override { }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override { }
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override { return int(whole().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override { }
    QString attributes(int, int* startOffset, int* endOffset) const override;
};

// buttons.cpp: a label as a screen reader meets it, named and described by its row.
class LabelAccessible : public QAccessibleWidget
{
public:
    LabelAccessible(QLabel* label, const ControlSpec& row);

    QString text(QAccessible::Text kind) const override;
    QRect rect() const override;
    QAccessible::State state() const override;
    void doAction(const QString& action) override;

protected:
    QLabel* label() const;
    frmMain* form() const;

    Texts m_texts;
    Kind m_kind;
    bool m_focusable;
};

// text.cpp: a caption, a figure or a picture nothing answers.
class StaticTextAccessible : public LabelAccessible
{
public:
    using LabelAccessible::LabelAccessible;
    QAccessible::Role role() const override;
};

// A label the pen clicks is what it is for: a button whose press does what a click does.
class ButtonAccessible : public LabelAccessible
{
public:
    using LabelAccessible::LabelAccessible;
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& action) override;
};

// A label of the menu bar, pressed to open its menu.
class PageTabAccessible : public ButtonAccessible
{
public:
    using ButtonAccessible::ButtonAccessible;
    QAccessible::Role role() const override { return QAccessible::PageTab; }
};

// A page arrow, named by where it turns on this screen and unavailable where it does nothing.
class ArrowAccessible : public ButtonAccessible
{
public:
    using ButtonAccessible::ButtonAccessible;
    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;

private:
    bool idle() const;
};

// text.cpp: the page picture of a help or the About page, read as the page's text: an object
// of its own for each page, so that the keys landing on a new page always arrive somewhere new
// and a screen reader never takes them for old news.
class PageTextAccessible : public LabelAccessible, public ReadableText
{
public:
    PageTextAccessible(QLabel* label, const ControlSpec& row);
    Screen page() const { return m_page; }

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::Role role() const override { return QAccessible::Paragraph; }
    QString text(QAccessible::Text kind) const override;
    using ReadableText::text; // the text between two offsets, beside the node's texts
    QAccessible::State state() const override;
    QString whole() const override;

private:
    Screen m_page;
};
// Makes the page picture's object anew where it was made for another page.
void renewPageText(QLabel* front);

// panels.cpp: the controls of one screen as a panel; a screen reader names the screen as the
// keys enter it.
class PanelAccessible : public QAccessibleInterface
{
public:
    PanelAccessible(frmMain* window, Group group);

    bool isValid() const override { return m_window; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    int childCount() const override { return int(members().size()); }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessible::Role role() const override { return QAccessible::Grouping; }
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text, const QString&) override { }
    QRect rect() const override;
    QAccessible::State state() const override;

private:
    QList<QWidget*> members() const;

    QPointer<frmMain> m_window;
    Group m_group;
};

// The window: the controls outside the screens' panels, the panels, and its notice.
class WindowAccessible : public QAccessibleWidget
{
public:
    WindowAccessible(frmMain* window, const Accessibility* own);

    int childCount() const override { return int(children().size()); }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

private:
    QList<QAccessibleInterface*> children() const;

    const Accessibility* m_own;
};

} // namespace accessible
