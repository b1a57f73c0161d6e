#include "frmMain.h"
#include "inventory.h"

#include <QLabel>
#include <QListWidget>

void frmMain::lstHelp_Click()
{
    lstHelp->setVisible(false);
    lblHelp->setFrameStyle(QFrame::NoFrame);
    switch (lstHelp->currentRow()) {
    case 0:
        ShowFaqPage1();
        break;
    case 1:
        ClearStrayControls();
        HideStatusPage();
        HideRecentPage();
        HideSetupPage();
        HideTransferPage();
        ShowScreen(Screen::About);
        lblAboutOK->setVisible(true);
        // Not pressable while the About page covers the strip.
        lblHelp->setVisible(false);
        break;
    default:
        break;
    }
}

void frmMain::ShowFaqPage1()
{
    ShowFaqPage(Screen::HelpPage1);
}

void frmMain::ShowFaqPage2()
{
    ShowFaqPage(Screen::HelpPage2);
}

void frmMain::ShowFaqPage(Screen page)
{
    ClearStrayControls();
    HideStatusPage();
    HideRecentPage();
    HideTransferPage();
    HideSetupPage();
    ShowScreen(page);
}

void frmMain::lblAboutOK_Click()
{
    EndAboutScreen();
}

void frmMain::lstReports_Click()
{
    lstReports->setVisible(false);
    lblReports->setFrameStyle(QFrame::NoFrame);
    ShowNotFunctional();
    ShowTitleBar();
    ClearStrayControls();
    HideStatusPage();
    HideRecentPage();
    HideEditPage();
    HideSetupPage();
    HideTransferPage();
}
