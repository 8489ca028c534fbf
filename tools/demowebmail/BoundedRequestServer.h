#pragma once

#include <QTcpServer>

#include <chrono>

namespace ferrowen::demowebmail {

// A TCP server whose connections are BoundedRequestSocket: bound to a
// QHttpServer, it keeps any request from making the site buffer more than
// the largest request it takes, closes connections left idle for
// `idleTimeout`, and holds at most MaxConnections at once (a connection
// beyond them is closed at once).
class BoundedRequestServer : public QTcpServer
{
    Q_OBJECT

public:
    static constexpr int MaxConnections = 64;

    explicit BoundedRequestServer(std::chrono::milliseconds idleTimeout, QObject *parent = nullptr);

    int openConnections() const { return m_open; }

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    std::chrono::milliseconds m_idleTimeout;
    int m_open = 0;
};

} // namespace ferrowen::demowebmail
