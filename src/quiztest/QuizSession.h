#pragma once

#include "quizfile/QuizFileReader.h"
#include "quizfile/QuizItems.h"
#include "quiztest/AskOrder.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>

class Clock;
class RandomSource;

// The question on display: the item asked, the answer texts of the four
// slots, and which slot holds the item's own answer.
struct QuizQuestion {
    static constexpr int Slots = 4;

    std::int16_t item = 0;
    QString question;
    std::array<std::int16_t, Slots> items{}; // the item whose answer each slot shows
    std::array<QString, Slots> answers;
    // The slots in the order they were filled: the right one, then the three
    // wrong candidates.
    std::array<int, Slots> fillOrder{};
    int rightSlot = -1; // -1 before the first question
};

// One test and the quiz it is taken on: the items and their encoding, the
// asking order, the question on display, the counters, the phase and the
// path the items were loaded from. Arrays count from 0; index 0 is never
// used. The counts are 16-bit: one past 32 767 throws int16::OverflowError.
// Its signals carry everything the windows show of the test, in the order it
// happens, so that a window, the report or a screen-reader announcer follow
// it by connecting.
class QuizSession : public QObject {
    Q_OBJECT
public:
    static constexpr int Skip = 4;        // the Skip option, after the four slots
    static constexpr int FewestItems = 4; // one right and three wrong candidates

    enum class Phase {
        NothingLoaded, // no test can begin: too few items, or none
        Loading,       // the file is being read; nothing can begin or be answered
        Loaded,        // Start is offered
        Running,       // Start pressed; the answers count
        Finished,      // the last question closed; Next repeats the score
    };

    // How the window's three options want an answer followed up.
    struct AnswerOptions {
        bool showCorrect = false; // a wrong first answer marks the right slot
        bool nextOnRight = false; // a right answer moves on
        bool fastQuiz = false;    // every answer moves on
    };

    struct Verdict {
        bool right = false;
        bool counted = false; // the first judgement of the question
    };

    QuizSession(RandomSource& generator, Clock& clock);

    std::int16_t iTotal() const { return m_iTotal; } // items loaded, numbered 1..iTotal in file order
    std::int16_t iCorrect() const { return m_iCorrect; }
    std::int16_t iWrong() const { return m_iWrong; } // answered wrongly, or left without an answer
    std::int16_t iAsked() const { return m_iAskOrder.iAsked(); }
    const AskOrder& iAskOrder() const { return m_iAskOrder; }
    bool bAnswered() const { return m_bAnswered; } // the question on display has had an answer
    // The question and the answer text of item i; index 0 gives empty texts.
    QString sQuestions(int i) const { return m_items.question(i); }
    QString sAnswers(int i) const { return m_items.answer(i); }
    quizfile::TextEncoding encoding() const { return m_encoding; }
    // The path of the last load, as it was typed.
    const QString& loadedPath() const { return m_loadedPath; }
    Phase phase() const { return m_phase; }
    // From Start until the next load that offers or refuses a new one.
    bool testRunning() const { return m_phase == Phase::Running || m_phase == Phase::Finished; }
    bool enoughItems() const { return m_iTotal >= FewestItems; }
    const QuizQuestion& question() const { return m_question; }

    // Every item has been asked.
    bool finished() const { return iAsked() >= m_iTotal; }
    // The question on display has been shown but neither answered nor recorded.
    bool questionUnjudged() const { return m_iCorrect + m_iWrong < iAsked(); }
    // Whether choosing `index` (0..3 a slot, Skip) answers the question right.
    bool isRight(int index) const;

    // The window's load: nothing loaded, nothing asked, the display's
    // question counted as answered, and the first score.
    void open();
    // The start of every load of `path`: no item counted, nothing asked, no
    // answer counted, and the score, progress and count texts for that. The
    // items stay until takeItems brings others. Loading until the load ends.
    void beginLoad(const QString& path);
    // The items a load read, as items 1..n, and their encoding. A load that
    // read none leaves the previous ones in place, unread with iTotal 0.
    void takeItems(quizfile::QuizItems items, quizfile::TextEncoding encoding = quizfile::TextEncoding::Utf8);
    // The progress text of the items taken.
    void showProgress();
    // The load is over: Start is offered when `usable`, else no test can begin.
    void endLoad(bool usable);
    // The load is over and changes nothing of what could begin or go on: the
    // phase before it comes back.
    void endLoadAsBefore();
    // Start: the answers count from now on. The first question is next()'s.
    void start();

    // Next: closes the question on display, counting it wrong when it had no
    // answer, then finishes the test or shows an unasked item. A draw that
    // cannot be made leaves everything as it was.
    void next();
    // An answer option chosen; only the question's first judgement counts.
    // Moves on as the options ask, after the score.
    Verdict answer(int index, const AnswerOptions& options);
    Verdict skip(const AnswerOptions& options) { return answer(Skip, options); }

signals:
    void phaseChanged(QuizSession::Phase phase);
    // Next has begun: the verdict and the marks of the question go.
    void questionClosed();
    // question() holds the new question.
    void questionShown();
    // " 3 / 10".
    void progressChanged(const QString& progress);
    void verdict(bool right);
    // The right answers as a caption: " 4".
    void correctCountChanged(const QString& count);
    // Show correct answer: the right slot and the wrong choice are marked.
    void marked(int rightSlot, int chosen);
    // "Score = 66.67 %", at every update of the score, changed or not.
    void scoreChanged(const QString& score);
    // A "QUESTION,ANSWER" CR LF line for the practise list or the correct list.
    void practiseLine(const QString& line);
    void correctLine(const QString& line);
    // Next after the last question, with the final score text.
    void finishedTest(const QString& score);
    // A load gave the session its items, read in `encoding`.
    void itemsTaken(quizfile::TextEncoding encoding);

private:
    void setPhase(Phase phase);
    void reset();
    void recordWrong();
    void updateScore();
    void showNextQuestion();

    RandomSource& m_generator;
    Clock& m_clock;
    std::int16_t m_iTotal = 0;
    std::int16_t m_iCorrect = 0;
    std::int16_t m_iWrong = 0;
    quizfile::QuizItems m_items;
    quizfile::TextEncoding m_encoding = quizfile::TextEncoding::Utf8;
    AskOrder m_iAskOrder;
    bool m_bAnswered = true;
    QString m_loadedPath;
    Phase m_phase = Phase::NothingLoaded;
    Phase m_phaseBeforeLoad = Phase::NothingLoaded;
    QuizQuestion m_question;
};
