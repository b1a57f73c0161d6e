#pragma once

#include "frmMain.h"

#include <QDate>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <random>
#include <set>

// The real window driven as a user drives it, a step at a time, each step a line of text:
//   click imgFood | type txtAmount 2.50 | paste txtDescription Lunch | choose cboPayment Check
//   pick lstSetup Transfer Funds | press lblReportBack right | release lblReportBack off
//   key Esc | key Tab*9 (each stop noted) | hold Return | letgo Return | tick (the timer fires)
//   bus optReport(3) Toggle | bus lstSetup/1 Press (a child by its index) | bus txtAmount text 12
//   (a screen reader: any action named on the bus, text, replace, insert, delete a b,
//   select a b, cursor a, value v, row a; on any control, shown or not)
// "yes " in front answers the step's questions Yes, else No; quotes around a text go.
// "then bus ... | " in front (or "then key ... | ") does that step at the step's first box,
// as a modal box's loop lets it, before the box is answered. After every step the checks
// below run; after a refusal the keys must be in the input the refusal names; and at each
// stop of a repeated key, a focus mark must show (markFault in driver.cpp).
class Driver : public QObject
{
public:
    Driver();
    ~Driver() override;
    // A fresh window whose start-up timer waits for a "tick".
    void start();
    // The first fault the step leaves, or "". Out of reach a step does nothing; that is a
    // fault only when strict. A call given is the step, the line then only names it.
    QString step(const QString& line, const std::function<void()>& call = {});
    // A random step among those a user could take now: the random walk's.
    QString randomStep(std::mt19937& random);
    // Where a click on the control would land, if on the control.
    QWidget* reach(QWidget* control, std::optional<QPoint> at = {}, QPoint* local = nullptr) const;

    std::unique_ptr<frmMain> window;
    bool strict = false;
    QDate today {2026, 12, 5};
    int startupMilliseconds = 0; // left on the start-up timer when the window opened
    // Since cleared: the boxes, "Title: prompt" ("Ostrel: " left out, " [Yes/No]" after a
    // question), and in order with "box over <page>" (as the box is answered) the icons whose
    // tool tip changed.
    // And what the boxes of the last step claimed: "added 7", "modified 2", "deleted 3",
    // "transfer".
    QStringList boxes, log, claims;
    QStringList stops; // where the focus was after each repeated key, since cleared
    // Logs the icons whose tool tip changes, and where the keys are moved.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool perform(const QString& step);
    bool apply(const QString& verb, const QString& target, const QString& text);
    bool bus(const QString& path, const QString& what, const QString& text);

    bool m_yes = false, m_mouseHeld = false;
    QString m_underBox, m_keysDue; // the step to do at the next box; where a refusal sent the keys
    QString m_markFault; // a stop of a repeated key whose focus mark does not show
    // Every control the keys are moved to in a step but by a click or the window's return is
    // told to a screen reader: none may be off the screen once the step is over, as the first
    // control of a page half built would be.
    QList<QPointer<QWidget>> m_landed;
    std::set<int> m_keysHeld;
};

// WCAG's contrast of two colours, 1 to 21; and of an area's ink against its commonest shade.
double contrast(QRgb a, QRgb b);
double contrast(const QImage& image, QRect area);
// An area in the window's coordinates, in the pixels of an image of it.
QRect inPixels(const QImage& image, QRectF area);

// What holds after every step; each check gives "" or a line starting with its kind.
namespace Checks {
// Lines without a gap, each read back whole into its category; four-place figures in
// range; Categories(9) untouched.
QString ledgerFault(const ledger::CategoryTable& table);
// Lines change only as the step's boxes claim, on the page that makes the change; what is
// available plus what the lines spent changes only by a transfer, never in sum; a budget
// rises only by a transfer, to the new available amount.
QString moneyFault(const ledger::CategoryTable& before, const ledger::CategoryTable& after,
                   int current, int selected, const QStringList& claims, const QString& page);
// One page at a time with all its controls, its figures those of the ledger, every meter
// and name following its category, no label pressed but one held, the top strip whole.
QString screenFault(const frmMain& window, bool held);
} // namespace Checks

// The pen's way to the Setup tab's list, before the entry it picks.
inline const QString kSetupMenu = "click lblMenuButton; click lblSetup; pick lstSetup ";

// A scripted walk: rows of steps ("; " between them), then what the user sees as
// "what=value" pairs (see observe). A row expects no box unless it says "box=".
struct Row
{
    QString steps, expect;
};

class Script : public ::testing::Test, public Driver
{
protected:
    void SetUp() override;
    void run(std::initializer_list<Row> rows);
    // page, focus, ring (what the focus ring surrounds), stops, tinted (the fields drawn as holding
    // the keys), money (the categories the row changed), window, timer, log; "row N" of the list,
    // "look X", "shown X", "name X" and "description X" (as a screen reader reads them); the texts
    // of status, edit, transfer and setup, or of any controls: "texts X Y".
    QString observe(const QString& what) const;

    ledger::CategoryTable m_rowStart;
};
