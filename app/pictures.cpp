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

QHash<QString, CachedPicture>& cache()
{
    static QHash<QString, CachedPicture> pictures;
    return pictures;
}

void warnOnce(const QString& fileName, const char* reason)
{
    static QSet<QString> warned;
    if (warned.contains(fileName))
        return;
    warned.insert(fileName);
    std::fprintf(stderr, "brivant: picture %s %s; showing a placeholder\n", qPrintable(fileName),
                 reason);
}

QString findFile(const QString& fileName)
{
    for (const QString& folder : {QDir::currentPath(), QCoreApplication::applicationDirPath()}) {
        const QFileInfo info(QDir(folder), fileName);
        if (info.isFile())
            return info.absoluteFilePath();
    }
    return {};
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

QPixmap decode(const QString& path, const QString& fileName)
{
    // A hostile file may declare a modest size in its header and still ask for more.
    static const bool limited = (QImageReader::setAllocationLimit(32), true);
    Q_UNUSED(limited);
    QImageReader reader(path);
    const QSize declared = reader.size();
    if (declared.isValid() && (declared.width() > kMaxSide || declared.height() > kMaxSide)) {
        warnOnce(fileName, "is too large");
        return placeholder(fileName);
    }
    const QImage image = reader.read();
    if (image.isNull()) {
        warnOnce(fileName, "cannot be read");
        return placeholder(fileName);
    }
    return QPixmap::fromImage(image);
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

QPixmap load(const QString& fileName)
{
    const QString path = findFile(fileName);
    if (path.isEmpty()) {
        warnOnce(fileName, "is missing");
        return placeholder(fileName);
    }
    const QFileInfo info(path);
    CachedPicture& entry = cache()[path];
    if (entry.pixmap.isNull() || entry.modified != info.lastModified()
        || entry.size != info.size()) {
        entry.modified = info.lastModified();
        entry.size = info.size();
        entry.pixmap = decode(path, fileName);
    }
    return entry.pixmap;
}

QPixmap builtIn(const QString& name)
{
    return QPixmap(QStringLiteral(":/pictures/") + name);
}

} // namespace Pictures
