#pragma once

#include <string>

namespace ledger {

inline constexpr int kMeterLevels = 9;

// Which of the nine gauge pictures shows how much of a budget is left: eight
// times the ratio available/budget, rounded half up and held to 0..8. Both
// amounts are first rounded to four places; a budget of 0 or less shows empty.
int meterLevel(double available, double budget);

// "meter0.jpg" to "meter8.jpg".
std::string meterFile(int level);

} // namespace ledger
