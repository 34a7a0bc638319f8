#pragma once

#include <cstdint>
#include <vector>

// The asking order of the current test: iAskOrder(1..iAsked) holds the
// question numbers in the order they were shown; position 0 exists, holds 0
// and is never compared. A membership table kept beside it answers
// AlreadyAsked in constant time, which the rejection drawing of the next
// question needs near the end of a long test.
class AskOrder {
public:
    AskOrder();

    // No question of the test asked yet: iAsked = 0. Call wherever iAsked is
    // set back to 0.
    void clear();

    // The next question shown: iAsked grows by one and iAskOrder(iAsked)
    // becomes number. Throws int16::OverflowError past 32767 questions.
    void append(std::int16_t number);

    std::int16_t iAsked() const;

    // iAskOrder(position) for 0..iAsked; throws std::out_of_range otherwise.
    std::int16_t iAskOrder(int position) const;

    // Whether number is among iAskOrder(1..iAsked).
    bool AlreadyAsked(std::int16_t number) const;

private:
    std::vector<std::int16_t> m_iAskOrder;
    std::vector<bool> m_asked; // indexed by number + 32768, so every 16-bit value has a place
};
