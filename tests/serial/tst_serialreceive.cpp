// What the "Serial Debug" page shows and saves of long streams from a real
// pseudo-terminal peer: Export gives back the text as it arrived though the
// view cuts long runs into display lines, and the hex view cuts its lines
// between tokens for any stream in any chunking.
#include "serialfixture.h"
#include "testsupport.h"

#include "mainwindow.h"
#include "receivedisplay.h"
#include "rxformat.h"
#include "threadserial.h"
#include "ui_mainwindow.h"

#include <QCheckBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSerialPort>
#include <QStatusBar>
#include <QTextBlock>

class TestSerialReceive : public QObject, public TestSupport::SerialWindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void exportHoldsWhatArrived_data();
    void exportHoldsWhatArrived();
    void hexLinesEndBetweenTokens_data();
    void hexLinesEndBetweenTokens();

private:
    void openPort();
    // Writes `data` from the peer in chunks of 1 to `largest` bytes (some
    // pauses in between, so the page reads it in many sizes) and waits
    // until the page has read all of it.
    void sendFromPeer(const QByteArray &data, int largest, quint32 seed);
    qint64 m_read = 0;
};

void TestSerialReceive::init()
{
    if (!startSerialFixture())
        QSKIP("socat could not make a pseudo-terminal pair");
    m_read = 0;
}

void TestSerialReceive::cleanup()
{
    stopSerialFixture();
}

void TestSerialReceive::openPort()
{
    makeWindow();
    QTest::mousePress(w->ui->opencompushButton, Qt::LeftButton);
    QTest::mouseRelease(w->ui->opencompushButton, Qt::LeftButton);
    QVERIFY(w->serialOpen);
    connect(w->serialThread, &ThreadSerial::Serial_read_Data, this,
            [this](const QByteArray &d) { m_read += d.size(); });
}

void TestSerialReceive::sendFromPeer(const QByteArray &data, int largest, quint32 seed)
{
    // The peer's port writes from the event loop, which the page needs
    // too: waits are event-loop waits.
    QRandomGenerator gen(seed);
    for (qsizetype at = 0; at < data.size();) {
        const qsizetype n = qMin<qsizetype>(data.size() - at, 1 + gen.bounded(largest));
        peer->write(data.constData() + at, n);
        at += n;
        if (peer->bytesToWrite() > 64 * 1024)
            QTRY_VERIFY_WITH_TIMEOUT(peer->bytesToWrite() <= 64 * 1024, 30000);
        else if (gen.bounded(8) == 0)
            QTest::qWait(gen.bounded(3));
    }
    QTRY_COMPARE_WITH_TIMEOUT(peer->bytesToWrite(), qint64(0), 30000);
    QTRY_COMPARE_WITH_TIMEOUT(m_read, qint64(data.size()), 60000);
}

void TestSerialReceive::exportHoldsWhatArrived_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("largestChunk");
    QTest::addColumn<bool>("hexShown");
    QByteArray line;
    for (int i = 0; line.size() < 300 * 1024; ++i)
        line += char('a' + i % 26);
    QTest::newRow("300 KiB line") << line << 4096 << false;
    QByteArray stream(2 * 1024 * 1024, Qt::Uninitialized);
    for (qsizetype i = 0; i < stream.size(); ++i)
        stream[i] = char("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ .,;:"[i % 41]);
    QTest::newRow("2 MiB without line feeds") << stream << 65536 << false;
    QByteArray mixed;
    for (int i = 0; i < 300; ++i)
        mixed += QByteArray(i * 41, char('a' + i % 26)) + (i % 4 ? "\n" : "");
    QTest::newRow("runs and lines, hex view on") << mixed << 1500 << true;
}

void TestSerialReceive::exportHoldsWhatArrived()
{
    QFETCH(QByteArray, data);
    QFETCH(int, largestChunk);
    QFETCH(bool, hexShown);
    openPort();
    w->ui->HEXcheckBox->setChecked(hexShown);
    sendFromPeer(data, largestChunk, 3);
    if (QTest::currentTestFailed())
        return;
    // The view shows display lines of at most 1024 characters.
    w->comRxDisplay->flush();
    const QTextDocument *doc = w->ui->COM_StrTextBrowser->document();
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
        QVERIFY(b.text().size() <= RxFormat::kDisplayLineChars);
    QVERIFY(doc->blockCount() >= data.size() / RxFormat::kDisplayLineChars);

    const QString out = dir->file(QStringLiteral("received.txt"));
    prompts->queueFile(out);
    QTest::mousePress(w->ui->savetxtpushButton, Qt::LeftButton);
    QCOMPARE(w->ui->statusBar->currentMessage(),
             QStringLiteral("Saved success.\tsaved: ") + QFileInfo(out).canonicalFilePath());
    QFile saved(out);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    const QByteArray got = saved.readAll();
    QCOMPARE(got.size(), data.size());
    QVERIFY(got == data);
}

void TestSerialReceive::hexLinesEndBetweenTokens_data()
{
    QTest::addColumn<int>("largestChunk");
    QTest::addColumn<bool>("hexShown");
    QTest::addColumn<bool>("stamped");
    QTest::newRow("small chunks, shown") << 7 << true << false;
    QTest::newRow("large chunks, shown") << 9000 << true << false;
    QTest::newRow("large chunks, hidden") << 9000 << false << false;
    QTest::newRow("stamped, shown") << 3000 << true << true;
    QTest::newRow("stamped, hidden") << 3000 << false << true;
}

void TestSerialReceive::hexLinesEndBetweenTokens()
{
    QFETCH(int, largestChunk);
    QFETCH(bool, hexShown);
    QFETCH(bool, stamped);
    openPort();
    w->ui->HEXcheckBox->setChecked(hexShown);
    w->ui->showtime_checkBox->setChecked(stamped);
    QByteArray data(200 * 1024, Qt::Uninitialized);
    QRandomGenerator gen(41);
    for (char &c : data)
        c = char(gen.bounded(256));
    sendFromPeer(data, largestChunk, 17);
    if (QTest::currentTestFailed())
        return;
    w->ui->HEXcheckBox->setChecked(true);
    w->comRxDisplay->flush();

    // Every line is whole "0x%1," tokens after an optional stamp, and the
    // lines joined hold a token for every byte that arrived.
    static const QRegularExpression line(
        QStringLiteral("^(\\[\\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\])?((?:0x[0-9a-f]{2},)*)$"));
    QString joined;
    int n = 0;
    for (QTextBlock b = w->ui->COM_HexTextBrowser->document()->begin(); b.isValid(); b = b.next(), ++n) {
        const QRegularExpressionMatch m = line.match(b.text());
        QVERIFY2(m.hasMatch(), qPrintable(QStringLiteral("line %1 ends in \"%2\"").arg(n).arg(b.text().right(12))));
        QVERIFY(m.captured(2).size() <= RxFormat::kDisplayLineChars);
        joined += m.captured(2);
    }
    QString all = RxFormat::HexFormatter(QStringLiteral("0x%1,")).format(data);
    all.remove(QLatin1Char('\n'));
    QCOMPARE(joined.size(), all.size());
    QVERIFY(joined == all);
}

VELM_TEST_MAIN(TestSerialReceive)
#include "tst_serialreceive.moc"
