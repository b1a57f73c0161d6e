// Every text stands out 4.5 times and every control's edge 3 times from what lies around it
// (WCAG 2.2 AA), measured in the window's own pixels, pictures and controls alike; and every
// input of a page lies on its field.
#include "driver.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>

namespace {

// A control's name and an area in its pixels, where a width or height of 0 or less is the
// control's own plus that ("" is the open drop-down list's window); the least contrast.
using Probe = std::tuple<const char*, QRect, double>;
constexpr double kText = 4.5, kEdge = 3;

} // namespace

// Texts of every colour and on every ground, the edges of inputs and the meters' scales on
// every screen, the chosen entries of a menu and of a drop-down list; at every density. What
// the window shows beneath each input, a text box, a drop-down list, a row's option button or
// the list of rows, is one flat field of the page's picture.
TEST_F(Script, EveryTextAndEdgeStandsOutAndEveryInputLiesOnItsFieldAtEveryDensity)
{
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
        {"click optReport(0); click lblReportEdit; key Tab*7", {}},
        {"click lblEditCancel; " + kSetupMenu + "Setup Budget", {{"cboInterval", {-3, 2, 6, -4}, kEdge}, {"cboCateName", {}, kEdge}}},
        {"click lblSetupCancel; " + kSetupMenu + "Transfer Funds", {{"imgFront", {10, 30, 214, 40}, kText},
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
            const QRect part(area.topLeft() + (*name ? control->pos() : QPoint()),
                             QSize(span(control->width(), area.width()),
                                   span(control->height(), area.height())));
            EXPECT_GE(contrast(image, inPixels(image, part)), least)
                << qPrintable(steps) << ": " << name << " " << area.x() << "," << area.y() << " x"
                << image.devicePixelRatio();
        }
        QWidget* front = window->findChild<QWidget*>("imgFront");
        const QImage page = front->grab().toImage();
        for (const QWidget* input : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!input->isVisible()
                || !QStringList {"txt", "cbo", "opt", "pic"}.contains(input->objectName().left(3)))
                continue;
            const QRect area = inPixels(page, input->geometry().translated(-front->pos()));
            const int middle = qGray(page.pixel(area.center()));
            int off = 0; // more than JPEG noise away from the field's shade
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x)
                    off += std::abs(qGray(page.pixel(x, y)) - middle) > 32;
            }
            EXPECT_EQ(off, 0) << qPrintable(steps) << ": " << qPrintable(input->objectName());
        }
        list->hidePopup();
    }
    // A real message box: the edges and captions of its buttons.
    Seams::setMessageHandler({});
    QTimer::singleShot(0, [] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_TRUE(box);
        const QImage image = box->grab().toImage();
        for (const QPushButton* button : box->findChildren<QPushButton*>()) {
            const QRect area(button->mapTo(box, QPoint()), button->size());
            EXPECT_GE(contrast(image, inPixels(image, area)), kText) << qPrintable(button->text());
            EXPECT_GE(contrast(image, inPixels(image, area.adjusted(-3, 4, 4 - area.width(), -4))),
                      kEdge);
        }
        box->close();
    });
    Seams::showMessage(window.get(), {"Go back?", "Ostrel", Seams::Buttons::YesNo});
}
