// The picture files: each has the size it is shown at, the screen's density picks the
// twice-size drawings, and a start among spoilt files shows placeholders of the same sizes.
#include "driver.h"
#include "pictures.h"

#include <QBuffer>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// How the hostile start spoils a file: cut in the header or halfway (which decodes into a
// partial picture), garbage after a JPEG start marker, a FIFO that would wait for ever, a
// JPEG declaring 60000 x 60000 (14 GB decoded) or 5000 x 5000 (100 MB, within Qt's limit).
enum class Spoil {
    Missing,
    Empty,
    CutInHeader,
    CutInData,
    Garbage,
    JpegGarbage,
    Folder,
    Fifo,
    Huge,
    Large
};

// clang-format off
const std::tuple<QString, QSize, Spoil> kFiles[] = {
    {"Title.jpg", {245, 22}, Spoil::CutInData}, {"TopMenu.jpg", {245, 22}, Spoil::Garbage},
    {"report1.jpg", {245, 223}, Spoil::Missing}, {"report2.jpg", {245, 223}, Spoil::Empty},
    {"edit.jpg", {245, 223}, Spoil::Folder}, {"Setup.jpg", {245, 223}, Spoil::Huge},
    {"Transfer.jpg", {245, 223}, Spoil::Large}, {"FAQ1.jpg", {245, 223}, Spoil::JpegGarbage},
    {"FAQ2.jpg", {245, 223}, Spoil::CutInHeader}, {"about.jpg", {245, 245}, Spoil::Fifo},
    {"meter0.jpg", {76, 45}, Spoil::Huge}, {"meter1.jpg", {76, 45}, Spoil::Empty}, {"meter2.jpg", {76, 45}, Spoil::Fifo},
    {"meter3.jpg", {76, 45}, Spoil::CutInData}, {"meter4.jpg", {76, 45}, Spoil::Folder},
    {"meter5.jpg", {76, 45}, Spoil::Garbage}, {"meter6.jpg", {76, 45}, Spoil::Large},
    {"meter7.jpg", {76, 45}, Spoil::Missing}, {"meter8.jpg", {76, 45}, Spoil::CutInHeader}};

// Steps to every screen, then the images shown there and their files.
const char* const kVisits[][3] = {
    {"click lblAboutOK", "imgFood imgElectricity imgParking imgGas imgEntertainment imgSchool imgRent imgTelephone "
     "imgClothing", "meter6 meter8 meter4 meter5 meter7 meter4 meter0 meter5 meter6"},
    {"click imgFood", "imgFront imgReport imgAllCategory", "report1 meter6 Title"},
    {"type txtAmount 120; click lblReportDone", "imgReport imgFood", "meter3 meter3"},
    {"type txtAmount 20; click lblReportDone", "imgFood", "meter2"},
    {"type txtAmount 40; click lblReportDone", "imgFood", "meter1"},
    {"click lblArrowDown", "imgFront", "report2"}, {"click lblReportEdit", "imgFront", "edit"},
    {"click lblMenuButton", "imgAllCategory", "TopMenu"},
    {"click lblSetup; pick lstSetup Setup Budget", "imgFront", "Setup"},
    {"click lblMenuButton; click lblSetup; pick lstSetup Transfer Funds", "imgFront", "Transfer"},
    {"click lblArrowUp", "imgFront", "FAQ1"}, {"click lblArrowDown", "imgFront", "FAQ2"},
    {"click lblHelp; pick lstHelp About   /A", "imgFront", "about"}};
// clang-format on

long peakKilobytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

class PictureFiles : public Script
{
protected:
    // Opens every screen: each picture shown has its file's size, and a spoilt one shows as
    // the grey placeholder, unless it decodes in part.
    void visitEveryScreen(bool spoilt)
    {
        for (const auto& [steps, images, files] : kVisits) {
            for (const QString& line : QString(steps).split("; "))
                ASSERT_EQ(step(line), "");
            const QStringList names = QString(images).split(' '), shown = QString(files).split(' ');
            for (qsizetype i = 0; i < names.size(); ++i) {
                const auto& [file, size, spoil] = *std::ranges::find(
                    kFiles, shown[i] + ".jpg", [](auto& f) { return std::get<0>(f); });
                const QString expected = " %1x%2 @%3";
                EXPECT_EQ(observe("picture " + names[i]),
                          file
                              + expected.arg(size.width())
                                    .arg(size.height())
                                    .arg(spoilt ? 1 : window->devicePixelRatio()));
                const QImage picture = window->findChild<QLabel*>(names[i])->pixmap().toImage();
                EXPECT_TRUE(!spoilt || spoil == Spoil::CutInData
                            || picture.pixelColor(10, 10) == QColor(236, 236, 236))
                    << qPrintable(file);
            }
        }
    }
};

// Also run with QT_SCALE_FACTOR=2, where every picture comes from its twice-size drawing.
TEST_F(PictureFiles, EachHasItsSizeAndTheScreensDensity)
{
    EXPECT_EQ(window->size(), QSize(335, 512));
    for (const auto& [file, size, spoil] : kFiles) {
        EXPECT_EQ(QImage(file).size(), size) << qPrintable(file);
        EXPECT_EQ(QImage(QString(file).replace(".jpg", "@2x.jpg")).size(), size * 2)
            << qPrintable(file);
    }
    const QString density = " @" + QString::number(window->devicePixelRatio());
    run({{"", "picture imgOstrel= 335x513" + density + "; picture imgFront= 245x245" + density}});
    visitEveryScreen(false);
    // The meters read from empty to full, each fuller than the one below.
    for (int level = 0, last = 0, coloured = 0; level <= 8;
         ++level, last = std::exchange(coloured, 0)) {
        const QImage meter(QStringLiteral("meter%1.jpg").arg(level));
        for (int pixel = 0; pixel < meter.width() * meter.height(); ++pixel) {
            const QColor c = meter.pixelColor(pixel % meter.width(), pixel / meter.width());
            coloured += c.hsvSaturationF() > 0.45 && c.valueF() > 0.35;
        }
        EXPECT_TRUE(level == 0 ? coloured < 10 : coloured > last) << "meter" << level;
    }
}

// The window started in a folder of spoilt picture files.
class HostilePictures : public PictureFiles
{
protected:
    void SetUp() override
    {
        QByteArray garbage, jpeg;
        for (int i = 0; i < 4000; ++i)
            garbage += char(i * 7919 % 251);
        // A small real JPEG whose frame header will claim another size.
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QImage image(16, 16, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        image.save(&buffer, "JPG");
        const qsizetype frame = jpeg.indexOf("\xff\xc0");
        for (const auto& [file, size, spoil] : kFiles) {
            QFile real(file), out(folder.filePath(file));
            const QByteArray picture
                = real.open(QIODevice::ReadOnly) ? real.readAll() : QByteArray();
            // clang-format off
            const QByteArray bytes[] = {{}, {}, picture.left(20), picture.left(picture.size() / 2), garbage,
                QByteArray("\xff\xd8\xff\xe0 this is not a picture", 26).repeated(50), {}, {},
                QByteArray(jpeg).replace(frame + 5, 4, "\xea\x60\xea\x60"), QByteArray(jpeg).replace(frame + 5, 4, "\x13\x88\x13\x88")};
            // clang-format on
            const bool made = spoil == Spoil::Folder ? QDir(folder.path()).mkdir(file)
                : spoil == Spoil::Fifo
                ? mkfifo(qPrintable(out.fileName()), 0600) == 0
                : out.open(QIODevice::WriteOnly) && out.write(bytes[int(spoil)]) >= 0;
            ASSERT_TRUE(made && !picture.isEmpty() && (spoil != Spoil::Missing || out.remove()))
                << qPrintable(file);
        }
        // A sound and a broken twice-size drawing.
        QFile broken(folder.filePath("report2@2x.jpg"));
        ASSERT_TRUE(QFile::copy("edit@2x.jpg", folder.filePath("edit@2x.jpg"))
                    && broken.open(QIODevice::WriteOnly) && broken.write(garbage) > 0
                    && QDir::setCurrent(folder.path()));
        broken.close();
        peakBefore = peakKilobytes();
        PictureFiles::SetUp();
    }
    void TearDown() override { QDir::setCurrent(previous); }

    const QString previous = QDir::currentPath();
    QTemporaryDir folder;
    long peakBefore = 0;
};

TEST_F(HostilePictures, EveryScreenShowsPlaceholdersOfTheirSizeAndMemoryStaysBounded)
{
    visitEveryScreen(true);
    // Decoding any of the declared sizes would take 100 MB at the least.
    EXPECT_LT(peakKilobytes() - peakBefore, 40 * 1024);
    // A missing or broken twice-size drawing falls back to the plain picture.
    QStringList loaded;
    for (const auto& [file, density] : {std::pair {"report1.jpg", 2.0},
                                        {"report2.jpg", 2.0},
                                        {"edit.jpg", 2.0},
                                        {"edit.jpg", 1.25}})
        loaded << QString::number(Pictures::load(file, density).devicePixelRatio());
    EXPECT_EQ(loaded, QStringList({"1", "1", "2", "1"}));
}
