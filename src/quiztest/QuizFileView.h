#pragma once

class QString;

// What the Load and Browse commands need of the quiz window besides the
// session: the file box, the Load button's focus and the title of their
// messages. What a load turns on and off follows the session's phase.
class QuizFileView {
public:
    virtual ~QuizFileView() = default;

    virtual QString quizFileText() const = 0;
    virtual void setQuizFileText(const QString& path) = 0;
    virtual void selectQuizFileText() = 0;
    virtual void focusLoad() = 0;
    virtual QString messageTitle() const = 0;

protected:
    QuizFileView() = default;
    QuizFileView(const QuizFileView&) = default;
    QuizFileView& operator=(const QuizFileView&) = default;
};
