#include "serverclients.h"

#include "netsend.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace ServerClients {

QTcpSocket *next(QTcpServer *server, QString *address)
{
    QTcpSocket *socket = server && server->hasPendingConnections() ? server->nextPendingConnection() : nullptr;
    *address = socket ? NetSend::addressText(socket->peerAddress()) : QString();
    return socket;
}

QTcpSocket *find(const QList<QTcpSocket *> &clients, QObject *sender)
{
    auto *socket = qobject_cast<QTcpSocket *>(sender);
    return socket && clients.contains(socket) ? socket : nullptr;
}

} // namespace ServerClients
