#pragma once

#include "quiztest/DrawnNumbers.h"
#include "quiztest/RandomGenerator.h"
#include "quiztest/RandomSource.h"

#include <cstdint>
#include <ostream>

inline void PrintTo(const DrawnNumbers& drawn, std::ostream* os)
{
    switch (drawn.kind()) {
    case DrawnNumbers::Kind::Empty:
        *os << "Empty";
        return;
    case DrawnNumbers::Kind::Failure:
        *os << "Failure";
        return;
    case DrawnNumbers::Kind::List:
        *os << "List{";
        for (auto v : drawn.values())
            *os << v << ' ';
        *os << '}';
        return;
    }
}

// The real generator, except that every n-th draw is exactly 0: the one draw
// that makes a drawing fail with a list in hand.
class ZeroingSource : public RandomSource {
public:
    ZeroingSource(std::uint64_t seed, int zeroEvery) : m_generator(seed), m_zeroEvery(zeroEvery) {}

    float draw() override
    {
        const float r = m_generator.draw();
        return m_zeroEvery > 0 && ++m_drawn % m_zeroEvery == 0 ? 0.0f : r;
    }
    void reseed(double clockReading) override { m_generator.reseed(clockReading); }

private:
    RandomGenerator m_generator;
    int m_zeroEvery;
    int m_drawn = 0;
};
