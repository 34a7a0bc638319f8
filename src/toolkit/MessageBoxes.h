#pragma once

class QString;

// The platform style codes of the boxes the program shows.
enum class MsgStyle : int {
    OkStop = 16,
    YesNoStop = 20, // Yes is the default button
    OkInformation = 64,
};

// The answer codes of the platform's boxes.
enum class MsgAnswer : int {
    Ok = 1,
    Yes = 6,
    No = 7,
};

// Modal message boxes. A prompt keeps its CR LF pairs; how they are shown is
// the implementation's business.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgAnswer MsgBox(const QString& prompt, MsgStyle style, const QString& title) = 0;
};
