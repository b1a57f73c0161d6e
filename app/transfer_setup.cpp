// PLACEHOLDER: replaced by the transfer and setup work in progress.
#include "frmMain.h"

void frmMain::lstSetup_Click()
{ }
void frmMain::ShowSetupPage()
{ }
void frmMain::lblSetupEdit_Click()
{ }
void frmMain::lblSetupCancel_Click()
{ }
void frmMain::lblSetupReset_Click()
{ }
void frmMain::ShowTransferPage()
{ }
void frmMain::lblTransDone_Click()
{ }
void frmMain::lblTransReset_Click()
{ }
void frmMain::lblTransCancel_Click()
{ }
