#include "FakeComposeHost.h"
#include "webmail/DetectProvider.h"
#include "webmail/ProviderAddresses.h"
#include "webmail/ProviderProfile.h"

#include <gtest/gtest.h>

#include <optional>

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

// Pages are known by their own markers wherever they are served, by an
// address the user pinned, while loading by what their site was known by,
// and else by the words of the address, as before.
TEST(DetectProvider, knowsPagesByTheirMarkersAPinOrTheirSite)
{
    struct Row
    {
        const char *location;
        std::optional<bool> recognised; // none: the page cannot answer (it loads)
        const char *pinAddress;
        const char *pinProvider;
        const char *expected;
    };
    const Row rows[] = {
        {"http://127.0.0.1:40000/?_task=mail&_mbox=INBOX", true, "", "", "roundcube"},
        // The same site, its next page not answering yet.
        {"http://127.0.0.1:40000/?_task=mail&_action=compose", std::nullopt, "", "", "roundcube"},
        // Another site: not known, so by its words.
        {"http://127.0.0.1:40001/?_task=mail", std::nullopt, "", "", "hotmail"},
        // Markers count before the words of the address.
        {"https://webmail.yahoo-fans.example/?_task=mail", true, "", "", "roundcube"},
        {"http://127.0.0.1:8765/yahoo/inbox", false, "", "", "yahoo"},
        {"http://127.0.0.1:8765/hotmail/inbox", false, "", "", "hotmail"},
        // A pin: the same scheme, host and port, under its path.
        {"https://mail.example.org/webmail/?_task=mail", false, "mail.example.org/webmail/", "roundcube", "hotmail"},
        {"http://mail.example.org/webmail/?_task=mail", false, "mail.example.org/webmail/", "roundcube", "roundcube"},
        {"http://mail.example.org/other/", false, "http://mail.example.org/webmail/", "roundcube", "hotmail"},
        {"http://mail.example.org:81/webmail/", false, "http://mail.example.org/webmail/", "roundcube", "hotmail"},
        {"http://MAIL.example.org/webmail/x", false, "http://mail.example.org/webmail", "roundcube", "roundcube"},
        // A pin overrides the markers.
        {"http://127.0.0.1:40000/?_task=mail", true, "http://127.0.0.1:40000/", "yahoo", "yahoo"},
        {"file:///home/u/start.html", std::nullopt, "", "", "hotmail"},
    };
    ferrowen::testing::FakeComposeHost host;
    for (const Row &row : rows) {
        host.inbox.url = QString::fromUtf8(row.location);
        host.inbox.scriptAnswers.clear();
        if (row.recognised)
            host.inbox.scriptAnswers.insert(QStringLiteral("roundcube.js recognise"), *row.recognised);
        host.composeState.pinnedAddress = QString::fromUtf8(row.pinAddress);
        host.composeState.pinnedProvider = QString::fromUtf8(row.pinProvider);
        EXPECT_EQ(DetectProvider(host).key, QString::fromUtf8(row.expected)) << row.location;
        EXPECT_EQ(host.composeState.providerKey, QString::fromUtf8(row.expected)) << row.location;
    }
}

// A document recognised by its markers is not asked again until another
// one comes, nor one that showed none once its own scripts had run; one
// that did not know itself while they ran, or one still loading, is asked
// every time, and a pin still comes first.
TEST(DetectProvider, asksALoadedDocumentForItsMarkersOnce)
{
    struct Row
    {
        quint64 document; // 0: loading
        bool settling;
        bool recognised;
        const char *pinAddress;
        const char *expected;
        int asked;
    };
    const Row rows[] = {
        {7, false, true, "", "roundcube", 1},
        // The page would now answer otherwise: still the same document.
        {7, false, false, "", "roundcube", 0},
        {7, false, false, "http://127.0.0.1:40000/", "yahoo", 0},
        // A new document, which does not know itself yet, then does.
        {8, true, false, "", "hotmail", 1},
        {8, true, true, "", "roundcube", 1},
        {8, false, false, "", "roundcube", 0},
        // Settled without markers: its address tells, and a pin still wins.
        {9, false, false, "", "hotmail", 1},
        {9, false, true, "", "hotmail", 0},
        {9, false, true, "http://127.0.0.1:40000/", "yahoo", 0},
        {10, false, true, "", "roundcube", 1},
        {0, false, true, "", "roundcube", 1},
        {0, false, true, "", "roundcube", 1},
    };
    ferrowen::testing::FakeComposeHost host;
    host.inbox.url = QStringLiteral("http://127.0.0.1:40000/?_task=mail");
    host.composeState.pinnedProvider = QStringLiteral("yahoo");
    for (const Row &row : rows) {
        host.inboxDocument = row.document;
        host.inboxSettling = row.settling;
        host.inbox.scriptAnswers.insert(QStringLiteral("roundcube.js recognise"), row.recognised);
        host.inbox.scriptCalls.clear();
        host.composeState.pinnedAddress = QString::fromUtf8(row.pinAddress);
        const QString seen = DetectProvider(host).key;
        EXPECT_EQ(seen, QString::fromUtf8(row.expected)) << row.document << ' ' << row.recognised;
        EXPECT_EQ(host.composeState.providerKey, seen);
        EXPECT_EQ(host.inbox.scriptCalls.size(), row.asked) << row.document << ' ' << row.recognised;
    }
}

TEST(ComposeAddress, aProviderServedFromOneAddressComposesThere)
{
    const ProviderProfile &roundcube = profileForKey(RoundcubeKey);
    const std::pair<const char *, const char *> rows[] = {
        {"http://127.0.0.1:40000/?_task=mail&_mbox=INBOX", "http://127.0.0.1:40000/?_task=mail&_action=compose"},
        {"https://mail.example.org/roundcube/?_task=mail#x", "https://mail.example.org/roundcube/?_task=mail&_action=compose"},
        {"https://mail.example.org", "https://mail.example.org/?_task=mail&_action=compose"},
        {"file:///tmp/index.html", nullptr},
        {"", nullptr},
    };
    for (const auto &[inbox, compose] : rows) {
        const std::optional<QString> expected = compose ? std::optional(QString::fromUtf8(compose)) : std::nullopt;
        EXPECT_EQ(composeAddressFor(roundcube, QString::fromUtf8(inbox)), expected) << inbox;
    }
    // The other providers keep their rule; Roundcube has no calendar.
    EXPECT_EQ(composeAddressFor(profileForKey(YahooKey), QStringLiteral("http://127.0.0.1:8765/yahoo/inbox")),
              QStringLiteral("http://127.0.0.1:8765/yahoo/compose"));
    EXPECT_EQ(calendarAddressFor(roundcube, QStringLiteral("http://127.0.0.1:40000/?_task=mail")), std::nullopt);
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
