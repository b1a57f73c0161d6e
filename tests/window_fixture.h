#pragma once

#include "frmMain.h"
#include "seams.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

using Seams::Answer;

// Readable failure messages for texts and lists.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* out)
{
    *out << '{' << list.join(QStringLiteral(", ")).toStdString() << '}';
}

// A fresh window for each test, driven the way a user drives it: clicks and keys
// through QTest on the controls found by their objectNames. Message boxes are
// answered from a script and recorded; today is fixed to 5 December 2026.
class WindowTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    template<class Widget = QWidget> Widget* find(const QString& name) const
    {
        auto* widget = window->findChild<Widget*>(name);
        if (!widget)
            ADD_FAILURE() << "no control " << name.toStdString();
        return widget;
    }
    QLabel* label(const QString& name) const { return find<QLabel>(name); }
    QLineEdit* edit(const QString& name) const { return find<QLineEdit>(name); }
    QComboBox* combo(const QString& name) const { return find<QComboBox>(name); }
    QRadioButton* option(int index) const
    {
        return find<QRadioButton>(QStringLiteral("optReport(%1)").arg(index));
    }
    bool shown(const QString& name) const { return find(name)->isVisible(); }

    // Presses and releases the left button over the middle of a visible control;
    // the event goes to whatever the user would hit there.
    void click(const QString& name, Qt::MouseButton button = Qt::LeftButton);
    // Replaces the text of a visible input by typing.
    void type(const QString& name, const QString& text);
    // Picks an entry of a visible drop-down list through its popup.
    void choose(const QString& name, const QString& item);
    // Clicks an entry of a visible list box.
    void pick(const QString& list, const QString& item);

    // The next message box gets this answer; unscripted OK boxes get OK.
    void answerNext(Answer answer) { answers.push_back(answer); }

    // Ends the start-up About screen with its OK label.
    void endAbout() { click(QStringLiteral("lblAboutOK")); }
    // From the overview: opens a category's status page by its icon.
    void openStatus(int category);
    // Status page: types an amount and presses Done (message boxes as scripted).
    void addHere(const QString& amount, const QString& description = QStringLiteral("Test"),
                 const QString& payment = QStringLiteral("Cash"));

    QString lastPrompt() const { return messages.empty() ? QString() : messages.back().prompt; }
    QString lastTitle() const { return messages.empty() ? QString() : messages.back().title; }
    QString pictureOf(const QString& name) const
    {
        return find(name)->property("pictureFile").toString();
    }
    QWidget* focused() const { return window->focusWidget(); }
    const ledger::CategoryRecord& record(int category) const
    {
        return window->categories()[std::size_t(category)];
    }

    // What the user sees, in short, so that one comparison checks a whole page.
    // A text box's text, a drop-down list's text or a label's caption.
    QString text(const QString& name) const;
    // The rows printed on the recent-transactions page and its visible option buttons.
    QStringList rows() const { return find("picReport")->property("rows").toStringList(); }
    QList<int> shownOptions() const;
    // A category's filled slots; the whole ledger with its icons, a line per
    // category: "217.12/300 meter6.jpg $217.12/$300: line; line...".
    QStringList storedLines(int category) const;
    QStringList ledgerState() const;
    // "Available/Budget" as stored; a "~" marks a value off the ten-thousandths,
    // as double arithmetic would leave it.
    QString amounts(int category) const;
    // An icon's meter picture and tool tip: "meter6.jpg $217.12/$300".
    QString iconLook(int category) const;
    // Date|amount|description|payment as shown, followed by the window's mirrors
    // of them whenever those differ.
    QString inputs() const;
    // The status page: "Food $217.12/$300 meter6.jpg $217.12/$300 12/5/26|||".
    QString statusPage() const;
    // The page picture in imgFront, or "" while no page covers the overview.
    QString page() const { return shown("imgFront") ? pictureOf("imgFront") : QString(); }
    // The visible controls besides the overview's own, sorted: "imgFront lblHelp".
    QString onScreen() const;
    // Everything a user could see change: which controls show, every caption,
    // picture, place, border, fill and text.
    std::string snapshot() const;
    // A label button's look: "pressed" (purple with white text) while held,
    // "released" (transparent with black text) after, else "neither".
    QString look(const QString& name) const;
    static inline const QColor kPressedColour {110, 0, 170};
    // The last message box had this prompt, title and buttons.
    void expectMessage(const QString& prompt, const QString& title = "Ostrel",
                       Seams::Buttons buttons = Seams::Buttons::Ok);

    // Ways about the screen. The Menu button reaches the menu bar even over the About page.
    void openMenuBar() { click("lblMenuButton"); }
    void fromMenuBar(const QString& tab, const QString& list = {}, const QString& entry = {});
    void backToOverview() { fromMenuBar("lblCategories"); }
    void openSetup(const QString& entry) { fromMenuBar("lblSetup", "lstSetup", entry); }
    void openReport(const QString& entry) { fromMenuBar("lblReports", "lstReports", entry); }
    void openHelp(const QString& entry)
    {
        click("lblHelp");
        pick("lstHelp", entry);
    }

    static const QStringList kIcons;
    // Two pages as onScreen() shows them.
    static constexpr const char* kSetupPage
        = "cboCateName cboCategory cboInterval imgFront lblBudget lblHelp lblSetupCancel "
          "lblSetupEdit lblSetupReset txtAlertAmount txtBudgetAmount txtTotal";
    static constexpr const char* kTransferPage = "cboTransFrom cboTransTo imgFront lblHelp "
                                                 "lblTransCancel lblTransDone lblTransReset "
                                                 "txtTransAmount";

    std::unique_ptr<frmMain> window;
    std::vector<Seams::Message> messages;
    std::deque<Answer> answers;
};
