#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <transaction_line.h>

using ledger::TransactionLine;

// Splitting a line: any text either splits or not, and a split joins back into the same
// text; fields that pass the storing checks make a line that splits back into exactly
// those fields, and whose amount reads as the amount stored.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (const auto fields = TransactionLine::split(text))
        FUZZ_CHECK(fields->text() == text && fields->date.find(',') == std::string::npos
                   && fields->amount.find(',') == std::string::npos);
    // The same bytes as five fields, cut at the first four line feeds.
    TransactionLine line;
    std::string* parts[]
        = {&line.date, &line.amount, &line.description, &line.category, &line.payment};
    std::size_t part = 0;
    for (const char c : text)
        part < 4 && c == '\n' ? void(++part) : parts[part]->push_back(c);
    // The category is always one of the fixed names, none of which holds ", ".
    if (!ledger::isStorableDate(line.date) || !ledger::isNumeric(line.amount)
        || !ledger::isStorableDescription(line.description)
        || line.category.find(", ") != std::string::npos)
        return 0;
    const auto back = TransactionLine::split(line.text());
    FUZZ_CHECK(back && back->date == line.date && back->amount == line.amount
               && back->description == line.description && back->category == line.category
               && back->payment == line.payment);
    FUZZ_CHECK(ledger::lineAmount(line.text()) == ledger::Money::fromText(line.amount));
    return 0;
}
