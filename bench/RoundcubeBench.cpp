// The program against a real Roundcube (the lab of scripts/roundcube-lab.sh),
// in one run: how long the lab takes to start; a mail merge of 50 rows
// beside its floor, the same number of sends made by Roundcube's own send
// button driven by a script (open the compose page, fill it, press Send,
// wait for the page to say the message went); the capture of a message
// with a 1 MB body, and the longest stall of the window while it runs.
#include "addressbook/ui/AddressPane.h"
#include "app/InboxFramesBand.h"
#include "app/MainController.h"
#include "app/MainForm.h"
#include "app/Shell.h"
#include "app/ShellMergeHost.h"
#include "settings/SettingsFile.h"
#include "merge/MergeRun.h"
#include "platform/web/BrowserPane.h"

#include "BrowserPaneProbe.h"
#include "LabMail.h"
#include "RoundcubeLab.h"
#include "RoundcubeSignIn.h"
#include "RunInPage.h"
#include "ScriptedFileDialogs.h"
#include "ScriptedMessageBoxes.h"
#include "WaitFor.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

constexpr int Messages = 50;
constexpr int PageTimeoutMs = 60000;

int fail(const char *why)
{
    std::fprintf(stderr, "roundcube bench: %s\n", why);
    return 1;
}

int countSubjects(RoundcubeLab &lab, const QString &prefix)
{
    int count = 0;
    for (const MaildirMessage &message : readMaildir(lab.maildir(QStringLiteral("bob"))))
        count += message.header(QStringLiteral("Subject")).startsWith(prefix) ? 1 : 0;
    return count;
}

// The longest time the event loop went without running a timer of 2 ms.
class StallMeter : public QObject
{
public:
    StallMeter()
    {
        m_timer.setInterval(2);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] {
            m_longest = std::max(m_longest, m_clock.restart());
        });
    }
    void start()
    {
        m_longest = 0;
        m_clock.start();
        m_timer.start();
    }
    qint64 stop()
    {
        m_timer.stop();
        return std::max(m_longest, m_clock.elapsed());
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    RoundcubeLab lab;
    QElapsedTimer labTimer;
    labTimer.start();
    if (lab.start() != RoundcubeLab::Outcome::Running)
        return fail(qPrintable(lab.message()));
    std::printf("lab start (packages installed, fresh work folder): %.1f s\n", labTimer.nsecsElapsed() / 1e9);
    struct StopLab
    {
        RoundcubeLab &lab;
        ~StopLab() { lab.stop(); }
    } stopLab{lab};

    QTemporaryDir dir;
    SettingsFile settings(dir.filePath(QStringLiteral("ferrowen/plinthmere.ini")));
    (void)settings.SetIni(QStringLiteral("Locations"), QStringLiteral("main dir"), dir.filePath(QStringLiteral("main/")));
    QDir().mkpath(dir.filePath(QStringLiteral("main/savedmgs/Saved")));
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs fileDialogs;
    MainController controller(settings, MainController::Options{false, false, &boxes, &fileDialogs});
    controller.start();
    MainForm &form = controller.window();

    BrowserPane &inbox = form.browser(Pane::Inbox);
    BrowserPane &compose = form.browser(Pane::Compose);
    QWebEnginePage &composePage = *BrowserPaneProbe::page(compose);
    {
        QSignalSpy loaded(&inbox, &BrowserPane::documentComplete);
        inbox.navigate(lab.url().toString());
        if (!loaded.wait(PageTimeoutMs) || !signInToRoundcube(inbox, QStringLiteral("alice"), lab.password(QStringLiteral("alice")),
                                                              PageTimeoutMs))
            return fail("alice cannot sign in");
    }
    const QString composeAddress = lab.url().toString() + QStringLiteral("?_task=mail&_action=compose");
    const auto composeReady = [&] {
        return !compose.isBusy()
            && runInPage(composePage, QStringLiteral("!!document.querySelector('button.send') && "
                                                     "!document.querySelector('button.send').disabled"))
                   .toBool();
    };

    // The floor: Roundcube's own button, driven by a script.
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < Messages; ++i) {
        compose.navigate(composeAddress);
        if (!waitFor(composeReady, PageTimeoutMs))
            return fail("the compose page does not come");
        runInPage(composePage, QStringLiteral("(function () { const f = document.forms.form;"
                                              "  f._to.value = 'bob@example.test'; f._to.dispatchEvent(new Event('change'));"
                                              "  f._subject.value = 'Floor %1'; f._message.value = 'Dear Bob,\\nfloor message %1.';"
                                              "  document.querySelector('button.send').click(); })()")
                                   .arg(i));
        if (!waitFor([&] {
                return !compose.locationUrl().contains(QLatin1String("_action=compose"))
                    || runInPage(composePage, QStringLiteral("!!document.querySelector('#messagestack .confirmation')")).toBool();
            }, PageTimeoutMs))
            return fail("a floor message was not sent");
    }
    const double floorSeconds = timer.nsecsElapsed() / 1e9;
    if (!waitFor([&] { return countSubjects(lab, QStringLiteral("Floor ")) == Messages; }, PageTimeoutMs))
        return fail("the floor's messages did not all arrive");

    // The merge, through the program's own run.
    QByteArray book = "\"First Name\",\"Email\"\r\n";
    for (int i = 0; i < Messages; ++i)
        book += QStringLiteral("\"Person%1\",\"bob@example.test\"\r\n").arg(i).toUtf8();
    QFile bookFile(dir.filePath(QStringLiteral("bench.csv")));
    if (!bookFile.open(QIODevice::WriteOnly) || bookFile.write(book) != book.size())
        return fail("cannot write the address book");
    bookFile.close();
    form.showAddressPane();
    fileDialogs.openAnswers << bookFile.fileName();
    controller.shell().addressPane().Open_CSV();
    // The Compose tab opens a fresh compose page of its own.
    form.selectTab(Tab::Compose);
    if (!waitFor(composeReady, PageTimeoutMs))
        return fail("the compose page does not come");
    compose.document().formField(QStringLiteral("form"), QStringLiteral("_subject")).setValue(QStringLiteral("Merge <<First Name>>"));
    compose.document().formField(QStringLiteral("form"), QStringLiteral("_message"))
        .setValue(QStringLiteral("Dear <<First Name>>,\nthis goes to <<Email>>."));
    ShellMergeHost &host = controller.shell().mergeHost();
    MergeRun run(host.runHost());
    run.setJournalFolder(host.mergesFolder());
    timer.restart();
    run.start(MergeRun::Kind::Send, false);
    if (!waitFor([&run] { return !run.isRunning(); }, 20 * PageTimeoutMs))
        return fail("the merge did not end");
    const double mergeSeconds = timer.nsecsElapsed() / 1e9;
    if (run.sentCount() != Messages)
        return fail("the merge did not send every message");
    if (!waitFor([&] { return countSubjects(lab, QStringLiteral("Merge Person")) == Messages; }, PageTimeoutMs))
        return fail("the merge's messages did not all arrive");
    std::printf("%d sends by Roundcube's own button, scripted (floor): %.2f messages/s\n", Messages, Messages / floorSeconds);
    std::printf("mail merge of %d rows with its journal: %.2f messages/s -> %.0f%% of the floor (target at least 80%%)\n",
                Messages, Messages / mergeSeconds, 100 * floorSeconds / mergeSeconds);

    // Capture of a message with a 1 MB body.
    QString big;
    for (int line = 0; big.size() < 1024 * 1024; ++line)
        big += QStringLiteral("Line %1 of a long message, with some words to fill it up to one megabyte.\n").arg(line);
    if (!deliverMail(lab.smtpPort(), {lab.address(QStringLiteral("bob")), {lab.address(QStringLiteral("alice"))}, {},
                                      QStringLiteral("One megabyte"), big, {}})
             .isEmpty())
        return fail("the large message was refused");
    QWebEnginePage &inboxPage = *BrowserPaneProbe::page(inbox);
    form.selectTab(Tab::InboxLogin);
    {
        QSignalSpy loaded(&inbox, &BrowserPane::documentComplete);
        inbox.navigate(lab.url().toString() + QStringLiteral("?_task=mail&_mbox=INBOX"));
        loaded.wait(PageTimeoutMs);
    }
    const QString open = QStringLiteral("(function () {"
                                        "  const row = Array.from(document.querySelectorAll('#messagelist tr.message'))"
                                        "    .find(r => r.textContent.includes('One megabyte'));"
                                        "  if (!row) return false;"
                                        "  for (const type of ['mousedown', 'mouseup'])"
                                        "    row.querySelector('td.subject').dispatchEvent(new MouseEvent(type,"
                                        "      {bubbles: true, cancelable: true, button: 0, view: window}));"
                                        "  return true; })()");
    if (!waitFor([&] { return runInPage(inboxPage, open).toBool(); }, PageTimeoutMs))
        return fail("the large message is not listed");
    if (!waitFor([&] {
            return runInPage(inboxPage, QStringLiteral("(function () { const f = document.getElementById('messagecontframe');"
                                                       "  const d = f && f.contentDocument; const b = d && d.getElementById('messagebody');"
                                                       "  return !!b && b.textContent.length > 1000000; })()"))
                .toBool();
        }, PageTimeoutMs))
        return fail("the large message does not show");
    boxes.shown.clear(); // the merge's question before sending
    StallMeter stalls;
    stalls.start();
    timer.restart();
    form.band().saveMessageButton()->click();
    const double captureMs = timer.nsecsElapsed() / 1e6;
    const qint64 longestStall = stalls.stop();
    const QStringList saved = QDir(dir.filePath(QStringLiteral("main/savedmgs/Saved"))).entryList(QDir::Files);
    if (saved.size() != 1 || !boxes.shown.isEmpty())
        return fail(qPrintable(QStringLiteral("the large message was not saved: ") + boxes.texts().join(u' ')));
    const qint64 savedBytes = QFileInfo(dir.filePath(QStringLiteral("main/savedmgs/Saved/") + saved[0])).size();
    std::printf("capture of a message with a 1 MB body (file of %lld bytes): %.0f ms; longest stall of the window "
                "meanwhile: %lld ms (target under 100 ms)\n",
                static_cast<long long>(savedBytes), captureMs, static_cast<long long>(longestStall));

    form.close();
    return 0;
}
