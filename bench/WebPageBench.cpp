// Measures what the automation waits for: one synchronous call into a
// loaded page (median of 1000) and the loading of a page into a pane; then
// the page operations of the real program on pages as large as real
// webmail pages (the demo site's "pad" and "rows"), each beside its floor
// of one script call in the same run: "&Save Msg <<" on Hotmail pages of
// about 3,000 and 10,000 elements, with the longest a key typed meanwhile
// waits, and a press on the window's bare surface over a 200-row inbox.
// Runs itself on a private Xvfb server, where keys can be typed.

#include "app/InboxFramesBand.h"
#include "app/MainController.h"
#include "app/MainForm.h"
#include "settings/SettingsFile.h"
#include "demowebmail/DemoWebmailSite.h"
#include "platform/web/BrowserPane.h"
#include "BrowserPaneProbe.h"
#include "RunInPage.h"
#include "ScriptedFileDialogs.h"
#include "ScriptedMessageBoxes.h"
#include "TypedKeyDelay.h"
#include "XvfbServer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerResponse>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QSaveFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineScript>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace ferrowen;

namespace {

const QByteArray composePage = QByteArrayLiteral(
    "<html><body><form name=Compose method=post action=/sent>"
    "<input name=To value='ann@example.com'><input name=Subj value='Hello'>"
    "<textarea name=Body>first line\nsecond line</textarea>"
    "<input type=submit name=SEND value=Send></form>"
    "<div id=message><p>A message body with <b>some</b> markup.</p><p>Second paragraph.</p></div>"
    "</body></html>");

struct Summary
{
    double medianMs;
    double p90Ms;
    double maxMs;
};

Summary summarise(std::vector<qint64> nanoseconds)
{
    std::sort(nanoseconds.begin(), nanoseconds.end());
    const auto at = [&](double fraction) {
        return nanoseconds[static_cast<size_t>(fraction * static_cast<double>(nanoseconds.size() - 1))] / 1e6;
    };
    return {at(0.5), at(0.9), nanoseconds.back() / 1e6};
}

std::vector<qint64> timeRepeatedly(int times, const std::function<void()> &work)
{
    std::vector<qint64> samples;
    samples.reserve(static_cast<size_t>(times));
    QElapsedTimer timer;
    for (int i = 0; i < times; ++i) {
        timer.start();
        work();
        samples.push_back(timer.nsecsElapsed());
    }
    return samples;
}

bool loadAndWait(BrowserPane &pane, const QUrl &url)
{
    QEventLoop loop;
    bool ok = false;
    const auto connection = QObject::connect(BrowserPaneProbe::page(pane), &QWebEnginePage::loadFinished, &loop, [&](bool success) {
        ok = success;
        loop.quit();
    });
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    BrowserPaneProbe::page(pane)->load(url);
    loop.exec();
    QObject::disconnect(connection);
    return ok;
}

void print(const char *what, const Summary &summary, int samples)
{
    std::printf("%-44s median %8.3f ms   p90 %8.3f ms   max %8.3f ms   (%d runs)\n", what, summary.medianMs,
                summary.p90Ms, summary.maxMs, samples);
}

// Runs a script in the automation's world of a page and waits for it with
// user input held back, as one call of the floor (the program's own waits
// let typed keys through).
QString runInAutomationWorld(QWebEnginePage &page, const QString &script)
{
    QString answer;
    bool arrived = false;
    QEventLoop loop;
    page.runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant &value) {
        answer = value.toString();
        arrived = true;
        loop.quit();
    });
    if (!arrived)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return answer;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double elapsedMs(const QElapsedTimer &timer)
{
    return double(timer.nsecsElapsed()) / 1e6;
}

// What one side of a comparison took: its times and the latest key.
struct Side
{
    std::vector<double> ms;
    double longestKeyMs = 0;
};

void printComparison(const char *what, int elements, const Side &ours, const Side &floor, bool keys)
{
    const double oursMs = median(ours.ms), floorMs = median(floor.ms);
    std::printf("%-46s %6d elements   %9.1f ms   floor %7.1f ms   ratio %6.1fx", what, elements, oursMs, floorMs,
                floorMs > 0 ? oursMs / floorMs : 0.0);
    if (keys)
        std::printf("   longest key wait %6.0f ms (floor %.0f ms)", ours.longestKeyMs, floor.longestKeyMs);
    std::printf("\n");
    std::fflush(stdout);
}

void measureScriptCalls()
{
    QHttpServer server;
    server.route(QStringLiteral("/compose"), [] {
        return QHttpServerResponse(QByteArrayLiteral("text/html; charset=utf-8"), composePage);
    });
    const quint16 port = server.listen(QHostAddress::LocalHost, 0);
    const QUrl url(QStringLiteral("http://127.0.0.1:%1/compose").arg(port));

    BrowserPane pane;
    constexpr int loads = 50;
    const auto loadSamples = timeRepeatedly(loads, [&] {
        if (!loadAndWait(pane, url))
            qFatal("the page did not load");
    });
    print("page load into a pane", summarise(loadSamples), loads);

    WebPage &page = pane.document();
    QElapsedTimer cold;
    cold.start();
    WebElement to = page.formField(QStringLiteral("Compose"), QStringLiteral("To"));
    std::printf("%-44s %8.3f ms\n", "first call on a freshly loaded page", cold.nsecsElapsed() / 1e6);

    constexpr int calls = 1000;
    print("read a field value (one call)", summarise(timeRepeatedly(calls, [&] { to.value(); })), calls);
    print("look up a form field (one call)",
          summarise(timeRepeatedly(calls, [&] { page.formField(QStringLiteral("compose"), QStringLiteral("subj")); })),
          calls);
    print("write a field value (one call)",
          summarise(timeRepeatedly(calls, [&] { to.setValue(QStringLiteral("bob@example.com")); })), calls);
    print("body text (one call)", summarise(timeRepeatedly(calls, [&] { page.bodyText(); })), calls);
}

// The real program beside the demo site, and a box to type into.
class ProgramBench
{
public:
    ProgramBench()
        : m_settings(m_dir.filePath(QStringLiteral("ferrowen/plinthmere.ini")))
    {
        if (!m_site.listen(0))
            qFatal("the demo site cannot listen");
        QDir().mkpath(m_dir.filePath(QStringLiteral("main/savedmgs/Saved")));
        (void)m_settings.SetIni(QStringLiteral("Locations"), QStringLiteral("main dir"), m_dir.filePath(QStringLiteral("main/")));
        m_controller = std::make_unique<ferrowen::MainController>(
            m_settings, ferrowen::MainController::Options{false, false, &m_boxes, &m_fileDialogs});
        m_controller->start();
        form().resize(1200, 800);
        m_typing.setWindowTitle(QStringLiteral("typing"));
        m_typing.resize(300, 40);
        m_typing.show();
        m_typing.setFocus();
        m_keys = std::make_unique<TypedKeyDelay>(m_typing, 10);
    }

    ferrowen::MainForm &form() { return m_controller->window(); }
    // The keys still on their way arrive, then the count starts anew: a
    // measurement sees only the keys typed while it runs.
    void settleKeys()
    {
        QTest::qWait(150);
        m_typing.clear();
        m_keys->reset();
    }
    QWebEnginePage &inboxPage() { return *ferrowen::BrowserPaneProbe::page(form().browser(Pane::Inbox)); }
    TypedKeyDelay &keys() { return *m_keys; }
    QString savedFolder() const { return m_dir.filePath(QStringLiteral("main/savedmgs/Saved")); }
    QStringList messageBoxes() const { return m_boxes.texts(); }

    int open(const QString &path)
    {
        BrowserPane &pane = form().browser(Pane::Inbox);
        QSignalSpy loaded(&pane, &BrowserPane::documentComplete);
        pane.navigate(m_site.baseUrl().resolved(QUrl(path)).toString());
        if (!loaded.wait(60000))
            qFatal("%s did not load", qPrintable(path));
        return ferrowen::testing::runInPage(inboxPage(), QStringLiteral("document.getElementsByTagName('*').length")).toInt();
    }

private:
    QTemporaryDir m_dir;
    ferrowen::DemoWebmailSite m_site;
    ferrowen::SettingsFile m_settings;
    ferrowen::testing::ScriptedMessageBoxes m_boxes;
    ferrowen::testing::ScriptedFileDialogs m_fileDialogs;
    std::unique_ptr<ferrowen::MainController> m_controller;
    QLineEdit m_typing;
    std::unique_ptr<TypedKeyDelay> m_keys;
};

// The capture's floor: one call reads the page's text (by the program's
// own reading) and the body element's HTML; then the file is written.
const QString captureFloorScript = QStringLiteral(R"((function () {
    const text = JSON.parse(window.ferrowenPageAccess.run({ op: 'bodyText' })).value;
    let html = '';
    for (const element of document.getElementsByClassName('rmsg'))
        if (element.getAttribute('class') === 'rmsg')
            html = element.innerHTML;
    return JSON.stringify({ text: text, html: html });
})())");

void measureCapture(ProgramBench &bench, int padding, int runs)
{
    const int elements = bench.open(QStringLiteral("/hotmail/message?id=6&pad=%1").arg(padding));
    QPushButton *save = bench.form().band().saveMessageButton();
    Side ours, floor;
    for (int run = 0; run < runs; ++run) {
        bench.settleKeys();
        QElapsedTimer timer;
        timer.start();
        save->click();
        ours.ms.push_back(elapsedMs(timer));
        QCoreApplication::processEvents(); // the keys held back arrive
        ours.longestKeyMs = std::max(ours.longestKeyMs, bench.keys().longestMs());

        bench.settleKeys();
        timer.restart();
        const QJsonObject read = QJsonDocument::fromJson(runInAutomationWorld(bench.inboxPage(), captureFloorScript).toUtf8()).object();
        QSaveFile file(QDir(bench.savedFolder()).filePath(QStringLiteral("floor.htm")));
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write the floor's file");
        file.write((read.value(QLatin1String("text")).toString() + read.value(QLatin1String("html")).toString()).toUtf8());
        if (!file.commit())
            qFatal("cannot write the floor's file");
        floor.ms.push_back(elapsedMs(timer));
        QCoreApplication::processEvents();
        floor.longestKeyMs = std::max(floor.longestKeyMs, bench.keys().longestMs());
    }
    if (!bench.messageBoxes().isEmpty())
        qFatal("the capture said: %s", qPrintable(bench.messageBoxes().join(u' ')));
    printComparison("\"&Save Msg <<\", Hotmail message page", elements, ours, floor, true);
}

// The boxes of the Hotmail inbox, as the page's own script picks them.
const QString boxesExpression = QStringLiteral(
    "Array.from(document.forms.hotmail.elements).filter(e => e.type === 'checkbox' && e.name !== 'allbox')");

// The check-box floor: one call finds the boxes and ticks the same ones.
const QString ticksFloorScript = QStringLiteral(R"((function () {
    const boxes = %1;
    let inRange = false, filled = false;
    for (const box of boxes) {
        if (box.checked) {
            if (!inRange) inRange = true;
            else if (filled) inRange = false;
        } else if (inRange) {
            box.click();
            filled = true;
        }
    }
    return String(boxes.length);
})())").arg(boxesExpression);

void measureTicks(ProgramBench &bench, const QString &path, const QList<int> &ticked, const char *what, int runs)
{
    const int elements = bench.open(path);
    QStringList positions;
    for (int position : ticked)
        positions << QString::number(position);
    // Back to the boxes ticked at the start, as the user ticked them.
    const QString reset = QStringLiteral("%1.forEach((b, i) => { if (b.checked !== [%2].includes(i)) b.click(); })")
                              .arg(boxesExpression, positions.join(u','));
    QWidget *surface = bench.form().findChild<QWidget *>(QStringLiteral("LayoutSurface"));
    const QPoint bare(surface->width() - 3, surface->height() - 2);
    if (surface->childAt(bare))
        qFatal("no bare surface to press on");
    const auto tickedCount = [&bench] {
        return ferrowen::testing::runInPage(bench.inboxPage(), boxesExpression + QStringLiteral(".filter(b => b.checked).length")).toInt();
    };

    Side ours, floor;
    int oursTicked = 0, floorTicked = 0;
    for (int run = 0; run < runs; ++run) {
        ferrowen::testing::runInPage(bench.inboxPage(), reset);
        QElapsedTimer timer;
        timer.start();
        QTest::mousePress(surface, Qt::LeftButton, {}, bare);
        ours.ms.push_back(elapsedMs(timer));
        QTest::mouseRelease(surface, Qt::LeftButton, {}, bare);
        oursTicked = tickedCount();

        ferrowen::testing::runInPage(bench.inboxPage(), reset);
        timer.restart();
        runInAutomationWorld(bench.inboxPage(), ticksFloorScript);
        floor.ms.push_back(elapsedMs(timer));
        floorTicked = tickedCount();
    }
    if (oursTicked != floorTicked)
        qFatal("the press ticked %d boxes, the floor %d", oursTicked, floorTicked);
    printComparison(what, elements, ours, floor, false);
}

int runUnderX(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    measureScriptCalls();

    ProgramBench bench;
    if (!bench.keys().start()) {
        std::printf("cannot type keys: %s\n", qPrintable(bench.keys().why()));
        return 1;
    }
    QTest::qWait(2000);
    bench.settleKeys();
    QTest::qWait(1000);
    std::printf("\nkeys typed every 10 ms while idle: %d arrived in a second, the latest after %.0f ms\n",
                bench.keys().keys(), bench.keys().longestMs());
    std::printf("medians of interleaved runs; ratio = the program / its floor (one script call) in the same run\n");
    measureCapture(bench, 2900, 5);
    measureCapture(bench, 9900, 5);
    measureTicks(bench, QStringLiteral("/hotmail/inbox?rows=200&pad=2000"), {}, "bare press, 200-row inbox, none ticked", 9);
    measureTicks(bench, QStringLiteral("/hotmail/inbox?rows=200&pad=2000"), {10, 190},
                 "bare press, 200-row inbox, ticks 10 and 190", 9);
    bench.keys().stop();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet("FERROWEN_BENCH_UNDER_X"))
        return runUnderX(argc, argv);

    // Again as a child on a private X server of its own.
    QCoreApplication app(argc, argv);
    XvfbServer xvfb;
    if (!xvfb.start()) {
        std::printf("cannot start Xvfb: %s\n", qPrintable(xvfb.errorString()));
        return 1;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("FERROWEN_BENCH_UNDER_X"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("DISPLAY"), xvfb.display());
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), {});
    child.waitForFinished(-1);
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : 1;
}
