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

namespace quizfile {

inline void PrintTo(const QuizItems& items, std::ostream* out)
{
    *out << items.size() << " items";
    for (qsizetype i = 1; i <= items.size(); ++i)
        *out << (i == 1 ? ": " : ", ") << "«" << items.questionView(i).toString().toStdString() << "» / «"
             << items.answerView(i).toString().toStdString() << "»";
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
    *out << displayName(encoding).data();
    if (encoding == TextEncoding::Utf8WithBom)
        *out << " with a byte order mark";
}

} // namespace quizfile

namespace quiztest_support {

using Items = quizfile::QuizItems;

// Items written as UTF-8 pairs.
inline Items items(std::initializer_list<std::pair<const char*, const char*>> pairs)
{
    Items result;
    for (const auto& [question, answer] : pairs)
        result.append(QString::fromUtf8(question), QString::fromUtf8(answer));
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
