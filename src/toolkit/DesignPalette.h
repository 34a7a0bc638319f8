#pragma once

class QPalette;
class QWidget;

// Every colour role the controls draw with, light as the design was drawn:
// black text on the design's grey and white, disabled text grey, a blue
// selection. Given to the frame, so that every window inside it inherits the
// roles its design leaves open instead of the desktop theme's: under a dark
// theme the text would be light on the design's fixed light backgrounds.
QPalette designPalette();
void applyDesignPalette(QWidget& frame);
