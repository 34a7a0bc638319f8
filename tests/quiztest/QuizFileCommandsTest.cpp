#include "quiztest/QuizFileCommands.h"

#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

#include "quiztest/QuizSession.h"
#include "quiztest/RandomGenerator.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <optional>
#include <vector>

namespace {

using Phase = QuizSession::Phase;

// Load pressed with `box` in the file box, which takes what Load gives back.
void pressLoad(QuizFileCommands& commands, QString& box)
{
    if (const std::optional<QString> back = commands.cmdLoad_Click(box, QStringLiteral("Pondera")))
        box = *back;
}

// Load's rules without a window: what it asks, what it says, the items it
// keeps and what can begin after it, for each state a load can start from.
TEST(QuizFileCommands, LoadAsksSaysKeepsAndOffersAsTheStateWants)
{
    QTemporaryDir dir;
    const auto file = [&](const char* name, const QByteArray& bytes) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        EXPECT_TRUE(testfiles::write(path, bytes));
        return path;
    };
    const QString four = file("four.csv", "a,1\r\nb,2\r\nc,3\r\nd,4\r\n");
    const QString six = file("six.csv", "a,1\r\nb,2\r\nc,3\r\nd,4\r\ne,5\r\nf,6\r\n");
    const QString three = file("three.csv", "a,1\r\nb,2\r\nc,3\r\n");
    const QString lateFail = file("late.csv", "a,1\r\nb,2\r\nc,3\r\nd,4\r\ne\r\n");
    const QString earlyFail = file("early.csv", "a,1\r\nb,2\r\nc\r\n");
    const QString missing = dir.filePath(QStringLiteral("missing.csv"));

    enum class Before { Nothing, Loaded, Running };
    const struct {
        const char* what;
        Before before;
        QString path;
        std::vector<MsgAnswer> answers;
        std::vector<const char*> prompts; // a part of each box shown
        Phase phase;
        int items;
        QString box; // the file box after
    } rows[] = {
        {"four items", Before::Nothing, four, {}, {}, Phase::Loaded, 4, four},
        {"a missing file",
         Before::Nothing,
         missing,
         {MsgAnswer::Ok},
         {"the file \""},
         Phase::NothingLoaded,
         0,
         missing},
        {"three items",
         Before::Nothing,
         three,
         {MsgAnswer::Ok},
         {"Not enough questions"},
         Phase::NothingLoaded,
         3,
         three},
        {"a bad line after four items",
         Before::Loaded,
         lateFail,
         {MsgAnswer::Ok},
         {"line 5"},
         Phase::Loaded,
         4,
         lateFail},
        {"a bad line after two items",
         Before::Loaded,
         earlyFail,
         {MsgAnswer::Ok},
         {"line 3"},
         Phase::NothingLoaded,
         2,
         earlyFail},
        {"the loaded file again",
         Before::Loaded,
         four,
         {MsgAnswer::Ok},
         {"Quiz Question and Answer file"},
         Phase::Loaded,
         4,
         four},
        {"during a test, kept",
         Before::Running,
         six,
         {MsgAnswer::No},
         {"six.csv\r\nTest is in progress!"},
         Phase::Running,
         4,
         four},
        {"during a test, cancelled",
         Before::Running,
         six,
         {MsgAnswer::Yes},
         {"six.csv\r\nTest is in progress!"},
         Phase::Loaded,
         6,
         six},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ScriptedPlatform p;
        RandomGenerator generator;
        QuizSession session(generator, p.clock);
        QString box;
        QuizFileCommands commands(session, p.platform);
        if (row.before != Before::Nothing) {
            box = four;
            pressLoad(commands, box);
            ASSERT_EQ(session.phase(), Phase::Loaded);
        }
        if (row.before == Before::Running)
            session.start();
        for (const MsgAnswer answer : row.answers)
            p.boxes.expect(answer);
        box = row.path;
        pressLoad(commands, box);
        ASSERT_EQ(p.boxes.shown.size(), row.prompts.size());
        for (std::size_t i = 0; i < row.prompts.size(); ++i) {
            const QString prompt = p.boxes.shown[i].prompt;
            EXPECT_TRUE(prompt.contains(QString::fromUtf8(row.prompts[i]))) << prompt.toStdString();
            EXPECT_EQ(p.boxes.shown[i].title, QStringLiteral("Pondera"));
        }
        EXPECT_EQ(session.phase(), row.phase);
        EXPECT_EQ(session.iTotal(), row.items);
        EXPECT_EQ(box, row.box);
    }
}

// On a stalled share the read holds nothing: the session is Loading until it
// returns, and a second Load takes the first one's place.
TEST(QuizFileCommands, ALaterLoadTakesTheReadsPlace)
{
    QTemporaryDir dir;
    const QString four = dir.filePath(QStringLiteral("four.csv"));
    const QString five = dir.filePath(QStringLiteral("five.csv"));
    ASSERT_TRUE(testfiles::write(four, "a,1\r\nb,2\r\nc,3\r\nd,4\r\n"));
    ASSERT_TRUE(testfiles::write(five, "a,1\r\nb,2\r\nc,3\r\nd,4\r\ne,5\r\n"));
    ScriptedPlatform p;
    p.background.hold = true;
    RandomGenerator generator;
    QuizSession session(generator, p.clock);
    QuizFileCommands commands(session, p.platform);
    for (QString box : {four, five}) {
        pressLoad(commands, box);
        EXPECT_EQ(session.phase(), Phase::Loading);
        EXPECT_FALSE(session.testRunning());
    }
    p.background.finish();
    EXPECT_TRUE(p.boxes.shown.empty());
    EXPECT_EQ(session.phase(), Phase::Loaded);
    EXPECT_EQ(session.iTotal(), 5);
    EXPECT_EQ(session.loadedPath(), five);
}

} // namespace
