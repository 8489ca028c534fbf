#include "sorvik2/MailtoHandoffWriter.h"
#include "app/settings/SettingsFile.h"

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

    QTemporaryDir configHome;
    QString settingsPath() const { return configHome.filePath(QStringLiteral("ferrowen/plinthmere.ini")); }
    SettingsFile settings = SettingsFile(settingsPath());

    QString mailto() const { return settings.GetIni(SettingsKeys::Settings, SettingsKeys::Mailto, QStringLiteral("<missing>")); }
    void setMailto(const QString &link) { ASSERT_TRUE(settings.SetIni(SettingsKeys::Settings, SettingsKeys::Mailto, link)); }

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
};

TEST_F(CompanionTest, linkGoesIntoTheEmptyKeyOnOneLineAndOtherSettingsStay)
{
    ASSERT_TRUE(settings.SetIni(SettingsKeys::Locations, SettingsKeys::MainDir, QStringLiteral("/opt/ferrowen/")));
    setMailto(QString());

    EXPECT_EQ(run({QStringLiteral("mailto:a@b.example?body=one\r\ntwo\nthree")}), 0);

    EXPECT_EQ(mailto(), QStringLiteral("mailto:a@b.example?body=one%0D%0Atwo%0Athree"));
    EXPECT_EQ(settings.GetIni(SettingsKeys::Locations, SettingsKeys::MainDir, QString()), QStringLiteral("/opt/ferrowen/"));
}

TEST_F(CompanionTest, argumentsThatAreNoMailtoLinks_changeNothing)
{
    EXPECT_EQ(run({}), 0);
    EXPECT_EQ(run({QString()}), 0);
    for (const QString &argument : {QStringLiteral("https://example.com/"), QStringLiteral(" mailto:a@b.example")}) {
        QByteArray errors;
        EXPECT_NE(run({argument}, &errors), 0);
        EXPECT_TRUE(errors.contains("not a mailto link")) << errors.constData();
    }
    EXPECT_FALSE(QFile::exists(settingsPath()));
}

TEST_F(CompanionTest, fullKey_isWaitedForAndFilledOnceCleared)
{
    setMailto(firstLink);
    const auto companion = start({secondLink});
    QByteArray errors;
    const QDeadlineTimer deadline(10s);
    while (!errors.contains("waiting") && !deadline.hasExpired() && companion->state() != QProcess::NotRunning) {
        companion->waitForReadyRead(100);
        errors += companion->readAllStandardError();
    }
    ASSERT_TRUE(errors.contains("waiting")) << errors.constData();
    EXPECT_EQ(mailto(), firstLink);

    setMailto(QString()); // what the running program does once it has read the link
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
    const QDeadlineTimer deadline(15s);
    while (received.size() < 2 && !deadline.hasExpired()) {
        if (const QString link = settings.GetIni(SettingsKeys::Settings, SettingsKeys::Mailto, QString()); !link.isEmpty()) {
            received << link;
            setMailto(QString());
        }
        QThread::msleep(20);
    }
    EXPECT_EQ(received, QStringList({firstLink, secondLink}));
    ASSERT_TRUE(second->state() == QProcess::NotRunning || second->waitForFinished(10000));
    EXPECT_EQ(second->exitCode(), 0);
}

TEST_F(CompanionTest, writerGivesUpAfterItsTimeoutWithoutOverwriting)
{
    setMailto(firstLink);
    MailtoHandoffWriter writer(settings.profile());
    writer.setTimeout(200ms);
    writer.setPollInterval(20ms);
    int waitingNotices = 0;
    EXPECT_EQ(writer.write(secondLink, [&waitingNotices] { ++waitingNotices; }).result,
              MailtoHandoffWriter::Result::TimedOut);
    EXPECT_EQ(waitingNotices, 1);
    EXPECT_EQ(mailto(), firstLink);
}

TEST_F(CompanionTest, writerReportsAFileItCannotWrite)
{
    QFile blocker(configHome.filePath(QStringLiteral("ferrowen"))); // a plain file where the folder belongs
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const MailtoHandoffWriter::Outcome outcome = MailtoHandoffWriter(settings.profile()).write(firstLink);
    EXPECT_EQ(outcome.result, MailtoHandoffWriter::Result::Failed);
    EXPECT_FALSE(outcome.error.isEmpty());
}

} // namespace
