#include "quiztest/QuizSession.h"

#include "quiztest/DrawnNumbers.h"
#include "quiztest/RandomDraw.h"
#include "quiztest/TextFormat.h"
#include "toolkit/CrLf.h"
#include "toolkit/Int16.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace {

// A draw fails with a list in hand only when the generator gives exactly 0,
// so drawing again succeeds; the bound keeps a broken generator from hanging
// the test.
constexpr int kDrawAttempts = 8;

template <class Draw> DrawnNumbers drawRetried(Draw draw)
{
    DrawnNumbers drawn = DrawnNumbers::failure();
    for (int attempt = 0; attempt < kDrawAttempts && !drawn.isList(); ++attempt)
        drawn = draw();
    return drawn;
}

} // namespace

QuizSession::QuizSession(RandomSource& generator, Clock& clock) : m_generator(generator), m_clock(clock) {}

bool QuizSession::isRight(int index) const
{
    // Skip is never right, even in a quiz whose answer reads "Skip".
    const int right = m_question.rightSlot;
    if (index < 0 || index >= QuizQuestion::Slots || right < 0)
        return false;
    // When two questions share an answer text both slots read the same, and
    // the person who picks either one has picked the right answer.
    return index == right || m_question.answers[index] == m_question.answers[right];
}

void QuizSession::setPhase(Phase phase)
{
    m_phase = phase;
    emit phaseChanged(phase);
}

void QuizSession::reset()
{
    m_iTotal = 0;
    m_iAskOrder.clear();
    m_iCorrect = 0;
    m_iWrong = 0;
}

void QuizSession::open()
{
    reset();
    emit scoreChanged(textformat::scoreText(0));
    m_bAnswered = true;
}

void QuizSession::beginLoad(const QString& path)
{
    reset();
    emit scoreChanged(textformat::scoreText(0));
    emit progressChanged(textformat::progressText(iAsked(), m_iTotal));
    emit correctCountChanged(textformat::countText(m_iCorrect));
    m_loadedPath = path;
    // A load begun while another runs takes that one's place.
    if (m_phase != Phase::Loading)
        m_phaseBeforeLoad = m_phase;
    setPhase(Phase::Loading);
}

void QuizSession::takeItems(quizfile::QuizItems items, quizfile::TextEncoding encoding)
{
    if (items.isEmpty())
        return;
    m_iTotal = int16::checked(items.size()); // the reader stops at 32 767
    m_items = std::move(items);
    m_encoding = encoding;
    emit itemsTaken(encoding);
}

void QuizSession::showProgress()
{
    emit progressChanged(textformat::progressText(iAsked(), m_iTotal));
}

void QuizSession::endLoad(bool usable)
{
    setPhase(usable ? Phase::Loaded : Phase::NothingLoaded);
}

void QuizSession::endLoadAsBefore()
{
    setPhase(m_phaseBeforeLoad);
}

void QuizSession::start()
{
    setPhase(Phase::Running);
}

void QuizSession::recordWrong()
{
    m_iWrong = int16::add(m_iWrong, 1);
}

void QuizSession::updateScore()
{
    emit scoreChanged(textformat::scoreText(textformat::score(iAsked(), m_iCorrect)));
}

void QuizSession::next()
{
    emit questionClosed();
    if (!m_bAnswered && questionUnjudged()) {
        recordWrong();
        QString line = m_question.question + u',';
        if (m_question.rightSlot >= 0)
            line += m_question.answers[m_question.rightSlot] + kCrLf;
        emit practiseLine(line);
    }
    // Past the last question there is nothing left to draw.
    if (finished()) {
        if (m_phase == Phase::Running)
            setPhase(Phase::Finished);
        const QString score = textformat::scoreText(textformat::score(iAsked(), m_iCorrect));
        emit scoreChanged(score);
        emit finishedTest(score);
        return;
    }
    showNextQuestion();
}

void QuizSession::showNextQuestion()
{
    const std::int16_t total = m_iTotal;
    // Everything is drawn before anything changes, so a draw that cannot be
    // made leaves the question as it was instead of one with missing
    // candidates.
    const std::int16_t n = randomdraw::DrawUnaskedQuestion(total, m_iAskOrder, m_generator);
    const DrawnNumbers slotOrder = drawRetried(
        [&] { return randomdraw::RandomNumbers(3, 0, QuizQuestion::Slots, true, 0, m_generator, m_clock); });
    const DrawnNumbers others =
        drawRetried([&] { return randomdraw::RandomNumbers(total, 1, 3, true, n, m_generator, m_clock); });
    if (!slotOrder.isList() || !others.isList())
        return;

    m_bAnswered = false;
    m_iAskOrder.append(n);
    // A load that stops at a bad line can leave a test running on new items.
    if (m_phase == Phase::Finished)
        m_phase = Phase::Running;
    QuizQuestion q;
    q.item = n;
    q.question = m_items.question(n);
    const std::vector<std::int16_t>& slot = slotOrder.values();
    for (std::size_t k = 0; k < slot.size(); ++k) {
        const std::int16_t item = k == 0 ? n : others.values().at(k - 1);
        q.items[slot[k]] = item;
        q.answers[slot[k]] = m_items.answer(item);
        q.fillOrder[k] = slot[k];
    }
    q.rightSlot = slot[0];
    m_question = std::move(q);
    emit questionShown();
    emit progressChanged(textformat::progressText(iAsked(), total));
}

QuizSession::Verdict QuizSession::answer(int index, const AnswerOptions& options)
{
    m_bAnswered = true;
    const QuizQuestion& q = m_question;
    const Verdict judged{isRight(index), questionUnjudged()};
    emit verdict(judged.right);
    if (judged.right) {
        if (judged.counted) {
            m_iCorrect = int16::add(m_iCorrect, 1);
            emit correctCountChanged(textformat::countText(m_iCorrect));
            emit correctLine(q.question + u',' + q.answers[index] + kCrLf);
        }
        updateScore();
        if (options.nextOnRight)
            next();
        // After an advance the new question counts as asked.
        updateScore();
        if (options.fastQuiz)
            next();
        return judged;
    }
    if (judged.counted) {
        recordWrong();
        const int right = q.rightSlot;
        emit practiseLine(q.question + u',' + (right >= 0 ? q.answers[right] + kCrLf : QString()));
        if (right >= 0 && options.showCorrect)
            emit marked(right, index);
    }
    updateScore();
    if (options.fastQuiz)
        next();
    return judged;
}
