#include "quizfile/QuizItems.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <stdexcept>
#include <string>

namespace quizfile {

void QuizItems::reserve(qsizetype items, qsizetype textUnits)
{
    m_ends.reserve(static_cast<std::size_t>(items) * 2);
    m_text.reserve(textUnits);
}

void QuizItems::squeeze()
{
    // The text shrinks where it lies, but the ends are copied to shrink: only
    // worth it when more of their room is idle than in use.
    if (m_ends.capacity() - m_ends.size() > m_ends.size())
        m_ends.shrink_to_fit();
    m_text.squeeze();
}

void QuizItems::append(QStringView question, QStringView answer)
{
    constexpr qsizetype kMaxText = std::numeric_limits<std::uint32_t>::max();
    if (question.size() + answer.size() > kMaxText - m_text.size())
        throw std::length_error("the texts of the quiz items are too long");
    // Out of memory half-way, the item is not added at all: a stray text would
    // slip into the next item's question.
    const qsizetype start = m_text.size();
    try {
        // One resize for both texts: a load appends 32 767 items, and each
        // append of a string pays its own checks.
        m_text.resize(start + question.size() + answer.size());
        QChar* const at = m_text.data() + start;
        std::copy(question.begin(), question.end(), at);
        std::copy(answer.begin(), answer.end(), at + question.size());
        m_ends.insert(m_ends.end(),
                      {static_cast<std::uint32_t>(start + question.size()), static_cast<std::uint32_t>(m_text.size())});
    } catch (...) {
        m_text.truncate(start);
        throw;
    }
}

QStringView QuizItems::field(qsizetype i, qsizetype which) const
{
    if (i == 0)
        return {};
    if (i < 0 || i > size())
        throw std::out_of_range("no quiz item number " + std::to_string(i));
    const auto k = static_cast<std::size_t>(2 * (i - 1) + which);
    const std::uint32_t begin = k == 0 ? 0 : m_ends[k - 1];
    return QStringView(m_text).sliced(begin, m_ends[k] - begin);
}

} // namespace quizfile
