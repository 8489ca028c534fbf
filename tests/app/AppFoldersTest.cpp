#include "app/AppFolders.h"
#include "app/SettingsFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

TEST(AppFoldersTest, dataPaths_appendTheRelativePathWithoutASeparator)
{
    const struct
    {
        const char *mainDir;
        QLatin1String relative;
        const char *expected;
    } rows[] = {
        {"C:\\App\\", AppPaths::SavedMessages, "C:\\App\\savedmgs\\"},
        {"App", AppPaths::SavedMessages, "Appsavedmgs\\"},
        {"", AppPaths::StartPage, "html\\index.html"},
        {"/opt/ferrowen/", AppPaths::CompanionProgram, "/opt/ferrowen/sorvik2"},
        {"D:\\Mail\\", AppPaths::Templates, "D:\\Mail\\templates\\"},
        {"D:\\Mail\\", AppPaths::AddressBooks, "D:\\Mail\\addrbooks\\"},
    };
    for (const auto &row : rows) {
        const AppFolders folders(QString::fromUtf8(row.mainDir));
        EXPECT_EQ(folders.path(row.relative), QString::fromUtf8(row.expected)) << row.mainDir;
    }
}

TEST(AppFoldersTest, defaultMainDictionary_collapsesDoubledBackslashes)
{
    const struct
    {
        const char *mainDir;
        const char *expected;
    } rows[] = {
        {"C:\\App\\", "C:\\App\\american.vtd"},
        {"C:\\App", "C:\\App\\american.vtd"},
        {"", "\\american.vtd"},
        {"C:\\App\\\\", "C:\\App\\\\american.vtd"}, // three backslashes: one pair collapses
        {"\\\\server\\share\\", "\\server\\share\\american.vtd"},
        {"/opt/ferrowen/", "/opt/ferrowen/\\american.vtd"},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(AppFolders(QString::fromUtf8(row.mainDir)).defaultMainDictionary(), QString::fromUtf8(row.expected))
            << row.mainDir;
    }
}

TEST(AppFoldersTest, fileSystemPath_usesForwardSlashes)
{
    EXPECT_EQ(toFileSystemPath(AppFolders(QStringLiteral("/opt/ferrowen/")).path(QStringLiteral("savedmgs\\sent\\a.htm"))),
              QStringLiteral("/opt/ferrowen/savedmgs/sent/a.htm"));
    EXPECT_EQ(toFileSystemPath(AppFolders().defaultMainDictionary()), QStringLiteral("/american.vtd"));
}

TEST(AppFoldersTest, mainDir_comesFromLocationsMainDir)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    SettingsFile settings(dir.filePath(QStringLiteral("plinthmere.ini")));
    EXPECT_EQ(AppFolders::fromSettings(settings).MainDir(), QString());

    ASSERT_TRUE(settings.SetIni(QStringLiteral("Locations"), QStringLiteral("main dir"), QStringLiteral("/opt/ferrowen/")));
    EXPECT_EQ(AppFolders::fromSettings(settings).MainDir(), QStringLiteral("/opt/ferrowen/"));
}

} // namespace
