#include "support/AppFixture.h"

#include "quiztest/frmQ.h"
#include "report/frmReport.h"
#include "support/Controls.h"

namespace {

class ReportWindow : public AppFixture {};

TEST_F(ReportWindow, LoadState)
{
    EXPECT_FALSE(report().bDocked());
    EXPECT_EQ(report().iMinHeight(), 4275);
    EXPECT_TRUE(report().bSkipResize());
    EXPECT_FALSE(report().bFullScreen());
    EXPECT_EQ(report().childWindow()->borderStyle(), BorderStyle::FixedToolWindow);
    EXPECT_FALSE(reportControls().cmdDock->isVisibleTo(&report())) << "nothing shows it";
    EXPECT_TRUE(reportControls().txtPractise->text().isEmpty());
    EXPECT_TRUE(reportControls().txtAnsweredCorrect->text().isEmpty());
}

TEST_F(ReportWindow, PlaceBelowQuizTakesTheQuizWindowsLeftWidthAndBottomEdge)
{
    const struct {
        double left, top, width, height;
        double reportTop;
    } cases[] = {
        {555, 350, 9450, 7890, 8218},
        {-975, 350, 9450, 7890, 8218},
        {0, 0, 6000, 3000, 2978},
    };
    for (const auto& c : cases) {
        quiz().moveTwips(c.left, c.top, c.width, c.height);
        frame->placeReportBelowQuiz();
        EXPECT_DOUBLE_EQ(report().leftTwips(), c.left);
        EXPECT_DOUBLE_EQ(report().topTwips(), c.reportTop);
        EXPECT_DOUBLE_EQ(report().widthTwips(), c.width);
        EXPECT_DOUBLE_EQ(report().heightTwips(), 3675);
    }
    EXPECT_FALSE(report().bDocked()) << "placing changes no state of the window";
    EXPECT_FALSE(report().bFullScreen());
}

TEST_F(ReportWindow, AppendedLinesReadBackWithTheCaretAtTheEnd)
{
    practiseList().append(QStringLiteral("apple,ringo\r\n"));
    practiseList().append(QStringLiteral("\"to run, to flee\",hashiru\r\n"));
    correctList().append(QStringLiteral("むら (村),village\r\n"));
    TextBox& practise = *reportControls().txtPractise;
    EXPECT_EQ(practise.text(), QStringLiteral("apple,ringo\r\n\"to run, to flee\",hashiru\r\n"));
    EXPECT_EQ(practise.textCursor().position(), practise.document()->characterCount() - 1);
    EXPECT_EQ(reportControls().txtAnsweredCorrect->text(), QStringLiteral("むら (村),village\r\n"));
    EXPECT_FALSE(report().Visible()) << "the lists fill while the window is hidden";
}

TEST_F(ReportWindow, ScoreCopyFollowsTheQuizWindow)
{
    QuizDriver d = driver();
    d.loadItems(numberedItems(10));
    d.pressStart();
    for (int k = 0; k < 2; ++k) {
        d.choose(d.rightSlot());
        d.pressNext();
    }
    d.choose(d.wrongSlot());
    EXPECT_EQ(controls().lblScore->Caption(), QStringLiteral("Score = 66.67 %"));
    EXPECT_EQ(reportControls().lblReport->text(), QStringLiteral("Score = 66.67 %"));
    EXPECT_GE(reportControls().lblReport->width(), reportControls().lblReport->sizeHint().width())
        << "the label sizes itself to its text";
}

TEST_F(ReportWindow, HideAndCloseRequestKeepTheListsAndThePlace)
{
    practiseList().append(QStringLiteral("a,b\r\n"));
    driver().pressReport();
    report().moveTwips(300, 600, 9450, 4500);
    reportControls().cmdClose->click();
    EXPECT_FALSE(report().Visible());
    EXPECT_FALSE(quiz().bReporting());

    driver().pressReport();
    EXPECT_TRUE(report().Visible());
    EXPECT_DOUBLE_EQ(report().leftTwips(), 300);
    EXPECT_DOUBLE_EQ(report().heightTwips(), 4500);
    report().childWindow()->close();
    settle();
    EXPECT_FALSE(report().Visible());
    EXPECT_EQ(report().childWindow()->borderStyle(), BorderStyle::None) << "a close request leaves the border alone";
    EXPECT_EQ(reportControls().txtPractise->text(), QStringLiteral("a,b\r\n"));
}

} // namespace
