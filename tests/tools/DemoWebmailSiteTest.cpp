#include "demowebmail/DemoWebmailSite.h"
#include "demowebmail/HeaderLabels.h"

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

namespace {

constexpr int ReplyTimeoutMs = 10000;

struct HttpResult
{
    int status = 0;
    QByteArray body;
    QString location;

    QString text() const { return QString::fromUtf8(body); }
};

// The names of a form's controls in document order, read from the page
// source between the form's opening and closing tags.
QStringList controlNames(const QString &page, const QString &formOpening)
{
    const int start = page.indexOf(formOpening);
    const int end = page.indexOf(QStringLiteral("</form>"), start);
    if (start < 0 || end < 0)
        return {};
    static const QRegularExpression control(QStringLiteral(R"re(<(?:input|textarea|select)\b[^>]*\bname="([^"]*)")re"));
    QStringList names;
    auto matches = control.globalMatch(page.mid(start, end - start));
    while (matches.hasNext())
        names.append(matches.next().captured(1));
    return names;
}

// The text a browser shows for one line of markup without block elements.
QString visibleText(QString markup)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    markup.remove(tag);
    markup.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    markup.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    markup.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    markup.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return markup;
}

// The rendered text of each header line of a displayed message.
QStringList headerLines(const QString &page)
{
    static const QRegularExpression line(QStringLiteral(R"(<div class="hdr">(.*?)</div>)"));
    QStringList lines;
    auto matches = line.globalMatch(page);
    while (matches.hasNext())
        lines.append(visibleText(matches.next().captured(1)));
    return lines;
}

class DemoWebmailSiteTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(site.listen()) << site.errorString().toStdString(); }

    HttpResult request(const QByteArray &method, const QString &path, const QByteArray &body = {})
    {
        QNetworkRequest request(site.baseUrl().resolved(QUrl(path)));
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
        if (!body.isEmpty())
            request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("application/x-www-form-urlencoded"));
        QNetworkReply *reply = network.sendCustomRequest(request, method, body);
        QSignalSpy finished(reply, &QNetworkReply::finished);
        if (!reply->isFinished()) {
            EXPECT_TRUE(finished.wait(ReplyTimeoutMs)) << "no answer for " << path.toStdString();
        }
        HttpResult result;
        result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        result.body = reply->readAll();
        result.location = QString::fromUtf8(reply->rawHeader("Location"));
        reply->deleteLater();
        return result;
    }

    HttpResult get(const QString &path) { return request("GET", path); }
    HttpResult post(const QString &path, const QByteArray &body) { return request("POST", path, body); }

    DemoWebmailSite site;
    QNetworkAccessManager network;
};

TEST_F(DemoWebmailSiteTest, composePages_listTheirFieldsWithHiddenInputsBeforeTo)
{
    const QString yahoo = get(QStringLiteral("/yahoo/compose")).text();
    EXPECT_EQ(controlNames(yahoo, QStringLiteral(R"(<form name="Compose" method="post" action="/yahoo/compose?box=Inbox")")),
              QStringList({QStringLiteral(".crumb"), QStringLiteral("box"), QStringLiteral("To"), QStringLiteral("Cc"),
                           QStringLiteral("Bcc"), QStringLiteral("Subj"), QStringLiteral("Body"),
                           QStringLiteral("PlainMsg"), QStringLiteral("SEND"), QStringLiteral("SAVEDRAFT")}));
    EXPECT_FALSE(yahoo.contains(QStringLiteral(R"(id="plainmsg")"), Qt::CaseInsensitive));

    const QString hotmail = get(QStringLiteral("/hotmail/compose")).text();
    EXPECT_EQ(controlNames(hotmail,
                           QStringLiteral(R"(<form name="composeform" method="post" action="/hotmail/compose?curmbox=F000000001")")),
              QStringList({QStringLiteral("curmbox"), QStringLiteral("a"), QStringLiteral("to"), QStringLiteral("cc"),
                           QStringLiteral("bcc"), QStringLiteral("subject"), QStringLiteral("body"),
                           QStringLiteral("Send")}));
    EXPECT_TRUE(hotmail.contains(QStringLiteral(R"(<input type="image" name="Send")")));
}

TEST_F(DemoWebmailSiteTest, richCompose_hasNoFormTheMergeCouldFill)
{
    const QString page = get(QStringLiteral("/yahoo/compose-rich")).text();
    EXPECT_TRUE(page.contains(QStringLiteral(R"(<form name="RTEcompose")")));
    EXPECT_TRUE(page.contains(QStringLiteral("contenteditable")));
    static const QRegularExpression composeForm(QStringLiteral(R"re(<form name="(compose|composeform)")re"),
                                                QRegularExpression::CaseInsensitiveOption);
    EXPECT_FALSE(composeForm.match(page).hasMatch());
    EXPECT_FALSE(page.contains(QStringLiteral(R"(name="To")")));
}

TEST_F(DemoWebmailSiteTest, yahooSendButton_storesDecodedFieldsAndRedirectsElsewhere)
{
    QSignalSpy announced(&site, &DemoWebmailSite::messageSent);
    const QByteArray form = ".crumb=demo-crumb&box=Inbox&To=ann%40example.com&Cc=bob%40example.com&Bcc=carl%40example.com"
                            "&Subj=Re%3A+Hello%2Bworld&Body=Viele+Gr%C3%BC%C3%9Fe%0D%0Azweite+Zeile&PlainMsg=&SEND=Send";
    const HttpResult answer = post(QStringLiteral("/yahoo/compose?box=Inbox"), form);

    EXPECT_EQ(answer.status, 303);
    EXPECT_TRUE(answer.location.startsWith(QStringLiteral("/yahoo/sent?confirm=")));
    ASSERT_EQ(site.sentMessages().size(), 1);
    const SentMessage sent = site.sentMessages().first();
    EXPECT_EQ(sent.mailbox, QStringLiteral("yahoo"));
    EXPECT_EQ(sent.to, QStringLiteral("ann@example.com"));
    EXPECT_EQ(sent.cc, QStringLiteral("bob@example.com"));
    EXPECT_EQ(sent.bcc, QStringLiteral("carl@example.com"));
    EXPECT_EQ(sent.subject, QStringLiteral("Re: Hello+world"));
    EXPECT_EQ(sent.body, QStringLiteral("Viele Grüße\r\nzweite Zeile"));
    EXPECT_EQ(sent.rawBody, form);
    EXPECT_EQ(announced.size(), 1);

    const QString confirmation = get(answer.location).text();
    EXPECT_TRUE(confirmation.contains(QStringLiteral("Message sent")));
    EXPECT_TRUE(confirmation.contains(QStringLiteral("Re: Hello+world")));
}

TEST_F(DemoWebmailSiteTest, yahooSendMarkerInActionQuery_sendsWithoutTheButton)
{
    const HttpResult answer = post(QStringLiteral("/yahoo/compose?box=Inbox&SEND"),
                                   "To=dora%40example.com&Subj=Hi+Dora&Body=Merged");
    EXPECT_EQ(answer.status, 303);
    ASSERT_EQ(site.sentMessages().size(), 1);
    EXPECT_EQ(site.sentMessages().first().to, QStringLiteral("dora@example.com"));
    EXPECT_EQ(site.sentMessages().first().subject, QStringLiteral("Hi Dora"));
}

TEST_F(DemoWebmailSiteTest, saveDraft_storesNothingAndKeepsTheEscapedValues)
{
    const HttpResult answer = post(QStringLiteral("/yahoo/compose?box=Inbox"),
                                   "To=%22Ann%22+%3Cann%40example.com%3E&Subj=Plan+%3Cdraft%3E&Body=a+%26+b&SAVEDRAFT=Save+Draft");
    EXPECT_EQ(answer.status, 200);
    EXPECT_TRUE(site.sentMessages().isEmpty());
    const QString page = answer.text();
    EXPECT_TRUE(page.contains(QStringLiteral("Draft saved.")));
    EXPECT_TRUE(page.contains(QStringLiteral(R"(value="&quot;Ann&quot; &lt;ann@example.com&gt;")")));
    EXPECT_TRUE(page.contains(QStringLiteral(R"(value="Plan &lt;draft&gt;")")));
    EXPECT_TRUE(page.contains(QStringLiteral("a &amp; b</textarea>")));
}

TEST_F(DemoWebmailSiteTest, hotmailSend_needsTheImageButtonCoordinatesInDataOrQuery)
{
    EXPECT_EQ(post(QStringLiteral("/hotmail/compose?curmbox=F000000001"), "curmbox=F000000001&to=x%40example.com&subject=plain+submit").status,
              200);
    EXPECT_TRUE(site.sentMessages().isEmpty());

    const HttpResult byButton = post(QStringLiteral("/hotmail/compose?curmbox=F000000001"),
                                     "curmbox=F000000001&a=demo&to=eve%40example.com&cc=&bcc=&subject=By+button&body=B&Send.x=12&Send.y=7");
    EXPECT_EQ(byButton.status, 303);
    EXPECT_TRUE(byButton.location.startsWith(QStringLiteral("/hotmail/sent?confirm=")));

    const HttpResult byQuery = post(QStringLiteral("/hotmail/compose?curmbox=F000000001&Send.x"),
                                    "to=fay%40example.com&subject=By+query&body=Q");
    EXPECT_EQ(byQuery.status, 303);

    const QList<SentMessage> sent = site.sentMessages();
    ASSERT_EQ(sent.size(), 2);
    EXPECT_EQ(sent[0].mailbox, QStringLiteral("hotmail"));
    EXPECT_EQ(sent[0].to, QStringLiteral("eve@example.com"));
    EXPECT_EQ(sent[1].subject, QStringLiteral("By query"));
    EXPECT_NE(byButton.location, byQuery.location);
}

TEST_F(DemoWebmailSiteTest, sendWithoutRecipient_showsTheErrorAndStoresNothing)
{
    for (const QByteArray &to : {QByteArray(""), QByteArray("+++")}) {
        const HttpResult answer = post(QStringLiteral("/yahoo/compose?box=Inbox"), "To=" + to + "&Subj=S&Body=B&SEND=Send");
        EXPECT_EQ(answer.status, 200);
        EXPECT_TRUE(answer.text().contains(QStringLiteral("Please specify at least one recipient.")));
    }
    EXPECT_TRUE(post(QStringLiteral("/hotmail/compose?curmbox=F000000001&Send.x"), "to=&subject=S")
                    .text()
                    .contains(QStringLiteral("Please specify at least one recipient.")));
    EXPECT_TRUE(site.sentMessages().isEmpty());
}

TEST_F(DemoWebmailSiteTest, sentListing_listsEveryMessageAndBothWaysOfClearingEmptyIt)
{
    post(QStringLiteral("/yahoo/compose?box=Inbox&SEND"), "To=a%40example.com&Subj=First&Body=1");
    post(QStringLiteral("/hotmail/compose?Send.x"), "to=b%40example.com&cc=c%40example.com&subject=Second&body=2");

    const QJsonArray listing = QJsonDocument::fromJson(get(QStringLiteral("/api/sent")).body).array();
    ASSERT_EQ(listing.size(), 2);
    const QJsonObject second = listing.at(1).toObject();
    EXPECT_EQ(second.value(QStringLiteral("mailbox")).toString(), QStringLiteral("hotmail"));
    EXPECT_EQ(second.value(QStringLiteral("to")).toString(), QStringLiteral("b@example.com"));
    EXPECT_EQ(second.value(QStringLiteral("cc")).toString(), QStringLiteral("c@example.com"));
    EXPECT_EQ(second.value(QStringLiteral("bcc")).toString(), QString());
    EXPECT_EQ(second.value(QStringLiteral("subject")).toString(), QStringLiteral("Second"));
    EXPECT_EQ(second.value(QStringLiteral("body")).toString(), QStringLiteral("2"));

    EXPECT_EQ(request("DELETE", QStringLiteral("/api/sent")).status, 200);
    EXPECT_TRUE(site.sentMessages().isEmpty());

    post(QStringLiteral("/yahoo/compose?box=Inbox&SEND"), "To=a%40example.com&Subj=Third");
    EXPECT_EQ(post(QStringLiteral("/api/sent/clear"), "x=1").status, 200);
    EXPECT_TRUE(QJsonDocument::fromJson(get(QStringLiteral("/api/sent")).body).array().isEmpty());
}

TEST_F(DemoWebmailSiteTest, sentPage_escapesMarkupInWhatWasSent)
{
    const HttpResult answer = post(QStringLiteral("/yahoo/compose?box=Inbox&SEND"),
                                   "To=a%40example.com&Subj=%3Cb%3Ebold%3C%2Fb%3E+%26+co&Body=%3Cscript%3Ex%3C%2Fscript%3E");
    const QString page = get(answer.location).text();
    EXPECT_TRUE(page.contains(QStringLiteral("&lt;b&gt;bold&lt;/b&gt; &amp; co")));
    EXPECT_FALSE(page.contains(QStringLiteral("<b>bold</b>")));
    EXPECT_FALSE(page.contains(QStringLiteral("<script>x")));
}

TEST_F(DemoWebmailSiteTest, unknownAddresses_answer404)
{
    for (const QString &path : {QStringLiteral("/nothing"), QStringLiteral("/yahoo/compose-x"),
                                QStringLiteral("/yahoo/message?id=999"), QStringLiteral("/hotmail/message?id=abc"),
                                QStringLiteral("/hotmail/compose/")}) {
        EXPECT_EQ(get(path).status, 404) << path.toStdString();
    }
}

TEST_F(DemoWebmailSiteTest, messagePages_showTheHeaderLabelsLineByLine)
{
    const auto &yahoo = ferrowen::demowebmail::YahooHeaderLabels;
    const QString yahooPage = get(QStringLiteral("/yahoo/message?id=1")).text();
    EXPECT_EQ(headerLines(yahooPage),
              QStringList({yahoo.from + QStringLiteral(" Ann Example <ann@example.com> | Add to Address Book"),
                           yahoo.to + QStringLiteral(" you@demo.example"),
                           yahoo.subject + QStringLiteral(" Lunch on Thursday?"),
                           yahoo.date + QStringLiteral(" Tue, 3 Nov 2026 09:14:00 +0000")}));
    EXPECT_TRUE(yahooPage.contains(QStringLiteral(R"(<div id="message">Hi,)")));

    const auto &hotmail = ferrowen::demowebmail::HotmailHeaderLabels;
    const QString hotmailPage = get(QStringLiteral("/hotmail/message?id=4")).text();
    EXPECT_EQ(headerLines(hotmailPage),
              QStringList({hotmail.from + QStringLiteral(" Sam Lee <sam@example.com>"),
                           hotmail.replyTo + QStringLiteral(" Sam Lee <sam.lee@home.example>"),
                           hotmail.to + QStringLiteral(" you@demo.example"),
                           hotmail.subject + QStringLiteral(" Re: weekend hike"),
                           hotmail.date + QStringLiteral(" Thu, 29 Oct 2026 21:33:10 +0000")}));
    EXPECT_EQ(hotmailPage.count(QStringLiteral(R"(class="rmsg")")), 1);
}

TEST_F(DemoWebmailSiteTest, inboxes_carryTheCheckBoxesTheClientLooksFor)
{
    const QString yahoo = get(QStringLiteral("/yahoo/inbox")).text();
    const QStringList yahooNames = controlNames(yahoo, QStringLiteral(R"(<form name="messageList")"));
    EXPECT_EQ(yahooNames.count(QStringLiteral("Mid")), 6);
    EXPECT_GT(yahooNames.size(), 6); // other controls the client must skip
    EXPECT_TRUE(yahoo.contains(QStringLiteral("Q&amp;A notes: is the budget &lt; 500?")));

    const QString hotmail = get(QStringLiteral("/hotmail/inbox")).text();
    static const QRegularExpression checkBox(QStringLiteral(R"re(<input type="checkbox" name="([^"]*)")re"));
    QStringList boxes;
    auto matches = checkBox.globalMatch(hotmail);
    while (matches.hasNext())
        boxes.append(matches.next().captured(1));
    ASSERT_EQ(boxes.size(), 6);
    EXPECT_EQ(boxes.first(), QStringLiteral("allbox"));
    EXPECT_TRUE(boxes.mid(1).filter(QRegularExpression(QStringLiteral("^msg_\\d+$"))).size() == 5);
}

TEST_F(DemoWebmailSiteTest, inboxPost_reportsAndKeepsTheTickedBoxes)
{
    const QString page = post(QStringLiteral("/yahoo/inbox"), ".crumb=x&Mid=2&Mid=5&DEL=Delete").text();
    EXPECT_TRUE(page.contains(QStringLiteral("Selected messages: 2, 5.")));
    EXPECT_TRUE(page.contains(QStringLiteral(R"(name="Mid" value="5" checked)")));
    EXPECT_FALSE(page.contains(QStringLiteral(R"(name="Mid" value="3" checked)")));
}

TEST_F(DemoWebmailSiteTest, hotmailPages_neverPointAtAnAddressNamingYahoo)
{
    static const QRegularExpression address(QStringLiteral(R"re(\b(?:href|action|src)="([^"]*)")re"));
    for (const QString &page : {QStringLiteral("login"), QStringLiteral("inbox"), QStringLiteral("message?id=1"),
                                QStringLiteral("compose"), QStringLiteral("compose-rich"), QStringLiteral("calendar"),
                                QStringLiteral("sent")}) {
        const QString text = get(QStringLiteral("/hotmail/") + page).text();
        auto matches = address.globalMatch(text);
        int seen = 0;
        while (matches.hasNext()) {
            const QString target = matches.next().captured(1);
            EXPECT_FALSE(target.contains(QStringLiteral("yahoo"), Qt::CaseInsensitive)) << target.toStdString();
            ++seen;
        }
        EXPECT_GT(seen, 0) << page.toStdString();
    }
}

TEST_F(DemoWebmailSiteTest, listensOnLoopbackAddressOnly)
{
    EXPECT_EQ(site.baseUrl().host(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(site.baseUrl().port(), site.port());

    for (const QHostAddress &other : {QHostAddress(QStringLiteral("127.0.0.2")), QHostAddress(QHostAddress::LocalHostIPv6)}) {
        QTcpSocket socket;
        QSignalSpy failed(&socket, &QTcpSocket::errorOccurred);
        socket.connectToHost(other, site.port());
        if (socket.state() != QAbstractSocket::UnconnectedState)
            socket.waitForConnected(ReplyTimeoutMs);
        EXPECT_NE(socket.state(), QAbstractSocket::ConnectedState) << other.toString().toStdString();
    }

    DemoWebmailSite second;
    EXPECT_FALSE(second.listen(site.port()));
    EXPECT_FALSE(second.errorString().isEmpty());
}

TEST(DemoWebmailProgram, printsItsAddressAndRefusesATakenPort)
{
    QProcess program;
    program.start(QStringLiteral(FERROWEN_DEMO_WEBMAIL_EXE), {QStringLiteral("--port"), QStringLiteral("0")});
    ASSERT_TRUE(program.waitForReadyRead(ReplyTimeoutMs));
    const QUrl address(QString::fromUtf8(program.readLine()).trimmed());
    EXPECT_EQ(address.host(), QStringLiteral("127.0.0.1"));
    EXPECT_GT(address.port(), 0);

    QProcess second;
    second.start(QStringLiteral(FERROWEN_DEMO_WEBMAIL_EXE), {QStringLiteral("--port"), QString::number(address.port())});
    ASSERT_TRUE(second.waitForFinished(ReplyTimeoutMs));
    EXPECT_NE(second.exitCode(), 0);
    EXPECT_TRUE(second.readAllStandardError().contains(QByteArray::number(address.port())));

    program.kill();
    program.waitForFinished(ReplyTimeoutMs);
}

} // namespace
