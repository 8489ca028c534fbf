#include "app/settings/AppFolders.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

TEST(AppFoldersTest, dataPaths_appendTheRelativePathWithoutASeparator)
{
    EXPECT_EQ(AppFolders(QStringLiteral("App")).path(AppPaths::SavedMessages), QStringLiteral("Appsavedmgs\\"));
    EXPECT_EQ(AppFolders(QStringLiteral("C:\\App\\")).path(AppPaths::StartPage), QStringLiteral("C:\\App\\html\\index.html"));
    EXPECT_EQ(toFileSystemPath(AppFolders(QStringLiteral("/opt/ferrowen/")).path(QStringLiteral("savedmgs\\sent\\a.htm"))),
              QStringLiteral("/opt/ferrowen/savedmgs/sent/a.htm"));
}

TEST(AppFoldersTest, defaultMainDictionary_collapsesDoubledBackslashes)
{
    const std::pair<const char *, const char *> rows[] = {
        {"C:\\App\\", "C:\\App\\american.vtd"},
        {"C:\\App", "C:\\App\\american.vtd"},
        {"C:\\App\\\\", "C:\\App\\\\american.vtd"}, // three backslashes: one pair collapses
        {"\\\\server\\share\\", "\\server\\share\\american.vtd"},
        {"/opt/ferrowen/", "/opt/ferrowen/\\american.vtd"},
    };
    for (const auto &[mainDir, expected] : rows)
        EXPECT_EQ(AppFolders(QString::fromUtf8(mainDir)).defaultMainDictionary(), QString::fromUtf8(expected)) << mainDir;
    EXPECT_EQ(toFileSystemPath(AppFolders().defaultMainDictionary()), QStringLiteral("/american.vtd"));
}

} // namespace
