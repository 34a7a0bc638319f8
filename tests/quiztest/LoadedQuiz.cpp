#include "LoadedQuiz.h"

#include "app/TextFormat.h"
#include "quiztest/frmQ.h"
#include "ui_frmQ.h"

#include <cstddef>
#include <cstdint>

std::vector<QuizItem> numberedItems(int count)
{
    std::vector<QuizItem> items;
    items.reserve(static_cast<std::size_t>(count));
    for (int i = 1; i <= count; ++i)
        items.push_back({QStringLiteral("Q%1").arg(i), QStringLiteral("A%1").arg(i)});
    return items;
}

void loadQuiz(frmQ& quiz, const std::vector<QuizItem>& items)
{
    TestState& s = quiz.state();
    Ui::frmQ& ui = quiz.ui();
    s.iTotal = static_cast<std::int16_t>(items.size());
    s.iAskOrder.clear();
    s.iCorrect = 0;
    s.iWrong = 0;
    s.sQuestions.assign(1, QString());
    s.sAnswers.assign(1, QString());
    for (const QuizItem& item : items) {
        s.sQuestions.push_back(item.question);
        s.sAnswers.push_back(item.answer);
    }
    ui.lblScore->setCaption(textformat::scoreText(0));
    ui.lblCorrect->setCaption(textformat::countText(s.iCorrect));
    ui.lblAsking->setCaption(textformat::countText(s.iAsked()) + QStringLiteral(" /") +
                             textformat::countText(s.iTotal));
    ui.Frame1->setEnabled(false);
    ui.Frame2->setEnabled(false);
    ui.Frame4->setEnabled(false);
    ui.cmdStart->setVisible(true);
    ui.cmdStart->setEnabled(true);
    ui.cmdStart->setFocus();
    ui.cmdNext->setVisible(false);
}
