// The mail merge through the real program and the demo site: personalised
// messages to every address (the site's sent listing shows exactly those)
// and a refused one logged, a test filling and the dialog closed after it,
// Stop during a run with the dialog closed and shown again, a compose page
// the merge cannot use; a run cut short by the program's end and resumed
// without sending anyone the message twice; the pause between messages.
#include "DemoProgramFixture.h"

#include "addressbook/ui/AddressGrid.h"
#include "addressbook/ui/AddressPane.h"
#include "app/InboxFramesBand.h"
#include "merge/MergeJournal.h"
#include "merge/MergeRun.h"
#include "merge/ui/DialogMerge.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

// One provider's compose page on the demo site, with its own names.
struct Mailbox
{
    const char *key;
    const char *form;
    const char *to;
    const char *subject;
    const char *body;
    // For a run cut short: the row (1 for the first) whose answer is late.
    int slowRow = 0;
};

void PrintTo(const Mailbox &mailbox, std::ostream *os)
{
    *os << mailbox.key;
}

const QString Subject = QStringLiteral("Offer for <<First Name>>");
const QString Body = QStringLiteral("Dear <<first name>> <<Last Name>>,\nyour address is <<Email>>.");

class MailMergeEndToEndTest : public DemoProgramFixture, public ::testing::WithParamInterface<Mailbox>
{
protected:
    void openBook(const QByteArray &text)
    {
        const QString path = dir.filePath(QStringLiteral("merge.csv"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        form().showAddressPane();
        fileDialogs.openAnswers << path;
        shell().addressPane().Open_CSV();
        ASSERT_EQ(shell().addressPane().currentPath(), path);
    }
    AddressGrid &grid() { return *shell().addressPane().parts().grid; }

    QString compose(const char *role) { return field(3, GetParam().form, role); }
    // The user writes the message to merge in the site's compose page.
    void writeMessage()
    {
        open((QStringLiteral("/") + QLatin1String(GetParam().key) + QStringLiteral("/inbox")).toLatin1().constData());
        form().selectTab(2);
        ASSERT_TRUE(waitFor([&] { return compose(GetParam().subject) == QString(); }, 10000));
        WebPage &page = form().browser(3).document();
        page.formField(QLatin1String(GetParam().form), QLatin1String(GetParam().subject)).setValue(Subject);
        page.formField(QLatin1String(GetParam().form), QLatin1String(GetParam().body)).setValue(Body);
    }

    DialogMerge *openMergeDialog()
    {
        form().band().mailMergeButton()->click();
        auto *dialog = form().findChild<DialogMerge *>();
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    template<typename W = QPushButton>
    static W *in(DialogMerge *dialog, const char *name)
    {
        W *found = dialog->findChild<W *>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    bool finished(DialogMerge *dialog) { return waitFor([dialog] { return !dialog->isRunning(); }, 30000); }
    // Test, Stop Test, Start, Stop.
    QList<bool> buttons(DialogMerge *dialog)
    {
        QList<bool> enabled;
        for (const char *name : {"CommandTest", "CommandUndoTest", "CommandStart", "CommandStop"})
            enabled << in(dialog, name)->isEnabled();
        return enabled;
    }
    void expectUsersMessageBack()
    {
        EXPECT_EQ(compose(GetParam().to), QString());
        EXPECT_EQ(compose(GetParam().subject), Subject);
        EXPECT_EQ(compose(GetParam().body), Body);
    }
    QStringList sentTo()
    {
        QStringList to;
        for (const SentMessage &message : site.sentMessages())
            to << message.to;
        return to;
    }
};

const QList<bool> Idle{true, false, true, false};

TEST_P(MailMergeEndToEndTest, sendsOnePersonalisedMessagePerAddressAndPutsTheMessageBack)
{
    openBook("\"First Name\",\"Last Name\",\"Email\",\"\"\r\n"
             "\"Cy\",\"Ode\",\"cy@example.com\",\"\"\r\n"
             "\"Bob\",\"Nil\",\"\",\"\"\r\n"
             "\"Ann\",\"Lee <<Email>>\",\"ann@example.com\",\"\"\r\n"
             "\"Di\",\"Nay\",\"di@refused.example\",\"\"\r\n");
    // Sorted by the first names: their header shows the sort marker.
    Q_EMIT grid().headerPressed(0);
    writeMessage();
    // Sent copies are not kept for merged messages.
    form().band().saveSentCheck()->setChecked(true);
    // Sorting the other way during the run changes nothing of it.
    QObject::connect(&site, &DemoWebmailSite::messageSent, pending.get(), [this] { Q_EMIT grid().headerPressed(0); });

    DialogMerge *dialog = openMergeDialog();
    ASSERT_NE(dialog, nullptr);
    in(dialog, "CommandStart")->click();
    EXPECT_TRUE(shell().state().MergeInProgress);
    ASSERT_TRUE(finished(dialog));

    const QList<SentMessage> sent = site.sentMessages();
    ASSERT_EQ(sent.size(), 2) << sentTo().join(u' ').toStdString();
    EXPECT_EQ(sent[0].to, QStringLiteral("ann@example.com"));
    EXPECT_EQ(sent[0].subject, QStringLiteral("Offer for Ann"));
    EXPECT_EQ(sent[0].body, QStringLiteral("Dear Ann Lee <<Email>>,\r\nyour address is ann@example.com."));
    EXPECT_EQ(sent[1].to, QStringLiteral("cy@example.com"));
    EXPECT_EQ(sent[1].subject, QStringLiteral("Offer for Cy"));
    EXPECT_EQ(in<QLabel>(dialog, "LabelNumSent")->text(), QStringLiteral("Emails Sent: 2"));
    // The refused address is logged and the run goes on.
    EXPECT_EQ(in<QPlainTextEdit>(dialog, "TextSent")->toPlainText(),
              QStringLiteral("ann@example.com: sent\nRow 2: skipped: no address\ncy@example.com: sent\n"
                             "di@refused.example: failed: the site answered with an error page (HTTP 403)"));
    EXPECT_EQ(in<QLabel>(dialog, "LabelSummary")->text(),
              QStringLiteral("2 messages sent, 1 failed, 1 row skipped: no address. 1 row not sent: Resume sends them."));
    EXPECT_EQ(buttons(dialog), Idle);
    EXPECT_FALSE(shell().state().MergeInProgress);
    expectUsersMessageBack();
    ASSERT_EQ(boxes.shown.size(), 1) << boxes.texts().join(u' ').toStdString();
    EXPECT_TRUE(boxes.shown[0].text.startsWith(QLatin1String("3 messages will be sent"))) << boxes.shown[0].text.toStdString();
    EXPECT_TRUE(QDir(mainPath(QStringLiteral("savedmgs/sent"))).entryList(QDir::Files).isEmpty());

    // The site's own listing shows exactly those.
    load(4, siteAddress((QStringLiteral("/") + QLatin1String(GetParam().key) + QStringLiteral("/sent")).toLatin1().constData()));
    EXPECT_EQ(runInPane(4, QStringLiteral("document.querySelectorAll('li.sentmsg').length")).toInt(), 2);
    const QString listing = form().browser(4).document().bodyText();
    EXPECT_TRUE(listing.contains(QLatin1String("Offer for Ann")) && listing.contains(QLatin1String("Offer for Cy")));
}

TEST_P(MailMergeEndToEndTest, testFillsTheFirstAddressWithoutSendingAndStopTestPutsTheMessageBack)
{
    openBook("\"First Name\",\"Last Name\",\"Email\",\"\"\r\n"
             "\"Ann\",\"Lee\",\"ann@example.com\",\"\"\r\n"
             "\"Cy\",\"Ode\",\"cy@example.com\",\"\"\r\n");
    writeMessage();
    DialogMerge *dialog = openMergeDialog();
    ASSERT_NE(dialog, nullptr);

    in(dialog, "CommandTest")->click();
    ASSERT_TRUE(finished(dialog));
    EXPECT_EQ(compose(GetParam().to), QStringLiteral("ann@example.com"));
    EXPECT_EQ(compose(GetParam().subject), QStringLiteral("Offer for Ann"));
    EXPECT_EQ(buttons(dialog), (QList<bool>{false, true, false, false}));
    EXPECT_FALSE(shell().state().MergeInProgress);

    in(dialog, "CommandUndoTest")->click();
    ASSERT_TRUE(finished(dialog));
    expectUsersMessageBack();
    EXPECT_EQ(buttons(dialog), Idle);

    // Closed after a Test and opened again: the user's message is back.
    in(dialog, "CommandTest")->click();
    ASSERT_TRUE(finished(dialog));
    ASSERT_EQ(compose(GetParam().subject), QStringLiteral("Offer for Ann"));
    in(dialog, "CancelButton")->click();
    ASSERT_TRUE(waitFor([&] { return compose(GetParam().subject) == Subject; }, 10000));
    expectUsersMessageBack();
    dialog = openMergeDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(buttons(dialog), Idle);

    // Only the selected addresses: the selection's first row, here the
    // second address of the book.
    grid().setCurrentCell(2, 0);
    in<QRadioButton>(dialog, "Option1")->setChecked(true);
    in(dialog, "CommandTest")->click();
    ASSERT_TRUE(finished(dialog));
    EXPECT_EQ(compose(GetParam().to), QStringLiteral("cy@example.com"));
    EXPECT_EQ(compose(GetParam().subject), QStringLiteral("Offer for Cy"));
    EXPECT_TRUE(site.sentMessages().isEmpty());
}

TEST_P(MailMergeEndToEndTest, stopDuringARunSendsNothingMoreAndCountsWhatWent)
{
    QByteArray book = "\"First Name\",\"Last Name\",\"Email\",\"\"\r\n";
    for (const char *first : {"Ann", "Bea", "Cy", "Di", "Ed"})
        book += QByteArray("\"") + first + "\",\"X\",\"" + QByteArray(first).toLower() + "@example.com\",\"\"\r\n";
    openBook(book);
    writeMessage();
    DialogMerge *dialog = openMergeDialog();
    ASSERT_NE(dialog, nullptr);
    QPushButton *stop = in(dialog, "CommandStop");
    // Stop as soon as the site has the first message.
    QObject::connect(&site, &DemoWebmailSite::messageSent, pending.get(), [stop] { stop->click(); });

    in(dialog, "CommandStart")->click();
    // Closed during the run, it only hides; "&Mail Merge..." shows it again.
    in(dialog, "CancelButton")->click();
    EXPECT_TRUE(dialog->isHidden());
    EXPECT_TRUE(dialog->isRunning());
    EXPECT_EQ(openMergeDialog(), dialog);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(stop->isEnabled());

    ASSERT_TRUE(finished(dialog));
    EXPECT_EQ(sentTo(), QStringList{QStringLiteral("ann@example.com")});
    EXPECT_EQ(in<QLabel>(dialog, "LabelNumSent")->text(), QStringLiteral("Emails Sent: 1"));
    EXPECT_EQ(in<QPlainTextEdit>(dialog, "TextSent")->toPlainText(), QStringLiteral("ann@example.com: sent"));
    EXPECT_EQ(buttons(dialog), Idle);
    EXPECT_FALSE(shell().state().MergeInProgress);
    expectUsersMessageBack();
    EXPECT_EQ(boxes.shown.size(), 1) << boxes.texts().join(u' ').toStdString();
}

TEST_P(MailMergeEndToEndTest, theRichTextComposePageIsRefusedBeforeAnythingIsWritten)
{
    openBook("\"First Name\",\"Last Name\",\"Email\",\"\"\r\n\"Ann\",\"Lee\",\"ann@example.com\",\"\"\r\n");
    open((QStringLiteral("/") + QLatin1String(GetParam().key) + QStringLiteral("/inbox")).toLatin1().constData());
    form().selectTab(2);
    ASSERT_TRUE(waitFor([&] { return compose(GetParam().subject) == QString(); }, 10000));
    load(3, siteAddress((QStringLiteral("/") + QLatin1String(GetParam().key) + QStringLiteral("/compose-rich")).toLatin1().constData()));
    DialogMerge *dialog = openMergeDialog();
    ASSERT_NE(dialog, nullptr);

    in(dialog, "CommandStart")->click();
    ASSERT_TRUE(finished(dialog));

    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].text.startsWith(MergeRun::ErrorText)) << boxes.shown[0].text.toStdString();
    EXPECT_TRUE(boxes.shown[0].text.contains(QLatin1String("no form named"))) << boxes.shown[0].text.toStdString();
    EXPECT_FALSE(shell().state().MergeInProgress);
    EXPECT_EQ(buttons(dialog), Idle);
    EXPECT_TRUE(site.sentMessages().isEmpty());
    EXPECT_EQ(field(3, "RTEcompose", "rcpt"), QString());
    EXPECT_TRUE(form().browser(3).locationUrl().endsWith(QLatin1String("/compose-rich")));
}

// Yahoo's mailbox only: what is tried here does not depend on the provider.
class MailMergeResumeTest : public MailMergeEndToEndTest
{
protected:
    // 30 people; the one at `slowRow` (1 for the first) has an address the
    // site answers only 20 seconds after it took the message.
    void openBookOf30(int slowRow)
    {
        QByteArray book = "\"First Name\",\"Last Name\",\"Email\",\"\"\r\n";
        for (int i = 1; i <= 30; ++i)
            book += QStringLiteral("\"P%1\",\"X\",\"p%1@%2\",\"\"\r\n")
                        .arg(i)
                        .arg(i == slowRow ? QStringLiteral("slow.example") : QStringLiteral("example.com"))
                        .toUtf8();
        openBook(book);
    }
    QMap<QString, int> messagesPerAddress()
    {
        QMap<QString, int> count;
        for (const SentMessage &message : site.sentMessages())
            ++count[message.to];
        return count;
    }
};

// Where the program's end lands: after about ten answers, or while the site
// holds a message whose answer has not come (the row is then offered, and
// skipped here).
class MailMergeCutShortTest : public MailMergeResumeTest
{
};

TEST_P(MailMergeCutShortTest, resumedAfterTheProgramsEndSendsEveryAddressExactlyOneMessage)
{
    const bool betweenSubmitAndAnswer = GetParam().slowRow > 0;
    openBookOf30(GetParam().slowRow);
    writeMessage();
    DialogMerge *dialog = openMergeDialog();
    ASSERT_NE(dialog, nullptr);
    in(dialog, "CommandStart")->click();
    const QString journalPath = dialog->run().journalPath();
    // The end lands while the site holds the 11th message unanswered, or
    // when ten are answered and none is on its way.
    ASSERT_TRUE(waitFor(
        [&] {
            if (betweenSubmitAndAnswer)
                return site.sentMessages().size() >= 11;
            const auto journal = readMergeJournal(journalPath);
            return journal.ok() && journal->doneCount() >= 10 && journal->inDoubt().isEmpty();
        },
        60000));
    ASSERT_TRUE(dialog->isRunning());
    restartProgram();
    const qsizetype sentBefore = site.sentMessages().size();

    const QString book = dir.filePath(QStringLiteral("merge.csv"));
    fileDialogs.openAnswers << book;
    form().showAddressPane();
    shell().addressPane().Open_CSV();
    open("/yahoo/inbox");
    form().selectTab(2);
    ASSERT_TRUE(waitFor([&] { return compose("Subj") == QString(); }, 10000));
    dialog = openMergeDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_FALSE(in(dialog, "CommandResume")->isHidden());
    EXPECT_TRUE(in<QLabel>(dialog, "LabelResume")->text().contains(QStringLiteral("of 30 rows done")));
    boxes.shown.clear();
    boxes.answers = {MessageBoxes::Answer::Yes};
    if (betweenSubmitAndAnswer)
        boxes.answers.prepend(MessageBoxes::Answer::No); // not sent again
    in(dialog, "CommandResume")->click();
    ASSERT_TRUE(finished(dialog));

    if (betweenSubmitAndAnswer) {
        ASSERT_EQ(boxes.shown.size(), 2) << boxes.texts().join(u' ').toStdString();
        EXPECT_TRUE(boxes.shown[0].text.contains(QLatin1String("row 11: p11@slow.example")));
    }
    const QMap<QString, int> received = messagesPerAddress();
    EXPECT_EQ(received.size(), 30);
    for (auto it = received.cbegin(); it != received.cend(); ++it)
        EXPECT_EQ(it.value(), 1) << it.key().toStdString();
    EXPECT_EQ(site.sentMessages().size(), 30);
    EXPECT_GT(site.sentMessages().size(), sentBefore);
    EXPECT_EQ(site.sentMessages().last().subject, QStringLiteral("Offer for P30"));

    // The journal and the saved results agree with the site.
    const auto journal = readMergeJournal(journalPath);
    ASSERT_TRUE(journal.ok());
    EXPECT_EQ(journal->doneCount(), 30);
    EXPECT_TRUE(journal->inDoubt().isEmpty());
    fileDialogs.saveAnswers << dir.filePath(QStringLiteral("results.csv"));
    in(dialog, "CommandSaveResults")->click();
    QFile results(dir.filePath(QStringLiteral("results.csv")));
    ASSERT_TRUE(results.open(QIODevice::ReadOnly));
    const QByteArray csv = results.readAll();
    EXPECT_EQ(csv.count("\",\"sent ("), betweenSubmitAndAnswer ? 29 : 30) << csv.constData();
    EXPECT_EQ(csv.count("\",\"skipped: a message may already have gone out"), betweenSubmitAndAnswer ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Moments, MailMergeCutShortTest,
                         ::testing::Values(Mailbox{"yahoo", "Compose", "To", "Subj", "Body", 0},
                                           Mailbox{"yahoo", "Compose", "To", "Subj", "Body", 11}),
                         [](const auto &info) {
                             return std::string(info.param.slowRow ? "betweenSubmitAndAnswer" : "afterAnAnswer");
                         });

class MailMergePaceTest : public MailMergeResumeTest
{
};

TEST_P(MailMergePaceTest, aPauseSpacesTheMessagesAndStopDuringAPauseEndsTheRun)
{
    openBookOf30(0);
    writeMessage();
    DialogMerge *dialog = openMergeDialog();
    ASSERT_NE(dialog, nullptr);
    in<QSpinBox>(dialog, "SpinPause")->setValue(1);
    in<QSpinBox>(dialog, "SpinStopAfter")->setValue(10);
    EXPECT_EQ(settings.GetIni(QStringLiteral("Settings"), QStringLiteral("merge pause"), QString()), QStringLiteral("1"));
    QElapsedTimer clock;
    QList<qint64> arrivals;
    QObject::connect(&site, &DemoWebmailSite::messageSent, pending.get(), [&] { arrivals << clock.elapsed(); });
    clock.start();
    in(dialog, "CommandStart")->click();
    ASSERT_TRUE(finished(dialog));
    ASSERT_EQ(arrivals.size(), 10);
    // Nine pauses of a second between the first message and the tenth.
    EXPECT_GE(arrivals.last() - arrivals.first(), 9000);
    EXPECT_TRUE(in<QLabel>(dialog, "LabelSummary")->text().contains(QLatin1String("The run stopped after 10 messages")));

    // A long pause, and Stop during it.
    in<QSpinBox>(dialog, "SpinPause")->setValue(60);
    boxes.answers = {MessageBoxes::Answer::Yes};
    in(dialog, "CommandResume")->click();
    ASSERT_TRUE(waitFor([&] { return arrivals.size() == 11; }, 20000));
    ASSERT_TRUE(waitFor([&] { return in<QLabel>(dialog, "LabelTimeLeft")->text().startsWith(QLatin1String("Time left")); }, 5000));
    in(dialog, "CommandStop")->click();
    ASSERT_TRUE(waitFor([&] { return !dialog->isRunning(); }, 5000)) << "the pause of a minute was not cut short";
    EXPECT_EQ(arrivals.size(), 11);
    expectUsersMessageBack();
}

INSTANTIATE_TEST_SUITE_P(Yahoo, MailMergePaceTest,
                         ::testing::Values(Mailbox{"yahoo", "Compose", "To", "Subj", "Body"}),
                         [](const auto &info) { return std::string(info.param.key); });

INSTANTIATE_TEST_SUITE_P(Sites, MailMergeEndToEndTest,
                         ::testing::Values(Mailbox{"yahoo", "Compose", "To", "Subj", "Body"},
                                           Mailbox{"hotmail", "composeform", "to", "subject", "body"}),
                         [](const auto &info) { return std::string(info.param.key); });

} // namespace
