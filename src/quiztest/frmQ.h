#pragma once

#include "quiztest/QuizSession.h"
#include "toolkit/Form.h"

#include <cstdint>
#include <memory>
#include <optional>

#include <QStringList>

class FrameArea;
class KeyPreview;
class OptionArray;
class Quiz;
class QuizFileCommands;
struct Platform;
namespace Ui {
class frmQ;
}

// The quiz window: the file box and Load, the question with its four
// candidate answers and Skip, the counters and the score, the three options,
// and the commands Start/Next, Report, Help and Close. It owns the session of
// the test and shows what the session says; the frame hands the session's
// lines and score to the report.
class frmQ : public Form {
    Q_OBJECT
public:
    frmQ(Quiz& quiz, Platform& platform, FrameArea& frame);
    ~frmQ() override;

    // Runs when the frame shows the window the first time.
    void Form_Load();
    // Centred across the frame's client area, 350 twips below its top.
    void PlaceInFrame();

    // The test: its items, counters and question, and the signals of all
    // that changes in it.
    QuizSession& session() { return m_session; }
    const QuizSession& session() const { return m_session; }
    // The Report command has shown the report window.
    bool bReporting() const { return m_bReporting; }
    // The title of every message box of the window: the frame's caption.
    const QString& sTitle() const { return m_sTitle; }

    // Puts `path` into the file box and loads it with Load's own handler, as a
    // person who typed it and pressed Load: a file named on the command line
    // or dropped onto the window.
    void openQuizFile(const QString& path);

    // The report window has hidden itself.
    void reportHidden();
    // A list began to be saved, or its save ended: the quit question says so,
    // and a quit answered Yes meanwhile ends the program once it has ended.
    void listSaving(bool saving);
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
    void chkFastQuiz_Click();

signals:
    // The Help command: the frame shows the help window.
    void helpRequested();
    // The report window is to dock below this one, or to show or hide: the
    // frame passes it on.
    void reportPlacementRequested();
    void reportVisibilityRequested(bool shown);
    // The path box changed, typed or set: the result files are named after it.
    void quizFilePathChanged(const QString& path);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectHandlers();
    void connectSession();
    void describeForScreenReaders();
    // The counters' names for a screen reader follow their captions.
    void nameCounters();
    // Shows the verdict on the answer just chosen and has it read out.
    void showVerdict(bool right);
    void askQuitQuestion(bool& cancel);

    // What the session's changes look like.
    void showPhase(QuizSession::Phase phase);
    void closeQuestion();
    void showQuestion();
    void markRightAndChosen(int right, int chosen);
    void showScore(const QString& score);
    void showFinish(const QString& score);
    void tellAnswer();
    void describeOptions(int right = -1, int chosen = -1);

    Platform& m_platform;
    FrameArea& m_frame;
    std::unique_ptr<Ui::frmQ> m_ui;
    std::unique_ptr<KeyPreview> m_keyPreview;
    OptionArray* m_option1;
    QuizSession& m_session;
    QuizFileCommands& m_fileCommands;
    bool m_bReporting = false;
    // What one answer gives a screen reader, gathered while the session acts
    // on it and said as one when it is over (or before the finish message):
    // by then the screen may show the next question, and what is said is
    // what the screen shows.
    struct AnswerNews {
        bool counted = false; // the score is said after the answer that counts
        std::optional<bool> right;
        bool movedOn = false;
        QString markedRight;
        QString score;
        QStringList question;
    };
    std::optional<AnswerNews> m_answerNews;
    QString m_sTitle; // title of every message box of the quiz window
    bool m_listSaving = false;
    bool m_endWhenSaved = false;
};
