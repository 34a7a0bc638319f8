#include "quizfile/ResultList.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QString>
#include <QStringList>

#include <random>
#include <tuple>
#include <vector>

namespace {

// Appends and a view's edits, in turn, and the text they leave.
TEST(ResultList, AppendsAndEditsMakeTheText)
{
    using Edit = std::tuple<qsizetype, qsizetype, QStringList>;
    const struct {
        const char* what;
        QStringList appends;
        std::vector<Edit> edits;
        QString text;
        bool refused = false;
    } cases[] = {
        {"empty", {}, {}, QString()},
        {"lines as the test appends them", {"a,b\r\n", "c,d\r\n"}, {}, "a,b\r\nc,d\r\n"},
        {"an append without CR LF stays on its line", {"a", ",b\r\n"}, {}, "a,b\r\n"},
        {"lone CR and LF are no breaks", {"a\rb\nc\r\r\n"}, {}, "a\rb\nc\r\r\n"},
        {"a line typed over", {"a,b\r\n", "c,d\r\n"}, {{1, 1, {"C,D"}}}, "a,b\r\nC,D\r\n"},
        {"Enter splits a line", {"a,b\r\n"}, {{0, 1, {"a", ",b"}}}, "a\r\n,b\r\n"},
        {"lines joined", {"a\r\n", "b\r\n", "c\r\n"}, {{0, 3, {"ac"}}}, "ac\r\n"},
        {"everything deleted", {"a\r\n", "b\r\n"}, {{0, 3, {QString()}}}, QString()},
        {"many lines pasted in the middle",
         {"a\r\n", "z\r\n"},
         {{1, 1, {"b", "c", "d", "z"}}},
         "a\r\nb\r\nc\r\nd\r\nz\r\n"},
        {"an edit past the end is refused", {"a\r\n"}, {{1, 2, {"x"}}}, "a\r\n", true},
        {"a negative count is refused", {"a\r\n"}, {{0, -1, {"x"}}}, "a\r\n", true},
        {"leaving no paragraph is refused", {"a"}, {{0, 1, {}}}, "a", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ResultList list;
        QSignalSpy appended(&list, &ResultList::appended);
        for (const QString& text : c.appends)
            list.append(text);
        EXPECT_EQ(appended.size(), c.appends.size()) << "each append is shown as it came";
        bool accepted = true;
        for (const auto& [first, removed, paragraphs] : c.edits)
            accepted = list.replaceParagraphs(first, removed, paragraphs) && accepted;
        EXPECT_EQ(list.text(), c.text);
        EXPECT_EQ(accepted, !c.refused);
        EXPECT_EQ(list.paragraphCount(), c.text.count(QStringLiteral("\r\n")) + 1);
    }
}

// Random appends and edits against the plainest model of the same rule: a
// list of paragraphs, joined by CR LF. A paragraph may hold a CR LF of its
// own, as one with a line break typed by Shift+Enter does.
TEST(ResultList, KeepsToAListOfParagraphs)
{
    std::mt19937 random(20261209);
    const auto pick = [&](qsizetype n) { return static_cast<qsizetype>(random() % static_cast<unsigned>(n)); };
    const QStringList pieces = {"a,b", "\r\n", "\r", "\n", "言", "x\r\ny", QString()};
    const auto someText = [&] {
        QString text;
        for (qsizetype n = pick(4); n >= 0; --n)
            text += pieces[pick(pieces.size())];
        return text;
    };
    ResultList list;
    QStringList model{QString()};
    for (int step = 0; step < 3000; ++step) {
        if (pick(3) == 0) {
            const QString text = someText();
            list.append(text);
            // Only the breaks within one append start paragraphs.
            const QStringList split = text.split(QStringLiteral("\r\n"));
            model.last() += split.first();
            model.append(split.mid(1));
        } else {
            const qsizetype first = pick(model.size() + 1);
            const qsizetype removed = pick(model.size() - first + 1);
            QStringList paragraphs;
            for (qsizetype n = pick(4); n > 0; --n)
                paragraphs.append(someText().remove(QStringLiteral("\r\n")) + (pick(5) == 0 ? "\r\nz" : ""));
            const bool valid = model.size() - removed + paragraphs.size() >= 1;
            ASSERT_EQ(list.replaceParagraphs(first, removed, paragraphs), valid);
            if (valid) {
                model.remove(first, removed);
                for (qsizetype i = 0; i < paragraphs.size(); ++i)
                    model.insert(first + i, paragraphs.at(i));
            }
        }
        ASSERT_EQ(list.text(), model.join(QStringLiteral("\r\n"))) << "step " << step;
        ASSERT_EQ(list.paragraphCount(), model.size()) << "step " << step;
    }
}

} // namespace
