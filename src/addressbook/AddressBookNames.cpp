#include "addressbook/AddressBookNames.h"

#include "platform/SaveFileLeftovers.h"

#include <QFileInfo>

#include <algorithm>

namespace ferrowen {

QString addressBookLabel(const QString &path)
{
    const qsizetype folderEnd = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(folderEnd + 1) + QLatin1String(" Address Book:  ");
}

StatusOr<QString> newAddressBookPath(const QString &folder, const QString &typed)
{
    const QString name = typed.trimmed();
    const bool controlCharacter =
        std::any_of(name.begin(), name.end(), [](QChar c) { return c.category() == QChar::Other_Control; });
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name.contains(QLatin1String(".."))
        || controlCharacter)
        return Status::failure(QStringLiteral("not a file name: %1").arg(typed));
    QString path = folder + name;
    if (!path.right(4).toLower().endsWith(QLatin1String(".csv")))
        path += QLatin1String(".csv");
    if (QFileInfo(path).fileName().toUtf8().size() > MaxReplaceableFileNameBytes)
        return Status::failure(QStringLiteral("too long a file name: %1").arg(typed));
    return path;
}

} // namespace ferrowen
