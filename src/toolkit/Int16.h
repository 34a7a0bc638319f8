#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>

// Counts, item numbers and positions are 16-bit signed integers. A result
// outside their range is an error the user sees, never a silent wrap-around.
namespace int16 {

class OverflowError : public std::overflow_error {
public:
    OverflowError();
};

// Narrows a wider result to 16 bits or throws OverflowError.
std::int16_t checked(long long value);

std::int16_t add(std::int16_t a, std::int16_t b);
std::int16_t sub(std::int16_t a, std::int16_t b);
std::int16_t mul(std::int16_t a, std::int16_t b);

// The same, with an overflow as no value instead of an exception: for code
// that meets overflow as a matter of course (the draws of the largest quiz
// overflow on every question), where throwing would cost more than the work.
std::optional<std::int16_t> tryChecked(long long value);
std::optional<std::int16_t> tryAdd(std::int16_t a, std::int16_t b);
std::optional<std::int16_t> trySub(std::int16_t a, std::int16_t b);

} // namespace int16
