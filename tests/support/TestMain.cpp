#include <gtest/gtest.h>

#include "toolkit/Fonts.h"
#include "toolkit/ProgramStyle.h"

#include <QApplication>

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
    QApplication app(argc, argv);
    installDesignFonts();
    installProgramStyle();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
