#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <tuple>

using namespace ferrowen;

namespace {

// Sets XDG_CONFIG_HOME, or unsets it for nothing, until the object goes.
class ConfigHomeVariable
{
public:
    explicit ConfigHomeVariable(const std::optional<QByteArray> &value) { set(value); }
    ~ConfigHomeVariable() { set(m_old); }

private:
    static void set(const std::optional<QByteArray> &value) { value ? qputenv(name, *value) : qunsetenv(name); }

    static constexpr const char *name = "XDG_CONFIG_HOME";
    const std::optional<QByteArray> m_old = qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
};

TEST(SettingsFileTest, defaultPath_followsAnAbsoluteXdgConfigHomeElseDotConfig)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fallback = QDir::homePath() + QStringLiteral("/.config/ferrowen/plinthmere.ini");
    const std::pair<std::optional<QByteArray>, QString> rows[] = {
        {QFile::encodeName(dir.path()), dir.path() + QStringLiteral("/ferrowen/plinthmere.ini")},
        {std::nullopt, fallback},
        {QByteArray(), fallback},
        {QByteArray("relative/config"), fallback},
    };
    for (const auto &[value, expected] : rows) {
        const ConfigHomeVariable variable(value);
        EXPECT_EQ(SettingsFile::defaultPath(), expected) << value.value_or("(unset)").constData();
    }
}

TEST(SettingsFileTest, storedText_isPlainDecimalOrOneAndZero)
{
    EXPECT_EQ(settingText(-15), QStringLiteral("-15"));
    EXPECT_EQ(settingText(1200), QStringLiteral("1200"));
    EXPECT_EQ(settingText(true), QStringLiteral("1"));
    EXPECT_EQ(settingText(false), QStringLiteral("0"));
}

// The key's value when the file holds `stored` for it (nullptr: no such key).
template <typename T>
QVariant readStored(const SettingKey<T> &key, const char *stored)
{
    QTemporaryDir dir;
    SettingsFile file(dir.filePath(QStringLiteral("plinthmere.ini")));
    if (stored) {
        EXPECT_TRUE(file.SetIni(key.section, key.name, QString::fromLatin1(stored)).ok());
    }
    return QVariant::fromValue(readSetting(file, key));
}

TEST(SettingsFileTest, typedKeys_readTheirFallbackOnlyWhenMissing)
{
    const std::tuple<QVariant, QVariant, const char *> rows[] = {
        {readStored(SettingKeys::SetMax, nullptr), true, "missing flag"},
        {readStored(SettingKeys::SetMax, "0"), false, "flag off"},
        {readStored(SettingKeys::SetMax, "yes"), false, "a flag is on only as 1"},
        {readStored(SettingKeys::DoAffiliate, "1"), true, "flag on"},
        {readStored(SettingKeys::Left, nullptr), -1, "missing number"},
        {readStored(SettingKeys::Left, "abc"), 0, "unreadable number"},
        {readStored(SettingKeys::Width, "-15"), -15, "negative number"},
        {readStored(SettingKeys::AffiliateText, nullptr), QStringLiteral("Composed with the Drovenel HTML editor."),
         "missing text"},
        {readStored(SettingKeys::AffiliateText, ""), QString(), "a text left empty stays empty"},
    };
    for (const auto &[read, expected, row] : rows)
        EXPECT_EQ(read, expected) << row;
}

TEST(SettingsFileTest, iniNumber_readsLeniently)
{
    const std::pair<const char *, int> rows[] = {
        {"1200", 1200}, {"\t 7", 7}, {" -5", -5}, {"950.7", 950}, {"1 2", 1}, {"abc", 0}, {"--5", 0},
        {"99999999999", INT_MAX}, {"-99999999999", INT_MIN}, {"-2147483648", INT_MIN},
    };
    for (const auto &[text, expected] : rows)
        EXPECT_EQ(iniNumber(QString::fromLatin1(text)), expected) << text;
}

} // namespace
