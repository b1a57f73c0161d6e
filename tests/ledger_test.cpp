// The ledger at the edges of each rule; the fuzz targets and the walk hold the rest.
#include "category.h"
#include "meter.h"
#include "transaction_line.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace ledger;

constexpr std::int64_t kMax = Money::kMaxUnits;

TEST(Money, RoundsToTheNearestTenThousandthTiesToEven)
{
    // Exact binary ties go to even and one ulp either side decides; decimal ties stored a
    // hair above or below go by the side; beyond the range the limits; NaN is nothing.
    // clang-format off
    for (const auto& [value, units] : std::initializer_list<std::pair<double, std::int64_t>> {
             {217.12, 2171200}, {0.03125, 312}, {0.09375, 938}, {-0.15625, -1562}, {std::nextafter(0.03125, 1.0), 313},
             {0.00005, 1}, {0.00035, 3}, {2.71825, 27182}, {99999999999.9999, kMax}, {1e11, kMax},
             {-std::numeric_limits<double>::infinity(), -kMax}, {std::nan(""), 0}})
        EXPECT_EQ(Money::fromDouble(value).units(), units) << value;
    // Texts are read exactly, so their ties go to even.
    for (const auto& [text, units] : std::initializer_list<std::pair<const char*, std::int64_t>> {
             {"5.", 50000}, {".5", 5000}, {"+3", 30000}, {"-0", 0}, {"0.00005", 0}, {"0.00015", 2}, {"0.000051", 1},
             {"-2.71835", -27184}, {"99999999999.9999", kMax}, {"99999999999.99985", kMax - 1}})
        EXPECT_EQ(Money::fromText(text), Money::fromUnits(units)) << text;
    for (const char* text : {"", " ", " 5", "1,000", "$5", "1e5", ".", "-", "+-1", "5..0", "\xd9\xa5",
                             "100000000000", "99999999999.99991", "-99999999999.99994"})
        EXPECT_FALSE(isNumeric(text) || Money::fromText(text)) << text;
    for (const auto& [units, text] : std::initializer_list<std::pair<std::int64_t, const char*>> {
             {2171200, "217.12"}, {3000000, "300"}, {1, "0.0001"}, {-5000, "-0.5"}, {10203, "1.0203"},
             {std::numeric_limits<std::int64_t>::min(), "-922337203685477.5808"}})
        EXPECT_EQ(Money::fromUnits(units).text(), text);
    // clang-format on
    EXPECT_EQ(amountText(300 - 82.88), "217.12");
}

TEST(Meter, EighthsRoundedHalfUpOfAPositiveBudget)
{
    // clang-format off
    for (const auto& [available, budget, level] : std::initializer_list<std::tuple<double, double, int>> {
             {6.25, 100, 1}, {6.24, 100, 0}, {18.75, 100, 2}, {93.75, 100, 8}, {93.74, 100, 7}, {150, 100, 8},
             {-5, 100, 0}, {5, 0, 0}, {5, -100, 0}, {1, 16, 1}})
        EXPECT_EQ(meterLevel(available, budget), level) << available << " of " << budget;
    // clang-format on
}

TEST(TransactionLine, SplitsAtTheFirstFourSeparatorsAndReadsTheAmountAfterTheFirstDollar)
{
    // A payment may hold separators; only ", " ends a description; a comma in the date or
    // the amount, or a missing field, leaves the line unreadable.
    // clang-format off
    for (const auto& [line, fields] : std::initializer_list<std::pair<const char*, const char*>> {
             {"5/7/01, $5, , Food, ", "5/7/01|5||Food|"},
             {"5/7/01, $-3, a,b, Gas, Visa, split, twice", "5/7/01|-3|a,b|Gas|Visa, split, twice"},
             {"5/7/01, $5, Pens, paper, School, Cash", "5/7/01|5|Pens|paper|School, Cash"}, {"", ""},
             {"5/7/01 $5, Pens, School, Cash", ""}, {"5,7/01, $5, Pens, School, Cash", ""},
             {"5/7/01, $1,000, Pens, School, Cash", ""}, {"5/7/01, $5,Pens, School, Cash", ""},
             {"5/7/01, $5, Pens, School", ""}}) {
        const auto t = TransactionLine::split(line);
        EXPECT_EQ(t ? t->date + '|' + t->amount + '|' + t->description + '|' + t->category + '|' + t->payment : "", fields);
    }
    // clang-format on
    // Why dates with a "$", descriptions with a comma and amounts with one are refused.
    EXPECT_EQ(lineAmount("$4, $5, Pens, School, Cash"), Money::fromUnits(40000));
    EXPECT_EQ(lineAmount("5/7/01, $1,000, Pens"), Money::fromUnits(10000));
    for (const char* line :
         {"5/7/01, 5, Pens", "5/7/01, $5", "5/7/01, $abc, Pens", "5/7/01, $ 5, Pens"})
        EXPECT_FALSE(lineAmount(line)) << line;
    EXPECT_FALSE(isStorableDate("$4") || isStorableDate("5,7") || isStorableDescription("a, b"));
    EXPECT_TRUE(isStorableDate("5/7/01") && isStorableDescription("$5 off"));
}

TEST(Categories, TheSeedLedgerAsTheUserFindsIt)
{
    const CategoryTable table = seedCategories();
    std::string counts;
    for (const CategoryRecord& record : table)
        counts += std::to_string(lineCount(record));
    EXPECT_EQ(counts, "6023121110");
}
