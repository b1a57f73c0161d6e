#include "frmMain.h"
#include "inventory.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QLabel>
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

const ControlSpec* rowOf(const QObject* control)
{
    // The option buttons share one row: "optReport(3)".
    const QString name = control->objectName().section(QLatin1Char('('), 0, 0);
    for (const ControlSpec& row : inventory()) {
        if (QLatin1String(row.name.data(), qsizetype(row.name.size())) == name)
            return &row;
    }
    return nullptr;
}

// A label read by the name and description its row gives it; the caption, or the name a
// meter gives itself after its figures, where the row has none.
class NamedLabel : public QAccessibleWidget
{
public:
    NamedLabel(QLabel* label, QAccessible::Role role, AccessibleTexts texts)
        : QAccessibleWidget(label, role)
        , m_texts(std::move(texts))
    { }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Description && !m_texts.description.isEmpty())
            return m_texts.description;
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        if (!widget()->accessibleName().isEmpty())
            return widget()->accessibleName();
        const QString caption = static_cast<const QLabel*>(widget())->text();
        // A label that shows a figure is read with its field, "Available: $217.12".
        if (role() == QAccessible::StaticText && !m_texts.name.isEmpty())
            return caption.isEmpty() ? m_texts.name : m_texts.name + QStringLiteral(": ") + caption;
        return m_texts.name.isEmpty() ? caption : m_texts.name;
    }

private:
    AccessibleTexts m_texts;
};

} // namespace

// A label the pen clicks, exposed as what it is for: a button (a page tab on the menu bar)
// whose press action does what a click does.
class frmMain::PressableLabel : public NamedLabel
{
public:
    using NamedLabel::NamedLabel;

    // A control under a page or another control is out of the pen's reach and out of sight.
    QAccessible::State state() const override
    {
        QAccessible::State state = NamedLabel::state();
        if (!state.invisible && !Reachable(widget())) {
            state.invisible = true;
            state.offscreen = true;
        }
        return state;
    }

    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + NamedLabel::actionNames();
    }

    // Answered at once: the click, and any message box it opens, runs after the caller has
    // its answer, so a screen reader never waits on an open box.
    void doAction(const QString& action) override
    {
        if (action != pressAction()) {
            NamedLabel::doAction(action);
            return;
        }
        auto* window = static_cast<frmMain*>(widget()->parentWidget());
        QMetaObject::invokeMethod(
            window,
            [window = QPointer(window), label = QPointer(static_cast<QLabel*>(widget()))] {
                if (window && label)
                    window->PressByBus(label);
            },
            Qt::QueuedConnection);
    }
};

// Asked only when a screen reader or a tool reads a control, so starting costs nothing.
QAccessibleInterface* frmMain::AccessibleFor(const QString&, QObject* object)
{
    auto* label = qobject_cast<QLabel*>(object);
    auto* window = label ? qobject_cast<frmMain*>(label->parentWidget()) : nullptr;
    const ControlSpec* row = window ? rowOf(label) : nullptr;
    if (!row)
        return nullptr;
    AccessibleTexts texts = textsOf(*row);
    if (window->IsPressable(label)) {
        const auto role = row->kind == Kind::MenuTab ? QAccessible::PageTab : QAccessible::Button;
        return new PressableLabel(label, role, std::move(texts));
    }
    if (texts.name.isEmpty() && texts.description.isEmpty())
        return nullptr; // a caption, read as Qt reads it
    const auto role = row->kind == Kind::Image ? QAccessible::Graphic : QAccessible::StaticText;
    return new NamedLabel(label, role, std::move(texts));
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

// What a click does, for the press action of the accessibility bus. A pen cannot reach
// the window while a message box is open, nor a control that something covers.
void frmMain::PressByBus(QLabel* label)
{
    if (QApplication::activeModalWidget() || !Reachable(label))
        return;
    PressLabel(label);
    ReleaseLabel(label, true);
}
