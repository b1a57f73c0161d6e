#include "inventory.h"
#include "walk_checks.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>
#include <map>
#include <random>
#include <set>
#include <tuple>

// A random walk over the real window: clicks on whatever a user could click now,
// hostile texts typed or pasted into the visible inputs, entries chosen, keys pressed
// or held across other events, message boxes answered at random, the start-up timer
// firing when it likes; after every event the checks of walk_checks.h. A failure is
// shrunk to a short event list.

namespace {

using Seams::Answer;
using namespace WalkChecks;

// Hold and Release are the two halves of a key press, with other events between them.
enum class Act { Click, Type, Paste, Choose, Tick, Key, Hold, Release };

// The keys the window answers besides typing.
const Qt::Key kKeys[] = {Qt::Key_Return, Qt::Key_Escape, Qt::Key_PageUp, Qt::Key_PageDown,
                         Qt::Key_F10,    Qt::Key_F1,     Qt::Key_Left,   Qt::Key_Right,
                         Qt::Key_Up,     Qt::Key_Down,   Qt::Key_Tab,    Qt::Key_Space};

struct Event
{
    Act act = Act::Click;
    QString target; // objectName
    int item = 0; // list row, combo entry, or text of kTexts
    quint32 answers = 0; // bit i answers the i-th question of the event with Yes
};

// Inputs and buttons come more often than captions, pictures and the organiser's
// buttons, so that the walk gets deep into the pages and money moves often.
int weightOf(Kind kind)
{
    switch (kind) {
    case Kind::TextBox:
    case Kind::ComboBox:
    case Kind::ChoiceList:
        return 6;
    case Kind::ActionButton:
    case Kind::MenuTab:
    case Kind::ListBox:
    case Kind::OptionArray:
        return 3;
    default:
        return 1;
    }
}

// Texts typed into the inputs: first some that every check accepts, then hostile ones.
constexpr int kPlausible = 8;
// clang-format off
const char* const kTypedTexts[] = {
    "0.1", "2.50", "12", "7.25", "-7.25", "41", "12/5/26", "Lunch", "", " ", "1e5", "1,000", "$5",
    "-0", "5.", ".5", "+3", "0.00005", "99999999999.9999", "100000000000", "-99999999999.9999",
    "0", "217.12", "0.0001", "-0.00015", " 5", "a, b", "1, $2, x, y", "$", "Cash", "Food",
    "日本語の説明", "Ωμέγα Привет عربى", "😀𝄞", "a\tb", "x\ny", "\x1b\b\r",
    "\x01\x7f\u200b\u202e"};
// clang-format on
const QStringList kTexts = [] {
    QStringList texts;
    for (const char* text : kTypedTexts)
        texts << QString::fromUtf8(text);
    return texts << QString(300, QLatin1Char('9')) << QStringLiteral("1.").repeated(700)
                 << QStringLiteral(", $").repeated(2000);
}();

std::string describe(const Event& e)
{
    static const char* const verbs[]
        = {"click", "type", "paste", "choose", "timer fires", "key", "hold", "release"};
    std::string text = verbs[int(e.act)];
    if (e.act == Act::Tick)
        return text;
    if (e.act >= Act::Key)
        return text + " " + str(QKeySequence(kKeys[e.item]).toString());
    text += " " + str(e.target);
    if (e.act == Act::Type || e.act == Act::Paste) {
        const QString typed = kTexts[e.item];
        text += " text " + std::to_string(e.item) + " \""
            + str(typed.size() > 24 ? typed.left(20) + QStringLiteral("...") : typed) + "\"";
    } else if (e.act == Act::Choose || e.target.startsWith(QLatin1String("lst"))) {
        text += " entry " + std::to_string(e.item);
    }
    if (e.answers & 1)
        text += " (answers Yes)";
    return text;
}

// The offscreen platform says so for every list that drops down.
void quietPopups()
{
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.startsWith(QLatin1String("This plugin does not support")))
                previous(type, context, message);
        });
}

const Money kSeedHolding = holding(ledger::seedCategories());

struct Failure
{
    std::size_t index = 0; // of the failing event
    std::string what;
    std::string kind() const { return what.substr(0, what.find(':')); }
};

struct Tally
{
    std::size_t events = 0, windows = 0, boxes = 0, fullest = 0;
    std::map<std::string, std::size_t> effects;
};

class Walker
{
public:
    Walker()
    {
        static const bool quiet = (quietPopups(), true);
        Q_UNUSED(quiet);
        Seams::setToday([] { return QDate(2026, 12, 5); });
        Seams::setMessageHandler([this](const Seams::Message& message) {
            const bool yes = message.buttons == Seams::Buttons::YesNo
                && (m_answers >> (m_questions++ % 32) & 1);
            const Answer answer = message.buttons == Seams::Buttons::Ok ? Answer::Ok
                : yes                                                   ? Answer::Yes
                                                                        : Answer::No;
            m_claims.push_back(claim(message, answer));
            return answer;
        });
    }
    ~Walker()
    {
        window.reset();
        Seams::setMessageHandler({});
        Seams::setToday({});
    }

    void start()
    {
        window = std::make_unique<frmMain>();
        m_held.clear();
        window->show();
        window->activateWindow();
        // The walk decides when the start-up timer fires: it stays pending until then.
        timer()->start(24 * 3600 * 1000);
    }

    // Runs one event and checks everything; nothing when all holds. An event whose
    // control cannot be reached now does nothing.
    std::optional<std::string> step(const Event& event, Tally* tally = nullptr)
    {
        const CategoryTable before = window->categories();
        const qint16 selected = window->selectedLine();
        const QString page = openPage(*window);
        m_claims.clear();
        m_answers = event.answers;
        m_questions = 0;
        apply(event);
        if (event.act == Act::Hold)
            m_held.insert(event.item);
        else if (event.act >= Act::Key)
            m_held.erase(event.item);
        // A click elsewhere closes any list a key press opened.
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        QCoreApplication::processEvents();
        if (tally) {
            ++tally->events;
            tally->boxes += m_claims.size();
            for (int c = 0; c < ledger::kCategoryCount; ++c)
                tally->fullest = std::max(
                    tally->fullest,
                    std::size_t(ledger::lineCount(window->categories()[std::size_t(c)])));
            for (const std::string& claimed : m_claims) {
                if (!claimed.empty())
                    ++tally->effects[claimed.substr(0, claimed.find(' '))];
            }
        }
        if (event.target == QLatin1String("lblPowerButton"))
            return window->isVisible()
                ? std::optional<std::string>("screen: the power button left the window open")
                : std::nullopt;
        for (const std::string& fault :
             {ledgerFault(window->categories()),
              moneyFault(before, window->categories(), window->currentCategory(), selected,
                         m_claims, kSeedHolding, page),
              screenFault(*window, !m_held.empty())}) {
            if (!fault.empty())
                return fault;
        }
        return std::nullopt;
    }

    bool closed(const Event& event) const
    {
        return event.target == QLatin1String("lblPowerButton") && !window->isVisible();
    }

    // A random event among those a user could make now.
    Event next(std::mt19937& random)
    {
        const auto below = [&](int n) {
            return int(random() % unsigned(n));
        };
        Event event;
        event.answers = random();
        if (timer()->isActive() && below(16) == 0) {
            event.act = Act::Tick;
            return event;
        }
        if (below(8) == 0) {
            event.act = below(3) ? Act::Key : below(2) ? Act::Hold : Act::Release;
            event.item = below(int(std::size(kKeys)));
            return event;
        }
        if (below(4000) == 0 && reach(child("lblPowerButton"))) {
            event.target = QStringLiteral("lblPowerButton");
            return event;
        }
        // Three times in four a user keeps to the inputs, buttons and menus, and skips
        // the captions, pictures and the organiser's buttons.
        std::vector<Event> all, busy;
        for (QWidget* w : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QString name = w->objectName();
            const auto offer = [&](Act act, int item) {
                const int weight
                    = weightOf(controlSpec(name.section(u'(', 0, 0).toStdString()).kind);
                for (int i = 0; i < weight; ++i) {
                    all.push_back({act, name, item, event.answers});
                    if (weight > 1)
                        busy.push_back(all.back());
                }
            };
            // Nobody types a long text key by key: it comes pasted.
            const auto offerText = [&] {
                // Half the time a text that passes every check, so money moves often.
                const int text = below(2) ? below(kPlausible) : below(int(kTexts.size()));
                offer(kTexts[text].size() > 40 || below(4) == 0 ? Act::Paste : Act::Type, text);
            };
            if (name == QLatin1String("lblPowerButton") || !w->isVisible())
                continue;
            if (auto* list = qobject_cast<QListWidget*>(w)) {
                for (int row = 0; row < list->count(); ++row) {
                    if (reach(list->viewport(), list->visualItemRect(list->item(row)).center()))
                        offer(Act::Click, row);
                }
            } else if (!reach(w)) {
                continue;
            } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
                offer(Act::Choose, below(combo->count()));
                if (combo->isEditable())
                    offerText();
            } else if (qobject_cast<QLineEdit*>(w)) {
                offerText();
            } else {
                offer(Act::Click, 0);
            }
        }
        const auto& pool = busy.empty() || below(4) == 0 ? all : busy;
        return pool[std::size_t(below(int(pool.size())))];
    }

    std::unique_ptr<frmMain> window;

private:
    QTimer* timer() const { return window->findChild<QTimer*>(QStringLiteral("tim1")); }
    QWidget* child(const QString& name) const
    {
        return window->findChild<QWidget*>(name, Qt::FindDirectChildrenOnly);
    }

    // What a click at this point of the control would hit, if it hits the control.
    QWidget* reach(QWidget* control, std::optional<QPoint> at = {}, QPoint* local = nullptr) const
    {
        if (!control || !control->isVisible())
            return nullptr;
        const QPoint point = control->mapTo(window.get(), at.value_or(control->rect().center()));
        QWidget* hit = window->childAt(point);
        if (!hit || (hit != control && !control->isAncestorOf(hit)))
            return nullptr;
        if (local)
            *local = hit->mapFrom(window.get(), point);
        return hit;
    }

    void apply(const Event& event)
    {
        if (event.act >= Act::Key) {
            // To the input that has the focus, or to the window when none has.
            QWidget* focus = window->focusWidget() ? window->focusWidget() : window.get();
            const auto action = event.act == Act::Key ? QTest::Click
                : event.act == Act::Hold              ? QTest::Press
                                                      : QTest::Release;
            QTest::sendKeyEvent(action, focus, kKeys[event.item], QString(), {});
            return;
        }
        if (event.act == Act::Tick) {
            if (!timer()->isActive())
                return;
            timer()->start(0);
            for (int i = 0; i < 100 && timer()->isActive(); ++i)
                QCoreApplication::processEvents();
            return;
        }
        QWidget* control = child(event.target);
        QPoint at;
        if (auto* list = qobject_cast<QListWidget*>(control)) {
            if (event.item >= list->count())
                return;
            QWidget* hit = reach(list->viewport(),
                                 list->visualItemRect(list->item(event.item)).center(), &at);
            if (hit)
                QTest::mouseClick(hit, Qt::LeftButton, {}, at);
            return;
        }
        QWidget* hit = reach(control, {}, &at);
        if (!hit)
            return;
        switch (event.act) {
        case Act::Click:
            QTest::mouseClick(hit, Qt::LeftButton, {}, at);
            break;
        case Act::Choose: {
            auto* combo = qobject_cast<QComboBox*>(control);
            if (!combo || event.item >= combo->count())
                return;
            combo->showPopup();
            QAbstractItemView* view = combo->view();
            const QRect item = view->visualRect(view->model()->index(event.item, 0));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
            break;
        }
        case Act::Type:
        case Act::Paste:
            if (!qobject_cast<QLineEdit*>(control) && !qobject_cast<QComboBox*>(control))
                return;
            // Into the field, select all, rub out, then type or paste: keys go wherever
            // the focus is, so a tab or a return moves on as it would for a user.
            QTest::mouseClick(hit, Qt::LeftButton, {}, at);
            key(Qt::Key_A, Qt::ControlModifier);
            key(Qt::Key_Backspace);
            if (event.act == Act::Paste) {
                QGuiApplication::clipboard()->setText(kTexts[event.item]);
                key(Qt::Key_V, Qt::ControlModifier);
            } else {
                typeText(kTexts[event.item]);
            }
            break;
        default:
            break;
        }
    }

    void key(Qt::Key code, Qt::KeyboardModifiers modifiers = {}, const QString& text = {})
    {
        if (QWidget* focus = window->focusWidget())
            QTest::sendKeyEvent(QTest::Click, focus, code, text, modifiers);
    }

    void typeText(const QString& text)
    {
        // The blank and the control characters a keyboard has keys for.
        static const std::map<char16_t, Qt::Key> keys
            = {{u' ', Qt::Key_Space},   {u'\t', Qt::Key_Tab},       {u'\n', Qt::Key_Return},
               {u'\r', Qt::Key_Return}, {u'\b', Qt::Key_Backspace}, {u'\x1b', Qt::Key_Escape}};
        for (qsizetype i = 0, length = 1; i < text.size(); i += length) {
            length = text[i].isHighSurrogate() ? 2 : 1;
            const auto found = keys.find(text[i].unicode());
            key(found == keys.end() ? Qt::Key_unknown : found->second, {}, text.mid(i, length));
        }
    }

    std::vector<std::string> m_claims;
    std::set<int> m_held; // keys pressed and not yet let go
    quint32 m_answers = 0;
    int m_questions = 0;
};

// The first failure of these events run on a fresh window, if any.
std::optional<Failure> replay(const std::vector<Event>& events)
{
    Walker walker;
    walker.start();
    for (std::size_t i = 0; i < events.size(); ++i) {
        if (auto fault = walker.step(events[i]))
            return Failure {i, *fault};
        if (walker.closed(events[i]))
            break;
    }
    return std::nullopt;
}

// Delta debugging: drops ever smaller chunks while the same kind of failure
// remains, within a time budget.
template<class Fails>
std::vector<Event> shrink(std::vector<Event> events, const Fails& fails, int seconds)
{
    QElapsedTimer clock;
    clock.start();
    for (std::size_t chunk = events.size() / 2; chunk >= 1; chunk /= 2) {
        for (std::size_t start = 0; start < events.size() && clock.elapsed() < seconds * 1000;) {
            std::vector<Event> fewer = events;
            fewer.erase(fewer.begin() + std::ptrdiff_t(start),
                        fewer.begin() + std::ptrdiff_t(std::min(start + chunk, fewer.size())));
            if (const std::optional<std::size_t> failing = fails(fewer)) {
                fewer.resize(*failing + 1);
                events = fewer;
            } else {
                start += chunk;
            }
        }
    }
    return events;
}

unsigned setting(const char* name, unsigned fallback)
{
    const QByteArray value = qgetenv(name);
    return value.isEmpty() ? fallback : value.toUInt();
}

} // namespace

// WALK_SEEDS seeds from WALK_FIRST_SEED, WALK_EVENTS events each; `make soak` runs it long.
TEST(Walk, EveryEventKeepsLedgerMoneyAndScreenSound)
{
    const unsigned seeds = setting("WALK_SEEDS", 4), perSeed = setting("WALK_EVENTS", 6000);
    const unsigned first = setting("WALK_FIRST_SEED", 1);
    std::size_t walked = 0;
    QElapsedTimer clock;
    clock.start();
    for (unsigned seed = first; seed != first + seeds; ++seed) {
        std::printf("walk: seed %u\n", seed);
        std::fflush(stdout);
        std::mt19937 random(seed);
        Tally tally;
        Walker walker;
        std::vector<Event> events; // since the window opened
        for (unsigned n = 0; n < perSeed; ++n) {
            if (events.empty()) {
                walker.start();
                ++tally.windows;
            }
            events.push_back(walker.next(random));
            if (const auto fault = walker.step(events.back(), &tally)) {
                walker.window.reset();
                const auto fails
                    = [kind = Failure {0, *fault}.kind()](
                          const std::vector<Event>& list) -> std::optional<std::size_t> {
                    const auto failure = replay(list);
                    return failure && failure->kind() == kind ? std::optional(failure->index)
                                                              : std::nullopt;
                };
                const auto shortest
                    = shrink(events, fails, int(setting("WALK_SHRINK_SECONDS", 120)));
                std::string list;
                for (const Event& e : shortest)
                    list += "\n  " + describe(e);
                FAIL() << "seed " << seed << ", event " << n << " (" << describe(events.back())
                       << "): " << *fault << "\nshortest failing list, " << shortest.size()
                       << " events on a fresh window ("
                       << replay(shortest).value_or(Failure {0, "it passes on replay"}).what
                       << "):" << list << "\nrepeat with WALK_FIRST_SEED=" << seed
                       << " WALK_SEEDS=1 WALK_EVENTS=" << n + 1;
            }
            if (walker.closed(events.back()))
                events.clear();
        }
        std::printf("walk: seed %u: %zu events, %zu windows, %zu boxes, up to %zu lines;", seed,
                    tally.events, tally.windows, tally.boxes, tally.fullest);
        for (const auto& [effect, count] : tally.effects)
            std::printf(" %s %zu", effect.c_str(), count);
        std::printf("\n");
        walked += tally.events;
    }
    const double seconds = double(clock.elapsed()) / 1000;
    std::printf("walk: %zu events over %u seeds in %.1f s, %.0f events per second\n", walked, seeds,
                seconds, double(walked) / seconds);
}

// Event lists the walk once failed on, shrunk; each fault is mended and must stay so.
TEST(Walk, FoundFaultsStayMended)
{
    const Event aboutOk {Act::Click, "lblAboutOK"}, about {Act::Click, "lstHelp", 1};
    const Event holdEnter {Act::Hold, {}, 0}, letGoEnter {Act::Release, {}, 0};
    const Event holdF1 {Act::Hold, {}, 5}, letGoF1 {Act::Release, {}, 5};
    const std::vector<Event> found[] = {
        // Enter held on the status page, Back answered Yes, Enter let go: Done's click
        // added a transaction to Food from the overview.
        {aboutOk,
         {Act::Click, "imgFood"},
         {Act::Type, "txtAmount", 1},
         holdEnter,
         {Act::Click, "lblReportBack", 0, 1},
         letGoEnter},
        // F1 held, the About page opened from the Help list, F1 let go: the hidden Help
        // tab opened its list over the About page.
        {aboutOk, holdF1, {Act::Click, "lblHelp"}, about, letGoF1},
        // The same with Escape on the status page: the hidden Back asked, and its Yes left
        // the About page's OK over the overview.
        {aboutOk,
         {Act::Click, "imgSchool"},
         {Act::Hold, {}, 1},
         {Act::Click, "lblHelp"},
         about,
         {Act::Key, {}, 1, 1}},
        // The About screen ended over the menu bar, then F1: the Help tab lying under the
        // Setup tab opened its list over the menu bar.
        {{Act::Click, "lblMenuButton"}, aboutOk, {Act::Key, {}, 5}},
    };
    for (const auto& events : found) {
        const auto failure = replay(events);
        EXPECT_FALSE(failure) << failure.value_or(Failure {}).what;
    }
}

// Each check fails on what it guards, so that a quiet walk means something.
TEST(Walk, ChecksNoticeWhatTheyGuard)
{
    const CategoryTable seed = ledger::seedCategories();
    const Money seedHolding = holding(seed);
    // The kind of fault, the category, then the slot given this line, or -1 for
    // Available and -2 for Budget given this figure.
    const std::string food0 = seed[0].Lines[0], added = "12/5/26, $1, x, Food, Cash";
    const std::tuple<const char*, int, int, std::string, double> spoilt[] = {
        {"ledger", 1, 1, food0, 0}, // a gap
        {"ledger", 0, 7, "5/1/01, $1,5, x, Food, Cash", 0},
        {"ledger", 2, 2, food0, 0}, // another category's line
        {"ledger", 3, -1, "", 0.00001},
        {"ledger", 9, -2, "", 1},
        {"money", 4, -1, "", seed[4].Available + 1},
        {"money", 5, -2, "", 200},
        {"money", 0, 6, added, 0},
        {"money", 0, 2, seed[0].Lines[1], 0}, // edits an unselected line
    };
    for (const auto& [kind, c, slot, line, figure] : spoilt) {
        CategoryTable table = seed;
        CategoryRecord& r = table[std::size_t(c)];
        if (slot >= 0)
            r.Lines[std::size_t(slot)] = line;
        else
            (slot == -1 ? r.Available : r.Budget) = figure;
        const std::string fault = ledgerFault(table).empty()
            ? moneyFault(seed, table, 0, 1, {}, seedHolding, "report1.jpg")
            : ledgerFault(table);
        EXPECT_EQ(fault.substr(0, fault.find(':')), kind) << fault;
    }
    // Adding confirmed and paid for on the status page, and a transfer that raises the
    // target's budget, hold.
    CategoryTable one = seed;
    one[0].Lines[6] = added;
    one[0].Available = 216.12;
    EXPECT_EQ(moneyFault(seed, one, 0, 1, {"added 7"}, seedHolding, "report1.jpg"), "");
    EXPECT_NE(moneyFault(seed, one, 0, 1, {"added 7"}, seedHolding, "overview"), "")
        << "added while the status page was not open";
    // Money moved between categories without a transfer, the total kept.
    CategoryTable shifted = seed;
    shifted[0].Available -= 1;
    shifted[1].Available += 1;
    EXPECT_NE(moneyFault(seed, shifted, 0, 1, {}, seedHolding, "overview"), "");
    CategoryTable moved = seed;
    moved[0].Available = 17.12;
    moved[1].Available = moved[1].Budget = 300;
    EXPECT_EQ(moneyFault(seed, moved, 0, 1, {"transfer"}, seedHolding, "Transfer.jpg"), "");
    EXPECT_NE(moneyFault(seed, moved, 0, 1, {}, seedHolding, "Transfer.jpg"), "");

    Walker walker;
    walker.start();
    EXPECT_EQ(screenFault(*walker.window), "");
    walker.window->findChild<QWidget*>(QStringLiteral("txtTransAmount"))->show();
    EXPECT_EQ(screenFault(*walker.window),
              "screen: txtTransAmount shows over the start-up About picture");
}

// The shrinker keeps the events that make the failure and drops the rest.
TEST(Walk, ShrinkingLeavesTheEventsThatFail)
{
    std::vector<Event> events;
    for (int i = 0; i < 300; ++i)
        events.push_back({Act::Click, QString::number(i % 50)});
    // Fails at the first "40" after a "7".
    const auto fails = [](const std::vector<Event>& list) -> std::optional<std::size_t> {
        bool seven = false;
        for (std::size_t i = 0; i < list.size(); ++i) {
            seven = seven || list[i].target == QLatin1String("7");
            if (seven && list[i].target == QLatin1String("40"))
                return i;
        }
        return std::nullopt;
    };
    const auto shortest = shrink(events, fails, 10);
    ASSERT_EQ(shortest.size(), 2u);
    EXPECT_EQ(shortest[0].target, "7");
    EXPECT_EQ(shortest[1].target, "40");
}
