#include "accessible_p.h"
#include "help_text.h"

#include <QHash>
#include <QLabel>

namespace accessible {

namespace {

// The panel that holds a screen's own controls: the status and edit pages share theirs.
constexpr Group panelOfScreen(Screen screen)
{
    switch (screen) {
    case Screen::Overview:
        return Group::Overview;
    case Screen::Status:
    case Screen::Edit:
        return Group::Form;
    case Screen::Recent:
        return Group::Recent;
    case Screen::Setup:
        return Group::Setup;
    case Screen::Transfer:
        return Group::Transfer;
    case Screen::StartAbout:
    case Screen::HelpPage1:
    case Screen::HelpPage2:
    case Screen::About:
        break;
    }
    return Group::None;
}

// A control of the frame stands on every screen and in no panel.
Group groupOf(const Screens& screens)
{
    if (screens.isEvery())
        return Group::None;
    for (int screen = 0; screen < kScreenCount; ++screen) {
        if (screens.contains(Screen(screen)))
            return panelOfScreen(Screen(screen));
    }
    return Group::None;
}

QString label(const frmMain* window, const char* name)
{
    return window->findChild<QLabel*>(QLatin1String(name))->text();
}

} // namespace

Group groupOf(const QWidget* control)
{
    static const QHash<QString, Group> groups = [] {
        QHash<QString, Group> all;
        for (const ControlSpec& row : inventory())
            all.insert(frmMain::textOf(row.name), groupOf(row.screens));
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
    switch (window->screen()) {
    case Screen::StartAbout:
    case Screen::About:
        return QString::fromUtf8(Artwork::kAbout.title);
    case Screen::Overview:
        return QStringLiteral("Category overview");
    case Screen::HelpPage1:
        return QStringLiteral("Help page 1 of 2");
    case Screen::HelpPage2:
        return QStringLiteral("Help page 2 of 2");
    // The status page is told with its figures.
    case Screen::Status:
        return QStringLiteral("Status of %1, %2 available of %3")
            .arg(categoryName(window), label(window, "lblAvailable"), label(window, "lblBudgeted"));
    case Screen::Recent:
        return QStringLiteral("Recent transactions of ") + categoryName(window);
    case Screen::Edit:
        return QStringLiteral("Editing transaction ") + label(window, "lblEditNumber");
    case Screen::Setup:
        return QStringLiteral("Budget setup");
    case Screen::Transfer:
        return QStringLiteral("Transfer funds");
    }
    return {};
}

QString pageText(const frmMain* window)
{
    QStringList lines;
    switch (window->screen()) {
    case Screen::HelpPage1:
    case Screen::HelpPage2:
        for (const Artwork::HelpEntry& entry :
             window->screen() == Screen::HelpPage1 ? Artwork::kHelpPage1 : Artwork::kHelpPage2)
            lines << QString::fromUtf8(entry.question) + QLatin1Char(' ')
                    + QString::fromUtf8(entry.answer);
        break;
    case Screen::StartAbout:
    case Screen::About:
        for (const char* line : {Artwork::kAbout.title, Artwork::kAbout.motto,
                                 Artwork::kAbout.version, Artwork::kAbout.footer})
            lines << QString::fromUtf8(line);
        break;
    default:
        break;
    }
    return lines.join(QLatin1Char('\n'));
}

QString groupName(const frmMain* window, Group group)
{
    switch (group) {
    case Group::Overview:
        return QStringLiteral("Category overview");
    case Group::Form:
        return panelOfScreen(window->screen()) == Group::Form ? screenName(window)
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
