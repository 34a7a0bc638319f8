#pragma once

#include "toolkit/Clock.h"

// The system's local time of day, to the millisecond.
class QtClock final : public Clock {
public:
    double secondsSinceMidnight() override;
};
