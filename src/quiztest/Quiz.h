#pragma once

#include "quiztest/QuizFileCommands.h"
#include "quiztest/QuizSession.h"

class RandomSource;
struct Platform;

// The quiz below the windows: the test and the rules of its Load and Browse
// commands. The frame owns it and hands it to the quiz window, which shows
// the session and sends it the user's acts; the frame connects the session's
// lines and score to the report.
class Quiz {
public:
    Quiz(RandomSource& generator, Platform& platform);

    QuizSession& session() { return m_session; }
    const QuizSession& session() const { return m_session; }
    QuizFileCommands& fileCommands() { return m_fileCommands; }

private:
    QuizSession m_session;
    QuizFileCommands m_fileCommands;
};
