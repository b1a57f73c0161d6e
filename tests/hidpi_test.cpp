// The window on a screen of twice the pixel density (QT_SCALE_FACTOR=2): every picture
// comes from its twice-size drawing and every control keeps its place and size.
#include "inventory.h"
#include "pictures.h"
#include "window_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

class HiDpiTest : public WindowTest
{
protected:
    // "report1.jpg 245x223 @2": the picture file, the control's size and the picture's
    // density; a picture that does not fill its control exactly says so.
    QString picture(const QString& name) const
    {
        const QLabel* image = label(name);
        const QPixmap pixmap = image->pixmap();
        QString result = QStringLiteral("%1 %2x%3 @%4")
                             .arg(pictureOf(name))
                             .arg(image->width())
                             .arg(image->height())
                             .arg(pixmap.devicePixelRatio());
        if (pixmap.deviceIndependentSize().toSize() != image->size())
            result += QStringLiteral(" (picture %1x%2)")
                          .arg(pixmap.deviceIndependentSize().width())
                          .arg(pixmap.deviceIndependentSize().height());
        return result.trimmed();
    }
    QString page() const { return picture(QStringLiteral("imgFront")); }
};

TEST_F(HiDpiTest, EveryPictureIsSharpAndEveryControlKeepsItsPlace)
{
    ASSERT_EQ(window->devicePixelRatio(), 2);
    EXPECT_EQ(window->size(), QSize(335, 512));
    EXPECT_EQ(picture("imgOstrel"), "335x513 @2");
    EXPECT_EQ(picture("imgFront"), "245x245 @2");
    EXPECT_EQ(picture("imgAllCategory"), "245x22 @2");
    for (const QString& icon : kIcons)
        EXPECT_TRUE(picture(icon).endsWith(QStringLiteral(".jpg 76x45 @2")))
            << picture(icon).toStdString();

    // Every control but the pictures stands where the design puts it, in logical pixels.
    for (const ControlSpec& spec : inventory()) {
        if (spec.kind == Kind::Image || spec.kind == Kind::Timer || spec.kind == Kind::OptionArray)
            continue;
        const PixelRect r = toPixels(spec.twips);
        const QString name = QString::fromUtf8(spec.name.data(), qsizetype(spec.name.size()));
        EXPECT_EQ(find(name)->geometry(), QRect(r.x, r.y, r.width, r.height)) << spec.name;
    }

    endAbout();
    EXPECT_EQ(picture("imgAllCategory"), "245x22 @2") << "the built-in title until a menu";
    openStatus(0);
    EXPECT_EQ(page(), "report1.jpg 245x223 @2");
    EXPECT_EQ(picture("imgReport"), "meter6.jpg 76x45 @2");
    EXPECT_EQ(picture("imgAllCategory"), "Title.jpg 245x22 @2");
    click("lblArrowDown");
    EXPECT_EQ(page(), "report2.jpg 245x223 @2");
    click("lblReportEdit");
    EXPECT_EQ(page(), "edit.jpg 245x223 @2");
    click("lblMenuButton");
    EXPECT_EQ(picture("imgAllCategory"), "TopMenu.jpg 245x22 @2");
    click("lblSetup");
    pick("lstSetup", "Setup Budget");
    EXPECT_EQ(page(), "Setup.jpg 245x223 @2");
    click("lblMenuButton");
    click("lblSetup");
    pick("lstSetup", "Transfer Funds");
    EXPECT_EQ(page(), "Transfer.jpg 245x223 @2");
    click("lblArrowUp");
    EXPECT_EQ(page(), "FAQ1.jpg 245x223 @2");
    click("lblArrowDown");
    EXPECT_EQ(page(), "FAQ2.jpg 245x223 @2");
    click("lblHelp");
    pick("lstHelp", "About   /A");
    EXPECT_EQ(page(), "about.jpg 245x245 @2");
    EXPECT_EQ(find("imgFront")->pos(), QPoint(51, 56));
}

TEST(HiDpiPictures, AMissingOrBrokenTwiceSizeDrawingFallsBackToThePlainPicture)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDir runDir = QDir::current();
    ASSERT_TRUE(QFile::copy(runDir.filePath("report1.jpg"), dir.filePath("report1.jpg")));
    ASSERT_TRUE(QFile::copy(runDir.filePath("report2.jpg"), dir.filePath("report2.jpg")));
    ASSERT_TRUE(QFile::copy(runDir.filePath("edit.jpg"), dir.filePath("edit.jpg")));
    ASSERT_TRUE(QFile::copy(runDir.filePath("edit@2x.jpg"), dir.filePath("edit@2x.jpg")));
    QFile broken(dir.filePath("report2@2x.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("not a picture");
    broken.close();

    // The working directory is the first place looked in and holds them all.
    QDir::setCurrent(dir.path());
    const QPixmap missing = Pictures::load(QStringLiteral("report1.jpg"), 2);
    const QPixmap unreadable = Pictures::load(QStringLiteral("report2.jpg"), 2);
    const QPixmap twice = Pictures::load(QStringLiteral("edit.jpg"), 2);
    const QPixmap plain = Pictures::load(QStringLiteral("edit.jpg"), 1.25);
    QDir::setCurrent(runDir.path());

    EXPECT_EQ(missing.devicePixelRatio(), 1);
    EXPECT_EQ(missing.size(), QSize(245, 223));
    EXPECT_EQ(unreadable.devicePixelRatio(), 1);
    EXPECT_EQ(unreadable.size(), QSize(245, 223));
    EXPECT_EQ(twice.devicePixelRatio(), 2);
    EXPECT_EQ(twice.deviceIndependentSize(), QSizeF(245, 223));
    EXPECT_EQ(plain.devicePixelRatio(), 1);
    EXPECT_EQ(plain.size(), QSize(245, 223));
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
