// Reply, forward, send again and the mail link, from a saved message to the
// demo site's compose form, through the real program; fillings that wait
// for the user to sign in, and one replaced by a later request.
#include "DemoProgramFixture.h"

#include "store/SaveMessage.h"
#include "store/SavedMessage.h"
#include "addressbook/ui/AddressPane.h"
#include "store/ui/SavedFoldersPane.h"

#include <QListWidget>
#include <QTreeView>

#include "TestFiles.h"

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

class ReplyOrForwardEndToEndTest : public DemoProgramFixture
{
protected:
    // Lists a folder of saved messages and shows its first message.
    void previewFirstMessageOf(const char *folder)
    {
        form().selectTab(Tab::SavedFolders);
        SavedFoldersPane &pane = shell().savedFolders();
        auto *folders = child<QListWidget>("ComboFolders2");
        QSignalSpy listed(&pane, &SavedFoldersPane::folderListed);
        folders->setCurrentRow(-1);
        folders->setCurrentItem(folders->findItems(QLatin1String(folder), Qt::MatchExactly).value(0));
        ASSERT_TRUE(listed.wait(5000)) << folder;
        QTreeView *list = pane.parts().list;
        ASSERT_GT(list->model()->rowCount(), 0) << folder;
        QSignalSpy previewed(&form().browser(Pane::Preview), &BrowserPane::documentComplete);
        list->setCurrentIndex(list->model()->index(0, 0));
        ASSERT_TRUE(previewed.wait(10000));
    }
    QString yahoo(const char *name) { return field(Pane::Compose, "Compose", name); }
    QString hotmail(const char *name) { return field(Pane::Compose, "composeform", name); }
    bool waitPanelShown() { return !child("PictureWait")->isHidden(); }
    // A wait behind the panel that nothing ends would hang the test.
    void failOnAWaitThatNeverEnds()
    {
        auto *watch = new QTimer(pending.get());
        auto stuck = std::make_shared<int>(0);
        QObject::connect(watch, &QTimer::timeout, watch, [this, watch, stuck] {
            const bool settled = waitPanelShown() && !form().browser(Pane::Compose).isBusy();
            *stuck = settled ? *stuck + 1 : 0;
            // Longer than any page takes to build its form.
            if (*stuck == 25) {
                watch->stop();
                ADD_FAILURE() << "the filling waits behind the panel for a form that will not come";
                click("CommandCancelWait");
            }
        });
        watch->start(200);
    }
    void saveSentCopy(const SavedMessage &message)
    {
        ASSERT_TRUE(writeSavedMessage(mainPath(QStringLiteral("savedmgs/sent")), message));
    }
};

TEST_F(ReplyOrForwardEndToEndTest, aSavedYahooMessageIsRepliedToWithAndWithoutItsTextAndForwarded)
{
    open("/yahoo/message?id=4");
    click("GetBody");
    ASSERT_TRUE(boxes.shown.isEmpty()) << boxes.texts().join(u' ').toStdString();
    previewFirstMessageOf("Saved");
    for (const char *button : {"CommandReplyText", "CommandReplyNoText", "CommandForward"})
        EXPECT_TRUE(child(button)->isVisibleTo(&form()) && child(button)->isEnabled()) << button;
    EXPECT_FALSE(child("CommandSendAgain")->isVisibleTo(&form()));

    // A Cancel left over from an earlier wait stops no later filling.
    shell().state().WaitCancelled = true;
    click("CommandReplyText");
    EXPECT_EQ(form().selectedTab(), Tab::Compose);
    EXPECT_EQ(yahoo("To"), QStringLiteral("Carla Reyes <carla@example.org>"));
    EXPECT_EQ(yahoo("Subj"), QStringLiteral("RE: Q&A notes: is the budget < 500?"));
    const QString quoted = QStringLiteral("\n>\n>Notes from today's Q&A are below.\n"
                                          ">If x < 500 we can order the chairs this month;\n"
                                          ">otherwise in December.");
    EXPECT_EQ(yahoo("Body"), quoted);
    // The plain-text copy holds the mail's text as text.
    EXPECT_EQ(yahoo("PlainMsg").remove(u'\r'),
              QStringLiteral("\n<BR>&gt;\n<BR>&gt;Notes from today's Q&amp;A are below.\n"
                             "<BR>&gt;If x &lt; 500 we can order the chairs this month;\n"
                             "<BR>&gt;otherwise in December."));
    EXPECT_TRUE(waitFor([&] { return settings.GetIni(QStringLiteral("Settings"), QStringLiteral("bug"), {}) == u"0"; }));

    // The site receives what the form holds.
    runInPane(Pane::Compose, QStringLiteral("document.forms.Compose.SEND.click()"));
    ASSERT_TRUE(waitFor([&] { return site.sentMessages().size() == 1; }, 10000));
    const SentMessage sent = site.sentMessages().first();
    EXPECT_EQ(sent.to, QStringLiteral("Carla Reyes <carla@example.org>"));
    EXPECT_EQ(sent.subject, QStringLiteral("RE: Q&A notes: is the budget < 500?"));
    EXPECT_EQ(sent.body, QString(quoted).replace(u'\n', QStringLiteral("\r\n")));

    // The compose pane now shows the site's answer: the form is opened again.
    previewFirstMessageOf("Saved");
    click("CommandReplyNoText");
    EXPECT_EQ(yahoo("To"), QStringLiteral("Carla Reyes <carla@example.org>"));
    EXPECT_EQ(yahoo("Subj"), QStringLiteral("RE: Q&A notes: is the budget < 500?"));
    EXPECT_EQ(yahoo("Body"), QString());

    form().browser(Pane::Compose).document().formField(QStringLiteral("Compose"), QStringLiteral("Body")).setValue(QStringLiteral("typed"));
    previewFirstMessageOf("Saved");
    click("CommandForward");
    EXPECT_EQ(yahoo("To"), QString());
    EXPECT_EQ(yahoo("Subj"), QStringLiteral("FWD: Q&A notes: is the budget < 500?"));
    EXPECT_EQ(yahoo("Body"), quoted);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.texts().join(u' ').toStdString();
}

TEST_F(ReplyOrForwardEndToEndTest, aSentCopyIsSentAgainToItsRecipientsWithItsSubject)
{
    open("/hotmail/inbox");
    saveSentCopy({QStringLiteral("you@demo.example"), QStringLiteral("Minutes"), QStringLiteral("d"),
                  QStringLiteral("Ann <ann@example.com>"), QStringLiteral("carl@example.com"),
                  QStringLiteral("dora@example.com"),
                  QStringLiteral("All items were agreed and the next meeting is on Friday."), true});
    previewFirstMessageOf("sent");
    EXPECT_TRUE(child("CommandSendAgain")->isVisibleTo(&form()));
    EXPECT_FALSE(child("CommandReplyText")->isVisibleTo(&form()));

    click("CommandSendAgain");
    // This site takes only the part in angle brackets.
    EXPECT_EQ(hotmail("to"), QStringLiteral("<ann@example.com>"));
    EXPECT_EQ(hotmail("cc"), QStringLiteral("carl@example.com"));
    EXPECT_EQ(hotmail("bcc"), QStringLiteral("dora@example.com"));
    EXPECT_EQ(hotmail("subject"), QStringLiteral("Minutes"));
    // Wrapped, not quoted.
    EXPECT_EQ(hotmail("body"), QStringLiteral("\n\nAll items were agreed and the next meeting\nis on Friday."));
}

// Before the user has signed in there is no compose page: the filling
// waits and says so; a later one takes its place; both fill nothing until
// the compose page can be reached, which the later one then fills.
TEST_F(ReplyOrForwardEndToEndTest, beforeSignInAFillingWaitsInWords_aLaterOneTakesItsPlace_andIsFilledOnceTheSiteIsOpen)
{
    saveSentCopy({QStringLiteral("you@demo.example"), QStringLiteral("Hello"), QStringLiteral("d"),
                  QStringLiteral("ann@example.com"), {}, {}, QStringLiteral("Hi"), true});
    previewFirstMessageOf("sent");
    failOnAWaitThatNeverEnds();
    click("CommandSendAgain");
    EXPECT_EQ(form().waitingNoticeText(),
              QStringLiteral("Sign in to your webmail; the message to ann@example.com to send again is waiting."));
    EXPECT_EQ(form().selectedTab(), Tab::InboxLogin);
    ASSERT_TRUE(writeSavedMessage(mainPath(QStringLiteral("savedmgs/Saved")),
                                  {QStringLiteral("bo@example.com"), QStringLiteral("Plans"), QStringLiteral("d"),
                                   QStringLiteral("me@example.com"), {}, {}, QStringLiteral("Hi"), false}));
    previewFirstMessageOf("Saved");
    click("CommandForward");
    EXPECT_EQ(form().waitingNoticeText(), QStringLiteral("Sign in to your webmail; the forward \u201cFWD: Plans\u201d is waiting."));
    EXPECT_FALSE(waitPanelShown());

    open("/hotmail/inbox");
    EXPECT_TRUE(waitFor([&] { return hotmail("subject") == QStringLiteral("FWD: Plans"); }, 15000));
    EXPECT_EQ(hotmail("to"), QString());
    EXPECT_EQ(hotmail("body"), QStringLiteral("\n>\n>Hi"));
    EXPECT_EQ(form().selectedTab(), Tab::Compose);
    EXPECT_EQ(form().waitingNoticeText(), QString());
}

// A reply to the message just chosen uses that message, not the one shown
// before it. Then, with the compose pane moved to the site's rich-text page
// and a book opened, a mail link still fills the plain compose form.
TEST_F(ReplyOrForwardEndToEndTest, aReplyUsesTheMessageJustChosen_andALinkAfterABookFindsThePlainForm)
{
    for (const char *message : {"/yahoo/message?id=1", "/yahoo/message?id=4"}) {
        open(message);
        click("GetBody");
    }
    previewFirstMessageOf("Saved");
    QTreeView *list = shell().savedFolders().parts().list;
    ASSERT_EQ(list->model()->rowCount(), 2);
    // The list shows subjects as file names keep them: their first words do.
    const QString shown = list->model()->index(0, 1).data().toString().left(8);
    const QString chosen = list->model()->index(1, 1).data().toString().left(8);
    ASSERT_NE(shown, chosen);
    failOnAWaitThatNeverEnds();
    list->setCurrentIndex(list->model()->index(1, 0));
    click("CommandReplyText");
    EXPECT_TRUE(yahoo("Subj").startsWith(QStringLiteral("RE: ") + chosen)) << yahoo("Subj").toStdString();

    load(Pane::Compose, siteAddress("/yahoo/compose-rich"));
    form().showAddressPane();
    const QString book = writeFile(mainPath("addrbooks/friends.csv"), "\"First Name\",\"Email\"\r\n\"Di\",\"di@example.com\"\r\n");
    fileDialogs.openAnswers << book;
    shell().addressPane().Open_CSV();
    EXPECT_EQ(shell().addressPane().currentPath(), book);
    QSignalSpy handled(controller.get(), &MainController::mailLinkHandled);
    ASSERT_TRUE(settings.SetIni(QStringLiteral("Settings"), QStringLiteral("mailto"), QStringLiteral("mailto:?subject=Hello")));
    ASSERT_TRUE(handled.wait(15000));
    EXPECT_EQ(yahoo("Subj"), QStringLiteral("Hello"));
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.texts().join(u' ').toStdString();
}

} // namespace
