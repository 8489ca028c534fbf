// Saving the message the inbox pane shows, and the saved messages' preview,
// driven through the real program against the demo webmail site.
#include "addressbook/ui/AddressGrid.h"
#include "addressbook/ui/AddressPane.h"
#include "app/InboxFramesBand.h"
#include "app/Shell.h"
#include "platform/web/PageCallWaits.h"
#include "app/ShellState.h"
#include "store/FolderListing.h"
#include "store/SaveMessage.h"
#include "store/SavedMessage.h"
#include "store/ui/SavedFoldersPane.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolBar>
#include <QAction>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QTreeView>

#include <gtest/gtest.h>

#include <functional>

#include "BrowserPaneProbe.h"
#include "ProgramWithDemoSite.h"
#include "RunInPage.h"
#include "TestFiles.h"
#include "WaitFor.h"

using namespace ferrowen;
using ferrowen::testing::waitFor;

namespace {

class SavedMessagesTest : public ferrowen::testing::ProgramWithDemoSite
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(store()).mkpath(QStringLiteral("Work")));
        ProgramWithDemoSite::SetUp();
    }

    QString store() const { return mainPath("savedmgs"); }
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
        return QString::fromUtf8(ferrowen::testing::fileBytes(QDir(store()).filePath(QLatin1String(folder) + u'/' + message.fileName)));
    }
    // Runs the action once, from inside the first page call that waits
    // for its answer after this (the user acting while the page is read).
    void duringTheNextPageCall(std::function<void()> action)
    {
        auto *poll = new QTimer(&m_pending);
        QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
            if (!PageCallWaits::instance().waiting())
                return;
            poll->deleteLater();
            poll->stop();
            action();
        });
        poll->start(0);
    }
    QObject m_pending;

    QString bodyLine(const QString &content)
    {
        const qsizetype start = content.indexOf(QStringLiteral("<div id=body><font face=arial>\r\n"));
        return start < 0 ? QString() : content.mid(start + 32).chopped(QStringLiteral("</font></div>\r\n").size());
    }
};

TEST_F(SavedMessagesTest, yahooMessagesAreSavedFromAnyTab_withTheRecipientBeforeVia_orThePageTextWithoutABodyElement)
{
    openInbox("/yahoo/message?id=1&view=print");
    saveDisplayedMessage();
    openInbox("/yahoo/message?id=5");
    form().selectTab(Tab::SavedFolders);
    saveDisplayedMessage();

    EXPECT_EQ(form().selectedTab(), Tab::InboxLogin);
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u' ').toStdString();
    const std::vector<ListedMessage> messages = saved("Saved");
    ASSERT_EQ(messages.size(), 2u);
    // The print view: the page text after the last header, its line breaks
    // gaining a <br> as plain text does.
    const QString printed = bodyLine(content("Saved", messages[0]));
    EXPECT_TRUE(printed.startsWith(QStringLiteral("<p><br>\r\n"))) << printed.left(40).toStdString();
    EXPECT_TRUE(printed.contains(QStringLiteral("Are you free for lunch on Thursday?")));
    EXPECT_FALSE(printed.contains(QStringLiteral("Subject:")));

    EXPECT_EQ(columns(messages[1]),
              QStringLiteral("Priya Natarajan  priya@work.example |Release checklist for Friday|team@lists.work.exam...|Wed, 28 Oct 2026"));
    const QString file = content("Saved", messages[1]);
    EXPECT_TRUE(file.contains(QStringLiteral("<b>To:&nbsp;</b>team@lists.work.example</font>")));
    EXPECT_TRUE(file.contains(QStringLiteral("<b>Date:&nbsp;</b>Wed, 28 Oct 2026 11:20:05 +0000</font>")));
    EXPECT_TRUE(bodyLine(file).startsWith(QStringLiteral("Team,<br>\r\n<br>\r\n1. Freeze the branch")));
    EXPECT_FALSE(form().band().messageSavedLabel()->isHidden());
    EXPECT_EQ(form().statusPanelText(2), QStringLiteral("Msg Saved"));
}

// A Hotmail conversation (no reply-to line; the last body element wins),
// then pages in other languages: the version of the labels found is kept,
// also for a reply-to line between From and To.
TEST_F(SavedMessagesTest, hotmailPagesFollowTheirLabels_otherVersionsAreFoundAndKeptForBothProviders)
{
    openInbox("/hotmail/message?id=6");
    saveDisplayedMessage();
    const std::pair<const char *, int> pages[] = {
        {"/yahoo/message?id=2&lang=de", 1}, {"/hotmail/message?id=2&lang=de", 1}, {"/hotmail/message?id=4&lang=sv", 7}};
    for (const auto &[page, variant] : pages) {
        openInbox(page);
        saveDisplayedMessage();
        EXPECT_EQ(controller->shell().state().compose.labelVariant, variant) << page;
    }
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u' ').toStdString();

    const std::vector<ListedMessage> messages = saved("Saved");
    QStringList shown;
    for (const ListedMessage &message : messages)
        shown << columns(message);
    EXPECT_EQ(shown, QStringList({
                         QStringLiteral("Bernd M\u00fcller  bernd.mueller@example.de |Viele Gr\u00fc\u00dfe aus M\u00fcnchen|"
                                        "you@demo.example|Mon, 2 Nov 2026"),
                         QStringLiteral("J\u00fcrgen Wei\u00df  juergen@example.at |Sch\u00f6ne Gr\u00fc\u00dfe aus Wien|"
                                        "you@demo.example|Tue, 3 Nov 2026"),
                         QStringLiteral("Maya Lind  maya@example.org |Re:  Cabin weekend|you@demo.example|Mon, 2 Nov 2026"),
                         QStringLiteral("Sam Lee  sam@example.com |Re:  weekend hike|you@demo.example|Thu, 29 Oct 2026"),
                     }));
    const QString body = bodyLine(content("Saved", messages[2]));
    EXPECT_TRUE(body.startsWith(QStringLiteral("Booked! The cabin is ours")));
    EXPECT_FALSE(body.contains(QStringLiteral("Shall we book")));
}

// Pages as large as real webmail pages (thousands of elements of folder
// trees, hidden menus and offers around the message) give what their small
// pages give: the same saved file, the same sender for the address book.
TEST_F(SavedMessagesTest, largePagesGiveWhatTheirSmallPagesGive)
{
    const auto elements = [this] {
        return ferrowen::testing::runInPage(*ferrowen::BrowserPaneProbe::page(form().browser(Pane::Inbox)),
                                            QStringLiteral("document.getElementsByTagName('*').length")).toInt();
    };
    for (const QString &page : {QStringLiteral("/hotmail/message?id=6"), QStringLiteral("/yahoo/message?id=5")}) {
        openInbox(page.toUtf8().constData());
        saveDisplayedMessage();
        const std::vector<ListedMessage> small = saved("Saved");
        ASSERT_EQ(small.size(), 1u) << page.toStdString();
        const QString smallFile = content("Saved", small[0]);
        ASSERT_TRUE(QFile::remove(QDir(store()).filePath(QStringLiteral("Saved/") + small[0].fileName)));

        openInbox((page + QStringLiteral("&pad=8000")).toUtf8().constData());
        EXPECT_GT(elements(), 8000);
        saveDisplayedMessage();
        const std::vector<ListedMessage> large = saved("Saved");
        ASSERT_EQ(large.size(), 1u) << page.toStdString();
        EXPECT_EQ(content("Saved", large[0]), smallFile) << page.toStdString();
        ASSERT_TRUE(QFile::remove(QDir(store()).filePath(QStringLiteral("Saved/") + large[0].fileName)));
    }
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u' ').toStdString();

    form().showAddressPane();
    AddressPane &addresses = controller->shell().addressPane();
    fileDialogs.openAnswers << ferrowen::testing::writeFile(dir.filePath(QStringLiteral("book.csv")),
                                                            "\"First Name\",\"Last Name\",\"Email\",\"\"\r\n");
    addresses.Open_CSV();
    for (const char *page : {"/hotmail/message?id=4&lang=sv", "/hotmail/message?id=4&lang=sv&pad=8000"}) {
        openInbox(page);
        addresses.AddSenderAddress();
    }
    const AddressGrid &grid = *addresses.parts().grid;
    ASSERT_EQ(grid.Rows(), 3);
    for (int row : {1, 2}) {
        EXPECT_EQ(QStringList({grid.TextMatrix(row, 0), grid.TextMatrix(row, 1), grid.TextMatrix(row, 2)}).join(u'|'),
                  QStringLiteral("Sam|Lee|sam@example.com"));
    }
}

TEST_F(SavedMessagesTest, startUpListsTheFoldersAndChoosesTheFirst_nothingToSaveSaysSoAndWritesNothing)
{
    QComboBox *folders = form().band().folderCombo();
    QStringList entries;
    for (int i = 0; i < folders->count(); ++i)
        entries << folders->itemText(i);
    EXPECT_EQ(entries, QStringList({QStringLiteral("Saved"), QStringLiteral("sent"), QStringLiteral("Work")}));
    EXPECT_EQ(folders->currentIndex(), 0);

    // After a save, a page that is no message: the window no longer says saved.
    openInbox("/yahoo/message?id=1");
    folders->setCurrentIndex(folders->findText(QStringLiteral("Work")));
    saveDisplayedMessage();
    ASSERT_EQ(saved("Work").size(), 1u);
    openInbox("/yahoo/inbox");
    saveDisplayedMessage();
    EXPECT_TRUE(form().band().messageSavedLabel()->isHidden());
    EXPECT_EQ(form().statusPanelText(2), QStringLiteral("Msg Not Saved"));
    openInbox("/yahoo/message?id=1");
    folders->setCurrentIndex(folders->findText(QStringLiteral("sent")));
    saveDisplayedMessage();
    folders->setCurrentIndex(-1);
    saveDisplayedMessage();

    EXPECT_EQ(boxes.texts(), QStringList({QStringLiteral("Unable to read message. Are you sure a message is displayed?"),
                                          QStringLiteral("You cannot save incoming messages to the Sent Messages Folder."),
                                          QStringLiteral("You must select a folder to save the message to")}));
    for (const char *folder : {"Saved", "sent"})
        EXPECT_TRUE(saved(folder).empty()) << folder;
    EXPECT_EQ(saved("Work").size(), 1u);
    EXPECT_TRUE(form().band().messageSavedLabel()->isHidden());
    EXPECT_EQ(form().statusPanelText(2), QStringLiteral("Msg Not Saved"));
}

// The user goes on working while a save reads the page: what the window,
// the panes and the dialogs start then runs after the save, never inside
// it, and is not lost; the save keeps the folder chosen when it was asked
// for, an insertion the addresses; a closed window goes once the save is
// done.
TEST_F(SavedMessagesTest, workStartedWhileASaveReadsThePageRunsAfterIt_theSaveKeepsItsFolder_closingWaitsForIt)
{
    QComboBox *folders = form().band().folderCombo();
    const auto choose = [folders](const char *folder) { folders->setCurrentIndex(folders->findText(QLatin1String(folder))); };
    const auto savedCount = [this] { return saved("Saved").size() + saved("Work").size(); };

    // A second save, asked for in another folder.
    openInbox("/hotmail/message?id=6");
    std::size_t savedMeanwhile = 99;
    duringTheNextPageCall([&] {
        choose("Work");
        saveDisplayedMessage();
        savedMeanwhile = savedCount();
    });
    saveDisplayedMessage();
    EXPECT_EQ(savedMeanwhile, 0u);
    ASSERT_TRUE(waitFor([&] { return saved("Work").size() == 1; }, 10000));
    ASSERT_EQ(saved("Saved").size(), 1u);
    EXPECT_EQ(content("Work", saved("Work")[0]), content("Saved", saved("Saved")[0]));
    EXPECT_TRUE(bodyLine(content("Work", saved("Work")[0])).startsWith(QStringLiteral("Booked! The cabin is ours")));

    // A tab change: the panes switch at once, the compose page comes after.
    openInbox("/hotmail/message?id=2");
    bool composeAskedForMeanwhile = true;
    duringTheNextPageCall([&] {
        form().selectTab(Tab::Compose);
        composeAskedForMeanwhile = !form().browser(Pane::Compose).showsRequestedPage();
    });
    saveDisplayedMessage();
    EXPECT_FALSE(composeAskedForMeanwhile);
    EXPECT_EQ(form().selectedTab(), Tab::Compose);
    EXPECT_EQ(savedCount(), 3u);
    EXPECT_TRUE(waitFor([&] { return form().browser(Pane::Compose).locationUrl().contains(QStringLiteral("/hotmail/compose")); }, 10000));

    // The panes' and dialogs' own buttons that reach a page: each runs after
    // the save, whose message is still saved, and keeps what was chosen at
    // its click.
    SavedFoldersPane &savedPane = controller->shell().savedFolders();
    AddressPane &addresses = controller->shell().addressPane();
    AddressGrid &grid = *addresses.parts().grid;
    const auto tool = [&](const char *key) { return addresses.parts().toolbar->findChild<QAction *>(QLatin1String(key)); };
    const auto mergeButton = [this](const char *name) {
        QWidget *dialog = form().findChild<QWidget *>(QStringLiteral("DialogMerge"));
        return dialog ? dialog->findChild<QPushButton *>(QLatin1String(name)) : nullptr;
    };
    const auto merging = [this] { return controller->shell().state().MergeInProgress; };
    const auto to = [this] { return field(Pane::Compose, "composeform", "to"); };
    QWidget *editorPanel = child<QWidget>("PictureBlog");
    const struct
    {
        const char *name;
        std::function<void()> prepare; // before the save
        std::function<void()> click;   // while it waits for the page
        std::function<bool()> done;    // the button's work is done
    } rows[] = {
        {"Reply",
         [&] {
             form().selectTab(Tab::SavedFolders);
             QSignalSpy listed(&savedPane, &SavedFoldersPane::folderListed);
             auto *list = form().findChild<QListWidget *>(QStringLiteral("ComboFolders2"));
             list->setCurrentItem(list->findItems(QStringLiteral("Work"), Qt::MatchExactly).value(0));
             ASSERT_TRUE(listed.wait(5000));
             savedPane.parts().list->setCurrentIndex(savedPane.parts().list->model()->index(0, 0));
             ASSERT_TRUE(waitFor([&] { return form().browser(Pane::Preview).showsRequestedPage(); }, 10000));
         },
         [&] { child<QPushButton>("CommandReplyText")->click(); },
         [&] { return form().selectedTab() == Tab::Compose && to().contains(QStringLiteral("juergen@example.at")); }},
        {"Insert into To, another row chosen meanwhile",
         [&] {
             form().showAddressPane();
             fileDialogs.openAnswers << ferrowen::testing::writeFile(
                 dir.filePath(QStringLiteral("book.csv")), "\"First Name\",\"Email\",\"\"\r\n\"Ann\",\"ann@example.com\",\"\"\r\n"
                                                           "\"Bob\",\"bob@example.com\",\"\"\r\n");
             addresses.Open_CSV();
             grid.setCurrentCell(1, 1);
         },
         [&] {
             tool("setto")->trigger();
             grid.setCurrentCell(2, 1);
         },
         [&] {
             return form().selectedTab() == Tab::Compose && to().contains(QStringLiteral("ann@example.com"))
                 && !to().contains(QStringLiteral("bob@example.com"));
         }},
        {"Add Sender of Displayed Message", nullptr, [&] { tool("addmsg")->trigger(); },
         [&] { return grid.Rows() == 4 && grid.TextMatrix(3, 1) == QStringLiteral("maya@example.org"); }},
        {"Edit HTML Source",
         [&] {
             form().placeEditorOverFirstPane();
             ASSERT_TRUE(form().isEditorPlaceShown());
         },
         [&] { child<QRadioButton>("CheckHTMLSource")->click(); },
         [&] { return editorPanel->isHidden(); }},
        {"Merge Test",
         [&] {
             child<QRadioButton>("CheckNormal")->click();
             form().band().mailMergeButton()->click();
             ASSERT_TRUE(mergeButton("CommandTest"));
         },
         [&] { mergeButton("CommandTest")->click(); },
         [&] { return merging() || mergeButton("CommandUndoTest")->isEnabled(); }},
        {"Merge Stop Test",
         [&] { ASSERT_TRUE(waitFor([&] { return mergeButton("CommandUndoTest")->isEnabled() && !merging(); }, 10000)); },
         [&] { mergeButton("CommandUndoTest")->click(); },
         [&] { return merging() || mergeButton("CommandTest")->isEnabled(); }},
    };
    choose("Saved");
    for (const auto &row : rows) {
        for (const ListedMessage &message : saved("Saved"))
            ASSERT_TRUE(QFile::remove(QDir(store()).filePath(QStringLiteral("Saved/") + message.fileName)));
        openInbox("/hotmail/message?id=6");
        if (row.prepare)
            row.prepare();
        bool doneMeanwhile = true;
        duringTheNextPageCall([&] {
            row.click();
            doneMeanwhile = row.done();
        });
        saveDisplayedMessage();
        EXPECT_FALSE(doneMeanwhile) << row.name;
        EXPECT_EQ(saved("Saved").size(), 1u) << row.name;
        EXPECT_TRUE(waitFor(row.done, 10000)) << row.name;
    }
    // The test's message to the first address made way for the one before.
    EXPECT_TRUE(waitFor([&] { return !merging() && !to().contains(QStringLiteral("ann@example.com")); }, 10000))
        << to().toStdString();

    // Closing the window.
    form().selectTab(Tab::InboxLogin);
    openInbox("/hotmail/message?id=4");
    QSignalSpy closing(&form(), &MainForm::closing);
    bool openMeanwhile = false;
    duringTheNextPageCall([&] {
        form().close();
        openMeanwhile = form().isVisible() && closing.isEmpty();
    });
    saveDisplayedMessage();
    EXPECT_TRUE(openMeanwhile);
    EXPECT_EQ(saved("Saved").size(), 2u);
    EXPECT_TRUE(waitFor([&] { return !form().isVisible(); }, 10000));
    EXPECT_EQ(closing.size(), 1);
    EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join(u' ').toStdString();
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

    openInbox("/hotmail/inbox");
    form().selectTab(Tab::SavedFolders);
    SavedFoldersPane &pane = controller->shell().savedFolders();
    QSignalSpy listed(&pane, &SavedFoldersPane::folderListed);
    auto *folders = form().findChild<QListWidget *>(QStringLiteral("ComboFolders2"));
    folders->setCurrentItem(folders->findItems(QStringLiteral("Saved"), Qt::MatchExactly).value(0));
    ASSERT_TRUE(listed.wait(5000));
    QTreeView *list = pane.parts().list;
    ASSERT_EQ(list->model()->rowCount(), 1);

    BrowserPane &preview = form().browser(Pane::Preview);
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
    EXPECT_TRUE(waitFor([&] { return field(Pane::Compose, "composeform", "to") == QStringLiteral("<ann@example.com>"); }, 10000));
    // By now the page would have gone where its refresh points.
    EXPECT_TRUE(preview.locationUrl().startsWith(QStringLiteral("file:")));
    EXPECT_EQ(connections, 0);
}

} // namespace
