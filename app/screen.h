#pragma once

#include <initializer_list>

// What the organiser's screen shows, one at a time. The window keeps it as pages open and
// close; the arrows, the start-up timer, the keys and the screen reader read it there.
enum class Screen : unsigned char {
    StartAbout, // the built-in About picture at start, until the timer or OK ends it
    Overview, // the category icons with no page over them
    Status,
    Recent,
    Edit,
    Setup,
    Transfer,
    HelpPage1,
    HelpPage2,
    About, // opened from the Help menu
};
inline constexpr int kScreenCount = int(Screen::About) + 1;

// The screens a control belongs to.
class Screens
{
public:
    constexpr Screens(std::initializer_list<Screen> screens)
    {
        for (Screen screen : screens)
            m_bits |= bit(screen);
    }
    // The frame: the skin, the top strip, the arrows and the page picture's cover.
    static constexpr Screens every()
    {
        Screens all {};
        all.m_bits = (1u << kScreenCount) - 1;
        return all;
    }
    constexpr bool contains(Screen screen) const { return (m_bits & bit(screen)) != 0; }
    constexpr bool isEmpty() const { return m_bits == 0; }
    constexpr bool isEvery() const { return m_bits == every().m_bits; }

private:
    static constexpr unsigned bit(Screen screen) { return 1u << unsigned(screen); }
    unsigned m_bits = 0;
};
