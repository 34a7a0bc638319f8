// pondera_screenshots OUTPUT.png STATE QUIZ [--dark]
//
// Starts the program's frame on the screen it is given, takes it to STATE
// and saves a picture of the whole screen. STATE is one of:
//   startup   as the program starts
//   question  QUIZ loaded and started, a wrong answer chosen with the right
//             one shown
//   report    as question, then the report shown and its last Save button
//             focused, which scrolls a small screen down to it
//   help      the help window open
// --dark gives the desktop a dark palette first, as a dark theme does.
#include "support/QuizDriver.h"
#include "support/ScriptedPlatform.h"

#include "app/MDIForm1.h"
#include "quiztest/RandomGenerator.h"
#include "quiztest/frmQ.h"
#include "report/frmReport.h"
#include "support/Controls.h"
#include "toolkit/Fonts.h"
#include "toolkit/ProgramStyle.h"
#include "toolkit/QtPlatform.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QStringList>
#include <QTest>

#include <cstdio>
#include <string>

void scriptedUnexpected(const std::string& what)
{
    std::fprintf(stderr, "unexpected: %s\n", what.c_str());
}

namespace {

QPalette darkDesktop()
{
    const QColor window(0x2B, 0x2B, 0x2B), text(0xEE, 0xEE, 0xEE), base(0x1E, 0x1E, 0x1E);
    QPalette dark(text, window, QColor(0x45, 0x45, 0x45), QColor(0x15, 0x15, 0x15), QColor(0x30, 0x30, 0x30), text,
                  Qt::white, base, window);
    dark.setColor(QPalette::Highlight, QColor(0x3D, 0xAE, 0xE9));
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x80, 0x80, 0x80));
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(0x80, 0x80, 0x80));
    return dark;
}

int usage()
{
    std::fprintf(stderr, "usage: pondera_screenshots OUTPUT.png startup|question|report|help QUIZ [--dark]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    installDesignFonts();
    installProgramStyle();
    const QStringList args = QApplication::arguments();
    if (args.size() < 4)
        return usage();
    const QString output = args.at(1), state = args.at(2), quiz = args.at(3);
    if (args.contains(QStringLiteral("--dark")))
        QApplication::setPalette(darkDesktop());

    ScriptedPlatform scripted;
    scripted.boxes.autoOk = true;
    DesktopWorkArea screen;
    Platform platform{scripted.boxes, scripted.dialog, scripted.end, screen, scripted.clock, scripted.background};
    RandomGenerator generator(20261207);
    MDIForm1 frame(platform, generator);
    frame.MDIForm_Load();
    frame.show();
    // A bare X server has no window manager to activate the frame, and an
    // inactive window draws no focus.
    frame.activateWindow();
    QApplication::setActiveWindow(&frame);
    if (!QTest::qWaitForWindowExposed(&frame))
        return 1;
    QuizDriver driver(frame);
    if (state == QStringLiteral("help")) {
        driver.quizControls().cmdHelp->click();
    } else if (state != QStringLiteral("startup")) {
        driver.load(quiz);
        driver.pressStart();
        driver.quizControls().chkShowCorrect->setChecked(true);
        driver.choose(driver.wrongSlot());
        if (state == QStringLiteral("report")) {
            driver.pressReport();
            driver.reportControls().cmdSaveCorrect->setFocus(Qt::TabFocusReason);
        } else if (state != QStringLiteral("question")) {
            return usage();
        }
    }
    QTest::qWait(500);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    if (shot.isNull() || !shot.save(output)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(output));
        return 1;
    }
    return 0;
}
