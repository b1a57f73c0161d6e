#include "frmMain.h"
#include "inventory.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

void frmMain::lstSetup_Click()
{
    lstSetup->setVisible(false);
    lblSetup->setFrameStyle(QFrame::NoFrame);
    ShowTitleBar();
    HideTransferPage();
    switch (lstSetup->currentRow()) {
    case 0:
        ShowSetupPage();
        break;
    case 1:
        ShowTransferPage();
        break;
    default:
        break;
    }
}

void frmMain::ShowSetupPage()
{
    ClearStrayControls();
    HideStatusPage();
    HideRecentPage();
    HideTransferPage();
    ShowScreen(Screen::Setup);
    // Filled before shown, as on the status page.
    txtTotal->clear();
    txtTotal->setVisible(true);
    // The combo boxes keep what was chosen or typed when the page was last open.
    cboInterval->setVisible(true);
    cboCateName->setVisible(true);
    cboCategory->setVisible(true);
    txtBudgetAmount->clear();
    txtBudgetAmount->setVisible(true);
    txtAlertAmount->clear();
    txtAlertAmount->setVisible(true);
    lblBudget->setVisible(true);
    lblBudget->clear();
    ShowReleased({lblSetupCancel, lblSetupReset, lblSetupEdit});
}

// The form stores nothing: Edit closes it exactly as Cancel does.
void frmMain::lblSetupEdit_Click()
{
    HideSetupPage();
}

void frmMain::lblSetupCancel_Click()
{
    HideSetupPage();
}

void frmMain::lblSetupReset_Click()
{
    txtTotal->clear();
    cboInterval->setCurrentIndex(-1);
    cboCateName->setCurrentIndex(-1);
    txtBudgetAmount->clear();
    txtAlertAmount->clear();
    cboCategory->setCurrentIndex(-1);
    lblBudget->clear();
}

void frmMain::ShowTransferPage()
{
    ClearStrayControls();
    HideStatusPage();
    HideRecentPage();
    HideSetupPage();
    ShowScreen(Screen::Transfer);
    txtTransAmount->clear();
    txtTransAmount->setVisible(true);
    // FROM and TO keep the last choice, or stay empty after Reset.
    cboTransFrom->setVisible(true);
    cboTransTo->setVisible(true);
    ShowReleased({lblTransCancel, lblTransReset, lblTransDone});
}

void frmMain::lblTransDone_Click()
{
    const QString typed = txtTransAmount->text();
    const std::optional<ledger::Money> amount = ReadAmount(txtTransAmount);
    if (!amount)
        return;
    if (cboTransFrom->currentIndex() < 0) {
        MsgBox(QStringLiteral("Please choose the category FROM."));
        cboTransFrom->setFocus();
        return;
    }
    if (cboTransTo->currentIndex() < 0) {
        MsgBox(QStringLiteral("Please choose the category TO."));
        cboTransTo->setFocus();
        return;
    }
    const auto from = qint16(cboTransFrom->currentIndex());
    const auto to = qint16(cboTransTo->currentIndex());
    // Moving money to its own category would create it from nothing.
    if (from == to) {
        MsgBox(QStringLiteral("Please choose two different categories."));
        cboTransTo->setFocus();
        return;
    }

    ledger::CategoryRecord& source = Categories.at(std::size_t(from));
    ledger::CategoryRecord& target = Categories.at(std::size_t(to));
    const ledger::Money newFrom = ledger::Money::fromDouble(source.Available) - *amount;
    const ledger::Money newTo = ledger::Money::fromDouble(target.Available) + *amount;
    // Beyond this range an amount no longer survives being stored as a double.
    if (!newFrom.inRange() || !newTo.inRange()) {
        RefuseAmount(QStringLiteral("The amount is too large."), txtTransAmount);
        return;
    }
    if (newFrom < ledger::Money()) {
        MsgBox(QStringLiteral("Overdraft of category ") + QString::fromStdString(source.Name)
                   + QLatin1Char('!'),
               Seams::Buttons::Ok, QStringLiteral("Overdraft warning!!"));
        txtTransAmount->setFocus();
        return;
    }

    StoreAvailable(from, newFrom);
    if (newTo > ledger::Money::fromDouble(target.Budget))
        target.Budget = newTo.toDouble();
    StoreAvailable(to, newTo);
    MsgBox(QStringLiteral("Transfer $") + typed + QStringLiteral(" from category ")
               + QString::fromStdString(source.Name) + QStringLiteral(" to category ")
               + QString::fromStdString(target.Name) + QLatin1Char('.'),
           Seams::Buttons::Ok, QStringLiteral("Transfer confirmation"));
    RefreshCategoryIcon(from);
    RefreshCategoryIcon(to);
    HideTransferPage();
}

void frmMain::lblTransReset_Click()
{
    txtTransAmount->clear();
    cboTransFrom->setCurrentIndex(-1);
    cboTransTo->setCurrentIndex(-1);
}

void frmMain::lblTransCancel_Click()
{
    HideTransferPage();
}
