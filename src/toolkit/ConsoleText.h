#pragma once

class QString;

// The streams a person who started the program from a terminal reads.
enum class ConsoleStream { Output, Error };

// Writes `text` to the terminal or console the program was started from, or
// to the file or pipe its output was sent to; nowhere when there is neither.
// For the answers given before any window exists (--help, --version, a
// refused command line).
void writeConsoleText(ConsoleStream stream, const QString& text);
