#include "webmail/QuotedBody.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

QString lineOfWords(int length)
{
    // "aaaa aaaa aaaa ..." with a space every fifth character.
    QString line;
    while (line.size() < length)
        line += (line.size() % 5 == 4) ? QLatin1Char(' ') : QLatin1Char('a');
    return line;
}

TEST(WrapBodyLines, breaksAtFirstSpaceFromColumn43)
{
    const QString line = lineOfWords(60);
    // Spaces sit at columns 5, 10, ... 45: the first one at or after 43 is 45.
    const QString wrapped = wrapBodyLines(line);
    EXPECT_EQ(wrapped, line.left(44) + QLatin1Char('\n') + line.mid(45));
}

TEST(WrapBodyLines, spaceAtColumn43ItselfBreaks)
{
    const QString line = QString(42, QLatin1Char('x')) + QStringLiteral(" tail");
    EXPECT_EQ(wrapBodyLines(line), QString(42, QLatin1Char('x')) + QStringLiteral("\ntail"));
    const QString shorter = QString(41, QLatin1Char('x')) + QStringLiteral(" tail");
    EXPECT_EQ(wrapBodyLines(shorter), shorter);
}

TEST(WrapBodyLines, countsEachLineFromItsOwnStart)
{
    const QString text = QString(40, QLatin1Char('x')) + QStringLiteral("\n") + QString(40, QLatin1Char('y'))
        + QStringLiteral(" z");
    EXPECT_EQ(wrapBodyLines(text), text);
}

TEST(QuoteBodyLines, everyLineAfterABreakStartsWithMarker)
{
    EXPECT_EQ(quoteBodyLines(QStringLiteral("\n\nfirst\nsecond")), QStringLiteral("\n>\n>first\n>second"));
}

TEST(QuoteBodyLines, forwardedLongLineGivesTwoQuotedParts)
{
    const QString line = lineOfWords(60);
    const QString body = quoteBodyLines(wrapBodyLines(QStringLiteral("\n\n") + line));
    const QStringList lines = body.split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[2], QStringLiteral(">") + line.left(44));
    EXPECT_EQ(lines[3], QStringLiteral(">") + line.mid(45));
}

TEST(YahooPlainMessageHtml, escapesQuoteMarkersOntoNewLines)
{
    EXPECT_EQ(plainTextMirrorHtml(QStringLiteral("\n>a\n>b")), QStringLiteral("\n<BR>&gt;a\n<BR>&gt;b"));
    EXPECT_EQ(plainTextMirrorHtml(QString()), QString());
}

TEST(YahooPlainMessageHtml, bodyTextNeverBecomesMarkup)
{
    EXPECT_EQ(plainTextMirrorHtml(QStringLiteral("<img src=x onerror=alert(1)>")),
              QStringLiteral("&lt;img src=x onerror=alert(1)<BR>&gt;"));
    EXPECT_EQ(plainTextMirrorHtml(QStringLiteral("&lt; stays text")), QStringLiteral("&amp;lt; stays text"));
}

TEST(WithoutCaption, dropsCaptionAndOrdinarySpacesOnly)
{
    EXPECT_EQ(withoutCaption(QStringLiteral("To:   ann@example.com")), QStringLiteral("ann@example.com"));
    EXPECT_EQ(withoutCaption(QStringLiteral("Subject:\u00a0Hello")), QStringLiteral("\u00a0Hello"));
    EXPECT_EQ(withoutCaption(QStringLiteral("Subject: Re: Hi")), QStringLiteral("Re: Hi"));
    EXPECT_EQ(withoutCaption(QStringLiteral("no caption")), QStringLiteral("no caption"));
}

} // namespace
