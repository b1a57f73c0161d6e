#include "category.h"
#include "meter.h"
#include "transaction_line.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace ledger;

TEST(Categories, SeedLedger)
{
    const std::vector<std::string_view> names
        = {"Food",   "Electricity", "Parking",   "Gas",     "Entertainment",
           "School", "Rent",        "Telephone", "Clothing"};
    ASSERT_EQ(std::vector<std::string_view>(categoryNames().begin(), categoryNames().end()), names);

    const struct
    {
        double available, budget;
        int lines, meter;
    } expected[kCategoryCount] = {
        {217.12, 300, 6, 6}, {100, 100, 0, 8}, {26, 50, 2, 4},
        {66.21, 100, 3, 5},  {82, 100, 1, 7},  {48, 100, 2, 4},
        {0, 1000, 1, 0},     {100, 150, 1, 5}, {76.5, 100, 1, 6},
    };
    const CategoryTable table = seedCategories();
    for (int i = 0; i < kCategoryCount; ++i) {
        const CategoryRecord& record = table[static_cast<std::size_t>(i)];
        SCOPED_TRACE(record.Name);
        EXPECT_EQ(record.Name, names[static_cast<std::size_t>(i)]);
        EXPECT_EQ(record.Available, expected[i].available);
        EXPECT_EQ(record.Budget, expected[i].budget);
        ASSERT_EQ(lineCount(record), expected[i].lines);
        EXPECT_EQ(meterLevel(record.Available, record.Budget), expected[i].meter);

        // Every line reads back into its own category, and the amounts account for the budget.
        Money spent;
        for (int n = 0; n < lineCount(record); ++n) {
            const std::string& line = record.Lines[static_cast<std::size_t>(n)];
            const auto fields = TransactionLine::split(line);
            ASSERT_TRUE(fields.has_value()) << line;
            EXPECT_EQ(fields->category, record.Name);
            EXPECT_EQ(fields->text(), line);
            const auto amount = lineAmount(line);
            ASSERT_TRUE(amount.has_value()) << line;
            EXPECT_EQ(Money::fromText(fields->amount), amount);
            spent = spent + *amount;
        }
        EXPECT_EQ(Money::fromDouble(record.Available), Money::fromDouble(record.Budget) - spent);
    }
    EXPECT_EQ(table[0].Lines[5], "5/26/01, $7.88, DonkinNonuts, Food, Cash");
    EXPECT_EQ(table[5].Lines[0], "5/02/01, $22.00, Vantree Bookstore, School, Check");
    EXPECT_EQ(table[9].Name, "");
    EXPECT_EQ(table[9].Budget, 0);
    EXPECT_EQ(lineCount(table[9]), 0);

    CategoryRecord full;
    full.Lines.fill("x");
    EXPECT_EQ(lineCount(full), kLineSlots);
    full.Lines[3].clear();
    EXPECT_EQ(lineCount(full), 3);
}

TEST(Meter, LevelsAndThresholds)
{
    const struct
    {
        double available, budget;
        int level;
    } cases[] = {
        {6.25, 100, 1},  {6.24, 100, 0},  {18.75, 100, 2}, {18.74, 100, 1}, {50, 100, 4},
        {93.75, 100, 8}, {93.74, 100, 7}, {100, 100, 8},   {150, 100, 8},   {-5, 100, 0},
        {0, 100, 0},     {5, 0, 0},       {5, -100, 0},    {-5, -100, 0},   {1, 16, 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(meterLevel(c.available, c.budget), c.level) << c.available << " / " << c.budget;

    EXPECT_EQ(meterFile(0), "meter0.jpg");
    EXPECT_EQ(meterFile(5), "meter5.jpg");
    EXPECT_EQ(meterFile(8), "meter8.jpg");
    EXPECT_EQ(meterFile(-1), "meter0.jpg");
    EXPECT_EQ(meterFile(9), "meter8.jpg");
}

TEST(TransactionLine, ComposeAndSplit)
{
    const TransactionLine pens {"5/7/01", "5.5", "Pens", "School", "Cash"};
    EXPECT_EQ(pens.text(), "5/7/01, $5.5, Pens, School, Cash");
    const TransactionLine blanks {"5/7/01", "5", "", "Food", ""};
    EXPECT_EQ(blanks.text(), "5/7/01, $5, , Food, ");

    // Round trips, including a payment that holds commas and separators.
    for (const TransactionLine& original : {
             pens,
             blanks,
             TransactionLine {"", "", "", "", ""},
             TransactionLine {"5/7/01", "-3", "a b", "Gas", "Visa, split, twice"},
             // Only ", " ends a description, so a bare comma in one survives.
             TransactionLine {"5/7/01", "2", "a,b", "Food", "Cash"},
         }) {
        const auto back = TransactionLine::split(original.text());
        ASSERT_TRUE(back.has_value()) << original.text();
        EXPECT_EQ(back->date, original.date);
        EXPECT_EQ(back->amount, original.amount);
        EXPECT_EQ(back->description, original.description);
        EXPECT_EQ(back->category, original.category);
        EXPECT_EQ(back->payment, original.payment);
    }

    const auto gas = TransactionLine::split("5/23/01, $18.79, Mobil, Gas, Credit Card");
    ASSERT_TRUE(gas.has_value());
    EXPECT_EQ(gas->amount, "18.79");
    EXPECT_EQ(gas->payment, "Credit Card");

    // A comma in the description pushes the rest along; the surplus lands in the payment.
    const auto shifted = TransactionLine::split("5/7/01, $5, Pens, paper, School, Cash");
    ASSERT_TRUE(shifted.has_value());
    EXPECT_EQ(shifted->description, "Pens");
    EXPECT_EQ(shifted->category, "paper");
    EXPECT_EQ(shifted->payment, "School, Cash");

    const char* const unreadable[] = {
        "",
        "5/7/01 $5, Pens, School, Cash", // no comma after the date
        "5/7/01, 5, Pens, School, Cash", // no "$"
        "5,7/01, $5, Pens, School, Cash", // comma in the date
        "5/7/01, $1,000, Pens, School, Cash",
        "5/7/01,$5, Pens, School, Cash",
        "5/7/01, $5,Pens, School, Cash",
        "5/7/01, $5, Pens",
        "5/7/01, $5, Pens, School",
        "5/7/01, $5, Pens, School,",
        "5/7/01, $5",
        "5/7/01, $",
        "5/7/01,",
        ",",
    };
    for (const char* line : unreadable)
        EXPECT_FALSE(TransactionLine::split(line).has_value()) << line;
}

TEST(TransactionLine, AmountOfAStoredLine)
{
    EXPECT_EQ(lineAmount("5/05/01, $5.50, McDonalds, Food, Cash"), Money::fromUnits(55000));
    EXPECT_EQ(lineAmount("5/01/01, $1000.00, May Rent, Rent, Check"), Money::fromUnits(10000000));
    EXPECT_EQ(lineAmount("d, $-2.5,"), Money::fromUnits(-25000));

    // A "$" in the date is taken for the amount: the reason such dates are refused.
    EXPECT_EQ(lineAmount("$4, $5, Pens, School, Cash"), Money::fromUnits(40000));
    EXPECT_FALSE(isStorableDate("$4"));
    // Likewise a thousands comma cuts the amount short, so such amounts are not numeric.
    EXPECT_EQ(lineAmount("5/7/01, $1,000, Pens"), Money::fromUnits(10000));
    EXPECT_FALSE(isNumeric("1,000"));

    for (const char* line : {"", "5/7/01, 5, Pens", "5/7/01, $5", "5/7/01, $abc, Pens",
                             "5/7/01, $, Pens", "5/7/01, $ 5, Pens"})
        EXPECT_FALSE(lineAmount(line).has_value()) << line;

    EXPECT_TRUE(isStorableDate("5/7/01"));
    EXPECT_FALSE(isStorableDate("5,7"));
    EXPECT_TRUE(isStorableDescription("Pens and paper"));
    EXPECT_TRUE(isStorableDescription("$5 off"));
    EXPECT_FALSE(isStorableDescription("Pens, paper"));
}
