#pragma once

#include "controls.h"
#include "screen.h"

#include <array>
#include <cmath>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

// The window's design as data: one row per control, front to back. The window
// builds its widgets from it and the picture painter draws page fields under
// the same rectangles, so a field can never drift from its control.

enum class Kind {
    Label, // caption label, opaque in the window colour
    ActionButton, // label button with border, centred, transparent
    MenuTab, // label button of the top strip, opaque
    ClickArea, // transparent label without caption over the skin or screen
    Image,
    TextBox,
    ComboBox, // editable drop-down list
    ChoiceList, // drop-down list that only takes a choice
    ListBox,
    OptionArray,
    PictureBox,
    Timer,
};

enum class Face {
    None,
    Sans, // "MS Sans Serif" 8.25 pt
    SansBold,
    SansBoldLarge, // "MS Sans Serif" 9.75 pt bold
    ArialBold, // "Arial" 9.75 pt bold
};

enum Style : unsigned {
    Plain = 0,
    HandPointer = 1u << 0,
    RightAligned = 1u << 1,
    WhiteBase = 1u << 2,
    PressLook = 1u << 3, // one of the label buttons that look pressed while held
    TabStop = 1u << 4, // a label the keyboard stops at, as it stops at every input
};

using ControlSlot
    = std::variant<QLabel * Controls::*, QLineEdit * Controls::*, QComboBox * Controls::*,
                   QListWidget * Controls::*, std::array<QRadioButton*, kOptionButtons> Controls::*,
                   ReportBox * Controls::*, QTimer * Controls::*>;

struct TwipsRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct ControlSpec
{
    ControlSlot slot;
    std::string_view name;
    Kind kind;
    Screens screens;
    TwipsRect twips;
    std::string_view text; // caption, or the items of a list separated by '|'
    Face face;
    bool shownAtStart;
    unsigned style;
    std::string_view toolTip;
    // What a screen reader calls the control, "name" or "name|description". An empty
    // name leaves a caption as the name; a caption label with a name shows that field's
    // figure, read as "name: figure".
    std::string_view accessible;
};

inline constexpr int kTwipsPerPixel = 15;
constexpr int toPixels(int twips)
{
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

struct PixelRect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

constexpr PixelRect toPixels(TwipsRect r)
{
    return {toPixels(r.left), toPixels(r.top), toPixels(r.width), toPixels(r.height)};
}

// The window's inner area and the organiser's screen, in twips.
inline constexpr TwipsRect kWindowTwips {0, 0, 5025, 7680};
inline constexpr TwipsRect kScreenTwips {765, 840, 3675, 3675};
// Tops of the page picture: under the top strip, or over it for the About page.
inline constexpr int kPageTopTwips = 1171;
inline constexpr int kAboutTopTwips = 841;

// Tops of optReport(0) to optReport(10), beside the rows printed in picReport.
inline constexpr std::array<int, kOptionButtons> kOptionTops {1757, 1958, 2160, 2361, 2563, 2765,
                                                              2966, 3168, 3369, 3571, 3763};

std::span<const ControlSpec> inventory();
// The row of a control by name; the name must exist.
const ControlSpec& controlSpec(std::string_view name);
// The same, or nothing for a name not in the inventory.
const ControlSpec* findControlSpec(std::string_view name);
// The screens of a control, by its name or an array member's "optReport(3)"; none for a
// name not in the design.
Screens screensOf(std::string_view name);
// The names of a screen's own controls in front-to-back order, without the frame.
std::vector<std::string_view> controlsOf(Screen screen);
// Geometry of optReport(index).
TwipsRect optionTwips(int index);
