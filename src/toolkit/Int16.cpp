#include "toolkit/Int16.h"

#include <limits>

namespace int16 {

OverflowError::OverflowError() : std::overflow_error("Overflow") {}

std::optional<std::int16_t> tryChecked(long long value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

std::optional<std::int16_t> tryAdd(std::int16_t a, std::int16_t b)
{
    return tryChecked(static_cast<long long>(a) + b);
}

std::optional<std::int16_t> trySub(std::int16_t a, std::int16_t b)
{
    return tryChecked(static_cast<long long>(a) - b);
}

std::int16_t checked(long long value)
{
    const std::optional<std::int16_t> narrowed = tryChecked(value);
    if (!narrowed)
        throw OverflowError();
    return *narrowed;
}

std::int16_t add(std::int16_t a, std::int16_t b)
{
    return checked(static_cast<long long>(a) + b);
}

std::int16_t sub(std::int16_t a, std::int16_t b)
{
    return checked(static_cast<long long>(a) - b);
}

std::int16_t mul(std::int16_t a, std::int16_t b)
{
    return checked(static_cast<long long>(a) * b);
}

} // namespace int16
