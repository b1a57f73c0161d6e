#include "screen_state.h"
#include "window_fixture.h"

#include <functional>

using ScreenState::names;
using ScreenState::onScreen;
using ScreenState::snapshot;

namespace {

enum Category { Food, Electricity, Parking, Gas, Entertainment, School, Rent, Telephone, Clothing };

const QString kBackPrompt = QStringLiteral(
    "Do you want to go back to the category page without saving the data you are editing now?");
const QString kBackTitle = QStringLiteral("Go back to category page?");

// The page layer as the status page leaves it, under the title bar.
const QStringList kStatusPage
    = names({"imgFront", "lblAvailable", "lblBudgeted", "txtDate", "txtAmount", "lblCategory",
             "txtDescription", "cboPayment", "lblReportBack", "lblReportReset", "lblReportDone",
             "imgReport", "lblHelp"});

} // namespace

class PagesTest : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        endAbout();
    }

    void openMenuBar() { click(QStringLiteral("imgAllCategory")); }
    void openHelp(const QString& entry)
    {
        click(QStringLiteral("lblHelp"));
        pick(QStringLiteral("lstHelp"), entry);
    }
    void openSetupMenu(const QString& entry)
    {
        openMenuBar();
        click(QStringLiteral("lblSetup"));
        pick(QStringLiteral("lstSetup"), entry);
    }
    void backToOverview()
    {
        openMenuBar();
        click(QStringLiteral("lblCategories"));
    }
    bool bordered(const char* tab) const
    {
        return label(QString::fromLatin1(tab))->frameShape() == QFrame::Box;
    }
    void expectTitleBar()
    {
        EXPECT_EQ(pictureOf("imgAllCategory"), QStringLiteral("Title.jpg"));
        for (const char* hidden :
             {"lblCategories", "lblReports", "lblSetup", "lstReports", "lstSetup", "lstHelp"})
            EXPECT_FALSE(shown(QString::fromLatin1(hidden))) << hidden;
        EXPECT_TRUE(shown("lblHelp"));
        for (const char* tab : {"lblCategories", "lblReports", "lblSetup", "lblHelp"})
            EXPECT_FALSE(bordered(tab)) << tab;
    }
    // The page picture in imgFront, or "" when no page covers the overview.
    QString page() const { return shown("imgFront") ? pictureOf("imgFront") : QString(); }
};

TEST_F(PagesTest, TopStripSwitchesBetweenTitleBarAndMenuBar)
{
    EXPECT_EQ(onScreen(*window), names({"lblHelp"}));

    openMenuBar();
    EXPECT_EQ(pictureOf("imgAllCategory"), QStringLiteral("TopMenu.jpg"));
    EXPECT_EQ(find("imgAllCategory")->size(), QSize(245, 22));
    EXPECT_EQ(onScreen(*window), names({"lblCategories", "lblReports", "lblSetup"}));

    // Again on the menu bar: nothing changes.
    const std::string menuBar = snapshot(*window);
    openMenuBar();
    EXPECT_EQ(snapshot(*window), menuBar);

    // An icon brings the title bar back and closes the open list.
    click(QStringLiteral("lblSetup"));
    ASSERT_TRUE(shown("lstSetup"));
    openStatus(Telephone);
    expectTitleBar();
    EXPECT_EQ(onScreen(*window), kStatusPage);
    EXPECT_EQ(label("lblCategory")->text(), QStringLiteral("Telephone"));

    // The Menu button is the strip's click, and closes the open Help list too.
    click(QStringLiteral("lblHelp"));
    EXPECT_TRUE(shown("lstHelp"));
    click(QStringLiteral("lblMenuButton"));
    EXPECT_EQ(pictureOf("imgAllCategory"), QStringLiteral("TopMenu.jpg"));
    EXPECT_FALSE(shown("lblHelp"));
    EXPECT_FALSE(shown("lstHelp"));
    for (const char* tab : {"lblCategories", "lblReports", "lblSetup"})
        EXPECT_TRUE(shown(QString::fromLatin1(tab))) << tab;
    EXPECT_EQ(page(), QStringLiteral("report1.jpg")) << "the strip does not touch the page";
}

TEST_F(PagesTest, MenuTabsOpenTheirListsAndMoveTheBorder)
{
    click(QStringLiteral("lblHelp"));
    EXPECT_TRUE(shown("lstHelp"));
    EXPECT_TRUE(bordered("lblHelp"));
    const std::string helpOpen = snapshot(*window);
    click(QStringLiteral("lblHelp"));
    EXPECT_EQ(snapshot(*window), helpOpen) << "a second click changes nothing";

    openMenuBar();
    click(QStringLiteral("lblReports"));
    EXPECT_TRUE(shown("lstReports"));
    EXPECT_FALSE(shown("lstSetup"));
    EXPECT_TRUE(bordered("lblReports"));
    EXPECT_FALSE(bordered("lblSetup"));

    click(QStringLiteral("lblSetup"));
    EXPECT_FALSE(shown("lstReports"));
    EXPECT_TRUE(shown("lstSetup"));
    EXPECT_FALSE(bordered("lblReports"));
    EXPECT_TRUE(bordered("lblSetup"));
    const std::string setupOpen = snapshot(*window);
    click(QStringLiteral("lblSetup"));
    EXPECT_EQ(snapshot(*window), setupOpen) << "a second click changes nothing";

    click(QStringLiteral("lblReports"));
    EXPECT_TRUE(shown("lstReports"));
    EXPECT_FALSE(shown("lstSetup"));
    EXPECT_TRUE(bordered("lblReports"));
    EXPECT_FALSE(bordered("lblSetup"));
    EXPECT_FALSE(bordered("lblCategories"));

    click(QStringLiteral("lblCategories"));
    EXPECT_FALSE(bordered("lblCategories"));
    expectTitleBar();
    EXPECT_EQ(onScreen(*window), names({"lblHelp"}));
}

TEST_F(PagesTest, CategoriesClosesTheOpenPageAndReturnsTheTitleBar)
{
    openStatus(Gas);
    type(QStringLiteral("txtAmount"), QStringLiteral("12"));
    backToOverview();
    expectTitleBar();
    EXPECT_EQ(onScreen(*window), names({"lblHelp"}));
    EXPECT_EQ(edit("txtAmount")->text(), QStringLiteral("12")) << "hiding clears nothing";

    openHelp(QStringLiteral("FAQs"));
    EXPECT_EQ(page(), QStringLiteral("FAQ1.jpg"));
    backToOverview();
    expectTitleBar();
    EXPECT_EQ(onScreen(*window), names({"lblHelp"}));

    openSetupMenu(QStringLiteral("Setup Budget"));
    EXPECT_EQ(page(), QStringLiteral("Setup.jpg"));
    openMenuBar();
    click(QStringLiteral("lblSetup"));
    EXPECT_TRUE(bordered("lblSetup"));
    click(QStringLiteral("lblCategories"));
    expectTitleBar();
    EXPECT_EQ(onScreen(*window), names({"lblHelp"}));

    openSetupMenu(QStringLiteral("Transfer Funds"));
    EXPECT_EQ(page(), QStringLiteral("Transfer.jpg"));
    backToOverview();
    expectTitleBar();
    EXPECT_EQ(onScreen(*window), names({"lblHelp"}));
}

TEST_F(PagesTest, BackAsksAndKeepsTheTypedInputsWhenAnsweredNo)
{
    openStatus(Food);
    type(QStringLiteral("txtAmount"), QStringLiteral("4.75"));
    type(QStringLiteral("txtDescription"), QStringLiteral("Lunch"));
    choose(QStringLiteral("cboPayment"), QStringLiteral("Check"));
    openMenuBar();

    answerNext(Answer::No);
    click(QStringLiteral("lblReportBack"));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(lastPrompt(), kBackPrompt);
    EXPECT_EQ(lastTitle(), kBackTitle);
    EXPECT_EQ(messages.back().buttons, Seams::Buttons::YesNo);
    EXPECT_EQ(page(), QStringLiteral("report1.jpg"));
    EXPECT_TRUE(shown("imgReport"));
    EXPECT_EQ(edit("txtAmount")->text(), QStringLiteral("4.75"));
    EXPECT_EQ(edit("txtDescription")->text(), QStringLiteral("Lunch"));
    EXPECT_EQ(combo("cboPayment")->currentText(), QStringLiteral("Check"));
    EXPECT_EQ(window->amountText(), QStringLiteral("4.75"));
    EXPECT_EQ(window->paymentText(), QStringLiteral("Check"));

    answerNext(Answer::Yes);
    click(QStringLiteral("lblReportBack"));
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(lastPrompt(), kBackPrompt);
    EXPECT_EQ(page(), QString());
    // The strip stays as it was: Back does not return the title bar.
    EXPECT_EQ(onScreen(*window), names({"lblCategories", "lblReports", "lblSetup"}));
    EXPECT_EQ(window->amountText(), QStringLiteral("4.75"));
    EXPECT_EQ(record(Food).Available, 217.12) << "nothing was stored";
}

TEST_F(PagesTest, ArrowsAndScrollButtonsPageBetweenStatusAndListOfTheSameCategory)
{
    const std::pair<const char*, const char*> pairs[]
        = {{"lblArrowDown", "lblArrowUp"}, {"lblScrollDown", "lblScrollUp"}};
    for (const auto& [down, up] : pairs) {
        SCOPED_TRACE(down);
        openStatus(Parking);
        type(QStringLiteral("txtAmount"), QStringLiteral("3"));

        // Up on the status page does nothing.
        const std::string status = snapshot(*window);
        click(QString::fromLatin1(up));
        EXPECT_EQ(snapshot(*window), status);

        click(QString::fromLatin1(down));
        EXPECT_EQ(page(), QStringLiteral("report2.jpg"));
        EXPECT_TRUE(shown("lblReportEdit"));
        EXPECT_TRUE(shown("picReport"));
        for (const char* gone : {"imgReport", "lblAvailable", "txtAmount", "lblReportBack"})
            EXPECT_FALSE(shown(QString::fromLatin1(gone))) << gone;
        EXPECT_EQ(window->currentCategory(), Parking);

        // Down on the list does nothing.
        const std::string list = snapshot(*window);
        click(QString::fromLatin1(down));
        EXPECT_EQ(snapshot(*window), list);

        // Up opens the same category's status page afresh.
        click(QString::fromLatin1(up));
        EXPECT_EQ(page(), QStringLiteral("report1.jpg"));
        EXPECT_EQ(onScreen(*window), kStatusPage);
        EXPECT_EQ(label("lblCategory")->text(), QStringLiteral("Parking"));
        EXPECT_EQ(label("lblAvailable")->text(), QStringLiteral("$26"));
        EXPECT_EQ(edit("txtAmount")->text(), QString());
        EXPECT_EQ(window->amountText(), QString());

        backToOverview();
    }
    EXPECT_TRUE(messages.empty());
}

// Every screen other than a category's two pages: down shows the second FAQ
// page, up the first, and nothing of the screen before stays over it.
TEST_F(PagesTest, ArrowsAndScrollButtonsTurnTheFaqPagesFromEveryOtherScreen)
{
    struct Screen
    {
        const char* name;
        QString picture;
        std::function<void()> open;
    };
    const Screen screens[] = {
        {"overview", QString(),
         [this] {
             backToOverview();
         }},
        {"first FAQ page", QStringLiteral("FAQ1.jpg"),
         [this] {
             backToOverview();
             openHelp(QStringLiteral("FAQs"));
         }},
        {"second FAQ page", QStringLiteral("FAQ2.jpg"),
         [this] {
             backToOverview();
             click(QStringLiteral("lblArrowDown"));
         }},
        {"About page", QStringLiteral("about.jpg"),
         [this] {
             backToOverview();
             openHelp(QStringLiteral("About   /A"));
         }},
        {"budget setup page", QStringLiteral("Setup.jpg"),
         [this] {
             openSetupMenu(QStringLiteral("Setup Budget"));
         }},
        {"funds transfer page", QStringLiteral("Transfer.jpg"),
         [this] {
             openSetupMenu(QStringLiteral("Transfer Funds"));
         }},
        {"transaction edit page", QStringLiteral("edit.jpg"),
         [this] {
             backToOverview();
             openStatus(Food);
             click(QStringLiteral("lblArrowDown"));
             click(QStringLiteral("lblReportEdit"));
         }},
    };
    const std::pair<const char*, QString> arrows[] = {
        {"lblArrowDown", QStringLiteral("FAQ2.jpg")},
        {"lblScrollDown", QStringLiteral("FAQ2.jpg")},
        {"lblArrowUp", QStringLiteral("FAQ1.jpg")},
        {"lblScrollUp", QStringLiteral("FAQ1.jpg")},
    };
    for (const Screen& screen : screens) {
        for (const auto& [arrow, faq] : arrows) {
            SCOPED_TRACE(std::string(screen.name) + ", " + arrow);
            screen.open();
            ASSERT_EQ(page(), screen.picture);
            click(QString::fromLatin1(arrow));
            EXPECT_EQ(page(), faq);
            EXPECT_EQ(find("imgFront")->geometry(), QRect(51, 78, 245, 223));
            EXPECT_EQ(onScreen(*window), names({"imgFront", "lblHelp"}));
            EXPECT_EQ(pictureOf("imgAllCategory"), QStringLiteral("Title.jpg"));
        }
    }
    EXPECT_TRUE(messages.empty());
}
