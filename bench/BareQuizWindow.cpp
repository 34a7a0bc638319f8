#include "BareQuizWindow.h"

#include "ui_frmQ.h"

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPalette>
#include <QRadioButton>

#include <algorithm>
#include <numeric>

namespace {

const QColor kRight(0x00, 0x00, 0x80);
const QColor kWrong(0xC0, 0x00, 0x00);

} // namespace

BareQuizWindow::BareQuizWindow(int items, bool withReport)
    : m_top(std::make_unique<QWidget>()), m_ui(std::make_unique<Ui::frmQ>()), m_items(items)
{
    // One top-level window, as the program's frame is: the quiz and the
    // report are children of it.
    m_window = new QWidget(m_top.get());
    m_ui->setupUi(m_window);
    m_options = {m_ui->Option1_0, m_ui->Option1_1, m_ui->Option1_2, m_ui->Option1_3, m_ui->Option1_4};
    for (QRadioButton* option : m_options)
        option->setAutoExclusive(false); // so that a new question can clear them
    m_ui->lblQuestion->setTextFormat(Qt::PlainText);
    for (QWidget* area : {m_ui->Frame1, m_ui->Frame2, m_ui->Frame4})
        area->setEnabled(true);
    m_ui->cmdStart->hide();
    m_ui->cmdNext->show();
    m_window->move(0, 0);
    m_top->resize(1280, 984);
    if (withReport) {
        auto* report = new QWidget(m_top.get());
        report->setGeometry(0, m_window->height(), m_window->width(), 245);
        m_reportCaption = new QLabel(report);
        m_reportCaption->move(20, 14);
        m_practise = new QPlainTextEdit(report);
        m_practise->setGeometry(12, 30, 290, 117);
        m_correct = new QPlainTextEdit(report);
        m_correct->setGeometry(315, 27, 282, 117);
        // A list only ever appended to keeps no undo history, as the
        // program's lists keep none.
        for (QPlainTextEdit* list : {m_practise, m_correct})
            list->setUndoRedoEnabled(false);
    }
    m_top->show();
    m_questions.reserve(static_cast<std::size_t>(items) + 1);
    m_answers.reserve(static_cast<std::size_t>(items) + 1);
    m_questions.emplace_back();
    m_answers.emplace_back();
    for (int i = 1; i <= items; ++i) {
        m_questions.push_back(QStringLiteral("Q%1").arg(i));
        m_answers.push_back(QStringLiteral("A%1").arg(i));
    }
    m_order.resize(static_cast<std::size_t>(items));
    std::iota(m_order.begin(), m_order.end(), 1);
    std::shuffle(m_order.begin(), m_order.end(), m_random);
}

BareQuizWindow::~BareQuizWindow() = default;

void BareQuizWindow::mark(int option, bool underline, bool strikeOut, double points, const QColor* color)
{
    QRadioButton& button = *m_options[static_cast<std::size_t>(option)];
    QFont font = button.font();
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    if (points > 0)
        font.setPointSizeF(points);
    button.setFont(font);
    QPalette palette = button.palette();
    const QColor plain = m_window->palette().color(QPalette::ButtonText);
    palette.setColor(QPalette::WindowText, color ? *color : plain);
    palette.setColor(QPalette::ButtonText, color ? *color : plain);
    button.setPalette(palette);
}

void BareQuizWindow::resetMarks()
{
    for (int option : m_marked)
        mark(option, false, false, 9.0, nullptr);
    m_marked.clear();
}

void BareQuizWindow::updateScore()
{
    const double score = 100.0 / m_asked * m_correctCount;
    const QString text = QStringLiteral("Score = %1 %").arg(score, 5, 'f', 2, QLatin1Char('0'));
    m_ui->lblScore->setText(text);
    m_ui->lblScore->adjustSize();
    if (m_reportCaption) {
        m_reportCaption->setText(text);
        m_reportCaption->adjustSize();
    }
}

void BareQuizWindow::append(QPlainTextEdit& list, const QString& line)
{
    list.appendPlainText(line);
}

void BareQuizWindow::choose(int index)
{
    for (int i = 0; i < 5; ++i)
        m_options[static_cast<std::size_t>(i)]->setChecked(i == index);
    m_answered = true;
    const QString line =
        m_questions[static_cast<std::size_t>(m_current)] + u',' + m_answers[static_cast<std::size_t>(m_current)];
    if (index == m_right) {
        m_ui->lblWrong->hide();
        m_ui->lblRightAnswer->show();
        if (!m_judged) {
            m_judged = true;
            ++m_correctCount;
            m_ui->lblCorrect->setText(QStringLiteral(" %1").arg(m_correctCount));
            if (m_correct)
                append(*m_correct, line);
        }
        updateScore();
        return;
    }
    m_ui->lblWrong->show();
    m_ui->lblRightAnswer->hide();
    if (!m_judged) {
        m_judged = true;
        if (m_practise)
            append(*m_practise, line);
        mark(m_right, true, false, 14.0, &kRight);
        mark(index, false, true, -1, &kWrong);
        m_marked = {m_right, index};
    }
    updateScore();
}

void BareQuizWindow::next()
{
    m_ui->lblWrong->hide();
    m_ui->lblRightAnswer->hide();
    resetMarks();
    if (m_asked == m_items)
        return;
    m_current = m_order[static_cast<std::size_t>(m_asked)];
    ++m_asked;
    m_answered = false;
    m_judged = false;
    // The right answer's slot and three other items' answers, drawn anew.
    m_right = static_cast<int>(m_random() % 4);
    m_ui->lblQuestion->setText(m_questions[static_cast<std::size_t>(m_current)]);
    for (QRadioButton* option : m_options)
        option->setChecked(false);
    for (int slot = 0; slot < 4; ++slot) {
        int item = m_current;
        while (slot != m_right && item == m_current)
            item = 1 + static_cast<int>(m_random() % static_cast<unsigned>(m_items));
        m_options[static_cast<std::size_t>(slot)]->setText(m_answers[static_cast<std::size_t>(item)]);
    }
    m_ui->lblAsking->setText(QStringLiteral(" %1 / %2").arg(m_asked).arg(m_items));
}
