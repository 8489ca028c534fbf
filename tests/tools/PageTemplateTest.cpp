#include "demowebmail/CalendarWeeks.h"
#include "demowebmail/PageTemplate.h"

#include <gtest/gtest.h>

using ferrowen::demowebmail::PageTemplate;

namespace {

struct RenderCase
{
    const char *templateText;
    const char *expected;
};

class PageTemplateRendering : public ::testing::TestWithParam<RenderCase>
{
};

QVariantMap sampleValues()
{
    return {
        {QStringLiteral("subject"), QStringLiteral("<b>Q&A</b> \"now\"")},
        {QStringLiteral("markup"), QStringLiteral("<p>hi</p>")},
        {QStringLiteral("empty"), QString()},
        {QStringLiteral("yes"), true},
        {QStringLiteral("no"), false},
        {QStringLiteral("rows"), QVariantList{QVariantMap{{QStringLiteral("n"), 1}, {QStringLiteral("cells"), QVariantList{QVariantMap{{QStringLiteral("c"), QStringLiteral("a")}}, QVariantMap{{QStringLiteral("c"), QStringLiteral("b")}}}}},
                                              QVariantMap{{QStringLiteral("n"), 2}}}},
        {QStringLiteral("person"), QVariantMap{{QStringLiteral("name"), QStringLiteral("Ann")}}},
        {QStringLiteral("name"), QStringLiteral("outer")},
    };
}

TEST_P(PageTemplateRendering, fillsTheTemplate)
{
    const RenderCase &row = GetParam();
    EXPECT_EQ(PageTemplate::render(QString::fromUtf8(row.templateText), sampleValues()), QString::fromUtf8(row.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, PageTemplateRendering,
    ::testing::Values(
        RenderCase{"[{{subject}}]", "[&lt;b&gt;Q&amp;A&lt;/b&gt; &quot;now&quot;]"},
        RenderCase{"[{{{markup}}}]", "[<p>hi</p>]"},
        RenderCase{"[{{ missing }}]", "[]"},
        RenderCase{"{{#yes}}Y{{/yes}}{{#no}}N{{/no}}{{#empty}}E{{/empty}}{{#missing}}M{{/missing}}", "Y"},
        RenderCase{"{{^yes}}Y{{/yes}}{{^no}}N{{/no}}{{^empty}}E{{/empty}}{{^missing}}M{{/missing}}", "NEM"},
        RenderCase{"{{#rows}}<{{n}}:{{#cells}}{{c}}{{/cells}}>{{/rows}}", "<1:ab><2:>"},
        RenderCase{"{{#rows}}{{name}}{{/rows}}", "outerouter"},
        RenderCase{"{{#person}}{{name}}{{/person}} {{name}}", "Ann outer"},
        RenderCase{"{{#yes}}a{{#yes}}b{{/yes}}c{{/yes}}d", "abcd"},
        RenderCase{"{{^rows}}none{{/rows}}{{#yes}}open", ""},
        RenderCase{"text {{unclosed", "text {{unclosed"}));

struct MonthCase
{
    int year;
    int month;
    int weekCount;
    int firstShownDay; // day of month of the first Monday shown
};

class CalendarWeeksOfMonth : public ::testing::TestWithParam<MonthCase>
{
};

TEST_P(CalendarWeeksOfMonth, coverTheMonthInWholeWeeksFromMonday)
{
    const MonthCase &row = GetParam();
    const auto weeks = ferrowen::demowebmail::calendarWeeks(QDate(row.year, row.month, 17));
    ASSERT_EQ(weeks.size(), row.weekCount);
    EXPECT_EQ(weeks.first().first().dayOfWeek(), 1);
    EXPECT_EQ(weeks.first().first().day(), row.firstShownDay);
    const QDate last = QDate(row.year, row.month, 1).addMonths(1).addDays(-1);
    EXPECT_LE(weeks.last().first(), last);
    EXPECT_GE(weeks.last().last(), last);
}

INSTANTIATE_TEST_SUITE_P(Table, CalendarWeeksOfMonth,
                         ::testing::Values(MonthCase{2021, 2, 4, 1},    // starts on a Monday, 28 days
                                           MonthCase{2026, 11, 6, 26},  // starts on a Sunday
                                           MonthCase{2026, 12, 5, 30})); // starts on a Tuesday

} // namespace
