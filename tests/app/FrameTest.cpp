#include "support/AppFixture.h"

#include "app/MDIForm1.h"
#include "app/Module1.h"
#include "quiztest/frmQ.h"
#include "report/frmReport.h"

#include <QMdiArea>
#include <QScreen>

namespace {

TEST(Module1, WorkAreaInTwipsOrPixels)
{
    ScriptedWorkArea area;
    area.rect = {0, 0, 1024, 738};
    const struct {
        std::int32_t unit;
        std::int32_t width;
        std::int32_t height;
    } cases[] = {{1, 15360, 11070}, {0, 1024, 738}, {2, 1024, 738}, {-1, 1024, 738}};
    for (const auto& c : cases) {
        const std::int32_t unit = c.unit;
        EXPECT_EQ(Module1::WorkAreaWidth(area, unit), c.width) << c.unit;
        EXPECT_EQ(Module1::WorkAreaHeight(area, unit), c.height) << c.unit;
        EXPECT_EQ(unit, c.unit);
    }
    // Each call asks afresh.
    EXPECT_EQ(area.queries, 8);
}

TEST(Module1, PixelsToTwipsRoundsHalvesToEven)
{
    EXPECT_EQ(Module1::pixelsToTwips(1024, 15.0), 15360);
    EXPECT_EQ(Module1::pixelsToTwips(1, 12.5), 12);
    EXPECT_EQ(Module1::pixelsToTwips(3, 12.5), 38);
    EXPECT_EQ(Module1::pixelsToTwips(-1, 12.5), -12);
    EXPECT_EQ(Module1::pixelsToTwips(0, 15.0), 0);
}

class Frame : public AppFixture {};

TEST_F(Frame, StartsAtTheCornerSizedToTheWorkArea)
{
    EXPECT_EQ(frame->frameGeometry(), QRect(0, 0, 1024, 738));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Pondera"));
    EXPECT_EQ(frame->mdiArea().background().color(), QColor(0xE0, 0xE0, 0xE0));
    EXPECT_FALSE(frame->bSkipResize()) << "the first resize notification clears it";
}

TEST_F(Frame, QuizWindowCentredAtTop350AndReportBelowIt)
{
    // The client area is the work area less the frame's own decorations.
    const int decorations = frame->frameGeometry().width() - frame->width();
    EXPECT_DOUBLE_EQ(frame->ScaleWidth(), (1024 - decorations) * 15);
    EXPECT_DOUBLE_EQ(quiz().leftTwips(), (frame->ScaleWidth() - 9450) / 2);
    EXPECT_DOUBLE_EQ(quiz().topTwips(), 350);
    EXPECT_DOUBLE_EQ(quiz().widthTwips(), 9450);
    EXPECT_DOUBLE_EQ(quiz().heightTwips(), 7890);
    EXPECT_TRUE(quiz().Visible());
    EXPECT_DOUBLE_EQ(report().leftTwips(), quiz().leftTwips());
    EXPECT_DOUBLE_EQ(report().topTwips(), 350 + 7890 - 22);
    EXPECT_DOUBLE_EQ(report().widthTwips(), 9450);
    EXPECT_DOUBLE_EQ(report().heightTwips(), 3675);
    EXPECT_FALSE(report().Visible());
}

TEST_F(Frame, ResizeRecentresTheQuizWindowAndTheReportFollows)
{
    report().moveTwips(0, 0, 3000, 4000); // wherever it was, it goes back below the quiz
    const struct {
        int width;
        double left;
    } cases[] = {
        {800, (12000 - 9450) / 2.0},
        {500, (7500 - 9450) / 2.0}, // narrower than the quiz window: a negative Left
        {1200, (18000 - 9450) / 2.0},
    };
    for (const auto& c : cases) {
        frame->resize(c.width, 600);
        ASSERT_EQ(frame->mdiArea().width(), c.width);
        EXPECT_DOUBLE_EQ(quiz().leftTwips(), c.left) << c.width;
        EXPECT_DOUBLE_EQ(quiz().topTwips(), 350);
        EXPECT_DOUBLE_EQ(quiz().widthTwips(), 9450);
        EXPECT_DOUBLE_EQ(report().leftTwips(), c.left);
        EXPECT_DOUBLE_EQ(report().topTwips(), 8218);
        EXPECT_DOUBLE_EQ(report().widthTwips(), 9450);
        EXPECT_DOUBLE_EQ(report().heightTwips(), 4275) << "the report's resize handling raises the 3675 asked for";
    }
    EXPECT_FALSE(report().Visible()) << "placing it does not show it";
}

TEST_F(Frame, ClosingAsksTheQuitQuestionOnceAndNoKeepsBothOpen)
{
    p.boxes.expect(MsgAnswer::No);
    frame->close();
    settle();
    ASSERT_EQ(p.boxes.shown.size(), 1u);
    EXPECT_EQ(p.boxes.shown[0], (ShownBox{QStringLiteral("Are you sure you want to quit the Quiz?"),
                                          MsgStyle::YesNoStop, QStringLiteral("Pondera")}));
    EXPECT_TRUE(frame->isVisible());
    EXPECT_TRUE(quiz().Visible());
    EXPECT_EQ(p.end.ends, 0);

    p.boxes.expect(MsgAnswer::Yes);
    frame->close();
    EXPECT_EQ(p.boxes.shown.size(), 2u);
    EXPECT_EQ(p.end.ends, 1);
}

class FrameBeforeStart : public AppFixture {
protected:
    FrameBeforeStart() { startAtSetUp = false; }
};

TEST_F(FrameBeforeStart, FailingWorkAreaQueryGivesAnEmptyFrame)
{
    p.workArea.rect = {};
    start();
    EXPECT_EQ(frame->pos(), QPoint(0, 0));
    EXPECT_EQ(p.workArea.queries, 2);
}

// Wayland tells a window neither the panels nor lets it move: the window
// manager places and sizes the frame, and the windows are centred in what it
// gives, from the first size on.
TEST_F(FrameBeforeStart, UnknownWorkAreaLeavesTheFrameToTheWindowManager)
{
    p.workArea.placeable = false;
    p.workArea.rect = {0, 0, 4000, 3000}; // the whole output, larger than the screen
    start();
    EXPECT_TRUE(frame->isMaximized());
    const QRect screen = frame->screen()->availableGeometry();
    EXPECT_LE(frame->frameGeometry().height(), screen.height());
    EXPECT_LE(frame->frameGeometry().width(), screen.width());
    for (const int width : {0, 700, 1100}) {
        if (width)
            frame->resize(width, 600);
        settle();
        SCOPED_TRACE(frame->mdiArea().width());
        EXPECT_DOUBLE_EQ(quiz().leftTwips(), static_cast<float>((frame->ScaleWidth() - 9450) / 2));
        EXPECT_DOUBLE_EQ(quiz().topTwips(), 350);
        EXPECT_DOUBLE_EQ(report().leftTwips(), quiz().leftTwips());
        EXPECT_DOUBLE_EQ(report().topTwips(), 350 + 7890 - 22);
    }
}

TEST_F(FrameBeforeStart, WorkAreaWithTaskBarOnTheLeftReachesTheFarEdges)
{
    p.workArea.rect = {40, 0, 1280, 1024};
    start();
    EXPECT_EQ(frame->frameGeometry(), QRect(0, 0, 1280, 1024));
}

} // namespace
