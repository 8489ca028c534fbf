// Saving the message the inbox pane shows, and the saved messages' preview,
// driven through the real program against the demo webmail site.
#include "app/InboxFramesBand.h"
#include "app/MainController.h"
#include "app/MainForm.h"
#include "app/Shell.h"
#include "app/settings/SettingsFile.h"
#include "demowebmail/DemoWebmailSite.h"
#include "platform/web/BrowserPane.h"
#include "store/FolderListing.h"
#include "store/SaveMessage.h"
#include "store/SavedMessage.h"
#include "store/ui/SavedFoldersPane.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTreeView>

#include <gtest/gtest.h>

#include "ScriptedMessageBoxes.h"
#include "WaitFor.h"

using namespace ferrowen;
using ferrowen::testing::waitFor;

namespace {

class SavedMessagesTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    SettingsFile settings{dir.filePath(QStringLiteral("ferrowen/plinthmere.ini"))};
    DemoWebmailSite site;
    ferrowen::testing::ScriptedMessageBoxes boxes;
    std::unique_ptr<MainController> controller;

    void SetUp() override
    {
        ASSERT_TRUE(site.listen(0));
        for (const char *folder : {"Saved", "sent", "Work"})
            ASSERT_TRUE(QDir(store()).mkpath(QLatin1String(folder)));
        ASSERT_TRUE(settings.SetIni(QStringLiteral("Locations"), QStringLiteral("main dir"), dir.filePath(QStringLiteral("main")) + u'/'));
        controller = std::make_unique<MainController>(settings, MainController::Options{false, false, &boxes});
        controller->start();
    }

    void TearDown() override
    {
        if (controller)
            controller->window().close();
    }

    MainForm &form() { return controller->window(); }
    QString store() const { return dir.filePath(QStringLiteral("main/savedmgs")); }

    void load(int pane, const QString &address)
    {
        QSignalSpy loaded(&form().browser(pane), &BrowserPane::documentComplete);
        form().browser(pane).navigate(address);
        ASSERT_TRUE(loaded.wait(10000)) << address.toStdString();
    }
    void open(const char *page) { load(1, site.baseUrl().resolved(QUrl(QLatin1String(page))).toString()); }
    void saveDisplayedMessage() { form().band().saveMessageButton()->click(); }

    std::vector<ListedMessage> saved(const char *folder) { return listFolderMessages(QDir(store()).filePath(QLatin1String(folder))); }
    QString columns(const ListedMessage &message)
    {
        QStringList texts;
        for (int column = ListedMessage::First; column <= ListedMessage::Date; ++column)
            texts << message.columnText(column);
        return texts.join(u'|');
    }
    QString content(const char *folder, const ListedMessage &message)
    {
        QFile file(QDir(store()).filePath(QLatin1String(folder) + u'/' + message.fileName));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
    QString bodyLine(const QString &content)
    {
        const qsizetype start = content.indexOf(QStringLiteral("<div id=body><font face=arial>\r\n"));
        return start < 0 ? QString() : content.mid(start + 32).chopped(QStringLiteral("</font></div>\r\n").size());
    }
};

TEST_F(SavedMessagesTest, startUpFillsTheFolderListsFromDiskAndChoosesTheFirstForSaving)
{
    QComboBox *folders = form().band().folderCombo();
    QStringList entries;
    for (int i = 0; i < folders->count(); ++i)
        entries << folders->itemText(i);
    EXPECT_EQ(entries, QStringList({QStringLiteral("Saved"), QStringLiteral("sent"), QStringLiteral("Work")}));
    EXPECT_EQ(folders->currentIndex(), 0);
}

TEST_F(SavedMessagesTest, aYahooMessageIsSavedFromAnyTabWithItsRecipientBeforeVia)
{
    open("/yahoo/message?id=5");
    form().selectTab(3);
    saveDisplayedMessage();

    EXPECT_EQ(form().selectedTab(), 1);
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u' ').toStdString();
    const std::vector<ListedMessage> messages = saved("Saved");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(columns(messages[0]),
              QStringLiteral("Priya Natarajan  priya@work.example |Release checklist for Friday|team@lists.work.exam...|Wed, 28 Oct 2026"));
    const QString file = content("Saved", messages[0]);
    EXPECT_TRUE(file.contains(QStringLiteral("<b>To:&nbsp;</b>team@lists.work.example</font>")));
    EXPECT_TRUE(file.contains(QStringLiteral("<b>Date:&nbsp;</b>Wed, 28 Oct 2026 11:20:05 +0000</font>")));
    // Plain text: each line break gains a <br>.
    EXPECT_TRUE(bodyLine(file).startsWith(QStringLiteral("Team,<br>\r\n<br>\r\n1. Freeze the branch")));
    EXPECT_FALSE(form().band().messageSavedLabel()->isHidden());
    EXPECT_EQ(form().statusPanelText(2), QStringLiteral("Msg Saved"));
}

TEST_F(SavedMessagesTest, aYahooPageWithoutItsBodyElementSavesThePageTextAfterTheLastHeader)
{
    open("/yahoo/message?id=1&view=print");
    saveDisplayedMessage();
    const std::vector<ListedMessage> messages = saved("Saved");
    ASSERT_EQ(messages.size(), 1u);
    const QString body = bodyLine(content("Saved", messages[0]));
    // The page text is plain text: its line breaks gain a <br> too.
    EXPECT_TRUE(body.startsWith(QStringLiteral("<p><br>\r\n"))) << body.left(40).toStdString();
    EXPECT_TRUE(body.contains(QStringLiteral("Are you free for lunch on Thursday?")));
    EXPECT_FALSE(body.contains(QStringLiteral("Subject:")));
}

TEST_F(SavedMessagesTest, hotmailPagesFollowTheirLabelsAndTheLastBodyElementWins)
{
    // A conversation: the earlier message and this one each in a body
    // element; no reply-to line.
    open("/hotmail/message?id=6");
    saveDisplayedMessage();
    // A reply-to line between From and To.
    open("/hotmail/message?id=4");
    saveDisplayedMessage();
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u' ').toStdString();

    const std::vector<ListedMessage> messages = saved("Saved");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(columns(messages[0]), QStringLiteral("Maya Lind  maya@example.org |Re:  Cabin weekend|you@demo.example|Mon, 2 Nov 2026"));
    const QString body = bodyLine(content("Saved", messages[0]));
    EXPECT_TRUE(body.startsWith(QStringLiteral("Booked! The cabin is ours")));
    EXPECT_FALSE(body.contains(QStringLiteral("Shall we book")));
    EXPECT_EQ(columns(messages[1]), QStringLiteral("Sam Lee  sam@example.com |Re:  weekend hike|you@demo.example|Thu, 29 Oct 2026"));
}

TEST_F(SavedMessagesTest, aPageVersionOtherThanTheFirstIsFoundAndKeptForBothProviders)
{
    open("/yahoo/message?id=2&lang=de");
    saveDisplayedMessage();
    EXPECT_EQ(controller->shell().state().compose.labelVariant, 1);
    open("/hotmail/message?id=2&lang=de");
    saveDisplayedMessage();
    EXPECT_EQ(controller->shell().state().compose.labelVariant, 1);
    open("/hotmail/message?id=4&lang=sv");
    saveDisplayedMessage();
    EXPECT_EQ(controller->shell().state().compose.labelVariant, 7);
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u' ').toStdString();

    QStringList shown;
    for (const ListedMessage &message : saved("Saved"))
        shown << columns(message);
    EXPECT_EQ(shown, QStringList({
                         QStringLiteral("Bernd M\u00fcller  bernd.mueller@example.de |Viele Gr\u00fc\u00dfe aus M\u00fcnchen|"
                                        "you@demo.example|Mon, 2 Nov 2026"),
                         QStringLiteral("J\u00fcrgen Wei\u00df  juergen@example.at |Sch\u00f6ne Gr\u00fc\u00dfe aus Wien|"
                                        "you@demo.example|Tue, 3 Nov 2026"),
                         QStringLiteral("Sam Lee  sam@example.com |Re:  weekend hike|you@demo.example|Thu, 29 Oct 2026"),
                     }));
}

TEST_F(SavedMessagesTest, nothingToSaveSaysSoAndWritesNothing)
{
    open("/yahoo/inbox");
    saveDisplayedMessage();
    QComboBox *folders = form().band().folderCombo();
    open("/yahoo/message?id=1");
    folders->setCurrentIndex(folders->findText(QStringLiteral("sent")));
    saveDisplayedMessage();
    folders->setCurrentIndex(-1);
    saveDisplayedMessage();

    EXPECT_EQ(boxes.texts(), QStringList({QStringLiteral("Unable to read message. Are you sure a message is displayed?"),
                                          QStringLiteral("You cannot save incoming messages to the Sent Messages Folder."),
                                          QStringLiteral("You must select a folder to save the message to")}));
    for (const char *folder : {"Saved", "sent", "Work"})
        EXPECT_TRUE(saved(folder).empty()) << folder;
    EXPECT_TRUE(form().band().messageSavedLabel()->isHidden());
}

TEST_F(SavedMessagesTest, thePreviewShowsTheSavedFileOnlyRunsNoScriptAndFetchesNothing)
{
    QTcpServer remote;
    ASSERT_TRUE(remote.listen(QHostAddress::LocalHost));
    int connections = 0;
    QObject::connect(&remote, &QTcpServer::newConnection, [&] {
        ++connections;
        delete remote.nextPendingConnection();
    });
    const QString elsewhere = QStringLiteral("http://127.0.0.1:%1/").arg(remote.serverPort());
    const SavedMessage message{
        QStringLiteral("Ann <ann@example.com>"),
        QStringLiteral("\u039a\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1 \u4f60\u597d"),
        QStringLiteral("12/5/2026 7:50:16 PM"),
        QStringLiteral("me@example.com"),
        {},
        {},
        QStringLiteral("<meta http-equiv=refresh content=\"0; url=%1page\"><p id=marks>untouched</p>"
                       "<script>document.getElementById('marks').textContent = 'script ran';</script>"
                       "<img src=\"data:image/gif;base64,R0lGODlhAQABAAAAACw=\" "
                       "onload=\"document.getElementById('marks').textContent = 'onload ran'\">"
                       "<img src=\"%1pixel.gif\"><iframe src=\"%1frame\"></iframe>"
                       "<link rel=stylesheet href=\"%1style.css\">")
            .arg(elsewhere),
        false};
    ASSERT_TRUE(writeSavedMessage(QDir(store()).filePath(QStringLiteral("Saved")), message));

    open("/hotmail/inbox");
    form().selectTab(3);
    SavedFoldersPane &pane = controller->shell().savedFolders();
    QSignalSpy listed(&pane, &SavedFoldersPane::folderListed);
    auto *folders = form().findChild<QListWidget *>(QStringLiteral("ComboFolders2"));
    folders->setCurrentItem(folders->findItems(QStringLiteral("Saved"), Qt::MatchExactly).value(0));
    ASSERT_TRUE(listed.wait(5000));
    QTreeView *list = pane.parts().list;
    ASSERT_EQ(list->model()->rowCount(), 1);

    BrowserPane &preview = form().browser(2);
    QSignalSpy loaded(&preview, &BrowserPane::documentComplete);
    list->setCurrentIndex(list->model()->index(0, 0));
    ASSERT_TRUE(waitFor([&] { return preview.locationUrl().contains(QStringLiteral("Saved/")) && !preview.isBusy(); }, 10000));

    WebPage &page = preview.document();
    EXPECT_EQ(page.elementById(QStringLiteral("marks")).innerText(), QStringLiteral("untouched"));
    EXPECT_EQ(page.elementById(QStringLiteral("subject")).innerText(), QStringLiteral("Subject:\u00a0") + message.subject);
    EXPECT_EQ(page.elementById(QStringLiteral("replyto")).innerText(), QStringLiteral("Reply-to:\u00a0Ann <ann@example.com>"));
    EXPECT_EQ(connections, 0);

    // The buttons are on for the message shown, and reply from it.
    auto *reply = form().findChild<QPushButton *>(QStringLiteral("CommandReplyNoText"));
    ASSERT_TRUE(reply->isEnabled());
    reply->click();
    EXPECT_TRUE(waitFor(
        [&] {
            try {
                return form().browser(3).document().formField(QStringLiteral("composeform"), QStringLiteral("to")).value()
                    == QStringLiteral("<ann@example.com>");
            } catch (const WebPageError &) {
                return false;
            }
        },
        10000));
    // By now the page would have gone where its refresh points.
    EXPECT_TRUE(preview.locationUrl().startsWith(QStringLiteral("file:")));
    EXPECT_EQ(connections, 0);
}

} // namespace
