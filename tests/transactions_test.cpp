#include "window_fixture.h"

#include <tuple>

namespace {

enum Category { Food, Electricity, Parking };

const QString kFoodPage = QStringLiteral("Food $217.12/$300 meter6.jpg $217.12/$300 12/5/26|||");
const QString kNoItemToEdit = QStringLiteral("Sorry, there is no item to edit.");
const QString kNoItemToDelete = QStringLiteral("Sorry, there is no item to delete.");
const QString kOverdraft = QStringLiteral("Overdraft after this modification!!");

class TransactionsTest : public WindowTest
{
protected:
    void openList(int category)
    {
        endAbout();
        openStatus(category);
        click("lblArrowDown");
    }
    void editLine(int line, const QString& input = {}, const QString& typed = {})
    {
        click(QStringLiteral("optReport(%1)").arg(line));
        click("lblReportEdit");
        if (!input.isEmpty()) {
            type(input, typed);
            click("lblEditDone");
        }
    }
    void deleteLine(int line, Answer answer)
    {
        click(QStringLiteral("optReport(%1)").arg(line));
        answerNext(answer);
        click("lblReportDelete");
    }
};

} // namespace

// The inputs and their mirrors follow typing and choosing; Reset and reopening
// refill them from the ledger; each refusal names its fault, focuses its input,
// stores nothing and resets the inputs.
TEST_F(TransactionsTest, EachRefusalNamesItsFaultFocusesItsInputAndStoresNothing)
{
    endAbout();
    openStatus(Food);
    EXPECT_EQ(page(), "report1.jpg");
    EXPECT_EQ(statusPage(), kFoodPage);
    const QStringList food = storedLines(Food);

    type("txtDate", "5/7/01");
    type("txtAmount", "5.5");
    type("txtDescription", "Pens");
    choose("cboPayment", "Credit Card");
    EXPECT_EQ(inputs(), "5/7/01|5.5|Pens|Credit Card");
    type("cboPayment", "Visa");
    EXPECT_EQ(inputs(), "5/7/01|5.5|Pens|Visa");
    click("lblReportReset");
    EXPECT_EQ(statusPage(), kFoodPage);
    type("txtAmount", "3");
    click("lblArrowDown");
    click("lblArrowUp");
    EXPECT_EQ(statusPage(), kFoodPage);
    EXPECT_TRUE(messages.empty());

    // Date, amount and description typed, then the prompt and the input it focuses.
    const std::tuple<const char*, const char*, const char*, const char*, const char*> refusals[]
        = {// clang-format off
        {"12/5/26", "", "Lunch", "Please enter an Amount.", "txtAmount"},
        {"12/5/26", " ", "Lunch", "Please enter a number for amount.", "txtAmount"},
        {"12/5/26", "5 dollars", "Lunch", "Please enter a number for amount.", "txtAmount"},
        {"12/5/26", "1,000", "Lunch", "Please enter a number for amount.", "txtAmount"},
        {"12/5/26", "217.13", "Lunch",
         "You do not have enough money available to make this purchase.", "txtAmount"},
        {"12/5/26", "-99999999999.9999", "Lunch", "The amount is too large.", "txtAmount"},
        // The amount is checked first, then the texts that must read back.
        {"12,5,26", "abc", "Lunch", "Please enter a number for amount.", "txtAmount"},
        {"12,5,26", "5", "Lunch", "Please enter the date without a comma or a dollar sign.",
         "txtDate"},
        {"$12/5/26", "5", "Lunch", "Please enter the date without a comma or a dollar sign.",
         "txtDate"},
        {"12/5/26", "5", "Lunch, dinner", "Please enter the description without a comma.",
         "txtDescription"}};
    // clang-format on
    for (const auto& [date, amount, description, prompt, focus] : refusals) {
        SCOPED_TRACE(prompt);
        type("txtDate", date);
        addHere(amount, description);
        expectMessage(prompt);
        EXPECT_EQ(focused(), find(focus));
        EXPECT_EQ(storedLines(Food), food);
        EXPECT_EQ(statusPage(), kFoodPage);
    }
    EXPECT_EQ(messages.size(), std::size(refusals));
}

TEST_F(TransactionsTest, AFullCategoryRefusesATwelfthLineUntilItsFirstIsDeleted)
{
    endAbout();
    openStatus(Food);
    QStringList eleven = storedLines(Food);
    for (int n = 7; n <= 11; ++n) {
        addHere("1", QStringLiteral("Item %1").arg(n));
        expectMessage(QStringLiteral("Transaction No.%1 has been added.").arg(n), "Confirmation");
        eleven << QStringLiteral("12/5/26, $1, Item %1, Food, Cash").arg(n);
    }
    EXPECT_EQ(storedLines(Food), eleven);

    addHere("1", "Item 12");
    expectMessage("Sorry, we can only keep 11 transcations for now.",
                  "Fail to add more than 11 items.");
    EXPECT_EQ(storedLines(Food), eleven);
    EXPECT_EQ(statusPage(), "Food $212.12/$300 meter6.jpg $212.12/$300 12/5/26|||");
    click("lblArrowDown");
    EXPECT_EQ(rows(), eleven);
    EXPECT_EQ(shownOptions().size(), 11);

    // Deleting the first moves the other ten up and makes room again.
    deleteLine(0, Answer::Yes);
    EXPECT_EQ(lastPrompt(), "Do you want to delete transaction no.1 ?");
    EXPECT_EQ(storedLines(Food), eleven.mid(1));
    EXPECT_TRUE(record(Food).Lines[10].empty());
    EXPECT_EQ(shownOptions().size(), 10);
    EXPECT_EQ(amounts(Food), "217.62/300");
    click("lblArrowUp");
    addHere("1");
    EXPECT_EQ(lastPrompt(), "Transaction No.11 has been added.");
}

// Any payment is stored, as the last field it cannot shift the others; the
// meters follow every change, down to spending all that is available.
TEST_F(TransactionsTest, LinesAreStoredAsTypedAndTheMetersFollowDownToZero)
{
    endAbout();
    openStatus(Food);
    addHere("-20", "Refund");
    EXPECT_EQ(statusPage(), "Food $237.12/$300 meter6.jpg $237.12/$300 12/5/26|||");
    addHere("100", "", "");
    // 137.12 of 300 is 0.457: level 4.
    EXPECT_EQ(statusPage(), "Food $137.12/$300 meter4.jpg $137.12/$300 12/5/26|||");
    EXPECT_EQ(iconLook(Food), "meter4.jpg $137.12/$300");
    addHere("0.5", "Tip $", "Cash, mostly");
    addHere("136.62", "Feast", "Check");
    expectMessage("Transaction No.10 has been added.", "Confirmation");
    EXPECT_EQ(storedLines(Food).mid(6),
              QStringList({"12/5/26, $-20, Refund, Food, Cash", "12/5/26, $100, , Food, ",
                           "12/5/26, $0.5, Tip $, Food, Cash, mostly",
                           "12/5/26, $136.62, Feast, Food, Check"}));
    EXPECT_EQ(statusPage(), "Food $0/$300 meter0.jpg $0/$300 12/5/26|||");
    EXPECT_EQ(iconLook(Food), "meter0.jpg $0/$300");

    addHere("0.01");
    expectMessage("You do not have enough money available to make this purchase.");
    EXPECT_EQ(storedLines(Food).size(), 10);
    EXPECT_EQ(amounts(Food), "0/300");
}

// In double arithmetic 217.12 - 1000 * 0.1 ends at 117.12000000000569.
TEST_F(TransactionsTest, AThousandChangesOfATenthKeepAvailableExact)
{
    endAbout();
    openStatus(Food);
    addHere("0.1");
    click("lblArrowDown");
    for (int tenths = 2; tenths <= 1000; ++tenths)
        editLine(6, "txtAmount", QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10));
    EXPECT_EQ(lastPrompt(), "Transaction No.7 has been modified.");
    EXPECT_EQ(record(Food).Lines[6], "12/5/26, $100.0, Test, Food, Cash");
    EXPECT_EQ(amounts(Food), "117.12/300");

    // Adds and deletes of tenths give it back exactly.
    for (int round = 0; round < 50; ++round) {
        click("lblArrowUp");
        addHere("0.1");
        addHere("0.1");
        click("lblArrowDown");
        deleteLine(8, Answer::Yes);
        deleteLine(7, Answer::Yes);
    }
    EXPECT_EQ(storedLines(Food).size(), 7);
    EXPECT_EQ(amounts(Food), "117.12/300");
    EXPECT_EQ(text("lblAvailable"), "$117.12");
}

// An empty list, or a selection naming an empty slot: Edit and Delete say so,
// the selection stays and nothing changes.
TEST_F(TransactionsTest, EditAndDeleteWithNothingToActOnSaySo)
{
    openList(Electricity);
    EXPECT_EQ(onScreen(), "imgFront lblHelp lblReportDelete lblReportEdit picReport");
    EXPECT_TRUE(rows().isEmpty());
    click("lblReportEdit");
    expectMessage(kNoItemToEdit, "No item to edit!");
    click("lblReportDelete");
    expectMessage("There is no item to delete!", "No item to delete!!");
    EXPECT_EQ(onScreen(), "imgFront lblHelp lblReportDelete lblReportEdit picReport");

    backToOverview();
    openStatus(Food);
    click("lblArrowDown");
    click("optReport(5)");
    backToOverview();
    openStatus(Parking);
    click("lblArrowDown");
    const QStringList parking = storedLines(Parking);
    click("lblReportEdit");
    expectMessage(kNoItemToEdit, "No item to edit!");
    click("lblReportDelete");
    expectMessage(kNoItemToDelete, "No item to delete!");
    EXPECT_EQ(window->selectedLine(), 5);
    EXPECT_EQ(rows(), parking);
    EXPECT_EQ(page(), "report2.jpg");

    // Deleting the last line leaves the selection on the slot it emptied.
    deleteLine(1, Answer::Yes);
    click("lblReportDelete");
    expectMessage(kNoItemToDelete, "No item to delete!");
    EXPECT_EQ(storedLines(Parking), parking.mid(0, 1));
    EXPECT_EQ(amounts(Parking) + " " + amounts(Electricity), "38/50 100/100");
    EXPECT_EQ(messages.size(), 6u);
}

// Done refuses what could not be stored or read back and keeps the edit page
// open with what was typed; the overdraft rule measures the new amount against
// the one stored.
TEST_F(TransactionsTest, EditDoneRefusesAndKeepsWhatWasTyped)
{
    // The input, what is typed into it, then the prompt and title of the refusal.
    const std::tuple<const char*, const char*, const char*, const char*> refusals[] = {
        // clang-format off
        {"txtAmount", "", "Please enter an Amount.", "Ostrel"},
        {"txtAmount", "twenty", "Please enter a number for amount.", "Ostrel"},
        {"txtAmount", "-99999999999.9999", "The amount is too large.", "Ostrel"},
        {"txtAmount", "222.63", "Overdraft after this modification!!", "Overdraft warning!!"},
        {"txtDate", "5,05/01", "Please enter the date without a comma or a dollar sign.", "Ostrel"},
        {"txtDate", "5/05/01 $", "Please enter the date without a comma or a dollar sign.",
         "Ostrel"},
        {"txtDescription", "Big, Mac", "Please enter the description without a comma.", "Ostrel"}};
    // clang-format on
    openList(Food);
    const QStringList food = storedLines(Food);
    for (const auto& [input, typed, prompt, title] : refusals) {
        SCOPED_TRACE(prompt);
        editLine(0, input, typed);
        expectMessage(prompt, title);
        EXPECT_EQ(focused(), find(input));
        EXPECT_EQ(text(input), typed);
        EXPECT_EQ(page(), "edit.jpg");
        EXPECT_EQ(storedLines(Food), food);
        EXPECT_EQ(amounts(Food), "217.12/300");
        click("lblEditCancel");
    }

    // While Available is negative, every edit is an overdraft: deleting a
    // refund can bring that about.
    click("lblArrowUp");
    addHere("-20");
    addHere("237.12");
    click("lblArrowDown");
    deleteLine(6, Answer::Yes);
    EXPECT_EQ(iconLook(Food), "meter0.jpg $-20/$300");
    EXPECT_EQ(text("lblAvailable"), "$-20");
    const QStringList before = storedLines(Food);
    for (const char* amount : {"5.50", "5", "0"}) {
        editLine(0, "txtAmount", amount);
        expectMessage(kOverdraft, "Overdraft warning!!");
        EXPECT_EQ(storedLines(Food), before) << amount;
        EXPECT_EQ(amounts(Food), "-20/300");
        click("lblEditCancel");
    }
}

TEST_F(TransactionsTest, EditDoneStoresTheChangesAgainstThePriorAmount)
{
    openList(Food);
    editLine(0);
    EXPECT_EQ(onScreen(),
              "cboPayment imgFront lblCategory lblEditCancel lblEditDone lblEditNumber "
              "lblEditReset lblHelp txtAmount txtDate txtDescription");
    EXPECT_EQ(text("lblEditNumber") + " " + text("lblCategory") + " " + inputs(),
              "1 Food 5/05/01|5.50|McDonalds|Cash");
    EXPECT_EQ(window->priorAmountText(), "5.5");

    // Only the description changes: the amount stays as stored, "$5.50".
    type("txtDescription", "Burger");
    click("lblEditDone");
    expectMessage("Transaction No.1 has been modified.", "Confirmation");
    EXPECT_EQ(rows().first(), "5/05/01, $5.50, Burger, Food, Cash");
    EXPECT_EQ(record(Food).Lines[0], "5/05/01, $5.50, Burger, Food, Cash");
    EXPECT_EQ(amounts(Food), "217.12/300");
    EXPECT_EQ(onScreen(),
              "imgFront lblHelp lblReportDelete lblReportEdit optReport(0) optReport(1) "
              "optReport(2) optReport(3) optReport(4) optReport(5) picReport");

    // Cancel changes nothing.
    editLine(1);
    type("txtAmount", "1");
    click("lblEditCancel");
    EXPECT_EQ(page(), "report2.jpg");
    EXPECT_EQ(record(Food).Lines[1], "5/10/01, $11.23, CornerBakery, Food, Cash");

    // Raising by exactly all that is available leaves $0; lowering always passes.
    editLine(0, "txtAmount", "222.62");
    EXPECT_EQ(record(Food).Lines[0], "5/05/01, $222.62, Burger, Food, Cash");
    EXPECT_EQ(iconLook(Food), "meter0.jpg $0/$300");
    editLine(0, "txtAmount", "2");
    EXPECT_EQ(iconLook(Food), "meter6.jpg $220.62/$300");

    // After Reset the new amount is still measured against the prior one.
    editLine(1);
    click("lblEditReset");
    EXPECT_EQ(text("lblEditNumber") + " " + text("lblCategory") + " " + inputs(),
              "2 Food 12/5/26|||");
    EXPECT_EQ(window->priorAmountText(), "11.23");
    type("txtDescription", "Lunch");
    type("txtAmount", "20");
    click("lblEditDone");
    expectMessage("Transaction No.2 has been modified.", "Confirmation");
    EXPECT_EQ(record(Food).Lines[1], "12/5/26, $20, Lunch, Food, ");
    click("lblArrowUp");
    EXPECT_EQ(statusPage(), "Food $211.85/$300 meter6.jpg $211.85/$300 12/5/26|||");
}

// The list shows the stored lines once with their buttons, deletes after a
// question, closes the gap, gives the amount back and keeps the selection.
TEST_F(TransactionsTest, DeletingAsksThenGivesTheAmountBackAndClosesTheGap)
{
    openList(Parking);
    EXPECT_EQ(page(), "report2.jpg");
    EXPECT_EQ(window->selectedLine(), 0) << "the first button is selected from the start";
    answerNext(Answer::Yes);
    click("lblReportDelete");
    EXPECT_EQ(lastPrompt(), "Do you want to delete transaction no.1 ?");
    EXPECT_EQ(rows(), QStringList({"5/20/01, $12.00, Standard Parking, Parking, Cash"}));
    EXPECT_EQ(shownOptions(), QList<int>({0}));
    // 38 of 50 is 0.76: level 6.
    EXPECT_EQ(statusPage(), "Parking $38/$50 meter6.jpg $38/$50 12/5/26|||");
    EXPECT_EQ(iconLook(Parking), "meter6.jpg $38/$50");

    backToOverview();
    openStatus(Food);
    click("lblArrowDown");
    QStringList food = storedLines(Food);
    EXPECT_EQ(rows(), food);
    EXPECT_EQ(shownOptions(), QList<int>({0, 1, 2, 3, 4, 5}));
    deleteLine(2, Answer::No);
    expectMessage("Do you want to delete transaction no.3 ?", "Delete item confirmation.",
                  Seams::Buttons::YesNo);
    EXPECT_EQ(storedLines(Food), food);
    EXPECT_EQ(rows(), food);

    deleteLine(2, Answer::Yes);
    EXPECT_EQ(food.takeAt(2), "5/23/01, $13.26, Jewel, Food, Visa");
    EXPECT_EQ(storedLines(Food), food);
    EXPECT_TRUE(record(Food).Lines[5].empty());
    EXPECT_EQ(amounts(Food), "230.38/300");
    click("lblArrowUp");
    click("lblArrowDown");
    EXPECT_EQ(rows(), food) << "drawn a second time, still once";
    EXPECT_EQ(shownOptions(), QList<int>({0, 1, 2, 3, 4}));
    EXPECT_TRUE(option(2)->isChecked());

    // Another category's list keeps the selection too; Food takes a sixth line again.
    backToOverview();
    openStatus(Parking);
    click("lblArrowDown");
    EXPECT_EQ(window->selectedLine(), 2);
    backToOverview();
    openStatus(Food);
    EXPECT_EQ(text("lblAvailable"), "$230.38");
    addHere("1");
    EXPECT_EQ(lastPrompt(), "Transaction No.6 has been added.");
}
