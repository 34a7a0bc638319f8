#include "quiztest/RandomDraw.h"

#include "quiztest/AskOrder.h"
#include "quiztest/RandomSource.h"
#include "toolkit/Clock.h"
#include "toolkit/Int16.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>
#include <vector>

namespace randomdraw {

namespace {

// The pool Lower..Upper as the range itself plus the offsets that have left
// it. Filling up to 32766 entries for every question shown would make the
// wrong-candidate draw dominate a long test; this pool costs nothing to build,
// a binary search per access and a short move per removal, so that a draw of
// every entry of the largest range is as cheap as one of three.
class RangePool {
public:
    RangePool(int lower, int size) : m_lower(lower), m_size(size) {}

    int count() const { return m_size - static_cast<int>(m_removed.size()); }

    int at(int position) const { return m_lower + offsetOf(position); }

    void removeAt(int position)
    {
        const int offset = offsetOf(position);
        m_removed.insert(std::upper_bound(m_removed.begin(), m_removed.end(), offset), offset);
    }

private:
    // Each removed offset at or below the entry pushes it one further: the
    // entry lies past the k removed offsets r[j] that leave at most
    // position − 1 entries before them (r[j] − j, which never falls).
    int offsetOf(int position) const
    {
        std::size_t low = 0;
        std::size_t high = m_removed.size();
        while (low < high) {
            const std::size_t middle = low + (high - low) / 2;
            if (m_removed[middle] - static_cast<int>(middle) <= position - 1)
                low = middle + 1;
            else
                high = middle;
        }
        return position - 1 + static_cast<int>(low);
    }

    int m_lower;
    int m_size;
    std::vector<int> m_removed; // ascending
};

// The drawn position RandomNumber(0, Count + 1), Count + 1 in 32 bits: the
// pool of a 32767-item quiz holds 32766 entries, and its Count + 1 would
// overflow 16 bits on every question.
int drawPosition(int Count, RandomSource& generator, Clock& clock)
{
    generator.reseed(clock.secondsSinceMidnight());
    const float r = generator.draw();
    const int past = Count + 1;
    const int span = 0 - past + 1;
    return static_cast<int>(std::floor(static_cast<double>(span) * static_cast<double>(r) + past));
}

DrawnNumbers drawFrom(RangePool& pool, std::int16_t HowMany, bool Unique, int IgnoreMe, RandomSource& generator,
                      Clock& clock)
{
    if (IgnoreMe != 0) {
        if (IgnoreMe < 1 || IgnoreMe > pool.count())
            return DrawnNumbers::failure();
        pool.removeAt(IgnoreMe);
    }
    std::vector<std::int16_t> values;
    values.reserve(static_cast<std::size_t>(HowMany));
    for (int x = 0; x < HowMany; ++x) {
        const int Count = pool.count();
        const int p = drawPosition(Count, generator, clock);
        if (p < 1 || p > Count)
            return DrawnNumbers::failure();
        values.push_back(static_cast<std::int16_t>(pool.at(p)));
        if (Unique)
            pool.removeAt(p);
    }
    return DrawnNumbers::list(std::move(values));
}

} // namespace

std::int16_t RandomNumber(std::int16_t Upper, std::int16_t Lower, RandomSource& generator, Clock& clock)
{
    generator.reseed(clock.secondsSinceMidnight());
    const float r = generator.draw();
    const std::optional<std::int16_t> difference = int16::trySub(Upper, Lower);
    const std::optional<std::int16_t> span = difference ? int16::tryAdd(*difference, 1) : std::nullopt;
    if (!span)
        return 1;
    const double x = static_cast<double>(*span) * static_cast<double>(r) + static_cast<double>(Lower);
    return int16::tryChecked(static_cast<long long>(std::floor(x))).value_or(1);
}

DrawnNumbers RandomNumbers(std::int16_t Upper, std::int16_t Lower, std::int16_t HowMany, bool Unique, int IgnoreMe,
                           RandomSource& generator, Clock& clock)
{
    // In 32 bits: in 16, (Upper + 1) overflows for every question of a
    // 32767-item quiz, which could then never be asked.
    const int sizeLimit = (Upper + 1) - (Lower - 1);
    if (HowMany > sizeLimit)
        return DrawnNumbers::empty();
    if (HowMany < 0)
        return DrawnNumbers::failure();

    RangePool pool(Lower, Upper >= Lower ? Upper - Lower + 1 : 0);
    return drawFrom(pool, HowMany, Unique, IgnoreMe, generator, clock);
}

std::int16_t DrawUnaskedQuestion(std::int16_t iTotal, const AskOrder& askOrder, RandomSource& generator)
{
    std::int16_t n;
    do {
        const double x = static_cast<double>(iTotal) * static_cast<double>(generator.draw()) + 1.0;
        // floor(x) lies between iTotal and 1, so it fits in 16 bits.
        n = static_cast<std::int16_t>(std::floor(x));
    } while (askOrder.AlreadyAsked(n));
    return n;
}

} // namespace randomdraw
