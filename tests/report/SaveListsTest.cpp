#include "SaveMessages.h"
#include "support/AppFixture.h"
#include "support/TestFiles.h"

#include "quizfile/QuizFile.h"
#include "quizfile/QuizTestSupport.h"
#include "quiztest/QuizSession.h"
#include "quiztest/frmQ.h"
#include "report/frmReport.h"
#include "support/Controls.h"
#include "toolkit/CrLf.h"
#include "toolkit/TextBox.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

using savemessages::failed;
using savemessages::overwrite;
using savemessages::saved;

const QString kQuitWhileSaving = QStringLiteral(
    "A list is still being saved; Pondera ends once it is saved.\r\n\r\nAre you sure you want to quit the Quiz?");

class SaveLists : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        ASSERT_TRUE(dir.isValid());
        controls().txtQuizFile->setText(dir.filePath(QStringLiteral("words.txt")));
    }

    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir;
};

TEST_F(SaveLists, BothListsGoBesideTheQuizFile)
{
    practiseList().append(QStringLiteral("dog,inu\r\n"));
    correctList().append(QStringLiteral("cat,neko\r\n\"to run, to flee\",hashiru\r\n"));
    p.boxes.expect(MsgAnswer::Ok);
    driver().saveToPractise();
    p.boxes.expect(MsgAnswer::Ok);
    driver().saveCorrect();

    const QString practise = path("words-ReadAgain.csv");
    const QString correct = path("words-AnsweredCorrect.csv");
    EXPECT_EQ(p.boxes.shown, (std::vector<ShownBox>{saved(practise), saved(correct)}));
    EXPECT_EQ(testfiles::read(practise), "dog,inu\r\n\r\n");
    EXPECT_EQ(testfiles::read(correct), "cat,neko\r\n\"to run, to flee\",hashiru\r\n\r\n");
    EXPECT_EQ(reportControls().txtPractise->text(), QStringLiteral("dog,inu\r\n")) << "saving leaves the lists alone";
    EXPECT_EQ(quiz().windowTitle(), QString()) << "the boxes carry the quiz window's empty caption";
}

// What the user typed into a list, and the lines deleted from it, are what
// its file holds.
TEST_F(SaveLists, TheUsersEditsAreSaved)
{
    practiseList().append(QStringLiteral("dog,inu\r\ncat,neko\r\n"));
    TextBox& box = *reportControls().txtPractise;
    box.moveCaretToEnd();
    QTest::keyClicks(&box, QStringLiteral("bird,tori"));
    QTextCursor firstLine(box.document());
    firstLine.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    box.setTextCursor(firstLine);
    QTest::keyClick(&box, Qt::Key_Delete);
    p.boxes.expect(MsgAnswer::Ok);
    driver().saveToPractise();
    EXPECT_EQ(testfiles::read(path("words-ReadAgain.csv")), "cat,neko\r\nbird,tori\r\n");
    EXPECT_EQ(practiseList().text(), QStringLiteral("cat,neko\r\nbird,tori"));
}

// A slow disk holds the save, not the window: the window answers meanwhile
// (the quit question too), both Save buttons are off until the save ends, and
// the same message follows it.
TEST_F(SaveLists, SlowDiskKeepsTheWindowAnswering)
{
    p.background.hold = true;
    practiseList().append(QStringLiteral("dog,inu\r\n"));
    driver().pressReport();
    reportControls().cmdSaveTODO->setFocus();
    driver().saveToPractise();
    EXPECT_TRUE(p.boxes.shown.empty());
    EXPECT_FALSE(reportControls().cmdSaveTODO->isEnabled());
    EXPECT_FALSE(reportControls().cmdSaveCorrect->isEnabled());
    EXPECT_EQ(p.background.held.size(), 1u);

    p.boxes.expect(MsgAnswer::No);
    quiz().cmdClose_Click();
    practiseList().append(QStringLiteral("cat,neko\r\n")); // after the press: not saved
    ASSERT_EQ(p.boxes.shown.size(), 1u);
    EXPECT_EQ(p.boxes.shown.front().prompt, kQuitWhileSaving);

    p.boxes.shown.clear();
    p.boxes.expect(MsgAnswer::Ok);
    p.background.finish();
    EXPECT_EQ(p.boxes.shown, (std::vector<ShownBox>{saved(path("words-ReadAgain.csv"))}));
    EXPECT_EQ(testfiles::read(path("words-ReadAgain.csv")), "dog,inu\r\n\r\n");
    EXPECT_TRUE(reportControls().cmdSaveTODO->isEnabled());
    EXPECT_TRUE(reportControls().cmdSaveCorrect->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), reportControls().cmdSaveTODO) << "the focus comes back to the button";
}

// Quitting while a list is being saved: the question says so, and the program
// ends only once the save has ended and its message, a failure above all, has
// been shown.
TEST_F(SaveLists, QuitDuringASaveWaitsForItsMessage)
{
    const QString readOnly = path("words-ReadAgain.csv");
    ASSERT_TRUE(testfiles::write(readOnly, "kept,item\r\n"));
    ASSERT_TRUE(QFile::setPermissions(readOnly, QFileDevice::ReadOwner));
    p.background.hold = true;
    p.boxes.expect(MsgAnswer::Yes);
    driver().saveToPractise();
    p.boxes.expect(MsgAnswer::Yes);
    quiz().cmdClose_Click();
    EXPECT_EQ(p.end.ends, 0) << "not while the list is being saved";

    p.boxes.expect(MsgAnswer::Ok);
    p.background.finish();
    EXPECT_EQ(p.boxes.shown,
              (std::vector<ShownBox>{
                  overwrite(readOnly),
                  {kQuitWhileSaving, MsgStyle::YesNoStop, QStringLiteral("Pondera")},
                  failed(QStringLiteral("the file \"%1\" is read-only").arg(QDir::toNativeSeparators(readOnly)))}));
    EXPECT_EQ(p.end.ends, 1) << "after the failure was shown";
}

// A whole test with every question left unanswered: the practise list then
// holds every item, and its saved file loads back into the same items.
TEST_F(SaveLists, PractiseListOfAWholeTestLoadsBackIntoTheQuiz)
{
    const QString quizPath = path("words.txt");
    ASSERT_TRUE(testfiles::write(quizPath, "\"to run, to flee\",hashiru\r\n"
                                           "word,\"a, b\"\r\n"
                                           "\"x\",\"yz\"\r\n"
                                           "apple, ringo\r\n"
                                           "\"abc\r\n"
                                           "one\nlong,line\r\n"
                                           ",\r\n"
                                           "\xE3\x82\x80\xE3\x82\x89 (\xE6\x9D\x91),village\xC2\xA0\r\n"));
    driver().load(quizPath);
    ASSERT_EQ(quiz().session().iTotal(), 8);
    driver().pressStart();
    p.boxes.autoOk = true; // the final score
    for (int i = 1; i < 8; ++i)
        driver().pressNext();
    driver().pressNext();
    ASSERT_EQ(quiz().session().iWrong(), 8);

    p.boxes.shown.clear();
    driver().saveToPractise();
    ASSERT_EQ(p.boxes.shown.size(), 1u);
    EXPECT_EQ(p.boxes.shown.front(), saved(path("words-ReadAgain.csv")));

    const auto pairsOf = [](const quizfile::QuizItems& items) {
        std::vector<std::pair<QString, QString>> pairs;
        for (qsizetype i = 1; i <= items.size(); ++i)
            pairs.emplace_back(items.question(i), items.answer(i));
        std::sort(pairs.begin(), pairs.end());
        return pairs;
    };
    const quizfile::ReadResult original = quizfile::loadQuizFile(quizPath);
    const quizfile::ReadResult again = quizfile::loadQuizFile(path("words-ReadAgain.csv"));
    ASSERT_TRUE(original.ok());
    ASSERT_TRUE(again.ok()) << again.error->message.toStdString();
    EXPECT_EQ(pairsOf(again.items), pairsOf(original.items));
    EXPECT_EQ(again.items.size(), 8);
}

// A quiz saved by an old spreadsheet (Shift-JIS here): its results are UTF-8
// with a byte order mark, which spreadsheets need to read them right, and they
// load back into the same items.
TEST_F(SaveLists, ResultsOfAQuizThatWasNotUtf8StartWithAByteOrderMark)
{
    const QString quizPath = path("words.txt");
    ASSERT_TRUE(testfiles::write(quizPath, quiztest_support::cp932("犬,dog\r\n猫,cat\r\nむら (村),village\r\n"
                                                                   "～けん（～軒）,door\r\n")));
    driver().load(quizPath);
    ASSERT_EQ(quiz().session().encoding(), quizfile::TextEncoding::ShiftJis);
    driver().pressStart();
    p.boxes.autoOk = true; // the final score and the save
    for (int i = 0; i < 5; ++i)
        driver().pressNext();
    driver().saveToPractise();

    const QByteArray bytes = testfiles::read(path("words-ReadAgain.csv"));
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF")) << bytes.left(8).toHex().toStdString();
    const quizfile::ReadResult again = quizfile::loadQuizFile(path("words-ReadAgain.csv"));
    ASSERT_TRUE(again.ok());
    EXPECT_EQ(again.encoding, quizfile::TextEncoding::Utf8WithBom);
    EXPECT_EQ(again.items.size(), 4);
    EXPECT_EQ(driver().practise().count(QStringLiteral("\r\n")), 4);
}

} // namespace
