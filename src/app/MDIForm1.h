#pragma once

#include "toolkit/FrameArea.h"

#include <QMainWindow>

#include <memory>

class QMdiArea;
class Quiz;
class RandomSource;
class frmQ;
class frmReport;
struct Platform;
namespace Ui {
class MDIForm1;
}

// The frame window: fills the desktop's work area and holds the quiz, report
// and help windows in its client area. It makes the quiz and report windows
// and connects them; the help window makes itself when asked for.
class MDIForm1 : public QMainWindow, public FrameArea {
    Q_OBJECT
public:
    MDIForm1(Platform& platform, RandomSource& generator);
    ~MDIForm1() override;

    // Start-up, before the frame becomes visible.
    void MDIForm_Load();
    void MDIForm_Resize();
    // The report stands docked below the quiz window: the frame knows both.
    void placeReportBelowQuiz();

    QString Caption() const override;
    double ScaleWidth() const override;
    double ScaleHeight() const override;
    QMdiArea& mdiArea() override;
    frmQ& quiz() { return *m_quiz; }
    frmReport& report() { return *m_report; }
    // The quiz below the windows: the test and the result lists.
    Quiz& test() { return *m_test; }

    // The next resize notification is ignored: the one of the load's own size.
    bool bSkipResize() const { return m_bSkipResize; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void leaveToWindowManager();
    void makeWindows();
    void fitOuterSize();
    void scrollIntoView(QWidget* control);

    Platform& m_platform;
    RandomSource& m_generator;
    std::unique_ptr<Ui::MDIForm1> m_ui;
    // The test below the windows, made before them and gone after them.
    std::unique_ptr<Quiz> m_test;
    frmQ* m_quiz = nullptr;
    frmReport* m_report = nullptr;
    bool m_bSkipResize = false;
    QSize m_outerSize; // pixels, decorations included
    bool m_outerFitted = false;
    QMetaObject::Connection m_focusFollower;
};
