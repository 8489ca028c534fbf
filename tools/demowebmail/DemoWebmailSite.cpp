#include "demowebmail/DemoWebmailSite.h"

#include "demowebmail/BlogPages.h"
#include "demowebmail/BoundedRequestServer.h"
#include "demowebmail/ComposeSubmission.h"
#include "demowebmail/CrossSiteWriteRule.h"
#include "demowebmail/FormFields.h"
#include "demowebmail/MailboxPages.h"
#include "demowebmail/PageFrame.h"
#include "demowebmail/PageSize.h"
#include "demowebmail/PageTemplate.h"
#include "demowebmail/RetainedPosts.h"

#include <QHttpServer>
#include <QHttpServerResponder>
#include <QTcpSocket>
#include <QTimer>
#include <QHttpServerRequest>
#include <QHttpServerResponse>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringEncoder>

#include <algorithm>

namespace ferrowen {

using demowebmail::ComposeSubmission;
using demowebmail::FormFields;
using demowebmail::MailboxPages;
using demowebmail::PageFrame;
using demowebmail::PageSize;
using demowebmail::PageTemplate;
using Method = QHttpServerRequest::Method;
using HttpStatus = QHttpServerResponder::StatusCode;

namespace {

const QString MissingRecipientText = QStringLiteral("Please specify at least one recipient.");

QHttpServerResponse htmlResponse(const QString &html, HttpStatus status = HttpStatus::Ok,
                                 const QString &charset = QStringLiteral("UTF-8"))
{
    QStringEncoder encoder(charset.toLatin1().constData());
    QHttpServerResponse response("text/html; charset=" + charset.toLatin1(), QByteArray(encoder.encode(html)), status);
    // Pages change with every post; a cached compose page would hide that.
    response.addHeader(QByteArrayLiteral("Cache-Control"), QByteArrayLiteral("no-store"));
    return response;
}

QHttpServerResponse resourceResponse(const QString &name, const QByteArray &mimeType)
{
    return QHttpServerResponse(mimeType, PageTemplate::resourceText(name).toUtf8());
}

QHttpServerResponse redirectTo(const QString &location, HttpStatus status = HttpStatus::SeeOther)
{
    const QString link = PageTemplate::render(QStringLiteral("<a href=\"{{location}}\">{{location}}</a>"),
                                              {{QStringLiteral("location"), location}});
    QHttpServerResponse response(QByteArrayLiteral("text/html; charset=utf-8"), link.toUtf8(), status);
    response.addHeader(QByteArrayLiteral("Location"), location.toUtf8());
    return response;
}

QHttpServerResponse jsonResponse(const QJsonDocument &document)
{
    return QHttpServerResponse(QByteArrayLiteral("application/json"), document.toJson(QJsonDocument::Compact));
}

QHttpServerResponse methodNotAllowed()
{
    return QHttpServerResponse(QByteArrayLiteral("text/plain"), QByteArrayLiteral("Method not allowed\n"),
                               HttpStatus::MethodNotAllowed);
}

QHttpServerResponse forbiddenCrossSite()
{
    return QHttpServerResponse(QByteArrayLiteral("text/plain"),
                               QByteArrayLiteral("The demo site takes posts from its own pages only.\n"),
                               HttpStatus::Forbidden);
}

QString notFoundPage(const QString &path)
{
    const QString content = PageTemplate::renderResource(QStringLiteral("common/notfound.html"),
                                                         {{QStringLiteral("path"), path}});
    return PageFrame{QStringLiteral("Page not found"), {}, {}, QStringLiteral("notfound"), {}, {}}.wrap(content);
}

QByteArray rawQuery(const QHttpServerRequest &request)
{
    return request.url().query(QUrl::FullyEncoded).toUtf8();
}

bool isRead(const QHttpServerRequest &request)
{
    return request.method() == Method::Get || request.method() == Method::Head;
}

QString inboxNotice(const QSet<int> &ticked)
{
    if (ticked.isEmpty())
        return QStringLiteral("Tick at least one message first.");
    QList<int> ids(ticked.cbegin(), ticked.cend());
    std::sort(ids.begin(), ids.end());
    QStringList numbers;
    for (int id : ids)
        numbers.append(QString::number(id));
    return QStringLiteral("Selected messages: %1. The demo mailbox keeps its messages.")
        .arg(numbers.join(QStringLiteral(", ")));
}

QString refusedPage(const QString &to)
{
    const QString content = PageTemplate::render(
        QStringLiteral("<section class=\"panel\"><h1>Message not sent</h1><p class=\"error\">The demo site refuses "
                       "to send to addresses at {{domain}}: {{to}}</p></section>"),
        {{QStringLiteral("domain"), QString(ComposeSubmission::RefusedDomain)}, {QStringLiteral("to"), to}});
    return PageFrame{QStringLiteral("Message not sent"), {}, {}, QStringLiteral("notfound"), {}, {}}.wrap(content);
}

} // namespace

DemoWebmailSite::DemoWebmailSite(QObject *parent)
    : QObject(parent)
    , m_blog(std::make_unique<demowebmail::BlogPages>())
    , m_server(std::make_unique<QHttpServer>())
{
    m_mailboxes.push_back(std::make_unique<MailboxPages>(demowebmail::yahooMailbox()));
    m_mailboxes.push_back(std::make_unique<MailboxPages>(demowebmail::hotmailMailbox()));

    // Ahead of every other route: any other local page open in a browser
    // could post to the site.
    m_server->route<demowebmail::CrossSiteWriteRule>([this] { return port(); }, [] { return forbiddenCrossSite(); });
    addSiteRoutes();
    addBlogRoutes();
    for (auto &pages : m_mailboxes)
        addMailboxRoutes(*pages);

    m_server->setMissingHandler([](const QHttpServerRequest &request, QHttpServerResponder &&responder) {
        htmlResponse(notFoundPage(request.url().path()), HttpStatus::NotFound).write(std::move(responder));
    });
}

DemoWebmailSite::~DemoWebmailSite() = default;

Status DemoWebmailSite::listen(quint16 port)
{
    if (m_tcpServer)
        return Status::failure(QStringLiteral("The site is already listening on port %1.").arg(this->port()));
    auto tcpServer = std::make_unique<demowebmail::BoundedRequestServer>(m_idleTimeout);
    if (!tcpServer->listen(QHostAddress::LocalHost, port))
        return Status::failure(tcpServer->errorString());
    m_tcpServer = tcpServer.release();
    m_server->bind(m_tcpServer); // the server takes the socket as its child
    return Status::success();
}

quint16 DemoWebmailSite::port() const
{
    return m_tcpServer ? m_tcpServer->serverPort() : 0;
}

QUrl DemoWebmailSite::baseUrl() const
{
    if (!m_tcpServer)
        return {};
    return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port()));
}

QList<SentMessage> DemoWebmailSite::sentMessages() const
{
    return m_sent;
}

void DemoWebmailSite::clearSent()
{
    m_sent.clear();
}

int DemoWebmailSite::clearSentAndCount()
{
    const int count = m_sent.size();
    clearSent();
    return count;
}

void DemoWebmailSite::addSiteRoutes()
{
    m_server->route(QStringLiteral("/"), [](const QHttpServerRequest &request) {
        if (!isRead(request))
            return methodNotAllowed();
        const QString content = PageTemplate::resourceText(QStringLiteral("index.html"));
        return htmlResponse(PageFrame{QStringLiteral("Demo Mail"), {}, {}, QStringLiteral("index"), {}, {}}.wrap(content));
    });
    m_server->route(QStringLiteral("/static/style.css"), [] {
        return resourceResponse(QStringLiteral("static/style.css"), QByteArrayLiteral("text/css; charset=utf-8"));
    });
    for (const QString &script : {QStringLiteral("hotmail-inbox.js"), QStringLiteral("yahoo-inbox.js")}) {
        m_server->route(QStringLiteral("/static/") + script, [script] {
            return resourceResponse(QStringLiteral("static/") + script, QByteArrayLiteral("text/javascript; charset=utf-8"));
        });
    }
    m_server->route(QStringLiteral("/api/sent"), [this](const QHttpServerRequest &request) {
        if (isRead(request))
            return sentListing();
        if (request.method() == Method::Delete)
            return jsonResponse(QJsonDocument(QJsonObject{{QStringLiteral("cleared"), clearSentAndCount()}}));
        return methodNotAllowed();
    });
    m_server->route(QStringLiteral("/api/sent/clear"), [this](const QHttpServerRequest &request) {
        if (request.method() != Method::Post)
            return methodNotAllowed();
        return jsonResponse(QJsonDocument(QJsonObject{{QStringLiteral("cleared"), clearSentAndCount()}}));
    });
}

QList<demowebmail::BlogPost> DemoWebmailSite::blogPosts() const
{
    return m_blog->posts();
}

void DemoWebmailSite::addBlogRoutes()
{
    const auto page = [](QString html) {
        return [html = std::move(html)](const QHttpServerRequest &request) {
            return isRead(request) ? htmlResponse(html) : methodNotAllowed();
        };
    };
    m_server->route(QStringLiteral("/blog"), page(m_blog->outerPage()));
    m_server->route(QStringLiteral("/blog/inside"), page(m_blog->insidePage()));
    m_server->route(QStringLiteral("/blog/posts"), [this](const QHttpServerRequest &request) {
        return isRead(request) ? htmlResponse(m_blog->postsPage()) : methodNotAllowed();
    });
    m_server->route(QStringLiteral("/blog/form"), [this](const QHttpServerRequest &request) {
        if (isRead(request))
            return htmlResponse(m_blog->formPage());
        if (request.method() != Method::Post)
            return methodNotAllowed();
        const demowebmail::BlogPost post = m_blog->publish(FormFields::parse(request.body()));
        return htmlResponse(m_blog->formPage(QStringLiteral("Published post %1. See all posts at /blog/posts.").arg(post.id)));
    });
}

void DemoWebmailSite::addMailboxRoutes(MailboxPages &pages)
{
    const auto &profile = pages.profile();
    const QString loginPath = profile.path(QStringLiteral("login"));
    const QString inboxPath = profile.path(QStringLiteral("inbox"));

    const auto toLogin = [loginPath] { return redirectTo(loginPath, HttpStatus::Found); };
    m_server->route(QLatin1Char('/') + profile.key, toLogin);
    m_server->route(profile.path(QString()), toLogin);

    m_server->route(loginPath, [&pages, inboxPath](const QHttpServerRequest &request) {
        if (isRead(request))
            return htmlResponse(pages.loginPage());
        if (request.method() == Method::Post) // any user name and password will do
            return redirectTo(inboxPath);
        return methodNotAllowed();
    });

    m_server->route(inboxPath, [&pages](const QHttpServerRequest &request) {
        if (isRead(request))
            return htmlResponse(pages.inboxPage({}, {}, PageSize::fromQuery(FormFields::parse(rawQuery(request)))));
        if (request.method() != Method::Post)
            return methodNotAllowed();
        // The inbox buttons only report what was ticked: the demo inbox stays
        // the same so every session starts from the same messages.
        const QSet<int> ticked = pages.tickedMessages(FormFields::parse(request.body()));
        return htmlResponse(pages.inboxPage(ticked, inboxNotice(ticked)));
    });

    m_server->route(profile.path(QStringLiteral("message")), [&pages](const QHttpServerRequest &request) {
        if (!isRead(request))
            return methodNotAllowed();
        bool isNumber = false;
        const FormFields query = FormFields::parse(rawQuery(request));
        const int id = query.value(QStringLiteral("id")).toInt(&isNumber);
        const auto page = isNumber ? pages.messagePage(id, query.value(QStringLiteral("lang")),
                                                       query.value(QStringLiteral("view")) == QLatin1String("print"),
                                                       PageSize::fromQuery(query))
                                   : std::nullopt;
        if (!page)
            return htmlResponse(notFoundPage(request.url().path()), HttpStatus::NotFound);
        return htmlResponse(*page);
    });

    m_server->route(profile.path(QStringLiteral("compose")),
                    [this, &pages](const QHttpServerRequest &request, QHttpServerResponder &&responder) {
                        if (isRead(request)) {
                            // "?charset=windows-1252": the page of an older site, sent and posted in that encoding.
                            const QString charset =
                                FormFields::parse(rawQuery(request)).value(QStringLiteral("charset"));
                            if (charset.compare(QLatin1String("windows-1252"), Qt::CaseInsensitive) == 0)
                                htmlResponse(pages.composePage({}, {}, {}, charset), HttpStatus::Ok, charset)
                                    .write(std::move(responder));
                            else
                                htmlResponse(pages.composePage()).write(std::move(responder));
                        } else if (request.method() == Method::Post) {
                            composePost(pages, request, std::move(responder));
                        } else {
                            methodNotAllowed().write(std::move(responder));
                        }
                    });

    m_server->route(profile.path(QStringLiteral("compose-rich")), [&pages](const QHttpServerRequest &request) {
        if (isRead(request))
            return htmlResponse(pages.richComposePage());
        if (request.method() == Method::Post)
            return htmlResponse(pages.richComposePage(
                QStringLiteral("Nothing was sent: switch to plain text to send from the demo.")));
        return methodNotAllowed();
    });

    m_server->route(profile.path(QStringLiteral("calendar")), [&pages](const QHttpServerRequest &request) {
        if (!isRead(request))
            return methodNotAllowed();
        const QDate today = QDate::currentDate();
        const QString asked = FormFields::parse(rawQuery(request)).value(QStringLiteral("month"));
        const QDate month = QDate::fromString(asked + QStringLiteral("-01"), QStringLiteral("yyyy-MM-dd"));
        return htmlResponse(pages.calendarPage(month.isValid() ? month : today, today));
    });

    m_server->route(profile.path(QStringLiteral("sent")), [this, &pages](const QHttpServerRequest &request) {
        if (!isRead(request))
            return methodNotAllowed();
        const int confirmed = FormFields::parse(rawQuery(request)).value(QStringLiteral("confirm")).toInt();
        return htmlResponse(pages.sentPage(m_sent, confirmed));
    });
}

void DemoWebmailSite::composePost(MailboxPages &pages, const QHttpServerRequest &request,
                                  QHttpServerResponder &&responder)
{
    const auto submission = ComposeSubmission::evaluate(pages.profile(), rawQuery(request), request.body());
    switch (submission.outcome) {
    case ComposeSubmission::Outcome::KeepEditing:
        return htmlResponse(pages.composePage(submission.fields, QString(),
                                              submission.draftSaved ? QStringLiteral("Draft saved.") : QString()))
            .write(std::move(responder));
    case ComposeSubmission::Outcome::MissingRecipient:
        return htmlResponse(pages.composePage(submission.fields, MissingRecipientText)).write(std::move(responder));
    case ComposeSubmission::Outcome::Refused:
        return htmlResponse(refusedPage(submission.fields.to), HttpStatus::Forbidden)
            .write(std::move(responder));
    case ComposeSubmission::Outcome::Send:
        break;
    }

    SentMessage message;
    message.id = m_nextSentId++;
    message.mailbox = pages.profile().key;
    message.to = submission.fields.to;
    message.cc = submission.fields.cc;
    message.bcc = submission.fields.bcc;
    message.subject = submission.fields.subject;
    message.body = submission.fields.body;
    message.rawBody = request.body();
    m_sent.append(message);
    demowebmail::RetainedPosts::dropOldest<SentMessage>(m_sent, &SentMessage::retainedBytes);
    Q_EMIT messageSent(message);

    // Answer on another address, as a real site does after a send.
    auto answer = std::make_shared<QHttpServerResponse>(redirectTo(
        pages.profile().path(QStringLiteral("sent")) + QStringLiteral("?confirm=") + QString::number(message.id)));
    if (!submission.answerLate)
        return answer->write(std::move(responder));
    // Answered on the connection's own time: gone with it, if the browser
    // (or the program around it) goes first.
    auto held = std::make_shared<QHttpServerResponder>(std::move(responder));
    QTimer::singleShot(ComposeSubmission::SlowAnswerMs, held->socket(),
                       [held, answer] { answer->write(std::move(*held)); });
}

QHttpServerResponse DemoWebmailSite::sentListing() const
{
    QJsonArray listing;
    for (const SentMessage &message : m_sent)
        listing.append(message.toJson());
    return jsonResponse(QJsonDocument(listing));
}

} // namespace ferrowen
