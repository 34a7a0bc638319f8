#pragma once

#include "quiztest/DrawnNumbers.h"

#include <cstdint>

class AskOrder;
class Clock;
class RandomSource;

// The random drawing of a test: the next question, the arrangement of the
// answer slots and the wrong candidates. Whole numbers are 16-bit; Upper
// always comes before Lower.
namespace randomdraw {

// Reseeds the generator from the clock, draws r and returns
// floor((Upper − Lower + 1) × r + Lower), the span in 16-bit arithmetic.
// Upper ≥ Lower gives every value of Lower..Upper with the same chance;
// Upper < Lower − 1 gives Upper + 1 .. Lower − 1, and Lower itself only when
// r is exactly 0. Any overflow gives 1.
std::int16_t RandomNumber(std::int16_t Upper, std::int16_t Lower, RandomSource& generator, Clock& clock);

// HowMany values drawn by position from the pool Lower..Upper (ascending),
// from which the entry at position IgnoreMe (counted from 1; 0 for none) is
// removed first. With Unique every drawn entry leaves the pool. Each entry is
// drawn as position RandomNumber(0, Count + 1) of the Count entries left.
// Empty when HowMany exceeds (Upper + 1) − (Lower − 1); the generator is then
// left alone. Failure on an overflow, on an IgnoreMe that is no position of
// the pool, on a drawn position the pool does not have, and for a negative
// HowMany; a HowMany of 0 gives an empty list. The size check and Count + 1
// are computed in 32 bits, so that ranges reaching 32767 or −32768 (the wrong
// candidates of a 32767-item quiz) are drawn from instead of overflowing;
// everywhere else the result is what 16-bit arithmetic gives.
DrawnNumbers RandomNumbers(std::int16_t Upper, std::int16_t Lower, std::int16_t HowMany, bool Unique, int IgnoreMe,
                           RandomSource& generator, Clock& clock);

// A question number of 1..iTotal not yet in the asking order, by plain
// rejection without reseeding. Loops for ever when every number is asked,
// so call it only while iAsked < iTotal.
std::int16_t DrawUnaskedQuestion(std::int16_t iTotal, const AskOrder& askOrder, RandomSource& generator);

} // namespace randomdraw
