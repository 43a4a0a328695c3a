// Send File on the "Serial Debug" page, at 9600 baud, to a device that
// takes data at a set rate as a slow line does (a pty the test plays the
// device on): the send is over once the device has the file, less what the
// system's buffer between port and device holds; Close and a lost port say
// how far it got; bytes queued ahead of the file are no stall; a stall
// stays said while the device talks; from the click on, the page says that
// the file is going out and how far it got, so no earlier success stands
// over it. And the page's hidden hex view keeps as many stamped lines as its
// text view.
#include "testenv.h"
#include "devicewindowfixture.h"
#include "testsupport.h"

#include "filesender.h"
#include "mainwindow.h"
#include "receivedisplay.h"
#include "sendqueue.h"
#include "threadserial.h"
#include "ui_mainwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLCDNumber>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>

namespace {

const QString kSuccess = QStringLiteral("Success for send the data in the file");
const QLatin1String kStallStart("The device is not taking data; ");
const QRegularExpression kRunning(QStringLiteral("^Sending the file: (\\d+) of (\\d+) bytes have gone$"));

// `lines` lines of `width` letters, each ended by `end`.
QByteArray lines(int count, int width, const QByteArray &end)
{
    QByteArray out;
    for (int i = 0; i < count; ++i)
        out += QByteArray(width, char('a' + i % 26)) + end;
    return out;
}

QByteArray unbroken(int size)
{
    QByteArray out(size, '\0');
    for (int i = 0; i < size; ++i)
        out[i] = char('A' + (i * 7 + i / 26) % 26);
    return out;
}

// What goes out of a file: a CR LF as LF.
QByteArray sentOf(QByteArray file)
{
    return file.replace("\r\n", "\n");
}

} // namespace

class TestSerialFileSend : public QObject, public TestSupport::DeviceWindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void successOnlyOnceTheFileHasGone_data();
    void successOnlyOnceTheFileHasGone();
    void stoppedSendSaysHowFarItGot_data();
    void stoppedSendSaysHowFarItGot();
    void sendQueuedAheadOfTheFileIsNoStall();
    void stallStaysSaidWhileTheDeviceTalks();
    void runningSendIsSaidFromTheClick_data();
    void runningSendIsSaidFromTheClick();
    void hiddenHexViewKeepsTheStampedLines();

private:
    QString status() const { return w->ui->statusBar->currentMessage(); }
    QSerialPort *port() const { return w->serialThread ? w->serialThread->port : nullptr; }
    // What the system holds between the port and the device: the port
    // writes to a device that reads nothing until it is full. A pty holds
    // more while its device reads (its terminal layer's own read buffer
    // drains then too): up to half as much again was seen, so twice the
    // figure measured is the bound.
    qint64 measureSystemBuffer();
    void sendFile(const QByteArray &content);
    // What the device had when "Success" was shown (-1: never); every
    // status text so far is checked to be no stall text.
    qint64 deviceHadAtSuccess();
    // Status texts as they are shown, with how much the device had then.
    struct Shown {
        QString text;
        qint64 deviceHad;
        qint64 at; // ms on m_clock
    };
    QList<Shown> m_shown;
    QElapsedTimer m_clock;
};

void TestSerialFileSend::init()
{
    if (!start(QStringLiteral("COM")))
        QSKIP("no pseudo-terminal could be made");
    makeWindow();
    w->ui->baudRateComboBox->setCurrentText(QStringLiteral("9600"));
    QTest::mousePress(w->ui->opencompushButton, Qt::LeftButton);
    QVERIFY2(w->serialOpen, qPrintable(status() + QLatin1Char('|') + w->ui->portNameComboBox->currentText()));
    QCOMPARE(port()->baudRate(), 9600);
    m_shown.clear();
    m_clock.start();
    connect(w->ui->statusBar, &QStatusBar::messageChanged, this, [this](const QString &text) {
        m_shown.append({text, device ? device->received().size() : -1, m_clock.elapsed()});
    });
}

void TestSerialFileSend::cleanup()
{
    stop();
}

qint64 TestSerialFileSend::measureSystemBuffer()
{
    device->setReadRate(0);
    const QByteArray filler(256 * 1024, 'f');
    if (port()->bytesToWrite() != 0 || !SendQueue::queue(port(), filler, false))
        return -1;
    // Written is what has left the port's buffer.
    qint64 held = 0;
    QElapsedTimer still;
    still.start();
    QElapsedTimer t;
    t.start();
    while (still.elapsed() < 500 && t.elapsed() < 10000) {
        QTest::qWait(20);
        const qint64 now = filler.size() - port()->bytesToWrite();
        if (now != held) {
            held = now;
            still.restart();
        }
    }
    // The device takes it all again, and nothing else.
    device->setReadRate(-1);
    if (!device->waitForReceived(filler.size(), 10000) || device->received() != filler)
        return -1;
    device->clearReceived();
    qInfo("the system holds %lld bytes between the port and the device", held);
    return held > 0 ? 2 * held : -1;
}

void TestSerialFileSend::sendFile(const QByteArray &content)
{
    const QString path = dir->file(QStringLiteral("send.bin"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(content), qint64(content.size()));
    f.close();
    prompts->queueFile(path);
    QTest::mousePress(w->ui->sendfileBtn, Qt::LeftButton);
    QVERIFY(w->comFileSender->isBusy());
}

qint64 TestSerialFileSend::deviceHadAtSuccess()
{
    qint64 deviceHad = -1;
    for (const Shown &s : std::as_const(m_shown)) {
        if (s.text.startsWith(kStallStart))
            QTest::qFail(qPrintable(s.text), __FILE__, __LINE__);
        if (s.text == kSuccess)
            deviceHad = s.deviceHad;
    }
    return deviceHad;
}

void TestSerialFileSend::successOnlyOnceTheFileHasGone_data()
{
    QTest::addColumn<QByteArray>("content");
    // Each under 1 MiB, so the page may hand all of it to the port long
    // before the device has it: the device takes 100 KiB a second, the
    // page hands on a 4 KiB line every few milliseconds.
    QTest::newRow("lines") << lines(100, 4095, "\n");
    QTest::newRow("CR LF lines") << lines(100, 4094, "\r\n");
    QTest::newRow("no line feeds") << unbroken(400 * 1024);
}

void TestSerialFileSend::successOnlyOnceTheFileHasGone()
{
    QFETCH(QByteArray, content);
    const qint64 buffer = measureSystemBuffer();
    QVERIFY(buffer > 0);
    const QByteArray expected = sentOf(content);
    device->setReadRate(100 * 1024);
    sendFile(content);
    QTRY_VERIFY_WITH_TIMEOUT(!w->comFileSender->isBusy(), 30000);
    QCOMPARE(status(), kSuccess);
    const qint64 deviceHad = deviceHadAtSuccess();
    if (QTest::currentTestFailed())
        return;
    qInfo("at \"Success\" the device had %lld of %lld bytes", deviceHad, qint64(expected.size()));
    QVERIFY2(deviceHad >= expected.size() - buffer,
             qPrintable(QStringLiteral("%1 of %2 bytes at the device, the system holds %3")
                            .arg(deviceHad).arg(expected.size()).arg(buffer)));
    // The rest arrives, every byte in order, and nothing more.
    device->setReadRate(-1);
    QVERIFY(device->waitForReceived(expected.size(), 10000));
    QTest::qWait(100);
    QCOMPARE(device->received().size(), expected.size());
    QVERIFY(device->received() == expected);
}

void TestSerialFileSend::stoppedSendSaysHowFarItGot_data()
{
    QTest::addColumn<bool>("lost");
    // Lines of 16 KiB; the device's rate, and how much it has when the
    // send is stopped.
    QTest::addColumn<int>("lines");
    QTest::addColumn<qint64>("rate");
    QTest::addColumn<qint64>("stopAt");
    QTest::addColumn<QString>("said");
    const QString closed = QStringLiteral("^Serial closed; the file send was stopped after (\\d+) of (\\d+) bytes$");
    const QString lost = QStringLiteral("^Serial port lost, closed: .*; the file send was stopped after (\\d+) of "
                                        "(\\d+) bytes$");
    // The page may hand all of the file on before the device has 150 KiB.
    QTest::newRow("Close") << false << 50 << qint64(100 * 1024) << qint64(150 * 1024) << closed;
    QTest::newRow("port lost") << true << 50 << qint64(100 * 1024) << qint64(150 * 1024) << lost;
    // The count is the one when the port went, not one some time before.
    QTest::newRow("port lost, the device reading fast")
        << true << 256 << qint64(1024 * 1024) << qint64(1024 * 1024) << lost;
}

void TestSerialFileSend::stoppedSendSaysHowFarItGot()
{
    QFETCH(bool, lost);
    QFETCH(int, lines);
    QFETCH(qint64, rate);
    QFETCH(qint64, stopAt);
    QFETCH(QString, said);
    const qint64 buffer = measureSystemBuffer();
    QVERIFY(buffer > 0);
    const QByteArray content = ::lines(lines, 16 * 1024, "\r\n");
    const QByteArray expected = sentOf(content);
    device->setReadRate(rate);
    sendFile(content);
    QVERIFY(device->waitForReceived(int(stopAt), 10000));
    QVERIFY(w->comFileSender->isBusy());
    qint64 deviceHad = 0;
    if (lost) {
        deviceHad = device->received().size();
        device->vanish();
        QTRY_VERIFY_WITH_TIMEOUT(!w->serialOpen, 3000);
    } else {
        QTest::mousePress(w->ui->opencompushButton, Qt::LeftButton);
        QVERIFY(!w->serialOpen);
        // What the port had written still reaches the device.
        device->setReadRate(-1);
        qint64 seen = -1;
        while (device->received().size() != seen) {
            seen = device->received().size();
            QTest::qWait(300);
        }
        deviceHad = seen;
    }
    const QRegularExpressionMatch m = QRegularExpression(said).match(status());
    QVERIFY2(m.hasMatch(), qPrintable(status()));
    QCOMPARE(m.captured(2).toLongLong(), qint64(content.size()));
    // The count is in the file's bytes; the device got one byte fewer for
    // each of the lines it got whole (their CR stayed behind).
    const qint64 gone = m.captured(1).toLongLong();
    const qint64 goneSent = sentOf(content.left(gone)).size();
    qInfo("stopped after %lld file bytes (%lld sent), the device had %lld", gone, goneSent, deviceHad);
    QVERIFY2(deviceHad <= goneSent && deviceHad >= goneSent - buffer,
             qPrintable(QStringLiteral("said %1, the device had %2, the system holds %3")
                            .arg(goneSent).arg(deviceHad).arg(buffer)));
    QVERIFY(device->received() == expected.left(device->received().size()));
}

void TestSerialFileSend::sendQueuedAheadOfTheFileIsNoStall()
{
    const qint64 buffer = measureSystemBuffer();
    QVERIFY(buffer > 0);
    // 200 KB by Send, then a 20 KB file behind it, the device taking
    // 20 KB a second: the file waits some 10 s, longer than the stall time
    // at 9600 baud, while the port writes all along.
    QVERIFY(SerialFileSender::stallMs(port()) < 10000);
    const QByteArray ahead = lines(2000, 98, "\r\n");
    w->ui->sendMsgtextEdit->setPlainText(QString::fromLatin1(sentOf(ahead)));
    const QByteArray file = lines(200, 99, "\n");
    device->setReadRate(20000);
    QTest::mousePress(w->ui->sendmsgBtn, Qt::LeftButton);
    QCOMPARE(status(), QStringLiteral("Send Success"));
    sendFile(file);
    QTRY_VERIFY_WITH_TIMEOUT(!w->comFileSender->isBusy(), 30000);
    QCOMPARE(status(), kSuccess);
    const qint64 total = ahead.size() + file.size();
    const qint64 deviceHad = deviceHadAtSuccess();
    if (QTest::currentTestFailed())
        return;
    qInfo("at \"Success\" the device had %lld of %lld bytes", deviceHad, total);
    QVERIFY2(deviceHad >= total - buffer, qPrintable(QString::number(deviceHad)));
    device->setReadRate(-1);
    QVERIFY(device->waitForReceived(int(total), 10000));
    QVERIFY(device->received() == ahead + file);
}

void TestSerialFileSend::stallStaysSaidWhileTheDeviceTalks()
{
    // The device takes nothing but sends a line every 100 ms.
    device->setReadRate(0);
    QTimer talk;
    int said = 0;
    connect(&talk, &QTimer::timeout, this, [&] { device->write("T" + QByteArray::number(said++) + "\r\n"); });
    talk.start(100);
    const QByteArray content = lines(100, 1023, "\n");
    sendFile(content);
    const QRegularExpression stalled(QStringLiteral("^The device is not taking data; \\d+ of %1 bytes of the file "
                                                    "have gone$").arg(content.size()));
    QTRY_VERIFY_WITH_TIMEOUT(stalled.match(status()).hasMatch(), int(SerialFileSender::stallMs(port())) + 5000);
    const QString stallText = status();
    // While it lasts, lines keep arriving and the text stays.
    const int linesBefore = said;
    const int counted = w->ui->recvbyteslcdNumber->intValue();
    m_shown.clear();
    QTest::qWait(2000);
    QVERIFY(said >= linesBefore + 10);
    const QString last = QStringLiteral("T%1").arg(said - 1);
    QTRY_VERIFY(w->ui->COM_StrTextBrowser->toPlainText().contains(last));
    QVERIFY(w->ui->recvbyteslcdNumber->intValue() > counted);
    QCOMPARE(status(), stallText);
    QVERIFY2(m_shown.isEmpty(), qPrintable(m_shown.value(0).text));
    // The device reads again: the send goes on, says so, and ends; then
    // what arrives is said again.
    device->setReadRate(-1);
    QTRY_VERIFY_WITH_TIMEOUT(!w->comFileSender->isBusy(), 10000);
    bool wentOn = false;
    for (const Shown &s : std::as_const(m_shown))
        wentOn = wentOn || s.text.startsWith(QLatin1String("Sending the file: "));
    QVERIFY(wentOn);
    QVERIFY(device->waitForReceived(content.size(), 5000));
    QVERIFY(device->received() == content);
    QTRY_VERIFY(status().startsWith(QLatin1String("Successfully read ")));
}

void TestSerialFileSend::runningSendIsSaidFromTheClick_data()
{
    // What stands in the status bar before the click, the file then sent
    // (each larger than the system's buffer), and whether the device talks
    // meanwhile.
    QTest::addColumn<QString>("before");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("talks");
    QTest::newRow("a file of lines, then one without line feeds") << "file" << unbroken(100 * 1024) << false;
    QTest::newRow("Send, then a file of lines") << "send" << lines(100, 1023, "\n") << false;
    QTest::newRow("Export, then a file without line feeds, the device talking")
        << "export" << unbroken(100 * 1024) << true;
}

void TestSerialFileSend::runningSendIsSaidFromTheClick()
{
    QFETCH(QString, before);
    QFETCH(QByteArray, content);
    QFETCH(bool, talks);
    const qint64 buffer = measureSystemBuffer();
    QVERIFY(buffer > 0);
    device->setReadRate(20 * 1024);
    // Bytes the device gets ahead of the file.
    QByteArray ahead;
    if (before == QLatin1String("file")) {
        ahead = lines(80, 1023, "\n");
        sendFile(ahead);
        QTRY_VERIFY_WITH_TIMEOUT(!w->comFileSender->isBusy(), 30000);
        QCOMPARE(status(), kSuccess);
    } else if (before == QLatin1String("send")) {
        w->ui->sendMsgtextEdit->setPlainText(QStringLiteral("ping"));
        QTest::mousePress(w->ui->sendmsgBtn, Qt::LeftButton);
        QCOMPARE(status(), QStringLiteral("Send Success"));
        ahead = "ping";
    } else {
        QVERIFY(device->write("hello\r\n"));
        QTRY_VERIFY(w->ui->COM_StrTextBrowser->toPlainText().contains(QLatin1String("hello")));
        prompts->queueFile(dir->file(QStringLiteral("log.txt")));
        QTest::mousePress(w->ui->savetxtpushButton, Qt::LeftButton);
        QVERIFY2(status().startsWith(QLatin1String("Saved success.")), qPrintable(status()));
    }
    const QString earlier = status();
    QTimer talk;
    connect(&talk, &QTimer::timeout, this, [this] { device->write("T\r\n"); });
    if (talks)
        talk.start(300);

    // At the click the page says the file is going out, with its size.
    m_shown.clear();
    sendFile(content);
    const QRegularExpressionMatch first = kRunning.match(status());
    QVERIFY2(first.hasMatch(), qPrintable(status()));
    QCOMPARE(first.captured(1).toLongLong(), 0);
    QCOMPARE(first.captured(2).toLongLong(), qint64(content.size()));
    QTRY_VERIFY_WITH_TIMEOUT(!w->comFileSender->isBusy(), 30000);
    talk.stop();
    // What the device said after the end may stand over Success by now.
    while (talks && !m_shown.isEmpty() && m_shown.constLast().text.startsWith(QLatin1String("Successfully read ")))
        m_shown.removeLast();
    QVERIFY(!m_shown.isEmpty());
    QCOMPARE(m_shown.constLast().text, kSuccess);
    const qint64 deviceHad = deviceHadAtSuccess();
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(deviceHad >= ahead.size() + content.size() - buffer, qPrintable(QString::number(deviceHad)));

    // Until then: the running text, its count rising and never ahead of
    // what the device has by more than the system holds, nor behind it,
    // shown again about once a second, not faster; received data said in
    // between and the running text back after it; no earlier success.
    qint64 lastCount = -1;
    qint64 lastAt = -1;
    int running = 0;
    bool readSaid = false;
    bool backAfterRead = false;
    for (int i = 0; i + 1 < m_shown.size(); ++i) {
        const Shown &s = m_shown.at(i);
        QVERIFY2(s.text != earlier && s.text != kSuccess, qPrintable(s.text));
        if (talks && s.text.startsWith(QLatin1String("Successfully read "))) {
            readSaid = true;
            continue;
        }
        const QRegularExpressionMatch m = kRunning.match(s.text);
        QVERIFY2(m.hasMatch(), qPrintable(s.text));
        const qint64 count = m.captured(1).toLongLong();
        const qint64 fileAtDevice = qMax<qint64>(0, s.deviceHad - ahead.size());
        QVERIFY2(count >= lastCount && count >= fileAtDevice && count <= fileAtDevice + buffer,
                 qPrintable(QStringLiteral("%1 after %2, the device had %3 of the file")
                                .arg(s.text).arg(lastCount).arg(fileAtDevice)));
        if (lastAt >= 0)
            QVERIFY2(s.at - lastAt >= 900, qPrintable(QStringLiteral("%1 ms apart").arg(s.at - lastAt)));
        backAfterRead = backAfterRead || readSaid;
        lastCount = count;
        lastAt = s.at;
        ++running;
    }
    qInfo("%d running texts, the last at %lld of %lld bytes", running, lastCount, qint64(content.size()));
    QVERIFY(running >= 3);
    QVERIFY(lastCount > 0);
    QCOMPARE(readSaid, talks);
    QCOMPARE(backAfterRead, talks);
    device->setReadRate(-1);
    QVERIFY(device->waitForReceived(int(ahead.size() + content.size()), 10000));
    QVERIFY(device->received() == ahead + content);
}

void TestSerialFileSend::hiddenHexViewKeepsTheStampedLines()
{
    // More stamped lines than the views' 10000-line cap, each a read of its
    // own, with the hex view hidden.
    w->ui->showtime_checkBox->setChecked(true);
    QVERIFY(!w->ui->COM_HexTextBrowser->isVisible());
    QSignalSpy reads(w->serialThread, &ThreadSerial::Serial_read_Data);
    QTimer wake; // the wait below is never longer than this
    wake.start(50);
    const int count = 12000;
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < count && t.elapsed() < 120000; ++i) {
        device->write("L" + QByteArray::number(i) + "\r\n");
        while (reads.count() <= i && t.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    QCOMPARE(reads.count(), count);
    w->comRxDisplay->flush();
    w->ui->HEXcheckBox->setChecked(true);
    QVERIFY(w->ui->COM_HexTextBrowser->isVisible());
    const QStringList text = TestSupport::linesWithStamps(w->ui->COM_StrTextBrowser->toPlainText());
    QCOMPARE(text.size(), 10000);
    QCOMPARE(text.at(text.size() - 2), QStringLiteral("[T]L%1").arg(count - 1));
    const QStringList hex = TestSupport::textOfHexLines(w->ui->COM_HexTextBrowser->toPlainText());
    QCOMPARE(hex.size(), text.size());
    QCOMPARE(hex, text);
}

VELM_TEST_MAIN(TestSerialFileSend)
#include "tst_serialfilesend.moc"
