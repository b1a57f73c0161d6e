#include "window_fixture.h"

#include <QImage>
#include <QTest>
#include <QTimer>

TEST_F(WindowTest, StartsWithTheAboutPictureOverSeededIcons)
{
    EXPECT_EQ(window->size(), QSize(335, 512));
    EXPECT_EQ(window->windowTitle(), "Brivant");
    EXPECT_EQ(window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 88)
        << "77 widgets of the inventory plus 11 option buttons, less the option array's own "
           "row, and the focus ring";

    // No page control, option button or menu tab: only the About picture and its OK.
    EXPECT_EQ(onScreen(), "imgFront lblAboutOK");
    EXPECT_TRUE(shown("lblArrowUp") && shown("lblArrowDown"));
    EXPECT_EQ(pictureOf("imgFront"), QString()) << "the About picture is built in";
    EXPECT_EQ(find("imgFront")->geometry(), QRect(51, 56, 245, 245));
    EXPECT_TRUE(option(0)->isChecked());

    QStringList looks;
    for (int i = 0; i < 9; ++i)
        looks << iconLook(i) + (find(kIcons[i])->size() == QSize(76, 45) ? "" : " wrong size");
    EXPECT_EQ(
        looks,
        QStringList({"meter6.jpg $217.12/$300", "meter8.jpg $100/$100", "meter4.jpg $26/$50",
                     "meter5.jpg $66.21/$100", "meter7.jpg $82/$100", "meter4.jpg $48/$100",
                     "meter0.jpg $0/$1000", "meter5.jpg $100/$150", "meter6.jpg $76.5/$100"}));
    EXPECT_EQ(text("cboTransFrom") + "|" + text("cboTransTo") + "|" + text("cboPayment"),
              "Food|Electricity|");
    EXPECT_EQ(combo("cboInterval")->currentIndex(), -1);
    // Shown, a picture file has the very pixels Qt's own reader makes of it.
    endAbout();
    EXPECT_EQ(find("imgFood")->grab().toImage().convertToFormat(QImage::Format_RGB32),
              QImage("meter6.jpg").convertToFormat(QImage::Format_RGB32));
}

// The timer ends the About screen whatever was opened over it; OK ends it at
// once, and the timer never fires afterwards.
TEST_F(WindowTest, TimerOrOkEndsTheAboutScreenOnce)
{
    auto* timer = window->findChild<QTimer*>("tim1");
    ASSERT_TRUE(timer);
    EXPECT_EQ(timer->interval(), 5000);
    EXPECT_TRUE(timer->isSingleShot());
    EXPECT_TRUE(timer->isActive());

    openMenuBar();
    EXPECT_TRUE(shown("lblSetup"));
    timer->start(20);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !shown("imgFront"); }, 2000));
    EXPECT_FALSE(shown("lblAboutOK"));
    EXPECT_TRUE(shown("lblHelp"));
    EXPECT_FALSE(timer->isActive());
}

TEST_F(WindowTest, OkEndsTheAboutScreenAndThePowerButtonClosesWithoutAQuestion)
{
    auto* timer = window->findChild<QTimer*>("tim1");
    endAbout();
    EXPECT_EQ(onScreen(), "lblHelp");
    EXPECT_FALSE(timer->isActive());

    // Something opened afterwards is not disturbed by a late timer.
    openStatus(0);
    QTest::qWait(50);
    EXPECT_EQ(page(), "report1.jpg");
    EXPECT_FALSE(timer->isActive());

    click("lblPowerButton");
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(messages.empty());
}
