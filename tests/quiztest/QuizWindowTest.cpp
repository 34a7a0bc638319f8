#include "support/AppFixture.h"

#include "help/frmHelp.h"
#include "quiztest/QuizSession.h"
#include "quiztest/frmQ.h"
#include "report/frmReport.h"
#include "support/Controls.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

namespace {

class QuizWindow : public AppFixture {
protected:
    const ShownBox quitBox{QStringLiteral("Are you sure you want to quit the Quiz?"), MsgStyle::YesNoStop,
                           QStringLiteral("Pondera")};
};

TEST_F(QuizWindow, StartUpState)
{
    EXPECT_EQ(controls().lblScore->text(), QStringLiteral("Score = 00.00 %"));
    EXPECT_EQ(controls().lblAsking->text(), QStringLiteral("0 / 0"));
    EXPECT_EQ(controls().lblCorrect->text(), QStringLiteral("0"));
    EXPECT_TRUE(controls().cmdStart->isVisible());
    EXPECT_FALSE(controls().cmdStart->isEnabled());
    EXPECT_FALSE(controls().cmdNext->isVisible());
    EXPECT_FALSE(controls().Frame1->isEnabled());
    EXPECT_FALSE(controls().Frame2->isEnabled());
    EXPECT_FALSE(controls().Frame4->isEnabled());
    EXPECT_FALSE(controls().chkFastQuiz->isEnabled()) << "the options cannot change before a test";
    EXPECT_FALSE(controls().lblRightAnswer->isVisible());
    EXPECT_FALSE(controls().lblWrong->isVisible());
    EXPECT_EQ(controls().txtQuizFile->text(), QStringLiteral("Enter the Quiz Q&A file here"));
    EXPECT_EQ(reportControls().lblReport->text(), controls().lblScore->text());

    const QuizSession& s = quiz().session();
    EXPECT_EQ(quiz().sTitle(), QStringLiteral("Pondera"));
    EXPECT_EQ(s.iTotal(), 0);
    EXPECT_EQ(s.iAsked(), 0);
    EXPECT_EQ(s.iCorrect(), 0);
    EXPECT_EQ(s.iWrong(), 0);
    EXPECT_TRUE(s.bAnswered());
    EXPECT_FALSE(quiz().bReporting());
    EXPECT_EQ(controls().Option1.Tag(4), QStringLiteral("False"));
}

TEST_F(QuizWindow, DesignGeometryAndTabOrder)
{
    EXPECT_EQ(quiz().size(), QSize(628, 524));
    EXPECT_EQ(controls().Frame2->geometry(), QRect(10, 157, 608, 250));
    EXPECT_EQ(controls().cmdStart->geometry(), controls().cmdNext->geometry());
    EXPECT_EQ(controls().Option1_4->text(), QStringLiteral("Skip"));
    EXPECT_EQ(controls().cmdLoad->text(), QStringLiteral("L&oad"));
    // The picture is the icon's 64-pixel one, drawn into the design's 32.
    EXPECT_EQ(controls().Image1->pixmap().size(), QSize(64, 64));
    EXPECT_EQ(controls().Image1->pixmap().toImage(), quiz().windowIcon().pixmap(64).toImage());
    EXPECT_TRUE(controls().Image1->hasScaledContents());
    // Tab from the file box runs through the design's order of tab stops.
    const QWidget* expected[] = {controls().cmdBrowse, controls().cmdLoad, controls().cmdReport, controls().cmdClose,
                                 controls().cmdHelp};
    QWidget* w = controls().txtQuizFile;
    for (const QWidget* next : expected) {
        do
            w = w->nextInFocusChain();
        while (!w->isEnabled() || !w->isVisibleTo(&quiz()) || !(w->focusPolicy() & Qt::TabFocus) ||
               !quiz().isAncestorOf(w) || !w->window()->isAncestorOf(w));
        EXPECT_EQ(w, next) << w->objectName().toStdString();
    }
}

TEST_F(QuizWindow, ReportTogglesAndFollowsItsOwnHide)
{
    practiseList().append(QStringLiteral("apple,ringo\r\n"));
    correctList().append(QStringLiteral("mura,village\r\n"));

    driver().pressReport();
    EXPECT_TRUE(report().Visible());
    EXPECT_TRUE(quiz().bReporting());
    driver().pressReport();
    EXPECT_FALSE(report().Visible());
    EXPECT_FALSE(quiz().bReporting());

    driver().pressReport();
    reportControls().cmdClose->click(); // its own Hide
    EXPECT_FALSE(report().Visible());
    EXPECT_FALSE(quiz().bReporting());
    EXPECT_EQ(report().childWindow()->borderStyle(), BorderStyle::None);
    driver().pressReport();
    EXPECT_TRUE(report().Visible()) << "shown again at once";

    report().childWindow()->close(); // a close request hides it
    settle();
    EXPECT_FALSE(report().Visible());
    EXPECT_FALSE(quiz().bReporting());
    driver().pressReport();
    EXPECT_TRUE(report().Visible());

    EXPECT_EQ(reportControls().txtPractise->text(), QStringLiteral("apple,ringo\r\n"));
    EXPECT_EQ(reportControls().txtAnsweredCorrect->text(), QStringLiteral("mura,village\r\n"));
}

TEST_F(QuizWindow, CloseAndEscAskTheQuitQuestion)
{
    p.boxes.expect(MsgAnswer::No);
    controls().cmdClose->click();
    EXPECT_EQ(p.end.ends, 0);
    EXPECT_TRUE(quiz().Visible());

    p.boxes.expect(MsgAnswer::No);
    controls().txtQuizFile->setFocus();
    QTest::keyClick(controls().txtQuizFile, Qt::Key_Escape);
    EXPECT_EQ(p.end.ends, 0);

    p.boxes.expect(MsgAnswer::Yes);
    QTest::keyClick(controls().txtQuizFile, Qt::Key_Escape);
    EXPECT_EQ(p.end.ends, 1);
    EXPECT_EQ(p.boxes.shown, (std::vector<ShownBox>(3, quitBox)));
}

TEST_F(QuizWindow, AnyCloseRequestAsksAndNoKeepsItOpen)
{
    p.boxes.expect(MsgAnswer::No);
    frame->mdiArea().setActiveSubWindow(quiz().childWindow());
    frame->mdiArea().closeActiveSubWindow();
    settle();
    EXPECT_TRUE(quiz().Visible());
    EXPECT_EQ(p.boxes.shown, (std::vector<ShownBox>{quitBox}));

    p.boxes.expect(MsgAnswer::Yes);
    quiz().childWindow()->close();
    settle();
    EXPECT_EQ(p.end.ends, 1);
}

TEST_F(QuizWindow, HelpOpensOneWindowAtATime)
{
    controls().cmdHelp->click();
    controls().cmdHelp->click();
    settle();
    int helpWindows = 0;
    for (QMdiSubWindow* w : frame->mdiArea().subWindowList())
        helpWindows += w->findChild<frmHelp*>() != nullptr;
    EXPECT_EQ(helpWindows, 1);
    ASSERT_NE(frmHelp::instance(), nullptr);
    EXPECT_TRUE(quiz().Visible()) << "the quiz window stays usable";
}

// Both windows have an Alt+F: the active one's wins, and neither is lost.
TEST_F(QuizWindow, AccessKeysActInTheActiveWindowOnly)
{
    controls().Frame4->setEnabled(true); // as during a test
    driver().pressReport();
    controls().txtQuizFile->setFocus();
    frame->mdiArea().setActiveSubWindow(quiz().childWindow());
    QTest::keyClick(controls().txtQuizFile, Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([this] { return controls().chkFastQuiz->isChecked(); }, 3000));
}

} // namespace
