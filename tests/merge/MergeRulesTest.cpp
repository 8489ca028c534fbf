// The merge fields: how a row's values go into the text, and which fields
// name no column.
#include "merge/Personalise.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

const QStringList Columns{QStringLiteral("First"), QStringLiteral("Last"), QStringLiteral("Email"), QString()};

struct PersonaliseCase
{
    const char *name;
    const char16_t *text;
    QStringList row;
    const char16_t *expected;
};

const QStringList Ann{QStringLiteral("Ann"), QStringLiteral("Lee"), QStringLiteral("ann@example.com"), QString()};

class PersonaliseTest : public ::testing::TestWithParam<PersonaliseCase>
{
};

TEST_P(PersonaliseTest, givesTheRowsMessage)
{
    const PersonaliseCase &c = GetParam();
    EXPECT_EQ(Personalise(QString::fromUtf16(c.text), Columns, c.row), QString::fromUtf16(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, PersonaliseTest,
    ::testing::Values(
        PersonaliseCase{"everyFieldOfTheText", u"Dear <<First>> <<Last>>, <<First>>!", Ann, u"Dear Ann Lee, Ann!"},
        PersonaliseCase{"namesMatchInAnyCase", u"<<FIRST>>/<<first>>/<<fIrSt>>", Ann, u"Ann/Ann/Ann"},
        PersonaliseCase{"aFieldOfNoColumnStaysWithItsBrackets", u"Call <<Phone>> now", Ann, u"Call <<Phone>> now"},
        PersonaliseCase{"anOpenFieldStays", u"a << b <<First", Ann, u"a << b <<First"},
        PersonaliseCase{"theEmptyFieldMatchesTheEndColumn", u"a<<>>b", Ann, u"ab"},
        PersonaliseCase{"aFieldInsideAnUnmatchedOneStillMatches", u"<<x<<First>>", Ann, u"<<xAnn"},
        PersonaliseCase{"aValueHoldingAFieldIsInsertedAsItStands", u"Hi <<First>>",
                        QStringList{QStringLiteral("<<Email>>"), QString(), QStringLiteral("e@x"), QString()},
                        u"Hi <<Email>>"},
        PersonaliseCase{"aValueHoldingItsOwnFieldEnds", u"Hi <<First>> and <<First>>",
                        QStringList{QStringLiteral("Bob <<First>>"), QString(), QString(), QString()},
                        u"Hi Bob <<First>> and Bob <<First>>"},
        PersonaliseCase{"aShortRowGivesEmptyValues", u"[<<Email>>]", QStringList{QStringLiteral("Ann")}, u"[]"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MergeFieldsWithoutColumnTest, listsEachUnknownFieldOnceInTheOrderOfTheText)
{
    EXPECT_EQ(mergeFieldsWithoutColumn(QStringLiteral("<<Phone>> <<first>> <<PHONE>> <<Fax>> <<>> <<open"), Columns),
              (QStringList{QStringLiteral("Phone"), QStringLiteral("Fax")}));
    EXPECT_TRUE(mergeFieldsWithoutColumn(QStringLiteral("Dear <<First>>, <<email>>"), Columns).isEmpty());
}

} // namespace
