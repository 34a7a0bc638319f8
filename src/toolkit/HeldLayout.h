#pragma once

#include <QPlainTextDocumentLayout>

#include <optional>

class QTextDocument;

// The layout of a TextBox's document, which lets the box put lines into the
// document at once and have them laid out later, many appends in one go.
// Held appends are in the document for every reader from the start; only
// the layout, and so the scroll range and the paint, waits for them.
class HeldLayout final : public QPlainTextDocumentLayout {
    Q_OBJECT
public:
    // Characters put in at the end of the document, not yet laid out.
    struct Change {
        int from = 0;
        int added = 0;
    };

    explicit HeldLayout(QTextDocument* document);

    // Until endHolding, insertions at the end of the document are added to
    // the held change instead of being laid out.
    void beginHolding();
    void endHolding();

    // The held change, given up by the layout: layOut lays it out.
    std::optional<Change> takeHeld();
    void layOut(const Change& change);

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override;

private:
    bool m_holding = false;
    std::optional<Change> m_held;
};
