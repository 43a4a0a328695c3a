#pragma once
// Client bookkeeping of the window's TCP servers (the "TCP Debug" server
// and the GPS page's position server): taking the next client with the
// address the page shows for it, and finding the client a signal came from.

#include <QList>
#include <QString>

class QObject;
class QTcpServer;
class QTcpSocket;

namespace ServerClients {

// The next pending connection of `server`, null when none waits;
// `address` gets its peer address as people write it (an IPv4 client of the
// dual-stack server without its "::ffff:" prefix).
QTcpSocket *next(QTcpServer *server, QString *address);

// The client among `clients` that `sender` is; null for anything else (a
// socket already let go, or none).
QTcpSocket *find(const QList<QTcpSocket *> &clients, QObject *sender);

} // namespace ServerClients
