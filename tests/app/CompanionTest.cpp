#include "MailtoHandoffWriter.h"
#include "app/SettingsFile.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace ferrowen;
using namespace std::chrono_literals;

namespace {

const QString firstLink = QStringLiteral("mailto:first@example.com?subject=One");
const QString secondLink = QStringLiteral("MAILTO:second@example.com");

// Runs sorvik2 against a settings file in a temporary XDG_CONFIG_HOME.
class CompanionTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(configHome.isValid()); }

    QString settingsPath() const { return configHome.filePath(QStringLiteral("ferrowen/plinthmere.ini")); }
    SettingsFile settings() const { return SettingsFile(settingsPath()); }

    QString mailto() const
    {
        return settings().GetIni(SettingsKeys::Settings, SettingsKeys::Mailto, QStringLiteral("<missing>"));
    }

    std::unique_ptr<QProcess> start(const QStringList &arguments) const
    {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome.path());
        process->setProcessEnvironment(environment);
        process->start(QStringLiteral(SORVIK2_PATH), arguments);
        return process;
    }

    // Runs sorvik2 to its end and gives its exit code.
    int run(const QStringList &arguments, QByteArray *errors = nullptr) const
    {
        const auto process = start(arguments);
        EXPECT_TRUE(process->waitForFinished(20000));
        if (errors)
            *errors = process->readAllStandardError();
        return process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    }

    QTemporaryDir configHome;
};

TEST_F(CompanionTest, linkGoesIntoTheEmptyKeyAndOtherSettingsStay)
{
    SettingsFile file = settings();
    ASSERT_TRUE(file.SetIni(SettingsKeys::Locations, SettingsKeys::MainDir, QStringLiteral("/opt/ferrowen/")));
    ASSERT_TRUE(file.SetIni(SettingsKeys::Settings, SettingsKeys::Mailto, QString()));

    EXPECT_EQ(run({firstLink}), 0);

    EXPECT_EQ(mailto(), firstLink);
    EXPECT_EQ(file.GetIni(SettingsKeys::Locations, SettingsKeys::MainDir, QString()), QStringLiteral("/opt/ferrowen/"));
}

TEST_F(CompanionTest, missingOrEmptyArgument_doesNothing)
{
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(run({QString()}), 0);
    EXPECT_FALSE(QFile::exists(settingsPath()));
}

TEST_F(CompanionTest, argumentThatIsNoMailtoLink_isIgnoredWithAMessage)
{
    QByteArray errors;
    EXPECT_NE(run({QStringLiteral("https://example.com/")}, &errors), 0);
    EXPECT_TRUE(errors.contains("not a mailto link")) << errors.constData();
    EXPECT_FALSE(QFile::exists(settingsPath()));
}

TEST_F(CompanionTest, fullKey_isWaitedForAndFilledOnceCleared)
{
    SettingsFile file = settings();
    ASSERT_TRUE(file.SetIni(SettingsKeys::Settings, SettingsKeys::Mailto, firstLink));

    const auto companion = start({secondLink});
    QByteArray errors;
    const QDeadlineTimer deadline(10s);
    while (!errors.contains("waiting") && !deadline.hasExpired() && companion->state() != QProcess::NotRunning) {
        companion->waitForReadyRead(100);
        errors += companion->readAllStandardError();
    }
    ASSERT_TRUE(errors.contains("waiting")) << errors.constData();
    EXPECT_EQ(mailto(), firstLink);

    // What the running program does once it has read the link.
    ASSERT_TRUE(file.SetIni(SettingsKeys::Settings, SettingsKeys::Mailto, QString()));

    ASSERT_TRUE(companion->waitForFinished(10000));
    EXPECT_EQ(companion->exitCode(), 0) << companion->readAllStandardError().constData();
    EXPECT_EQ(mailto(), secondLink);
}

TEST_F(CompanionTest, twoCompanionsBackToBack_bothLinksArriveInOrder)
{
    EXPECT_EQ(run({firstLink}), 0);
    const auto second = start({secondLink});

    // Poll and clear the key the way the running program does.
    QStringList received;
    SettingsFile file = settings();
    const QDeadlineTimer deadline(15s);
    while (received.size() < 2 && !deadline.hasExpired()) {
        const QString link = file.GetIni(SettingsKeys::Settings, SettingsKeys::Mailto, QString());
        if (!link.isEmpty()) {
            received << link;
            ASSERT_TRUE(file.SetIni(SettingsKeys::Settings, SettingsKeys::Mailto, QString()));
        }
        QThread::msleep(20);
    }

    EXPECT_EQ(received, QStringList({firstLink, secondLink}));
    ASSERT_TRUE(second->state() == QProcess::NotRunning || second->waitForFinished(10000));
    EXPECT_EQ(second->exitCode(), 0);
}

TEST_F(CompanionTest, writerGivesUpAfterItsTimeoutWithoutOverwriting)
{
    SettingsFile file = settings();
    ASSERT_TRUE(file.SetIni(SettingsKeys::Settings, SettingsKeys::Mailto, firstLink));

    MailtoHandoffWriter writer(file.profile());
    writer.setTimeout(200ms);
    writer.setPollInterval(20ms);
    int waitingNotices = 0;
    const MailtoHandoffWriter::Outcome outcome = writer.write(secondLink, [&waitingNotices] { ++waitingNotices; });

    EXPECT_EQ(outcome.result, MailtoHandoffWriter::Result::TimedOut);
    EXPECT_EQ(waitingNotices, 1);
    EXPECT_EQ(mailto(), firstLink);
}

TEST_F(CompanionTest, writerReportsAFileItCannotWrite)
{
    // A plain file where the settings folder should be.
    QFile blocker(configHome.filePath(QStringLiteral("ferrowen")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    SettingsFile file = settings();
    MailtoHandoffWriter writer(file.profile());
    const MailtoHandoffWriter::Outcome outcome = writer.write(firstLink);

    EXPECT_EQ(outcome.result, MailtoHandoffWriter::Result::Failed);
    EXPECT_FALSE(outcome.error.isEmpty());
}

TEST(MailtoLinkTest, recognisesMailtoLinksInAnyCase)
{
    EXPECT_TRUE(isMailtoLink(QStringLiteral("mailto:a@b.example")));
    EXPECT_TRUE(isMailtoLink(QStringLiteral("MailTo:a@b.example")));
    EXPECT_FALSE(isMailtoLink(QStringLiteral("mailto")));
    EXPECT_FALSE(isMailtoLink(QStringLiteral(" mailto:a@b.example")));
    EXPECT_FALSE(isMailtoLink(QStringLiteral("http://mailto:a@b.example")));
}

TEST(MailtoLinkTest, lineBreaksArePercentEncodedForTheSettingsFile)
{
    EXPECT_EQ(linkForSettingsFile(QStringLiteral("mailto:a@b.example?body=one\r\ntwo\nthree")),
              QStringLiteral("mailto:a@b.example?body=one%0D%0Atwo%0Athree"));
    EXPECT_EQ(linkForSettingsFile(QStringLiteral("mailto:a@b.example")), QStringLiteral("mailto:a@b.example"));
}

} // namespace
