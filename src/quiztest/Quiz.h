#pragma once

#include "quizfile/ResultList.h"
#include "quiztest/QuizFileCommands.h"
#include "quiztest/QuizSession.h"

class RandomSource;
struct Platform;

// The quiz below the windows: the test, the rules of its Load and Browse
// commands, and the two result lists that the test's answers fill. The frame
// owns it and hands it to the windows: the quiz window shows the session and
// sends it the user's acts, the report shows the lists, takes the user's
// edits into them and saves them.
class Quiz {
public:
    Quiz(RandomSource& generator, Platform& platform);

    QuizSession& session() { return m_session; }
    const QuizSession& session() const { return m_session; }
    QuizFileCommands& fileCommands() { return m_fileCommands; }
    // The questions missed or skipped, and those answered right the first time.
    ResultList& practiseList() { return m_practise; }
    ResultList& correctList() { return m_correct; }

private:
    QuizSession m_session;
    QuizFileCommands m_fileCommands;
    ResultList m_practise;
    ResultList m_correct;
};
