#include "installer/MainFolderInstaller.h"

#include "settings/SettingsFile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>

namespace ferrowen {

namespace {

// Pages and help belong to the program and follow its updates; everything
// else under the main folder belongs to the user once it exists.
bool isProgramFile(const QString &relativePath)
{
    return relativePath.startsWith(QLatin1String("html/")) || relativePath.startsWith(QLatin1String("kestrova.hlp/"))
        || relativePath == QLatin1String("blankmsg.htm");
}

bool sameContents(const QString &a, const QString &b)
{
    QFile fa(a), fb(b);
    return fa.open(QIODevice::ReadOnly) && fb.open(QIODevice::ReadOnly) && fa.readAll() == fb.readAll();
}

Status copyFileReplacing(const QString &from, const QString &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return Status::failure(QStringLiteral("cannot read %1: %2").arg(from, source.errorString()));
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly) || target.write(source.readAll()) < 0 || !target.commit())
        return Status::failure(QStringLiteral("cannot write %1: %2").arg(to, target.errorString()));
    QFile::setPermissions(to, source.permissions());
    return Status::success();
}

} // namespace

MainFolderInstaller::MainFolderInstaller(Sources sources, QString mainDir)
    : m_sources(std::move(sources))
    , m_mainDir(std::move(mainDir))
{
}

Status MainFolderInstaller::copyTree(const QString &from, const QString &to, bool refresh, QStringList &changes)
{
    // Absolute, so that a data folder given relative to the current folder
    // still yields paths relative to itself.
    const QDir sourceDir(QDir(from).absolutePath());
    QDirIterator it(sourceDir.path(), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString relative = sourceDir.relativeFilePath(source);
        if (relative.startsWith(QLatin1String("applications/")))
            continue; // desktop entries go to the desktop's folder, not here
        const QString target = QDir(to).filePath(relative);
        const bool exists = QFileInfo::exists(target);
        if (exists && !(refresh && isProgramFile(relative)))
            continue;
        if (exists && sameContents(source, target))
            continue;
        if (!QDir().mkpath(QFileInfo(target).absolutePath()))
            return Status::failure(QStringLiteral("cannot create the folder of %1").arg(target));
        if (Status s = copyFileReplacing(source, target); !s)
            return s;
        changes << (exists ? QStringLiteral("updated ") : QStringLiteral("created ")) + relative;
    }
    return Status::success();
}

StatusOr<QStringList> MainFolderInstaller::install()
{
    QStringList changes;
    QDir main(m_mainDir);
    for (const char *folder : {"savedmgs/Saved", "savedmgs/sent", "addrbooks", "templates"}) {
        const QString path = main.filePath(QString::fromLatin1(folder));
        if (QFileInfo::exists(path))
            continue;
        if (!QDir().mkpath(path))
            return Status::failure(QStringLiteral("cannot create %1").arg(path));
        changes << QStringLiteral("created ") + QString::fromLatin1(folder) + QLatin1Char('/');
    }
    if (Status s = copyTree(m_sources.dataDir, m_mainDir, true, changes); !s)
        return s;
    if (!m_sources.companionPath.isEmpty()) {
        const QString target = main.filePath(QStringLiteral("sorvik2"));
        if (!sameContents(m_sources.companionPath, target)) {
            if (Status s = copyFileReplacing(m_sources.companionPath, target); !s)
                return s;
            changes << QStringLiteral("installed sorvik2");
        }
    }
    return changes;
}

StatusOr<bool> MainFolderInstaller::registerMainDir(SettingsFile &settings, const QString &mainDir)
{
    bool written = false;
    const Status updated = settings.profile().update(SettingKeys::MainDir.section, SettingKeys::MainDir.name,
                                                     [&](const std::optional<QString> &current) -> std::optional<QString> {
                                                         if (current)
                                                             return std::nullopt;
                                                         written = true;
                                                         return mainDir;
                                                     });
    if (!updated)
        return updated;
    return written;
}

StatusOr<bool> MainFolderInstaller::setUpOnFirstStart(SettingsFile &settings, const QString &dataDir,
                                                     const QString &mainDir)
{
    bool recorded = false;
    const Status read = settings.profile().update(SettingKeys::MainDir.section, SettingKeys::MainDir.name,
                                                  [&](const std::optional<QString> &current) -> std::optional<QString> {
                                                      recorded = current.has_value();
                                                      return std::nullopt;
                                                  });
    if (!read)
        return read;
    if (recorded)
        return false;
    if (dataDir.isEmpty())
        return Status::failure(QStringLiteral("the program's own pages were not found beside it"));
    if (StatusOr<QStringList> laidOut = MainFolderInstaller({dataDir, QString()}, mainDir).install(); !laidOut)
        return laidOut.status();
    if (StatusOr<bool> registered = registerMainDir(settings, mainDir); !registered)
        return registered.status();
    return true;
}

QString MainFolderInstaller::desktopEntry(const QString &templateText, const QString &mainDir)
{
    QString dir = mainDir;
    while (dir.endsWith(QLatin1Char('/')) || dir.endsWith(QLatin1Char('\\')))
        dir.chop(1);
    QString text = templateText;
    return text.replace(QStringLiteral("@MAIN_DIR@"), dir);
}

} // namespace ferrowen
