// The program against a real webmail: Roundcube, Dovecot and Postfix of the
// Roundcube lab (scripts/roundcube-lab.sh), started once for this program.
// Everything is reached from the window as the user would, and judged by
// what arrives in the users' Maildirs, not by what the pages show: a mail
// link handed over before sign-in, filled after it and sent (one sent copy
// kept, none for a send the mail server refuses); the inbox check-box
// range through the list's own selection; a message captured from the
// preview; a reply, a blank reply, a forward and a send again from the
// saved lists, addressed from the book into To, Cc and Bcc; the Calendar
// tab; a template inserted and captured; a mail merge refused by a changed
// page and by an empty body, tested, then run; a message captured from the
// full view, and its sender added to the book.
#include "DemoProgramFixture.h"

#include "addressbook/ui/AddressGrid.h"
#include "addressbook/ui/AddressPane.h"
#include "app/InboxFramesBand.h"
#include "app/MainController.h"
#include "merge/ui/DialogMerge.h"
#include "merge/ui/DialogTemplate.h"
#include "store/ui/SavedFoldersPane.h"
#include "webmail/ProviderProfile.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QToolBar>
#include <QTreeView>

#include <gmock/gmock.h>

#include "LabMail.h"
#include "ModalAnswer.h"
#include "NamedChild.h"
#include "RoundcubeLab.h"
#include "RoundcubeSignIn.h"
#include "TestFiles.h"

using namespace ferrowen;
using namespace ferrowen::testing;
using ::testing::HasSubstr;

namespace {

const auto *const labEnvironment = ::testing::AddGlobalTestEnvironment(new RoundcubeLabEnvironment);

// Roundcube is slower than the demo site: pages load their parts by XHR
// from a PHP server, and the machine may be busy.
constexpr int pageTimeoutMs = 30000;

QString jsonArgument(const QString &text)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact));
}

class RoundcubeEndToEndTest : public DemoProgramFixture
{
protected:
    RoundcubeLab &lab = roundcubeLab();

    QString labUser(const char *user) const { return lab.address(QLatin1String(user)); }

    void loadPane(Pane pane, const QString &address)
    {
        QSignalSpy loaded(&form().browser(pane), &BrowserPane::documentComplete);
        form().browser(pane).navigate(address);
        ASSERT_TRUE(loaded.wait(pageTimeoutMs)) << address.toStdString();
    }

    QString textOf(Pane pane, const QString &id)
    {
        try {
            return form().browser(pane).document().elementById(id).innerText();
        } catch (const WebPageError &) {
            return {};
        }
    }

    QString compose(const char *name) { return field(Pane::Compose, "form", name); }
    bool composeReady()
    {
        return !form().browser(Pane::Compose).isBusy()
            && runInPane(Pane::Compose, QStringLiteral("!!document.querySelector('button.send') && "
                                           "!document.querySelector('button.send').disabled"))
                   .toBool();
    }
    void setCompose(const char *name, const QString &value)
    {
        form().browser(Pane::Compose).document().formField(QStringLiteral("form"), QLatin1String(name)).setValue(value);
    }
    void clickSend()
    {
        // Roundcube asks before it sends an empty body: a box nobody answers here.
        ASSERT_FALSE(compose("_message").trimmed().isEmpty()) << "subject " << compose("_subject").toStdString();
        ASSERT_TRUE(runInPane(Pane::Compose, QStringLiteral("document.querySelector('button.send').click(); true")).toBool());
    }
    // The user presses Roundcube's own Send button; the page leaves the
    // compose page once the server has sent the message.
    void pressSend()
    {
        clickSend();
        EXPECT_TRUE(waitFor([&] { return !form().browser(Pane::Compose).locationUrl().contains(QLatin1String("_action=compose")); },
                            pageTimeoutMs))
            << form().browser(Pane::Compose).locationUrl().toStdString() << "\nTo: " << compose("_to").toStdString()
            << "\nCc: " << compose("_cc").toStdString() << "\nthe page says: "
            << runInPane(Pane::Compose, QStringLiteral("document.getElementById('messagestack').innerText + ' | ' + "
                                           "Array.from(document.querySelectorAll('.ui-dialog')).map(d => d.innerText).join(' | ')"))
                   .toString()
                   .toStdString();
    }

    // A click on the inbox row with that subject: the list listens to the
    // mouse buttons going down and up.
    bool clickRow(const QString &subject)
    {
        return runInPane(Pane::Inbox, QStringLiteral("(function ([subject]) {"
                                           "  const row = Array.from(document.querySelectorAll('#messagelist tr.message'))"
                                           "    .find(r => r.textContent.includes(subject));"
                                           "  if (!row) return false;"
                                           "  for (const type of ['mousedown', 'mouseup'])"
                                           "    row.querySelector('td.subject').dispatchEvent(new MouseEvent(type,"
                                           "      {bubbles: true, cancelable: true, button: 0, view: window}));"
                                           "  return true;"
                                           "})(%1)")
                                .arg(jsonArgument(subject)))
            .toBool();
    }
    int selectedRows() { return runInPane(Pane::Inbox, QStringLiteral("rcmail.message_list.get_selection().length")).toInt(); }

    // The messages with that subject in the user's Maildir, once there are
    // at least `count` of them.
    QList<MaildirMessage> arrived(const char *user, const QString &subject, int count = 1)
    {
        QList<MaildirMessage> found;
        waitFor([&] {
            found.clear();
            for (const MaildirMessage &message : readMaildir(lab.maildir(QLatin1String(user)))) {
                if (message.header(QStringLiteral("Subject")) == subject)
                    found << message;
            }
            return found.size() >= count;
        }, pageTimeoutMs);
        return found;
    }

    qsizetype sentCopies() { return QDir(mainPath("savedmgs/sent")).entryList(QDir::Files).size(); }
    QStringList filesIn(const char *folder) { return QDir(mainPath(folder)).entryList(QDir::Files); }

    void previewFirstSavedMessage(const char *folder = "Saved")
    {
        form().selectTab(Tab::SavedFolders);
        SavedFoldersPane &pane = shell().savedFolders();
        auto *folders = child<QListWidget>("ComboFolders2");
        QSignalSpy listed(&pane, &SavedFoldersPane::folderListed);
        folders->setCurrentRow(-1);
        folders->setCurrentItem(folders->findItems(QLatin1String(folder), Qt::MatchExactly).value(0));
        ASSERT_TRUE(listed.wait(5000));
        QTreeView *list = pane.parts().list;
        ASSERT_GT(list->model()->rowCount(), 0);
        QSignalSpy previewed(&form().browser(Pane::Preview), &BrowserPane::documentComplete);
        list->setCurrentIndex(list->model()->index(0, 0));
        ASSERT_TRUE(previewed.wait(10000));
    }
    // A saved-list action filled Roundcube's compose form with this subject.
    void awaitFilled(const QString &subject)
    {
        ASSERT_TRUE(waitFor([&] { return compose("_subject") == subject && composeReady(); }, pageTimeoutMs))
            << compose("_subject").toStdString();
    }

    // A row of the address book (counted from 1) into a field of the form,
    // by the address toolbar's key.
    void insertFromBook(int row, const char *key)
    {
        AddressPane &pane = shell().addressPane();
        pane.parts().grid->setCurrentCell(row, 0);
        pane.parts().toolbar->findChild<QAction *>(QLatin1String(key))->trigger();
    }

    void withTemplateDialog(std::function<void(DialogTemplate &)> steps)
    {
        answerNextModal<DialogTemplate>(std::move(steps), pageTimeoutMs);
        click("CommandTemplate");
    }
};

TEST_F(RoundcubeEndToEndTest, everyFeatureFromTheWindowReachesTheUsersMaildirs)
{
    // No mail leaves the lab: the SMTP server refuses every other domain.
    EXPECT_THAT(deliverMail(lab.smtpPort(), {labUser("carol"), {QStringLiteral("someone@elsewhere.example")}, {},
                                             QStringLiteral("Out"), QStringLiteral("x"), {}})
                    .toStdString(),
                HasSubstr("Relay access denied"));

    // In by SMTP, decoded back out of alice's Maildir.
    const LabMessage incoming{QStringLiteral("Bob Lab <bob@example.test>"),
                              {labUser("alice")},
                              {labUser("bob")},
                              QStringLiteral("Quarterly figures – für Alice"),
                              QStringLiteral("Dear Alice,\n\nthe café = open.\nA long line: %1\n").arg(QString(90, u'x')),
                              QStringLiteral("<p>Dear <b>Alice</b>,</p><p>the caf\u00e9 is <i>open</i>.</p>")};
    ASSERT_EQ(deliverMail(lab.smtpPort(), incoming), QString());
    for (const char *note : {"Second note", "Third note"}) {
        ASSERT_EQ(deliverMail(lab.smtpPort(), {incoming.from, {labUser("alice")}, {}, QLatin1String(note),
                                               QStringLiteral("A short note."), {}}),
                  QString());
    }
    const QList<MaildirMessage> delivered = arrived("alice", incoming.subject);
    ASSERT_EQ(delivered.size(), 1);
    EXPECT_EQ(delivered[0].header(QStringLiteral("From")), incoming.from);
    EXPECT_EQ(delivered[0].plainBody, incoming.plainBody);
    EXPECT_EQ(delivered[0].htmlBody, incoming.htmlBody);

    // A mail link handed over while the first pane shows the sign-in page
    // waits, and says so.
    loadPane(Pane::Inbox, lab.url().toString());
    const QString linkSubject = QStringLiteral("Link from the desktop – ünïcode");
    ASSERT_TRUE(settings.SetIni(QStringLiteral("Settings"), QStringLiteral("mailto"),
                                QStringLiteral("mailto:") + labUser("bob") + QStringLiteral("?cc=") + labUser("alice")
                                    + QStringLiteral("&subject=Link%20from%20the%20desktop%20%E2%80%93%20"
                                                     "%C3%BCn%C3%AFcode&body=First%20line%0D%0ASecond%20line")));
    ASSERT_TRUE(waitFor([&] { return child<QLabel>("LabelWaiting")->text().contains(QLatin1String("Sign in")); },
                        pageTimeoutMs))
        << child<QLabel>("LabelWaiting")->text().toStdString();

    // Signed in, the link is filled into Roundcube's compose form: its
    // recipient widgets hold what is posted.
    ASSERT_TRUE(signInToRoundcube(form().browser(Pane::Inbox), QStringLiteral("alice"), lab.password(QStringLiteral("alice")),
                                  pageTimeoutMs));
    ASSERT_TRUE(waitFor([&] { return compose("_subject") == linkSubject && composeReady(); }, pageTimeoutMs))
        << compose("_subject").toStdString();
    EXPECT_EQ(form().selectedTab(), Tab::Compose);
    EXPECT_EQ(runInPane(Pane::Compose, QStringLiteral("Array.from(document.querySelectorAll('#compose_cc li.recipient'))"
                                          ".map(li => li.textContent.trim()).join(' ')"))
                  .toString(),
              labUser("alice") + QLatin1Char(','));
    EXPECT_EQ(shell().state().compose.providerKey, RoundcubeKey);

    // Sent with Roundcube's own button; one sent copy is kept.
    form().band().saveSentCheck()->setChecked(true);
    const qsizetype sentCopiesBefore = sentCopies();
    pressSend();
    const QList<MaildirMessage> linked = arrived("bob", linkSubject);
    ASSERT_EQ(linked.size(), 1);
    EXPECT_EQ(linked[0].header(QStringLiteral("To")), labUser("bob"));
    EXPECT_EQ(linked[0].header(QStringLiteral("Cc")), labUser("alice"));
    EXPECT_THAT(linked[0].plainBody.toStdString(), HasSubstr("First line\nSecond line"));
    EXPECT_TRUE(waitFor([&] { return sentCopies() == sentCopiesBefore + 1; }, pageTimeoutMs));
    EXPECT_EQ(sentCopies(), sentCopiesBefore + 1);

    // A send the mail server refuses (no relay) keeps no copy.
    form().selectTab(Tab::InboxLogin);
    form().selectTab(Tab::Compose);
    ASSERT_TRUE(waitFor([&] { return compose("_subject").isEmpty() && composeReady(); }, pageTimeoutMs));
    setCompose("_to", QStringLiteral("someone@elsewhere.example"));
    setCompose("_subject", QStringLiteral("Refused"));
    setCompose("_message", QStringLiteral("Nobody gets this."));
    clickSend();
    EXPECT_TRUE(waitFor([&] { return runInPane(Pane::Compose, QStringLiteral("!!document.querySelector('#messagestack .error')")).toBool(); },
                        pageTimeoutMs));
    EXPECT_TRUE(waitFor([&] { return !shell().sentCopyAwaitsAnswer(); }, pageTimeoutMs));
    EXPECT_EQ(sentCopies(), sentCopiesBefore + 1);
    form().band().saveSentCheck()->setChecked(false);

    // The check-box range ticks through the list's own selection, so the
    // page's Delete and Move act on the rows.
    form().selectTab(Tab::InboxLogin);
    ASSERT_TRUE(waitFor([&] { return textOf(Pane::Inbox, QStringLiteral("messagelist")).contains(QLatin1String("Third note")); },
                        pageTimeoutMs));
    ASSERT_TRUE(runInPane(Pane::Inbox, QStringLiteral("(function () {"
                                            "  const boxes = document.querySelectorAll('#messagelist td.selection input');"
                                            "  boxes[0].click(); boxes[2].click(); return boxes.length >= 3;"
                                            "})()"))
                    .toBool());
    ASSERT_EQ(selectedRows(), 2);
    form().findChild<QAction *>(QStringLiteral("mnuFillCheckedRange"))->trigger();
    EXPECT_TRUE(waitFor([&] { return selectedRows() == 3; }, 5000)) << selectedRows();
    runInPane(Pane::Inbox, QStringLiteral("rcmail.message_list.clear_selection()"));

    // The message shown in the preview is saved with its sender, subject
    // and body.
    ASSERT_TRUE(clickRow(incoming.subject));
    ASSERT_TRUE(waitFor([&] {
        return runInPane(Pane::Inbox, QStringLiteral("(function () { const f = document.getElementById('messagecontframe');"
                                           "  const d = f && f.contentDocument;"
                                           "  return !!(d && d.getElementById('messagebody')"
                                           "            && d.body.textContent.includes('Dear Alice')); })()"))
            .toBool();
    }, pageTimeoutMs));
    form().band().saveMessageButton()->click();
    ASSERT_TRUE(boxes.shown.isEmpty()) << boxes.texts().join(u' ').toStdString();
    const QStringList saved = filesIn("savedmgs/Saved");
    ASSERT_EQ(saved.size(), 1);
    const QString savedText = QString::fromUtf8(fileBytes(mainPath(QStringLiteral("savedmgs/Saved/") + saved[0])));
    EXPECT_THAT(savedText.toStdString(), HasSubstr("bob@example.test"));
    EXPECT_THAT(savedText.toStdString(), HasSubstr("Bob Lab"));
    EXPECT_THAT(savedText.toStdString(), HasSubstr(incoming.subject.toStdString()));
    EXPECT_THAT(savedText.toStdString(), HasSubstr("Dear <b>Alice</b>"));

    // A reply from the saved list, sent through Roundcube, reaches the
    // sender with the message quoted.
    previewFirstSavedMessage();
    click("CommandReplyText");
    const QString replySubject = QStringLiteral("RE: ") + incoming.subject;
    ASSERT_TRUE(waitFor([&] { return compose("_subject") == replySubject && composeReady(); }, pageTimeoutMs))
        << compose("_subject").toStdString();
    EXPECT_THAT(compose("_to").toStdString(), HasSubstr("bob@example.test"));
    pressSend();
    const QList<MaildirMessage> replies = arrived("bob", replySubject);
    ASSERT_EQ(replies.size(), 1);
    EXPECT_THAT(replies[0].plainBody.toStdString(), HasSubstr("> Dear Alice,"));

    // The book the insertions and the merge take their addresses from.
    form().showAddressPane();
    fileDialogs.openAnswers << writeFile(mainPath("addrbooks/lab.csv"),
                                         "\"First Name\",\"Email\"\r\n\"Bob\",\"bob@example.test\"\r\n"
                                         "\"Nobody\",\"\"\r\n\"Alice\",\"alice@example.test\"\r\n");
    shell().addressPane().Open_CSV();

    // A forward, addressed from the book into To and Cc.
    previewFirstSavedMessage();
    click("CommandForward");
    const QString forwardSubject = QStringLiteral("FWD: ") + incoming.subject;
    awaitFilled(forwardSubject);
    insertFromBook(1, "setto");
    insertFromBook(3, "setcc");
    pressSend();
    const QList<MaildirMessage> forwarded = arrived("bob", forwardSubject);
    ASSERT_EQ(forwarded.size(), 1);
    EXPECT_EQ(forwarded[0].header(QStringLiteral("To")), labUser("bob"));
    EXPECT_EQ(forwarded[0].header(QStringLiteral("Cc")), labUser("alice"));
    EXPECT_THAT(forwarded[0].plainBody.toStdString(), HasSubstr("> Dear Alice,"));
    EXPECT_EQ(arrived("alice", forwardSubject).size(), 1);

    // A blank reply, with a blind copy from the book.
    previewFirstSavedMessage();
    click("CommandReplyNoText");
    awaitFilled(replySubject);
    EXPECT_EQ(compose("_message").trimmed(), QString());
    setCompose("_message", QStringLiteral("Thanks, noted."));
    insertFromBook(3, "setbcc");
    pressSend();
    const QList<MaildirMessage> blank = arrived("bob", replySubject, 2);
    ASSERT_EQ(blank.size(), 2);
    EXPECT_EQ(blank[1].plainBody.trimmed(), QStringLiteral("Thanks, noted."));
    const QList<MaildirMessage> blindCopy = arrived("alice", replySubject);
    ASSERT_EQ(blindCopy.size(), 1);
    EXPECT_EQ(blindCopy[0].header(QStringLiteral("Bcc")), QString());

    // The mail link's sent copy sent again, to its To and Cc.
    previewFirstSavedMessage("sent");
    click("CommandSendAgain");
    awaitFilled(linkSubject);
    pressSend();
    const QList<MaildirMessage> again = arrived("bob", linkSubject, 2);
    ASSERT_EQ(again.size(), 2);
    EXPECT_EQ(again[1].header(QStringLiteral("Cc")), labUser("alice"));
    EXPECT_THAT(again[1].plainBody.toStdString(), HasSubstr("First line"));

    // Roundcube has no calendar: the tab says so instead of opening a
    // wrong address.
    form().selectTab(Tab::Calendar);
    EXPECT_TRUE(waitFor([&] {
        try {
            return form().browser(Pane::Calendar).document().bodyText().contains(QLatin1String("Roundcube has no calendar."));
        } catch (const WebPageError &) {
            return false;
        }
    }, pageTimeoutMs));

    // A mail merge over three rows, one without an address. Its subject
    // comes into an empty compose form from a template; its body is left
    // empty at first.
    form().selectTab(Tab::Compose);
    ASSERT_TRUE(waitFor([&] { return compose("_subject").isEmpty() && composeReady(); }, pageTimeoutMs));
    const QString mergeSubject = QStringLiteral("Merge for <<First Name>>");
    const QString mergeBody = QStringLiteral("Dear <<First Name>>,\nyour address is <<Email>>.");
    boxes.answers = {MessageBoxes::Answer::No}; // not saved as a template
    withTemplateDialog([&](DialogTemplate &dialog) {
        namedChild<QLineEdit>(dialog, "Text1")->setText(mergeSubject);
        namedChild<QPushButton>(dialog, "Command4")->click();
    });
    ASSERT_TRUE(waitFor([&] { return compose("_subject") == mergeSubject; }, pageTimeoutMs));

    // Roundcube would stop to ask about the empty body, which nobody could
    // answer: the merge refuses it before anything goes.
    form().band().mailMergeButton()->click();
    auto *dialog = form().findChild<DialogMerge *>();
    ASSERT_NE(dialog, nullptr);
    const auto mergeButton = [&](const char *name) { namedChild<QPushButton>(*dialog, name)->click(); };
    boxes.shown.clear();
    mergeButton("CommandStart");
    ASSERT_TRUE(waitFor([&] { return !dialog->isRunning(); }, pageTimeoutMs));
    EXPECT_THAT(boxes.texts().join(u' ').toStdString(), HasSubstr("(row 1) has no body"));
    setCompose("_message", mergeBody);

    // A page that changed (a renamed field) is refused before anything goes.
    runInPane(Pane::Compose, QStringLiteral("document.querySelector('[name=_subject]').name = '_subject_new'"));
    mergeButton("CommandStart");
    ASSERT_TRUE(waitFor([&] { return !dialog->isRunning(); }, pageTimeoutMs));
    EXPECT_THAT(boxes.texts().join(u' ').toStdString(), HasSubstr("has no field named \"_subject\""));
    runInPane(Pane::Compose, QStringLiteral("document.querySelector('[name=_subject_new]').name = '_subject'"));

    // Test shows the first row's message in the form; Stop Test puts the
    // user's back.
    mergeButton("CommandTest");
    ASSERT_TRUE(waitFor([&] { return !dialog->isRunning() && compose("_subject") == QStringLiteral("Merge for Bob"); },
                        pageTimeoutMs))
        << compose("_subject").toStdString();
    EXPECT_THAT(compose("_to").toStdString(), HasSubstr("bob@example.test"));
    EXPECT_EQ(compose("_message"), QStringLiteral("Dear Bob,\nyour address is bob@example.test."));
    mergeButton("CommandUndoTest");
    ASSERT_TRUE(waitFor([&] { return !dialog->isRunning() && compose("_subject") == mergeSubject; }, pageTimeoutMs))
        << compose("_subject").toStdString();
    EXPECT_EQ(compose("_to"), QString());

    // Roundcube's own refresh (once a minute, slow on a busy server) holds
    // the page busy as the run starts, and the page ignores Send meanwhile:
    // the first message goes once the page is ready again.
    ASSERT_TRUE(runInPane(Pane::Compose, QStringLiteral("(function () {"
                                             "  const lock = rcmail.set_busy(true, 'refreshing');"
                                             "  setTimeout(() => rcmail.set_busy(false, null, lock), 3000);"
                                             "  return rcmail.busy;"
                                             "})()"))
                    .toBool());
    boxes.shown.clear();
    mergeButton("CommandStart");
    ASSERT_TRUE(waitFor([&] { return !dialog->isRunning(); }, 4 * pageTimeoutMs));
    const QList<MaildirMessage> toBob = arrived("bob", QStringLiteral("Merge for Bob"));
    const QList<MaildirMessage> toAlice = arrived("alice", QStringLiteral("Merge for Alice"));
    const std::string mergeLog = namedChild<QPlainTextEdit>(*dialog, "TextSent")->toPlainText().toStdString();
    ASSERT_EQ(toBob.size(), 1) << mergeLog;
    ASSERT_EQ(toAlice.size(), 1) << mergeLog;
    EXPECT_THAT(toBob[0].plainBody.toStdString(), HasSubstr("Dear Bob,\nyour address is bob@example.test."));
    EXPECT_THAT(toAlice[0].plainBody.toStdString(), HasSubstr("Dear Alice,\nyour address is alice@example.test."));
    EXPECT_EQ(toBob[0].header(QStringLiteral("To")), labUser("bob"));
    // Exactly two: nothing for the row without an address, nothing twice.
    int merged = 0;
    for (const char *user : {"alice", "bob"}) {
        for (const MaildirMessage &message : readMaildir(lab.maildir(QLatin1String(user))))
            merged += message.header(QStringLiteral("Subject")).startsWith(QLatin1String("Merge for")) ? 1 : 0;
    }
    EXPECT_EQ(merged, 2);
    // The user's message is back in a compose form, and a template can be
    // taken from it.
    EXPECT_TRUE(waitFor([&] { return compose("_subject") == mergeSubject; }, pageTimeoutMs))
        << compose("_subject").toStdString();
    QString capturedSubject, capturedBody;
    boxes.answers = {MessageBoxes::Answer::No};
    withTemplateDialog([&](DialogTemplate &dialog) {
        namedChild<QPushButton>(dialog, "Command3")->click();
        capturedSubject = namedChild<QLineEdit>(dialog, "Text1")->text();
        capturedBody = namedChild<QPlainTextEdit>(dialog, "Text2")->toPlainText();
        namedChild<QPushButton>(dialog, "CancelButton")->click();
    });
    EXPECT_EQ(capturedSubject, mergeSubject);
    EXPECT_EQ(capturedBody, mergeBody);

    // A message in Roundcube's full view is saved too, and its sender goes
    // into the book.
    form().selectTab(Tab::InboxLogin);
    const QString uid = runInPane(Pane::Inbox, QStringLiteral("(function () {"
                                                    "  const row = Array.from(document.querySelectorAll('#messagelist tr.message'))"
                                                    "    .find(r => r.textContent.includes('Second note'));"
                                                    "  return row ? atob(row.id.slice(6)) : '';"
                                                    "})()"))
                            .toString();
    ASSERT_FALSE(uid.isEmpty());
    loadPane(Pane::Inbox, lab.url().toString() + QStringLiteral("?_task=mail&_mbox=INBOX&_action=show&_uid=") + uid);
    ASSERT_TRUE(waitFor([&] { return textOf(Pane::Inbox, QStringLiteral("messagebody")).contains(QLatin1String("A short note.")); },
                        pageTimeoutMs));
    boxes.shown.clear();
    form().band().saveMessageButton()->click();
    ASSERT_TRUE(boxes.shown.isEmpty()) << boxes.texts().join(u' ').toStdString();
    QStringList fullView;
    for (const QString &name : filesIn("savedmgs/Saved")) {
        if (name.contains(QLatin1String("Second note")))
            fullView << QString::fromUtf8(fileBytes(mainPath(QStringLiteral("savedmgs/Saved/") + name)));
    }
    ASSERT_EQ(fullView.size(), 1);
    EXPECT_THAT(fullView[0].toStdString(), HasSubstr("A short note."));
    EXPECT_THAT(fullView[0].toStdString(), HasSubstr("Bob Lab"));

    shell().addressPane().parts().toolbar->findChild<QAction *>(QStringLiteral("addmsg"))->trigger();
    ASSERT_TRUE(boxes.shown.isEmpty()) << boxes.texts().join(u' ').toStdString();
    const AddressGrid &grid = *shell().addressPane().parts().grid;
    const int added = grid.Rows() - 1;
    EXPECT_EQ(QStringList({grid.TextMatrix(added, 0), grid.TextMatrix(added, 1)}),
              QStringList({QStringLiteral("Bob"), QStringLiteral("bob@example.test")}));
}

} // namespace
