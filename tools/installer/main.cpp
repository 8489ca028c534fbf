// ferrowen-install: prepares the main folder and registers it in the
// settings file, as the program's first start does. Safe to run before
// every start; for scripts and for a setup from the build folder.
#include "installer/MainFolderInstaller.h"

#include "settings/InstalledFiles.h"
#include "settings/SettingsFile.h"
#include "platform/CommandLine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

using namespace ferrowen;

namespace {

// The desktop entry that starts the companion copied into the main folder.
void installDesktopEntry(const QString &dataDir, const QString &mainDir, QTextStream &out, QTextStream &err)
{
    QFile source(QDir(dataDir).filePath(QStringLiteral("applications/ferrowen-mailto.desktop")));
    if (!source.open(QIODevice::ReadOnly)) {
        err << "ferrowen-install: no desktop entry written: " << source.fileName() << ": " << source.errorString() << '\n';
        return;
    }
    const QString entry = MainFolderInstaller::desktopEntry(QString::fromUtf8(source.readAll()), mainDir);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    QDir().mkpath(folder);
    QSaveFile target(QDir(folder).filePath(QStringLiteral("ferrowen-mailto.desktop")));
    if (target.open(QIODevice::WriteOnly) && target.write(entry.toUtf8()) >= 0 && target.commit())
        out << "desktop entry: " << target.fileName() << '\n';
    else
        err << "ferrowen-install: no desktop entry written: " << target.fileName() << ": " << target.errorString() << '\n';
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    CommandLine commandLine(QStringLiteral("ferrowen-install"), QStringLiteral("Prepares Ferrowen's main folder."));
    commandLine.addOption({{QStringLiteral("data")}, QStringLiteral("The program's own files (default: the installed ones)."),
                           QStringLiteral("dir")});
    commandLine.addOption({{QStringLiteral("companion")},
                           QStringLiteral("A sorvik2 program to copy into the main folder, with a desktop entry for it."),
                           QStringLiteral("file")});
    commandLine.addOption({{QStringLiteral("main-dir")}, QStringLiteral("Main folder (default: XDG data home)."),
                           QStringLiteral("dir")});
    if (const std::optional<int> exitCode = commandLine.parse(QCoreApplication::arguments(), out, err))
        return *exitCode;

    const QString dataDir = commandLine.isSet(QStringLiteral("data")) ? commandLine.value(QStringLiteral("data"))
                                                                      : installedDataDir(QCoreApplication::applicationDirPath());
    if (dataDir.isEmpty()) {
        err << "ferrowen-install: the program's own files were not found beside it; name them with --data\n";
        return 1;
    }
    const QString companion = commandLine.value(QStringLiteral("companion"));
    QString mainDir = commandLine.isSet(QStringLiteral("main-dir")) ? commandLine.value(QStringLiteral("main-dir")) : defaultMainDir();
    if (!mainDir.endsWith(QLatin1Char('/')))
        mainDir += QLatin1Char('/');

    MainFolderInstaller installer({dataDir, companion}, mainDir);
    const StatusOr<QStringList> changes = installer.install();
    if (!changes) {
        err << "ferrowen-install: " << changes.error() << '\n';
        return 1;
    }
    for (const QString &change : *changes)
        out << change << '\n';

    SettingsFile settings;
    const StatusOr<bool> registered = MainFolderInstaller::registerMainDir(settings, mainDir);
    if (!registered) {
        err << "ferrowen-install: " << registered.error() << '\n';
        return 1;
    }
    if (*registered)
        out << "main dir " << mainDir << " written to " << settings.path() << '\n';
    // Without a companion of its own the main folder relies on the installed
    // one, whose desktop entry the package provides.
    if (!companion.isEmpty())
        installDesktopEntry(dataDir, mainDir, out, err);
    return 0;
}
