#include "frmMain.h"

#include <QLabel>

void frmMain::ShowNotFunctional()
{
    MsgBox(QStringLiteral("This feature is not functional."));
}

void frmMain::lblCalendar_Click()
{
    ShowNotFunctional();
}
void frmMain::lblContacts_Click()
{
    ShowNotFunctional();
}
void frmMain::lblTasks_Click()
{
    ShowNotFunctional();
}
void frmMain::lblNotes_Click()
{
    ShowNotFunctional();
}
void frmMain::lblCalculator_Click()
{
    ShowNotFunctional();
}
void frmMain::lblFind_Click()
{
    ShowNotFunctional();
}

void frmMain::lblScrollUp_Click()
{
    lblArrowUp_Click();
}

void frmMain::lblScrollDown_Click()
{
    lblArrowDown_Click();
}

// The pressed look of the label buttons: purple with white text while held. The text
// takes its own colour role, so the border keeps the window-text colour it was drawn in.
void frmMain::ShowPressed(QLabel* label)
{
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::BrightText, QColor(255, 255, 255));
    palette.setColor(QPalette::Window, QColor(110, 0, 170));
    label->setPalette(palette);
    label->setForegroundRole(QPalette::BrightText);
}

// Released: transparent with black text. The purple stays stored but unseen.
void frmMain::ShowReleased(QLabel* label)
{
    label->setAutoFillBackground(false);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 0));
    label->setPalette(palette);
    label->setForegroundRole(QPalette::WindowText);
}

void frmMain::lblAboutOK_MouseUp()
{
    lblAboutOK->setVisible(false);
}
