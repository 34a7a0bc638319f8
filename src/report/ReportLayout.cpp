#include "report/ReportLayout.h"

#include "toolkit/Twips.h"

namespace reportlayout {

double wholePixels(double twips)
{
    return twips::fromPixels(twips::toPixels(twips));
}

void layOut(Controls& c, const WindowSize& size, StoredValue stored)
{
    // Each sum is handed over in single precision, as the window's size is.
    const auto set = [stored](double& field, double value) { field = stored(static_cast<float>(value)); };
    const double m = c.fraReport.Left;
    const double W = size.W, H = size.H;

    set(c.fraReport.Width, W - 2 * m - (W - size.SW));
    set(c.txtPractise.Width, c.fraReport.Width - c.txtPractise.Left - c.fraReport.Width / 2 - c.txtPractise.Left / 2);
    set(c.txtPractise.Width, c.txtPractise.Width + c.txtPractise.Left / 4);
    set(c.txtAnsweredCorrect.Left, c.txtPractise.Width + c.txtPractise.Left + c.txtPractise.Left / 2);
    set(c.txtAnsweredCorrect.Width, c.txtPractise.Width);
    set(c.lblAnsweredCorrect.Left, c.txtAnsweredCorrect.Left);
    set(c.cmdSaveCorrect.Left, c.txtAnsweredCorrect.Left);

    set(c.fraReport.Height, H - c.fraReport.Top - m - (H - size.SH));
    set(c.txtPractise.Height, c.fraReport.Height - c.txtPractise.Top - c.cmdSaveCorrect.Height - 2 * m);
    set(c.txtAnsweredCorrect.Height, c.txtPractise.Height);
    set(c.cmdSaveCorrect.Top, c.txtPractise.Height + c.txtPractise.Top + m);
    set(c.cmdSaveTODO.Top, c.cmdSaveCorrect.Top);

    set(c.cmdClose.Left, c.fraReport.Width - c.cmdClose.Width);
    set(c.cmdFullScreen.Left, c.cmdClose.Left - m - c.cmdFullScreen.Width);
    set(c.cmdDock.Left, c.cmdFullScreen.Left - m - c.cmdDock.Width);
}

} // namespace reportlayout
