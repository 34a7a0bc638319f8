#include "report/ReportLayout.h"

#include <gtest/gtest.h>

namespace {

using reportlayout::Controls;
using reportlayout::Rect;

// The design's controls, in twips.
Controls designControls()
{
    Controls c;
    c.fraReport = {150, 660, 9120, 2805};
    c.txtPractise = {180, 450, 4350, 1755};
    c.txtAnsweredCorrect = {4725, 405, 4230, 1755};
    c.lblAnsweredCorrect = {4635, 135, 4545, 315};
    c.cmdSaveTODO = {150, 2280, 1215, 375};
    c.cmdSaveCorrect = {7725, 2235, 1215, 375};
    c.cmdClose = {7710, 150, 1215, 375};
    c.cmdFullScreen = {6390, 150, 1215, 375};
    c.cmdDock = {5070, 150, 1215, 375};
    return c;
}

double exact(double twips)
{
    return twips;
}

void expectRect(const Rect& actual, const Rect& expected, const char* name)
{
    EXPECT_DOUBLE_EQ(actual.Left, expected.Left) << name;
    EXPECT_DOUBLE_EQ(actual.Top, expected.Top) << name;
    EXPECT_DOUBLE_EQ(actual.Width, expected.Width) << name;
    EXPECT_DOUBLE_EQ(actual.Height, expected.Height) << name;
}

TEST(ReportLayout, SmallestWindowGivesTheListedValues)
{
    Controls c = designControls();
    reportlayout::layOut(c, {9450, 4275, 9420, 4245});
    expectRect(c.fraReport, {150, 660, 9120, 3435}, "fraReport");
    expectRect(c.txtPractise, {180, 450, 4335, 2310}, "txtPractise");
    expectRect(c.txtAnsweredCorrect, {4605, 405, 4335, 2310}, "txtAnsweredCorrect");
    expectRect(c.lblAnsweredCorrect, {4605, 135, 4545, 315}, "lblAnsweredCorrect");
    expectRect(c.cmdSaveTODO, {150, 2910, 1215, 375}, "cmdSaveTODO");
    expectRect(c.cmdSaveCorrect, {4605, 2910, 1215, 375}, "cmdSaveCorrect");
    expectRect(c.cmdClose, {7905, 150, 1215, 375}, "cmdClose");
    expectRect(c.cmdFullScreen, {6540, 150, 1215, 375}, "cmdFullScreen");
    expectRect(c.cmdDock, {5175, 150, 1215, 375}, "cmdDock");
}

TEST(ReportLayout, StepsReadWhatEarlierStepsLeft)
{
    // Step 2 alone gives 4290; step 3 adds a quarter of the Left to that.
    Controls c = designControls();
    c.txtPractise.Left = 200; // not on the pixel grid, to see the halves and quarters
    reportlayout::layOut(c, {9450, 4275, 9420, 4245}, exact);
    const double afterStep2 = 9120 - 200 - 9120 / 2.0 - 200 / 2.0;
    EXPECT_DOUBLE_EQ(c.txtPractise.Width, afterStep2 + 50);
    EXPECT_DOUBLE_EQ(c.txtAnsweredCorrect.Left, afterStep2 + 50 + 200 + 100);
    EXPECT_DOUBLE_EQ(c.txtAnsweredCorrect.Width, c.txtPractise.Width);
}

TEST(ReportLayout, StretchesToAnySizeKeepingTheRelations)
{
    const struct {
        reportlayout::WindowSize size;
    } cases[] = {
        {{19000, 10000, 18970, 9970}},  // full screen of a large frame
        {{15360, 11070, 15360, 11070}}, // no border
        {{9450, 4275, 9420, 4245}},     // the smallest
        {{12345, 6789, 12315, 6759}},   // off the pixel grid
    };
    for (const auto& k : cases) {
        Controls c = designControls();
        reportlayout::layOut(c, k.size);
        const double m = c.fraReport.Left;
        SCOPED_TRACE(testing::Message() << k.size.W << " x " << k.size.H);
        EXPECT_NEAR(c.fraReport.Left + c.fraReport.Width + m + (k.size.W - k.size.SW), k.size.W, 15);
        EXPECT_NEAR(c.fraReport.Top + c.fraReport.Height + m + (k.size.H - k.size.SH), k.size.H, 15);
        EXPECT_EQ(c.txtAnsweredCorrect.Width, c.txtPractise.Width);
        EXPECT_EQ(c.txtAnsweredCorrect.Height, c.txtPractise.Height);
        EXPECT_NEAR(c.txtAnsweredCorrect.Left - (c.txtPractise.Left + c.txtPractise.Width), 90, 15);
        EXPECT_EQ(c.cmdSaveCorrect.Left, c.txtAnsweredCorrect.Left);
        EXPECT_EQ(c.lblAnsweredCorrect.Left, c.txtAnsweredCorrect.Left);
        EXPECT_EQ(c.cmdSaveTODO.Top, c.cmdSaveCorrect.Top);
        EXPECT_EQ(c.cmdSaveTODO.Left, 150) << "the left Save button keeps its place";
        EXPECT_EQ(c.cmdClose.Left + c.cmdClose.Width, c.fraReport.Width);
        EXPECT_EQ(c.cmdFullScreen.Left + c.cmdFullScreen.Width + m, c.cmdClose.Left);
        EXPECT_EQ(c.cmdDock.Left + c.cmdDock.Width + m, c.cmdFullScreen.Left);
        for (double v : {c.fraReport.Width, c.fraReport.Height, c.txtPractise.Width, c.txtPractise.Height,
                         c.txtAnsweredCorrect.Left, c.cmdSaveCorrect.Top})
            EXPECT_EQ(v, reportlayout::wholePixels(v)) << "every value is one a control keeps";
    }
}

} // namespace
