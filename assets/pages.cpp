// The pictures of the application inside the organiser's screen: the About
// picture, the two states of the top strip and the page pictures. Every field,
// caption and button face stands where the window's inventory puts its control.
#include "drawing.h"
#include "help_text.h"
#include "inventory.h"
#include "painters.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace Artwork {

namespace {

// An amount field: its caption, the dollar sign in the gap before it, and the field.
void drawMoneyField(QPainter& p, const QString& caption, const QRectF& field)
{
    drawCaption(p, caption, field);
    drawPrefix(p, QStringLiteral("$"), field);
    drawField(p, field);
}

constexpr QSize kPageSize {245, 223};
constexpr QSize kStripSize {245, 22};

QRectF onPage(std::string_view control)
{
    return rectOf(control, pageOrigin());
}

void drawBar(QPainter& p, const QRectF& bar)
{
    QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
    fill.setColorAt(0, QColor(52, 102, 150));
    fill.setColorAt(1, QColor(24, 60, 98));
    p.fillRect(bar, fill);
    p.fillRect(QRectF(bar.left(), bar.top(), bar.width(), 1), QColor(255, 255, 255, 60));
    p.fillRect(QRectF(bar.left(), bar.bottom() - 1, bar.width(), 1), QColor(12, 34, 58));
}

// A light tab on the dark bar, a pixel wider than its label all round so that
// the label, opaque or not, sits framed in it.
void drawTabFace(QPainter& p, const QRectF& tab)
{
    const QRectF face = tab.adjusted(-1.5, -1.5, 1.5, 1.5);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, QColor(255, 255, 255));
    fill.setColorAt(1, QColor(222, 230, 240));
    p.setPen(QPen(QColor(12, 34, 58), 1));
    p.setBrush(fill);
    p.drawRoundedRect(face, 3, 3);
}

// The product's mark: a small dial, as on every meter.
void drawMark(QPainter& p, QPointF centre, qreal radius)
{
    DialStyle style;
    style.ringWidth = radius * 0.45;
    style.gap = 4;
    drawDial(p, centre, radius, 6, style);
}

void drawCoin(QPainter& p, QPointF centre, qreal radius)
{
    QRadialGradient gold(centre - QPointF(radius / 3, radius / 3), radius * 1.3);
    gold.setColorAt(0, QColor(255, 234, 150));
    gold.setColorAt(0.6, QColor(232, 186, 54));
    gold.setColorAt(1, QColor(180, 130, 20));
    p.setPen(QPen(QColor(150, 104, 10), 1));
    p.setBrush(gold);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(QColor(255, 244, 200), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius - 2.5, radius - 2.5);
    p.setFont(sans(radius * 1.25, true));
    p.setPen(QColor(130, 88, 6));
    p.drawText(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
               Qt::AlignCenter, QStringLiteral("$"));
}

// Captions and fields shared by the status page and the edit page.
void drawTransactionForm(QPainter& p)
{
    const QRectF date = onPage("txtDate");
    const QRectF amount = onPage("txtAmount");
    const QRectF category = onPage("lblCategory");
    const QRectF description = onPage("txtDescription");
    const QRectF payment = onPage("cboPayment");
    drawCaption(p, QStringLiteral("Date"), date);
    drawField(p, date);
    drawMoneyField(p, QStringLiteral("Amount"), amount);
    drawCaption(p, QStringLiteral("Category"), category);
    drawValueBox(p, category);
    drawCaption(p, QStringLiteral("Description"), description);
    drawField(p, description);
    drawCaption(p, QStringLiteral("Payment"), payment);
    drawListField(p, payment);
}

void drawButtonFaces(QPainter& p, std::initializer_list<std::string_view> buttons)
{
    for (std::string_view button : buttons)
        drawButtonFace(p, onPage(button));
}

void drawArrowHint(QPainter& p, const QString& text, Arrow arrow)
{
    const QRectF area = onPage(arrow == Arrow::Up ? "lblArrowUp" : "lblArrowDown");
    p.setFont(sans(10));
    p.setPen(Colour::kQuiet);
    p.drawText(QRectF(area.left() - 124, area.top(), 120, area.height()),
               Qt::AlignRight | Qt::AlignVCenter, text);
}

} // namespace

QImage titleStrip(qreal scale)
{
    return render(kStripSize, scale, Qt::white, [](QPainter& p) {
        drawBar(p, QRectF(QPointF(0, 0), kStripSize));
        drawMark(p, QPointF(15, 15), 8);
        p.setFont(sans(13, true));
        p.setPen(Qt::white);
        p.drawText(QRectF(28, 0, 100, 22), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Brivant"));
        const QRectF help = rectOf("lblHelp", stripOrigin());
        p.setFont(sans(10));
        p.setPen(QColor(255, 255, 255, 235));
        p.drawText(QRectF(help.left() - 84, 0, 76, 22), Qt::AlignRight | Qt::AlignVCenter,
                   QStringLiteral("tap for menu"));
        drawTabFace(p, help);
    });
}

QImage menuStrip(qreal scale)
{
    return render(kStripSize, scale, Qt::white, [](QPainter& p) {
        drawBar(p, QRectF(QPointF(0, 0), kStripSize));
        for (std::string_view tab : {"lblCategories", "lblReports", "lblSetup"})
            drawTabFace(p, rectOf(tab, stripOrigin()));
    });
}

QImage about(qreal scale)
{
    return render({245, 245}, scale, Qt::white, [](QPainter& p) {
        QLinearGradient back(0, 22, 0, 245);
        back.setColorAt(0, QColor(255, 255, 255));
        back.setColorAt(1, QColor(232, 238, 245));
        p.fillRect(QRectF(0, 22, 245, 223), back);
        drawBar(p, QRectF(0, 0, 245, 22));
        p.setFont(sans(13, true));
        p.setPen(Qt::white);
        p.drawText(QRectF(0, 0, 245, 22), Qt::AlignCenter, QString::fromUtf8(kAbout.title));

        p.setFont(sans(34, true));
        p.setPen(QColor(255, 255, 255));
        p.drawText(QRectF(0, 27, 245, 40), Qt::AlignCenter, QStringLiteral("Brivant"));
        p.setPen(Colour::kAccent);
        p.drawText(QRectF(0, 26, 245, 40), Qt::AlignCenter, QStringLiteral("Brivant"));
        p.setFont(sans(11));
        p.setPen(Colour::kQuiet);
        p.drawText(QRectF(0, 64, 245, 14), Qt::AlignCenter, QString::fromUtf8(kAbout.motto));

        // The gauge: from EMPTY to FULL, as on every category's meter.
        const QPointF centre(122.5, 146);
        const qreal radius = 48;
        DialStyle style;
        style.ringWidth = 13;
        style.gap = 2;
        drawDial(p, centre, radius, 6, style);
        // Ticks between the ends only: beside an end a tick would read as a minus sign.
        p.setPen(QPen(QColor(90, 98, 110), 1));
        for (int eighth = 1; eighth < 8; ++eighth) {
            const qreal a = (180 - eighth * 22.5) * std::numbers::pi / 180;
            const QPointF dir(std::cos(a), -std::sin(a));
            p.drawLine(centre + dir * (radius + 2),
                       centre + dir * (radius + (eighth % 2 ? 3.5 : 6)));
        }
        p.setFont(sans(10, true));
        p.setPen(Colour::kText);
        const auto label = [&](qreal degrees, qreal distance, const QString& text) {
            const qreal a = degrees * std::numbers::pi / 180;
            const QPointF at = centre + QPointF(std::cos(a), -std::sin(a)) * distance;
            p.drawText(QRectF(at.x() - 20, at.y() - 7, 40, 14), Qt::AlignCenter, text);
        };
        label(135, radius + 16, QStringLiteral("25%"));
        label(90, radius + 13, QStringLiteral("50%"));
        const qreal baseline = centre.y() - 6;
        p.drawText(QRectF(centre.x() - radius - 44, baseline, 40, 12),
                   Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("0%"));
        p.drawText(QRectF(centre.x() + radius + 4, baseline, 40, 12),
                   Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("100%"));
        p.setFont(sans(9, true));
        p.setPen(Colour::kQuiet);
        p.drawText(QRectF(centre.x() - radius - 14, centre.y() + 2, 40, 12), Qt::AlignCenter,
                   QStringLiteral("EMPTY"));
        p.drawText(QRectF(centre.x() + radius - 26, centre.y() + 2, 40, 12), Qt::AlignCenter,
                   QStringLiteral("FULL"));
        drawCoin(p, QPointF(26, 110), 12);
        drawCoin(p, QPointF(30, 137), 8);
        drawCoin(p, QPointF(219, 110), 12);
        drawCoin(p, QPointF(215, 137), 8);

        p.setFont(sans(11));
        p.setPen(Colour::kText);
        p.drawText(QRectF(0, 162, 245, 14), Qt::AlignCenter, QString::fromUtf8(kAbout.version));
        drawButtonFace(p, rectOf("lblAboutOK", aboutOrigin()));
        p.fillRect(QRectF(40, 214, 165, 1), Colour::kRule);
        p.setFont(sans(10));
        p.setPen(Colour::kQuiet);
        p.drawText(QRectF(0, 218, 245, 16), Qt::AlignCenter, QString::fromUtf8(kAbout.footer));
    });
}

QImage statusPage(qreal scale)
{
    return render(kPageSize, scale, Qt::white, [](QPainter& p) {
        drawPageBase(p);
        // The category's figures and its meter on one card.
        const QRectF card(3, 3, 224, 49);
        p.fillRect(card.translated(0, 1), QColor(20, 30, 45, 30));
        p.fillRect(card, Colour::kValueEdge);
        p.fillRect(card.adjusted(1, 1, -1, -1), Qt::white);
        const QRectF available = onPage("lblAvailable");
        const QRectF budgeted = onPage("lblBudgeted");
        drawCaption(p, QStringLiteral("Available"), available);
        drawValueBox(p, available);
        drawCaption(p, QStringLiteral("Budgeted"), budgeted);
        drawValueBox(p, budgeted);
        p.fillRect(onPage("imgReport"), Qt::white);

        drawSection(p, QStringLiteral("New transaction"), 54);
        drawTransactionForm(p);
        drawButtonFaces(p, {"lblReportBack", "lblReportReset", "lblReportDone"});
        drawArrowHint(p, QStringLiteral("Recent transactions"), Arrow::Down);
        drawArrows(p, ArrowsWork::Down);
    });
}

QImage recentPage(qreal scale)
{
    return render(kPageSize, scale, Qt::white, [](QPainter& p) {
        drawPageBase(p);
        drawHeading(p, QStringLiteral("Recent transactions"));
        const QRectF list = onPage("picReport");
        p.setFont(sans(10));
        p.setPen(Colour::kQuiet);
        p.drawText(QRectF(list.left(), 24, list.width(), list.top() - 25),
                   Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Choose a line, then tap Edit or Delete."));
        // The option buttons stand in a white column beside the printed rows.
        const QRectF first = optionRect(0, pageOrigin());
        const QRectF last = optionRect(kOptionButtons - 1, pageOrigin());
        drawValueBox(p,
                     QRectF(first.left(), list.top(), first.width(),
                            std::max(last.bottom(), list.bottom()) - list.top()));
        p.fillRect(list.adjusted(-1, -1, 1, 1), Colour::kFieldEdge);
        p.fillRect(list, QColor(224, 224, 224));
        drawButtonFaces(p, {"lblReportEdit", "lblReportDelete"});
        drawArrows(p, ArrowsWork::Up);
    });
}

QImage editPage(qreal scale)
{
    return render(kPageSize, scale, Qt::white, [](QPainter& p) {
        drawPageBase(p);
        drawHeading(p, QStringLiteral("Edit transaction"));
        const QRectF number = onPage("lblEditNumber");
        drawCaption(p, QStringLiteral("Transaction No."), number);
        drawValueBox(p, number);
        drawTransactionForm(p);
        drawButtonFaces(p, {"lblEditCancel", "lblEditReset", "lblEditDone"});
        drawArrows(p, ArrowsWork::Both);
    });
}

QImage setupPage(qreal scale)
{
    return render(kPageSize, scale, Qt::white, [](QPainter& p) {
        drawPageBase(p);
        drawHeading(p, QStringLiteral("Budget setup"));
        const QRectF total = onPage("txtTotal");
        const QRectF interval = onPage("cboInterval");
        const QRectF name = onPage("cboCateName");
        const QRectF budget = onPage("txtBudgetAmount");
        const QRectF alert = onPage("txtAlertAmount");
        const QRectF category = onPage("cboCategory");
        const QRectF shown = onPage("lblBudget");

        drawMoneyField(p, QStringLiteral("Total budget"), total);
        drawCaption(p, QStringLiteral("Interval"), interval);
        drawListField(p, interval);
        p.fillRect(QRectF(8, (interval.bottom() + name.top()) / 2, 216, 1), Colour::kRule);
        drawCaption(p, QStringLiteral("Category"), name);
        drawListField(p, name);
        drawMoneyField(p, QStringLiteral("Budget"), budget);
        drawMoneyField(p, QStringLiteral("Alert at"), alert);

        drawSection(p, QStringLiteral("Category budget"), alert.bottom() + 4);
        drawCaption(p, QStringLiteral("Name"), category);
        drawListField(p, category);
        drawCaption(p, QStringLiteral("Budget"), shown, category.right() + 5);
        drawValueBox(p, shown);
        drawButtonFaces(p, {"lblSetupCancel", "lblSetupReset", "lblSetupEdit"});
        drawArrows(p, ArrowsWork::Both);
    });
}

QImage transferPage(qreal scale)
{
    return render(kPageSize, scale, Qt::white, [](QPainter& p) {
        drawPageBase(p);
        drawHeading(p, QStringLiteral("Transfer funds"));
        const QRectF amount = onPage("txtTransAmount");
        const QRectF from = onPage("cboTransFrom");
        const QRectF to = onPage("cboTransTo");
        drawParagraph(p,
                      QStringLiteral("Move money that is still available from one category "
                                     "to another. A budget that the money exceeds grows "
                                     "to match."),
                      QRectF(10, 30, 214, amount.top() - 34), sans(11), Colour::kQuiet);
        drawMoneyField(p, QStringLiteral("Amount"), amount);
        drawCaption(p, QStringLiteral("From"), from);
        drawListField(p, from);
        drawCaption(p, QStringLiteral("To"), to);
        drawListField(p, to);
        drawButtonFaces(p, {"lblTransCancel", "lblTransReset", "lblTransDone"});
        drawArrows(p, ArrowsWork::Both);
    });
}

QImage faqPage(int number, qreal scale)
{
    const HelpPage& page = number == 1 ? kHelpPage1 : kHelpPage2;
    bool fits = true;
    QImage image = render(kPageSize, scale, Qt::white, [&](QPainter& p) {
        drawPageBase(p);
        drawHeading(p, QStringLiteral("Help"), QStringLiteral("%1/2").arg(number));
        const qreal bottom = kPageSize.height() - 4;
        qreal y = 28;
        for (const HelpEntry& entry : page) {
            const QRectF box(8, y, 216, bottom - y);
            y += drawParagraph(p, QString::fromUtf8(entry.question), box, sans(11, true),
                               Colour::kAccent);
            y += drawParagraph(p, QString::fromUtf8(entry.answer), QRectF(8, y, 216, bottom - y),
                               sans(11), Colour::kText);
            y += 6;
        }
        fits = y - 6 <= bottom;
        if (!fits)
            std::fprintf(stderr, "brivant_paint: help page %d needs %.0f pixels, has %.0f\n",
                         number, y - 6 - 28, bottom - 28);
        drawArrows(p, ArrowsWork::Both);
    });
    if (!fits) {
        return {};
    }
    return image;
}

} // namespace Artwork
