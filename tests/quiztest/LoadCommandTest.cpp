#include "support/AppFixture.h"
#include "support/TestFiles.h"

#include "quiztest/QuizFileCommands.h"
#include "quiztest/QuizSession.h"
#include "quiztest/frmQ.h"
#include "support/Controls.h"
#include "toolkit/FileNames.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

class LoadCommand : public AppFixture {
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(testfiles::write(path, bytes));
        return path;
    }

    QString items(int count, const QString& name = QStringLiteral("quiz.csv"))
    {
        QByteArray bytes;
        for (int i = 1; i <= count; ++i)
            bytes += "q" + QByteArray::number(i) + ",a" + QByteArray::number(i) + "\r\n";
        return write(name, bytes);
    }

    void load(const QString& path) { driver().load(path); }

    bool readyState()
    {
        return controls().cmdStart->isVisible() && controls().cmdStart->isEnabled() && !controls().cmdNext->isVisible();
    }

    bool startUpLook()
    {
        return controls().cmdStart->isVisible() && !controls().cmdStart->isEnabled() &&
               !controls().cmdNext->isVisible() && !controls().Frame1->isEnabled() && !controls().Frame2->isEnabled() &&
               !controls().Frame4->isEnabled();
    }

    // As Start leaves the window, without drawing a question.
    void pretendTestRunning()
    {
        quiz().session().start();
        quiz().setTestControlsEnabled(true);
    }

    ShownBox box(const QString& prompt, MsgStyle style) const { return {prompt, style, QStringLiteral("Pondera")}; }

    // Drags `data` into `target` as a file manager does and drops it there
    // if the drag is taken; whether the drop was taken.
    bool dragAndDrop(QWidget& target, QMimeData& data)
    {
        const QPoint at = target.rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &enter);
        if (!enter.isAccepted())
            return false;
        QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &drop);
        settle();
        return drop.isAccepted();
    }

    // A file named on the command line, or dropped onto the window or the
    // file box.
    enum class Way { CommandLine, DropOnWindow, DropOnFileBox };
    void open(Way way, const QString& path)
    {
        if (way == Way::CommandLine) {
            quiz().openQuizFile(path);
            return;
        }
        QMimeData data;
        // As a file manager writes it: the name's bytes percent-encoded.
#ifdef Q_OS_WIN
        data.setUrls({QUrl::fromLocalFile(path)});
#else
        data.setUrls({QUrl::fromEncoded("file://" + filenames::encode(path).toPercentEncoding("/"))});
#endif
        QWidget& target = way == Way::DropOnWindow ? static_cast<QWidget&>(quiz()) : *controls().txtQuizFile;
        EXPECT_TRUE(dragAndDrop(target, data));
    }

    QTemporaryDir dir;
};

// What Load asks and says, and the items it keeps, are QuizFileCommandsTest's;
// these are what the window shows of it, and the ways a file comes in.

TEST_F(LoadCommand, FourOrMoreItemsMakeTheWindowReady)
{
    load(items(4));
    EXPECT_TRUE(p.boxes.shown.empty());
    EXPECT_EQ(controls().lblAsking->text(), QStringLiteral(" 0 / 4"));
    EXPECT_EQ(controls().lblScore->text(), QStringLiteral("Score = 00.00 %"));
    EXPECT_EQ(controls().lblCorrect->text(), QStringLiteral(" 0"));
    EXPECT_TRUE(readyState());
    EXPECT_EQ(QApplication::focusWidget(), controls().cmdStart);
    EXPECT_EQ(session().loadedPath(), controls().txtQuizFile->text());
}

TEST_F(LoadCommand, FewerThanFourItemsCannotStartATest)
{
    const struct {
        const char* bytes;
        const char* progress;
    } cases[] = {{"a,1\r\nb,2\r\nc,3\r\n", " 0 / 3"}, {"", " 0 / 0"}, {"   \r\n \r\n", " 0 / 0"}};
    int n = 0;
    for (const auto& c : cases) {
        p.boxes.expect(MsgAnswer::Ok);
        load(write(QStringLiteral("few%1.csv").arg(++n), c.bytes));
        EXPECT_EQ(controls().lblAsking->text(), QString::fromLatin1(c.progress));
        EXPECT_EQ(p.boxes.shown.size(), std::size_t(n));
        EXPECT_TRUE(startUpLook());
    }
}

TEST_F(LoadCommand, SamePathAgainIsRefused)
{
    const QString path = items(5);
    load(path);
    p.boxes.expect(MsgAnswer::Ok);
    load(path);
    EXPECT_EQ(p.boxes.shown.size(), 1u);
    EXPECT_TRUE(readyState());
}

TEST_F(LoadCommand, LoadDuringATestAsksFirst)
{
    const QString first = items(4, QStringLiteral("first.csv"));
    const QString second = items(6, filenames::decode("second-caf\xE9.csv"));
    load(first);
    pretendTestRunning();

    p.boxes.expect(MsgAnswer::No);
    load(second);
    EXPECT_EQ(p.boxes.shown.size(), 1u);
    EXPECT_EQ(controls().txtQuizFile->text(), first) << "the path of the last load attempt returns";
    EXPECT_EQ(session().iTotal(), 4);
    EXPECT_FALSE(controls().cmdStart->isVisible());
    EXPECT_TRUE(controls().Frame2->isEnabled());

    p.boxes.expect(MsgAnswer::Yes);
    load(second);
    EXPECT_EQ(p.boxes.shown.size(), 2u);
    EXPECT_EQ(session().iTotal(), 6);
    EXPECT_TRUE(readyState());
    EXPECT_FALSE(controls().Frame2->isEnabled());
}

// A file on a stalled share holds the read, not the window: the quit question
// answers, nothing of the cancelled test can be answered or begun, and a
// second Load takes the first one's place.
TEST_F(LoadCommand, SlowDiskKeepsTheWindowAnswering)
{
    load(items(4, QStringLiteral("first.csv")));
    driver().pressStart();
    p.background.hold = true;
    p.boxes.expect(MsgAnswer::Yes); // cancel the test
    load(items(6, QStringLiteral("slow.csv")));
    EXPECT_EQ(p.background.held.size(), 1u);
    EXPECT_FALSE(controls().cmdNext->isEnabled());
    EXPECT_FALSE(controls().cmdStart->isEnabled());
    EXPECT_TRUE(controls().cmdLoad->isEnabled());
    quiz().Form_KeyPress('1');
    EXPECT_EQ(session().iCorrect() + session().iWrong(), 0) << "the keys answer nothing while a file is read";

    p.boxes.expect(MsgAnswer::No);
    quiz().cmdClose_Click();
    EXPECT_EQ(p.boxes.shown.back().prompt, QStringLiteral("Are you sure you want to quit the Quiz?"));

    const QString other = items(5, QStringLiteral("other.csv"));
    load(other);
    EXPECT_EQ(p.boxes.shown.size(), 2u) << "no test is in progress to ask about";
    p.background.finish();
    EXPECT_EQ(p.boxes.shown.size(), 2u);
    EXPECT_EQ(session().iTotal(), 5) << "the first load's outcome is dropped";
    EXPECT_EQ(session().loadedPath(), other);
    EXPECT_TRUE(readyState());
    EXPECT_TRUE(controls().cmdNext->isEnabled());
}

// As if the path were typed into the box and Load pressed, whichever way it came.
TEST_F(LoadCommand, FileOpenedOrDroppedLoadsAsLoadDoes)
{
    int n = 0;
    for (const Way way : {Way::CommandLine, Way::DropOnWindow, Way::DropOnFileBox}) {
        SCOPED_TRACE(static_cast<int>(way));
        // A name in Latin-1, as old archives have them, loads as well.
        const QString first = items(4, QStringLiteral("first%1-caf").arg(++n) + filenames::decode("\xE9.csv"));
        const QString second = items(6, QStringLiteral("second%1.csv").arg(n));
        open(way, first);
        EXPECT_EQ(controls().txtQuizFile->text(), first);
        EXPECT_TRUE(readyState());
        EXPECT_EQ(controls().lblAsking->text(), QStringLiteral(" 0 / 4"));
        EXPECT_EQ(QApplication::focusWidget(), controls().cmdStart);
        EXPECT_TRUE(p.boxes.shown.empty());

        pretendTestRunning();
        p.boxes.expect(MsgAnswer::No);
        open(way, second);
        ASSERT_EQ(p.boxes.shown.size(), 1u);
        EXPECT_EQ(p.boxes.shown[0], box(second + QStringLiteral("\r\nTest is in progress!\r\n\r\nAre you sure you want "
                                                                "to cancel this test and load another test"),
                                        MsgStyle::YesNoStop));
        EXPECT_EQ(controls().txtQuizFile->text(), first);
        EXPECT_EQ(session().iTotal(), 4);

        p.boxes.expect(MsgAnswer::Yes);
        open(way, second);
        EXPECT_EQ(session().iTotal(), 6);
        EXPECT_TRUE(readyState());
        p.boxes.shown.clear();
    }
}

// No drop cursor, and nothing changes.
TEST_F(LoadCommand, DropOfAnythingButOneLocalFileIsRefused)
{
    const QString quizFile = items(4);
    const struct {
        const char* what;
        QList<QUrl> urls;
        const char* text;
    } cases[] = {
        {"two files", {QUrl::fromLocalFile(quizFile), QUrl::fromLocalFile(items(5, QStringLiteral("b.csv")))}, ""},
        {"a web address", {QUrl(QStringLiteral("https://example.org/quiz.csv"))}, ""},
        {"a folder", {QUrl::fromLocalFile(dir.path())}, ""},
        {"no address", {}, ""},
        {"text", {}, "/tmp/quiz.csv"}, // the file box takes it as text
    };
    for (const auto& c : cases) {
        QMimeData data;
        if (!c.urls.isEmpty())
            data.setUrls(c.urls);
        if (*c.text)
            data.setText(QString::fromUtf8(c.text));
        EXPECT_FALSE(dragAndDrop(quiz(), data)) << c.what;
        if (!*c.text) {
            EXPECT_FALSE(dragAndDrop(*controls().txtQuizFile, data)) << c.what;
        }
    }
    EXPECT_EQ(controls().txtQuizFile->text(), QStringLiteral("Enter the Quiz Q&A file here"));
    EXPECT_EQ(session().iTotal(), 0);
    EXPECT_TRUE(p.boxes.shown.empty());
}

TEST_F(LoadCommand, FailedLoadThenAnotherFile)
{
    const QString missing = dir.filePath(QStringLiteral("missing.csv"));
    p.boxes.expect(MsgAnswer::Ok);
    load(missing);
    EXPECT_EQ(p.boxes.shown.size(), 1u);
    EXPECT_TRUE(startUpLook());

    load(items(4));
    EXPECT_EQ(p.boxes.shown.size(), 1u);
    EXPECT_TRUE(readyState());
}

TEST_F(LoadCommand, FailingLineKeepsTheItemsBeforeIt)
{
    const QString path = write(QStringLiteral("bad.csv"), "a,1\r\nb,2\r\nno comma here\r\nc,3\r\n");
    p.boxes.expect(MsgAnswer::Ok);
    load(path);
    EXPECT_EQ(p.boxes.shown.size(), 1u);
    EXPECT_EQ(controls().lblAsking->text(), QStringLiteral(" 0 / 0")) << "the captions keep their reset values";
    EXPECT_TRUE(startUpLook()) << "two items cannot make a test";
}

TEST_F(LoadCommand, FailureAfterFourItemsKeepsStartAsItWas)
{
    load(items(4));
    ASSERT_TRUE(readyState());
    p.boxes.expect(MsgAnswer::Ok);
    load(write(QStringLiteral("late.csv"), "a,1\r\nb,2\r\nc,3\r\nd,4\r\ne\r\n"));
    EXPECT_EQ(p.boxes.shown.size(), 1u);
    EXPECT_EQ(session().iTotal(), 4);
    EXPECT_TRUE(readyState());
    EXPECT_FALSE(controls().Frame1->isEnabled());
}

TEST_F(LoadCommand, PathBoxSelectsItsWholeTextOnFocus)
{
    controls().cmdLoad->setFocus();
    controls().txtQuizFile->setText(QStringLiteral("/some/quiz.csv"));
    controls().txtQuizFile->setFocus();
    EXPECT_EQ(controls().txtQuizFile->selectedText(), QStringLiteral("/some/quiz.csv"));
}

TEST_F(LoadCommand, BrowsePutsTheChosenPathInTheBoxAndCancelKeepsTheLastOne)
{
    // A cancel before any choice changes nothing.
    p.dialog.answers.push_back(std::nullopt);
    controls().cmdBrowse->click();
    EXPECT_EQ(controls().txtQuizFile->text(), QStringLiteral("Enter the Quiz Q&A file here"));

    p.dialog.answers.push_back(QStringLiteral("/quizzes/words.csv"));
    controls().cmdBrowse->click();
    EXPECT_EQ(controls().txtQuizFile->text(), QStringLiteral("/quizzes/words.csv"));
    EXPECT_EQ(QApplication::focusWidget(), controls().cmdLoad);

    controls().txtQuizFile->setText(QStringLiteral("typed by hand"));
    controls().txtQuizFile->setFocus();
    p.dialog.answers.push_back(std::nullopt);
    controls().cmdBrowse->click();
    EXPECT_EQ(controls().txtQuizFile->text(), QStringLiteral("/quizzes/words.csv"));
    EXPECT_EQ(QApplication::focusWidget(), controls().cmdLoad);

    // A name of blanks only is no choice.
    controls().txtQuizFile->setText(QStringLiteral("kept"));
    p.dialog.answers.push_back(QStringLiteral("   "));
    controls().cmdBrowse->click();
    EXPECT_EQ(controls().txtQuizFile->text(), QStringLiteral("kept"));

    ASSERT_EQ(p.dialog.filters.size(), 4);
    EXPECT_EQ(p.dialog.filters[0], QStringLiteral("Question & Answer Text files (*.txt);;Question & Answer Comma "
                                                  "Seperated files (*.csv);;All files (*.*)"));
    EXPECT_TRUE(p.boxes.shown.empty());
}

TEST_F(LoadCommand, AltOLoads)
{
    const QString path = items(4);
    controls().txtQuizFile->setText(path);
    controls().txtQuizFile->setFocus();
    QTest::keyClick(controls().txtQuizFile, Qt::Key_O, Qt::AltModifier);
    // An access key clicks its button a moment later, as a visible press.
    EXPECT_TRUE(QTest::qWaitFor([this] { return session().iTotal() == 4; }, 5000));
}

} // namespace
