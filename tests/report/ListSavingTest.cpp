#include "report/ListSaving.h"

#include "SaveMessages.h"
#include "support/ScriptedPlatform.h"
#include "support/TestFiles.h"

#include "quizfile/ResultList.h"
#include "report/ResultFiles.h"
#include "toolkit/CrLf.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <vector>

#ifndef Q_OS_WIN
#include <unistd.h>
#endif

namespace {

using savemessages::failed;
using savemessages::overwrite;
using savemessages::saved;

// Saving without a window: the names, the questions, the messages and the
// bytes of the result files. The quiz window's caption is empty here, as at
// the program's start.
class ListSavingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        saving.setQuizFilePath(dir.filePath(QStringLiteral("words.txt")));
    }

    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    void savePractise() { saving.saveList(practise, resultfiles::kReadAgainSuffix); }
    void saveCorrect() { saving.saveList(correct, resultfiles::kAnsweredCorrectSuffix); }

    QTemporaryDir dir;
    ScriptedPlatform p;
    ResultList practise;
    ResultList correct;
    ListSaving saving{p.boxes, p.background};
};

// The window is told when the write begins and ends, before its message, and
// when the save is over, after it: the order its buttons and the quit
// question rely on.
TEST_F(ListSavingTest, SignalsFrameTheWriteAndTheMessage)
{
    std::vector<QString> events;
    QObject::connect(&saving, &ListSaving::writing, [&](bool on) { events.push_back(on ? "write" : "written"); });
    QObject::connect(&saving, &ListSaving::saving, [&](bool on) { events.push_back(on ? "save" : "saved"); });
    p.background.hold = true;
    practise.append(QStringLiteral("dog,inu\r\n"));
    savePractise();
    practise.append(QStringLiteral("cat,neko\r\n")); // after the call: not saved
    EXPECT_EQ(events, (std::vector<QString>{"write", "save"}));
    EXPECT_TRUE(p.boxes.shown.empty());

    p.boxes.expect(MsgAnswer::Ok);
    QObject::connect(&saving, &ListSaving::saving, [&] { events.push_back(QString::number(p.boxes.shown.size())); });
    p.background.finish();
    EXPECT_EQ(events, (std::vector<QString>{"write", "save", "written", "saved", "1"}));
    EXPECT_EQ(testfiles::read(path("words-ReadAgain.csv")), "dog,inu\r\n\r\n");
}

TEST_F(ListSavingTest, EmptyListIsOneCrLf)
{
    p.boxes.expect(MsgAnswer::Ok);
    savePractise();
    EXPECT_EQ(testfiles::read(path("words-ReadAgain.csv")), "\r\n");
}

// A relative name, an empty box's above all, is saved in the working folder,
// and the message says where.
TEST_F(ListSavingTest, NamesFollowThePathBoxAsItStandsAtTheSave)
{
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir.path()));
    const struct {
        QString box;
        const char* saved;
    } rows[] = {
        {dir.filePath(QStringLiteral("edited.v2.csv")), "edited.v2-ReadAgain.csv"},
        {QString(), "-ReadAgain.csv"},
        {QStringLiteral("words.txt"), "words-ReadAgain.csv"},
    };
    for (const auto& row : rows) {
        saving.setQuizFilePath(row.box);
        p.boxes.shown.clear();
        p.boxes.expect(MsgAnswer::Ok);
        savePractise();
        EXPECT_EQ(p.boxes.shown, (std::vector<ShownBox>{saved(path(row.saved))})) << row.saved;
        EXPECT_TRUE(QFileInfo::exists(path(row.saved))) << row.saved;
    }
    QDir::setCurrent(before);
    EXPECT_FALSE(QFileInfo::exists(path("words.txt-ReadAgain.csv")));
}

// The overwrite question says whose file another user's is.
TEST_F(ListSavingTest, OverwriteOfAnotherUsersFileNamesItsOwner)
{
#ifdef Q_OS_WIN
    GTEST_SKIP() << "POSIX only: a second user's file needs root and chown";
#else
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to make a second user's file";
    const QString target = path("words-ReadAgain.csv");
    ASSERT_TRUE(testfiles::write(target, "old,item\r\n"));
    ASSERT_EQ(::chown(QFile::encodeName(target).constData(), 54321, 54321), 0);
    p.boxes.expect(MsgAnswer::No);
    savePractise();
    EXPECT_EQ(p.boxes.shown, (std::vector<ShownBox>{{target + kCrLf + QStringLiteral("already exists") + kCrLf +
                                                         QStringLiteral("It belongs to the user number 54321.") +
                                                         kCrLf + kCrLf + QStringLiteral("Do you want to overwrite?"),
                                                     MsgStyle::YesNoStop, QString()}}));
#endif
}

TEST_F(ListSavingTest, OverwriteAsksFirstAndNoKeepsTheFileByteForByte)
{
    const QString target = path("words-ReadAgain.csv");
    const QByteArray before("old,item\r\nwith \xE2\x80\xA8 bytes\r");
    ASSERT_TRUE(testfiles::write(target, before));
    practise.append(QStringLiteral("new,item\r\n"));

    p.boxes.expect(MsgAnswer::No);
    savePractise();
    EXPECT_EQ(p.boxes.shown, (std::vector<ShownBox>{overwrite(target)})) << "nothing more is shown";
    EXPECT_EQ(testfiles::read(target), before);

    p.boxes.shown.clear();
    p.boxes.expect(MsgAnswer::Yes);
    p.boxes.expect(MsgAnswer::Ok);
    savePractise();
    EXPECT_EQ(p.boxes.shown, (std::vector<ShownBox>{overwrite(target), saved(target)}));
    EXPECT_EQ(testfiles::read(target), "new,item\r\n\r\n");
}

TEST_F(ListSavingTest, HiddenFileOfTheNameIsAskedAboutToo)
{
    saving.setQuizFilePath(dir.filePath(QStringLiteral(".words.txt")));
    const QString target = path(".words-ReadAgain.csv");
    ASSERT_TRUE(testfiles::write(target, "kept,item\r\n"));
    p.boxes.expect(MsgAnswer::No);
    savePractise();
    EXPECT_EQ(p.boxes.shown, (std::vector<ShownBox>{overwrite(target)}));
    EXPECT_EQ(testfiles::read(target), "kept,item\r\n");
}

TEST_F(ListSavingTest, FailuresAreReportedAndTouchNothing)
{
    const QString readOnly = path("words-ReadAgain.csv");
    ASSERT_TRUE(testfiles::write(readOnly, "kept,item\r\n"));
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner));
    ASSERT_TRUE(QDir().mkdir(path("words-AnsweredCorrect.csv")));
    practise.append(QStringLiteral("new,item\r\n"));

    p.boxes.expect(MsgAnswer::Yes);
    p.boxes.expect(MsgAnswer::Ok);
    savePractise();
    p.boxes.expect(MsgAnswer::Ok);
    saveCorrect(); // a folder is in the way: no question, the error at once

    const QString folder = path("words-AnsweredCorrect.csv");
    EXPECT_EQ(p.boxes.shown,
              (std::vector<ShownBox>{
                  overwrite(readOnly),
                  failed(QStringLiteral("the file \"%1\" is read-only").arg(QDir::toNativeSeparators(readOnly))),
                  failed(QStringLiteral("\"%1\" is a folder, not a file").arg(QDir::toNativeSeparators(folder)))}));
    EXPECT_EQ(testfiles::read(readOnly), "kept,item\r\n");
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(practise.text(), QStringLiteral("new,item\r\n"));

    p.boxes.shown.clear();
    saving.setQuizFilePath(dir.filePath(QStringLiteral("gone/words.txt")));
    p.boxes.expect(MsgAnswer::Ok);
    savePractise();
    EXPECT_EQ(p.boxes.shown,
              (std::vector<ShownBox>{failed(
                  QStringLiteral("the folder \"%1\" does not exist").arg(QDir::toNativeSeparators(path("gone"))))}));
}

TEST_F(ListSavingTest, OverlongPathIsAnError)
{
    // The path box holds at most 32 767 characters, so the dot's position
    // cannot overflow here; the name is far too long for any file system.
    saving.setQuizFilePath(dir.filePath(QString(40000, u'a') + QStringLiteral(".txt")));
    p.boxes.expect(MsgAnswer::Ok);
    savePractise();
    ASSERT_EQ(p.boxes.shown.size(), 1u);
    EXPECT_TRUE(p.boxes.shown.front().prompt.startsWith(QStringLiteral("There has been a error!") + kCrLf));
    EXPECT_EQ(p.boxes.shown.front().style, MsgStyle::OkInformation);
}

} // namespace
