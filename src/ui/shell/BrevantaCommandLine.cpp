// SPDX-License-Identifier: MIT
#include "ui/shell/BrevantaCommandLine.h"

#include "ui/shell/PracticeHistoryFileChooser.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdlib>

namespace brevanta {

namespace {

// Command-line programs say 2 for a usage they could not follow.
constexpr int usageErrorExitCode = 2;

} // namespace

BrevantaCommandLine BrevantaCommandLine::parse(const QStringList& arguments,
                                               const QString& workingFolder) {
    QCommandLineParser parser;
    // "-ui-testing" is one word with one dash, as the launch argument has always been written.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("A practice journal for musicians. Given CSV files of practice history, "
                       "Brevanta opens them for review before anything is imported; when it is "
                       "already running, that window takes them."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption uiTesting(
        QStringLiteral("ui-testing"),
        QStringLiteral("Keep the journal in memory only: it starts empty and nothing is kept."));
    QCommandLineOption gallery(QStringLiteral("design-gallery"),
                               QStringLiteral("Show the visual vocabulary (for developers)."));
    gallery.setFlags(QCommandLineOption::HiddenFromHelp);
    QCommandLineOption dark(QStringLiteral("dark"),
                            QStringLiteral("Show the design gallery in the dark appearance."));
    dark.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({uiTesting, gallery, dark});
    // Qt's own options stay in the arguments; they are Qt's to answer, not usage errors.
    for (const char* name : {"platform", "platformpluginpath", "platformtheme", "plugin",
                             "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display",
                             "name", "style", "stylesheet", "geometry", "title", "icon"}) {
        QCommandLineOption qtOption(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        qtOption.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qtOption);
    }
    for (const char* name : {"reverse", "widgetcount", "nograb", "dograb", "sync"}) {
        QCommandLineOption qtOption(QString::fromLatin1(name));
        qtOption.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qtOption);
    }
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("CSV files of practice history to review."),
                                 QStringLiteral("[FILE.csv…]"));

    BrevantaCommandLine commandLine;
    const QString program = QStringLiteral("brevanta");
    if (!parser.parse(arguments)) {
        commandLine.request = Request::usageError;
        commandLine.output = program + QStringLiteral(": ") + parser.errorText() +
                             QStringLiteral("\nTry 'brevanta --help' for more information.\n");
        return commandLine;
    }
    if (parser.isSet(help)) {
        commandLine.request = Request::answer;
        commandLine.output = parser.helpText();
        return commandLine;
    }
    if (parser.isSet(version)) {
        commandLine.request = Request::answer;
        commandLine.output = QCoreApplication::applicationName() + QLatin1Char(' ') +
                             QCoreApplication::applicationVersion() + QLatin1Char('\n');
        return commandLine;
    }
    commandLine.isUiTesting = parser.isSet(uiTesting);
    commandLine.showsDesignGallery = parser.isSet(gallery);
    commandLine.designGalleryIsDark = parser.isSet(dark);
    const QDir folder(workingFolder);
    for (const QString& file : parser.positionalArguments()) {
        // Practice history comes in .csv files, as the file chooser takes them.
        if (PracticeHistoryFileChooser::csvFilesOnly({file}).isEmpty()) {
            commandLine.request = Request::usageError;
            commandLine.output = program + QStringLiteral(": '%1' is not a .csv file of practice "
                                                          "history.\n")
                                               .arg(file);
            return commandLine;
        }
        commandLine.filePaths.append(QDir::cleanPath(folder.absoluteFilePath(file)));
    }
    return commandLine;
}

int BrevantaCommandLine::exitCode() const {
    switch (request) {
    case Request::run:
    case Request::answer:
        return EXIT_SUCCESS;
    case Request::usageError:
        return usageErrorExitCode;
    }
    return EXIT_FAILURE;
}

} // namespace brevanta
