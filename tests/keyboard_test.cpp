#include "window_fixture.h"

#include <QTest>

// Keys go where a keyboard sends them: to the focused control, or to the window.
class KeyboardTest : public WindowTest
{
protected:
    QWidget* keyTarget() const
    {
        QWidget* focus = window->focusWidget();
        return focus ? focus : window.get();
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(keyTarget(), key, modifiers);
    }
    // Presses a key, checks the label looks pressed while it is held, then lets go.
    void keyOn(Qt::Key key, const QString& button)
    {
        QWidget* target = keyTarget();
        const std::size_t boxes = messages.size();
        QTest::keyPress(target, key);
        EXPECT_EQ(look(button), "pressed") << button.toStdString();
        EXPECT_EQ(messages.size(), boxes) << "the click waits for the release";
        QTest::keyRelease(target, key);
        EXPECT_EQ(look(button), "released") << button.toStdString();
    }
    // The shown tabs, "_" after the one the keys are on, then the open list and its row.
    QString strip() const
    {
        QString result;
        for (const char* name : {"lblCategories", "lblReports", "lblSetup", "lblHelp"}) {
            const QLabel* tab = label(QLatin1String(name));
            if (tab->isVisible())
                result += QLatin1String(name + 3)
                    + QLatin1String(tab->font().underline() ? "_ " : " ");
        }
        for (const char* name : {"lstReports", "lstSetup", "lstHelp"}) {
            if (shown(QLatin1String(name)))
                result += QLatin1String(name)
                    + QStringLiteral(" row %1").arg(
                        find<QListWidget>(QLatin1String(name))->currentRow());
        }
        return result.trimmed();
    }
};

TEST_F(KeyboardTest, PageKeysRunTheScrollButtonsAndTypedTextStaysText)
{
    endAbout();
    key(Qt::Key_PageDown);
    EXPECT_EQ(page(), "FAQ2.jpg");
    key(Qt::Key_PageUp);
    EXPECT_EQ(page(), "FAQ1.jpg");

    openStatus(0);
    // The menu entries' "/A", "/C" and "/H" are only words: typed, they stay text.
    type("txtDescription", "/A /C /H");
    EXPECT_EQ(edit("txtDescription")->text(), "/A /C /H");
    EXPECT_FALSE(shown("lstHelp"));
    key(Qt::Key_PageDown); // from inside the text box
    EXPECT_EQ(page(), "report2.jpg");
    key(Qt::Key_PageUp);
    EXPECT_EQ(page(), "report1.jpg");
    EXPECT_TRUE(messages.empty());
}

TEST_F(KeyboardTest, EnterPressesTheStatusPagesDoneAndEscapeAsksAsBackDoes)
{
    endAbout();
    openStatus(0);
    type("txtAmount", "2.50");
    keyOn(Qt::Key_Return, "lblReportDone");
    EXPECT_EQ(lastPrompt(), "Transaction No.7 has been added.");
    EXPECT_EQ(record(0).Available, 214.62);

    // Keypad Enter from another input; Done's own checks answer.
    type("txtDescription", "lunch");
    edit("txtAmount")->clear();
    QTest::keyClick(keyTarget(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(lastPrompt(), "Please enter an Amount.");

    answerNext(Answer::No);
    keyOn(Qt::Key_Escape, "lblReportBack");
    EXPECT_EQ(lastTitle(), "Go back to category page?");
    EXPECT_TRUE(shown("imgReport"));
    answerNext(Answer::Yes);
    key(Qt::Key_Escape);
    EXPECT_FALSE(shown("imgReport"));
}

TEST_F(KeyboardTest, EnterAndEscapeOnTheEditTransferSetupAndAboutPages)
{
    keyOn(Qt::Key_Escape, "lblAboutOK");
    EXPECT_FALSE(shown("lblAboutOK"));
    EXPECT_EQ(page(), "");

    // Edit page: Escape cancels, Enter stores.
    openStatus(0);
    key(Qt::Key_PageDown);
    click("lblReportEdit");
    ASSERT_TRUE(shown("lblEditDone"));
    type("txtAmount", "1");
    keyOn(Qt::Key_Escape, "lblEditCancel");
    EXPECT_FALSE(shown("lblEditDone"));
    click("lblReportEdit");
    type("txtAmount", "1");
    keyOn(Qt::Key_Return, "lblEditDone");
    EXPECT_EQ(lastPrompt(), "Transaction No.1 has been modified.");

    // Transfer page: Enter moves the money from Food to Electricity; Escape cancels.
    openSetup("Transfer Funds");
    const double food = record(0).Available;
    type("txtTransAmount", "5");
    keyOn(Qt::Key_Return, "lblTransDone");
    EXPECT_EQ(lastTitle(), "Transfer confirmation");
    EXPECT_EQ(record(0).Available, food - 5);
    openSetup("Transfer Funds");
    edit("txtTransAmount")->setFocus();
    keyOn(Qt::Key_Escape, "lblTransCancel");
    EXPECT_FALSE(shown("txtTransAmount"));

    // Setup page: it has no Done, so Enter leaves it open; Escape cancels.
    openSetup("Setup Budget");
    type("txtTotal", "9");
    const std::size_t boxes = messages.size();
    key(Qt::Key_Return);
    EXPECT_TRUE(shown("txtTotal"));
    keyOn(Qt::Key_Escape, "lblSetupCancel");
    EXPECT_FALSE(shown("txtTotal"));
    EXPECT_EQ(messages.size(), boxes);
}

TEST_F(KeyboardTest, TabWalksEveryControlOfEachScreenInReadingOrder)
{
    const auto walk = [this](int steps) {
        QStringList order {focused()->objectName()};
        for (int i = 0; i < steps; ++i) {
            key(Qt::Key_Tab);
            order << focused()->objectName();
        }
        return order.join(QLatin1Char(' '));
    };
    EXPECT_EQ(focused(), window.get()) << "the keys rest with the window until Tab";
    endAbout();
    key(Qt::Key_Tab);
    EXPECT_EQ(walk(11),
              "imgFood imgElectricity imgParking imgGas imgEntertainment imgSchool imgRent "
              "imgTelephone imgClothing lblArrowUp lblArrowDown imgFood");
    // The arrow keys move within the overview's 3 by 3 grid and stop at its edges.
    for (const Qt::Key arrow : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Left, Qt::Key_Up,
                                Qt::Key_Left, Qt::Key_Left})
        key(arrow);
    EXPECT_EQ(focused()->objectName(), "imgGas");
    key(Qt::Key_Space);
    EXPECT_EQ(statusPage().left(3), "Gas");
    EXPECT_EQ(focused()->objectName(), "txtDate") << "the keys go to the first field";
    EXPECT_EQ(walk(9),
              "txtDate txtAmount txtDescription cboPayment lblReportBack lblReportReset "
              "lblReportDone lblArrowUp lblArrowDown txtDate");
    // Tab out of the menu bar hands the keys to the first field, which is tinted.
    key(Qt::Key_F10);
    EXPECT_EQ(strip(), "Categories_ Reports Setup");
    key(Qt::Key_Tab);
    EXPECT_EQ(strip(), "Categories Reports Setup");
    EXPECT_EQ(focused()->objectName(), "txtDate");
    EXPECT_NE(edit("txtDate")->palette().color(QPalette::Base), Qt::white);
    key(Qt::Key_Tab);
    EXPECT_EQ(edit("txtDate")->palette().color(QPalette::Base), Qt::white);
    // The option buttons are one stop; the arrows move within them as a click selects.
    key(Qt::Key_PageDown);
    EXPECT_EQ(walk(4), "optReport(0) lblReportEdit lblReportDelete lblArrowUp lblArrowDown");
    find("optReport(0)")->setFocus();
    key(Qt::Key_Down);
    key(Qt::Key_Down);
    EXPECT_EQ(focused()->objectName(), "optReport(2)");
    EXPECT_EQ(window->selectedLine(), 2);
    key(Qt::Key_Tab);
    key(Qt::Key_Space);
    EXPECT_EQ(text("lblEditNumber"), "3");
    EXPECT_EQ(walk(7),
              "txtDate txtAmount txtDescription cboPayment lblEditCancel lblEditReset "
              "lblEditDone lblArrowUp");

    // Opened by the pen, a page leaves the keys with the window; Tab finds the first field.
    openSetup("Setup Budget");
    key(Qt::Key_Tab);
    EXPECT_EQ(walk(9),
              "txtTotal cboInterval cboCateName txtBudgetAmount txtAlertAmount "
              "cboCategory lblSetupCancel lblSetupReset lblSetupEdit lblArrowUp");
    openSetup("Transfer Funds");
    key(Qt::Key_Tab);
    EXPECT_EQ(walk(6),
              "txtTransAmount cboTransFrom cboTransTo lblTransCancel lblTransReset "
              "lblTransDone lblArrowUp");
}

TEST_F(KeyboardTest, MenuKeysWorkTheTopStripAndItsListsAsThePenDoes)
{
    endAbout();
    openStatus(0);
    type("txtAmount", "3");
    key(Qt::Key_F10); // from a text box: the strip takes the keys
    EXPECT_EQ(strip(), "Categories_ Reports Setup");
    EXPECT_EQ(edit("txtAmount")->text(), "3");
    key(Qt::Key_Left);
    EXPECT_EQ(strip(), "Categories Reports Setup_");
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    EXPECT_EQ(strip(), "Categories Reports_ Setup");
    keyOn(Qt::Key_Down, "lblReports");
    EXPECT_EQ(strip(), "Categories Reports Setup lstReports row 0");
    EXPECT_EQ(focused(), find("lstReports"));
    EXPECT_EQ(label("lblReports")->frameShape(), QFrame::Box);
    key(Qt::Key_Escape);
    EXPECT_EQ(strip(), "Categories Reports_ Setup");
    EXPECT_EQ(label("lblReports")->frameShape(), QFrame::NoFrame);
    EXPECT_TRUE(shown("imgReport")) << "the strip's Escape is not the page's Back";

    key(Qt::Key_Right);
    key(Qt::Key_Return);
    key(Qt::Key_Down);
    EXPECT_EQ(strip(), "Categories Reports Setup lstSetup row 1");
    key(Qt::Key_Return);
    EXPECT_TRUE(shown("txtTransAmount"));
    EXPECT_EQ(strip(), "Help");

    // The Reports list answers Enter as a click on its entry does.
    key(Qt::Key_Menu);
    key(Qt::Key_Right);
    key(Qt::Key_Down);
    key(Qt::Key_Return);
    EXPECT_EQ(lastPrompt(), "This feature is not functional.");
    EXPECT_FALSE(shown("txtTransAmount"));

    // F1 opens the Help tab's list; Enter on "FAQs" opens the first help page.
    keyOn(Qt::Key_F1, "lblHelp");
    EXPECT_EQ(strip(), "Help lstHelp row 0");
    key(Qt::Key_Return);
    EXPECT_EQ(page(), "FAQ1.jpg");

    // Enter on Categories goes back to the overview; Escape leaves the strip to the page.
    key(Qt::Key_F10);
    key(Qt::Key_Escape);
    EXPECT_EQ(strip(), "Categories Reports Setup");
    key(Qt::Key_F10);
    keyOn(Qt::Key_Return, "lblCategories");
    EXPECT_EQ(strip(), "Help");
    EXPECT_EQ(page(), "");
}
