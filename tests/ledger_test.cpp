#include "category.h"
#include "meter.h"
#include "transaction_line.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace ledger;

TEST(Categories, SeedLedgerAccountsForEveryBudget)
{
    const CategoryTable table = seedCategories();
    std::string summary;
    for (std::size_t i = 0; i < kCategoryCount; ++i) {
        const CategoryRecord& record = table[i];
        SCOPED_TRACE(record.Name);
        EXPECT_EQ(record.Name, categoryNames()[i]);
        summary += record.Name + ' ' + amountText(record.Available) + '/'
            + amountText(record.Budget) + ' ' + std::to_string(lineCount(record)) + ' '
            + meterFile(meterLevel(record.Available, record.Budget)) + ", ";
        // Amounts exactly on the ten-thousandths; every line reads back into its
        // own category; the lines account for what was spent.
        EXPECT_EQ(Money::fromDouble(record.Available).toDouble(), record.Available);
        EXPECT_EQ(Money::fromDouble(record.Budget).toDouble(), record.Budget);
        Money spent;
        for (int n = 0; n < lineCount(record); ++n) {
            const std::string& line = record.Lines[std::size_t(n)];
            const auto fields = TransactionLine::split(line);
            ASSERT_TRUE(fields.has_value()) << line;
            EXPECT_EQ(fields->category + fields->text(), record.Name + line);
            EXPECT_EQ(Money::fromText(fields->amount), lineAmount(line));
            spent = spent + lineAmount(line).value_or(Money());
        }
        EXPECT_EQ(Money::fromDouble(record.Available), Money::fromDouble(record.Budget) - spent);
    }
    EXPECT_EQ(summary,
              "Food 217.12/300 6 meter6.jpg, Electricity 100/100 0 meter8.jpg, Parking 26/50 2 "
              "meter4.jpg, Gas 66.21/100 3 meter5.jpg, Entertainment 82/100 1 meter7.jpg, School "
              "48/100 2 meter4.jpg, Rent 0/1000 1 meter0.jpg, Telephone 100/150 1 meter5.jpg, "
              "Clothing 76.5/100 1 meter6.jpg, ");
    EXPECT_EQ(
        std::vector<std::string>(table[0].Lines.begin(), table[0].Lines.begin() + 6),
        (std::vector<std::string> {
            "5/05/01, $5.50, McDonalds, Food, Cash", "5/10/01, $11.23, CornerBakery, Food, Cash",
            "5/23/01, $13.26, Jewel, Food, Visa", "5/24/01, $4.01, McDonalds, Food, Cash",
            "5/25/01, $41.00, Woodmans, Food, Visa", "5/26/01, $7.88, DonkinNonuts, Food, Cash"}));
    EXPECT_EQ(table[5].Lines[0], "5/02/01, $22.00, Vantree Bookstore, School, Check");
    EXPECT_TRUE(table[9].Name.empty() && table[9].Budget == 0 && lineCount(table[9]) == 0);

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
    for (const auto& [level, file] : {std::pair {0, "meter0.jpg"},
                                      {5, "meter5.jpg"},
                                      {8, "meter8.jpg"},
                                      {-1, "meter0.jpg"},
                                      {9, "meter8.jpg"}})
        EXPECT_EQ(meterFile(level), file);
}

TEST(TransactionLine, ComposeAndSplit)
{
    EXPECT_EQ((TransactionLine {"5/7/01", "5.5", "Pens", "School", "Cash"}.text()),
              "5/7/01, $5.5, Pens, School, Cash");
    EXPECT_EQ((TransactionLine {"5/7/01", "5", "", "Food", ""}.text()), "5/7/01, $5, , Food, ");

    const auto fields = [](const std::string& line) -> std::string {
        const auto t = TransactionLine::split(line);
        if (!t)
            return "unreadable";
        // Whatever reads back composes to the same line.
        EXPECT_EQ(t->text(), line);
        return t->date + '|' + t->amount + '|' + t->description + '|' + t->category + '|'
            + t->payment;
    };
    // clang-format off
    const std::pair<const char*, const char*> lines[] = {
        {"5/7/01, $5.5, Pens, School, Cash", "5/7/01|5.5|Pens|School|Cash"},
        {"5/7/01, $5, , Food, ", "5/7/01|5||Food|"},
        {", $, , , ", "||||"},
        // A payment may hold commas and separators; only ", " ends a description.
        {"5/7/01, $-3, a b, Gas, Visa, split, twice", "5/7/01|-3|a b|Gas|Visa, split, twice"},
        {"5/7/01, $2, a,b, Food, Cash", "5/7/01|2|a,b|Food|Cash"},
        {"5/23/01, $18.79, Mobil, Gas, Credit Card", "5/23/01|18.79|Mobil|Gas|Credit Card"},
        // A comma in the description pushes the rest along; the surplus lands in the payment.
        {"5/7/01, $5, Pens, paper, School, Cash", "5/7/01|5|Pens|paper|School, Cash"},
        {"", "unreadable"},
        {"5/7/01 $5, Pens, School, Cash", "unreadable"}, // no comma after the date
        {"5/7/01, 5, Pens, School, Cash", "unreadable"}, // no "$"
        {"5,7/01, $5, Pens, School, Cash", "unreadable"}, // comma in the date
        {"5/7/01, $1,000, Pens, School, Cash", "unreadable"},
        {"5/7/01,$5, Pens, School, Cash", "unreadable"}, {"5/7/01, $5,Pens, School, Cash", "unreadable"},
        {"5/7/01, $5, Pens", "unreadable"}, {"5/7/01, $5, Pens, School", "unreadable"},
        {"5/7/01, $5, Pens, School,", "unreadable"}, {"5/7/01, $5", "unreadable"},
        {"5/7/01, $", "unreadable"}, {"5/7/01,", "unreadable"}, {",", "unreadable"}};
    // clang-format on
    for (const auto& [line, expected] : lines)
        EXPECT_EQ(fields(line), expected) << line;
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
