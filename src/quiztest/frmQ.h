#pragma once

#include "quiztest/TestState.h"
#include "toolkit/Form.h"

#include <QPointer>

#include <cstdint>
#include <memory>

class MDIForm1;
class OptionArray;
class QuizFileCommands;
class RandomSource;
class frmReport;
struct Platform;
namespace Ui {
class frmQ;
}

// The quiz window: the file box and Load, the question with its four
// candidate answers and Skip, the counters and the score, the three options,
// and the commands Start/Next, Report, Help and Close. It owns the test state.
class frmQ : public Form {
    Q_OBJECT
public:
    frmQ(Platform& platform, RandomSource& generator, MDIForm1& frame);
    ~frmQ() override;

    // Runs when the frame shows the window the first time.
    void Form_Load();
    // Centred across the frame's client area, 350 twips below its top.
    void PlaceInFrame();

    TestState& state() { return m_state; }
    const TestState& state() const { return m_state; }
    Ui::frmQ& ui() { return *m_ui; }
    OptionArray& Option1() { return *m_option1; }
    Platform& platform() { return m_platform; }
    RandomSource& generator() { return m_generator; }
    MDIForm1& frame() { return m_frame; }

    // The report window, loaded (hidden) on first use.
    frmReport& report();

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

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPreview(int keyAscii) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectHandlers();
    void askQuitQuestion(bool& cancel);

    // Pieces of the Next and answer handlers.
    void resetSlotLooks();
    bool questionUnjudged() const;
    int taggedSlot() const;
    bool isRightAnswer(int index) const;
    void recordPractise();
    void markRightAndChosen(int right, int chosen);
    void updateScore();
    void finishTest();
    void showNextQuestion();

    Platform& m_platform;
    RandomSource& m_generator;
    MDIForm1& m_frame;
    std::unique_ptr<Ui::frmQ> m_ui;
    OptionArray* m_option1;
    std::unique_ptr<QuizFileCommands> m_fileCommands;
    TestState m_state;
    QPointer<frmReport> m_report;
};
