#pragma once

// What the drawing needs from a pseudo-random generator. RandomGenerator is
// the program's one implementation; tests substitute scripted draws.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    // A single-precision value r with 0 ≤ r < 1, uniformly distributed.
    virtual float draw() = 0;

    // Mixes a clock reading into the state. The new state depends on both
    // the reading and the old state, so reseeding twice within one tick of
    // the clock does not repeat a draw.
    virtual void reseed(double clockReading) = 0;
};
