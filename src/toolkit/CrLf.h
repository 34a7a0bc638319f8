#pragma once

#include <QString>

// The line break of every text the program builds: list lines, message
// prompts and the quiz files it writes.
inline const QString kCrLf = QStringLiteral("\r\n");
