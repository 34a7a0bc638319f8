#include "quiztest/QuizFileCommands.h"

#include "quizfile/QuizFile.h"
#include "quiztest/TextFormat.h"
#include "quiztest/frmQ.h"
#include "toolkit/Accessibility.h"
#include "toolkit/FileOpenDialog.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/Platform.h"
#include "toolkit/Tag.h"
#include "ui_frmQ.h"

#include <exception>
#include <new>
#include <utility>

namespace {

constexpr int kFewestItems = 4; // one right and three wrong candidates

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
        failed.error =
            quizfile::ReadError{quizfile::ReadErrorKind::ReadFailed, 0,
                                QStringLiteral("there is not enough memory to load the file \"%1\"").arg(path)};
        return failed;
    } catch (const std::exception& error) {
        quizfile::ReadResult failed;
        failed.error = quizfile::ReadError{
            quizfile::ReadErrorKind::ReadFailed, 0,
            QStringLiteral("the file \"%1\" cannot be loaded: %2").arg(path, QString::fromUtf8(error.what()))};
        return failed;
    }
}

} // namespace

QuizFileCommands::QuizFileCommands(frmQ& form, Platform& platform) : m_form(form), m_platform(platform) {}

QString QuizFileCommands::browseFilter()
{
    return QStringLiteral("Question & Answer Text files (*.txt);;"
                          "Question & Answer Comma Seperated files (*.csv);;"
                          "All files (*.*)");
}

void QuizFileCommands::cmdBrowse_Click()
{
    Platform& platform = m_platform;
    try {
        if (std::optional<QString> chosen = platform.fileOpenDialog.getOpenFileName(browseFilter()))
            m_commonDialogFileName = *std::move(chosen);
        if (!isBlank(m_commonDialogFileName)) {
            m_form.ui().txtQuizFile->setText(m_commonDialogFileName);
            m_form.ui().cmdLoad->setFocus();
        }
    } catch (const std::exception& error) {
        platform.messageBoxes.MsgBox(QString::fromUtf8(error.what()), MsgStyle::OkStop, m_form.state().sTitle());
    }
}

void QuizFileCommands::txtQuizFile_GotFocus()
{
    // Selected before the focus is announced, and read with it.
    accessibility::quietly([](QWidget& box) { static_cast<QLineEdit&>(box).selectAll(); }, *m_form.ui().txtQuizFile);
}

void QuizFileCommands::cmdLoad_Click()
{
    TestState& s = m_form.state();
    Ui::frmQ& ui = m_form.ui();
    MessageBoxes& boxes = m_platform.messageBoxes;
    QLineEdit& path = *ui.txtQuizFile;

    if (ui.cmdStart->isHidden()) {
        const MsgAnswer answer = boxes.MsgBox(path.text() + QStringLiteral("\r\nTest is in progress!\r\n\r\n"
                                                                           "Are you sure you want to cancel this test "
                                                                           "and load another test"),
                                              MsgStyle::YesNoStop, s.sTitle());
        if (answer == MsgAnswer::No) {
            path.setText(tag::get(path));
            return;
        }
    }

    if (s.iTotal() > 0 && tag::get(path) == path.text()) {
        boxes.MsgBox(QStringLiteral("Quiz Question and Answer file \r\n") + path.text() +
                         QStringLiteral("\r\n is already loaded\r\nPress the START button to begin the test\r\n\r\n"
                                        "If you really want to load again, reload the app"),
                     MsgStyle::OkInformation, s.sTitle());
        return;
    }

    s.reset();
    ui.lblScore->setCaption(textformat::scoreText(0));
    ui.lblAsking->setCaption(textformat::progressText(s.iAsked(), s.iTotal()));
    ui.lblCorrect->setCaption(textformat::countText(s.iCorrect()));
    m_form.setTestControlsEnabled(false);
    tag::set(path, path.text());

    quizfile::ReadResult read = readQuizFile(path.text());
    // Items read before a failing line stay loaded.
    s.takeItems(std::move(read.items), read.encoding);

    if (read.error) {
        boxes.MsgBox(read.error->message, MsgStyle::OkStop, s.sTitle());
        // Start and Next keep their state, unless that would let a test begin
        // or go on with too few items to draw three wrong candidates from.
        if (s.iTotal() < kFewestItems)
            showStartUpLook();
        return;
    }

    ui.lblAsking->setCaption(textformat::progressText(s.iAsked(), s.iTotal()));
    if (s.iTotal() < kFewestItems) {
        boxes.MsgBox(QStringLiteral("Not enough questions to ask\r\n"
                                    "Question & Answer combination must be more than 4\r\n\r\n"
                                    "Load another file"),
                     MsgStyle::OkStop, s.sTitle());
        showStartUpLook();
        return;
    }
    ui.cmdStart->setVisible(true);
    ui.cmdStart->setEnabled(true);
    ui.cmdStart->setFocus();
    ui.cmdNext->setVisible(false);
}

void QuizFileCommands::showStartUpLook()
{
    Ui::frmQ& ui = m_form.ui();
    ui.cmdStart->setVisible(true);
    ui.cmdStart->setEnabled(false);
    ui.cmdNext->setVisible(false);
}
