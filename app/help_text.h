#pragma once

// The help the two FAQ pages print and the About page's lines: drawn by the painter and
// read out by screen readers. The pages are small: every answer has to fit its page at
// 11 pixels, which the painter checks.

#include <array>

namespace Artwork {

struct HelpEntry
{
    const char* question;
    const char* answer;
};

using HelpPage = std::array<HelpEntry, 3>;

inline constexpr HelpPage kHelpPage1 {{
    {"How do I open a category?",
     "Tap its meter on the home screen. Its status page shows what is left, the budget, "
     "and a form for a new transaction."},
    {"How do I add a transaction?",
     "Type the amount, a description and how you paid, then tap Done. The date is "
     "today's; you may change it. Reset puts today's date back and empties the rest."},
    {"How do I edit or delete one?",
     "On the status page tap the down arrow to list the recent transactions. Choose a "
     "line with its round button, then tap Edit or Delete."},
}};

inline constexpr HelpPage kHelpPage2 {{
    {"How do I move money?",
     "Tap the title bar for the menu, then Setup and Transfer Funds. Choose From and "
     "To, type the amount and tap Done."},
    {"What do the meters show?",
     "How much of a budget is left, from E (empty, red) to F (full, green). Rest the "
     "pointer on one to see both amounts."},
    {"What do the buttons and keys do?",
     "Menu (F10) opens the menu bar, the scroll buttons (Page Up, Page Down) turn pages, "
     "power ends the program. Tab moves between controls, Space presses one."},
}};

struct AboutText
{
    const char* title;
    const char* motto;
    const char* version;
    const char* footer;
};

inline constexpr AboutText kAbout {"About Brivant", "Your budget in your pocket", "Version 1.0",
                                   "Nine spending categories at a glance"};

} // namespace Artwork
