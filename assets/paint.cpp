// Draws every picture of the program: the run-time JPEG files and the pictures
// built into the window. Fields and buttons are drawn under the rectangles of the
// controls that will stand on them, taken from the window's own inventory.
#include "inventory.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

QRect pixelRect(TwipsRect twips)
{
    const PixelRect r = toPixels(twips);
    return {r.x, r.y, r.width, r.height};
}

QRect rectOf(std::string_view name)
{
    return pixelRect(controlSpec(name).twips);
}

// Where a page picture's top-left corner lies in the window.
QPoint pageOrigin()
{
    return {toPixels(kScreenTwips.left), toPixels(kPageTopTwips)};
}

bool save(const QImage& image, const QString& path)
{
    if (!image.save(path, nullptr, 92)) {
        std::fprintf(stderr, "brivant_paint: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

QImage blank(QSize size, QColor colour = Qt::white)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

void drawMeter(QPainter& p, QRectF box, int level)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(box.center().x(), box.bottom() - 6);
    const qreal radius = qMin(box.width() / 2 - 4, box.height() - 10);
    const QRectF dial(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(225, 225, 225));
    p.drawPie(dial, 0, 180 * 16);
    const QColor fill = QColor::fromHsv(int(120.0 * level / 8), 200, 210);
    p.setBrush(fill);
    // Filled from E on the left, in eighths of the half dial.
    p.drawPie(dial, 180 * 16, -level * 180 * 16 / 8);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::NoBrush);
    p.drawArc(dial, 0, 180 * 16);
    p.drawLine(QPointF(dial.left(), centre.y()), QPointF(dial.right(), centre.y()));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(box.left(), centre.y() - 10, 10, 10), Qt::AlignCenter, QStringLiteral("E"));
    p.drawText(QRectF(box.right() - 10, centre.y() - 10, 10, 10), Qt::AlignCenter,
               QStringLiteral("F"));
}

QImage meter(int level)
{
    QImage image = blank({76, 45});
    QPainter p(&image);
    drawMeter(p, QRectF(0, 0, 76, 45), level);
    return image;
}

// A page: a heading and a white field under every input, a face under every button.
QImage page(const QString& heading, std::initializer_list<std::string_view> fields,
            std::initializer_list<std::string_view> buttons)
{
    QImage image = blank({245, 223}, QColor(246, 246, 240));
    QPainter p(&image);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(6, 2, 233, 18), Qt::AlignLeft | Qt::AlignVCenter, heading);
    p.translate(-pageOrigin());
    p.setPen(QColor(150, 150, 150));
    for (std::string_view field : fields) {
        p.setBrush(Qt::white);
        p.drawRect(rectOf(field).adjusted(-1, -1, 0, 0));
    }
    for (std::string_view button : buttons) {
        p.setBrush(QColor(220, 224, 236));
        p.drawRect(rectOf(button).adjusted(0, 0, -1, -1));
    }
    return image;
}

QImage strip(const QString& text)
{
    QImage image = blank({245, 22}, QColor(40, 60, 120));
    QPainter p(&image);
    p.setPen(Qt::white);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.drawText(image.rect().adjusted(6, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text);
    return image;
}

QImage about()
{
    QImage image = blank({245, 245});
    QPainter p(&image);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(13);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRect(0, 4, 245, 18), Qt::AlignCenter, QStringLiteral("About Brivant"));
    font.setPixelSize(30);
    p.setFont(font);
    p.drawText(QRect(0, 30, 245, 40), Qt::AlignCenter, QStringLiteral("Brivant"));
    drawMeter(p, QRectF(60, 80, 125, 70), 6);
    font.setPixelSize(11);
    font.setBold(false);
    p.setFont(font);
    p.drawText(QRect(0, 160, 245, 18), Qt::AlignCenter, QStringLiteral("Version 1.0"));
    return image;
}

QImage skin()
{
    QImage image = blank({335, 513}, QColor(70, 72, 78));
    QPainter p(&image);
    p.fillRect(pixelRect(kScreenTwips), Qt::white);
    p.setPen(QColor(200, 200, 200));
    for (std::string_view area :
         {"lblCalendar", "lblContacts", "lblTasks", "lblNotes", "lblScrollUp", "lblScrollDown",
          "lblFind", "lblCalculator", "lblMenuButton", "lblApplications"})
        p.drawEllipse(rectOf(area));
    p.setBrush(QColor(60, 170, 80));
    p.drawEllipse(rectOf("lblPowerButton"));
    return image;
}

QImage hand()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(10, 0.5, 5, 16), 2.5, 2.5);
    path.addRoundedRect(QRectF(8, 12, 16, 14), 4, 4);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(path.simplified());
    return image;
}

QImage icon()
{
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(70, 72, 78));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(6, 2, 52, 60), 8, 8);
    drawMeter(p, QRectF(10, 12, 44, 30), 6);
    return image;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: brivant_paint RUNTIME_DIR BUILTIN_DIR\n");
        return 2;
    }
    const QDir runtime(QString::fromLocal8Bit(argv[1]));
    const QDir builtin(QString::fromLocal8Bit(argv[2]));

    bool ok = true;
    auto out = [&](const QDir& dir, const QString& name, const QImage& image) {
        ok = save(image, dir.filePath(name)) && ok;
    };

    out(runtime, QStringLiteral("Title.jpg"), strip(QStringLiteral("Brivant")));
    out(runtime, QStringLiteral("TopMenu.jpg"), strip({}));
    out(runtime, QStringLiteral("report1.jpg"),
        page(QStringLiteral("Category status"),
             {"txtDate", "txtAmount", "txtDescription", "cboPayment"},
             {"lblReportBack", "lblReportReset", "lblReportDone"}));
    out(runtime, QStringLiteral("report2.jpg"),
        page(QStringLiteral("Recent transactions"), {"picReport"},
             {"lblReportEdit", "lblReportDelete"}));
    out(runtime, QStringLiteral("edit.jpg"),
        page(QStringLiteral("Edit transaction"),
             {"txtDate", "txtAmount", "txtDescription", "cboPayment"},
             {"lblEditCancel", "lblEditReset", "lblEditDone"}));
    out(runtime, QStringLiteral("Setup.jpg"),
        page(QStringLiteral("Budget setup"),
             {"txtTotal", "cboInterval", "cboCateName", "txtBudgetAmount", "txtAlertAmount",
              "cboCategory"},
             {"lblSetupCancel", "lblSetupReset", "lblSetupEdit"}));
    out(runtime, QStringLiteral("Transfer.jpg"),
        page(QStringLiteral("Transfer funds"), {"txtTransAmount", "cboTransFrom", "cboTransTo"},
             {"lblTransCancel", "lblTransReset", "lblTransDone"}));
    out(runtime, QStringLiteral("FAQ1.jpg"), page(QStringLiteral("FAQ 1/2"), {}, {}));
    out(runtime, QStringLiteral("FAQ2.jpg"), page(QStringLiteral("FAQ 2/2"), {}, {}));
    out(runtime, QStringLiteral("about.jpg"), about());
    for (int level = 0; level <= 8; ++level)
        out(runtime, QStringLiteral("meter%1.jpg").arg(level), meter(level));

    out(builtin, QStringLiteral("skin.jpg"), skin());
    out(builtin, QStringLiteral("about.jpg"), about());
    out(builtin, QStringLiteral("title.jpg"), strip(QStringLiteral("Brivant")));
    out(builtin, QStringLiteral("meter.jpg"), meter(4));
    out(builtin, QStringLiteral("icon.png"), icon());
    out(builtin, QStringLiteral("hand.png"), hand());
    return ok ? 0 : 1;
}
