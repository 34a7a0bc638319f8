#include "quiztest/TestState.h"

#include "toolkit/Int16.h"

#include <utility>

void TestState::reset()
{
    m_iTotal = 0;
    m_iAskOrder.clear();
    m_iCorrect = 0;
    m_iWrong = 0;
}

void TestState::takeItems(quizfile::QuizItems items, quizfile::TextEncoding encoding)
{
    if (items.isEmpty())
        return;
    m_iTotal = int16::checked(items.size()); // the reader stops at 32 767
    m_items = std::move(items);
    m_encoding = encoding;
}

void TestState::ask(std::int16_t number)
{
    m_bAnswered = false;
    m_iAskOrder.append(number);
}

void TestState::recordRight()
{
    m_iCorrect = int16::add(m_iCorrect, 1);
}

void TestState::recordWrong()
{
    m_iWrong = int16::add(m_iWrong, 1);
}
