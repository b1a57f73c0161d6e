// PLACEHOLDER: replaced by the transactions work in progress.
#include "frmMain.h"

#include <QComboBox>
#include <QLineEdit>

void frmMain::txtDate_Change()
{
    DateText = txtDate->text();
}
void frmMain::txtAmount_Change()
{
    AmountText = txtAmount->text();
}
void frmMain::txtDescription_Change()
{
    DescriptionText = txtDescription->text();
}
void frmMain::cboPayment_Change()
{
    PaymentText = cboPayment->currentText();
}
void frmMain::cboPayment_Click()
{
    PaymentText = cboPayment->currentText();
}
void frmMain::optReport_Click(qint16 Index)
{
    SelectedLine = Index;
}
void frmMain::lblReportDone_Click()
{ }
void frmMain::lblReportReset_Click()
{ }
void frmMain::ResetTransactionInputs()
{ }
bool frmMain::ValidateAmount()
{
    return false;
}
bool frmMain::IsAmountAvailable(const QString&)
{
    return false;
}
void frmMain::ApplyPurchase(qint16&)
{ }
void frmMain::RefreshStatus(qint16)
{ }
bool frmMain::RefuseUnreadableTexts(QWidget*, QWidget*)
{
    return false;
}
void frmMain::StoreAvailable(qint16, ledger::Money)
{ }
void frmMain::ShowRecentPage(qint16&)
{ }
void frmMain::lblReportEdit_Click()
{ }
void frmMain::ShowEditPage(std::array<std::string, ledger::kLineSlots>&, qint16&)
{ }
void frmMain::lblEditDone_Click()
{ }
void frmMain::lblEditCancel_Click()
{ }
void frmMain::lblEditReset_Click()
{ }
void frmMain::lblReportDelete_Click()
{ }
void frmMain::DeleteTransaction(qint16&, std::array<std::string, ledger::kLineSlots>&)
{ }
std::optional<ledger::Money> frmMain::LineAmount(const std::string&) const
{
    return {};
}
