#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

// While it lives, the windows open when it began take no keys and no clicks:
// a file dialog of the desktop (through its portal, another program's window)
// leaves the program's own windows working, and a key meant for the dialog
// would press a button behind it, another Browse included. Windows opened
// meanwhile and shown, a dialog of Qt's own, take input as ever.
class InputHold final : public QObject {
public:
    InputHold();
    InputHold(const InputHold&) = delete;
    InputHold& operator=(const InputHold&) = delete;
    ~InputHold() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QPointer<QWidget>> m_held;
};
