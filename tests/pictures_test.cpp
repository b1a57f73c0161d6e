// The picture files: each has the size it is shown at, twice that in its twice-size drawing;
// a start among spoilt files shows placeholders of the same sizes, and sound smaller files at
// their own. The walk holds every picture shown to its place, and run on a screen of twice the
// density to its drawing.
#include "driver.h"
#include "jpeg.h"
#include "pictures.h"

#include <QBuffer>
#include <QDir>
#include <QImageWriter>
#include <QLabel>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <atomic>
#include <csignal>
#include <ctime>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

// How the hostile start spoils a file: cut in the header or halfway (where a decoder would
// show a partial picture), garbage after a JPEG start marker, a FIFO that would wait for
// ever, a JPEG declaring 60000 x 60000 (14 GB decoded), 5000 x 5000 (100 MB, within Qt's
// limit), 500 pixels tall and cut halfway, or 20 rows fewer than its data holds; a plain
// progressive JPEG of the expected size whose last scan comes a million times (half a
// minute's decoding), or a sound one a pixel taller. Not spoilt: a sound smaller one.
// clang-format off
enum class Spoil { Missing, Empty, CutInHeader, CutInData, Garbage, JpegGarbage, Folder, Fifo, Huge, Large, Tall, Short, Scans, Over, Smaller };

const std::tuple<QString, QSize, Spoil> kFiles[] = {
    {"Title.jpg", {245, 22}, Spoil::CutInData}, {"TopMenu.jpg", {245, 22}, Spoil::Garbage},
    {"report1.jpg", {245, 223}, Spoil::Missing}, {"report2.jpg", {245, 223}, Spoil::Empty},
    {"edit.jpg", {245, 223}, Spoil::Folder}, {"Setup.jpg", {245, 223}, Spoil::Scans},
    {"Transfer.jpg", {245, 223}, Spoil::Over}, {"FAQ1.jpg", {245, 223}, Spoil::Smaller},
    {"FAQ2.jpg", {245, 223}, Spoil::CutInHeader}, {"about.jpg", {245, 245}, Spoil::Short},
    {"meter0.jpg", {76, 45}, Spoil::Huge}, {"meter1.jpg", {76, 45}, Spoil::JpegGarbage},
    {"meter2.jpg", {76, 45}, Spoil::Fifo}, {"meter3.jpg", {76, 45}, Spoil::CutInData},
    {"meter4.jpg", {76, 45}, Spoil::Tall}, {"meter5.jpg", {76, 45}, Spoil::Garbage},
    {"meter6.jpg", {76, 45}, Spoil::Large}, {"meter7.jpg", {76, 45}, Spoil::Missing},
    {"meter8.jpg", {76, 45}, Spoil::Smaller}};
// clang-format on

long peakKilobytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double threadSeconds()
{
    timespec used {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &used);
    return double(used.tv_sec) + double(used.tv_nsec) / 1e9;
}

// A blue progressive JPEG whose last scan, a dozen bytes, comes again the given times.
QByteArray rescanned(QSize size, int times)
{
    QImage blank(size, QImage::Format_RGB32);
    blank.fill(Qt::blue);
    QBuffer file;
    QImageWriter writer(&file, "jpeg");
    writer.setProgressiveScanWrite(true);
    if (!writer.write(blank))
        return {};
    const QByteArray bytes = file.data();
    const qsizetype end = bytes.size() - 2, last = bytes.lastIndexOf("\xff\xda");
    return bytes.first(end) + bytes.sliced(last, end - last).repeated(times) + "\xff\xd9";
}

// A sound picture that fits its place: a page 245 x 200, a meter 70 x 40.
QSize smaller(QSize place)
{
    return {place.width() - 6 * (place.width() < 245), place.height() * 9 / 10};
}

} // namespace

TEST(PictureFiles, EachHasItsSizeAndTheMetersFillFromEmptyToFull)
{
    for (const auto& [file, size, spoil] : kFiles) {
        EXPECT_EQ(QImage(file).size(), size) << qPrintable(file);
        for (const int scale : {2, 3})
            EXPECT_EQ(QImage(QString(file).replace(".jpg", QString("@%1x.jpg").arg(scale))).size(),
                      size * scale);
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

namespace {
int resumeDecode = -1; // the end of a pipe a held-up decode waits on
std::atomic<bool> heldUp = false;

void waitForThePage(int, siginfo_t*, void*)
{
    heldUp = true;
    char go = 0;
    while (read(resumeDecode, &go, 1) < 0 && errno == EINTR) { }
}
} // namespace

// A decode held up mid-file, where the file's next page is not yet in memory, for twice the
// cap on the clock: the cap counts the decoding thread's own time, so the picture still shows.
TEST(PictureFiles, ADecodeHeldUpMidFileStillShows)
{
    const QSize size(245, 223);
    QImage noise(size, QImage::Format_RGB32);
    QRandomGenerator random(7);
    for (int pixel = 0; pixel < size.width() * size.height(); ++pixel)
        noise.setPixel(pixel % size.width(), pixel / size.width(), random.generate());
    QBuffer file;
    ASSERT_TRUE(QImageWriter(&file, "jpeg").write(noise));
    const size_t page = sysconf(_SC_PAGESIZE), length = file.data().size() + page;
    auto* bytes = static_cast<char*>(
        mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    int resume[2];
    ASSERT_TRUE(bytes != MAP_FAILED && length > 4 * page && pipe(resume) == 0);
    memcpy(bytes, file.data().data(), file.data().size());
    mprotect(bytes + 2 * page, length - 2 * page, PROT_NONE);
    resumeDecode = resume[0];
    struct sigaction hold = {}, before = {};
    hold.sa_sigaction = waitForThePage;
    hold.sa_flags = SA_SIGINFO;
    sigaction(SIGSEGV, &hold, &before);
    constexpr auto cap = std::chrono::milliseconds(50);
    Jpeg::setTimeCap(cap);
    Jpeg::Picture picture;
    std::atomic<bool> done = false;
    std::thread decoding([&] {
        picture = Jpeg::decode(QByteArrayView(bytes, file.data().size()), size);
        done = true;
    });
    while (!heldUp && !done)
        std::this_thread::yield();
    std::this_thread::sleep_until(std::chrono::steady_clock::now() + 2 * cap);
    mprotect(bytes, length, PROT_READ);
    EXPECT_EQ(write(resume[1], "", 1), 1);
    decoding.join();
    sigaction(SIGSEGV, &before, nullptr);
    Jpeg::setTimeCap(std::chrono::seconds(1));
    EXPECT_TRUE(heldUp && !picture.image.isNull()) << qPrintable(picture.problem);
    munmap(bytes, length);
    close(resume[0]);
    close(resume[1]);
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
                QByteArray(picture).replace(frame + 5, 4, "\x13\x88\x13\x88"), // 5000 x 5000
                QByteArray(picture).replace(frame + 5, 2, "\x01\xf4").left(picture.size() / 2), // 500 tall, cut
                QByteArray(picture).replace(frame + 6, 1, QByteArray(1, char(size.height() - 20))),
                spoil < Spoil::Scans ? QByteArray()
                    : rescanned(spoil == Spoil::Smaller ? smaller(size) : size + QSize(0, spoil == Spoil::Over),
                                spoil == Spoil::Scans ? 1'000'000 : 0)};
            // clang-format on
            const QByteArray& written = bytes[std::min(int(spoil), int(Spoil::Scans))];
            const bool made = spoil == Spoil::Folder ? QDir(folder.path()).mkdir(file)
                : spoil == Spoil::Fifo               ? mkfifo(qPrintable(out.fileName()), 0600) == 0
                                       : out.open(QIODevice::WriteOnly) && out.write(written) >= 0;
            ASSERT_TRUE(made && !picture.isEmpty() && (spoil < Spoil::Scans || !written.isEmpty())
                        && (spoil != Spoil::Missing || out.remove()))
                << qPrintable(file);
        }
        // A sound and a broken twice-size drawing, and a broken one three times the size.
        for (const char* name : {"report2@2x.jpg", "edit@3x.jpg"}) {
            QFile broken(folder.filePath(name));
            ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write(garbage) > 0);
        }
        ASSERT_TRUE(QFile::copy("edit@2x.jpg", folder.filePath("edit@2x.jpg"))
                    && QDir::setCurrent(folder.path()));
        peakBefore = peakKilobytes();
        Script::SetUp();
    }
    void TearDown() override { QDir::setCurrent(previous); }

    const QString previous = QDir::currentPath();
    QTemporaryDir folder;
    long peakBefore = 0;
};

TEST_F(HostilePictures, EachShowsItselfOrAPlaceholderOfItsPlaceAndMemoryStaysBounded)
{
    // What cannot be decoded whole shows as the grey placeholder, within a quarter second of
    // this thread's time where the scans of the progressive files would take half a minute;
    // a sound smaller picture shows at its own size, even after a decode the time cap stopped.
    Jpeg::setTimeCap(std::chrono::nanoseconds(-1)); // stops every decode
    EXPECT_EQ(Pictures::load("FAQ1.jpg").toImage().pixelColor(10, 10), Pictures::kPlaceholderShade);
    Jpeg::setTimeCap(std::chrono::seconds(1));
    for (const auto& [file, size, spoil] : kFiles) {
        const double started = threadSeconds();
        const QImage picture = Pictures::load(file).toImage();
        const bool sound = spoil == Spoil::Smaller;
        EXPECT_TRUE(picture.size() == (sound ? smaller(size) : size)
                    && (picture.pixelColor(10, 10) == Pictures::kPlaceholderShade) != sound
                    && threadSeconds() - started < 0.25)
            << qPrintable(file);
    }
    // Decoding any of the declared sizes would take 100 MB at the least.
    EXPECT_LT(peakKilobytes() - peakBefore, 40 * 1024);
    // A missing or broken larger drawing falls back to the next smaller one.
    // clang-format off
    for (const auto& [file, density] : {std::pair {"report1.jpg", 1}, {"report2.jpg", 1}, {"edit.jpg", 2}})
        EXPECT_EQ(Pictures::load(file, 3).devicePixelRatio(), density) << file;
    // clang-format on
    // In the window, each meter and the status page's likewise, and a smaller help page.
    for (QLabel* meter : window->findChildren<QLabel*>()) {
        const QImage shown = meter->grab().toImage();
        const QString file = meter->property("pictureFile").toString();
        if (!file.startsWith("meter"))
            continue;
        const bool sound = file == "meter8.jpg";
        EXPECT_TRUE(meter->size() == (sound ? QSize(70, 40) : QSize(76, 45))
                    && (shown.pixelColor(10, 10) == Pictures::kPlaceholderShade) != sound)
            << qPrintable(meter->objectName());
    }
    // The help page keeps its place, the empty screen under its picture.
    run({{"click lblAboutOK; click lblHelp; pick lstHelp FAQs", "page=FAQ1.jpg"}});
    const QImage page = window->findChild<QLabel*>("imgFront")->grab().toImage();
    const QColor last = page.pixelColor(244, 199); // the picture's blue
    EXPECT_TRUE(page.size() == QSize(245, 223) && last.blue() > 200 && last.red() < 50
                && page.pixelColor(0, 200) == Qt::white && page.pixelColor(244, 222) == Qt::white);
    // And the window walked among them.
    strict = false;
    std::mt19937 random(1);
    for (int n = 0; n < 2000; ++n) {
        if (!window->isVisible())
            start();
        ASSERT_EQ(step(randomStep(random)).toStdString(), "");
    }
}

// The first frame at each density the program draws for (tests/CMakeLists.txt): the skin and
// the About picture whole, and nothing of the spoilt files over the skin around them.
TEST_F(HostilePictures, TheFirstFrameIsWholeAtEveryDensity)
{
    auto *skin = window->findChild<QLabel*>("imgOstrel"),
         *about = window->findChild<QLabel*>("imgFront");
    for (const QLabel* picture : {skin, about})
        EXPECT_EQ(picture->pixmap().deviceIndependentSize(), QSizeF(picture->size()));
    QImage frame = window->grab().toImage(), bare = skin->grab(window->rect()).toImage();
    for (QImage* image : {&frame, &bare})
        QPainter(image).fillRect(about->geometry().adjusted(-1, -1, 1, 1), Qt::black);
    EXPECT_TRUE(frame == bare) << "a control over the skin at " << frame.devicePixelRatio();
}
