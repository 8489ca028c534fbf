#include "webmail/MailtoLink.h"

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

struct MailtoCase
{
    const char *link;
    const char *recipient;
    const char *subject;
};

class MailtoLinkTest : public ::testing::TestWithParam<MailtoCase> {};

TEST_P(MailtoLinkTest, splitsRecipientAndSubject)
{
    const MailtoFields fields = parseMailtoLink(QString::fromUtf8(GetParam().link));
    EXPECT_EQ(fields.recipient, QString::fromUtf8(GetParam().recipient));
    EXPECT_EQ(fields.subject, QString::fromUtf8(GetParam().subject));
}

INSTANTIATE_TEST_SUITE_P(Links, MailtoLinkTest, ::testing::Values(
    MailtoCase{"ann@example.com", "ann@example.com", ""},
    MailtoCase{"mailto:ann@example.com", "ann@example.com", ""},
    MailtoCase{"MAILTO:ann@example.com", "ann@example.com", ""},
    // Later parameters stay part of the subject.
    MailtoCase{"ann@example.com?subject=Hi&body=x", "ann@example.com", "Hi&body=x"},
    MailtoCase{"mailto:ann@example.com?body=x", "ann@example.com", ""},
    MailtoCase{"mailto:ann@example.com?body=x&subject=Late", "ann@example.com", "Late"},
    MailtoCase{"mailto:ann@example.com?Subject=Caps", "ann@example.com", "Caps"},
    MailtoCase{"mailto:ann@example.com?subject=Hello%20World%21", "ann@example.com", "Hello World!"},
    MailtoCase{"mailto:ann@example.com?subject=Gr%C3%BC%C3%9Fe+a+b", "ann@example.com", "Grüße+a+b"},
    MailtoCase{"mailto:ann%40example.com,bob@example.com", "ann@example.com,bob@example.com", ""},
    MailtoCase{"  mailto:ann@example.com  ", "ann@example.com", ""},
    MailtoCase{"mailto:?subject=Only", "", "Only"}));

} // namespace
