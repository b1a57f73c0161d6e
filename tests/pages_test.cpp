#include "window_fixture.h"

#include <QTest>
#include <QTimer>

#include <tuple>

namespace {

enum Category { Food, Electricity, Parking, Gas, Entertainment, School, Rent, Telephone, Clothing };

// The page layers as their openers leave them, title bar included.
const char* const kStatusPage
    = "cboPayment imgFront imgReport lblAvailable lblBudgeted lblCategory "
      "lblHelp lblReportBack lblReportDone lblReportReset txtAmount "
      "txtDate txtDescription";
const char* const kFaqPage = "imgFront lblHelp";
const char* const kMenuBar = "lblCategories lblReports lblSetup";

const QString kNotFunctional = QStringLiteral("This feature is not functional.");

} // namespace

class PagesTest : public WindowTest
{
protected:
    // The strip's picture followed by the tabs that have a border: "TopMenu.jpg Setup".
    QString strip() const
    {
        QString result = pictureOf("imgAllCategory");
        for (const char* tab : {"Categories", "Reports", "Setup", "Help"}) {
            if (label(QStringLiteral("lbl") + QLatin1String(tab))->frameShape() == QFrame::Box)
                result += QLatin1Char(' ') + QLatin1String(tab);
        }
        return result;
    }
    // Opens a screen, named by the way to it, from wherever the window is.
    void open(const QString& screen)
    {
        backToOverview();
        if (screen == "status") {
            openStatus(Gas);
            type("txtAmount", "5");
        } else if (screen == "list" || screen == "edit") {
            openStatus(Food);
            click("lblArrowDown");
            if (screen == "edit")
                click("lblReportEdit");
        } else if (screen == "menu") {
            openMenuBar();
            click("lblReports");
        } else if (screen != "Categories") {
            leave(screen);
        }
    }
    // Leaves by an arrow or button, the Categories tab or a menu entry.
    void leave(const QString& way)
    {
        if (way.startsWith("lbl"))
            click(way);
        else if (way == "Categories")
            backToOverview();
        else if (way == "FAQs" || way.endsWith("/A"))
            openHelp(way);
        else if (way == "Setup Budget" || way == "Transfer Funds")
            openSetup(way);
        else
            openReport(way);
    }
    void press(const char* name, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mousePress(label(name), button, modifiers, label(name)->rect().center());
    }
    void release(const char* name, Qt::MouseButton button = Qt::LeftButton,
                 Qt::KeyboardModifiers modifiers = {}, QPoint at = {})
    {
        QTest::mouseRelease(label(name), button, modifiers,
                            at.isNull() ? label(name)->rect().center() : at);
    }
    // The looks while held and after the release.
    QString pressAndRelease(const char* name, Qt::MouseButton button = Qt::LeftButton,
                            Qt::KeyboardModifiers modifiers = {})
    {
        press(name, button, modifiers);
        const QString held = look(name);
        release(name, button, modifiers);
        return held + " then " + look(name);
    }
};

TEST_F(PagesTest, TopStripSwitchesBarsAndTabsOpenTheirListsWithABorder)
{
    endAbout();
    EXPECT_EQ(onScreen(), "lblHelp");
    // Opens a tab's list; a second click changes nothing.
    const auto openTab = [this](const char* tab, const QString& strip, const QString& screen) {
        click(tab);
        EXPECT_EQ(this->strip(), strip);
        EXPECT_EQ(onScreen(), screen);
        const std::string open = snapshot();
        click(tab);
        EXPECT_EQ(snapshot(), open) << tab << " clicked again";
    };
    openTab("imgAllCategory", "TopMenu.jpg", kMenuBar);
    EXPECT_EQ(find("imgAllCategory")->size(), QSize(245, 22));
    openTab("lblReports", "TopMenu.jpg Reports", QString(kMenuBar) + " lstReports");
    openTab("lblSetup", "TopMenu.jpg Setup", QString(kMenuBar) + " lstSetup");
    openTab("lblReports", "TopMenu.jpg Reports", QString(kMenuBar) + " lstReports");
    click("lblCategories");
    EXPECT_EQ(strip(), "Title.jpg");
    EXPECT_EQ(onScreen(), "lblHelp");
    openTab("lblHelp", "Title.jpg Help", "lblHelp lstHelp");
    // The strip's click closes the Help list too.
    click("imgAllCategory");
    EXPECT_EQ(onScreen(), kMenuBar);

    // An icon brings the title bar back and closes the open list.
    click("lblSetup");
    openStatus(Telephone);
    EXPECT_EQ(strip(), "Title.jpg");
    EXPECT_EQ(onScreen(), kStatusPage);
    EXPECT_EQ(text("lblCategory"), "Telephone");

    // The Menu button is the strip's click: it closes the Help list, the page stays.
    click("lblHelp");
    openMenuBar();
    EXPECT_EQ(pictureOf("imgAllCategory"), "TopMenu.jpg");
    EXPECT_FALSE(shown("lblHelp") || shown("lstHelp"));
    EXPECT_TRUE(shown("lblCategories") && shown("lblReports") && shown("lblSetup"));
    EXPECT_EQ(page(), "report1.jpg");
}

TEST_F(PagesTest, BackAsksAndKeepsTheTypedInputsWhenAnsweredNo)
{
    const QString prompt = QStringLiteral("Do you want to go back to the category page without "
                                          "saving the data you are editing now?");
    endAbout();
    openStatus(Food);
    type("txtAmount", "4.75");
    type("txtDescription", "Lunch");
    choose("cboPayment", "Check");
    click("imgAllCategory");

    answerNext(Answer::No);
    click("lblReportBack");
    EXPECT_EQ(messages.size(), 1u);
    expectMessage(prompt, "Go back to category page?", Seams::Buttons::YesNo);
    EXPECT_EQ(page(), "report1.jpg");
    EXPECT_TRUE(shown("imgReport"));
    EXPECT_EQ(inputs(), "12/5/26|4.75|Lunch|Check");

    answerNext(Answer::Yes);
    click("lblReportBack");
    EXPECT_EQ(messages.size(), 2u);
    expectMessage(prompt, "Go back to category page?", Seams::Buttons::YesNo);
    EXPECT_EQ(onScreen(), kMenuBar) << "the page closes; Back does not return the title bar";
    EXPECT_EQ(inputs(), "12/5/26|4.75|Lunch|Check");
    EXPECT_EQ(storedLines(Food).size(), 6);
    EXPECT_EQ(amounts(Food), "217.12/300");
}

TEST_F(PagesTest, ArrowsAndScrollButtonsPageBetweenStatusAndListOfTheSameCategory)
{
    endAbout();
    for (const auto& [down, up] :
         {std::pair {"lblArrowDown", "lblArrowUp"}, std::pair {"lblScrollDown", "lblScrollUp"}}) {
        SCOPED_TRACE(down);
        openStatus(Parking);
        type("txtAmount", "3");
        const std::string status = snapshot();
        click(up);
        EXPECT_EQ(snapshot(), status) << "up on the status page does nothing";

        click(down);
        EXPECT_EQ(page(), "report2.jpg");
        EXPECT_EQ(onScreen(),
                  "imgFront lblHelp lblReportDelete lblReportEdit optReport(0) "
                  "optReport(1) picReport");
        EXPECT_EQ(window->currentCategory(), Parking);
        const std::string list = snapshot();
        click(down);
        EXPECT_EQ(snapshot(), list) << "down on the list does nothing";

        // Up opens the same category's status page afresh.
        click(up);
        EXPECT_EQ(onScreen(), kStatusPage);
        EXPECT_EQ(statusPage(), "Parking $26/$50 meter4.jpg $26/$50 12/5/26|||");
        backToOverview();
    }
    EXPECT_TRUE(messages.empty());
}

// No control of the screen left stays on the new one (neither the About OK nor
// the edit page's group), and the title bar comes back with its Help tab.
TEST_F(PagesTest, EveryWayOffEveryScreenLeavesOnlyTheNewScreen)
{
    // Over the start-up About screen too.
    openSetup("Transfer Funds");
    EXPECT_EQ(onScreen(), kTransferPage);
    EXPECT_EQ(page(), "Transfer.jpg");

    QString pageAtNotice;
    Seams::setMessageHandler([&](const Seams::Message& message) {
        messages.push_back(message);
        pageAtNotice = page();
        return Answer::Ok;
    });
    // A way off, the page it opens and what is then on the screen.
    const std::tuple<QString, QString, QString> ways[] = {
        {"lblArrowDown", "FAQ2.jpg", kFaqPage},
        {"lblScrollDown", "FAQ2.jpg", kFaqPage},
        {"lblArrowUp", "FAQ1.jpg", kFaqPage},
        {"lblScrollUp", "FAQ1.jpg", kFaqPage},
        {"FAQs", "FAQ1.jpg", kFaqPage},
        {"About   /A", "about.jpg", "imgFront lblAboutOK"},
        {"Categories", "", "lblHelp"},
        {"Current Status  /C", "", "lblHelp"},
        {"History/Trends  /H", "", "lblHelp"},
        {"Setup Budget", "Setup.jpg", kSetupPage},
        {"Transfer Funds", "Transfer.jpg", kTransferPage},
    };
    const QStringList seeded = ledgerState();
    for (const QString from : {"Categories", "status", "list", "edit", "FAQs", "lblArrowDown",
                               "About   /A", "Setup Budget", "Transfer Funds"}) {
        for (const auto& [name, picture, screenAfter] : ways) {
            const bool arrow = name.startsWith("lbl");
            const bool help = name == "FAQs" || name.endsWith("/A");
            // The arrows page within a category; the About page hides the Help tab.
            if ((arrow && (from == "status" || from == "list")) || (help && from.endsWith("/A")))
                continue;
            SCOPED_TRACE((name + " from " + from).toStdString());
            open(from);
            const QString before = page();
            messages.clear();
            leave(name);
            EXPECT_EQ(page(), picture);
            EXPECT_EQ(onScreen(), screenAfter);
            EXPECT_EQ(strip(), "Title.jpg");
            if (from == "status") {
                EXPECT_EQ(text("txtAmount"), "5") << "hiding clears nothing";
            }
            if (!page().isEmpty()) {
                const bool about = page() == "about.jpg";
                EXPECT_EQ(find("imgFront")->geometry(),
                          QRect(51, about ? 56 : 78, 245, about ? 245 : 223));
            }
            if (name.endsWith("/C") || name.endsWith("/H")) {
                // The Reports notice comes over the screen, which closes after it.
                expectMessage(kNotFunctional);
                EXPECT_EQ(messages.size(), 1u);
                EXPECT_EQ(pageAtNotice, before);
            } else {
                EXPECT_TRUE(messages.empty());
            }
        }
    }
    EXPECT_EQ(ledgerState(), seeded);
}

TEST_F(PagesTest, OrganiserButtonsGiveTheNoticeAndLeaveEveryScreenAsItWas)
{
    for (const QString screen : {"start-up", "overview", "status", "menu", "list", "edit",
                                 "lblArrowDown", "About   /A", "Setup Budget"}) {
        SCOPED_TRACE(screen.toStdString());
        if (screen == "overview")
            endAbout();
        else if (screen != "start-up")
            open(screen);
        const std::string before = snapshot();
        for (const char* button :
             {"lblCalendar", "lblContacts", "lblTasks", "lblNotes", "lblCalculator", "lblFind"}) {
            messages.clear();
            click(button);
            EXPECT_EQ(messages.size(), 1u) << button;
            expectMessage(kNotFunctional);
            EXPECT_EQ(snapshot(), before) << button;
        }
        messages.clear();
        click("lblApplications");
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(snapshot(), before) << "Applications";
    }
}

// Any mouse button and modifier shows the pressed look while held; only a left
// click acts, after the release. Menu tabs start opaque and stay transparent.
TEST_F(PagesTest, LabelButtonsLookPressedOnlyWhileHeldAndOnlyTheLeftButtonClicks)
{
    endAbout();
    openStatus(Food);
    EXPECT_EQ(look("lblReportBack"), "released");
    EXPECT_EQ(pressAndRelease("lblReportBack", Qt::RightButton, Qt::ShiftModifier),
              "pressed then released");
    EXPECT_EQ(pressAndRelease("lblReportBack", Qt::MiddleButton), "pressed then released");
    EXPECT_EQ(label("lblReportBack")->palette().color(QPalette::Window), kPressedColour)
        << "kept, unseen";
    // Pressed and dragged off before the release: the look goes, no click.
    press("lblReportBack");
    release("lblReportBack", Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_EQ(look("lblReportBack"), "released");
    EXPECT_TRUE(messages.empty());

    // A left click: the look is released before Back asks its question.
    QString lookWhenAsked;
    Seams::setMessageHandler([&](const Seams::Message& message) {
        messages.push_back(message);
        lookWhenAsked = look("lblReportBack");
        return Answer::No;
    });
    press("lblReportBack", Qt::LeftButton, Qt::ControlModifier);
    EXPECT_TRUE(messages.empty());
    release("lblReportBack", Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(lookWhenAsked, "released");

    backToOverview();
    EXPECT_TRUE(label("lblHelp")->autoFillBackground()) << "opaque before the first press";
    EXPECT_EQ(pressAndRelease("lblHelp"), "pressed then released");
    EXPECT_TRUE(shown("lstHelp"));
    openMenuBar();
    press("lblReports");
    EXPECT_FALSE(shown("lstReports")) << "the list opens on the click, after the release";
    release("lblReports");
    EXPECT_EQ(look("lblReports"), "released");
    EXPECT_EQ(label("lblReports")->frameShape(), QFrame::Box);
    // The right button shows the look on the Setup tab but opens nothing.
    EXPECT_EQ(pressAndRelease("lblSetup", Qt::RightButton, Qt::AltModifier),
              "pressed then released");
    EXPECT_EQ(onScreen(), QString(kMenuBar) + " lstReports");
}

TEST_F(PagesTest, OkHidesItselfOnReleaseAndOnlyItsClickEndsTheAboutScreen)
{
    auto* timer = window->findChild<QTimer*>("tim1");
    // The right button: the label goes on release, the About picture stays and
    // the start-up timer is still what ends it.
    press("lblAboutOK", Qt::RightButton);
    EXPECT_EQ(look("lblAboutOK"), "pressed");
    EXPECT_TRUE(shown("lblAboutOK"));
    release("lblAboutOK", Qt::RightButton);
    EXPECT_EQ(onScreen(), "imgFront");
    EXPECT_TRUE(timer->isActive());
    timer->start(1);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !shown("imgFront"); }));
    EXPECT_EQ(onScreen(), "lblHelp");

    // From the Help menu, the left button: pressed while held, then gone with the page.
    openHelp("About   /A");
    EXPECT_EQ(look("lblAboutOK"), "released") << "the About page opens with OK released";
    press("lblAboutOK");
    EXPECT_EQ(look("lblAboutOK"), "pressed");
    EXPECT_EQ(onScreen(), "imgFront lblAboutOK");
    release("lblAboutOK");
    EXPECT_EQ(look("lblAboutOK"), "released");
    EXPECT_EQ(onScreen(), "lblHelp");

    // The right button again: the page stays without its OK until it is left,
    // and leaving it still brings the Help tab back.
    openHelp("About   /A");
    press("lblAboutOK", Qt::RightButton);
    release("lblAboutOK", Qt::RightButton);
    EXPECT_EQ(onScreen(), "imgFront");
    EXPECT_EQ(page(), "about.jpg");
    click("lblArrowDown");
    EXPECT_EQ(page(), "FAQ2.jpg");
    EXPECT_EQ(onScreen(), kFaqPage);
    EXPECT_TRUE(messages.empty());
}
