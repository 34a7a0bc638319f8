#pragma once

#include "quiztest/RandomSource.h"

#include <cstdint>

// The program's one pseudo-random generator: splitmix64 (Steele, Lea and
// Flood), 64 bits of state. It starts in the same state on every run; only a
// reseed brings the clock in. Not copyable: a copy would replay the draws of
// the original.
class RandomGenerator final : public RandomSource {
public:
    // The fixed state every run starts from.
    RandomGenerator();
    // A chosen state, for tests and benchmarks.
    explicit RandomGenerator(std::uint64_t state);

    RandomGenerator(const RandomGenerator&) = delete;
    RandomGenerator& operator=(const RandomGenerator&) = delete;

    float draw() override;
    void reseed(double clockReading) override;

    // The draw made from 64 random bits: their top 24 bits as a fraction of
    // 2^24. Exact in single precision, so the largest value is 1 − 2^−24 and
    // rounding can never reach 1.
    static float unitFromBits(std::uint64_t bits);

private:
    std::uint64_t next();

    std::uint64_t m_state;
};
