// The "TCP Debug" and "UDP Debug" pages against a loopback peer in its own
// process (tst_netpages_peer.py): sending, the receive display, the server
// with several clients, start failures, keep-send across stops, datagrams.
#include "testsupport.h"
#include "tst_netpages_peer.h"

#include "mainwindow.h"
#include "netterminal.h"
#include "receivedisplay.h"
#include "rxformat.h"
#include "ui_mainwindow.h"

#include <QComboBox>
#include <QLCDNumber>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSettings>
#include <QStatusBar>
#include <QTcpServer>
#include <QTextBlock>
#include <QTimer>
#include <QUdpSocket>

#include <memory>

class TestNetPages : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tcpClientSendsTextAndHex_data();
    void tcpClientSendsTextAndHex();
    void tcpReceiveDisplay();
    void tcpServerSendsToTheChosenAddress();
    void startFailuresAreReported_data();
    void startFailuresAreReported();
    void tcpClientStartsThatFailAtOnce_data();
    void tcpClientStartsThatFailAtOnce();
    void keepSendToAPeerThatDoesNotRead_data();
    void keepSendToAPeerThatDoesNotRead();
    void splitCharactersShowWhole();
    void keepSendOnePerTickAndNothingWhileStopped();
    void udpDatagrams();
    void importAndExport();
    void exportAndHexViewOfLongRuns();
    void timeSwitchKeepsThePeersLines();

private:
    void makeWindow();
    static void press(QAbstractButton *button) { QTest::mousePress(button, Qt::LeftButton); }
    QString status() const { return w->ui->statusBar->currentMessage(); }
    // Starts the TCP page as client of the peer's listener "L"; returns the
    // peer's id of the accepted connection.
    QString startTcpClient();
    static int freePort();
    // Saves the page's receive view through `save` into the scratch file
    // `name`; the file must hold exactly `expected`.
    void exportHolds(QAbstractButton *save, const QString &name, const QByteArray &expected);
    // Every line of a hex view holds whole "0x%1, " tokens.
    static void hexLinesHoldWholeTokens(const QPlainTextEdit *hex);

    std::unique_ptr<TestSupport::ScratchDir> dir;
    std::unique_ptr<TestSupport::PromptRecorder> prompts;
    std::unique_ptr<NetPeer> peer;
    std::unique_ptr<MainWindow> w;
};

void TestNetPages::init()
{
    dir = std::make_unique<TestSupport::ScratchDir>();
    prompts = std::make_unique<TestSupport::PromptRecorder>();
    peer = std::make_unique<NetPeer>();
    QVERIFY2(peer->ok(), "python3 did not start");
    QSettings s(QStringLiteral("velm_config.ini"), QSettings::IniFormat);
    for (const char *key : {"COM", "GPS", "GSM", "UNICODE", "Environment", "Crypty", "Oscilloscope", "MQTT", "Ble",
                            "Spectra", "Convert", "i2cdump", "TOF", "Modbus", "Hex", "CIE", "IMU"})
        s.setValue(QLatin1String(key), QStringLiteral("false"));
}

void TestNetPages::cleanup()
{
    // The window goes first, with whatever connections are still open.
    w.reset();
    peer.reset();
    prompts.reset();
    dir.reset();
}

void TestNetPages::makeWindow()
{
    w = std::make_unique<MainWindow>();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QVERIFY(w->initialisedPages().contains(QStringLiteral("TCP Debug")));
    QVERIFY(w->initialisedPages().contains(QStringLiteral("UDP Debug")));
    // The TCP page is on screen, so its views follow what arrives.
    w->ui->tabWidget->setCurrentWidget(w->ui->tcp);
    QVERIFY(w->ui->TCP_StrTextBrowser->isVisible());
}

int TestNetPages::freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

QString TestNetPages::startTcpClient()
{
    const int port = peer->listen(QStringLiteral("L"));
    w->ui->TCP_comboBox->setCurrentIndex(1);
    w->ui->TCPclientPortlineEdit->setText(QString::number(port));
    press(w->ui->TCPopencompushButton);
    if (!w->tcpOpen || peer->waitFor(QStringLiteral("accepted L.")).isEmpty())
        return QString();
    if (!QTest::qWaitFor([this] { return w->tcpClientSocket
                                         && w->tcpClientSocket->state() == QAbstractSocket::ConnectedState; }))
        return QString();
    return peer->lines().filter(QStringLiteral("accepted L.")).last().split(QLatin1Char(' ')).value(1);
}

void TestNetPages::tcpClientSendsTextAndHex_data()
{
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("text, line feed last") << false << "AB\n" << QByteArray::fromHex("41420d0a");
    QTest::newRow("text, inner line feed") << false << "A\nB" << QByteArray::fromHex("410a42");
    QTest::newRow("hex, mixed case") << true << "01 0a FF" << QByteArray::fromHex("010aff");
    QTest::newRow("hex, odd digits pair from the end") << true << "123" << QByteArray::fromHex("0123");
    QTest::newRow("hex, copied from the hex view") << true << "0x41,0x42," << QByteArray::fromHex("4142");
    QTest::newRow("hex, upper-case prefix") << true << "0X7f 0x80" << QByteArray::fromHex("7f80");
}

void TestNetPages::tcpClientSendsTextAndHex()
{
    QFETCH(bool, hex);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    makeWindow();
    const QString conn = startTcpClient();
    QVERIFY(!conn.isEmpty());
    QCOMPARE(status(), QStringLiteral("Connected to TCP server"));
    QCOMPARE(w->ui->TCPopencompushButton->text(), QStringLiteral("Stop"));

    w->ui->TCPsendAsHexcheckBox->setChecked(hex);
    w->ui->TCPsendMsgtextEdit->setPlainText(text);
    press(w->ui->TCPsendmsgBtn);
    press(w->ui->TCPsendmsgBtn);
    QCOMPARE(peer->receivedAtLeast(conn, 2 * bytes.size()), bytes + bytes);
    QCOMPARE(w->ui->TCPsendbyteslcdNumber->intValue(), 2 * bytes.size());

    // After Stop the peer sees the end of the stream and nothing more goes.
    press(w->ui->TCPopencompushButton);
    QCOMPARE(status(), QStringLiteral("Disconnected TCP server"));
    QVERIFY(!w->ui->TCPsendmsgBtn->isEnabled());
    QTRY_VERIFY(peer->sawEof(conn));
    w->TCP_Client_WorkSendMessage();
    QCOMPARE(w->ui->TCPsendbyteslcdNumber->intValue(), 2 * bytes.size());
}

void TestNetPages::tcpReceiveDisplay()
{
    makeWindow();
    const QString conn = startTcpClient();
    QVERIFY(!conn.isEmpty());
    QPlainTextEdit *text = w->ui->TCP_StrTextBrowser;
    QPlainTextEdit *hex = w->ui->TCP_HexTextBrowser;

    peer->send(conn, QByteArray::fromHex("410d0a"));
    QTRY_COMPARE(text->toPlainText(), QStringLiteral("A\n"));
    // The hidden hex view gets its text when "Hex" shows it.
    w->ui->TCP_HEXcheckBox->setChecked(true);
    QCOMPARE(hex->toPlainText(), QStringLiteral("0x41, 0x0D, 0x0A, "));
    QCOMPARE(w->ui->TCPrecvbyteslcdNumber->intValue(), 2);
    QVERIFY(status().startsWith(QStringLiteral("TCP receive from:127.0.0.1:")));

    // GBK, a character split over two reads.
    peer->send(conn, QByteArray::fromHex("d6"));
    QTRY_COMPARE(hex->toPlainText(), QStringLiteral("0x41, 0x0D, 0x0A, 0xD6, "));
    QTest::qWait(50);
    peer->send(conn, QByteArray::fromHex("d0cec4"));
    QTRY_COMPARE(text->toPlainText(), QString::fromUtf8("A\n中文"));
    QCOMPARE(w->ui->TCPrecvbyteslcdNumber->intValue(), 6);

    // A selection in either view is left alone; new text lands at the end.
    w->ui->TCP_HEXcheckBox->setChecked(true);
    for (QPlainTextEdit *view : {text, hex}) {
        QTextCursor c(view->document());
        c.setPosition(0);
        c.setPosition(1, QTextCursor::KeepAnchor);
        view->setTextCursor(c);
    }
    peer->send(conn, "XYZ");
    QTRY_COMPARE(text->toPlainText(), QString::fromUtf8("A\n中文XYZ"));
    QCOMPARE(hex->toPlainText(), QStringLiteral("0x41, 0x0D, 0x0A, 0xD6, 0xD0, 0xCE, 0xC4, 0x58, 0x59, 0x5A, "));
    for (QPlainTextEdit *view : {text, hex}) {
        QCOMPARE(view->textCursor().selectionStart(), 0);
        QCOMPARE(view->textCursor().selectionEnd(), 1);
    }

    // Stamped: markup shows as text, UTF-8 split over two reads stays whole.
    w->ui->TCP_showtime_checkBox->setChecked(true);
    peer->send(conn, "<b>x</b>");
    QTRY_VERIFY(text->document()->lastBlock().text().endsWith(QLatin1String("<b>x</b>")));
    peer->send(conn, QByteArray::fromHex("e4b8"));
    QTRY_COMPARE(w->ui->TCPrecvbyteslcdNumber->intValue(), 19);
    QTest::qWait(50);
    peer->send(conn, QByteArray::fromHex("ad"));
    QTRY_COMPARE(w->ui->TCPrecvbyteslcdNumber->intValue(), 20);
    QTRY_VERIFY(text->toPlainText().contains(QString::fromUtf8("中")));
    const QRegularExpression stamp(QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\]"));
    QVERIFY(stamp.match(text->document()->lastBlock().text()).hasMatch());
    QVERIFY(!text->toPlainText().contains(QChar::ReplacementCharacter));
    // Hex lines hold sixteen whole entries after the stamp.
    peer->send(conn, QByteArray(20, 'z'));
    QTRY_COMPARE(hex->document()->lastBlock().text(), QStringLiteral("0x7A, ").repeated(4));
    const QString full = hex->document()->lastBlock().previous().text();
    QVERIFY(stamp.match(full).hasMatch());
    QCOMPARE(full.mid(14), QStringLiteral("0x7A, ").repeated(16));

    // The server closing the connection stops the page.
    peer->command(QStringLiteral("close %1").arg(conn));
    QTRY_COMPARE(status(), QStringLiteral("No server found"));
    QVERIFY(!w->tcpOpen);
    QCOMPARE(w->ui->TCPopencompushButton->text(), QStringLiteral("Start"));
    QVERIFY(w->ui->TCP_comboBox->isEnabled());
}

void TestNetPages::tcpServerSendsToTheChosenAddress()
{
    makeWindow();
    const int port = freePort();
    w->ui->TCP_comboBox->setCurrentIndex(0);
    w->ui->TCPServerPortlineEdit->setText(QString::number(port));
    press(w->ui->TCPopencompushButton);
    QVERIFY(w->tcpOpen);
    QCOMPARE(status(), QStringLiteral("Server has started"));
    QVERIFY(!w->ui->TCP_comboBox->isEnabled());

    QVERIFY(peer->connectTo(QStringLiteral("a1"), port));
    QVERIFY(peer->connectTo(QStringLiteral("a2"), port));
    QVERIFY(peer->connectTo(QStringLiteral("b"), port, QStringLiteral("127.0.0.2")));
    QComboBox *clients = w->ui->TCP_Client_IP_comboBox;
    QTRY_COMPARE(clients->count(), 3);
    QCOMPARE(clients->itemText(2), QStringLiteral("127.0.0.2"));
    QCOMPARE(status(), QStringLiteral("new client: 127.0.0.2 joined"));

    clients->setCurrentIndex(0);
    QCOMPARE(clients->currentText(), QStringLiteral("127.0.0.1"));
    w->ui->TCPsendMsgtextEdit->setPlainText(QStringLiteral("hi"));
    press(w->ui->TCPsendmsgBtn);
    QCOMPARE(peer->receivedAtLeast(QStringLiteral("a1"), 2), QByteArray("hi"));
    QCOMPARE(peer->receivedAtLeast(QStringLiteral("a2"), 2), QByteArray("hi"));
    QTest::qWait(100);
    QCOMPARE(peer->received(QStringLiteral("b")), QByteArray());
    QCOMPARE(w->ui->TCPsendbyteslcdNumber->intValue(), 4);

    // What a client sends is shown with its address.
    peer->send(QStringLiteral("b"), "from b");
    QTRY_COMPARE(w->ui->TCP_StrTextBrowser->toPlainText(), QStringLiteral("from b"));
    QVERIFY(status().startsWith(QStringLiteral("TCP receive from:127.0.0.2:")));

    // One of the two 127.0.0.1 clients leaves: one item goes.
    peer->command(QStringLiteral("close a1"));
    QTRY_COMPARE(clients->count(), 2);
    QCOMPARE(status(), QStringLiteral("client: 127.0.0.1 left"));
    QCOMPARE(clients->itemText(0), QStringLiteral("127.0.0.1"));
    QCOMPARE(w->tcpServerClients.size(), 2);

    press(w->ui->TCPopencompushButton);
    QCOMPARE(status(), QStringLiteral("Server has stopped"));
    QCOMPARE(clients->count(), 0);
    QTRY_VERIFY(peer->sawEof(QStringLiteral("a2")));
    QTRY_VERIFY(peer->sawEof(QStringLiteral("b")));

    // Started again with a client still connected, the window then closes
    // (cleanup) while the connection is open.
    press(w->ui->TCPopencompushButton);
    QVERIFY(peer->connectTo(QStringLiteral("c"), port));
    QTRY_COMPARE(clients->count(), 1);
}

void TestNetPages::startFailuresAreReported_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("port");
    QTest::addColumn<QString>("message");
    QTest::newRow("tcp server, too large") << "server" << "70000" << "Port \"70000\" is not a number from 1 to 65535!";
    QTest::newRow("tcp server, not a number") << "server" << "abc" << "Port \"abc\" is not a number from 1 to 65535!";
    QTest::newRow("tcp server, empty") << "server" << "" << "Port is empty!";
    QTest::newRow("tcp client, zero") << "client" << "0" << "Port \"0\" is not a number from 1 to 65535!";
    QTest::newRow("tcp client, empty") << "client" << "" << "IP or Port is empty!";
    QTest::newRow("tcp server, in use") << "server" << "busy" << "Server failed to start: ";
    QTest::newRow("tcp client, nobody listens") << "client" << "closed" << "No server found";
    QTest::newRow("udp, too large") << "udp" << "70000"
                                    << "UDP failed to start: Port \"70000\" is not a number from 1 to 65535!";
    QTest::newRow("udp, in use") << "udp" << "busy" << "UDP failed to start: ";
}

void TestNetPages::startFailuresAreReported()
{
    QFETCH(QString, page);
    QFETCH(QString, port);
    QFETCH(QString, message);
    makeWindow();
    if (port == QLatin1String("busy")) {
        port = QString::number(page == QLatin1String("udp") ? peer->udp(QStringLiteral("U"))
                                                             : peer->listen(QStringLiteral("L")));
    } else if (port == QLatin1String("closed")) {
        port = QString::number(freePort());
    }
    QPushButton *button = page == QLatin1String("udp") ? w->ui->UDPopencompushButton : w->ui->TCPopencompushButton;
    if (page == QLatin1String("udp")) {
        w->ui->UDPSenderPortlineEdit->setText(port);
    } else {
        w->ui->TCP_comboBox->setCurrentIndex(page == QLatin1String("client") ? 1 : 0);
        (page == QLatin1String("client") ? w->ui->TCPclientPortlineEdit : w->ui->TCPServerPortlineEdit)->setText(port);
    }
    press(button);
    // The TCP page warns in a box; the UDP page says it on the status bar.
    if (page != QLatin1String("udp") && message.endsWith(QLatin1String("!"))) {
        QCOMPARE(prompts->requests().size(), 1);
        QCOMPARE(prompts->requests().first().title, QStringLiteral("warning:"));
        QCOMPARE(prompts->requests().first().text, message);
    } else {
        QTRY_VERIFY2(status().startsWith(message), qPrintable(status()));
        // The socket's own reason follows the prefix.
        QVERIFY(!message.endsWith(QLatin1String(": ")) || status().size() > message.size());
        QVERIFY(prompts->requests().isEmpty());
    }
    QCOMPARE(button->text(), QStringLiteral("Start"));
    QVERIFY(!w->tcpOpen && !w->udpOpen);
    QVERIFY(w->ui->TCP_comboBox->isEnabled());
    QVERIFY(w->ui->UDPSenderPortlineEdit->isEnabled());
    QVERIFY(!w->ui->TCPsendmsgBtn->isEnabled());
    QVERIFY(!w->ui->UDPsendmsgBtn->isEnabled());
    if (page == QLatin1String("udp"))
        QVERIFY(!w->udpRecvSocket || w->udpRecvSocket->state() == QAbstractSocket::UnconnectedState);
}

void TestNetPages::tcpClientStartsThatFailAtOnce_data()
{
    QTest::addColumn<QString>("host");
    // The system refuses these before anything is sent: a stream to a
    // multicast or broadcast address, a link-local address without the
    // interface it belongs to. The last one is refused by the peer.
    QTest::newRow("multicast") << "224.0.0.1";
    QTest::newRow("broadcast") << "255.255.255.255";
    QTest::newRow("link-local without scope") << "fe80::1";
    QTest::newRow("refused") << "127.0.0.1";
}

void TestNetPages::tcpClientStartsThatFailAtOnce()
{
    QFETCH(QString, host);
    makeWindow();
    w->ui->TCP_comboBox->setCurrentIndex(1);
    w->ui->TCPclientIPlineEdit->setText(host);
    w->ui->TCPclientPortlineEdit->setText(QString::number(freePort()));
    press(w->ui->TCPopencompushButton);
    QTRY_VERIFY(!w->tcpClientSocket);
    // Stopped, fields unlocked, the reason after the notice.
    QTRY_VERIFY2(status().startsWith(QLatin1String("No server found: ")), qPrintable(status()));
    QVERIFY(status().size() > 17);
    QVERIFY(!w->tcpOpen);
    QCOMPARE(w->ui->TCPopencompushButton->text(), QStringLiteral("Start"));
    QVERIFY(w->ui->TCP_comboBox->isEnabled());
    QVERIFY(w->ui->TCPclientIPlineEdit->isEnabled());
    QVERIFY(w->ui->TCPclientPortlineEdit->isEnabled());
    QVERIFY(!w->ui->TCPsendmsgBtn->isEnabled());
    // The next press is a start again, not a stop.
    w->ui->statusBar->clearMessage();
    press(w->ui->TCPopencompushButton);
    QTRY_VERIFY2(status().startsWith(QLatin1String("No server found: ")), qPrintable(status()));
    QVERIFY(!w->tcpOpen);
    QCOMPARE(w->ui->TCPopencompushButton->text(), QStringLiteral("Start"));
}

void TestNetPages::keepSendToAPeerThatDoesNotRead_data()
{
    QTest::addColumn<bool>("server");
    QTest::newRow("client") << false;
    QTest::newRow("server") << true;
}

void TestNetPages::keepSendToAPeerThatDoesNotRead()
{
    QFETCH(bool, server);
    makeWindow();
    QString conn;
    if (server) {
        const int port = freePort();
        w->ui->TCP_comboBox->setCurrentIndex(0);
        w->ui->TCPServerPortlineEdit->setText(QString::number(port));
        press(w->ui->TCPopencompushButton);
        QVERIFY(w->tcpOpen);
        conn = QStringLiteral("p");
        QVERIFY(peer->connectTo(conn, port));
        QTRY_COMPARE(w->tcpServerClients.size(), 1);
    } else {
        conn = startTcpClient();
        QVERIFY(!conn.isEmpty());
    }
    QVERIFY(peer->hold(conn));

    // 100 KiB every 10 ms for 30 s to a peer that reads nothing.
    QByteArray payload;
    for (int i = 0; payload.size() < 100 * 1024; ++i)
        payload += QByteArray::number(i).rightJustified(7, '0') + ' ';
    payload.truncate(100 * 1024);
    w->ui->TCPsendMsgtextEdit->setPlainText(QString::fromLatin1(payload));
    w->ui->TCPobocheckBox->setChecked(true);
    w->ui->TCPdelayspinBox->setValue(10);
    QTest::qWait(200);
    const long before = TestSupport::residentKb();
    QVERIFY(before > 0);
    press(w->ui->TCPsendmsgBtn);
    QCOMPARE(w->ui->TCPsendmsgBtn->text(), QStringLiteral("Pause"));
    QTest::qWait(30000);
    const long grown = TestSupport::residentKb() - before;
    qInfo("resident memory grew by %ld KiB; %lld bytes written", grown, w->tcpTerminal->sentTotal());
    if (TestSupport::residentMemoryIsTheProgramsOwn())
        QVERIFY2(grown < 20 * 1024, qPrintable(QString::number(grown)));
    press(w->ui->TCPsendmsgBtn); // Pause
    QVERIFY(!w->tcpSendTimer->isActive());
    QTcpSocket *socket = server ? w->tcpServerClients.first() : w->tcpClientSocket.data();
    QVERIFY(socket->bytesToWrite() > 0);
    QVERIFY(socket->bytesToWrite() <= NetTerminal::kMaxUnsentBytes);

    // A single Send now is refused and says why.
    w->ui->TCPobocheckBox->setChecked(false);
    const qint64 waiting = socket->bytesToWrite();
    press(w->ui->TCPsendmsgBtn);
    QVERIFY2(status().contains(QLatin1String("is not reading")), qPrintable(status()));
    QCOMPARE(socket->bytesToWrite(), waiting);

    // The peer reads again: it gets exactly what the counter counted,
    // whole payloads in order.
    const QString path = dir->file(QStringLiteral("drained.bin"));
    peer->drain(conn, path);
    QTRY_VERIFY_WITH_TIMEOUT(socket->bytesToWrite() == 0, 60000);
    const qint64 total = w->tcpTerminal->sentTotal();
    QTRY_COMPARE_WITH_TIMEOUT(peer->drainedBytes(conn), total, 30000);
    QCOMPARE(w->ui->TCPsendbyteslcdNumber->intValue(), int(qMin<qint64>(total, 99999)));
    QCOMPARE(total % payload.size(), 0);
    QFile drained(path);
    QVERIFY(drained.open(QIODevice::ReadOnly));
    const QByteArray got = drained.readAll();
    QCOMPARE(got.size(), total);
    for (qint64 at = 0; at < total; at += payload.size()) {
        if (got.mid(at, payload.size()) != payload)
            QFAIL(qPrintable(QStringLiteral("bytes %1 on differ from what was sent").arg(at)));
    }
    // Sending goes on once the peer reads.
    press(w->ui->TCPsendmsgBtn);
    QTRY_COMPARE(peer->drainedBytes(conn), total + payload.size());
    QCOMPARE(w->tcpTerminal->sentTotal(), total + payload.size());
}

void TestNetPages::splitCharactersShowWhole()
{
    makeWindow();
    const QString conn = startTcpClient();
    QVERIFY(!conn.isEmpty());
    QPlainTextEdit *text = w->ui->TCP_StrTextBrowser;
    // Each piece arrives as a read of its own.
    const auto sendInReads = [&](const QList<QByteArray> &pieces) {
        for (const QByteArray &piece : pieces) {
            const int before = w->ui->TCPrecvbyteslcdNumber->intValue();
            peer->send(conn, piece);
            if (!QTest::qWaitFor([&] { return w->ui->TCPrecvbyteslcdNumber->intValue() == before + piece.size(); }))
                return false;
            QTest::qWait(30);
        }
        return true;
    };
    const QString r(QChar::ReplacementCharacter);

    // "Time" on (UTF-8): a read that ends inside a sequence loses nothing
    // of the next read.
    w->ui->TCP_showtime_checkBox->setChecked(true);
    QVERIFY(sendInReads({QByteArray::fromHex("e4b8"), QByteArray::fromHex("4142")}));
    QTRY_VERIFY(text->document()->lastBlock().text().endsWith(r + r + QStringLiteral("AB")));
    // "Time" off (GBK): E4 B8 is one character, however it is cut.
    w->ui->TCP_showtime_checkBox->setChecked(false);
    w->actionCleanData_TCP_triggered();
    QVERIFY(sendInReads({QByteArray::fromHex("e4"), QByteArray::fromHex("b84142"), QByteArray::fromHex("81")}));
    QTRY_COMPARE(text->toPlainText(), QString::fromUtf8("\xe6\xb6\x93") + QStringLiteral("AB"));
    // The connection ends with a lead byte held back: it shows.
    peer->command(QStringLiteral("close %1").arg(conn));
    QTRY_COMPARE(text->toPlainText(), QString::fromUtf8("\xe6\xb6\x93") + QStringLiteral("AB") + r);

    // UDP: each sender has its own state; two senders interleave halves.
    w->ui->tabWidget->setCurrentWidget(w->ui->udp);
    const int local = freePort();
    w->ui->UDPSenderPortlineEdit->setText(QString::number(local));
    press(w->ui->UDPopencompushButton);
    QVERIFY(w->udpOpen);
    peer->udp(QStringLiteral("A"));
    peer->udp(QStringLiteral("B"));
    peer->sendTo(QStringLiteral("A"), local, QByteArray::fromHex("d6"));
    QTRY_COMPARE(w->ui->UDPrecvbyteslcdNumber->intValue(), 1);
    peer->sendTo(QStringLiteral("B"), local, QByteArray::fromHex("ce"));
    QTRY_COMPARE(w->ui->UDPrecvbyteslcdNumber->intValue(), 2);
    peer->sendTo(QStringLiteral("A"), local, QByteArray::fromHex("d0"));
    QTRY_COMPARE(w->ui->UDPrecvbyteslcdNumber->intValue(), 3);
    peer->sendTo(QStringLiteral("B"), local, QByteArray::fromHex("c4"));
    QTRY_COMPARE(w->ui->UDP_StrTextBrowser->toPlainText(), QString::fromUtf8("中文"));
}

void TestNetPages::keepSendOnePerTickAndNothingWhileStopped()
{
    makeWindow();
    int ticks = 0;
    connect(w->tcpSendTimer, &QTimer::timeout, this, [&ticks] { ++ticks; });
    QString conn = startTcpClient();
    QVERIFY(!conn.isEmpty());
    w->ui->TCPsendMsgtextEdit->setPlainText(QStringLiteral("x"));
    w->ui->TCPobocheckBox->setChecked(true);
    w->ui->TCPdelayspinBox->setValue(10);
    press(w->ui->TCPsendmsgBtn);
    QCOMPARE(w->ui->TCPsendmsgBtn->text(), QStringLiteral("Pause"));
    // Stop and Start twice while keep-send runs; every tick after the last
    // Start sends one byte on the new connection.
    QStringList conns{conn};
    for (int round = 0; round < 2; ++round) {
        press(w->ui->TCPopencompushButton); // Stop
        press(w->ui->TCPopencompushButton); // Start
        ticks = 0;
        QVERIFY(!peer->waitFor(QStringLiteral("accepted L.")).isEmpty());
        conns << peer->lines().filter(QStringLiteral("accepted L.")).last().split(QLatin1Char(' ')).value(1);
    }
    conn = conns.last();
    QTRY_VERIFY_WITH_TIMEOUT(ticks >= 10, 10000);
    w->ui->TCPsendmsgBtn->setText(QStringLiteral("||")); // its text decides nothing
    press(w->ui->TCPsendmsgBtn); // Pause
    QCOMPARE(w->ui->TCPsendmsgBtn->text(), QStringLiteral("send"));
    QVERIFY(!w->tcpSendTimer->isActive());
    QCOMPARE(peer->receivedAtLeast(conn, ticks).size(), ticks);
    QTest::qWait(100);
    QCOMPARE(peer->received(conn).size(), ticks);
    // The counter counts what the sockets took, the stopped ones' last
    // bytes too (they go out after Stop): all of it reached the peer.
    for (int i = 0; i + 1 < conns.size(); ++i)
        QTRY_VERIFY(peer->sawEof(conns[i]));
    qint64 received = 0;
    for (const QString &id : std::as_const(conns))
        received += peer->received(id).size();
    QTRY_COMPARE(qint64(w->ui->TCPsendbyteslcdNumber->intValue()), received);

    // Keep-send running, Stop, a second: nothing leaves; then the server
    // role with one client.
    press(w->ui->TCPsendmsgBtn);
    press(w->ui->TCPopencompushButton);
    QTRY_VERIFY(peer->sawEof(conn));
    const int sent = w->ui->TCPsendbyteslcdNumber->intValue();
    QTest::qWait(1000);
    QCOMPARE(w->ui->TCPsendbyteslcdNumber->intValue(), sent);
    QVERIFY(w->tcpSendTimer->isActive());
    const int port = freePort();
    w->ui->TCP_comboBox->setCurrentIndex(0);
    w->ui->TCPServerPortlineEdit->setText(QString::number(port));
    press(w->ui->TCPopencompushButton);
    QVERIFY(w->tcpOpen);
    QVERIFY(peer->connectTo(QStringLiteral("s"), port));
    QVERIFY(peer->receivedAtLeast(QStringLiteral("s"), 3).size() >= 3);
    press(w->ui->TCPsendmsgBtn);

    // UDP: keep-send running, Stop, the local port taken, Start refused:
    // no datagram in a second.
    const int udpPeer = peer->udp(QStringLiteral("R"));
    w->ui->UDPFarPortlineEdit->setText(QString::number(udpPeer));
    const int local = freePort();
    w->ui->UDPSenderPortlineEdit->setText(QString::number(local));
    press(w->ui->UDPopencompushButton);
    QVERIFY(w->udpOpen);
    w->ui->UDPsendMsgtextEdit->setPlainText(QStringLiteral("u"));
    w->ui->UDPobocheckBox->setChecked(true);
    w->ui->UDPdelayspinBox->setValue(10);
    press(w->ui->UDPsendmsgBtn);
    QTRY_VERIFY(peer->datagrams(QStringLiteral("R")).size() >= 3);
    press(w->ui->UDPopencompushButton);
    QTest::qWait(50);
    peer->udp(QStringLiteral("X"), QStringLiteral("127.0.0.1"), local);
    press(w->ui->UDPopencompushButton);
    QVERIFY(!w->udpOpen);
    QVERIFY(status().startsWith(QStringLiteral("UDP failed to start: ")));
    const int datagrams = int(peer->datagrams(QStringLiteral("R")).size());
    QTest::qWait(1000);
    QCOMPARE(peer->datagrams(QStringLiteral("R")).size(), datagrams);
    QVERIFY(w->udpSendTimer->isActive());
}

void TestNetPages::udpDatagrams()
{
    makeWindow();
    const int local = freePort();
    w->ui->UDPSenderPortlineEdit->setText(QString::number(local));
    w->ui->UDPFarPortlineEdit->setText(QString::number(local));
    press(w->ui->UDPopencompushButton);
    QVERIFY(w->udpOpen);
    QCOMPARE(status(), QStringLiteral("UDP starts listening"));
    // A page's views are written while the page is on screen.
    w->ui->tabWidget->setCurrentWidget(w->ui->udp);
    qInfo("receive buffer granted: %d bytes",
          w->udpRecvSocket->socketOption(QAbstractSocket::ReceiveBufferSizeSocketOption).toInt());

    // A datagram to its own port comes back once, from the send socket.
    w->ui->UDPsendMsgtextEdit->setPlainText(QStringLiteral("hi"));
    press(w->ui->UDPsendmsgBtn);
    QTRY_COMPARE(w->ui->UDP_StrTextBrowser->toPlainText(), QStringLiteral("hi"));
    QCOMPARE(status(), QStringLiteral("UDP receive from:127.0.0.1:%1").arg(w->udpSendSocket->localPort()));
    QVERIFY(w->udpSendSocket->localPort() != local);
    QTest::qWait(100);
    QCOMPARE(w->ui->UDP_StrTextBrowser->toPlainText(), QStringLiteral("hi"));
    QCOMPARE(w->ui->UDPsendbyteslcdNumber->intValue(), 2);
    QCOMPARE(w->ui->UDPrecvbyteslcdNumber->intValue(), 2);

    // An empty datagram: the status names the peer, "Time" adds a stamp
    // line, the counter stays.
    const int peerPort = peer->udp(QStringLiteral("U"));
    w->ui->UDP_showtime_checkBox->setChecked(true);
    peer->sendTo(QStringLiteral("U"), local, QByteArray());
    QTRY_COMPARE(status(), QStringLiteral("UDP receive from:127.0.0.1:%1").arg(peerPort));
    QTRY_COMPARE(w->ui->UDP_StrTextBrowser->document()->blockCount(), 2);
    QVERIFY(QRegularExpression(QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\]$"))
                .match(w->ui->UDP_StrTextBrowser->document()->lastBlock().text())
                .hasMatch());
    QCOMPARE(w->ui->UDPrecvbyteslcdNumber->intValue(), 2);
    w->ui->UDP_showtime_checkBox->setChecked(false);
    peer->sendTo(QStringLiteral("U"), local, QByteArray());
    QTest::qWait(100);
    QCOMPARE(w->ui->UDP_StrTextBrowser->document()->blockCount(), 2);

    // A bad remote address: said at start and at every send, nothing counted.
    press(w->ui->UDPopencompushButton);
    QCOMPARE(status(), QStringLiteral("UDP stop listening"));
    QVERIFY(!w->udpRecvSocket);
    w->ui->UDPFarIPlineEdit->setText(QStringLiteral("300.1.1.1"));
    press(w->ui->UDPopencompushButton);
    QVERIFY(w->udpOpen);
    QVERIFY(status().contains(QLatin1String("300.1.1.1")));
    press(w->ui->UDPsendmsgBtn);
    QCOMPARE(status(), QStringLiteral("The remote address 300.1.1.1:%1 is not valid, nothing was sent").arg(local));
    QCOMPARE(w->ui->UDPsendbyteslcdNumber->intValue(), 2);
}

void TestNetPages::importAndExport()
{
    makeWindow();
    // Lines go in verbatim after what the send box holds.
    QFile small(dir->file(QStringLiteral("small.txt")));
    QVERIFY(small.open(QIODevice::WriteOnly));
    small.write("one %1\nSend\n");
    small.close();
    w->ui->TCPsendMsgtextEdit->setPlainText(QStringLiteral("x"));
    prompts->queueFile(small.fileName());
    press(w->ui->TCPreadtxtpushButton);
    QCOMPARE(w->ui->TCPsendMsgtextEdit->toPlainText(), QStringLiteral("xone %1\nSend\n"));
    QCOMPARE(status(), QStringLiteral("Success for read the data in the file"));

    QFile big(dir->file(QStringLiteral("big.txt")));
    QVERIFY(big.open(QIODevice::WriteOnly));
    big.write(QByteArray(10001, 'a'));
    big.close();
    prompts->queueFile(big.fileName());
    press(w->ui->UDPreadtxtpushButton);
    QCOMPARE(status(), QStringLiteral("Load failed: file size is 10001 bytes, Exceeded the limit size 10000 bytes"));
    QVERIFY(w->ui->UDPsendMsgtextEdit->toPlainText().isEmpty());

    press(w->ui->UDPsavetxtpushButton);
    QCOMPARE(status(), QStringLiteral("No data need to save"));
    const QString conn = startTcpClient();
    QVERIFY(!conn.isEmpty());
    peer->send(conn, "saved\n");
    QTRY_COMPARE(w->ui->TCP_StrTextBrowser->toPlainText(), QStringLiteral("saved\n"));
    const QString out = dir->file(QStringLiteral("out.txt"));
    prompts->queueFile(out);
    press(w->ui->TCPsavetxtpushButton);
    QCOMPARE(status(), QStringLiteral("Saved success.\tsaved: ") + QFileInfo(out).canonicalFilePath());
    QFile saved(out);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("saved\n"));
}

void TestNetPages::exportAndHexViewOfLongRuns()
{
    makeWindow();
    // TCP: a 300 KiB line is cut on screen and saved whole.
    const QString conn = startTcpClient();
    QVERIFY(!conn.isEmpty());
    QByteArray line;
    for (int i = 0; line.size() < 300 * 1024; ++i)
        line += char('a' + i % 26);
    w->ui->TCP_HEXcheckBox->setChecked(true);
    for (qsizetype at = 0; at < line.size(); at += 50000)
        peer->send(conn, line.mid(at, 50000));
    ReceiveDisplay *tcp = w->tcpTerminal->display();
    const auto shownChars = [](ReceiveDisplay *display, QPlainTextEdit *view) {
        display->flush();
        return view->toPlainText().remove(QLatin1Char('\n')).size();
    };
    QTRY_COMPARE_WITH_TIMEOUT(shownChars(tcp, w->ui->TCP_StrTextBrowser), line.size(), 30000);
    QVERIFY(w->ui->TCP_StrTextBrowser->document()->blockCount() >= line.size() / RxFormat::kDisplayLineChars);
    exportHolds(w->ui->TCPsavetxtpushButton, QStringLiteral("tcp.txt"), line);
    if (QTest::currentTestFailed())
        return;
    hexLinesHoldWholeTokens(w->ui->TCP_HexTextBrowser);
    if (QTest::currentTestFailed())
        return;
    press(w->ui->TCPopencompushButton);

    // UDP: datagrams that continue one run are saved as one line.
    const int local = freePort();
    w->ui->UDPSenderPortlineEdit->setText(QString::number(local));
    press(w->ui->UDPopencompushButton);
    QVERIFY(w->udpOpen);
    w->ui->tabWidget->setCurrentWidget(w->ui->udp);
    w->ui->UDP_HEXcheckBox->setChecked(true);
    peer->udp(QStringLiteral("U"));
    QByteArray sent;
    for (int i = 0; i < 12; ++i) {
        const QByteArray datagram(700 + i, char('A' + i));
        sent += datagram;
        peer->sendTo(QStringLiteral("U"), local, datagram);
        QTRY_COMPARE(shownChars(w->udpTerminal->display(), w->ui->UDP_StrTextBrowser), sent.size());
    }
    QVERIFY(w->ui->UDP_StrTextBrowser->document()->blockCount() > sent.size() / RxFormat::kDisplayLineChars);
    exportHolds(w->ui->UDPsavetxtpushButton, QStringLiteral("udp.txt"), sent);
    if (QTest::currentTestFailed())
        return;
    hexLinesHoldWholeTokens(w->ui->UDP_HexTextBrowser);
}

void TestNetPages::exportHolds(QAbstractButton *save, const QString &name, const QByteArray &expected)
{
    const QString out = dir->file(name);
    prompts->queueFile(out);
    press(save);
    QCOMPARE(status(), QStringLiteral("Saved success.\tsaved: ") + QFileInfo(out).canonicalFilePath());
    QFile saved(out);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll() == expected);
}

void TestNetPages::hexLinesHoldWholeTokens(const QPlainTextEdit *hex)
{
    static const QRegularExpression hexLine(QStringLiteral("^(?:0x[0-9A-F]{2}, )*$"));
    for (QTextBlock b = hex->document()->begin(); b.isValid(); b = b.next())
        QVERIFY2(hexLine.match(b.text()).hasMatch(), qPrintable(b.text()));
}

VELM_TEST_MAIN(TestNetPages)
void TestNetPages::timeSwitchKeepsThePeersLines()
{
    makeWindow();
    const QString conn = startTcpClient();
    QVERIFY(!conn.isEmpty());
    QPlainTextEdit *text = w->ui->TCP_StrTextBrowser;
    // Each line arrives as a read of its own, "Time" switched before it.
    for (const TestSupport::StampedChunk &line : TestSupport::timeSwitchSequence()) {
        w->ui->TCP_showtime_checkBox->setChecked(line.stamped);
        peer->send(conn, line.bytes);
        QTRY_VERIFY(text->toPlainText().contains(QString::fromLatin1(line.bytes.trimmed())));
    }
    const QStringList lines = TestSupport::timeSwitchSequenceLines();
    QCOMPARE(TestSupport::linesWithStamps(text->toPlainText()), lines);
    // The saved log ends with the line feed the peer sent.
    const QString path = dir->file(QStringLiteral("log.txt"));
    prompts->queueFile(path);
    press(w->ui->TCPsavetxtpushButton);
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(TestSupport::linesWithStamps(QString::fromUtf8(saved.readAll())), lines);
}

#include "tst_netpages.moc"
