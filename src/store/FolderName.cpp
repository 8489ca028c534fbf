#include "store/FolderName.h"

#include "platform/NameInFolder.h"

#include <QDir>

namespace ferrowen {

bool isSentFolder(const QString &folderName)
{
    return folderName.toLower() == QLatin1String("sent");
}

bool isValidFolderName(const QString &folderName)
{
    return staysInFolder(folderName);
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
