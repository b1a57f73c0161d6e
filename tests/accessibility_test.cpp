#include "window_fixture.h"

#include <QAccessible>
#include <QTest>

// What a screen reader is told, read through QAccessible as it reads it.
class AccessibilityTest : public WindowTest
{
protected:
    QString read(const QString& name, QAccessible::Text kind = QAccessible::Name) const
    {
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(find(name));
        return control ? control->text(kind) : QStringLiteral("(not accessible)");
    }
    // The controls on the screen that a screen reader could not name.
    QStringList unnamed() const
    {
        QStringList result;
        for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (child->isVisible() && read(child->objectName()).trimmed().isEmpty())
                result << child->objectName();
        }
        return result;
    }
};

TEST_F(AccessibilityTest, EveryControlOnEveryPageHasAName)
{
    EXPECT_EQ(unnamed(), QStringList()) << "About page";
    endAbout();
    EXPECT_EQ(unnamed(), QStringList()) << "overview";
    openStatus(0);
    EXPECT_EQ(unnamed(), QStringList()) << "status page";
    click("lblArrowDown");
    EXPECT_EQ(unnamed(), QStringList()) << "recent transactions";
    click("lblReportEdit");
    EXPECT_EQ(unnamed(), QStringList()) << "edit page";
    click("lblMenuButton");
    EXPECT_EQ(unnamed(), QStringList()) << "menu bar";
    for (const QString entry : {"Setup Budget", "Transfer Funds"}) {
        click("lblSetup");
        EXPECT_EQ(unnamed(), QStringList()) << "Setup menu";
        pick("lstSetup", entry);
        EXPECT_EQ(unnamed(), QStringList()) << entry.toStdString();
        click("lblMenuButton");
    }
}

TEST_F(AccessibilityTest, ControlsAreNamedForWhatTheyAreAndFiguresReadWithTheirField)
{
    const std::pair<const char*, const char*> names[] = {
        {"lblCalendar", "Calendar button"},
        {"lblPowerButton", "Power button"},
        {"lblScrollDown", "Scroll down button"},
        {"lblArrowDown", "Next page"},
        {"lblArrowUp", "Previous page"},
        {"lblMenuButton", "Menu button"},
        {"lblApplications", "Applications button"},
        {"txtDate", "Date"},
        {"txtAmount", "Amount"},
        {"lstHelp", "Help menu"},
        {"lblReportDone", "Done"},
        {"lblAboutOK", "OK"},
        {"lblFood", "Food"},
        {"optReport(10)", "Transaction 11"},
        {"imgFood", "Food, $217.12 available of $300"},
        {"imgClothing", "Clothing, $76.5 available of $100"},
    };
    for (const auto& [control, name] : names)
        EXPECT_EQ(read(control), name) << control;
    EXPECT_EQ(read("lblScrollDown", QAccessible::Description), "Next page");
    EXPECT_EQ(read("lblMenuButton", QAccessible::Description), "Opens the menu bar");
    // A drop-down list may be read by its chosen entry; its field is in the description.
    EXPECT_EQ(read("cboTransFrom", QAccessible::Description), "Category that gives the money");
    EXPECT_EQ(read("cboPayment", QAccessible::Description), "Payment");

    endAbout();
    openStatus(0);
    EXPECT_EQ(read("lblAvailable"), "Available: $217.12");
    EXPECT_EQ(read("lblBudgeted"), "Budgeted: $300");
    EXPECT_EQ(read("lblCategory"), "Category: Food");
    EXPECT_EQ(read("imgReport"), "Food, $217.12 available of $300");
}

TEST_F(AccessibilityTest, MeterNamesFollowTheirToolTipsAndTheListReadsItsRows)
{
    endAbout();
    openStatus(0);
    addHere("17.12", "Lunch");
    EXPECT_EQ(label("imgFood")->toolTip(), "$200/$300");
    EXPECT_EQ(read("imgFood"), "Food, $200 available of $300");
    EXPECT_EQ(read("imgReport"), "Food, $200 available of $300");
    EXPECT_EQ(read("lblAvailable"), "Available: $200");

    click("lblArrowDown");
    const QStringList rows = find("picReport")->property("rows").toStringList();
    ASSERT_EQ(rows.size(), 7);
    EXPECT_EQ(read("picReport"), "Recent transactions");
    EXPECT_EQ(read("picReport", QAccessible::Description), rows.join(QLatin1Char('\n')));
    EXPECT_TRUE(rows.last().contains(QStringLiteral("Lunch")));

    // A transfer renames both meters.
    openSetup("Transfer Funds");
    type("txtTransAmount", "100");
    click("lblTransDone");
    EXPECT_EQ(read("imgFood"), "Food, $100 available of $300");
    EXPECT_EQ(read("imgElectricity"), "Electricity, $200 available of $200");
    EXPECT_EQ(label("imgElectricity")->toolTip(), "$200/$200");
}
