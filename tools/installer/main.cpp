// ferrowen-install: prepares the main folder and registers it in the
// settings file, as an installer would. Safe to run before every start.
#include "installer/MainFolderInstaller.h"

#include "app/settings/SettingsFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

using namespace ferrowen;

namespace {

QString defaultMainDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/ferrowen/");
}

void installDesktopEntry(const QString &dataDir, const QString &mainDir, QTextStream &out)
{
    QFile source(QDir(dataDir).filePath(QStringLiteral("applications/ferrowen-mailto.desktop")));
    if (!source.open(QIODevice::ReadOnly))
        return;
    const QString entry = MainFolderInstaller::desktopEntry(QString::fromUtf8(source.readAll()), mainDir);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation);
    QDir().mkpath(folder);
    QSaveFile target(QDir(folder).filePath(QStringLiteral("ferrowen-mailto.desktop")));
    if (target.open(QIODevice::WriteOnly) && target.write(entry.toUtf8()) >= 0 && target.commit())
        out << "desktop entry: " << target.fileName() << '\n';
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Prepares Ferrowen's main folder."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("data"), QStringLiteral("The project's data folder."), QStringLiteral("dir")});
    parser.addOption({QStringLiteral("companion"), QStringLiteral("The built sorvik2 program."), QStringLiteral("file")});
    parser.addOption({QStringLiteral("main-dir"), QStringLiteral("Main folder (default: XDG data home)."), QStringLiteral("dir")});
    parser.process(app);

    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!parser.isSet(QStringLiteral("data"))) {
        err << "ferrowen-install: --data is required\n";
        return 2;
    }
    QString mainDir = parser.isSet(QStringLiteral("main-dir")) ? parser.value(QStringLiteral("main-dir")) : defaultMainDir();
    if (!mainDir.endsWith(QLatin1Char('/')))
        mainDir += QLatin1Char('/');

    MainFolderInstaller installer({parser.value(QStringLiteral("data")), parser.value(QStringLiteral("companion"))}, mainDir);
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
    installDesktopEntry(parser.value(QStringLiteral("data")), mainDir, out);
    return 0;
}
