#include "demowebmail/FormFields.h"

#include <gtest/gtest.h>

using ferrowen::demowebmail::FormFields;

namespace {

struct DecodeCase
{
    const char *encoded;
    const char *name;
    const char *expected; // UTF-8
};

class FormFieldsDecoding : public ::testing::TestWithParam<DecodeCase>
{
};

TEST_P(FormFieldsDecoding, decodesLikeABrowserEncodes)
{
    const DecodeCase &row = GetParam();
    const FormFields fields = FormFields::parse(QByteArray(row.encoded));
    EXPECT_TRUE(fields.contains(QString::fromUtf8(row.name)));
    EXPECT_EQ(fields.value(QString::fromUtf8(row.name)), QString::fromUtf8(row.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormFieldsDecoding,
    ::testing::Values(DecodeCase{"Subj=Re%3A+Hello%2Bworld", "Subj", "Re: Hello+world"},
                      DecodeCase{"Body=Gr%C3%BC%C3%9Fe", "Body", "Grüße"},
                      DecodeCase{"Body=one%0D%0Atwo", "Body", "one\r\ntwo"},
                      DecodeCase{"a=1&To=x%40y.z&b=2", "To", "x@y.z"},
                      DecodeCase{"box=Inbox&SEND", "SEND", ""},
                      DecodeCase{"Send.x=3&Send.y=4", "Send.x", "3"},
                      DecodeCase{"q=100%25+sure", "q", "100% sure"},
                      DecodeCase{"q=a%3Db%26c", "q", "a=b&c"},
                      DecodeCase{"%2Ecrumb=x", ".crumb", "x"},
                      DecodeCase{"To=&Cc=c", "To", ""}));

TEST(FormFields, keepsOrderAndRepeatedNamesAndSkipsEmptyParts)
{
    const FormFields fields = FormFields::parse("Mid=2&&Mid=5&DEL=Delete&");
    ASSERT_EQ(fields.items().size(), 3);
    EXPECT_EQ(fields.items().at(2).first, QStringLiteral("DEL"));
    EXPECT_EQ(fields.values(QStringLiteral("Mid")), QStringList({QStringLiteral("2"), QStringLiteral("5")}));
    EXPECT_EQ(fields.value(QStringLiteral("Mid")), QStringLiteral("2"));
    EXPECT_FALSE(fields.contains(QStringLiteral("mid")));
    EXPECT_FALSE(fields.contains(QString()));
}

} // namespace
