// A mail merge run against a compose pane and site of its own: what is
// sent, counted, logged and put back; the question before sending; Stop at
// each wait and before a submit; the checks before sending; the limit of a
// wait; the site's refusals; the pace; MergeInProgress.
#include "merge/MergeRun.h"

#include "FakeMergeSite.h"

#include <gtest/gtest.h>

#include <functional>

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

using Ending = MergeRun::Ending;

class MergeRunTest : public ::testing::Test
{
protected:
    FakeMergeSite site;
    qint64 now = 0;
    MergeRun run{site.runHost(), MergeRun::Limits{60000, 1000}, [this] { return now; }};
    QList<Ending> endings;
    QStringList logged;
    QStringList log;
    QList<int> counts;

    void SetUp() override
    {
        QObject::connect(&run, &MergeRun::finished, [this](Ending ending) { endings << ending; });
        QObject::connect(&run, &MergeRun::messageSent, [this](int count, const QString &address) {
            counts << count;
            logged << address;
        });
        QObject::connect(&run, &MergeRun::rowLogged, [this](const QString &line) { log << line; });
        site.addRow(QStringLiteral("Ann"), QStringLiteral("ann@example.com"));
        site.addRow(QStringLiteral("Bob"), QString());
        site.addRow(QStringLiteral("Cy"), QStringLiteral("cy@example.com"));
    }

    // The pane as the user wrote the message, with To left empty.
    void expectUsersMessageInForm()
    {
        EXPECT_EQ(site.location, site.composeAddress);
        EXPECT_EQ(site.composeValue("To"), QString());
        EXPECT_EQ(site.composeValue("Subj"), QStringLiteral("Hello <<First>>"));
        EXPECT_EQ(site.composeValue("Body"), QStringLiteral("Dear <<first>>,\r\nhi."));
    }
    QStringList sentTo() const { return site.sentTo(); }
};

TEST_F(MergeRunTest, sendsOnePersonalisedMessagePerAddressCountsThemAndPutsTheMessageBack)
{
    QList<bool> mergingWhileSending;
    site.afterSubmit = [&] { mergingWhileSending << site.merging; };

    run.start(MergeRun::Kind::Send, false);

    ASSERT_EQ(site.sent.size(), 2);
    EXPECT_EQ(site.sent[0].to, QStringLiteral("ann@example.com"));
    EXPECT_EQ(site.sent[0].subject, QStringLiteral("Hello Ann"));
    EXPECT_EQ(site.sent[0].body, QStringLiteral("Dear Ann,\r\nhi."));
    EXPECT_EQ(site.sent[1].subject, QStringLiteral("Hello Cy"));
    EXPECT_EQ(site.sent[1].actionSuffix, QStringLiteral("&SEND"));
    EXPECT_EQ(counts, (QList<int>{1, 2}));
    EXPECT_EQ(logged, (QStringList{QStringLiteral("ann@example.com"), QStringLiteral("cy@example.com")}));
    EXPECT_EQ(endings, QList<Ending>{Ending::Completed});
    EXPECT_EQ(mergingWhileSending, (QList<bool>{true, true}));
    EXPECT_FALSE(site.merging);
    EXPECT_FALSE(site.askedForSelection);
    expectUsersMessageInForm();
    // Asked once, before anything went: what will happen, and the first message.
    ASSERT_EQ(site.boxes.shown.size(), 1) << site.boxes.texts().join(u'|').toStdString();
    EXPECT_EQ(site.boxes.shown[0].buttons, MessageBoxes::Buttons::YesNo);
    EXPECT_EQ(site.boxes.shown[0].text, QStringLiteral("2 messages will be sent, one to each address.\n"
                                                       "1 row is skipped: no address.\n\n"
                                                       "The first message, to ann@example.com:\n"
                                                       "Subject: Hello Ann\n\nDear Ann,\r\nhi.\n\n"
                                                       "Send the messages?"));
    // One line per row; the skipped row is said, at the end too.
    EXPECT_EQ(log, (QStringList{QStringLiteral("ann@example.com: sent"), QStringLiteral("Row 2: skipped: no address"),
                                QStringLiteral("cy@example.com: sent")}));
    EXPECT_EQ(run.summaryText(), QStringLiteral("2 messages sent, 1 row skipped: no address."));
}

TEST_F(MergeRunTest, answeringNoToTheQuestionBeforeSendingSendsNothingAndLeavesTheFormAsItWas)
{
    site.boxes.answers = {MessageBoxes::Answer::No};
    run.start(MergeRun::Kind::Send, false);

    EXPECT_EQ(endings, QList<Ending>{Ending::Declined});
    EXPECT_TRUE(site.sent.isEmpty());
    EXPECT_FALSE(site.merging);
    EXPECT_FALSE(run.hasCapturedTemplates());
    expectUsersMessageInForm();
}

TEST_F(MergeRunTest, testFillsTheFirstAddressWithoutSendingAndStopTestPutsTheMessageBack)
{
    site.addresses.rows.prepend({QStringLiteral("Nobody"), QStringLiteral("  "), QString()});

    run.start(MergeRun::Kind::Test, true);

    EXPECT_TRUE(site.sent.isEmpty());
    EXPECT_TRUE(site.askedForSelection);
    EXPECT_EQ(endings, QList<Ending>{Ending::TestShown});
    EXPECT_FALSE(site.merging);
    EXPECT_EQ(site.composeValue("To"), QStringLiteral("ann@example.com"));
    EXPECT_EQ(site.composeValue("Subj"), QStringLiteral("Hello Ann"));

    run.stopAndRestore();
    EXPECT_EQ(endings, (QList<Ending>{Ending::TestShown, Ending::Restored}));
    expectUsersMessageInForm();
    EXPECT_TRUE(site.sent.isEmpty());
}

// Where Stop is pressed, and what has gone out by then.
struct StopCase
{
    const char *name;
    // Arranges for Stop to be pressed, before the start and right after it.
    std::function<void(FakeMergeSite &, MergeRun &)> arrange;
    std::function<void(FakeMergeSite &, MergeRun &)> afterStart;
    int sent;
};

class MergeStopTest : public MergeRunTest, public ::testing::WithParamInterface<StopCase>
{
};

TEST_P(MergeStopTest, nothingLeavesAfterStopAndWhatLeftIsCounted)
{
    GetParam().arrange(site, run);
    run.start(MergeRun::Kind::Send, false);
    if (GetParam().afterStart)
        GetParam().afterStart(site, run);
    // Whatever the site still had to do, it does now.
    site.busy = false;
    if (!site.siteAnswers) {
        site.siteAnswers = true;
        site.location = QStringLiteral("https://mail.yahoo.example/sent?confirm=1");
        site.page.clear();
    }
    for (int step = 0; step < 10 && run.isRunning(); ++step)
        run.advance();

    EXPECT_TRUE(run.stopRequested());
    EXPECT_EQ(site.sent.size(), GetParam().sent);
    EXPECT_EQ(run.sentCount(), GetParam().sent);
    EXPECT_EQ(logged.size(), GetParam().sent);
    EXPECT_EQ(endings, QList<Ending>{Ending::Stopped});
    EXPECT_FALSE(site.merging);
    expectUsersMessageInForm();
}

INSTANTIATE_TEST_SUITE_P(
    Moments, MergeStopTest,
    ::testing::Values(
        StopCase{"whileThePaneLoadsBeforeTheRunBegins", [](FakeMergeSite &site, MergeRun &) { site.busy = true; },
                 [](FakeMergeSite &, MergeRun &run) { run.stopAndRestore(); }, 0},
        StopCase{"justBeforeTheSubmit",
                 [](FakeMergeSite &site, MergeRun &run) {
                     site.page.afterWrite = [&site, &run](const QString &field) {
                         if (field == QLatin1String("Body") && site.composeValue("To") == QLatin1String("ann@example.com")
                             && !run.stopRequested()) {
                             // The pane is busy after the filling; Stop comes during that wait.
                             site.busy = true;
                             run.stopAndRestore();
                         }
                     };
                 },
                 nullptr, 0},
        StopCase{"whileWaitingForTheSitesAnswer",
                 [](FakeMergeSite &site, MergeRun &run) {
                     site.siteAnswers = false;
                     site.afterSubmit = [&run] { run.stopAndRestore(); };
                 },
                 nullptr, 1},
        StopCase{"whileTheSitesAnswerLoads",
                 [](FakeMergeSite &site, MergeRun &run) {
                     site.afterSubmit = [&site, &run] {
                         site.busy = true;
                         run.stopAndRestore();
                     };
                 },
                 nullptr, 1}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(MergeRunTest, theNextRowWaitsForTheComposeFormItselfNotOnlyForItsAddress)
{
    site.composeFormComesLate = true;
    run.start(MergeRun::Kind::Send, false);
    run.advance();

    ASSERT_TRUE(run.isRunning());
    EXPECT_EQ(site.sent.size(), 1);
    EXPECT_EQ(site.location, site.composeAddress);
    EXPECT_EQ(site.boxes.shown.size(), 1);

    site.composeFormComesLate = false;
    site.loadComposePage();
    run.advance();
    EXPECT_EQ(sentTo(), (QStringList{QStringLiteral("ann@example.com"), QStringLiteral("cy@example.com")}));
    EXPECT_EQ(endings, QList<Ending>{Ending::Completed});
    expectUsersMessageInForm();
}

TEST_F(MergeRunTest, anAnswerPastTheLimitLeavesTheRowInDoubtAndAComposePagePastItEndsTheRun)
{
    site.afterSubmit = [this] { site.busy = true; };
    run.start(MergeRun::Kind::Send, false);
    ASSERT_TRUE(run.isRunning());
    EXPECT_TRUE(site.merging);

    now += 60001;
    run.advance();
    ASSERT_TRUE(run.isRunning());
    EXPECT_EQ(log, QStringList{QStringLiteral("ann@example.com: failed: no answer from the site within 60 seconds; "
                                              "the message may have gone out")});
    now += 60001;
    run.advance();

    EXPECT_FALSE(run.isRunning());
    EXPECT_EQ(endings, QList<Ending>{Ending::Failed});
    EXPECT_FALSE(site.merging);
    ASSERT_EQ(site.boxes.shown.size(), 2);
    EXPECT_TRUE(site.boxes.shown[1].text.startsWith(MergeRun::ErrorText));
    EXPECT_TRUE(site.boxes.shown[1].text.contains(QLatin1String("60 seconds")));
    EXPECT_EQ(site.sent.size(), 1);

    site.busy = false;
    run.stopAndRestore();
    EXPECT_EQ(endings, (QList<Ending>{Ending::Failed, Ending::Restored}));
    expectUsersMessageInForm();
    EXPECT_EQ(site.sent.size(), 1);
}

TEST_F(MergeRunTest, stopNeverPutsBackTheMessageOfAnEarlierRun)
{
    run.start(MergeRun::Kind::Send, false);
    ASSERT_EQ(endings, QList<Ending>{Ending::Completed});
    // The user writes anew, then a run finds no address to send to.
    site.page.field(QStringLiteral("Compose"), QStringLiteral("Subj"))->value = QStringLiteral("New text");
    site.addresses.rows.clear();
    run.start(MergeRun::Kind::Send, false);
    run.stopAndRestore();

    EXPECT_EQ(endings, (QList<Ending>{Ending::Completed, Ending::Declined, Ending::Restored}));
    EXPECT_EQ(site.composeValue("Subj"), QStringLiteral("New text"));
    EXPECT_EQ(site.boxes.shown.size(), 2);
    EXPECT_FALSE(site.merging);
}

// A compose page the run cannot use is named before anything is written.
struct MissingCase
{
    const char *name;
    const char *form;
    const char *field;
    const char *said;
};

class MergeMissingFormTest : public MergeRunTest, public ::testing::WithParamInterface<MissingCase>
{
};

TEST_P(MergeMissingFormTest, isNamedAndNothingIsWritten)
{
    site.page.clear();
    for (const char *field : {"To", "Subj", "Body"}) {
        if (QLatin1String(field) != QLatin1String(GetParam().field))
            site.page.addField(QLatin1String(GetParam().form), QLatin1String(field), QStringLiteral("kept"));
    }

    run.start(MergeRun::Kind::Send, false);

    EXPECT_EQ(endings, QList<Ending>{Ending::Declined});
    EXPECT_TRUE(site.sent.isEmpty());
    EXPECT_FALSE(site.merging);
    EXPECT_FALSE(run.hasCapturedTemplates());
    ASSERT_EQ(site.boxes.shown.size(), 1);
    EXPECT_TRUE(site.boxes.shown[0].text.startsWith(MergeRun::ErrorText));
    EXPECT_TRUE(site.boxes.shown[0].text.endsWith(QLatin1String(GetParam().said))) << site.boxes.shown[0].text.toStdString();
    for (const FakeElement &element : site.page.elements)
        EXPECT_EQ(element.value, QStringLiteral("kept"));
}

INSTANTIATE_TEST_SUITE_P(
    Pages, MergeMissingFormTest,
    ::testing::Values(MissingCase{"richTextForm", "RTEcompose", "", "The compose page has no form named \"Compose\"."},
                      MissingCase{"noSubject", "Compose", "Subj", "The compose form \"Compose\" has no field named \"Subj\"."},
                      MissingCase{"noBody", "Compose", "Body", "The compose form \"Compose\" has no field named \"Body\"."}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(MergeRunTest, mergeFieldsOfNoColumnAreAskedAboutOnceAndNoStopsBeforeSending)
{
    site.loadComposePage(QStringLiteral("<<Phone>> for <<First>>"), QStringLiteral("<<phone>> <<Fax>>"));
    site.boxes.answers = {MessageBoxes::Answer::No};
    run.start(MergeRun::Kind::Send, false);

    EXPECT_EQ(endings, QList<Ending>{Ending::Declined});
    EXPECT_TRUE(site.sent.isEmpty());
    EXPECT_FALSE(site.merging);
    ASSERT_EQ(site.boxes.shown.size(), 1);
    EXPECT_EQ(site.boxes.shown[0].buttons, MessageBoxes::Buttons::YesNo);
    EXPECT_TRUE(site.boxes.shown[0].text.contains(QLatin1String("<<Phone>>, <<Fax>>"))) << site.boxes.shown[0].text.toStdString();

    site.boxes.answers = {MessageBoxes::Answer::Yes};
    run.start(MergeRun::Kind::Send, false);
    EXPECT_EQ(site.boxes.shown.size(), 3);
    ASSERT_EQ(site.sent.size(), 2);
    EXPECT_EQ(site.sent[0].subject, QStringLiteral("<<Phone>> for Ann"));
}

// A page that asks before sending a message without a body: a message that
// would have none is refused before anything goes; other pages send it.
TEST_F(MergeRunTest, aBodyLeftEmptyForARowIsRefusedBeforeSendingWhereThePageWouldAsk)
{
    site.addresses.columnNames.insert(2, QStringLiteral("Note"));
    for (QStringList &row : site.addresses.rows)
        row.insert(2, QString());
    site.addresses.rows[2][2] = QStringLiteral("see you");
    site.loadComposePage(QStringLiteral("Hi"), QStringLiteral("  <<Note>>\r\n"));
    site.bodyRequired = true;
    run.start(MergeRun::Kind::Send, false);

    EXPECT_EQ(endings, QList<Ending>{Ending::Declined});
    EXPECT_TRUE(site.sent.isEmpty());
    EXPECT_FALSE(site.merging);
    ASSERT_EQ(site.boxes.shown.size(), 1);
    EXPECT_TRUE(site.boxes.shown[0].text.startsWith(QLatin1String("The message to ann@example.com (row 1) has no body.")))
        << site.boxes.shown[0].text.toStdString();

    site.bodyRequired = false;
    run.start(MergeRun::Kind::Send, false);
    ASSERT_EQ(site.sent.size(), 2);
    EXPECT_EQ(site.sent[1].body, QStringLiteral("  see you\r\n"));
}

// The site refuses the first address: the row is logged as failed and the
// run goes on, or stops there when the settings say so.
struct RefusalCase
{
    const char *name;
    const char *answer; // an error page's status, or "" for the compose form shown again
    bool stopAtFirstFailure;
    QStringList log;
    QStringList sentTo;
    Ending ending;
    const char *summary;
};

class MergeRefusalTest : public MergeRunTest, public ::testing::WithParamInterface<RefusalCase>
{
};

TEST_P(MergeRefusalTest, isLoggedAsFailedAndTheRunGoesOnUnlessToldToStop)
{
    site.refusals.insert(QStringLiteral("ann@example.com"), QLatin1String(GetParam().answer));
    run.setSettings({0, 0, GetParam().stopAtFirstFailure});
    run.start(MergeRun::Kind::Send, false);
    for (int step = 0; step < 10 && run.isRunning(); ++step)
        run.advance();

    EXPECT_EQ(log, GetParam().log);
    EXPECT_EQ(sentTo(), GetParam().sentTo);
    EXPECT_EQ(endings, QList<Ending>{GetParam().ending});
    EXPECT_EQ(run.summaryText(), QLatin1String(GetParam().summary));
    expectUsersMessageInForm();
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MergeRefusalTest,
    ::testing::Values(
        RefusalCase{"errorPage", "HTTP 403", false,
                    {QStringLiteral("ann@example.com: failed: the site answered with an error page (HTTP 403)"),
                     QStringLiteral("Row 2: skipped: no address"), QStringLiteral("cy@example.com: sent")},
                    {QStringLiteral("cy@example.com")}, Ending::Completed,
                    "1 message sent, 1 failed, 1 row skipped: no address. 1 row not sent: Resume sends them."},
        RefusalCase{"composeFormAgain", "", false,
                    {QStringLiteral("ann@example.com: failed: the site showed the compose form again"),
                     QStringLiteral("Row 2: skipped: no address"), QStringLiteral("cy@example.com: sent")},
                    {QStringLiteral("cy@example.com")}, Ending::Completed,
                    "1 message sent, 1 failed, 1 row skipped: no address. 1 row not sent: Resume sends them."},
        RefusalCase{"stopAtTheFirstFailure", "HTTP 403", true,
                    {QStringLiteral("ann@example.com: failed: the site answered with an error page (HTTP 403)")}, {},
                    Ending::Stopped,
                    "0 messages sent, 1 failed. The run stopped at the first failure. 2 rows not sent: Resume sends "
                    "them."}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(MergeRunTest, thePauseSpacesTheMessagesAndStopDuringItEndsTheRunAtOnce)
{
    site.addRow(QStringLiteral("Di"), QStringLiteral("di@example.com"));
    run.setSettings({2, 0, false});
    run.start(MergeRun::Kind::Send, false);
    // The first message goes at once; two more, each after a pause.
    EXPECT_EQ(sentTo(), QStringList{QStringLiteral("ann@example.com")});
    EXPECT_EQ(run.estimatedMsLeft(), 4000);

    now += 1999;
    run.advance();
    EXPECT_EQ(site.sent.size(), 1);
    now += 1;
    run.advance();
    EXPECT_EQ(site.sent.size(), 2);

    now += 500;
    EXPECT_EQ(run.estimatedMsLeft(), 1500);
    run.stopAndRestore();
    EXPECT_FALSE(run.isRunning());
    EXPECT_EQ(endings, QList<Ending>{Ending::Stopped});
    EXPECT_EQ(site.sent.size(), 2);
    expectUsersMessageInForm();
}

TEST_F(MergeRunTest, aLimitOfMessagesStopsTheRunAndLeavesTheRestForLater)
{
    run.setSettings({0, 1, false});
    run.start(MergeRun::Kind::Send, false);

    EXPECT_EQ(sentTo(), QStringList{QStringLiteral("ann@example.com")});
    EXPECT_EQ(endings, QList<Ending>{Ending::Stopped});
    EXPECT_TRUE(site.boxes.shown[0].text.startsWith(
        QLatin1String("1 message will be sent, one to each address.\nThe run stops after 1 message; the other 1 can be "
                      "sent later with Resume.")))
        << site.boxes.shown[0].text.toStdString();
    EXPECT_EQ(run.summaryText(), QStringLiteral("1 message sent, 1 row skipped: no address. The run stopped after 1 "
                                                "message. 1 row not sent: Resume sends them."));
    expectUsersMessageInForm();
}

} // namespace
