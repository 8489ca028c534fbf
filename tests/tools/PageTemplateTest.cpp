#include "demowebmail/CalendarWeeks.h"
#include "demowebmail/PageTemplate.h"

#include <gtest/gtest.h>

using ferrowen::demowebmail::PageTemplate;

namespace {

TEST(PageTemplate, fillsTheTemplate)
{
    const auto item = [](const char *name, const QVariant &value) { return QVariantMap{{QString::fromUtf8(name), value}}; };
    const QVariantMap values{
        {QStringLiteral("subject"), QStringLiteral("<b>Q&A</b> \"now\"")},
        {QStringLiteral("markup"), QStringLiteral("<p>hi</p>")},
        {QStringLiteral("empty"), QString()},
        {QStringLiteral("yes"), true},
        {QStringLiteral("no"), false},
        {QStringLiteral("rows"), QVariantList{QVariantMap{{QStringLiteral("n"), 1}, {QStringLiteral("cells"), QVariantList{item("c", QStringLiteral("a")), item("c", QStringLiteral("b"))}}},
                                              item("n", 2)}},
        {QStringLiteral("person"), item("name", QStringLiteral("Ann"))},
        {QStringLiteral("name"), QStringLiteral("outer")},
    };
    const std::pair<const char *, const char *> rows[] = {
        {"[{{subject}}]", "[&lt;b&gt;Q&amp;A&lt;/b&gt; &quot;now&quot;]"},
        {"[{{{markup}}}]", "[<p>hi</p>]"},
        {"[{{ missing }}]", "[]"},
        {"{{#yes}}Y{{/yes}}{{#no}}N{{/no}}{{#empty}}E{{/empty}}{{#missing}}M{{/missing}}", "Y"},
        {"{{^yes}}Y{{/yes}}{{^no}}N{{/no}}{{^empty}}E{{/empty}}{{^missing}}M{{/missing}}", "NEM"},
        {"{{#rows}}<{{n}}:{{#cells}}{{c}}{{/cells}}>{{/rows}}", "<1:ab><2:>"},
        {"{{#rows}}{{name}}{{/rows}}", "outerouter"},
        {"{{#person}}{{name}}{{/person}} {{name}}", "Ann outer"},
        {"{{#yes}}a{{#yes}}b{{/yes}}c{{/yes}}d", "abcd"},
        {"{{^rows}}none{{/rows}}{{#yes}}open", ""},
        {"text {{unclosed", "text {{unclosed"},
    };
    for (const auto &[templateText, expected] : rows)
        EXPECT_EQ(PageTemplate::render(QString::fromUtf8(templateText), values), QString::fromUtf8(expected)) << templateText;
}

TEST(CalendarWeeks, coverTheMonthInWholeWeeksFromMonday)
{
    // firstShownDay: the day of month of the first Monday shown.
    const struct { QDate day; int weekCount; int firstShownDay; } rows[] = {
        {QDate(2021, 2, 17), 4, 1},    // starts on a Monday, 28 days
        {QDate(2026, 11, 17), 6, 26},  // starts on a Sunday
        {QDate(2026, 12, 17), 5, 30},  // starts on a Tuesday
    };
    for (const auto &row : rows) {
        const auto weeks = ferrowen::demowebmail::calendarWeeks(row.day);
        ASSERT_EQ(weeks.size(), row.weekCount) << row.day.toString().toStdString();
        EXPECT_EQ(weeks.first().first().dayOfWeek(), 1);
        EXPECT_EQ(weeks.first().first().day(), row.firstShownDay);
        const QDate last = QDate(row.day.year(), row.day.month(), 1).addMonths(1).addDays(-1);
        EXPECT_LE(weeks.last().first(), last);
        EXPECT_GE(weeks.last().last(), last);
    }
}

} // namespace
