#pragma once

class QLineEdit;
class QWidget;

// What a screen reader is told about the windows beyond what the controls
// tell by themselves: pictures, lines and captions that only repeat another
// control's name are left out, panels that group controls say what they
// group, and texts that appear away from the focus are read out through an
// announcer (Announcer.h).
namespace accessibility {

// Leaves the widget out of the accessibility tree; it must hold no control.
void hideFromTree(QWidget& widget);
// Presents a panel as a group of controls, named by its accessible name.
void showAsGroup(QWidget& widget);
// Runs `change` without telling a screen reader of it: for a change made as
// a control gets the focus, which the reader reads with the focus anyway and
// would otherwise read once more before it.
void quietly(void (*change)(QWidget&), QWidget& widget);

// Presents the widget as a status bar, and as a notification, which a screen
// reader reads out, by its accessible name, whenever it is shown.
void showAsStatusBar(QWidget& widget);
void showAsNotification(QWidget& widget);

// Under Qt 6.4 a screen reader (Orca) reads a one-line box's text one
// character short: Qt gives each character an empty run of text
// attributes, and the reader builds the line it speaks from the runs. There
// the box's whole text is also its description, read after it; later Qt
// versions are left as they are.
void readWholeLine(QLineEdit& box);

} // namespace accessibility
