// The "Modbus" page against real peers: a libmodbus slave over loopback TCP
// and as slave 17 on a pseudo-terminal, mbpoll as a second master on the
// same slave, and test-owned loopback servers that stay silent or hang up.
#include "devicewindowfixture.h"
#include "ownprogram.h"
#include "testsupport.h"

#include "mainwindow.h"
#include "modbus/kalvest_modbusclient.h"
#include "modbus/modbusexchange.h"
#include "portlister.h"
#include "ui_mainwindow.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

// The slave's mapping (tests/peers/modbus-slave.c): coils 0 and 2 on,
// discrete inputs 1, 2 and 4 on, holding register i = 0x1000 + i, input
// register i = 0x2000 + i, 32 of each.
QString initialCoils()
{
    return QStringLiteral("1010") + QString(28, QLatin1Char('0'));
}
QStringList initialRegisters()
{
    QStringList regs;
    for (int i = 0; i < 32; ++i)
        regs << QString::number(0x1000 + i, 16);
    return regs;
}

// The libmodbus slave as a child process: ended by closing its input and
// judged as the test is (OwnProgram).
class SlavePeer
{
public:
    static QString program() { return QCoreApplication::applicationDirPath() + QStringLiteral("/velm_modbus_slave"); }
    // TCP on a free loopback port; returns the port or 0.
    int startTcp()
    {
        if (!start({QStringLiteral("tcp")}, "PORT "))
            return 0;
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("PORT (\\d+)")).match(QString::fromLatin1(m_child.output()));
        return m.hasMatch() ? m.captured(1).toInt() : 0;
    }
    bool startRtu(const QString &device) { return start({QStringLiteral("rtu"), device}, "READY"); }
    // The newest "STATE <coils> <registers>" line's two fields.
    QStringList lastState()
    {
        const QString out = QString::fromLatin1(m_child.output());
        const int at = out.lastIndexOf(QLatin1String("STATE "));
        if (at < 0)
            return {};
        const QString line = out.mid(at + 6).section(QLatin1Char('\n'), 0, 0);
        return line.split(QLatin1Char(' '));
    }
    // Ends it (or sees that it ended) and judges it; true when it passed.
    bool finish() { return m_child.finish(10000); }

private:
    bool start(const QStringList &args, const char *ready)
    {
        return m_child.start(program(), args) && m_child.waitForOutput(ready, 5000);
    }
    TestSupport::OwnProgram m_child{QStringLiteral("modbus slave"), "END"};
};

// A loopback server that takes connections and what they send, and
// answers nothing.
struct SilentServer {
    QTcpServer server;
    QList<QTcpSocket *> clients;
    QByteArray received;
    bool listen()
    {
        QObject::connect(&server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket *c = server.nextPendingConnection()) {
                clients << c;
                QObject::connect(c, &QTcpSocket::readyRead, [this, c] { received += c->readAll(); });
            }
        });
        return server.listen(QHostAddress::LocalHost, 0);
    }
    int port() const { return server.serverPort(); }
};

// One logged frame: its stamp and bytes, and the text as shown.
struct LogFrame {
    QString stamp;
    QString text;
    QByteArray bytes;
};

// Frames of a log: each starts a block with its stamp; the line feed after
// a 0x0a byte continues the frame in the next block.
QList<LogFrame> frames(const QPlainTextEdit *log)
{
    static const QRegularExpression stamped(QStringLiteral("^(\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\])(.*)$"));
    static const QRegularExpression token(QStringLiteral("0x([0-9a-f]{2})"));
    QList<LogFrame> out;
    const QString all = log->toPlainText();
    if (all.isEmpty())
        return out;
    for (const QString &block : all.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch m = stamped.match(block);
        if (m.hasMatch())
            out.append({m.captured(1), m.captured(2), {}});
        else if (!out.isEmpty())
            out.last().text += QLatin1Char('\n') + block;
    }
    for (LogFrame &f : out) {
        auto it = token.globalMatch(f.text);
        while (it.hasNext())
            f.bytes.append(char(it.next().captured(1).toInt(nullptr, 16)));
    }
    return out;
}

// What the codec makes of a logged reply, in a short form.
QString decode(const QByteArray &reply, int slave, int function, bool tcp)
{
    Kalvest_ModbusClient codec;
    QString error;
    QObject::connect(&codec, &Kalvest_ModbusClient::errorOccurred, [&error](const QString &e) { error = e; });
    const QVariant v = codec.parseResponse(slave, function, reply, tcp);
    if (!v.isValid())
        return error;
    if (v.metaType() == QMetaType::fromType<QList<bool>>()) {
        QString bits;
        for (bool b : v.value<QList<bool>>())
            bits += b ? QLatin1Char('1') : QLatin1Char('0');
        return bits;
    }
    if (v.metaType() == QMetaType::fromType<QList<ushort>>()) {
        QStringList words;
        for (ushort w : v.value<QList<ushort>>())
            words << QString::number(w, 16);
        return words.join(QLatin1Char(','));
    }
    const QVariantMap map = v.toMap();
    return QStringLiteral("%1 %2").arg(map.value(QStringLiteral("StartAddress")).toInt())
        .arg(map.value(QStringLiteral("Quantity")).toInt());
}

void press(QAbstractButton *button)
{
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
}

} // namespace

class TestModbusPage : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tcpFunctionsAgainstLibmodbusSlave();
    void rtuThroughPtyToSlave17();
    void mbpollAgreesWithThePage();
    void refusedInputAndNoTransportSendNothing();
    void oneExchangeAtATimeAndDisconnectOrCloseEndsIt();
    void peerHangingUpEndsTheExchange();
    void longReplyBreaksBetweenEntries();
    void refusedCloseLeavesTheExchangeRunning();
    void portOutOfRangeIsRefused();
    void anotherPagesPortIsNotUsed();
    void exchangeLogsOnlyWrittenRequests();

private:
    Ui::MainWindow *ui() const { return fx.w->ui; }
    void connectTcp(int port);
    // Sets up one request and presses Read/Write; returns when it ended.
    void request(int functionIndex, int slave, int start, int quantity, const QString &values = QString());
    QList<LogFrame> sent() const { return frames(ui()->Modbus_sendMsgtextEdit); }
    QList<LogFrame> replies() const { return frames(ui()->Modbus_HexTextBrowser); }

    TestSupport::DeviceWindowFixture fx;
};

void TestModbusPage::init()
{
    if (!fx.start(QStringLiteral("Modbus")))
        QSKIP("no pseudo-terminal");
    const QByteArray test = QTest::currentTestFunction();
    if ((test.startsWith("tcpFunctions") || test.startsWith("rtu") || test.startsWith("mbpoll"))
        && !QFileInfo::exists(SlavePeer::program()))
        QSKIP("the libmodbus slave was not built (libmodbus-dev is one of the test packages)");
}

void TestModbusPage::cleanup()
{
    fx.stop();
}

void TestModbusPage::connectTcp(int port)
{
    press(ui()->ModbusportMode_2);
    QVERIFY(ui()->ModbusportMode_2->isChecked());
    QVERIFY(!ui()->ModbusportMode_1->isChecked());
    ui()->ModbusTCPclientIPlineEdit->setText(QStringLiteral("127.0.0.1"));
    ui()->ModbusTCPclientPortlineEdit->setText(QString::number(port));
    press(ui()->ModbusTCPopencompushButton);
    QCOMPARE(ui()->ModbusTCPopencompushButton->text(), QStringLiteral("Disconnect"));
    QTRY_VERIFY(fx.w->modbusTcpSocket && fx.w->modbusTcpSocket->state() == QAbstractSocket::ConnectedState);
}

void TestModbusPage::request(int functionIndex, int slave, int start, int quantity, const QString &values)
{
    ui()->Modbus_function_comboBox->setCurrentIndex(functionIndex);
    ui()->ModbusspinBox->setValue(slave);
    ui()->Modbus_address_spinBox->setValue(start);
    ui()->Modbus_quantity_spinBox->setValue(quantity);
    ui()->Modbus_lineEdit->setText(values);
    QTest::mouseClick(ui()->Modbus_pushButton, Qt::LeftButton);
}

void TestModbusPage::tcpFunctionsAgainstLibmodbusSlave()
{
    SlavePeer slave;
    const int port = slave.startTcp();
    QVERIFY(port > 0);
    fx.makeWindow();
    connectTcp(port);
    QSignalSpy errors(fx.w->modbusClient, &Kalvest_ModbusClient::errorOccurred);

    struct Step {
        int index; // function list index
        int start;
        int quantity;
        const char *values;
        const char *decoded;
    };
    const Step steps[] = {
        {0, 0, 5, "", "10100000"},                    // coils 0 to 4
        {1, 0, 8, "", "01101000"},                    // discrete inputs 0 to 7
        {2, 2, 3, "", "1002,1003,1004"},              // holding registers
        {3, 30, 2, "", "201e,201f"},                  // input registers
        {4, 3, 1, "0x01", "3 65280"},                 // coil 3 on (echo FF00)
        {5, 1, 1, "0x12 0x34", "1 4660"},             // register 1
        {6, 8, 10, "0xFF,0x02", "8 10"},              // coils 8 to 17
        {7, 10, 2, "0xAB 0xCD 0x00 0x01", "10 2"},    // registers 10 and 11
        {2, 30, 5, "", "Modbus exception response: 2"}, // past the mapping
    };
    const int codes[] = {1, 2, 3, 4, 5, 6, 15, 16};
    int n = 0;
    for (const Step &s : steps) {
        request(s.index, 1, s.start, s.quantity, QString::fromLatin1(s.values));
        ++n;
        QTRY_COMPARE(replies().size(), n);
        const QByteArray reply = replies().last().bytes;
        QCOMPARE(decode(reply, 1, codes[s.index], true), QString::fromLatin1(s.decoded));
    }
    QCOMPARE(sent().size(), n);
    // The page's own codec saw the same: only the last reply was refused.
    QCOMPARE(errors.count(), 1);
    QCOMPARE(errors.first().first().toString(), QStringLiteral("Modbus exception response: 2"));

    QString coils = initialCoils();
    coils[3] = QLatin1Char('1');
    coils.replace(8, 10, QStringLiteral("1111111101"));
    QStringList regs = initialRegisters();
    regs[1] = QStringLiteral("1234");
    regs[10] = QStringLiteral("abcd");
    regs[11] = QStringLiteral("0001");
    QTRY_COMPARE(slave.lastState(), (QStringList{coils, regs.join(QLatin1Char(','))}));

    press(ui()->Modbus_revice_cleandatapushButton);
    QCOMPARE(ui()->statusBar->currentMessage(), QStringLiteral("Receive has been cleared"));
    QVERIFY(replies().isEmpty() && !sent().isEmpty());
    press(ui()->Modbus_send_cleandatapushButton);
    QCOMPARE(ui()->statusBar->currentMessage(), QStringLiteral("Send has been cleared"));
    QVERIFY(sent().isEmpty());
    QVERIFY(slave.finish());
}

void TestModbusPage::rtuThroughPtyToSlave17()
{
    TestSupport::PtyPair pty;
    QVERIFY(pty.ok());
    SlavePeer slave;
    QVERIFY(slave.startRtu(pty.b()));
    const QString port = pty.a();
    SerialPortLister::setLister([port] { return QStringList{port}; });
    fx.makeWindow();
    QVERIFY(ui()->ModbusportMode_1->isChecked());
    QTRY_COMPARE(ui()->ModbusportNameComboBox->currentText(), port);
    press(ui()->ModbusopencompushButton);
    QCOMPARE(ui()->statusBar->currentMessage(), QStringLiteral("Serial opened"));
    QVERIFY(!ui()->ModbusportMode_2->isEnabled());

    request(0, 17, 0, 3);
    QTRY_COMPARE(replies().size(), 1);
    QCOMPARE(sent().size(), 1);
    QCOMPARE(sent().first().text, QStringLiteral("0x11,0x01,0x00,0x00,0x00,0x03,0x7e,0x9b"));
    QCOMPARE(replies().first().text, QStringLiteral("0x11,0x01,0x01,0x05,0x95,0x4b"));
    QCOMPARE(decode(replies().first().bytes, 17, 1, false), QStringLiteral("10100000"));

    // Slave 1 is not there: three attempts of one second each, no reply,
    // and the window goes on painting and running timers meanwhile.
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, this, [&] {
        ++ticks;
        ui()->statusBar->update();
    });
    ticker.start(20);
    QElapsedTimer clock;
    clock.start();
    request(0, 1, 0, 3);
    const qint64 took = clock.elapsed();
    ticker.stop();
    QVERIFY2(took >= 2900 && took < 4000, QByteArray::number(took).constData());
    QVERIFY2(ticks >= 50, QByteArray::number(ticks).constData());
    QTRY_COMPARE(sent().size(), 4);
    QCOMPARE(replies().size(), 1);
    for (int i = 1; i < 4; ++i)
        QCOMPARE(sent().at(i).bytes.left(6), QByteArray::fromHex("010100000003"));

    // The line going away during a reply window ends the exchange at once
    // and closes the page's port.
    QElapsedTimer sinceLost;
    QTimer::singleShot(300, this, [&] {
        pty.kill();
        sinceLost.start();
    });
    request(0, 1, 0, 3);
    QVERIFY(sinceLost.isValid());
    QVERIFY2(sinceLost.elapsed() < 100, QByteArray::number(sinceLost.elapsed()).constData());
    QVERIFY(!fx.w->serialOpen);
    QVERIFY(ui()->statusBar->currentMessage().startsWith(QStringLiteral("Serial port lost, closed:")));
    QCOMPARE(ui()->ModbusopencompushButton->text(), QStringLiteral("Open"));
    QVERIFY(ui()->ModbusportMode_2->isEnabled());
    QVERIFY(slave.finish());
}

void TestModbusPage::mbpollAgreesWithThePage()
{
    const QString mbpoll = QStandardPaths::findExecutable(QStringLiteral("mbpoll"));
    if (mbpoll.isEmpty())
        QSKIP("mbpoll is not installed (scripts/setup.sh installs it)");
    SlavePeer slave;
    const int port = slave.startTcp();
    QVERIFY(port > 0);
    auto runMbpoll = [&](const QStringList &args) {
        QProcess p;
        p.start(mbpoll, QStringList{QStringLiteral("-m"), QStringLiteral("tcp"), QStringLiteral("-0"),
                                    QStringLiteral("-1"), QStringLiteral("-p"), QString::number(port)}
                            + args);
        p.waitForFinished(10000);
        return QString::fromLatin1(p.readAllStandardOutput());
    };
    fx.makeWindow();
    connectTcp(port);

    // mbpoll writes, the page reads.
    const QString wrote = runMbpoll({QStringLiteral("-r"), QStringLiteral("20"), QStringLiteral("127.0.0.1"),
                                     QStringLiteral("4660"), QStringLiteral("22136")});
    QVERIFY2(wrote.contains(QLatin1String("Written 2 references")), qPrintable(wrote));
    request(2, 1, 20, 2);
    QTRY_COMPARE(replies().size(), 1);
    QCOMPARE(decode(replies().last().bytes, 1, 3, true), QStringLiteral("1234,5678"));

    // The page writes registers and a coil, mbpoll reads them back, and so
    // does the page.
    request(7, 1, 24, 2, QStringLiteral("0x0B 0xB8 0x00 0x07"));
    request(4, 1, 5, 1, QStringLiteral("0x01"));
    request(2, 1, 24, 2);
    QTRY_COMPARE(replies().size(), 4);
    QCOMPARE(decode(replies().last().bytes, 1, 3, true), QStringLiteral("bb8,7"));
    const QString regs = runMbpoll({QStringLiteral("-r"), QStringLiteral("24"), QStringLiteral("-c"),
                                    QStringLiteral("2"), QStringLiteral("127.0.0.1")});
    QVERIFY2(regs.contains(QLatin1String("[24]: \t3000")) && regs.contains(QLatin1String("[25]: \t7")),
             qPrintable(regs));
    const QString coils = runMbpoll({QStringLiteral("-t"), QStringLiteral("0"), QStringLiteral("-r"),
                                     QStringLiteral("4"), QStringLiteral("-c"), QStringLiteral("2"),
                                     QStringLiteral("127.0.0.1")});
    QVERIFY2(coils.contains(QLatin1String("[4]: \t0")) && coils.contains(QLatin1String("[5]: \t1")),
             qPrintable(coils));
    QVERIFY(slave.finish());
}

void TestModbusPage::refusedInputAndNoTransportSendNothing()
{
    SilentServer peer;
    QVERIFY(peer.listen());
    fx.makeWindow();

    // Nothing open: nothing sent, nothing shown.
    request(2, 1, 0, 1);
    request(7, 1, 0, 1, QStringLiteral("0x11"));
    QVERIFY(fx.prompts->requests().isEmpty());

    connectTcp(peer.port());
    // A value text the page refuses: its box, nothing sent; also for a
    // Read whose field still holds it.
    request(7, 1, 0, 1, QStringLiteral("0x11;0x12"));
    request(2, 1, 0, 1, QStringLiteral("11 12"));
    QCOMPARE(fx.prompts->requests().size(), 2);
    for (const auto &r : fx.prompts->requests()) {
        QCOMPARE(r.title, QStringLiteral("输入错误"));
        QCOMPARE(r.text, QStringLiteral("请输入合法的十六进制数据，例如：0x11 0x12 或 0x11,0x12"));
    }
    // A write without values, and one with more than a frame carries.
    request(7, 1, 0, 1);
    QString tooMany;
    for (int i = 0; i < 247; ++i)
        tooMany += QStringLiteral("0x01 ");
    request(7, 1, 0, 1, tooMany);
    QCOMPARE(ui()->statusBar->currentMessage(), QStringLiteral("Too many values: one request carries at most 246 bytes"));
    QTest::qWait(200);
    QCOMPARE(peer.received, QByteArray());
    QVERIFY(sent().isEmpty());
}

void TestModbusPage::oneExchangeAtATimeAndDisconnectOrCloseEndsIt()
{
    SilentServer peer;
    QVERIFY(peer.listen());
    fx.makeWindow();
    connectTcp(peer.port());

    // Five presses within 200 ms: the first exchange runs its three
    // attempts, the other presses are ignored.
    for (int ms : {40, 80, 120, 160})
        QTimer::singleShot(ms, this, [this] { QTest::mouseClick(ui()->Modbus_pushButton, Qt::LeftButton); });
    Kalvest_ModbusClient::transactionCounter = 500;
    request(2, 1, 0, 1);
    QTRY_COMPARE(sent().size(), 3);
    QTest::qWait(100);
    QCOMPARE(sent().size(), 3);
    QVERIFY(replies().isEmpty());
    const QByteArray expected = QByteArray::fromHex("01F4 0000 0006 0103 0000 0001"
                                                    "01F5 0000 0006 0103 0000 0001"
                                                    "01F6 0000 0006 0103 0000 0001");
    QCOMPARE(peer.received.toHex(' '), expected.toHex(' '));
    for (int i = 0; i < 3; ++i)
        QCOMPARE(sent().at(i).bytes, expected.mid(12 * i, 12));

    // Disconnect during the reply window ends the exchange at once.
    QElapsedTimer sincePress;
    QTimer::singleShot(300, this, [&] {
        sincePress.start();
        press(ui()->ModbusTCPopencompushButton);
    });
    request(2, 1, 0, 1);
    QVERIFY(sincePress.isValid());
    QVERIFY2(sincePress.elapsed() < 100, QByteArray::number(sincePress.elapsed()).constData());
    QVERIFY(!fx.w->modbusExchange->isRunning());
    QCOMPARE(ui()->statusBar->currentMessage(), QStringLiteral("Disconnected TCP server"));
    QCOMPARE(ui()->ModbusTCPopencompushButton->text(), QStringLiteral("Connect"));
    QVERIFY(ui()->ModbusportMode_1->isEnabled() && ui()->ModbusTCPclientPortlineEdit->isEnabled());
    QTRY_COMPARE(sent().size(), 4);

    // So does closing the window.
    connectTcp(peer.port());
    QElapsedTimer sinceClose;
    QTimer::singleShot(300, this, [&] {
        sinceClose.start();
        fx.w->close();
    });
    request(2, 1, 0, 1);
    QVERIFY(sinceClose.isValid());
    QVERIFY2(sinceClose.elapsed() < 100, QByteArray::number(sinceClose.elapsed()).constData());
    QVERIFY(!fx.w->isVisible());
}

void TestModbusPage::peerHangingUpEndsTheExchange()
{
    SilentServer peer;
    QVERIFY(peer.listen());
    fx.makeWindow();
    connectTcp(peer.port());
    QTRY_COMPARE(peer.clients.size(), 1);

    QElapsedTimer sinceClose;
    QTimer::singleShot(300, this, [&] {
        peer.clients.first()->close();
        sinceClose.start();
    });
    request(3, 1, 0, 1);
    QVERIFY(sinceClose.isValid());
    QVERIFY2(sinceClose.elapsed() < 100, QByteArray::number(sinceClose.elapsed()).constData());
    QCOMPARE(ui()->statusBar->currentMessage(), QStringLiteral("No server found"));
    QCOMPARE(ui()->ModbusTCPopencompushButton->text(), QStringLiteral("Connect"));
    QCOMPARE(fx.w->modbusTcpConnected, 0);
    QVERIFY(ui()->ModbusportMode_2->isEnabled());
    QTRY_COMPARE(sent().size(), 1);
    QVERIFY(replies().isEmpty());
}

void TestModbusPage::longReplyBreaksBetweenEntries()
{
    SilentServer peer;
    QVERIFY(peer.listen());
    fx.makeWindow();
    connectTcp(peer.port());
    QTRY_COMPARE(peer.clients.size(), 1);
    QByteArray reply;
    for (int i = 0; i < 500; ++i)
        reply.append(char(0x50 + i % 16));
    QTimer::singleShot(100, this, [&] { peer.clients.first()->write(reply); });
    request(2, 1, 0, 1);
    QTRY_COMPARE(replies().size(), 1);
    const LogFrame frame = replies().first();
    QCOMPARE(frame.bytes, reply);
    // Every line of the entry holds whole "0x5a," entries.
    static const QRegularExpression whole(QStringLiteral("^(0x[0-9a-f]{2},)*0x[0-9a-f]{2},?$"));
    const QStringList lines = frame.text.split(QLatin1Char('\n'));
    QVERIFY(lines.size() > 1);
    for (const QString &line : lines)
        QVERIFY2(whole.match(line).hasMatch(), qPrintable(line.right(20)));
}

void TestModbusPage::refusedCloseLeavesTheExchangeRunning()
{
    // Another page refuses the close: the exchange goes on and its reply
    // is logged.
    SilentServer peer;
    QVERIFY(peer.listen());
    fx.makeWindow();
    QObject refuser;
    fx.w->addCloseGuard(&refuser, [] { return false; });
    connectTcp(peer.port());
    QTRY_COMPARE(peer.clients.size(), 1);
    const QByteArray reply = QByteArray::fromHex("0001 0000 0005 0103 0200 2a");
    QTimer::singleShot(100, this, [&] { QVERIFY(!fx.w->close()); });
    QTimer::singleShot(300, this, [&] { peer.clients.first()->write(reply); });
    Kalvest_ModbusClient::transactionCounter = 0;
    request(2, 1, 0, 1);
    QVERIFY(fx.w->isVisible());
    QTRY_COMPARE(replies().size(), 1);
    QCOMPARE(replies().first().bytes, reply);
    QCOMPARE(sent().size(), 1);
}

void TestModbusPage::portOutOfRangeIsRefused()
{
    SilentServer peer;
    QVERIFY(peer.listen());
    fx.makeWindow();
    press(ui()->ModbusportMode_2);
    const QStringList texts = {QString::number(peer.port() + 65536), QStringLiteral("0"), QStringLiteral("50x")};
    QStringList expected;
    for (const QString &text : texts) {
        expected << QStringLiteral("Port \"%1\" is not a number from 1 to 65535!").arg(text);
        ui()->ModbusTCPclientPortlineEdit->setText(text);
        press(ui()->ModbusTCPopencompushButton);
        QCOMPARE(fx.w->modbusTcpConnected, 0);
        QCOMPARE(ui()->ModbusTCPopencompushButton->text(), QStringLiteral("Connect"));
    }
    QCOMPARE(fx.prompts->texts(), expected);
    QTest::qWait(300);
    QVERIFY(peer.clients.isEmpty());
    QVERIFY(!peer.server.hasPendingConnections());
}

void TestModbusPage::anotherPagesPortIsNotUsed()
{
    // "Serial Debug" holds the scripted device's port; the Modbus page in
    // COM mode sends nothing through it.
    QSettings(QStringLiteral("velm_config.ini"), QSettings::IniFormat).setValue(QStringLiteral("COM"), true);
    fx.makeWindow();
    QTRY_COMPARE(ui()->portNameComboBox->currentText(), fx.device->portPath());
    press(ui()->opencompushButton);
    QVERIFY(fx.w->serialOpen);
    QVERIFY(ui()->ModbusportMode_1->isChecked());
    QVERIFY(!ui()->ModbusopencompushButton->isEnabled());
    request(2, 1, 0, 1);
    request(7, 1, 0, 1, QStringLiteral("0x01 0x02"));
    QTest::qWait(200);
    QCOMPARE(fx.device->received(), QByteArray());
    QVERIFY(sent().isEmpty());
}

void TestModbusPage::exchangeLogsOnlyWrittenRequests()
{
    // A channel that takes nothing: the request is reported as not sent,
    // never as sent, and the exchange ends without retrying.
    Kalvest_ModbusClient codec;
    ModbusExchange exchange(&codec);
    QBuffer readOnly;
    QVERIFY(readOnly.open(QIODevice::ReadOnly));
    QSignalSpy sent(&exchange, &ModbusExchange::requestSent);
    QSignalSpy failed(&exchange, &ModbusExchange::requestFailed);
    ModbusExchange::Request request;
    request.tcp = true;
    QVERIFY(exchange.run(request, [&readOnly] { return &readOnly; }));
    QCOMPARE(sent.size(), 0);
    QCOMPARE(failed.size(), 1);
    QVERIFY(!failed.first().first().toString().isEmpty());

    // A channel that takes it: logged once per attempt written.
    QBuffer writable;
    QVERIFY(writable.open(QIODevice::ReadWrite));
    request.pollMs = 50;
    QVERIFY(exchange.run(request, [&writable] { return &writable; }));
    QCOMPARE(sent.size(), ModbusExchange::kAttempts);
    QCOMPARE(failed.size(), 1);
}

VELM_TEST_MAIN(TestModbusPage)
#include "tst_modbuspage.moc"
