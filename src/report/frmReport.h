#pragma once

#include "report/ListSaving.h"
#include "toolkit/Form.h"

#include <QPointF>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>

class BackgroundWork;
class FrameArea;
class MessageBoxes;
class ResultList;
class TextBox;
namespace Ui {
class frmReport;
}

// Where the quiz window stands, in twips: the report docks below it and is
// never narrower.
struct QuizPlace {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The report window: it shows the practise list and the correct list of the
// tests taken, takes the user's edits into them, saves each as a quiz file
// beside the loaded one, and shows a copy of the score. It lives, shown or
// hidden, as long as the quiz window, stands docked below the quiz window or
// fills the frame, and is moved by dragging its background, having no title
// bar. It never reads the quiz window: the frame tells it what it needs of it.
class frmReport : public Form {
    Q_OBJECT
public:
    frmReport(FrameArea& frame, MessageBoxes& boxes, BackgroundWork& work, ResultList& practise, ResultList& correct);
    ~frmReport() override;

    void Form_Load();

    // Directly below the quiz window, 22 twips over its bottom edge.
    void PlaceBelowQuiz(const QuizPlace& quiz);
    // Saves the lists; the frame tells it what it takes from the quiz.
    ListSaving& saving() { return m_saving; }
    // Shown and hidden for the quiz window's Report command, which the
    // frame passes on.
    void showReport();
    void hideReport();

    // Copies the quiz window's score.
    void setReportCaption(const QString& caption);

    // The window's placement state, which only its own handlers change.
    bool bDocked() const { return m_bDocked; }               // in its docked place below the quiz window
    std::int16_t iMinHeight() const { return m_iMinHeight; } // smallest outer height, in twips
    bool bSkipResize() const { return m_bSkipResize; }       // the next resize notification is ignored
    bool bFullScreen() const { return m_bFullScreen; }

    // Handlers, named after their control and event.
    void cmdClose_Click();
    void cmdDock_Click();
    void cmdFullScreen_Click();
    void cmdSaveTODO_Click();
    void cmdSaveCorrect_Click();
    void Form_Resize();
    // Button is the state of the mouse buttons during a move over the window's
    // background after a press there.
    void Form_MouseMove(Qt::MouseButtons Button, const QPointF& globalPosition);

signals:
    // The window hid itself (Close, or a close request).
    void hidden();
    // A list began to be saved (true), or its save ended and its message has
    // been answered (false).
    void listSaving(bool saving);
    // The docking commands want the window below the quiz window, where the
    // frame knows it to be.
    void placeBelowQuizRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void outerResized() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void describeForScreenReaders();
    void connectHandlers();
    void showList(TextBox& box, ResultList& list);
    // Both Save buttons off while a list is being written.
    void setSaving(bool saving);
    void layOutControls();

    bool m_bDocked = false;
    std::int16_t m_iMinHeight = 4275;
    bool m_bSkipResize = true;
    bool m_bFullScreen = false;
    QuizPlace m_quiz;
    FrameArea& m_frame;
    ResultList& m_practise;
    ResultList& m_correct;
    ListSaving m_saving;
    std::unique_ptr<Ui::frmReport> m_ui;
    // The last press landed on the window's own background, not on a control.
    bool m_pressOnBackground = false;
    QPointF m_pressGlobal;
    // Where the focus goes back to when a save ends, and where it went.
    QPointer<QWidget> m_focusReturn;
    QPointer<QWidget> m_focusMovedTo;
};
