#include "pictures.h"
#include "window_fixture.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <map>
#include <meter.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// The ways a picture file can be spoilt.
enum class Spoil {
    Missing,
    Empty,
    CutInHeader, // the first bytes of a real picture
    CutInData, // the first half of a real picture: decodes into a partial picture
    Garbage,
    JpegGarbage, // a JPEG start marker, then anything
    Folder,
    Fifo, // reading it would wait for ever
    HugeJpeg, // declares 60000 x 60000: 14 GB decoded
    LargeJpeg, // declares 5000 x 5000: 100 MB decoded, under Qt's own limit
};

// Every picture file the program reads, each spoilt in one way.
const std::pair<const char*, Spoil> kFiles[] = {
    {"Title.jpg", Spoil::CutInData},    {"TopMenu.jpg", Spoil::Garbage},
    {"report1.jpg", Spoil::Missing},    {"report2.jpg", Spoil::Empty},
    {"edit.jpg", Spoil::Folder},        {"Setup.jpg", Spoil::HugeJpeg},
    {"Transfer.jpg", Spoil::LargeJpeg}, {"FAQ1.jpg", Spoil::JpegGarbage},
    {"FAQ2.jpg", Spoil::CutInHeader},   {"about.jpg", Spoil::Fifo},
    {"meter0.jpg", Spoil::HugeJpeg},    {"meter1.jpg", Spoil::Empty},
    {"meter2.jpg", Spoil::Fifo},        {"meter3.jpg", Spoil::CutInData},
    {"meter4.jpg", Spoil::Folder},      {"meter5.jpg", Spoil::Garbage},
    {"meter6.jpg", Spoil::LargeJpeg},   {"meter7.jpg", Spoil::Missing},
    {"meter8.jpg", Spoil::CutInHeader},
};

// A small real JPEG whose frame header claims another size.
QByteArray jpegDeclaring(int side)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG");
    const qsizetype frame = bytes.indexOf(QByteArray("\xff\xc0", 2));
    for (const qsizetype at : {frame + 5, frame + 7}) {
        bytes[at] = char(side >> 8);
        bytes[at + 1] = char(side & 0xff);
    }
    return bytes;
}

long peakKilobytes()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

// The window started in a working directory of spoilt picture files.
class HostilePictures : public WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        for (const auto& [file, spoil] : kFiles)
            ASSERT_TRUE(write(QString::fromLatin1(file), spoil)) << file;
        ASSERT_TRUE(QDir::setCurrent(folder.path()));
        peakBefore = peakKilobytes();
        WindowTest::SetUp();
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        QDir::setCurrent(previous);
    }

    bool write(const QString& file, Spoil spoil)
    {
        const QString path = folder.filePath(file);
        QFile real(QDir(previous).filePath(file));
        if (!real.open(QIODevice::ReadOnly))
            return false;
        const QByteArray picture = real.readAll();
        if (spoil == Spoil::Missing)
            return true;
        if (spoil == Spoil::Folder)
            return QDir(path).mkpath(QStringLiteral("."));
        if (spoil == Spoil::Fifo)
            return mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
        QByteArray garbage;
        for (int i = 0; i < 4000; ++i)
            garbage += char(i * 7919 % 251);
        const std::map<Spoil, QByteArray> spoilt
            = {{Spoil::Empty, {}},
               {Spoil::CutInHeader, picture.left(20)},
               {Spoil::CutInData, picture.left(picture.size() / 2)},
               {Spoil::Garbage, garbage},
               {Spoil::JpegGarbage,
                QByteArray("\xff\xd8\xff\xe0 this is not a picture", 26).repeated(50)},
               {Spoil::HugeJpeg, jpegDeclaring(60000)},
               {Spoil::LargeJpeg, jpegDeclaring(5000)}};
        const QByteArray& bytes = spoilt.at(spoil);
        QFile out(path);
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
    }

    // The image shows the file at the size its picture is drawn at, and a file that
    // cannot be decoded whole shows as the placeholder.
    void expectPicture(const QString& image, const char* file)
    {
        SCOPED_TRACE(file);
        const auto* picture = label(image);
        ASSERT_TRUE(picture->isVisible());
        EXPECT_EQ(pictureOf(image), QString::fromLatin1(file));
        const QSize size = Pictures::expectedSize(QString::fromLatin1(file));
        EXPECT_EQ(picture->size(), size);
        const Spoil spoil = std::find_if(std::begin(kFiles), std::end(kFiles), [&](const auto& f) {
                                return qstrcmp(f.first, file) == 0;
                            })->second;
        if (spoil != Spoil::CutInData) {
            EXPECT_EQ(picture->pixmap().toImage().pixelColor(size.width() / 2, size.height() / 2),
                      QColor(236, 236, 236));
        }
    }

    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    long peakBefore = 0;
};

TEST_F(HostilePictures, EveryScreenShowsPlaceholdersOfItsSizeAndMemoryStaysBounded)
{
    const auto meter = [this](int category) {
        const auto& r = record(category);
        return ledger::meterFile(ledger::meterLevel(r.Available, r.Budget));
    };
    endAbout();
    for (int category = 0; category < 9; ++category)
        expectPicture(kIcons[category], meter(category).c_str());
    openStatus(0);
    expectPicture("imgFront", "report1.jpg");
    // Food's meter down through levels 3, 2 and 1.
    for (const char* amount : {"120", "20", "40"}) {
        addHere(QString::fromLatin1(amount));
        expectPicture("imgReport", meter(0).c_str());
        expectPicture("imgFood", meter(0).c_str());
    }
    EXPECT_EQ(meter(0), "meter1.jpg");
    click("lblArrowDown");
    expectPicture("imgFront", "report2.jpg");
    click("lblReportEdit");
    expectPicture("imgFront", "edit.jpg");
    openSetup("Setup Budget");
    expectPicture("imgFront", "Setup.jpg");
    expectPicture("imgAllCategory", "Title.jpg");
    openSetup("Transfer Funds");
    expectPicture("imgFront", "Transfer.jpg");
    click("lblArrowUp");
    expectPicture("imgFront", "FAQ1.jpg");
    click("lblArrowDown");
    expectPicture("imgFront", "FAQ2.jpg");
    openHelp("About   /A");
    expectPicture("imgFront", "about.jpg");
    openMenuBar();
    expectPicture("imgAllCategory", "TopMenu.jpg");

    EXPECT_EQ(messages.size(), 3u) << "only the three confirmations";
    // Decoding any of the declared sizes would take 100 MB at the least.
    EXPECT_LT(peakKilobytes() - peakBefore, 40 * 1024);
}
