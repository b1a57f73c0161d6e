// Writes every picture of the program: the run-time JPEG files beside the program
// and the pictures built into the window.
#include "artwork.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>

namespace {

// High enough that a field drawn white stays plain white: the pages are checked for it.
constexpr int kJpegQuality = 96;

// ("report1.jpg", 2) -> "report1@2x.jpg"
QString scaledName(const QString& name, int scale)
{
    if (scale == 1)
        return name;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return name.left(dot) + QStringLiteral("@%1x").arg(scale) + name.mid(dot);
}

// Every picture at its own size and at twice and three times the size, "report1@2x.jpg"
// and "report1@3x.jpg", for denser screens; the program picks one by the screen.
bool write(const QDir& dir, const QString& name)
{
    bool ok = true;
    for (const int scale : {1, 2, 3}) {
        const QImage image = Artwork::draw(name, scale);
        const QString path = dir.filePath(scaledName(name, scale));
        if (image.isNull() || !image.save(path, nullptr, kJpegQuality)) {
            std::fprintf(stderr, "brivant_paint: cannot draw %s\n", qPrintable(path));
            ok = false;
        }
    }
    return ok;
}

// Bytes as a C++ string literal: printable characters as they are, the others as
// three-digit octal escapes, which no following digit can lengthen.
QByteArray literal(QByteArrayView bytes)
{
    QByteArray text = "\"";
    int column = 1;
    for (const char c : bytes) {
        if (column >= 96) {
            text += "\"\n    \"";
            column = 1;
        }
        if (c >= ' ' && c <= '~' && c != '"' && c != '\\') {
            text += c;
            ++column;
        } else {
            text += '\\' + QByteArray::number(uchar(c), 8).rightJustified(3, '0');
            column += 4;
        }
    }
    return text + '"';
}

// The built-in pictures as C++ for the program (app/builtin_pictures.h): the plain-size
// ones and the PNG files as the pixels a pixmap of their file holds, so that drawing them
// decodes nothing; the larger JPEG drawings as their files. Opaque pictures keep three bytes
// a pixel, not the screen's four: the same colours in a quarter less of the memory the first
// screen keeps resident. The plain-size pictures lie together in one array, in the order
// given; the larger drawings in another, in the large read-only data section, which the
// linker puts in a segment of its own at the end of the program: a screen of plain density
// maps none of it, however much of the file the system reads ahead.
bool writeSource(const QDir& builtin, const QStringList& files)
{
    QByteArray plain;
    QByteArray larger;
    QByteArray table;
    for (const QString& name : files) {
        QFile file(builtin.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return false;
        QByteArray bytes = file.readAll();
        QImage image; // stays null for a JPEG file kept as it is
        if (!name.contains(QLatin1Char('@')) || !name.endsWith(QLatin1String(".jpg"))) {
            // The pixels a pixmap of the decoded file shows.
            image = QPixmap::fromImage(QImage::fromData(bytes)).toImage();
            if (image.format() == QImage::Format_RGB32)
                image.convertTo(QImage::Format_RGB888);
            else if (image.format() != QImage::Format_ARGB32_Premultiplied)
                return false;
            bytes
                = QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        }
        const bool isLarger = name.contains(QLatin1Char('@'));
        QByteArray& blob = isLarger ? larger : plain;
        // QImage wants each line on a 32-bit boundary; 16 suits its vector code.
        blob.append((16 - blob.size() % 16) % 16, '\0');
        const QByteArray format = image.isNull()      ? "Format_Invalid"
            : image.format() == QImage::Format_RGB888 ? "Format_RGB888"
                                                      : "Format_ARGB32_Premultiplied";
        table += "    {\"" + name.toLatin1() + "\", QImage::" + format + ", "
            + QByteArray::number(image.width()) + ", " + QByteArray::number(image.height()) + ", "
            + QByteArray::number(image.bytesPerLine()) + ", " + (isLarger ? "kLarger" : "kPlain")
            + " + " + QByteArray::number(blob.size()) + ", " + QByteArray::number(bytes.size())
            + "},\n";
        blob += bytes;
    }
    QFile source(builtin.filePath(QStringLiteral("builtin_pictures.cpp")));
    return source.open(QIODevice::WriteOnly)
        && source.write(
               "// Written by brivant_paint.\n#include \"builtin_pictures.h\"\n\n"
               "namespace {\n\nalignas(16) const char kPlain[] =\n    "
               + literal(plain)
               + ";\n\n[[gnu::section(\".lrodata\")]] alignas(16) const char kLarger[] =\n    "
               + literal(larger) + ";\n\nconst BuiltinPicture kPictures[] = {\n" + table
               + "};\n\n} // namespace\n\nstd::span<const BuiltinPicture> "
                 "builtinPictures()\n{\n    return kPictures;\n}\n")
        > 0;
}

} // namespace

int main(int argc, char* argv[])
{
    // A build outside a desktop session (CI, a container) has no runtime folder, and Qt
    // would warn of it in every build log.
    const QTemporaryDir runtimeFolder;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeFolder.path()));
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: brivant_paint RUNTIME_DIR BUILTIN_DIR\n");
        return 2;
    }
    const QDir runtime(QString::fromLocal8Bit(argv[1]));
    const QDir builtin(QString::fromLocal8Bit(argv[2]));

    QStringList runtimeFiles {QStringLiteral("Title.jpg"),    QStringLiteral("TopMenu.jpg"),
                              QStringLiteral("report1.jpg"),  QStringLiteral("report2.jpg"),
                              QStringLiteral("edit.jpg"),     QStringLiteral("Setup.jpg"),
                              QStringLiteral("Transfer.jpg"), QStringLiteral("FAQ1.jpg"),
                              QStringLiteral("FAQ2.jpg"),     QStringLiteral("about.jpg")};
    for (int level = 0; level <= 8; ++level)
        runtimeFiles << QStringLiteral("meter%1.jpg").arg(level);
    const QStringList builtinFiles {QStringLiteral("skin.jpg"),  QStringLiteral("about.jpg"),
                                    QStringLiteral("title.jpg"), QStringLiteral("meter.jpg"),
                                    QStringLiteral("icon.png"),  QStringLiteral("hand.png")};

    bool ok = true;
    for (const QString& name : runtimeFiles)
        ok = write(runtime, name) && ok;
    for (const QString& name : builtinFiles)
        ok = write(builtin, name) && ok;
    QStringList compiledIn = builtinFiles;
    for (const int scale : {2, 3}) {
        for (const QString& name : builtinFiles)
            compiledIn << scaledName(name, scale);
    }
    if (ok && !writeSource(builtin, compiledIn)) {
        std::fprintf(stderr, "brivant_paint: cannot write the built-in pictures' source\n");
        ok = false;
    }
    return ok ? 0 : 1;
}
