// Writers of user files killed (SIGKILL) at random moments while they write:
// every file must be whole afterwards (exactly one generation, see
// UserFileGenerations.h) and no list may offer anything extra. A hundred
// kills per kind of a small writer that uses the program's writer code,
// and a few of the windowed program itself while it writes.
#include "addressbook/ui/AddressGrid.h"
#include "addressbook/ui/AddressGridModel.h"
#include "addressbook/ui/AddressPane.h"
#include "app/MainController.h"
#include "app/Shell.h"
#include "app/ShellMessageSaveHost.h"
#include "platform/SaveFileLeftovers.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <random>
#include <thread>

#include "ScriptedFileDialogs.h"
#include "ScriptedMessageBoxes.h"
#include "UserFileGenerations.h"

using namespace ferrowen;
using namespace ferrowen::testing::generations;

namespace {

const QString Kinds[] = {QStringLiteral("message"), QStringLiteral("book"), QStringLiteral("template"),
                         QStringLiteral("settings")};
const char *const WindowedKindVariable = "FERROWEN_KILLED_WRITER_KIND";
const char *const WindowedMainVariable = "FERROWEN_KILLED_WRITER_MAIN";

class KilledWriters : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        std::printf("kill moments seeded with %u\n", seed);
    }

    QString mainDir() const { return dir.filePath(QStringLiteral("main")); }

    // Starts `writer`, waits for its first generation, kills it at a random
    // moment of the writes that follow and checks what it left.
    void killAndCheck(QProcess &writer, const QString &kind, int upToMicroseconds, int &lastGeneration)
    {
        ASSERT_TRUE(writer.waitForStarted(60000));
        ASSERT_TRUE(writer.waitForReadyRead(120000)) << writer.readAllStandardError().toStdString();
        // The moment of the kill is what is tried out, not a wait for anything.
        std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, upToMicroseconds)(random)));
        ::kill(pid_t(writer.processId()), SIGKILL);
        ASSERT_TRUE(writer.waitForFinished(60000));
        ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit) << writer.readAllStandardError().toStdString();

        const std::optional<int> generation = wholeGeneration(kind, mainDir());
        ASSERT_TRUE(generation.has_value()) << "the file is not whole";
        EXPECT_GE(*generation, lastGeneration);
        lastGeneration = *generation;
        EXPECT_EQ(extraListed(kind, mainDir()), QStringList());
        noteLeftovers();
    }

    // Counts the leftovers killed writers left, to tell how often a kill
    // fell between the writing and the renaming.
    void noteLeftovers()
    {
        for (const QString &folder : QStringList{messageFolder(mainDir()), mainDir() + QStringLiteral("/addrbooks"),
                                      templatesFolder(mainDir()), mainDir()}) {
            for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden)) {
                if (!saveFileLeftoverTarget(name).isEmpty())
                    leftovers.insert(name);
            }
        }
    }

    QSet<QString> leftovers;

    QTemporaryDir dir;
    const unsigned seed = std::random_device{}();
    std::mt19937 random{seed};
};

TEST_F(KilledWriters, theProgramsWriterCodeKilledAHundredTimesPerKindLeavesEveryFileWhole)
{
    constexpr int Kills = 100;
    for (const QString &kind : Kinds) {
        SCOPED_TRACE(kind.toStdString());
        int lastGeneration = 0;
        for (int kill = 0; kill < Kills; ++kill) {
            SCOPED_TRACE(kill);
            QProcess writer;
            writer.start(QStringLiteral(USER_FILE_WRITER_PATH), {kind, mainDir()});
            killAndCheck(writer, kind, 20000, lastGeneration);
            if (HasFatalFailure())
                return;
        }
        // Every run wrote at least its first generation.
        EXPECT_GE(lastGeneration, Kills);
    }
    std::printf("%lld of the kills left a complete copy beside the file\n", qlonglong(leftovers.size()));
    // The next write of the settings file clears what killed writers left.
    ASSERT_TRUE(write(QStringLiteral("settings"), mainDir(), 1));
    EXPECT_EQ(QDir(mainDir()).entryList({QStringLiteral("plinthmere.ini*")}, QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral("plinthmere.ini"), QStringLiteral("plinthmere.ini.lock")}));
}

TEST_F(KilledWriters, theWindowedProgramKilledWhileWritingLeavesEveryFileWhole)
{
    constexpr int Kills = 2;
    for (const QString &kind : Kinds) {
        SCOPED_TRACE(kind.toStdString());
        int lastGeneration = 0;
        for (int kill = 0; kill < Kills; ++kill) {
            SCOPED_TRACE(kill);
            QProcess program;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QLatin1String(WindowedKindVariable), kind);
            environment.insert(QLatin1String(WindowedMainVariable), mainDir());
            program.setProcessEnvironment(environment);
            program.start(QCoreApplication::applicationFilePath(),
                          {QStringLiteral("--gtest_filter=KilledWriters.DISABLED_windowedProgramWriting"),
                           QStringLiteral("--gtest_also_run_disabled_tests")});
            // "ready" comes after the test framework's own lines.
            ASSERT_TRUE(program.waitForStarted(60000));
            QByteArray output;
            const auto ready = [&] {
                output += program.readAllStandardOutput();
                return output.contains("ready\n");
            };
            while (!ready() && program.state() == QProcess::Running)
                program.waitForReadyRead(120000);
            ASSERT_TRUE(ready()) << output.toStdString() << program.readAllStandardError().toStdString();
            std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 50000)(random)));
            ::kill(pid_t(program.processId()), SIGKILL);
            ASSERT_TRUE(program.waitForFinished(60000));

            const std::optional<int> generation = wholeGeneration(kind, mainDir());
            ASSERT_TRUE(generation.has_value()) << "the file is not whole";
            EXPECT_GE(*generation, lastGeneration);
            lastGeneration = *generation;
            EXPECT_EQ(extraListed(kind, mainDir()), QStringList());
        }
    }
}

// The windowed program writing generations of one kind through its own
// parts until it is killed; run in a process of its own by the test above.
TEST_F(KilledWriters, DISABLED_windowedProgramWriting)
{
    const QString kind = qEnvironmentVariable(WindowedKindVariable);
    const QString main = qEnvironmentVariable(WindowedMainVariable);
    ASSERT_FALSE(kind.isEmpty() || main.isEmpty());
    ASSERT_TRUE(QDir().mkpath(messageFolder(main)) && QDir().mkpath(templatesFolder(main)));
    ASSERT_TRUE(QDir().mkpath(main + QStringLiteral("/addrbooks")));
    int generation = wholeGeneration(kind, main).value_or(0) + 1;
    if (kind == QLatin1String("book") && !QFile::exists(bookPath(main))) {
        ASSERT_TRUE(write(kind, main, generation++));
    }

    SettingsFile settings(settingsPath(main));
    ASSERT_TRUE(writeSetting(settings, SettingKeys::MainDir, main + u'/'));
    ferrowen::testing::ScriptedMessageBoxes boxes;
    ferrowen::testing::ScriptedFileDialogs fileDialogs;
    fileDialogs.openAnswers << bookPath(main);
    MainController controller(settings, MainController::Options{false, false, &boxes, &fileDialogs});
    controller.start();
    AddressPane &pane = controller.shell().addressPane();
    if (kind == QLatin1String("book"))
        pane.Open_CSV();

    for (bool told = false;; ++generation) {
        if (kind == QLatin1String("message")) {
            SaveMessage(controller.shell().messageSaveHost(), messageOf(generation));
        } else if (kind == QLatin1String("book")) {
            pane.parts().grid->addressModel().setTable(bookOf(generation));
            ASSERT_TRUE(pane.SaveAddressBook());
        } else if (kind == QLatin1String("template")) {
            ASSERT_TRUE(writeTemplateFile(templatesFolder(main), TemplateName, templateOf(generation)));
        } else {
            ASSERT_TRUE(settings.profile().writeStrings(settingsOf(generation)));
        }
        ASSERT_TRUE(boxes.shown.isEmpty()) << boxes.texts().join(u' ').toStdString();
        QCoreApplication::processEvents();
        if (!told) {
            std::printf("ready\n");
            std::fflush(stdout);
            told = true;
        }
    }
}

} // namespace
