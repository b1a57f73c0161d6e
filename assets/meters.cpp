#include "drawing.h"
#include "painters.h"

namespace Artwork {

// The meter of a category, 76 x 45: a half dial from E on the left to F on the
// right, lit in eighths, with a needle on the level.
QImage meter(int level, bool placeholder, qreal scale)
{
    return render({76, 45}, scale, Qt::white, [&](QPainter& p) {
        const QPointF centre(38, 35.5);
        DialStyle style;
        style.neutral = placeholder;
        drawDial(p, centre, 32.5, level, style);
        p.setFont(sans(9, true));
        p.setPen(QColor(70, 76, 86));
        p.drawText(QRectF(4, 36, 13, 9), Qt::AlignCenter, QStringLiteral("E"));
        p.drawText(QRectF(59, 36, 13, 9), Qt::AlignCenter, QStringLiteral("F"));
    });
}

} // namespace Artwork
