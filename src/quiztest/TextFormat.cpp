#include "quiztest/TextFormat.h"

#include <QString>
#include <QStringList>

#include <cmath>
#include <iterator>

namespace textformat {

QString countText(long long count)
{
    return (count < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + QString::number(count < 0 ? -count : count);
}

QString progressText(long long asked, long long total)
{
    return countText(asked) + QStringLiteral(" /") + countText(total);
}

QString progressName(long long asked, long long total)
{
    return QStringLiteral("Asking question %1 of %2").arg(asked).arg(total);
}

QString correctName(long long count)
{
    return QStringLiteral("Correctly answered %1").arg(count);
}

QStringList questionSaid(long long asked, long long total, const QString& question, const QStringList& candidates)
{
    QStringList said{QStringLiteral("Question %1 of %2: ").arg(asked).arg(total) + question};
    for (qsizetype index = 0; index < candidates.size(); ++index)
        said.append(QStringLiteral("Key %1: ").arg(index + 1) + candidates.at(index));
    return said;
}

QString loadedSaid(long long total)
{
    return QStringLiteral("%1 questions loaded").arg(total);
}

QString rightAnswerSaid(int key, const QString& answer)
{
    return QStringLiteral("The right answer is %1: ").arg(key) + answer;
}

QString optionDescription(int key, OptionMark mark)
{
    const QString keyText = QStringLiteral("key %1").arg(key);
    switch (mark) {
    case OptionMark::Right:
        return keyText + QStringLiteral(", the right answer");
    case OptionMark::WrongChoice:
        return keyText + QStringLiteral(", your wrong choice");
    case OptionMark::None:
        break;
    }
    return keyText;
}

QString twoDecimals(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-Infinity") : QStringLiteral("Infinity");
    const bool negative = std::signbit(value) && value != 0.0;
    const double scaled = std::fabs(value) * 100.0;
    const double below = std::floor(scaled);
    // A score such as 100 ÷ 96 × 3 is 3.125 in exact arithmetic but can land a
    // hair below the half in binary; treat anything that close as the half.
    const double fraction = scaled - below;
    const double tolerance = 1e-9 * std::max(1.0, scaled);
    const double hundredths = fraction >= 0.5 - tolerance ? below + 1.0 : below;
    // Every score of a test, worked in whole numbers: a score is shown after
    // each answer, and formatting a double costs more than the rest of it.
    if (hundredths < 1e15) {
        auto units = static_cast<long long>(hundredths);
        char16_t text[24];
        char16_t* end = text + std::size(text);
        char16_t* at = end;
        *--at = static_cast<char16_t>(u'0' + units % 10);
        *--at = static_cast<char16_t>(u'0' + units / 10 % 10);
        *--at = u'.';
        units /= 100;
        const char16_t* const twoDigits = at - 2;
        do {
            *--at = static_cast<char16_t>(u'0' + units % 10);
            units /= 10;
        } while (units != 0 || at > twoDigits);
        if (negative && hundredths != 0.0)
            *--at = u'-';
        return QString(reinterpret_cast<const QChar*>(at), end - at);
    }
    const double whole = std::floor(hundredths / 100.0);
    const auto cents = static_cast<int>(hundredths - whole * 100.0);
    QString text = QString::number(whole, 'f', 0).rightJustified(2, QLatin1Char('0'));
    text += QLatin1Char('.') + QString::number(cents).rightJustified(2, QLatin1Char('0'));
    return negative && hundredths != 0.0 ? QLatin1Char('-') + text : text;
}

QString scoreText(double score)
{
    return QStringLiteral("Score = ") + twoDecimals(score) + QStringLiteral(" %");
}

double score(int asked, int correct)
{
    return 100.0 / asked * correct;
}

} // namespace textformat
