// The organiser itself: the skin behind the whole window, the window icon and
// the pointing hand. The buttons are drawn under the click areas that make them
// live, taken from the window's inventory.
#include "drawing.h"
#include "painters.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

namespace Artwork {

namespace {

const QColor kSilk {180, 186, 195}; // the silk-screen print on the glass
const QColor kGlyph {222, 226, 231}; // pictograms on the hard buttons
const QColor kRecess {18, 20, 23};

QPainterPath roundedBody(const QRectF& r, qreal top, qreal bottom)
{
    QPainterPath path;
    path.moveTo(r.left() + top, r.top());
    path.arcTo(QRectF(r.right() - 2 * top, r.top(), 2 * top, 2 * top), 90, -90);
    path.arcTo(QRectF(r.right() - 2 * bottom, r.bottom() - 2 * bottom, 2 * bottom, 2 * bottom), 0,
               -90);
    path.arcTo(QRectF(r.left(), r.bottom() - 2 * bottom, 2 * bottom, 2 * bottom), 270, -90);
    path.arcTo(QRectF(r.left(), r.top(), 2 * top, 2 * top), 180, -90);
    path.closeSubpath();
    return path;
}

// A lit edge above and a dark one below make a shape look sunk or raised.
QLinearGradient edgeLight(const QRectF& r, const QColor& top, const QColor& bottom)
{
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

void drawBody(QPainter& p, const QRectF& body)
{
    const QPainterPath outline = roundedBody(body, 30, 46);
    p.setPen(Qt::NoPen);
    for (int ring = 8; ring >= 1; --ring) {
        p.setBrush(QColor(0, 0, 0, 9));
        p.drawPath(roundedBody(body.adjusted(-ring * 0.5, -ring * 0.25, ring * 0.5, ring * 0.75),
                               30 + ring * 0.5, 46 + ring * 0.5));
    }
    QLinearGradient metal(body.topLeft(), body.bottomLeft());
    metal.setColorAt(0, QColor(98, 103, 111));
    metal.setColorAt(0.45, QColor(74, 78, 85));
    metal.setColorAt(1, QColor(48, 51, 56));
    p.setBrush(metal);
    p.drawPath(outline);
    QLinearGradient sheen(body.topLeft(), body.topRight());
    sheen.setColorAt(0, QColor(255, 255, 255, 26));
    sheen.setColorAt(0.3, QColor(255, 255, 255, 0));
    sheen.setColorAt(0.75, QColor(0, 0, 0, 0));
    sheen.setColorAt(1, QColor(0, 0, 0, 40));
    p.setBrush(sheen);
    p.drawPath(outline);

    // The bevel: light catches the upper rim, the lower one falls into shade.
    p.save();
    p.setClipPath(outline);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(edgeLight(body, QColor(255, 255, 255, 110), QColor(0, 0, 0, 120))), 3));
    p.drawPath(roundedBody(body.adjusted(1, 1, -1, -1), 29, 45));
    p.restore();
    p.setPen(QPen(QColor(22, 24, 27), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(outline);
}

void drawName(QPainter& p, const QRectF& band)
{
    QFont font = sans(16, true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    p.setFont(font);
    p.setPen(QColor(25, 27, 31));
    p.drawText(band.translated(0, 1), Qt::AlignCenter, QStringLiteral("Brivant"));
    p.setPen(QColor(214, 218, 224));
    p.drawText(band, Qt::AlignCenter, QStringLiteral("Brivant"));
}

// The glass that holds the screen and the silk-screen area below it.
void drawGlass(QPainter& p, const QRectF& glass, const QRectF& screen)
{
    const QPainterPath path = roundedBody(glass, 9, 9);
    p.setPen(QPen(QBrush(edgeLight(glass, QColor(10, 11, 13), QColor(130, 136, 146))), 2));
    QLinearGradient dark(glass.topLeft(), glass.bottomLeft());
    dark.setColorAt(0, QColor(34, 36, 41));
    dark.setColorAt(1, QColor(22, 24, 27));
    p.setBrush(dark);
    p.drawPath(path);
    p.fillRect(screen.adjusted(-1, -1, 1, 1), QColor(8, 9, 10));
    p.fillRect(screen, Qt::white);
}

void drawWritingArea(QPainter& p, const QRectF& area)
{
    p.setPen(QPen(QColor(66, 70, 78), 1));
    p.setBrush(QColor(38, 41, 46));
    p.drawRoundedRect(area, 5, 5);
    const qreal middle = area.center().x();
    p.setPen(QPen(QColor(84, 89, 98), 1, Qt::DashLine));
    p.drawLine(QPointF(middle, area.top() + 8), QPointF(middle, area.bottom() - 8));
    p.setPen(Qt::NoPen);
    p.setBrush(kSilk);
    for (qreal y : {area.top() + 2, area.bottom() - 2}) {
        const qreal s = y < area.center().y() ? 1 : -1;
        p.drawPolygon(
            QPolygonF {QPointF(middle - 3, y), QPointF(middle + 3, y), QPointF(middle, y + s * 4)});
    }
    p.setFont(sans(8));
    p.setPen(QColor(200, 205, 212));
    p.drawText(area.adjusted(6, 0, 0, -4), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("abc"));
    p.drawText(area.adjusted(0, 0, -6, -4), Qt::AlignRight | Qt::AlignBottom,
               QStringLiteral("123"));
}

void drawIconRing(QPainter& p, QPointF c)
{
    p.setPen(QPen(QColor(62, 66, 74), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 12, 12);
}

void drawApplicationsIcon(QPainter& p, const QRectF& area)
{
    const QPointF c = area.center();
    drawIconRing(p, c);
    p.setPen(Qt::NoPen);
    p.setBrush(kSilk);
    for (int row = -1; row <= 1; ++row) {
        for (int column = -1; column <= 1; ++column)
            p.drawRoundedRect(QRectF(c.x() + column * 5.5 - 2, c.y() + row * 5.5 - 2, 4, 4), 1, 1);
    }
}

void drawMenuIcon(QPainter& p, const QRectF& area)
{
    const QPointF c = area.center();
    drawIconRing(p, c);
    p.setPen(QPen(kSilk, 2, Qt::SolidLine, Qt::RoundCap));
    for (int row = -1; row <= 1; ++row)
        p.drawLine(QPointF(c.x() - 6, c.y() + row * 4.5), QPointF(c.x() + 6, c.y() + row * 4.5));
}

void drawCalculatorIcon(QPainter& p, const QRectF& area)
{
    const QPointF c = area.center();
    drawIconRing(p, c);
    p.setPen(QPen(kSilk, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(c.x() - 6, c.y() - 8, 12, 16), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kSilk);
    p.drawRect(QRectF(c.x() - 3.5, c.y() - 5.5, 7, 3));
    for (int row = 0; row < 3; ++row) {
        for (int column = -1; column <= 1; ++column)
            p.drawRect(QRectF(c.x() + column * 3.2 - 1, c.y() - 0.5 + row * 2.8, 2, 1.8));
    }
}

void drawFindIcon(QPainter& p, const QRectF& area)
{
    const QPointF c = area.center();
    drawIconRing(p, c);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kSilk, 1.8));
    p.drawEllipse(c + QPointF(-1.5, -1.5), 4.5, 4.5);
    p.setPen(QPen(kSilk, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(c + QPointF(2, 2), c + QPointF(6, 6));
}

// A round hard button sunk into the body, its cap lit from above.
void drawHardButton(QPainter& p, const QRectF& area)
{
    const QPointF c = area.center();
    const qreal r = area.width() / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(edgeLight(area, kRecess, QColor(120, 125, 133))));
    p.drawEllipse(c, r + 1.5, r + 1.5);
    p.setBrush(kRecess);
    p.drawEllipse(c, r, r);
    QRadialGradient cap(c + QPointF(-r / 3, -r / 2.2), r * 1.5);
    cap.setColorAt(0, QColor(140, 146, 155));
    cap.setColorAt(0.45, QColor(90, 95, 103));
    cap.setColorAt(1, QColor(48, 51, 56));
    p.setBrush(cap);
    p.drawEllipse(c, r - 2, r - 2);
}

void drawCalendarGlyph(QPainter& p, QPointF c)
{
    p.setPen(QPen(kGlyph, 1.4));
    p.setBrush(Qt::NoBrush);
    const QRectF page(c.x() - 7.5, c.y() - 6, 15, 13);
    p.drawRoundedRect(page, 1.5, 1.5);
    p.fillRect(QRectF(page.left(), page.top(), page.width(), 3.5), kGlyph);
    p.setPen(QPen(kGlyph, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(c.x() - 3.5, page.top() - 2.5), QPointF(c.x() - 3.5, page.top() + 1));
    p.drawLine(QPointF(c.x() + 3.5, page.top() - 2.5), QPointF(c.x() + 3.5, page.top() + 1));
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    for (int row = 0; row < 2; ++row) {
        for (int column = -1; column <= 1; ++column)
            p.drawRect(QRectF(c.x() + column * 4 - 1, c.y() + row * 3.5, 2, 2));
    }
}

void drawContactsGlyph(QPainter& p, QPointF c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    p.drawEllipse(c + QPointF(0, -3.5), 3.6, 3.6);
    QPainterPath shoulders;
    shoulders.moveTo(c + QPointF(-7, 7.5));
    shoulders.cubicTo(c + QPointF(-7, 0.5), c + QPointF(7, 0.5), c + QPointF(7, 7.5));
    shoulders.closeSubpath();
    p.drawPath(shoulders);
}

void drawTasksGlyph(QPainter& p, QPointF c)
{
    for (int row = -1; row <= 1; ++row) {
        const qreal y = c.y() + row * 5;
        p.setPen(QPen(kGlyph, 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(c.x() - 7, y - 1.75, 3.5, 3.5));
        p.setPen(QPen(kGlyph, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(c.x() - 1, y), QPointF(c.x() + 7, y));
    }
    p.setPen(QPen(kGlyph, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(
        QPolygonF {c + QPointF(-7.5, -5.5), c + QPointF(-5.5, -3.2), c + QPointF(-2.5, -8.5)});
}

void drawNotesGlyph(QPainter& p, QPointF c)
{
    QPainterPath sheet;
    sheet.moveTo(c + QPointF(-6, -7.5));
    sheet.lineTo(c + QPointF(3, -7.5));
    sheet.lineTo(c + QPointF(6, -4.5));
    sheet.lineTo(c + QPointF(6, 7.5));
    sheet.lineTo(c + QPointF(-6, 7.5));
    sheet.closeSubpath();
    p.setPen(QPen(kGlyph, 1.4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(sheet);
    p.setPen(QPen(kGlyph, 1.2));
    for (int row = 0; row < 3; ++row)
        p.drawLine(QPointF(c.x() - 3.5, c.y() - 2.5 + row * 3.5),
                   QPointF(c.x() + 3.5, c.y() - 2.5 + row * 3.5));
}

// The two scroll buttons, one rocker with a groove between its halves.
void drawScrollRocker(QPainter& p, const QRectF& up, const QRectF& down)
{
    const QRectF whole = up.united(down);
    const qreal r = whole.width() / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(QBrush(edgeLight(whole, kRecess, QColor(120, 125, 133))));
    p.drawRoundedRect(whole.adjusted(-1.5, -1.5, 1.5, 1.5), r + 1.5, r + 1.5);
    p.setBrush(kRecess);
    p.drawRoundedRect(whole, r, r);
    const QRectF capArea = whole.adjusted(2, 2, -2, -2);
    QLinearGradient cap(capArea.topLeft(), capArea.bottomLeft());
    cap.setColorAt(0, QColor(128, 134, 143));
    cap.setColorAt(0.48, QColor(76, 80, 88));
    cap.setColorAt(0.52, QColor(96, 101, 109));
    cap.setColorAt(1, QColor(50, 53, 58));
    p.setBrush(cap);
    p.drawRoundedRect(capArea, r - 2, r - 2);
    const qreal groove = (up.bottom() + down.top()) / 2;
    p.fillRect(QRectF(capArea.left() + 3, groove - 1, capArea.width() - 6, 1.5), kRecess);
    p.fillRect(QRectF(capArea.left() + 3, groove + 0.5, capArea.width() - 6, 1),
               QColor(255, 255, 255, 40));
    p.setBrush(kGlyph);
    const QPointF u = up.center() + QPointF(0, 1);
    const QPointF d = down.center() - QPointF(0, 1);
    p.drawPolygon(QPolygonF {u + QPointF(0, -4), u + QPointF(-6, 3), u + QPointF(6, 3)});
    p.drawPolygon(QPolygonF {d + QPointF(0, 4), d + QPointF(-6, -3), d + QPointF(6, -3)});
}

void drawPowerButton(QPainter& p, const QRectF& area)
{
    const qreal r = area.width() / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(kRecess);
    p.drawRoundedRect(area.adjusted(-1.5, -1.5, 1.5, 1.5), r + 1.5, r + 1.5);
    const QRectF cap = area.adjusted(1, 1, -1, -1);
    QLinearGradient green(cap.topLeft(), cap.topRight());
    green.setColorAt(0, QColor(30, 130, 52));
    green.setColorAt(0.35, QColor(104, 214, 118));
    green.setColorAt(1, QColor(24, 112, 44));
    p.setBrush(green);
    p.drawRoundedRect(cap, r - 1, r - 1);
    const QPointF c = area.center();
    p.setPen(QPen(QColor(255, 255, 255, 230), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - 4, c.y() - 3.5, 8, 8), 125 * 16, 290 * 16);
    p.drawLine(c + QPointF(0, -5), c + QPointF(0, -0.5));
}

} // namespace

QImage skin(qreal scale)
{
    return render({335, 513}, scale, QColor(236, 238, 241), [](QPainter& p) {
        QLinearGradient desk(0, 0, 0, 513);
        desk.setColorAt(0, QColor(244, 245, 247));
        desk.setColorAt(1, QColor(222, 225, 230));
        p.fillRect(QRectF(0, 0, 335, 513), desk);

        drawBody(p, QRectF(3, 2, 329, 507));
        const QRectF screen = rectOf("imgFront");
        drawName(p, QRectF(0, 10, 335, 30));
        drawGlass(p, QRectF(screen.left() - 10.5, screen.top() - 10.5, screen.width() + 21, 352),
                  screen);

        const QRectF applications = rectOf("lblApplications");
        const QRectF calculator = rectOf("lblCalculator");
        const QRectF find = rectOf("lblFind");
        drawWritingArea(p,
                        QRectF(applications.right() + 11.5, applications.top() - 3.5,
                               calculator.left() - applications.right() - 23,
                               find.bottom() - applications.top() + 7));
        drawApplicationsIcon(p, applications);
        drawMenuIcon(p, rectOf("lblMenuButton"));
        drawCalculatorIcon(p, calculator);
        drawFindIcon(p, find);

        const QRectF calendar = rectOf("lblCalendar");
        const QRectF contacts = rectOf("lblContacts");
        const QRectF tasks = rectOf("lblTasks");
        const QRectF notes = rectOf("lblNotes");
        for (const QRectF& button : {calendar, contacts, tasks, notes})
            drawHardButton(p, button);
        drawCalendarGlyph(p, calendar.center());
        drawContactsGlyph(p, contacts.center());
        drawTasksGlyph(p, tasks.center());
        drawNotesGlyph(p, notes.center());
        drawScrollRocker(p, rectOf("lblScrollUp"), rectOf("lblScrollDown"));
        drawPowerButton(p, rectOf("lblPowerButton"));
    });
}

QImage windowIcon(qreal scale)
{
    return render({64, 64}, scale, Qt::transparent, [](QPainter& p) {
        const QRectF body(11, 2, 42, 60);
        QLinearGradient metal(body.topLeft(), body.bottomLeft());
        metal.setColorAt(0, QColor(104, 109, 117));
        metal.setColorAt(1, QColor(46, 49, 54));
        p.setPen(QPen(QColor(22, 24, 27), 1));
        p.setBrush(metal);
        p.drawPath(roundedBody(body, 7, 10));
        const QRectF screen(16.5, 7.5, 31, 33);
        p.fillRect(screen.adjusted(-1, -1, 1, 1), QColor(10, 11, 13));
        p.fillRect(screen, Qt::white);
        DialStyle style;
        style.ringWidth = 5.5;
        style.gap = 4;
        drawDial(p, QPointF(32, 33), 12.5, 6, style);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(150, 156, 165));
        for (qreal x : {19.0, 27.0, 37.0, 45.0})
            p.drawEllipse(QPointF(x, 52), 3, 3);
    });
}

QImage handCursor(qreal scale)
{
    return render({32, 32}, scale, Qt::transparent, [](QPainter& p) {
        // Outlines run along pixel centres so that they stay one crisp pixel wide;
        // the tip of the index finger lies on the hot spot (12, 1).
        QPainterPath hand;
        hand.moveTo(10.5, 2.5);
        hand.quadTo(10.5, 0.8, 12, 0.8);
        hand.quadTo(13.5, 0.8, 13.5, 2.5);
        hand.lineTo(13.5, 10.5);
        hand.quadTo(15, 7.6, 16.5, 10.5);
        hand.lineTo(16.5, 11.5);
        hand.quadTo(18, 8.6, 19.5, 11.5);
        hand.lineTo(19.5, 12.5);
        hand.quadTo(21, 9.6, 22.5, 12.5);
        hand.lineTo(22.5, 21.5);
        hand.quadTo(22.5, 25, 20.5, 26.5);
        hand.lineTo(12.5, 26.5);
        hand.lineTo(5.5, 18.5);
        hand.quadTo(4.6, 16, 7, 15.8);
        hand.lineTo(10.5, 18.5);
        hand.closeSubpath();
        p.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.setBrush(Qt::white);
        p.drawPath(hand);
        // The folds between the bent fingers.
        for (const QLineF& fold : {QLineF(13.5, 10.5, 13.5, 14), QLineF(16.5, 11.5, 16.5, 14.5),
                                   QLineF(19.5, 12.5, 19.5, 15)})
            p.drawLine(fold);
    });
}

} // namespace Artwork
