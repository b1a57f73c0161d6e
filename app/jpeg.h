#pragma once

#include <QByteArrayView>
#include <QImage>

// JPEG pictures read with libjpeg-turbo's own interface. Qt's reader would first look
// through the image-format plugins and load them, which at start-up costs more than
// decoding the pictures; the pixels are the same, as Qt's reader uses this library too.
namespace Jpeg {

struct Picture
{
    QImage image; // Format_RGB32, or null when nothing can be shown
    // Why nothing is shown ("is too large"), or what was wrong with a picture shown anyway.
    const char* problem = nullptr;
};

// A picture wider or taller than maxSide is refused before it is decoded, and the
// decoder's own memory is capped, so a hostile file cannot ask for more than a few MB.
Picture decode(QByteArrayView bytes, int maxSide);

// The size a file's frame header declares, read without the library; invalid when the
// header cannot be found before the picture's data begins.
QSize declaredSize(QByteArrayView bytes);

} // namespace Jpeg
