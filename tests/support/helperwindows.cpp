#include "helperwindows.h"

#include "mainwindow.h"
#include "gps/gpspagestate.h"
#include "ui_mainwindow.h"

#include <QDialog>
#include <QTcpServer>
#include <QTest>

namespace TestSupport {

QStringList HelperWindowsWatch::names()
{
    return {QStringLiteral("Help"), QStringLiteral("i2cdump read"), QStringLiteral("i2cdump write"),
            QStringLiteral("GPS Signal"), QStringLiteral("GPS calculation"), QStringLiteral("GPS client")};
}

std::function<void()> HelperWindowsWatch::endSeen(const QString &name, MainWindow *w)
{
    QObject *window = w;
    return [this, window, name] {
        ended << name;
        // qobject_cast asks the object's own meta-object: once ~MainWindow
        // has finished, the object is only a QWidget any more.
        if (!qobject_cast<MainWindow *>(window))
            endedLate << name;
    };
}

bool HelperWindowsWatch::openAll(MainWindow *w, QString *why)
{
    Ui::MainWindow *ui = w->ui;
    auto fail = [why](const QString &text) {
        *why = text;
        return false;
    };

    ui->actionHelp->trigger();
    if (!w->helpDialog)
        return fail(QStringLiteral("Help did not open"));
    // No context object: the connection lives as long as the dialog.
    QObject::connect(w->helpDialog, &QObject::destroyed, endSeen(names().at(0), w));

    emit ui->i2cdumpreadpushButton->pressed();
    if (!w->i2cReadDialog)
        return fail(QStringLiteral("the i2cdump read window did not open"));
    QObject::connect(w->i2cReadDialog, &QObject::destroyed, endSeen(names().at(1), w));

    emit ui->i2cdumpwritepushButton->pressed();
    if (!w->i2cWriteDialog)
        return fail(QStringLiteral("the i2cdump write window did not open"));
    QObject::connect(w->i2cWriteDialog, &QObject::destroyed, endSeen(names().at(2), w));

    emit ui->GPSsignal->pressed();
    if (!w->gps->signalDialog)
        return fail(QStringLiteral("GPS Signal did not open"));
    QObject::connect(w->gps->signalDialog.data(), &QObject::destroyed, endSeen(names().at(3), w));

    emit ui->GPScalculate->pressed();
    if (!w->gps->calcDialog)
        return fail(QStringLiteral("GPS calculation did not open"));
    QObject::connect(w->gps->calcDialog.data(), &QObject::destroyed, endSeen(names().at(4), w));

    // The position server on a free loopback port, and one client.
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        return fail(QStringLiteral("no free loopback port"));
    const quint16 port = probe.serverPort();
    probe.close();
    emit ui->GPSportMode_02->pressed();
    ui->GPSTCPServerPortlineEdit->setText(QString::number(port));
    emit ui->GPSTCPopencompushButton->pressed();
    if (w->gpsTcpOpen != 1)
        return fail(QStringLiteral("the GPS position server did not start"));
    remote = std::make_unique<QTcpSocket>();
    remote->connectToHost(QHostAddress::LocalHost, port);
    if (!remote->waitForConnected(3000))
        return fail(QStringLiteral("the client could not connect"));
    for (int i = 0; i < 300 && w->gpsTcpClients.isEmpty(); ++i)
        QTest::qWait(10);
    if (w->gpsTcpClients.size() != 1)
        return fail(QStringLiteral("the server did not take the client"));
    // Its disconnected is what the window listens to.
    QObject::connect(w->gpsTcpClients.first(), &QTcpSocket::disconnected, endSeen(names().at(5), w));
    return true;
}

void HelperWindowsWatch::destroy(std::unique_ptr<MainWindow> &w)
{
    w.reset();
    if (remote && remote->state() != QAbstractSocket::UnconnectedState)
        remote->waitForDisconnected(3000);
}

bool HelperWindowsWatch::allEndedInTime(QString *why) const
{
    QStringList seen = ended;
    seen.sort();
    QStringList all = names();
    all.sort();
    if (seen != all)
        *why = QStringLiteral("ended: %1; opened: %2").arg(seen.join(QLatin1String(", ")), all.join(QLatin1String(", ")));
    else if (!endedLate.isEmpty())
        *why = QStringLiteral("ended after the window: %1").arg(endedLate.join(QLatin1String(", ")));
    else if (!remoteSawClose())
        *why = QStringLiteral("the GPS client's remote end did not see the close");
    else
        return true;
    return false;
}

} // namespace TestSupport
