#pragma once

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTimer;
class ReportBox;

inline constexpr int kOptionButtons = 11;

// Every control of the window, by the name the handlers use. Filled from the
// inventory table; the widgets are owned by the window.
struct Controls
{
    QComboBox* cboCateName = nullptr;
    QLineEdit* txtAlertAmount = nullptr;
    QLineEdit* txtBudgetAmount = nullptr;
    QComboBox* cboCategory = nullptr;
    QComboBox* cboInterval = nullptr;
    QLineEdit* txtTotal = nullptr;
    QLineEdit* txtTransAmount = nullptr;
    QComboBox* cboTransTo = nullptr;
    QComboBox* cboTransFrom = nullptr;
    QListWidget* lstSetup = nullptr;
    QListWidget* lstReports = nullptr;
    QListWidget* lstHelp = nullptr;
    std::array<QRadioButton*, kOptionButtons> optReport {};
    ReportBox* picReport = nullptr;
    QComboBox* cboPayment = nullptr;
    QLineEdit* txtDescription = nullptr;
    QLineEdit* txtAmount = nullptr;
    QLineEdit* txtDate = nullptr;
    QTimer* tim1 = nullptr;
    QLabel* lblBudget = nullptr;
    QLabel* lblSetupEdit = nullptr;
    QLabel* lblSetupReset = nullptr;
    QLabel* lblSetupCancel = nullptr;
    QLabel* lblTransDone = nullptr;
    QLabel* lblTransReset = nullptr;
    QLabel* lblTransCancel = nullptr;
    QLabel* lblEditNumber = nullptr;
    QLabel* lblEditDone = nullptr;
    QLabel* lblEditReset = nullptr;
    QLabel* lblEditCancel = nullptr;
    QLabel* lblSetup = nullptr;
    QLabel* lblReports = nullptr;
    QLabel* lblCategories = nullptr;
    QLabel* lblHelp = nullptr;
    QLabel* lblReportDelete = nullptr;
    QLabel* lblReportEdit = nullptr;
    QLabel* lblReportReset = nullptr;
    QLabel* imgReport = nullptr;
    QLabel* lblArrowDown = nullptr;
    QLabel* lblArrowUp = nullptr;
    QLabel* lblReportDone = nullptr;
    QLabel* lblReportBack = nullptr;
    QLabel* lblCategory = nullptr;
    QLabel* lblBudgeted = nullptr;
    QLabel* lblAvailable = nullptr;
    QLabel* lblAboutOK = nullptr;
    QLabel* imgFront = nullptr;
    QLabel* lblClothing = nullptr;
    QLabel* lblTelephone = nullptr;
    QLabel* lblRent = nullptr;
    QLabel* lblEntertainment = nullptr;
    QLabel* lblSchool = nullptr;
    QLabel* lblGas = nullptr;
    QLabel* lblElectricity = nullptr;
    QLabel* lblParking = nullptr;
    QLabel* lblFood = nullptr;
    QLabel* imgRent = nullptr;
    QLabel* imgTelephone = nullptr;
    QLabel* imgClothing = nullptr;
    QLabel* imgGas = nullptr;
    QLabel* imgSchool = nullptr;
    QLabel* imgEntertainment = nullptr;
    QLabel* imgElectricity = nullptr;
    QLabel* imgParking = nullptr;
    QLabel* imgFood = nullptr;
    QLabel* imgAllCategory = nullptr;
    QLabel* lblNotes = nullptr;
    QLabel* lblTasks = nullptr;
    QLabel* lblContacts = nullptr;
    QLabel* lblCalendar = nullptr;
    QLabel* lblScrollDown = nullptr;
    QLabel* lblScrollUp = nullptr;
    QLabel* lblFind = nullptr;
    QLabel* lblCalculator = nullptr;
    QLabel* lblMenuButton = nullptr;
    QLabel* lblApplications = nullptr;
    QLabel* lblPowerButton = nullptr;
    QLabel* imgOstrel = nullptr;
};
