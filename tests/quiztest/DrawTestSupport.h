#pragma once

#include "quiztest/DrawnNumbers.h"
#include "quiztest/RandomGenerator.h"
#include "quiztest/RandomSource.h"

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <vector>

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

// The pool as the drawing rule states it, written out and closed up after
// each removal, for checking the fast drawing against. drawPosition(Count)
// draws a position.
template <class DrawPosition>
DrawnNumbers referencePoolDraw(int Upper, int Lower, int HowMany, bool Unique, int IgnoreMe, DrawPosition drawPosition)
{
    if (HowMany < 0)
        return DrawnNumbers::failure();
    std::vector<std::int16_t> pool;
    for (int v = Lower; v <= Upper; ++v)
        pool.push_back(static_cast<std::int16_t>(v));
    if (IgnoreMe != 0) {
        if (IgnoreMe < 1 || IgnoreMe > static_cast<int>(pool.size()))
            return DrawnNumbers::failure();
        pool.erase(pool.begin() + (IgnoreMe - 1));
    }
    std::vector<std::int16_t> list;
    for (int x = 0; x < HowMany; ++x) {
        const int Count = static_cast<int>(pool.size());
        const int p = drawPosition(Count);
        if (p < 1 || p > Count)
            return DrawnNumbers::failure();
        list.push_back(pool[static_cast<std::size_t>(p - 1)]);
        if (Unique)
            pool.erase(pool.begin() + (p - 1));
    }
    return DrawnNumbers::list(list);
}
