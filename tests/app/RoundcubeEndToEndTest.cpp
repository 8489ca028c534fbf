// The program against a real webmail: Roundcube, Dovecot and Postfix of the
// Roundcube lab (scripts/roundcube-lab.sh), started once for this program.
// Everything is reached from the window as the user would, and judged by
// what arrives in the users' Maildirs, not by what the pages show: a mail
// link handed over before sign-in, filled after it and sent (one sent copy
// kept); the inbox check-box range through the list's own selection; a
// message captured from the preview; a reply from the saved list; the
// Calendar tab; a mail merge refused by a changed page, then run.
#include "DemoProgramFixture.h"

#include "addressbook/ui/AddressPane.h"
#include "app/InboxFramesBand.h"
#include "app/MainController.h"
#include "merge/ui/DialogMerge.h"
#include "store/ui/SavedFoldersPane.h"
#include "webmail/ProviderProfile.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QTreeView>

#include <gmock/gmock.h>

#include "LabMail.h"
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
    // The user presses Roundcube's own Send button; the page leaves the
    // compose page once the server has sent the message.
    void pressSend()
    {
        ASSERT_TRUE(runInPane(Pane::Compose, QStringLiteral("document.querySelector('button.send').click(); true")).toBool());
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

    void previewFirstSavedMessage()
    {
        form().selectTab(Tab::SavedFolders);
        SavedFoldersPane &pane = shell().savedFolders();
        auto *folders = child<QListWidget>("ComboFolders2");
        QSignalSpy listed(&pane, &SavedFoldersPane::folderListed);
        folders->setCurrentRow(-1);
        folders->setCurrentItem(folders->findItems(QStringLiteral("Saved"), Qt::MatchExactly).value(0));
        ASSERT_TRUE(listed.wait(5000));
        QTreeView *list = pane.parts().list;
        ASSERT_GT(list->model()->rowCount(), 0);
        QSignalSpy previewed(&form().browser(Pane::Preview), &BrowserPane::documentComplete);
        list->setCurrentIndex(list->model()->index(0, 0));
        ASSERT_TRUE(previewed.wait(10000));
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
        ASSERT_EQ(deliverMail(lab.smtpPort(), {labUser("bob"), {labUser("alice")}, {}, QLatin1String(note),
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

    // A mail merge over three rows, one without an address.
    form().showAddressPane();
    fileDialogs.openAnswers << writeFile(mainPath("addrbooks/lab.csv"),
                                         "\"First Name\",\"Email\"\r\n\"Bob\",\"bob@example.test\"\r\n"
                                         "\"Nobody\",\"\"\r\n\"Alice\",\"alice@example.test\"\r\n");
    shell().addressPane().Open_CSV();
    form().selectTab(Tab::Compose);
    ASSERT_TRUE(waitFor([&] { return compose("_subject").isEmpty() && composeReady(); }, pageTimeoutMs));
    WebPage &page = form().browser(Pane::Compose).document();
    page.formField(QStringLiteral("form"), QStringLiteral("_subject")).setValue(QStringLiteral("Merge for <<First Name>>"));
    page.formField(QStringLiteral("form"), QStringLiteral("_message"))
        .setValue(QStringLiteral("Dear <<First Name>>,\nyour address is <<Email>>."));

    // A page that changed (a renamed field) is refused before anything goes.
    runInPane(Pane::Compose, QStringLiteral("document.querySelector('[name=_subject]').name = '_subject_new'"));
    form().band().mailMergeButton()->click();
    auto *dialog = form().findChild<DialogMerge *>();
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QPushButton *>(QStringLiteral("CommandStart"))->click();
    ASSERT_TRUE(waitFor([&] { return !dialog->isRunning(); }, pageTimeoutMs));
    EXPECT_THAT(boxes.texts().join(u' ').toStdString(), HasSubstr("has no field named \"_subject\""));
    runInPane(Pane::Compose, QStringLiteral("document.querySelector('[name=_subject_new]').name = '_subject'"));

    boxes.shown.clear();
    dialog->findChild<QPushButton *>(QStringLiteral("CommandStart"))->click();
    ASSERT_TRUE(waitFor([&] { return !dialog->isRunning(); }, 4 * pageTimeoutMs));
    const QList<MaildirMessage> toBob = arrived("bob", QStringLiteral("Merge for Bob"));
    const QList<MaildirMessage> toAlice = arrived("alice", QStringLiteral("Merge for Alice"));
    ASSERT_EQ(toBob.size(), 1);
    ASSERT_EQ(toAlice.size(), 1);
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
    // The user's message is back in a compose form.
    EXPECT_TRUE(waitFor([&] { return compose("_subject") == QStringLiteral("Merge for <<First Name>>"); }, pageTimeoutMs))
        << compose("_subject").toStdString();
}

} // namespace
