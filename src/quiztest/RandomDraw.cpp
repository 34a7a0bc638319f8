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

// The pool Lower..Upper as the range itself plus the few offsets that have
// left it. Filling up to 32766 entries for every question shown would make
// the wrong-candidate draw dominate a long test; this pool costs nothing to
// build and O(removed) per access.
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
    // Every removed offset at or below the candidate pushes it one further.
    int offsetOf(int position) const
    {
        int offset = position - 1;
        for (int removed : m_removed) {
            if (removed > offset)
                break;
            ++offset;
        }
        return offset;
    }

    int m_lower;
    int m_size;
    std::vector<int> m_removed; // ascending
};

// The pool written out, for the draws that remove many entries (no caller in
// the program does): each removal closes the gap.
class ListPool {
public:
    ListPool(int lower, int size) : m_entries(static_cast<std::size_t>(size))
    {
        for (int i = 0; i < size; ++i)
            m_entries[static_cast<std::size_t>(i)] = lower + i;
    }

    int count() const { return static_cast<int>(m_entries.size()); }

    int at(int position) const { return m_entries[static_cast<std::size_t>(position - 1)]; }

    void removeAt(int position) { m_entries.erase(m_entries.begin() + (position - 1)); }

private:
    std::vector<int> m_entries;
};

// Up to this many removals the RangePool's scans are cheaper than writing
// the whole range out.
constexpr int kRangePoolRemovals = 32;

// How wide the arithmetic of a draw is.
enum class Width { Int16, Int32 };

// The drawn position RandomNumber(0, Count + 1); 0 when Count + 1 overflows.
int drawPosition(int Count, Width width, RandomSource& generator, Clock& clock)
{
    if (width == Width::Int16) {
        const std::optional<std::int16_t> past = int16::tryChecked(Count + 1LL);
        return past ? RandomNumber(0, *past, generator, clock) : 0;
    }
    generator.reseed(clock.secondsSinceMidnight());
    const float r = generator.draw();
    const int past = Count + 1;
    const int span = 0 - past + 1;
    return static_cast<int>(std::floor(static_cast<double>(span) * static_cast<double>(r) + past));
}

template <class Pool>
DrawnNumbers drawFrom(Pool& pool, std::int16_t HowMany, bool Unique, int IgnoreMe, Width width, RandomSource& generator,
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
        const int p = drawPosition(Count, width, generator, clock);
        if (p < 1 || p > Count)
            return DrawnNumbers::failure();
        values.push_back(static_cast<std::int16_t>(pool.at(p)));
        if (Unique)
            pool.removeAt(p);
    }
    return DrawnNumbers::list(std::move(values));
}

// RandomNumbers past its size check, which the caller has computed.
DrawnNumbers drawChecked(int sizeLimit, std::int16_t Upper, std::int16_t Lower, std::int16_t HowMany, bool Unique,
                         int IgnoreMe, Width width, RandomSource& generator, Clock& clock)
{
    if (HowMany > sizeLimit)
        return DrawnNumbers::empty();
    if (HowMany < 0)
        return DrawnNumbers::failure();

    const int size = Upper >= Lower ? Upper - Lower + 1 : 0;
    const int removals = (IgnoreMe != 0 ? 1 : 0) + (Unique ? HowMany : 0);
    if (removals <= kRangePoolRemovals) {
        RangePool pool(Lower, size);
        return drawFrom(pool, HowMany, Unique, IgnoreMe, width, generator, clock);
    }
    ListPool pool(Lower, size);
    return drawFrom(pool, HowMany, Unique, IgnoreMe, width, generator, clock);
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
    // A 32767-item quiz overflows here for every question: no exception.
    const std::optional<std::int16_t> past = int16::tryAdd(Upper, 1);
    const std::optional<std::int16_t> before = int16::trySub(Lower, 1);
    const std::optional<std::int16_t> sizeLimit = past && before ? int16::trySub(*past, *before) : std::nullopt;
    if (!sizeLimit)
        return DrawnNumbers::failure();
    return drawChecked(*sizeLimit, Upper, Lower, HowMany, Unique, IgnoreMe, Width::Int16, generator, clock);
}

DrawnNumbers RandomNumbersWide(std::int16_t Upper, std::int16_t Lower, std::int16_t HowMany, bool Unique, int IgnoreMe,
                               RandomSource& generator, Clock& clock)
{
    const int sizeLimit = (Upper + 1) - (Lower - 1);
    return drawChecked(sizeLimit, Upper, Lower, HowMany, Unique, IgnoreMe, Width::Int32, generator, clock);
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
