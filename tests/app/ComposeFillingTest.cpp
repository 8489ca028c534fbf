// Addresses from the address book into the compose form, the clearing of
// that form, the sent copies of what is sent from it, and the sender of a
// displayed message into the address book, through the real program
// against the demo webmail site, for both providers.
#include "addressbook/ui/AddressGrid.h"
#include "addressbook/ui/AddressPane.h"
#include "app/InboxFramesBand.h"
#include "app/Shell.h"
#include "app/ShellComposeHost.h"
#include "webmail/ComposePage.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QComboBox>
#include <QPushButton>
#include <QToolBar>

#include <gtest/gtest.h>

#include "BrowserPaneProbe.h"
#include "ProgramWithDemoSite.h"
#include "RunInPage.h"
#include "TestFiles.h"
#include "TypeIntoPane.h"
#include "WaitFor.h"

using namespace ferrowen;
using ferrowen::testing::waitFor;

namespace {

// The site's own names for its compose form, as its pages write them, and
// a message page of it in a language other than English with its sender.
struct SiteCompose
{
    const char *provider;
    const char *form;
    const char *to;
    const char *cc;
    const char *bcc;
    const char *subject;
    const char *body;
    const char *sendButton;
    const char *draftButton; // none: the page saves no drafts
    const char *foreignMessage;
    const char *foreignSender; // first name|last name|address
};

const SiteCompose Yahoo{"yahoo", "Compose", "To", "Cc", "Bcc", "Subj", "Body", "SEND", "SAVEDRAFT",
                        "/yahoo/message?id=2&lang=de", "Bernd|M\u00fcller|bernd.mueller@example.de"};
const SiteCompose Hotmail{"hotmail", "composeform", "to", "cc", "bcc", "subject", "body", "Send", nullptr,
                          "/hotmail/message?id=4&lang=sv", "Sam|Lee|sam@example.com"};

class ComposeFillingTest : public ferrowen::testing::ProgramWithDemoSite, public ::testing::WithParamInterface<SiteCompose>
{
protected:
    void SetUp() override
    {
        ProgramWithDemoSite::SetUp();
        if (HasFatalFailure())
            return;
        form().showAddressPane();
        load(Pane::Inbox, siteAddress(QStringLiteral("/%1/inbox").arg(QLatin1String(GetParam().provider)).toUtf8().constData()));
    }

    AddressPane &pane() { return controller->shell().addressPane(); }
    AddressGrid &grid() { return *pane().parts().grid; }

    void openBook(const QByteArray &text)
    {
        const QString path = ferrowen::testing::writeFile(dir.filePath(QStringLiteral("book.csv")), text);
        fileDialogs.openAnswers << path;
        pane().Open_CSV();
        ASSERT_EQ(pane().currentPath(), path);
    }

    WebElement field(const char *name)
    {
        return form().browser(Pane::Compose).document().formField(QLatin1String(GetParam().form), QLatin1String(name));
    }

    QString fieldValue(const char *name)
    {
        return ferrowen::testing::formFieldValue(form().browser(Pane::Compose).document(), QLatin1String(GetParam().form), QLatin1String(name));
    }

    void openComposeTab()
    {
        form().selectTab(Tab::Compose);
        // The form of the page the tab asked for, not of one it is leaving.
        ASSERT_TRUE(waitFor([&] {
            const BrowserPane &compose = form().browser(Pane::Compose);
            return compose.showsRequestedPage() && !compose.isBusy() && fieldValue(GetParam().to) != QStringLiteral("<no form>");
        }, 10000));
    }

    // Rows of the grid, counted from 1, as a block from `from` to `to`.
    void selectRows(int from, int to)
    {
        grid().setCurrentCell(from, 0);
        const QModelIndex first = grid().model()->index(std::min(from, to) - 1, 0);
        const QModelIndex last = grid().model()->index(std::max(from, to) - 1, 2);
        grid().selectionModel()->select(QItemSelection(first, last), QItemSelectionModel::Select);
    }

    QComboBox *paletteList()
    {
        return form().findChild<QWidget *>(QStringLiteral("FormEmail"))->findChild<QComboBox *>(QStringLiteral("Combo1"));
    }

    void trigger(const char *key) { pane().parts().toolbar->findChild<QAction *>(QLatin1String(key))->trigger(); }

    // Fills the compose form and presses one of the site's buttons (Send
    // unless told), as the user does; returns once the pane shows the page
    // that follows, and, for a send, the site has taken the message.
    void send(const QString &subject, const QString &body, const char *button = nullptr)
    {
        if (form().selectedTab() != Tab::Compose || !form().browser(Pane::Compose).locationUrl().contains(QLatin1String("charset")))
            openComposeTab();
        field(GetParam().to).setValue(QStringLiteral("bo@example.com"));
        field(GetParam().subject).setValue(subject);
        field(GetParam().body).setValue(body);
        const qsizetype sentBefore = site.sentMessages().size() + (button ? 0 : 1);
        QSignalSpy loaded(&form().browser(Pane::Compose), &BrowserPane::documentComplete);
        BrowserPaneProbe::page(form().browser(Pane::Compose))
            ->runJavaScript(QStringLiteral("document.querySelector('input[name=%1]').click()")
                                .arg(QLatin1String(button ? button : GetParam().sendButton)));
        ASSERT_TRUE(waitFor([&] { return site.sentMessages().size() == sentBefore && !loaded.isEmpty(); }, 10000));
    }

    // Types into the compose body as the user does.
    void typeIntoBody(const QString &text)
    {
        BrowserPaneProbe::page(form().browser(Pane::Compose))
            ->runJavaScript(QStringLiteral("Array.from(document.forms).find(f => f.name == '%1').elements['%2'].focus()")
                                .arg(QLatin1String(GetParam().form), QLatin1String(GetParam().body)));
        ASSERT_TRUE(waitFor([&] {
            return ferrowen::testing::runInPage(*BrowserPaneProbe::page(form().browser(Pane::Compose)),
                                                QStringLiteral("document.activeElement && document.activeElement.name == '%1'")
                                                    .arg(QLatin1String(GetParam().body)))
                .toBool();
        }));
        ferrowen::testing::typeIntoPane(form().browser(Pane::Compose), text);
        ASSERT_TRUE(waitFor([&] { return fieldValue(GetParam().body).endsWith(text); }, 5000)) << text.toStdString();
    }

    // The saved copies in "sent", their contents in the order of their names.
    QStringList sentCopies() const
    {
        QStringList copies;
        const QDir folder(mainPath("savedmgs/sent"));
        for (const QString &name : folder.entryList(QDir::Files, QDir::Name))
            copies << QString::fromUtf8(ferrowen::testing::fileBytes(folder.filePath(name)));
        return copies;
    }

    static QString headerLine(const char *id, const char *label, const QString &value)
    {
        return QStringLiteral("<div id=%1><font face=arial size=2><b>%2:&nbsp;</b>%3</font></div>")
            .arg(QLatin1String(id), QLatin1String(label), value);
    }
};

// Where the two mailboxes' pages differ only in their names, which the
// unit tests of the page calls cover for each, one mailbox is enough.
class ComposeFillingOneMailboxTest : public ComposeFillingTest {};

TEST_P(ComposeFillingOneMailboxTest, selectedBlockGoesIntoTo_addingOnlyWhatIsMissing_andThePalettesChoiceToo)
{
    openBook("\"First Name\",\"Last Name\",\"Email\",\"\"\r\n"
             "\"B\",\"\",\"b@example.com\",\"\"\r\n"
             "\"A\",\"\",\"a@example.com\",\"\"\r\n"
             "\"C\",\"\",\"c@example.com\",\"\"\r\n"
             "\"Bob\",\"\",\"bob@example.com\",\"\"\r\n");
    openComposeTab();
    field(GetParam().to).setValue(QStringLiteral("a@example.com"));
    selectRows(3, 1); // selected upwards: still taken top to bottom
    trigger("setto");
    EXPECT_EQ(fieldValue(GetParam().to), QStringLiteral("a@example.com,b@example.com,c@example.com"));

    // bob is not jimbob: he is added.
    field(GetParam().cc).setValue(QStringLiteral("jimbob@example.com"));
    selectRows(4, 4);
    trigger("setcc");
    EXPECT_EQ(fieldValue(GetParam().cc), QStringLiteral("jimbob@example.com,bob@example.com"));

    field(GetParam().to).setValue(QString());
    form().findChild<QPushButton *>(QStringLiteral("CommandTo"))->click();
    ASSERT_TRUE(pane().isPaletteOpen());
    paletteList()->setCurrentIndex(3); // as a user's choice does before it is announced
    Q_EMIT paletteList()->activated(3);
    EXPECT_EQ(fieldValue(GetParam().to), QStringLiteral("bob@example.com"));
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.texts().join(u'\n').toStdString();
}

// Leaves the compose tab for the saved messages, so the compose page is
// loaded again before the address arrives; then empties the form.
TEST_P(ComposeFillingOneMailboxTest, insertionFromTheSavedMessagesTabArrivesOnceTheComposePageHasLoaded_thenClearingEmptiesEveryField)
{
    openBook("\"First Name\",\"Last Name\",\"Email\",\"\"\r\n\"Di\",\"\",\"di@example.com\",\"\"\r\n");
    form().selectTab(Tab::SavedFolders);
    selectRows(1, 1);
    trigger("setbcc");
    EXPECT_EQ(form().selectedTab(), Tab::Compose);
    EXPECT_TRUE(waitFor([&] { return fieldValue(GetParam().bcc) == QStringLiteral("di@example.com"); }, 10000));
    EXPECT_FALSE(controller->shell().state().compose.pendingInsert);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.texts().join(u'\n').toStdString();

    const SiteCompose &site = GetParam();
    for (const char *name : {site.to, site.cc, site.bcc, site.subject, site.body})
        field(name).setValue(QStringLiteral("left over"));
    // A reply's form is kept once.
    controller->shell().state().compose.keepComposeOnce = true;
    ClearComposeForm(controller->shell().compose());
    EXPECT_EQ(fieldValue(site.subject), QStringLiteral("left over"));

    ClearComposeForm(controller->shell().compose());
    for (const char *name : {site.to, site.cc, site.bcc, site.subject, site.body})
        EXPECT_EQ(fieldValue(name), QString()) << name;
    EXPECT_FALSE(form().browser(Pane::Compose).isHidden());
}

TEST_P(ComposeFillingTest, sentMessagesAreKeptInSentWithTheirSubjectsAsTyped_butNotWhileUntickedOrWhileAMergeSends)
{
    send(QStringLiteral("unticked"), QStringLiteral("x"));
    form().band().saveSentCheck()->setChecked(true);
    // The compose page is there when the merge starts: while it sends, the
    // tab's activation leaves the page alone.
    openComposeTab();
    controller->shell().state().MergeInProgress = true;
    send(QStringLiteral("merged"), QStringLiteral("x"));
    EXPECT_EQ(sentCopies(), QStringList());

    controller->shell().state().MergeInProgress = false;
    send(QStringLiteral("Re: Hello+world"), QStringLiteral("line one\r\nline two"));
    ASSERT_TRUE(waitFor([&] { return sentCopies().size() == 1; }, 10000));
    const QString copy = sentCopies().first();
    EXPECT_TRUE(copy.contains(headerLine("subject", "Subject", QStringLiteral("Re: Hello+world")))) << copy.toStdString();
    EXPECT_TRUE(copy.contains(headerLine("from", "From", QStringLiteral("Sent Message"))));
    EXPECT_TRUE(copy.contains(headerLine("to", "To", QStringLiteral("bo@example.com"))));
    EXPECT_TRUE(copy.contains(QStringLiteral("line one<br>\r\nline two</font></div>")));

    const QString greek = QStringLiteral("\u039a\u03b1\u03bb\u03b7\u03bc\u03ad\u03c1\u03b1 \u2014 \u65e5\u672c");
    send(greek, QStringLiteral("x"));
    ASSERT_TRUE(waitFor([&] { return sentCopies().size() == 2; }, 10000));
    // A draft saved is no message sent.
    if (GetParam().draftButton)
        send(QStringLiteral("draft"), QStringLiteral("x"), GetParam().draftButton);
    // An older site's page in windows-1252 posts one byte a letter.
    openComposeTab();
    load(Pane::Compose, siteAddress((QStringLiteral("/%1/compose?charset=windows-1252").arg(QLatin1String(GetParam().provider))).toUtf8().constData()));
    const QString french = QStringLiteral("Caf\u00e9 cr\u00e8me \u20ac5");
    send(french, QStringLiteral("x"));
    ASSERT_TRUE(waitFor([&] { return sentCopies().size() == 3; }, 10000)) << sentCopies().size();
    const QStringList copies = sentCopies();
    EXPECT_TRUE(copies.filter(headerLine("subject", "Subject", greek)).size() == 1) << copies.join(u'\n').toStdString();
    EXPECT_TRUE(copies.filter(headerLine("subject", "Subject", french)).size() == 1) << copies.join(u'\n').toStdString();
    EXPECT_EQ(copies.size(), 3) << "no copy of the draft";
    EXPECT_EQ(site.sentMessages().size(), 5);
    EXPECT_EQ(site.sentMessages().last().subject, french);
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.texts().join(u'\n').toStdString();
}

TEST_P(ComposeFillingTest, senderOfTheDisplayedMessage_joinsTheOpenBook)
{
    openBook("\"First Name\",\"Last Name\",\"Email\",\"\"\r\n\"Di\",\"\",\"di@example.com\",\"\"\r\n");
    pane().showPalette();
    load(Pane::Inbox, siteAddress(GetParam().foreignMessage));
    form().selectTab(Tab::SavedFolders);
    trigger("addmsg");

    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.texts().join(u'\n').toStdString();
    EXPECT_EQ(form().selectedTab(), Tab::InboxLogin);
    ASSERT_EQ(grid().Rows(), 3);
    EXPECT_EQ(QStringList({grid().TextMatrix(2, 0), grid().TextMatrix(2, 1), grid().TextMatrix(2, 2)}).join(u'|'),
              QString::fromUtf8(GetParam().foreignSender));
    EXPECT_EQ(form().statusPanelText(2), QStringLiteral("Addr Added"));
    EXPECT_NE(controller->shell().state().compose.labelVariant, 0);
    ASSERT_TRUE(pane().isPaletteOpen());
    EXPECT_EQ(paletteList()->count(), 2);
}

// A message the user is writing stays: when the tab is shown again, when an
// address is inserted from another tab (at once, with the rows chosen
// then), and when a mail link comes, which the user puts aside and fills
// in later.
TEST_P(ComposeFillingOneMailboxTest, aMessageBeingWrittenIsKept_acrossTabsInsertionsAndALinkPutAside)
{
    openBook("\"First Name\",\"Last Name\",\"Email\",\"\"\r\n\"Di\",\"\",\"di@example.com\",\"\"\r\n");
    openComposeTab();
    typeIntoBody(QStringLiteral("Half written"));
    form().selectTab(Tab::InboxLogin);
    form().selectTab(Tab::Compose);
    form().selectTab(Tab::SavedFolders);
    selectRows(1, 1);
    trigger("setto");
    EXPECT_EQ(form().selectedTab(), Tab::Compose);
    EXPECT_EQ(fieldValue(GetParam().to), QStringLiteral("di@example.com"));
    EXPECT_FALSE(controller->shell().state().compose.pendingInsert) << "nothing left for a later page";
    EXPECT_EQ(fieldValue(GetParam().body), QStringLiteral("Half written"));

    boxes.answers << MessageBoxes::Answer::No;
    ASSERT_TRUE(settings.SetIni(QStringLiteral("Settings"), QStringLiteral("mailto"), QStringLiteral("mailto:bo@example.com?subject=Later")));
    ASSERT_TRUE(waitFor([&] { return form().waitingNoticeText() == QStringLiteral("Put aside: the mail link to bo@example.com."); }, 15000))
        << form().waitingNoticeText().toStdString();
    EXPECT_EQ(fieldValue(GetParam().body), QStringLiteral("Half written"));
    EXPECT_EQ(settings.GetIni(QStringLiteral("Settings"), QStringLiteral("mailto"), {}), QStringLiteral("mailto:bo@example.com?subject=Later"));

    boxes.answers << MessageBoxes::Answer::Yes;
    form().findChild<QPushButton *>(QStringLiteral("CommandFillWaiting"))->click();
    EXPECT_EQ(fieldValue(GetParam().subject), QStringLiteral("Later"));
    EXPECT_EQ(form().waitingNoticeText(), QString());
    EXPECT_TRUE(waitFor([&] { return settings.GetIni(QStringLiteral("Settings"), QStringLiteral("mailto"), QStringLiteral("x")).isEmpty(); }, 5000));
    EXPECT_EQ(boxes.shown.size(), 2) << boxes.texts().join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Providers, ComposeFillingTest, ::testing::Values(Yahoo, Hotmail),
                         [](const auto &info) { return std::string(info.param.provider); });
INSTANTIATE_TEST_SUITE_P(Providers, ComposeFillingOneMailboxTest, ::testing::Values(Yahoo),
                         [](const auto &info) { return std::string(info.param.provider); });

} // namespace
