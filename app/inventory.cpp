#include "inventory.h"

#include <algorithm>
#include <cassert>

namespace {

constexpr std::string_view kCategoryItems
    = "Food|Electricity|Parking|Gas|Entertainment|School|Rent|Telephone|Clothing";

// Each row names its member once for the compiler and once as the objectName.
#define CONTROL(member) &Controls::member, #member

constexpr unsigned kButton = HandPointer | PressLook | TabStop;
constexpr unsigned kPointedStop = HandPointer | TabStop;

// The screens each control belongs to: a page's own controls are the ones its hide procedure
// takes away; the frame stands on every screen and is never hidden with a page.
constexpr Screens kFrame = Screens::every();
constexpr Screens kStartAbout {Screen::StartAbout};
constexpr Screens kAboutPages {Screen::StartAbout, Screen::About};
constexpr Screens kOverview {Screen::Overview};
constexpr Screens kStatus {Screen::Status};
constexpr Screens kEdit {Screen::Edit};
// The inputs and figures are one set of controls, shown by both pages.
constexpr Screens kStatusAndEdit {Screen::Status, Screen::Edit};
constexpr Screens kRecent {Screen::Recent};
constexpr Screens kSetup {Screen::Setup};
constexpr Screens kTransfer {Screen::Transfer};

// clang-format off
constexpr std::array kInventory = std::to_array<ControlSpec>({
    {CONTROL(cboCateName), Kind::ComboBox, kSetup, {2760, 2495, 1150, 315}, kCategoryItems, Face::SansBold, false, WhiteBase, {}, "Category"},
    {CONTROL(txtAlertAmount), Kind::TextBox, kSetup, {2880, 3104, 975, 195}, {}, Face::SansBold, false, Plain, {}, "Alert at"},
    {CONTROL(txtBudgetAmount), Kind::TextBox, kSetup, {2880, 2845, 975, 195}, {}, Face::SansBold, false, Plain, {}, "Budget"},
    {CONTROL(cboCategory), Kind::ComboBox, kSetup, {1560, 3600, 1335, 315}, kCategoryItems, Face::SansBold, false, WhiteBase, {}, "Name|Category of the budget"},
    {CONTROL(cboInterval), Kind::ComboBox, kSetup, {2760, 1996, 1155, 315}, "Daily|Weekly|Bi-Weekly|Monthly|Bi-Monthly|Quarterly|Yearly", Face::SansBold, false, WhiteBase, {}, "Interval"},
    {CONTROL(txtTotal), Kind::TextBox, kSetup, {2880, 1747, 975, 195}, {}, Face::SansBold, false, Plain, {}, "Total budget"},
    {CONTROL(txtTransAmount), Kind::TextBox, kTransfer, {2520, 2400, 855, 195}, {}, Face::SansBold, false, Plain, {}, "Amount|Amount to transfer"},
    {CONTROL(cboTransTo), Kind::ChoiceList, kTransfer, {2400, 3094, 1400, 315}, kCategoryItems, Face::SansBold, false, WhiteBase, {}, "To|Category that receives the money"},
    {CONTROL(cboTransFrom), Kind::ChoiceList, kTransfer, {2400, 2715, 1395, 315}, kCategoryItems, Face::SansBold, false, WhiteBase, {}, "From|Category that gives the money"},
    {CONTROL(lstSetup), Kind::ListBox, kFrame, {2520, 1108, 1575, 510}, "Setup Budget|Transfer Funds", Face::ArialBold, false, Plain, {}, "Setup menu"},
    {CONTROL(lstReports), Kind::ListBox, kFrame, {2160, 1108, 1815, 510}, "Current Status  /C|History/Trends  /H", Face::ArialBold, false, Plain, {}, "Reports menu"},
    {CONTROL(lstHelp), Kind::ListBox, kFrame, {3285, 1083, 1095, 510}, "FAQs|About   /A", Face::ArialBold, false, Plain, {}, "Help menu"},
    {CONTROL(optReport), Kind::OptionArray, kRecent, {800, 1757, 200, 195}, "Option1", Face::Sans, false, Plain, {}, "Transaction"},
    {CONTROL(picReport), Kind::PictureBox, kRecent, {1020, 1752, 3180, 2196}, {}, Face::Sans, false, Plain, {}, "Recent transactions"},
    {CONTROL(cboPayment), Kind::ComboBox, kStatusAndEdit, {2400, 3094, 1400, 315}, "Cash|Check|Credit Card", Face::SansBold, false, WhiteBase, {}, "Payment"},
    {CONTROL(txtDescription), Kind::TextBox, kStatusAndEdit, {2400, 2864, 1455, 195}, {}, Face::SansBold, false, Plain, {}, "Description"},
    {CONTROL(txtAmount), Kind::TextBox, kStatusAndEdit, {2520, 2400, 735, 195}, {}, Face::SansBold, false, Plain, {}, "Amount"},
    {CONTROL(txtDate), Kind::TextBox, kStatusAndEdit, {2400, 2160, 855, 195}, {}, Face::SansBold, false, Plain, {}, "Date"},
    {CONTROL(tim1), Kind::Timer, kStartAbout, {}, {}, Face::None, true, Plain, {}, {}},
    {CONTROL(lblBudget), Kind::Label, kSetup, {3600, 3623, 615, 230}, "$", Face::SansBold, false, Plain, {}, "Budget"},
    {CONTROL(lblSetupEdit), Kind::ActionButton, kSetup, {3240, 4080, 855, 255}, "Edit", Face::SansBold, false, kButton, {}, {}},
    {CONTROL(lblSetupReset), Kind::ActionButton, kSetup, {2160, 4080, 855, 255}, "Reset", Face::SansBold, false, kButton, {}, {}},
    {CONTROL(lblSetupCancel), Kind::ActionButton, kSetup, {1080, 4080, 855, 255}, "Cancel", Face::SansBold, false, kButton, {}, {}},
    {CONTROL(lblTransDone), Kind::ActionButton, kTransfer, {3240, 3720, 855, 255}, "Done", Face::SansBold, false, kButton, {}, "|Moves the money"},
    {CONTROL(lblTransReset), Kind::ActionButton, kTransfer, {2160, 3720, 855, 255}, "Reset", Face::SansBold, false, kButton, {}, {}},
    {CONTROL(lblTransCancel), Kind::ActionButton, kTransfer, {1080, 3720, 855, 255}, "Cancel", Face::SansBold, false, kButton, {}, {}},
    {CONTROL(lblEditNumber), Kind::Label, kEdit, {2820, 1747, 255, 359}, {}, Face::ArialBold, false, Plain, {}, "Transaction No."},
    {CONTROL(lblEditDone), Kind::ActionButton, kEdit, {3360, 3600, 855, 255}, "Done", Face::SansBold, false, kButton, {}, "|Stores the changed transaction"},
    {CONTROL(lblEditReset), Kind::ActionButton, kEdit, {2200, 3600, 855, 255}, "Reset", Face::SansBold, false, kButton, {}, "|Puts today's date back and empties the other inputs"},
    {CONTROL(lblEditCancel), Kind::ActionButton, kEdit, {1020, 3600, 855, 255}, "Cancel", Face::SansBold, false, kButton, {}, {}},
    {CONTROL(lblSetup), Kind::MenuTab, kFrame, {3120, 855, 975, 270}, "Setup", Face::ArialBold, false, PressLook, {}, {}},
    {CONTROL(lblReports), Kind::MenuTab, kFrame, {2160, 855, 855, 269}, "Reports", Face::ArialBold, false, PressLook, {}, {}},
    {CONTROL(lblCategories), Kind::MenuTab, kFrame, {900, 853, 1095, 269}, "Categories", Face::ArialBold, false, PressLook, {}, {}},
    {CONTROL(lblHelp), Kind::MenuTab, kFrame, {3280, 838, 735, 259}, "Help", Face::ArialBold, false, HandPointer | PressLook, {}, {}},
    {CONTROL(lblReportDelete), Kind::ActionButton, kRecent, {3340, 4080, 855, 255}, "Delete", Face::SansBold, false, kButton, {}, "|Deletes the selected transaction"},
    {CONTROL(lblReportEdit), Kind::ActionButton, kRecent, {2220, 4080, 855, 255}, "Edit", Face::SansBold, false, kButton, {}, "|Edits the selected transaction"},
    {CONTROL(lblReportReset), Kind::ActionButton, kStatus, {1920, 3542, 855, 255}, "Reset", Face::SansBold, false, kButton, {}, "|Puts today's date back and empties the other inputs"},
    {CONTROL(imgReport), Kind::Image, kStatus, {3000, 1248, 1140, 675}, {}, Face::None, false, Plain, {}, "|Meter of the category"},
    {CONTROL(lblArrowDown), Kind::ClickArea, kFrame, {4200, 4200, 255, 255}, {}, Face::None, true, kPointedStop, "Next Page:Recent Transactions", "Next page"},
    {CONTROL(lblArrowUp), Kind::ClickArea, kFrame, {4200, 1200, 255, 255}, {}, Face::None, true, kPointedStop, "Input a New Transaction", "Previous page"},
    {CONTROL(lblReportDone), Kind::ActionButton, kStatus, {2930, 3543, 855, 255}, "Done", Face::SansBold, false, kButton, {}, "|Adds the transaction"},
    {CONTROL(lblReportBack), Kind::ActionButton, kStatus, {900, 3543, 855, 255}, "Back", Face::SansBold, false, kButton, {}, "|Back to the category overview"},
    {CONTROL(lblCategory), Kind::Label, kStatusAndEdit, {2400, 2640, 1335, 195}, {}, Face::SansBold, false, Plain, {}, "Category"},
    {CONTROL(lblBudgeted), Kind::Label, kStatusAndEdit, {1680, 1560, 825, 195}, "$100.00", Face::SansBold, false, RightAligned, {}, "Budgeted"},
    {CONTROL(lblAvailable), Kind::Label, kStatusAndEdit, {1680, 1320, 825, 195}, "$100.00", Face::SansBold, false, RightAligned, {}, "Available"},
    {CONTROL(lblAboutOK), Kind::ActionButton, kAboutPages, {2100, 3543, 975, 299}, "OK", Face::SansBoldLarge, true, PressLook | TabStop, {}, {}},
    {CONTROL(imgFront), Kind::Image, kFrame, {765, 840, 3675, 3675}, {}, Face::None, true, TabStop, {}, "Screen page"},
    {CONTROL(lblClothing), Kind::Label, kOverview, {3460, 4080, 720, 255}, "Clothing", Face::SansBold, true, Plain, {}, {}},
    {CONTROL(lblTelephone), Kind::Label, kOverview, {2150, 4080, 975, 255}, "Telephone", Face::SansBold, true, Plain, {}, {}},
    {CONTROL(lblRent), Kind::Label, kOverview, {1100, 4080, 495, 255}, "Rent", Face::SansBold, true, Plain, {}, {}},
    {CONTROL(lblEntertainment), Kind::Label, kOverview, {2020, 3000, 1305, 255}, "Entertainment", Face::SansBold, true, Plain, {}, {}},
    {CONTROL(lblSchool), Kind::Label, kOverview, {3480, 3000, 615, 255}, "School", Face::SansBold, true, Plain, {}, {}},
    {CONTROL(lblGas), Kind::Label, kOverview, {1150, 3000, 495, 255}, "Gas", Face::SansBold, true, Plain, {}, {}},
    {CONTROL(lblElectricity), Kind::Label, kOverview, {2160, 2040, 960, 255}, "Electricity", Face::SansBold, true, Plain, {}, {}},
    {CONTROL(lblParking), Kind::Label, kOverview, {3480, 2040, 855, 255}, "Parking", Face::SansBold, true, Plain, {}, {}},
    {CONTROL(lblFood), Kind::Label, kOverview, {1080, 2040, 495, 255}, "Food", Face::SansBold, true, Plain, {}, {}},
    {CONTROL(imgRent), Kind::Image, kOverview, {765, 3360, 1140, 675}, {}, Face::None, true, kPointedStop, "$400/$800", "|Opens the category's status page"},
    {CONTROL(imgTelephone), Kind::Image, kOverview, {2040, 3360, 1140, 675}, {}, Face::None, true, kPointedStop, "$30/$80", "|Opens the category's status page"},
    {CONTROL(imgClothing), Kind::Image, kOverview, {3240, 3360, 1140, 675}, {}, Face::None, true, kPointedStop, "$800/$800", "|Opens the category's status page"},
    {CONTROL(imgGas), Kind::Image, kOverview, {765, 2280, 1140, 675}, {}, Face::None, true, kPointedStop, "$0/$100", "|Opens the category's status page"},
    {CONTROL(imgSchool), Kind::Image, kOverview, {3240, 2280, 1140, 675}, {}, Face::None, true, kPointedStop, "$100/$400", "|Opens the category's status page"},
    {CONTROL(imgEntertainment), Kind::Image, kOverview, {2040, 2280, 1140, 675}, {}, Face::None, true, kPointedStop, "$500/$800", "|Opens the category's status page"},
    {CONTROL(imgElectricity), Kind::Image, kOverview, {2040, 1320, 1140, 675}, {}, Face::None, true, kPointedStop, "$10/$80", "|Opens the category's status page"},
    {CONTROL(imgParking), Kind::Image, kOverview, {3240, 1320, 1140, 675}, {}, Face::None, true, kPointedStop, "$600/$800", "|Opens the category's status page"},
    {CONTROL(imgFood), Kind::Image, kOverview, {765, 1320, 1140, 675}, {}, Face::None, true, kPointedStop, "$70/$80", "|Opens the category's status page"},
    {CONTROL(imgAllCategory), Kind::Image, kFrame, {765, 840, 3675, 330}, {}, Face::None, true, Plain, {}, "Top strip|Opens the menu bar"},
    {CONTROL(lblNotes), Kind::ClickArea, kFrame, {4005, 6388, 615, 614}, {}, Face::None, true, Plain, {}, "Notes button"},
    {CONTROL(lblTasks), Kind::ClickArea, kFrame, {3120, 6388, 615, 614}, {}, Face::None, true, Plain, {}, "Tasks button"},
    {CONTROL(lblContacts), Kind::ClickArea, kFrame, {1500, 6388, 615, 614}, {}, Face::None, true, Plain, {}, "Contacts button"},
    {CONTROL(lblCalendar), Kind::ClickArea, kFrame, {600, 6388, 615, 614}, {}, Face::None, true, Plain, {}, "Calendar button"},
    {CONTROL(lblScrollDown), Kind::ClickArea, kFrame, {2280, 6840, 615, 375}, {}, Face::None, true, Plain, {}, "Scroll down button|Next page"},
    {CONTROL(lblScrollUp), Kind::ClickArea, kFrame, {2280, 6360, 615, 375}, {}, Face::None, true, Plain, {}, "Scroll up button|Previous page"},
    {CONTROL(lblFind), Kind::ClickArea, kFrame, {3960, 5400, 375, 375}, {}, Face::None, true, Plain, {}, "Find button"},
    {CONTROL(lblCalculator), Kind::ClickArea, kFrame, {3960, 4680, 375, 375}, {}, Face::None, true, Plain, {}, "Calculator button"},
    {CONTROL(lblMenuButton), Kind::ClickArea, kFrame, {840, 5400, 375, 375}, {}, Face::None, true, HandPointer, {}, "Menu button|Opens the menu bar"},
    {CONTROL(lblApplications), Kind::ClickArea, kFrame, {840, 4680, 375, 375}, {}, Face::None, true, Plain, {}, "Applications button"},
    {CONTROL(lblPowerButton), Kind::ClickArea, kFrame, {120, 6480, 255, 495}, {}, Face::None, true, HandPointer, {}, "Power button|Closes the program"},
    {CONTROL(imgOstrel), Kind::Image, kFrame, {0, 0, 5025, 7695}, {}, Face::None, true, Plain, {}, "Ostrel organiser"},
});
// clang-format on

#undef CONTROL

static_assert(kInventory.size() == 78);
static_assert(std::ranges::none_of(kInventory,
                                   [](const ControlSpec& row) { return row.screens.isEmpty(); }),
              "every control belongs to a screen, or to the frame on all of them");

} // namespace

std::span<const ControlSpec> inventory()
{
    return kInventory;
}

const ControlSpec* findControlSpec(std::string_view name)
{
    const auto it = std::ranges::find(kInventory, name, &ControlSpec::name);
    return it == kInventory.end() ? nullptr : &*it;
}

const ControlSpec& controlSpec(std::string_view name)
{
    const ControlSpec* row = findControlSpec(name);
    assert(row);
    return *row;
}

Screens screensOf(std::string_view name)
{
    const ControlSpec* row = findControlSpec(name.substr(0, name.find('(')));
    return row ? row->screens : Screens {};
}

std::vector<std::string_view> controlsOf(Screen screen)
{
    std::vector<std::string_view> names;
    for (const ControlSpec& row : kInventory) {
        if (row.screens.contains(screen) && !row.screens.isEvery())
            names.push_back(row.name);
    }
    return names;
}

TwipsRect optionTwips(int index)
{
    TwipsRect r = controlSpec("optReport").twips;
    r.top = kOptionTops.at(static_cast<std::size_t>(index));
    return r;
}
