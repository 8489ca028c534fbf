// While a mail merge sends through the compose form, the other writers of
// the form leave it alone: they say why, and write, switch and load nothing.
#include "FakeComposeHost.h"
#include "webmail/AddressInsertion.h"
#include "webmail/ComposePage.h"
#include "webmail/ReplyOrForward.h"

#include <gtest/gtest.h>

#include <functional>

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

const QString MergeSending = QStringLiteral(
    "A mail merge is sending messages through the compose form. Wait until it has finished, or stop it, and try again.");

struct WriterCase
{
    const char *name;
    std::function<void(FakeComposeHost &)> write;
    bool tellsTheUser;
};

class MergeGuardTest : public ::testing::TestWithParam<WriterCase>
{
protected:
    MergeGuardTest()
    {
        host.tab = Tab::Compose;
        host.inbox.url = QStringLiteral("http://127.0.0.1:8765/yahoo/inbox");
        host.compose.url = QStringLiteral("http://127.0.0.1:8765/yahoo/compose");
        addYahooComposeForm(host.compose);
        for (FakeElement &field : host.compose.elements)
            field.value = QStringLiteral("merge:") + field.name;
        host.addressBook.selected = QStringList{QStringLiteral("b@x")};
        host.addressBook.palette = QStringLiteral("p@x");
        host.composeState.mailtoText = QStringLiteral("bob@example.com?subject=Hi");
        host.composeState.TemplateSubject = QStringLiteral("Template");
        host.merging = true;
    }

    FakeComposeHost host;
};

TEST_P(MergeGuardTest, leavesTheFormAsTheMergeWroteIt)
{
    GetParam().write(host);

    for (const FakeElement &field : host.compose.elements)
        EXPECT_EQ(field.value, QStringLiteral("merge:") + field.name) << field.name.toStdString();
    EXPECT_TRUE(host.navigations.isEmpty());
    EXPECT_EQ(host.tab, Tab::Compose);
    EXPECT_FALSE(host.composeState.pendingInsert);
    EXPECT_FALSE(host.waitPanelVisible);
    EXPECT_EQ(host.boxes.texts(), GetParam().tellsTheUser ? QStringList{MergeSending} : QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Writers, MergeGuardTest,
    ::testing::Values(
        WriterCase{"addressIntoTo", [](FakeComposeHost &host) { Web_InsertField(host, InsertField::To); }, true},
        WriterCase{"addressFromThePalette", [](FakeComposeHost &host) { Web_InsertField(host, InsertField::PaletteTo); }, true},
        WriterCase{"addressAskedFromAnotherTab",
                   [](FakeComposeHost &host) {
                       host.tab = Tab::SavedFolders;
                       Web_InsertField(host, InsertField::Cc);
                       host.tab = Tab::Compose;
                   },
                   true},
        WriterCase{"addressWaitingForTheComposePage",
                   [](FakeComposeHost &host) {
                       host.composeState.pendingInsert = true;
                       ComposeDocumentComplete(host);
                   },
                   true},
        WriterCase{"mailLink",
                   [](FakeComposeHost &host) {
                       EXPECT_EQ(ReplyOrForward(host, ComposeMode::Mailto), ComposeFillOutcome::Stopped);
                   },
                   true},
        WriterCase{"template",
                   [](FakeComposeHost &host) {
                       EXPECT_EQ(ReplyOrForward(host, ComposeMode::InsertTemplate), ComposeFillOutcome::Stopped);
                   },
                   true},
        WriterCase{"theComposeTabChosenAgain", [](FakeComposeHost &host) { OpenComposePage(host); }, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(MergeGuard, aFillingWaitingForTheFormGivesWayToAMergeStartedMeanwhile)
{
    FakeComposeHost host;
    host.tab = Tab::Compose;
    host.inbox.url = QStringLiteral("http://127.0.0.1:8765/yahoo/inbox");
    host.compose.url = QStringLiteral("http://127.0.0.1:8765/yahoo/compose");
    host.composeState.mailtoText = QStringLiteral("bob@example.com");
    host.composeLoading = true;
    host.onEvents = [&host](int round) {
        if (round == 2) {
            // The merge starts and its page arrives.
            host.merging = true;
            host.finishComposeLoad(addYahooComposeForm);
        }
    };

    // The link waits for the merge to end, beside it.
    EXPECT_EQ(ReplyOrForward(host, ComposeMode::Mailto), ComposeFillOutcome::Waiting);
    EXPECT_EQ(host.compose.field(QStringLiteral("Compose"), QStringLiteral("To"))->value, QString());
    EXPECT_FALSE(host.waitPanelVisible);
    EXPECT_EQ(host.notice, QStringLiteral("Put aside: the mail link to bob@example.com."));
}

} // namespace
