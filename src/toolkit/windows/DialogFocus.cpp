#include "toolkit/DialogFocus.h"

DialogFocus::DialogFocus(QWidget*)
{
    // The system's file dialog is the program's own window and takes the
    // focus as it opens; no other process shows it.
}

void DialogFocus::look() {}
