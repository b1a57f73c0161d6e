#pragma once

#include "frmMain.h"
#include "seams.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>

#include <category.h>
#include <cmath>
#include <map>
#include <meter.h>
#include <money.h>
#include <string>
#include <transaction_line.h>
#include <vector>

// What the random walk holds the window to after every event. Each check gives
// "" when all is well, else one line saying what is wrong, starting with its kind.
namespace WalkChecks {

using ledger::CategoryRecord;
using ledger::CategoryTable;
using ledger::Money;
using Lines = std::array<std::string, ledger::kLineSlots>;

inline std::string str(const QString& text)
{
    return text.toStdString();
}

// Lines without a gap from slot 0, slot 11 free, every line read back into its
// five fields with a readable amount, every figure a four-place amount in range.
inline std::string ledgerFault(const CategoryTable& table)
{
    const double largest = Money::fromUnits(Money::kMaxUnits).toDouble();
    for (int c = 0; c < ledger::kCategoryCount; ++c) {
        const CategoryRecord& record = table[std::size_t(c)];
        const std::string where = "ledger: " + record.Name + " ";
        const int count = ledger::lineCount(record);
        if (count > ledger::kMaxLines)
            return where + "holds a twelfth line";
        for (int i = count; i < ledger::kLineSlots; ++i) {
            if (!record.Lines[std::size_t(i)].empty())
                return where + "has a gap before slot " + std::to_string(i);
        }
        for (int i = 0; i < count; ++i) {
            const std::string& line = record.Lines[std::size_t(i)];
            const auto fields = ledger::TransactionLine::split(line);
            if (!fields || fields->text() != line || fields->category != record.Name
                || !Money::fromText(fields->amount) || !ledger::lineAmount(line))
                return where + "cannot read back line " + std::to_string(i) + ": " + line;
        }
        for (const double figure : {record.Available, record.Budget}) {
            if (Money::fromDouble(figure).toDouble() != figure || std::fabs(figure) > largest)
                return where + "holds " + std::to_string(figure) + ", not a four-place amount";
        }
    }
    const CategoryRecord& unused = table[ledger::kCategoryCount];
    if (!unused.Name.empty() || unused.Available != 0 || unused.Budget != 0
        || unused.Lines != Lines {})
        return "ledger: Categories(9) was touched";
    return {};
}

// All the money a category was given: what is available plus what its lines
// spent. Adding, editing and deleting move money between the two; only a
// transfer moves it between categories. Needs a sound ledger.
inline Money holding(const CategoryRecord& record)
{
    Money sum = Money::fromDouble(record.Available);
    for (int i = 0; i < ledger::lineCount(record); ++i)
        sum = sum + *ledger::lineAmount(record.Lines[std::size_t(i)]);
    return sum;
}

inline Money holding(const CategoryTable& table)
{
    Money sum;
    for (int c = 0; c < ledger::kCategoryCount; ++c)
        sum = sum + holding(table[std::size_t(c)]);
    return sum;
}

// How one category's lines changed: "added 7", "deleted 3", "modified 2",
// "garbled" for any other change, "" for none. A delete or an edit must hit
// the selected line.
inline std::string lineChange(const Lines& before, const Lines& after, qint16 selected)
{
    if (before == after)
        return {};
    const auto count = [](const Lines& lines) {
        return int(std::find(lines.begin(), lines.end(), std::string()) - lines.begin());
    };
    const int was = count(before), now = count(after);
    int k = 0;
    while (before[std::size_t(k)] == after[std::size_t(k)])
        ++k;
    const auto same = [&](int from, int shift) {
        for (int i = from; i + shift < ledger::kLineSlots && i < ledger::kLineSlots; ++i) {
            if (after[std::size_t(i)] != before[std::size_t(i + shift)])
                return false;
        }
        return true;
    };
    if (now == was + 1 && k == was && same(k + 1, 0))
        return "added " + std::to_string(now);
    if (now == was - 1 && k == selected && same(k, 1))
        return "deleted " + std::to_string(k + 1);
    if (now == was && k == selected && same(k + 1, 0))
        return "modified " + std::to_string(k + 1);
    return "garbled";
}

// What a message box claims was done, in the words of lineChange; "transfer"
// for a transfer; "" for every other box.
inline std::string claim(const Seams::Message& message, Seams::Answer answer)
{
    const QString& p = message.prompt;
    static const QRegularExpression done(
        QStringLiteral("^Transaction No\\.(\\d+) has been (added|modified)\\.$"));
    static const QRegularExpression asked(
        QStringLiteral("^Do you want to delete transaction no\\.(\\d+) \\?$"));
    if (const auto m = done.match(p); m.hasMatch())
        return str(m.captured(2) + QLatin1Char(' ') + m.captured(1));
    if (const auto m = asked.match(p); m.hasMatch() && answer == Seams::Answer::Yes)
        return "deleted " + str(m.captured(1));
    return p.startsWith(QLatin1String("Transfer $")) ? "transfer" : "";
}

// The page in imgFront by its picture, "overview" when none covers the icons.
inline QString openPage(const frmMain& window)
{
    const auto* front = window.findChild<QWidget*>(QStringLiteral("imgFront"));
    return front->isVisible() ? front->property("pictureFile").toString()
                              : QStringLiteral("overview");
}

// The money across one event: every change of the lines confirmed by its box,
// made in the current category from the page that makes it, no money made or
// lost, budgets raised only by a transfer and only to the new available amount.
inline std::string moneyFault(const CategoryTable& before, const CategoryTable& after,
                              qint16 current, qint16 selected, std::vector<std::string> claims,
                              Money seedHolding, const QString& pageBefore)
{
    std::erase(claims, std::string());
    static const std::map<std::string, QString> madeOn
        = {{"added", QStringLiteral("report1.jpg")},
           {"modified", QStringLiteral("edit.jpg")},
           {"deleted", QStringLiteral("report2.jpg")},
           {"transfer", QStringLiteral("Transfer.jpg")}};
    for (const std::string& claimed : claims) {
        if (madeOn.at(claimed.substr(0, claimed.find(' '))) != pageBefore)
            return "money: " + claimed + " from " + str(pageBefore);
    }
    const bool transfer = std::erase(claims, std::string("transfer")) > 0;
    std::vector<std::string> changes;
    for (int c = 0; c < ledger::kCategoryCount; ++c) {
        const std::string change
            = lineChange(before[std::size_t(c)].Lines, after[std::size_t(c)].Lines, selected);
        if (!change.empty())
            changes.push_back(after[std::size_t(c)].Name + " " + change);
    }
    std::vector<std::string> confirmed;
    const CategoryRecord& open = after[std::size_t(current)];
    for (const std::string& text : claims) {
        // An edit may store the line exactly as it was.
        if (text != "modified " + std::to_string(selected + 1)
            || before[std::size_t(current)].Lines != open.Lines)
            confirmed.push_back(open.Name + " " + text);
    }
    const auto join = [](const std::vector<std::string>& list) {
        std::string text;
        for (const std::string& item : list)
            text += "[" + item + "]";
        return text;
    };
    if (changes != confirmed)
        return "money: lines changed " + join(changes) + ", boxes confirmed " + join(confirmed);

    for (int c = 0; c < ledger::kCategoryCount; ++c) {
        const CategoryRecord &was = before[std::size_t(c)], &now = after[std::size_t(c)];
        if (!transfer && holding(was) != holding(now))
            return "money: " + now.Name + " went from " + holding(was).text() + " to "
                + holding(now).text() + " with no transfer";
        if (now.Budget != was.Budget
            && !(transfer && now.Budget == now.Available && now.Available > was.Budget))
            return "money: the budget of " + now.Name + " became "
                + Money::fromDouble(now.Budget).text();
    }
    if (holding(after) != seedHolding) {
        Money available;
        for (int c = 0; c < ledger::kCategoryCount; ++c)
            available = available + Money::fromDouble(after[std::size_t(c)].Available);
        return "money: the categories hold " + available.text()
            + " available, not the seed sum less the lines' amounts ("
            + (available + seedHolding - holding(after)).text() + ")";
    }
    return {};
}

// The controls a page shows besides its picture, by the file in imgFront; ""
// is the built-in About picture of the start.
inline const std::vector<std::pair<QString, QStringList>>& pageGroups()
{
    static const std::vector<std::pair<QString, QStringList>> groups = [] {
        const char* const table[][2] = {
            {"", "lblAboutOK"},
            {"about.jpg", "lblAboutOK"},
            {"report1.jpg",
             "lblAvailable lblBudgeted txtDate txtAmount lblCategory txtDescription "
             "cboPayment lblReportBack lblReportReset lblReportDone imgReport"},
            {"report2.jpg", "picReport optReport lblReportEdit lblReportDelete"},
            {"edit.jpg",
             "lblEditNumber txtDate txtAmount txtDescription lblCategory cboPayment "
             "lblEditCancel lblEditReset lblEditDone"},
            {"Setup.jpg",
             "txtTotal cboInterval cboCateName cboCategory txtBudgetAmount "
             "txtAlertAmount lblBudget lblSetupCancel lblSetupReset lblSetupEdit"},
            {"Transfer.jpg",
             "txtTransAmount cboTransFrom cboTransTo lblTransCancel lblTransReset "
             "lblTransDone"},
            {"FAQ1.jpg", ""},
            {"FAQ2.jpg", ""},
        };
        std::vector<std::pair<QString, QStringList>> result;
        for (const auto& row : table)
            result.emplace_back(
                QString::fromLatin1(row[0]),
                QString::fromLatin1(row[1]).split(QLatin1Char(' '), Qt::SkipEmptyParts));
        return result;
    }();
    return groups;
}

// The open page by its picture, the page controls by their group, the markers,
// the status and list figures against the ledger, the icons' meters, the pressed
// look, the top strip in one of its two states, the input mirrors.
inline std::string screenFault(const frmMain& window, bool keyHeld = false)
{
    const auto widget = [&](const char* name) {
        return window.findChild<QWidget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    };
    const auto shown = [&](const char* name) {
        return widget(name)->isVisible();
    };
    const auto picture = [&](const char* name) {
        return widget(name)->property("pictureFile").toString();
    };
    const auto text = [&](const char* name) {
        return static_cast<QLabel*>(widget(name))->text();
    };
    const auto framed = [&](const char* name) {
        return static_cast<QLabel*>(widget(name))->frameShape() == QFrame::Box;
    };
    if (!window.isVisible())
        return "screen: the window closed";

    const bool covered = shown("imgFront");
    const QString page = covered ? picture("imgFront") : QStringLiteral("overview");
    const std::string where = page.isEmpty() ? "the start-up About picture" : str(page);
    const QStringList* group = nullptr;
    QStringList pageControls;
    for (const auto& [file, controls] : pageGroups()) {
        pageControls += controls;
        if (covered && file == page)
            group = &controls;
    }
    static const QStringList none;
    if (covered && !group)
        return "screen: imgFront shows " + where;
    if (!group)
        group = &none;
    for (const QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QString name = child->objectName().section(QLatin1Char('('), 0, 0);
        if (child->isVisible() && pageControls.contains(name) && !group->contains(name))
            return "screen: " + str(child->objectName()) + " shows over " + where;
    }
    const bool status = page == QLatin1String("report1.jpg");
    const bool list = page == QLatin1String("report2.jpg");
    if (shown("imgReport") != status || shown("lblAvailable") != status
        || shown("lblReportEdit") != list)
        return "screen: the markers disagree with " + where;

    const auto& categories = window.categories();
    const CategoryRecord& record = categories.at(std::size_t(window.currentCategory()));
    const auto amount = [](double value) {
        return QStringLiteral("$") + QString::fromStdString(ledger::amountText(value));
    };
    const auto meter = [](const CategoryRecord& r) {
        return QString::fromStdString(ledger::meterFile(ledger::meterLevel(r.Available, r.Budget)));
    };
    if (status
        && (text("lblAvailable") != amount(record.Available)
            || text("lblBudgeted") != amount(record.Budget) || picture("imgReport") != meter(record)
            || text("lblCategory") != QString::fromStdString(record.Name)))
        return "screen: the status page does not show " + record.Name;
    if (list) {
        const QStringList rows = widget("picReport")->property("rows").toStringList();
        for (int i = 0; i < ledger::kMaxLines; ++i) {
            const bool stored = i < ledger::lineCount(record);
            const auto* option = window.findChild<QWidget*>(QStringLiteral("optReport(%1)").arg(i));
            if (option->isVisible() != stored
                || (stored
                    && (i >= rows.size()
                        || rows[i] != QString::fromStdString(record.Lines[std::size_t(i)]))))
                return "screen: the list does not show line " + std::to_string(i) + " of "
                    + record.Name;
        }
    }
    if (page == QLatin1String("edit.jpg")
        && text("lblEditNumber") != QString::number(window.selectedLine() + 1))
        return "screen: the edit page shows the wrong number";
    const char* const icons[]
        = {"imgFood",   "imgElectricity", "imgParking",   "imgGas",     "imgEntertainment",
           "imgSchool", "imgRent",        "imgTelephone", "imgClothing"};
    for (int c = 0; c < ledger::kCategoryCount; ++c) {
        const CategoryRecord& r = categories[std::size_t(c)];
        if (picture(icons[c]) != meter(r)
            || widget(icons[c])->toolTip() != amount(r.Available) + "/" + amount(r.Budget))
            return std::string("screen: ") + icons[c] + " shows the wrong meter";
    }
    // Purple with white text only while the mouse button or a key is held on the label.
    int pressed = 0;
    for (const QLabel* label : window.findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->autoFillBackground()
            && label->palette().color(label->foregroundRole()) == QColor(Qt::white)
            && ++pressed > int(keyHeld))
            return "screen: " + str(label->objectName()) + " still looks pressed";
    }

    // Ending the start-up About screen brings the Help tab back even under an open
    // menu bar, where the Setup tab covers it: accepted as written.
    if (shown("lblCategories")) {
        const QWidget* help = widget("lblHelp");
        const bool helpHidden
            = !help->isVisible() || window.childAt(help->geometry().center()) != help;
        if (picture("imgAllCategory") != QLatin1String("TopMenu.jpg") || !shown("lblReports")
            || !shown("lblSetup") || !helpHidden || shown("lstHelp")
            || framed("lblReports") != shown("lstReports")
            || framed("lblSetup") != shown("lstSetup")
            || (shown("lstReports") && shown("lstSetup")))
            return "screen: the menu bar is broken";
    } else {
        const bool aboutCovers = covered && (page.isEmpty() || page == QLatin1String("about.jpg"));
        const QString strip = picture("imgAllCategory");
        if ((strip != QLatin1String("Title.jpg") && !strip.isEmpty()) || shown("lblReports")
            || shown("lblSetup") || shown("lstReports") || shown("lstSetup")
            || shown("lblHelp") == aboutCovers || (shown("lstHelp") && !shown("lblHelp"))
            || (shown("lblHelp") && framed("lblHelp") != shown("lstHelp")))
            return "screen: the title bar is broken";
    }

    const auto edit = [&](const char* name) {
        return static_cast<QLineEdit*>(widget(name))->text();
    };
    if (window.dateText() != edit("txtDate") || window.amountText() != edit("txtAmount")
        || window.descriptionText() != edit("txtDescription")
        || window.paymentText() != static_cast<QComboBox*>(widget("cboPayment"))->currentText())
        return "screen: an input mirror lags behind its input";
    return {};
}

} // namespace WalkChecks
