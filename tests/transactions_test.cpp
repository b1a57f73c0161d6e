#include "window_fixture.h"

#include <QTest>

namespace {

constexpr int kFood = 0;
constexpr int kElectricity = 1;
constexpr int kParking = 2;

const QString kOstrel = QStringLiteral("Ostrel");
const QString kNotEnough
    = QStringLiteral("You do not have enough money available to make this purchase.");
const QString kOverdraft = QStringLiteral("Overdraft after this modification!!");
const QString kNoItemToEdit = QStringLiteral("Sorry, there is no item to edit.");

const QStringList kFoodLines {
    QStringLiteral("5/05/01, $5.50, McDonalds, Food, Cash"),
    QStringLiteral("5/10/01, $11.23, CornerBakery, Food, Cash"),
    QStringLiteral("5/23/01, $13.26, Jewel, Food, Visa"),
    QStringLiteral("5/24/01, $4.01, McDonalds, Food, Cash"),
    QStringLiteral("5/25/01, $41.00, Woodmans, Food, Visa"),
    QStringLiteral("5/26/01, $7.88, DonkinNonuts, Food, Cash"),
};

class TransactionsTest : public WindowTest
{
protected:
    void openCategory(int category)
    {
        endAbout();
        openStatus(category);
    }
    void openList(int category)
    {
        openCategory(category);
        click(QStringLiteral("lblArrowDown"));
    }
    // From any page back over the overview, by the Categories tab.
    void backToOverview()
    {
        click(QStringLiteral("imgAllCategory"));
        click(QStringLiteral("lblCategories"));
    }
    void editLine(int line)
    {
        click(QStringLiteral("optReport(%1)").arg(line));
        click(QStringLiteral("lblReportEdit"));
    }
    void deleteLine(int line, Answer answer)
    {
        click(QStringLiteral("optReport(%1)").arg(line));
        answerNext(answer);
        click(QStringLiteral("lblReportDelete"));
    }

    QStringList rows() const { return find("picReport")->property("rows").toStringList(); }
    QList<int> shownOptions() const
    {
        QList<int> shown;
        for (int i = 0; i <= 10; ++i) {
            if (option(i)->isVisible())
                shown << i;
        }
        return shown;
    }
    QStringList storedLines(int category) const
    {
        QStringList lines;
        for (const std::string& line : record(category).Lines) {
            if (!line.empty())
                lines << QString::fromStdString(line);
        }
        return lines;
    }
    QString text(const char* name) const
    {
        if (auto* box = qobject_cast<QLineEdit*>(find(QString::fromLatin1(name))))
            return box->text();
        if (auto* box = qobject_cast<QComboBox*>(find(QString::fromLatin1(name))))
            return box->currentText();
        return label(QString::fromLatin1(name))->text();
    }
    void expectLastMessage(const QString& prompt, const QString& title)
    {
        EXPECT_EQ(lastPrompt(), prompt);
        EXPECT_EQ(lastTitle(), title);
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.back().buttons, Seams::Buttons::Ok);
    }
    void expectInputsReset()
    {
        EXPECT_EQ(text("txtDate"), QStringLiteral("12/5/26"));
        EXPECT_EQ(window->dateText(), QStringLiteral("12/5/26"));
        for (const char* name : {"txtAmount", "txtDescription", "cboPayment"})
            EXPECT_EQ(text(name), QString()) << name;
        EXPECT_EQ(window->amountText(), QString());
        EXPECT_EQ(window->descriptionText(), QString());
        EXPECT_EQ(window->paymentText(), QString());
    }
};

} // namespace

TEST_F(TransactionsTest, FoodStatusPageRightAfterStartShowsTheLedgerAndEmptyInputs)
{
    openCategory(kFood);
    EXPECT_EQ(pictureOf("imgFront"), QStringLiteral("report1.jpg"));
    EXPECT_EQ(text("lblCategory"), QStringLiteral("Food"));
    EXPECT_EQ(text("lblAvailable"), QStringLiteral("$217.12"));
    EXPECT_EQ(text("lblBudgeted"), QStringLiteral("$300"));
    expectInputsReset();
    EXPECT_EQ(pictureOf("imgReport"), QStringLiteral("meter6.jpg"));
    EXPECT_EQ(label("imgReport")->toolTip(), QStringLiteral("$217.12/$300"));
    EXPECT_EQ(pictureOf("imgAllCategory"), QStringLiteral("Title.jpg"));
    EXPECT_TRUE(shown("lblHelp"));
    for (const char* tab : {"lblCategories", "lblReports", "lblSetup"})
        EXPECT_FALSE(shown(QString::fromLatin1(tab))) << tab;
}

TEST_F(TransactionsTest, MirrorsFollowTypingChoosingAndTheProgram)
{
    openCategory(kFood);
    type(QStringLiteral("txtDate"), QStringLiteral("5/7/01"));
    type(QStringLiteral("txtAmount"), QStringLiteral("5.5"));
    type(QStringLiteral("txtDescription"), QStringLiteral("Pens"));
    choose(QStringLiteral("cboPayment"), QStringLiteral("Credit Card"));
    EXPECT_EQ(window->dateText(), QStringLiteral("5/7/01"));
    EXPECT_EQ(window->amountText(), QStringLiteral("5.5"));
    EXPECT_EQ(window->descriptionText(), QStringLiteral("Pens"));
    EXPECT_EQ(window->paymentText(), QStringLiteral("Credit Card"));
    type(QStringLiteral("cboPayment"), QStringLiteral("Visa"));
    EXPECT_EQ(window->paymentText(), QStringLiteral("Visa"));

    click(QStringLiteral("lblReportReset"));
    expectInputsReset();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(storedLines(kFood), kFoodLines);

    // Reopening the page refills it from the ledger, mirrors included.
    type(QStringLiteral("txtAmount"), QStringLiteral("3"));
    click(QStringLiteral("lblArrowDown"));
    click(QStringLiteral("lblArrowUp"));
    expectInputsReset();
}

TEST_F(TransactionsTest, AFullCategoryRefusesATwelfthLineUntilItsFirstIsDeleted)
{
    openCategory(kFood);
    for (int n = 7; n <= 11; ++n) {
        addHere(QStringLiteral("1"), QStringLiteral("Item %1").arg(n));
        expectLastMessage(QStringLiteral("Transaction No.%1 has been added.").arg(n),
                          QStringLiteral("Confirmation"));
    }
    EXPECT_EQ(record(kFood).Lines[10], "12/5/26, $1, Item 11, Food, Cash");
    EXPECT_EQ(record(kFood).Available, 212.12);
    const QStringList eleven = storedLines(kFood);
    ASSERT_EQ(eleven.size(), 11);

    addHere(QStringLiteral("1"), QStringLiteral("Item 12"));
    expectLastMessage(QStringLiteral("Sorry, we can only keep 11 transcations for now."),
                      QStringLiteral("Fail to add more than 11 items."));
    EXPECT_EQ(storedLines(kFood), eleven);
    EXPECT_TRUE(record(kFood).Lines[11].empty());
    EXPECT_EQ(record(kFood).Available, 212.12);
    EXPECT_EQ(text("lblAvailable"), QStringLiteral("$212.12"));
    expectInputsReset();

    // The full list: eleven rows, eleven buttons.
    click(QStringLiteral("lblArrowDown"));
    EXPECT_EQ(rows(), eleven);
    EXPECT_EQ(shownOptions().size(), 11);

    // Deleting the first moves the other ten up and makes room again.
    deleteLine(0, Answer::Yes);
    EXPECT_EQ(lastPrompt(), QStringLiteral("Do you want to delete transaction no.1 ?"));
    EXPECT_EQ(storedLines(kFood), eleven.mid(1));
    EXPECT_TRUE(record(kFood).Lines[10].empty());
    EXPECT_EQ(shownOptions().size(), 10);
    EXPECT_EQ(record(kFood).Available, 217.62);
    click(QStringLiteral("lblArrowUp"));
    addHere(QStringLiteral("1"));
    EXPECT_EQ(lastPrompt(), QStringLiteral("Transaction No.11 has been added."));
}

TEST_F(TransactionsTest, EachRefusalNamesItsFaultFocusesItsInputAndStoresNothing)
{
    struct Refusal
    {
        const char* date;
        const char* amount;
        const char* description;
        const char* prompt;
        const char* focus;
    };
    const Refusal refusals[] = {
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
         "txtDescription"},
    };
    openCategory(kFood);
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.prompt);
        type(QStringLiteral("txtDate"), QString::fromLatin1(refusal.date));
        type(QStringLiteral("txtAmount"), QString::fromLatin1(refusal.amount));
        type(QStringLiteral("txtDescription"), QString::fromLatin1(refusal.description));
        click(QStringLiteral("lblReportDone"));
        expectLastMessage(QString::fromLatin1(refusal.prompt), kOstrel);
        EXPECT_EQ(focused(), find(QString::fromLatin1(refusal.focus)));
        EXPECT_EQ(storedLines(kFood), kFoodLines);
        EXPECT_EQ(record(kFood).Available, 217.12);
        expectInputsReset();
    }
    EXPECT_EQ(messages.size(), std::size(refusals));
    EXPECT_EQ(text("lblAvailable"), QStringLiteral("$217.12"));
}

TEST_F(TransactionsTest, SpendingTheWholeAvailableAmountLeavesZeroAndOneCentMoreIsRefused)
{
    openCategory(kFood);
    addHere(QStringLiteral("217.12"), QStringLiteral("Feast"), QStringLiteral("Check"));
    expectLastMessage(QStringLiteral("Transaction No.7 has been added."),
                      QStringLiteral("Confirmation"));
    EXPECT_EQ(record(kFood).Lines[6], "12/5/26, $217.12, Feast, Food, Check");
    EXPECT_EQ(record(kFood).Available, 0.0);
    EXPECT_EQ(text("lblAvailable"), QStringLiteral("$0"));
    EXPECT_EQ(pictureOf("imgReport"), QStringLiteral("meter0.jpg"));
    EXPECT_EQ(label("imgReport")->toolTip(), QStringLiteral("$0/$300"));
    EXPECT_EQ(pictureOf("imgFood"), QStringLiteral("meter0.jpg"));
    EXPECT_EQ(label("imgFood")->toolTip(), QStringLiteral("$0/$300"));

    addHere(QStringLiteral("0.01"));
    expectLastMessage(kNotEnough, kOstrel);
    EXPECT_EQ(storedLines(kFood).size(), 7);
    EXPECT_EQ(record(kFood).Available, 0.0);
}

TEST_F(TransactionsTest, NegativeAndEmptyFieldsAreStoredAsTypedAndTheMetersFollow)
{
    openCategory(kFood);
    addHere(QStringLiteral("-20"), QStringLiteral("Refund"));
    EXPECT_EQ(record(kFood).Lines[6], "12/5/26, $-20, Refund, Food, Cash");
    EXPECT_EQ(record(kFood).Available, 237.12);
    EXPECT_EQ(text("lblAvailable"), QStringLiteral("$237.12"));
    EXPECT_EQ(label("imgFood")->toolTip(), QStringLiteral("$237.12/$300"));

    addHere(QStringLiteral("100"), QString(), QString());
    EXPECT_EQ(record(kFood).Lines[7], "12/5/26, $100, , Food, ");
    EXPECT_EQ(record(kFood).Available, 137.12);
    // 137.12 of 300 is 0.457: level 4.
    EXPECT_EQ(pictureOf("imgReport"), QStringLiteral("meter4.jpg"));
    EXPECT_EQ(label("imgReport")->toolTip(), QStringLiteral("$137.12/$300"));
    EXPECT_EQ(pictureOf("imgFood"), QStringLiteral("meter4.jpg"));
    EXPECT_EQ(label("imgFood")->toolTip(), QStringLiteral("$137.12/$300"));

    // Any payment is stored: it is the last field and cannot shift the others.
    addHere(QStringLiteral("0.5"), QStringLiteral("Tip $"), QStringLiteral("Cash, mostly"));
    EXPECT_EQ(record(kFood).Lines[8], "12/5/26, $0.5, Tip $, Food, Cash, mostly");
    EXPECT_EQ(record(kFood).Available, 136.62);
}

// A thousand changes of a tenth in one direction: in double arithmetic
// 217.12 - 1000 * 0.1 ends at 117.12000000000569.
TEST_F(TransactionsTest, AThousandChangesOfATenthKeepAvailableExact)
{
    openCategory(kFood);
    addHere(QStringLiteral("0.1"));
    click(QStringLiteral("lblArrowDown"));
    click(QStringLiteral("optReport(6)"));
    for (int tenths = 2; tenths <= 1000; ++tenths) {
        click(QStringLiteral("lblReportEdit"));
        type(QStringLiteral("txtAmount"),
             QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10));
        click(QStringLiteral("lblEditDone"));
    }
    EXPECT_EQ(lastPrompt(), QStringLiteral("Transaction No.7 has been modified."));
    EXPECT_EQ(record(kFood).Lines[6], "12/5/26, $100.0, Test, Food, Cash");
    EXPECT_EQ(record(kFood).Available, 117.12);

    // Adds and deletes of tenths give it back exactly.
    for (int round = 0; round < 50; ++round) {
        click(QStringLiteral("lblArrowUp"));
        addHere(QStringLiteral("0.1"));
        addHere(QStringLiteral("0.1"));
        click(QStringLiteral("lblArrowDown"));
        deleteLine(8, Answer::Yes);
        deleteLine(7, Answer::Yes);
    }
    EXPECT_EQ(storedLines(kFood).size(), 7);
    EXPECT_EQ(record(kFood).Available, 117.12);
    EXPECT_EQ(text("lblAvailable"), QStringLiteral("$117.12"));
}

TEST_F(TransactionsTest, ListShowsTheStoredLinesOnceWithTheirButtonsAndKeepsTheSelection)
{
    openList(kFood);
    EXPECT_EQ(pictureOf("imgFront"), QStringLiteral("report2.jpg"));
    EXPECT_EQ(rows(), kFoodLines);
    EXPECT_EQ(shownOptions(), (QList<int> {0, 1, 2, 3, 4, 5}));
    EXPECT_TRUE(shown("lblReportEdit"));
    EXPECT_TRUE(shown("lblReportDelete"));
    EXPECT_FALSE(shown("imgReport"));
    EXPECT_FALSE(shown("txtAmount"));

    click(QStringLiteral("optReport(3)"));
    EXPECT_EQ(window->selectedLine(), 3);
    click(QStringLiteral("lblArrowUp"));
    click(QStringLiteral("lblArrowDown"));
    EXPECT_EQ(rows(), kFoodLines) << "drawn a second time, still once";
    EXPECT_TRUE(option(3)->isChecked());

    // Another category's list keeps the selection too.
    backToOverview();
    openStatus(kParking);
    click(QStringLiteral("lblArrowDown"));
    EXPECT_EQ(rows().size(), 2);
    EXPECT_EQ(shownOptions(), (QList<int> {0, 1}));
    EXPECT_EQ(window->selectedLine(), 3);
}

TEST_F(TransactionsTest, AnEmptyListHasNoButtonsAndEditAndDeleteSaySo)
{
    openList(kElectricity);
    EXPECT_TRUE(rows().isEmpty());
    EXPECT_TRUE(shownOptions().isEmpty());
    EXPECT_TRUE(shown("lblReportEdit"));
    EXPECT_TRUE(shown("lblReportDelete"));

    click(QStringLiteral("lblReportEdit"));
    expectLastMessage(kNoItemToEdit, QStringLiteral("No item to edit!"));
    EXPECT_TRUE(shown("lblReportEdit"));
    EXPECT_FALSE(shown("lblEditDone"));
    click(QStringLiteral("lblReportDelete"));
    expectLastMessage(QStringLiteral("There is no item to delete!"),
                      QStringLiteral("No item to delete!!"));
    EXPECT_TRUE(shown("lblReportEdit"));
    EXPECT_EQ(record(kElectricity).Available, 100.0);
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(TransactionsTest, EditingOnlyTheDescriptionKeepsTheAmountAsStored)
{
    openList(kFood);
    editLine(0);
    EXPECT_EQ(pictureOf("imgFront"), QStringLiteral("edit.jpg"));
    EXPECT_EQ(text("lblEditNumber"), QStringLiteral("1"));
    EXPECT_EQ(text("txtDate"), QStringLiteral("5/05/01"));
    EXPECT_EQ(text("txtAmount"), QStringLiteral("5.50"));
    EXPECT_EQ(text("txtDescription"), QStringLiteral("McDonalds"));
    EXPECT_EQ(text("lblCategory"), QStringLiteral("Food"));
    EXPECT_EQ(text("cboPayment"), QStringLiteral("Cash"));
    EXPECT_EQ(window->paymentText(), QStringLiteral("Cash"));
    EXPECT_EQ(window->priorAmountText(), QStringLiteral("5.5"));
    for (const char* name : {"lblEditCancel", "lblEditReset", "lblEditDone"})
        EXPECT_TRUE(shown(QString::fromLatin1(name))) << name;
    for (const char* name : {"lblAvailable", "imgReport", "lblReportEdit", "picReport"})
        EXPECT_FALSE(shown(QString::fromLatin1(name))) << name;
    EXPECT_FALSE(option(0)->isVisible());

    type(QStringLiteral("txtDescription"), QStringLiteral("Burger"));
    click(QStringLiteral("lblEditDone"));
    expectLastMessage(QStringLiteral("Transaction No.1 has been modified."),
                      QStringLiteral("Confirmation"));
    EXPECT_EQ(record(kFood).Lines[0], "5/05/01, $5.50, Burger, Food, Cash");
    EXPECT_EQ(record(kFood).Available, 217.12);
    EXPECT_FALSE(shown("lblEditDone"));
    EXPECT_FALSE(shown("txtAmount"));
    EXPECT_EQ(rows().first(), QStringLiteral("5/05/01, $5.50, Burger, Food, Cash"));

    // Cancel changes nothing.
    editLine(1);
    type(QStringLiteral("txtAmount"), QStringLiteral("1"));
    click(QStringLiteral("lblEditCancel"));
    EXPECT_EQ(storedLines(kFood)[1], kFoodLines[1]);
    EXPECT_EQ(record(kFood).Available, 217.12);
    EXPECT_TRUE(shown("lblReportEdit"));
    EXPECT_FALSE(shown("lblEditDone"));
}

TEST_F(TransactionsTest, RaisingAnAmountByAllThatIsAvailableIsTheLimit)
{
    openList(kFood);
    editLine(0);
    type(QStringLiteral("txtAmount"), QStringLiteral("222.63"));
    click(QStringLiteral("lblEditDone"));
    expectLastMessage(kOverdraft, QStringLiteral("Overdraft warning!!"));
    EXPECT_EQ(focused(), find("txtAmount"));
    EXPECT_TRUE(shown("lblEditDone")) << "the edit page stays open";
    EXPECT_EQ(text("txtAmount"), QStringLiteral("222.63"));
    EXPECT_EQ(storedLines(kFood), kFoodLines);

    type(QStringLiteral("txtAmount"), QStringLiteral("222.62"));
    click(QStringLiteral("lblEditDone"));
    EXPECT_EQ(record(kFood).Lines[0], "5/05/01, $222.62, McDonalds, Food, Cash");
    EXPECT_EQ(record(kFood).Available, 0.0);
    EXPECT_EQ(text("lblAvailable"), QStringLiteral("$0"));
    EXPECT_EQ(pictureOf("imgReport"), QStringLiteral("meter0.jpg"));
    EXPECT_EQ(label("imgFood")->toolTip(), QStringLiteral("$0/$300"));

    // Lowering always passes while Available is not negative.
    editLine(0);
    type(QStringLiteral("txtAmount"), QStringLiteral("2"));
    click(QStringLiteral("lblEditDone"));
    EXPECT_EQ(record(kFood).Available, 220.62);
    EXPECT_EQ(pictureOf("imgFood"), QStringLiteral("meter6.jpg"));
}

TEST_F(TransactionsTest, WhileAvailableIsNegativeEveryEditIsAnOverdraft)
{
    // Deleting a refund can push Available below zero.
    openCategory(kFood);
    addHere(QStringLiteral("-20"));
    addHere(QStringLiteral("237.12"));
    click(QStringLiteral("lblArrowDown"));
    deleteLine(6, Answer::Yes);
    EXPECT_EQ(record(kFood).Available, -20.0);
    EXPECT_EQ(text("lblAvailable"), QStringLiteral("$-20"));
    EXPECT_EQ(pictureOf("imgFood"), QStringLiteral("meter0.jpg"));
    const QStringList before = storedLines(kFood);

    for (const char* amount : {"5.50", "5", "0"}) {
        editLine(0);
        type(QStringLiteral("txtAmount"), QString::fromLatin1(amount));
        click(QStringLiteral("lblEditDone"));
        expectLastMessage(kOverdraft, QStringLiteral("Overdraft warning!!"));
        EXPECT_EQ(storedLines(kFood), before) << amount;
        EXPECT_EQ(record(kFood).Available, -20.0);
        click(QStringLiteral("lblEditCancel"));
    }
}

TEST_F(TransactionsTest, AfterResetDoneMeasuresTheNewAmountAgainstThePriorOne)
{
    openList(kFood);
    editLine(1);
    click(QStringLiteral("lblEditReset"));
    expectInputsReset();
    EXPECT_EQ(text("lblEditNumber"), QStringLiteral("2"));
    EXPECT_EQ(text("lblCategory"), QStringLiteral("Food"));
    EXPECT_EQ(window->priorAmountText(), QStringLiteral("11.23"));

    click(QStringLiteral("lblEditDone"));
    expectLastMessage(QStringLiteral("Please enter an Amount."), kOstrel);
    EXPECT_EQ(focused(), find("txtAmount"));
    type(QStringLiteral("txtAmount"), QStringLiteral("twenty"));
    click(QStringLiteral("lblEditDone"));
    expectLastMessage(QStringLiteral("Please enter a number for amount."), kOstrel);
    EXPECT_EQ(text("txtAmount"), QStringLiteral("twenty"));

    type(QStringLiteral("txtAmount"), QStringLiteral("20"));
    type(QStringLiteral("txtDescription"), QStringLiteral("Lunch"));
    click(QStringLiteral("lblEditDone"));
    expectLastMessage(QStringLiteral("Transaction No.2 has been modified."),
                      QStringLiteral("Confirmation"));
    EXPECT_EQ(record(kFood).Lines[1], "12/5/26, $20, Lunch, Food, ");
    EXPECT_EQ(record(kFood).Available, 208.35);
}

TEST_F(TransactionsTest, EditRefusesTextsThatCouldNotBeReadBackAndKeepsWhatWasTyped)
{
    struct Refusal
    {
        const char* input;
        const char* text;
        const char* prompt;
    };
    const Refusal refusals[] = {
        {"txtDate", "5,05/01", "Please enter the date without a comma or a dollar sign."},
        {"txtDate", "5/05/01 $", "Please enter the date without a comma or a dollar sign."},
        {"txtDescription", "Big, Mac", "Please enter the description without a comma."},
        {"txtAmount", "-99999999999.9999", "The amount is too large."},
    };
    openList(kFood);
    editLine(0);
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.prompt);
        const QString input = QString::fromLatin1(refusal.input);
        type(input, QString::fromLatin1(refusal.text));
        click(QStringLiteral("lblEditDone"));
        expectLastMessage(QString::fromLatin1(refusal.prompt), kOstrel);
        EXPECT_EQ(focused(), find(input));
        EXPECT_EQ(text(refusal.input), QString::fromLatin1(refusal.text));
        EXPECT_TRUE(shown("lblEditDone"));
        EXPECT_EQ(storedLines(kFood), kFoodLines);
        EXPECT_EQ(record(kFood).Available, 217.12);
        click(QStringLiteral("lblEditCancel"));
        editLine(0);
    }
}

TEST_F(TransactionsTest, DeletingAsksThenGivesTheAmountBackAndClosesTheGap)
{
    openList(kFood);
    deleteLine(2, Answer::No);
    EXPECT_EQ(lastPrompt(), QStringLiteral("Do you want to delete transaction no.3 ?"));
    EXPECT_EQ(lastTitle(), QStringLiteral("Delete item confirmation."));
    EXPECT_EQ(messages.back().buttons, Seams::Buttons::YesNo);
    EXPECT_EQ(storedLines(kFood), kFoodLines);
    EXPECT_EQ(record(kFood).Available, 217.12);
    EXPECT_EQ(rows(), kFoodLines);

    deleteLine(2, Answer::Yes);
    QStringList five = kFoodLines;
    five.removeAt(2);
    EXPECT_EQ(storedLines(kFood), five);
    EXPECT_TRUE(record(kFood).Lines[5].empty());
    EXPECT_EQ(rows(), five);
    EXPECT_EQ(shownOptions(), (QList<int> {0, 1, 2, 3, 4}));
    EXPECT_EQ(record(kFood).Available, 230.38);
    EXPECT_EQ(window->selectedLine(), 2);

    click(QStringLiteral("lblArrowUp"));
    EXPECT_EQ(text("lblAvailable"), QStringLiteral("$230.38"));
    addHere(QStringLiteral("1"));
    EXPECT_EQ(lastPrompt(), QStringLiteral("Transaction No.6 has been added."));
}

TEST_F(TransactionsTest, DeletedParkingFeeComesBackAndTheMetersFollow)
{
    openList(kParking);
    EXPECT_EQ(window->selectedLine(), 0) << "the first button is selected from the start";
    answerNext(Answer::Yes);
    click(QStringLiteral("lblReportDelete"));
    EXPECT_EQ(lastPrompt(), QStringLiteral("Do you want to delete transaction no.1 ?"));
    EXPECT_EQ(record(kParking).Available, 38.0);
    EXPECT_EQ(text("lblAvailable"), QStringLiteral("$38"));
    // 38 of 50 is 0.76: level 6.
    EXPECT_EQ(pictureOf("imgReport"), QStringLiteral("meter6.jpg"));
    EXPECT_EQ(label("imgReport")->toolTip(), QStringLiteral("$38/$50"));
    EXPECT_EQ(pictureOf("imgParking"), QStringLiteral("meter6.jpg"));
    EXPECT_EQ(label("imgParking")->toolTip(), QStringLiteral("$38/$50"));
    EXPECT_EQ(rows(),
              QStringList {QStringLiteral("5/20/01, $12.00, Standard Parking, Parking, Cash")});
}

TEST_F(TransactionsTest, ASelectionNamingAnEmptySlotIsReportedAndChangesNothing)
{
    openList(kFood);
    click(QStringLiteral("optReport(5)"));
    backToOverview();
    openStatus(kParking);
    click(QStringLiteral("lblArrowDown"));
    const QStringList parking = storedLines(kParking);

    click(QStringLiteral("lblReportEdit"));
    expectLastMessage(kNoItemToEdit, QStringLiteral("No item to edit!"));
    EXPECT_FALSE(shown("lblEditDone"));
    click(QStringLiteral("lblReportDelete"));
    expectLastMessage(QStringLiteral("Sorry, there is no item to delete."),
                      QStringLiteral("No item to delete!"));
    EXPECT_EQ(window->selectedLine(), 5);
    EXPECT_EQ(storedLines(kParking), parking);
    EXPECT_EQ(record(kParking).Available, 26.0);
    EXPECT_EQ(rows(), parking);

    // Deleting the last line leaves the selection on the slot it emptied.
    deleteLine(1, Answer::Yes);
    click(QStringLiteral("lblReportDelete"));
    expectLastMessage(QStringLiteral("Sorry, there is no item to delete."),
                      QStringLiteral("No item to delete!"));
    EXPECT_EQ(storedLines(kParking), parking.mid(0, 1));
    EXPECT_EQ(record(kParking).Available, 38.0);
}
