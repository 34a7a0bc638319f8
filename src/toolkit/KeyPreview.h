#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Sees every character typed into a window's controls before the control
// that has the focus does, once per key, and swallows none: the quiz window
// answers keys 1 to 5 wherever its focus is. An application-wide event
// filter for as long as it lives.
class KeyPreview final : public QObject {
public:
    KeyPreview(QWidget& window, std::function<void(int keyAscii)> seen);
    ~KeyPreview() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    std::function<void(int)> m_seen;
};
