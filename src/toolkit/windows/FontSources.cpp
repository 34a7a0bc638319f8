#include "toolkit/Fonts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>

std::jthread readFontConfigurationAside()
{
    // Windows keeps its font list loaded; there is nothing to read ahead.
    return std::jthread([] {});
}

void addBundledFonts()
{
    // Windows has no IPA P Gothic and no Liberation Sans: the installer puts
    // them in fonts\ beside the program, for this program alone.
    const QDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/fonts"));
    for (const QString& name : folder.entryList({QStringLiteral("*.ttf"), QStringLiteral("*.otf")}, QDir::Files))
        QFontDatabase::addApplicationFont(folder.filePath(name));
}
