#pragma once

// Ends the program at once: no close handler runs, nothing is saved.
class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    virtual void End() = 0;
};
