#include "quiztest/RandomGenerator.h"

#include <bit>

namespace {

constexpr std::uint64_t kFixedStart = 0x243F6A8885A308D3u; // the first fraction digits of pi
constexpr std::uint64_t kGolden = 0x9E3779B97F4A7C15u;

// splitmix64's output function. It is a bijection, which the reseed relies on.
std::uint64_t mix(std::uint64_t z)
{
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

} // namespace

RandomGenerator::RandomGenerator() : m_state(kFixedStart) {}

RandomGenerator::RandomGenerator(std::uint64_t state) : m_state(state) {}

float RandomGenerator::draw()
{
    return unitFromBits(next());
}

void RandomGenerator::reseed(double clockReading)
{
    // For a given reading this maps old states one-to-one onto new ones, so
    // two reseeds within one clock tick from different states (any draw in
    // between moves the state) cannot land on the same state.
    m_state = mix(m_state ^ mix(std::bit_cast<std::uint64_t>(clockReading) + kGolden));
}

float RandomGenerator::unitFromBits(std::uint64_t bits)
{
    return static_cast<float>(bits >> 40) * 0x1.0p-24f;
}

std::uint64_t RandomGenerator::next()
{
    m_state += kGolden;
    return mix(m_state);
}
