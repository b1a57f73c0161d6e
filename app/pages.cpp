#include "frmMain.h"
#include "inventory.h"
#include "reportbox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

void hideAll(std::initializer_list<QWidget*> widgets)
{
    for (QWidget* widget : widgets)
        widget->setVisible(false);
}

bool shown(const QWidget* widget)
{
    return !widget->isHidden();
}

void setBorder(QLabel* tab, bool border)
{
    tab->setFrameStyle(border ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
}

struct PagePicture
{
    QString file;
    int topTwips = kPageTopTwips;
};

// Each page's picture, loaded by bare file name; the About page covers the top strip.
PagePicture pagePicture(Screen screen)
{
    switch (screen) {
    case Screen::Status:
        return {QStringLiteral("report1.jpg")};
    case Screen::Recent:
        return {QStringLiteral("report2.jpg")};
    case Screen::Edit:
        return {QStringLiteral("edit.jpg")};
    case Screen::Setup:
        return {QStringLiteral("Setup.jpg")};
    case Screen::Transfer:
        return {QStringLiteral("Transfer.jpg")};
    case Screen::HelpPage1:
        return {QStringLiteral("FAQ1.jpg")};
    case Screen::HelpPage2:
        return {QStringLiteral("FAQ2.jpg")};
    case Screen::About:
        return {QStringLiteral("about.jpg"), kAboutTopTwips};
    case Screen::StartAbout: // built in, shown once at start
    case Screen::Overview: // no page picture
        break;
    }
    return {};
}

} // namespace

void frmMain::imgAllCategory_Click()
{
    SetPicture(imgAllCategory, QStringLiteral("TopMenu.jpg"));
    hideAll({lblHelp, lstHelp});
    for (QLabel* tab : {lblCategories, lblReports, lblSetup})
        tab->setVisible(true);
}

void frmMain::lblMenuButton_Click()
{
    imgAllCategory_Click();
}

void frmMain::ShowTitleBar()
{
    SetPicture(imgAllCategory, QStringLiteral("Title.jpg"));
    for (QLabel* tab : {lblCategories, lblReports, lblSetup}) {
        tab->setVisible(false);
        setBorder(tab, false);
    }
    hideAll({lstReports, lstSetup});
    lblHelp->setVisible(true);
    setBorder(lblHelp, false);
    lstHelp->setVisible(false);
}

void frmMain::SelectCategory(qint16 index)
{
    CurrentCategory = index;
    ShowStatusPage(index);
    ShowTitleBar();
}

void frmMain::imgFood_Click()
{
    SelectCategory(0);
}
void frmMain::imgElectricity_Click()
{
    SelectCategory(1);
}
void frmMain::imgParking_Click()
{
    SelectCategory(2);
}
void frmMain::imgGas_Click()
{
    SelectCategory(3);
}
void frmMain::imgEntertainment_Click()
{
    SelectCategory(4);
}
void frmMain::imgSchool_Click()
{
    SelectCategory(5);
}
void frmMain::imgRent_Click()
{
    SelectCategory(6);
}
void frmMain::imgTelephone_Click()
{
    SelectCategory(7);
}
void frmMain::imgClothing_Click()
{
    SelectCategory(8);
}

void frmMain::ShowStatusPage(qint16 index)
{
    ClearStrayControls();
    const ledger::CategoryRecord& record = Categories.at(std::size_t(index));
    ShowScreen(Screen::Status);
    lblAvailable->setVisible(true);
    lblAvailable->setText(QStringLiteral("$")
                          + QString::fromStdString(ledger::amountText(record.Available)));
    lblBudgeted->setVisible(true);
    lblBudgeted->setText(QStringLiteral("$")
                         + QString::fromStdString(ledger::amountText(record.Budget)));
    // Each input is filled before it shows: a screen reader hears the field once, as the
    // keys arrive, not as its text is set.
    txtDate->setText(TodayText());
    txtDate->setVisible(true);
    txtAmount->clear();
    txtAmount->setVisible(true);
    lblCategory->setVisible(true);
    lblCategory->setText(QString::fromStdString(record.Name));
    txtDescription->clear();
    txtDescription->setVisible(true);
    cboPayment->setEditText(QString());
    cboPayment->setVisible(true);
    ShowReleased({lblReportBack, lblReportReset, lblReportDone});
    imgReport->setVisible(true);
    SetPicture(imgReport, MeterPicture(index));
    imgReport->setToolTip(MeterToolTip(index));
    CurrentCategory = index;
}

// The one place the screen on show changes: a page's picture covers the overview, or the
// cover goes and the overview shows.
void frmMain::ShowScreen(Screen screen)
{
    m_screen = screen;
    if (screen == Screen::Overview) {
        imgFront->setVisible(false);
        return;
    }
    const PagePicture page = pagePicture(screen);
    SetPicture(imgFront, page.file);
    imgFront->setVisible(true);
    imgFront->move(imgFront->x(), toPixels(page.topTwips));
}

// The cover goes whichever page it shows, then the page's own controls.
void frmMain::HidePage(Screen page)
{
    ShowScreen(Screen::Overview);
    for (QWidget* control : m_pageControls[std::size_t(page)])
        control->setVisible(false);
}

void frmMain::HideStatusPage()
{
    HidePage(Screen::Status);
}

void frmMain::HideRecentPage()
{
    HidePage(Screen::Recent);
}

void frmMain::HideSetupPage()
{
    HidePage(Screen::Setup);
}

void frmMain::HideTransferPage()
{
    HidePage(Screen::Transfer);
}

void frmMain::HideEditPage()
{
    HidePage(Screen::Edit);
}

// Called by every page opener: the About page's OK label and the edit page's
// controls are hidden by nothing else, and would float over the next screen.
void frmMain::ClearStrayControls()
{
    lblAboutOK->setVisible(false);
    // Only the About page takes the Help tab off the title bar, and it may have
    // lost its OK label already (released with another button), so look at the strip.
    if (!shown(lblCategories))
        lblHelp->setVisible(true);
    if (shown(lblEditDone))
        HideEditPage();
}

void frmMain::lblCategories_Click()
{
    setBorder(lblReports, false);
    hideAll({lstReports});
    setBorder(lblSetup, false);
    hideAll({lstSetup});
    ClearStrayControls();
    HideStatusPage();
    HideRecentPage();
    HideSetupPage();
    HideTransferPage();
    ShowTitleBar();
}

void frmMain::lblReports_Click()
{
    lstReports->setVisible(true);
    setBorder(lblReports, true);
    setBorder(lblSetup, false);
    hideAll({lstSetup});
}

void frmMain::lblSetup_Click()
{
    lstSetup->setVisible(true);
    setBorder(lblSetup, true);
    setBorder(lblReports, false);
    hideAll({lstReports});
}

void frmMain::lblHelp_Click()
{
    lstHelp->setVisible(true);
    setBorder(lblHelp, true);
}

void frmMain::lblReportBack_Click()
{
    const auto answer = MsgBox(QStringLiteral("Do you want to go back to the category page without "
                                              "saving the data you are editing now?"),
                               Seams::Buttons::YesNo, QStringLiteral("Go back to category page?"));
    if (answer == Seams::Answer::Yes)
        HideStatusPage();
}

// The arrows know the open page only by the markers: imgReport and lblAvailable
// for the status page, lblReportEdit for the list.
frmMain::Turn frmMain::arrowTurn(const QLabel* arrow) const
{
    const bool category = shown(lblAvailable) || shown(lblReportEdit);
    if (arrow == lblArrowDown)
        return shown(imgReport) ? Turn::RecentPage
            : category          ? Turn::Nothing
                                : Turn::SecondHelpPage;
    return !category ? Turn::FirstHelpPage : shown(imgReport) ? Turn::Nothing : Turn::StatusPage;
}

void frmMain::lblArrowDown_Click()
{
    switch (arrowTurn(lblArrowDown)) {
    case Turn::RecentPage:
        HideStatusPage();
        HideSetupPage();
        HideTransferPage();
        ShowRecentPage(CurrentCategory);
        break;
    case Turn::SecondHelpPage:
        ShowFaqPage2();
        break;
    default:
        break;
    }
}

void frmMain::lblArrowUp_Click()
{
    switch (arrowTurn(lblArrowUp)) {
    case Turn::FirstHelpPage:
        ShowFaqPage1();
        break;
    case Turn::StatusPage:
        HideRecentPage();
        HideSetupPage();
        HideTransferPage();
        ShowStatusPage(CurrentCategory);
        break;
    default:
        break;
    }
}

bool frmMain::showsText() const
{
    switch (m_screen) {
    case Screen::StartAbout:
    case Screen::About:
    case Screen::HelpPage1:
    case Screen::HelpPage2:
        return true;
    default:
        return false;
    }
}
