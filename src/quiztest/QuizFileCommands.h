#pragma once

#include <QString>

#include <cstdint>

namespace quizfile {
struct ReadResult;
}
class QuizFileView;
class QuizSession;
struct Platform;

// The quiz window's Browse and Load commands and its file name box.
class QuizFileCommands {
public:
    QuizFileCommands(QuizSession& session, QuizFileView& view, Platform& platform);

    void cmdBrowse_Click();
    void txtQuizFile_GotFocus();
    void cmdLoad_Click();

    // The filter list of the file-open dialog, the first entry selected.
    static QString browseFilter();

private:
    // What follows the read, on the window's thread: the messages, the items
    // and what can begin.
    void finishLoad(quizfile::ReadResult read);

    QuizSession& m_session;
    QuizFileView& m_view;
    Platform& m_platform;
    // The dialog's file name: the path chosen at the last successful Browse.
    QString m_commonDialogFileName;
    // The loads begun; only the last one's outcome counts.
    std::uint64_t m_loads = 0;
};
