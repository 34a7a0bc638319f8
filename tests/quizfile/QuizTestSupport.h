#pragma once

// Helpers shared by the tests of the quiz file reader.

#include "quizfile/QuizFileReader.h"

#include <gtest/gtest.h>

#include <QByteArray>
#include <QString>
#include <QStringEncoder>

#include <initializer_list>
#include <ostream>
#include <utility>
#include <vector>

namespace quizfile {

inline void PrintTo(const QuizItem& item, std::ostream* out)
{
    *out << "«" << item.question.toStdString() << "» / «" << item.answer.toStdString() << "»";
}

inline void PrintTo(ReadErrorKind kind, std::ostream* out)
{
    static const char* const names[] = {"NoComma",
                                        "UnclosedQuotedAnswer",
                                        "QuotedQuestionEndsLine",
                                        "LineTooLong",
                                        "TooManyItems",
                                        "BadEncoding",
                                        "FileNotFound",
                                        "NotAFile",
                                        "FileTooLarge",
                                        "PermissionDenied",
                                        "ReadFailed"};
    *out << names[static_cast<int>(kind)];
}

inline void PrintTo(TextEncoding encoding, std::ostream* out)
{
    static const char* const names[] = {"Utf8", "Utf8WithBom", "ShiftJis"};
    *out << names[static_cast<int>(encoding)];
}

} // namespace quizfile

namespace quiztest_support {

using Items = std::vector<quizfile::QuizItem>;

// Items written as UTF-8 pairs.
inline Items items(std::initializer_list<std::pair<const char*, const char*>> pairs)
{
    Items result;
    for (const auto& [question, answer] : pairs)
        result.push_back({QString::fromUtf8(question), QString::fromUtf8(answer)});
    return result;
}

// Bytes of a string literal, embedded NULs and all.
template <std::size_t N> QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

// The text in code page 932, the way a Japanese Windows editor saves it.
inline QByteArray cp932(const char* utf8)
{
    QStringEncoder encoder("windows-31j");
    EXPECT_TRUE(encoder.isValid());
    QByteArray result = encoder.encode(QString::fromUtf8(utf8));
    EXPECT_FALSE(encoder.hasError()) << utf8;
    return result;
}

} // namespace quiztest_support
