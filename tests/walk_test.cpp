#include "driver.h"
#include "inventory.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QTimer>

#include <map>
#include <random>

// A random walk over the real window: clicks on whatever a user could click now, hostile
// texts typed or pasted into the visible inputs, entries chosen, keys pressed or held
// across other steps, questions answered at random, the start-up timer firing when it
// likes; every step checked as driver.h says. A failure is shrunk to a short step list.

namespace {

using namespace Checks;

// clang-format off
const char* const kKeys[] = {"Return", "Esc", "PgUp", "PgDown", "F10", "F1", "Left", "Right", "Up",
                             "Down", "Tab", "Space"};
// Texts typed into the inputs: first some that every check accepts, then hostile ones.
constexpr int kPlausible = 8;
const QStringList kTexts = QStringList {
    "0.1", "2.50", "12", "7.25", "-7.25", "41", "12/5/26", "Lunch", "", " ", "1e5", "1,000", "$5", "-0",
    "5.", ".5", "+3", "0.00005", "99999999999.9999", "100000000000", "-99999999999.9999", "0", "217.12",
    "0.0001", "-0.00015", " 5", "a, b", "1, $2, x, y", "$", "Cash", "Food", "日本語の説明",
    "Ωμέγα Привет عربى", "😀𝄞", "a\tb", "x\ny", "\x1b\b\r", "\x01\x7f\u200b\u202e",
    QString(300, u'9'), QString("1.").repeated(700), QString(", $").repeated(2000)};
// clang-format on

// Inputs and buttons come more often than captions, pictures and the organiser's buttons,
// so that the walk gets deep into the pages and money moves often.
int weightOf(Kind kind)
{
    const Kind inputs[] = {Kind::TextBox, Kind::ComboBox, Kind::ChoiceList};
    const Kind buttons[] = {Kind::ActionButton, Kind::MenuTab, Kind::ListBox, Kind::OptionArray};
    return std::ranges::count(inputs, kind) ? 6 : std::ranges::count(buttons, kind) ? 3 : 1;
}

class Walker : public Driver
{
public:
    // A random step among those a user could take now.
    QString next(std::mt19937& random)
    {
        const auto below = [&](qsizetype n) {
            return qsizetype(random() % quint32(n));
        };
        const QString yes = below(2) ? QStringLiteral("yes ") : QString();
        if (window->findChild<QTimer*>(QStringLiteral("tim1"))->isActive() && below(16) == 0)
            return QStringLiteral("tick");
        if (below(8) == 0)
            return yes + (below(3) ? "key " : below(2) ? "hold " : "letgo ") + kKeys[below(12)];
        QWidget* power = window->findChild<QWidget*>(QStringLiteral("lblPowerButton"));
        if (below(4000) == 0 && reach(power))
            return QStringLiteral("click lblPowerButton");
        // Three times in four a user keeps to the inputs, buttons and menus.
        QStringList all, busy;
        for (QWidget* w : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (w == power || !w->isVisible() || !isControl(w))
                continue;
            const QString name = w->objectName();
            const int weight = weightOf(controlSpec(name.section(u'(', 0, 0).toStdString()).kind);
            const auto offer = [&](const QString& step) {
                for (int i = 0; i < weight; ++i)
                    (weight > 1 ? busy : all) << yes + step;
            };
            // Half the time a text that passes every check, so money moves often; nobody
            // types a long text key by key.
            const auto offerText = [&] {
                const QString& text = kTexts[below(2) ? below(kPlausible) : below(kTexts.size())];
                offer((text.size() > 40 || below(4) == 0 ? "paste " : "type ") + name + u' '
                      + text);
            };
            if (auto* list = qobject_cast<QListWidget*>(w)) {
                for (int row = 0; row < list->count(); ++row) {
                    if (reach(list->viewport(), list->visualItemRect(list->item(row)).center()))
                        offer("pick " + name + u' ' + list->item(row)->text());
                }
            } else if (!reach(w)) {
                continue;
            } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
                offer("choose " + name + u' ' + combo->itemText(int(below(combo->count()))));
                if (combo->isEditable())
                    offerText();
            } else if (qobject_cast<QLineEdit*>(w)) {
                offerText();
            } else {
                offer("click " + name);
            }
        }
        const QStringList& pool = busy.isEmpty() || below(4) == 0 ? all + busy : busy;
        return pool[below(pool.size())];
    }
    bool closed() const { return !window->isVisible(); }
};

struct Failure
{
    qsizetype index = 0; // of the failing step
    QString what;
    QString kind() const { return what.section(u':', 0, 0); }
};

// The first failure of these steps on a fresh window, if any.
std::optional<Failure> replay(const QStringList& steps, bool strict = false)
{
    Walker walker;
    walker.strict = strict;
    walker.start();
    for (qsizetype i = 0; i < steps.size() && !walker.closed(); ++i) {
        if (const QString fault = walker.step(steps[i]); !fault.isEmpty())
            return Failure {i, fault};
    }
    return std::nullopt;
}

// Delta debugging: drops ever smaller chunks while the same kind of failure remains,
// within a time budget.
QStringList shrink(QStringList steps,
                   const std::function<std::optional<qsizetype>(const QStringList&)>& fails,
                   int seconds)
{
    QElapsedTimer clock;
    clock.start();
    for (qsizetype chunk = steps.size() / 2; chunk >= 1; chunk /= 2) {
        for (qsizetype start = 0; start < steps.size() && clock.elapsed() < seconds * 1000;) {
            QStringList fewer = steps;
            fewer.remove(start, std::min(chunk, fewer.size() - start));
            if (const auto failing = fails(fewer))
                steps = fewer.first(*failing + 1);
            else
                start += chunk;
        }
    }
    return steps;
}

unsigned setting(const char* name, unsigned fallback)
{
    return qEnvironmentVariableIsSet(name) ? qEnvironmentVariableIntValue(name) : fallback;
}

} // namespace

// WALK_SEEDS seeds from WALK_FIRST_SEED, WALK_EVENTS steps each; `make soak` runs it long.
TEST(Walk, EveryStepKeepsLedgerMoneyAndScreenSound)
{
    const unsigned seeds = setting("WALK_SEEDS", 4), perSeed = setting("WALK_EVENTS", 6000);
    const unsigned first = setting("WALK_FIRST_SEED", 1);
    QElapsedTimer clock;
    clock.start();
    for (unsigned seed = first; seed != first + seeds; ++seed) {
        std::mt19937 random(seed);
        std::map<QString, int> done; // what the boxes claimed, by kind, and the windows opened
        Walker walker;
        QStringList steps; // since the window opened
        for (unsigned n = 0; n < perSeed; ++n) {
            if (steps.isEmpty()) {
                walker.start();
                ++done["windows"];
            }
            steps << walker.next(random);
            if (const QString fault = walker.step(steps.back()); !fault.isEmpty()) {
                walker.window.reset();
                const auto fails = [kind = Failure {0, fault}.kind()](const QStringList& list) {
                    const auto failure = replay(list);
                    return failure && failure->kind() == kind ? std::optional(failure->index)
                                                              : std::nullopt;
                };
                const QStringList shortest
                    = shrink(steps, fails, int(setting("WALK_SHRINK_SECONDS", 120)));
                FAIL() << "seed " << seed << ", step " << n << " ("
                       << qPrintable(steps.back().left(80)) << "): " << qPrintable(fault)
                       << "\nshortest failing list, on a fresh window ("
                       << qPrintable(
                              replay(shortest).value_or(Failure {0, "it passes on replay"}).what)
                       << "):\n  " << qPrintable(shortest.join("\n  "))
                       << "\nrepeat with WALK_FIRST_SEED=" << seed
                       << " WALK_SEEDS=1 WALK_EVENTS=" << n + 1;
            }
            for (const QString& claim : walker.claims)
                ++done[claim.section(u' ', 0, 0)];
            if (walker.closed())
                steps.clear();
        }
        std::printf("walk: seed %u, %u steps:", seed, perSeed);
        for (const auto& [kind, count] : done)
            std::printf(" %s %d", qPrintable(kind), count);
        std::printf("\n");
    }
    std::printf("walk: %.0f steps a second\n", seeds * perSeed * 1000.0 / double(clock.elapsed()));
}

// Step lists the walk once failed on, shrunk; each fault is mended and must stay so.
TEST(Walk, FoundFaultsStayMended)
{
    for (const char* steps :
         {// Enter held on the status page, Back answered Yes, Enter let go: Done's click
          // added a transaction to Food from the overview.
          "click lblAboutOK; click imgFood; type txtAmount 2.50; hold Return; "
          "yes click lblReportBack; letgo Return",
          // F1 held, the About page opened from the Help list, F1 let go: the hidden Help
          // tab opened its list over the About page.
          "click lblAboutOK; hold F1; click lblHelp; pick lstHelp About   /A; letgo F1",
          // The same with Escape on the status page: the hidden Back asked, and its Yes
          // left the About page's OK over the overview.
          "click lblAboutOK; click imgSchool; hold Esc; click lblHelp; pick lstHelp About   /A; "
          "yes key Esc",
          // The About screen ended over the menu bar, then F1: the Help tab lying under
          // the Setup tab opened its list over the menu bar.
          "click lblMenuButton; click lblAboutOK; key F1"}) {
        const auto failure = replay(QString(steps).split("; "), true);
        EXPECT_FALSE(failure) << qPrintable(failure.value_or(Failure {}).what);
    }
}

// Each check fails on what it guards, so that a quiet walk means something.
TEST(Walk, ChecksNoticeWhatTheyGuard)
{
    const ledger::CategoryTable seed = ledger::seedCategories();
    const std::string added = "12/5/26, $1, x, Food, Cash";
    // The kind of fault, the category, then the slot given this line, or -1 for Available
    // and -2 for Budget given this figure.
    // clang-format off
    const std::tuple<QString, int, int, std::string, double> spoilt[] = {
        {"ledger", 1, 1, seed[0].Lines[0], 0} /* a gap */, {"ledger", 0, 7, "5/1/01, $1,5, x, Food, Cash", 0},
        {"ledger", 2, 2, seed[0].Lines[0], 0} /* another category's line */, {"ledger", 3, -1, "", 0.00001},
        {"ledger", 9, -2, "", 1}, {"money", 4, -1, "", seed[4].Available + 1}, {"money", 5, -2, "", 200},
        {"money", 0, 6, added, 0}, {"money", 0, 2, seed[0].Lines[1], 0} /* edits an unselected line */};
    // clang-format on
    for (const auto& [kind, c, slot, line, figure] : spoilt) {
        ledger::CategoryTable table = seed;
        ledger::CategoryRecord& r = table[std::size_t(c)];
        if (slot >= 0)
            r.Lines[std::size_t(slot)] = line;
        else
            (slot == -1 ? r.Available : r.Budget) = figure;
        const QString fault = ledgerFault(table).isEmpty()
            ? moneyFault(seed, table, 0, 1, {}, "report1.jpg")
            : ledgerFault(table);
        EXPECT_EQ(fault.section(u':', 0, 0), kind) << qPrintable(fault);
    }
    // Adding confirmed on the status page holds, under its own number only; so does a
    // transfer that raises the target's budget, but not without its notice.
    ledger::CategoryTable one = seed, moved = seed;
    one[0].Lines[6] = added;
    one[0].Available = 216.12;
    moved[0].Available = 17.12;
    moved[1].Available = moved[1].Budget = 300;
    EXPECT_EQ(moneyFault(seed, one, 0, 1, {"added 7"}, "report1.jpg"), "");
    EXPECT_NE(moneyFault(seed, one, 0, 1, {"added 6"}, "report1.jpg"), "");
    EXPECT_NE(moneyFault(seed, one, 0, 1, {"added 7"}, "overview"), "");
    EXPECT_EQ(moneyFault(seed, moved, 0, 1, {"transfer"}, "Transfer.jpg"), "");
    EXPECT_NE(moneyFault(seed, moved, 0, 1, {}, "Transfer.jpg"), "");
    // The screen, and where a click leads.
    Walker walker;
    walker.start();
    EXPECT_EQ(screenFault(*walker.window, false), "");
    walker.window->findChild<QWidget*>("txtTransAmount")->show();
    EXPECT_EQ(screenFault(*walker.window, false),
              "screen: txtTransAmount shows over the start-up About");
}

// The shrinker keeps the steps that make the failure, at the first "40" after a "7".
TEST(Walk, ShrinkingLeavesTheStepsThatFail)
{
    QStringList steps;
    for (int i = 0; i < 300; ++i)
        steps << QString::number(i % 50);
    const auto fails = [](const QStringList& list) -> std::optional<qsizetype> {
        const qsizetype seven = list.indexOf("7"),
                        forty = list.indexOf("40", std::max<qsizetype>(seven, 0));
        return seven >= 0 && forty >= 0 ? std::optional(forty) : std::nullopt;
    };
    EXPECT_EQ(shrink(steps, fails, 10), QStringList({"7", "40"}));
}
