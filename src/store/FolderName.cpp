#include "store/FolderName.h"

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

} // namespace ferrowen
