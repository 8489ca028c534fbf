#include "settings/InstalledFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ferrowen {

namespace {

bool holdsStartPage(const QString &dir)
{
    return QFileInfo(dir + QStringLiteral("/html/index.html")).isFile();
}

// Whether `dir` is `ancestor` or lies below it.
bool isWithin(const QString &dir, const QString &ancestor)
{
    const QString relative = QDir(ancestor).relativeFilePath(dir);
    return !relative.startsWith(QLatin1String("..")) && !QDir::isAbsolutePath(relative);
}

} // namespace

QString installedDataDir(const QString &programDir)
{
    // Both defined by the build for this file only.
    const QString installed = QDir::cleanPath(programDir + QStringLiteral("/" FERROWEN_DATA_FROM_BIN));
    if (holdsStartPage(installed))
        return installed;
    const QString buildTree = QStringLiteral(FERROWEN_BUILD_TREE);
    const QString projectData = QStringLiteral(FERROWEN_PROJECT_DATA);
    if (isWithin(QFileInfo(programDir).canonicalFilePath(), QFileInfo(buildTree).canonicalFilePath())
        && holdsStartPage(projectData))
        return projectData;
    return QString();
}

QString defaultMainDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/ferrowen/");
}

} // namespace ferrowen
