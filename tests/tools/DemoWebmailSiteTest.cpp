#include "demowebmail/BoundedRequestServer.h"
#include "demowebmail/BoundedRequestSocket.h"
#include "demowebmail/RetainedPosts.h"
#include "demowebmail/BlogPages.h"
#include "demowebmail/DemoWebmailSite.h"
#include "demowebmail/HeaderLabels.h"

#include "CommandLineAnswer.h"
#include "WaitFor.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpSocket>

#include <gtest/gtest.h>

using ferrowen::DemoWebmailSite;
using ferrowen::SentMessage;
using ferrowen::Status;
using ferrowen::demowebmail::BoundedRequestSocket;
using ferrowen::testing::waitFor;
using Headers = QList<QPair<QByteArray, QByteArray>>;

namespace {

constexpr int ReplyTimeoutMs = 10000;
const QString NoRecipient = QStringLiteral("Please specify at least one recipient.");
const QString YahooCompose = QStringLiteral("/yahoo/compose?box=Inbox");
const QByteArray SendingForm = "To=a%40example.com&SEND=Send&Body=";

struct HttpResult
{
    int status = 0;
    QByteArray body;
    QString location;

    QString text() const { return QString::fromUtf8(body); }
};

// Every capture of `pattern`'s first group in `text`, in order.
QStringList captures(const QString &pattern, const QString &text)
{
    QStringList found;
    auto matches = QRegularExpression(pattern).globalMatch(text);
    while (matches.hasNext())
        found.append(matches.next().captured(1));
    return found;
}

// The names of a form's controls in document order, read from the page
// source between the form's opening and closing tags.
QStringList controlNames(const QString &page, const QString &formOpening)
{
    const int start = page.indexOf(formOpening);
    const int end = page.indexOf(QStringLiteral("</form>"), start);
    if (start < 0 || end < 0)
        return {};
    return captures(QStringLiteral(R"re(<(?:input|textarea|select)\b[^>]*\bname="([^"]*)")re"), page.mid(start, end - start));
}

// The rendered text of each header line of a displayed message (whose
// values hold no entities but "&lt;" and "&gt;").
QStringList headerLines(const QString &page)
{
    QStringList lines = captures(QStringLiteral(R"(<div class="hdr">(.*?)</div>)"), page);
    for (QString &line : lines) {
        line.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
        line.replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    }
    return lines;
}

// A form that sends a message, padded to `size` bytes in its body field.
QByteArray sendingFormOfSize(qint64 size)
{
    return SendingForm + QByteArray(size - SendingForm.size(), 'x');
}

// A sent message in the form /api/sent lists it.
QJsonObject listed(const char *mailbox, const char *to, const char *cc, const char *bcc, const char *subject, const char *body)
{
    return {{QStringLiteral("mailbox"), QString::fromUtf8(mailbox)}, {QStringLiteral("to"), QString::fromUtf8(to)},
            {QStringLiteral("cc"), QString::fromUtf8(cc)},           {QStringLiteral("bcc"), QString::fromUtf8(bcc)},
            {QStringLiteral("subject"), QString::fromUtf8(subject)}, {QStringLiteral("body"), QString::fromUtf8(body)}};
}

class DemoWebmailSiteTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const Status listening = site.listen();
        ASSERT_TRUE(listening) << listening.error().toStdString();
    }

    HttpResult request(const QByteArray &method, const QString &path, const QByteArray &body = {},
                       const Headers &headers = {})
    {
        QNetworkRequest request(site.baseUrl().resolved(QUrl(path)));
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
        if (!body.isEmpty())
            request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
        for (const auto &[name, value] : headers)
            request.setRawHeader(name, value);
        QNetworkReply *reply = network.sendCustomRequest(request, method, body);
        QSignalSpy finished(reply, &QNetworkReply::finished);
        EXPECT_TRUE(reply->isFinished() || finished.wait(ReplyTimeoutMs)) << "no answer for " << path.toStdString();
        HttpResult result{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll(),
                          QString::fromUtf8(reply->rawHeader("Location"))};
        reply->deleteLater();
        return result;
    }

    HttpResult get(const QString &path) { return request("GET", path); }
    HttpResult post(const QString &path, const QByteArray &body) { return request("POST", path, body); }

    // The head of a form post to the Yahoo compose page, ending in `framing`
    // (a Content-Length or Transfer-Encoding line).
    QByteArray composeHead(const QByteArray &framing) const
    {
        return "POST " + YahooCompose.toUtf8() + " HTTP/1.1\r\nHost: 127.0.0.1:" + QByteArray::number(site.port())
            + "\r\nContent-Type: application/x-www-form-urlencoded\r\n" + framing + "\r\n\r\n";
    }

    // Sends `bytes` on a connection of its own; the status code of the answer,
    // or 0 when the site closed the connection without one.
    int rawStatus(const QByteArray &bytes)
    {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, site.port());
        socket.write(bytes);
        EXPECT_TRUE(waitFor([&] { return socket.canReadLine() || socket.state() == QAbstractSocket::UnconnectedState; },
                            ReplyTimeoutMs));
        const QList<QByteArray> statusLine = socket.readLine().split(' ');
        return statusLine.size() > 1 ? statusLine.at(1).toInt() : 0;
    }

    // Substitutes this site's port for "{port}" and another one for "{otherPort}".
    QByteArray withPorts(const char *text) const
    {
        return QByteArray(text)
            .replace("{otherPort}", QByteArray::number(quint16(site.port() + 1)))
            .replace("{port}", QByteArray::number(site.port()));
    }

    DemoWebmailSite site;
    QNetworkAccessManager network;
};

TEST_F(DemoWebmailSiteTest, compose_sendsOnlyForASendMarkerAndARecipient)
{
    const QString yahooSent = QStringLiteral("/yahoo/sent?confirm=");
    const QString hotmailSent = QStringLiteral("/hotmail/sent?confirm=");
    // `expected`: where a send redirects to, or text the page shows when nothing was sent.
    const struct
    {
        const char *path;
        QByteArray form;
        int status; // 303: sent
        QString expected;
    } rows[] = {
        {"/yahoo/compose?box=Inbox", "To=a%40example.com&Subj=S&SEND=Send", 303, yahooSent},
        {"/yahoo/compose?box=Inbox&SEND", "To=a%40example.com&Subj=S", 303, yahooSent},
        {"/yahoo/compose?box=Inbox", "To=a%40example.com&SAVEDRAFT=Save+Draft", 200, QStringLiteral("Draft saved.")},
        {"/yahoo/compose?box=Inbox", "To=&Subj=S&SEND=Send", 200, NoRecipient},
        {"/yahoo/compose?box=Inbox", "To=+++&Subj=S&SEND=Send", 200, NoRecipient},
        {"/hotmail/compose?curmbox=F000000001", "to=x%40example.com&subject=S", 200, QStringLiteral(R"(value="x@example.com")")},
        {"/hotmail/compose?curmbox=F000000001", "to=x%40example.com&Send.x=12&Send.y=7", 303, hotmailSent},
        {"/hotmail/compose?curmbox=F000000001&Send.x", "to=x%40example.com", 303, hotmailSent},
        {"/hotmail/compose?Send.x", "to=&subject=S", 200, NoRecipient},
        // Addresses the site refuses, with an error page; also among others.
        {"/yahoo/compose?box=Inbox&SEND", "To=b%40refused.example&Subj=S", 403, QStringLiteral("refuses")},
        {"/hotmail/compose?Send.x", "to=a%40example.com%2C+B%40Refused.Example", 403, QStringLiteral("refuses")},
    };
    QSignalSpy announced(&site, &DemoWebmailSite::messageSent);
    for (const auto &row : rows) {
        SCOPED_TRACE(row.form.toStdString());
        const qsizetype sentBefore = site.sentMessages().size();
        const HttpResult answer = post(QString::fromUtf8(row.path), row.form);
        EXPECT_EQ(answer.status, row.status);
        EXPECT_EQ(site.sentMessages().size() - sentBefore, row.status == 303 ? 1 : 0);
        EXPECT_TRUE(row.status == 303 ? answer.location.startsWith(row.expected) : answer.text().contains(row.expected));
    }
    EXPECT_EQ(announced.size(), site.sentMessages().size());
}

TEST_F(DemoWebmailSiteTest, send_storesDecodedFieldsAndConfirmsThemEscaped_aDraftShowsThemEscaped)
{
    const QByteArray form = ".crumb=demo-crumb&box=Inbox&To=ann%40example.com&Cc=bob%40example.com&Bcc=carl%40example.com"
                            "&Subj=Re%3A+%3Cb%3EHello%2Bworld%3C%2Fb%3E+%26+co&Body=Gr%C3%BC%C3%9Fe%0D%0A%3Cscript%3Ex%3C%2Fscript%3E"
                            "&PlainMsg=&SEND=Send";
    const HttpResult answer = post(QStringLiteral("/yahoo/compose?box=Inbox"), form);
    ASSERT_EQ(site.sentMessages().size(), 1);
    EXPECT_EQ(site.sentMessages().first().toJson(), listed("yahoo", "ann@example.com", "bob@example.com", "carl@example.com",
                                                           "Re: <b>Hello+world</b> & co", "Grüße\r\n<script>x</script>"));
    EXPECT_EQ(site.sentMessages().first().rawBody, form);

    const QString confirmation = get(answer.location).text();
    EXPECT_TRUE(confirmation.contains(QStringLiteral("Message sent")));
    EXPECT_TRUE(confirmation.contains(QStringLiteral("Re: &lt;b&gt;Hello+world&lt;/b&gt; &amp; co")));
    EXPECT_FALSE(confirmation.contains(QStringLiteral("<b>Hello")) || confirmation.contains(QStringLiteral("<script>x")));

    const QString draft = post(YahooCompose, "To=%22Ann%22+%3Cann%40example.com%3E&Subj=Plan+%3Cdraft%3E&Body=a+%26+b&SAVEDRAFT=Save+Draft")
                              .text();
    EXPECT_TRUE(draft.contains(QStringLiteral(R"(value="&quot;Ann&quot; &lt;ann@example.com&gt;")")));
    EXPECT_TRUE(draft.contains(QStringLiteral(R"(value="Plan &lt;draft&gt;")")));
    EXPECT_TRUE(draft.contains(QStringLiteral("a &amp; b</textarea>")));
}

TEST_F(DemoWebmailSiteTest, sentListing_listsEveryMessageAndBothWaysOfClearingEmptyIt)
{
    post(QStringLiteral("/yahoo/compose?box=Inbox&SEND"), "To=a%40example.com&Subj=First&Body=1");
    post(QStringLiteral("/hotmail/compose?Send.x"), "to=b%40example.com&cc=c%40example.com&subject=Second&body=2");
    const QJsonArray listing = QJsonDocument::fromJson(get(QStringLiteral("/api/sent")).body).array();
    ASSERT_EQ(listing.size(), 2);
    EXPECT_EQ(listing.at(1).toObject(), listed("hotmail", "b@example.com", "c@example.com", "", "Second", "2"));

    EXPECT_EQ(request("DELETE", QStringLiteral("/api/sent")).status, 200);
    EXPECT_TRUE(site.sentMessages().isEmpty());
    post(QStringLiteral("/yahoo/compose?box=Inbox&SEND"), "To=a%40example.com&Subj=Third");
    EXPECT_EQ(post(QStringLiteral("/api/sent/clear"), "x=1").status, 200);
    EXPECT_TRUE(QJsonDocument::fromJson(get(QStringLiteral("/api/sent")).body).array().isEmpty());
}

TEST_F(DemoWebmailSiteTest, blog_postingFormSitsInTwoFramesAndPublishesWhatIsPosted)
{
    EXPECT_TRUE(get(QStringLiteral("/blog")).text().contains(QStringLiteral("<iframe name=\"inside\"")));
    EXPECT_TRUE(get(QStringLiteral("/blog/inside")).text().contains(QStringLiteral("<iframe name=\"blog_form\"")));
    EXPECT_EQ(controlNames(get(QStringLiteral("/blog/form")).text(), QStringLiteral("name=\"stuffform\"")),
              (QStringList{QStringLiteral("txtTitle"), QStringLiteral("txaBody"), QStringLiteral("btnPublish")}));

    const QString answer = post(QStringLiteral("/blog/form"), "txtTitle=Day+one&txaBody=%3Cp%3EHi+%26+bye%3C%2Fp%3E").text();
    EXPECT_TRUE(answer.contains(QStringLiteral("Published post 1."))) << answer.toStdString();
    ASSERT_EQ(site.blogPosts().size(), 1);
    EXPECT_EQ(site.blogPosts().first().title, QStringLiteral("Day one"));
    EXPECT_EQ(site.blogPosts().first().body, QStringLiteral("<p>Hi & bye</p>"));
    EXPECT_TRUE(get(QStringLiteral("/blog/posts")).text().contains(QStringLiteral("&lt;p&gt;Hi &amp; bye&lt;/p&gt;")));
}

TEST_F(DemoWebmailSiteTest, messagePages_showTheHeaderLabelsLineByLine)
{
    const auto &yahoo = ferrowen::demowebmail::YahooHeaderLabels;
    EXPECT_EQ(headerLines(get(QStringLiteral("/yahoo/message?id=1")).text()),
              QStringList({yahoo.from + QStringLiteral(" Ann Example <ann@example.com> | Add to Address Book"),
                           yahoo.to + QStringLiteral(" you@demo.example"),
                           yahoo.subject + QStringLiteral(" Lunch on Thursday?"),
                           yahoo.date + QStringLiteral(" Tue, 3 Nov 2026 09:14:00 +0000")}));

    const auto &hotmail = ferrowen::demowebmail::HotmailHeaderLabels;
    const QString hotmailPage = get(QStringLiteral("/hotmail/message?id=4")).text();
    EXPECT_EQ(headerLines(hotmailPage),
              QStringList({hotmail.from + QStringLiteral(" Sam Lee <sam@example.com>"),
                           hotmail.replyTo + QStringLiteral(" Sam Lee <sam.lee@home.example>"),
                           hotmail.to + QStringLiteral(" you@demo.example"),
                           hotmail.subject + QStringLiteral(" Re: weekend hike"),
                           hotmail.date + QStringLiteral(" Thu, 29 Oct 2026 21:33:10 +0000")}));
    // The message body is found by its id, or for Hotmail by its class.
    EXPECT_EQ(get(QStringLiteral("/yahoo/message?id=1")).text().count(QStringLiteral(R"(<div id="message">)")), 1);
    EXPECT_EQ(hotmailPage.count(QStringLiteral(R"(class="rmsg")")), 1);
}

TEST_F(DemoWebmailSiteTest, messagePages_comeInEveryLanguageAsPrintViewAndAsConversation)
{
    for (const auto &language : ferrowen::demowebmail::pageLanguages()) {
        const QString page = get(QStringLiteral("/hotmail/message?id=1&lang=") + language.code).text();
        EXPECT_EQ(headerLines(page).value(2), QString(language.hotmail.subject + QStringLiteral(" Meeting moved to 3 pm")))
            << language.code.toStdString();
    }
    EXPECT_EQ(headerLines(get(QStringLiteral("/yahoo/message?id=1&lang=xx")).text()).value(0),
              QString(ferrowen::demowebmail::YahooHeaderLabels.from + QStringLiteral(" Ann Example <ann@example.com> | Add to Address Book")));

    const QString print = get(QStringLiteral("/yahoo/message?id=1&view=print")).text();
    EXPECT_FALSE(print.contains(QStringLiteral(R"(id="message")")));
    EXPECT_TRUE(print.contains(QStringLiteral("Mill Street")));

    const QString conversation = get(QStringLiteral("/hotmail/message?id=6")).text();
    EXPECT_EQ(conversation.count(QStringLiteral(R"(class="rmsg")")), 2);
    EXPECT_LT(conversation.indexOf(QStringLiteral("Shall we book")), conversation.indexOf(QStringLiteral("Booked!")));
}

TEST_F(DemoWebmailSiteTest, inbox_escapesSubjectsAndKeepsTheTickedBoxes)
{
    EXPECT_TRUE(get(QStringLiteral("/yahoo/inbox")).text().contains(QStringLiteral("Q&amp;A notes: is the budget &lt; 500?")));
    const QString ticked = post(QStringLiteral("/yahoo/inbox"), ".crumb=x&Mid=2&Mid=5&DEL=Delete").text();
    EXPECT_TRUE(ticked.contains(QStringLiteral("Selected messages: 2, 5.")));
    EXPECT_TRUE(ticked.contains(QStringLiteral(R"(name="Mid" value="5" checked)")));
    EXPECT_FALSE(ticked.contains(QStringLiteral(R"(name="Mid" value="3" checked)")));
}

TEST_F(DemoWebmailSiteTest, requestBody_upToTheLimitIsTakenForEachRequestAndAnAnnouncedLargerOneRefusedBeforeItIsSent)
{
    constexpr qint64 Max = BoundedRequestSocket::MaxBodyBytes;
    // `sentBytes`: how much of the announced body is sent; the site must
    // answer a body it refuses without waiting for the rest.
    const struct
    {
        qint64 announced;
        qint64 sentBytes;
        int status;
    } rows[] = {
        {Max, Max, 303},
        {Max + 1, 1024, 413},
        {1'000'000'000'000, SendingForm.size(), 413},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.announced);
        const qsizetype sentBefore = site.sentMessages().size();
        const QByteArray body = sendingFormOfSize(row.sentBytes);
        EXPECT_EQ(rawStatus(composeHead("Content-Length: " + QByteArray::number(row.announced)) + body), row.status);
        ASSERT_EQ(site.sentMessages().size() - sentBefore, row.status == 303 ? 1 : 0);
        if (row.status == 303) {
            EXPECT_EQ(site.sentMessages().last().rawBody.size(), body.size());
        }
    }

    // The limit holds for each request of a connection alone.
    const QByteArray request = composeHead("Content-Length: " + QByteArray::number(Max)) + sendingFormOfSize(Max);
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, site.port());
    QByteArray answers;
    for (int sent = 1; sent <= 2; ++sent) {
        socket.write(request);
        ASSERT_TRUE(waitFor([&] { return (answers += socket.readAll()).count("HTTP/1.1 303 ") == sent; }, ReplyTimeoutMs))
            << answers.left(200).toStdString();
    }
}

TEST_F(DemoWebmailSiteTest, requestBody_growingPastTheLimitUnannouncedIsCutOffLongBeforeItEnds)
{
    // Far more than the limit and all that the two kernels' socket buffers
    // can hold: a site that kept reading would take it all.
    constexpr qint64 StreamedBytes = 16 * BoundedRequestSocket::MaxBodyBytes;
    const QByteArray mebibyte(1024 * 1024, 'x');
    const struct
    {
        const char *name;
        QByteArray framing;
        QByteArray piece;
    } rows[] = {
        {"chunked", "Transfer-Encoding: chunked", "100000\r\n" + mebibyte + "\r\n"},
        // The bytes beyond the announced length make an endless next request.
        {"longer than announced", "Content-Length: 10", mebibyte},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, site.port());
        ASSERT_TRUE(waitFor([&] { return socket.state() == QAbstractSocket::ConnectedState; }, ReplyTimeoutMs));
        socket.write(composeHead(row.framing));
        QByteArray answers;
        const auto refusedOrClosed = [&] {
            answers += socket.readAll();
            return answers.contains("HTTP/1.1 413 ") || socket.state() == QAbstractSocket::UnconnectedState;
        };
        qint64 streamed = 0;
        while (streamed < StreamedBytes && !refusedOrClosed()) {
            socket.write(row.piece);
            streamed += row.piece.size();
            // The next piece only once the kernel took this one: a site that
            // stopped reading without an answer stops the stream here.
            ASSERT_TRUE(waitFor([&] { return socket.bytesToWrite() == 0 || refusedOrClosed(); }, ReplyTimeoutMs))
                << "stalled after " << streamed << " bytes";
        }
        EXPECT_GT(streamed, BoundedRequestSocket::MaxHeadBytes + BoundedRequestSocket::MaxBodyBytes);
        EXPECT_LT(streamed, StreamedBytes);
    }
}

// Days of posts must not make the site hoard memory nor its pages slow:
// it keeps the newest posts up to its budget and lists their beginnings.
TEST_F(DemoWebmailSiteTest, largePosts_keepTheNewestWithinTheBudgetAndListOnlyTheirBeginnings)
{
    using ferrowen::demowebmail::RetainedPosts::MaxBytes;
    constexpr int Posts = 5;
    const QByteArray blogForm = "txtTitle=Big&txaBody=";
    for (int i = 1; i <= Posts; ++i) {
        ASSERT_EQ(post(YahooCompose, sendingFormOfSize(BoundedRequestSocket::MaxBodyBytes)).status, 303);
        ASSERT_EQ(post(QStringLiteral("/blog/form"), blogForm + QByteArray(BoundedRequestSocket::MaxBodyBytes - blogForm.size(), 'x')).status, 200);
    }
    const QList<SentMessage> sent = site.sentMessages();
    ASSERT_FALSE(sent.isEmpty());
    EXPECT_LT(sent.size(), Posts);
    EXPECT_EQ(sent.last().id, Posts);
    qint64 kept = 0;
    for (const SentMessage &message : sent)
        kept += message.retainedBytes();
    EXPECT_LE(kept, MaxBytes);
    EXPECT_LT(site.blogPosts().size(), Posts);
    EXPECT_EQ(site.blogPosts().last().id, Posts);

    for (const char *listing : {"/yahoo/sent", "/blog/posts"}) {
        const HttpResult page = get(QString::fromLatin1(listing));
        EXPECT_EQ(page.status, 200) << listing;
        EXPECT_LT(page.body.size(), 64 * 1024) << listing;
        EXPECT_TRUE(page.text().contains(QStringLiteral("more characters]"))) << listing;
    }
}

// Browsers keep connections open for later requests; clients may open one
// and never use it. The site closes idle ones and holds a bounded number.
TEST_F(DemoWebmailSiteTest, connections_idleOnesAreClosedAndTheirNumberIsBounded)
{
    DemoWebmailSite quick;
    quick.setIdleTimeout(std::chrono::milliseconds(200));
    ASSERT_TRUE(quick.listen());
    for (const QByteArray &sent : {QByteArray(), QByteArray("GET /yahoo/inbox HTTP/1.1\r\nHost: x\r\n\r\n")}) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, quick.port());
        ASSERT_TRUE(socket.waitForConnected(ReplyTimeoutMs));
        socket.write(sent);
        QByteArray answer;
        EXPECT_TRUE(waitFor([&] {
            answer += socket.readAll();
            return socket.state() == QAbstractSocket::UnconnectedState;
        }, ReplyTimeoutMs)) << "still open after sending " << sent.size() << " bytes";
        EXPECT_EQ(answer.startsWith("HTTP/1.1 200 "), !sent.isEmpty());
    }

    std::vector<std::unique_ptr<QTcpSocket>> sockets;
    for (int i = 0; i < ferrowen::demowebmail::BoundedRequestServer::MaxConnections; ++i) {
        sockets.push_back(std::make_unique<QTcpSocket>());
        sockets.back()->connectToHost(QHostAddress::LocalHost, site.port());
        // With the event loop running, so the site takes each connection in turn.
        ASSERT_TRUE(waitFor([&] { return sockets.back()->state() == QAbstractSocket::ConnectedState; }, ReplyTimeoutMs)) << i;
    }
    QTcpSocket beyond;
    bool connected = false;
    QObject::connect(&beyond, &QTcpSocket::connected, [&connected] { connected = true; });
    beyond.connectToHost(QHostAddress::LocalHost, site.port());
    EXPECT_TRUE(waitFor([&] { return connected && beyond.state() == QAbstractSocket::UnconnectedState; }, ReplyTimeoutMs))
        << "a connection beyond the bound stays open";
    EXPECT_EQ(sockets.front()->state(), QAbstractSocket::ConnectedState);
    sockets.clear();
    EXPECT_TRUE(waitFor([&] { return rawStatus("GET /yahoo/inbox HTTP/1.1\r\nHost: x\r\n\r\n") == 200; },
                        ReplyTimeoutMs))
        << "closed connections make room again";
}

TEST_F(DemoWebmailSiteTest, writesAreRefusedWhenTheirOriginOrElseTheirRefererIsAnotherSite_readsAreNot)
{
    const struct
    {
        const char *method;
        const char *path;
        const char *origin; // nullptr: no such header
        const char *referer;
        int status; // 303: sent
    } rows[] = {
        {"POST", "/yahoo/compose?box=Inbox", nullptr, nullptr, 303},
        {"POST", "/yahoo/compose?box=Inbox", "http://127.0.0.1:{port}", nullptr, 303},
        {"POST", "/yahoo/compose?box=Inbox", "http://localhost:{port}", nullptr, 303},
        {"POST", "/yahoo/compose?box=Inbox", "http://127.0.0.1:{otherPort}", nullptr, 403},
        {"POST", "/yahoo/compose?box=Inbox", "http://evil.example:{port}", nullptr, 403},
        {"POST", "/yahoo/compose?box=Inbox", "https://127.0.0.1:{port}", nullptr, 403},
        {"POST", "/yahoo/compose?box=Inbox", "null", nullptr, 403},
        {"POST", "/yahoo/compose?box=Inbox", nullptr, "http://127.0.0.1:{port}/yahoo/compose?box=Inbox", 303},
        {"POST", "/yahoo/compose?box=Inbox", nullptr, "http://localhost:{port}/", 303},
        {"POST", "/yahoo/compose?box=Inbox", nullptr, "http://evil.example/form.html", 403},
        {"POST", "/yahoo/compose?box=Inbox", nullptr, "http://127.0.0.1:{otherPort}/yahoo/compose", 403},
        {"POST", "/yahoo/compose?box=Inbox", "http://127.0.0.1:{port}", "http://evil.example/", 303},
        {"POST", "/yahoo/compose?box=Inbox", "null", "http://127.0.0.1:{port}/yahoo/compose", 403},
        // Every other write, and reads.
        {"DELETE", "/api/sent", "http://evil.example", nullptr, 403},
        {"POST", "/api/sent/clear", "http://evil.example", nullptr, 403},
        {"POST", "/yahoo/inbox", "http://evil.example", nullptr, 403},
        {"POST", "/hotmail/login", "http://evil.example", nullptr, 403},
        {"PUT", "/yahoo/compose", "http://evil.example", nullptr, 403},
        {"POST", "/nowhere", "http://evil.example", nullptr, 403},
        {"GET", "/api/sent", "http://evil.example", nullptr, 200},
        {"GET", "/yahoo/inbox", "http://evil.example", nullptr, 200},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(std::string(row.method) + " " + row.path + ", Origin " + (row.origin ? row.origin : "-") + ", Referer "
                     + (row.referer ? row.referer : "-"));
        Headers headers;
        if (row.origin)
            headers.append({"Origin", withPorts(row.origin)});
        if (row.referer)
            headers.append({"Referer", withPorts(row.referer)});
        const qsizetype sentBefore = site.sentMessages().size();
        EXPECT_EQ(request(row.method, QString::fromUtf8(row.path), SendingForm, headers).status, row.status);
        EXPECT_EQ(site.sentMessages().size() - sentBefore, row.status == 303 ? 1 : 0);
    }
    EXPECT_FALSE(site.sentMessages().isEmpty()) << "a refused clearing cleared";
}

TEST_F(DemoWebmailSiteTest, listensOnLoopbackOnlyAndTheProgramSaysWhereOrWhyNot)
{
    for (const QHostAddress &other : {QHostAddress(QStringLiteral("127.0.0.2")), QHostAddress(QHostAddress::LocalHostIPv6)}) {
        QTcpSocket socket;
        socket.connectToHost(other, site.port());
        if (socket.state() != QAbstractSocket::UnconnectedState)
            socket.waitForConnected(ReplyTimeoutMs);
        EXPECT_NE(socket.state(), QAbstractSocket::ConnectedState) << other.toString().toStdString();
    }

    QProcess program;
    program.start(QStringLiteral(FERROWEN_DEMO_WEBMAIL_EXE), {QStringLiteral("--port"), QStringLiteral("0")});
    ASSERT_TRUE(program.waitForReadyRead(ReplyTimeoutMs));
    const QUrl address(QString::fromUtf8(program.readLine()).trimmed());
    EXPECT_EQ(address.host(), QStringLiteral("127.0.0.1"));
    EXPECT_GT(address.port(), 0);
    program.kill();
    program.waitForFinished(ReplyTimeoutMs);

    QProcess onATakenPort;
    onATakenPort.start(QStringLiteral(FERROWEN_DEMO_WEBMAIL_EXE), {QStringLiteral("--port"), QString::number(site.port())});
    ASSERT_TRUE(onATakenPort.waitForFinished(ReplyTimeoutMs));
    EXPECT_NE(onATakenPort.exitCode(), 0);
    EXPECT_TRUE(onATakenPort.readAllStandardError().contains(QByteArray::number(site.port())));

    // Answers that end the program at once, without listening.
    const ferrowen::testing::CommandLineAnswer rows[] = {
        {{QStringLiteral("--version")}, 0, "ferrowen-demo-webmail " FERROWEN_EXPECTED_VERSION "\n", ""},
        {{QStringLiteral("--help")}, 0, "Usage: ferrowen-demo-webmail [options]\n", ""},
        {{QStringLiteral("--bogus")}, 2, "", "Unknown option 'bogus'."},
        {{QStringLiteral("--port")}, 2, "", "Missing value after '--port'."},
        {{QStringLiteral("--port"), QStringLiteral("70000")}, 2, "", "is not a port number"},
        {{QStringLiteral("extra")}, 2, "", "unexpected argument 'extra'"},
    };
    for (const auto &row : rows)
        ferrowen::testing::expectAnswer(QStringLiteral(FERROWEN_DEMO_WEBMAIL_EXE), row);
}

} // namespace
