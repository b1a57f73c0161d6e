#pragma once

#include <QImage>

#include <span>

// The pictures compiled into the program, written at build time by brivant_paint: those of
// the first screen, the icon and the hand as the very pixels they show (what their JPEG or
// PNG files decode to; opaque ones three bytes a pixel), so that start-up decodes nothing; the
// larger drawings of the first screen, needed on dense screens only, as their JPEG files.
struct BuiltinPicture
{
    const char* name; // the file it was drawn as: "skin.jpg", "icon@2x.png"
    QImage::Format format; // Format_Invalid when the bytes are a JPEG file
    int width;
    int height;
    qsizetype bytesPerLine;
    const char* bytes; // line after line, aligned for QImage
    qsizetype size;
};

std::span<const BuiltinPicture> builtinPictures();
