#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// The result of RandomNumbers: the drawn list, or one of the two ways it
// gives none. Empty means more values were asked for than the range allows;
// Failure covers everything else that goes wrong.
class DrawnNumbers {
public:
    enum class Kind { List, Empty, Failure };

    static DrawnNumbers list(std::vector<std::int16_t> values) { return {Kind::List, std::move(values)}; }
    static DrawnNumbers empty() { return {Kind::Empty, {}}; }
    static DrawnNumbers failure() { return {Kind::Failure, {}}; }

    Kind kind() const { return m_kind; }
    bool isList() const { return m_kind == Kind::List; }

    // The entries, indexed from 0; none unless kind() is List.
    const std::vector<std::int16_t>& values() const { return m_values; }

    bool operator==(const DrawnNumbers&) const = default;

private:
    DrawnNumbers(Kind kind, std::vector<std::int16_t> values) : m_kind(kind), m_values(std::move(values)) {}

    Kind m_kind;
    std::vector<std::int16_t> m_values;
};
