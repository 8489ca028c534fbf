#include "demowebmail/FormFields.h"

#include <gtest/gtest.h>

using ferrowen::demowebmail::FormFields;

namespace {

TEST(FormFields, decodesLikeABrowserEncodes)
{
    const struct { const char *encoded, *name, *expected; } rows[] = {
        {"a=1&To=x%40y.z&b=2", "To", "x@y.z"},
        {"box=Inbox&SEND", "SEND", ""},
        {"q=100%25+sure", "q", "100% sure"},
        {"q=a%3Db%26c", "q", "a=b&c"},
        {"%2Ecrumb=x", ".crumb", "x"},
        {"To=&Cc=c", "To", ""},
    };
    for (const auto &row : rows) {
        const FormFields fields = FormFields::parse(QByteArray(row.encoded));
        EXPECT_TRUE(fields.contains(QString::fromUtf8(row.name))) << row.encoded;
        EXPECT_EQ(fields.value(QString::fromUtf8(row.name)), QString::fromUtf8(row.expected)) << row.encoded;
    }
}

TEST(FormFields, keepsOrderAndRepeatedNamesAndSkipsEmptyParts)
{
    const FormFields fields = FormFields::parse("Mid=2&&Mid=5&DEL=Delete&");
    ASSERT_EQ(fields.items().size(), 3);
    EXPECT_EQ(fields.items().at(2).first, QStringLiteral("DEL"));
    EXPECT_EQ(fields.values(QStringLiteral("Mid")), QStringList({QStringLiteral("2"), QStringLiteral("5")}));
    EXPECT_EQ(fields.value(QStringLiteral("Mid")), QStringLiteral("2"));
    EXPECT_FALSE(fields.contains(QStringLiteral("mid")) || fields.contains(QString()));
}

} // namespace
