#include "toolkit/Fonts.h"

#include <fontconfig/fontconfig.h>

std::jthread readFontConfigurationAside()
{
    // Qt takes the configuration that this loads, as fontconfig keeps one.
    return std::jthread([] { FcInit(); });
}

void addBundledFonts()
{
    // The design's faces come with the system's packages.
}
