#include "settings/HelpTopics.h"

#include "settings/AppFolders.h"

namespace ferrowen {

namespace {

QString helpPage(const QString &helpFile, const QString &name)
{
    QString folder = toFileSystemPath(helpFile);
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder + name;
}

} // namespace

QString helpTopicPath(const QString &helpFile, HelpTopic topic)
{
    return helpPage(helpFile, QString::number(static_cast<int>(topic)) + QStringLiteral(".html"));
}

QString helpContentsPath(const QString &helpFile)
{
    return helpPage(helpFile, QStringLiteral("index.html"));
}

} // namespace ferrowen
