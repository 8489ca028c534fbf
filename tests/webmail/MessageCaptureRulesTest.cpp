#include "webmail/CapturedBody.h"
#include "webmail/MessageHeaders.h"
#include "webmail/ProviderProfile.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

const QList<MessageHeaderLabels> &labelsOf(const QString &key)
{
    return profileForKey(key).displayedMessage.headerLabels;
}

// Page text with its lines joined by CR LF, as the rendered text comes.
QString page(std::initializer_list<const char *> lines)
{
    QStringList joined;
    for (const char *line : lines)
        joined << QString::fromUtf8(line);
    return joined.join(QStringLiteral("\r\n"));
}

QString shown(const MessageHeaders &h)
{
    return QStringList{h.from, h.to, h.subject, h.date}.join(u'|');
}

struct HeaderCase
{
    const char *what;
    int variant;
    QString pageText;
    const char *headers; // from|to|subject|date
};

class YahooHeadersTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(YahooHeadersTest, cutsEachValueAfterItsLabel)
{
    const HeaderCase &c = GetParam();
    EXPECT_EQ(shown(yahooMessageHeaders(c.pageText, labelsOf(YahooKey)[c.variant])), QString::fromUtf8(c.headers));
}

INSTANTIATE_TEST_SUITE_P(Pages, YahooHeadersTest, ::testing::Values(
    HeaderCase{"every line", 0,
               page({"Inbox", "From: Ann <ann@example.com> | Add to Address Book", "To:\tyou@demo.example ",
                     "Subject:  Lunch?", "Date: Tue, 3 Nov 2026 09:14:00 +0000", "Hi"}),
               "Ann <ann@example.com>|you@demo.example|Lunch?|Tue, 3 Nov 2026 09:14:00 +0000"},
    HeaderCase{"a list's recipient keeps what comes before \" via\"", 0,
               page({"From: P | x", "To: team@lists.example via Work Lists", "Subject: s", "Date: d", ""}),
               "P|team@lists.example|s|d"},
    HeaderCase{"a value without its end stays empty", 0,
               page({"From: no bar", "Subject: s"}), "|||"},
    HeaderCase{"German labels", 1,
               page({"Von: Bernd <b@example.de> | x", "An: you@demo.example", "Antwort an: r@example.de",
                     "Betreff: Viele Gr\u00fc\u00dfe", "Datum: Mon, 2 Nov 2026", ""}),
               "Bernd <b@example.de>|you@demo.example|Viele Gr\u00fc\u00dfe|Mon, 2 Nov 2026"}));

TEST(YahooHeaders, theLastValueFoundEndsAtItsLineBreak)
{
    const QString text = page({"From: A | x", "To: b", "Subject: s", "Date: d", "body text"});
    const MessageHeaders headers = yahooMessageHeaders(text, labelsOf(YahooKey)[0]);
    EXPECT_EQ(text.mid(headers.lastValueEnd), QStringLiteral("\r\nbody text"));
    EXPECT_EQ(yahooMessageHeaders(QStringLiteral("no labels"), labelsOf(YahooKey)[0]).lastValueEnd, -1);
}

class HotmailHeadersTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HotmailHeadersTest, followsTheLabelsOneAfterAnother)
{
    const HeaderCase &c = GetParam();
    EXPECT_EQ(shown(hotmailMessageHeaders(c.pageText, labelsOf(HotmailKey)[c.variant])), QString::fromUtf8(c.headers));
}

INSTANTIATE_TEST_SUITE_P(Pages, HotmailHeadersTest, ::testing::Values(
    HeaderCase{"with a reply-to line", 0,
               page({"New message", "From : Sam <sam@example.com>", "Reply-To : Sam <s@home.example>",
                     "To : you@demo.example", "Subject : Re: hike", "Date : Thu, 29 Oct 2026 21:33:10 +0000", "Hi"}),
               "Sam <sam@example.com>|you@demo.example|Re: hike|Thu, 29 Oct 2026 21:33:10 +0000"},
    HeaderCase{"a short reply-to address", 0,
               page({"From : Sam", "Reply-To : a@b.cc", "To : you", "Subject : s", "Date : 1/2/2026 10:00", ""}),
               "Sam|you|s|1/2/2026 10:00"},
    HeaderCase{"without a reply-to line the To label is looked for from the start", 0,
               page({"From : Oliver <o@example.net>", "To : you@demo.example", "Subject : Meeting",
                     "Date : Wed, 4 Nov 2026 08:02:45 +0000", ""}),
               "Oliver <o@example.net>|you@demo.example|Meeting|Wed, 4 Nov 2026 08:02:45 +0000"},
    HeaderCase{"a subject that mentions the label's word keeps it", 0,
               page({"From : A", "To : b", "Subject : Subject to contract", "Date : 1 Nov 2026 10:00", ""}),
               "A|b|Subject to contract|1 Nov 2026 10:00"},
    HeaderCase{"German, with a reply-to line", 1,
               page({"Von : J\u00fcrgen <j@example.at>", "Antwort an : k@example.at", "An : you@demo.example",
                     "Betreff : Gr\u00fc\u00dfe", "Datum : Tue, 3 Nov 2026 19:11:00 +0100", ""}),
               "J\u00fcrgen <j@example.at>|you@demo.example|Gr\u00fc\u00dfe|Tue, 3 Nov 2026 19:11:00 +0100"},
    HeaderCase{"no labels at all", 0, page({"Inbox", "3 messages"}), "|||"}));

TEST(HotmailHeaders, aValueThatWouldEndBeforeItStartsMakesThePageUnreadable)
{
    const QString text = page({"From : A", "To :Subject : s", "Date : 1 Nov 2026 10:00", ""});
    EXPECT_THROW(hotmailMessageHeaders(text, labelsOf(HotmailKey)[0]), UnreadableMessage);
}

struct VariantCase
{
    const char *pageText;
    int current;
    int chosen;
};

class LabelVariantTest : public ::testing::TestWithParam<VariantCase> {};

TEST_P(LabelVariantTest, keepsTheCurrentVersionOrTakesTheFirstThatFits)
{
    const VariantCase &c = GetParam();
    EXPECT_EQ(chooseLabelVariant(QString::fromUtf8(c.pageText), labelsOf(YahooKey), c.current, 8), c.chosen);
}

INSTANTIATE_TEST_SUITE_P(Pages, LabelVariantTest, ::testing::Values(
    VariantCase{"Betreff: x", 0, 1},
    VariantCase{"Subject: x Betreff: y", 1, 1},
    VariantCase{"Subject: x Betreff: y", 3, 0},
    VariantCase{"\xc3\x84mne: x", 0, 7},
    VariantCase{"nothing", 5, 5}));

TEST(HeaderLabels, everyVersionHasAllLabelsAndItsOwnSubjectLabel)
{
    for (const QString &key : {YahooKey, HotmailKey}) {
        const QList<MessageHeaderLabels> &variants = labelsOf(key);
        ASSERT_EQ(variants.size(), 8) << key.toStdString();
        for (int i = 0; i < variants.size(); ++i) {
            const MessageHeaderLabels &v = variants[i];
            for (const QString &label : {v.from, v.to, v.replyTo, v.subject, v.date})
                EXPECT_FALSE(label.isEmpty()) << key.toStdString() << i;
            // No other version's subject label is found in this one's.
            for (int other = 0; other < variants.size(); ++other) {
                if (other != i) {
                    EXPECT_FALSE(v.subject.contains(variants[other].subject)) << key.toStdString() << i << other;
                }
            }
        }
    }
    const MessageHeaderLabels &english = labelsOf(YahooKey)[0];
    EXPECT_EQ(QStringList({english.from, english.to, english.replyTo, english.subject, english.date}),
              QStringList({QStringLiteral("From:"), QStringLiteral("To:"), QStringLiteral("Reply-To:"),
                           QStringLiteral("Subject:"), QStringLiteral("Date:")}));
}

struct BodyCase
{
    const char *what;
    QString body;
    QString saved;
};

class CapturedBodyTest : public ::testing::TestWithParam<BodyCase> {};

TEST_P(CapturedBodyTest, headAndLineBreakRules)
{
    EXPECT_EQ(withPlainTextBreaks(withoutHeaderHead(GetParam().body, QStringLiteral("To:"))), GetParam().saved);
}

const QString CrLf = QStringLiteral("\r\n");

INSTANTIATE_TEST_SUITE_P(Bodies, CapturedBodyTest, ::testing::Values(
    BodyCase{"four breaks become two, each with a <br>", QStringLiteral("a") + CrLf.repeated(4) + QStringLiteral("b"),
             QStringLiteral("a<br>\r\n<br>\r\nb")},
    BodyCase{"three breaks become two", QStringLiteral("a") + CrLf.repeated(3) + QStringLiteral("b"),
             QStringLiteral("a<br>\r\n<br>\r\nb")},
    BodyCase{"a single break only gains its <br>", QStringLiteral("a\r\nb"), QStringLiteral("a<br>\r\nb")},
    BodyCase{"a browser's bare line feeds count as breaks", QStringLiteral("a\n\n\n\nb"), QStringLiteral("a<br>\r\n<br>\r\nb")},
    BodyCase{"markup after the first two characters is left alone", QStringLiteral("xy<P>a\r\nb"), QStringLiteral("xy<P>a\r\nb")},
    BodyCase{"markup only at the very start does not count", QStringLiteral("</x\r\ny"), QStringLiteral("</x<br>\r\ny")},
    BodyCase{"the To label in the head: up to the first '>' from the fifth character goes",
             QStringLiteral("To: ") + QString(35, u'x') + QStringLiteral(">rest<div>"),
             QStringLiteral("rest<div>")},
    BodyCase{"that '>' at the 100th character or later keeps the body whole",
             QStringLiteral("To: ") + QString(95, u'x') + QStringLiteral("><div>"),
             QStringLiteral("To: ") + QString(95, u'x') + QStringLiteral("><div>")},
    BodyCase{"no '>' at all keeps the body whole", QStringLiteral("To: x<div"), QStringLiteral("To: x<div")}));

} // namespace
