#include "window_fixture.h"

#include <QEvent>

#include <utility>

namespace {

enum Category { Food, Electricity, Parking, Gas, Entertainment, School, Rent, Telephone, Clothing };

const QString kAppTitle = QStringLiteral("Ostrel");

const char* const kTransferControls[] = {"txtTransAmount", "cboTransFrom",  "cboTransTo",
                                         "lblTransCancel", "lblTransReset", "lblTransDone"};
const char* const kSetupControls[]
    = {"txtTotal",       "cboInterval", "cboCateName",    "cboCategory",   "txtBudgetAmount",
       "txtAlertAmount", "lblBudget",   "lblSetupCancel", "lblSetupReset", "lblSetupEdit"};

// Records, in order, which category icons got a new tool tip.
class ToolTipWatcher : public QObject
{
public:
    explicit ToolTipWatcher(QStringList& log)
        : m_log(log)
    { }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::ToolTipChange)
            m_log.append(watched->objectName());
        return false;
    }

private:
    QStringList& m_log;
};

} // namespace

class TransferSetupTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        endAbout();
    }

    void openSetupMenu(const QString& entry)
    {
        click(QStringLiteral("lblMenuButton"));
        click(QStringLiteral("lblSetup"));
        pick(QStringLiteral("lstSetup"), entry);
    }
    void openTransfer() { openSetupMenu(QStringLiteral("Transfer Funds")); }

    // Done on the transfer page; an empty category name keeps that list's choice.
    void transfer(const QString& amount, const QString& from = {}, const QString& to = {})
    {
        if (!from.isEmpty())
            choose(QStringLiteral("cboTransFrom"), from);
        if (!to.isEmpty())
            choose(QStringLiteral("cboTransTo"), to);
        type(QStringLiteral("txtTransAmount"), amount);
        click(QStringLiteral("lblTransDone"));
    }

    std::vector<std::pair<double, double>> amounts() const
    {
        std::vector<std::pair<double, double>> result;
        for (int i = Food; i <= Clothing; ++i)
            result.emplace_back(record(i).Available, record(i).Budget);
        return result;
    }
    QStringList iconLooks() const
    {
        QStringList result;
        for (const QString& icon : kIcons)
            result << pictureOf(icon) + QLatin1Char(' ') + label(icon)->toolTip();
        return result;
    }
    QString toolTipOf(int category) const { return label(kIcons.at(category))->toolTip(); }
    bool transferPageOpen() const
    {
        for (const char* name : kTransferControls)
            if (!shown(QString::fromLatin1(name)))
                return false;
        return shown("imgFront") && pictureOf("imgFront") == QStringLiteral("Transfer.jpg");
    }
    bool anyShown(std::initializer_list<const char*> names) const
    {
        for (const char* name : names)
            if (shown(QString::fromLatin1(name)))
                return true;
        return false;
    }
};

TEST_F(TransferSetupTest, WholeAvailableMovesButOneCentMoreIsAnOverdraft)
{
    openTransfer();
    ASSERT_TRUE(transferPageOpen());
    EXPECT_EQ(combo("cboTransFrom")->currentText(), QStringLiteral("Food"));
    EXPECT_EQ(combo("cboTransTo")->currentText(), QStringLiteral("Electricity"));
    const auto before = amounts();
    const QStringList looksBefore = iconLooks();

    transfer(QStringLiteral("217.13"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(lastPrompt(), QStringLiteral("Overdraft of category Food!"));
    EXPECT_EQ(lastTitle(), QStringLiteral("Overdraft warning!!"));
    EXPECT_EQ(focused(), edit("txtTransAmount"));
    EXPECT_EQ(amounts(), before);
    EXPECT_EQ(iconLooks(), looksBefore);
    EXPECT_TRUE(transferPageOpen());
    EXPECT_EQ(edit("txtTransAmount")->text(), QStringLiteral("217.13"));

    transfer(QStringLiteral("217.12"));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(lastPrompt(),
              QStringLiteral("Transfer $217.12 from category Food to category Electricity."));
    EXPECT_EQ(lastTitle(), QStringLiteral("Transfer confirmation"));
    EXPECT_EQ(record(Food).Available, 0.0);
    EXPECT_EQ(record(Food).Budget, 300.0);
    // Electricity was full, so its budget follows its new available amount.
    EXPECT_EQ(record(Electricity).Available, 317.12);
    EXPECT_EQ(record(Electricity).Budget, 317.12);
    EXPECT_EQ(toolTipOf(Food), QStringLiteral("$0/$300"));
    EXPECT_EQ(pictureOf("imgFood"), QStringLiteral("meter0.jpg"));
    EXPECT_EQ(toolTipOf(Electricity), QStringLiteral("$317.12/$317.12"));
    EXPECT_FALSE(shown("imgFront"));
    EXPECT_FALSE(anyShown({"txtTransAmount", "cboTransFrom", "cboTransTo", "lblTransCancel",
                           "lblTransReset", "lblTransDone"}));
}

TEST_F(TransferSetupTest, TargetBudgetRisesOnlyWhenExceededAndReopeningKeepsTheChoices)
{
    openTransfer();
    // Telephone has $100 of $150: landing exactly on the budget leaves it alone.
    transfer(QStringLiteral("50"), QStringLiteral("Food"), QStringLiteral("Telephone"));
    EXPECT_EQ(lastTitle(), QStringLiteral("Transfer confirmation"));
    EXPECT_EQ(record(Telephone).Available, 150.0);
    EXPECT_EQ(record(Telephone).Budget, 150.0);
    EXPECT_EQ(record(Food).Available, 167.12);
    EXPECT_EQ(toolTipOf(Telephone), QStringLiteral("$150/$150"));
    EXPECT_FALSE(transferPageOpen());

    openTransfer();
    EXPECT_EQ(edit("txtTransAmount")->text(), QString());
    EXPECT_EQ(combo("cboTransFrom")->currentText(), QStringLiteral("Food"));
    EXPECT_EQ(combo("cboTransTo")->currentText(), QStringLiteral("Telephone"));

    transfer(QStringLiteral("0.01"));
    EXPECT_EQ(record(Telephone).Available, 150.01);
    EXPECT_EQ(record(Telephone).Budget, 150.01);
    EXPECT_EQ(record(Food).Available, 167.11);
    EXPECT_EQ(record(Food).Budget, 300.0);
    EXPECT_EQ(toolTipOf(Telephone), QStringLiteral("$150.01/$150.01"));
    EXPECT_EQ(toolTipOf(Food), QStringLiteral("$167.11/$300"));
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(TransferSetupTest, ZeroAndNegativeAmountsFollowTheStepsAsWritten)
{
    openTransfer();
    // A negative amount moves money backwards; the source keeps its budget.
    transfer(QStringLiteral("-50"), QStringLiteral("Electricity"), QStringLiteral("Food"));
    EXPECT_EQ(lastPrompt(),
              QStringLiteral("Transfer $-50 from category Electricity to category Food."));
    EXPECT_EQ(record(Electricity).Available, 150.0);
    EXPECT_EQ(record(Electricity).Budget, 100.0);
    EXPECT_EQ(record(Food).Available, 167.12);
    EXPECT_EQ(record(Food).Budget, 300.0);
    EXPECT_EQ(toolTipOf(Electricity), QStringLiteral("$150/$100"));

    // Nothing moves, but a target over its budget has the budget raised.
    openTransfer();
    transfer(QStringLiteral("0"), QStringLiteral("Food"), QStringLiteral("Electricity"));
    EXPECT_EQ(lastPrompt(),
              QStringLiteral("Transfer $0 from category Food to category Electricity."));
    EXPECT_EQ(record(Food).Available, 167.12);
    EXPECT_EQ(record(Electricity).Available, 150.0);
    EXPECT_EQ(record(Electricity).Budget, 150.0);
    EXPECT_EQ(toolTipOf(Electricity), QStringLiteral("$150/$150"));

    // Only the source is tested for an overdraft, so the target may go below zero.
    openTransfer();
    transfer(QStringLiteral("-20"), QStringLiteral("Parking"), QStringLiteral("Rent"));
    EXPECT_EQ(lastTitle(), QStringLiteral("Transfer confirmation"));
    EXPECT_EQ(record(Parking).Available, 46.0);
    EXPECT_EQ(record(Rent).Available, -20.0);
    EXPECT_EQ(record(Rent).Budget, 1000.0);
    EXPECT_EQ(messages.size(), 3u);
}

TEST_F(TransferSetupTest, AfterResetTheChecksReportOneAtATimeInOrderAndChangeNothing)
{
    openTransfer();
    const auto before = amounts();
    type(QStringLiteral("txtTransAmount"), QStringLiteral("12"));
    click(QStringLiteral("lblTransReset"));
    EXPECT_EQ(edit("txtTransAmount")->text(), QString());
    EXPECT_EQ(combo("cboTransFrom")->currentIndex(), -1);
    EXPECT_EQ(combo("cboTransTo")->currentIndex(), -1);
    EXPECT_TRUE(transferPageOpen());
    EXPECT_TRUE(messages.empty());

    struct Step
    {
        QString amount, from, to, prompt, focus;
    };
    const Step steps[] = {
        {{}, {}, {}, QStringLiteral("Please enter an Amount."), QStringLiteral("txtTransAmount")},
        {QStringLiteral("5,00"),
         {},
         {},
         QStringLiteral("Please enter a number for amount."),
         QStringLiteral("txtTransAmount")},
        {QStringLiteral("5"),
         {},
         {},
         QStringLiteral("Please choose the category FROM."),
         QStringLiteral("cboTransFrom")},
        {QStringLiteral("5"),
         QStringLiteral("Gas"),
         {},
         QStringLiteral("Please choose the category TO."),
         QStringLiteral("cboTransTo")},
        {QStringLiteral("5"),
         {},
         QStringLiteral("Gas"),
         QStringLiteral("Please choose two different categories."),
         QStringLiteral("cboTransTo")},
        // The result would leave what a stored amount can hold, on either side.
        {QStringLiteral("99999999999.99"),
         {},
         QStringLiteral("School"),
         QStringLiteral("The amount is too large."),
         QStringLiteral("txtTransAmount")},
        {QStringLiteral("-99999999999.99"),
         {},
         {},
         QStringLiteral("The amount is too large."),
         QStringLiteral("txtTransAmount")},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.prompt.toStdString());
        const std::size_t shownBefore = messages.size();
        if (step.amount.isEmpty())
            click(QStringLiteral("lblTransDone"));
        else
            transfer(step.amount, step.from, step.to);
        ASSERT_EQ(messages.size(), shownBefore + 1);
        EXPECT_EQ(lastPrompt(), step.prompt);
        EXPECT_EQ(lastTitle(), kAppTitle);
        EXPECT_EQ(focused(), find(step.focus));
        EXPECT_EQ(amounts(), before);
        EXPECT_TRUE(transferPageOpen());
    }

    transfer(QStringLiteral("5"));
    EXPECT_EQ(lastPrompt(), QStringLiteral("Transfer $5 from category Gas to category School."));
    EXPECT_EQ(record(Gas).Available, 61.21);
    EXPECT_EQ(record(School).Available, 53.0);
}

TEST_F(TransferSetupTest, NoticeRepeatsTheAmountAsTypedWhileTheLedgerRoundsIt)
{
    openTransfer();
    transfer(QStringLiteral("5.50"));
    EXPECT_EQ(lastPrompt(),
              QStringLiteral("Transfer $5.50 from category Food to category Electricity."));
    EXPECT_EQ(record(Food).Available, 211.62);
    EXPECT_EQ(toolTipOf(Food), QStringLiteral("$211.62/$300"));

    openTransfer();
    transfer(QStringLiteral("+1.23456"));
    EXPECT_EQ(lastPrompt(),
              QStringLiteral("Transfer $+1.23456 from category Food to category Electricity."));
    EXPECT_EQ(record(Food).Available, 210.3854);
    EXPECT_EQ(record(Electricity).Available, 106.7346);
    EXPECT_EQ(record(Electricity).Budget, 106.7346);
}

TEST_F(TransferSetupTest, IconsAreRefreshedAfterTheNoticeSourceFirst)
{
    QStringList log;
    Seams::setMessageHandler([&](const Seams::Message& message) {
        messages.push_back(message);
        log.append(QStringLiteral("notice"));
        return Answer::Ok;
    });
    ToolTipWatcher watcher(log);
    for (const QString& icon : kIcons)
        find(icon)->installEventFilter(&watcher);

    // The source comes after the target in index order, so an index-order refresh shows.
    openTransfer();
    transfer(QStringLiteral("10"), QStringLiteral("Telephone"), QStringLiteral("Food"));
    EXPECT_EQ(log,
              (QStringList {QStringLiteral("notice"), QStringLiteral("imgTelephone"),
                            QStringLiteral("imgFood")}));
    EXPECT_EQ(toolTipOf(Telephone), QStringLiteral("$90/$150"));
    EXPECT_EQ(toolTipOf(Food), QStringLiteral("$227.12/$300"));
    for (const QString& icon : kIcons)
        find(icon)->removeEventFilter(&watcher);
}

TEST_F(TransferSetupTest, SetupFormStoresNothingAndReopeningEmptiesOnlyItsTextBoxes)
{
    const auto before = amounts();
    const QStringList looksBefore = iconLooks();
    openSetupMenu(QStringLiteral("Setup Budget"));
    EXPECT_EQ(pictureOf("imgFront"), QStringLiteral("Setup.jpg"));
    EXPECT_FALSE(shown("lstSetup"));
    EXPECT_EQ(label("lblSetup")->frameStyle(), int(QFrame::NoFrame));
    EXPECT_EQ(pictureOf("imgAllCategory"), QStringLiteral("Title.jpg"));
    for (const char* name : kSetupControls)
        EXPECT_TRUE(shown(QString::fromLatin1(name))) << name;
    EXPECT_EQ(label("lblBudget")->text(), QString());

    type(QStringLiteral("txtTotal"), QStringLiteral("500"));
    choose(QStringLiteral("cboInterval"), QStringLiteral("Monthly"));
    choose(QStringLiteral("cboCateName"), QStringLiteral("Food"));
    type(QStringLiteral("txtBudgetAmount"), QStringLiteral("999"));
    type(QStringLiteral("txtAlertAmount"), QStringLiteral("50"));
    type(QStringLiteral("cboCategory"), QStringLiteral("Pets"));
    click(QStringLiteral("lblSetupEdit"));
    EXPECT_FALSE(shown("imgFront"));
    for (const char* name : kSetupControls)
        EXPECT_FALSE(shown(QString::fromLatin1(name))) << name;
    EXPECT_EQ(amounts(), before);
    EXPECT_EQ(iconLooks(), looksBefore);

    openSetupMenu(QStringLiteral("Setup Budget"));
    EXPECT_EQ(edit("txtTotal")->text(), QString());
    EXPECT_EQ(edit("txtBudgetAmount")->text(), QString());
    EXPECT_EQ(edit("txtAlertAmount")->text(), QString());
    EXPECT_EQ(combo("cboInterval")->currentText(), QStringLiteral("Monthly"));
    EXPECT_EQ(combo("cboCateName")->currentText(), QStringLiteral("Food"));
    EXPECT_EQ(combo("cboCategory")->currentText(), QStringLiteral("Pets"));

    type(QStringLiteral("txtTotal"), QStringLiteral("7"));
    click(QStringLiteral("lblSetupReset"));
    EXPECT_EQ(edit("txtTotal")->text(), QString());
    for (const char* name : {"cboInterval", "cboCateName", "cboCategory"}) {
        EXPECT_EQ(combo(QString::fromLatin1(name))->currentIndex(), -1) << name;
        EXPECT_EQ(combo(QString::fromLatin1(name))->currentText(), QString()) << name;
    }
    EXPECT_TRUE(shown("lblSetupEdit"));

    click(QStringLiteral("lblSetupCancel"));
    EXPECT_FALSE(anyShown({"imgFront", "txtTotal", "cboCategory", "lblBudget", "lblSetupReset"}));
    EXPECT_EQ(amounts(), before);
    EXPECT_TRUE(messages.empty());
}

TEST_F(TransferSetupTest, EachSetupEntryClosesTheOtherPage)
{
    openTransfer();
    type(QStringLiteral("txtTransAmount"), QStringLiteral("3"));
    openSetupMenu(QStringLiteral("Setup Budget"));
    EXPECT_EQ(pictureOf("imgFront"), QStringLiteral("Setup.jpg"));
    EXPECT_TRUE(shown("txtTotal"));
    for (const char* name : kTransferControls)
        EXPECT_FALSE(shown(QString::fromLatin1(name))) << name;

    openTransfer();
    EXPECT_TRUE(transferPageOpen());
    EXPECT_EQ(edit("txtTransAmount")->text(), QString());
    for (const char* name : kSetupControls)
        EXPECT_FALSE(shown(QString::fromLatin1(name))) << name;

    click(QStringLiteral("lblTransCancel"));
    EXPECT_FALSE(transferPageOpen());
    EXPECT_FALSE(shown("imgFront"));
    EXPECT_TRUE(messages.empty());
}

// Without the fixture's endAbout: the page opens over the start-up About screen.
TEST_F(WindowTest, TransferPageOpenedOverTheAboutScreenTakesItsOkAway)
{
    click(QStringLiteral("lblMenuButton"));
    click(QStringLiteral("lblSetup"));
    pick(QStringLiteral("lstSetup"), QStringLiteral("Transfer Funds"));
    EXPECT_FALSE(shown("lblAboutOK"));
    EXPECT_EQ(pictureOf("imgFront"), QStringLiteral("Transfer.jpg"));
    EXPECT_TRUE(shown("txtTransAmount"));
}

TEST_F(TransferSetupTest, BothPagesOpenOverTheEditPageAndTakeItAway)
{
    const std::pair<QString, QString> pages[] = {
        {QStringLiteral("Setup Budget"), QStringLiteral("Setup.jpg")},
        {QStringLiteral("Transfer Funds"), QStringLiteral("Transfer.jpg")},
    };
    for (const auto& [entry, picture] : pages) {
        SCOPED_TRACE(entry.toStdString());
        openStatus(Food);
        click(QStringLiteral("lblArrowDown"));
        click(QStringLiteral("optReport(2)"));
        click(QStringLiteral("lblReportEdit"));
        ASSERT_TRUE(shown("lblEditDone"));
        openSetupMenu(entry);
        EXPECT_FALSE(anyShown({"lblEditNumber", "lblEditDone", "lblEditReset", "lblEditCancel",
                               "txtDate", "txtAmount", "txtDescription", "cboPayment"}));
        EXPECT_EQ(pictureOf("imgFront"), picture);
        click(QStringLiteral("imgAllCategory"));
        click(QStringLiteral("lblCategories"));
    }
    EXPECT_EQ(record(Food).Lines[2], std::string("5/23/01, $13.26, Jewel, Food, Visa"));
}
