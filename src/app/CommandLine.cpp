#include "app/CommandLine.h"

#include "toolkit/FileNames.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>

namespace {

QString helpText()
{
    return QStringLiteral("Usage: pondera [options] [FILE]\n"
                          "Drills the question-and-answer pairs of a quiz file as a multiple-choice test.\n"
                          "\n"
                          "Options:\n"
                          "  -h, --help     Shows this help and ends.\n"
                          "  -v, --version  Shows the version and ends.\n"
                          "\n"
                          "Arguments:\n"
                          "  FILE           A quiz file (one QUESTION,ANSWER pair a line) to load at once,\n"
                          "                 as if typed into the file box and loaded with Load.\n"
                          "\n"
                          "See pondera(1) for the file format, the keys and the files Pondera writes.\n");
}

CommandLine refuse(const QString& why)
{
    // The parser ends its own texts with a full stop; one line either way.
    QString line = QStringLiteral("pondera: ") + why;
    line.replace(u'\n', u' ');
    if (!line.endsWith(u'.'))
        line += u'.';
    return {CommandLine::Action::Refuse, {}, line + QStringLiteral(" Try 'pondera --help'.\n")};
}

} // namespace

QStringList commandLineWords(int argc, const char* const* argv)
{
    return filenames::programArguments(argc, argv);
}

CommandLine parseCommandLine(const QStringList& arguments, const QString& workingFolder)
{
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, {});
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, {});
    parser.addOption(help);
    parser.addOption(version);
    if (!parser.parse(arguments))
        return refuse(parser.errorText());
    if (parser.isSet(help))
        return {CommandLine::Action::PrintHelp, {}, helpText()};
    if (parser.isSet(version))
        return {CommandLine::Action::PrintVersion, {}, QStringLiteral("pondera " PONDERA_VERSION "\n")};

    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return refuse(QStringLiteral("one quiz file at a time"));
    CommandLine run;
    // An empty argument names no file; a file manager gives none such.
    if (!files.isEmpty() && !files.front().isEmpty())
        run.file = QDir::toNativeSeparators(QDir(workingFolder).absoluteFilePath(files.front()));
    return run;
}
