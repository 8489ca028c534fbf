#include "demowebmail/BoundedRequestServer.h"

#include "demowebmail/BoundedRequestSocket.h"

namespace ferrowen::demowebmail {

void BoundedRequestServer::incomingConnection(qintptr socketDescriptor)
{
    auto *socket = new BoundedRequestSocket(this);
    if (!socket->setSocketDescriptor(socketDescriptor)) {
        delete socket;
        return;
    }
    addPendingConnection(socket);
}

} // namespace ferrowen::demowebmail
