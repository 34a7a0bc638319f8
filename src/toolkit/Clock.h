#pragma once

// The time of day, the only clock the program reads. An interface so that
// tests can script the readings.
class Clock {
public:
    virtual ~Clock() = default;

    // Seconds since midnight, with a fraction, in 0 ≤ t < 86400.
    virtual double secondsSinceMidnight() = 0;
};
