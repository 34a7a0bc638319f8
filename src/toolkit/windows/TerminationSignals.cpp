#include "toolkit/TerminationSignals.h"

void quitOnTerminationSignals(QCoreApplication&)
{
    // Windows ends a program with windows through messages, not signals: at
    // a logout or shutdown Qt answers WM_ENDSESSION by leaving the event loop,
    // so the program's objects end in order and a running save finishes.
}
