#include "driver.h"
#include "fuzz_check.h"

#include <QAccessible>
#include <QApplication>

#include <algorithm>
#include <climits>
#include <cstdint>

// A careless screen reader: on a live window, on any screen, any method of any interface of
// any node (a control shown or not, a panel, a list's row), with the bytes' own arguments,
// the edges most often. Each call must leave the driver's checks holding and Qt silent.
namespace {

QStringList warnings;

struct Bytes
{
    const std::uint8_t *at, *end;
    int byte() { return at < end ? *at++ : 0; }
    // Around nothing, around the end, the extremes; now and then any number at all.
    int number(int size)
    {
        const int b = byte(), edges[] = {INT_MIN, INT_MAX, -1, 0, 1, size - 1, size, size + 1};
        if (b < 8)
            return edges[b];
        return b < 12 ? int(std::uint32_t(byte()) << 24 | std::uint32_t(byte()) << 8) : b - 16;
    }
};

// clang-format off
const QString kStatus = "click lblAboutOK; click imgFood", kMenu = "click lblMenuButton; click lblSetup; pick lstSetup ";
const QStringList kScreens = {"", "tick", kStatus, kStatus + "; bus cboPayment ShowMenu",
    kStatus + "; click lblArrowDown; click optReport(2); click lblReportEdit", kStatus + "; click lblArrowDown",
    kMenu + "Setup Budget", kMenu + "Transfer Funds; bus cboTransTo Press", "click lblAboutOK; click lblHelp; pick lstHelp FAQs"};
// clang-format on

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The screen without a desktop cannot raise a window or grab the keys; a real one can.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtDebugMsg && type != QtInfoMsg && !message.startsWith("This plugin does not"))
            warnings << message;
    });
    new QApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Bytes bytes {data, data + size};
    Driver driver;
    driver.start();
    const int screen = bytes.byte();
    for (const QString& step : kScreens[screen % kScreens.size()].split("; ", Qt::SkipEmptyParts))
        FUZZ_CHECK(driver.step(step).isEmpty());
    warnings.clear();
    for (int calls = 0; bytes.at < bytes.end && calls < 16; ++calls) {
        const QList<QWidget*> all = driver.window->findChildren<QWidget*>();
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(
            bytes.byte() ? all[bytes.byte() % all.size()] : driver.window.get());
        for (int depth = bytes.byte() % 4; node && node->childCount() && depth--;)
            node = node->child(bytes.byte() % node->childCount());
        if (!node || node->object() == driver.window->findChild<QWidget*>("lblPowerButton"))
            continue;
        const int method = bytes.byte(), a = bytes.number(node->childCount());
        QAccessibleTextInterface* text = node->textInterface();
        const int length = text ? text->characterCount() : 0;
        const int from = bytes.number(length), to = bytes.number(length);
        const QString words = QStringList {"", "12.5", "Lunch", "x\ny", "😀", QString(300, u'9')}.at(
            bytes.byte() % 6);
        int start = 0, end = 0;
        const auto boundary = QAccessible::TextBoundaryType(a & 7);
        QAccessibleActionInterface* act = node->actionInterface();
        QAccessibleEditableTextInterface* editable = node->editableTextInterface();
        QAccessibleTableInterface* table = node->tableInterface();
        // clang-format off
        const QString fault = driver.step((screen & 0x80 ? "yes " : "") + QString("bus call"), [&] {
            switch (method % 13) {
            case 0: return void(node->child(a)), void(node->childAt(from, to)), void(node->parent() ? node->parent()->indexOfChild(node) : 0),
                           void(node->text(QAccessible::Text(a & 3))), void(node->focusChild()),
                           void(node->state()), void(node->rect());
            case 1: return node->setText(QAccessible::Text(a & 3), words);
            case 2: return act && !act->actionNames().isEmpty() ? act->doAction(act->actionNames().value(a % act->actionNames().size())) : void();
            case 3: return act ? act->doAction(words) : void();
            case 4: return table ? void(table->cellAt(a, from)), void(table->rowDescription(a)), void(table->selectRow(a)) : void();
            }
            if (!text)
                return;
            switch (method % 13) {
            // A reader never gets more text than it asked for.
            case 5: FUZZ_CHECK(text->text(from, to).size() <= std::max(0LL, std::clamp(to, 0, length) - std::clamp(from, 0, length) + 0LL));
                    return void(text->textAtOffset(from, boundary, &start, &end)),
                           void(text->textBeforeOffset(from, boundary, &start, &end)), void(text->attributes(from, &start, &end)),
                           void(text->textAfterOffset(from, boundary, &start, &end)), void(text->characterRect(from)),
                           void(text->offsetAtPoint({from, to})), text->selection(a, &start, &end);
            case 6: return text->setSelection(a, from, to);
            case 7: return text->addSelection(from, to), text->removeSelection(a);
            case 8: return text->setCursorPosition(from);
            case 9: return text->scrollToSubstring(from, to);
            case 10: return editable ? editable->deleteText(from, to) : void();
            case 11: return editable ? editable->insertText(from, words) : void();
            case 12: return editable ? editable->replaceText(from, to, words) : void();
            }
        });
        // clang-format on
        const QString found = fault + warnings.join(u'\n');
        if (!found.isEmpty())
            std::fprintf(stderr, "call %d: %s\n", method % 13, qPrintable(found));
        FUZZ_CHECK(found.isEmpty());
    }
    return 0;
}
