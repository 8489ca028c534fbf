// Measures what the automation waits for: one synchronous call into a
// loaded page (median of 1000) and the loading of a page into a pane.

#include "platform/web/BrowserPane.h"
#include "BrowserPaneProbe.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHostAddress>
#include <QHttpServer>
#include <QHttpServerResponse>
#include <QTimer>
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

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);

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
    return 0;
}
