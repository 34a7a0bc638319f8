#pragma once

// What the quiz window does with the report window: shows and hides it, and
// docks it below itself. The report tells of hiding itself by its own signal;
// the lines and the score come from the quiz session, by the frame's
// connections.
class ReportWindow {
public:
    virtual ~ReportWindow() = default;

    virtual void showReport() = 0;
    virtual void hideReport() = 0;
    // Directly below the quiz window, 22 twips over its bottom edge.
    virtual void PlaceBelowQuiz() = 0;

protected:
    ReportWindow() = default;
    ReportWindow(const ReportWindow&) = default;
    ReportWindow& operator=(const ReportWindow&) = default;
};
