#include "settings/AppFolders.h"
#include "settings/InstalledFiles.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "TestFiles.h"

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

// The installed program finds its pages under any prefix; the one in the
// build folder finds the project's; a program copied elsewhere finds none.
TEST(AppFoldersTest, installedDataDir_besideTheProgramOrTheProjectsFromTheBuildFolder)
{
    QTemporaryDir prefix;
    ferrowen::testing::writeFile(prefix.filePath(QStringLiteral("opt/x/share/ferrowen/html/index.html")), "start");
    QDir().mkpath(prefix.filePath(QStringLiteral("opt/x/bin")));
    QDir().mkpath(prefix.filePath(QStringLiteral("elsewhere/bin")));
    ferrowen::testing::writeFile(prefix.filePath(QStringLiteral("elsewhere/share/ferrowen/blank.dat")));

    EXPECT_EQ(installedDataDir(prefix.filePath(QStringLiteral("opt/x/bin"))), prefix.filePath(QStringLiteral("opt/x/share/ferrowen")));
    EXPECT_EQ(installedDataDir(prefix.filePath(QStringLiteral("elsewhere/bin"))), QString());
    const QString fromBuild = installedDataDir(QCoreApplication::applicationDirPath());
    EXPECT_TRUE(QFileInfo::exists(fromBuild + QStringLiteral("/kestrova.hlp/index.html"))) << fromBuild.toStdString();
}

} // namespace
