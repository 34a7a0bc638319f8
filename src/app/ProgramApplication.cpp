#include "app/ProgramApplication.h"

#include "toolkit/Fonts.h"
#include "toolkit/ProgramStyle.h"

#include <QString>

detail::FontConfigurationReading::FontConfigurationReading() : reading(readFontConfigurationAside()) {}

ProgramApplication::ProgramApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    reading.join();
    setApplicationName(QStringLiteral("Pondera"));
    // The desktop entry's name, by which a desktop finds the icon of the window.
    setDesktopFileName(QStringLiteral(PONDERA_APP_ID));
    installDesignFonts();
    installProgramStyle();
}
