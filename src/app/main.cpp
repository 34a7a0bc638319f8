#include "app/MDIForm1.h"
#include "quiztest/RandomGenerator.h"
#include "toolkit/Fonts.h"
#include "toolkit/Platform.h"
#include "toolkit/ProgramStyle.h"
#include "toolkit/QtClock.h"
#include "toolkit/QtPlatform.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pondera"));
    installDesignFonts();
    installProgramStyle();

    QtMessageBoxes boxes;
    QtFileOpenDialog dialog;
    QtProgramEnd end;
    QtWorkArea workArea;
    QtClock clock;
    Platform platform{boxes, dialog, end, workArea, clock};
    RandomGenerator generator;

    MDIForm1 frame(platform, generator);
    frame.MDIForm_Load();
    frame.show();
    return QApplication::exec();
}
