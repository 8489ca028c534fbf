// The rules by which a reply, forward or resend shapes the saved message's
// text: the wrap, the quoting, the subject prefixes, the cut of a
// recipient to its angle brackets, the caption removal and the plain-text
// mirror. One row per case: input, expected.
#include "webmail/QuotedBody.h"
#include "webmail/ReplyShaping.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

using Rows = std::initializer_list<std::pair<QString, QString>>;

void expectRows(QString (*rule)(const QString &), Rows rows)
{
    for (const auto &[input, expected] : rows)
        EXPECT_EQ(rule(input), expected) << input.toStdString();
}

// "aaaa aaaa ..." with a space at every fifth column (5, 10, ... 45, ...).
const QString Words60 = [] {
    QString line;
    while (line.size() < 60)
        line += (line.size() % 5 == 4) ? QLatin1Char(' ') : QLatin1Char('a');
    return line;
}();
const QString X42(42, u'x');

TEST(ReplyShaping, wrapBreaksAtTheFirstSpaceFromColumn43)
{
    expectRows(wrapBodyLines, Rows{
        {Words60, Words60.left(44) + u'\n' + Words60.mid(45)},
        {X42 + QStringLiteral(" tail"), X42 + QStringLiteral("\ntail")},
        {X42.left(41) + QStringLiteral(" tail"), X42.left(41) + QStringLiteral(" tail")},
        // Each line, also one just broken, counts from its own start.
        {QString(40, u'x') + u'\n' + QString(40, u'y') + QStringLiteral(" z"),
         QString(40, u'x') + u'\n' + QString(40, u'y') + QStringLiteral(" z")},
        {X42 + u' ' + X42 + QStringLiteral(" end"), X42 + u'\n' + X42 + QStringLiteral("\nend")},
        {QString(90, u'x'), QString(90, u'x')},
    });
}

TEST(ReplyShaping, quotingPutsAMarkerAfterEveryLineBreak)
{
    expectRows(quoteBodyLines, Rows{
        {QStringLiteral("\n\nfirst\nsecond"), QStringLiteral("\n>\n>first\n>second")},
        {QStringLiteral("a\r\nb"), QStringLiteral("a\r\n>b")},
        {QStringLiteral("single"), QStringLiteral("single")},
    });
}

TEST(ReplyShaping, captionRemovalKeepsWhatFollowsTheFirstColonWithoutLeadingSpaces)
{
    expectRows(withoutCaption, Rows{
        // The saved file writes "Subject:&nbsp;": the non-breaking space goes too.
        {QStringLiteral("Subject:\u00a0Hello"), QStringLiteral("Hello")},
        {QStringLiteral("To:   ann@example.com"), QStringLiteral("ann@example.com")},
        {QStringLiteral("To: \u00a0 ann"), QStringLiteral("ann")},
        {QStringLiteral("Subject:\u00a0Re: Hi"), QStringLiteral("Re: Hi")},
        {QStringLiteral("Cc:\u00a0carl "), QStringLiteral("carl ")},
        {QStringLiteral("Bcc:\u00a0"), QString()},
        {QStringLiteral("no caption"), QStringLiteral("no caption")},
    });
}

TEST(ReplyShaping, theCutKeepsTheRecipientFromItsFirstAngleBracketOn)
{
    expectRows(recipientFromAngleBracket, Rows{
        {QStringLiteral("Ann <ann@example.com>"), QStringLiteral("<ann@example.com>")},
        {QStringLiteral("A <a@x>, B <b@x>"), QStringLiteral("<a@x>, B <b@x>")},
        {QStringLiteral("ann@example.com"), QStringLiteral("ann@example.com")},
    });
}

TEST(ReplyShaping, thePlainTextMirrorEscapesTheTextBeforeTheQuoteMarkers)
{
    expectRows(plainTextMirrorHtml, Rows{
        {QStringLiteral("\n>a\n>b"), QStringLiteral("\n<BR>&gt;a\n<BR>&gt;b")},
        // Text of a received mail never becomes markup in the logged-in page.
        {QStringLiteral("<img src=x onerror=alert(1)>"), QStringLiteral("&lt;img src=x onerror=alert(1)<BR>&gt;")},
        {QStringLiteral("&lt; stays text"), QStringLiteral("&amp;lt; stays text")},
        {QString(), QString()},
    });
}

TEST(ReplyShaping, eachModeGetsItsSubjectPrefixAndBody)
{
    const QString quoted = QStringLiteral("\n>\n>line one\n>line two");
    const std::tuple<ComposeMode, QString, QString> rows[] = {
        {ComposeMode::ReplyWithText, QStringLiteral("RE: Hello"), quoted},
        {ComposeMode::ReplyBlank, QStringLiteral("RE: Hello"), QString()},
        {ComposeMode::Forward, QStringLiteral("FWD: Hello"), quoted},
        {ComposeMode::SendAgain, QStringLiteral("Hello"), QStringLiteral("\n\nline one\nline two")},
        {ComposeMode::Mailto, QStringLiteral("Hello"), QStringLiteral("line one\nline two")},
    };
    for (const auto &[mode, subject, body] : rows) {
        EXPECT_EQ(subjectForMode(mode, QStringLiteral("Hello")), subject) << int(mode);
        EXPECT_EQ(bodyForMode(mode, QStringLiteral("line one\nline two")), body) << int(mode);
    }
    // No prefix is looked for: a reply to a reply gets a second one.
    EXPECT_EQ(subjectForMode(ComposeMode::ReplyWithText, QStringLiteral("RE: Hello")), QStringLiteral("RE: RE: Hello"));
    // A forwarded long line comes in two quoted parts.
    EXPECT_EQ(bodyForMode(ComposeMode::Forward, Words60),
              QStringLiteral("\n>\n>") + Words60.left(44) + QStringLiteral("\n>") + Words60.mid(45));
}

} // namespace
