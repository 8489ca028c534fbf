#include "FakeComposeHost.h"
#include "webmail/ProviderProfile.h"
#include "webmail/ReplyOrForward.h"
#include "webmail/WaitingFillings.h"

#include <QThread>

#include <gtest/gtest.h>

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

const QString YahooInbox = QStringLiteral("http://127.0.0.1:8765/yahoo/inbox");
const QString HotmailInbox = QStringLiteral("http://127.0.0.1:8765/hotmail/inbox");

// A compose host with a saved message in its preview.
struct SavedMessageHost
{
    FakeComposeHost host;

    QString composeValue(const char *form, const char *field) { return host.compose.fieldValue(form, field); }

    void previewSavedMessage()
    {
        // As the saved file renders: each caption followed by a
        // non-breaking space.
        host.preview.addElement(QStringLiteral("replyto"), QStringLiteral("Reply-to:\u00a0Ann <ann@example.com>"));
        host.preview.addElement(QStringLiteral("to"), QStringLiteral("To:\u00a0me@example.com"));
        host.preview.addElement(QStringLiteral("cc"), QStringLiteral("Cc:\u00a0carl@example.com"));
        host.preview.addElement(QStringLiteral("bcc"), QStringLiteral("Bcc:\u00a0"));
        host.preview.addElement(QStringLiteral("subject"), QStringLiteral("Subject:\u00a0Hello"));
        host.preview.addElement(QStringLiteral("body"), QStringLiteral("line one\nline two"));
    }
};

class ReplyOrForwardTest : public ::testing::Test, protected SavedMessageHost
{
};

// One provider's compose form as the fakes build it, with the page names.
struct ProviderForm
{
    const char *name; // the provider key
    const char *inbox;
    const char *compose;
    const char *form;
    const char *to, *cc, *bcc, *subject, *body;
    const char *plainMirror; // Yahoo's plain-text copy of the body, if any
    QStringList trace; // of a mailto fill that runs to the end
};

void PrintTo(const ProviderForm &form, std::ostream *os)
{
    *os << form.name;
}

const QStringList YahooMailtoTrace{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                                   QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("0")};
const QStringList HotmailMailtoTrace{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                                     QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("0")};

class MailtoFillTest : public ::testing::TestWithParam<ProviderForm>
{
protected:
    FakeComposeHost host;

    void SetUp() override
    {
        host.inbox.url = QString::fromLatin1(GetParam().inbox);
        host.compose.url = QString::fromLatin1(GetParam().compose);
        host.composeState.mailtoText = QStringLiteral(
            "mailto:ann@example.com,bob@example.com?cc=carl@example.com&bcc=dora@example.com"
            "&subject=Gr%C3%BC%C3%9Fe&body=Line%201%0D%0ALine%202");
    }
    // Builds the form; fields named in `without` are left out.
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
    QString value(const char *field) { return host.compose.fieldValue(GetParam().form, field); }
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
    EXPECT_EQ(host.trace, p.trace);
    EXPECT_EQ(host.tab, Tab::Compose);
    // The prepared page was kept, not reloaded, and the flag was used up.
    EXPECT_TRUE(host.navigations.isEmpty());
    EXPECT_FALSE(host.composeState.keepComposeOnce);
    EXPECT_EQ(host.composeState.providerKey, QString::fromLatin1(p.name));
    EXPECT_EQ(host.compose.writeAllCalls, 1) << "every field in one step";
    EXPECT_EQ(host.linksDone, QStringList{host.composeState.mailtoText}) << "the link may leave the settings file";
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
    EXPECT_EQ(host.trace, p.trace);
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
    ProviderForm{"yahoo", "http://127.0.0.1:8765/yahoo/inbox", "http://127.0.0.1:8765/yahoo/compose", "Compose", "To", "Cc", "Bcc", "Subj", "Body", "PlainMsg", YahooMailtoTrace},
    ProviderForm{"hotmail", "http://127.0.0.1:8765/hotmail/inbox", "http://127.0.0.1:8765/hotmail/compose", "composeform", "to", "cc", "bcc", "subject", "body", nullptr, HotmailMailtoTrace}),
    [](const ::testing::TestParamInfo<ProviderForm> &info) { return std::string(info.param.name); });

TEST_F(ReplyOrForwardTest, yahooMailtoMirrorsTheBodyAsText)
{
    host.inbox.url = YahooInbox;
    host.compose.url = QStringLiteral("http://127.0.0.1:8765/yahoo/compose");
    addYahooComposeForm(host.compose);
    host.composeState.mailtoText = QStringLiteral("mailto:ann@example.com?body=%3Cb%3Ebold%3C/b%3E%20%26%20more");

    ReplyOrForward(host, ComposeMode::Mailto);

    EXPECT_EQ(composeValue("Compose", "Body"), QStringLiteral("<b>bold</b> & more"));
    EXPECT_EQ(composeValue("Compose", "PlainMsg"), QStringLiteral("&lt;b<BR>&gt;bold&lt;/b<BR>&gt; &amp; more"));
    // The recipient written again after the mirror is the link's.
    EXPECT_EQ(composeValue("Compose", "To"), QStringLiteral("ann@example.com"));
    EXPECT_EQ(host.trace.last(), QStringLiteral("0"));
}

TEST_F(ReplyOrForwardTest, mailtoOpensComposePageAndWaitsUntilItLoads)
{
    host.inbox.url = YahooInbox;
    host.composeState.mailtoText = QStringLiteral("bob@example.com");
    // The compose page arrives on the third round of events.
    QList<Tab> tabsWhileLoading;
    host.onEvents = [&](int round) {
        tabsWhileLoading << host.tab;
        if (round == 3)
            host.finishComposeLoad(addYahooComposeForm);
    };

    ReplyOrForward(host, ComposeMode::Mailto);

    EXPECT_EQ(host.navigations, QStringList{QStringLiteral("http://127.0.0.1:8765/yahoo/compose")});
    EXPECT_EQ(host.waitPanelShows, 3);
    EXPECT_FALSE(host.waitPanelVisible);
    EXPECT_EQ(composeValue("Compose", "To"), QStringLiteral("bob@example.com"));
    EXPECT_EQ(host.trace.last(), QStringLiteral("0"));
    // Shown with its form filled: a pane shown while it loads loads slower.
    EXPECT_EQ(tabsWhileLoading, QList<Tab>(3, Tab::InboxLogin));
    EXPECT_EQ(host.tab, Tab::Compose);
}

// Roundcube's script resets its compose form when it starts, after the
// load: the link is written only once it has started.
TEST_F(ReplyOrForwardTest, aRoundcubeFormIsWrittenOnceItsPageScriptHasStarted)
{
    host.inbox.url = QStringLiteral("http://127.0.0.1:40000/?_task=mail");
    host.inbox.scriptAnswers.insert(QStringLiteral("roundcube.js recognise"), true);
    host.composeState.mailtoText = QStringLiteral("mailto:bob@example.com?body=Hi");
    QString toBeforeStart = QStringLiteral("<not loaded>");
    host.onEvents = [&](int round) {
        if (round == 1) {
            host.finishComposeLoad([](FakeWebPage &page) {
                for (const char *name : {"_to", "_cc", "_bcc", "_subject", "_message"})
                    page.addField(QStringLiteral("form"), QString::fromLatin1(name));
            });
            host.compose.scriptAnswers.insert(QStringLiteral("roundcube.js composeStarted"), false);
            host.composeSettling = true;
        }
        if (round == 3) {
            toBeforeStart = composeValue("form", "_to");
            host.compose.scriptAnswers.insert(QStringLiteral("roundcube.js composeStarted"), true);
            host.composeSettling = false;
        }
    };

    EXPECT_EQ(ReplyOrForward(host, ComposeMode::Mailto), ComposeFillOutcome::Filled);

    EXPECT_EQ(toBeforeStart, QString());
    EXPECT_EQ(composeValue("form", "_to"), QStringLiteral("bob@example.com"));
    EXPECT_EQ(composeValue("form", "_message"), QStringLiteral("Hi"));
}

// A load long enough to be noticed shows the tab while it goes on, and the
// page on its way stays.
TEST_F(ReplyOrForwardTest, aSlowComposePageShowsItsTabWhileItLoads)
{
    host.inbox.url = YahooInbox;
    host.composeState.mailtoText = QStringLiteral("bob@example.com");
    host.onEvents = [this](int) {
        if (host.tab == Tab::Compose)
            host.finishComposeLoad(addYahooComposeForm);
        else
            QThread::msleep(1);
    };

    EXPECT_EQ(ReplyOrForward(host, ComposeMode::Mailto), ComposeFillOutcome::Filled);

    EXPECT_EQ(host.navigations, QStringList{QStringLiteral("http://127.0.0.1:8765/yahoo/compose")});
    EXPECT_EQ(composeValue("Compose", "To"), QStringLiteral("bob@example.com"));
}

// A Cancel ends the wait: a template is dropped, a mail link (which came
// from outside) is put aside. A Cancel left over from an earlier wait, even
// one that ended as its form came, stops no later filling.
TEST_F(ReplyOrForwardTest, cancelWhileWaitingWritesNothing_putsAMailLinkAside_andNoLeftOverCancelStopsTheNextOne)
{
    host.inbox.url = HotmailInbox;
    host.composeState.mailtoText = QStringLiteral("bob@example.com");
    const struct
    {
        ComposeMode mode;
        int cancelRound; // on the first round of the wait, or while events run before a look-up
        ComposeFillOutcome outcome;
    } rows[] = {{ComposeMode::InsertTemplate, 2, ComposeFillOutcome::Stopped},
                {ComposeMode::Mailto, 3, ComposeFillOutcome::Waiting}};
    for (const auto &row : rows) {
        SCOPED_TRACE(int(row.mode));
        host.eventRounds = 0;
        host.compose.url.clear();
        host.composeLoading = false;
        host.onEvents = [this, &row](int round) {
            if (round == row.cancelRound)
                host.cancelRequested = true;
        };
        EXPECT_EQ(ReplyOrForward(host, row.mode), row.outcome);
        EXPECT_EQ(host.trace.last(), QStringLiteral("5"));
        EXPECT_FALSE(host.cancelRequested) << "the cancel is consumed";
        EXPECT_FALSE(host.waitPanelVisible);
    }
    EXPECT_EQ(host.notice, QStringLiteral("Put aside: the mail link to bob@example.com."));
    EXPECT_TRUE(host.linksDone.isEmpty());

    host.finishComposeLoad(addHotmailComposeForm);
    host.trace.clear();
    host.onEvents = nullptr;
    host.cancelRequested = true;
    EXPECT_EQ(ReplyOrForward(host, ComposeMode::Mailto), ComposeFillOutcome::Filled);
    EXPECT_EQ(composeValue("composeform", "to"), QStringLiteral("bob@example.com"));
    EXPECT_EQ(host.trace.last(), QStringLiteral("0"));
}

// The earlier filling gives way; a mail link among them is put aside.
TEST_F(ReplyOrForwardTest, aFillingStartedWhileOneWaitsReplacesIt)
{
    host.inbox.url = HotmailInbox;
    host.composeState.mailtoText = QStringLiteral("first@example.com");
    ComposeFillOutcome later = ComposeFillOutcome::Failed;
    host.onEvents = [&](int round) {
        if (round == 2) {
            // A second request, run from inside the first one's wait as a
            // click or the mail link timer would be.
            host.composeState.mailtoText = QStringLiteral("second@example.com");
            later = ReplyOrForward(host, ComposeMode::Mailto);
        }
        if (round == 4)
            host.finishComposeLoad(addHotmailComposeForm);
    };

    const ComposeFillOutcome earlier = ReplyOrForward(host, ComposeMode::Mailto);

    EXPECT_EQ(later, ComposeFillOutcome::Filled);
    EXPECT_EQ(earlier, ComposeFillOutcome::Waiting);
    EXPECT_EQ(composeValue("composeform", "to"), QStringLiteral("second@example.com"));
    EXPECT_EQ(host.trace.count(QStringLiteral("0")), 1) << "only the later one ran to its end";
    EXPECT_EQ(host.notice, QStringLiteral("Put aside: the mail link to first@example.com."));
    EXPECT_EQ(host.linksDone, QStringList{QStringLiteral("second@example.com")});
    EXPECT_FALSE(host.waitPanelVisible);
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

TEST(ReplyFromSavedMessage, intoTheHotmailForm_shapedByTheMode)
{
    const struct
    {
        ComposeMode mode;
        const char *fields; // to|cc|subject|body afterwards
        const char *trace;  // nullptr: not checked
    } rows[] = {
        // Hotmail's recipient keeps only the part in angle brackets; no body step.
        {ComposeMode::ReplyBlank, "<ann@example.com>||RE: Hello|", "1 2 4 5 0"},
        {ComposeMode::ReplyWithText, "<ann@example.com>||RE: Hello|\n>\n>line one\n>line two", nullptr},
        // Recipients are copied without their captions; the subject is kept.
        {ComposeMode::SendAgain, "me@example.com|carl@example.com|Hello|\n\nline one\nline two", nullptr},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.fields);
        SavedMessageHost fixture;
        FakeComposeHost &host = fixture.host;
        host.inbox.url = HotmailInbox;
        host.compose.url = QStringLiteral("http://127.0.0.1:8765/hotmail/compose");
        addHotmailComposeForm(host.compose);
        fixture.previewSavedMessage();
        host.tab = Tab::SavedFolders;
        EXPECT_EQ(ReplyOrForward(host, row.mode), ComposeFillOutcome::Filled);
        QStringList fields;
        for (const char *name : {"to", "cc", "subject", "body"})
            fields << fixture.composeValue("composeform", name);
        EXPECT_EQ(fields.join(u'|'), QString::fromUtf8(row.fields));
        if (row.trace) {
            EXPECT_EQ(host.trace.join(u' '), QString::fromUtf8(row.trace));
        }
    }
}

// A reply asked for right after a click on another saved message waits
// until the preview shows that message, rather than read the one before.
TEST_F(ReplyOrForwardTest, aReplyReadsTheMessageChosenLast_onceThePreviewShowsIt)
{
    host.inbox.url = HotmailInbox;
    host.compose.url = QStringLiteral("http://127.0.0.1:8765/hotmail/compose");
    addHotmailComposeForm(host.compose);
    previewSavedMessage();
    host.previewReady = false;
    host.onEvents = [this](int round) {
        if (round < 2)
            return;
        host.preview.clear();
        host.preview.addElement(QStringLiteral("replyto"), QStringLiteral("Reply-to:\u00a0bo@example.com"));
        host.preview.addElement(QStringLiteral("subject"), QStringLiteral("Subject:\u00a0Chosen"));
        host.preview.addElement(QStringLiteral("body"), QString());
        host.previewReady = true;
    };
    host.tab = Tab::SavedFolders;

    EXPECT_EQ(ReplyOrForward(host, ComposeMode::ReplyBlank), ComposeFillOutcome::Filled);
    EXPECT_EQ(composeValue("composeform", "subject"), QStringLiteral("RE: Chosen"));
    EXPECT_EQ(composeValue("composeform", "to"), QStringLiteral("bo@example.com"));
}

TEST_F(ReplyOrForwardTest, missingPreviewElementEndsSilentlyBeforeWriting)
{
    host.inbox.url = HotmailInbox;
    addHotmailComposeForm(host.compose);
    host.compose.field(QStringLiteral("composeform"), QStringLiteral("to"))->value = QStringLiteral("kept");

    EXPECT_EQ(ReplyOrForward(host, ComposeMode::Forward), ComposeFillOutcome::Failed);

    EXPECT_EQ(composeValue("composeform", "to"), QStringLiteral("kept"));
    EXPECT_EQ(host.trace.last(), QStringLiteral("2"));
}

TEST_F(ReplyOrForwardTest, templateInsertedAboveTextOfInboxComposePage)
{
    host.inbox.url = QStringLiteral("http://127.0.0.1:8765/hotmail/compose");
    addHotmailComposeForm(host.inbox);
    host.inbox.field(QStringLiteral("composeform"), QStringLiteral("body"))->value = QStringLiteral("-- signature");
    host.composeState.TemplateSubject = QStringLiteral("Offer");
    host.composeState.TemplateBody = QStringLiteral("Dear all");

    ReplyOrForward(host, ComposeMode::InsertTemplate);

    EXPECT_EQ(host.tab, Tab::InboxLogin);
    const FakeElement *body = host.inbox.field(QStringLiteral("composeform"), QStringLiteral("body"));
    EXPECT_EQ(body->value, QStringLiteral("Dear all\r\n\r\n-- signature"));
}

TEST_F(ReplyOrForwardTest, yahooTemplateLeavesTypedRecipientAlone)
{
    host.inbox.url = YahooInbox;
    host.compose.url = QStringLiteral("http://127.0.0.1:8765/yahoo/compose");
    addYahooComposeForm(host.compose);
    host.compose.field(QStringLiteral("Compose"), QStringLiteral("To"))->value = QStringLiteral("typed@example.com");
    host.tab = Tab::Compose;
    host.composeState.TemplateSubject = QStringLiteral("Offer");
    host.composeState.TemplateBody = QStringLiteral("Dear all");

    ReplyOrForward(host, ComposeMode::InsertTemplate);

    EXPECT_EQ(composeValue("Compose", "To"), QStringLiteral("typed@example.com"));
    EXPECT_EQ(composeValue("Compose", "Subj"), QStringLiteral("Offer"));
    EXPECT_EQ(composeValue("Compose", "Body"), QStringLiteral("Dear all"));
}

TEST_F(ReplyOrForwardTest, captureTemplateCopiesFormIntoTemplateFields)
{
    host.inbox.url = HotmailInbox;
    host.compose.url = QStringLiteral("http://127.0.0.1:8765/hotmail/compose");
    addHotmailComposeForm(host.compose);
    host.compose.field(QStringLiteral("composeform"), QStringLiteral("subject"))->value = QStringLiteral("S");
    host.compose.field(QStringLiteral("composeform"), QStringLiteral("body"))->value = QStringLiteral("B");
    host.tab = Tab::Calendar;

    EXPECT_EQ(ReplyOrForward(host, ComposeMode::CaptureTemplate), ComposeFillOutcome::Filled);

    EXPECT_EQ(host.composeState.TemplateSubject, QStringLiteral("S"));
    EXPECT_EQ(host.composeState.TemplateBody, QStringLiteral("B"));
    EXPECT_EQ(composeValue("composeform", "subject"), QStringLiteral("S"));
}

TEST(ComposePageOpening, keepFlagWithoutComposePageReloadsButKeepsFields)
{
    FakeComposeHost host;
    host.inbox.url = YahooInbox;
    host.compose.url = QStringLiteral("http://127.0.0.1:8765/yahoo/sent");
    addYahooComposeForm(host.compose);
    host.compose.field(QStringLiteral("Compose"), QStringLiteral("To"))->value = QStringLiteral("old");
    host.composeState.keepComposeOnce = true;

    OpenComposePage(host);

    EXPECT_EQ(host.navigations, QStringList{QStringLiteral("http://127.0.0.1:8765/yahoo/compose")});
    EXPECT_FALSE(host.composeState.keepComposeOnce);
    EXPECT_EQ(host.compose.field(QStringLiteral("Compose"), QStringLiteral("To"))->value, QStringLiteral("old"));
}

TEST(ComposePageOpening, plainActivationEmptiesYahooFormIncludingMirror)
{
    FakeComposeHost host;
    host.inbox.url = QStringLiteral("http://www.yahoo.com");
    addYahooComposeForm(host.compose);
    for (auto &e : host.compose.elements)
        e.value = QStringLiteral("x");

    OpenComposePage(host);

    EXPECT_TRUE(host.navigations.isEmpty()) << "a bare host gives no compose address";
    for (const auto &e : host.compose.elements) {
        if (e.name != QStringLiteral(".crumb")) {
            EXPECT_EQ(e.value, QString()) << e.name.toStdString();
        }
    }
}

TEST(ComposePageOpening, composePaneIsInboxOnlyForItsOwnComposePageOnTabOne)
{
    FakeComposeHost host;
    host.inbox.url = QStringLiteral("http://us.f1.mail.yahoo.com/ym/Compose?To=x");
    EXPECT_EQ(ComposePane(host), Pane::Inbox);
    host.tab = Tab::Compose;
    EXPECT_EQ(ComposePane(host), Pane::Compose);
    host.tab = Tab::InboxLogin;
    host.inbox.url = YahooInbox;
    EXPECT_EQ(ComposePane(host), Pane::Compose);
}

TEST(ComposePageOpening, calendarLoadsOnlyOnce)
{
    FakeComposeHost host;
    host.inbox.url = HotmailInbox;
    OpenCalendarPage(host);
    OpenCalendarPage(host);
    EXPECT_EQ(host.navigations, QStringList{QStringLiteral("http://127.0.0.1:8765/hotmail/calendar")});
}

TEST(ComposePageOpening, aWebmailWithoutCalendarSaysSoInsteadOfOpeningAWrongAddress)
{
    FakeComposeHost host;
    host.inbox.url = QStringLiteral("http://127.0.0.1:40000/?_task=mail&_mbox=INBOX");
    host.inbox.scriptAnswers.insert(QStringLiteral("roundcube.js recognise"), true);
    OpenCalendarPage(host);
    EXPECT_TRUE(host.navigations.isEmpty()) << host.navigations.join(u' ').toStdString();
    ASSERT_EQ(host.paneTexts.size(), 1);
    EXPECT_EQ(host.paneTexts[0].first, Pane::Calendar);
    EXPECT_EQ(host.paneTexts[0].second, QStringLiteral("Roundcube has no calendar."));
}

TEST(ReplyOrForwardOnComposeTab, blankComposePaneIsOpenedInsteadOfWaitingForever)
{
    FakeComposeHost host;
    host.inbox.url = YahooInbox;
    host.tab = Tab::Compose;
    host.composeState.mailtoText = QStringLiteral("ann@example.com");
    host.onEvents = [&host](int round) {
        if (round == 2 && !host.compose.url.isEmpty())
            host.finishComposeLoad(addYahooComposeForm);
        host.closing = round > 50; // a wait that never ends fails the test, not hangs it
    };

    ReplyOrForward(host, ComposeMode::Mailto);

    EXPECT_EQ(host.navigations, QStringList{QStringLiteral("http://127.0.0.1:8765/yahoo/compose")});
    EXPECT_EQ(host.compose.field(QStringLiteral("Compose"), QStringLiteral("To"))->value, QStringLiteral("ann@example.com"));
}

// Before the user has signed in (the inbox pane shows a local page) there
// is no compose page: nothing is loaded from a made-up address, the link
// waits in words, and it is written once the webmail can be reached; a
// reply asked meanwhile waits behind it and is put aside once the link is in.
TEST(WaitingFillings, withNoComposePageAMailLinkWaitsAndIsFilledOnceOneCanBeReached)
{
    SavedMessageHost fixture;
    FakeComposeHost &host = fixture.host;
    host.inbox.url = QStringLiteral("file:///home/ann/.local/share/ferrowen/html/index.html");
    host.composeState.mailtoText = QStringLiteral("mailto:ann@example.com?subject=Hi");
    EXPECT_EQ(ReplyOrForward(host, ComposeMode::Mailto), ComposeFillOutcome::Waiting);
    fixture.previewSavedMessage();
    EXPECT_EQ(ReplyOrForward(host, ComposeMode::ReplyBlank), ComposeFillOutcome::Waiting);

    EXPECT_TRUE(host.navigations.isEmpty());
    EXPECT_EQ(host.notice,
              QStringLiteral("Sign in to your webmail; the mail link to ann@example.com is waiting. (1 more waiting)"));
    EXPECT_TRUE(host.linksDone.isEmpty());
    EXPECT_EQ(host.tab, Tab::InboxLogin) << "where the user signs in";

    // The sign-in page has no compose page beside it yet: still waiting, unseen.
    host.inbox.url = QStringLiteral("http://127.0.0.1:8765/yahoo/login");
    host.onEvents = [&host](int) { host.finishComposeLoad(); };
    RetryWaitingFillings(host);
    EXPECT_EQ(host.tab, Tab::InboxLogin);
    EXPECT_EQ(host.composeState.waiting.size(), 2);

    host.inbox.url = YahooInbox;
    host.onEvents = [&host](int) { host.finishComposeLoad(addYahooComposeForm); };
    RetryWaitingFillings(host);
    EXPECT_EQ(host.navigations.last(), QStringLiteral("http://127.0.0.1:8765/yahoo/compose"));
    EXPECT_EQ(host.tab, Tab::Compose);
    EXPECT_EQ(fixture.composeValue("Compose", "To"), QStringLiteral("ann@example.com"));
    EXPECT_EQ(fixture.composeValue("Compose", "Subj"), QStringLiteral("Hi"));
    EXPECT_EQ(host.linksDone, QStringList{host.composeState.mailtoText});
    EXPECT_EQ(host.notice, QStringLiteral("Put aside: the reply to Ann <ann@example.com>."));

    DiscardWaiting(host);
    EXPECT_TRUE(host.composeState.waiting.isEmpty());
    EXPECT_EQ(host.notice, QString());
    EXPECT_TRUE(host.boxes.shown.isEmpty()) << "only a mail link is confirmed before it is dropped";
}

// The user signs in while a filling looks for the compose page: the sign-in's
// page load finds that filling running, and the compose page it loaded
// shows the sign-in page. Once it has given up, the mail link tries again
// rather than wait for a page load that never comes.
TEST(WaitingFillings, aMailLinkIsFilledWhenTheUserSignsInWhileAFillingLooks)
{
    const struct
    {
        const char *what;
        int signInDuringLoad; // of the compose pane, counted from 1
    } rows[] = {
        {"during the link's own second look", 2},
        {"during a retry's look", 3},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        FakeComposeHost host;
        host.inbox.url = QStringLiteral("http://127.0.0.1:8765/yahoo/login");
        host.composeState.mailtoText = QStringLiteral("mailto:ann@example.com?subject=Hi");
        int loads = 0;
        bool signedIn = false;
        host.onEvents = [&](int) {
            if (!host.composeLoading)
                return;
            // A compose page asked for before the sign-in is the sign-in page.
            const bool before = !signedIn;
            if (++loads == row.signInDuringLoad) {
                host.inbox.url = YahooInbox;
                signedIn = true;
                RetryWaitingFillings(host); // the inbox pane's page has loaded
            }
            host.finishComposeLoad(before ? std::function<void(FakeWebPage &)>() : addYahooComposeForm);
        };

        ReplyOrForward(host, ComposeMode::Mailto);
        if (!signedIn)
            RetryWaitingFillings(host); // a later page load, before the sign-in

        EXPECT_TRUE(signedIn);
        EXPECT_EQ(host.linksDone, QStringList{host.composeState.mailtoText}) << host.notice.toStdString();
        EXPECT_TRUE(host.composeState.waiting.isEmpty());
        EXPECT_EQ(host.tab, Tab::Compose);
        const FakeElement *to = host.compose.field(QStringLiteral("Compose"), QStringLiteral("To"));
        ASSERT_NE(to, nullptr) << "no compose form";
        EXPECT_EQ(to->value, QStringLiteral("ann@example.com"));
    }
}

// Text the user typed is replaced only with the user's yes; otherwise the
// new filling is put aside, and "Fill Now" asks again. A template put above
// the page's own text replaces nothing the user typed in the body.
TEST(WaitingFillings, typedTextIsReplacedOnlyWhenTheUserAgrees)
{
    const struct
    {
        const char *what;
        ComposeMode mode;
        bool inboxComposePage;
        MessageBoxes::Answer answer;
        ComposeFillOutcome outcome;
        const char *body; // afterwards
        int questions;
    } rows[] = {
        {"a mail link, kept", ComposeMode::Mailto, false, MessageBoxes::Answer::No, ComposeFillOutcome::Waiting,
         "Dear Bo", 1},
        {"a mail link, replacing", ComposeMode::Mailto, false, MessageBoxes::Answer::Yes, ComposeFillOutcome::Filled,
         "", 1},
        {"a template, kept", ComposeMode::InsertTemplate, false, MessageBoxes::Answer::No, ComposeFillOutcome::Waiting,
         "Dear Bo", 1},
        {"a template above the text", ComposeMode::InsertTemplate, true, MessageBoxes::Answer::No,
         ComposeFillOutcome::Filled, "Offer\r\n\r\nDear Bo", 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        FakeComposeHost host;
        FakeWebPage &page = row.inboxComposePage ? host.inbox : host.compose;
        host.inbox.url = row.inboxComposePage ? QStringLiteral("http://127.0.0.1:8765/hotmail/compose") : HotmailInbox;
        host.compose.url = QStringLiteral("http://127.0.0.1:8765/hotmail/compose");
        addHotmailComposeForm(page);
        FakeElement *body = page.field(QStringLiteral("composeform"), QStringLiteral("body"));
        body->value = QStringLiteral("Dear Bo");
        body->typed = true;
        host.tab = row.inboxComposePage ? Tab::InboxLogin : Tab::Compose;
        host.composeState.mailtoText = QStringLiteral("mailto:bo@example.com");
        host.composeState.TemplateBody = QStringLiteral("Offer");
        host.boxes.answers << row.answer;

        EXPECT_EQ(ReplyOrForward(host, row.mode), row.outcome);
        EXPECT_EQ(body->value, QString::fromUtf8(row.body));
        EXPECT_EQ(host.boxes.shown.size(), row.questions);
        if (row.outcome == ComposeFillOutcome::Waiting) {
            EXPECT_TRUE(host.notice.startsWith(QStringLiteral("Put aside: "))) << host.notice.toStdString();
            host.boxes.answers << MessageBoxes::Answer::Yes;
            FillWaitingNow(host);
            EXPECT_EQ(host.boxes.shown.size(), 2) << "asked again";
            EXPECT_NE(body->value, QStringLiteral("Dear Bo"));
            EXPECT_EQ(host.notice, QString());
        }
    }
}

TEST(ComposePageOpening, aMessageTheUserIsWritingIsKeptWhenTheTabIsShownAgain)
{
    FakeComposeHost host;
    host.inbox.url = YahooInbox;
    host.compose.url = QStringLiteral("http://127.0.0.1:8765/yahoo/compose");
    addYahooComposeForm(host.compose);
    FakeElement *body = host.compose.field(QStringLiteral("Compose"), QStringLiteral("Body"));
    body->value = QStringLiteral("half written");
    body->typed = true;

    host.selectTab(Tab::Compose);

    EXPECT_TRUE(host.navigations.isEmpty());
    EXPECT_EQ(body->value, QStringLiteral("half written"));

    // Only text the user typed counts: the program's own writing goes.
    body->typed = false;
    host.selectTab(Tab::Compose);
    EXPECT_EQ(host.navigations.size(), 1);
}

} // namespace
