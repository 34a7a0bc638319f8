#include "toolkit/SystemCodePage.h"

#include <windows.h>

std::optional<unsigned> systemCodePage()
{
    return ::GetACP();
}
