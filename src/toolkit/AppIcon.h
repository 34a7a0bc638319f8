#pragma once

#include <QIcon>
#include <QPixmap>

// The application icon, shared by the frame, the quiz window and the help
// window, in 64 and 256 pixels.
QIcon appIcon();
// Its 64-pixel picture, which the quiz window shows.
QPixmap appPicture();
