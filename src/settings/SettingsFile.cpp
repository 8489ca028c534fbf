#include "settings/SettingsFile.h"

#include <QDir>

#include <algorithm>
#include <limits>

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

int iniNumber(const QString &text)
{
    qsizetype i = 0;
    while (i < text.size() && (text.at(i) == u' ' || text.at(i) == u'\t'))
        ++i;

    bool negative = false;
    if (i < text.size() && (text.at(i) == u'-' || text.at(i) == u'+')) {
        negative = text.at(i) == u'-';
        ++i;
    }

    constexpr qint64 limit = qint64(std::numeric_limits<int>::max()) + 1;
    qint64 magnitude = 0;
    for (; i < text.size() && text.at(i) >= u'0' && text.at(i) <= u'9'; ++i)
        magnitude = std::min(limit, magnitude * 10 + (text.at(i).unicode() - u'0'));

    const qint64 number = negative ? -magnitude : magnitude;
    return int(std::clamp<qint64>(number, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

QString plainNumberText(int number)
{
    return QString::number(number);
}

} // namespace ferrowen
