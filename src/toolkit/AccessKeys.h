#pragma once

class QWidget;

// Alt with a letter or digit is an access key in a text box, never typing.
// Qt's text boxes insert the letter of an Alt key that no enabled button
// takes (a disabled button's, one that another window has), and a person
// who reaches for a command would find its letter in the list they save.
// AltGr, which is Ctrl+Alt on some systems, still types.
void accessKeysNeverType(QWidget& box);
