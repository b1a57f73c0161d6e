#include "money.h"

#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

using ledger::Money;

namespace {
constexpr std::int64_t kMax = Money::kMaxUnits;
}

TEST(Money, FromDoubleRoundsTheExactBinaryValueHalfToEven)
{
    const double inf = std::numeric_limits<double>::infinity();
    const struct
    {
        double value;
        std::int64_t units;
    } cases[] = {// clang-format off
        {217.12, 2171200}, {0.1, 1000}, {1.0 / 3, 3333}, {-2.0 / 3, -6667}, {0, 0}, {1e-300, 0},
        // Exact ties in binary.
        {0.03125, 312}, {0.09375, 938}, {-0.15625, -1562}, {12345.96875, 123459688},
        // One ulp either side of a tie; value * 10000 alone rounds both onto the tie.
        {std::nextafter(0.03125, 1.0), 313}, {std::nextafter(0.03125, 0.0), 312},
        // Decimal ties stored a hair above or below: the side decides, not evenness.
        {0.00005, 1}, {0.00025, 3}, {0.00035, 3}, {0.00095, 9}, {2.71825, 27182},
        {99999999999.9999, kMax}, {-99999999999.9999, -kMax},
        // Out of range clamps to the limits; NaN means nothing, so 0.
        {1e11, kMax}, {-1e300, -kMax}, {inf, kMax}, {-inf, -kMax}, {std::nan(""), 0}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(Money::fromDouble(c.value).units(), c.units) << c.value;
}

TEST(Money, NumericTextsAndTheirRoundedValues)
{
    const struct
    {
        const char* text;
        std::int64_t units;
    } numeric[] = {// clang-format off
        {"5", 50000}, {"5.", 50000}, {".5", 5000}, {"-20", -200000}, {"5.50", 55000},
        {"+3", 30000}, {"007", 70000}, {"-0", 0}, {"0.00005", 0}, {"0.00015", 2},
        {"0.000051", 1}, {"0.00025000", 2}, {"2.71825", 27182}, {"-2.71835", -27184},
        {"1.23449999", 12345}, {"000000000000000000001.5", 15000},
        {"99999999999.9999", kMax}, {"-99999999999.9999", -kMax},
        {"99999999999.99990000", kMax}, {"99999999999.99985", kMax - 1}};
    // clang-format on
    for (const auto& c : numeric) {
        EXPECT_TRUE(ledger::isNumeric(c.text)) << c.text;
        EXPECT_EQ(Money::fromText(c.text), Money::fromUnits(c.units)) << c.text;
    }
    // clang-format off
    for (const char* text : {"", " ", " 5", "5 ", "1,000", "$5", "1e5", ".", "-", "+", "+-1",
                             "--1", "5..0", "1.2.3", "0x10", "\xd9\xa5", "5\xd9\xa5",
                             "100000000000", "-100000000000", "99999999999.99991",
                             "99999999999.99994", "-99999999999.99994",
                             "123456789012345678901234567890"}) {
        // clang-format on
        EXPECT_FALSE(ledger::isNumeric(text)) << text;
        EXPECT_FALSE(Money::fromText(text).has_value()) << text;
    }
}

TEST(Money, TextIsTheShortestPlainDecimalAndSurvivesTheWayBack)
{
    const struct
    {
        std::int64_t units;
        const char* text;
    } cases[] = {// clang-format off
        {2171200, "217.12"}, {3000000, "300"}, {765000, "76.5"}, {-125000, "-12.5"}, {0, "0"},
        {1, "0.0001"}, {-5000, "-0.5"}, {10000000, "1000"}, {10203, "1.0203"},
        {kMax, "99999999999.9999"}, {-kMax, "-99999999999.9999"},
        {std::numeric_limits<std::int64_t>::min(), "-922337203685477.5808"}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(Money::fromUnits(c.units).text(), c.text);
    for (const auto& [value, text] : {std::pair {300.0, "300"},
                                      {217.12, "217.12"},
                                      {76.5, "76.5"},
                                      {1000.0, "1000"},
                                      {0.0, "0"},
                                      {300 - 82.88, "217.12"}})
        EXPECT_EQ(ledger::amountText(value), text);

    EXPECT_EQ(Money::fromUnits(2171200).toDouble(), 217.12);
    EXPECT_EQ(Money::fromUnits(-1000).toDouble(), -0.1);
    // Every amount in range survives a double and its text: a walk from one end
    // of the range to the other by an odd stride, so every digit varies.
    for (std::int64_t units = -kMax; units <= kMax; units += kMax / 4999 + 7) {
        const Money money = Money::fromUnits(units);
        ASSERT_EQ(Money::fromDouble(money.toDouble()), money) << units;
        ASSERT_EQ(Money::fromText(money.text()), money) << units;
    }
    EXPECT_EQ(Money::fromDouble(Money::fromUnits(kMax).toDouble()).units(), kMax);
}

TEST(Money, ThousandDimesMakeExactlyOneHundred)
{
    Money sum;
    double viaDouble = 0;
    for (int i = 0; i < 1000; ++i) {
        sum = sum + Money::fromDouble(0.1);
        viaDouble = (Money::fromDouble(viaDouble) + Money::fromDouble(0.1)).toDouble();
    }
    EXPECT_EQ(sum.text(), "100");
    EXPECT_EQ(viaDouble, 100.0);
}
