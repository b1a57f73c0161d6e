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
    // Texts are read exactly, so their ties go to even.
    // clang-format off
    for (const auto& [value, units] : std::initializer_list<std::pair<double, std::int64_t>> {{0.03125, 312},
             {0.09375, 938}, {std::nextafter(0.03125, 1.0), 313}, {0.00005, 1}, {0.00035, 3}, {1e11, kMax}, {std::nan(""), 0}})
        EXPECT_EQ(Money::fromDouble(value).units(), units) << value;
    for (const auto& [text, units] : std::initializer_list<std::pair<const char*, std::int64_t>> {{"-0", 0},
             {".5", 5000}, {"0.00005", 0}, {"0.00015", 2}, {"0.000051", 1}, {"99999999999.99985", kMax - 1}})
        EXPECT_EQ(Money::fromText(text), Money::fromUnits(units)) << text;
    for (const char* text : {"", " 5", "1,000", "$5", "1e5", ".", "+-1", "5..0", "\xd9\xa5"})
        EXPECT_FALSE(isNumeric(text) || Money::fromText(text)) << text;
    // Numbers still, but beyond what an amount may be.
    for (const char* text : {"99999999999.99991", "-100000000000", "-99999999999.99994", "1000000000000000000000"})
        EXPECT_TRUE(isNumeric(text) && !Money::fromText(text)) << text;
    // The shortest plain decimals: "0.0001", "-0.5", "300".
    EXPECT_EQ(Money::fromUnits(1).text() + Money::fromUnits(-5000).text() + Money::fromUnits(3000000).text(), "0.0001-0.5300");
    // clang-format on
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

TEST(TransactionLine, ReadsTheAmountAfterTheFirstDollarAndSplitsAtTheFirstFourSeparators)
{
    // Why dates with a "$", descriptions with a comma and amounts with one are refused.
    EXPECT_EQ(lineAmount("$4, $5, Pens, School, Cash"), Money::fromUnits(40000));
    EXPECT_EQ(lineAmount("5/7/01, $1,000, Pens"), Money::fromUnits(10000));
    EXPECT_EQ(TransactionLine::split("5/7/01, $5, Pens, paper, School, Cash")->payment,
              "School, Cash");
    EXPECT_FALSE(isStorableDate("$4") || isStorableDate("5,7") || isStorableDescription("a, b"));
}

// The sample ledger: each category's available amount is its budget less its lines.
TEST(Seed, EachCategoryHasItsBudgetLessItsLinesAvailable)
{
    const CategoryTable seed = seedCategories();
    for (const CategoryRecord& record : seed) {
        Money spent;
        for (int i = 0; i < lineCount(record); ++i)
            spent
                = spent + lineAmount(record.Lines[std::size_t(i)]).value_or(Money::fromUnits(kMax));
        EXPECT_EQ(Money::fromDouble(record.Budget) - spent, Money::fromDouble(record.Available))
            << record.Name;
    }
}
