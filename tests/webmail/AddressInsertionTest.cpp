#include "FakeComposeHost.h"
#include "webmail/AddressInsertion.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

const QString UnableToInsert =
    QStringLiteral("Unable to insert address. Are you sure the Compose screen is displayed in your browser?");

struct MergeCase
{
    const char *field;
    std::vector<const char *> added;
    const char *expected;
};

class AddressMergeTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(AddressMergeTest, addsOnlyAddressesNotYetInTheField)
{
    QStringList added;
    for (const char *address : GetParam().added)
        added << QString::fromUtf8(address);
    EXPECT_EQ(withAddedAddresses(QString::fromUtf8(GetParam().field), added), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Fields, AddressMergeTest, ::testing::Values(
    MergeCase{"", {"a@x"}, "a@x"},
    MergeCase{"a@x", {"b@x", "a@x", "c@x"}, "a@x,b@x,c@x"},
    MergeCase{"", {"b@x", "b@x"}, "b@x"},
    // Present means equal, not contained: bob is not jimbob.
    MergeCase{"jimbob@example.com", {"bob@example.com"}, "jimbob@example.com,bob@example.com"},
    MergeCase{"joanne@x", {"ann@x"}, "joanne@x,ann@x"},
    MergeCase{"Ann@Example.com", {"ann@example.com"}, "Ann@Example.com"},
    MergeCase{"a@x, b@x", {"b@x"}, "a@x, b@x"},
    // A recipient widget's trailing separator leaves no empty entry.
    MergeCase{"bob@example.test,", {"carol@example.test"}, "bob@example.test,carol@example.test"},
    MergeCase{"a@x,b@x, ", {"b@x"}, "a@x,b@x"},
    // Selected rows without an address add no empty entries.
    MergeCase{"a@x", {"", "b@x", " "}, "a@x,b@x"},
    MergeCase{"", {"", "b@x"}, "b@x"}));

class AddressInsertionTest : public ::testing::Test
{
protected:
    AddressInsertionTest()
    {
        host.inbox.url = QStringLiteral("http://127.0.0.1:8765/yahoo/inbox");
        host.compose.url = QStringLiteral("http://127.0.0.1:8765/yahoo/compose");
        addYahooComposeForm(host.compose);
        host.addressBook.selected = QStringList{QStringLiteral("b@x"), QStringLiteral("c@x")};
        host.addressBook.palette = QStringLiteral("p@x");
    }

    QString composeField(const char *name) { return host.compose.field(QStringLiteral("Compose"), QLatin1String(name))->value; }

    FakeComposeHost host;
};

TEST_F(AddressInsertionTest, onTheComposeTab_writesTheChosenField)
{
    host.tab = Tab::Compose;
    host.compose.field(QStringLiteral("Compose"), QStringLiteral("Cc"))->value = QStringLiteral("c@x");
    Web_InsertField(host, InsertField::Cc);
    Web_InsertField(host, InsertField::PaletteTo);
    EXPECT_EQ(composeField("Cc"), QStringLiteral("c@x,b@x"));
    EXPECT_EQ(composeField("To"), QStringLiteral("p@x"));
    EXPECT_TRUE(host.boxes.shown.isEmpty());
}

// From another tab: into the compose page the tab keeps at once, or into
// the one it opens once that has loaded, with the rows chosen when asked;
// never into a later page.
TEST_F(AddressInsertionTest, fromAnotherTab_goesIntoTheNextComposePageWithTheRowsChosenThen)
{
    host.tab = Tab::SavedFolders;
    host.composeState.keepComposeOnce = true; // a reply prepared the page
    Web_InsertField(host, InsertField::Bcc);
    EXPECT_EQ(host.tab, Tab::Compose);
    EXPECT_EQ(composeField("Bcc"), QStringLiteral("b@x,c@x"));
    EXPECT_FALSE(host.composeState.pendingInsert);

    // The tab opens a new compose page: the insertion waits for it.
    host.tab = Tab::SavedFolders;
    host.compose.url = QStringLiteral("http://127.0.0.1:8765/yahoo/sent");
    Web_InsertField(host, InsertField::Cc);
    EXPECT_TRUE(host.composeState.pendingInsert);
    host.addressBook.selected = QStringList{QStringLiteral("later@x")};
    host.tab = Tab::SavedFolders; // the user wanders off before the page is there: it still arrives
    host.finishComposeLoad(addYahooComposeForm);
    ComposeDocumentComplete(host);
    EXPECT_EQ(composeField("Cc"), QStringLiteral("b@x,c@x"));
    EXPECT_FALSE(host.composeState.pendingInsert);
    ComposeDocumentComplete(host);
    EXPECT_EQ(composeField("Cc"), QStringLiteral("b@x,c@x"));

    // A page without the form drops it with the message, at once when no
    // page is on its way (the inbox address gives none).
    host.tab = Tab::SavedFolders;
    host.compose.url = QStringLiteral("http://127.0.0.1:8765/yahoo/sent");
    Web_InsertField(host, InsertField::To);
    host.finishComposeLoad();
    ComposeDocumentComplete(host);
    host.tab = Tab::SavedFolders;
    host.inbox.url = QStringLiteral("http://127.0.0.1:8765");
    Web_InsertField(host, InsertField::To);
    EXPECT_FALSE(host.composeState.pendingInsert);
    EXPECT_EQ(host.boxes.texts(), QStringList(2, UnableToInsert));
}

TEST_F(AddressInsertionTest, inboxTabShowingTheSitesComposePage_writesThere)
{
    host.tab = Tab::InboxLogin;
    host.inbox.url = QStringLiteral("http://127.0.0.1:8765/yahoo/Compose?x=1");
    addYahooComposeForm(host.inbox);
    Web_InsertField(host, InsertField::To);
    EXPECT_EQ(host.inbox.field(QStringLiteral("Compose"), QStringLiteral("To"))->value, QStringLiteral("b@x,c@x"));
    EXPECT_EQ(host.tab, Tab::InboxLogin);
    EXPECT_FALSE(host.composeState.pendingInsert);
}

TEST_F(AddressInsertionTest, hotmailNamesItsFieldsInLowerCase)
{
    host.tab = Tab::Compose;
    host.inbox.url = QStringLiteral("http://127.0.0.1:8765/hotmail/inbox");
    host.compose.clear();
    addHotmailComposeForm(host.compose);
    Web_InsertField(host, InsertField::Cc);
    EXPECT_EQ(host.compose.field(QStringLiteral("composeform"), QStringLiteral("cc"))->value, QStringLiteral("b@x,c@x"));
    EXPECT_EQ(host.composeState.providerKey, QStringLiteral("hotmail"));
}

TEST_F(AddressInsertionTest, failures_showOneMessageAndLeaveTheFieldAlone)
{
    host.tab = Tab::Compose;
    host.compose.field(QStringLiteral("Compose"), QStringLiteral("To"))->value = QStringLiteral("a@x");

    host.addressBook.selected.reset(); // no book open
    Web_InsertField(host, InsertField::To);
    host.addressBook.selected = QStringList{QStringLiteral("b@x")};
    host.compose.clear(); // a page without the form
    Web_InsertField(host, InsertField::To);

    EXPECT_EQ(host.boxes.texts(), QStringList(2, UnableToInsert));
}

} // namespace
