#include "quiztest/frmQ.h"

#include "app/MDIForm1.h"
#include "app/MessageBoxes.h"
#include "app/OptionArray.h"
#include "app/Platform.h"
#include "app/ProgramEnd.h"
#include "app/Tag.h"
#include "app/TextFormat.h"
#include "help/AppIcon.h"
#include "help/frmHelp.h"
#include "quizfile/QuizFileCommands.h"
#include "report/frmReport.h"
#include "ui_frmQ.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFont>

frmQ::frmQ(Platform& platform, RandomSource& generator, MDIForm1& frame)
    : m_platform(platform), m_generator(generator), m_frame(frame), m_ui(std::make_unique<Ui::frmQ>())
{
    setWindowIcon(appIcon()); // before the design, whose picture is the icon
    m_ui->setupUi(this);
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
    m_option1 =
        new OptionArray({m_ui->Option1_0, m_ui->Option1_1, m_ui->Option1_2, m_ui->Option1_3, m_ui->Option1_4}, this);
    m_fileCommands = std::make_unique<QuizFileCommands>(*this);
    setDefaultButton(m_ui->cmdNext);
    setCancelButton(m_ui->cmdClose);
    setKeyPreview(true);
    connectHandlers();
}

frmQ::~frmQ() = default;

void frmQ::connectHandlers()
{
    connect(m_ui->cmdStart, &QPushButton::clicked, this, &frmQ::cmdStart_Click);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &frmQ::cmdClose_Click);
    connect(m_ui->cmdHelp, &QPushButton::clicked, this, &frmQ::cmdHelp_Click);
    connect(m_ui->cmdReport, &QPushButton::clicked, this, &frmQ::cmdReport_Click);
    connect(m_ui->cmdBrowse, &QPushButton::clicked, this, &frmQ::cmdBrowse_Click);
    connect(m_ui->cmdLoad, &QPushButton::clicked, this, &frmQ::cmdLoad_Click);
    connect(m_ui->cmdNext, &QPushButton::clicked, this, &frmQ::cmdNext_Click);
    connect(m_option1, &OptionArray::Click, this,
            [this](int index) { Option1_Click(static_cast<std::int16_t>(index)); });
    connect(m_ui->lblScore, &CaptionLabel::Change, this, &frmQ::lblScore_Change);
    connect(m_ui->chkFastQuiz, &QCheckBox::clicked, this, &frmQ::chkFastQuiz_Click);
    m_ui->txtQuizFile->installEventFilter(this);
}

void frmQ::Form_Load()
{
    TestState& s = m_state;
    s.iTotal = 0;
    s.iAskOrder.clear();
    s.sTitle = m_frame.Caption();
    s.iCorrect = 0;
    s.iWrong = 0;
    m_ui->lblScore->setCaption(textformat::scoreText(0));
    s.bAnswered = true;
    m_option1->setTag(4, QStringLiteral("False"));
    Move(static_cast<float>((m_frame.ScaleWidth() - Width()) / 2), 350);
    s.bReporting = false;
    report().PlaceBelowQuiz();
    report().Hide();
}

frmReport& frmQ::report()
{
    if (!m_report) {
        m_report = new frmReport(*this);
        m_report->attachTo(m_frame.mdiArea(), BorderStyle::FixedToolWindow);
        m_report->Form_Load();
    }
    return *m_report;
}

void frmQ::cmdStart_Click()
{
    m_ui->cmdStart->setVisible(false);
    m_ui->cmdNext->setVisible(true);
    m_ui->Frame1->setEnabled(true);
    m_ui->Frame2->setEnabled(true);
    m_ui->Frame4->setEnabled(true);
    cmdNext_Click();
    m_ui->cmdNext->setFocus();
}

void frmQ::askQuitQuestion(bool& cancel)
{
    const MsgAnswer answer = m_platform.messageBoxes.MsgBox(QStringLiteral("Are you sure you want to quit the Quiz?"),
                                                            MsgStyle::YesNoStop, m_state.sTitle);
    if (answer == MsgAnswer::Yes)
        m_platform.programEnd.End();
    else
        cancel = true;
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
    frmHelp::ShowHelp(m_frame.mdiArea());
}

void frmQ::cmdReport_Click()
{
    if (m_state.bReporting) {
        report().Hide();
        m_state.bReporting = false;
    } else {
        report().Show();
        m_state.bReporting = true;
    }
}

void frmQ::cmdBrowse_Click()
{
    m_fileCommands->cmdBrowse_Click();
}

void frmQ::txtQuizFile_GotFocus()
{
    m_fileCommands->txtQuizFile_GotFocus();
}

void frmQ::cmdLoad_Click()
{
    m_fileCommands->cmdLoad_Click();
}

void frmQ::cmdNext_Click() {}

void frmQ::Option1_Click(std::int16_t) {}

void frmQ::Form_KeyPress(int) {}

void frmQ::lblScore_Change()
{
    report().setReportCaption(m_ui->lblScore->Caption());
}

void frmQ::chkFastQuiz_Click() {}

void frmQ::keyPreview(int keyAscii)
{
    Form_KeyPress(keyAscii);
}

bool frmQ::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->txtQuizFile && event->type() == QEvent::FocusIn)
        txtQuizFile_GotFocus();
    return Form::eventFilter(watched, event);
}
