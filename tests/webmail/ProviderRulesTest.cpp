#include "FakeComposeHost.h"
#include "webmail/DetectProvider.h"
#include "webmail/ProviderAddresses.h"
#include "webmail/ProviderProfile.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

struct ProviderCase
{
    const char *location;
    const char *provider;
};

class DetectProviderTest : public ::testing::TestWithParam<ProviderCase> {};

TEST_P(DetectProviderTest, recognisesProviderFromInboxAddressAndMakesItCurrent)
{
    ferrowen::testing::FakeComposeHost host;
    host.inbox.url = QString::fromUtf8(GetParam().location);
    host.composeState.providerKey = QStringLiteral("stale");
    EXPECT_EQ(DetectProvider(host).key, QString::fromUtf8(GetParam().provider));
    EXPECT_EQ(host.composeState.providerKey, QString::fromUtf8(GetParam().provider));
}

INSTANTIATE_TEST_SUITE_P(Addresses, DetectProviderTest, ::testing::Values(
    ProviderCase{"http://us.f123.mail.yahoo.com/ym/ShowFolder?box=Inbox", "yahoo"},
    ProviderCase{"HTTP://MAIL.YAHOO.COM/", "yahoo"},
    ProviderCase{"http://127.0.0.1:8765/yahoo/inbox", "yahoo"},
    ProviderCase{"http://example.com/search?q=YaHoO", "yahoo"},
    ProviderCase{"http://by12fd.bay12.hotmail.msn.com/cgi-bin/HoTMaiL", "hotmail"},
    ProviderCase{"", "hotmail"},
    ProviderCase{"about:blank", "hotmail"},
    ProviderCase{"https://www.debian.org/", "hotmail"}));

struct ComposeAddressCase
{
    const char *inbox;
    const char *compose; // nullptr: no navigation
};

class ComposeAddressTest : public ::testing::TestWithParam<ComposeAddressCase> {};

TEST_P(ComposeAddressTest, keepsHostAndFirstSegmentThenAddsCompose)
{
    const auto address = composeAddressFor(QString::fromUtf8(GetParam().inbox));
    if (GetParam().compose == nullptr) {
        EXPECT_FALSE(address.has_value()) << address.value_or(QString()).toStdString();
    } else {
        ASSERT_TRUE(address.has_value());
        EXPECT_EQ(*address, QString::fromUtf8(GetParam().compose));
    }
}

INSTANTIATE_TEST_SUITE_P(Addresses, ComposeAddressTest, ::testing::Values(
    ComposeAddressCase{"http://us.f123.mail.yahoo.com/ym/ShowFolder?box=Inbox", "http://us.f123.mail.yahoo.com/ym/compose"},
    ComposeAddressCase{"http://127.0.0.1:8765/yahoo/inbox", "http://127.0.0.1:8765/yahoo/compose"},
    ComposeAddressCase{"http://127.0.0.1:8765/hotmail/message?id=3", "http://127.0.0.1:8765/hotmail/compose"},
    // The first slash searched for lies at or after the tenth character, so
    // with a one-letter host the path's first slash is skipped.
    ComposeAddressCase{"http://a/b/c", nullptr},
    ComposeAddressCase{"http://ab/c/d", "http://ab/c/compose"},
    ComposeAddressCase{"http://www.hotmail.com", nullptr},
    ComposeAddressCase{"http://www.hotmail.com/", nullptr},
    ComposeAddressCase{"", nullptr},
    ComposeAddressCase{"about:blank", nullptr}));

TEST(CalendarAddress, followsTheInboxProvider)
{
    EXPECT_EQ(calendarAddressFor(QStringLiteral("https://mail.yahoo.com/d/folders/1")),
              QStringLiteral("https://calendar.yahoo.com/"));
    EXPECT_EQ(calendarAddressFor(QStringLiteral("https://outlook.live.com/mail/0/")),
              QStringLiteral("https://outlook.live.com/calendar/"));
    EXPECT_EQ(calendarAddressFor(QString()), QStringLiteral("https://outlook.live.com/calendar/"));
}

TEST(CalendarAddress, localMailboxUsesItsOwnCalendar)
{
    EXPECT_EQ(calendarAddressFor(QStringLiteral("http://127.0.0.1:8765/yahoo/inbox")),
              QStringLiteral("http://127.0.0.1:8765/yahoo/calendar"));
    EXPECT_EQ(calendarAddressFor(QStringLiteral("http://localhost:8765/hotmail/inbox")),
              QStringLiteral("http://localhost:8765/hotmail/calendar"));
}

TEST(CalendarAddress, loadedOnlyWhenNoCalendarIsShown)
{
    EXPECT_TRUE(needsCalendarPage(QString()));
    EXPECT_TRUE(needsCalendarPage(QStringLiteral("http://127.0.0.1:8765/yahoo/inbox")));
    EXPECT_FALSE(needsCalendarPage(QStringLiteral("https://calendar.yahoo.com/")));
}

} // namespace
