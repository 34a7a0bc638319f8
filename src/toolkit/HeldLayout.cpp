#include "toolkit/HeldLayout.h"

#include <QTextDocument>

#include <algorithm>
#include <utility>

HeldLayout::HeldLayout(QTextDocument* document) : QPlainTextDocumentLayout(document) {}

void HeldLayout::beginHolding()
{
    m_holding = true;
}

void HeldLayout::endHolding()
{
    m_holding = false;
}

std::optional<HeldLayout::Change> HeldLayout::takeHeld()
{
    return std::exchange(m_held, std::nullopt);
}

void HeldLayout::layOut(const Change& change)
{
    QPlainTextDocumentLayout::documentChanged(change.from, 0, change.added);
}

void HeldLayout::documentChanged(int from, int charsRemoved, int charsAdded)
{
    if (m_holding && charsRemoved == 0 && (!m_held || from == m_held->from + m_held->added)) {
        if (m_held)
            m_held->added += charsAdded;
        else
            m_held = Change{from, charsAdded};
        return;
    }
    // Any other edit with lines held (the base's setPlainText, say) is laid
    // out as one change with them, from the first of the two to the end: the
    // held positions may no longer hold what they did.
    if (const std::optional<Change> held = takeHeld()) {
        const int start = std::min(from, held->from);
        QPlainTextDocumentLayout::documentChanged(start, charsRemoved, document()->characterCount() - start);
        return;
    }
    QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
}
