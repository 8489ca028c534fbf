#include "webmail/MailtoLink.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

struct MailtoCase
{
    const char *name;
    const char *link;
    const char *to;
    const char *cc;
    const char *bcc;
    const char *subject;
    const char *body;
};

void PrintTo(const MailtoCase &row, std::ostream *os)
{
    *os << row.link;
}

class MailtoLinkTest : public ::testing::TestWithParam<MailtoCase> {};

TEST_P(MailtoLinkTest, readsEachField)
{
    const MailtoCase &row = GetParam();
    const MailtoFields fields = parseMailtoLink(QString::fromUtf8(row.link));
    EXPECT_EQ(fields.to, QString::fromUtf8(row.to));
    EXPECT_EQ(fields.cc, QString::fromUtf8(row.cc));
    EXPECT_EQ(fields.bcc, QString::fromUtf8(row.bcc));
    EXPECT_EQ(fields.subject, QString::fromUtf8(row.subject));
    EXPECT_EQ(fields.body, QString::fromUtf8(row.body));
}

INSTANTIATE_TEST_SUITE_P(Links, MailtoLinkTest, ::testing::Values(
    MailtoCase{"addressOnly", "mailto:ann@example.com", "ann@example.com", "", "", "", ""},
    MailtoCase{"withoutScheme", "ann@example.com?subject=Hi", "ann@example.com", "", "", "Hi", ""},
    MailtoCase{"schemeInCapitals", "MAILTO:ann@example.com", "ann@example.com", "", "", "", ""},
    MailtoCase{"blanksTrimmed", " \t mailto:ann@example.com?subject=Hi  ", "ann@example.com", "", "", "Hi", ""},
    MailtoCase{"emptyLink", "", "", "", "", "", ""},
    MailtoCase{"schemeOnly", "mailto:", "", "", "", "", ""},
    MailtoCase{"subjectStopsAtNextField", "mailto:ann@example.com?subject=Hi&body=Hello", "ann@example.com", "", "", "Hi", "Hello"},
    MailtoCase{"bodyBeforeSubject", "mailto:ann@example.com?body=Hello&subject=Hi", "ann@example.com", "", "", "Hi", "Hello"},
    MailtoCase{"ccAndBcc", "mailto:ann@example.com?cc=carl@example.com&bcc=dora@example.com", "ann@example.com", "carl@example.com", "dora@example.com", "", ""},
    MailtoCase{"toFieldOnly", "mailto:?to=bob@example.com", "bob@example.com", "", "", "", ""},
    MailtoCase{"toFieldAddsToPath", "mailto:ann@example.com?to=bob@example.com", "ann@example.com, bob@example.com", "", "", "", ""},
    MailtoCase{"severalInPath", "mailto:ann@example.com,bob@example.com", "ann@example.com, bob@example.com", "", "", "", ""},
    MailtoCase{"encodedSeparators", "mailto:ann%40example.com%2C%20bob@example.com", "ann@example.com, bob@example.com", "", "", "", ""},
    MailtoCase{"repeatedCcAndBcc", "mailto:?cc=a@x.org&cc=b@x.org,c@x.org&bcc=d@x.org&bcc=e@x.org", "", "a@x.org, b@x.org, c@x.org", "d@x.org, e@x.org", "", ""},
    MailtoCase{"emptyAddressesDropped", "mailto:,ann@example.com,?to=&cc=", "ann@example.com", "", "", "", ""},
    MailtoCase{"fieldNamesInCapitals", "mailto:?TO=a@x.org&Cc=b@x.org&BCC=c@x.org&SUBJECT=Hi&Body=Text", "a@x.org", "b@x.org", "c@x.org", "Hi", "Text"},
    MailtoCase{"encodedFieldName", "mailto:?sub%6Aect=Hi", "", "", "", "Hi", ""},
    MailtoCase{"otherFieldsIgnored", "mailto:a@x.org?in-reply-to=%3C1@x.org%3E&X-Test=1&subject=Hi", "a@x.org", "", "", "Hi", ""},
    MailtoCase{"fieldWithoutEqualsIgnored", "mailto:a@x.org?subject&body=Text", "a@x.org", "", "", "", "Text"},
    MailtoCase{"laterSubjectWins", "mailto:?subject=One&subject=Two", "", "", "", "Two", ""},
    MailtoCase{"greekSubject", "mailto:?subject=%CE%93%CE%B5%CE%B9%CE%AC%20%CF%83%CE%BF%CF%85", "", "", "", "Γειά σου", ""},
    MailtoCase{"japaneseSubject", "mailto:?subject=%E3%81%93%E3%82%93%E3%81%AB%E3%81%A1%E3%81%AF", "", "", "", "こんにちは", ""},
    MailtoCase{"unencodedNonAscii", "mailto:?subject=Grüße", "", "", "", "Grüße", ""},
    MailtoCase{"plusStaysPlus", "mailto:ann+news@example.com?subject=1+1", "ann+news@example.com", "", "", "1+1", ""},
    MailtoCase{"encodedPlus", "mailto:?subject=C%2B%2B", "", "", "", "C++", ""},
    MailtoCase{"encodedAmpersandAndEqualsStayInValue", "mailto:?subject=Tom%20%26%20Jerry&body=a%3Db", "", "", "", "Tom & Jerry", "a=b"},
    MailtoCase{"encodedPercentNotDecodedTwice", "mailto:?subject=100%2541", "", "", "", "100%41", ""},
    MailtoCase{"bodyCrLf", "mailto:?body=one%0D%0Atwo", "", "", "", "", "one\r\ntwo"},
    MailtoCase{"bodyBareLf", "mailto:?body=one%0Atwo%0A%0Athree", "", "", "", "", "one\r\ntwo\r\n\r\nthree"},
    MailtoCase{"bodyBareCr", "mailto:?body=one%0Dtwo", "", "", "", "", "one\r\ntwo"},
    MailtoCase{"malformedEscapesKept", "mailto:?subject=100%&body=%zz%4", "", "", "", "100%", "%zz%4"},
    MailtoCase{"invalidUtf8BecomesReplacement", "mailto:?subject=a%FFb&body=%C3(", "", "", "", "a\xEF\xBF\xBD" "b", "\xEF\xBF\xBD("},
    MailtoCase{"questionMarkInValue", "mailto:?subject=Why?&body=x", "", "", "", "Why?", "x"}),
    [](const ::testing::TestParamInfo<MailtoCase> &info) { return std::string(info.param.name); });

} // namespace
