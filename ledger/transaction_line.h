#pragma once

#include "money.h"

#include <optional>
#include <string>
#include <string_view>

namespace ledger {

// A transaction held as one text line:
//   date ", $" amount ", " description ", " category ", " payment
// Readers find the fields by the commas and the first "$".
struct TransactionLine
{
    std::string date;
    std::string amount; // as typed, without the "$"
    std::string description;
    std::string category;
    std::string payment;

    std::string text() const;

    // Splits at the first four ", " separators (the first one followed by "$");
    // whatever follows the fourth is the payment. Nothing when a separator is
    // missing: such a line cannot be read back.
    static std::optional<TransactionLine> split(std::string_view line);
};

// The amount of a stored line: the text after the first "$" up to the next ",",
// as money. Nothing when there is no "$", no comma after it, or the text between
// them is not numeric.
std::optional<Money> lineAmount(std::string_view line);

// True when a date could be stored without breaking the read-back of its line.
bool isStorableDate(std::string_view date);
// True when a description could be stored without breaking the read-back of its line.
bool isStorableDescription(std::string_view description);

} // namespace ledger
