#include "addressbook/AddressBookNames.h"

#include "platform/NameInFolder.h"

#include <algorithm>

namespace ferrowen {

QString addressBookLabel(const QString &path)
{
    const qsizetype folderEnd = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(folderEnd + 1) + QLatin1String(" Address Book:  ");
}

StatusOr<QString> newAddressBookPath(const QDir &folder, const QString &typed)
{
    QString name = typed.trimmed();
    if (!staysInFolder(name))
        return Status::failure(QStringLiteral("not a file name: %1").arg(typed));
    if (!name.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
        name += QLatin1String(".csv");
    if (!isReplaceableFileName(name))
        return Status::failure(QStringLiteral("too long a file name: %1").arg(typed));
    return folder.filePath(name);
}

} // namespace ferrowen
