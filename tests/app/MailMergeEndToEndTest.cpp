// The mail merge through the real program and the demo site: personalised
// messages to every address (the site's sent listing shows exactly those)
// and a refused one logged, a test filling of the rows chosen in the grid,
// Stop during a run with the dialog closed and shown again; a run cut short
// by the program's end and resumed without sending anyone the message
// twice; a pause cut short. (The rules of a run are MergeRunTest's.)
#include "DemoProgramFixture.h"

#include "addressbook/ui/AddressGrid.h"
#include "addressbook/ui/AddressPane.h"
#include "app/InboxFramesBand.h"
#include "merge/MergeJournal.h"
#include "merge/MergeRun.h"
#include "merge/ui/DialogMerge.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>

#include "TestFiles.h"

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
        const QString path = writeFile(dir.filePath(QStringLiteral("merge.csv")), text);
        form().showAddressPane();
        fileDialogs.openAnswers << path;
        shell().addressPane().Open_CSV();
        ASSERT_EQ(shell().addressPane().currentPath(), path);
    }
    AddressGrid &grid() { return *shell().addressPane().parts().grid; }

    QString compose(const char *role) { return field(Pane::Compose, GetParam().form, role); }
    // The user writes the message to merge in the site's compose page.
    void writeMessage()
    {
        open((QStringLiteral("/") + QLatin1String(GetParam().key) + QStringLiteral("/inbox")).toLatin1().constData());
        form().selectTab(Tab::Compose);
        ASSERT_TRUE(waitFor([&] { return compose(GetParam().subject) == QString(); }, 10000));
        WebPage &page = form().browser(Pane::Compose).document();
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
    static W *in(DialogMerge *dialog, const char *name) { return namedChild<W>(*dialog, name); }
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

// Where the two mailboxes' pages do not differ in what a case touches, it
// runs on Yahoo's alone.
class MailMergeOneMailboxTest : public MailMergeEndToEndTest
{
};

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
    EXPECT_EQ(buttons(dialog), Idle);
    EXPECT_FALSE(shell().state().MergeInProgress);
    expectUsersMessageBack();
    EXPECT_EQ(boxes.shown.size(), 1) << boxes.texts().join(u' ').toStdString();
    EXPECT_TRUE(QDir(mainPath(QStringLiteral("savedmgs/sent"))).entryList(QDir::Files).isEmpty());

    // The site's own listing shows exactly those.
    load(Pane::Calendar, siteAddress((QStringLiteral("/") + QLatin1String(GetParam().key) + QStringLiteral("/sent")).toLatin1().constData()));
    EXPECT_EQ(runInPane(Pane::Calendar, QStringLiteral("document.querySelectorAll('li.sentmsg').length")).toInt(), 2);
    const QString listing = form().browser(Pane::Calendar).document().bodyText();
    EXPECT_TRUE(listing.contains(QLatin1String("Offer for Ann")) && listing.contains(QLatin1String("Offer for Cy")));
}

// What Test, Stop Test and closing after a Test do is MergeRunTest's and
// DialogMergeTest's; here, that the rows chosen in the real grid are used.
TEST_P(MailMergeOneMailboxTest, testWithOnlyTheSelectedAddressesFillsTheSelectionsFirstRowAndStopTestPutsTheMessageBack)
{
    openBook("\"First Name\",\"Last Name\",\"Email\",\"\"\r\n"
             "\"Ann\",\"Lee\",\"ann@example.com\",\"\"\r\n"
             "\"Cy\",\"Ode\",\"cy@example.com\",\"\"\r\n");
    writeMessage();
    DialogMerge *dialog = openMergeDialog();
    ASSERT_NE(dialog, nullptr);

    grid().setCurrentCell(2, 0);
    in<QRadioButton>(dialog, "Option1")->setChecked(true);
    in(dialog, "CommandTest")->click();
    ASSERT_TRUE(finished(dialog));
    EXPECT_EQ(compose(GetParam().to), QStringLiteral("cy@example.com"));
    EXPECT_EQ(compose(GetParam().subject), QStringLiteral("Offer for Cy"));
    EXPECT_EQ(buttons(dialog), (QList<bool>{false, true, false, false}));

    in(dialog, "CommandUndoTest")->click();
    ASSERT_TRUE(finished(dialog));
    expectUsersMessageBack();
    EXPECT_TRUE(site.sentMessages().isEmpty());
}

TEST_P(MailMergeOneMailboxTest, stopDuringARunSendsNothingMoreAndCountsWhatWent)
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

// The program ends while the site holds the 11th message of 30 unanswered
// (every moment of the end and every answer is MergeJournalTest's): the
// row is offered, skipped here, and the rest go once each.
TEST_P(MailMergeOneMailboxTest, resumedAfterTheProgramsEndSendsEveryAddressExactlyOneMessage)
{
    QByteArray book = "\"First Name\",\"Last Name\",\"Email\",\"\"\r\n";
    for (int i = 1; i <= 30; ++i)
        book += QStringLiteral("\"P%1\",\"X\",\"p%1@%2\",\"\"\r\n")
                    .arg(i)
                    .arg(i == 11 ? QStringLiteral("slow.example") : QStringLiteral("example.com"))
                    .toUtf8();
    openBook(book);
    writeMessage();
    DialogMerge *dialog = openMergeDialog();
    ASSERT_NE(dialog, nullptr);
    in(dialog, "CommandStart")->click();
    const QString journalPath = dialog->run().journalPath();
    ASSERT_TRUE(waitFor([&] { return site.sentMessages().size() >= 11; }, 60000));
    ASSERT_TRUE(dialog->isRunning());
    restartProgram();

    fileDialogs.openAnswers << dir.filePath(QStringLiteral("merge.csv"));
    form().showAddressPane();
    shell().addressPane().Open_CSV();
    open("/yahoo/inbox");
    form().selectTab(Tab::Compose);
    ASSERT_TRUE(waitFor([&] { return compose("Subj") == QString(); }, 10000));
    dialog = openMergeDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_FALSE(in(dialog, "CommandResume")->isHidden());
    EXPECT_TRUE(in<QLabel>(dialog, "LabelResume")->text().contains(QStringLiteral("of 30 rows done")));
    boxes.shown.clear();
    boxes.answers = {MessageBoxes::Answer::No, MessageBoxes::Answer::Yes}; // the 11th is not sent again
    in(dialog, "CommandResume")->click();
    ASSERT_TRUE(finished(dialog));

    ASSERT_EQ(boxes.shown.size(), 2) << boxes.texts().join(u' ').toStdString();
    EXPECT_TRUE(boxes.shown[0].text.contains(QLatin1String("row 11: p11@slow.example")));
    QMap<QString, int> received;
    for (const SentMessage &message : site.sentMessages())
        ++received[message.to];
    EXPECT_EQ(received.size(), 30);
    for (auto it = received.cbegin(); it != received.cend(); ++it)
        EXPECT_EQ(it.value(), 1) << it.key().toStdString();
    EXPECT_EQ(site.sentMessages().last().subject, QStringLiteral("Offer for P30"));

    // The journal and the saved results agree with the site.
    const auto journal = readMergeJournal(journalPath);
    ASSERT_TRUE(journal.ok());
    EXPECT_EQ(journal->doneCount(), 30);
    EXPECT_TRUE(journal->inDoubt().isEmpty());
    fileDialogs.saveAnswers << dir.filePath(QStringLiteral("results.csv"));
    in(dialog, "CommandSaveResults")->click();
    const QByteArray csv = fileBytes(dir.filePath(QStringLiteral("results.csv")));
    EXPECT_EQ(csv.count("\",\"sent ("), 29) << csv.constData();
    EXPECT_EQ(csv.count("\",\"skipped: a message may already have gone out"), 1);
}

// The pace in the real program (its numbers are MergeRunTest's): the pause
// is kept in the settings file, shown while it runs, and cut short by Stop.
TEST_P(MailMergeOneMailboxTest, aPauseIsKeptShownAndCutShortByStop)
{
    openBook("\"First Name\",\"Last Name\",\"Email\",\"\"\r\n"
             "\"Ann\",\"X\",\"ann@example.com\",\"\"\r\n\"Bea\",\"X\",\"bea@example.com\",\"\"\r\n");
    writeMessage();
    DialogMerge *dialog = openMergeDialog();
    ASSERT_NE(dialog, nullptr);
    in<QSpinBox>(dialog, "SpinPause")->setValue(60);
    EXPECT_EQ(settings.GetIni(QStringLiteral("Settings"), QStringLiteral("merge pause"), QString()), QStringLiteral("60"));
    in(dialog, "CommandStart")->click();
    ASSERT_TRUE(waitFor([&] { return site.sentMessages().size() == 1; }, 20000));
    ASSERT_TRUE(waitFor([&] { return in<QLabel>(dialog, "LabelTimeLeft")->text().startsWith(QLatin1String("Time left")); }, 5000));
    in(dialog, "CommandStop")->click();
    ASSERT_TRUE(waitFor([&] { return !dialog->isRunning(); }, 5000)) << "the pause of a minute was not cut short";
    EXPECT_EQ(site.sentMessages().size(), 1);
    expectUsersMessageBack();
}

const Mailbox YahooMailbox{"yahoo", "Compose", "To", "Subj", "Body"};

INSTANTIATE_TEST_SUITE_P(Sites, MailMergeEndToEndTest,
                         ::testing::Values(YahooMailbox, Mailbox{"hotmail", "composeform", "to", "subject", "body"}),
                         [](const auto &info) { return std::string(info.param.key); });
INSTANTIATE_TEST_SUITE_P(Yahoo, MailMergeOneMailboxTest, ::testing::Values(YahooMailbox),
                         [](const auto &info) { return std::string(info.param.key); });

} // namespace
