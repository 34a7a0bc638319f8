#pragma once

class QCoreApplication;

// SIGTERM (a logout, a shutdown), SIGINT (Ctrl+C in a terminal) and SIGHUP (a
// closed terminal) end the program as a Close answered Yes does, without the
// question, which no one is there to answer: the event loop returns, and the
// program's objects end in order, a save that is running finishing first
// (BackgroundWork waits for it). Left to their default, these
// signals end the process at once, and an in-place save half written.
// Call once, after the application object exists; a second signal while the
// program ends is taken as the first.
void quitOnTerminationSignals(QCoreApplication& app);
