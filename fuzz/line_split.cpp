#include "fuzz_check.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <transaction_line.h>

using ledger::TransactionLine;

// Splitting a line: any text either splits or not, and a split joins back into the
// same text; a line made of fields that pass the storing checks splits back into
// exactly those fields, and its amount reads as the amount stored.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (const auto fields = TransactionLine::split(text)) {
        FUZZ_CHECK(fields->text() == text);
        FUZZ_CHECK(fields->date.find(',') == std::string::npos);
        FUZZ_CHECK(fields->amount.find(',') == std::string::npos);
    }

    // The same bytes as five fields, cut at the first four line feeds.
    std::array<std::string, 5> parts;
    std::size_t part = 0;
    for (const char c : text) {
        if (c == '\n' && part < parts.size() - 1)
            ++part;
        else
            parts[part] += c;
    }
    const TransactionLine line {parts[0], parts[1], parts[2], parts[3], parts[4]};
    // The category is always one of the fixed names, none of which holds ", ".
    if (!ledger::isStorableDate(line.date) || !ledger::isNumeric(line.amount)
        || !ledger::isStorableDescription(line.description)
        || line.category.find(", ") != std::string::npos)
        return 0;
    const std::string stored = line.text();
    const auto back = TransactionLine::split(stored);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(back->date == line.date && back->amount == line.amount
               && back->description == line.description && back->category == line.category
               && back->payment == line.payment);
    FUZZ_CHECK(ledger::lineAmount(stored) == ledger::Money::fromText(line.amount));
    return 0;
}
