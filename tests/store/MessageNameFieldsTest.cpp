#include "store/DateSortKey.h"
#include "store/MessageDate.h"
#include "store/MessageNameFields.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

struct ReadBackCase
{
    const char *fileName;
    // first | subject for display | date for display | fourth; nullptr: not listed
    const char *columns;
};

class ReadBackTest : public ::testing::TestWithParam<ReadBackCase> {};

TEST_P(ReadBackTest, givesTheColumnsTheListShows)
{
    const auto fields = messageNameFields(QString::fromUtf8(GetParam().fileName));
    if (!GetParam().columns) {
        EXPECT_FALSE(fields.has_value());
        return;
    }
    ASSERT_TRUE(fields.has_value());
    const QString shown = QStringList{fields->first, displaySubject(fields->subject), displayDate(fields->dateText),
                                      fields->fourth}
                              .join(QLatin1Char('|'));
    EXPECT_EQ(shown, QString::fromUtf8(GetParam().columns));
}

INSTANTIATE_TEST_SUITE_P(Names, ReadBackTest, ::testing::Values(
    ReadBackCase{"Ann  ann &&Re  Lunch&&12#5#2026 7^50^16 PM&&bob.htm", "Ann  ann |Re:  Lunch|12/5/2026|bob"},
    ReadBackCase{"a&&Where are you&&d&&b.htm", "a|Where: are: you|d|b"},
    ReadBackCase{"a&&re Re RE rE&&d&&b.htm", "a|re: Re: RE: rE|d|b"},
    // The subject "x && y" shifts the fields; the fifth part is ignored.
    ReadBackCase{"ann&&x && y&&12#5#2026 7^50^16 PM&&bob.htm", "ann|x |y|12#5#2026 7^50^16 PM"},
    ReadBackCase{"a&&  spaced&&  Sat, 5 Dec 2026 19^50^16 -0800&&  b.htm", "a|spaced|Sat, 5 Dec 2026|b"},
    ReadBackCase{"bob&&Hi&&12#5#2026 7^50^16 PM&&sent message.htm", "bob|Hi|12/5/2026|sent message"},
    ReadBackCase{"a&&s&&no time at all&&b.txt", "a|s|no time at all|b"},
    ReadBackCase{"a&&s&&2026-12-05T19^50^16Z&&b.htm", "a|s|2026-12-05T19:|b"},
    ReadBackCase{"a&&s&&&&.htm", "a|s||"},
    // Word joiners keep an "&" beside a separator or another "&" in its field.
    ReadBackCase{"AT&\u2060&&\u2060&Q&\u2060&A&&d&&b&\u2060&.htm", "AT&|&Q&&A|d|b&&"},
    ReadBackCase{"a\u2060b&&s&&d&&b.htm", "a\u2060b|s|d|b"},
    ReadBackCase{"a&&s&&d.htm", nullptr},
    ReadBackCase{"notes.htm", nullptr},
    ReadBackCase{"", nullptr}));

struct DateKeyCase
{
    const char *displayDate;
    const char *key;
};

class DateSortKeyTest : public ::testing::TestWithParam<DateKeyCase> {};

TEST_P(DateSortKeyTest, countsDaysFrom1950OrKeepsTheText)
{
    EXPECT_EQ(dateSortKey(QString::fromUtf8(GetParam().displayDate)).toString(), QString::fromUtf8(GetParam().key));
}

INSTANTIATE_TEST_SUITE_P(Dates, DateSortKeyTest, ::testing::Values(
    DateKeyCase{"1/1/1950", "0"},
    DateKeyCase{"12/5/2026", "28097"},
    DateKeyCase{"Sat, 5 Dec 2026", "28097"},
    DateKeyCase{"Saturday, December 5, 2026", "28097"},
    DateKeyCase{"Dec 5, 2026", "28097"},
    DateKeyCase{"2026-12-05", "28097"},
    DateKeyCase{"2026-12-05T19:", "28097"},
    DateKeyCase{"5.12.2026", "28097"},
    DateKeyCase{"25/12/2026", "28117"},
    DateKeyCase{"12/5/26", "28097"},
    DateKeyCase{"1/2/1970", "7306"},
    DateKeyCase{"31/12/1949", "-1"},
    DateKeyCase{"2/30/2026", "2/30/2026"},
    DateKeyCase{"yesterday", "yesterday"},
    DateKeyCase{"", ""}));

TEST(DateSortKeyOrder, daysCompareAsNumbersAndComeBeforeTexts)
{
    const DateSortKey in1970 = dateSortKey(QStringLiteral("1/2/1970"));   // 7306: four digits
    const DateSortKey in2026 = dateSortKey(QStringLiteral("12/5/2026"));  // 28097
    const DateSortKey unread = dateSortKey(QStringLiteral("Yesterday"));
    EXPECT_LT(compareDateSortKeys(in1970, in2026), 0);
    EXPECT_GT(compareDateSortKeys(in2026, in1970), 0);
    EXPECT_EQ(compareDateSortKeys(in2026, dateSortKey(QStringLiteral("Sat, 5 Dec 2026"))), 0);
    EXPECT_LT(compareDateSortKeys(in2026, unread), 0);
    EXPECT_EQ(compareDateSortKeys(unread, dateSortKey(QStringLiteral("yesterday"))), 0);
}

TEST(SentCopyDate, readsBackToItsOwnDay)
{
    const QDateTime when(QDate(2026, 12, 5), QTime(19, 50, 16));
    EXPECT_EQ(sentCopyDateText(when), QStringLiteral("12/5/2026 7:50:16 PM"));
    EXPECT_EQ(dateSortKey(displayDate(sentCopyDateText(when))).toString(), QStringLiteral("28097"));
}

} // namespace
