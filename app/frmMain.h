#pragma once

#include "controls.h"
#include "seams.h"

#include <QHash>
#include <QPointer>
#include <QSet>
#include <QWidget>

#include <category.h>
#include <money.h>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;

// The organiser window and the budget application inside its screen. One class
// holds the ledger, the form state and every handler; its source files are split
// by concern (controls, start-up, pages, transactions, transfer and setup, help
// and reports, organiser buttons, keyboard). What screen readers meet is a part of
// its own beside it (Accessibility).
class frmMain : public QWidget, private Controls
{
    Q_OBJECT

    using Handler = void (frmMain::*)();

public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Read-only views for tests and tools; only the handlers change them.
    const ledger::CategoryTable& categories() const { return Categories; }
    qint16 currentCategory() const { return CurrentCategory; }
    qint16 selectedLine() const { return SelectedLine; }
    QString dateText() const { return DateText; }
    QString amountText() const { return AmountText; }
    QString descriptionText() const { return DescriptionText; }
    QString paymentText() const { return PaymentText; }
    QString priorAmountText() const { return PriorAmountText; }

    // For what reaches the window beyond the pen (keys, screen readers): whether a pen could
    // act on the control now (shown, not covered, no message box open), and the pen's own
    // path for a press or a choice, which does nothing where a pen could not act.
    bool canAct(const QWidget* control) const;
    void press(QLabel* label);
    void choose(QListWidget* list, int row);
    bool isPressable(const QObject* object) const;
    // The same by the window's design, for whoever asks before the window is wired.
    static bool isPressable(std::string_view name);
    // Shown and not under another control: where a click could land on it.
    static bool reachable(const QWidget* control);
    // What a page arrow does on the screen now.
    enum class Turn { Nothing, StatusPage, RecentPage, FirstHelpPage, SecondHelpPage };
    Turn arrowTurn(const QLabel* arrow) const;
    // The page on the screen shows text to read: a help page or the About page.
    bool showsText() const;
    bool messageBoxOpen() const { return m_boxesOpen > 0; }

signals:
    // Around each message box: what the screen shows may change by its answer.
    void messageBoxOpening();
    void messageBoxAnswered();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // controls.cpp: building the widgets from the inventory and wiring the events
    void BuildControls();
    void WireEvents();
    static std::span<const std::pair<std::string_view, Handler>> Clicks();
    void SetPicture(QLabel* image, const QString& fileName);
    void ShowPagePicture(const QString& fileName, int topTwips);
    void ShowReleased(std::initializer_list<QLabel*> buttons);
    Seams::Answer MsgBox(const QString& prompt, Seams::Buttons buttons = Seams::Buttons::Ok,
                         const QString& title = {});
    QString TodayText() const;
    void PressLabel(QLabel* label);
    void ReleaseLabel(QLabel* label, bool click);
    void RunHandler(Handler handler, const QWidget* before);
    Handler ChoiceHandler(const QListWidget* list) const;

    // startup.cpp: load, seeding, meters, the start-up About screen, power
    void Form_Load();
    void SeedCategories();
    QString MeterPicture(qint16 index) const;
    QLabel* CategoryIcon(qint16 index) const;
    QString MeterToolTip(qint16 index) const;
    void RefreshCategoryIcon(qint16 index);
    void tim1_Timer();
    void EndAboutScreen();
    void lblPowerButton_Click();

    // pages.cpp: top strip, category icons, page groups, menu tabs, Back, arrows
    void imgAllCategory_Click();
    void lblMenuButton_Click();
    void ShowTitleBar();
    void SelectCategory(qint16 index);
    void imgFood_Click();
    void imgElectricity_Click();
    void imgParking_Click();
    void imgGas_Click();
    void imgEntertainment_Click();
    void imgSchool_Click();
    void imgRent_Click();
    void imgTelephone_Click();
    void imgClothing_Click();
    void ShowStatusPage(qint16 index);
    void HideStatusPage();
    void HideRecentPage();
    void HideSetupPage();
    void HideTransferPage();
    void HideEditPage();
    void ClearStrayControls();
    void lblCategories_Click();
    void lblReports_Click();
    void lblSetup_Click();
    void lblHelp_Click();
    void lblReportBack_Click();
    void lblArrowDown_Click();
    void lblArrowUp_Click();

    // transactions.cpp: the input mirrors, adding, the list, editing, deleting
    void txtDate_Change();
    void txtAmount_Change();
    void txtDescription_Change();
    void cboPayment_Change();
    void cboPayment_Click();
    void optReport_Click(qint16 Index);
    void lblReportDone_Click();
    void lblReportReset_Click();
    void ResetTransactionInputs();
    bool ValidateAmount();
    bool IsAmountAvailable(const QString& amount);
    std::optional<ledger::Money> ReadAmount(QLineEdit* box);
    void RefuseAmount(const QString& prompt, QLineEdit* box);
    bool RefuseUnreadableTexts();
    void ApplyPurchase(qint16& index);
    void RefreshStatus(qint16 index);
    void StoreAvailable(qint16 index, ledger::Money value);
    void ShowRecentPage(qint16& index);
    void lblReportEdit_Click();
    bool ShowEditPage(std::array<std::string, ledger::kLineSlots>& lines, qint16& line);
    void lblEditDone_Click();
    void lblEditCancel_Click();
    void lblEditReset_Click();
    void lblReportDelete_Click();
    void DeleteTransaction(qint16& line, std::array<std::string, ledger::kLineSlots>& lines);
    std::optional<ledger::Money> LineAmount(const std::string& line) const;

    // transfer_setup.cpp: the Setup menu, budget setup form, funds transfer
    void lstSetup_Click();
    void ShowSetupPage();
    void lblSetupEdit_Click();
    void lblSetupCancel_Click();
    void lblSetupReset_Click();
    void ShowTransferPage();
    void lblTransDone_Click();
    void lblTransReset_Click();
    void lblTransCancel_Click();

    // help_reports.cpp: the Help and Reports menus, FAQ and About pages
    void lstHelp_Click();
    void ShowFaqPage1();
    void ShowFaqPage2();
    void ShowFaqPage(const QString& fileName);
    void lblAboutOK_Click();
    void lstReports_Click();

    // organiser_buttons.cpp: the organiser's buttons and the pressed look
    void ShowNotFunctional();
    void lblCalendar_Click();
    void lblContacts_Click();
    void lblTasks_Click();
    void lblNotes_Click();
    void lblCalculator_Click();
    void lblFind_Click();
    void lblScrollUp_Click();
    void lblScrollDown_Click();
    void ShowPressed(QLabel* label);
    void ShowReleased(QLabel* label);
    void lblAboutOK_MouseUp();

    // keyboard.cpp: keys that reach the same handlers as the pen
    enum class AfterKey { Nothing, WorkStrip, OpenList };
    struct HeldKey
    {
        int key = 0;
        QLabel* label = nullptr;
        QListWidget* list = nullptr;
        AfterKey after = AfterKey::Nothing;
    };
    void WireKeys();
    bool KeyboardEvent(QObject* watched, QEvent* event);
    bool KeyPressed(QObject* receiver, const QKeyEvent& key);
    void KeyReleased();
    bool StripKey(QLabel* tab, const QKeyEvent& key);
    bool MeterKey(const QLabel* meter, const QKeyEvent& key);
    bool MenuListKey(QListWidget* list, const QKeyEvent& key);
    void HoldKey(const HeldKey& held);
    void WorkStrip(QLabel* tab);
    void MoveStripFocus(const QLabel* tab, int step);
    void RememberPageFocus();
    void LeaveStrip();
    void OpenMenuList(QLabel* tab);
    void CloseMenuList(QListWidget* list);
    QListWidget* MenuListOf(const QLabel* tab) const;
    QLabel* TabOf(const QObject* object) const;
    QWidget* OwnControl(QWidget* widget) const;
    std::vector<QWidget*> ScreenStops() const;
    bool IsStop(const QWidget* control) const;
    void KeepFocusOnScreen(const QWidget* before);
    void SetKeyboardMode(bool keyboard);
    void UpdateFocusRing();

    ledger::CategoryTable Categories;
    qint16 CurrentCategory = 0;
    qint16 SelectedLine = 0;
    QString DateText;
    QString AmountText;
    QString DescriptionText;
    QString PaymentText;
    QString PriorAmountText;

    QHash<const QObject*, Handler> m_clickHandlers;
    QSet<const QObject*> m_pressLook;
    QLabel* m_pressedLabel = nullptr;
    HeldKey m_heldKey;
    // Every control the keyboard stops at, in reading order; Tab skips those off the screen.
    std::vector<QWidget*> m_tabChain;
    // Where Escape on the menu bar gives the keys back to.
    QPointer<QWidget> m_focusBeforeStrip;
    QWidget* m_focusRing = nullptr;
    // The last input was a key, so the focus ring shows; a pen press hides it.
    bool m_keyboardMode = false;
    // Handlers running, counting those waiting for their message box to be answered.
    int m_handlerDepth = 0;
    int m_boxesOpen = 0;
    bool m_timerWaiting = false;
};
