#pragma once

#include "demowebmail/SentMessage.h"
#include "platform/Status.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>

#include <chrono>
#include <memory>
#include <vector>

class QHttpServer;
class QHttpServerRequest;
class QHttpServerResponder;
class QHttpServerResponse;
class QTcpServer;

namespace ferrowen {

namespace demowebmail {
class BlogPages;
class MailboxPages;
struct BlogPost;
}

// An offline webmail site with a Yahoo-style mailbox under "/yahoo/" and a
// Hotmail-style one under "/hotmail/", so every automation feature can be
// tried against a real browser engine without a network. It listens on
// 127.0.0.1 only and keeps what is sent in memory.
//
// Pages of each mailbox: "login", "inbox", "message?id=N" (also in another
// language, "&lang=de" and the other codes of pageLanguages(), and as the
// page to print, "&view=print"), "compose", "compose-rich", "calendar",
// "sent". The inbox and message pages come as large as real webmail pages
// for benchmarks and tests: "rows=N" lists N messages in the inbox (the
// seeded ones, then older generated ones, which open too), "pad=N" adds N
// elements of page furniture around the content (see PageSize). Site-wide: "/" (start page),
// "/api/sent" (GET lists the sent messages as JSON, DELETE empties the list)
// and "/api/sent/clear" (POST empties the list). A small blog under
// "/blog" (see BlogPages) takes posts written in nested frames.
//
// A send to an address at "refused.example" is answered with an error page
// (HTTP 403) and not kept; one to an address at "slow.example" is kept at
// once and answered only 20 seconds later (see ComposeSubmission).
//
// Any other page open in a browser on this machine could post to the site,
// so it refuses (403) every request but GET and HEAD whose Origin, or else
// Referer, is not one of its own pages (http://127.0.0.1:PORT or
// http://localhost:PORT); a request with neither header, as from curl, is
// taken. Request bodies over 4 MiB get 413 and the connection is closed
// (see BoundedRequestSocket); so is a connection idle for idleTimeout(),
// and there are at most BoundedRequestServer::MaxConnections at once.
// Of what is sent and posted it keeps and shows the newest only (see
// RetainedPosts), so a site running for days stays small and fast.
//
// Not thread-safe: use it from the thread it lives in (requests are served
// by that thread's event loop).
class DemoWebmailSite : public QObject
{
    Q_OBJECT

public:
    explicit DemoWebmailSite(QObject *parent = nullptr);
    ~DemoWebmailSite() override;

    // Starts listening on 127.0.0.1; port 0 takes any free port. Fails when
    // the port cannot be had or when already listening.
    Status listen(quint16 port = 0);
    // How long a connection may sit idle before the site closes it; set it
    // before listen().
    std::chrono::milliseconds idleTimeout() const { return m_idleTimeout; }
    void setIdleTimeout(std::chrono::milliseconds timeout) { m_idleTimeout = timeout; }
    quint16 port() const;
    // "http://127.0.0.1:PORT/"; empty before listen() succeeded.
    QUrl baseUrl() const;

    // Every post published on the blog, oldest first.
    QList<demowebmail::BlogPost> blogPosts() const;

    // Every message sent from either mailbox that the site keeps, oldest
    // first.
    QList<SentMessage> sentMessages() const;
    void clearSent();

Q_SIGNALS:
    void messageSent(const ferrowen::SentMessage &message);

private:
    void addSiteRoutes();
    void addBlogRoutes();
    void addMailboxRoutes(demowebmail::MailboxPages &pages);
    void composePost(demowebmail::MailboxPages &pages, const QHttpServerRequest &request, QHttpServerResponder &&responder);
    QHttpServerResponse sentListing() const;
    int clearSentAndCount();

    std::vector<std::unique_ptr<demowebmail::MailboxPages>> m_mailboxes;
    std::unique_ptr<demowebmail::BlogPages> m_blog;
    QList<SentMessage> m_sent;
    int m_nextSentId = 1;
    std::chrono::milliseconds m_idleTimeout{30000};
    // Declared last so it goes first: its routes refer to the members above.
    std::unique_ptr<QHttpServer> m_server;
    QTcpServer *m_tcpServer = nullptr; // owned by m_server once bound
};

} // namespace ferrowen
