#include "store/MessageFileContent.h"
#include "store/MessageSaveHost.h"
#include "store/SavedMessage.h"
#include "webmail/CaptureSentMessage.h"
#include "webmail/SentCopyAwaitingAnswer.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include "FakeComposeHost.h"

using namespace ferrowen;
using ferrowen::testing::FakeComposeHost;

namespace {

class StoreInFolder : public MessageSaveHost
{
public:
    QString store;
    ferrowen::testing::ScriptedMessageBoxes boxes;

    QString savedMessagesFolder() const override { return store; }
    QString chosenFolder() const override { return QStringLiteral("Saved"); }
    void showMessageSavedLabel(bool) override {}
    void setStatusText(int, const QString &) override {}
    MessageBoxes &messageBoxes() override { return boxes; }
};

struct SentCase
{
    const char *what;
    bool ticked;
    bool merging;
    const char *postData;
    // The copy kept (from, date and isSent aside); none: nothing is saved.
    std::optional<SavedMessage> copy;
    const char *target = "http://127.0.0.1/yahoo/compose?box=Inbox";
    const char *charset = "UTF-8";
    // The page answers the send itself: the copy waits for its answer.
    bool awaitsAnswer = false;
};

SavedMessage copyOf(const char *to, const char *cc, const char *bcc, const QString &subject, const QString &body)
{
    return {QStringLiteral("Sent Message"), subject, QString(), QString::fromUtf8(to), QString::fromUtf8(cc),
            QString::fromUtf8(bcc), body, true};
}

class CaptureSentMessageTest : public ::testing::TestWithParam<SentCase>
{
protected:
    QTemporaryDir dir;
    StoreInFolder store;
    FakeComposeHost host;

    QStringList sentFiles() const
    {
        return QDir(dir.filePath(QStringLiteral("sent"))).entryList(QDir::Files);
    }
};

TEST_P(CaptureSentMessageTest, keepsACopyOfWhatWasPosted)
{
    const SentCase &c = GetParam();
    store.store = dir.path();
    host.savingSent = c.ticked;
    host.merging = c.merging;

    const auto unanswered =
        CaptureSentMessage(host, store, QUrl(QLatin1String(c.target)), QByteArray(c.postData), QLatin1String(c.charset));

    EXPECT_TRUE(host.boxes.shown.isEmpty());
    const QStringList files = sentFiles();
    EXPECT_EQ(unanswered.has_value(), c.awaitsAnswer);
    if (c.awaitsAnswer) {
        EXPECT_TRUE(files.isEmpty()) << files.join(u' ').toStdString();
        ASSERT_TRUE(unanswered && c.copy);
        SavedMessage expected = *c.copy;
        expected.date = unanswered->copy.date;
        EXPECT_EQ(messageFileContent(unanswered->copy), messageFileContent(expected));
        EXPECT_EQ(unanswered->pageScript, QStringLiteral("roundcube.js"));
        return;
    }
    if (!c.copy) {
        EXPECT_TRUE(files.isEmpty()) << files.join(u' ').toStdString();
        return;
    }
    ASSERT_EQ(files.size(), 1);
    QFile file(dir.filePath(QStringLiteral("sent/") + files.first()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray content = file.readAll();
    // The date is the time of sending: taken from the file, then checked
    // for its shape.
    const QRegularExpressionMatch date =
        QRegularExpression(QStringLiteral("<div id=date>[^\r]*&nbsp;</b>([^<]*)</font>")).match(QString::fromUtf8(content));
    ASSERT_TRUE(date.hasMatch());
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{1,2}/\\d{1,2}/\\d{4} \\d{1,2}:\\d\\d:\\d\\d [AP]M$"))
                    .match(date.captured(1))
                    .hasMatch())
        << date.captured(1).toStdString();
    SavedMessage expected = *c.copy;
    expected.date = date.captured(1);
    EXPECT_EQ(QString::fromUtf8(content), QString::fromUtf8(messageFileContent(expected)));
}

INSTANTIATE_TEST_SUITE_P(Posts, CaptureSentMessageTest, ::testing::Values(
    SentCase{"a Yahoo form: plain lines gain <br>", true, false,
             ".crumb=c&box=Inbox&To=a%40example.com&Cc=&Bcc=&Subj=Re%3A+Hello%2Bworld&Body=Line+one%0D%0ALine+two"
             "&PlainMsg=&SEND=Send",
             copyOf("a@example.com", "", "", QStringLiteral("Re: Hello+world"), QStringLiteral("Line one<br>\r\nLine two"))},
    SentCase{"a Hotmail form: markup stays as it is", true, false,
             "curmbox=F1&a=demo&to=b%40example.com&cc=c%40example.com&bcc=d%40example.com&subject=%CE%93%CE%B5%CE%B9%CE%AC"
             "&body=%3Cp%3EHi%3C%2Fp%3E%0D%0Athere&Send.x=1",
             copyOf("b@example.com", "c@example.com", "d@example.com", QStringLiteral("\u0393\u03b5\u03b9\u03ac"),
                    QStringLiteral("<p>Hi</p>\r\nthere"))},
    SentCase{"a Roundcube send: an empty draft field, the widget's trailing separator dropped", true, false,
             "_token=t&_task=mail&_action=send&_id=9&_to=bob%40example.test%2C&_cc=c%40example.test%2C+"
             "&_bcc=&_subject=Hi&_draft=&_is_html=0&_message=One%0D%0ATwo",
             copyOf("bob@example.test", "c@example.test", "", QStringLiteral("Hi"), QStringLiteral("One<br>\r\nTwo")),
             "http://127.0.0.1:1/?_task=mail&_unlock=loading1&_framed=1", "UTF-8", true},
    SentCase{"a Roundcube draft (Save, autosave) is not sent", true, false,
             "_task=mail&_action=send&_to=bob%40example.test%2C&_subject=Hi&_draft=1&_message=x", std::nullopt,
             "http://127.0.0.1:1/?_task=mail&_unlock=loading1&_framed=1"},
    SentCase{"the recipient as the form's first field", true, false, "To=a%40example.com&Subj=first&SEND=Send",
             copyOf("a@example.com", "", "", QStringLiteral("first"), QString())},
    SentCase{"a windows-1252 page", true, false, "To=a%40example.com&Subj=Caf%E9+%80&SEND=Send",
             copyOf("a@example.com", "", "", QStringLiteral("Caf\u00e9 \u20ac"), QString()), "http://h/yahoo/compose",
             "windows-1252"},
    SentCase{"the send named in the address posted to", true, false, "To=a%40example.com&Subj=s",
             copyOf("a@example.com", "", "", QStringLiteral("s"), QString()), "http://h/yahoo/compose?box=Inbox&SEND"},
    SentCase{"a draft saved is not sent", true, false, "box=Inbox&To=a%40example.com&Subj=s&SAVEDRAFT=Save+Draft",
             std::nullopt},
    SentCase{"a plain submit sends nothing", true, false, "box=Inbox&To=a%40example.com&Subj=s", std::nullopt},
    SentCase{"an empty To saves nothing", true, false, "box=Inbox&To=&Subj=draft&Body=x&SEND=Send", std::nullopt},
    SentCase{"no recipient field: not a compose form", true, false, "q=search&page=2", std::nullopt},
    SentCase{"nothing posted", true, false, "", std::nullopt},
    SentCase{"the box unticked", false, false, "&To=a%40example.com&Subj=s&SEND=Send", std::nullopt},
    SentCase{"a merge sending", true, true, "&To=a%40example.com&Subj=s&SEND=Send", std::nullopt}),
    [](const auto &info) { return std::to_string(info.index); });

// A send the page answers itself: its copy is kept once the page says it
// was sent or leaves the compose page as it does after a send, and dropped
// when the page refuses it or reloads instead of answering.
struct AnswerCase
{
    const char *what;
    QStringList states; // the page's answers, one per look; "" for a page between documents
    bool leaves;        // the compose page goes away after the last look's answer
    SentCopyAwaitingAnswer::Outcome outcome;
    bool busyAtPost = false; // the page could not start watching when the post went
};

class SentCopyAwaitingAnswerTest : public CaptureSentMessageTest
{
};

TEST_F(SentCopyAwaitingAnswerTest, keepsTheCopyOnlyWhenThePageSaysItWasSent)
{
    using Outcome = SentCopyAwaitingAnswer::Outcome;
    const QList<AnswerCase> cases{
        {"sent", {QStringLiteral("pending"), QStringLiteral("sent")}, false, Outcome::Kept},
        {"refused by the mail server", {QStringLiteral("pending"), QStringLiteral("refused")}, false, Outcome::Dropped},
        {"a draft instead", {QStringLiteral("draft")}, false, Outcome::Dropped},
        {"the page reloaded", {QStringLiteral("none")}, false, Outcome::Dropped},
        {"left for the mailbox", {QStringLiteral("pending"), QString()}, true, Outcome::Kept},
        {"still sending", {QStringLiteral("pending"), QString()}, false, Outcome::Waiting},
        // Watched from the next look: an answer then is not taken for none.
        {"busy when posted", {QStringLiteral("sent")}, false, Outcome::Kept, true},
    };
    store.store = dir.path();
    const QString composeAddress = QStringLiteral("http://127.0.0.1:1/?_task=mail&_action=compose&_id=7");
    for (const AnswerCase &c : cases) {
        SCOPED_TRACE(c.what);
        QDir(dir.filePath(QStringLiteral("sent"))).removeRecursively();
        host.compose.url = composeAddress;
        host.compose.scriptCalls.clear();
        host.compose.scriptAnswers.insert(QStringLiteral("roundcube.js sendState"),
                                          QJsonObject{{QStringLiteral("state"), QStringLiteral("none")}});
        if (c.busyAtPost)
            host.compose.scriptAnswers.remove(QStringLiteral("roundcube.js sendState"));
        SentCopyAwaitingAnswer awaiting(host, store);
        awaiting.await({copyOf("bob@example.test", "", "", QStringLiteral("Hi"), QStringLiteral("x")),
                        QStringLiteral("roundcube.js")});
        // Watched from the post on: what the page showed before is no answer.
        ASSERT_EQ(host.compose.scriptCalls.size(), 1);
        EXPECT_TRUE(host.compose.scriptCalls[0].second.value(QLatin1String("watch")).toBool());
        if (c.busyAtPost) {
            host.compose.scriptAnswers.insert(QStringLiteral("roundcube.js sendState"),
                                              QJsonObject{{QStringLiteral("state"), QStringLiteral("none")}});
            EXPECT_EQ(awaiting.look(), Outcome::Waiting);
            EXPECT_TRUE(host.compose.scriptCalls.last().second.value(QLatin1String("watch")).toBool());
        }
        Outcome outcome = Outcome::Waiting;
        for (const QString &state : c.states) {
            if (state.isEmpty())
                host.compose.scriptAnswers.remove(QStringLiteral("roundcube.js sendState"));
            else
                host.compose.scriptAnswers.insert(QStringLiteral("roundcube.js sendState"),
                                                  QJsonObject{{QStringLiteral("state"), state}});
            outcome = awaiting.look();
        }
        if (c.leaves) {
            host.compose.url = QStringLiteral("http://127.0.0.1:1/?_task=mail&_mbox=INBOX");
            outcome = awaiting.look();
        }
        EXPECT_EQ(outcome, c.outcome);
        EXPECT_EQ(awaiting.isWaiting(), c.outcome == Outcome::Waiting);
        EXPECT_EQ(sentFiles().size(), c.outcome == Outcome::Kept ? 1 : 0);
    }
}

} // namespace
