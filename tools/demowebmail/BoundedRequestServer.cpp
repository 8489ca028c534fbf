#include "demowebmail/BoundedRequestServer.h"

#include "demowebmail/BoundedRequestSocket.h"

namespace ferrowen::demowebmail {

BoundedRequestServer::BoundedRequestServer(std::chrono::milliseconds idleTimeout, QObject *parent)
    : QTcpServer(parent)
    , m_idleTimeout(idleTimeout)
{
}

void BoundedRequestServer::incomingConnection(qintptr socketDescriptor)
{
    auto *socket = new BoundedRequestSocket(m_idleTimeout, this);
    if (!socket->setSocketDescriptor(socketDescriptor)) {
        delete socket;
        return;
    }
    if (m_open >= MaxConnections) {
        socket->abort();
        delete socket;
        return;
    }
    ++m_open;
    connect(socket, &QObject::destroyed, this, [this] { --m_open; });
    addPendingConnection(socket);
}

} // namespace ferrowen::demowebmail
