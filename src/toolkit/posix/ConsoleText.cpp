#include "toolkit/ConsoleText.h"

#include <QString>

#include <cstdio>

void writeConsoleText(ConsoleStream stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream == ConsoleStream::Output ? stdout : stderr);
}
