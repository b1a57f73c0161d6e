#include "fuzz_check.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <money.h>
#include <string>

using ledger::Money;

// Text to money: the numeric texts (a sign, digits with at most one point) in range convert,
// which fewer than eleven whole digits always are. Its own text, its double
// and a trailing zero or a sign lead back to the amount.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size), digits = "0123456789";
    const auto money = Money::fromText(text);
    const std::size_t body = size > 0 && (text[0] == '+' || text[0] == '-');
    const std::size_t point = std::min(text.find('.'), size);
    const std::size_t whole = point - std::min(text.find_first_not_of('0', body), point);
    const bool shaped = text.find_first_not_of(digits + ".", body) == std::string::npos
        && text.find_first_of(digits) != std::string::npos && text.rfind('.') == text.find('.');
    FUZZ_CHECK(ledger::isNumeric(text) == shaped);
    FUZZ_CHECK(money ? shaped && money->inRange() : !shaped || whole >= 11);
    if (!money)
        return 0;
    FUZZ_CHECK(Money::fromText(money->text()) == money);
    FUZZ_CHECK(Money::fromDouble(money->toDouble()) == *money);
    FUZZ_CHECK(ledger::amountText(money->toDouble()) == money->text());
    FUZZ_CHECK(Money::fromText(text + (point == size ? ".0" : "0")) == money);
    FUZZ_CHECK(body || Money::fromText("+" + text) == money);
    FUZZ_CHECK(body || Money::fromText("-" + text) == Money() - *money);
    return 0;
}
