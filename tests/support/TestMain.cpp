#include <gtest/gtest.h>

#include "toolkit/Fonts.h"
#include "toolkit/ProgramStyle.h"

#include <QApplication>
#include <QStandardPaths>

#include <cstdlib>
#include <string>

void scriptedUnexpected(const std::string& what)
{
    ADD_FAILURE() << what;
}

int main(int argc, char** argv)
{
    // Test discovery runs the binary at build time, where nobody has set a
    // platform: the widget tests must never need a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef Q_OS_WIN
    // On Windows the offscreen platform reads its faces from Qt's own fonts
    // folder alone, which an install lacks, so it never falls back to the
    // system's faces as the Windows platform does (Malgun Gothic for Hangul,
    // Microsoft YaHei for simplified Chinese). Shown the system's fonts
    // folder, the tests see the faces the program sees.
    if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR")) {
        const QString fonts = QStandardPaths::writableLocation(QStandardPaths::FontsLocation);
        if (!fonts.isEmpty())
            qputenv("QT_QPA_FONTDIR", fonts.toLocal8Bit());
    }
#endif
    QApplication app(argc, argv);
    installDesignFonts();
    installProgramStyle();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
