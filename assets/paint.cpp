// Writes every picture of the program: the run-time JPEG files beside the program
// and the pictures built into the window.
#include "artwork.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>

#include <cstdio>
#include <utility>

namespace {

// High enough that a field drawn white stays plain white: the pages are checked for it.
constexpr int kJpegQuality = 96;

// Every picture at its own size and at twice the size, "report1@2x.jpg", for screens
// of twice the pixel density; the program picks one by the screen.
bool write(const QDir& dir, const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString twiceName = name.left(dot) + QStringLiteral("@2x") + name.mid(dot);
    bool ok = true;
    for (const auto& [scale, fileName] : {std::pair(1, name), std::pair(2, twiceName)}) {
        const QImage image = Artwork::draw(name, scale);
        const QString path = dir.filePath(fileName);
        if (image.isNull() || !image.save(path, nullptr, kJpegQuality)) {
            std::fprintf(stderr, "brivant_paint: cannot draw %s\n", qPrintable(path));
            ok = false;
        }
    }
    return ok;
}

} // namespace

int main(int argc, char* argv[])
{
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
    return ok ? 0 : 1;
}
