#include "screen_state.h"
#include "window_fixture.h"

#include <QTest>
#include <QTimer>

#include <functional>

using ScreenState::names;
using ScreenState::onScreen;
using ScreenState::snapshot;

namespace {

enum Category { Food, Electricity, Parking, Gas, Entertainment, School, Rent, Telephone, Clothing };

const QString kNotFunctional = QStringLiteral("This feature is not functional.");
const QColor kPurple(110, 0, 170);

bool looksPressed(const QLabel* label)
{
    return label->autoFillBackground() && label->palette().color(QPalette::Window) == kPurple
        && label->palette().color(QPalette::WindowText) == QColor(Qt::white);
}

bool looksReleased(const QLabel* label)
{
    return !label->autoFillBackground()
        && label->palette().color(QPalette::WindowText) == QColor(Qt::black);
}

} // namespace

class ShellTest : public WindowTest
{
protected:
    // The Menu button reaches the menu bar even while the About page covers the strip.
    void openMenuBar() { click(QStringLiteral("lblMenuButton")); }
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
    QString page() const { return shown("imgFront") ? pictureOf("imgFront") : QString(); }
    void press(const char* name, Qt::MouseButton button = Qt::LeftButton,
               Qt::KeyboardModifiers modifiers = {})
    {
        QLabel* target = label(QString::fromLatin1(name));
        QTest::mousePress(target, button, modifiers, target->rect().center());
    }
    void release(const char* name, Qt::MouseButton button = Qt::LeftButton,
                 Qt::KeyboardModifiers modifiers = {}, QPoint at = {})
    {
        QLabel* target = label(QString::fromLatin1(name));
        QTest::mouseRelease(target, button, modifiers, at.isNull() ? target->rect().center() : at);
    }
    QTimer* timer() const { return window->findChild<QTimer*>(QStringLiteral("tim1")); }
};

TEST_F(ShellTest, HelpMenuOpensTheFaqPageAndTheAboutPageUntilOk)
{
    endAbout();
    openStatus(Food);
    openHelp(QStringLiteral("FAQs"));
    EXPECT_EQ(page(), QStringLiteral("FAQ1.jpg"));
    EXPECT_EQ(find("imgFront")->geometry(), QRect(51, 78, 245, 223));
    EXPECT_EQ(onScreen(*window), names({"imgFront", "lblHelp"}))
        << "the status page closed, the list closed, the Help tab stays";
    EXPECT_EQ(label("lblHelp")->frameShape(), QFrame::NoFrame);

    openHelp(QStringLiteral("About   /A"));
    EXPECT_EQ(page(), QStringLiteral("about.jpg"));
    EXPECT_EQ(find("imgFront")->geometry(), QRect(51, 56, 245, 245)) << "covers the strip";
    EXPECT_EQ(onScreen(*window), names({"imgFront", "lblAboutOK"})) << "no Help tab until OK";
    EXPECT_EQ(pictureOf("imgAllCategory"), QStringLiteral("Title.jpg"));

    click(QStringLiteral("lblAboutOK"));
    EXPECT_EQ(onScreen(*window), names({"lblHelp"}));
    EXPECT_EQ(page(), QString());
    EXPECT_FALSE(timer()->isActive());
    EXPECT_TRUE(messages.empty());
}

// Any page opened while the About page from the Help menu shows takes its OK
// label away and gives the title bar its Help tab back.
TEST_F(ShellTest, LeavingTheAboutPageAnyWayBringsTheHelpTabBack)
{
    endAbout();
    const std::vector<std::pair<const char*, std::function<void()>>> ways = {
        {"down arrow",
         [this] {
             click(QStringLiteral("lblArrowDown"));
         }},
        {"up scroll button",
         [this] {
             click(QStringLiteral("lblScrollUp"));
         }},
        {"Categories tab",
         [this] {
             backToOverview();
         }},
        {"Reports entry",
         [this] {
             openMenuBar();
             click(QStringLiteral("lblReports"));
             pick(QStringLiteral("lstReports"), QStringLiteral("Current Status  /C"));
         }},
        {"Setup Budget",
         [this] {
             openSetupMenu(QStringLiteral("Setup Budget"));
         }},
        {"Transfer Funds",
         [this] {
             openSetupMenu(QStringLiteral("Transfer Funds"));
         }},
    };
    for (const auto& [way, leave] : ways) {
        SCOPED_TRACE(way);
        backToOverview();
        openHelp(QStringLiteral("About   /A"));
        ASSERT_TRUE(shown("lblAboutOK"));
        leave();
        EXPECT_FALSE(shown("lblAboutOK"));
        EXPECT_TRUE(shown("lblHelp"));
        EXPECT_EQ(pictureOf("imgAllCategory"), QStringLiteral("Title.jpg"));
        EXPECT_NE(page(), QStringLiteral("about.jpg"));
    }
    EXPECT_EQ(messages.size(), 1u) << "only the Reports notice";

    // A right-button release takes the OK label but leaves the About page; the
    // tab still comes back when the page is left.
    backToOverview();
    openHelp(QStringLiteral("About   /A"));
    press("lblAboutOK", Qt::RightButton);
    release("lblAboutOK", Qt::RightButton);
    ASSERT_FALSE(shown("lblAboutOK"));
    ASSERT_EQ(page(), QStringLiteral("about.jpg"));
    click(QStringLiteral("lblArrowDown"));
    EXPECT_EQ(page(), QStringLiteral("FAQ2.jpg"));
    EXPECT_TRUE(shown("lblHelp"));
}

TEST_F(ShellTest, OrganiserButtonsGiveTheNoticeAndLeaveEveryScreenAsItWas)
{
    const std::vector<std::pair<const char*, std::function<void()>>> screens = {
        {"start-up About screen",
         [] {
         }},
        {"overview",
         [this] {
             endAbout();
         }},
        {"status page with typing",
         [this] {
             openStatus(Parking);
             type(QStringLiteral("txtAmount"), QStringLiteral("7"));
         }},
        {"menu bar with a list open",
         [this] {
             openMenuBar();
             click(QStringLiteral("lblReports"));
         }},
        {"recent-transactions page",
         [this] {
             click(QStringLiteral("lblArrowDown"));
         }},
        {"FAQ page",
         [this] {
             backToOverview();
             click(QStringLiteral("lblArrowDown"));
         }},
    };
    for (const auto& [name, open] : screens) {
        SCOPED_TRACE(name);
        open();
        const std::string before = snapshot(*window);
        for (const char* button :
             {"lblCalendar", "lblContacts", "lblTasks", "lblNotes", "lblCalculator", "lblFind"}) {
            messages.clear();
            click(QString::fromLatin1(button));
            ASSERT_EQ(messages.size(), 1u) << button;
            EXPECT_EQ(lastPrompt(), kNotFunctional) << button;
            EXPECT_EQ(lastTitle(), QStringLiteral("Ostrel")) << button;
            EXPECT_EQ(messages.back().buttons, Seams::Buttons::Ok) << button;
            EXPECT_EQ(snapshot(*window), before) << button;
        }
        messages.clear();
        click(QStringLiteral("lblApplications"));
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(snapshot(*window), before) << "Applications";
    }
}

TEST_F(ShellTest, ActionButtonLooksPressedOnlyWhileHeldAndOnlyTheLeftButtonClicks)
{
    endAbout();
    openStatus(Food);
    QLabel* back = label(QStringLiteral("lblReportBack"));
    EXPECT_TRUE(looksReleased(back));

    // Any button, any modifier: pressed while held, released after; no question.
    for (const auto button : {Qt::RightButton, Qt::MiddleButton}) {
        press("lblReportBack", button, Qt::ShiftModifier);
        EXPECT_TRUE(looksPressed(back));
        release("lblReportBack", button, Qt::ShiftModifier);
        EXPECT_TRUE(looksReleased(back));
        EXPECT_EQ(back->palette().color(QPalette::Window), kPurple) << "kept, unseen";
    }
    EXPECT_TRUE(messages.empty());

    // Pressed and dragged off before the release: the look goes, no click.
    press("lblReportBack");
    EXPECT_TRUE(looksPressed(back));
    release("lblReportBack", Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_TRUE(looksReleased(back));
    EXPECT_TRUE(messages.empty());

    // A left click: the look is released before Back asks its question.
    bool releasedWhenAsked = false;
    Seams::setMessageHandler([&](const Seams::Message& message) {
        messages.push_back(message);
        releasedWhenAsked = looksReleased(back);
        return Answer::No;
    });
    press("lblReportBack", Qt::LeftButton, Qt::ControlModifier);
    EXPECT_TRUE(messages.empty());
    release("lblReportBack", Qt::LeftButton, Qt::ControlModifier);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(releasedWhenAsked);
    EXPECT_TRUE(looksReleased(back));
}

TEST_F(ShellTest, MenuTabLooksPressedWhileHeldThenStaysTransparent)
{
    endAbout();
    openMenuBar();
    QLabel* reports = label(QStringLiteral("lblReports"));
    EXPECT_TRUE(reports->autoFillBackground()) << "opaque before the first press";

    press("lblReports");
    EXPECT_TRUE(looksPressed(reports));
    EXPECT_FALSE(shown("lstReports")) << "the list opens on the click, after the release";
    release("lblReports");
    EXPECT_TRUE(looksReleased(reports));
    EXPECT_TRUE(shown("lstReports"));
    EXPECT_EQ(reports->frameShape(), QFrame::Box);

    // The right button shows the look on the Setup tab but opens nothing.
    QLabel* setup = label(QStringLiteral("lblSetup"));
    press("lblSetup", Qt::RightButton, Qt::AltModifier);
    EXPECT_TRUE(looksPressed(setup));
    release("lblSetup", Qt::RightButton, Qt::AltModifier);
    EXPECT_TRUE(looksReleased(setup));
    EXPECT_FALSE(shown("lstSetup"));
    EXPECT_TRUE(shown("lstReports"));

    click(QStringLiteral("lblCategories"));
    QLabel* help = label(QStringLiteral("lblHelp"));
    press("lblHelp");
    EXPECT_TRUE(looksPressed(help));
    release("lblHelp");
    EXPECT_TRUE(looksReleased(help));
    EXPECT_TRUE(shown("lstHelp"));
}

TEST_F(ShellTest, OkHidesItselfOnReleaseAndOnlyItsClickEndsTheAboutScreen)
{
    QLabel* ok = label(QStringLiteral("lblAboutOK"));
    // The right button: the label goes on release, the About picture stays and
    // the start-up timer is still what ends it.
    press("lblAboutOK", Qt::RightButton);
    EXPECT_TRUE(looksPressed(ok));
    EXPECT_TRUE(ok->isVisible());
    release("lblAboutOK", Qt::RightButton);
    EXPECT_FALSE(ok->isVisible());
    EXPECT_TRUE(shown("imgFront"));
    EXPECT_TRUE(timer()->isActive());
    EXPECT_FALSE(shown("lblHelp"));

    // From the Help menu, the left button: pressed while held, then gone with the page.
    timer()->start(1);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !shown("imgFront"); }));
    EXPECT_TRUE(shown("lblHelp"));
    click(QStringLiteral("lblHelp"));
    pick(QStringLiteral("lstHelp"), QStringLiteral("About   /A"));
    ASSERT_TRUE(ok->isVisible());
    EXPECT_TRUE(looksReleased(ok)) << "the About page opens with OK released";
    press("lblAboutOK");
    EXPECT_TRUE(looksPressed(ok));
    EXPECT_TRUE(shown("imgFront"));
    release("lblAboutOK");
    EXPECT_FALSE(ok->isVisible());
    EXPECT_TRUE(looksReleased(ok));
    EXPECT_EQ(onScreen(*window), names({"lblHelp"}));
}

TEST_F(ShellTest, BothReportsGiveTheNoticeThenCloseEveryPage)
{
    endAbout();
    bool pageShownAtNotice = false;
    Seams::setMessageHandler([&](const Seams::Message& message) {
        messages.push_back(message);
        pageShownAtNotice = shown("imgFront");
        return Answer::Ok;
    });
    const std::vector<std::pair<const char*, std::function<void()>>> pages = {
        {"status page",
         [this] {
             openStatus(Gas);
             type(QStringLiteral("txtAmount"), QStringLiteral("5"));
         }},
        {"recent-transactions page",
         [this] {
             openStatus(Food);
             click(QStringLiteral("lblArrowDown"));
         }},
        {"transaction edit page",
         [this] {
             openStatus(Food);
             click(QStringLiteral("lblArrowDown"));
             click(QStringLiteral("lblReportEdit"));
         }},
        {"FAQ page",
         [this] {
             click(QStringLiteral("lblArrowUp"));
         }},
        {"budget setup page",
         [this] {
             openSetupMenu(QStringLiteral("Setup Budget"));
         }},
        {"funds transfer page",
         [this] {
             openSetupMenu(QStringLiteral("Transfer Funds"));
         }},
    };
    const ledger::CategoryTable seeded = window->categories();
    for (const QString& entry :
         {QStringLiteral("Current Status  /C"), QStringLiteral("History/Trends  /H")}) {
        for (const auto& [name, open] : pages) {
            SCOPED_TRACE(entry.toStdString() + " over the " + name);
            open();
            ASSERT_TRUE(shown("imgFront"));
            messages.clear();
            openMenuBar();
            click(QStringLiteral("lblReports"));
            pick(QStringLiteral("lstReports"), entry);
            ASSERT_EQ(messages.size(), 1u);
            EXPECT_EQ(lastPrompt(), kNotFunctional);
            EXPECT_EQ(lastTitle(), QStringLiteral("Ostrel"));
            EXPECT_EQ(messages.back().buttons, Seams::Buttons::Ok);
            EXPECT_TRUE(pageShownAtNotice) << "the page closes after the notice";
            EXPECT_EQ(onScreen(*window), names({"lblHelp"}));
            EXPECT_EQ(pictureOf("imgAllCategory"), QStringLiteral("Title.jpg"));
            for (const char* tab : {"lblCategories", "lblReports", "lblSetup", "lblHelp"})
                EXPECT_EQ(label(QString::fromLatin1(tab))->frameShape(), QFrame::NoFrame) << tab;
        }
    }
    for (int i = 0; i < ledger::kCategoryCount; ++i) {
        EXPECT_EQ(record(i).Available, seeded[std::size_t(i)].Available) << i;
        EXPECT_EQ(record(i).Budget, seeded[std::size_t(i)].Budget) << i;
        EXPECT_EQ(record(i).Lines, seeded[std::size_t(i)].Lines) << i;
    }
}
