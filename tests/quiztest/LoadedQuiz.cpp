#include "LoadedQuiz.h"

#include "quiztest/TextFormat.h"
#include "quiztest/frmQ.h"
#include "ui_frmQ.h"

#include <cstdint>

quizfile::QuizItems numberedItems(int count)
{
    quizfile::QuizItems items;
    for (int i = 1; i <= count; ++i)
        items.append(QStringLiteral("Q%1").arg(i), QStringLiteral("A%1").arg(i));
    return items;
}

quizfile::QuizItems itemsOf(std::initializer_list<std::pair<QString, QString>> pairs)
{
    quizfile::QuizItems items;
    for (const auto& [question, answer] : pairs)
        items.append(question, answer);
    return items;
}

void loadQuiz(frmQ& quiz, quizfile::QuizItems items)
{
    TestState& s = quiz.state();
    Ui::frmQ& ui = quiz.ui();
    s.iTotal = static_cast<std::int16_t>(items.size());
    s.iAskOrder.clear();
    s.iCorrect = 0;
    s.iWrong = 0;
    s.items = std::move(items);
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
