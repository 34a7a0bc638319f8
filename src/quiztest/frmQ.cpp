#include "quiztest/frmQ.h"

#include "quiztest/Quiz.h"
#include "quiztest/TextFormat.h"
#include "toolkit/AccessKeys.h"
#include "toolkit/Accessibility.h"
#include "toolkit/Announcer.h"
#include "toolkit/AppIcon.h"
#include "toolkit/FileNames.h"
#include "toolkit/FrameArea.h"
#include "toolkit/KeyPreview.h"
#include "toolkit/MessageBoxes.h"
#include "toolkit/OptionArray.h"
#include "toolkit/Platform.h"
#include "toolkit/ProgramEnd.h"
#include "toolkit/Tag.h"
#include "ui_frmQ.h"

#include <QCloseEvent>
#include <QColor>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QEvent>
#include <QFont>
#include <QMimeData>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <initializer_list>
#include <utility>

namespace {

constexpr double kTopInFrame = 350;         // twips below the frame's client area's top edge
constexpr int kSlots = QuizQuestion::Slots; // Option1(0..3) show the candidate answers
constexpr int kSkip = QuizSession::Skip;    // Option1(4)
constexpr double kSlotPoints = 9.0;
constexpr double kMarkedPoints = 14.0;
const QColor kMarkedRight(0x00, 0x00, 0x80);
const QColor kMarkedWrong(0xC0, 0x00, 0x00);

// The path of a drag that carries exactly one local file, else empty: several
// files, a web address or a folder are no quiz file to load.
QString droppedQuizFile(const QMimeData* data)
{
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    const QString path = filenames::fromUrl(urls.front());
    return path.isEmpty() || filenames::isFolder(path) ? QString() : path;
}

// Ignored, a drag shows no drop cursor and no drop follows.
void answerDrag(QDropEvent* event)
{
    if (droppedQuizFile(event->mimeData()).isEmpty())
        event->ignore();
    else
        event->acceptProposedAction();
}

} // namespace

frmQ::frmQ(Quiz& quiz, Platform& platform, FrameArea& frame)
    : m_platform(platform), m_frame(frame), m_ui(std::make_unique<Ui::frmQ>()), m_session(quiz.session()),
      m_fileCommands(quiz.fileCommands())
{
    setWindowIcon(appIcon());
    m_ui->setupUi(this);
    // The design's picture is the icon's, read once for every window.
    m_ui->Image1->setPixmap(appPicture());
    // The design's fractional point sizes, which a .ui file cannot hold.
    for (auto [label, points] : {std::pair{static_cast<QWidget*>(m_ui->lblQuestion), 14.25},
                                 {m_ui->lblAsking1, 8.25},
                                 {m_ui->lblAsking, 8.25},
                                 {m_ui->lblCorrect1, 8.25},
                                 {m_ui->lblCorrect, 8.25}}) {
        QFont font = label->font();
        font.setPointSizeF(points);
        label->setFont(font);
    }
    m_ui->lblScore->adjustSize(); // sizes itself to its text
    // A question is shown as written, even one that looks like markup.
    m_ui->lblQuestion->setTextFormat(Qt::PlainText);
    m_option1 =
        new OptionArray({m_ui->Option1_0, m_ui->Option1_1, m_ui->Option1_2, m_ui->Option1_3, m_ui->Option1_4}, this);
    describeForScreenReaders();
    setDefaultButton(m_ui->cmdNext);
    setCancelButton(m_ui->cmdClose);
    // Keys 1 to 5 answer wherever the focus is in the window.
    m_keyPreview = std::make_unique<KeyPreview>(*this, [this](int keyAscii) { Form_KeyPress(keyAscii); });
    setAcceptDrops(true);
    connectHandlers();
    connectSession();
}

frmQ::~frmQ() = default;

void frmQ::describeForScreenReaders()
{
    Ui::frmQ& ui = *m_ui;
    setWindowName(QStringLiteral("Quiz"));
    ui.cmdBrowse->setAccessibleName(QStringLiteral("Browse for a quiz file"));
    ui.cmdHelp->setAccessibleName(QStringLiteral("Help"));
    // The frames' captions are their accessible names in the design.
    for (QWidget* frame : {ui.Frame3, ui.Frame1, ui.Frame2, ui.Frame4})
        accessibility::showAsGroup(*frame);
    // The number badges beside the options are their keys, said as each
    // option's description; the counters' captions are part of their names.
    const std::initializer_list<QWidget*> decorations{ui.Label1, ui.Label3, ui.Label2, ui.Label4,     ui.Label5,
                                                      ui.Label6, ui.Image1, ui.Line1,  ui.lblAsking1, ui.lblCorrect1};
    for (QWidget* decoration : decorations)
        accessibility::hideFromTree(*decoration);
    describeOptions();
}

void frmQ::describeOptions(int right, int chosen)
{
    for (int index = 0; index < OptionArray::Count; ++index) {
        const auto mark = index == right    ? textformat::OptionMark::Right
                          : index == chosen ? textformat::OptionMark::WrongChoice
                                            : textformat::OptionMark::None;
        (*m_option1)[index].setAccessibleDescription(textformat::optionDescription(index + 1, mark));
    }
}

void frmQ::nameCounters()
{
    m_ui->lblAsking->setAccessibleName(textformat::progressName(m_session.iAsked(), m_session.iTotal()));
    m_ui->lblCorrect->setAccessibleName(textformat::correctName(m_session.iCorrect()));
}

void frmQ::showVerdict(bool right)
{
    m_ui->lblWrong->setVisible(!right);
    m_ui->lblRightAnswer->setVisible(right);
    // Told again for a second wrong choice, though the label was showing.
    if (m_answerNews)
        m_answerNews->right = right;
}

void frmQ::connectHandlers()
{
    connect(m_ui->cmdStart, &QPushButton::clicked, this, &frmQ::cmdStart_Click);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &frmQ::cmdClose_Click);
    connect(m_ui->cmdHelp, &QPushButton::clicked, this, &frmQ::cmdHelp_Click);
    connect(m_ui->cmdReport, &QPushButton::clicked, this, &frmQ::cmdReport_Click);
    connect(m_ui->cmdBrowse, &QPushButton::clicked, this, &frmQ::cmdBrowse_Click);
    connect(m_ui->cmdLoad, &QPushButton::clicked, this, &frmQ::cmdLoad_Click);
    connect(m_ui->cmdNext, &QPushButton::clicked, this, &frmQ::cmdNext_Click);
    connect(m_option1, &OptionArray::clicked, this,
            [this](int index) { Option1_Click(static_cast<std::int16_t>(index)); });
    connect(m_ui->chkFastQuiz, &QCheckBox::clicked, this, &frmQ::chkFastQuiz_Click);
    m_ui->txtQuizFile->installEventFilter(this);
    connect(m_ui->txtQuizFile, &QLineEdit::textChanged, this, &frmQ::quizFilePathChanged);
    accessKeysNeverType(*m_ui->txtQuizFile);
    accessibility::readWholeLine(*m_ui->txtQuizFile);
    for (CaptionLabel* counter : {m_ui->lblAsking, m_ui->lblCorrect})
        connect(counter, &CaptionLabel::Change, this, &frmQ::nameCounters);
}

void frmQ::connectSession()
{
    QuizSession* s = &m_session;
    connect(s, &QuizSession::phaseChanged, this, &frmQ::showPhase);
    connect(s, &QuizSession::questionClosed, this, &frmQ::closeQuestion);
    connect(s, &QuizSession::questionShown, this, &frmQ::showQuestion);
    connect(s, &QuizSession::progressChanged, m_ui->lblAsking, &CaptionLabel::setCaption);
    connect(s, &QuizSession::verdict, this, &frmQ::showVerdict);
    connect(s, &QuizSession::correctCountChanged, m_ui->lblCorrect, &CaptionLabel::setCaption);
    connect(s, &QuizSession::marked, this, &frmQ::markRightAndChosen);
    connect(s, &QuizSession::scoreChanged, this, &frmQ::showScore);
    connect(s, &QuizSession::finishedTest, this, &frmQ::showFinish);
}

void frmQ::Form_Load()
{
    m_sTitle = m_frame.Caption();
    m_session.open();
    m_option1->setTag(4, QStringLiteral("False"));
    nameCounters();
    PlaceInFrame();
    m_bReporting = false;
    emit reportPlacementRequested();
    emit reportVisibilityRequested(false);
}

void frmQ::PlaceInFrame()
{
    // Centred in single precision, as the frame's client width may be odd.
    moveTwips(static_cast<float>((m_frame.ScaleWidth() - widthTwips()) / 2), kTopInFrame);
}

void frmQ::openQuizFile(const QString& path)
{
    m_ui->txtQuizFile->setText(path);
    cmdLoad_Click();
}

void frmQ::dragEnterEvent(QDragEnterEvent* event)
{
    answerDrag(event);
}

void frmQ::dropEvent(QDropEvent* event)
{
    const QString path = droppedQuizFile(event->mimeData());
    if (path.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // The file manager waits for the drop to finish; a message of the load
    // must not keep it waiting until the message is answered.
    QTimer::singleShot(0, this, [this, path] { openQuizFile(path); });
}

void frmQ::reportHidden()
{
    m_bReporting = false;
}

void frmQ::setTestControlsEnabled(bool enabled)
{
    for (QWidget* area : {m_ui->Frame1, m_ui->Frame2, m_ui->Frame4})
        area->setEnabled(enabled);
}

void frmQ::cmdStart_Click()
{
    m_session.start();
    setTestControlsEnabled(true);
    cmdNext_Click();
    m_ui->cmdNext->setFocus();
}

void frmQ::showPhase(QuizSession::Phase phase)
{
    // While a file is read, Start and Next stay where they are but do
    // nothing; the rest of the window answers as ever.
    const bool loading = phase == QuizSession::Phase::Loading;
    m_ui->cmdNext->setEnabled(!loading);
    if (loading)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
    switch (phase) {
    case QuizSession::Phase::Loading:
        m_ui->cmdStart->setEnabled(false);
        // Off from the load on, until Start.
        setTestControlsEnabled(false);
        break;
    case QuizSession::Phase::NothingLoaded:
        // Start shown and disabled, Next hidden: no test can begin or go on.
        m_ui->cmdStart->setVisible(true);
        m_ui->cmdStart->setEnabled(false);
        m_ui->cmdNext->setVisible(false);
        break;
    case QuizSession::Phase::Loaded:
        m_ui->cmdStart->setVisible(true);
        m_ui->cmdStart->setEnabled(true);
        m_ui->cmdStart->setFocus();
        // The focus on Start says only "Start"; the count is what was loaded.
        Announcer::of(*this).say(textformat::loadedSaid(m_session.iTotal()));
        m_ui->cmdNext->setVisible(false);
        break;
    case QuizSession::Phase::Running:
        m_ui->cmdStart->setVisible(false);
        m_ui->cmdNext->setVisible(true);
        break;
    case QuizSession::Phase::Finished:
        break;
    }
}

void frmQ::askQuitQuestion(bool& cancel)
{
    const QString saving =
        m_listSaving
            ? QStringLiteral("A list is still being saved; Pondera ends once it is saved.") + QStringLiteral("\r\n\r\n")
            : QString();
    const MsgAnswer answer = m_platform.messageBoxes.MsgBox(
        saving + QStringLiteral("Are you sure you want to quit the Quiz?"), MsgStyle::YesNoStop, m_sTitle);
    if (answer != MsgAnswer::Yes)
        cancel = true;
    else if (m_listSaving)
        m_endWhenSaved = true; // its failure must be seen before the program ends
    else
        m_platform.programEnd.End();
}

void frmQ::listSaving(bool saving)
{
    m_listSaving = saving;
    if (!saving && m_endWhenSaved)
        m_platform.programEnd.End();
}

void frmQ::cmdClose_Click()
{
    bool cancel = false;
    askQuitQuestion(cancel);
}

bool frmQ::Form_QueryUnload()
{
    bool cancel = false;
    askQuitQuestion(cancel);
    return cancel;
}

void frmQ::closeEvent(QCloseEvent* event)
{
    // On Yes the program is ending: the window must not close on its own
    // before that, so the event is refused either way.
    Form_QueryUnload();
    event->ignore();
}

void frmQ::cmdHelp_Click()
{
    emit helpRequested();
}

void frmQ::cmdReport_Click()
{
    if (m_bReporting) {
        emit reportVisibilityRequested(false);
        m_bReporting = false;
    } else {
        emit reportVisibilityRequested(true);
        m_bReporting = true;
    }
}

void frmQ::cmdBrowse_Click()
{
    if (const std::optional<QString> path = m_fileCommands.cmdBrowse_Click(m_sTitle)) {
        m_ui->txtQuizFile->setText(*path);
        m_ui->cmdLoad->setFocus();
    }
}

void frmQ::txtQuizFile_GotFocus()
{
    // Selected before the focus is announced, and read with it.
    accessibility::quietly([](QWidget& box) { static_cast<QLineEdit&>(box).selectAll(); }, *m_ui->txtQuizFile);
}

void frmQ::cmdLoad_Click()
{
    if (const std::optional<QString> back = m_fileCommands.cmdLoad_Click(m_ui->txtQuizFile->text(), m_sTitle))
        m_ui->txtQuizFile->setText(*back);
}

void frmQ::cmdNext_Click()
{
    m_session.next();
}

void frmQ::closeQuestion()
{
    m_ui->lblWrong->setVisible(false);
    m_ui->lblRightAnswer->setVisible(false);
    OptionArray& options = *m_option1;
    for (int slot = 0; slot < kSlots; ++slot) {
        options.setUnderline(slot, false);
        options.resetForeColor(slot);
        options.setStrikeOut(slot, false);
        options.setFontSize(slot, kSlotPoints);
    }
    // A Skip struck through as a wrong choice belongs to the question it was
    // made on.
    options.setStrikeOut(kSkip, false);
    options.resetForeColor(kSkip);
    describeOptions();
    if (m_answerNews)
        m_answerNews->movedOn = true;
}

void frmQ::showQuestion()
{
    const QuizQuestion& q = m_session.question();
    m_ui->lblQuestion->setText(q.question);
    OptionArray& options = *m_option1;
    options.clearSelection();
    for (const int slot : q.fillOrder) {
        options.setCaption(slot, q.answers[slot]);
        options.setTag(slot, slot == q.rightSlot ? QStringLiteral("True") : QStringLiteral("False"));
    }
    if (m_session.iTotal() == m_session.iAsked())
        m_ui->cmdStart->setEnabled(false);
    const QStringList candidates(q.answers.begin(), q.answers.end());
    QStringList said = textformat::questionSaid(m_session.iAsked(), m_session.iTotal(), q.question, candidates);
    if (m_answerNews)
        m_answerNews->question = std::move(said);
    else
        Announcer::of(*this).say(said);
}

void frmQ::markRightAndChosen(int right, int chosen)
{
    OptionArray& options = *m_option1;
    options.setUnderline(right, true);
    options.setForeColor(right, kMarkedRight);
    options.setFontSize(right, kMarkedPoints);
    options.setStrikeOut(chosen, true);
    options.setForeColor(chosen, kMarkedWrong);
    // The marks are font and colour, which a screen reader does not read.
    describeOptions(right, chosen);
    if (m_answerNews)
        m_answerNews->markedRight = textformat::rightAnswerSaid(right + 1, m_session.question().answers[right]);
}

void frmQ::showScore(const QString& score)
{
    m_ui->lblScore->setCaption(score);
    m_ui->lblScore->adjustSize(); // the label sizes itself to its text
    if (m_answerNews)
        m_answerNews->score = score;
}

void frmQ::showFinish(const QString& score)
{
    tellAnswer(); // before the message, which the reader reads by itself
    m_platform.messageBoxes.MsgBox(QStringLiteral("You have finished taking the Quiz\r\n\r\n") + score +
                                       QStringLiteral("\r\nClick on the command button REPORT (in the quiz form) "
                                                      "for more details"),
                                   MsgStyle::OkInformation, m_sTitle);
}

void frmQ::Option1_Click(std::int16_t Index)
{
    m_answerNews.emplace();
    m_answerNews->counted = m_session.questionUnjudged();
    m_session.answer(
        Index, {m_ui->chkShowCorrect->isChecked(), m_ui->chkAnswered->isChecked(), m_ui->chkFastQuiz->isChecked()});
    tellAnswer();
}

void frmQ::tellAnswer()
{
    if (!m_answerNews)
        return;
    const AnswerNews news = *std::exchange(m_answerNews, std::nullopt);
    QStringList said;
    if (news.right) {
        // The labels' advice is for a question still on the screen.
        if (news.movedOn)
            said.append(*news.right ? QStringLiteral("Correct Answer.") : QStringLiteral("Wrong Answer."));
        else
            said.append(*news.right ? m_ui->lblRightAnswer->text() : m_ui->lblWrong->text());
    }
    said.append(news.markedRight);
    if (news.counted)
        said.append(news.score);
    said.append(news.question);
    Announcer::of(*this).say(said);
}

void frmQ::Form_KeyPress(int KeyAscii)
{
    // From Start until the next load: the keys answer only then.
    if (!m_session.testRunning())
        return;
    if (KeyAscii >= '1' && KeyAscii <= '5')
        m_option1->select(KeyAscii - '1');
}

void frmQ::chkFastQuiz_Click()
{
    // Either way both other options end up off: Fast Quiz moves on after every
    // answer, which leaves nothing for them to do.
    const bool fast = m_ui->chkFastQuiz->isChecked();
    for (QCheckBox* other : {m_ui->chkShowCorrect, m_ui->chkAnswered}) {
        other->setEnabled(!fast);
        other->setChecked(false);
    }
}

bool frmQ::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->txtQuizFile) {
        switch (event->type()) {
        case QEvent::FocusIn:
            txtQuizFile_GotFocus();
            break;
        // A file dropped on the file box loads as one dropped anywhere else
        // on the window, instead of leaving its address in the box; dragged
        // text still goes into the box.
        case QEvent::DragEnter:
        case QEvent::DragMove:
            if (auto* drag = static_cast<QDropEvent*>(event); drag->mimeData()->hasUrls()) {
                answerDrag(drag);
                return true;
            }
            break;
        case QEvent::Drop:
            if (auto* drop = static_cast<QDropEvent*>(event); drop->mimeData()->hasUrls()) {
                dropEvent(drop);
                return true;
            }
            break;
        default:
            break;
        }
    }
    return Form::eventFilter(watched, event);
}
