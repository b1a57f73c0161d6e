#include "frmMain.h"
#include "inputs_p.h"
#include "reportbox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

namespace accessible {

namespace {

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

// A label's role is fixed by the window's design: Qt asks for it while the window is still
// being built, before its clicks are wired.
QAccessibleInterface* labelInterface(QLabel* label, const ControlSpec& row)
{
    if (row.name == "imgFront")
        return new InPanel<PageTextAccessible>(label, row);
    if (!frmMain::isPressable(row.name))
        return new InPanel<StaticTextAccessible>(label, row);
    if (row.kind == Kind::MenuTab)
        return new InPanel<PageTabAccessible>(label, row);
    if (row.name == "lblArrowUp" || row.name == "lblArrowDown")
        return new InPanel<ArrowAccessible>(label, row);
    return new InPanel<ButtonAccessible>(label, row);
}

} // namespace

QAccessibleInterface* interfaceFor(const QString&, QObject* object)
{
    if (auto* window = qobject_cast<frmMain*>(object)) {
        const Accessibility* own = accessibilityOf(window);
        return own ? new WindowAccessible(window, own) : nullptr;
    }
    auto* widget = qobject_cast<QWidget*>(object);
    // The list a drop-down list opens lies in a window of its own.
    if (auto* box = qobject_cast<QComboBox*>(frmMain::controlOf(widget));
        box && box->view() == widget)
        return new ChoiceListAccessible(box->view());
    if (!widget || !windowOf(widget) || widget->window() != windowOf(widget))
        return nullptr;
    if (auto* field = qobject_cast<QLineEdit*>(widget))
        return new InPanel<FieldAccessible>(field);
    if (frmMain::controlOf(widget) != widget)
        return nullptr;
    if (auto* list = qobject_cast<QListWidget*>(widget))
        return new MenuListAccessible(list);
    if (auto* box = qobject_cast<QComboBox*>(widget))
        return new InPanel<DropDownAccessible>(box);
    if (auto* option = qobject_cast<QRadioButton*>(widget))
        return new InPanel<OptionAccessible>(option);
    if (qobject_cast<ReportBox*>(widget))
        return new InPanel<QAccessibleWidget>(widget);
    auto* label = qobject_cast<QLabel*>(widget);
    const ControlSpec* row = label ? findControlSpec(label->objectName().toStdString()) : nullptr;
    return row ? labelInterface(label, *row) : nullptr;
}

} // namespace accessible
