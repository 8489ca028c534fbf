// The rules by which a reply, forward or resend shapes the saved message's
// text: the wrap, the quoting, the subject prefixes, the cut of a
// recipient to its angle brackets, the caption removal and the plain-text
// mirror.
#include "webmail/QuotedBody.h"
#include "webmail/ReplyShaping.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

// "aaaa aaaa aaaa ..." with a space at every fifth column (5, 10, ... 45).
QString lineOfWords(int length)
{
    QString line;
    while (line.size() < length)
        line += (line.size() % 5 == 4) ? QLatin1Char(' ') : QLatin1Char('a');
    return line;
}

struct TextCase
{
    const char *name;
    QString input;
    QString expected;
};

void PrintTo(const TextCase &c, std::ostream *os)
{
    *os << c.name;
}

std::string caseName(const ::testing::TestParamInfo<TextCase> &info)
{
    return info.param.name;
}

const QString x42 = QString(42, QLatin1Char('x'));

class WrapBodyLines : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(WrapBodyLines, breaksAtTheFirstSpaceFromColumn43)
{
    EXPECT_EQ(wrapBodyLines(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Lines, WrapBodyLines, ::testing::Values(
    // Spaces at 5, 10, ... 45: the first one at or after column 43 is 45.
    TextCase{"sixtyCharacters", lineOfWords(60), lineOfWords(60).left(44) + u'\n' + lineOfWords(60).mid(45)},
    TextCase{"spaceAtColumn43", x42 + QStringLiteral(" tail"), x42 + QStringLiteral("\ntail")},
    TextCase{"spaceAtColumn42", x42.left(41) + QStringLiteral(" tail"), x42.left(41) + QStringLiteral(" tail")},
    TextCase{"eachLineCountsFromItsStart", QString(40, u'x') + u'\n' + QString(40, u'y') + QStringLiteral(" z"),
             QString(40, u'x') + u'\n' + QString(40, u'y') + QStringLiteral(" z")},
    TextCase{"aBrokenLineCountsAfresh", x42 + u' ' + x42 + QStringLiteral(" end"),
             x42 + u'\n' + x42 + QStringLiteral("\nend")},
    TextCase{"noSpaceNoBreak", QString(90, u'x'), QString(90, u'x')}),
    caseName);

class QuoteBodyLines : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(QuoteBodyLines, putsAMarkerAfterEveryLineBreak)
{
    EXPECT_EQ(quoteBodyLines(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Bodies, QuoteBodyLines, ::testing::Values(
    TextCase{"replyLines", QStringLiteral("\n\nfirst\nsecond"), QStringLiteral("\n>\n>first\n>second")},
    TextCase{"crLfLineEnds", QStringLiteral("a\r\nb"), QStringLiteral("a\r\n>b")},
    TextCase{"noLineBreak", QStringLiteral("single"), QStringLiteral("single")}),
    caseName);

class WithoutCaption : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(WithoutCaption, keepsWhatFollowsTheFirstColonAndItsLeadingSpaces)
{
    EXPECT_EQ(withoutCaption(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(PreviewLines, WithoutCaption, ::testing::Values(
    // The saved file writes "Subject:&nbsp;": the non-breaking space goes too.
    TextCase{"nonBreakingSpaceOfTheFile", QStringLiteral("Subject:\u00a0Hello"), QStringLiteral("Hello")},
    TextCase{"ordinarySpaces", QStringLiteral("To:   ann@example.com"), QStringLiteral("ann@example.com")},
    TextCase{"mixedSpaces", QStringLiteral("To: \u00a0 ann"), QStringLiteral("ann")},
    TextCase{"laterColonsStay", QStringLiteral("Subject:\u00a0Re: Hi"), QStringLiteral("Re: Hi")},
    TextCase{"trailingSpacesStay", QStringLiteral("Cc:\u00a0carl "), QStringLiteral("carl ")},
    TextCase{"emptyValue", QStringLiteral("Bcc:\u00a0"), QString()},
    TextCase{"noCaption", QStringLiteral("no caption"), QStringLiteral("no caption")}),
    caseName);

class RecipientFromAngleBracket : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(RecipientFromAngleBracket, keepsTheTextFromTheFirstBracketOn)
{
    EXPECT_EQ(recipientFromAngleBracket(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Recipients, RecipientFromAngleBracket, ::testing::Values(
    TextCase{"nameAndAddress", QStringLiteral("Ann <ann@example.com>"), QStringLiteral("<ann@example.com>")},
    TextCase{"twoBrackets", QStringLiteral("A <a@x>, B <b@x>"), QStringLiteral("<a@x>, B <b@x>")},
    TextCase{"bareAddress", QStringLiteral("ann@example.com"), QStringLiteral("ann@example.com")}),
    caseName);

class PlainTextMirrorHtml : public ::testing::TestWithParam<TextCase>
{
};

TEST_P(PlainTextMirrorHtml, escapesTheTextBeforeTheQuoteMarkers)
{
    EXPECT_EQ(plainTextMirrorHtml(GetParam().input), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Bodies, PlainTextMirrorHtml, ::testing::Values(
    TextCase{"quoteMarkers", QStringLiteral("\n>a\n>b"), QStringLiteral("\n<BR>&gt;a\n<BR>&gt;b")},
    // Text of a received mail never becomes markup in the logged-in page.
    TextCase{"markupInTheMail", QStringLiteral("<img src=x onerror=alert(1)>"),
             QStringLiteral("&lt;img src=x onerror=alert(1)<BR>&gt;")},
    TextCase{"entityInTheMail", QStringLiteral("&lt; stays text"), QStringLiteral("&amp;lt; stays text")},
    TextCase{"empty", QString(), QString()}),
    caseName);

struct ModeCase
{
    const char *name;
    ComposeMode mode;
    QString subject;  // from "Hello"
    QString body;     // from "line one\nline two"
};

void PrintTo(const ModeCase &c, std::ostream *os)
{
    *os << c.name;
}

class ShapingByMode : public ::testing::TestWithParam<ModeCase>
{
};

TEST_P(ShapingByMode, givesEachModeItsSubjectAndBody)
{
    EXPECT_EQ(subjectForMode(GetParam().mode, QStringLiteral("Hello")), GetParam().subject);
    EXPECT_EQ(bodyForMode(GetParam().mode, QStringLiteral("line one\nline two")), GetParam().body);
}

INSTANTIATE_TEST_SUITE_P(Modes, ShapingByMode, ::testing::Values(
    ModeCase{"replyWithText", ComposeMode::ReplyWithText, QStringLiteral("RE: Hello"),
             QStringLiteral("\n>\n>line one\n>line two")},
    ModeCase{"replyBlank", ComposeMode::ReplyBlank, QStringLiteral("RE: Hello"), QString()},
    ModeCase{"forward", ComposeMode::Forward, QStringLiteral("FWD: Hello"), QStringLiteral("\n>\n>line one\n>line two")},
    ModeCase{"sendAgain", ComposeMode::SendAgain, QStringLiteral("Hello"), QStringLiteral("\n\nline one\nline two")},
    ModeCase{"mailto", ComposeMode::Mailto, QStringLiteral("Hello"), QStringLiteral("line one\nline two")}),
    [](const ::testing::TestParamInfo<ModeCase> &info) { return std::string(info.param.name); });

TEST(ShapingByMode, aReplyToAReplyGetsASecondPrefix)
{
    EXPECT_EQ(subjectForMode(ComposeMode::ReplyWithText, QStringLiteral("RE: Hello")), QStringLiteral("RE: RE: Hello"));
}

TEST(ShapingByMode, aForwardedLongLineGivesTwoQuotedParts)
{
    const QString line = lineOfWords(60);
    const QStringList lines = bodyForMode(ComposeMode::Forward, line).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines[2], QStringLiteral(">") + line.left(44));
    EXPECT_EQ(lines[3], QStringLiteral(">") + line.mid(45));
}

} // namespace
