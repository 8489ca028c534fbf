#include "app/settings/HelpTopics.h"

#include "app/settings/AppFolders.h"

namespace ferrowen {

QString helpTopicPath(const QString &helpFile, HelpTopic topic)
{
    QString folder = toFileSystemPath(helpFile);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + QString::number(static_cast<int>(topic)) + QStringLiteral(".html");
}

} // namespace ferrowen
