#include "FakeComposeHost.h"
#include "webmail/ProviderProfile.h"
#include "webmail/ReplyOrForward.h"

#include <gtest/gtest.h>

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

const QString YahooInbox = QStringLiteral("http://127.0.0.1:8765/yahoo/inbox");
const QString YahooCompose = QStringLiteral("http://127.0.0.1:8765/yahoo/compose");
const QString HotmailInbox = QStringLiteral("http://127.0.0.1:8765/hotmail/inbox");

QStringList traceOf(const char *codes)
{
    return QString::fromLatin1(codes).split(u' ');
}

class ReplyOrForwardTest : public ::testing::Test
{
protected:
    FakeComposeHost host;

    // A field of the compose pane's form, or "<missing>".
    QString field(const char *form, const char *name, FakeWebPage *page = nullptr)
    {
        const FakeElement *e = (page ? page : &host.compose)->field(QString::fromLatin1(form), QString::fromLatin1(name));
        return e ? e->value : QStringLiteral("<missing>");
    }
    void setField(const char *form, const char *name, const char *value)
    {
        host.compose.field(QString::fromLatin1(form), QString::fromLatin1(name))->value = QString::fromUtf8(value);
    }

    void previewSavedMessage()
    {
        const std::pair<const char *, const char *> elements[] = {
            {"replyto", "Reply-to: Ann <ann@example.com>"}, {"to", "To: me@example.com"}, {"cc", "Cc: carl@example.com"},
            {"bcc", "Bcc: "}, {"subject", "Subject: Hello"}, {"body", "line one\nline two"}};
        for (const auto &[id, text] : elements)
            host.preview.addElement(QString::fromLatin1(id), QString::fromLatin1(text));
    }
};

// ---- Mail links, for each provider's form -----------------------------------

struct ProviderForm
{
    const char *name; // the provider key
    const char *inbox;
    const char *compose;
    const char *form;
    const char *to, *cc, *bcc, *subject, *body;
    const char *plainMirror; // Yahoo's plain-text copy of the body, if any
    const char *trace;       // of a mailto fill that runs to the end
};

void PrintTo(const ProviderForm &form, std::ostream *os)
{
    *os << form.name;
}

class MailtoFillTest : public ReplyOrForwardTest, public ::testing::WithParamInterface<ProviderForm>
{
protected:
    void SetUp() override
    {
        host.inbox.url = QString::fromLatin1(GetParam().inbox);
        host.compose.url = QString::fromLatin1(GetParam().compose);
        host.composeState.mailtoText = QStringLiteral(
            "mailto:ann@example.com,bob@example.com?cc=carl@example.com&bcc=dora@example.com"
            "&subject=Gr%C3%BC%C3%9Fe&body=Line%201%0D%0ALine%202");
    }
    // Builds the form, each field holding "old"; fields named in `without` are left out.
    void addComposeForm(const QStringList &without = {})
    {
        const ProviderForm &p = GetParam();
        for (const char *name : {p.to, p.cc, p.bcc, p.subject, p.body}) {
            if (!without.contains(QString::fromLatin1(name)))
                host.compose.addField(QString::fromLatin1(p.form), QString::fromLatin1(name), QStringLiteral("old"));
        }
        if (p.plainMirror)
            host.compose.addField(QString::fromLatin1(p.form), QString::fromLatin1(p.plainMirror));
    }
    QString value(const char *name) { return field(GetParam().form, name); }
};

TEST_P(MailtoFillTest, fillsEveryFieldOfTheLinkAndTracesEveryStep)
{
    addComposeForm();

    ReplyOrForward(host, ComposeMode::Mailto);

    const ProviderForm &p = GetParam();
    EXPECT_EQ(value(p.to), QStringLiteral("ann@example.com, bob@example.com"));
    EXPECT_EQ(value(p.cc), QStringLiteral("carl@example.com"));
    EXPECT_EQ(value(p.bcc), QStringLiteral("dora@example.com"));
    EXPECT_EQ(value(p.subject), QStringLiteral("Grüße"));
    EXPECT_EQ(value(p.body), QStringLiteral("Line 1\r\nLine 2"));
    EXPECT_EQ(host.trace, traceOf(p.trace));
    EXPECT_EQ(host.tab, 2);
    // The prepared page was kept, not reloaded, and the flag was used up.
    EXPECT_TRUE(host.navigations.isEmpty());
    EXPECT_FALSE(host.composeState.keepComposeOnce);
    EXPECT_EQ(host.composeState.providerKey, QString::fromLatin1(p.name));
}

TEST_P(MailtoFillTest, formWithoutCcAndBccStillGetsToSubjectAndBody)
{
    const ProviderForm &p = GetParam();
    addComposeForm({QString::fromLatin1(p.cc), QString::fromLatin1(p.bcc)});

    ReplyOrForward(host, ComposeMode::Mailto);

    EXPECT_EQ(value(p.to), QStringLiteral("ann@example.com, bob@example.com"));
    EXPECT_EQ(value(p.subject), QStringLiteral("Grüße"));
    EXPECT_EQ(value(p.body), QStringLiteral("Line 1\r\nLine 2"));
    EXPECT_EQ(value(p.cc), QStringLiteral("<missing>"));
    EXPECT_EQ(host.trace, traceOf(p.trace));
}

TEST_P(MailtoFillTest, linkWithoutBodyEmptiesTheBodyField)
{
    addComposeForm();
    host.composeState.mailtoText = QStringLiteral("ann@example.com?subject=Hi");

    ReplyOrForward(host, ComposeMode::Mailto);

    EXPECT_EQ(value(GetParam().body), QString());
    EXPECT_EQ(value(GetParam().cc), QString());
}

INSTANTIATE_TEST_SUITE_P(Providers, MailtoFillTest, ::testing::Values(
    ProviderForm{"yahoo", "http://127.0.0.1:8765/yahoo/inbox", "http://127.0.0.1:8765/yahoo/compose", "Compose", "To", "Cc", "Bcc", "Subj", "Body", "PlainMsg", "1 2 3 4 5 6 0"},
    ProviderForm{"hotmail", "http://127.0.0.1:8765/hotmail/inbox", "http://127.0.0.1:8765/hotmail/compose", "composeform", "to", "cc", "bcc", "subject", "body", nullptr, "1 2 3 4 5 0"}),
    [](const ::testing::TestParamInfo<ProviderForm> &info) { return std::string(info.param.name); });

TEST_F(ReplyOrForwardTest, yahooMailtoMirrorsTheBodyAsText)
{
    host.inbox.url = YahooInbox;
    addYahooComposeForm(host.compose);
    host.composeState.mailtoText = QStringLiteral("mailto:ann@example.com?body=%3Cb%3Ebold%3C/b%3E%20%26%20more");

    ReplyOrForward(host, ComposeMode::Mailto);

    EXPECT_EQ(field("Compose", "Body"), QStringLiteral("<b>bold</b> & more"));
    EXPECT_EQ(field("Compose", "PlainMsg"), QStringLiteral("&lt;b<BR>&gt;bold&lt;/b<BR>&gt; &amp; more"));
    // The recipient written again after the mirror is the link's.
    EXPECT_EQ(field("Compose", "To"), QStringLiteral("ann@example.com"));
    EXPECT_EQ(host.trace.last(), QStringLiteral("0"));
}

// ---- Waiting for the compose form ----------------------------------------

TEST_F(ReplyOrForwardTest, mailtoOpensComposePageAndWaitsUntilItLoads)
{
    host.inbox.url = YahooInbox;
    host.composeState.mailtoText = QStringLiteral("bob@example.com");
    // The compose page arrives on the third round of events.
    host.onEvents = [this](int round) {
        if (round == 3)
            addYahooComposeForm(host.compose);
    };

    ReplyOrForward(host, ComposeMode::Mailto);

    EXPECT_EQ(host.navigations, QStringList{YahooCompose});
    EXPECT_EQ(host.waitPanelShows, 2);
    EXPECT_FALSE(host.waitPanelVisible);
    EXPECT_EQ(field("Compose", "To"), QStringLiteral("bob@example.com"));
    EXPECT_EQ(host.trace.last(), QStringLiteral("0"));
}

TEST_F(ReplyOrForwardTest, cancelWhileWaitingWritesNothingHidesThePanelAndNextRunWorks)
{
    host.inbox.url = HotmailInbox;
    host.composeState.mailtoText = QStringLiteral("bob@example.com");
    // The click arrives while events run, before the failed look-up.
    host.onEvents = [this](int round) {
        if (round == 3)
            host.cancelRequested = true;
    };
    ReplyOrForward(host, ComposeMode::Mailto);
    EXPECT_EQ(host.trace.last(), QStringLiteral("5"));
    EXPECT_FALSE(host.cancelRequested) << "the cancel is consumed";
    EXPECT_FALSE(host.waitPanelVisible);

    addHotmailComposeForm(host.compose);
    host.trace.clear();
    host.onEvents = nullptr;
    ReplyOrForward(host, ComposeMode::Mailto);
    EXPECT_EQ(field("composeform", "to"), QStringLiteral("bob@example.com"));
    EXPECT_EQ(host.trace.last(), QStringLiteral("0"));
}

TEST_F(ReplyOrForwardTest, closingWindowEndsTheWait)
{
    host.inbox.url = YahooInbox;
    host.composeState.mailtoText = QStringLiteral("bob@example.com");
    host.onEvents = [this](int round) {
        if (round == 4)
            host.closing = true;
    };
    ReplyOrForward(host, ComposeMode::Mailto);
    EXPECT_EQ(host.eventRounds, 4);
    EXPECT_NE(host.trace.last(), QStringLiteral("0"));
}

TEST_F(ReplyOrForwardTest, onTheComposeTabWithoutAComposePage_opensItInsteadOfWaitingForever)
{
    host.inbox.url = YahooInbox;
    host.tab = 2;
    host.composeState.mailtoText = QStringLiteral("ann@example.com");
    host.onEvents = [this](int round) {
        if (round == 2 && !host.compose.url.isEmpty())
            addYahooComposeForm(host.compose);
        host.closing = round > 50; // a wait that never ends fails the test, not hangs it
    };

    ReplyOrForward(host, ComposeMode::Mailto);

    EXPECT_EQ(host.navigations, QStringList{YahooCompose});
    EXPECT_EQ(field("Compose", "To"), QStringLiteral("ann@example.com"));
}

// ---- Reply, forward and send again from a saved message ---------------------

TEST_F(ReplyOrForwardTest, savedMessageModes_fillTheFormFromThePreview)
{
    const struct
    {
        ComposeMode mode;
        const char *to, *cc, *subject, *body;
    } rows[] = {
        // Hotmail keeps only the angle-bracket part of a reply's recipient.
        {ComposeMode::ReplyBlank, "<ann@example.com>", "", "RE: Hello", ""},
        {ComposeMode::ReplyWithText, "<ann@example.com>", "", "RE: Hello", "\n>\n>line one\n>line two"},
        {ComposeMode::Forward, "", "", "FWD: Hello", "\n>\n>line one\n>line two"},
        // Recipients without their captions.
        {ComposeMode::SendAgain, "me@example.com", "carl@example.com", "Hello", "\n\nline one\nline two"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(int(row.mode));
        host = FakeComposeHost();
        host.inbox.url = HotmailInbox;
        host.tab = 3;
        addHotmailComposeForm(host.compose);
        previewSavedMessage();

        ReplyOrForward(host, row.mode);

        EXPECT_EQ(field("composeform", "to"), QString::fromUtf8(row.to));
        EXPECT_EQ(field("composeform", "cc"), QString::fromUtf8(row.cc));
        EXPECT_EQ(field("composeform", "subject"), QString::fromUtf8(row.subject));
        EXPECT_EQ(field("composeform", "body"), QString::fromUtf8(row.body));
        EXPECT_EQ(host.trace, traceOf("1 2 4 5 0"));
    }
}

TEST_F(ReplyOrForwardTest, missingPreviewElementEndsSilentlyBeforeWriting)
{
    host.inbox.url = HotmailInbox;
    addHotmailComposeForm(host.compose);
    setField("composeform", "to", "kept");

    ReplyOrForward(host, ComposeMode::Forward);

    EXPECT_EQ(field("composeform", "to"), QStringLiteral("kept"));
    EXPECT_EQ(host.trace.last(), QStringLiteral("2"));
}

// ---- Templates ---------------------------------------------------------------

TEST_F(ReplyOrForwardTest, templateInsertedAboveTextOfInboxComposePage)
{
    host.inbox.url = QStringLiteral("http://127.0.0.1:8765/hotmail/compose");
    addHotmailComposeForm(host.inbox);
    host.inbox.field(QStringLiteral("composeform"), QStringLiteral("body"))->value = QStringLiteral("-- signature");
    host.composeState.TemplateSubject = QStringLiteral("Offer");
    host.composeState.TemplateBody = QStringLiteral("Dear all");

    ReplyOrForward(host, ComposeMode::InsertTemplate);

    EXPECT_EQ(host.tab, 1);
    EXPECT_EQ(field("composeform", "body", &host.inbox), QStringLiteral("Dear all\r\n\r\n-- signature"));
}

TEST_F(ReplyOrForwardTest, yahooTemplateLeavesTypedRecipientAlone)
{
    host.inbox.url = YahooInbox;
    host.compose.url = YahooCompose;
    addYahooComposeForm(host.compose);
    setField("Compose", "To", "typed@example.com");
    host.tab = 2;
    host.composeState.TemplateSubject = QStringLiteral("Offer");
    host.composeState.TemplateBody = QStringLiteral("Dear all");

    ReplyOrForward(host, ComposeMode::InsertTemplate);

    EXPECT_EQ(field("Compose", "To"), QStringLiteral("typed@example.com"));
    EXPECT_EQ(field("Compose", "Subj"), QStringLiteral("Offer"));
    EXPECT_EQ(field("Compose", "Body"), QStringLiteral("Dear all"));
}

TEST_F(ReplyOrForwardTest, captureTemplateCopiesFormIntoTemplateFields)
{
    host.inbox.url = HotmailInbox;
    addHotmailComposeForm(host.compose);
    setField("composeform", "subject", "S");
    setField("composeform", "body", "B");
    host.tab = 4;

    ReplyOrForward(host, ComposeMode::CaptureTemplate);

    EXPECT_EQ(host.composeState.TemplateSubject, QStringLiteral("S"));
    EXPECT_EQ(host.composeState.TemplateBody, QStringLiteral("B"));
    EXPECT_EQ(field("composeform", "subject"), QStringLiteral("S"));
}

// ---- Opening the compose and calendar pages ----------------------------------

TEST_F(ReplyOrForwardTest, keepFlagWithoutComposePageReloadsButKeepsFields)
{
    host.inbox.url = YahooInbox;
    host.compose.url = QStringLiteral("http://127.0.0.1:8765/yahoo/sent");
    addYahooComposeForm(host.compose);
    setField("Compose", "To", "old");
    host.composeState.keepComposeOnce = true;

    OpenComposePage(host);

    EXPECT_EQ(host.navigations, QStringList{YahooCompose});
    EXPECT_FALSE(host.composeState.keepComposeOnce);
    EXPECT_EQ(field("Compose", "To"), QStringLiteral("old"));
}

TEST_F(ReplyOrForwardTest, plainActivationEmptiesYahooFormIncludingMirror)
{
    host.inbox.url = QStringLiteral("http://www.yahoo.com");
    addYahooComposeForm(host.compose);
    for (auto &e : host.compose.elements)
        e.value = QStringLiteral("x");

    OpenComposePage(host);

    EXPECT_TRUE(host.navigations.isEmpty()) << "a bare host gives no compose address";
    for (const auto &e : host.compose.elements)
        EXPECT_EQ(e.value, e.name == QStringLiteral(".crumb") ? QStringLiteral("x") : QString()) << e.name.toStdString();
}

TEST_F(ReplyOrForwardTest, composePaneIsInboxOnlyForItsOwnComposePageOnTabOne)
{
    host.inbox.url = QStringLiteral("http://us.f1.mail.yahoo.com/ym/Compose?To=x");
    EXPECT_EQ(ComposePane(host), Pane::Inbox);
    host.tab = 2;
    EXPECT_EQ(ComposePane(host), Pane::Compose);
    host.tab = 1;
    host.inbox.url = YahooInbox;
    EXPECT_EQ(ComposePane(host), Pane::Compose);
}

TEST_F(ReplyOrForwardTest, calendarLoadsOnlyOnce)
{
    host.inbox.url = HotmailInbox;
    OpenCalendarPage(host);
    OpenCalendarPage(host);
    EXPECT_EQ(host.navigations, QStringList{QStringLiteral("http://127.0.0.1:8765/hotmail/calendar")});
}

} // namespace
