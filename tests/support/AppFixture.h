#pragma once

#include "support/Controls.h"
#include "support/QuizDriver.h"
#include "support/ScriptedPlatform.h"

#include "app/MDIForm1.h"
#include "quizfile/ResultList.h"
#include "quiztest/RandomGenerator.h"

#include <gtest/gtest.h>

#include <memory>

class QuizSession;
class frmQ;
class frmReport;

// The whole program started offscreen on scripted stand-ins: the frame's
// load, then the frame shown and active.
class AppFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program; SetUp calls it unless startAtSetUp is false.
    void start();
    frmQ& quiz();
    frmReport& report();
    // The test the quiz window shows.
    const QuizSession& session();
    // The result lists the report shows.
    ResultList& practiseList();
    ResultList& correctList();
    // The windows' controls, found by name.
    QuizControls controls();
    ReportControls reportControls();
    // Works the running program through its controls.
    QuizDriver driver() { return QuizDriver(*frame); }
    // Lets queued events run (deferred deletes included).
    static void settle();

    ScriptedPlatform p;
    RandomGenerator generator{20261207};
    std::unique_ptr<MDIForm1> frame;
    bool startAtSetUp = true;
};
