#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace quizfile {
struct ReadResult;
}
class QuizSession;
struct Platform;

// The quiz window's Browse and Load commands. They read no window: the
// window gives them what its file box holds and the title of their messages,
// and does what they return; what a load turns on and off follows the
// session's phase.
class QuizFileCommands {
public:
    QuizFileCommands(QuizSession& session, Platform& platform);

    // The path to put into the file box, with the focus on Load; none when
    // the dialog gave no path.
    std::optional<QString> cmdBrowse_Click(const QString& title);
    // Loads `path`. Returns the path to put back into the file box: the
    // loaded one, when the user keeps the test that runs.
    std::optional<QString> cmdLoad_Click(const QString& path, const QString& title);

    // The filter list of the file-open dialog, the first entry selected.
    static QString browseFilter();

private:
    // What follows the read, on the window's thread: the messages, the items
    // and what can begin.
    void finishLoad(quizfile::ReadResult read, const QString& title);

    QuizSession& m_session;
    Platform& m_platform;
    // The dialog's file name: the path chosen at the last successful Browse.
    QString m_commonDialogFileName;
    // The loads begun; only the last one's outcome counts.
    std::uint64_t m_loads = 0;
};
