#include "quiztest/QuizFileCommands.h"

#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

#include "quiztest/QuizSession.h"
#include "quiztest/RandomGenerator.h"
#include "toolkit/FileNames.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <QDir>

#include <optional>
#include <stdexcept>
#include <vector>

namespace {

using Phase = QuizSession::Phase;

// Load pressed with `box` in the file box, which takes what Load gives back.
void pressLoad(QuizFileCommands& commands, QString& box)
{
    if (const std::optional<QString> back = commands.cmdLoad_Click(box, QStringLiteral("Pondera")))
        box = *back;
}

const QString kNotEnough = QStringLiteral("Not enough questions to ask\r\n"
                                          "Question & Answer combination must be more than 4\r\n\r\nLoad another file");

QString alreadyLoaded(const QString& path)
{
    return QStringLiteral("Quiz Question and Answer file \r\n") + filenames::display(path) +
           QStringLiteral("\r\n is already loaded\r\nPress the START button to begin the test\r\n\r\nIf you really "
                          "want to load again, reload the app");
}

QString testInProgress(const QString& path)
{
    return filenames::display(path) + QStringLiteral("\r\nTest is in progress!\r\n\r\nAre you sure you want to cancel "
                                                     "this test and load another test");
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
    // A name's bytes that are not UTF-8 show as U+FFFD in a message.
    const QString six = dir.filePath(filenames::decode("six-caf\xE9.csv"));
    EXPECT_TRUE(testfiles::write(six, "a,1\r\nb,2\r\nc,3\r\nd,4\r\ne,5\r\nf,6\r\n"));
    const QString blank = file("blank.csv", "   \r\n \r\n");
    const QString three = file("three.csv", "a,1\r\nb,2\r\nc,3\r\n");
    const QString lateFail = file("late.csv", "a,1\r\nb,2\r\nc,3\r\nd,4\r\ne\r\n");
    const QString earlyFail = file("early.csv", "a,1\r\nb,2\r\nc\r\n");
    const QString missing = dir.filePath(QStringLiteral("missing.csv"));

    // What was loaded before: `before` is the path loaded first, if any.
    enum class Before { Nothing, Loaded, Running };
    struct Prompt {
        QString text;
        MsgStyle style;
        bool whole = true; // else a part of the prompt, which names a system's cause
    };
    const struct {
        const char* what;
        Before before;
        QString first; // loaded before, when there is a before
        QString path;
        std::vector<MsgAnswer> answers;
        std::vector<Prompt> prompts;
        Phase phase;
        int items;
        QString box; // the file box after
    } rows[] = {
        {"four items", Before::Nothing, {}, four, {}, {}, Phase::Loaded, 4, four},
        {"a missing file",
         Before::Nothing,
         {},
         missing,
         {MsgAnswer::Ok},
         {{QDir::toNativeSeparators(missing), MsgStyle::OkStop, false}},
         Phase::NothingLoaded,
         0,
         missing},
        {"three items",
         Before::Nothing,
         {},
         three,
         {MsgAnswer::Ok},
         {{kNotEnough, MsgStyle::OkStop}},
         Phase::NothingLoaded,
         3,
         three},
        {"blank lines only",
         Before::Nothing,
         {},
         blank,
         {MsgAnswer::Ok},
         {{kNotEnough, MsgStyle::OkStop}},
         Phase::NothingLoaded,
         0,
         blank},
        {"a bad line after four items",
         Before::Loaded,
         four,
         lateFail,
         {MsgAnswer::Ok},
         {{QStringLiteral("line 5"), MsgStyle::OkStop, false}},
         Phase::Loaded,
         4,
         lateFail},
        {"a bad line after two items",
         Before::Loaded,
         four,
         earlyFail,
         {MsgAnswer::Ok},
         {{QStringLiteral("line 3"), MsgStyle::OkStop, false}},
         Phase::NothingLoaded,
         2,
         earlyFail},
        // Nothing was read, so the same path is tried again, and fails again.
        {"a missing file again",
         Before::Loaded,
         missing,
         missing,
         {MsgAnswer::Ok, MsgAnswer::Ok},
         {{QDir::toNativeSeparators(missing), MsgStyle::OkStop, false},
          {QDir::toNativeSeparators(missing), MsgStyle::OkStop, false}},
         Phase::NothingLoaded,
         0,
         missing},
        // Items were read, so the same path counts as loaded.
        {"a bad line's file again",
         Before::Loaded,
         earlyFail,
         earlyFail,
         {MsgAnswer::Ok, MsgAnswer::Ok},
         {{QStringLiteral("line 3"), MsgStyle::OkStop, false}, {alreadyLoaded(earlyFail), MsgStyle::OkInformation}},
         Phase::NothingLoaded,
         2,
         earlyFail},
        {"the loaded file again",
         Before::Loaded,
         six,
         six,
         {MsgAnswer::Ok},
         {{alreadyLoaded(six), MsgStyle::OkInformation}},
         Phase::Loaded,
         6,
         six},
        {"during a test, kept",
         Before::Running,
         four,
         six,
         {MsgAnswer::No},
         {{testInProgress(six), MsgStyle::YesNoStop}},
         Phase::Running,
         4,
         four},
        {"during a test, cancelled",
         Before::Running,
         four,
         six,
         {MsgAnswer::Yes},
         {{testInProgress(six), MsgStyle::YesNoStop}},
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
        for (const MsgAnswer answer : row.answers)
            p.boxes.expect(answer);
        if (row.before != Before::Nothing) {
            box = row.first;
            pressLoad(commands, box);
        }
        if (row.before == Before::Running)
            session.start();
        box = row.path;
        pressLoad(commands, box);
        ASSERT_EQ(p.boxes.shown.size(), row.prompts.size());
        for (std::size_t i = 0; i < row.prompts.size(); ++i) {
            const ShownBox& shown = p.boxes.shown[i];
            const Prompt& expected = row.prompts[i];
            if (expected.whole)
                EXPECT_EQ(shown.prompt, expected.text);
            else
                EXPECT_TRUE(shown.prompt.contains(expected.text) && !shown.prompt.contains(u'\n'))
                    << "in one line: " << shown.prompt.toStdString();
            EXPECT_EQ(shown.style, expected.style);
            EXPECT_EQ(shown.title, QStringLiteral("Pondera"));
        }
        EXPECT_EQ(session.phase(), row.phase);
        EXPECT_EQ(session.iTotal(), row.items);
        EXPECT_EQ(box, row.box);
    }
}

// The items of a load replace all earlier ones, unless it yields none: then
// they are left in place, unread.
TEST(QuizFileCommands, ItemsReplaceTheEarlierOnes)
{
    QTemporaryDir dir;
    ScriptedPlatform p;
    p.boxes.autoOk = true;
    RandomGenerator generator;
    QuizSession session(generator, p.clock);
    QuizFileCommands commands(session, p.platform);
    const auto load = [&](const char* name, const QByteArray& bytes) {
        QString box = dir.filePath(QString::fromLatin1(name));
        ASSERT_TRUE(testfiles::write(box, bytes));
        pressLoad(commands, box);
    };
    load("six.csv", "q1,a1\r\nq2,a2\r\nq3,a3\r\nq4,a4\r\nq5,a5\r\nq6,a6\r\n");
    ASSERT_EQ(session.iTotal(), 6);
    load("blank.csv", "  \r\n");
    EXPECT_EQ(session.iTotal(), 0);
    EXPECT_EQ(session.sQuestions(6), QStringLiteral("q6")) << "left in place, unread";
    EXPECT_EQ(session.sAnswers(6), QStringLiteral("a6"));
    load("other.csv", "x1,y1\r\nx2,y2\r\nx3,y3\r\nx4,\"y, 4\"\r\n");
    EXPECT_EQ(session.iTotal(), 4);
    EXPECT_EQ(session.sQuestions(1), QStringLiteral("x1"));
    EXPECT_EQ(session.sAnswers(4), QStringLiteral("\"y, 4\""));
    EXPECT_TRUE(session.sQuestions(0).isEmpty()) << "index 0 holds no item";
    EXPECT_THROW(session.sQuestions(5), std::out_of_range) << "nothing is left of the six";
    EXPECT_THROW(session.sAnswers(5), std::out_of_range);
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
