#include "category.h"

#include <initializer_list>

namespace ledger {

namespace {

CategoryRecord makeCategory(std::string_view name, double available, double budget,
                            std::initializer_list<std::string_view> lines)
{
    CategoryRecord record;
    record.Name = std::string(name);
    record.Available = available;
    record.Budget = budget;
    std::size_t slot = 0;
    for (std::string_view line : lines)
        record.Lines[slot++] = std::string(line);
    return record;
}

} // namespace

const std::array<std::string_view, kCategoryCount>& categoryNames()
{
    static constexpr std::array<std::string_view, kCategoryCount> names = {
        "Food",   "Electricity", "Parking",   "Gas",      "Entertainment",
        "School", "Rent",        "Telephone", "Clothing",
    };
    return names;
}

CategoryTable seedCategories()
{
    const auto& names = categoryNames();
    CategoryTable table;
    table[0] = makeCategory(names[0], 217.12, 300,
                            {
                                "5/05/01, $5.50, McDonalds, Food, Cash",
                                "5/10/01, $11.23, CornerBakery, Food, Cash",
                                "5/23/01, $13.26, Jewel, Food, Visa",
                                "5/24/01, $4.01, McDonalds, Food, Cash",
                                "5/25/01, $41.00, Woodmans, Food, Visa",
                                "5/26/01, $7.88, DonkinNonuts, Food, Cash",
                            });
    table[1] = makeCategory(names[1], 100, 100, {});
    table[2] = makeCategory(names[2], 26, 50,
                            {
                                "5/13/01, $12.00, Standard Parking, Parking, Cash",
                                "5/20/01, $12.00, Standard Parking, Parking, Cash",
                            });
    table[3] = makeCategory(names[3], 66.21, 100,
                            {
                                "5/02/01, $5.00, Amoco, Gas, Cash",
                                "5/20/01, $10.00, Amoco, Gas, Cash",
                                "5/23/01, $18.79, Mobil, Gas, Credit Card",
                            });
    table[4] = makeCategory(names[4], 82, 100,
                            {
                                "5/17/01, $18.00, Cineplex, Entertainment, Cash",
                            });
    table[5] = makeCategory(names[5], 48, 100,
                            {
                                "5/02/01, $22.00, Vantree Bookstore, School, Check",
                                "5/14/01, $30.00, Vantree Bookstore, School, Check",
                            });
    table[6] = makeCategory(names[6], 0, 1000,
                            {
                                "5/01/01, $1000.00, May Rent, Rent, Check",
                            });
    table[7] = makeCategory(names[7], 100, 150,
                            {
                                "5/15/01, $50.00, April PhoneBill, Telephone, Check",
                            });
    table[8] = makeCategory(names[8], 76.5, 100,
                            {
                                "5/17/01, $23.50, Gap, Clothing, Credit Card",
                            });
    return table;
}

int lineCount(const CategoryRecord& record)
{
    int count = 0;
    while (count < kLineSlots && !record.Lines[static_cast<std::size_t>(count)].empty())
        ++count;
    return count;
}

} // namespace ledger
