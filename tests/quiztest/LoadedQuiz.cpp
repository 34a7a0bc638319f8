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
    s.reset();
    s.takeItems(std::move(items));
    ui.lblScore->setCaption(textformat::scoreText(0));
    ui.lblCorrect->setCaption(textformat::countText(s.iCorrect()));
    ui.lblAsking->setCaption(textformat::progressText(s.iAsked(), s.iTotal()));
    quiz.setTestControlsEnabled(false);
    ui.cmdStart->setVisible(true);
    ui.cmdStart->setEnabled(true);
    ui.cmdStart->setFocus();
    ui.cmdNext->setVisible(false);
}
