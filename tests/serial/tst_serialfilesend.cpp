// Send File on the "Serial Debug" page, at 9600 baud, to a device that
// takes data at a set rate as a slow line does (a pty the test plays the
// device on): the send is over once the device has the file, less what the
// system's buffer between port and device holds; Close and a lost port say
// how far it got; bytes queued ahead of the file are no stall; a stall
// stays said while the device talks; from the click on, the page says that
// the file is going out and how far it got, so no earlier success stands
// over it. The running count has its own place on the status bar and never
// writes over what another page says in the message line. And the page's
// hidden hex view keeps as many stamped lines as its text view.
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
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QLCDNumber>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QTranslator>
#include <QUdpSocket>

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
    void stallStaysSaidWhileTheDeviceTalks_data();
    void stallStaysSaidWhileTheDeviceTalks();
    void runningSendIsSaidFromTheClick_data();
    void runningSendIsSaidFromTheClick();
    void countKeepsItsPlaceWhileAnotherPageSpeaks_data();
    void countKeepsItsPlaceWhileAnotherPageSpeaks();
    void stallTextAndCountAreReadableSideBySide_data();
    void stallTextAndCountAreReadableSideBySide();
    void hiddenHexViewKeepsTheStampedLines();

private:
    QString status() const { return w->ui->statusBar->currentMessage(); }
    // The running count in its place on the status bar (empty: none shown).
    QString count() const { return w->comFileProgress->isVisible() ? w->comFileProgress->text() : QString(); }
    QSerialPort *port() const { return w->serialThread ? w->serialThread->port : nullptr; }
    // What the system holds between the port and the device: the port
    // writes to a device that reads nothing until it is full. A pty holds
    // more while its device reads (its terminal layer's own read buffer
    // drains then too): up to half as much again was seen, so twice the
    // figure measured is the bound.
    qint64 measureSystemBuffer();
    // A file of `content`, then zeros up to `size` (a hole the system
    // keeps no blocks for), sent by Send File.
    void sendFile(const QByteArray &content, qint64 size = -1);
    // The message line's text and the count both whole in view, side by side.
    void checkSideBySide();
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
    // The running count as the page shows it, at each report of the send.
    struct Count {
        QString text; // empty: not in view
        qint64 deviceHad;
        qint64 at;
        QWidget *page; // the page in front
    };
    QList<Count> m_counts;
    QElapsedTimer m_clock;
    // Starts "UDP Debug" on a local port held by `holder`; its failure
    // text, read from the message line.
    void failUdpStart(QUdpSocket *holder, QString *said);
    // The count's texts in m_counts: each in view, a running text of a
    // file of `size` bytes, never falling, about a second apart; how many
    // times it rose.
    void checkRunningCounts(qint64 size, int *rises);
};

void TestSerialFileSend::init()
{
    if (!start(QStringList{QStringLiteral("COM"), QStringLiteral("UDP")}))
        QSKIP("no pseudo-terminal could be made");
    makeWindow();
    w->ui->baudRateComboBox->setCurrentText(QStringLiteral("9600"));
    QTest::mousePress(w->ui->opencompushButton, Qt::LeftButton);
    QVERIFY2(w->serialOpen, qPrintable(status() + QLatin1Char('|') + w->ui->portNameComboBox->currentText()));
    QCOMPARE(port()->baudRate(), 9600);
    m_shown.clear();
    m_counts.clear();
    m_clock.start();
    connect(w->ui->statusBar, &QStatusBar::messageChanged, this, [this](const QString &text) {
        m_shown.append({text, device ? device->received().size() : -1, m_clock.elapsed()});
    });
    // After the page's own connection, so the count is the one just shown.
    connect(w->comFileSender, &SerialFileSender::progress, this, [this] {
        m_counts.append({count(), device ? device->received().size() : -1, m_clock.elapsed(),
                         w->ui->tabWidget->currentWidget()});
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

void TestSerialFileSend::sendFile(const QByteArray &content, qint64 size)
{
    const QString path = dir->file(QStringLiteral("send.bin"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(content), qint64(content.size()));
    if (size > content.size())
        QVERIFY(f.resize(size));
    f.close();
    prompts->queueFile(path);
    QTest::mousePress(w->ui->sendfileBtn, Qt::LeftButton);
    QVERIFY(w->comFileSender->isBusy());
}

void TestSerialFileSend::checkSideBySide()
{
    const QStatusBar *bar = w->ui->statusBar;
    const QLabel *label = w->comFileProgress;
    QVERIFY(label->isVisible());
    QVERIFY(bar->rect().contains(label->geometry()));
    const int countWidth = label->fontMetrics().horizontalAdvance(label->text());
    QVERIFY2(label->contentsRect().width() >= countWidth,
             qPrintable(QStringLiteral("%1 px for %2 px of \"%3\"").arg(label->contentsRect().width())
                            .arg(countWidth).arg(label->text())));
    // The bar draws its message from a few pixels in up to the first
    // permanent widget.
    const int messageWidth = bar->fontMetrics().horizontalAdvance(status());
    QVERIFY2(6 + messageWidth <= label->x() - 2,
             qPrintable(QStringLiteral("%1 px of \"%2\" left of %3").arg(messageWidth).arg(status()).arg(label->x())));
}

void TestSerialFileSend::failUdpStart(QUdpSocket *holder, QString *said)
{
    QVERIFY(holder->bind(QHostAddress::LocalHost, 0, QAbstractSocket::DontShareAddress));
    w->ui->tabWidget->setCurrentWidget(w->ui->udp);
    w->ui->UDPSenderPortlineEdit->setText(QString::number(holder->localPort()));
    QTest::mousePress(w->ui->UDPopencompushButton, Qt::LeftButton);
    QVERIFY(!w->udpOpen);
    QVERIFY2(status().startsWith(QLatin1String("UDP failed to start: ")), qPrintable(status()));
    *said = status();
}

void TestSerialFileSend::checkRunningCounts(qint64 size, int *rises)
{
    *rises = 0;
    qint64 last = -1;
    qint64 lastAt = -1;
    for (const Count &c : std::as_const(m_counts)) {
        const QRegularExpressionMatch m = kRunning.match(c.text);
        QVERIFY2(m.hasMatch(), qPrintable(c.text));
        QCOMPARE(m.captured(2).toLongLong(), size);
        const qint64 gone = m.captured(1).toLongLong();
        QVERIFY2(gone >= last, qPrintable(QStringLiteral("%1 after %2").arg(c.text).arg(last)));
        if (lastAt >= 0)
            QVERIFY2(c.at - lastAt >= 900, qPrintable(QStringLiteral("%1 ms apart").arg(c.at - lastAt)));
        *rises += last >= 0 && gone > last;
        last = gone;
        lastAt = c.at;
    }
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

void TestSerialFileSend::stallStaysSaidWhileTheDeviceTalks_data()
{
    // Who speaks while the device takes nothing: the device itself, a line
    // every 100 ms, or (the device silent) another page, once.
    QTest::addColumn<bool>("talks");
    QTest::newRow("the device talks") << true;
    QTest::newRow("another page speaks") << false;
}

void TestSerialFileSend::stallStaysSaidWhileTheDeviceTalks()
{
    QFETCH(bool, talks);
    device->setReadRate(0);
    QTimer talk;
    int said = 0;
    connect(&talk, &QTimer::timeout, this, [&] { device->write("T" + QByteArray::number(said++) + "\r\n"); });
    if (talks)
        talk.start(100);
    const QByteArray content = lines(100, 1023, "\n");
    sendFile(content);
    const QRegularExpression stalled(QStringLiteral("^The device is not taking data; \\d+ of %1 bytes of the file "
                                                    "have gone$").arg(content.size()));
    QTRY_VERIFY_WITH_TIMEOUT(stalled.match(status()).hasMatch(), int(SerialFileSender::stallMs(port())) + 5000);
    QString stands = status();
    // The count stays in its place beside it.
    QVERIFY2(kRunning.match(count()).hasMatch(), qPrintable(count()));
    QUdpSocket holder;
    if (talks) {
        // While the stall lasts, lines keep arriving and the text stays.
        const int linesBefore = said;
        const int counted = w->ui->recvbyteslcdNumber->intValue();
        m_shown.clear();
        QTest::qWait(2000);
        QVERIFY(said >= linesBefore + 10);
        const QString last = QStringLiteral("T%1").arg(said - 1);
        QTRY_VERIFY(w->ui->COM_StrTextBrowser->toPlainText().contains(last));
        QVERIFY(w->ui->recvbyteslcdNumber->intValue() > counted);
        QCOMPARE(status(), stands);
        QVERIFY2(m_shown.isEmpty(), qPrintable(m_shown.value(0).text));
    } else {
        failUdpStart(&holder, &stands);
        if (QTest::currentTestFailed())
            return;
    }
    // The device reads again: the send goes on, its count says so, and the
    // stall's text goes, but not what another page said over it; the send
    // ends, and what arrives is said again.
    m_shown.clear();
    m_counts.clear();
    device->setReadRate(-1);
    QTRY_VERIFY_WITH_TIMEOUT(!w->comFileSender->isBusy(), 10000);
    QVERIFY(!m_counts.isEmpty());
    QVERIFY2(kRunning.match(m_counts.constFirst().text).hasMatch(), qPrintable(m_counts.constFirst().text));
    QVERIFY(!m_shown.isEmpty());
    if (talks)
        QCOMPARE(m_shown.constFirst().text, QString());
    else
        QCOMPARE(m_shown.constFirst().text, kSuccess);
    QCOMPARE(count(), QString());
    QVERIFY(device->waitForReceived(content.size(), 5000));
    QVERIFY(device->received() == content);
    if (talks)
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

    // At the click what stood in the message line goes, and the count, in
    // its own place, says the file is going out, with its size.
    m_shown.clear();
    m_counts.clear();
    sendFile(content);
    QCOMPARE(status(), QString());
    const QRegularExpressionMatch first = kRunning.match(count());
    QVERIFY2(first.hasMatch(), qPrintable(count()));
    QCOMPARE(first.captured(1).toLongLong(), 0);
    QCOMPARE(first.captured(2).toLongLong(), qint64(content.size()));
    QTRY_VERIFY_WITH_TIMEOUT(!w->comFileSender->isBusy(), 30000);
    talk.stop();
    QCOMPARE(count(), QString());
    // What the device said after the end may stand over Success by now.
    while (talks && !m_shown.isEmpty() && m_shown.constLast().text.startsWith(QLatin1String("Successfully read ")))
        m_shown.removeLast();
    QVERIFY(!m_shown.isEmpty());
    QCOMPARE(m_shown.constLast().text, kSuccess);
    const qint64 deviceHad = deviceHadAtSuccess();
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(deviceHad >= ahead.size() + content.size() - buffer, qPrintable(QString::number(deviceHad)));

    // Until then the message line held nothing but what the device said:
    // no earlier success, no count.
    QCOMPARE(m_shown.constFirst().text, QString());
    qint64 firstReadAt = -1;
    for (int i = 1; i + 1 < m_shown.size(); ++i) {
        const Shown &s = m_shown.at(i);
        QVERIFY2(talks && s.text.startsWith(QLatin1String("Successfully read ")), qPrintable(s.text));
        if (firstReadAt < 0)
            firstReadAt = s.at;
    }
    QCOMPARE(firstReadAt >= 0, talks);
    // The count rose about once a second, not faster, never ahead of what
    // the device had by more than the system holds, nor behind it; it went
    // on while received data was said.
    int rises = 0;
    checkRunningCounts(content.size(), &rises);
    if (QTest::currentTestFailed())
        return;
    for (const Count &c : std::as_const(m_counts)) {
        const qint64 gone = kRunning.match(c.text).captured(1).toLongLong();
        const qint64 fileAtDevice = qMax<qint64>(0, c.deviceHad - ahead.size());
        QVERIFY2(gone >= fileAtDevice && gone <= fileAtDevice + buffer,
                 qPrintable(QStringLiteral("%1, the device had %2 of the file").arg(c.text).arg(fileAtDevice)));
    }
    qInfo("%lld counts shown, %d rises", qint64(m_counts.size()), rises);
    QVERIFY(m_counts.size() >= 3);
    QVERIFY(rises > 0);
    if (talks)
        QVERIFY(m_counts.constLast().at > firstReadAt);
    device->setReadRate(-1);
    QVERIFY(device->waitForReceived(int(ahead.size() + content.size()), 10000));
    QVERIFY(device->received() == ahead + content);
}

void TestSerialFileSend::countKeepsItsPlaceWhileAnotherPageSpeaks_data()
{
    // The file (past its content a hole of zeros up to its size; each
    // larger than the system's buffer and longer on its way than the 5 s
    // looked at), how its send ends and what is said then.
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("said");
    const QByteArray file = lines(200, 1023, "\n");
    const qint64 big = 3LL * 1024 * 1024 * 1024;
    const QString stopped = QStringLiteral("the file send was stopped after \\d+ of %1 bytes$");
    QTest::newRow("Success") << file << qint64(file.size()) << "success" << QString(QLatin1Char('^') + kSuccess + '$');
    QTest::newRow("Close mid-send, a 3 GiB file")
        << QByteArray() << big << "close" << QString(QStringLiteral("^Serial closed; ") + stopped.arg(big));
    QTest::newRow("port lost") << file << qint64(file.size()) << "lost"
                               << QString(QStringLiteral("^Serial port lost, closed: .*; ") + stopped.arg(file.size()));
}

void TestSerialFileSend::countKeepsItsPlaceWhileAnotherPageSpeaks()
{
    QFETCH(QByteArray, content);
    QFETCH(qint64, size);
    QFETCH(QString, end);
    QFETCH(QString, said);
    device->setReadRate(20 * 1024);
    sendFile(content, size);
    // Exact, whatever the size.
    QCOMPARE(count(), QStringLiteral("Sending the file: 0 of %1 bytes have gone").arg(size));
    QUdpSocket holder;
    QString failure;
    failUdpStart(&holder, &failure);
    if (QTest::currentTestFailed())
        return;

    // 5 s later the failure still stands; the count went on beside it, in
    // view on that page.
    m_shown.clear();
    m_counts.clear();
    QTest::qWait(5000);
    QVERIFY(w->comFileSender->isBusy());
    QCOMPARE(status(), failure);
    QVERIFY2(m_shown.isEmpty(), qPrintable(m_shown.value(0).text));
    int rises = 0;
    checkRunningCounts(size, &rises);
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(rises >= 3, qPrintable(QString::number(rises)));
    for (const Count &c : std::as_const(m_counts))
        QCOMPARE(c.page, w->ui->udp);
    checkSideBySide();
    if (QTest::currentTestFailed())
        return;

    // However the send ends, its count goes with it, and no late report
    // brings it back.
    if (end == QLatin1String("success")) {
        QTRY_VERIFY_WITH_TIMEOUT(!w->comFileSender->isBusy(), 30000);
    } else if (end == QLatin1String("close")) {
        w->ui->tabWidget->setCurrentWidget(w->ui->serial);
        QTest::mousePress(w->ui->opencompushButton, Qt::LeftButton);
        QVERIFY(!w->serialOpen);
    } else {
        device->vanish();
        QTRY_VERIFY_WITH_TIMEOUT(!w->serialOpen, 3000);
    }
    QVERIFY(!w->comFileSender->isBusy());
    QVERIFY2(QRegularExpression(said).match(status()).hasMatch(), qPrintable(status()));
    QVERIFY(w->comFileProgress->isHidden());
    m_counts.clear();
    QTest::qWait(1200);
    QVERIFY(m_counts.isEmpty());
    QVERIFY(w->comFileProgress->isHidden());
}

void TestSerialFileSend::stallTextAndCountAreReadableSideBySide_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::newRow("English") << QString();
    QTest::newRow("Chinese") << QStringLiteral(":/transSimpleChinese.qm");
}

void TestSerialFileSend::stallTextAndCountAreReadableSideBySide()
{
    QFETCH(QString, catalogue);
    QTranslator translator;
    if (!catalogue.isEmpty()) {
        QVERIFY(translator.load(catalogue));
        QVERIFY(QCoreApplication::installTranslator(&translator));
    }
    // The window at its default size, which is its smallest.
    QCOMPARE(w->size(), w->minimumSize());
    // A fast line: the stall is said after a second.
    QTest::mousePress(w->ui->opencompushButton, Qt::LeftButton);
    w->ui->baudRateComboBox->setCurrentText(QStringLiteral("115200"));
    QTest::mousePress(w->ui->opencompushButton, Qt::LeftButton);
    QVERIFY(w->serialOpen);
    device->setReadRate(0);
    const QByteArray content = lines(100, 1023, "\n");
    sendFile(content);
    QTRY_VERIFY_WITH_TIMEOUT(w->comFileSender->isStalled(), 5000);
    const QString size = QString::number(content.size());
    QVERIFY2(status().contains(size) && count().contains(size), qPrintable(status() + '|' + count()));
    // In the language asked for.
    QCOMPARE(status().startsWith(kStallStart), catalogue.isEmpty());
    QCOMPARE(kRunning.match(count()).hasMatch(), catalogue.isEmpty());
    checkSideBySide();
    const QString artifacts = qEnvironmentVariable("VELM_ARTIFACT_DIR");
    if (!artifacts.isEmpty())
        w->grab().save(QDir(artifacts).filePath(
            QStringLiteral("send-file-status-%1.png").arg(QString::fromLatin1(QTest::currentDataTag()).toLower())));
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
