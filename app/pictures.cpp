#include "pictures.h"

#include "builtin_pictures.h"
#include "jpeg.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QPaintEvent>
#include <QPainter>
#include <QSet>

#include <algorithm>
#include <cstdio>
#include <utility>

namespace Pictures {

namespace {

// A file longer than any picture of this program is not read.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

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

void warnOnce(const QString& fileName, const QString& reason,
              const char* instead = "showing a placeholder")
{
    static QSet<QString> warned;
    if (warned.contains(fileName))
        return;
    warned.insert(fileName);
    std::fprintf(stderr, "brivant: picture %s %s; %s\n", qPrintable(fileName), qPrintable(reason),
                 instead);
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

enum class Place { Meter, Strip, About, Page };

Place placeOf(const QString& fileName)
{
    if (fileName.startsWith(QLatin1String("meter")))
        return Place::Meter;
    if (fileName == QLatin1String("Title.jpg") || fileName == QLatin1String("TopMenu.jpg"))
        return Place::Strip;
    return fileName == QLatin1String("about.jpg") ? Place::About : Place::Page;
}

QPixmap placeholder(const QString& fileName)
{
    QPixmap pixmap(expectedSize(fileName));
    pixmap.fill(kPlaceholderShade);
    QPainter painter(&pixmap);
    painter.setPen(QColor(200, 200, 200));
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return pixmap;
}

// The files whose last decode the time cap stopped: a busy moment, not what the file holds.
QSet<QString>& stoppedByCap()
{
    static QSet<QString> files;
    return files;
}

// The picture of a file, or a null pixmap when it cannot be shown in its place.
QPixmap decode(const QString& path, const QString& fileName, QSize place, qreal devicePixelRatio,
               const char* instead)
{
    QFile file(path);
    if (file.size() > kMaxFileBytes) {
        warnOnce(fileName, QStringLiteral("is too large"), instead);
        return {};
    }
    // Read into a buffer of the file's size: a read of at most the cap would reserve all of it.
    QByteArray bytes(qsizetype(file.size()), Qt::Uninitialized);
    const qint64 read = file.open(QIODevice::ReadOnly) ? file.read(bytes.data(), bytes.size()) : -1;
    if (read < 0) {
        warnOnce(fileName, QStringLiteral("cannot be read"), instead);
        return {};
    }
    bytes.truncate(qsizetype(read));
    // A page spans the screen's width; a strip or a meter may be narrower too.
    const bool spans = placeOf(fileName) >= Place::About;
    Jpeg::Picture picture = Jpeg::decode(bytes, QSize(spans ? place.width() : 1, 1), place);
    if (picture.stopped)
        stoppedByCap().insert(path);
    if (picture.image.isNull()) {
        warnOnce(fileName, picture.problem, instead);
        return {};
    }
    picture.image.setDevicePixelRatio(devicePixelRatio);
    return QPixmap::fromImage(std::move(picture.image));
}

// The file's picture as last decoded, decoded again when the file changes or when the time
// cap stopped it.
QPixmap cached(const QFileInfo& file, QSize pixels, qreal devicePixelRatio)
{
    CachedPicture& entry = cache()[file.absoluteFilePath()];
    if (stoppedByCap().remove(file.absoluteFilePath()) || entry.size < 0
        || entry.modified != file.lastModified() || entry.size != file.size()) {
        entry.modified = file.lastModified();
        entry.size = file.size();
        entry.pixmap
            = decode(file.absoluteFilePath(), file.fileName(), pixels, devicePixelRatio,
                     devicePixelRatio > 1 ? "showing the plain picture" : "showing a placeholder");
    }
    return entry.pixmap;
}

} // namespace

QSize expectedSize(const QString& fileName)
{
    switch (placeOf(fileName)) {
    case Place::Meter:
        return {76, 45};
    case Place::Strip:
        return {245, 22};
    case Place::About:
        return {245, 245};
    case Place::Page:
        break;
    }
    return {245, 223};
}

QPixmap load(const QString& fileName, qreal devicePixelRatio)
{
    const bool twice = devicePixelRatio >= kTwiceFrom;
    const QSize size = expectedSize(fileName);
    for (const QString& folder : folders()) {
        const QDir dir(folder);
        // The first folder that holds the picture gives it; a missing or broken
        // twice-size drawing there falls back to the plain one.
        if (const QFileInfo file(dir, twiceName(fileName)); twice && file.isFile()) {
            if (const QPixmap pixmap = cached(file, size * 2, 2); !pixmap.isNull())
                return pixmap;
        }
        if (const QFileInfo file(dir, fileName); file.isFile()) {
            const QPixmap pixmap = cached(file, size, 1);
            return pixmap.isNull() ? placeholder(fileName) : pixmap;
        }
    }
    warnOnce(fileName, "is missing");
    return placeholder(fileName);
}

QPixmap builtIn(const QString& name, qreal devicePixelRatio)
{
    // Shared: the nine icons and the status meter show the same placeholder.
    static QHash<QString, QPixmap> shown;
    const bool twice = devicePixelRatio >= kTwiceFrom;
    const QString fileName = twice ? twiceName(name) : name;
    if (const auto it = shown.constFind(fileName); it != shown.cend())
        return *it;
    const auto pictures = builtinPictures();
    const auto picture = std::find_if(pictures.begin(), pictures.end(), [&](const auto& p) {
        return fileName == QLatin1String(p.name);
    });
    if (picture == pictures.end())
        return twice ? builtIn(name) : QPixmap();
    QImage image;
    if (picture->format == QImage::Format_Invalid) {
        const QSize size = builtIn(name).size() * 2;
        image = Jpeg::decode(QByteArrayView(picture->bytes, picture->size), size).image;
    } else {
        image = QImage(reinterpret_cast<const uchar*>(picture->bytes), picture->width,
                       picture->height, picture->bytesPerLine, picture->format);
    }
    if (twice)
        image.setDevicePixelRatio(2);
    // Shown from where the program holds it, without a copy or a look for transparent pixels.
    return *shown.insert(fileName, QPixmap::fromImage(std::move(image), Qt::NoFormatConversion));
}

QPixmap builtIn(const QString& name)
{
    return builtIn(name, 1);
}

} // namespace Pictures

void PictureLabel::showNow(const QString& fileName, const QPixmap& picture)
{
    setPixmap(picture);
    resize(m_keepsPlace ? Pictures::expectedSize(fileName)
                        : picture.deviceIndependentSize().toSize());
}

void PictureLabel::showLater(const QString& fileName, qreal devicePixelRatio)
{
    m_later = fileName;
    m_laterRatio = devicePixelRatio;
    if (!fileName.isEmpty())
        resize(Pictures::expectedSize(fileName));
}

// What QLabel draws for a picture without a frame or margin, rectangle by rectangle, at the
// top left. What the picture leaves of the control shows the empty screen: a page's place
// under a shorter page, or a waiting picture's old size until the parent has painted what
// the smaller picture uncovered.
void PictureLabel::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (!m_later.isEmpty()) {
        const QString fileName = std::exchange(m_later, QString());
        showNow(fileName, Pictures::load(fileName, m_laterRatio));
    }
    const QPixmap picture = pixmap();
    const QRectF covered(QPointF(), picture.deviceIndependentSize());
    for (const QRect& rect : event->region()) {
        painter.setClipRect(rect);
        if (!covered.contains(QRectF(rect)))
            painter.fillRect(rect, Qt::white);
        painter.drawPixmap(QPoint(), picture);
    }
}
