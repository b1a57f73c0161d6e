#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

#include <chrono>

// JPEG pictures read with libjpeg-turbo's own interface. Qt's reader would first look
// through the image-format plugins and load them, which at start-up costs more than
// decoding the pictures; the pixels are the same, as Qt's reader uses this library too.
namespace Jpeg {

struct Picture
{
    QImage image; // Format_RGB32 of the file's size, or null when nothing can be shown
    QString problem; // why not: "is damaged", "is 245x500, not within 245x1 to 245x223"
    bool stopped = false; // by the time cap, not for what the file holds: worth another try
};

// The picture of a file of a size from smallest to largest. A file declaring another size is
// refused before it is decoded; one the decoder finds damaged, or whose scans go on past any
// real picture's or past the time cap, is refused too; the decoder's own memory is capped.
Picture decode(QByteArrayView bytes, QSize smallest, QSize largest);
// The same, of exactly the given size.
inline Picture decode(QByteArrayView bytes, QSize size)
{
    return decode(bytes, size, size);
}

// The processor time of its own thread a decode may take; a second unless a test says less.
void setTimeCap(std::chrono::nanoseconds cap);

} // namespace Jpeg
