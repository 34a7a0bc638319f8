#pragma once

class BackgroundWork;
class Clock;
class FileOpenDialog;
class MessageBoxes;
class ProgramEnd;
class WorkArea;

// Everything that waits for a person or leaves the process. The program runs
// on the Qt implementations; the tests hand in scripted ones.
struct Platform {
    MessageBoxes& messageBoxes;
    FileOpenDialog& fileOpenDialog;
    ProgramEnd& programEnd;
    WorkArea& workArea;
    Clock& clock;
    BackgroundWork& backgroundWork;
};
