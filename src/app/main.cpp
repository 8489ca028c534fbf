#include "app/MainController.h"
#include "settings/InstalledFiles.h"
#include "settings/ProgramTitle.h"
#include "settings/SettingsFile.h"
#include "platform/CommandLine.h"

#include <QApplication>
#include <QIcon>
#include <QTextStream>

namespace {

// Qt's own options, which QApplication reads (and removes) after the
// program's own have been checked.
void acceptQtOptions(ferrowen::CommandLine &commandLine)
{
    for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger",
                             "qwindowgeometry", "qwindowicon", "qwindowtitle", "session", "display", "geometry",
                             "style", "stylesheet"})
        commandLine.acceptUndescribed({{QString::fromLatin1(name)}, QString(), QStringLiteral("value")});
    for (const char *name : {"reverse", "widgetcount"})
        commandLine.acceptUndescribed({{QString::fromLatin1(name)}, QString()});
}

QStringList argumentList(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        // What follows goes to the browser engine unread.
        if (argument == QLatin1String("--webEngineArgs"))
            break;
        arguments << argument;
    }
    return arguments;
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/ferrowen.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

int main(int argc, char **argv)
{
    {
        // Read before the application exists: --help and --version need no
        // display, and a wrong option stops before any window.
        QTextStream out(stdout);
        QTextStream err(stderr);
        ferrowen::CommandLine commandLine(QStringLiteral("ferrowen"),
                                          QStringLiteral("A desktop companion for browser-based webmail."));
        commandLine.setEpilogue(QStringLiteral("Qt's own options (such as -platform) are accepted as well.\n"
                                               "The first start lays out the main folder, $XDG_DATA_HOME/ferrowen/."));
        acceptQtOptions(commandLine);
        if (const std::optional<int> exitCode = commandLine.parse(argumentList(argc, argv), out, err))
            return *exitCode;
    }

    // The browser panes share GL contexts with the window; this must be set
    // before the application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("ferrowen"));
    QCoreApplication::setApplicationName(QStringLiteral("ferrowen"));
    QGuiApplication::setApplicationDisplayName(ferrowen::ProgramTitle.toString());
    QGuiApplication::setDesktopFileName(QStringLiteral("ferrowen"));
    QApplication::setWindowIcon(programIcon());

    ferrowen::SettingsFile settings;
    ferrowen::MainController::Options options;
    options.firstStart = ferrowen::MainController::Options::FirstStart{
        ferrowen::installedDataDir(QCoreApplication::applicationDirPath()), ferrowen::defaultMainDir()};
    ferrowen::MainController controller(settings, options);
    controller.start();
    return QApplication::exec();
}
