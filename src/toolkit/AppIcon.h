#pragma once

#include <QIcon>

// The application icon, shared by the frame, the quiz window and the help
// window. Its pictures are available as ":/pondera.png" (64 px) and
// ":/pondera-256.png" once this has been called.
QIcon appIcon();
