#pragma once

#include <QPlainTextEdit>
#include <QString>
#include <QWidget>

#include <memory>
#include <random>
#include <vector>

namespace Ui {
class frmQ;
}
class QLabel;
class QRadioButton;

// The floor the quiz window is measured against: the same design, its labels
// and option buttons set per question as a plain Qt program would set them,
// with none of the program's own layers. With a report it also appends each
// answered question's line to one of two visible QPlainTextEdits.
class BareQuizWindow {
public:
    BareQuizWindow(int items, bool withReport);
    ~BareQuizWindow();

    int rightSlot() const { return m_right; }
    bool finished() const { return m_asked == m_items && m_answered; }

    // The bare counterparts of the option click and of Next.
    void choose(int index);
    void next();

private:
    void mark(int option, bool underline, bool strikeOut, double points, const QColor* color);
    void resetMarks();
    void updateScore();
    void append(QPlainTextEdit& list, const QString& line);

    std::unique_ptr<QWidget> m_top;
    QWidget* m_window = nullptr;
    std::unique_ptr<Ui::frmQ> m_ui;
    std::vector<QRadioButton*> m_options;
    QLabel* m_reportCaption = nullptr;
    QPlainTextEdit* m_practise = nullptr;
    QPlainTextEdit* m_correct = nullptr;

    int m_items;
    std::vector<QString> m_questions;
    std::vector<QString> m_answers;
    std::vector<int> m_order; // the asking order, shuffled once
    std::mt19937 m_random{12345};
    std::vector<int> m_marked;
    int m_asked = 0;
    int m_current = 0;
    int m_right = -1;
    int m_correctCount = 0;
    bool m_answered = true;
    bool m_judged = false;
};
