#include "accessibility.h"

#include "announcer_p.h"
#include "frmMain.h"
#include "inputs_p.h"
#include "reportbox.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

namespace accessible {

Texts textsOf(const ControlSpec& row)
{
    const QStringList texts = frmMain::textOf(row.accessible).split(QLatin1Char('|'));
    return {texts.value(0), texts.value(1)};
}

frmMain* windowOf(QWidget* widget)
{
    QWidget* control = frmMain::controlOf(widget);
    return control ? static_cast<frmMain*>(control->parentWidget()) : nullptr;
}

bool canAct(QWidget* widget)
{
    const frmMain* window = windowOf(widget);
    return window && window->canAct(frmMain::controlOf(widget));
}

} // namespace accessible

using namespace accessible;

static_assert(kPanels == 5, "a panel a group, as accessibility.h keeps them");

void Accessibility::install()
{
    static const bool installed = (QAccessible::installFactory(&interfaceFor),
                                   QAccessible::installUpdateHandler(&tellWhatShows), true);
    Q_UNUSED(installed);
}

Accessibility::Accessibility(frmMain* window)
    : QObject(window)
    , m_window(window)
    , m_announcer(new Announcer(window, this))
{
    nameInputs();
    for (qint16 category = 0; category < ledger::kCategoryCount; ++category)
        window->meter(category)->installEventFilter(this);
    window->findChild<QWidget*>(QStringLiteral("imgReport"))->installEventFilter(this);
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
            if (box->currentIndex() >= 0 && frmMain::controlOf(m_window->focusWidget()) == box)
                m_announcer->announce(box->currentText());
        });
    }
    nameRows();
}

Accessibility::~Accessibility()
{
    for (const QAccessible::Id id : m_panels) {
        if (id)
            QAccessible::deleteAccessibleInterface(id);
    }
}

QAccessibleInterface* Accessibility::panel(Group group) const
{
    QAccessible::Id& id = m_panels.at(std::size_t(group) - 1);
    if (!id)
        id = QAccessible::registerAccessibleInterface(new PanelAccessible(m_window, group));
    return QAccessible::accessibleInterface(id);
}

QAccessibleInterface* Accessibility::notice() const
{
    return m_announcer->notice();
}

void Accessibility::panelsRenamed() const
{
    for (const QAccessible::Id id : m_panels) {
        if (id) {
            QAccessibleEvent renamed(QAccessible::accessibleInterface(id),
                                     QAccessible::NameChanged);
            QAccessible::updateAccessibility(&renamed);
        }
    }
}

// The inputs are named by the captions drawn beside them.
void Accessibility::nameInputs()
{
    for (const ControlSpec& row : inventory()) {
        if (row.kind != Kind::TextBox && row.kind != Kind::ComboBox && row.kind != Kind::ChoiceList
            && row.kind != Kind::ListBox && row.kind != Kind::PictureBox)
            continue;
        auto* widget
            = m_window->findChild<QWidget*>(frmMain::textOf(row.name), Qt::FindDirectChildrenOnly);
        const Texts texts = textsOf(row);
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

// A meter is named by its category and the figures of its tool tip, "$217.12/$300".
bool Accessibility::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ToolTipChange)
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const QStringList figures = widget->toolTip().split(QLatin1Char('/'));
    const QString category = widget->objectName() == QLatin1String("imgReport")
        ? categoryName(m_window)
        : widget->objectName().mid(3);
    widget->setAccessibleName(
        QStringLiteral("%1, %2 available of %3").arg(category, figures.value(0), figures.value(1)));
    return false;
}
