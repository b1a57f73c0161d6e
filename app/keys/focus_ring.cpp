#include "focus_ring.h"

#include "inventory.h"

#include <QPainter>
#include <QRegion>
#include <QtMath>

namespace {

// From the outside in: white, dark blue, white. The inner white is one pixel on the white
// screen, so that the ring ends before a meter's name, and two on the dark bar, whose own dark
// edge under a tab leaves the blue unseen there.
constexpr int kOuter = 2;
constexpr int kBlue = 3;

// The white screen under the top strip. The outer white, there only hiding the page's own
// marks (a field's "$", the edge of the field below), is left out: the blue shows alone.
QRect whitePage()
{
    const PixelRect screen = toPixels(kScreenTwips);
    const int top = toPixels(kPageTopTwips);
    return {screen.x, top, screen.width, screen.y + screen.height - top};
}

} // namespace

FocusRing::FocusRing(QWidget* window)
    : QWidget(window)
{
    setObjectName(QStringLiteral("focusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FocusRing::follow(const QWidget* control)
{
    m_inner = whitePage().contains(control->geometry().center()) ? 1 : 2;
    const int margin = kOuter + kBlue + m_inner;
    setGeometry(control->geometry().adjusted(-margin, -margin, margin, margin));
    show();
}

void FocusRing::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setClipRegion(QRegion(rect()) - whitePage().translated(-pos()));
    // Bands of whole pixels of the screen, from the control's edge out: at a density such as
    // 1.25, bands of logical pixels land between the screen's and come out a pixel thinner on
    // some sides, or cover the control's own edge.
    const qreal density = devicePixelRatioF();
    const int margin = kOuter + kBlue + m_inner;
    const QTransform toScreen = painter.deviceTransform();
    const QRectF ring = toScreen.mapRect(QRectF(rect()));
    const QRectF control
        = toScreen.mapRect(QRectF(rect().adjusted(margin, margin, -margin, -margin)));
    const QRect inside(QPoint(qFloor(control.left()), qFloor(control.top())),
                       QPoint(qCeil(control.right()) - 1, qCeil(control.bottom()) - 1));
    const int inner = qMax(1, qRound(m_inner * density)), blue = qCeil(kBlue * density);
    const QRect white = inside.adjusted(-inner, -inner, inner, inner);
    const QRect dark = white.adjusted(-blue, -blue, blue, blue);
    const QRect outside(QPoint(qCeil(ring.left()), qCeil(ring.top())),
                        QPoint(qFloor(ring.right()) - 1, qFloor(ring.bottom()) - 1));
    painter.setWorldTransform(toScreen.inverted());
    const auto band = [&painter](const QRect& from, const QRect& to, const QColor& colour) {
        for (const QRect& part : QRegion(from) - QRegion(to))
            painter.fillRect(part, colour);
    };
    band(outside, dark, Qt::white);
    painter.setClipping(false);
    band(dark, white, QColor(0, 60, 150));
    band(white, inside, Qt::white);
}
