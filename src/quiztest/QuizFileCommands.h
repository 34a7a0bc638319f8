#pragma once

#include <QString>

class frmQ;
struct Platform;

// The quiz window's Browse and Load commands and its file name box.
class QuizFileCommands {
public:
    QuizFileCommands(frmQ& form, Platform& platform);

    void cmdBrowse_Click();
    void txtQuizFile_GotFocus();
    void cmdLoad_Click();

    // The filter list of the file-open dialog, the first entry selected.
    static QString browseFilter();

private:
    // Start shown and disabled, Next hidden: no test can begin or go on.
    void showStartUpLook();

    frmQ& m_form;
    Platform& m_platform;
    // The dialog's file name: the path chosen at the last successful Browse.
    QString m_commonDialogFileName;
};
