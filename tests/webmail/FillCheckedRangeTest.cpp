// Ticking the inbox's message boxes between ticked ones: the pairing rule,
// and both page structures through a fake page.
#include "FakeComposeHost.h"
#include "webmail/FillCheckedRange.h"
#include "webmail/ProviderProfile.h"

#include <gtest/gtest.h>

using namespace ferrowen;
using namespace ferrowen::testing;

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

// An inbox page of one provider built into a fake page, with the other
// elements of its list form around the message boxes.
struct InboxStructure
{
    const char *name;
    const char *inboxAddress;
    void (*build)(FakeWebPage &page, const char *pattern);
    const char *listForm;
};

void PrintTo(const InboxStructure &s, std::ostream *os)
{
    *os << s.name;
}

FakeElement &addInput(FakeWebPage &page, const char *form, const QString &name, const char *type)
{
    FakeElement &e = page.addField(QString::fromLatin1(form), name);
    e.type = QString::fromLatin1(type);
    return e;
}

// Boxes all named "Mid"; a hidden field, buttons and a list among them.
void buildYahooInbox(FakeWebPage &page, const char *ticks)
{
    addInput(page, "messageList", QStringLiteral(".crumb"), "hidden");
    addInput(page, "messageList", QStringLiteral("DEL"), "submit");
    addInput(page, "messageList", QStringLiteral("destBox"), "select-one");
    for (const char *c = ticks; *c; ++c)
        addInput(page, "messageList", QStringLiteral("Mid"), "checkbox").checked = *c == 'x';
    // A check box of another name is no message box.
    addInput(page, "messageList", QStringLiteral("remember"), "checkbox");
}

// Boxes named after their message; the select-all box "allbox" first.
void buildHotmailInbox(FakeWebPage &page, const char *ticks)
{
    addInput(page, "hotmail", QStringLiteral("curmbox"), "hidden");
    addInput(page, "hotmail", QStringLiteral("allbox"), "checkbox");
    int id = 1;
    for (const char *c = ticks; *c; ++c)
        addInput(page, "hotmail", QStringLiteral("msg_%1").arg(id++), "checkbox").checked = *c == 'x';
    addInput(page, "hotmail", QStringLiteral("DeleteMessages"), "submit");
}

class FillCheckedRangeOnPage : public ::testing::TestWithParam<InboxStructure>
{
protected:
    FakeComposeHost host;

    void SetUp() override { host.inbox.url = QString::fromLatin1(GetParam().inboxAddress); }

    // The message boxes' state now, and every element's clicks.
    QString messageBoxes(int *clicksElsewhere)
    {
        const InboxListNames &names = profileForInboxAddress(host.inbox.url).inboxList;
        QString text;
        *clicksElsewhere = 0;
        for (const FakeElement &e : host.inbox.elements) {
            if (isMessageBox(names, e.name, e.type))
                text += e.checked ? u'x' : u'.';
            else
                *clicksElsewhere += e.clicks;
        }
        return text;
    }
};

TEST_P(FillCheckedRangeOnPage, ticksEveryGapWithOneClickEachAndTouchesNothingElse)
{
    for (const RangeCase &c : rangeCases) {
        host.inbox.elements.clear();
        GetParam().build(host.inbox, c.before);
        host.tab = 3;

        FillCheckedRange(host);

        int clicksElsewhere = -1;
        EXPECT_EQ(messageBoxes(&clicksElsewhere), QString::fromLatin1(c.after)) << c.name;
        EXPECT_EQ(clicksElsewhere, 0) << c.name;
        int clicks = 0;
        for (const FakeElement &e : host.inbox.elements)
            clicks += e.clicks;
        EXPECT_EQ(clicks, QString::fromLatin1(c.after).count(u'x') - QString::fromLatin1(c.before).count(u'x')) << c.name;
        EXPECT_EQ(host.tab, 1) << "the inbox tab is chosen first";
    }
}

TEST_P(FillCheckedRangeOnPage, aPageWithoutTheListChangesNothing)
{
    addInput(host.inbox, "other", QStringLiteral("Mid"), "checkbox").checked = true;
    addInput(host.inbox, "other", QStringLiteral("msg_1"), "checkbox");
    FillCheckedRange(host);
    EXPECT_FALSE(host.inbox.elements[1].checked);
    EXPECT_EQ(host.inbox.elements[1].clicks, 0);
}

INSTANTIATE_TEST_SUITE_P(Providers, FillCheckedRangeOnPage, ::testing::Values(
    InboxStructure{"yahoo", "http://127.0.0.1:8765/yahoo/inbox", buildYahooInbox, "messageList"},
    InboxStructure{"hotmail", "http://127.0.0.1:8765/hotmail/inbox", buildHotmailInbox, "hotmail"}),
    [](const ::testing::TestParamInfo<InboxStructure> &info) { return std::string(info.param.name); });

} // namespace
