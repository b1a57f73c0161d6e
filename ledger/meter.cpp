#include "meter.h"

#include "money.h"

#include <algorithm>

namespace ledger {

int meterLevel(double available, double budget)
{
    const Money a = Money::fromDouble(available);
    const Money b = Money::fromDouble(budget);
    float ratio = 0;
    if (b.units() > 0)
        ratio = static_cast<float>(static_cast<double>(a.units()) / static_cast<double>(b.units()));

    // Level k starts at (2k-1)/16, i.e. eight times the ratio rounded half up.
    // The thresholds are exact in float, so a ratio on one lands on the higher level.
    int level = 0;
    for (int k = 1; k < kMeterLevels; ++k) {
        if (ratio >= static_cast<float>(2 * k - 1) / 16.0f)
            level = k;
    }
    return level;
}

std::string meterFile(int level)
{
    const int clamped = std::clamp(level, 0, kMeterLevels - 1);
    return "meter" + std::to_string(clamped) + ".jpg";
}

} // namespace ledger
