#pragma once

#include <QTcpServer>

namespace ferrowen::demowebmail {

// A TCP server whose connections are BoundedRequestSocket: bound to a
// QHttpServer, it keeps any request from making the site buffer more than
// the largest request it takes.
class BoundedRequestServer : public QTcpServer
{
    Q_OBJECT

public:
    using QTcpServer::QTcpServer;

protected:
    void incomingConnection(qintptr socketDescriptor) override;
};

} // namespace ferrowen::demowebmail
