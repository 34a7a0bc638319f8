#pragma once

#include <QStringList>
#include <QWidget>

// Has a screen reader say what appears on a window while the focus stays
// where it is: a new question, a verdict, a score. Screen readers read a
// notification when it is shown, and one inside a status bar without saying
// its role; the announcer is such a pair of empty, unpainted widgets.
class Announcer : public QWidget {
    Q_OBJECT
public:
    // The window's announcer, made the first time it is asked for.
    static Announcer& of(QWidget& window);
    ~Announcer() override;

    // Queued, and said together with the other texts of the same handler
    // once it returns: a reader cuts off what it is saying for each new
    // notification, so one key's texts go as one, in their order.
    void say(const QString& text);
    void say(const QStringList& sentences);
    // Says what every window has queued now: before a message box, which
    // the reader reads by itself.
    static void sayPendingNow();

    // Hears every text said besides the screen reader: headless, Qt sends
    // accessibility events to no one, so the tests listen here. Returns the
    // listener it replaces; nullptr for none.
    using Listener = void (*)(const QString& text);
    static Listener setListener(Listener listener);

private:
    explicit Announcer(QWidget& window);
    void flush();

    QWidget* m_notice;
    QStringList m_pending;
};
