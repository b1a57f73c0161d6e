// Every text stands out 4.5 times and every control's edge 3 times from what lies around it
// (WCAG 2.2 AA), measured in the window's own pixels, pictures and controls alike.
#include "driver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>

#include <cmath>
#include <map>

namespace {

// The ink of an area against its commonest shade, in WCAG's relative luminance. The ink is
// taken among the pixels that stand out at least half as far (in ratio) as the farthest, at
// the tenth strongest of them in a hundred: a few stray pixels pass no faint text, and a thin
// text counts as only as dark as most of its strokes.
double contrast(const QImage& image, QRect area)
{
    const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    std::vector<double> shades, ratios;
    std::map<int, std::vector<double>> bands; // shades in steps a person barely tells apart
    for (int i = 0; i < area.width() * area.height(); ++i) {
        const QColor c
            = image.pixelColor(area.topLeft() + QPoint(i % area.width(), i / area.width()));
        shades.push_back(0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF())
                         + 0.0722 * linear(c.blueF()));
        bands[int(std::sqrt(shades.back()) * 40)].push_back(shades.back());
    }
    auto common = std::max_element(bands.begin(), bands.end(), [](auto& a, auto& b) {
                      return a.second.size() < b.second.size();
                  })->second;
    std::nth_element(common.begin(), common.begin() + common.size() / 2, common.end());
    for (const double shade : shades)
        ratios.push_back((std::max(shade, common[common.size() / 2]) + 0.05)
                         / (std::min(shade, common[common.size() / 2]) + 0.05));
    std::sort(ratios.begin(), ratios.end(), std::greater());
    const auto strong
        = std::upper_bound(ratios.begin(), ratios.end(), std::sqrt(ratios[0]), std::greater());
    return ratios[std::size_t(strong - ratios.begin()) / 10];
}

// A control's name and an area in its pixels, where a width or height of 0 or less is the
// control's own plus that ("" is the open drop-down list's window); the least contrast.
using Probe = std::tuple<const char*, QRect, double>;
constexpr double kText = 4.5, kEdge = 3;

} // namespace

// Texts of every colour and on every ground, the edges of inputs and the meters' scales on
// every screen, the chosen entries of a menu and of a drop-down list; at every density.
TEST_F(Script, EveryTextAndEdgeStandsOutAtEveryDensity)
{
    const QString menu = "click lblMenuButton; click lblSetup; pick lstSetup ";
    // clang-format off
    const std::pair<QString, std::vector<Probe>> screens[] = {
        {"", {{"imgFront", {0, 0, 0, 22}, kText}, {"imgFront", {0, 26, 0, 40}, kText}, {"imgFront", {0, 64, 0, 14}, kText},
              {"imgFront", {30, 140, 40, 12}, kText}, {"imgFront", {63, 151, 36, 8}, kText}, {"imgFront", {151, 151, 27, 8}, kText},
              {"imgFront", {0, 218, 0, 16}, kText}, {"imgFront", {158, 132, 13, 11}, kEdge}, {"lblAboutOK", {}, kText},
              {"imgOstrel", {0, 10, 0, 30}, kText}, {"imgOstrel", {95, 372, 20, 13}, kText}, {"imgOstrel", {229, 372, 20, 13}, kText}}},
        {"click lblAboutOK", {{"imgRent", {67, 22, 9, 13}, kEdge}, {"imgParking", {0, 22, 9, 13}, kEdge}, {"imgGas", {0, 22, 9, 13}, kEdge},
              {"imgFood", {0, 22, 9, 13}, kEdge}, {"imgEntertainment", {0, 22, 9, 13}, kEdge}, {"imgRent", {4, 36, 13, 9}, kText}}},
        {"key F10; key Right; key Right; key Return", {{"imgAllCategory", {}, kText}, {"lstSetup", {1, 1, -2, 14}, kText}}},
        {"key Esc; key Esc; click imgFood", {{"imgAllCategory", {}, kText}, {"lblHelp", {-84, 0, 76, 0}, kText},
              {"lblArrowDown", {-124, 0, 120, 0}, kText}, {"lblArrowDown", {}, kEdge}, {"txtDate", {-96, 0, 92, 0}, kText},
              {"imgFront", {8, 54, 100, 11}, kText}, {"txtDate", {-5, 2, 7, -4}, kEdge}, {"txtDate", {}, kText},
              {"cboPayment", {-3, 2, 6, -4}, kEdge}, {"lblReportBack", {}, kText}, {"imgReport", {0, 22, 9, 13}, kEdge}}},
        {"click lblArrowDown", {{"imgFront", {8, 3, 200, 18}, kText}, {"picReport", {0, -15, 0, 11}, kText},
              {"optReport(1)", {}, kEdge}, {"picReport", {}, kText}}},
        {menu + "Setup Budget", {{"cboInterval", {-3, 2, 6, -4}, kEdge}, {"cboCateName", {}, kEdge}}},
        {"click lblSetupCancel; " + menu + "Transfer Funds", {{"imgFront", {10, 30, 214, 40}, kText},
              {"cboTransFrom", {-3, 2, 6, -4}, kEdge}, {"cboTransFrom", {}, kText}, {"", {1, 1, -2, 14}, kText}}},
        {"click lblHelp; pick lstHelp FAQs; click lblArrowDown", {{"imgFront", {170, 3, 54, 18}, kText},
              {"imgFront", {8, 28, 216, 60}, kText}}},
    };
    // clang-format on
    for (const auto& [steps, probes] : screens) {
        run({{steps, ""}});
        auto* list = window->findChild<QComboBox*>("cboTransFrom");
        if (list->isVisible())
            list->showPopup();
        const QImage shown = window->grab().toImage();
        for (const auto& [name, area, least] : probes) {
            QWidget* control = *name ? window->findChild<QWidget*>(name) : list->view()->window();
            ASSERT_TRUE(control && control->isVisible()) << name;
            const QImage image = *name ? shown : control->grab().toImage();
            const auto span = [](int own, int given) {
                return given > 0 ? given : own + given;
            };
            const QRectF part(area.topLeft() + (*name ? control->pos() : QPoint()),
                              QSize(span(control->width(), area.width()),
                                    span(control->height(), area.height())));
            const qreal d = image.devicePixelRatio();
            EXPECT_GE(contrast(image, QRectF(part.topLeft() * d, part.size() * d).toRect()), least)
                << qPrintable(steps) << ": " << name << " " << area.x() << "," << area.y() << " x"
                << d;
        }
        list->hidePopup();
    }
    // A real message box: the edges and captions of its buttons.
    Seams::setMessageHandler({});
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_TRUE(box);
        const QImage image = box->grab().toImage();
        const qreal d = image.devicePixelRatio();
        for (const QPushButton* button : box->findChildren<QPushButton*>()) {
            const QRectF area(button->mapTo(box, QPoint()) * d, button->size() * d);
            EXPECT_GE(contrast(image, area.toRect()), kText) << qPrintable(button->text());
            EXPECT_GE(contrast(image,
                               area.adjusted(-3 * d, 4 * d, 4 * d - area.width(), -4 * d).toRect()),
                      kEdge);
        }
        box->close();
    });
    Seams::showMessage(window.get(), {"Go back?", "Ostrel", Seams::Buttons::YesNo});
}
