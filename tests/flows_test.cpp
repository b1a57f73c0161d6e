// One scripted walk per page or flow: the steps a user takes and what they then see, with
// the program's own texts. The walk's checks run after every step, so the rows state only
// what those checks cannot know.
#include "driver.h"

#include <QImage>

namespace {
const QString kNotFunctional = "This feature is not functional.";
const QString kBack
    = "box=Go back to category page?: Do you want to go back to the category page without saving "
      "the data you are editing now? [Yes/No]";
const QString kOverview = "click lblMenuButton; click lblCategories; ";
const QString kAdded = "box=Confirmation: Transaction No.%1 has been added.";
} // namespace

// The About screen ends by the timer, over whatever was opened, under a box once it is
// answered, or by OK; each icon then
// opens its own category, read against the icon's name, with today as m/d/yy; the power
// button closes the window. And what a screen reader hears: the checks hold every control on
// every screen to a name, and each meter's name to its figures.
TEST_F(Script, TheAboutScreenEndsAndEachIconOpensItsOwnCategory)
{
    EXPECT_GT(startupMilliseconds, 4500);
    EXPECT_LE(startupMilliseconds, 5250); // a coarse timer may fire 5% late
    // clang-format off
    run({{"", "page=; timer=on; window=Brivant 335x512; name lblCalendar=Calendar button; name lblScrollDown=Scroll down button; description "
              "lblScrollDown=Next page; description lblMenuButton=Opens the menu bar; name optReport(10)=Transaction 11; "
              "description cboTransFrom=Category that gives the money"},
         {"click lblMenuButton; tick", "page=overview; timer=off; shown lblSetup=yes"}});
    // Shown, a picture file has the very pixels Qt's own reader makes of it.
    EXPECT_EQ(window->findChild<QWidget*>("imgFood")->grab().toImage().convertToFormat(QImage::Format_RGB32),
              QImage("meter6.jpg").convertToFormat(QImage::Format_RGB32));
    // A page opened over the About screen outlives it, with what was typed and the keys.
    start();
    run({{kSetupMenu + "Transfer Funds; type txtTransAmount 5; tick",
          "page=Transfer.jpg; texts txtTransAmount=5; focus=txtTransAmount; shown lblHelp=yes"}});
    // Due while a box waits, the timer leaves the About screen (page "") under the box.
    start();
    run({{"then tick | click lblCalendar", "box=" + kNotFunctional + "; log=box over ; page=overview; timer=off"}});
    start();
    today = QDate(2027, 3, 7);
    run({{"click lblAboutOK", "page=overview; timer=off"}});
    for (const QString status : {"Food|$217.12|$300|meter6.jpg", "Electricity|$100|$100|meter8.jpg",
             "Parking|$26|$50|meter4.jpg", "Gas|$66.21|$100|meter5.jpg", "Entertainment|$82|$100|meter7.jpg",
             "School|$48|$100|meter4.jpg", "Rent|$0|$1000|meter0.jpg", "Telephone|$100|$150|meter5.jpg",
             "Clothing|$76.5|$100|meter6.jpg"})
        run({{kOverview + "click img" + status.section('|', 0, 0), "status=" + status + "|3/7/27|||"}});
    // clang-format on
    today = QDate(2026, 10, 11);
    run({{kOverview + "click imgGas", "texts txtDate=10/11/26"},
         {"click lblPowerButton", "window=closed"}});
}

// Reset refills the inputs; each refusal names its fault, focuses its input and resets
// the inputs; what passes is stored as typed and the meters follow, down to
// spending all there is and up to eleven lines.
TEST_F(Script, TheStatusPageAddsWhatReadsBackAndRefusesTheRest)
{
    const QString food = "status=Food|$217.12|$300|meter6.jpg|12/5/26|||",
                  done = "; click lblReportDone";
    // clang-format off
    run({{"click lblAboutOK; click imgFood; type txtDate 5/7/01; type txtAmount 5.5; type txtDescription Pens; "
          "choose cboPayment Credit Card; type cboPayment Visa; click lblReportReset", food + "; name lblAvailable="
          "Available: $217.12; name lblCategory=Category: Food; name txtDate=Date; name cboPayment=Payment"},
         // The amount is judged before the date. Where each refusal leaves the keys, the driver checks.
         {"click lblReportDone; type txtDate 12,5,26; type txtAmount \" \"" + done + "; type txtAmount -99999999999.9999"
          + done + "; type txtAmount -100000000000" + done, "box=Please enter an Amount. / Please enter a number for "
          "amount. / The amount is too large. / The amount is too large."},
         {"type txtDate 12,5,26; type txtAmount 5" + done + "; type txtAmount 5; type txtDescription Lunch, dinner" + done,
          "box=Please enter the date without a comma or a dollar sign. / Please enter the description without a comma.; " + food},
         {"type txtAmount -20; type txtDescription Refund; choose cboPayment Cash" + done + "; type txtAmount 100" + done,
          kAdded.arg(7) + " / " + kAdded.arg(8).mid(4)},
         {"type txtAmount 0.5; type txtDescription Tip $; type cboPayment Cash, mostly" + done, kAdded.arg(9)},
         {"type txtAmount 136.62" + done, kAdded.arg(10) + "; texts lblAvailable imgReport=$0|meter0.jpg"},
         {"type txtAmount 0.01" + done, "box=You do not have enough money available to make this purchase."},
         {"type txtAmount -1" + done + "; type txtAmount -1" + done,
          kAdded.arg(11) + " / Fail to add more than 11 items.: Sorry, we can only keep 11 transcations for now."},
         {"click lblArrowDown", "row 7=12/5/26, $-20, Refund, Food, Cash; row 8=12/5/26, $100, , Food, ; "
                                "row 9=12/5/26, $0.5, Tip $, Food, Cash, mostly"},
         // Deleting the first moves the other ten up and makes room again.
         {"yes click lblReportDelete; click lblArrowUp; type txtAmount 1" + done, "box=Delete item confirmation.: Do "
          "you want to delete transaction no.1 ? [Yes/No] / " + kAdded.arg(11).mid(4)}});
    // clang-format on
}

// Edit and Delete say so when there is nothing to act on; editing refuses and keeps what
// was typed, measures the new amount against the stored one and keeps the amount text;
// deleting asks, closes the gap and keeps the selection, in every category's list.
TEST_F(Script, TheListEditsAndDeletesTheSelectedLineOnly)
{
    const QString done = "; click lblEditDone",
                  modified = "box=Confirmation: Transaction No.%1 has been modified.";
    const QString noEdit = "box=No item to edit!: Sorry, there is no item to edit.";
    const QString noDelete = "box=No item to delete!: Sorry, there is no item to delete.";
    const QString asked
        = "Delete item confirmation.: Do you want to delete transaction no.%1 ? [Yes/No]";
    const QString overdraft = "Overdraft warning!!: Overdraft after this modification!!";
    // clang-format off
    run({{"click lblAboutOK; click imgElectricity; click lblArrowDown; click lblReportEdit", noEdit},
         {"click lblReportDelete", "box=No item to delete!!: There is no item to delete!"},
         // A selection left on a slot the next list does not fill.
         {kOverview + "click imgFood; click lblArrowDown; click optReport(5); " + kOverview
          + "click imgParking; click lblArrowDown; click lblReportEdit", noEdit},
         {"click lblReportDelete; click optReport(1); yes click lblReportDelete; click lblReportDelete",
          noDelete + " / " + asked.arg(2) + " / " + noDelete.mid(4)},
         // The arrows page within the category: down on the list and up on the status page do nothing.
         {"click lblArrowDown; click lblArrowUp; click lblArrowUp", "status=Parking|$38|$50|meter6.jpg|12/5/26|||; name picReport=Recent transactions; "
          "description picReport=5/13/01, $12.00, Standard Parking, Parking, Cash"},
         // The scroll buttons page as the arrows do; the status page opens afresh.
         {"type txtAmount 3; type txtDescription Pens; choose cboPayment Cash; click lblScrollUp",
          "texts txtAmount txtDescription cboPayment=3|Pens|Cash; page=report1.jpg"},
         {"click lblScrollDown; click lblScrollDown", "page=report2.jpg"},
         {"click lblScrollUp", "status=Parking|$38|$50|meter6.jpg|12/5/26|||"},
         {kOverview + "click imgFood; click lblArrowDown; click optReport(0); click lblReportEdit",
          "edit=1|Food|5/05/01|5.50|McDonalds|Cash"},
         {"type txtAmount \"\"" + done + "; type txtAmount 222.63" + done, "box=Please enter an Amount. / " + overdraft + "; page=edit.jpg"},
         {"type txtAmount 5.50; type txtDescription Big, Mac" + done, "box=Please enter the description without a "
          "comma.; edit=1|Food|5/05/01|5.50|Big, Mac|Cash"},
         {"type txtDescription Burger" + done, modified.arg(1) + "; row 1=5/05/01, $5.50, Burger, Food, Cash"},
         // Raising by all that is available leaves $0; lowering always passes.
         {"click lblReportEdit; type txtAmount 222.62" + done + "; click lblReportEdit; type txtAmount 2" + done,
          modified.arg(1) + " / " + modified.arg(1).mid(4)},
         // After Reset the new amount is still measured against the stored one.
         {"click optReport(1); click lblReportEdit; click lblEditReset", "edit=2|Food|12/5/26|||"},
         {"type txtDescription Lunch; type txtAmount 20" + done, modified.arg(2) + "; row 2=12/5/26, $20, Lunch, Food, "},
         {"click optReport(2); click lblReportDelete", "box=" + asked.arg(3) + "; row 3=5/23/01, $13.26, Jewel, Food, Visa"},
         {"yes click lblReportDelete", "box=" + asked.arg(3) + "; row 3=5/24/01, $4.01, McDonalds, Food, Cash"},
         {kOverview + "click imgGas; click lblArrowDown; click lblReportDelete", "box=" + asked.arg(3)},
         {kOverview + "click imgFood; type txtAmount 1; click lblReportDone", kAdded.arg(6)},
         // Below zero, which deleting a refund brings about, every edit is an overdraft.
         {"type txtAmount -20; click lblReportDone; type txtAmount 244.11; click lblReportDone; click lblArrowDown; "
          "click optReport(6); yes click lblReportDelete; click optReport(0); click lblReportEdit" + done,
          kAdded.arg(7) + " / " + kAdded.arg(8).mid(4) + " / " + asked.arg(7) + " / " + overdraft},
         {"type txtAmount 0" + done, "box=" + overdraft}});
    // clang-format on
}

// A source may give all it has; a target's budget rises only when its new amount exceeds
// it; zero and negative amounts follow the same steps; the notice repeats the amount as
// typed and comes before the icons are refreshed, the source first.
TEST_F(Script, TransfersMoveMoneyAsWrittenAndTheSetupFormStoresNothing)
{
    const QString open = kSetupMenu + "Transfer Funds; ", setup = kSetupMenu + "Setup Budget";
    const QString done = "; click lblTransDone",
                  moved = "box=Transfer confirmation: Transfer $%1 from category ";
    // clang-format off
    run({{"click lblAboutOK; " + open + "type txtTransAmount 217.12" + done, moved.arg("217.12") + "Food to category "
          "Electricity.; money=Food 0/300 Electricity 317.12/317.12; log=box over Transfer.jpg, imgFood, imgElectricity"},
         {open + "choose cboTransFrom Gas; choose cboTransTo Telephone; type txtTransAmount 50" + done,
          moved.arg("50") + "Gas to category Telephone.; money=Gas 16.21/100 Telephone 150/150"},
         {open, "transfer=|Gas|Telephone"},
         // Money moves backwards; the target may go below zero, the source keeps its budget.
         {open + "choose cboTransFrom Electricity; choose cboTransTo Food; type txtTransAmount -50" + done,
          moved.arg("-50") + "Electricity to category Food.; money=Food -50/300 Electricity 367.12/317.12"},
         // Nothing moves, but a target over its budget has the budget raised.
         {open + "choose cboTransFrom Gas; choose cboTransTo Electricity; type txtTransAmount 0" + done,
          moved.arg("0") + "Gas to category Electricity.; money=Electricity 367.12/367.12"},
         {open + "type txtTransAmount +1.234560" + done, moved.arg("+1.234560")
          + "Gas to category Electricity.; money=Electricity 368.3546/368.3546 Gas 14.9754/100"},
         // Refusals in order, one box at a time.
         {open + "type txtTransAmount 14.9755" + done, "box=Overdraft warning!!: Overdraft of category Gas!; "
                                                       "transfer=14.9755|Gas|Electricity"},
         {"click lblTransReset; click lblTransDone", "box=Please enter an Amount.; transfer=||"},
         {"type txtTransAmount 5" + done + "; choose cboTransFrom Gas" + done + "; choose cboTransTo Gas" + done,
          "box=Please choose the category FROM. / Please choose the category TO. / Please choose two different categories."},
         {"choose cboTransTo School; type txtTransAmount 99999999999.99" + done, "box=The amount is too large."},
         {"type txtTransAmount 7; click lblTransCancel", "page=overview"},
         // Elsewhere the arrows open the help pages.
         {open + "click lblArrowDown", "page=FAQ2.jpg"},
         // The setup form stores nothing; reopened, it empties only its text boxes.
         {setup, "setup=||||||"},
         {"type txtTotal 500; choose cboInterval Monthly; choose cboCateName Food; type txtBudgetAmount 999; "
          "type txtAlertAmount 50; type cboCategory Pets; click lblSetupEdit", "page=overview"},
         {setup, "setup=|Monthly|Food|||Pets|"},
         {"type txtTotal 7; click lblSetupReset", "setup=||||||"},
         {"click lblArrowUp", "page=FAQ1.jpg"},
         // Without a Done, Enter leaves the page open; Escape and Cancel close it.
         {setup + "; type txtTotal 9; key Return", "page=Setup.jpg"},
         {"key Esc", "page=overview"},
         {setup + "; click lblSetupCancel", "page=overview"}});
    // clang-format on
}

// Any mouse button shows the pressed look while held; only a left click acts, after the
// release. The strip's tabs open their lists with a border; a second click changes nothing.
TEST_F(Script, TheStripTabsAndButtonsLookAndActAsWritten)
{
    // clang-format off
    run({// OK let go with the right button hides itself; the timer still ends the screen.
         {"press lblAboutOK right", "look lblAboutOK=pressed"},
         {"release lblAboutOK right", "shown lblAboutOK=no; page=; timer=on"},
         {"tick; click lblHelp; pick lstHelp About   /A; press lblAboutOK", "look lblAboutOK=pressed; shown lblHelp=no"},
         {"release lblAboutOK", "page=overview; shown lblHelp=yes"},
         {"click lblHelp; pick lstHelp About   /A; press lblAboutOK right; release lblAboutOK right; click lblArrowDown",
          "page=FAQ2.jpg; shown lblHelp=yes"},
         {"click imgAllCategory; click lblSetup; click lblReports; click lblCategories; click lblHelp; click imgTelephone",
          "page=report1.jpg; shown lstHelp=no"},
         {"click lblMenuButton; type txtAmount 4.75; type txtDescription Lunch; choose cboPayment Check; "
          "press lblReportBack right", "look lblReportBack=pressed"},
         {"release lblReportBack right; press lblReportBack middle; release lblReportBack middle; "
          "press lblReportBack; release lblReportBack off", "look lblReportBack=released"},
         {"press lblReportBack", "look lblReportBack=pressed"},
         // Back asks once the look is gone; No keeps the page and what was typed.
         {"release lblReportBack",
          kBack + "; log=box over report1.jpg; status=Telephone|$100|$150|meter5.jpg|12/5/26|4.75|Lunch|Check"},
         {"yes click lblReportBack", kBack + "; page=overview; shown lblReports=yes"},
         {"press lblReports", "look lblReports=pressed; shown lstReports=no"},
         {"release lblReports; press lblSetup right; release lblSetup right", "look lblReports=released; shown lstReports=yes"},
         {"click lblReports", "strip=Categories Reports Setup lstReports row -1"},
         {"click lblSetup", "strip=Categories Reports Setup lstSetup row -1"},
         // An icon under the open menu bar brings the title bar back.
         {"click imgTelephone", "texts lblCategory=Telephone; shown lblReports=no; shown lstReports=no"},
         // The Reports notice comes over the open page, which closes after it.
         {kOverview + "click imgGas; type txtAmount 5; click lblMenuButton; click lblReports; "
          "pick lstReports History/Trends  /H", "box=" + kNotFunctional + "; log=box over report1.jpg; page=overview"},
         // The organiser's buttons give their notice and leave the screen as it was.
         {"click imgGas; type txtAmount 5; click lblCalendar; click lblContacts; click lblTasks; click lblNotes; "
          "click lblCalculator; click lblFind; click lblApplications",
          "box=" + QStringList(6, kNotFunctional).join(" / ") + "; status=Gas|$66.21|$100|meter5.jpg|12/5/26|5||"}});
    // clang-format on
}

// Keys press what a click presses, with the same look while held, and the menu keys work
// the strip and its lists as the pen does.
TEST_F(Script, KeysDoWhatTheirLabelsDo)
{
    const QString transfer = kSetupMenu + "Transfer Funds; type txtTransAmount 5; ";
    // clang-format off
    run({{"hold Esc", "look lblAboutOK=pressed"},
         {"letgo Esc; key PgDown", "page=FAQ2.jpg"},
         {"key PgUp", "page=FAQ1.jpg"},
         // The menu entries' "/A", "/C" and "/H" are only words: typed, they stay text.
         {kOverview + "click imgFood; key PgDown; key PgUp; type txtAmount 2.50; type txtDescription /A /C /H; "
          "hold Return", "look lblReportDone=pressed; texts txtDescription=/A /C /H; shown lstHelp=no"},
         // A key pressed while a box waits for its answer does nothing.
         {"letgo Return; type txtDescription lunch; key Enter; type txtAmount 1; then key Return | key Return",
          kAdded.arg(7) + " / Please enter an Amount. / " + kAdded.arg(8).mid(4)},
         {"key Esc", kBack + "; page=report1.jpg"},
         {"yes key Esc; click imgFood; key PgDown; click lblReportEdit; type txtAmount 1; key Esc", kBack + "; page=report2.jpg"},
         {"click lblReportEdit; type txtAmount 1; key Return; " + transfer + "key Return; " + transfer + "key Esc",
          "box=Confirmation: Transaction No.1 has been modified. / Transfer confirmation: Transfer $5 from category Food "
          "to category Electricity.; page=overview"},
         {"click imgFood; type txtAmount 3; key F10; key Left; key Right; key Right; hold Down",
          "look lblReports=pressed; texts txtAmount=3; strip=Categories Reports_ Setup"},
         {"letgo Down", "focus=lstReports; texts lstReports=Current Status  /C; strip=Categories Reports Setup lstReports row 0"},
         // The strip's Escape closes the list, then hands the keys back; it is not Back.
         {"key Esc", "strip=Categories Reports_ Setup; focus=lblReports; page=report1.jpg"},
         // Let go after the pen closed its list, Enter chooses nothing.
         {"key Right; key Down; key Down; hold Return; click lblReports; letgo Return",
          "page=report1.jpg; texts txtAmount=3; strip=Categories Reports Setup lstReports row 0"},
         {"key F10; key Right; key Right; key Return; key Down; key Return", "page=Transfer.jpg; shown lblSetup=no"},
         {"key Menu; key Right; key Down; key Return", "box=" + kNotFunctional + "; page=overview"},
         {"hold F1", "look lblHelp=pressed"},
         {"letgo F1", "focus=lstHelp; texts lstHelp=FAQs"},
         {"key Return; key F10; key Esc", "shown lblSetup=yes; page=FAQ1.jpg"},
         {"key F10; key Return", "strip=Help; page=overview"}});
    // clang-format on
}

// Tab and Shift+Tab stop at every control of a screen in reading order; the arrows move in the
// overview's grid and among the option buttons, which are one stop; Space presses.
TEST_F(Script, TabWalksEveryControlOfEachScreenInReadingOrder)
{
    // clang-format off
    run({{"", "focus=imgFront; ring="},
         {"key Tab*4", "stops=lblAboutOK lblArrowUp lblArrowDown imgFront; ring=imgFront"},
         {"click lblAboutOK; key Tab*12", "stops=imgFood imgElectricity imgParking imgGas imgEntertainment imgSchool "
          "imgRent imgTelephone imgClothing lblArrowUp lblArrowDown imgFood; ring=imgFood"},
         // Shift+Tab goes back round; each edge of the grid stops the arrows, and the ring follows.
         {"key Shift+Tab*3; key Down*1; key Right*1; key Up*3; key Right*1; key Left*3; key Down*3; key Left*1; key Up*1",
          "stops=lblArrowDown lblArrowUp imgClothing imgClothing imgClothing imgSchool imgParking imgParking imgParking "
          "imgElectricity imgFood imgFood imgGas imgRent imgRent imgRent imgGas; ring=imgGas"},
         {"key Space", "page=report1.jpg; texts lblCategory=Gas; focus=txtDate; tinted=txtDate; ring=txtDate"},
         // An arrow that turns no page here is passed by. The field with the keys is tinted; Tab out
         // of the menu bar hands them to the first, Escape back to where they were.
         {"key Tab*8; key F10; key Tab", "stops=txtAmount txtDescription cboPayment lblReportBack lblReportReset "
          "lblReportDone lblArrowDown txtDate; focus=txtDate; tinted=txtDate"},
         {"key Tab; key F10; key Esc", "focus=txtAmount; tinted=txtAmount"},
         {"key PgDown; key Tab*4", "stops=lblReportEdit lblReportDelete lblArrowUp optReport(0)"},
         // The arrows stop at the list's ends; the keys come back to the list on the chosen line.
         {"key Up*1; key Down*3; key Tab; key Return", "stops=optReport(0) optReport(1) optReport(2) optReport(2); "
          "page=edit.jpg; texts lblEditNumber=3; focus=txtDate"},
         {"key Tab*7", "stops=txtAmount txtDescription cboPayment lblEditCancel lblEditReset lblEditDone lblArrowUp"},
         {"key Shift+Tab*3; key Space", "stops=lblEditDone lblEditReset lblEditCancel; page=report2.jpg; focus=optReport(2)"},
         {"key Tab*4", "stops=lblReportEdit lblReportDelete lblArrowUp optReport(2); ring=optReport(2)"},
         // Opened by the pen, a page leaves the keys with the window; Tab finds the first field.
         {kSetupMenu + "Setup Budget", "focus=frmMain; ring="},
         {"key Tab*10", "stops=txtTotal cboInterval cboCateName txtBudgetAmount txtAlertAmount cboCategory "
          "lblSetupCancel lblSetupReset lblSetupEdit lblArrowUp"},
         {kSetupMenu + "Transfer Funds; key Tab*7", "stops=txtTransAmount cboTransFrom cboTransTo lblTransCancel "
          "lblTransReset lblTransDone lblArrowUp"},
         // The help pages' text, and the tabs over the dark bar.
         {"key F1; key Return; key Tab*2; key PgDown; key Tab*2; key F10; key Right*3",
          "stops=lblArrowUp lblArrowDown imgFront lblArrowUp lblReports lblSetup lblCategories"}});
    // clang-format on
}
