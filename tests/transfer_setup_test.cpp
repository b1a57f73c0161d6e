#include "window_fixture.h"

#include <QEvent>

#include <tuple>

namespace {

// Logs which category icons got a new tool tip, in order.
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
            m_log << watched->objectName();
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
    // Done on the transfer page; an empty category name keeps that list's choice.
    void transfer(const QString& amount, const QString& from = {}, const QString& to = {})
    {
        if (!from.isEmpty())
            choose("cboTransFrom", from);
        if (!to.isEmpty())
            choose("cboTransTo", to);
        type("txtTransAmount", amount);
        click("lblTransDone");
    }
};

// A source may give all it has; a target's budget rises only when its new
// amount exceeds it; zero and negative amounts follow the same steps; the
// notice repeats the amount as typed while the ledger rounds it; the icons are
// refreshed after the notice, the source first.
TEST_F(TransferSetupTest, TransfersMoveMoneyAsWrittenAndRaiseOnlyAnExceededBudget)
{
    QStringList log;
    Seams::setMessageHandler([&](const Seams::Message& message) {
        messages.push_back(message);
        log << QStringLiteral("notice");
        return Answer::Ok;
    });
    ToolTipWatcher watcher(log);
    for (const QString& icon : kIcons)
        find(icon)->installEventFilter(&watcher);

    // Amount, FROM and TO ("" keeps the choice), then FROM and TO as stored.
    const std::tuple<const char*, const char*, const char*, const char*> moves[]
        = {{"217.12", "", "", "0/300 317.12/317.12"},
           {"50", "Gas", "Telephone", "16.21/100 150/150"},
           {"0.01", "", "", "16.2/100 150.01/150.01"},
           // Money moves backwards; the target may go below zero, the source keeps its budget.
           {"-50", "Electricity", "Food", "367.12/317.12 -50/300"},
           // Nothing moves, but a target over its budget has the budget raised.
           {"0", "Gas", "Electricity", "16.2/100 367.12/367.12"},
           {"+1.234560", "", "", "14.9654/100 368.3546/368.3546"}};
    for (const auto& [amount, from, to, after] : moves) {
        SCOPED_TRACE(amount);
        openSetup("Transfer Funds");
        EXPECT_EQ(text("txtTransAmount"), QString()) << "reopening empties only the amount";
        log.clear();
        transfer(amount, from, to);
        expectMessage(QStringLiteral("Transfer $%1 from category %2 to category %3.")
                          .arg(amount, text("cboTransFrom"), text("cboTransTo")),
                      "Transfer confirmation");
        const int source = combo("cboTransFrom")->currentIndex();
        const int target = combo("cboTransTo")->currentIndex();
        EXPECT_EQ(amounts(source) + " " + amounts(target), after);
        EXPECT_EQ(log, QStringList({"notice", kIcons[source], kIcons[target]}));
        for (int i : {source, target})
            EXPECT_EQ(label(kIcons[i])->toolTip(), "$" + amounts(i).replace("/", "/$"));
        EXPECT_EQ(onScreen(), "lblHelp");
    }
    EXPECT_EQ(iconLook(0), "meter0.jpg $-50/$300");
    EXPECT_EQ(iconLook(7), "meter8.jpg $150.01/$150.01");
}

TEST_F(TransferSetupTest, EachRefusalNamesItsFaultInOrderAndChangesNothing)
{
    openSetup("Transfer Funds");
    const QStringList before = ledgerState();
    transfer("217.13");
    expectMessage("Overdraft of category Food!", "Overdraft warning!!");
    EXPECT_EQ(focused(), find("txtTransAmount"));
    EXPECT_EQ(text("txtTransAmount"), "217.13");
    EXPECT_EQ(ledgerState(), before);
    EXPECT_EQ(onScreen(), kTransferPage);

    type("txtTransAmount", "12");
    click("lblTransReset");
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(text("txtTransAmount"), QString());
    EXPECT_EQ(combo("cboTransFrom")->currentIndex(), -1);
    EXPECT_EQ(combo("cboTransTo")->currentIndex(), -1);

    // After Reset: the amount first, then FROM, then TO, one message at a time.
    const std::tuple<const char*, const char*, const char*, const char*, const char*> steps[] = {
        {"", "", "", "Please enter an Amount.", "txtTransAmount"},
        {"5,00", "", "", "Please enter a number for amount.", "txtTransAmount"},
        {"5", "", "", "Please choose the category FROM.", "cboTransFrom"},
        {"5", "Gas", "", "Please choose the category TO.", "cboTransTo"},
        {"5", "", "Gas", "Please choose two different categories.", "cboTransTo"},
        // A result beyond what a stored amount can hold, on either side.
        {"99999999999.99", "", "School", "The amount is too large.", "txtTransAmount"},
        {"-99999999999.99", "", "", "The amount is too large.", "txtTransAmount"},
    };
    for (const auto& [amount, from, to, prompt, focus] : steps) {
        SCOPED_TRACE(prompt);
        const std::size_t shownBefore = messages.size();
        transfer(amount, from, to);
        EXPECT_EQ(messages.size(), shownBefore + 1);
        expectMessage(prompt);
        EXPECT_EQ(focused(), find(focus));
        EXPECT_EQ(ledgerState(), before);
        EXPECT_EQ(onScreen(), kTransferPage);
    }
    transfer("5");
    expectMessage("Transfer $5 from category Gas to category School.", "Transfer confirmation");
    EXPECT_EQ(amounts(3) + " " + amounts(5), "61.21/100 53/100");

    const QStringList after = ledgerState();
    openSetup("Transfer Funds");
    type("txtTransAmount", "7");
    click("lblTransCancel");
    EXPECT_EQ(onScreen(), "lblHelp");
    EXPECT_EQ(ledgerState(), after) << "Cancel moves nothing";
}

TEST_F(TransferSetupTest, SetupFormStoresNothingAndReopeningEmptiesOnlyItsTextBoxes)
{
    const auto form = [this] {
        QStringList texts;
        for (const char* name : {"txtTotal", "cboInterval", "cboCateName", "txtBudgetAmount",
                                 "txtAlertAmount", "cboCategory", "lblBudget"})
            texts << text(name);
        return texts.join("|");
    };
    const QStringList before = ledgerState();
    openSetup("Setup Budget");
    EXPECT_EQ(page(), "Setup.jpg");
    EXPECT_EQ(onScreen(), kSetupPage);
    EXPECT_EQ(label("lblSetup")->frameStyle(), int(QFrame::NoFrame));
    EXPECT_EQ(pictureOf("imgAllCategory"), "Title.jpg");
    EXPECT_EQ(form(), "||||||");

    type("txtTotal", "500");
    choose("cboInterval", "Monthly");
    choose("cboCateName", "Food");
    type("txtBudgetAmount", "999");
    type("txtAlertAmount", "50");
    type("cboCategory", "Pets");
    click("lblSetupEdit");
    EXPECT_EQ(onScreen(), "lblHelp");
    EXPECT_EQ(ledgerState(), before);

    openSetup("Setup Budget");
    EXPECT_EQ(form(), "|Monthly|Food|||Pets|");
    type("txtTotal", "7");
    click("lblSetupReset");
    EXPECT_EQ(form(), "||||||");
    for (const char* name : {"cboInterval", "cboCateName", "cboCategory"})
        EXPECT_EQ(combo(name)->currentIndex(), -1) << name;
    EXPECT_EQ(onScreen(), kSetupPage);

    click("lblSetupCancel");
    EXPECT_EQ(onScreen(), "lblHelp");
    EXPECT_EQ(ledgerState(), before);
    EXPECT_TRUE(messages.empty());
}
