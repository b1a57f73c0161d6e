#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <money.h>
#include <string>

using ledger::Money;

namespace {

// The shape of the numeric rule, the range left aside: a sign, then digits with
// at most one point.
bool numberShaped(std::string_view text, std::size_t* wholeDigits)
{
    if (!text.empty() && (text[0] == '+' || text[0] == '-'))
        text.remove_prefix(1);
    std::size_t digits = 0, points = 0;
    *wholeDigits = 0;
    bool leading = true; // zeros before the first other digit do not count
    for (const char c : text) {
        if (c == '.') {
            ++points;
        } else if (c >= '0' && c <= '9') {
            ++digits;
            leading = leading && c == '0';
            if (points == 0 && !leading)
                ++*wholeDigits;
        } else {
            return false;
        }
    }
    return points <= 1 && digits > 0;
}

} // namespace

// Text to money: exactly the numeric texts convert; the value is in range; its own
// text, its double and a trailing zero or a sign lead back to it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto money = Money::fromText(text);
    FUZZ_CHECK(money.has_value() == ledger::isNumeric(text));

    std::size_t wholeDigits = 0;
    const bool shaped = numberShaped(text, &wholeDigits);
    FUZZ_CHECK(!money || shaped);
    FUZZ_CHECK(money || !shaped || wholeDigits >= 11);
    if (!money)
        return 0;

    FUZZ_CHECK(money->inRange());
    const std::string shown = money->text();
    FUZZ_CHECK(Money::fromText(shown) == money);
    FUZZ_CHECK(Money::fromDouble(money->toDouble()) == *money);
    FUZZ_CHECK(ledger::amountText(money->toDouble()) == shown);
    FUZZ_CHECK(Money::fromText(text + (text.find('.') == std::string::npos ? ".0" : "0")) == money);
    if (text[0] != '+' && text[0] != '-') {
        FUZZ_CHECK(Money::fromText("+" + text) == money);
        FUZZ_CHECK(Money::fromText("-" + text) == Money() - *money);
    }
    return 0;
}
