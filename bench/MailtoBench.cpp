// Mail links through the running program into the demo site's compose form:
//  1. one link written into the settings file -> the program has written
//     it into the compose form (median of 9; the form is closed before each
//     run; the form is read afterwards to check it), beside its floor
//     measured in the same run: the compose page loaded into the same pane
//     and one field written in one page call (median of 9), with the pane
//     hidden, and with the "Compose" tab shown as the link shows it;
//  2. a burst of 20 links handed over by 20 sorvik2 processes started
//     100 ms apart: how many arrive, in which order, and when the last one
//     is in the form;
//  3. 20 sorvik2 processes started at once: how many arrive.
#include "app/MainController.h"
#include "app/MainForm.h"
#include "settings/SettingsFile.h"
#include "demowebmail/DemoWebmailSite.h"
#include "platform/web/BrowserPane.h"
#include "ComposeFillRecorder.h"
#include "WaitFor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

using namespace ferrowen;

namespace {

constexpr int LatencyRuns = 9;
constexpr int BurstSize = 20;
constexpr int BurstSpacingMs = 100;

// Away from the compose page, so the next link opens it afresh.
void closeComposePage(MainForm &form)
{
    form.selectTab(Tab::InboxLogin);
    form.browser(Pane::Compose).navigate(QStringLiteral("about:blank"));
    ferrowen::testing::waitFor([&] { return !form.browser(Pane::Compose).isBusy(); }, 5000);
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// What no hand-off can beat: the compose page loaded and one field written,
// into the pane hidden or shown (a shown pane also draws what it loads).
double floorMs(MainForm &form, const QString &composeAddress, bool shown)
{
    closeComposePage(form);
    if (shown) {
        // Showing the tab makes the program open its compose page: that load
        // ends, and the pane is emptied again, before the floor's own.
        form.selectTab(Tab::Compose);
        ferrowen::testing::waitFor([&] { return !form.browser(Pane::Compose).isBusy() && form.browser(Pane::Compose).showsRequestedPage(); }, 5000);
        form.browser(Pane::Compose).navigate(QStringLiteral("about:blank"));
        ferrowen::testing::waitFor([&] { return !form.browser(Pane::Compose).isBusy() && form.browser(Pane::Compose).showsRequestedPage(); }, 5000);
    }
    QElapsedTimer timer;
    timer.start();
    QSignalSpy loaded(&form.browser(Pane::Compose), &BrowserPane::documentComplete);
    form.browser(Pane::Compose).navigate(composeAddress);
    loaded.wait(10000);
    const WriteTarget to{WriteTarget::Kind::FormField, QStringLiteral("compose"), QStringLiteral("To"), ElementProperty::Value};
    form.browser(Pane::Compose).document().writeAll({{{to}, QStringLiteral("floor@example.com")}});
    return double(timer.elapsed());
}

// The compose form's To field, read once the pane has loaded.
QString composeTo(MainForm &form)
{
    ferrowen::testing::waitFor([&] { return !form.browser(Pane::Compose).isBusy(); }, 10000);
    try {
        return form.browser(Pane::Compose).document().formField(QStringLiteral("compose"), QStringLiteral("To")).value();
    } catch (const WebPageError &error) {
        return QString::fromStdString(error.what());
    }
}

QString addressOf(int n)
{
    return QStringLiteral("burst%1@example.com").arg(n, 2, 10, QLatin1Char('0'));
}

class Companions
{
public:
    explicit Companions(const QString &configHome)
    {
        m_environment = QProcessEnvironment::systemEnvironment();
        m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    }

    void start(const QString &link)
    {
        m_processes.push_back(std::make_unique<QProcess>());
        m_processes.back()->setProcessEnvironment(m_environment);
        m_processes.back()->start(QStringLiteral(FERROWEN_SORVIK2_PATH), {link});
    }

    bool allFinished() const
    {
        return std::all_of(m_processes.begin(), m_processes.end(),
                           [](const auto &p) { return p->state() == QProcess::NotRunning; });
    }

    int failures() const
    {
        return int(std::count_if(m_processes.begin(), m_processes.end(),
                                 [](const auto &p) { return p->exitStatus() != QProcess::NormalExit || p->exitCode() != 0; }));
    }

private:
    QProcessEnvironment m_environment;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

struct BurstResult
{
    QStringList filledTo;
    qint64 lastFilledMs = -1;
    int companionFailures = 0;
};

// Starts one companion per address, `spacingMs` apart (0: all at once), and
// waits until every link is in the form or nothing has moved for a while.
BurstResult runBurst(MainController &controller, const QString &configHome, int spacingMs)
{
    ferrowen::testing::ComposeFillRecorder recorder(controller);
    Companions companions(configHome);
    QElapsedTimer clock;
    clock.start();
    BurstResult result;

    int started = 0;
    QTimer starter;
    QObject::connect(&starter, &QTimer::timeout, [&] {
        if (started == 0)
            clock.restart();
        do {
            ++started;
            companions.start(QStringLiteral("mailto:") + addressOf(started) + QStringLiteral("?subject=Burst"));
        } while (spacingMs == 0 && started < BurstSize);
        if (started == BurstSize)
            starter.stop();
    });
    starter.start(spacingMs);

    qsizetype seen = 0;
    QElapsedTimer quiet;
    quiet.start();
    ferrowen::testing::waitFor([&] {
        if (recorder.filledTo.size() != seen) {
            seen = recorder.filledTo.size();
            result.lastFilledMs = clock.elapsed();
            quiet.restart();
        }
        const bool allIn = seen >= BurstSize && started == BurstSize;
        return (allIn && companions.allFinished()) || (started == BurstSize && quiet.elapsed() > 70000);
    }, 200000);
    result.filledTo = recorder.filledTo;
    result.companionFailures = companions.failures();
    return result;
}

void report(QTextStream &out, const char *what, const BurstResult &result)
{
    QStringList expected;
    for (int n = 1; n <= BurstSize; ++n)
        expected << addressOf(n);
    QStringList sorted = result.filledTo;
    sorted.sort();
    int arrived = 0;
    for (const QString &address : expected)
        arrived += result.filledTo.count(address) > 0 ? 1 : 0;
    out << what << ": " << arrived << " of " << BurstSize << " filled into the compose form ("
        << result.filledTo.size() << " fillings), "
        << (result.filledTo == expected ? "in order" : sorted == expected ? "all once, not in order" : "not all once")
        << ", last filled " << result.lastFilledMs << " ms after the first companion started, "
        << result.companionFailures << " companions reported a failure\n";
    if (result.filledTo != expected)
        out << "  order: " << result.filledTo.join(QStringLiteral(" ")) << '\n';
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QTextStream out(stdout);

    QTemporaryDir configHome;
    SettingsFile settings(configHome.filePath(QStringLiteral("ferrowen/plinthmere.ini")));
    DemoWebmailSite site;
    if (const Status listening = site.listen(0); !listening) {
        out << "cannot start the demo site: " << listening.error() << '\n';
        return 1;
    }
    MainController controller(settings, {false, false});
    controller.start();
    MainForm &form = controller.window();
    QSignalSpy loaded(&form.browser(Pane::Inbox), &BrowserPane::documentComplete);
    form.browser(Pane::Inbox).navigate(site.baseUrl().resolved(QUrl(QStringLiteral("/yahoo/inbox"))).toString());
    loaded.wait(10000);

    const QString composeAddress = site.baseUrl().resolved(QUrl(QStringLiteral("/yahoo/compose"))).toString();
    QList<double> floor;
    QList<double> shownFloor;
    QList<double> fillMs;
    for (int run = 0; run < LatencyRuns; ++run) {
        floor << floorMs(form, composeAddress, false);
        shownFloor << floorMs(form, composeAddress, true);
        closeComposePage(form);
        const QString address = QStringLiteral("run%1@example.com").arg(run);
        // From the moment the link is in the file, as the companion leaves
        // it: writing it (locked and forced to the disk) is the companion's
        // work, which the floor does not do either.
        if (const Status written = settings.SetIni(QStringLiteral("Settings"), QStringLiteral("mailto"), QStringLiteral("mailto:") + address);
            !written) {
            out << "cannot write the link: " << written.error() << '\n';
            return 1;
        }
        QElapsedTimer timer;
        timer.start();
        QSignalSpy done(&controller, &MainController::mailLinkDone);
        if (!done.wait(20000)) {
            out << "run " << run << " never filled the form\n";
            return 1;
        }
        fillMs << double(timer.elapsed());
        if (const QString to = composeTo(form); to != address) {
            out << "run " << run << " left To as \"" << to << "\", not " << address << '\n';
            return 1;
        }
        // Gone from the settings file, so that the next run's link is new.
        ferrowen::testing::waitFor([&] { return settings.GetIni(QStringLiteral("Settings"), QStringLiteral("mailto"), QString()).isEmpty(); }, 10000);
    }
    const double floorMedian = median(floor);
    const double shownFloorMedian = median(shownFloor);
    const double fillMedian = median(fillMs);
    std::sort(fillMs.begin(), fillMs.end());
    out << "floor (compose page load + one field write): median " << floorMedian << " ms with the pane hidden, "
        << shownFloorMedian << " ms with the \"Compose\" tab shown, over " << LatencyRuns << " runs\n";
    out << "mail link written -> compose form filled: median " << fillMedian << " ms, min " << fillMs.first()
        << " ms, max " << fillMs.last() << " ms over " << LatencyRuns << " runs; " << fillMedian / floorMedian
        << " x the hidden floor, " << fillMedian / shownFloorMedian << " x the shown one\n";
    out.flush();

    closeComposePage(form);
    report(out, "burst of 20 companions 100 ms apart", runBurst(controller, configHome.path(), BurstSpacingMs));
    out.flush();
    closeComposePage(form);
    report(out, "20 companions started at once", runBurst(controller, configHome.path(), 0));

    form.close();
    return 0;
}
