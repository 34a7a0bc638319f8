#pragma once

#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <cstdint>
#include <vector>

namespace quizfile {

// The question and answer texts of a loaded quiz, items numbered 1..size() in
// file order. A quiz may hold 32 767 short items, so the texts share one
// buffer instead of being a string each: a string's own overhead would weigh
// more than the words it holds.
class QuizItems {
public:
    // Room for `items` items whose texts hold `textUnits` UTF-16 code units in
    // all, so that appending them never copies the texts.
    void reserve(qsizetype items, qsizetype textUnits);
    // Gives back room that the items leave unused.
    void squeeze();

    // Adds the item number size() + 1. The texts of all items together must
    // stay below 4 Gi code units (std::length_error).
    void append(QStringView question, QStringView answer);

    qsizetype size() const { return static_cast<qsizetype>(m_ends.size() / 2); }
    bool isEmpty() const { return m_ends.empty(); }

    // The texts of item i for i in 1..size(). Number 0 never holds an item and
    // gives empty texts; any other number throws std::out_of_range.
    QString question(qsizetype i) const { return questionView(i).toString(); }
    QString answer(qsizetype i) const { return answerView(i).toString(); }
    // The same without a copy, valid until the items change.
    QStringView questionView(qsizetype i) const { return field(i, 0); }
    QStringView answerView(qsizetype i) const { return field(i, 1); }

    friend bool operator==(const QuizItems&, const QuizItems&) = default;

private:
    // Field 0 (question) or 1 (answer) of item i.
    QStringView field(qsizetype i, qsizetype which) const;

    // Every question and answer, one after the other, in item order.
    QString m_text;
    // Where each field ends in m_text: the question of item i at 2i − 2, its
    // answer at 2i − 1. A field begins where the one before it ends.
    std::vector<std::uint32_t> m_ends;
};

} // namespace quizfile
