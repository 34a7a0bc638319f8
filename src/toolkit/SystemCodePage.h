#pragma once

#include <optional>

// The code page the system writes text in for programs that know no Unicode:
// Windows's ANSI code page (1252 on a Western system, 932 on a Japanese
// one). None where the system has none, as on Linux, whose text is UTF-8.
std::optional<unsigned> systemCodePage();
