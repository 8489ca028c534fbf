// Mail merge throughput against the demo site: the real program sends one
// message to each of 200 addresses, and the same compose pane loads the
// site's answer page and its compose page in turn (the two page loads each
// message needs at least), before and after the merges. The merge runs
// twice with its journal and twice without, in turn, the site's list of sent
// messages emptied before each, so each meets the same pages. Prints
// messages per second for each and the journal's cost; then the time from
// Resume to the first message sent for a journal of 10,000 rows.
#include "addressbook/ui/AddressPane.h"
#include "app/InboxFramesBand.h"
#include "app/MainController.h"
#include "app/MainForm.h"
#include "app/Shell.h"
#include "app/ShellMergeHost.h"
#include "settings/SettingsFile.h"
#include "demowebmail/DemoWebmailSite.h"
#include "merge/MergeJournalWriter.h"
#include "merge/MergeRun.h"
#include "merge/ui/DialogMerge.h"
#include "platform/web/BrowserPane.h"

#include "ScriptedFileDialogs.h"
#include "ScriptedMessageBoxes.h"
#include "WaitFor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <cstdio>

using namespace ferrowen;
using namespace ferrowen::testing;

namespace {

constexpr int Addresses = 200;
constexpr int FloorMessages = 60;
constexpr int JournalRows = 10000;
constexpr int JournalRowsDone = 9000;

bool loadInto(BrowserPane &pane, const QString &address)
{
    QSignalSpy loaded(&pane, &BrowserPane::documentComplete);
    pane.navigate(address);
    return loaded.wait(15000);
}

// Seconds per message for two page loads in the compose pane: the site's
// answer page (its listing as long as it is now), then the compose page.
double floorSecondsPerMessage(BrowserPane &compose, const QString &answer, const QString &composePage)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < FloorMessages; ++i) {
        if (!loadInto(compose, answer) || !loadInto(compose, composePage))
            return -1;
    }
    return timer.nsecsElapsed() / 1e9 / FloorMessages;
}

int fail(const char *why)
{
    std::fprintf(stderr, "merge bench: %s\n", why);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    DemoWebmailSite site;
    if (!site.listen(0))
        return fail("the demo site cannot listen");
    const auto siteAddress = [&site](const char *path) { return site.baseUrl().resolved(QUrl(QLatin1String(path))).toString(); };

    QTemporaryDir dir;
    SettingsFile settings(dir.filePath(QStringLiteral("ferrowen/plinthmere.ini")));
    (void)settings.SetIni(QStringLiteral("Locations"), QStringLiteral("main dir"), dir.filePath(QStringLiteral("main/")));
    ScriptedMessageBoxes boxes;
    ScriptedFileDialogs fileDialogs;
    MainController controller(settings, MainController::Options{false, false, &boxes, &fileDialogs});
    controller.start();
    MainForm &form = controller.window();

    const auto openBook = [&](const char *name, int rows) {
        QByteArray book = "\"First Name\",\"Last Name\",\"Email\",\"\"\r\n";
        for (int i = 0; i < rows; ++i)
            book += QStringLiteral("\"Person%1\",\"Bench\",\"person%1@example.com\",\"\"\r\n").arg(i, 5, 10, QLatin1Char('0')).toUtf8();
        QFile file(dir.filePath(QLatin1String(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(book) != book.size())
            return false;
        file.close();
        form.showAddressPane();
        fileDialogs.openAnswers << file.fileName();
        controller.shell().addressPane().Open_CSV();
        return controller.shell().addressPane().currentPath() == file.fileName();
    };
    if (!openBook("bench.csv", Addresses))
        return fail("cannot write the address book");

    BrowserPane &compose = form.browser(Pane::Compose);
    if (!loadInto(form.browser(Pane::Inbox), siteAddress("/yahoo/inbox")))
        return fail("the inbox does not load");
    form.selectTab(Tab::Compose);
    const auto composeField = [&compose](const char *name) {
        return compose.document().formField(QStringLiteral("Compose"), QLatin1String(name));
    };
    if (!waitFor([&] {
            try {
                composeField("Subj");
                return !compose.isBusy();
            } catch (const WebPageError &) {
                return false;
            }
        }, 15000))
        return fail("the compose page does not come");
    const QString composePage = compose.locationUrl();
    const QString answerPage = siteAddress("/yahoo/sent?confirm=1");

    const double floorBefore = floorSecondsPerMessage(compose, answerPage, composePage);

    composeField("Subj").setValue(QStringLiteral("News for <<First Name>>"));
    composeField("Body").setValue(QStringLiteral("Dear <<First Name>> <<Last Name>>,\nthis goes to <<Email>>."));
    ShellMergeHost &host = controller.shell().mergeHost();
    const auto mergeSeconds = [&](bool journal) -> double {
        site.clearSent();
        MergeRun run(host.runHost());
        run.setJournalFolder(journal ? host.mergesFolder() : QString());
        QElapsedTimer timer;
        timer.start();
        run.start(MergeRun::Kind::Send, false);
        if (!waitFor([&run] { return !run.isRunning(); }, 600000) || site.sentMessages().size() != Addresses
            || boxes.shown.size() != 1)
            return -1;
        boxes.shown.clear();
        return timer.nsecsElapsed() / 1e9;
    };
    // The journal's own work for a message, alone: the line before the
    // submit forced to the disk, the line after it handed to the system.
    {
        MergeJournalWriter writer;
        QStringList keys;
        for (int i = 0; i < Addresses; ++i)
            keys << QStringLiteral("person%1@example.com#0").arg(i);
        QElapsedTimer timer;
        timer.start();
        if (!writer.create(host.mergesFolder(), {QStringLiteral("timing"), QStringLiteral("S"), QStringLiteral("B"),
                                                 QDateTime::currentDateTime().addSecs(-3600)}, keys).ok())
            return fail("cannot write a journal");
        for (int i = 0; i < Addresses; ++i) {
            MergeRowRecord record{keys.at(i), i + 1, keys.at(i), MergeRowState::Submitting, {}, true,
                                  QDateTime::currentDateTime()};
            bool written = writer.record(record, true).ok();
            record.state = MergeRowState::Sent;
            written = writer.record(record, false).ok() && written;
            if (!written)
                return fail("cannot write a journal line");
        }
        std::printf("the journal's lines of one message, alone: %.2f ms\n", timer.nsecsElapsed() / 1e6 / Addresses);
    }
    double withJournal = 0, withoutJournal = 0;
    for (int round = 0; round < 2; ++round) {
        const double with = mergeSeconds(true);
        const double without = mergeSeconds(false);
        if (with <= 0 || without <= 0)
            return fail("a merge did not send every message");
        withJournal += with;
        withoutJournal += without;
        std::printf("round %d: %.2f s with the journal, %.2f s without\n", round + 1, with, without);
    }

    const double floorAfter = floorSecondsPerMessage(compose, answerPage, composePage);
    if (floorBefore <= 0 || floorAfter <= 0)
        return fail("a floor page did not load");
    const double floorRate = 2 / (floorBefore + floorAfter);
    const double rateWith = 2 * Addresses / withJournal;
    const double rateWithout = 2 * Addresses / withoutJournal;
    std::printf("merge of %d addresses, twice each: %.2f messages/s with the journal, %.2f without\n", Addresses,
                rateWith, rateWithout);
    std::printf("the journal's cost: %.1f%% of the time (target under 5%%)\n", 100 * (withJournal / withoutJournal - 1));
    std::printf("floor, two page loads per message: %.1f ms before, %.1f ms after the merges -> %.2f messages/s\n",
                floorBefore * 1000, floorAfter * 1000, floorRate);
    std::printf("merge with the journal / floor: %.0f%% (target at least 80%%)\n", 100 * rateWith / floorRate);

    // Resume of a journal of 10,000 rows, 9,000 of them done.
    if (!openBook("big.csv", JournalRows))
        return fail("cannot write the large address book");
    const MergeAddresses big = host.addressesToMerge(false);
    const QStringList keys = mergeRowKeys(big);
    MergeJournalWriter writer;
    if (!writer.create(host.mergesFolder(), {big.bookPath, QStringLiteral("News"), QStringLiteral("Hello"), QDateTime::currentDateTime().addSecs(60)}, keys).ok())
        return fail("cannot write the journal");
    for (int row = 0; row < JournalRowsDone; ++row) {
        MergeRowRecord record;
        record.key = keys.at(row);
        record.row = row + 1;
        record.address = big.address(row);
        record.time = QDateTime::currentDateTime();
        record.state = MergeRowState::Submitting;
        (void)writer.record(record, false);
        record.state = MergeRowState::Sent;
        (void)writer.record(record, false);
    }
    writer.close();
    site.clearSent();
    QElapsedTimer resumeTimer;
    resumeTimer.start();
    form.band().mailMergeButton()->click();
    auto *dialog = form.findChild<DialogMerge *>();
    auto *resume = dialog ? dialog->findChild<QPushButton *>(QStringLiteral("CommandResume")) : nullptr;
    if (!resume || resume->isHidden())
        return fail("Resume is not offered");
    const double dialogMs = resumeTimer.nsecsElapsed() / 1e6;
    resumeTimer.restart();
    resume->click();
    if (!waitFor([&site] { return !site.sentMessages().isEmpty(); }, 60000))
        return fail("the resumed merge sent nothing");
    const double firstMs = resumeTimer.nsecsElapsed() / 1e6;
    if (site.sentMessages().first().to != big.address(JournalRowsDone))
        return fail("the resumed merge began at the wrong row");
    std::printf("journal of %d rows (%d done): the dialog offers Resume after %.0f ms; Resume to the first message "
                "sent: %.0f ms\n",
                JournalRows, JournalRowsDone, dialogMs, firstMs);
    dialog->findChild<QPushButton *>(QStringLiteral("CommandStop"))->click();
    waitFor([dialog] { return !dialog->isRunning(); }, 60000);
    form.close();
    return 0;
}
