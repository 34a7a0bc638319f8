#pragma once

// How the report window lays its controls out for a new size. Toolkit-free,
// in twips, so that the sums can be checked by themselves.
namespace reportlayout {

struct Rect {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
};

// The controls the layout reads and moves; positions inside fraReport are
// relative to it.
struct Controls {
    Rect fraReport;
    Rect txtPractise;
    Rect txtAnsweredCorrect;
    Rect lblAnsweredCorrect;
    Rect cmdSaveTODO;
    Rect cmdSaveCorrect;
    Rect cmdClose;
    Rect cmdFullScreen;
    Rect cmdDock;
};

struct WindowSize {
    double W, H;   // outer width and height
    double SW, SH; // inner width and height
};

// The value a control keeps when it is given a position or a size: the
// toolkit holds whole pixels, and every step reads back what the control kept.
using StoredValue = double (*)(double twips);
double wholePixels(double twips);

// Two lists of equal size side by side, filling the frame, the Save buttons on
// one line below them and the three top buttons in a row at the right. The
// frame's Left is the margin of everything.
void layOut(Controls& c, const WindowSize& size, StoredValue stored = wholePixels);

} // namespace reportlayout
