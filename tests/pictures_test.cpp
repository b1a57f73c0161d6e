// The picture files: each has the size it is shown at, twice that in its twice-size drawing;
// a start among spoilt files shows placeholders of the same sizes. The walk holds every
// picture shown to its size, and run on a screen of twice the density to its drawing.
#include "driver.h"
#include "pictures.h"

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// How the hostile start spoils a file: cut in the header or halfway (which decodes into a
// partial picture), garbage after a JPEG start marker, a FIFO that would wait for ever, a
// JPEG declaring 60000 x 60000 (14 GB decoded) or 5000 x 5000 (100 MB, within Qt's limit).
// clang-format off
enum class Spoil { Missing, Empty, CutInHeader, CutInData, Garbage, JpegGarbage, Folder, Fifo, Huge, Large };

const std::tuple<QString, QSize, Spoil> kFiles[] = {
    {"Title.jpg", {245, 22}, Spoil::CutInData}, {"TopMenu.jpg", {245, 22}, Spoil::Garbage},
    {"report1.jpg", {245, 223}, Spoil::Missing}, {"report2.jpg", {245, 223}, Spoil::Empty},
    {"edit.jpg", {245, 223}, Spoil::Folder}, {"Setup.jpg", {245, 223}, Spoil::Huge},
    {"Transfer.jpg", {245, 223}, Spoil::Large}, {"FAQ1.jpg", {245, 223}, Spoil::JpegGarbage},
    {"FAQ2.jpg", {245, 223}, Spoil::CutInHeader}, {"about.jpg", {245, 245}, Spoil::Fifo},
    {"meter0.jpg", {76, 45}, Spoil::Huge}, {"meter1.jpg", {76, 45}, Spoil::Empty},
    {"meter2.jpg", {76, 45}, Spoil::Fifo}, {"meter3.jpg", {76, 45}, Spoil::CutInData},
    {"meter4.jpg", {76, 45}, Spoil::Folder}, {"meter5.jpg", {76, 45}, Spoil::Garbage},
    {"meter6.jpg", {76, 45}, Spoil::Large}, {"meter7.jpg", {76, 45}, Spoil::Missing},
    {"meter8.jpg", {76, 45}, Spoil::CutInHeader}};
// clang-format on

long peakKilobytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

TEST(PictureFiles, EachHasItsSizeAndTheMetersFillFromEmptyToFull)
{
    for (const auto& [file, size, spoil] : kFiles) {
        EXPECT_EQ(QImage(file).size(), size) << qPrintable(file);
        EXPECT_EQ(QImage(QString(file).replace(".jpg", "@2x.jpg")).size(), size * 2);
    }
    // Each meter fuller than the one below.
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

// The window started in a folder of spoilt picture files, walked at random.
class HostilePictures : public Script
{
protected:
    void SetUp() override
    {
        const QByteArray garbage = QByteArray("\x89\x13 no picture \x00\xfe\x7f", 17).repeated(240);
        for (const auto& [file, size, spoil] : kFiles) {
            QFile real(file), out(folder.filePath(file));
            const QByteArray picture
                = real.open(QIODevice::ReadOnly) ? real.readAll() : QByteArray();
            // Where the picture's size is declared.
            const qsizetype frame = picture.indexOf("\xff\xc0");
            // clang-format off
            const QByteArray bytes[] = {{}, {}, picture.left(20), picture.left(picture.size() / 2), garbage,
                QByteArray("\xff\xd8\xff\xe0 this is not a picture", 26).repeated(50), {}, {},
                QByteArray(picture).replace(frame + 5, 4, "\xea\x60\xea\x60"), // 60000 x 60000
                QByteArray(picture).replace(frame + 5, 4, "\x13\x88\x13\x88")}; // 5000 x 5000
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
        Script::SetUp();
    }
    void TearDown() override { QDir::setCurrent(previous); }

    const QString previous = QDir::currentPath();
    QTemporaryDir folder;
    long peakBefore = 0;
};

TEST_F(HostilePictures, EachShowsAPlaceholderOfItsSizeAndMemoryStaysBounded)
{
    // What cannot be decoded whole shows as the grey placeholder.
    for (const auto& [file, size, spoil] : kFiles) {
        const QImage picture = Pictures::load(file).toImage();
        const bool grey = picture.pixelColor(10, 10) == QColor(236, 236, 236);
        EXPECT_TRUE(picture.size() == size && (grey || spoil == Spoil::CutInData))
            << qPrintable(file);
    }
    // Decoding any of the declared sizes would take 100 MB at the least.
    EXPECT_LT(peakKilobytes() - peakBefore, 40 * 1024);
    // A missing or broken twice-size drawing falls back to the plain picture.
    // clang-format off
    for (const auto& [file, density] : {std::pair {"report1.jpg", 1}, {"report2.jpg", 1}, {"edit.jpg", 2}})
        EXPECT_EQ(Pictures::load(file, 2).devicePixelRatio(), density) << file;
    // clang-format on
    // In the window, each meter and the status page's shows it at the meter's size.
    for (QLabel* meter : window->findChildren<QLabel*>()) {
        const QImage shown = meter->grab().toImage();
        if (!meter->property("pictureFile").toString().startsWith("meter"))
            continue;
        EXPECT_TRUE(shown.size() == QSize(76, 45)
                    && shown.pixelColor(10, 10) == QColor(236, 236, 236))
            << qPrintable(meter->objectName());
    }
    // And the window walked among them.
    strict = false;
    std::mt19937 random(1);
    for (int n = 0; n < 2000; ++n) {
        if (!window->isVisible())
            start();
        ASSERT_EQ(step(randomStep(random)).toStdString(), "");
    }
}
