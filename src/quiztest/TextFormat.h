#pragma once

#include <QtContainerFwd>
class QString;

// The number texts the windows show.
namespace textformat {

// A count in a caption: one blank before the digits, a minus sign instead for
// a negative count (" 3", "-3").
QString countText(long long count);

// Progress in a caption: " 3 / 10".
QString progressText(long long asked, long long total);

// What a screen reader says for the counters: "Asking question 3 of 10",
// "Correctly answered 2".
QString progressName(long long asked, long long total);
QString correctName(long long count);

// What a screen reader says when a question is shown, a sentence each: its
// number ("Question 3 of 10: dog"), then each candidate with its key
// ("Key 1: inu").
QStringList questionSaid(long long asked, long long total, const QString& question, const QStringList& candidates);

// What a screen reader says when a load offers Start: "6 questions loaded".
QString loadedSaid(long long total);

// What a screen reader says of the right answer that Show correct answer
// marks: "The right answer is 2: pupil".
QString rightAnswerSaid(int key, const QString& answer);

// An answer option's description for a screen reader: its key, and the mark
// Show correct answer gave it ("key 2, the right answer").
enum class OptionMark { None, Right, WrongChoice };
QString optionDescription(int key, OptionMark mark);

// A number with at least two digits before the point and exactly two after,
// rounded to the nearest hundredth, halfway cases away from zero
// (66.666… → "66.67", 5 → "05.00", 100 → "100.00").
QString twoDecimals(double value);

// "Score = " + twoDecimals(score) + " %".
QString scoreText(double score);

// The score of a test: 100 ÷ asked × correct, in double precision.
double score(int asked, int correct);

} // namespace textformat
