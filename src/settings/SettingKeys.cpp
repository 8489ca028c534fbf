#include "settings/SettingKeys.h"

#include <algorithm>
#include <limits>

namespace ferrowen {

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


QString settingText(const QString &value)
{
    return value;
}

QString settingText(int value)
{
    return QString::number(value);
}

QString settingText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString readSetting(const SettingsAccess &settings, const SettingKey<QString> &key)
{
    return settings.GetIni(key.section, key.name, key.fallback);
}

int readSetting(const SettingsAccess &settings, const SettingKey<int> &key)
{
    return iniNumber(settings.GetIni(key.section, key.name, settingText(key.fallback)));
}

bool readSetting(const SettingsAccess &settings, const SettingKey<bool> &key)
{
    return settings.GetIni(key.section, key.name, settingText(key.fallback)) == QLatin1String("1");
}

} // namespace ferrowen
