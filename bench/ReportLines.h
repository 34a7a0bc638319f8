#pragma once

#include <QString>

#include <vector>

// The report's lists at their largest: one line per question of a
// 32 767-item quiz, about 40 characters each.
inline constexpr int kReportLines = 32767;

// Plain lines, lines whose fields hold characters the list box keeps apart (a
// lone LF, U+2028), and plain lines but the first.
enum class Lines { Plain, Special, OneSpecial };

inline std::vector<QString> reportLines(Lines kind)
{
    std::vector<QString> result;
    result.reserve(kReportLines);
    for (int i = 1; i <= kReportLines; ++i) {
        if (kind == Lines::Plain || (kind == Lines::OneSpecial && i != 1))
            result.push_back(QStringLiteral("ことば%1 (言葉),word number %1\r\n").arg(i));
        else
            result.push_back(QStringLiteral("ことば%1\n(言葉),word\u2028number %1\r\n").arg(i));
    }
    return result;
}
