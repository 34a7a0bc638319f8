#pragma once

#include <QIcon>
#include <QPixmap>

// The application icon, shared by the frame, the quiz window and the help
// window: the 64-pixel picture, the one size given to the window manager.
QIcon appIcon();
// Its 64-pixel picture, which the quiz window shows.
QPixmap appPicture();
