#include "app/MailtoHandoff.h"
#include "app/settings/SettingsFile.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

class MailtoHandoffTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    SettingsFile settings{dir.filePath(QStringLiteral("plinthmere.ini"))};
    QStringList filled;
    QStringList bugSeenWhileFilling;
    int pumps = 0;
    MailtoHandoff handoff{settings, [this] { ++pumps; }, [this](const QString &link) {
                              filled << link;
                              bugSeenWhileFilling << read("bug") + QLatin1Char('/') + read("mailto");
                          }};

    QString read(const char *key)
    {
        return settings.GetIni(QStringLiteral("Settings"), QString::fromLatin1(key), QStringLiteral("<none>"));
    }
};

TEST_F(MailtoHandoffTest, emptyKeyDoesNothing)
{
    EXPECT_TRUE(handoff.tick().isEmpty());
    EXPECT_TRUE(filled.isEmpty());
    EXPECT_EQ(read("bug"), QStringLiteral("<none>"));
}

TEST_F(MailtoHandoffTest, linkIsClearedBeforeFillingAndTraced)
{
    settings.SetIni(QStringLiteral("Settings"), QStringLiteral("mailto"), QStringLiteral("mailto:ann@example.com"));
    EXPECT_EQ(handoff.tick(), QStringLiteral("mailto:ann@example.com"));
    EXPECT_EQ(filled, QStringList{QStringLiteral("mailto:ann@example.com")});
    EXPECT_EQ(bugSeenWhileFilling, QStringList{QStringLiteral("7788/")});
    EXPECT_EQ(read("bug"), QStringLiteral("8888"));
    EXPECT_EQ(read("mailto"), QString());
    EXPECT_EQ(pumps, 2);
    EXPECT_TRUE(handoff.tick().isEmpty()) << "a link is handled once";
}

TEST_F(MailtoHandoffTest, tickDuringFillingWaitsItsTurn)
{
    QString nested;
    MailtoHandoff *self = nullptr;
    MailtoHandoff reentrant{settings, nullptr, [&](const QString &) {
                                settings.SetIni(QStringLiteral("Settings"), QStringLiteral("mailto"), QStringLiteral("second"));
                                nested = self->tick();
                            }};
    self = &reentrant;
    settings.SetIni(QStringLiteral("Settings"), QStringLiteral("mailto"), QStringLiteral("first"));
    EXPECT_EQ(reentrant.tick(), QStringLiteral("first"));
    EXPECT_TRUE(nested.isEmpty());
    EXPECT_EQ(read("mailto"), QStringLiteral("second")) << "the second link waits in the file, not lost";
}

} // namespace
