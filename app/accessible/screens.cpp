#include "accessible_p.h"
#include "frmMain.h"
#include "help_text.h"

#include <QHash>
#include <QLabel>

namespace accessible {

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

} // namespace accessible
