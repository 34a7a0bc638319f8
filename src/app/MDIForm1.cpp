#include "app/MDIForm1.h"

#include "app/Module1.h"
#include "help/frmHelp.h"
#include "quiztest/Quiz.h"
#include "quiztest/QuizSession.h"
#include "quiztest/frmQ.h"
#include "report/frmReport.h"
#include "toolkit/AppIcon.h"
#include "toolkit/DesignPalette.h"
#include "toolkit/Platform.h"
#include "toolkit/Twips.h"
#include "toolkit/WorkArea.h"
#include "ui_MDIForm1.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLayout>
#include <QMdiArea>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>

namespace {
constexpr std::int32_t kTwips = 1;
} // namespace

MDIForm1::MDIForm1(Platform& platform, RandomSource& generator)
    : m_platform(platform), m_generator(generator), m_ui(std::make_unique<Ui::MDIForm1>())
{
    m_ui->setupUi(this);
    setCentralWidget(m_ui->mdiArea);
    setWindowIcon(appIcon());
    applyDesignPalette(*this);
    // On a small screen the docked report reaches past the client area: it
    // scrolls instead of leaving the Save buttons out of reach, and a control
    // that gets the focus is scrolled into view.
    m_ui->mdiArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_ui->mdiArea->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_focusFollower =
        connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { scrollIntoView(now); });
}

void MDIForm1::scrollIntoView(QWidget* control)
{
    QWidget* viewport = m_ui->mdiArea->viewport();
    if (!control || !viewport->isAncestorOf(control))
        return;
    const QRect area = viewport->rect();
    const QRect shown(control->mapTo(viewport, QPoint(0, 0)), control->size());
    // The smallest move that shows the control, its top-left corner first.
    const auto shift = [](int low, int high, int areaLow, int areaHigh) {
        if (low < areaLow)
            return low - areaLow;
        if (high > areaHigh)
            return std::min(high - areaHigh, low - areaLow);
        return 0;
    };
    QScrollBar* h = m_ui->mdiArea->horizontalScrollBar();
    QScrollBar* v = m_ui->mdiArea->verticalScrollBar();
    h->setValue(h->value() + shift(shown.left(), shown.right(), area.left(), area.right()));
    v->setValue(v->value() + shift(shown.top(), shown.bottom(), area.top(), area.bottom()));
}

MDIForm1::~MDIForm1()
{
    // The windows' destruction moves the focus after this frame is gone.
    disconnect(m_focusFollower);
    // The windows show the test: they go first.
    delete m_report;
    delete m_quiz;
}

void MDIForm1::MDIForm_Load()
{
    if (!m_platform.workArea.known()) {
        leaveToWindowManager();
        return;
    }
    m_bSkipResize = true;
    const std::int32_t w = Module1::WorkAreaWidth(m_platform.workArea, kTwips);
    const std::int32_t h = Module1::WorkAreaHeight(m_platform.workArea, kTwips);
    m_outerSize = QSize(twips::toPixels(w), twips::toPixels(h));
    move(0, 0);
    resize(m_outerSize);
    makeWindows();
}

void MDIForm1::leaveToWindowManager()
{
    // The frame cannot fill a work area it is not told of: it is shown
    // maximised, and every size the window manager gives it, the first one
    // included, centres the quiz window and the report below it again.
    // Restored, it takes the size the platform reports.
    m_bSkipResize = false;
    resize(twips::toPixels(Module1::WorkAreaWidth(m_platform.workArea, kTwips)),
           twips::toPixels(Module1::WorkAreaHeight(m_platform.workArea, kTwips)));
    setWindowState(windowState() | Qt::WindowMaximized);
    makeWindows();
}

void MDIForm1::makeWindows()
{
    // The quiz window centres itself in the client area, which a hidden
    // window lays out only when asked.
    layout()->activate();

    m_test = std::make_unique<Quiz>(m_generator, m_platform);
    m_quiz = new frmQ(*m_test, m_platform, *this);
    m_quiz->attachTo(*m_ui->mdiArea, BorderStyle::FixedSingle);
    // The quiz window's load docks the report below it, so the report is
    // there first; it lives, shown or hidden, as long as the quiz window.
    m_report = new frmReport(*this, m_platform.messageBoxes, m_platform.backgroundWork, m_test->practiseList(),
                             m_test->correctList());
    m_report->attachTo(*m_ui->mdiArea, BorderStyle::FixedToolWindow);
    m_report->Form_Load();
    ListSaving* const saving = &m_report->saving();
    saving->setQuizCaption(m_quiz->windowTitle());
    connect(m_quiz, &frmQ::reportPlacementRequested, this, &MDIForm1::placeReportBelowQuiz);
    connect(m_report, &frmReport::placeBelowQuizRequested, this, &MDIForm1::placeReportBelowQuiz);
    connect(m_quiz, &frmQ::quizFilePathChanged, saving, &ListSaving::setQuizFilePath);
    connect(m_quiz, &frmQ::reportVisibilityRequested, m_report,
            [report = m_report](bool shown) { shown ? report->showReport() : report->hideReport(); });
    connect(m_report, &frmReport::hidden, m_quiz, &frmQ::reportHidden);
    connect(m_report, &frmReport::listSaving, m_quiz, &frmQ::listSaving);
    // The score copy follows the test wherever the quiz window is.
    const QuizSession* session = &m_test->session();
    connect(session, &QuizSession::scoreChanged, m_report, &frmReport::setReportCaption);
    connect(session, &QuizSession::itemsTaken, saving, &ListSaving::setQuizEncoding);
    connect(m_quiz, &frmQ::helpRequested, this, [this] { frmHelp::ShowHelp(mdiArea()); });
    m_quiz->Form_Load();
    m_quiz->showForm();
}

void MDIForm1::MDIForm_Resize()
{
    if (m_bSkipResize) {
        m_bSkipResize = false;
        return;
    }
    if (!m_quiz)
        return;
    m_quiz->PlaceInFrame();
    placeReportBelowQuiz();
}

void MDIForm1::placeReportBelowQuiz()
{
    m_report->PlaceBelowQuiz({m_quiz->leftTwips(), m_quiz->topTwips(), m_quiz->widthTwips(), m_quiz->heightTwips()});
}

QString MDIForm1::Caption() const
{
    return windowTitle();
}

double MDIForm1::ScaleWidth() const
{
    return twips::fromPixels(m_ui->mdiArea->width());
}

double MDIForm1::ScaleHeight() const
{
    return twips::fromPixels(m_ui->mdiArea->height());
}

QMdiArea& MDIForm1::mdiArea()
{
    return *m_ui->mdiArea;
}

void MDIForm1::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    MDIForm_Resize();
}

void MDIForm1::closeEvent(QCloseEvent* event)
{
    // The quiz window decides; on Yes the program ends from inside its handler.
    event->ignore();
    if (m_quiz)
        m_quiz->Form_QueryUnload();
}

void MDIForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    QTimer::singleShot(0, this, &MDIForm1::fitOuterSize);
}

void MDIForm1::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    fitOuterSize();
}

void MDIForm1::fitOuterSize()
{
    // The window manager adds its decorations only some time after the window
    // is shown; once they are known, the client area shrinks by them so that
    // the outer edges meet the work area's. Only once: later sizes are the
    // user's.
    if (m_outerFitted || m_outerSize.isEmpty() || !isVisible() || isMaximized() || isFullScreen())
        return;
    const QSize decorations = frameGeometry().size() - size();
    if (decorations.width() <= 0 && decorations.height() <= 0)
        return;
    m_outerFitted = true;
    resize(m_outerSize - decorations);
}
