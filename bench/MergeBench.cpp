// Mail merge throughput against the demo site: the real program sends one
// message to each of 200 addresses, and the same compose pane loads the
// site's answer page and its compose page in turn (the two page loads each
// message needs at least), before and after the merge. Prints messages per
// second for both and their ratio.
#include "addressbook/ui/AddressPane.h"
#include "app/InboxFramesBand.h"
#include "app/MainController.h"
#include "app/MainForm.h"
#include "app/Shell.h"
#include "app/settings/SettingsFile.h"
#include "demowebmail/DemoWebmailSite.h"
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

    QByteArray book = "\"First Name\",\"Last Name\",\"Email\",\"\"\r\n";
    for (int i = 0; i < Addresses; ++i)
        book += QStringLiteral("\"Person%1\",\"Bench\",\"person%1@example.com\",\"\"\r\n").arg(i, 3, 10, QLatin1Char('0')).toUtf8();
    QFile file(dir.filePath(QStringLiteral("bench.csv")));
    if (!file.open(QIODevice::WriteOnly) || file.write(book) != book.size())
        return fail("cannot write the address book");
    file.close();
    form.showAddressPane();
    fileDialogs.openAnswers << file.fileName();
    controller.shell().addressPane().Open_CSV();

    BrowserPane &compose = form.browser(3);
    if (!loadInto(form.browser(1), siteAddress("/yahoo/inbox")))
        return fail("the inbox does not load");
    form.selectTab(2);
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
    form.band().mailMergeButton()->click();
    auto *dialog = form.findChild<DialogMerge *>();
    if (!dialog)
        return fail("no merge dialog");
    QElapsedTimer timer;
    timer.start();
    dialog->findChild<QPushButton *>(QStringLiteral("CommandStart"))->click();
    if (!waitFor([dialog] { return !dialog->isRunning(); }, 600000))
        return fail("the merge did not end");
    const double mergeSeconds = timer.nsecsElapsed() / 1e9;
    const int sent = int(site.sentMessages().size());
    if (sent != Addresses || !boxes.shown.isEmpty())
        return fail("the merge did not send every message");

    const double floorAfter = floorSecondsPerMessage(compose, answerPage, composePage);
    if (floorBefore <= 0 || floorAfter <= 0)
        return fail("a floor page did not load");
    // The answer page lists every message sent so far: the merge met lists
    // from empty to full, the floor's two measurements the two ends.
    const double floorSeconds = (floorBefore + floorAfter) / 2;
    const double mergeRate = sent / mergeSeconds;
    const double floorRate = 1 / floorSeconds;
    std::printf("merge of %d addresses: %.2f s, %.2f messages/s\n", sent, mergeSeconds, mergeRate);
    std::printf("floor, two page loads per message: %.1f ms before, %.1f ms after the merge -> %.2f messages/s\n",
                floorBefore * 1000, floorAfter * 1000, floorRate);
    std::printf("merge / floor: %.0f%% (target at least 80%%)\n", 100 * mergeRate / floorRate);
    form.close();
    return 0;
}
