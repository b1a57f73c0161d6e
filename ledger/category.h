#pragma once

#include <array>
#include <string>
#include <string_view>

namespace ledger {

inline constexpr int kCategoryCount = 9;
// Slot 11 is never filled, so a full category still ends in an empty slot.
inline constexpr int kLineSlots = 12;
inline constexpr int kMaxLines = 11;

// One spending category. A plain record: the window reads and writes it directly.
struct CategoryRecord
{
    std::string Name;
    double Available = 0;
    double Budget = 0;
    // Filled slots run without a gap from slot 0; "" marks a free slot.
    std::array<std::string, kLineSlots> Lines;
};

// Indices 0 to 8 in the fixed category order; index 9 exists but is never used.
using CategoryTable = std::array<CategoryRecord, 10>;

// "Food", "Electricity", ... in category order, the item order of every category list.
const std::array<std::string_view, kCategoryCount>& categoryNames();

// The sample ledger every start begins from.
CategoryTable seedCategories();

// Number of filled slots (the index of the first empty one).
int lineCount(const CategoryRecord& record);

} // namespace ledger
