#include "pictures.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QPainter>
#include <QSet>

#include <cstdio>
#include <future>

namespace Pictures {

namespace {

// No picture of this program is anywhere near this; a file claiming more is refused
// before it is decoded.
constexpr int kMaxSide = 2048;

struct CachedPicture
{
    QDateTime modified;
    qint64 size = -1;
    QPixmap pixmap;
};

// The pictures of the first screen, decoded while the first widgets are made.
const QStringList kPreloaded {QStringLiteral("skin.jpg"), QStringLiteral("about.jpg"),
                              QStringLiteral("title.jpg"), QStringLiteral("meter.jpg"),
                              QStringLiteral("hand.png")};

std::future<QHash<QString, QImage>>& builtInPreload()
{
    static std::future<QHash<QString, QImage>> pending;
    return pending;
}

QHash<QString, CachedPicture>& cache()
{
    static QHash<QString, CachedPicture> pictures;
    return pictures;
}

void warnOnce(const QString& fileName, const char* reason,
              const char* instead = "showing a placeholder")
{
    static QSet<QString> warned;
    if (warned.contains(fileName))
        return;
    warned.insert(fileName);
    std::fprintf(stderr, "brivant: picture %s %s; %s\n", qPrintable(fileName), reason, instead);
}

// From this device pixel ratio on, a picture is shown from its twice-size drawing.
constexpr qreal kTwiceFrom = 1.5;

// "report1.jpg" -> "report1@2x.jpg": the same drawing at twice the size.
QString twiceName(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const qsizetype end = dot < 0 ? fileName.size() : dot;
    return fileName.left(end) + QStringLiteral("@2x") + fileName.mid(end);
}

// Where picture files are looked for, in order: the working directory, beside the
// program, and the data folder an installation puts beside the program's folder.
QStringList folders()
{
    const QString program = QCoreApplication::applicationDirPath();
    return {QDir::currentPath(), program,
            QDir::cleanPath(program + QStringLiteral("/" BRIVANT_PICTURES_FROM_BIN))};
}

QPixmap placeholder(const QString& fileName)
{
    QPixmap pixmap(expectedSize(fileName));
    pixmap.fill(QColor(236, 236, 236));
    QPainter painter(&pixmap);
    painter.setPen(QColor(200, 200, 200));
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return pixmap;
}

// The picture of a file, or a null pixmap when it cannot be shown.
QPixmap decode(const QString& path, const QString& fileName, const char* instead)
{
    // A hostile file may declare a modest size in its header and still ask for more.
    static const bool limited = (QImageReader::setAllocationLimit(32), true);
    Q_UNUSED(limited);
    QImageReader reader(path);
    const QSize declared = reader.size();
    if (declared.isValid() && (declared.width() > kMaxSide || declared.height() > kMaxSide)) {
        warnOnce(fileName, "is too large", instead);
        return {};
    }
    QImage image = reader.read();
    if (image.isNull()) {
        warnOnce(fileName, "cannot be read", instead);
        return {};
    }
    return QPixmap::fromImage(std::move(image));
}

// The file's picture as last decoded, decoded again when the file changes.
QPixmap cached(const QFileInfo& file, qreal devicePixelRatio)
{
    CachedPicture& entry = cache()[file.absoluteFilePath()];
    if (entry.size < 0 || entry.modified != file.lastModified() || entry.size != file.size()) {
        entry.modified = file.lastModified();
        entry.size = file.size();
        entry.pixmap
            = decode(file.absoluteFilePath(), file.fileName(),
                     devicePixelRatio > 1 ? "showing the plain picture" : "showing a placeholder");
        entry.pixmap.setDevicePixelRatio(devicePixelRatio);
    }
    return entry.pixmap;
}

} // namespace

QSize expectedSize(const QString& fileName)
{
    if (fileName.startsWith(QLatin1String("meter")))
        return {76, 45};
    if (fileName == QLatin1String("Title.jpg") || fileName == QLatin1String("TopMenu.jpg"))
        return {245, 22};
    if (fileName == QLatin1String("about.jpg"))
        return {245, 245};
    return {245, 223};
}

QPixmap load(const QString& fileName, qreal devicePixelRatio)
{
    const bool twice = devicePixelRatio >= kTwiceFrom;
    for (const QString& folder : folders()) {
        const QDir dir(folder);
        // The first folder that holds the picture gives it; a missing or broken
        // twice-size drawing there falls back to the plain one.
        if (const QFileInfo file(dir, twiceName(fileName)); twice && file.isFile()) {
            if (const QPixmap pixmap = cached(file, 2); !pixmap.isNull())
                return pixmap;
        }
        if (const QFileInfo file(dir, fileName); file.isFile()) {
            const QPixmap pixmap = cached(file, 1);
            return pixmap.isNull() ? placeholder(fileName) : pixmap;
        }
    }
    warnOnce(fileName, "is missing");
    return placeholder(fileName);
}

void preloadBuiltIns()
{
    if (builtInPreload().valid())
        return;
    builtInPreload() = std::async(std::launch::async, [] {
        QHash<QString, QImage> images;
        for (const QString& name : kPreloaded)
            images.insert(name, QImage(QStringLiteral(":/pictures/") + name));
        return images;
    });
}

QPixmap builtIn(const QString& name, qreal devicePixelRatio)
{
    if (devicePixelRatio >= kTwiceFrom) {
        QPixmap twice = builtIn(twiceName(name));
        if (!twice.isNull()) {
            twice.setDevicePixelRatio(2);
            return twice;
        }
    }
    return builtIn(name);
}

QPixmap builtIn(const QString& name)
{
    // Shared: the nine icons and the status meter show the same placeholder.
    static QHash<QString, QPixmap> decoded;
    if (kPreloaded.contains(name) && builtInPreload().valid()) {
        QHash<QString, QImage> images = builtInPreload().get();
        for (auto it = images.begin(); it != images.end(); ++it)
            decoded.insert(it.key(), QPixmap::fromImage(std::move(it.value())));
    }
    auto it = decoded.find(name);
    if (it == decoded.end())
        it = decoded.insert(name, QPixmap(QStringLiteral(":/pictures/") + name));
    return *it;
}

} // namespace Pictures
