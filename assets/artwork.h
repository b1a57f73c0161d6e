#pragma once

#include <QImage>
#include <QStringView>

// Every picture of the program, drawn by code from the window's own geometry.
// A picture drawn at scale 2 is the same drawing at twice the size, for screens
// with twice the pixel density.
namespace Artwork {

// The picture with this file name ("report1.jpg", "skin.jpg", "hand.png"...),
// or a null image for a name the program does not use.
QImage draw(QStringView fileName, qreal scale = 1);

} // namespace Artwork
