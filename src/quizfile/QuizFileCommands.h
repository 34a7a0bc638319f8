#pragma once

class frmQ;

// The quiz window's Browse and Load commands and its file name box.
class QuizFileCommands {
public:
    explicit QuizFileCommands(frmQ& form);

    void cmdBrowse_Click();
    void txtQuizFile_GotFocus();
    void cmdLoad_Click();

private:
    frmQ& m_form;
};
