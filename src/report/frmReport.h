#pragma once

#include "report/ReportWindow.h"
#include "toolkit/Form.h"

#include <QPointF>
#include <QPointer>

#include <cstdint>
#include <memory>

class BackgroundWork;
class FrameArea;
class MessageBoxes;
class QString;
class QuizWindowLink;
class TextBox;
namespace Ui {
class frmReport;
}

// The report window: the practise list and the correct list of the tests
// taken, and a copy of the score. It lives, shown or hidden, as long as the
// quiz window. It saves each list as a quiz file beside the loaded one, stands
// docked below the quiz window or fills the frame, and is moved by dragging
// its background, having no title bar.
class frmReport : public Form, public ReportWindow {
    Q_OBJECT
public:
    frmReport(const QuizWindowLink& quiz, FrameArea& frame, MessageBoxes& boxes, BackgroundWork& work);
    ~frmReport() override;

    void Form_Load();

    void PlaceBelowQuiz() override;
    void appendPractise(const QString& text) override;
    void appendAnsweredCorrect(const QString& text) override;
    void setReportCaption(const QString& caption) override;
    void showReport() override;
    void hideReport() override;

    Ui::frmReport& ui() { return *m_ui; }

    bool bDocked = false;
    std::int16_t iMinHeight = 4275;
    bool bSkipResize = true;
    bool bFullScreen = false;

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

    // The result files.
    QString ResultFileName(const QString& suffix) const;
    bool FileExists(const QString& Fname) const;
    void SaveText(const TextBox& Lst, const QString& name);

signals:
    // The window hid itself (Close, or a close request).
    void hidden();

protected:
    void closeEvent(QCloseEvent* event) override;
    void Resize() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void describeForScreenReaders();
    void connectHandlers();
    void saveList(const TextBox& Lst, const QString& suffix);
    void showSaveError(const QString& description);
    // Both Save buttons off while a list is being written.
    void setSaving(bool saving);
    void layOutControls();

    const QuizWindowLink& m_quiz;
    FrameArea& m_frame;
    MessageBoxes& m_boxes;
    BackgroundWork& m_work;
    std::unique_ptr<Ui::frmReport> m_ui;
    // The last press landed on the window's own background, not on a control.
    bool m_pressOnBackground = false;
    QPointF m_pressGlobal;
    // Where the focus goes back to when a save ends, and where it went.
    QPointer<QWidget> m_focusReturn;
    QPointer<QWidget> m_focusMovedTo;
};
