#include "quizfile/QuizFileCommands.h"

#include "quiztest/frmQ.h"

QuizFileCommands::QuizFileCommands(frmQ& form) : m_form(form) {}

void QuizFileCommands::cmdBrowse_Click() {}

void QuizFileCommands::txtQuizFile_GotFocus() {}

void QuizFileCommands::cmdLoad_Click() {}
