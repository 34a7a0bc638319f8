#include "support/ScriptedPlatform.h"

#include <cstdio>
#include <string>

// A benchmark goes on after a box it did not expect; what it measured then
// is suspect, so it says so.
void scriptedUnexpected(const std::string& what)
{
    std::fprintf(stderr, "benchmark: %s\n", what.c_str());
}
