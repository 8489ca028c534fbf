#include "webmail/ReadPostParameter.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

struct ParameterCase
{
    const char *what;
    const char *data;
    const char *key;
    QString value;
    const char *charset = "UTF-8";
};

class ReadPostParameterTest : public ::testing::TestWithParam<ParameterCase> {};

TEST_P(ReadPostParameterTest, decodesTheValueAfterTheKey)
{
    const ParameterCase &c = GetParam();
    EXPECT_EQ(ReadPostParameter(QByteArrayView(c.data), QByteArrayView(c.key), QLatin1String(c.charset)), c.value);
}

INSTANTIATE_TEST_SUITE_P(Posts, ReadPostParameterTest, ::testing::Values(
    ParameterCase{"plus is a space, an encoded plus a plus", "&To=a&Subj=Re%3A+Hello%2Bworld&Body=x", "&Subj=",
                  QStringLiteral("Re: Hello+world")},
    ParameterCase{"the last parameter runs to the end", "&To=a&Subj=last+one", "&Subj=", QStringLiteral("last one")},
    ParameterCase{"an empty value", "&To=&Cc=c", "&To=", QString()},
    ParameterCase{"an absent key", "&to=a&subject=s", "&To=", QString()},
    ParameterCase{"the first occurrence counts", "&Subj=a&Subj=b", "&Subj=", QStringLiteral("a")},
    ParameterCase{"an encoded percent sign is not decoded again", "&Subj=100%25+and+%2541", "&Subj=",
                  QStringLiteral("100% and %41")},
    ParameterCase{"line breaks", "&Body=one%0D%0Atwo", "&Body=", QStringLiteral("one\r\ntwo")},
    ParameterCase{"Greek, bytes gathered into characters", "&Subj=%CE%9A%CE%B1%CE%BB%CE%B7%CE%BC%CE%AD%CF%81%CE%B1",
                  "&Subj=", QStringLiteral("\u039a\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1")},
    ParameterCase{"Japanese, lower-case digits", "&Subj=%e3%81%93%e3%82%93%e3%81%ab%e3%81%a1%e3%81%af", "&Subj=",
                  QStringLiteral("\u3053\u3093\u306b\u3061\u306f")},
    ParameterCase{"a percent sign without two digits stays", "&Subj=50%zz+%g1+%4", "&Subj=",
                  QStringLiteral("50%zz %g1 %4")},
    ParameterCase{"a lone percent sign at the end stays", "&Subj=100%", "&Subj=", QStringLiteral("100%")},
    ParameterCase{"a byte that is not UTF-8 is marked, not guessed", "&Subj=caf%E9", "&Subj=",
                  QStringLiteral("caf\ufffd")},
    // A page in windows-1252 posts one byte a letter, and the euro as 0x80.
    ParameterCase{"a windows-1252 page", "&Subj=Caf%E9+%80+%FC", "&Subj=", QStringLiteral("Caf\u00e9 \u20ac \u00fc"),
                  "windows-1252"},
    ParameterCase{"an unknown charset reads UTF-8", "&Subj=%C3%A9", "&Subj=", QStringLiteral("\u00e9"), "x-unknown"}),
    [](const auto &info) { return std::to_string(info.index); });

} // namespace
