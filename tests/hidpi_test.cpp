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
    for (const ControlSpec& row : inventory()) {
        if (row.kind == Kind::Image || row.kind == Kind::Timer || row.kind == Kind::OptionArray)
            continue;
        const PixelRect r = toPixels(row.twips);
        const QString name = QString::fromUtf8(row.name.data(), qsizetype(row.name.size()));
        EXPECT_EQ(find(name)->geometry(), QRect(r.x, r.y, r.width, r.height)) << row.name;
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
    openSetup("Transfer Funds");
    EXPECT_EQ(page(), "Transfer.jpg 245x223 @2");
    click("lblArrowUp");
    EXPECT_EQ(page(), "FAQ1.jpg 245x223 @2");
    click("lblArrowDown");
    EXPECT_EQ(page(), "FAQ2.jpg 245x223 @2");
    openHelp("About   /A");
    EXPECT_EQ(page(), "about.jpg 245x245 @2");
    EXPECT_EQ(find("imgFront")->pos(), QPoint(51, 56));
}

TEST(HiDpiPictures, AMissingOrBrokenTwiceSizeDrawingFallsBackToThePlainPicture)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QDir runDir = QDir::current();
    for (const char* file : {"report1.jpg", "report2.jpg", "edit.jpg", "edit@2x.jpg"})
        ASSERT_TRUE(QFile::copy(runDir.filePath(file), dir.filePath(file))) << file;
    QFile broken(dir.filePath("report2@2x.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("not a picture") > 0);
    broken.close();

    // The working directory is the first place looked in and holds them all. Each
    // picture as "density size".
    QDir::setCurrent(dir.path());
    QStringList loaded;
    for (const auto& [file, density] : {std::pair {"report1.jpg", 2.0},
                                        {"report2.jpg", 2.0},
                                        {"edit.jpg", 2.0},
                                        {"edit.jpg", 1.25}}) {
        const QPixmap pixmap = Pictures::load(QString::fromLatin1(file), density);
        loaded << QStringLiteral("%1 %2x%3")
                      .arg(pixmap.devicePixelRatio())
                      .arg(pixmap.deviceIndependentSize().width())
                      .arg(pixmap.deviceIndependentSize().height());
    }
    QDir::setCurrent(runDir.path());
    // Missing, unreadable, twice, and plain at a density with no drawing of its own.
    EXPECT_EQ(loaded, QStringList({"1 245x223", "1 245x223", "2 245x223", "1 245x223"}));
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_SCALE_FACTOR"))
        qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
