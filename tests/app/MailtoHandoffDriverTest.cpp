#include "app/MailtoHandoff.h"
#include "app/MailtoHandoffDriver.h"
#include "settings/SettingsFile.h"
#include "platform/FileLock.h"

#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include "WaitFor.h"

using namespace ferrowen;
using namespace std::chrono_literals;

namespace {

const QString Settings = QStringLiteral("Settings");
const QString Mailto = QStringLiteral("mailto");

// The once-a-second tick is stopped right after start in these tests, so
// whatever is handled was picked up by watching the settings file or by
// looking again after a fill.
class MailtoHandoffDriverTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (settingsFolderExistsAtStart()) {
            ASSERT_TRUE(settings.SetIni(Settings, QStringLiteral("bug"), QStringLiteral("0")));
        }
        driver.start();
        ASSERT_TRUE(tick.isActive());
        tick.stop();
    }

    virtual bool settingsFolderExistsAtStart() const { return true; }

    // Another process's write, such as the companion's.
    void writeLink(const QString &link) { ASSERT_TRUE(otherWriter.writeString(Settings, Mailto, link)); }

    QTemporaryDir dir;
    SettingsFile settings{dir.filePath(QStringLiteral("ferrowen/plinthmere.ini"))};
    ProfileFile otherWriter{settings.path()};
    QStringList filled;
    int attempts = 0;
    MailtoHandoff handoff{settings, [](const QString &) {}, [this] { ++attempts; },
                          [this](const QString &link) {
                              filled << link;
                              handoff.linkDone(link);
                          }};
    QTimer tick;
    MailtoHandoffDriver driver{handoff, tick, settings.path()};
};

// On a first start the settings folder is made only by the first write,
// the companion's.
class MailtoHandoffDriverStartTest : public MailtoHandoffDriverTest, public ::testing::WithParamInterface<bool>
{
protected:
    bool settingsFolderExistsAtStart() const override { return GetParam(); }
};

TEST_P(MailtoHandoffDriverStartTest, linksWrittenOneAfterAnotherArePickedUpWithoutTheTick)
{
    ASSERT_EQ(QFileInfo::exists(QFileInfo(settings.path()).absolutePath()), GetParam());
    QStringList handled;
    QObject::connect(&driver, &MailtoHandoffDriver::linkHandled, [&handled](const QString &link) { handled << link; });
    // Each write replaces the file: the watch has to follow the new one.
    for (const QString &link : {QStringLiteral("mailto:one@example.com"), QStringLiteral("mailto:two@example.com"),
                                QStringLiteral("mailto:three@example.com")}) {
        writeLink(link);
        // As a companion does, the next link is written once this one has
        // left the file.
        ASSERT_TRUE(ferrowen::testing::waitFor([&] { return handled.contains(link); }, 5000)) << link.toStdString();
    }
    EXPECT_EQ(filled, QStringList({QStringLiteral("mailto:one@example.com"), QStringLiteral("mailto:two@example.com"),
                                   QStringLiteral("mailto:three@example.com")}));
    EXPECT_EQ(handled, filled);
}

INSTANTIATE_TEST_SUITE_P(SettingsFolder, MailtoHandoffDriverStartTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool> &info) { return info.param ? "exists" : "notYetMade"; });

// Filled once; its clearing, kept from the file by another writer's lock,
// is tried again soon.
TEST_F(MailtoHandoffDriverTest, linkThatCannotBeCleared_isTriedAgainSoon)
{
    QStringList handled;
    QObject::connect(&driver, &MailtoHandoffDriver::linkHandled, [&handled](const QString &link) { handled << link; });
    writeLink(QStringLiteral("mailto:later@example.com"));
    {
        const FileLock busy(settings.profile().lockFilePath(), FileLock::Mode::Exclusive, 0ms);
        ASSERT_TRUE(busy.status());
        ASSERT_TRUE(ferrowen::testing::waitFor([&] { return attempts >= 3; }, 5000));
        EXPECT_TRUE(handled.isEmpty());
    }
    EXPECT_TRUE(ferrowen::testing::waitFor([&] { return !handled.isEmpty(); }, 5000));
    EXPECT_EQ(filled, QStringList{QStringLiteral("mailto:later@example.com")});
    EXPECT_EQ(settings.GetIni(Settings, Mailto, QStringLiteral("<none>")), QString());
}

} // namespace
