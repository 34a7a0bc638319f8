#include "quizfile/QuizItems.h"

#include "QuizTestSupport.h"

#include <gtest/gtest.h>

#include <QString>

#include <stdexcept>
#include <utility>
#include <vector>

using quizfile::QuizItems;
using quiztest_support::items;

namespace {

// Every item reads back as it went in, number 0 is empty, and the numbers
// around 1..size() are refused.
void expectItems(const QuizItems& store, const std::vector<std::pair<QString, QString>>& expected)
{
    ASSERT_EQ(store.size(), static_cast<qsizetype>(expected.size()));
    EXPECT_EQ(store.isEmpty(), expected.empty());
    for (qsizetype i = 1; i <= store.size(); ++i) {
        const auto& [question, answer] = expected[static_cast<std::size_t>(i - 1)];
        EXPECT_EQ(store.question(i), question) << "item " << i;
        EXPECT_EQ(store.answer(i), answer) << "item " << i;
        EXPECT_EQ(store.questionView(i), question) << "item " << i;
        EXPECT_EQ(store.answerView(i), answer) << "item " << i;
    }
    EXPECT_TRUE(store.question(0).isEmpty());
    EXPECT_TRUE(store.answer(0).isEmpty());
    EXPECT_TRUE(store.questionView(0).isEmpty());
    EXPECT_THROW(store.question(-1), std::out_of_range);
    EXPECT_THROW(store.answer(-1), std::out_of_range);
    EXPECT_THROW(store.question(store.size() + 1), std::out_of_range);
    EXPECT_THROW(store.answerView(store.size() + 1), std::out_of_range);
}

TEST(QuizItems, KeepsEveryText)
{
    const auto q = [](const char16_t* text) { return QString::fromUtf16(text); };
    const struct {
        const char* name;
        std::vector<std::pair<QString, QString>> pairs;
    } rows[] = {
        {"no item", {}},
        {"empty question and answer", {{QString(), QString()}}},
        {"empty fields between others", {{q(u"a"), QString()}, {QString(), q(u"b")}, {QString(), QString()}}},
        {"commas and quotes", {{q(u"\"to run, to flee\""), q(u"hashiru")}, {q(u"word"), q(u"\"a, b\"")}}},
        {"Japanese", {{q(u"りんご"), q(u"apple")}, {q(u"～けん（～軒）"), q(u"door")}}},
        {"surrogate pairs", {{q(u"🐕"), q(u"dog 🐕")}, {q(u"𠀋"), q(u"😀😀")}}},
        {"NUL, CR and LF", {{QString::fromUtf16(u"a\0b", 3), q(u"1\n2\r")}}},
        {"the same text twice", {{q(u"x"), q(u"x")}, {q(u"x"), q(u"x")}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        QuizItems store;
        for (const auto& [question, answer] : row.pairs)
            store.append(question, answer);
        expectItems(store, row.pairs);

        // Reserving and squeezing changes nothing that can be read.
        QuizItems reserved;
        reserved.reserve(10, 100);
        for (const auto& [question, answer] : row.pairs)
            reserved.append(question, answer);
        reserved.squeeze();
        expectItems(reserved, row.pairs);
        EXPECT_EQ(reserved, store);
    }
}

// As many items as a quiz may hold, of differing lengths, some empty.
TEST(QuizItems, ManyItems)
{
    constexpr int kCount = 32767;
    std::vector<std::pair<QString, QString>> pairs;
    for (int i = 1; i <= kCount; ++i)
        pairs.emplace_back(i % 7 == 3 ? QString() : QStringLiteral("ことば%1").arg(i),
                           QString(i % 5, QChar(u'a' + i % 26)));

    QuizItems grown;
    for (const auto& [question, answer] : pairs)
        grown.append(question, answer);
    expectItems(grown, pairs);

    QuizItems reserved;
    reserved.reserve(kCount, 10);
    for (const auto& [question, answer] : pairs)
        reserved.append(question, answer);
    reserved.squeeze();
    EXPECT_EQ(reserved, grown);
    EXPECT_EQ(reserved.question(kCount), QStringLiteral("ことば32767"));
    EXPECT_EQ(reserved.answer(kCount), QStringLiteral("hh"));
}

TEST(QuizItems, Equality)
{
    const struct {
        const char* name;
        QuizItems a;
        QuizItems b;
        bool equal;
    } rows[] = {
        {"both empty", items({}), items({}), true},
        {"same items", items({{"a", "1"}, {"b", "2"}}), items({{"a", "1"}, {"b", "2"}}), true},
        {"no item and one empty item", items({}), items({{"", ""}}), false},
        {"one more item", items({{"a", "1"}}), items({{"a", "1"}, {"b", "2"}}), false},
        {"the same text split elsewhere", items({{"ab", "c"}}), items({{"a", "bc"}}), false},
        {"the same texts across items", items({{"a", "b"}, {"c", "d"}}), items({{"a", "bc"}, {"", "d"}}), false},
        {"question and answer swapped", items({{"a", "1"}}), items({{"1", "a"}}), false},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.a == row.b, row.equal) << row.name;
        EXPECT_EQ(row.b == row.a, row.equal) << row.name;
    }
}

// A copy goes its own way, and a store moved into another one leaves it whole.
TEST(QuizItems, CopyAndMove)
{
    QuizItems first = items({{"a", "1"}});
    QuizItems copy = first;
    copy.append(u"b", u"2");
    expectItems(first, {{QStringLiteral("a"), QStringLiteral("1")}});
    expectItems(copy, {{QStringLiteral("a"), QStringLiteral("1")}, {QStringLiteral("b"), QStringLiteral("2")}});

    QuizItems target = items({{"old", "item"}, {"x", "y"}, {"z", "w"}});
    target = std::move(copy);
    expectItems(target, {{QStringLiteral("a"), QStringLiteral("1")}, {QStringLiteral("b"), QStringLiteral("2")}});
}

} // namespace
