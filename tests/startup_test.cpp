#include "window_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

struct IconExpectation
{
    const char* icon;
    const char* picture;
    const char* toolTip;
};

const IconExpectation kSeededIcons[] = {
    {"imgFood", "meter6.jpg", "$217.12/$300"},      {"imgElectricity", "meter8.jpg", "$100/$100"},
    {"imgParking", "meter4.jpg", "$26/$50"},        {"imgGas", "meter5.jpg", "$66.21/$100"},
    {"imgEntertainment", "meter7.jpg", "$82/$100"}, {"imgSchool", "meter4.jpg", "$48/$100"},
    {"imgRent", "meter0.jpg", "$0/$1000"},          {"imgTelephone", "meter5.jpg", "$100/$150"},
    {"imgClothing", "meter6.jpg", "$76.5/$100"},
};

const char* const kPageControls[]
    = {"cboCateName",    "txtAlertAmount", "txtBudgetAmount", "cboCategory",    "cboInterval",
       "txtTotal",       "txtTransAmount", "cboTransTo",      "cboTransFrom",   "lstSetup",
       "lstReports",     "lstHelp",        "picReport",       "cboPayment",     "txtDescription",
       "txtAmount",      "txtDate",        "lblBudget",       "lblSetupEdit",   "lblSetupReset",
       "lblSetupCancel", "lblTransDone",   "lblTransReset",   "lblTransCancel", "lblEditNumber",
       "lblEditDone",    "lblEditReset",   "lblEditCancel",   "lblSetup",       "lblReports",
       "lblCategories",  "lblHelp",        "lblReportDelete", "lblReportEdit",  "lblReportReset",
       "imgReport",      "lblReportDone",  "lblReportBack",   "lblCategory",    "lblBudgeted",
       "lblAvailable"};

} // namespace

TEST_F(WindowTest, StartsWithTheAboutPictureOverSeededIcons)
{
    EXPECT_EQ(window->size(), QSize(335, 512));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Brivant"));
    EXPECT_EQ(window->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly).size(), 87)
        << "77 widgets of the inventory plus 11 option buttons, less the option array's own row";

    EXPECT_TRUE(shown("imgFront"));
    EXPECT_EQ(pictureOf("imgFront"), QString()) << "the About picture is built in";
    EXPECT_EQ(find("imgFront")->geometry(), QRect(51, 56, 245, 245));
    EXPECT_TRUE(shown("lblAboutOK"));
    EXPECT_TRUE(shown("lblArrowUp"));
    EXPECT_TRUE(shown("lblArrowDown"));
    for (const char* name : kPageControls)
        EXPECT_FALSE(shown(QString::fromLatin1(name))) << name;
    for (int i = 0; i <= 10; ++i)
        EXPECT_FALSE(option(i)->isVisible());
    EXPECT_TRUE(option(0)->isChecked());

    for (const auto& expected : kSeededIcons) {
        const QString icon = QString::fromLatin1(expected.icon);
        EXPECT_EQ(pictureOf(icon), QString::fromLatin1(expected.picture)) << expected.icon;
        EXPECT_EQ(label(icon)->toolTip(), QString::fromLatin1(expected.toolTip)) << expected.icon;
        EXPECT_EQ(find(icon)->size(), QSize(76, 45));
    }
    EXPECT_EQ(combo("cboTransFrom")->currentText(), QStringLiteral("Food"));
    EXPECT_EQ(combo("cboTransTo")->currentText(), QStringLiteral("Electricity"));
    EXPECT_EQ(combo("cboPayment")->currentText(), QString());
    EXPECT_EQ(combo("cboInterval")->currentIndex(), -1);
}

TEST_F(WindowTest, StartUpTimerEndsTheAboutScreenOnce)
{
    auto* timer = window->findChild<QTimer*>(QStringLiteral("tim1"));
    ASSERT_TRUE(timer);
    EXPECT_EQ(timer->interval(), 5000);
    EXPECT_TRUE(timer->isSingleShot());
    EXPECT_TRUE(timer->isActive());

    // Open the menu bar over the About picture; the timer does not look at it.
    click(QStringLiteral("lblMenuButton"));
    EXPECT_TRUE(shown("lblSetup"));

    timer->start(20);
    for (int waited = 0; shown("imgFront") && waited < 2000; waited += 10)
        QTest::qWait(10);
    EXPECT_FALSE(shown("imgFront"));
    EXPECT_FALSE(shown("lblAboutOK"));
    EXPECT_TRUE(shown("lblHelp"));
    EXPECT_FALSE(timer->isActive());
}

TEST_F(WindowTest, OkEndsTheAboutScreenAndTheTimerNeverFires)
{
    auto* timer = window->findChild<QTimer*>(QStringLiteral("tim1"));
    endAbout();
    EXPECT_FALSE(shown("imgFront"));
    EXPECT_FALSE(shown("lblAboutOK"));
    EXPECT_TRUE(shown("lblHelp"));
    EXPECT_FALSE(timer->isActive());

    // Something opened afterwards is not disturbed by a late timer.
    click(QStringLiteral("imgFood"));
    QTest::qWait(50);
    EXPECT_TRUE(shown("imgFront"));
    EXPECT_FALSE(timer->isActive());
}

TEST_F(WindowTest, PowerButtonClosesTheWindowWithoutAQuestion)
{
    endAbout();
    click(QStringLiteral("lblPowerButton"));
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(messages.empty());
}

// Missing, empty and garbage picture files must leave placeholders of the right
// size, never end the program.
TEST(Pictures, BrokenFilesGivePlaceholdersOfTheirSize)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString previous = QDir::currentPath();
    const QDir pictures(previous);
    // Keep Title.jpg, leave out report1.jpg, and spoil two meters.
    ASSERT_TRUE(QFile::copy(pictures.filePath(QStringLiteral("Title.jpg")),
                            folder.filePath(QStringLiteral("Title.jpg"))));
    QFile empty(folder.filePath(QStringLiteral("meter6.jpg")));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    QFile garbage(folder.filePath(QStringLiteral("meter8.jpg")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write(QByteArray("\xff\xd8\xff\xe0 this is not a picture", 26).repeated(50));
    garbage.close();
    ASSERT_TRUE(QDir(folder.filePath(QStringLiteral("meter4.jpg"))).mkpath(QStringLiteral(".")));

    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    Seams::setMessageHandler([](const Seams::Message&) { return Answer::Ok; });
    {
        frmMain window;
        window.show();
        for (const char* icon : {"imgFood", "imgElectricity", "imgParking", "imgRent"}) {
            auto* image = window.findChild<QLabel*>(QString::fromLatin1(icon));
            EXPECT_EQ(image->size(), QSize(76, 45)) << icon;
            EXPECT_FALSE(image->pixmap().isNull()) << icon;
        }
        auto* food = window.findChild<QLabel*>(QStringLiteral("imgFood"));
        auto* ok = window.findChild<QLabel*>(QStringLiteral("lblAboutOK"));
        QTest::mouseClick(ok, Qt::LeftButton, {}, ok->rect().center());
        QTest::mouseClick(food, Qt::LeftButton, {}, food->rect().center());
        auto* front = window.findChild<QLabel*>(QStringLiteral("imgFront"));
        EXPECT_TRUE(front->isVisible());
        EXPECT_EQ(front->property("pictureFile").toString(), QStringLiteral("report1.jpg"));
        EXPECT_EQ(front->geometry(), QRect(51, 78, 245, 223));
        auto* strip = window.findChild<QLabel*>(QStringLiteral("imgAllCategory"));
        EXPECT_EQ(strip->size(), QSize(245, 22));
    }
    Seams::setMessageHandler({});
    QDir::setCurrent(previous);
}
