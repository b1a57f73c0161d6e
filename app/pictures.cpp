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

// The drawing a screen of this device pixel ratio shows: from 1.5 on the twice-size one,
// from 2.5 on the one three times the size; each is shown pixel for pixel at its own ratio.
int drawingScale(qreal devicePixelRatio)
{
    return devicePixelRatio >= 2.5 ? 3 : devicePixelRatio >= 1.5 ? 2 : 1;
}

// ("report1.jpg", 2) -> "report1@2x.jpg": the same drawing at twice the size.
QString scaledName(const QString& fileName, int scale)
{
    if (scale == 1)
        return fileName;
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const qsizetype end = dot < 0 ? fileName.size() : dot;
    return fileName.left(end) + QStringLiteral("@%1x").arg(scale) + fileName.mid(end);
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
                     devicePixelRatio > 1 ? "showing a smaller drawing" : "showing a placeholder");
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
    const QSize size = expectedSize(fileName);
    for (const QString& folder : folders()) {
        const QDir dir(folder);
        // The first folder that holds the picture gives it; a missing or broken
        // larger drawing there falls back to the next smaller one.
        for (int scale = drawingScale(devicePixelRatio); scale > 1; --scale) {
            if (const QFileInfo file(dir, scaledName(fileName, scale)); file.isFile()) {
                if (const QPixmap pixmap = cached(file, size * scale, scale); !pixmap.isNull())
                    return pixmap;
            }
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
    const int scale = drawingScale(devicePixelRatio);
    const QString fileName = scaledName(name, scale);
    if (const auto it = shown.constFind(fileName); it != shown.cend())
        return *it;
    const auto pictures = builtinPictures();
    const auto picture = std::find_if(pictures.begin(), pictures.end(), [&](const auto& p) {
        return fileName == QLatin1String(p.name);
    });
    if (picture == pictures.end())
        return scale > 1 ? builtIn(name, scale - 1) : QPixmap();
    QImage image;
    if (picture->format == QImage::Format_Invalid) {
        const QSize size = builtIn(name).size() * scale;
        image = Jpeg::decode(QByteArrayView(picture->bytes, picture->size), size).image;
    } else {
        image = QImage(reinterpret_cast<const uchar*>(picture->bytes), picture->width,
                       picture->height, picture->bytesPerLine, picture->format);
    }
    image.setDevicePixelRatio(scale);
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

namespace {

// A picture of three bytes a pixel, shown pixel for pixel, widened to the screen's four here a
// few lines at a time: Qt would widen it on a pool of threads, with code of its own to page in.
void drawWidened(QPainter& painter, const QImage& image, const QRect& place, const QRegion& region)
{
    constexpr int kLines = 16;
    QImage band(image.width(), kLines, QImage::Format_RGB32);
    for (const QRect& rect : region) {
        const QRect area = rect.intersected(place).translated(-place.topLeft());
        for (int top = area.top(); top <= area.bottom(); top += kLines) {
            const int lines = std::min(kLines, area.bottom() + 1 - top);
            for (int line = 0; line < lines; ++line) {
                const uchar* from = image.constScanLine(top + line) + 3 * area.left();
                auto* to = reinterpret_cast<QRgb*>(band.scanLine(line));
                for (int x = 0; x < area.width(); ++x, from += 3)
                    to[x] = qRgb(from[0], from[1], from[2]);
            }
            // Clipped, the whole band is copied by the code that copies the other pictures.
            const QPoint at = place.topLeft() + QPoint(area.left(), top);
            painter.setClipRect(QRect(at, QSize(area.width(), lines)));
            painter.drawImage(at, band);
        }
    }
}

} // namespace

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
    if (picture.depth() == 24 && picture.devicePixelRatio() == 1
        && painter.device()->devicePixelRatio() == 1 && picture.size() == contentsRect().size()) {
        drawWidened(painter, picture.toImage(), contentsRect(), event->region());
        return;
    }
    const QRectF covered(QPointF(), picture.deviceIndependentSize());
    for (const QRect& rect : event->region()) {
        painter.setClipRect(rect);
        if (!covered.contains(QRectF(rect)))
            painter.fillRect(rect, Qt::white);
        painter.drawPixmap(QPoint(), picture);
    }
}
