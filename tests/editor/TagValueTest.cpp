#include "editor/TagValue.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

struct TagCase
{
    const char *name;
    const char *text;
    int start;
    const char *attribute;
    const char *value;
    TagValueMode mode;
    const char *expected;
    bool quoted;
};

class TagValueTable : public ::testing::TestWithParam<TagCase>
{
};

TEST_P(TagValueTable, readsOrRewritesTheAttribute)
{
    const TagCase &c = GetParam();
    const TagValueResult result = TagValue(QString::fromUtf8(c.text), c.start, QLatin1String(c.attribute),
                                           QString::fromUtf8(c.value), c.mode);
    EXPECT_EQ(result.text, QString::fromUtf8(c.expected));
    EXPECT_EQ(result.valueWasQuoted, c.quoted);
}

constexpr auto Read = TagValueMode::Read;
constexpr auto Set = TagValueMode::SetValue;
constexpr auto Flag = TagValueMode::SetFlag;

const TagCase cases[] = {
    // The cell tag with WIDTH and ALIGN: only the digits change; an empty
    // value takes WIDTH=50 away and leaves both blanks.
    {"readValue", "<TD WIDTH=50 ALIGN=center>", 1, "WIDTH", "", Read, "50", false},
    {"setValue", "<TD WIDTH=50 ALIGN=center>", 1, "WIDTH", "75", Set, "<TD WIDTH=75 ALIGN=center>", false},
    {"removeValue", "<TD WIDTH=50 ALIGN=center>", 1, "WIDTH", "", Set, "<TD  ALIGN=center>", false},
    // A quoted colour reads without quotes and is written bare.
    {"readQuoted", "<TD BGCOLOR=\"#FF0000\">", 1, "BGCOLOR", "", Read, "#FF0000", true},
    {"setQuoted", "<TD BGCOLOR=\"#FF0000\">", 1, "BGCOLOR", "#00FF00", Set, "<TD BGCOLOR=#00FF00>", true},
    // A flag attribute.
    {"readFlag", "<TD NOWRAP>", 1, "NOWRAP", "", Read, "<ON>", false},
    {"clearFlag", "<TD NOWRAP>", 1, "NOWRAP", "0", Flag, "<TD >", false},
    {"setFlag", "<TD WIDTH=50>", 1, "NOWRAP", "1", Flag, "<TD WIDTH=50 NOWRAP>", false},
    {"keepFlag", "<TD NOWRAP>", 1, "NOWRAP", "1", Flag, "<TD NOWRAP>", false},
    // A missing attribute.
    {"readMissing", "<TABLE>", 1, "BORDER", "", Read, "", false},
    {"addMissing", "<TABLE>", 1, "BORDER", "2", Set, "<TABLE BORDER=2>", false},
    {"emptyMissing", "<TABLE>", 1, "BORDER", "", Set, "<TABLE>", false},
    {"clearMissingFlag", "<TD>", 1, "NOWRAP", "0", Flag, "<TD>", false},
    // Names are whole: ALIGN is not inside VALIGN, BORDER not inside
    // BORDERCOLOR, WIDTH not inside an address.
    {"alignInValign", "<TD VALIGN=top>", 1, "ALIGN", "", Read, "", false},
    {"setAlignBesideValign", "<TD VALIGN=top>", 1, "ALIGN", "center", Set, "<TD VALIGN=top ALIGN=center>", false},
    {"borderInBordercolor", "<TABLE BORDERCOLOR=red>", 1, "BORDER", "", Read, "", false},
    {"widthInAddress", "<IMG SRC=\"pics/WIDTH=3.gif\">", 1, "WIDTH", "", Read, "", false},
    // A flag before a valued attribute: the flag has no value of its own,
    // and changing one leaves the other alone.
    {"flagBeforeValue", "<TD NOWRAP WIDTH=50>", 1, "NOWRAP", "", Read, "<ON>", false},
    {"valueAfterFlag", "<TD NOWRAP WIDTH=50>", 1, "WIDTH", "", Read, "50", false},
    {"setValueAfterFlag", "<TD NOWRAP WIDTH=50>", 1, "WIDTH", "75", Set, "<TD NOWRAP WIDTH=75>", false},
    {"clearFlagBeforeValue", "<TD NOWRAP WIDTH=50>", 1, "NOWRAP", "0", Flag, "<TD  WIDTH=50>", false},
    {"flagGetsAValue", "<TD NOWRAP>", 1, "NOWRAP", "1", Set, "<TD NOWRAP=1>", false},
    // Values that are not plain tokens go in quotes, escaped.
    {"valueWithBlank", "<IMG SRC=a.gif>", 1, "ALT", "two words", Set, "<IMG SRC=a.gif ALT=\"two words\">", false},
    {"readValueWithBlank", "<IMG ALT=\"two words\" SRC=a.gif>", 1, "ALT", "", Read, "two words", true},
    {"valueWithQuote", "<IMG SRC=a.gif>", 1, "ALT", "say \"hi\" & go", Set,
     "<IMG SRC=a.gif ALT=\"say &quot;hi&quot; &amp; go\">", false},
    {"readValueWithQuote", "<IMG ALT=\"say &quot;hi&quot; &amp; go\">", 1, "ALT", "", Read, "say \"hi\" & go", true},
    // The engine's own writing: lower case, every value quoted, flags as
    // name="".
    {"engineCase", "<td width=\"50\" align=\"center\">", 1, "WIDTH", "", Read, "50", true},
    {"engineCaseSet", "<td width=\"50\">", 1, "WIDTH", "75", Set, "<td width=75>", true},
    {"engineFlag", "<td nowrap=\"\">", 1, "NOWRAP", "", Read, "<ON>", true},
    {"engineFlagClear", "<td nowrap=\"\" width=\"5\">", 1, "NOWRAP", "0", Flag, "<td  width=\"5\">", true},
    // The tag ends at the first ">" outside quotes; a text without one has
    // no tag.
    {"bracketInValue", "<IMG ALT=\"a>b\" WIDTH=5>", 1, "WIDTH", "", Read, "5", false},
    {"noEnd", "<TD WIDTH=50", 1, "WIDTH", "", Read, "", false},
    {"unclosedQuote", "<TD ALT=\"x WIDTH=50>", 1, "WIDTH", "", Read, "", false},
    // The tag at start inside a longer text; changes come back in the
    // whole text.
    {"laterTag", "<p>x</p><TD WIDTH=50>y", 9, "WIDTH", "", Read, "50", false},
    {"laterTagSet", "<p>x</p><TD WIDTH=50>y", 9, "WIDTH", "60", Set, "<p>x</p><TD WIDTH=60>y", false},
    {"selfClosing", "<img src=a />", 1, "BORDER", "2", Set, "<img src=a BORDER=2 />", false},
    {"startPastEnd", "<TD>", 9, "WIDTH", "", Read, "", false},
    // What is written never runs on into what follows it.
    {"bareValueBeforeSlash", "<td/>", 1, "WIDTH", "50", Set, "<td WIDTH=50 />", false},
    {"valueRightBeforeName", "<td width=\"10\"height=\"5\">", 1, "WIDTH", "75", Set, "<td width=75 height=\"5\">", true},
    {"nameRightAfterValueReads", "<td width=\"10\"height=\"5\">", 1, "HEIGHT", "", Read, "5", true},
    {"valueEndingInLineBreak", "<IMG SRC=a.gif>", 1, "ALT", "50\n", Set, "<IMG SRC=a.gif ALT=\"50\n\">", false},
    // An empty value ends at its blank, leaving the next attribute its own.
    {"emptyValueLeavesTheNext", "<td width= align=center>", 1, "ALIGN", "", Read, "center", false},
    {"emptyValueReadsEmpty", "<td width= align=center>", 1, "WIDTH", "", Read, "", false},
    {"emptyValueSet", "<td width= align=center>", 1, "WIDTH", "50", Set, "<td width=50 align=center>", false},
    {"blankBeforeAValue", "<td width= 50 align=center>", 1, "WIDTH", "", Read, "50", false},
};

INSTANTIATE_TEST_SUITE_P(Cases, TagValueTable, ::testing::ValuesIn(cases),
                         [](const ::testing::TestParamInfo<TagCase> &info) { return std::string(info.param.name); });

} // namespace
