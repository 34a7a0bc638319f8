#pragma once

#include <QString>

class frmQ;

// The quiz window's Browse and Load commands and its file name box.
class QuizFileCommands {
public:
    explicit QuizFileCommands(frmQ& form);

    void cmdBrowse_Click();
    void txtQuizFile_GotFocus();
    void cmdLoad_Click();

    // The filter list of the file-open dialog, the first entry selected.
    static QString browseFilter();

private:
    // Start shown and disabled, Next hidden: no test can begin or go on.
    void showStartUpLook();

    frmQ& m_form;
    // The dialog's file name: the path chosen at the last successful Browse.
    QString m_commonDialogFileName;
};
