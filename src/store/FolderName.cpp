#include "store/FolderName.h"

#include <QDir>

namespace ferrowen {

bool isSentFolder(const QString &folderName)
{
    return folderName.toLower() == QLatin1String("sent");
}

bool isValidFolderName(const QString &folderName)
{
    return !folderName.isEmpty() && folderName != QLatin1String(".") && folderName != QLatin1String("..")
        && !folderName.contains(QLatin1Char('/')) && !folderName.contains(QLatin1Char('\\'))
        && !folderName.contains(QChar(u'\0'));
}

Status createSavedMessageFolder(const QString &storePath, const QString &folderName)
{
    if (!isValidFolderName(folderName))
        return Status::failure(QStringLiteral("not a folder name: ") + folderName);
    if (!QDir(storePath).mkdir(folderName))
        return Status::failure(QStringLiteral("cannot make the folder ") + folderName);
    return Status::success();
}

} // namespace ferrowen
