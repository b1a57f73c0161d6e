#pragma once

#include "controls.h"
#include "screen.h"
#include "seams.h"

#include <QHash>
#include <QSet>
#include <QWidget>

#include <array>
#include <category.h>
#include <money.h>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

class Keys;
class QLabel;
class QLineEdit;
class QListWidget;

// The organiser window and the budget application inside its screen. One class
// holds the ledger, the form state and every handler; its source files are split
// by concern (controls, start-up, pages, transactions, transfer and setup, help
// and reports, organiser buttons). The keys (Keys) and what screen readers meet
// (Accessibility) are parts of their own beside it, reaching it through its public face.
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
    Screen screen() const { return m_screen; }
    // The category's icon on the overview; nothing for an index out of range.
    QLabel* meter(qint16 category) const { return CategoryIcon(category); }
    // A key held on a label button and let go: the pressed look while held, then the released
    // look, and the click if asked and a pen could act on the label.
    void hold(QLabel* label);
    void letGo(QLabel* label, bool click);
    // Whether the keys' moves wait: a handler is running, or waits for its box's answer.
    bool handlerRunning() const { return m_handlerDepth > 0; }
    // The window's own control that holds a widget: a drop-down list for its entry field.
    static QWidget* controlOf(QWidget* widget);
    // A text of the window's design as the widgets take it.
    static QString textOf(std::string_view text);

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
    void ShowScreen(Screen screen);
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
    void HidePage(Screen page);
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
    void ShowFaqPage(Screen page);
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
    Screen m_screen = Screen::StartAbout;
    // Each page's own controls, which its hide procedure takes off the screen.
    std::array<std::vector<QWidget*>, kScreenCount> m_pageControls;
    Keys* m_keys = nullptr;
    // Handlers running, counting those waiting for their message box to be answered.
    int m_handlerDepth = 0;
    int m_boxesOpen = 0;
    bool m_timerWaiting = false;
};
