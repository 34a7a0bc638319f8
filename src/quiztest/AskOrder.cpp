#include "quiztest/AskOrder.h"

#include "toolkit/Int16.h"

#include <cstddef>

namespace {

constexpr std::size_t kValues = 65536;

std::size_t slot(std::int16_t number)
{
    return static_cast<std::size_t>(number + 32768);
}

} // namespace

AskOrder::AskOrder() : m_iAskOrder{0}, m_asked(kValues, false) {}

void AskOrder::clear()
{
    for (std::size_t k = 1; k < m_iAskOrder.size(); ++k)
        m_asked[slot(m_iAskOrder[k])] = false;
    m_iAskOrder.resize(1);
}

void AskOrder::append(std::int16_t number)
{
    int16::add(iAsked(), 1); // throws before anything changes
    m_iAskOrder.push_back(number);
    m_asked[slot(number)] = true;
}

std::int16_t AskOrder::iAsked() const
{
    return static_cast<std::int16_t>(m_iAskOrder.size() - 1);
}

std::int16_t AskOrder::iAskOrder(int position) const
{
    return m_iAskOrder.at(static_cast<std::size_t>(position));
}

bool AskOrder::AlreadyAsked(std::int16_t number) const
{
    return m_asked[slot(number)];
}
