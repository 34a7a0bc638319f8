#pragma once

class QWidget;

// What a screen reader is told about the windows beyond what the controls
// tell by themselves: pictures, lines and captions that only repeat another
// control's name are left out, panels that group controls say what they
// group, and a text that appears as a verdict is read out at once.
namespace accessibility {

// Leaves the widget out of the accessibility tree; it must hold no control.
void hideFromTree(QWidget& widget);
// Presents a panel as a group of controls, named by its accessible name.
void showAsGroup(QWidget& widget);
// Asks a screen reader to read the widget's text now.
void announce(QWidget& widget);

// Hears every announcement besides the screen reader: headless, Qt sends
// accessibility events to no one, so the tests listen here. Returns the
// listener it replaces; nullptr for none.
using Listener = void (*)(const QWidget& widget);
Listener setAnnouncementListener(Listener listener);

} // namespace accessibility
