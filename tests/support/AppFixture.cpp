#include "support/AppFixture.h"

#include "quiztest/Quiz.h"
#include "quiztest/frmQ.h"
#include "report/frmReport.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>

void AppFixture::SetUp()
{
    if (startAtSetUp)
        start();
}

void AppFixture::TearDown()
{
    frame.reset();
    settle();
    EXPECT_TRUE(p.boxes.answers.empty()) << "queued answers left over: a box the test expected did not appear";
}

void AppFixture::start()
{
    frame = std::make_unique<MDIForm1>(p.platform, generator);
    frame->MDIForm_Load();
    frame->show();
    frame->activateWindow();
    QApplication::setActiveWindow(frame.get());
    settle();
}

frmQ& AppFixture::quiz()
{
    return frame->quiz();
}

frmReport& AppFixture::report()
{
    return frame->report();
}

const QuizSession& AppFixture::session()
{
    return frame->quiz().session();
}

ResultList& AppFixture::practiseList()
{
    return frame->test().practiseList();
}

ResultList& AppFixture::correctList()
{
    return frame->test().correctList();
}

QuizControls AppFixture::controls()
{
    return QuizControls(quiz());
}

ReportControls AppFixture::reportControls()
{
    return ReportControls(report());
}

void AppFixture::settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}
