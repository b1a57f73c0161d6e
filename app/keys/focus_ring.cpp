#include "focus_ring.h"

#include "inventory.h"

#include <QPainter>
#include <QRegion>

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
    const auto frame = [&painter](QRect r, int width, const QColor& colour) {
        painter.fillRect(r.x(), r.y(), r.width(), width, colour);
        painter.fillRect(r.x(), r.bottom() - width + 1, r.width(), width, colour);
        painter.fillRect(r.x(), r.y(), width, r.height(), colour);
        painter.fillRect(r.right() - width + 1, r.y(), width, r.height(), colour);
    };
    painter.setClipRegion(QRegion(rect()) - whitePage().translated(-pos()));
    frame(rect(), kOuter, Qt::white);
    painter.setClipping(false);
    const QRect blue = rect().adjusted(kOuter, kOuter, -kOuter, -kOuter);
    frame(blue, kBlue, QColor(0, 60, 150));
    frame(blue.adjusted(kBlue, kBlue, -kBlue, -kBlue), m_inner, Qt::white);
}
