#include "demowebmail/BoundedRequestSocket.h"

#include <QList>

#include <algorithm>

namespace ferrowen::demowebmail {

namespace {

// The length of the head up to and including the blank line that ends it,
// or -1 while that line has not arrived. Lines may end in LF alone.
qsizetype headLength(const QByteArray &bytes)
{
    for (qsizetype end = bytes.indexOf('\n'); end >= 0;) {
        const qsizetype next = bytes.indexOf('\n', end + 1);
        if (next < 0)
            return -1;
        const qsizetype between = next - end - 1;
        if (between == 0 || (between == 1 && bytes.at(end + 1) == '\r'))
            return next + 1;
        end = next;
    }
    return -1;
}

// The largest body length the head announces; 0 when it announces none (the
// body is empty or chunked) or none the HTTP server would accept.
qint64 announcedBodyLength(const QByteArray &head)
{
    const QByteArray name = QByteArrayLiteral("content-length:");
    qint64 largest = 0;
    for (const QByteArray &line : head.split('\n')) {
        if (line.size() > name.size() && line.first(name.size()).toLower() == name)
            largest = std::max(largest, line.sliced(name.size()).trimmed().toLongLong());
    }
    return largest;
}

QByteArray payloadTooLargeAnswer()
{
    const QByteArray text = "The demo site takes request bodies of up to "
        + QByteArray::number(BoundedRequestSocket::MaxBodyBytes / (1024 * 1024)) + " MiB.\n";
    return "HTTP/1.1 413 Payload Too Large\r\n"
           "Content-Type: text/plain; charset=utf-8\r\n"
           "Content-Length: "
        + QByteArray::number(text.size())
        + "\r\n"
          "Connection: close\r\n\r\n"
        + text;
}

} // namespace

BoundedRequestSocket::BoundedRequestSocket(std::chrono::milliseconds idleTimeout, QObject *parent)
    : QTcpSocket(parent)
{
    m_idle.setSingleShot(true);
    m_idle.setInterval(idleTimeout);
    connect(&m_idle, &QTimer::timeout, this, &BoundedRequestSocket::closeWhenIdle);
    connect(this, &QIODevice::readyRead, &m_idle, qOverload<>(&QTimer::start));
    connect(this, &QIODevice::bytesWritten, &m_idle, qOverload<>(&QTimer::start));
    m_idle.start();

    // The HTTP server's open transaction keeps all of a request in the read
    // buffer. One byte more than the largest request lets the socket read the
    // byte that shows a request is too large, and then no more, even should
    // the count below go wrong.
    setReadBufferSize(MaxHeadBytes + MaxBodyBytes + 1);
    connect(this, &QIODevice::readyRead, this, &BoundedRequestSocket::inspectArrivedBytes);
}

void BoundedRequestSocket::inspectArrivedBytes()
{
    // The HTTP server reads each request within a transaction that it commits
    // once the request is whole: without one, these bytes begin a new request.
    if (!isTransactionStarted())
        startRequest();
    // The server reads all it can of an unfinished request, so what is unread
    // came since the last time (or followed the previous request).
    const qint64 arrived = bytesAvailable();
    m_requestBytes += arrived;
    if ((!m_headRead && headAnnouncesTooLargeBody(arrived)) || m_requestBytes > MaxHeadBytes + MaxBodyBytes)
        refuseTooLarge();
}

void BoundedRequestSocket::closeWhenIdle()
{
    // An answer still on its way is activity too: its bytesWritten restart the timer.
    if (bytesToWrite() > 0) {
        m_idle.start();
        return;
    }
    disconnectFromHost();
}

void BoundedRequestSocket::startRequest()
{
    m_requestBytes = 0;
    m_head.clear();
    m_headRead = false;
}

bool BoundedRequestSocket::headAnnouncesTooLargeBody(qint64 arrived)
{
    m_head += peek(std::min(arrived, MaxHeadBytes - m_head.size()));
    const qsizetype length = headLength(m_head);
    if (length < 0 && m_head.size() < MaxHeadBytes)
        return false; // the rest of the head is still to come
    // A head too long to read is left to the limit on the whole request.
    m_headRead = true;
    const qint64 announced = length < 0 ? 0 : announcedBodyLength(m_head.first(length));
    m_head.clear();
    return announced > MaxBodyBytes;
}

void BoundedRequestSocket::refuseTooLarge()
{
    // The HTTP server must not read on (its slot comes after this one in the
    // same signal): it would answer the request, or wait for all of it.
    disconnect(this, &QIODevice::readyRead, nullptr, nullptr);
    write(payloadTooLargeAnswer());
    disconnectFromHost(); // once the answer is written; reads no more meanwhile
}

} // namespace ferrowen::demowebmail
