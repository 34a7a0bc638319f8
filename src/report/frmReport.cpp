#include "report/frmReport.h"

#include "quizfile/QuizFileReader.h"
#include "quizfile/ResultList.h"
#include "report/ReportLayout.h"
#include "report/ResultFiles.h"
#include "toolkit/Accessibility.h"
#include "toolkit/FrameArea.h"
#include "toolkit/TextBox.h"
#include "toolkit/Twips.h"
#include "ui_frmReport.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>

#include <utility>

namespace {

constexpr double kReportHeight = 3675; // twips
constexpr double kOverlap = 22;        // twips of the quiz window's bottom edge it covers
const QString kFullScreenCaption = QStringLiteral("&Full Screen");
const QString kDockCaption = QStringLiteral("&Dock with PDR");

reportlayout::Rect twipsOf(const QWidget& control)
{
    const QRect r = control.geometry();
    return {double(twips::fromPixels(r.x())), double(twips::fromPixels(r.y())), double(twips::fromPixels(r.width())),
            double(twips::fromPixels(r.height()))};
}

void place(QWidget& control, const reportlayout::Rect& r)
{
    const QRect pixels(twips::toPixels(r.Left), twips::toPixels(r.Top), twips::toPixels(r.Width),
                       twips::toPixels(r.Height));
    if (control.geometry() != pixels)
        control.setGeometry(pixels);
}

} // namespace

frmReport::frmReport(FrameArea& frame, MessageBoxes& boxes, BackgroundWork& work, ResultList& practise,
                     ResultList& correct)
    : m_frame(frame), m_practise(practise), m_correct(correct), m_saving(boxes, work),
      m_ui(std::make_unique<Ui::frmReport>())
{
    m_ui->setupUi(this);
    m_ui->lblReport->adjustSize();
    describeForScreenReaders();
    connectHandlers();
    connect(&m_saving, &ListSaving::writing, this, &frmReport::setSaving);
    connect(&m_saving, &ListSaving::saving, this, &frmReport::listSaving);
    showList(*m_ui->txtPractise, m_practise);
    showList(*m_ui->txtAnsweredCorrect, m_correct);
}

// The box shows the list and the list takes every edit made in the box, so
// that a save finds what the user sees.
void frmReport::showList(TextBox& box, ResultList& list)
{
    box.setText(list.text());
    connect(&list, &ResultList::appended, &box, &TextBox::appendText);
    connect(&box, &TextBox::paragraphsEdited, &list, &ResultList::replaceParagraphs);
}

void frmReport::describeForScreenReaders()
{
    Ui::frmReport& ui = *m_ui;
    setWindowName(QStringLiteral("Report"));
    ui.cmdSaveTODO->setAccessibleName(QStringLiteral("Save the questions to practise"));
    ui.cmdSaveCorrect->setAccessibleName(QStringLiteral("Save the questions answered correctly"));
    // Each list is named for what it holds; the caption above it, which says
    // the same at length, becomes its description.
    for (auto [list, caption] :
         {std::pair{ui.txtPractise, ui.lblTODO}, {ui.txtAnsweredCorrect, ui.lblAnsweredCorrect}}) {
        list->setAccessibleDescription(caption->text());
        accessibility::hideFromTree(*caption);
        // No line of a quiz is longer; a longer pasted one would hold the
        // window while Qt lays it out.
        list->setLongestPastedLine(quizfile::kMaxLineLength);
    }
    accessibility::showAsGroup(*ui.fraReport);
}

frmReport::~frmReport() = default;

void frmReport::connectHandlers()
{
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &frmReport::cmdClose_Click);
    connect(m_ui->cmdDock, &QPushButton::clicked, this, &frmReport::cmdDock_Click);
    connect(m_ui->cmdFullScreen, &QPushButton::clicked, this, &frmReport::cmdFullScreen_Click);
    connect(m_ui->cmdSaveTODO, &QPushButton::clicked, this, &frmReport::cmdSaveTODO_Click);
    connect(m_ui->cmdSaveCorrect, &QPushButton::clicked, this, &frmReport::cmdSaveCorrect_Click);
}

void frmReport::Form_Load()
{
    m_bDocked = false;
    m_iMinHeight = 4275;
    m_bSkipResize = true;
    m_bFullScreen = false;
}

void frmReport::PlaceBelowQuiz(const QuizPlace& quiz)
{
    m_quiz = quiz;
    moveTwips(quiz.left, quiz.top + quiz.height - kOverlap, quiz.width, kReportHeight);
}

void frmReport::showReport()
{
    showForm();
}

void frmReport::hideReport()
{
    hideForm();
}

void frmReport::setReportCaption(const QString& caption)
{
    m_ui->lblReport->setText(caption);
    m_ui->lblReport->adjustSize();
}

void frmReport::cmdClose_Click()
{
    setBorderStyle(BorderStyle::None);
    hideForm();
    emit hidden();
}

void frmReport::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hideForm();
    emit hidden();
}

// --- Docking, full screen, layout and dragging ---

void frmReport::cmdDock_Click()
{
    if (m_bDocked) {
        m_bDocked = false;
        return;
    }
    m_bDocked = true;
    emit placeBelowQuizRequested();
}

void frmReport::cmdFullScreen_Click()
{
    if (m_bFullScreen) {
        m_bDocked = true;
        m_bFullScreen = false;
        emit placeBelowQuizRequested();
        m_ui->cmdFullScreen->setText(kFullScreenCaption);
        return;
    }
    m_bDocked = false;
    m_bFullScreen = true;
    moveTwips(0, 0, m_frame.ScaleWidth(), m_frame.ScaleHeight());
    m_ui->cmdFullScreen->setText(kDockCaption);
}

void frmReport::outerResized()
{
    Form_Resize();
}

void frmReport::Form_Resize()
{
    if (m_bSkipResize) {
        m_bSkipResize = false;
        return;
    }
    if (Minimized())
        return;
    // A size set here comes back at once as a nested notification, which lays
    // the controls out for it.
    if (const double quizWidth = m_quiz.width; widthTwips() < quizWidth) {
        moveTwips(leftTwips(), topTwips(), quizWidth, heightTwips());
        return;
    }
    if (heightTwips() < m_iMinHeight) {
        moveTwips(leftTwips(), topTwips(), widthTwips(), m_iMinHeight);
        return;
    }
    layOutControls();
}

void frmReport::layOutControls()
{
    Ui::frmReport& ui = *m_ui;
    reportlayout::Controls c{
        twipsOf(*ui.fraReport),          twipsOf(*ui.txtPractise),   twipsOf(*ui.txtAnsweredCorrect),
        twipsOf(*ui.lblAnsweredCorrect), twipsOf(*ui.cmdSaveTODO),   twipsOf(*ui.cmdSaveCorrect),
        twipsOf(*ui.cmdClose),           twipsOf(*ui.cmdFullScreen), twipsOf(*ui.cmdDock)};
    reportlayout::layOut(c, {widthTwips(), heightTwips(), ScaleWidth(), ScaleHeight()});
    place(*ui.fraReport, c.fraReport);
    place(*ui.txtPractise, c.txtPractise);
    place(*ui.txtAnsweredCorrect, c.txtAnsweredCorrect);
    place(*ui.lblAnsweredCorrect, c.lblAnsweredCorrect);
    place(*ui.cmdSaveTODO, c.cmdSaveTODO);
    place(*ui.cmdSaveCorrect, c.cmdSaveCorrect);
    place(*ui.cmdClose, c.cmdClose);
    place(*ui.cmdFullScreen, c.cmdFullScreen);
    place(*ui.cmdDock, c.cmdDock);
}

void frmReport::mousePressEvent(QMouseEvent* event)
{
    // Presses on the frame and the labels come here too; only one on the
    // window's own background may start a drag.
    m_pressOnBackground = childAt(event->position().toPoint()) == nullptr;
    m_pressGlobal = event->globalPosition();
    event->accept();
}

void frmReport::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressOnBackground)
        return;
    Form_MouseMove(event->buttons(), event->globalPosition());
}

void frmReport::Form_MouseMove(Qt::MouseButtons Button, const QPointF& globalPosition)
{
    if (Button != Qt::LeftButton)
        return;
    m_pressOnBackground = false;
    // From the press, so the window keeps to the pointer from the first move.
    startInteractiveMove(m_pressGlobal, globalPosition, [this] { m_bDocked = false; });
}

void frmReport::cmdSaveTODO_Click()
{
    m_saving.saveList(m_practise, resultfiles::kReadAgainSuffix);
}

void frmReport::cmdSaveCorrect_Click()
{
    m_saving.saveList(m_correct, resultfiles::kAnsweredCorrectSuffix);
}

void frmReport::setSaving(bool saving)
{
    QWidget* const before = QApplication::focusWidget();
    m_ui->cmdSaveTODO->setEnabled(!saving);
    m_ui->cmdSaveCorrect->setEnabled(!saving);
    // Disabling the pressed button moves the focus on; it comes back when the
    // save ends, unless the user has moved it since.
    if (saving) {
        const bool onSave = before == m_ui->cmdSaveTODO || before == m_ui->cmdSaveCorrect;
        m_focusReturn = onSave ? before : nullptr;
        m_focusMovedTo = onSave ? QApplication::focusWidget() : nullptr;
        return;
    }
    if (m_focusReturn && before == m_focusMovedTo)
        m_focusReturn->setFocus();
    m_focusReturn = nullptr;
    m_focusMovedTo = nullptr;
}
