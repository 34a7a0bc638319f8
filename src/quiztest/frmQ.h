#pragma once

#include "quiztest/TestState.h"
#include "report/QuizWindowLink.h"
#include "toolkit/Form.h"

#include <cstdint>
#include <memory>

class FrameArea;
class OptionArray;
class QuizFileCommands;
class RandomSource;
class ReportWindow;
struct Platform;
namespace Ui {
class frmQ;
}

// The quiz window: the file box and Load, the question with its four
// candidate answers and Skip, the counters and the score, the three options,
// and the commands Start/Next, Report, Help and Close. It owns the test state
// and fills the report window's lists.
class frmQ : public Form, public QuizWindowLink {
    Q_OBJECT
public:
    frmQ(Platform& platform, RandomSource& generator, FrameArea& frame);
    ~frmQ() override;

    // The report window, given before the load.
    void setReport(ReportWindow& report) { m_report = &report; }

    // Runs when the frame shows the window the first time.
    void Form_Load();
    // Centred across the frame's client area, 350 twips below its top.
    void PlaceInFrame();

    // For the window's own Load and Browse commands and the tests' driver; no
    // other window reaches them.
    TestState& state() { return m_state; }
    const TestState& state() const { return m_state; }
    Ui::frmQ& ui() { return *m_ui; }
    OptionArray& Option1() { return *m_option1; }

    const Form& quizForm() const override { return *this; }
    QString quizFilePath() const override;
    quizfile::TextEncoding quizEncoding() const override { return m_state.encoding(); }

    // Puts `path` into the file box and loads it with Load's own handler, as a
    // person who typed it and pressed Load: a file named on the command line
    // or dropped onto the window.
    void openQuizFile(const QString& path);

    // The report window has hidden itself.
    void reportHidden();
    // The question, answer and option areas, on while a test runs.
    void setTestControlsEnabled(bool enabled);

    // Handlers, named after their control and event.
    void cmdStart_Click();
    void cmdClose_Click();
    // Returns whether the close is refused.
    bool Form_QueryUnload();
    void cmdHelp_Click();
    void cmdReport_Click();
    void cmdBrowse_Click();
    void txtQuizFile_GotFocus();
    void cmdLoad_Click();
    void cmdNext_Click();
    void Option1_Click(std::int16_t Index);
    void Form_KeyPress(int KeyAscii);
    void lblScore_Change();
    void chkFastQuiz_Click();

signals:
    // The Help command: the frame shows the help window.
    void helpRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPreview(int keyAscii) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectHandlers();
    void describeForScreenReaders();
    // The counters' names for a screen reader follow their captions.
    void nameCounters();
    // Shows the verdict on the answer just chosen and has it read out.
    void showVerdict(bool right);
    void askQuitQuestion(bool& cancel);
    ReportWindow& report() { return *m_report; }

    // Pieces of the Next and answer handlers.
    void resetSlotLooks();
    int taggedSlot() const;
    bool isRightAnswer(int index) const;
    void recordPractise();
    void markRightAndChosen(int right, int chosen);
    void updateScore();
    void finishTest();
    void showNextQuestion();

    Platform& m_platform;
    RandomSource& m_generator;
    FrameArea& m_frame;
    std::unique_ptr<Ui::frmQ> m_ui;
    OptionArray* m_option1;
    std::unique_ptr<QuizFileCommands> m_fileCommands;
    TestState m_state;
    ReportWindow* m_report = nullptr;
};
