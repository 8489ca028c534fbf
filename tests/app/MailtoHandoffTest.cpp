#include "app/LatestValueWriter.h"
#include "app/MailtoHandoff.h"
#include "settings/SettingsFile.h"
#include "platform/FileLock.h"

#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "WaitFor.h"

using namespace ferrowen;
using namespace std::chrono_literals;

namespace {

const QString Settings = QStringLiteral("Settings");
const QString Mailto = QStringLiteral("mailto");

class MailtoHandoffTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    SettingsFile settings{dir.filePath(QStringLiteral("plinthmere.ini"))};
    LatestValueWriter trace{settings.profile(), Settings, QStringLiteral("bug")};
    QStringList filled;
    QStringList traceSeenWhileFilling;
    int pumps = 0;
    // Whether the compose filling writes the link now, or keeps it waiting.
    bool fillsAtOnce = true;
    MailtoHandoff handoff{settings, [this](const QString &code) { trace.write(code); }, [this] { ++pumps; },
                          [this](const QString &link) {
                              filled << link;
                              traceSeenWhileFilling << read("bug") + QLatin1Char('/') + read("mailto");
                              if (fillsAtOnce)
                                  handoff.linkDone(link);
                          }};

    MailtoHandoffTest() { handoff.setClearDelay(0ms); }

    QString read(const char *key)
    {
        return settings.GetIni(Settings, QString::fromLatin1(key), QStringLiteral("<none>"));
    }
    void setMailto(const QString &link) { ASSERT_TRUE(settings.SetIni(Settings, Mailto, link)); }
};

TEST_F(MailtoHandoffTest, linkIsClearedOnceFilledAndTraced)
{
    EXPECT_EQ(handoff.tick().value(), QString()) << "an empty key";
    EXPECT_EQ(read("bug"), QStringLiteral("<none>")) << "nothing to trace";

    setMailto(QStringLiteral("mailto:ann@example.com"));
    EXPECT_TRUE(handoff.tick()->isEmpty()) << "filled; the window shows it before the file changes";
    EXPECT_EQ(filled, QStringList{QStringLiteral("mailto:ann@example.com")});
    EXPECT_TRUE(traceSeenWhileFilling.value(0).endsWith(QStringLiteral("/mailto:ann@example.com")))
        << "in the file until it is in the form";
    const StatusOr<QString> handled = handoff.tick();
    ASSERT_TRUE(handled);
    EXPECT_EQ(*handled, QStringLiteral("mailto:ann@example.com"));
    EXPECT_TRUE(ferrowen::testing::waitFor([&] { return read("bug") == QStringLiteral("8888"); }, 5000));
    EXPECT_EQ(read("mailto"), QString());
    EXPECT_EQ(pumps, 4); // once for the empty key, twice for the link, once for its clearing
    EXPECT_TRUE(handoff.tick()->isEmpty()) << "a link is handled once";
    EXPECT_EQ(filled.size(), 1);
}

// A link the filling keeps waiting (the user has not signed in) stays in the
// file, and later ticks leave it there; once it is filled it leaves, and a
// link in the file when the program starts is taken again.
TEST_F(MailtoHandoffTest, aLinkThatWaitsStaysInTheFileUntilItIsFilled)
{
    fillsAtOnce = false;
    setMailto(QStringLiteral("mailto:ann@example.com"));
    EXPECT_TRUE(handoff.tick()->isEmpty());
    EXPECT_TRUE(handoff.tick()->isEmpty());
    EXPECT_EQ(filled, QStringList{QStringLiteral("mailto:ann@example.com")}) << "handed over once";
    EXPECT_EQ(read("mailto"), QStringLiteral("mailto:ann@example.com"));

    MailtoHandoff nextStart{settings, [](const QString &) {}, nullptr, [this](const QString &link) { filled << link; }};
    EXPECT_TRUE(nextStart.tick()->isEmpty());
    EXPECT_EQ(filled.size(), 2);

    handoff.linkDone(QStringLiteral("mailto:ann@example.com"));
    EXPECT_EQ(handoff.tick().value(), QStringLiteral("mailto:ann@example.com"));
    EXPECT_EQ(read("mailto"), QString());
    EXPECT_EQ(filled.size(), 2);
}

TEST_F(MailtoHandoffTest, tickDuringFillingWaitsItsTurn)
{
    QString nested = QStringLiteral("<not run>");
    MailtoHandoff *self = nullptr;
    MailtoHandoff reentrant{settings, [](const QString &) {}, nullptr, [&](const QString &link) {
                                setMailto(QStringLiteral("second"));
                                nested = self->tick().value();
                                self->linkDone(link);
                            }};
    reentrant.setClearDelay(0ms);
    self = &reentrant;
    setMailto(QStringLiteral("first"));
    EXPECT_TRUE(reentrant.tick()->isEmpty());
    EXPECT_TRUE(nested.isEmpty());
    // Written over by another writer meanwhile: what the file holds stays.
    EXPECT_TRUE(reentrant.tick()->isEmpty());
    EXPECT_EQ(read("mailto"), QStringLiteral("second")) << "the second link waits in the file, not lost";
}

TEST_F(MailtoHandoffTest, whileAMergeSendsTheLinkStaysUnreadAndIsFilledAfter)
{
    bool merging = true;
    handoff.holdWhile([&merging] { return merging; });
    setMailto(QStringLiteral("mailto:ann@example.com"));

    EXPECT_TRUE(handoff.tick()->isEmpty());
    EXPECT_TRUE(filled.isEmpty());
    EXPECT_EQ(read("mailto"), QStringLiteral("mailto:ann@example.com"));
    EXPECT_EQ(read("bug"), QStringLiteral("<none>"));

    // A merge that starts while the hand-off lets events run holds it too.
    merging = false;
    MailtoHandoff startsMerge{settings, [](const QString &) {}, [&merging] { merging = true; },
                              [this](const QString &link) { filled << link; }};
    startsMerge.holdWhile([&merging] { return merging; });
    EXPECT_TRUE(startsMerge.tick()->isEmpty());
    EXPECT_TRUE(filled.isEmpty());

    merging = false;
    EXPECT_TRUE(handoff.tick()->isEmpty());
    EXPECT_EQ(handoff.tick().value(), QStringLiteral("mailto:ann@example.com"));
    EXPECT_EQ(filled, QStringList{QStringLiteral("mailto:ann@example.com")});
    EXPECT_EQ(read("mailto"), QString());
}

// A filled link whose clearing fails stays in the file for a later tick,
// which clears it without filling it a second time.
TEST_F(MailtoHandoffTest, clearingThatFails_isDoneByALaterTickWhichFillsNothingAgain)
{
    setMailto(QStringLiteral("mailto:bo@example.com"));
    {
        const FileLock otherWriter(settings.profile().lockFilePath(), FileLock::Mode::Exclusive, 0ms);
        ASSERT_TRUE(otherWriter.status());
        EXPECT_TRUE(handoff.tick()->isEmpty());
        EXPECT_FALSE(handoff.tick());
        EXPECT_FALSE(handoff.tick());
        EXPECT_EQ(filled, QStringList{QStringLiteral("mailto:bo@example.com")});
        EXPECT_EQ(read("mailto"), QStringLiteral("mailto:bo@example.com"));
        EXPECT_EQ(trace.pending(), QStringLiteral("8888")) << "the trace waits for the lock too";
    }
    EXPECT_EQ(handoff.tick().value(), QStringLiteral("mailto:bo@example.com"));
    EXPECT_TRUE(handoff.tick()->isEmpty());
    EXPECT_EQ(filled, QStringList{QStringLiteral("mailto:bo@example.com")});
    EXPECT_TRUE(ferrowen::testing::waitFor([&] { return read("bug") == QStringLiteral("8888") && !trace.pending(); }, 5000));
}

// While another process holds the lock the trace is kept, only its latest
// value, and written once the lock is free.
TEST_F(MailtoHandoffTest, traceWrittenWhileLocked_keepsTheLatestValueForLater)
{
    {
        const FileLock otherWriter(settings.profile().lockFilePath(), FileLock::Mode::Exclusive, 0ms);
        ASSERT_TRUE(otherWriter.status());
        trace.write(QStringLiteral("1"));
        trace.write(QStringLiteral("2"));
        EXPECT_EQ(read("bug"), QStringLiteral("<none>"));
        EXPECT_EQ(trace.pending(), QStringLiteral("2"));
    }
    EXPECT_TRUE(ferrowen::testing::waitFor([&] { return read("bug") == QStringLiteral("2") && !trace.pending(); }, 5000));
}

} // namespace
