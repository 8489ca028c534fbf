#include "settings/SettingsFile.h"

#include <QDir>


namespace ferrowen {

QString SettingsFile::defaultPath()
{
    QString configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    // A relative value is invalid for this variable and is ignored.
    if (configHome.isEmpty() || QDir::isRelativePath(configHome))
        configHome = QDir::homePath() + QStringLiteral("/.config");
    return configHome + QStringLiteral("/ferrowen/") + fileName;
}

SettingsFile::SettingsFile(QString path)
    : m_file(std::move(path))
{
}

QString SettingsFile::GetIni(const QString &section, const QString &key, const QString &defaultValue) const
{
    return m_file.readString(section, key, defaultValue);
}

Status SettingsFile::SetIni(const QString &section, const QString &key, const QString &value)
{
    return m_file.writeString(section, key, value);
}

} // namespace ferrowen
