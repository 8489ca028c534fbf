#include "platform/SaveFileLeftovers.h"

#include <QDir>
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

Status removeSaveFileLeftovers(const QString &targetPath)
{
    const QFileInfo target(targetPath);
    const QString prefix = target.fileName() + QLatin1Char('.');
    QDir folder = target.absoluteDir();
    // The name filter only narrows the listing; isRandomPart decides.
    const QStringList candidates = folder.entryList({prefix + QStringLiteral("??????")}, QDir::Files | QDir::Hidden | QDir::System);

    QStringList notRemoved;
    for (const QString &name : candidates) {
        if (!name.startsWith(prefix) || !isRandomPart(QStringView(name).mid(prefix.size())))
            continue;
        if (!folder.remove(name))
            notRemoved << folder.filePath(name);
    }
    if (!notRemoved.isEmpty())
        return Status::failure(QStringLiteral("cannot remove the leftover %1").arg(notRemoved.join(QStringLiteral(", "))));
    return Status::success();
}

} // namespace ferrowen
