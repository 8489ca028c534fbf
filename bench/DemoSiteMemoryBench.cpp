// The demo webmail site under a long day's posts: 50 sent messages of
// 4 MiB, then 50 blog posts of 4 MiB, each followed by the page that lists
// them. Prints the site process's resident memory after each series (and
// its peak) and how long the listing pages took. The site runs as its own
// program, so any build of it can be measured:
//
//   cmake --build <build> --target run_demo_site_memory_bench
//   demo_site_memory_bench [PATH-TO-ferrowen-demo-webmail]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QSignalSpy>
#include <QUrl>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int Posts = 50;
constexpr qsizetype PostBytes = 4 * 1024 * 1024;

// A line of /proc/PID/status in MiB ("VmRSS", "VmHWM").
double statusMiB(qint64 pid, const char *field)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').first().toDouble() / 1024;
    }
    return -1;
}

struct Answer
{
    int status = 0;
    qsizetype bytes = 0;
};

Answer send(QNetworkAccessManager &network, const QUrl &url, const QByteArray &body)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
    QNetworkReply *reply = body.isNull() ? network.get(request) : [&] {
        request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
        return network.post(request, body);
    }();
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!reply->isFinished())
        finished.wait(60000);
    const Answer answer{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll().size()};
    reply->deleteLater();
    return answer;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(FERROWEN_DEMO_SITE_PATH);
    QProcess site;
    site.start(program, {QStringLiteral("--port"), QStringLiteral("0")});
    if (!site.waitForReadyRead(15000)) {
        std::fprintf(stderr, "the site did not start: %s\n", qPrintable(program));
        return 1;
    }
    const QUrl base(QString::fromUtf8(site.readLine().trimmed()));
    QNetworkAccessManager network;
    std::printf("site %s: %.1f MiB at start\n", qPrintable(program), statusMiB(site.processId(), "VmRSS"));

    const struct
    {
        const char *what;
        const char *post;
        QByteArray fields;
        const char *listing;
    } series[] = {
        {"sent messages", "/yahoo/compose?box=Inbox", "To=a%40example.com&SEND=Send&Body=", "/yahoo/sent"},
        {"blog posts", "/blog/form", "txtTitle=Post&txaBody=", "/blog/posts"},
    };
    for (const auto &s : series) {
        double slowestListing = 0;
        qsizetype largestListing = 0;
        for (int i = 0; i < Posts; ++i) {
            const QByteArray body = s.fields + QByteArray(PostBytes - s.fields.size(), 'x');
            const Answer posted = send(network, base.resolved(QUrl(QString::fromLatin1(s.post))), body);
            if (posted.status != 200 && posted.status != 303) {
                std::fprintf(stderr, "post %d of %s answered %d\n", i + 1, s.what, posted.status);
                return 1;
            }
            QElapsedTimer timer;
            timer.start();
            const Answer listing = send(network, base.resolved(QUrl(QString::fromLatin1(s.listing))), QByteArray());
            slowestListing = std::max(slowestListing, timer.nsecsElapsed() / 1e6);
            largestListing = std::max(largestListing, listing.bytes);
            if ((i + 1) % 10 == 0)
                std::printf("  %d %s: %.1f MiB resident, %s %.1f ms\n", i + 1, s.what,
                            statusMiB(site.processId(), "VmRSS"), s.listing, timer.nsecsElapsed() / 1e6);
        }
        std::printf("after %d %s of 4 MiB: %.1f MiB resident (peak %.1f MiB); %s: slowest %.1f ms, largest %.1f KiB\n",
                    Posts, s.what, statusMiB(site.processId(), "VmRSS"), statusMiB(site.processId(), "VmHWM"),
                    s.listing, slowestListing, largestListing / 1024.0);
    }
    site.kill();
    site.waitForFinished();
    return 0;
}
