#include "platform/web/AddressInput.h"

#include <QDir>
#include <QFileInfo>

namespace ferrowen {

QUrl urlFromAddress(const QString &address, const QString &localBase)
{
    const QString text = address.trimmed();
    if (text.isEmpty())
        return {};

    const bool hasScheme = text.contains(QLatin1String("://")) || text.startsWith(QLatin1String("about:"), Qt::CaseInsensitive)
                           || text.startsWith(QLatin1String("data:"), Qt::CaseInsensitive);
    if (!hasScheme) {
        const QString path = QString(text).replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (QDir::isAbsolutePath(path))
            return QUrl::fromLocalFile(QDir::cleanPath(path));
        const QFileInfo local(QDir(localBase), path);
        // Backslashes only ever separate folders of a local path.
        if (local.exists() || text.contains(QLatin1Char('\\')))
            return QUrl::fromLocalFile(QDir::cleanPath(local.absoluteFilePath()));
    }

    const QUrl url = QUrl::fromUserInput(text);
    if (!url.isValid() || (url.scheme().startsWith(QLatin1String("http")) && url.host().isEmpty()))
        return {};
    return url;
}

} // namespace ferrowen
