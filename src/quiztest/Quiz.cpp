#include "quiztest/Quiz.h"

#include "toolkit/Platform.h"

Quiz::Quiz(RandomSource& generator, Platform& platform)
    : m_session(generator, platform.clock), m_fileCommands(m_session, platform)
{
    QObject::connect(&m_session, &QuizSession::practiseLine, &m_practise, &ResultList::append);
    QObject::connect(&m_session, &QuizSession::correctLine, &m_correct, &ResultList::append);
}
