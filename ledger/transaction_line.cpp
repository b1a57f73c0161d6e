#include "transaction_line.h"

namespace ledger {

std::string TransactionLine::text() const
{
    return date + ", $" + amount + ", " + description + ", " + category + ", " + payment;
}

std::optional<TransactionLine> TransactionLine::split(std::string_view line)
{
    TransactionLine result;

    const std::size_t dateEnd = line.find(',');
    if (dateEnd == std::string_view::npos || line.substr(dateEnd, 3) != ", $")
        return std::nullopt;
    result.date = std::string(line.substr(0, dateEnd));
    std::string_view rest = line.substr(dateEnd + 3);

    // The amount stops at the first comma, as lineAmount reads it.
    const std::size_t amountEnd = rest.find(',');
    if (amountEnd == std::string_view::npos || rest.substr(amountEnd, 2) != ", ")
        return std::nullopt;
    result.amount = std::string(rest.substr(0, amountEnd));
    rest = rest.substr(amountEnd + 2);

    const std::size_t descriptionEnd = rest.find(", ");
    if (descriptionEnd == std::string_view::npos)
        return std::nullopt;
    result.description = std::string(rest.substr(0, descriptionEnd));
    rest = rest.substr(descriptionEnd + 2);

    const std::size_t categoryEnd = rest.find(", ");
    if (categoryEnd == std::string_view::npos)
        return std::nullopt;
    result.category = std::string(rest.substr(0, categoryEnd));
    result.payment = std::string(rest.substr(categoryEnd + 2));
    return result;
}

std::optional<Money> lineAmount(std::string_view line)
{
    const std::size_t dollar = line.find('$');
    if (dollar == std::string_view::npos)
        return std::nullopt;
    const std::string_view rest = line.substr(dollar + 1);
    const std::size_t comma = rest.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    return Money::fromText(rest.substr(0, comma));
}

bool isStorableDate(std::string_view date)
{
    return date.find(',') == std::string_view::npos && date.find('$') == std::string_view::npos;
}

bool isStorableDescription(std::string_view description)
{
    return description.find(',') == std::string_view::npos;
}

} // namespace ledger
