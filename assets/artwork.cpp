#include "artwork.h"

#include "painters.h"

#include <functional>
#include <utility>

namespace Artwork {

QImage draw(QStringView fileName, qreal scale)
{
    using Painter = std::function<QImage(qreal)>;
    // Every picture the program uses, by file name.
    static const std::pair<const char*, Painter> kPictures[] = {
        {"skin.jpg", skin},
        {"icon.png", windowIcon},
        {"hand.png", handCursor},
        {"about.jpg", about},
        {"Title.jpg", titleStrip},
        {"title.jpg", titleStrip},
        {"TopMenu.jpg", menuStrip},
        {"report1.jpg", statusPage},
        {"report2.jpg", recentPage},
        {"edit.jpg", editPage},
        {"Setup.jpg", setupPage},
        {"Transfer.jpg", transferPage},
        {"FAQ1.jpg",
         [](qreal s) {
             return faqPage(1, s);
         }},
        {"FAQ2.jpg",
         [](qreal s) {
             return faqPage(2, s);
         }},
        {"meter.jpg",
         [](qreal s) {
             return meter(4, true, s);
         }},
    };
    for (const auto& [name, painter] : kPictures) {
        if (fileName == QLatin1String(name))
            return painter(scale);
    }
    for (int level = 0; level <= 8; ++level) {
        if (fileName == QStringLiteral("meter%1.jpg").arg(level))
            return meter(level, false, scale);
    }
    return {};
}

} // namespace Artwork
