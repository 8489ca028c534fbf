// The hyperlink dialog's rules: the address split into box and bookmark,
// the address written back, the bookmark list, TARGET and the trailing
// blank.
#include "editor/HyperlinkRules.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

TEST(HyperlinkRules, addressSplitAtTheHash)
{
    const struct
    {
        const char *href;
        const char *address;
        const char *bookmark;
    } cases[] = {
        {"http://example.com/page.htm#top", "http://example.com/page.htm", "top"},
        {"#", "http://", ""},
        {"", "http://", ""},
        {"#top", "http://", "top"},
        {"page.htm", "page.htm", ""},
        {"mailto:ann@example.com", "mailto:ann@example.com", ""},
        {"a.htm#one#two", "a.htm", "one#two"},
    };
    for (const auto &c : cases) {
        const LinkFields fields = linkFields(QLatin1String(c.href));
        EXPECT_EQ(fields.address, QLatin1String(c.address)) << c.href;
        EXPECT_EQ(fields.bookmark, QLatin1String(c.bookmark)) << c.href;
    }
}

TEST(HyperlinkRules, addressWrittenByOk)
{
    const struct
    {
        const char *box;
        const char *bookmark;
        const char *expected;
    } cases[] = {
        {"http://", "top", "#top"},          // a bookmark alone
        {"http://", "", ""},                 // nothing to write
        {"HTTP://", "", ""},
        {" http:// ", " ", ""},
        {"", "top", "#top"},
        {"page.htm", "top", "page.htm#top"},
        {" http://example.com ", "", "http://example.com"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(linkAddress(QLatin1String(c.box), QLatin1String(c.bookmark)), QLatin1String(c.expected))
            << c.box << " # " << c.bookmark;

    // Shown and written back unchanged, "#" alone included (which gives
    // nothing to write, so the link keeps it).
    for (const char *href : {"http://example.com/page.htm#top", "page.htm", "#top"}) {
        const LinkFields fields = linkFields(QLatin1String(href));
        EXPECT_EQ(linkAddress(fields.address, fields.bookmark), QLatin1String(href));
    }
    EXPECT_EQ(linkAddress(linkFields(QStringLiteral("#")).address, QString()), QString());
}

TEST(HyperlinkRules, bookmarksInDocumentOrder)
{
    const struct
    {
        const char *name;
        const char *html;
        const char *expected; // comma-separated
    } cases[] = {
        {"two anchors", "<p><a name=\"b\">x</a></p><p><a name=\"a\"></a></p>", "b,a"},
        {"any case, unquoted", "<A NAME=first></A><a Name='second'>y</a>", "first,second"},
        {"links and other tags are not bookmarks",
         "<a href=\"#x\">x</a><abbr name=\"no\">n</abbr><area name=\"no\"><a name=\"\">e</a>", ""},
        {"a link with a name counts", "<a href=\"p.htm\" name=\"both\">b</a>", "both"},
        {"each name once", "<a name=\"a\"></a><a name=\"a\"></a>", "a"},
        {"empty document", "", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(bookmarkNames(QLatin1String(c.html)).join(QLatin1Char(',')), QLatin1String(c.expected)) << c.name;
}

TEST(HyperlinkRules, targetWrittenIntoTheLinkTag)
{
    const struct
    {
        const char *link;
        const char *target;
        const char *expected;
    } cases[] = {
        {"<a href=\"x.htm\">t</a>", "_blank", "<a href=\"x.htm\" TARGET=_blank>t</a>"},
        {"<a href=\"x.htm\" target=\"_self\">t</a>", "_top", "<a href=\"x.htm\" target=_top>t</a>"},
        {"<a href=\"x.htm\" target=\"_self\">t</a>", "", "<a href=\"x.htm\" >t</a>"},
        {"<a href=\"x.htm\">t</a>", "", "<a href=\"x.htm\">t</a>"},
        {"<a href=\"x.htm\">t</a>", "my frame", "<a href=\"x.htm\" TARGET=\"my frame\">t</a>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(linkWithTarget(QLatin1String(c.link), QLatin1String(c.target)), QLatin1String(c.expected)) << c.target;
}

TEST(HyperlinkRules, aTrailingBlankIsNotLinked)
{
    const struct
    {
        QString text;
        int expected;
    } cases[] = {
        {QStringLiteral("word "), 1},
        {QStringLiteral("word"), 0},
        {QStringLiteral(""), 0},
        {QStringLiteral("two words\u00A0"), 1},
        {QStringLiteral(" lead"), 0},
    };
    for (const auto &c : cases)
        EXPECT_EQ(trailingBlankLength(c.text), c.expected) << c.text.toStdString();
}

} // namespace
