#include "report/frmReport.h"

#include "quiztest/frmQ.h"
#include "ui_frmReport.h"

#include <QCloseEvent>

namespace {
constexpr double kReportHeight = 3675; // twips
constexpr double kOverlap = 22;        // twips of the quiz window's bottom edge it covers
} // namespace

frmReport::frmReport(frmQ& quiz) : m_quiz(quiz), m_ui(std::make_unique<Ui::frmReport>())
{
    m_ui->setupUi(this);
    m_ui->lblReport->adjustSize();
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &frmReport::cmdClose_Click);
}

frmReport::~frmReport() = default;

void frmReport::Form_Load()
{
    bDocked = false;
    iMinHeight = 4275;
    bSkipResize = true;
    bFullScreen = false;
}

void frmReport::PlaceBelowQuiz()
{
    Move(m_quiz.Left(), m_quiz.Top() + m_quiz.Height() - kOverlap, m_quiz.Width(), kReportHeight);
}

void frmReport::appendPractise(const QString& text)
{
    m_ui->txtPractise->appendText(text);
}

void frmReport::appendAnsweredCorrect(const QString& text)
{
    m_ui->txtAnsweredCorrect->appendText(text);
}

void frmReport::setReportCaption(const QString& caption)
{
    m_ui->lblReport->setText(caption);
    m_ui->lblReport->adjustSize();
}

void frmReport::cmdClose_Click()
{
    setBorderStyle(BorderStyle::None);
    Hide();
    m_quiz.state().bReporting = false;
}

void frmReport::closeEvent(QCloseEvent* event)
{
    event->ignore();
    Hide();
    m_quiz.state().bReporting = false;
}
