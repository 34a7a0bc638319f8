#include "quiztest/QuizFileCommands.h"

#include "quizfile/QuizFile.h"
#include "quiztest/QuizSession.h"
#include "toolkit/BackgroundWork.h"
#include "toolkit/FileNames.h"
#include "toolkit/FileOpenDialog.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/Platform.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <new>
#include <optional>
#include <utility>

namespace {

// Blanks (spaces) only, as the platform's trim removes; other white space stays.
bool isBlank(const QString& text)
{
    for (const QChar ch : text)
        if (ch != u' ')
            return false;
    return true;
}

// The reader reports every failure it knows of; anything else that goes wrong
// on the way (memory, above all) must still reach the user as a message.
quizfile::ReadResult readQuizFile(const QString& path)
{
    try {
        return quizfile::loadQuizFile(path);
    } catch (const std::bad_alloc&) {
        quizfile::ReadResult failed;
        failed.error = quizfile::ReadError{
            quizfile::ReadErrorKind::ReadFailed, 0,
            QStringLiteral("there is not enough memory to load the file \"%1\"").arg(filenames::display(path))};
        return failed;
    } catch (const std::exception& error) {
        quizfile::ReadResult failed;
        failed.error = quizfile::ReadError{quizfile::ReadErrorKind::ReadFailed, 0,
                                           QStringLiteral("the file \"%1\" cannot be loaded: %2")
                                               .arg(filenames::display(path), QString::fromUtf8(error.what()))};
        return failed;
    }
}

} // namespace

QuizFileCommands::QuizFileCommands(QuizSession& session, Platform& platform) : m_session(session), m_platform(platform)
{
}

QString QuizFileCommands::browseFilter()
{
    return QStringLiteral("Question & Answer Text files (*.txt);;"
                          "Question & Answer Comma Seperated files (*.csv);;"
                          "All files (*.*)");
}

std::optional<QString> QuizFileCommands::cmdBrowse_Click(const QString& title)
{
    Platform& platform = m_platform;
    try {
        if (std::optional<QString> chosen = platform.fileOpenDialog.getOpenFileName(browseFilter()))
            m_commonDialogFileName = *std::move(chosen);
        if (!isBlank(m_commonDialogFileName))
            return m_commonDialogFileName;
    } catch (const std::exception& error) {
        platform.messageBoxes.MsgBox(QString::fromUtf8(error.what()), MsgStyle::OkStop, title);
    }
    return std::nullopt;
}

std::optional<QString> QuizFileCommands::cmdLoad_Click(const QString& path, const QString& title)
{
    QuizSession& s = m_session;
    MessageBoxes& boxes = m_platform.messageBoxes;

    if (s.testRunning()) {
        const MsgAnswer answer =
            boxes.MsgBox(filenames::display(path) + QStringLiteral("\r\nTest is in progress!\r\n\r\n"
                                                                   "Are you sure you want to cancel this test "
                                                                   "and load another test"),
                         MsgStyle::YesNoStop, title);
        if (answer == MsgAnswer::No)
            return s.loadedPath();
    }

    if (s.iTotal() > 0 && s.loadedPath() == path) {
        boxes.MsgBox(QStringLiteral("Quiz Question and Answer file \r\n") + filenames::display(path) +
                         QStringLiteral("\r\n is already loaded\r\nPress the START button to begin the test\r\n\r\n"
                                        "If you really want to load again, reload the app"),
                     MsgStyle::OkInformation, title);
        return std::nullopt;
    }

    s.beginLoad(path);

    // Read away from the window, which a file on a stalled network share
    // would otherwise freeze. A later Load takes this one's place: its
    // outcome is dropped.
    const auto read = std::make_shared<quizfile::ReadResult>();
    const std::uint64_t load = ++m_loads;
    m_platform.backgroundWork.run(
        s, [read, path] { *read = readQuizFile(path); },
        [this, read, load, title] {
            if (load == m_loads)
                finishLoad(std::move(*read), title);
        });
    return std::nullopt;
}

void QuizFileCommands::finishLoad(quizfile::ReadResult read, const QString& title)
{
    QuizSession& s = m_session;
    MessageBoxes& boxes = m_platform.messageBoxes;

    // Items read before a failing line stay loaded.
    s.takeItems(std::move(read.items), read.encoding);

    if (read.error) {
        boxes.MsgBox(read.error->message, MsgStyle::OkStop, title);
        // Start and Next keep their state, unless that would let a test begin
        // or go on with too few items to draw three wrong candidates from.
        if (s.enoughItems())
            s.endLoadAsBefore();
        else
            s.endLoad(false);
        return;
    }

    s.showProgress();
    if (!s.enoughItems()) {
        boxes.MsgBox(QStringLiteral("Not enough questions to ask\r\n"
                                    "Question & Answer combination must be more than 4\r\n\r\n"
                                    "Load another file"),
                     MsgStyle::OkStop, title);
        s.endLoad(false);
        return;
    }
    s.endLoad(true);
}
