#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ledger {

// An amount of money as a signed count of ten-thousandths of a dollar. All
// arithmetic on amounts happens here, so no rounding error of double can
// accumulate over many transactions.
class Money
{
public:
    static constexpr std::int64_t kScale = 10000;
    // 99,999,999,999.9999: fifteen significant digits, so every amount in range
    // survives a trip through a double and shows exactly.
    static constexpr std::int64_t kMaxUnits = 999'999'999'999'999;

    constexpr Money() = default;
    static constexpr Money fromUnits(std::int64_t units) { return Money(units); }

    // Nearest ten-thousandth of the double's exact value, ties to even.
    static Money fromDouble(double value);
    // The value of a numeric text (see isNumeric) rounded to the nearest
    // ten-thousandth, ties to even; nothing for any other text or one out of range.
    static std::optional<Money> fromText(std::string_view text);

    constexpr std::int64_t units() const { return m_units; }
    constexpr bool inRange() const { return m_units >= -kMaxUnits && m_units <= kMaxUnits; }

    // Shortest plain decimal text: "217.12", "300", "76.5", "-12.5", "0".
    std::string text() const;
    // The double nearest to text().
    double toDouble() const;

    friend constexpr Money operator+(Money a, Money b) { return Money(a.m_units + b.m_units); }
    friend constexpr Money operator-(Money a, Money b) { return Money(a.m_units - b.m_units); }
    friend constexpr auto operator<=>(Money, Money) = default;

private:
    constexpr explicit Money(std::int64_t units)
        : m_units(units)
    { }

    std::int64_t m_units = 0;
};

// The one rule for which texts are numbers: an optional "+" or "-", then digits
// with at most one decimal point and at least one digit. No blanks, separators,
// currency signs or exponents. Only those within +/-99,999,999,999.9999 are amounts.
bool isNumeric(std::string_view text);

// How a stored amount is shown after the "$": the shortest decimal text of the
// double rounded to four places ("217.12", "1000", "76.5").
std::string amountText(double value);

} // namespace ledger
