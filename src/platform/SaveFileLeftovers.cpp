#include "platform/SaveFileLeftovers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace ferrowen {

namespace {

constexpr int RandomPartLength = 6;

bool isRandomPart(QStringView text)
{
    if (text.size() != RandomPartLength)
        return false;
    for (const QChar c : text) {
        if (!((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')))
            return false;
    }
    return true;
}

} // namespace

QStringView saveFileLeftoverTarget(QStringView name)
{
    if (name.size() <= SaveFileSuffixBytes || name[name.size() - SaveFileSuffixBytes] != u'.'
        || !isRandomPart(name.last(RandomPartLength)))
        return {};
    return name.chopped(SaveFileSuffixBytes);
}

void removeStaleLeftovers(const QString &folder, const QStringList &names)
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDir dir(folder);
    for (const QString &name : names) {
        const QFileInfo leftover(dir.filePath(name));
        const auto age = std::chrono::milliseconds(leftover.lastModified().msecsTo(now));
        if (leftover.isFile() && age >= LeftoverMinimumAge)
            QFile::remove(leftover.filePath());
    }
}

namespace {

// The files beside `target` named like its leftovers.
QStringList leftoversBeside(const QFileInfo &target)
{
    const QString prefix = target.fileName() + QLatin1Char('.');
    // The name filter only narrows the listing; isRandomPart decides.
    QStringList names = target.absoluteDir().entryList({prefix + QStringLiteral("??????")},
                                                       QDir::Files | QDir::Hidden | QDir::System);
    names.removeIf([&prefix](const QString &name) {
        return !name.startsWith(prefix) || !isRandomPart(QStringView(name).mid(prefix.size()));
    });
    return names;
}

} // namespace

void removeStaleLeftoversOf(const QString &targetPath)
{
    const QFileInfo target(targetPath);
    removeStaleLeftovers(target.absolutePath(), leftoversBeside(target));
}

Status removeSaveFileLeftovers(const QString &targetPath)
{
    const QFileInfo target(targetPath);
    QDir folder = target.absoluteDir();
    QStringList notRemoved;
    for (const QString &name : leftoversBeside(target)) {
        if (!folder.remove(name))
            notRemoved << folder.filePath(name);
    }
    if (!notRemoved.isEmpty())
        return Status::failure(QStringLiteral("cannot remove the leftover %1").arg(notRemoved.join(QStringLiteral(", "))));
    return Status::success();
}

} // namespace ferrowen
