#include "sorvik2/CompanionRun.h"
#include "sorvik2/DesktopNotifier.h"
#include "sorvik2/MailtoHandoffWriter.h"
#include "sorvik2/MailtoWaitQueue.h"
#include "app/MailtoHandoff.h"
#include "settings/SettingsFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <vector>

#include "CommandLineAnswer.h"
#include "WaitFor.h"

using namespace ferrowen;
using namespace std::chrono_literals;

namespace {

const QString firstLink = QStringLiteral("mailto:first@example.com?subject=One");
const QString secondLink = QStringLiteral("MAILTO:second@example.com");

QStringList numberedLinks(int count)
{
    QStringList links;
    for (int i = 1; i <= count; ++i)
        links << QStringLiteral("mailto:n%1@example.com").arg(i);
    return links;
}

class RecordingNotifier : public UserNotifier
{
public:
    Status notify(const QString &summary, const QString &body) override
    {
        notices << summary + QStringLiteral(": ") + body;
        return answer;
    }
    QStringList notices;
    Status answer = Status::success();
};

// Runs sorvik2 against a settings file in a temporary XDG_CONFIG_HOME, and
// plays the running program's part where a test needs it.
class CompanionTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(configHome.isValid()); }

    QTemporaryDir configHome;
    QString settingsPath() const { return configHome.filePath(QStringLiteral("ferrowen/plinthmere.ini")); }
    QString queuePath() const { return MailtoWaitQueue::pathFor(settingsPath()); }
    SettingsFile settings = SettingsFile(settingsPath());
    std::vector<std::unique_ptr<QProcess>> companions;
    QStringList received;

    QString mailto() const { return settings.GetIni(SettingKeys::Mailto.section, SettingKeys::Mailto.name, QStringLiteral("<missing>")); }
    void setMailto(const QString &link) { ASSERT_TRUE(writeSetting(settings, SettingKeys::Mailto, link)); }

    QProcess &start(const QStringList &arguments)
    {
        companions.push_back(std::make_unique<QProcess>());
        QProcess &process = *companions.back();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome.path());
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(SORVIK2_PATH), arguments);
        EXPECT_TRUE(process.waitForStarted(10000));
        return process;
    }

    // Runs sorvik2 to its end and gives its exit code.
    int run(const QStringList &arguments, QByteArray *errors = nullptr)
    {
        QProcess &process = start(arguments);
        EXPECT_TRUE(process.waitForFinished(20000));
        if (errors)
            *errors = process.readAllStandardError();
        return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    }

    // What the running program does: takes a waiting link and clears it.
    void takeWaitingLink()
    {
        const QString link = settings.profile().readWholeString(SettingKeys::Mailto.section, SettingKeys::Mailto.name, QString());
        if (link.isEmpty())
            return;
        received << link;
        setMailto(QString());
    }

    bool isQueued(qint64 pid) const
    {
        const StatusOr<MailtoWaitQueue> queue = MailtoWaitQueue::read(queuePath());
        if (!queue)
            return false;
        for (const ProcessIdentity &waiter : queue->waiters()) {
            if (waiter.pid == pid)
                return true;
        }
        return false;
    }
    bool isQueued(const QProcess &process) const { return process.processId() > 0 && isQueued(process.processId()); }

    bool allFinishedWith(int exitCode) const
    {
        for (const auto &process : companions) {
            if (process->state() != QProcess::NotRunning || process->exitCode() != exitCode)
                return false;
        }
        return true;
    }
};

TEST_F(CompanionTest, linkGoesIntoTheEmptyKeyOnOneLineAndOtherSettingsStay)
{
    ASSERT_TRUE(writeSetting(settings, SettingKeys::MainDir, QStringLiteral("/opt/ferrowen/")));
    setMailto(QString());

    EXPECT_EQ(run({QStringLiteral("mailto:a@b.example?body=one\r\ntwo\nthree")}), 0);

    EXPECT_EQ(mailto(), QStringLiteral("mailto:a@b.example?body=one%0D%0Atwo%0Athree"));
    EXPECT_EQ(readSetting(settings, SettingKeys::MainDir), QStringLiteral("/opt/ferrowen/"));
    EXPECT_FALSE(QFile::exists(queuePath())) << "no one waited";
}

TEST_F(CompanionTest, argumentsThatHandNoLinkOver_changeNothing)
{
    const QString link = QStringLiteral("mailto:a@b.example");
    const ferrowen::testing::CommandLineAnswer rows[] = {
        {{}, 0, "", ""},
        {{QString()}, 0, "", ""},
        {{QStringLiteral("https://example.com/")}, 2, "", "not a mailto link"},
        {{QStringLiteral(" mailto:a@b.example")}, 2, "", "not a mailto link"},
        {{QStringLiteral("--version")}, 0, "sorvik2 " FERROWEN_EXPECTED_VERSION "\n", ""},
        {{QStringLiteral("-v")}, 0, "sorvik2 " FERROWEN_EXPECTED_VERSION "\n", ""},
        {{QStringLiteral("--help")}, 0, "Usage: sorvik2 [options] [mailto-link]\n", ""},
        // An option after the link still counts, and no link goes over.
        {{link, QStringLiteral("-h")}, 0, "Usage: sorvik2", ""},
        {{QStringLiteral("--bogus")}, 2, "", "sorvik2: Unknown option 'bogus'."},
        {{QStringLiteral("--bogus"), link}, 2, "", "Try 'sorvik2 --help'"},
        {{link, QStringLiteral("mailto:c@d.example")}, 2, "", "unexpected argument 'mailto:c@d.example'"},
    };
    for (const auto &row : rows)
        ferrowen::testing::expectAnswered(start(row.arguments), row);
    EXPECT_FALSE(QFile::exists(settingsPath()));
}

// A 4 KiB link goes through the companion and the program's hand-off whole.
TEST_F(CompanionTest, longLinkArrivesWhole)
{
    const QString link = QStringLiteral("mailto:long@example.com?body=") + QString(4096, u'x');
    QByteArray errors;
    ASSERT_EQ(run({link}, &errors), 0) << errors.constData();
    EXPECT_TRUE(errors.isEmpty()) << errors.constData();

    QStringList filled;
    MailtoHandoff *self = nullptr;
    MailtoHandoff handoff(settings, [](const QString &) {}, nullptr, [&](const QString &l) {
        filled << l;
        self->linkDone(l);
    });
    self = &handoff;
    handoff.setClearDelay(std::chrono::milliseconds(0));
    EXPECT_TRUE(handoff.tick()->isEmpty()) << "filled";
    EXPECT_EQ(handoff.tick().value(), link) << "and then cleared";
    EXPECT_EQ(filled, QStringList{link});
}

TEST_F(CompanionTest, fullKey_isWaitedForAndFilledOnceCleared)
{
    setMailto(firstLink);
    QProcess &companion = start({secondLink});
    QByteArray errors;
    ASSERT_TRUE(ferrowen::testing::waitFor([&] {
        errors += companion.readAllStandardError();
        return errors.contains("waiting") || companion.state() == QProcess::NotRunning;
    }, 10000));
    ASSERT_TRUE(errors.contains("waiting")) << errors.constData();
    EXPECT_TRUE(isQueued(companion));
    EXPECT_EQ(mailto(), firstLink);

    setMailto(QString()); // what the running program does once it has read the link
    ASSERT_TRUE(companion.waitForFinished(10000));
    EXPECT_EQ(companion.exitCode(), 0) << companion.readAllStandardError().constData();
    EXPECT_EQ(mailto(), secondLink);
    EXPECT_FALSE(QFile::exists(queuePath())) << "the companion left the queue";
}

TEST_F(CompanionTest, companionsStartedAtOnce_allHandOverOnce)
{
    QStringList links = numberedLinks(8);
    for (const QString &link : links)
        start({link});
    EXPECT_TRUE(ferrowen::testing::waitFor([&] {
        takeWaitingLink();
        return received.size() >= links.size() && allFinishedWith(0);
    }, 30000));
    received.sort();
    links.sort();
    EXPECT_EQ(received, links);
}

TEST_F(CompanionTest, killedWaiter_doesNotBlockTheOthers)
{
    setMailto(firstLink);
    QProcess &killed = start({QStringLiteral("mailto:killed@example.com")});
    ASSERT_TRUE(ferrowen::testing::waitFor([&] { return isQueued(killed); }, 10000));
    QProcess &next = start({secondLink});
    ASSERT_TRUE(ferrowen::testing::waitFor([&] { return isQueued(next); }, 10000));

    const qint64 killedPid = killed.processId();
    ::kill(pid_t(killedPid), SIGKILL);
    ASSERT_TRUE(killed.waitForFinished(10000));
    ASSERT_TRUE(isQueued(killedPid)) << "a killed waiter cannot leave the queue itself";

    EXPECT_TRUE(ferrowen::testing::waitFor([&] {
        takeWaitingLink();
        return received.size() >= 2 && next.state() == QProcess::NotRunning;
    }, 15000));
    EXPECT_EQ(received, QStringList({firstLink, secondLink}));
    EXPECT_EQ(next.exitCode(), 0);
    EXPECT_FALSE(QFile::exists(queuePath()));
}

// ---- In-process --------------------------------------------------------

// A link nobody takes: the writer gives up, leaves the queue and the key as
// they were, and the user hears of it, by a notice or else on standard error.
TEST_F(CompanionTest, linkNotHandedOver_isToldToTheUserAndInTheExitCode)
{
    setMailto(firstLink);
    MailtoHandoffWriter writer(settings.profile());
    writer.setStallTimeout(100ms);
    writer.setPollInterval(10ms);
    int waitingNotices = 0;
    const Status status = writer.write(secondLink, [&waitingNotices] { ++waitingNotices; });
    EXPECT_FALSE(status);
    EXPECT_TRUE(status.error().contains(settings.path())) << status.error().toStdString();
    EXPECT_EQ(waitingNotices, 1);
    EXPECT_EQ(mailto(), firstLink);
    EXPECT_FALSE(QFile::exists(queuePath()));

    QString errors;
    QTextStream err(&errors);
    RecordingNotifier notifier;
    EXPECT_EQ(runCompanion({QStringLiteral("sorvik2"), secondLink}, writer, notifier, err), LinkNotHandedOver);
    ASSERT_EQ(notifier.notices.size(), 1);
    EXPECT_TRUE(notifier.notices.first().contains(secondLink)) << notifier.notices.first().toStdString();

    notifier.answer = Status::failure(QStringLiteral("no notice"));
    EXPECT_EQ(runCompanion({QStringLiteral("sorvik2"), secondLink}, writer, notifier, err), LinkNotHandedOver);
    EXPECT_TRUE(errors.contains(secondLink) && errors.contains(QStringLiteral("no notice"))) << errors.toStdString();
}

TEST_F(CompanionTest, desktopNotifierWithoutASessionBus_writesOneLineToStandardError)
{
    // The session bus connection is made on first use; this keeps it away
    // from a desktop the tests may run on.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/ferrowen-test-bus");
    QString errors;
    QTextStream err(&errors);
    DesktopNotifier notifier(err);
    EXPECT_TRUE(notifier.notify(QStringLiteral("Mail link not handed over"), secondLink));
    EXPECT_EQ(errors, QStringLiteral("sorvik2: Mail link not handed over: ") + secondLink + QLatin1Char('\n'));
}

TEST_F(CompanionTest, writerReportsAFileItCannotWrite)
{
    QFile blocker(configHome.filePath(QStringLiteral("ferrowen"))); // a plain file where the folder belongs
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const Status status = MailtoHandoffWriter(settings.profile()).write(firstLink);
    EXPECT_FALSE(status);
    EXPECT_FALSE(status.error().isEmpty());
}

} // namespace
