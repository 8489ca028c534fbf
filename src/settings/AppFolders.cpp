#include "settings/AppFolders.h"

#include "settings/SettingsFile.h"

namespace ferrowen {

AppFolders::AppFolders(QString mainDir)
    : m_mainDir(std::move(mainDir))
{
}

AppFolders AppFolders::fromSettings(const SettingsFile &settings)
{
    return AppFolders(readSetting(settings, SettingKeys::MainDir));
}

QString AppFolders::path(const QString &relativePath) const
{
    return m_mainDir + relativePath;
}

QString AppFolders::defaultMainDictionary() const
{
    QString dictionary = m_mainDir + QStringLiteral("\\") + AppPaths::MainDictionary;
    // One pass, like a plain text replacement: "\\\" becomes "\\".
    dictionary.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    return dictionary;
}

QString toFileSystemPath(const QString &path)
{
    QString result = path;
    result.replace(u'\\', u'/');
    return result;
}

} // namespace ferrowen
