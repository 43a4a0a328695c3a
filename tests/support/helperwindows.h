#pragma once
// Destroying a main window while its helper windows are open (Help, the
// i2cdump register windows, "GPS Signal", "GPS calculation") and a client
// is connected to the GPS position server. The watch records, for each of
// them, whether its end (the dialog's destroyed, the client's disconnected)
// came while the window was still a whole MainWindow: a slot of the window
// connected to one of them runs at that moment.

#include <QPointer>
#include <QStringList>
#include <QTcpSocket>
#include <functional>
#include <memory>

class MainWindow;

namespace TestSupport {

class HelperWindowsWatch
{
public:
    // Opens every helper window of `w` and connects a loopback client to
    // its GPS position server; `w` must show the "GPS Debug" and "i2cdump"
    // pages. False, with the reason in `why`, when one of them did not come.
    bool openAll(MainWindow *w, QString *why);
    // Destroys the window.
    void destroy(std::unique_ptr<MainWindow> &w);

    // What openAll opened, in order.
    static QStringList names();
    // Whose end was seen, and whose end came after the window had stopped
    // being a MainWindow (too late for any of its slots).
    QStringList ended;
    QStringList endedLate;
    // The remote end of the connection saw the server drop it.
    bool remoteSawClose() const { return remote && remote->state() == QAbstractSocket::UnconnectedState; }
    // After destroy(): every helper ended, each while the window's slots
    // could still run on a whole window, and the remote end saw the close.
    // False, with what went wrong in `why`, otherwise.
    bool allEndedInTime(QString *why) const;

private:
    std::function<void()> endSeen(const QString &name, MainWindow *w);
    std::unique_ptr<QTcpSocket> remote;
};

} // namespace TestSupport
