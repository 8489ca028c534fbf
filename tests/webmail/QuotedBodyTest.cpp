#include "webmail/QuotedBody.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

// "aaaa aaaa aaaa ..." with a space every fifth character (columns 5, 10, ...).
QString lineOfWords(int length)
{
    QString line;
    while (line.size() < length)
        line += (line.size() % 5 == 4) ? QLatin1Char(' ') : QLatin1Char('a');
    return line;
}

TEST(QuotedBody, eachStepOfAQuotedBody)
{
    using Step = QString (*)(const QString &);
    const QString words = lineOfWords(60);
    const QString x42 = QString(42, u'x'), x41 = QString(41, u'x');
    const QString twoLines = QString(40, u'x') + QStringLiteral("\n") + QString(40, u'y') + QStringLiteral(" z");
    const auto wrapThenQuote = [](const QString &body) { return quoteBodyLines(wrapBodyLines(body)); };
    const struct
    {
        Step step;
        QString input;
        QString expected;
    } rows[] = {
        // A line breaks at its first space from column 43 on, counted from the line's own start.
        {wrapBodyLines, words, words.left(44) + u'\n' + words.mid(45)},
        {wrapBodyLines, x42 + QStringLiteral(" tail"), x42 + QStringLiteral("\ntail")},
        {wrapBodyLines, x41 + QStringLiteral(" tail"), x41 + QStringLiteral(" tail")},
        {wrapBodyLines, twoLines, twoLines},
        {quoteBodyLines, QStringLiteral("\n\nfirst\nsecond"), QStringLiteral("\n>\n>first\n>second")},
        {wrapThenQuote, QStringLiteral("\n\n") + words, QStringLiteral("\n>\n>") + words.left(44) + QStringLiteral("\n>") + words.mid(45)},
        // Yahoo's plain-text copy: quote markers start new lines; body text never becomes markup.
        {plainTextMirrorHtml, QStringLiteral("\n>a\n>b"), QStringLiteral("\n<BR>&gt;a\n<BR>&gt;b")},
        {plainTextMirrorHtml, QString(), QString()},
        {plainTextMirrorHtml, QStringLiteral("<img src=x onerror=alert(1)>"), QStringLiteral("&lt;img src=x onerror=alert(1)<BR>&gt;")},
        {plainTextMirrorHtml, QStringLiteral("&lt; stays text"), QStringLiteral("&amp;lt; stays text")},
        // The caption and the ordinary spaces after it go.
        {withoutCaption, QStringLiteral("To:   ann@example.com"), QStringLiteral("ann@example.com")},
        {withoutCaption, QStringLiteral("Subject:\u00a0Hello"), QStringLiteral("\u00a0Hello")},
        {withoutCaption, QStringLiteral("Subject: Re: Hi"), QStringLiteral("Re: Hi")},
        {withoutCaption, QStringLiteral("no caption"), QStringLiteral("no caption")},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.step(row.input), row.expected) << row.input.toStdString();
}

} // namespace
