// A mail merge run against a compose pane and site of its own: what is
// sent, counted and put back; Stop at each wait and before a submit; the
// checks before sending; the limit of a wait; MergeInProgress.
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
    MergeRun run{site, MergeRun::Limits{60000, 1000}, [this] { return now; }};
    QList<Ending> endings;
    QStringList logged;
    QList<int> counts;

    void SetUp() override
    {
        QObject::connect(&run, &MergeRun::finished, [this](Ending ending) { endings << ending; });
        QObject::connect(&run, &MergeRun::messageSent, [this](int count, const QString &address) {
            counts << count;
            logged << address;
        });
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
    QStringList sentTo() const
    {
        QStringList to;
        for (const auto &message : site.sent)
            to << message.to;
        return to;
    }
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
    EXPECT_TRUE(site.boxes.shown.isEmpty()) << site.boxes.texts().join(u'|').toStdString();
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
    EXPECT_TRUE(site.boxes.shown.isEmpty());

    site.composeFormComesLate = false;
    site.loadComposePage();
    run.advance();
    EXPECT_EQ(sentTo(), (QStringList{QStringLiteral("ann@example.com"), QStringLiteral("cy@example.com")}));
    EXPECT_EQ(endings, QList<Ending>{Ending::Completed});
    expectUsersMessageInForm();
}

TEST_F(MergeRunTest, aWaitPastItsLimitEndsTheRunWithItsMessageAndStopThenRestoresThisRunsMessage)
{
    site.afterSubmit = [this] { site.busy = true; };
    run.start(MergeRun::Kind::Send, false);
    ASSERT_TRUE(run.isRunning());
    EXPECT_TRUE(site.merging);

    now += 60001;
    run.advance();

    EXPECT_FALSE(run.isRunning());
    EXPECT_EQ(endings, QList<Ending>{Ending::Failed});
    EXPECT_FALSE(site.merging);
    ASSERT_EQ(site.boxes.shown.size(), 1);
    EXPECT_TRUE(site.boxes.shown[0].text.startsWith(MergeRun::ErrorText));
    EXPECT_TRUE(site.boxes.shown[0].text.contains(QLatin1String("60 seconds")));
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
    EXPECT_EQ(site.boxes.shown.size(), 1);
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
    EXPECT_EQ(site.boxes.shown.size(), 2);
    ASSERT_EQ(site.sent.size(), 2);
    EXPECT_EQ(site.sent[0].subject, QStringLiteral("<<Phone>> for Ann"));
}

} // namespace
