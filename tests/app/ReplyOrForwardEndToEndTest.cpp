// Reply, forward, send again and the mail link, from a saved message to the
// demo site's compose form, through the real program; the wait for the
// form cancelled, and replaced by a later request.
#include "DemoProgramFixture.h"

#include "store/SaveMessage.h"
#include "store/SavedMessage.h"
#include "store/ui/SavedFoldersPane.h"

#include <QListWidget>
#include <QTreeView>

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

class ReplyOrForwardEndToEndTest : public DemoProgramFixture
{
protected:
    // Lists a folder of saved messages and shows its first message.
    void previewFirstMessageOf(const char *folder)
    {
        form().selectTab(3);
        SavedFoldersPane &pane = shell().savedFolders();
        auto *folders = child<QListWidget>("ComboFolders2");
        QSignalSpy listed(&pane, &SavedFoldersPane::folderListed);
        folders->setCurrentRow(-1);
        folders->setCurrentItem(folders->findItems(QLatin1String(folder), Qt::MatchExactly).value(0));
        ASSERT_TRUE(listed.wait(5000)) << folder;
        QTreeView *list = pane.parts().list;
        ASSERT_GT(list->model()->rowCount(), 0) << folder;
        QSignalSpy previewed(&form().browser(2), &BrowserPane::documentComplete);
        list->setCurrentIndex(list->model()->index(0, 0));
        ASSERT_TRUE(previewed.wait(10000));
    }
    QString yahoo(const char *name) { return field(3, "Compose", name); }
    QString hotmail(const char *name) { return field(3, "composeform", name); }
    bool waitPanelShown() { return !child("PictureWait")->isHidden(); }
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

    click("CommandReplyText");
    EXPECT_EQ(form().selectedTab(), 2);
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
    runInPane(3, QStringLiteral("document.forms.Compose.SEND.click()"));
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

    form().browser(3).document().formField(QStringLiteral("Compose"), QStringLiteral("Body")).setValue(QStringLiteral("typed"));
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

TEST_F(ReplyOrForwardEndToEndTest, aMailLinkFromTheSettingsFileFillsTheForm)
{
    open("/yahoo/inbox");
    QSignalSpy handled(controller.get(), &MainController::mailLinkHandled);
    ASSERT_TRUE(settings.SetIni(QStringLiteral("Settings"), QStringLiteral("mailto"),
                                QStringLiteral("mailto:ann@example.com?subject=Hi%20there&body=See%20you")));
    ASSERT_TRUE(handled.wait(10000));
    EXPECT_EQ(form().selectedTab(), 2);
    EXPECT_EQ(yahoo("To"), QStringLiteral("ann@example.com"));
    EXPECT_EQ(yahoo("Subj"), QStringLiteral("Hi there"));
    EXPECT_EQ(yahoo("Body"), QStringLiteral("See you"));
}

TEST_F(ReplyOrForwardEndToEndTest, cancelWhileWaitingWritesNothingAndTheNextReplyWorks)
{
    saveSentCopy({QStringLiteral("you@demo.example"), QStringLiteral("Hello"), QStringLiteral("d"),
                  QStringLiteral("ann@example.com"), {}, {}, QStringLiteral("Hi"), true});
    // The inbox pane shows the start page: no site to open a compose page from.
    previewFirstMessageOf("sent");
    whenTrue([&] { return waitPanelShown(); }, [&] { click("CommandCancelWait"); });
    click("CommandSendAgain");

    EXPECT_FALSE(waitPanelShown());
    EXPECT_FALSE(shell().state().WaitCancelled) << "the cancel was taken";
    load(3, siteAddress("/hotmail/compose"));
    EXPECT_EQ(hotmail("to"), QString()) << "nothing is written once the form comes";

    open("/hotmail/inbox");
    previewFirstMessageOf("sent");
    click("CommandSendAgain");
    EXPECT_EQ(hotmail("to"), QStringLiteral("ann@example.com"));
    EXPECT_EQ(hotmail("subject"), QStringLiteral("Hello"));
}

TEST_F(ReplyOrForwardEndToEndTest, aRequestMadeWhileAnotherWaitsReplacesIt)
{
    ASSERT_TRUE(writeSavedMessage(mainPath(QStringLiteral("savedmgs/Saved")),
                                  {QStringLiteral("ann@example.com"), QStringLiteral("Hello"), QStringLiteral("d"),
                                   QStringLiteral("me@example.com"), {}, {}, QStringLiteral("Hi"), false}));
    previewFirstMessageOf("Saved");
    bool forwardClicked = false;
    // The reply waits; a forward is asked for; then the form comes.
    whenTrue([&] { return waitPanelShown(); }, [&] {
        whenTrue([&] { return forwardClicked; }, [&] { form().browser(3).navigate(siteAddress("/hotmail/compose")); });
        forwardClicked = true;
        click("CommandForward");
    });
    click("CommandReplyText");

    ASSERT_TRUE(forwardClicked);
    EXPECT_EQ(hotmail("subject"), QStringLiteral("FWD: Hello"));
    EXPECT_EQ(hotmail("to"), QString());
    EXPECT_EQ(hotmail("body"), QStringLiteral("\n>\n>Hi"));
    EXPECT_FALSE(waitPanelShown());
}

} // namespace
