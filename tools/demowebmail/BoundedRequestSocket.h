#pragma once

#include <QByteArray>
#include <QTcpSocket>
#include <QTimer>

#include <chrono>

namespace ferrowen::demowebmail {

// One connection to the demo site that never holds much more than one
// request of the largest size the site takes. A request announcing a larger
// body (Content-Length) is answered "413 Payload Too Large" as soon as its
// head is in, before the body is read; one whose bytes grow past the limit
// unannounced (chunked, or running on beyond its Content-Length) is answered
// the same once they do. Either way the connection is then closed.
//
// It sees the bytes before the HTTP server reads them: it connects to its
// own readyRead first. Whatever it misjudges, the read buffer stays capped
// just above the limit, so the socket stops reading from the network there.
//
// A connection that neither receives nor sends for `idleTimeout` is closed:
// browsers keep connections open for later requests, and a client may
// open one and never use it.
class BoundedRequestSocket : public QTcpSocket
{
    Q_OBJECT

public:
    // The largest request body the site takes: far more than any of its
    // forms needs, small enough that no page can make it hoard memory.
    static constexpr qint64 MaxBodyBytes = 4 * 1024 * 1024;
    // Room for the request line and the headers.
    static constexpr qint64 MaxHeadBytes = 64 * 1024;

    explicit BoundedRequestSocket(std::chrono::milliseconds idleTimeout, QObject *parent = nullptr);

private:
    void closeWhenIdle();
    void inspectArrivedBytes();
    void startRequest();
    // Reads the arrived part of the head; true once it announces too much.
    bool headAnnouncesTooLargeBody(qint64 arrived);
    void refuseTooLarge();

    qint64 m_requestBytes = 0; // of the request being received, head included
    QByteArray m_head;         // its first bytes, while the head is incomplete
    bool m_headRead = false;
    QTimer m_idle;
};

} // namespace ferrowen::demowebmail
