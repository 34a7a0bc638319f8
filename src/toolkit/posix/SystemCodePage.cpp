#include "toolkit/SystemCodePage.h"

std::optional<unsigned> systemCodePage()
{
    // The locale's charset is UTF-8 on any current system; quiz files in a
    // code page come from elsewhere, and their bytes alone tell which.
    return std::nullopt;
}
