#pragma once

class QString;

// What the quiz window does with the report window: appends a line to either
// list, copies the score into its caption, shows and hides it, and docks it
// below itself. The report tells of hiding itself by its own signal.
class ReportWindow {
public:
    virtual ~ReportWindow() = default;

    virtual void appendPractise(const QString& text) = 0;
    virtual void appendAnsweredCorrect(const QString& text) = 0;
    virtual void setReportCaption(const QString& caption) = 0;
    virtual void showReport() = 0;
    virtual void hideReport() = 0;
    // Directly below the quiz window, 22 twips over its bottom edge.
    virtual void PlaceBelowQuiz() = 0;

protected:
    ReportWindow() = default;
    ReportWindow(const ReportWindow&) = default;
    ReportWindow& operator=(const ReportWindow&) = default;
};
