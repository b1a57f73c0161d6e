#include "artwork.h"

#include "painters.h"

namespace Artwork {

QImage draw(QStringView fileName, qreal scale)
{
    const auto is = [&](const char* name) {
        return fileName == QLatin1String(name);
    };
    if (is("skin.jpg"))
        return skin(scale);
    if (is("icon.png"))
        return windowIcon(scale);
    if (is("hand.png"))
        return handCursor(scale);
    if (is("about.jpg"))
        return about(scale);
    if (is("Title.jpg") || is("title.jpg"))
        return titleStrip(scale);
    if (is("TopMenu.jpg"))
        return menuStrip(scale);
    if (is("report1.jpg"))
        return statusPage(scale);
    if (is("report2.jpg"))
        return recentPage(scale);
    if (is("edit.jpg"))
        return editPage(scale);
    if (is("Setup.jpg"))
        return setupPage(scale);
    if (is("Transfer.jpg"))
        return transferPage(scale);
    if (is("FAQ1.jpg"))
        return faqPage(1, scale);
    if (is("FAQ2.jpg"))
        return faqPage(2, scale);
    if (is("meter.jpg"))
        return meter(4, true, scale);
    for (int level = 0; level <= 8; ++level) {
        if (fileName == QStringLiteral("meter%1.jpg").arg(level))
            return meter(level, false, scale);
    }
    return {};
}

} // namespace Artwork
