// The pictures are drawn at build time from the window's inventory. These tests
// read what was written and hold it against the window: every picture has the size
// the window shows it at, every input of a page stands on a plain white field,
// button faces and arrows lie where their click areas are, and the meters read
// from empty to full.
#include "artwork.h"
#include "inventory.h"

#include <QColor>
#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cmath>
#include <gtest/gtest.h>
#include <string_view>
#include <vector>

namespace {

const QDir kRunDir(QStringLiteral(BRIVANT_RUN_DIR));
const QDir kBuiltinDir(QStringLiteral(BRIVANT_BUILTIN_DIR));

QImage load(const QDir& dir, const char* name)
{
    return QImage(dir.filePath(QString::fromLatin1(name))).convertToFormat(QImage::Format_RGB32);
}

QImage meter(int level)
{
    return load(kRunDir, QStringLiteral("meter%1.jpg").arg(level).toLatin1().constData());
}

QRect windowRect(std::string_view control)
{
    const PixelRect r = toPixels(controlSpec(control).twips);
    return {r.x, r.y, r.width, r.height};
}

// Where the window puts a page picture's top-left corner.
const QPoint kPageOrigin(toPixels(kScreenTwips.left), toPixels(kPageTopTwips));
const QPoint kStripOrigin(toPixels(kScreenTwips.left), toPixels(kScreenTwips.top));
const QPoint kAboutOrigin(toPixels(kScreenTwips.left), toPixels(kAboutTopTwips));

QRect onPicture(std::string_view control, QPoint origin, qreal scale = 1)
{
    const QRect r = windowRect(control).translated(-origin);
    return QRectF(QPointF(r.topLeft()) * scale, QSizeF(r.size()) * scale).toRect();
}

bool light(QRgb pixel)
{
    return qRed(pixel) >= 235 && qGreen(pixel) >= 235 && qBlue(pixel) >= 235;
}

bool dark(QRgb pixel)
{
    return qMax(qMax(qRed(pixel), qGreen(pixel)), qBlue(pixel)) < 140;
}

bool pale(QRgb pixel)
{
    return qGray(pixel) >= 200;
}

bool coloured(QRgb pixel)
{
    const QColor c = QColor::fromRgb(pixel);
    return c.hsvSaturationF() > 0.45 && c.valueF() > 0.35;
}

template<typename Test> int count(const QImage& image, QRect area, Test test)
{
    area = area.intersected(image.rect());
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            n += test(image.pixel(x, y)) ? 1 : 0;
    }
    return n;
}

template<typename Test> double share(const QImage& image, QRect area, Test test)
{
    area = area.intersected(image.rect());
    return double(count(image, area, test)) / qMax(1, area.width() * area.height());
}

double meanDifference(const QImage& a, const QImage& b)
{
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q))
                + std::abs(qBlue(p) - qBlue(q));
        }
    }
    return sum / (3.0 * a.width() * a.height());
}

struct Page
{
    const char* file;
    // Text boxes, drop-down lists and the labels that show a value: each needs a
    // white place of its own on the picture.
    std::vector<std::string_view> fields;
    std::vector<std::string_view> buttons;
    bool upWorks;
    bool downWorks;
};

// Which controls each page shows and what the arrows do there, as the window behaves.
// clang-format off
const std::vector<Page> kPages {
    {"report1.jpg", {"txtDate", "txtAmount", "txtDescription", "cboPayment", "lblAvailable",
                     "lblBudgeted", "lblCategory"},
     {"lblReportBack", "lblReportReset", "lblReportDone"}, false, true},
    {"report2.jpg", {}, {"lblReportEdit", "lblReportDelete"}, true, false},
    {"edit.jpg", {"txtDate", "txtAmount", "txtDescription", "cboPayment", "lblCategory",
                  "lblEditNumber"},
     {"lblEditCancel", "lblEditReset", "lblEditDone"}, true, true},
    {"Setup.jpg", {"txtTotal", "cboInterval", "cboCateName", "txtBudgetAmount", "txtAlertAmount",
                   "cboCategory", "lblBudget"},
     {"lblSetupCancel", "lblSetupReset", "lblSetupEdit"}, true, true},
    {"Transfer.jpg", {"txtTransAmount", "cboTransFrom", "cboTransTo"},
     {"lblTransCancel", "lblTransReset", "lblTransDone"}, true, true},
    {"FAQ1.jpg", {}, {}, true, true},
    {"FAQ2.jpg", {}, {}, true, true}};
// clang-format on

void expectFieldsOnWhite(const QImage& page, const Page& expected, qreal scale)
{
    for (std::string_view field : expected.fields) {
        const QRect area = onPicture(field, kPageOrigin, scale);
        EXPECT_GE(share(page, area, light), 0.98)
            << expected.file << " at scale " << scale << ": no plain white field under " << field;
        // The caption stands to the left on the same rows.
        const QRect left(int(2 * scale), area.top(), area.left() - int(4 * scale), area.height());
        EXPECT_GT(count(page, left, dark), 0) << expected.file << ": no caption beside " << field;
    }
}

// A face is framed right at the label's edge and light inside.
void expectFace(const QImage& picture, const char* file, std::string_view button, QPoint origin)
{
    const QRect face = onPicture(button, origin);
    const QRect topEdge(face.left() + 2, face.top(), face.width() - 4, 1);
    EXPECT_GE(share(picture, topEdge, dark), 0.9) << file << ": no face edge under " << button;
    EXPECT_GE(share(picture, face.adjusted(3, 3, -3, -3), pale), 0.98)
        << file << ": no light face under " << button;
}

} // namespace

TEST(PictureFiles, EveryPictureHasTheSizeTheWindowShowsItAt)
{
    for (const char* strip : {"Title.jpg", "TopMenu.jpg"})
        EXPECT_EQ(load(kRunDir, strip).size(), QSize(245, 22)) << strip;
    for (const Page& page : kPages)
        EXPECT_EQ(load(kRunDir, page.file).size(), QSize(245, 223)) << page.file;
    EXPECT_EQ(load(kRunDir, "about.jpg").size(), QSize(245, 245));
    for (int level = 0; level <= 8; ++level)
        EXPECT_EQ(meter(level).size(), QSize(76, 45)) << level;

    // clang-format off
    for (const auto& [name, size] : {std::pair {"skin.jpg", QSize(335, 513)},
             {"about.jpg", QSize(245, 245)}, {"title.jpg", QSize(245, 22)},
             {"meter.jpg", QSize(76, 45)}, {"hand.png", QSize(32, 32)}})
        EXPECT_EQ(load(kBuiltinDir, name).size(), size) << name;
    // clang-format on
    const QImage icon = load(kBuiltinDir, "icon.png");
    EXPECT_EQ(icon.width(), icon.height());
    EXPECT_GE(icon.width(), 32);

    // The start-up About picture and the one the Help menu opens are the same.
    EXPECT_LT(meanDifference(load(kBuiltinDir, "about.jpg"), load(kRunDir, "about.jpg")), 1.0);
}

// Every input stands on a plain white field with its caption beside it, every
// button on a face framed at the label's edge, and arrows only where they work.
TEST(PictureFiles, EveryPageDrawsFieldsButtonsAndArrowsUnderItsControls)
{
    for (const Page& page : kPages) {
        const QImage picture = load(kRunDir, page.file);
        expectFieldsOnWhite(picture, page, 1);
        for (std::string_view button : page.buttons)
            expectFace(picture, page.file, button, kPageOrigin);
        for (const auto& [arrow, works] :
             {std::pair {"lblArrowUp", page.upWorks}, {"lblArrowDown", page.downWorks}}) {
            const int marks = count(picture, onPicture(arrow, kPageOrigin), dark);
            EXPECT_TRUE(works ? marks > 40 : marks == 0)
                << page.file << ": " << marks << " marks under " << arrow << ", which "
                << (works ? "turns a page there" : "does nothing there");
        }
    }
    for (const QDir& dir : {kRunDir, kBuiltinDir})
        expectFace(load(dir, "about.jpg"), "about.jpg", "lblAboutOK", kAboutOrigin);
    // The recent transactions are printed into a grey box, whose place is grey too.
    EXPECT_GE(share(load(kRunDir, "report2.jpg"), onPicture("picReport", kPageOrigin),
                    [](QRgb p) { return qAbs(qGray(p) - 224) <= 8; }),
              0.98);

    // Tabs sit as light faces in the dark bar of the top strip.
    const auto expectTabs
        = [](const QImage& strip, const char* file, std::vector<std::string_view> tabs) {
              for (std::string_view tab : tabs) {
                  const QRect face = onPicture(tab, kStripOrigin).intersected(strip.rect());
                  EXPECT_GE(share(strip, face.adjusted(1, 1, -1, -1), pale), 0.9)
                      << file << ": no light tab under " << tab;
                  const QRect beside(face.left() - 4, face.top() + 4, 1, face.height() - 8);
                  EXPECT_GE(share(strip, beside, [](QRgb p) { return qGray(p) < 130; }), 0.9)
                      << file << ": no bar beside " << tab;
              }
          };
    expectTabs(load(kRunDir, "Title.jpg"), "Title.jpg", {"lblHelp"});
    expectTabs(load(kBuiltinDir, "title.jpg"), "title.jpg", {"lblHelp"});
    expectTabs(load(kRunDir, "TopMenu.jpg"), "TopMenu.jpg",
               {"lblCategories", "lblReports", "lblSetup"});
}

TEST(PictureFiles, MetersFillFromEmptyOnTheLeftToFullOnTheRightInEighths)
{
    // The dial's left quarter near E and right quarter near F.
    const QRect nearEmpty(2, 4, 20, 32);
    const QRect nearFull(54, 4, 20, 32);
    EXPECT_LT(count(meter(0), meter(0).rect(), coloured), 10) << "level 0 shows a fill";
    EXPECT_GT(count(meter(4), nearEmpty, coloured), 60);
    EXPECT_LT(count(meter(4), nearFull, coloured), 10);
    EXPECT_GT(count(meter(8), nearEmpty, coloured), 60);
    EXPECT_GT(count(meter(8), nearFull, coloured), 60);
    for (int level = 1; level <= 8; ++level) {
        EXPECT_GT(count(meter(level), meter(0).rect(), coloured),
                  count(meter(level - 1), meter(0).rect(), coloured))
            << "level " << level << " is not fuller than the one below";
        EXPECT_GT(meanDifference(meter(level), meter(level - 1)), 2.0)
            << "meter" << level << " looks like meter" << level - 1;
    }
    // Red near empty, green when full, read at a glance.
    const auto hueShare = [](const QImage& image, int from, int to) {
        return double(count(image, image.rect(),
                            [=](QRgb p) {
                                const int hue = (QColor::fromRgb(p).hsvHue() + 360 - from) % 360;
                                return coloured(p) && hue <= (to + 360 - from) % 360;
                            }))
            / count(image, image.rect(), coloured);
    };
    EXPECT_GT(hueShare(meter(1), 340, 20), 0.8);
    EXPECT_GT(hueShare(meter(8), 90, 160), 0.8);
}

TEST(PictureFiles, TheSkinShowsAWhiteScreenAndAGreenPowerButtonUnderTheirPlaces)
{
    const QImage skin = load(kBuiltinDir, "skin.jpg");
    EXPECT_GE(share(skin, windowRect("imgFront"), light), 0.99);
    EXPECT_GE(share(skin, windowRect("lblPowerButton").adjusted(3, 3, -3, -3),
                    [](QRgb p) { return qGreen(p) > qRed(p) + 40 && qGreen(p) > qBlue(p) + 30; }),
              0.5);
    // The body around the screen is dark, not the white of the screen.
    EXPECT_GE(share(skin, QRect(10, 200, 20, 60), dark), 0.9);
}

TEST(PictureFiles, DrawnAtTwiceTheSizeFieldsStayUnderTheirControls)
{
    for (const Page& page : kPages) {
        const QImage picture = Artwork::draw(QString::fromLatin1(page.file), 2)
                                   .convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(picture.size(), QSize(490, 446)) << page.file;
        expectFieldsOnWhite(picture, page, 2);
    }
    EXPECT_EQ(Artwork::draw(u"skin.jpg", 2).size(), QSize(670, 1026));
    EXPECT_EQ(Artwork::draw(u"meter5.jpg", 2).size(), QSize(152, 90));
    EXPECT_TRUE(Artwork::draw(u"nothing.jpg").isNull());
}

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
