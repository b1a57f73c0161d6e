#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <transaction_line.h>

// The amount of any text as a stored line: found only after a "$", always in range,
// and, for a line that splits and whose date holds no "$", the amount field's value.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto amount = ledger::lineAmount(text);
    FUZZ_CHECK(!amount || (text.find('$') != std::string::npos && amount->inRange()));
    const auto fields = ledger::TransactionLine::split(text);
    if (fields && fields->date.find('$') == std::string::npos)
        FUZZ_CHECK(amount == ledger::Money::fromText(fields->amount));
    return 0;
}
