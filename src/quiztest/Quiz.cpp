#include "quiztest/Quiz.h"

#include "toolkit/Platform.h"

Quiz::Quiz(RandomSource& generator, Platform& platform)
    : m_session(generator, platform.clock), m_fileCommands(m_session, platform)
{
}
