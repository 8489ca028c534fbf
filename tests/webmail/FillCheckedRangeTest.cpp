// Ticking the inbox's message boxes between ticked ones: the pairing rule.
// (Both inbox pages are ticked for real in the program's own tests.)
#include "webmail/FillCheckedRange.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

// A list of boxes, top to bottom: 'x' ticked, '.' not.
QList<bool> boxes(const char *pattern)
{
    QList<bool> ticked;
    for (const char *c = pattern; *c; ++c)
        ticked << (*c == 'x');
    return ticked;
}

QString pattern(const QList<bool> &ticked)
{
    QString text;
    for (bool box : ticked)
        text += box ? u'x' : u'.';
    return text;
}

struct RangeCase
{
    const char *name;
    const char *before;
    const char *after;
};

void PrintTo(const RangeCase &c, std::ostream *os)
{
    *os << c.name << ' ' << c.before;
}

const RangeCase rangeCases[] = {
    {"gapBetweenTwoTicked", "x..x.", "xxxx."},
    {"secondTickedRightAfterTheFirstDoesNotClose", "xx.x", "xxxx"},
    {"oneTickedFillsToTheEnd", ".x...", ".xxxx"},
    {"noneTicked", ".....", "....."},
    {"allTicked", "xxx", "xxx"},
    {"twoRanges", "x.x.x.x.", "xxx.xxx."},
    // Once a gap was filled, a ticked box right after an opening one
    // closes the range.
    {"laterRangeClosesAtOnce", "x.xxx.", "xxxxx."},
    {"thirdTickedOpensANewRange", "x.xx..", "xxxxxx"},
    {"closedRangeThenLoneTicked", "x.x..x.", "xxx..xx"},
    {"empty", "", ""},
};

class PairingRule : public ::testing::TestWithParam<RangeCase>
{
};

TEST_P(PairingRule, ticksTheGapsBetweenPairedTickedBoxes)
{
    QList<bool> ticked = boxes(GetParam().before);
    for (int position : boxesBetweenTicked(ticked))
        ticked[position] = true;
    EXPECT_EQ(pattern(ticked), QString::fromLatin1(GetParam().after));
}

INSTANTIATE_TEST_SUITE_P(Patterns, PairingRule, ::testing::ValuesIn(rangeCases),
                         [](const ::testing::TestParamInfo<RangeCase> &info) { return std::string(info.param.name); });

} // namespace
