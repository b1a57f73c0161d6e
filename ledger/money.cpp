#include "money.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace ledger {

namespace {

constexpr std::int64_t kMaxWhole = Money::kMaxUnits / Money::kScale;

bool isDigit(char c)
{
    // Not std::isdigit: that one follows the locale.
    return c >= '0' && c <= '9';
}

// Rounds the exact value of fraction * 10000 (0 <= fraction < 1) to the nearest
// integer, ties to even. The product of two doubles is exactly p + err, so
// the half-way test can be made without any rounding of its own.
std::int64_t roundFractionUnits(double fraction)
{
    const double scale = static_cast<double>(Money::kScale);
    const double p = fraction * scale;
    const double err = std::fma(fraction, scale, -p);
    const double whole = std::floor(p);
    const double d = p - whole; // exact: p and whole share their leading bits
    const auto base = static_cast<std::int64_t>(whole);

    // |err| is at most half an ulp of p (< 2^-39), so only d near 0.5 is in doubt.
    if (d < 0.25)
        return base;
    if (d > 0.75)
        return base + 1;
    const double t = d - 0.5; // exact (Sterbenz)
    if (t > -err)
        return base + 1;
    if (t < -err)
        return base;
    return base % 2 == 0 ? base : base + 1;
}

struct ParsedText
{
    bool negative = false;
    std::int64_t units = 0;
};

// Parses exactly, digit by digit: a double could not tell "0.00005" from its neighbours.
std::optional<ParsedText> parseText(std::string_view text)
{
    ParsedText result;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        result.negative = text[i] == '-';
        ++i;
    }

    std::int64_t whole = 0;
    std::int64_t fraction = 0;
    int fractionDigits = 0;
    // What the digits past the fourth decimal amount to, compared with one half.
    bool restSeen = false;
    char restFirst = '0';
    bool restNonZeroAfterFirst = false;
    bool anyDigit = false;
    bool pointSeen = false;

    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            if (pointSeen)
                return std::nullopt;
            pointSeen = true;
            continue;
        }
        if (!isDigit(c))
            return std::nullopt;
        anyDigit = true;
        const int digit = c - '0';
        if (!pointSeen) {
            // Checked per digit, so a long run of digits cannot overflow.
            whole = whole * 10 + digit;
            if (whole > kMaxWhole)
                return std::nullopt;
        } else if (fractionDigits < 4) {
            fraction = fraction * 10 + digit;
            ++fractionDigits;
        } else if (!restSeen) {
            restSeen = true;
            restFirst = c;
        } else if (digit != 0) {
            restNonZeroAfterFirst = true;
        }
    }
    if (!anyDigit)
        return std::nullopt;

    for (; fractionDigits < 4; ++fractionDigits)
        fraction *= 10;
    std::int64_t units = whole * Money::kScale + fraction;
    const bool restNonZero = restFirst != '0' || restNonZeroAfterFirst;

    // Range is judged on the exact value, so 99999999999.99994 is out even
    // though it would round to the maximum.
    if (units == Money::kMaxUnits && restNonZero)
        return std::nullopt;

    bool up = false;
    if (restFirst > '5')
        up = true;
    else if (restFirst == '5')
        up = restNonZeroAfterFirst || units % 2 != 0;
    if (up)
        ++units;

    result.units = units;
    return result;
}

} // namespace

Money Money::fromDouble(double value)
{
    if (std::isnan(value))
        return Money();
    const bool negative = value < 0;
    const double magnitude = std::fabs(value);
    // Also catches infinity; the cast below stays far from int64 limits.
    if (magnitude >= static_cast<double>(kMaxWhole + 1))
        return Money(negative ? -kMaxUnits : kMaxUnits);

    const double whole = std::trunc(magnitude);
    std::int64_t units
        = static_cast<std::int64_t>(whole) * kScale + roundFractionUnits(magnitude - whole);
    if (units > kMaxUnits)
        units = kMaxUnits;
    return Money(negative ? -units : units);
}

std::optional<Money> Money::fromText(std::string_view text)
{
    const auto parsed = parseText(text);
    if (!parsed)
        return std::nullopt;
    return Money(parsed->negative ? -parsed->units : parsed->units);
}

std::string Money::text() const
{
    // Unsigned, so even the most negative count has a magnitude.
    const std::uint64_t magnitude = m_units < 0 ? 0 - static_cast<std::uint64_t>(m_units)
                                                : static_cast<std::uint64_t>(m_units);
    const std::uint64_t scale = static_cast<std::uint64_t>(kScale);
    std::string result = m_units < 0 ? "-" : "";
    result += std::to_string(magnitude / scale);

    std::uint64_t fraction = magnitude % scale;
    if (fraction != 0) {
        int digits = 4;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        std::string fractionText = std::to_string(fraction);
        result += '.';
        result.append(static_cast<std::size_t>(digits) - fractionText.size(), '0');
        result += fractionText;
    }
    return result;
}

double Money::toDouble() const
{
    const std::string decimal = text();
    double value = 0;
    std::from_chars(decimal.data(), decimal.data() + decimal.size(), value);
    return value;
}

bool isNumeric(std::string_view text)
{
    const std::size_t body = !text.empty() && (text[0] == '+' || text[0] == '-');
    bool digit = false, point = false;
    for (std::size_t i = body; i < text.size(); ++i) {
        if (text[i] == '.' && !point)
            point = true;
        else if (isDigit(text[i]))
            digit = true;
        else
            return false;
    }
    return digit;
}

std::string amountText(double value)
{
    return Money::fromDouble(value).text();
}

} // namespace ledger
