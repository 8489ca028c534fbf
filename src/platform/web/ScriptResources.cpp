#include "platform/web/ScriptResources.h"

#include <QFile>
#include <QHash>

namespace ferrowen {

QString scriptResource(const QString &fileName)
{
    static QHash<QString, QString> cache;
    auto found = cache.constFind(fileName);
    if (found != cache.constEnd())
        return *found;

    QFile file(QStringLiteral(":/ferrowen/web/js/") + fileName);
    // The scripts are compiled in; a missing one is a build fault.
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing script resource %s", qPrintable(fileName));
    const QString text = QString::fromUtf8(file.readAll());
    cache.insert(fileName, text);
    return text;
}

} // namespace ferrowen
