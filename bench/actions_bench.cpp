// What each user action costs in-process, from the click to the repainted window,
// with message boxes answered through the seam.
#include "frmMain.h"
#include "pictures.h"
#include "seams.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <benchmark/benchmark.h>
#include <memory>
#include <meter.h>
#include <transaction_line.h>

namespace {

// Drives the window by objectName, the way a user would.
class Window
{
public:
    Window()
        : m_window(std::make_unique<frmMain>())
    {
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            qFatal("the window never showed");
        click("lblAboutOK");
        // What start-up leaves for the idle moments after the first frame is done by the
        // time a user acts; an action timed before it would pay for it.
        QTest::qWait(50);
    }

    QWidget* control(const char* name) const
    {
        auto* widget = m_window->findChild<QWidget*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    void click(const char* name)
    {
        QWidget* widget = control(name);
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }
    void type(const char* name, const QString& text)
    {
        auto* box = static_cast<QLineEdit*>(control(name));
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, text);
    }
    void pick(const char* list, const QString& item)
    {
        auto* box = static_cast<QListWidget*>(control(list));
        const QRect rect = box->visualItemRect(box->findItems(item, Qt::MatchExactly).front());
        QTest::mouseClick(box->viewport(), Qt::LeftButton, {}, rect.center());
    }
    // Delivers the pending update requests, so only what changed is painted, as on screen.
    void repaint() { QCoreApplication::processEvents(); }
    int lines(int category) const
    {
        return ledger::lineCount(m_window->categories()[std::size_t(category)]);
    }
    void add(const QString& amount)
    {
        type("txtAmount", amount);
        type("txtDescription", QStringLiteral("Bench"));
        click("lblReportDone");
    }

private:
    std::unique_ptr<frmMain> m_window;
};

// Timed: one action and the repaint that shows its result.
template<class Action> void timed(Window& window, Action action)
{
    action();
    window.repaint();
}

void BM_StartWindow(benchmark::State& state)
{
    for (auto _ : state) {
        frmMain window;
        window.show();
        window.repaint();
    }
}
BENCHMARK(BM_StartWindow)->Unit(benchmark::kMillisecond);

void BM_IconToStatusPage(benchmark::State& state)
{
    Window window;
    for (auto _ : state) {
        timed(window, [&] { window.click("imgFood"); });
        state.PauseTiming();
        window.click("lblReportBack");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_IconToStatusPage)->Unit(benchmark::kMicrosecond);

void BM_AddTransaction(benchmark::State& state)
{
    auto window = std::make_unique<Window>();
    window->click("imgElectricity");
    for (auto _ : state) {
        state.PauseTiming();
        if (window->lines(1) == 11) {
            window = std::make_unique<Window>();
            window->click("imgElectricity");
        }
        window->type("txtAmount", QStringLiteral("0.01"));
        state.ResumeTiming();
        timed(*window, [&] { window->click("lblReportDone"); });
    }
}
BENCHMARK(BM_AddTransaction)->Unit(benchmark::kMicrosecond);

void BM_DownArrowToElevenLines(benchmark::State& state)
{
    Window window;
    window.click("imgElectricity");
    for (int i = 0; i < 11; ++i)
        window.add(QStringLiteral("1"));
    for (auto _ : state) {
        timed(window, [&] { window.click("lblArrowDown"); });
        state.PauseTiming();
        window.click("lblArrowUp");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DownArrowToElevenLines)->Unit(benchmark::kMicrosecond);

void BM_EditDone(benchmark::State& state)
{
    Window window;
    window.click("imgFood");
    window.click("lblArrowDown");
    int cents = 0;
    for (auto _ : state) {
        state.PauseTiming();
        window.click("optReport(0)");
        window.click("lblReportEdit");
        window.type("txtAmount", QStringLiteral("5.%1").arg(cents++ % 2 ? 50 : 25));
        state.ResumeTiming();
        timed(window, [&] { window.click("lblEditDone"); });
    }
}
BENCHMARK(BM_EditDone)->Unit(benchmark::kMicrosecond);

void BM_DeleteTransaction(benchmark::State& state)
{
    Window window;
    window.click("imgElectricity");
    window.add(QStringLiteral("1"));
    window.click("lblArrowDown");
    for (auto _ : state) {
        window.click("optReport(0)");
        timed(window, [&] { window.click("lblReportDelete"); });
        state.PauseTiming();
        window.click("lblArrowUp");
        window.add(QStringLiteral("1"));
        window.click("lblArrowDown");
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DeleteTransaction)->Unit(benchmark::kMicrosecond);

void BM_TransferDone(benchmark::State& state)
{
    Window window;
    for (auto _ : state) {
        state.PauseTiming();
        window.click("lblMenuButton");
        window.click("lblSetup");
        window.pick("lstSetup", QStringLiteral("Transfer Funds"));
        window.type("txtTransAmount", QStringLiteral("0"));
        state.ResumeTiming();
        timed(window, [&] { window.click("lblTransDone"); });
    }
}
BENCHMARK(BM_TransferDone)->Unit(benchmark::kMicrosecond);

void BM_MenuTab(benchmark::State& state)
{
    Window window;
    window.click("lblMenuButton");
    bool reports = true;
    for (auto _ : state) {
        timed(window, [&] { window.click(reports ? "lblReports" : "lblSetup"); });
        reports = !reports;
    }
}
BENCHMARK(BM_MenuTab)->Unit(benchmark::kMicrosecond);

void BM_FaqPageTurn(benchmark::State& state)
{
    Window window;
    bool down = true;
    for (auto _ : state) {
        timed(window, [&] { window.click(down ? "lblArrowDown" : "lblArrowUp"); });
        down = !down;
    }
}
BENCHMARK(BM_FaqPageTurn)->Unit(benchmark::kMicrosecond);

void BM_LoadPagePicture(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Pictures::load(QStringLiteral("report1.jpg")));
}
BENCHMARK(BM_LoadPagePicture)->Unit(benchmark::kMicrosecond);

void BM_DecodePagePicture(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(QImage(QStringLiteral("report1.jpg")));
}
BENCHMARK(BM_DecodePagePicture)->Unit(benchmark::kMicrosecond);

void BM_MeterRule(benchmark::State& state)
{
    double available = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ledger::meterLevel(available, 300));
        available += 0.37;
    }
}
BENCHMARK(BM_MeterRule);

void BM_LineSplit(benchmark::State& state)
{
    const std::string line = "5/23/01, $18.79, Mobil, Gas, Credit Card";
    for (auto _ : state)
        benchmark::DoNotOptimize(ledger::TransactionLine::split(line));
}
BENCHMARK(BM_LineSplit);

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    Seams::setMessageHandler([](const Seams::Message& message) {
        return message.buttons == Seams::Buttons::YesNo ? Seams::Answer::Yes : Seams::Answer::Ok;
    });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
