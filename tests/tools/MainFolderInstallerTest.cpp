#include "installer/MainFolderInstaller.h"

#include "settings/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "CommandLineAnswer.h"
#include "TestFiles.h"

using namespace ferrowen;
using ferrowen::testing::fileBytes;
using ferrowen::testing::writeFile;

namespace {

class MainFolderInstallerTest : public ::testing::Test
{
protected:
    QTemporaryDir data, main, bin;

    void SetUp() override
    {
        writeFile(data.filePath(QStringLiteral("html/index.html")), "start v2");
        writeFile(data.filePath(QStringLiteral("kestrova.hlp/5000.html")), "merge help");
        writeFile(data.filePath(QStringLiteral("blankmsg.htm")), "blank");
        writeFile(data.filePath(QStringLiteral("blank.dat")), "Name,E-mail\r\n");
        writeFile(data.filePath(QStringLiteral("applications/x.desktop")), "Exec=@MAIN_DIR@/sorvik2 %u");
        writeFile(bin.filePath(QStringLiteral("sorvik2")), "program");
    }

    MainFolderInstaller installer()
    {
        return MainFolderInstaller({data.path(), bin.filePath(QStringLiteral("sorvik2"))}, main.path() + QLatin1Char('/'));
    }
};

TEST_F(MainFolderInstallerTest, firstRunLaysOutEverything_laterRunKeepsUserDataAndRefreshesProgramPages)
{
    const StatusOr<QStringList> first = installer().install();
    ASSERT_TRUE(first.ok());
    for (const char *folder : {"savedmgs/Saved", "savedmgs/sent", "addrbooks", "templates"})
        EXPECT_TRUE(QDir(main.filePath(QString::fromLatin1(folder))).exists()) << folder;
    EXPECT_EQ(fileBytes(main.filePath(QStringLiteral("kestrova.hlp/5000.html"))), "merge help");
    EXPECT_EQ(fileBytes(main.filePath(QStringLiteral("sorvik2"))), "program");
    EXPECT_FALSE(QFile::exists(main.filePath(QStringLiteral("applications/x.desktop"))));
    EXPECT_FALSE(first->isEmpty());

    writeFile(main.filePath(QStringLiteral("blank.dat")), "My,Own,Columns\r\n");
    writeFile(main.filePath(QStringLiteral("addrbooks/friends.csv")), "Name,E-mail\r\nann,ann@x\r\n");
    writeFile(data.filePath(QStringLiteral("html/index.html")), "start v3");
    const StatusOr<QStringList> later = installer().install();
    ASSERT_TRUE(later.ok());
    EXPECT_EQ(fileBytes(main.filePath(QStringLiteral("blank.dat"))), "My,Own,Columns\r\n");
    EXPECT_EQ(fileBytes(main.filePath(QStringLiteral("addrbooks/friends.csv"))), "Name,E-mail\r\nann,ann@x\r\n");
    EXPECT_EQ(fileBytes(main.filePath(QStringLiteral("html/index.html"))), "start v3");
    EXPECT_EQ(*later, QStringList{QStringLiteral("updated html/index.html")});
}

TEST_F(MainFolderInstallerTest, dataFolderGivenRelativeToCurrentFolder)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QFileInfo(data.path()).absolutePath()));
    MainFolderInstaller relative({QFileInfo(data.path()).fileName(), QString()}, main.path() + QLatin1Char('/'));
    const StatusOr<QStringList> changes = relative.install();
    QDir::setCurrent(previous);
    ASSERT_TRUE(changes.ok());
    EXPECT_EQ(fileBytes(main.filePath(QStringLiteral("html/index.html"))), "start v2");
}

TEST_F(MainFolderInstallerTest, mainDirIsWrittenOnlyWhenAbsent)
{
    SettingsFile settings(main.filePath(QStringLiteral("plinthmere.ini")));
    const StatusOr<bool> first = MainFolderInstaller::registerMainDir(settings, QStringLiteral("/a/"));
    ASSERT_TRUE(first.ok());
    EXPECT_TRUE(*first);
    const StatusOr<bool> second = MainFolderInstaller::registerMainDir(settings, QStringLiteral("/b/"));
    ASSERT_TRUE(second.ok());
    EXPECT_FALSE(*second);
    EXPECT_EQ(settings.GetIni(QStringLiteral("Locations"), QStringLiteral("main dir"), QString()), QStringLiteral("/a/"));

    // A key the user emptied on purpose is theirs too.
    SettingsFile other(main.filePath(QStringLiteral("other.ini")));
    ASSERT_TRUE(other.SetIni(QStringLiteral("Locations"), QStringLiteral("main dir"), QString()));
    const StatusOr<bool> emptied = MainFolderInstaller::registerMainDir(other, QStringLiteral("/c/"));
    ASSERT_TRUE(emptied.ok());
    EXPECT_FALSE(*emptied);
}

TEST_F(MainFolderInstallerTest, firstStart_laysOutOnceAndLaterStartsTouchNothing)
{
    SettingsFile settings(main.filePath(QStringLiteral("config/plinthmere.ini")));
    const QString mainDir = main.filePath(QStringLiteral("data/ferrowen/"));

    // The program's own files cannot be found: nothing is recorded, so the
    // next start tries again.
    StatusOr<bool> missing = MainFolderInstaller::setUpOnFirstStart(settings, QString(), mainDir);
    EXPECT_FALSE(missing.ok());
    EXPECT_EQ(settings.GetIni(QStringLiteral("Locations"), QStringLiteral("main dir"), QStringLiteral("<none>")), QStringLiteral("<none>"));

    StatusOr<bool> first = MainFolderInstaller::setUpOnFirstStart(settings, data.path(), mainDir);
    ASSERT_TRUE(first.ok()) << first.error().toStdString();
    EXPECT_TRUE(*first);
    EXPECT_EQ(settings.GetIni(QStringLiteral("Locations"), QStringLiteral("main dir"), QString()), mainDir);
    EXPECT_EQ(fileBytes(mainDir + QStringLiteral("html/index.html")), "start v2");
    EXPECT_TRUE(QDir(mainDir + QStringLiteral("savedmgs/Saved")).exists());
    EXPECT_FALSE(QFile::exists(mainDir + QStringLiteral("sorvik2"))) << "the installed companion serves";

    // Later starts: the user's changes stay, even to the program's pages,
    // and a removed page is not brought back.
    writeFile(mainDir + QStringLiteral("blank.dat"), "Mine\r\n");
    ASSERT_TRUE(QFile::remove(mainDir + QStringLiteral("html/index.html")));
    writeFile(data.filePath(QStringLiteral("html/index.html")), "start v3");
    StatusOr<bool> later = MainFolderInstaller::setUpOnFirstStart(settings, data.path(), mainDir);
    ASSERT_TRUE(later.ok());
    EXPECT_FALSE(*later);
    EXPECT_EQ(fileBytes(mainDir + QStringLiteral("blank.dat")), "Mine\r\n");
    EXPECT_FALSE(QFile::exists(mainDir + QStringLiteral("html/index.html")));

    // A folder that cannot be made: failure, nothing recorded.
    SettingsFile fresh(main.filePath(QStringLiteral("config/fresh.ini")));
    writeFile(main.filePath(QStringLiteral("blocked")), "a file where the folder belongs");
    StatusOr<bool> blocked = MainFolderInstaller::setUpOnFirstStart(fresh, data.path(), main.filePath(QStringLiteral("blocked/ferrowen/")));
    EXPECT_FALSE(blocked.ok());
    EXPECT_EQ(fresh.GetIni(QStringLiteral("Locations"), QStringLiteral("main dir"), QStringLiteral("<none>")), QStringLiteral("<none>"));
}

// The command as scripts run it: answers, mistakes, and a run that finds
// the program's own files without --data.
TEST_F(MainFolderInstallerTest, commandLine_answersRefusesMistakesAndFindsTheProgramsFiles)
{
    const QString mainDir = main.filePath(QStringLiteral("ferrowen/"));
    // The last row lays the folder out; none before it may.
    const ferrowen::testing::CommandLineAnswer rows[] = {
        {{QStringLiteral("--version")}, 0, "ferrowen-install " FERROWEN_EXPECTED_VERSION "\n", ""},
        {{QStringLiteral("--help")}, 0, "Usage: ferrowen-install [options]\n", ""},
        {{QStringLiteral("--bogus"), QStringLiteral("--main-dir"), mainDir}, 2, "",
         "ferrowen-install: Unknown option 'bogus'.\nTry 'ferrowen-install --help'"},
        {{QStringLiteral("--main-dir")}, 2, "", "Missing value after '--main-dir'."},
        {{QStringLiteral("--main-dir"), mainDir, QStringLiteral("extra")}, 2, "", "unexpected argument 'extra'"},
        {{QStringLiteral("--main-dir"), mainDir}, 0, "created ", ""},
    };
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), main.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), main.filePath(QStringLiteral("data")));
    for (const auto &row : rows) {
        ferrowen::testing::expectAnswer(QStringLiteral(FERROWEN_INSTALL_EXE), row, environment);
        EXPECT_EQ(QFile::exists(mainDir + QStringLiteral("kestrova.hlp/index.html")), &row == std::end(rows) - 1);
    }
    const QString settings = QString::fromUtf8(fileBytes(main.filePath(QStringLiteral("config/ferrowen/plinthmere.ini"))));
    EXPECT_TRUE(settings.contains(QStringLiteral("main dir=") + mainDir)) << settings.toStdString();
}

TEST(DesktopEntry, pointsAtTheCompanionInTheMainFolder)
{
    EXPECT_EQ(MainFolderInstaller::desktopEntry(QStringLiteral("Exec=@MAIN_DIR@/sorvik2 %u"), QStringLiteral("/home/u/ferrowen/")),
              QStringLiteral("Exec=/home/u/ferrowen/sorvik2 %u"));
}

} // namespace
