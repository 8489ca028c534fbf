#include "app/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>

using namespace ferrowen;

namespace {

// Sets an environment variable for the lifetime of the object.
class ScopedEnvironment
{
public:
    ScopedEnvironment(const char *name, const QByteArray *value)
        : m_name(name)
        , m_hadValue(qEnvironmentVariableIsSet(name))
        , m_oldValue(qgetenv(name))
    {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    ~ScopedEnvironment()
    {
        if (m_hadValue)
            qputenv(m_name, m_oldValue);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_hadValue;
    QByteArray m_oldValue;
};

TEST(SettingsFileTest, defaultPath_followsXdgConfigHome)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray configHome = QFile::encodeName(dir.path());
    const ScopedEnvironment environment("XDG_CONFIG_HOME", &configHome);

    EXPECT_EQ(SettingsFile::defaultPath(), dir.path() + QStringLiteral("/ferrowen/plinthmere.ini"));
    EXPECT_EQ(SettingsFile().path(), SettingsFile::defaultPath());
}

TEST(SettingsFileTest, defaultPath_fallsBackToDotConfigWhenXdgConfigHomeIsUnusable)
{
    const QString fallback = QDir::homePath() + QStringLiteral("/.config/ferrowen/plinthmere.ini");
    const QByteArray empty;
    const QByteArray relative("relative/config");
    for (const QByteArray *value : {static_cast<const QByteArray *>(nullptr), &empty, &relative}) {
        const ScopedEnvironment environment("XDG_CONFIG_HOME", value);
        EXPECT_EQ(SettingsFile::defaultPath(), fallback) << (value ? value->constData() : "(unset)");
    }
}

TEST(SettingsFileTest, signedNumbers_areStoredWithTheirBlankAndReadWithout)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SettingsFile settings(dir.filePath(QStringLiteral("plinthmere.ini")));
    ASSERT_TRUE(settings.SetIni(SettingsKeys::Settings, SettingsKeys::EditorTop, signedNumberText(950)));
    ASSERT_TRUE(settings.SetIni(SettingsKeys::Settings, SettingsKeys::Left, plainNumberText(1200)));

    QFile file(settings.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArrayLiteral("[Settings]\r\ned_top= 950\r\nleft=1200\r\n"));

    const QString stored = settings.GetIni(SettingsKeys::Settings, SettingsKeys::EditorTop, QStringLiteral("0"));
    EXPECT_EQ(stored, QStringLiteral("950"));
    EXPECT_EQ(iniNumber(stored), 950);
}

struct NumberCase
{
    const char *text;
    int expected;
};

class IniNumberTest : public ::testing::TestWithParam<NumberCase>
{
};

TEST_P(IniNumberTest, readsLeniently)
{
    EXPECT_EQ(iniNumber(QString::fromUtf8(GetParam().text)), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, IniNumberTest, ::testing::Values(
    NumberCase{"1200", 1200},
    NumberCase{"  15", 15},
    NumberCase{"\t 7", 7},
    NumberCase{"-15", -15},
    NumberCase{" -5", -5},
    NumberCase{"950.7", 950},
    NumberCase{"12abc", 12},
    NumberCase{"1 2", 1},
    NumberCase{"abc", 0},
    NumberCase{"-", 0},
    NumberCase{"--5", 0},
    NumberCase{"99999999999", INT_MAX},
    NumberCase{"-99999999999", INT_MIN},
    NumberCase{"-2147483648", INT_MIN}));

TEST(NumberTextTest, plainAndSignedForms)
{
    const struct
    {
        int number;
        const char *plain;
        const char *sign;
    } rows[] = {
        {1200, "1200", " 1200"},
        {0, "0", " 0"},
        {-5, "-5", "-5"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(plainNumberText(row.number), QString::fromLatin1(row.plain));
        EXPECT_EQ(signedNumberText(row.number), QString::fromLatin1(row.sign));
        EXPECT_EQ(iniNumber(signedNumberText(row.number)), row.number);
    }
}

} // namespace
