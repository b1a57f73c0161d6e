// Every text stands out 4.5 times and every control's edge 3 times from what lies around it
// (WCAG 2.2 AA), measured in the window's own pixels, pictures and controls alike.
#include "driver.h"

#include <QAbstractItemView>
#include <QComboBox>

#include <cmath>
#include <map>

namespace {

double luminance(QColor c)
{
    const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

// The ink of an area against its commonest shade. The ink is taken among the pixels that
// stand out at least half as far (in ratio) as the farthest, at the twentieth strongest of
// them in a hundred: a few stray pixels pass no faint text, and a thin text is only as
// strong as most of its strokes.
double contrast(const QImage& image, QRect area)
{
    std::vector<double> shades;
    std::map<int, std::vector<double>> bands; // shades in steps a person barely tells apart
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            shades.push_back(luminance(image.pixelColor(x, y)));
            bands[int(std::sqrt(shades.back()) * 40)].push_back(shades.back());
        }
    }
    std::vector<double> common = std::max_element(bands.begin(), bands.end(), [](auto& a, auto& b) {
                                     return a.second.size() < b.second.size();
                                 })->second;
    std::nth_element(common.begin(), common.begin() + common.size() / 2, common.end());
    const double back = common[common.size() / 2];
    std::vector<double> ratios;
    for (double shade : shades)
        ratios.push_back((std::max(shade, back) + 0.05) / (std::min(shade, back) + 0.05));
    std::sort(ratios.begin(), ratios.end(), std::greater());
    const auto strong
        = std::upper_bound(ratios.begin(), ratios.end(), std::sqrt(ratios[0]), std::greater());
    return ratios[std::size_t(strong - ratios.begin()) / 20];
}

// An area of a control in its own pixels, where a width or height of 0 or less is the
// control's own plus that; "" is the open drop-down list's window.
struct Probe
{
    const char* control;
    int x, y, width, height;
    double least;
};
constexpr double kText = 4.5, kEdge = 3;

} // namespace

// Texts of every colour and on every ground, the edges of inputs and the meters' scales on
// every screen, the chosen entries of a menu and of a drop-down list; at every density.
TEST_F(Script, EveryTextAndEdgeStandsOutAtEveryDensity)
{
    const QString menu = "click lblMenuButton; click lblSetup; pick lstSetup ";
    // clang-format off
    const std::pair<QString, std::vector<Probe>> screens[] = {
        {"", {{"imgFront", 0, 0, 0, 22, kText}, {"imgFront", 0, 26, 0, 40, kText}, {"imgFront", 0, 64, 0, 14, kText},
              {"imgFront", 30, 140, 40, 12, kText}, {"imgFront", 63, 151, 36, 8, kText}, {"imgFront", 151, 151, 27, 8, kText},
              {"imgFront", 0, 218, 0, 16, kText}, {"imgFront", 158, 132, 13, 11, kEdge}, {"lblAboutOK", 0, 0, 0, 0, kText},
              {"imgOstrel", 0, 10, 0, 30, kText}, {"imgOstrel", 95, 372, 20, 13, kText}, {"imgOstrel", 229, 372, 20, 13, kText}}},
        {"click lblAboutOK", {{"imgRent", 67, 22, 9, 13, kEdge}, {"imgParking", 0, 22, 9, 13, kEdge}, {"imgGas", 0, 22, 9, 13, kEdge},
              {"imgFood", 0, 22, 9, 13, kEdge}, {"imgEntertainment", 0, 22, 9, 13, kEdge}, {"imgRent", 4, 36, 13, 9, kText},
              {"lblFood", 0, 0, 0, 0, kText}, {"imgAllCategory", 0, 0, 0, 0, kText}}},
        {"key F10; key Right; key Right; key Return", {{"imgAllCategory", 0, 0, 0, 0, kText}, {"lstSetup", 1, 1, -2, 14, kText}}},
        {"key Esc; key Esc; click imgFood", {{"lblHelp", -84, 0, 76, 0, kText}, {"lblHelp", 0, 0, 0, 0, kText},
              {"lblArrowDown", -124, 0, 120, 0, kText}, {"lblArrowDown", 0, 0, 0, 0, kEdge}, {"txtDate", -96, 0, 92, 0, kText},
              {"imgFront", 8, 54, 100, 11, kText}, {"txtDate", -5, 2, 7, -4, kEdge}, {"txtDate", 0, 0, 0, 0, kText},
              {"cboPayment", -3, 2, 6, -4, kEdge}, {"lblAvailable", 0, 0, 0, 0, kText}, {"lblReportBack", 0, 0, 0, 0, kText},
              {"imgReport", 0, 22, 9, 13, kEdge}}},
        {"click lblArrowDown", {{"imgFront", 8, 3, 200, 18, kText}, {"picReport", 0, -15, 0, 11, kText},
              {"optReport(1)", 0, 0, 0, 0, kEdge}, {"picReport", 0, 0, 0, 0, kText}, {"lblReportEdit", 0, 0, 0, 0, kText}}},
        {menu + "Setup Budget", {{"cboInterval", -3, 2, 6, -4, kEdge}, {"cboCateName", 0, 0, 0, 0, kEdge}}},
        {"click lblSetupCancel; " + menu + "Transfer Funds", {{"imgFront", 10, 30, 214, 40, kText},
              {"cboTransFrom", -3, 2, 6, -4, kEdge}, {"cboTransFrom", 0, 0, 0, 0, kText}, {"", 1, 1, -2, 14, kText}}},
        {"click lblHelp; pick lstHelp FAQs; click lblArrowDown", {{"imgFront", 170, 3, 54, 18, kText},
              {"imgFront", 8, 28, 216, 60, kText}}},
    };
    // clang-format on
    for (const auto& [steps, probes] : screens) {
        run({{steps, ""}});
        auto* list = window->findChild<QComboBox*>("cboTransFrom");
        if (list->isVisible())
            list->showPopup();
        const QImage shown = window->grab().toImage();
        for (const Probe& probe : probes) {
            const bool own = *probe.control; // else the drop-down list's window
            QWidget* control
                = own ? window->findChild<QWidget*>(probe.control) : list->view()->window();
            ASSERT_TRUE(control && control->isVisible()) << probe.control;
            const QImage image = own ? shown : control->grab().toImage();
            const QSizeF size(probe.width > 0 ? probe.width : control->width() + probe.width,
                              probe.height > 0 ? probe.height : control->height() + probe.height);
            const QPointF at = QPointF(probe.x, probe.y) + (own ? control->pos() : QPoint());
            const qreal d = image.devicePixelRatio();
            EXPECT_GE(contrast(image, QRectF(at * d, size * d).toRect()), probe.least)
                << qPrintable(steps) << ": " << probe.control << " at " << probe.x << "," << probe.y
                << " x" << d;
        }
        list->hidePopup();
    }
}
