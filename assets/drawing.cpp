#include "drawing.h"

#include "inventory.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace Artwork {

namespace {

constexpr qreal kPageWidth = 245;
constexpr qreal kPageHeight = 223;
// The arrows sit at the right edge; nothing else is drawn under them.
constexpr qreal kContentRight = 224;

QPointF pointOnCircle(QPointF centre, qreal radius, qreal degrees)
{
    const qreal radians = degrees * std::numbers::pi / 180;
    return centre + QPointF(radius * std::cos(radians), -radius * std::sin(radians));
}

void drawArrow(QPainter& p, const QRectF& area, Arrow arrow)
{
    // The click area reaches one pixel past the page; centre on what is seen.
    const QRectF seen = area.intersected(QRectF(0, 0, kPageWidth, kPageHeight));
    const QPointF c = seen.center();
    const qreal r = 7;
    QLinearGradient fill(c.x(), c.y() - r, c.x(), c.y() + r);
    fill.setColorAt(0, Colour::kAccentLight);
    fill.setColorAt(1, Colour::kAccentDark);
    p.setPen(QPen(Colour::kAccentDark, 1));
    p.setBrush(fill);
    p.drawEllipse(c, r, r);
    const qreal s = arrow == Arrow::Up ? 1 : -1;
    const QPolygonF triangle {QPointF(c.x(), c.y() - s * 3.5), QPointF(c.x() - 4, c.y() + s * 2.5),
                              QPointF(c.x() + 4, c.y() + s * 2.5)};
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPolygon(triangle);
}

} // namespace

QPointF pageOrigin()
{
    return {qreal(toPixels(kScreenTwips.left)), qreal(toPixels(kPageTopTwips))};
}

QPointF stripOrigin()
{
    return {qreal(toPixels(kScreenTwips.left)), qreal(toPixels(kScreenTwips.top))};
}

QPointF aboutOrigin()
{
    return {qreal(toPixels(kScreenTwips.left)), qreal(toPixels(kAboutTopTwips))};
}

QRectF rectOf(std::string_view control)
{
    const PixelRect r = toPixels(controlSpec(control).twips);
    return QRectF(r.x, r.y, r.width, r.height);
}

QRectF rectOf(std::string_view control, QPointF origin)
{
    return rectOf(control).translated(-origin);
}

QRectF optionRect(int index, QPointF origin)
{
    const PixelRect r = toPixels(optionTwips(index));
    return QRectF(r.x, r.y, r.width, r.height).translated(-origin);
}

QFont sans(qreal pixelSize, bool bold)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(qRound(pixelSize));
    font.setBold(bold);
    return font;
}

QImage render(QSize logical, qreal scale, const QColor& background,
              const std::function<void(QPainter&)>& paint)
{
    const bool clear = background.alpha() < 255;
    QImage image((QSizeF(logical) * scale).toSize(),
                 clear ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.fill(background);
    QPainter p(&image);
    p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    p.scale(scale, scale);
    paint(p);
    p.end();
    return image;
}

void drawPageBase(QPainter& p)
{
    p.fillRect(QRectF(0, 0, kPageWidth, kPageHeight), Colour::kPage);
    // The strip above seems to cast a faint shadow on the page.
    QLinearGradient shadow(0, 0, 0, 4);
    shadow.setColorAt(0, QColor(0, 0, 0, 40));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRectF(0, 0, kPageWidth, 4), shadow);
}

void drawHeading(QPainter& p, const QString& text, const QString& mark)
{
    p.setFont(sans(13, true));
    p.setPen(Colour::kAccent);
    p.drawText(QRectF(8, 3, 200, 18), Qt::AlignLeft | Qt::AlignVCenter, text);
    if (!mark.isEmpty()) {
        p.setFont(sans(11, true));
        p.setPen(Colour::kQuiet);
        p.drawText(QRectF(170, 3, kContentRight - 170, 18), Qt::AlignRight | Qt::AlignVCenter,
                   mark);
    }
    p.fillRect(QRectF(8, 22, kContentRight - 8, 1), Colour::kRule);
}

void drawSection(QPainter& p, const QString& text, qreal top)
{
    const QFont font = sans(10, true);
    p.setFont(font);
    p.setPen(Colour::kAccent);
    const QRectF box(8, top, kContentRight - 8, 11);
    p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
    const qreal end = box.left() + QFontMetricsF(font).horizontalAdvance(text) + 6;
    p.fillRect(QRectF(end, top + 6, kContentRight - end, 1), Colour::kRule);
}

void drawArrows(QPainter& p, ArrowsWork arrows)
{
    if (arrows == ArrowsWork::Up || arrows == ArrowsWork::Both)
        drawArrow(p, rectOf("lblArrowUp", pageOrigin()), Arrow::Up);
    if (arrows == ArrowsWork::Down || arrows == ArrowsWork::Both)
        drawArrow(p, rectOf("lblArrowDown", pageOrigin()), Arrow::Down);
}

void drawField(QPainter& p, const QRectF& field)
{
    p.fillRect(field.adjusted(-1, -1, 1, 1), Colour::kFieldEdge);
    // A darker top edge makes the field look sunk into the page.
    p.fillRect(QRectF(field.left() - 1, field.top() - 1, field.width() + 2, 1),
               Colour::kFieldShade);
    p.fillRect(field, Qt::white);
}

void drawListField(QPainter& p, const QRectF& list)
{
    // The drop-down list draws its own frame; a second one around it would look heavy.
    p.fillRect(list.translated(0, 1), QColor(20, 30, 45, 30));
    p.fillRect(list, Qt::white);
}

void drawValueBox(QPainter& p, const QRectF& box)
{
    p.fillRect(box.adjusted(-1, -1, 1, 1), Colour::kValueEdge);
    p.fillRect(box, Qt::white);
}

void drawCaption(QPainter& p, const QString& text, const QRectF& field, qreal left)
{
    p.setFont(sans(11));
    p.setPen(Colour::kText);
    p.drawText(QRectF(left, field.top(), field.left() - left - 4, field.height()),
               Qt::AlignLeft | Qt::AlignVCenter, text);
}

void drawPrefix(QPainter& p, const QString& sign, const QRectF& field)
{
    p.setFont(sans(11));
    p.setPen(Colour::kText);
    p.drawText(QRectF(field.left() - 12, field.top(), 10, field.height()),
               Qt::AlignRight | Qt::AlignVCenter, sign);
}

void drawButtonFace(QPainter& p, const QRectF& button)
{
    const QColor edge(70, 84, 104);
    p.fillRect(button.translated(1, 1), QColor(20, 30, 45, 55));
    QLinearGradient fill(button.topLeft(), button.bottomLeft());
    fill.setColorAt(0, QColor(255, 255, 255));
    fill.setColorAt(1, QColor(208, 217, 229));
    p.fillRect(button, fill);
    p.fillRect(QRectF(button.left(), button.top(), button.width(), 1), edge);
    p.fillRect(QRectF(button.left(), button.bottom() - 1, button.width(), 1), edge);
    p.fillRect(QRectF(button.left(), button.top(), 1, button.height()), edge);
    p.fillRect(QRectF(button.right() - 1, button.top(), 1, button.height()), edge);
}

qreal drawParagraph(QPainter& p, const QString& text, const QRectF& box, const QFont& font,
                    const QColor& colour)
{
    constexpr int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    p.setFont(font);
    p.setPen(colour);
    const QRectF used = p.boundingRect(box, flags, text);
    p.drawText(box, flags, text);
    return used.height();
}

QColor levelColour(int level)
{
    // Red while little is left, through amber, to green when the budget is whole.
    static const std::array<QColor, 9> colours {
        QColor(214, 40, 57),  QColor(214, 40, 57),  QColor(226, 73, 47),
        QColor(236, 120, 40), QColor(240, 165, 27), QColor(222, 192, 26),
        QColor(160, 196, 57), QColor(92, 178, 70),  QColor(40, 150, 70)};
    return colours.at(std::size_t(std::clamp(level, 0, 8)));
}

void drawDial(QPainter& p, QPointF centre, qreal radius, int level, const DialStyle& style)
{
    const QRectF outer(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    const qreal inner = radius - style.ringWidth;
    const QRectF innerRect(centre.x() - inner, centre.y() - inner, 2 * inner, 2 * inner);
    const QColor lit = style.neutral ? Colour::kTrack : levelColour(level);

    p.setPen(Qt::NoPen);
    for (int segment = 0; segment < 8; ++segment) {
        const qreal start = 180 - segment * 22.5 - style.gap / 2;
        const qreal sweep = -(22.5 - style.gap);
        QPainterPath path;
        path.arcMoveTo(outer, start);
        path.arcTo(outer, start, sweep);
        path.arcTo(innerRect, start + sweep, -sweep);
        path.closeSubpath();
        p.setBrush(segment < level ? lit : Colour::kTrack);
        p.drawPath(path);
    }
    // Just outside the segments, so that their colours stay whole.
    constexpr qreal kRim = 1.25;
    const QRectF rimOuter = outer.adjusted(-kRim / 2, -kRim / 2, kRim / 2, kRim / 2);
    const QRectF rimInner = innerRect.adjusted(kRim / 2, kRim / 2, -kRim / 2, -kRim / 2);
    QPainterPath rim;
    rim.arcMoveTo(rimOuter, 180);
    rim.arcTo(rimOuter, 180, -180);
    rim.arcTo(rimInner, 0, 180);
    rim.closeSubpath();
    p.setPen(QPen(Colour::kScaleEdge, kRim));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rim);
    if (style.neutral)
        return;

    const qreal angle = 180 - level * 22.5;
    const QColor ink(43, 47, 54);
    p.setPen(QPen(ink, std::max(1.5, radius / 16), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centre, pointOnCircle(centre, inner + style.ringWidth * 0.35, angle));
    p.setPen(Qt::NoPen);
    const qreal hub = std::max(3.0, radius / 8);
    QRadialGradient shine(centre - QPointF(hub / 3, hub / 3), hub);
    shine.setColorAt(0, QColor(120, 126, 136));
    shine.setColorAt(1, ink);
    p.setBrush(shine);
    p.drawEllipse(centre, hub, hub);
}

} // namespace Artwork
