#include "FakeComposeHost.h"
#include "webmail/DetectProvider.h"
#include "webmail/ProviderAddresses.h"
#include "webmail/ProviderProfile.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

TEST(DetectProvider, recognisesTheProviderFromTheInboxAddressAndMakesItCurrent)
{
    const std::pair<const char *, const char *> rows[] = {
        {"http://us.f123.mail.yahoo.com/ym/ShowFolder?box=Inbox", "yahoo"},
        {"HTTP://MAIL.YAHOO.COM/", "yahoo"},
        {"http://127.0.0.1:8765/yahoo/inbox", "yahoo"},
        {"http://example.com/search?q=YaHoO", "yahoo"},
        {"http://by12fd.bay12.hotmail.msn.com/cgi-bin/HoTMaiL", "hotmail"},
        {"", "hotmail"},
        {"about:blank", "hotmail"},
        {"https://www.debian.org/", "hotmail"},
    };
    for (const auto &[location, provider] : rows) {
        ferrowen::testing::FakeComposeHost host;
        host.inbox.url = QString::fromUtf8(location);
        host.composeState.providerKey = QStringLiteral("stale");
        EXPECT_EQ(DetectProvider(host).key, QString::fromUtf8(provider)) << location;
        EXPECT_EQ(host.composeState.providerKey, QString::fromUtf8(provider)) << location;
    }
}

TEST(ComposeAddress, keepsHostAndFirstSegmentThenAddsCompose)
{
    const std::pair<const char *, const char *> rows[] = {
        {"http://us.f123.mail.yahoo.com/ym/ShowFolder?box=Inbox", "http://us.f123.mail.yahoo.com/ym/compose"},
        {"http://127.0.0.1:8765/yahoo/inbox", "http://127.0.0.1:8765/yahoo/compose"},
        {"http://127.0.0.1:8765/hotmail/message?id=3", "http://127.0.0.1:8765/hotmail/compose"},
        // The first slash searched for lies at or after the tenth character, so
        // with a one-letter host the path's first slash is skipped.
        {"http://a/b/c", nullptr},
        {"http://ab/c/d", "http://ab/c/compose"},
        {"http://www.hotmail.com", nullptr},
        {"http://www.hotmail.com/", nullptr},
        {"", nullptr},
        {"about:blank", nullptr},
    };
    for (const auto &[inbox, compose] : rows) {
        const std::optional<QString> expected = compose ? std::optional(QString::fromUtf8(compose)) : std::nullopt;
        EXPECT_EQ(composeAddressFor(QString::fromUtf8(inbox)), expected) << inbox;
    }
}

TEST(CalendarAddress, followsTheInboxProviderOrTheLocalMailbox)
{
    const std::pair<const char *, const char *> rows[] = {
        {"https://mail.yahoo.com/d/folders/1", "https://calendar.yahoo.com/"},
        {"https://outlook.live.com/mail/0/", "https://outlook.live.com/calendar/"},
        {"", "https://outlook.live.com/calendar/"},
        {"http://127.0.0.1:8765/yahoo/inbox", "http://127.0.0.1:8765/yahoo/calendar"},
        {"http://localhost:8765/hotmail/inbox", "http://localhost:8765/hotmail/calendar"},
    };
    for (const auto &[inbox, calendar] : rows)
        EXPECT_EQ(calendarAddressFor(QString::fromUtf8(inbox)), QString::fromUtf8(calendar)) << inbox;

    // Loaded only when no calendar is shown.
    EXPECT_TRUE(needsCalendarPage(QString()));
    EXPECT_TRUE(needsCalendarPage(QStringLiteral("http://127.0.0.1:8765/yahoo/inbox")));
    EXPECT_FALSE(needsCalendarPage(QStringLiteral("https://calendar.yahoo.com/")));
}

} // namespace
