#include "store/MessageFileContent.h"
#include "store/MessageFileName.h"
#include "store/MessageNameFields.h"
#include "store/SavedMessage.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace ferrowen;

namespace {

QString repeated(const char *piece, int times)
{
    return QString::fromUtf8(piece).repeated(times);
}

struct NameCase
{
    const char *what;
    SavedMessage message;
    QString name;
};

class MessageFileNameTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(MessageFileNameTest, joinsCutsAndCleansTheFourFields)
{
    EXPECT_EQ(messageFileName(GetParam().message), GetParam().name);
}

SavedMessage incoming(const char *from, const QString &subject, const char *date, const QString &to)
{
    return {QString::fromUtf8(from), subject, QString::fromUtf8(date), to, {}, {}, {}, false};
}

INSTANTIATE_TEST_SUITE_P(Names, MessageFileNameTest, ::testing::Values(
    NameCase{"the example of the format",
             incoming("Ann <ann>", QStringLiteral("Re: Lunch?"), "12/5/2026 7:50:16 PM", QStringLiteral("bob")),
             QStringLiteral("Ann  ann &&Re  Lunch&&12#5#2026 7^50^16 PM&&bob.htm")},
    NameCase{"a subject of 60 characters stays whole",
             incoming("a", repeated("s", 60), "d", QStringLiteral("b")),
             QStringLiteral("a&&") + repeated("s", 60) + QStringLiteral("&&d&&b.htm")},
    NameCase{"one of 61 is cut to 60 and marked",
             incoming("a", repeated("s", 61), "d", QStringLiteral("b")),
             QStringLiteral("a&&") + repeated("s", 60) + QStringLiteral("...&&d&&b.htm")},
    NameCase{"the recipient is cut to 20, the sender never",
             incoming("A very long sender name that goes on", QStringLiteral("s"), "d",
                      QStringLiteral("0123456789abcdefghijklmno")),
             QStringLiteral("A very long sender name that goes on&&s&&d&&0123456789abcdefghij....htm")},
    NameCase{"the sent copy: recipient first, then the marker",
             SavedMessage{QStringLiteral("Sent Message"), QStringLiteral("Hi"), QStringLiteral("12/5/2026 7:50:16 PM"),
                          QStringLiteral("bob"), {}, {}, {}, true},
             QStringLiteral("bob&&Hi&&12#5#2026 7^50^16 PM&&sent message.htm")},
    NameCase{"every character of the cleaning set, in its order; a bar stays",
             incoming(R"( "x"<y>/z?:*\| )", QStringLiteral(" s "), "1:2/3", QStringLiteral(" t ")),
             QStringLiteral(R"(x y  z  | && s &&1^2#3&& t.htm)")},
    NameCase{"a colon or slash outside the date becomes a space",
             incoming("a/b", QStringLiteral("x:y"), "", QString()),
             QStringLiteral("a b&&x y&&&&.htm")},
    NameCase{"a character of two units is never split by the cut",
             incoming("a", repeated("s", 59) + QStringLiteral("\U0001F600\U0001F600"), "d", QStringLiteral("b")),
             QStringLiteral("a&&") + repeated("s", 59) + QStringLiteral("\U0001F600...&&d&&b.htm")},
    NameCase{"a NUL or line break would lose the message: it becomes a space",
             incoming("a", QStringLiteral("one\ntwo") + QChar(u'\0'), "d", QStringLiteral("b")),
             QStringLiteral("a&&one two &&d&&b.htm")}));

// Whatever the fields hold, the list reads back what the name was made of.
TEST(MessageFileNameReadBack, fieldsWithAmpersandsAtTheirEdgesOrInPairsReadBackAsWritten)
{
    const struct
    {
        const char *from, *subject, *to;
    } rows[] = {
        {"AT&", "Q&\"&A", "bob"},
        {"&lead", "&&", "to&"},
        {"a && b", "& subject &", "&&&"},
        {"plain", "R&D", "x&y"},
    };
    for (const auto &row : rows) {
        const SavedMessage message = incoming(row.from, QString::fromUtf8(row.subject), "12/5/2026 7:50:16 PM",
                                              QString::fromUtf8(row.to));
        const QString name = messageFileName(message);
        const std::optional<MessageNameFields> fields = messageNameFields(name);
        ASSERT_TRUE(fields) << name.toStdString();
        EXPECT_EQ(fields->first, QString::fromUtf8(row.from));
        EXPECT_EQ(fields->subject, QString::fromUtf8(row.subject).remove(u'"'));
        EXPECT_EQ(fields->dateText, QStringLiteral("12/5/2026 7:50:16 PM"));
        EXPECT_EQ(fields->fourth, QString::fromUtf8(row.to));
    }
    // An "&" inside a field needs nothing: such names are as they always were.
    EXPECT_EQ(messageFileName(incoming("plain", QStringLiteral("R&D"), "d", QStringLiteral("x&y"))),
              QStringLiteral("plain&&R&D&&d&&x&y.htm"));
}

TEST(MessageFileNameLength, aLongNonLatinNameLosesTheEndOfTheSenderFirstThenOfTheSubject)
{
    // Three bytes a character: 40 + 60 characters are far over 255 bytes.
    const QString sender = repeated("\u4e2d", 40);
    const SavedMessage message = incoming("", repeated("\u6587", 70), "12/5/2026 7:50:16 PM", QStringLiteral("bob"));
    SavedMessage withSender = message;
    withSender.from = sender;

    const QString name = messageFileName(withSender);
    EXPECT_LE(name.toUtf8().size(), MaxMessageFileNameBytes);
    EXPECT_EQ(name.count(QStringLiteral("&&")), 3);
    // The subject (60 characters and "...") and the rest are whole.
    EXPECT_TRUE(name.endsWith(QStringLiteral("&&") + repeated("\u6587", 60) + QStringLiteral("...&&12#5#2026 7^50^16 PM&&bob.htm")));
    // The sender's cut is marked with a digest of the whole name.
    const QString first = name.left(name.indexOf(QStringLiteral("&&")));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\u4e2d+~[0-9a-f]{8}$")).match(first).hasMatch()) << first.toStdString();

    // With a date far too long even the subject goes, then the date: three
    // separators stay.
    SavedMessage huge = withSender;
    huge.date = repeated("\u00e9", 300);
    const QString cut = messageFileName(huge);
    EXPECT_LE(cut.toUtf8().size(), MaxMessageFileNameBytes);
    EXPECT_TRUE(cut.startsWith(QStringLiteral("&&&&")));
    EXPECT_TRUE(cut.endsWith(QStringLiteral("&&bob.htm")));
}

TEST(MessageFileContent, elevenLinesWithTheAddressesEscapedAndEverythingElseAsItIs)
{
    const SavedMessage message{QStringLiteral("Ann <ann>"), QStringLiteral("a < b & c"), QStringLiteral("12/5/2026 7:50:16 PM"),
                               QStringLiteral("Bob <bob>, <carl>"), QString(), QStringLiteral("<d>"),
                               QStringLiteral("<p>Hi \u00e9</p>"), false};
    const QByteArray expected =
        "<html>\r\n"
        "<body>\r\n"
        "<div id=from><font face=arial size=2><b>From:&nbsp;</b>Ann &lt;ann&gt;</font></div>\r\n"
        "<div id=replyto><font face=arial size=2><b>Reply-to:&nbsp;</b>Ann &lt;ann&gt;</font></div>\r\n"
        "<div id=to><font face=arial size=2><b>To:&nbsp;</b>Bob &lt;bob&gt;, &lt;carl&gt;</font></div>\r\n"
        "<div id=cc><font face=arial size=2><b>Cc:&nbsp;</b></font></div>\r\n"
        "<div id=bcc><font face=arial size=2><b>Bcc:&nbsp;</b>&lt;d&gt;</font></div>\r\n"
        "<div id=subject><font face=arial size=2><b>Subject:&nbsp;</b>a < b & c</font></div>\r\n"
        "<div id=date><font face=arial size=2><b>Date:&nbsp;</b>12/5/2026 7:50:16 PM</font></div>\r\n"
        "<div id=body><font face=arial>\r\n"
        "<p>Hi \xc3\xa9</p></font></div>\r\n";
    EXPECT_EQ(messageFileContent(message), expected);

    // A message that names where replies go keeps it in the Reply-to line.
    SavedMessage withReplyTo = message;
    withReplyTo.replyTo = QStringLiteral("Desk <desk@x>");
    QByteArray expectedWithReplyTo = expected;
    expectedWithReplyTo.replace("Reply-to:&nbsp;</b>Ann &lt;ann&gt;", "Reply-to:&nbsp;</b>Desk &lt;desk@x&gt;");
    EXPECT_EQ(messageFileContent(withReplyTo), expectedWithReplyTo);
}

} // namespace
