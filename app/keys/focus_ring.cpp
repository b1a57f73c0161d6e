#include "focus_ring.h"

#include <QPainter>

namespace {

constexpr int kRingMargin = 3;

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
    setGeometry(control->geometry().adjusted(-kRingMargin, -kRingMargin, kRingMargin, kRingMargin));
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
    frame(rect(), 1, Qt::white);
    frame(rect().adjusted(1, 1, -1, -1), kRingMargin - 1, QColor(0, 90, 200));
}
