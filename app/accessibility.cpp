#include "frmMain.h"
#include "inventory.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLabel>
#include <QRadioButton>

namespace {

// The field a caption label shows the figure of ("Available"), as a property.
constexpr char kFigureField[] = "accessibleField";

// A label that shows a figure is read with its field, "Available: $217.12", whatever
// caption the handlers gave it last.
class FigureLabel : public QAccessibleWidget
{
public:
    explicit FigureLabel(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    { }

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        const QString field = widget()->property(kFigureField).toString();
        const QString figure = static_cast<const QLabel*>(widget())->text();
        return figure.isEmpty() ? field : field + QStringLiteral(": ") + figure;
    }
};

} // namespace

void frmMain::NameControls()
{
    for (const ControlSpec& row : inventory()) {
        const QStringList texts
            = QString::fromUtf8(row.accessible.data(), qsizetype(row.accessible.size()))
                  .split(QLatin1Char('|'));
        const QString name = texts.value(0);
        const QString description = texts.value(1);
        if (row.kind == Kind::OptionArray) {
            for (int i = 0; i < kOptionButtons; ++i)
                optReport[std::size_t(i)]->setAccessibleName(
                    QStringLiteral("%1 %2").arg(name).arg(i + 1));
            continue;
        }
        auto* widget
            = findChild<QWidget*>(QString::fromUtf8(row.name.data(), qsizetype(row.name.size())),
                                  Qt::FindDirectChildrenOnly);
        if (!widget)
            continue; // the timer
        if (row.kind == Kind::Label && !name.isEmpty()) {
            // Registered ahead of the first query, so it stands in for Qt's own.
            widget->setProperty(kFigureField, name);
            QAccessible::registerAccessibleInterface(new FigureLabel(static_cast<QLabel*>(widget)));
        } else if (!name.isEmpty()) {
            widget->setAccessibleName(name);
        }
        // Some platforms read a drop-down list by its chosen entry; its field then
        // goes in the description.
        const bool dropDown = row.kind == Kind::ComboBox || row.kind == Kind::ChoiceList;
        if (!description.isEmpty() || dropDown)
            widget->setAccessibleDescription(description.isEmpty() ? name : description);
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
