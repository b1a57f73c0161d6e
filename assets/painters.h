#pragma once

// One function a picture, each drawing at any scale; Artwork::draw picks by file name.

#include <QImage>

namespace Artwork {

QImage skin(qreal scale);
QImage windowIcon(qreal scale);
QImage handCursor(qreal scale);

QImage meter(int level, bool placeholder, qreal scale);

QImage about(qreal scale);
QImage titleStrip(qreal scale);
QImage menuStrip(qreal scale);
QImage statusPage(qreal scale);
QImage recentPage(qreal scale);
QImage editPage(qreal scale);
QImage setupPage(qreal scale);
QImage transferPage(qreal scale);
QImage faqPage(int number, qreal scale);

} // namespace Artwork
