// The "Serial Debug" page against a real pseudo-terminal pair: open and
// close with the locking of the other pages, receive, send, files, a peer
// that goes away, and the port scan.
#include "testenv.h"
#include "serialfixture.h"
#include "testsupport.h"

#include "filesender.h"
#include "mainwindow.h"
#include "portlister.h"
#include "terminalpanel.h"
#include "threadserial.h"
#include "ui_com_expand.h"
#include "ui_mainwindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLCDNumber>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSettings>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTextBlock>
#include <QTimer>

#include <ctime>
#include <fcntl.h>
#include <memory>
#include <termios.h>
#include <unistd.h>

namespace {

const char *const kPortCombos[] = {
    "portNameComboBox",       "GPSportNameComboBox",     "GSMportNameComboBox",     "ENVportNameComboBox",
    "OSCportNameComboBox",    "SpectraportNameComboBox", "i2cdumpportNameComboBox", "TOFportNameComboBox",
    "ModbusportNameComboBox", "CIEportNameComboBox",     "imuportNameComboBox",
};

const char *const kOtherPortSettings[] = {
    "GPSportNameComboBox",     "GPSbaudRateComboBox",     "GPSopencompushButton",     "GPSportMode_01",
    "GSMportNameComboBox",     "GSMbaudRateComboBox",     "GSMopencompushButton",     "ENVportNameComboBox",
    "ENVbaudRateComboBox",     "ENVopencompushButton",    "OSCportNameComboBox",      "OSCbaudRateComboBox",
    "OSCopencompushButton",    "SpectraportNameComboBox", "SpectrabaudRateComboBox",  "SpectraopencompushButton",
    "i2cdumpportNameComboBox", "i2cdumpbaudRateComboBox", "i2cdumpopencompushButton", "TOFportNameComboBox",
    "TOFbaudRateComboBox",     "TOFopencompushButton",    "ModbusportNameComboBox",   "ModbusbaudRateComboBox",
    "ModbusdataBitsComboBox",  "ModbusparityComboBox",    "ModbusstopBitsComboBox",   "ModbusopencompushButton",
    "CIEportNameComboBox",     "CIEbaudRateComboBox",     "CIEopencompushButton",     "imuportNameComboBox",
    "imubaudRateComboBox",     "imuopencompushButton",
};

QStringList &g_ports = TestSupport::SerialWindowFixture::ports;

using TestSupport::processCpuSeconds;

QStringList items(QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

} // namespace

class TestSerialPage : public QObject, public TestSupport::SerialWindowFixture
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void openLocksOtherPagesAndCloseRestores();
    void openFailureKeepsScanning();
    void receiveShowsTextHexAndCounter();
    void stampsEscapingAndBlockCap();
    void hexAndTextSend();
    void keepSendRepeatsUntilPause();
    void importSendFileAndExport();
    void openUsesTheChosenSettings_data();
    void openUsesTheChosenSettings();
    void sendActsWhenTheButtonGoesDown();
    void closingDuringKeepSendResumesOnReopen();
    void sendFileIsExclusiveAndNotCounted();
    void commandListAndSendAddToOneCount();
    void sendFileKeepsEveryByteButTheCrOfCrLf();
    void keepSendToADeviceThatDoesNotReadStaysBounded();
    void vanishedPeerClosesThePort();
    void portScanFollowsTheLister();
    void timeSwitchKeepsTheDevicesLines();
    void stalledFileSendSaysSoAndGoesOn_data();
    void stalledFileSendSaysSoAndGoesOn();
    void sendSaysWhyNothingWent_data();
    void sendSaysWhyNothingWent();

private:
    void pressOpen();
    void pressSend();
    void pressCommand(QAbstractButton *button);
    // Sends `content` as a file and checks what the peer got.
    void sendFileAndCompare(const QByteArray &content, const QString &what);
    QString status() const { return w->ui->statusBar->currentMessage(); }
    // Exports the text view into the scratch file `name` and returns it.
    QByteArray exported(const QString &name);

};

void TestSerialPage::init()
{
    if (!startSerialFixture())
        QSKIP("socat could not make a pseudo-terminal pair");
}

void TestSerialPage::cleanup()
{
    stopSerialFixture();
}

void TestSerialPage::pressOpen()
{
    QTest::mousePress(w->ui->opencompushButton, Qt::LeftButton);
    QTest::mouseRelease(w->ui->opencompushButton, Qt::LeftButton);
}

void TestSerialPage::pressSend()
{
    QTest::mousePress(w->ui->sendmsgBtn, Qt::LeftButton);
    QTest::mouseRelease(w->ui->sendmsgBtn, Qt::LeftButton);
}

void TestSerialPage::openLocksOtherPagesAndCloseRestores()
{
    makeWindow();
    QVERIFY(w->portScanTimer->isActive());
    QVERIFY(!w->ui->sendmsgBtn->isEnabled());
    QVERIFY(!w->ui->sendMsgtextEdit->isEnabled());
    QVERIFY(w->ui->opencompushButton->styleSheet().contains(QLatin1String("#4CAF50")));

    pressOpen();
    QVERIFY(w->serialOpen);
    QVERIFY(w->serialThread && w->serialThread->opened);
    QCOMPARE(status(), QStringLiteral("Serial opened"));
    QCOMPARE(w->ui->opencompushButton->text(), QStringLiteral("Close"));
    QVERIFY(w->ui->opencompushButton->styleSheet().contains(QLatin1String("#FF4A19")));
    QVERIFY(w->ui->opencompushButton->isEnabled());
    QVERIFY(!w->portScanTimer->isActive());
    QVERIFY(w->ui->sendmsgBtn->isEnabled());
    QVERIFY(w->ui->sendfileBtn->isEnabled());
    QVERIFY(w->ui->sendMsgtextEdit->isEnabled());
    for (QWidget *own : {static_cast<QWidget *>(w->ui->portNameComboBox), static_cast<QWidget *>(w->ui->baudRateComboBox),
                         static_cast<QWidget *>(w->ui->dataBitsComboBox), static_cast<QWidget *>(w->ui->parityComboBox),
                         static_cast<QWidget *>(w->ui->stopBitsComboBox)})
        QVERIFY2(!own->isEnabled(), qPrintable(own->objectName()));
    int others = 0;
    for (const char *name : kOtherPortSettings) {
        QWidget *widget = w->findChild<QWidget *>(QLatin1String(name));
        QVERIFY2(widget, name);
        ++others;
        // The mode radio buttons belong to their own page's lock only.
        if (QByteArray(name).startsWith("GPSportMode"))
            QVERIFY2(widget->isEnabled(), name);
        else
            QVERIFY2(!widget->isEnabled(), name);
    }
    QCOMPARE(others, int(std::size(kOtherPortSettings)));

    // Data flows both ways while open.
    peer->write("hi");
    QTRY_COMPARE(w->ui->COM_StrTextBrowser->toPlainText(), QStringLiteral("hi"));

    pressOpen();
    QVERIFY(!w->serialOpen);
    QVERIFY(!w->serialThread);
    QCOMPARE(status(), QStringLiteral("Serial closed"));
    QCOMPARE(w->ui->opencompushButton->text(), QStringLiteral("Open"));
    QVERIFY(w->ui->opencompushButton->styleSheet().contains(QLatin1String("#4CAF50")));
    QVERIFY(w->portScanTimer->isActive());
    QCOMPARE(w->portScanTimer->interval(), 500);
    QVERIFY(!w->ui->sendmsgBtn->isEnabled());
    QVERIFY(!w->ui->sendMsgtextEdit->isEnabled());
    for (const char *name : kOtherPortSettings) {
        if (QWidget *widget = w->findChild<QWidget *>(QLatin1String(name)))
            QVERIFY2(widget->isEnabled(), name);
    }
    QVERIFY(w->ui->portNameComboBox->isEnabled());
    QVERIFY(w->ui->stopBitsComboBox->isEnabled());

    // The other pages' locks leave the serial terminal's Open disabled and
    // switch their own mode buttons.
    w->GPSsetsetComboBoxEnabled(false);
    QVERIFY(!w->ui->opencompushButton->isEnabled());
    QVERIFY(!w->ui->dataBitsComboBox->isEnabled());
    QVERIFY(!w->findChild<QWidget *>(QStringLiteral("GPSportMode_01"))->isEnabled());
    QVERIFY(!w->findChild<QWidget *>(QStringLiteral("GPSportMode_02"))->isEnabled());
    QVERIFY(w->findChild<QWidget *>(QStringLiteral("ModbusportMode_1"))->isEnabled());
    QVERIFY(w->findChild<QWidget *>(QStringLiteral("GPSopencompushButton"))->isEnabled());
    w->GPSsetsetComboBoxEnabled(true);
    QVERIFY(w->ui->opencompushButton->isEnabled());
    QVERIFY(w->findChild<QWidget *>(QStringLiteral("GPSportMode_02"))->isEnabled());
    w->ModbussetsetComboBoxEnabled(false);
    QVERIFY(!w->findChild<QWidget *>(QStringLiteral("ModbusportMode_2"))->isEnabled());
    QVERIFY(w->findChild<QWidget *>(QStringLiteral("ModbusopencompushButton"))->isEnabled());
    QVERIFY(!w->findChild<QWidget *>(QStringLiteral("imuopencompushButton"))->isEnabled());
    w->ModbussetsetComboBoxEnabled(true);
    QVERIFY(w->findChild<QWidget *>(QStringLiteral("ModbusportMode_2"))->isEnabled());

    // Reopening works on a new holder.
    pressOpen();
    QVERIFY(w->serialOpen);
    pressOpen();
    QVERIFY(!w->serialOpen);
}

void TestSerialPage::openFailureKeepsScanning()
{
    makeWindow();
    g_ports = QStringList{pty->a(), dir->file(QStringLiteral("nosuchtty"))};
    QTRY_COMPARE(w->ui->portNameComboBox->count(), 2);
    w->ui->portNameComboBox->setCurrentIndex(1);
    pressOpen();
    QVERIFY(!w->serialOpen);
    QVERIFY(!w->serialThread);
    QCOMPARE(status(), QStringLiteral("Serial failed to open, The serial does not exist or already used."));
    QVERIFY(w->portScanTimer->isActive());
    QCOMPARE(w->ui->opencompushButton->text(), QStringLiteral("Open"));
    QVERIFY(w->ui->baudRateComboBox->isEnabled());
}

void TestSerialPage::receiveShowsTextHexAndCounter()
{
    makeWindow();
    pressOpen();
    QVERIFY(w->serialOpen);
    peer->write(QByteArray::fromHex("41420d0a"));
    QTRY_COMPARE(w->ui->COM_StrTextBrowser->toPlainText(), QStringLiteral("AB\n"));
    // The hidden hex view gets its text when "Hex" shows it.
    QCOMPARE(w->ui->COM_HexTextBrowser->toPlainText(), QString());
    w->ui->HEXcheckBox->setChecked(true);
    QCOMPARE(w->ui->COM_HexTextBrowser->toPlainText(), QStringLiteral("0x41,0x42,0x0d,0x0a,\n"));
    w->ui->HEXcheckBox->setChecked(false);
    QCOMPARE(w->ui->recvbyteslcdNumber->intValue(), 4);
    QCOMPARE(status(), QStringLiteral("Successfully read 4 byte data"));

    // A UTF-8 character split over two writes shows whole.
    peer->write("\xe4\xb8");
    QVERIFY(peer->waitForBytesWritten(1000));
    QTRY_COMPARE(w->ui->recvbyteslcdNumber->intValue(), 6);
    QTest::qWait(100);
    peer->write("\xad");
    QTRY_COMPARE(w->ui->COM_StrTextBrowser->toPlainText(), QString::fromUtf8("AB\n中"));
    QCOMPARE(w->ui->recvbyteslcdNumber->intValue(), 7);

    // Counter held at 99999.
    w->ui->recvbyteslcdNumber->display(99998);
    peer->write("xyz");
    QTRY_COMPARE(w->ui->COM_StrTextBrowser->toPlainText(), QString::fromUtf8("AB\n中xyz"));
    QCOMPARE(w->ui->recvbyteslcdNumber->intValue(), 99999);

    // Clearing.
    QTest::mousePress(w->ui->cleandatapushButton, Qt::LeftButton);
    QCOMPARE(w->ui->COM_StrTextBrowser->toPlainText(), QString());
    QCOMPARE(w->ui->COM_HexTextBrowser->toPlainText(), QString());
    QCOMPARE(status(), QStringLiteral("Receive has been cleared"));
    QTest::mousePress(w->ui->cleanbytespushButton, Qt::LeftButton);
    QCOMPARE(w->ui->recvbyteslcdNumber->intValue(), 0);
    QCOMPARE(status(), QStringLiteral("Counter has been cleared"));

    // The hex view is shown by its check box.
    QVERIFY(!w->ui->COM_HexTextBrowser->isVisible());
    w->ui->HEXcheckBox->setChecked(true);
    QVERIFY(w->ui->COM_HexTextBrowser->isVisible());
    w->ui->HEXcheckBox->setChecked(false);
    QVERIFY(!w->ui->COM_HexTextBrowser->isVisible());
}

void TestSerialPage::stampsEscapingAndBlockCap()
{
    makeWindow();
    pressOpen();
    w->ui->showtime_checkBox->setChecked(true);
    peer->write("one");
    QTRY_VERIFY(w->ui->COM_StrTextBrowser->toPlainText().contains(QLatin1String("one")));
    QTest::qWait(50);
    peer->write("<b>x</b>");
    QTRY_VERIFY(w->ui->COM_StrTextBrowser->toPlainText().contains(QLatin1String("<b>x</b>")));
    const QRegularExpression stamp(QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\]"));
    QTextDocument *doc = w->ui->COM_StrTextBrowser->document();
    QCOMPARE(doc->blockCount(), 2);
    QVERIFY(stamp.match(doc->findBlockByNumber(0).text()).hasMatch());
    QCOMPARE(doc->findBlockByNumber(0).text().mid(14), QStringLiteral("one"));
    QCOMPARE(doc->findBlockByNumber(1).text().mid(14), QStringLiteral("<b>x</b>"));
    w->ui->HEXcheckBox->setChecked(true);
    QCOMPARE(w->ui->COM_HexTextBrowser->document()->blockCount(), 2);
    QVERIFY(stamp.match(w->ui->COM_HexTextBrowser->document()->findBlockByNumber(1).text()).hasMatch());

    // 20000 chunks through the page's reader slot.
    for (int i = 0; i < 20000; ++i) {
        w->readCom(QByteArray("chunk ") + QByteArray::number(i));
        if (i % 1000 == 0)
            QCoreApplication::processEvents();
    }
    QTRY_VERIFY(w->ui->COM_StrTextBrowser->toPlainText().contains(QLatin1String("chunk 19999")));
    QVERIFY(w->ui->COM_StrTextBrowser->document()->blockCount() <= 10000);
    QVERIFY(w->ui->COM_HexTextBrowser->document()->blockCount() <= 10000);
    QVERIFY(stamp.match(doc->lastBlock().text()).hasMatch());
    QCOMPARE(w->ui->recvbyteslcdNumber->intValue(), 99999);
}

void TestSerialPage::hexAndTextSend()
{
    makeWindow();
    pressOpen();
    w->ui->sendAsHexcheckBox->setChecked(true);

    const auto sendHex = [&](const QString &text) {
        w->ui->sendMsgtextEdit->setPlainText(text);
        pressSend();
    };
    sendHex(QStringLiteral("01 02,03"));
    QCOMPARE(peerRead(3), QByteArray::fromHex("010203"));
    QCOMPARE(status(), QStringLiteral("Send Success"));
    QCOMPARE(w->ui->sendbyteslcdNumber->intValue(), 3);
    sendHex(QStringLiteral("0x0A, 0x0b"));
    QCOMPARE(peerRead(2), QByteArray::fromHex("0a0b"));
    QCOMPARE(w->ui->sendbyteslcdNumber->intValue(), 5);

    for (const QString &bad : {QStringLiteral("GG"), QStringLiteral("0X0A"), QStringLiteral("0x"),
                               QStringLiteral("01 0x")}) {
        sendHex(bad);
        QCOMPARE(status(), QStringLiteral("The input data format is wrong!"));
        QCOMPARE(peerRead(1, 200), QByteArray());
    }
    QCOMPARE(w->ui->sendbyteslcdNumber->intValue(), 5);

    // A bad send box stops keep-sending.
    w->ui->obocheckBox->setChecked(true);
    w->ui->delayspinBox->setValue(50);
    sendHex(QStringLiteral("GG"));
    QCOMPARE(w->ui->sendmsgBtn->text(), QStringLiteral("Pause"));
    QTRY_COMPARE(w->ui->sendmsgBtn->text(), QStringLiteral("Send"));
    QVERIFY(!w->comSendTimer->isActive());
    QCOMPARE(status(), QStringLiteral("The input data format is wrong!"));
    w->ui->obocheckBox->setChecked(false);

    // Text mode: a line end goes out as CR LF once.
    w->ui->sendAsHexcheckBox->setChecked(false);
    w->ui->sendMsgtextEdit->setPlainText(QStringLiteral("a\n"));
    pressSend();
    QCOMPARE(peerRead(3), QByteArray("a\r\n"));

    // Empty send box.
    w->ui->sendMsgtextEdit->clear();
    pressSend();
    QCOMPARE(status(), QStringLiteral("No Data"));

    // The cap at 99999 is checked with real sends in
    // commandListAndSendAddToOneCount.
}

void TestSerialPage::keepSendRepeatsUntilPause()
{
    makeWindow();
    pressOpen();
    w->ui->obocheckBox->setChecked(true);
    QCOMPARE(status(), QStringLiteral("Enable Keep sending"));
    QVERIFY(w->ui->delayspinBox->isEnabled());
    w->ui->delayspinBox->setValue(50);
    QCOMPARE(w->comSendInterval, 50);
    w->ui->sendMsgtextEdit->setPlainText(QStringLiteral("x"));
    pressSend();
    QCOMPARE(w->ui->sendmsgBtn->text(), QStringLiteral("Pause"));
    const QByteArray got = peerRead(8, 3000);
    QVERIFY2(got.size() >= 8, got.constData());
    QCOMPARE(got, QByteArray(got.size(), 'x'));

    // Unchecking "Keep Send" does not stop it; Pause does.
    w->ui->obocheckBox->setChecked(false);
    QCOMPARE(status(), QStringLiteral("Disable Keep sending"));
    QVERIFY(!peerRead(2, 1000).isEmpty());
    // What the button says (in any language) does not decide what a press does.
    w->ui->sendmsgBtn->setText(QStringLiteral("||"));
    pressSend();
    QCOMPARE(w->ui->sendmsgBtn->text(), QStringLiteral("Send"));
    QTest::qWait(100);
    peer->readAll();
    QCOMPARE(peerRead(1, 300), QByteArray());
}

void TestSerialPage::importSendFileAndExport()
{
    makeWindow();
    pressOpen();

    // Import: exactly 10000 bytes load and are appended.
    QByteArray content;
    for (int i = 0; content.size() < 10000; ++i)
        content += "line " + QByteArray::number(i) + "\n";
    content.truncate(10000);
    const QString fits = dir->file(QStringLiteral("fits.txt"));
    QFile f(fits);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    w->ui->sendMsgtextEdit->setPlainText(QStringLiteral("before:"));
    prompts->queueFile(fits);
    QTest::mousePress(w->ui->readtxtpushButton, Qt::LeftButton);
    QCOMPARE(w->ui->sendMsgtextEdit->toPlainText(), QStringLiteral("before:") + QString::fromUtf8(content));
    QCOMPARE(status(), QStringLiteral("Success for read the data in the file"));
    QCOMPARE(prompts->requests().last().title, QStringLiteral("Read file"));

    const QString tooBig = dir->file(QStringLiteral("big.txt"));
    QFile g(tooBig);
    QVERIFY(g.open(QIODevice::WriteOnly));
    g.write(content + "x");
    g.close();
    w->ui->sendMsgtextEdit->setPlainText(QStringLiteral("kept"));
    prompts->queueFile(tooBig);
    QTest::mousePress(w->ui->readtxtpushButton, Qt::LeftButton);
    QCOMPARE(status(), QStringLiteral("Load failed: file size is 10001 bytes, Exceeded the limit size 10000 bytes"));
    QCOMPARE(w->ui->sendMsgtextEdit->toPlainText(), QStringLiteral("kept"));

    // A directory is refused.
    prompts->queueFile(dir->path());
    QTest::mousePress(w->ui->readtxtpushButton, Qt::LeftButton);
    QCOMPARE(status(), QStringLiteral("Open failed: Failed to open this file, this may be due to insufficient permissions."));

    // Send File: the peer gets the bytes in order, the window keeps running.
    QByteArray lines;
    for (int i = 0; i < 40; ++i)
        lines += "row " + QByteArray::number(i) + "\n";
    const QString sendPath = dir->file(QStringLiteral("send.txt"));
    QFile s(sendPath);
    QVERIFY(s.open(QIODevice::WriteOnly));
    s.write(lines);
    s.close();
    prompts->queueFile(sendPath);
    QTest::mousePress(w->ui->sendfileBtn, Qt::LeftButton);
    QCOMPARE(peerRead(lines.size(), 5000), lines);
    QTRY_COMPARE(status(), QStringLiteral("Success for send the data in the file"));

    // Export writes the text view.
    peer->write("saved text\r\nsecond");
    QTRY_COMPARE(w->ui->COM_StrTextBrowser->toPlainText(), QStringLiteral("saved text\nsecond"));
    const QString out = dir->file(QStringLiteral("out.txt"));
    prompts->queueFile(out);
    QTest::mousePress(w->ui->savetxtpushButton, Qt::LeftButton);
    QCOMPARE(prompts->requests().last().title, QStringLiteral("Save as"));
    QCOMPARE(prompts->requests().last().directory, QStringLiteral("newtxt.txt"));
    QFile saved(out);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(saved.readAll(), QByteArray("saved text\nsecond"));
    QCOMPARE(status(), QStringLiteral("Saved success.\tsaved: ") + QFileInfo(out).canonicalFilePath());

    // An unwritable target reports failure and leaves nothing behind.
    const QString sub = dir->file(QStringLiteral("sub"));
    QVERIFY(QDir().mkdir(sub));
    const QStringList before = QDir(dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    prompts->queueFile(sub); // a directory
    QTest::mousePress(w->ui->savetxtpushButton, Qt::LeftButton);
    QVERIFY2(status().startsWith(QStringLiteral("Save failed:Open file ") + sub), qPrintable(status()));
    prompts->queueFile(dir->file(QStringLiteral("missing/dir/x.txt")));
    QTest::mousePress(w->ui->savetxtpushButton, Qt::LeftButton);
    QVERIFY(status().startsWith(QStringLiteral("Save failed:")));
    QCOMPARE(QDir(dir->path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), before);
    QVERIFY(QDir(sub).isEmpty());

    // Nothing to save.
    QTest::mousePress(w->ui->cleandatapushButton, Qt::LeftButton);
    QTest::mousePress(w->ui->savetxtpushButton, Qt::LeftButton);
    QCOMPARE(status(), QStringLiteral("No data need to save"));
}

void TestSerialPage::openUsesTheChosenSettings_data()
{
    QTest::addColumn<int>("baudIndex");
    QTest::addColumn<uint>("speed");
    QTest::addColumn<int>("dataIndex");
    QTest::addColumn<int>("dataBits");
    QTest::addColumn<int>("parityIndex");
    QTest::addColumn<uint>("parityFlags");
    QTest::addColumn<int>("parity");
    QTest::addColumn<int>("stopIndex");
    QTest::addColumn<bool>("twoStopBits");
    QTest::newRow("9600 7E2") << 2 << uint(B9600) << 2 << 7 << 2 << 0u << int(QSerialPort::EvenParity) << 2 << true;
    QTest::newRow("115200 8N1") << 8 << uint(B115200) << 3 << 8 << 0 << 0u << int(QSerialPort::NoParity) << 0
                                << false;
    QTest::newRow("57600 5O1") << 6 << uint(B57600) << 0 << 5 << 1 << uint(PARODD) << int(QSerialPort::OddParity) << 0
                               << false;
    QTest::newRow("921600 6M2") << 14 << uint(B921600) << 1 << 6 << 3 << uint(PARODD | CMSPAR)
                                << int(QSerialPort::MarkParity) << 2 << true;
    QTest::newRow("230400 8S1") << 10 << uint(B230400) << 3 << 8 << 4 << uint(CMSPAR) << int(QSerialPort::SpaceParity)
                                << 0 << false;
}

void TestSerialPage::openUsesTheChosenSettings()
{
    QFETCH(int, baudIndex);
    QFETCH(uint, speed);
    QFETCH(int, dataIndex);
    QFETCH(int, dataBits);
    QFETCH(int, parityIndex);
    QFETCH(uint, parityFlags);
    QFETCH(int, parity);
    QFETCH(int, stopIndex);
    QFETCH(bool, twoStopBits);
    makeWindow();
    w->ui->baudRateComboBox->setCurrentIndex(baudIndex);
    w->ui->dataBitsComboBox->setCurrentIndex(dataIndex);
    w->ui->parityComboBox->setCurrentIndex(parityIndex);
    w->ui->stopBitsComboBox->setCurrentIndex(stopIndex);
    pressOpen();
    QVERIFY(w->serialOpen);
    // What the port really got, read back from the terminal device. A
    // pseudo-terminal keeps the speed, the stop bits and the kind of parity
    // but always reports eight data bits and no parity enable (the kernel
    // resets those two), so they are checked on the port object.
    QCOMPARE(int(w->serialThread->port->dataBits()), dataBits);
    QCOMPARE(int(w->serialThread->port->parity()), parity);
    const int fd = ::open(QFile::encodeName(pty->a()).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    QVERIFY(fd >= 0);
    termios t{};
    const int got = tcgetattr(fd, &t);
    ::close(fd);
    QCOMPARE(got, 0);
    QCOMPARE(uint(cfgetospeed(&t)), speed);
    QCOMPARE(uint(cfgetispeed(&t)), speed);
    QCOMPARE(uint(t.c_cflag & (PARODD | CMSPAR)), parityFlags);
    QCOMPARE(bool(t.c_cflag & CSTOPB), twoStopBits);
}

void TestSerialPage::sendActsWhenTheButtonGoesDown()
{
    makeWindow();
    pressOpen();
    w->ui->sendMsgtextEdit->setPlainText(QStringLiteral("p"));
    QTest::mousePress(w->ui->sendmsgBtn, Qt::LeftButton);
    QCOMPARE(peerRead(1), QByteArray("p"));
    QTest::mouseRelease(w->ui->sendmsgBtn, Qt::LeftButton);
    QCOMPARE(peerRead(1, 300), QByteArray());
}

void TestSerialPage::closingDuringKeepSendResumesOnReopen()
{
    makeWindow();
    pressOpen();
    w->ui->obocheckBox->setChecked(true);
    w->ui->delayspinBox->setValue(50);
    w->ui->sendMsgtextEdit->setPlainText(QStringLiteral("k"));
    pressSend();
    QCOMPARE(peerRead(3, 3000), QByteArray("kkk"));

    // Closing leaves the repeat send "running" without effect...
    pressOpen();
    QVERIFY(!w->serialOpen);
    QCOMPARE(w->ui->sendmsgBtn->text(), QStringLiteral("Pause"));
    QVERIFY(w->comSendTimer->isActive());
    QTest::qWait(100);
    peer->readAll();
    QCOMPARE(peerRead(1, 400), QByteArray());
    // ...and opening again resumes it.
    pressOpen();
    QVERIFY(w->serialOpen);
    QCOMPARE(peerRead(3, 3000), QByteArray("kkk"));
    pressSend();
    QCOMPARE(w->ui->sendmsgBtn->text(), QStringLiteral("Send"));
}

void TestSerialPage::sendFileIsExclusiveAndNotCounted()
{
    makeWindow();
    pressOpen();
    QByteArray lines;
    for (int i = 0; i < 100; ++i)
        lines += "file line " + QByteArray::number(i) + "\n";
    const QString path = dir->file(QStringLiteral("lines.txt"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(lines);
    f.close();
    const QString busy = QStringLiteral("A file is being sent; wait until it is done");

    prompts->queueFile(path);
    QTest::mousePress(w->ui->sendfileBtn, Qt::LeftButton);
    const int dialogs = prompts->requests().size();
    // While it goes out, nothing else starts writing: Send, Keep Send, the
    // command list and a second Send File (which does not even ask for a file).
    w->ui->sendMsgtextEdit->setPlainText(QStringLiteral("X"));
    pressSend();
    QCOMPARE(status(), busy);
    w->ui->obocheckBox->setChecked(true);
    pressSend();
    QCOMPARE(status(), busy);
    QCOMPARE(w->ui->sendmsgBtn->text(), QStringLiteral("Send"));
    QVERIFY(!w->comSendTimer->isActive());
    w->ui->obocheckBox->setChecked(false);
    w->command_sendMsg("Y");
    QCOMPARE(status(), busy);
    QTest::mousePress(w->ui->sendfileBtn, Qt::LeftButton);
    QCOMPARE(status(), busy);
    QCOMPARE(prompts->requests().size(), dialogs);

    QCOMPARE(peerRead(lines.size(), 10000), lines);
    QTRY_COMPARE(status(), QStringLiteral("Success for send the data in the file"));
    QCOMPARE(peerRead(1, 300), QByteArray());
    // The file's bytes are not counted.
    QCOMPARE(w->ui->sendbyteslcdNumber->intValue(), 0);

    // Closing the port stops a file on its way; afterwards sends work again.
    // Closing says how much of the file went: all of that reaches the peer.
    prompts->queueFile(path);
    QTest::mousePress(w->ui->sendfileBtn, Qt::LeftButton);
    QByteArray got = peerRead(20, 3000);
    QVERIFY(!got.isEmpty());
    pressOpen();
    const QRegularExpressionMatch stopped =
        QRegularExpression(QStringLiteral("^Serial closed; the file send was stopped after (\\d+) of 1290 bytes$"))
            .match(status());
    QVERIFY2(stopped.hasMatch(), qPrintable(status()));
    got += peerRead(1290, 500);
    QCOMPARE(QByteArray::number(got.size()), stopped.captured(1).toLatin1());
    QVERIFY(lines.startsWith(got));
    pressOpen();
    pressSend();
    QCOMPARE(peerRead(1), QByteArray("X"));
    QCOMPARE(w->ui->sendbyteslcdNumber->intValue(), 1);
}

void TestSerialPage::pressCommand(QAbstractButton *button)
{
    QTest::mousePress(button, Qt::LeftButton);
    QTest::mouseRelease(button, Qt::LeftButton);
}

void TestSerialPage::commandListAndSendAddToOneCount()
{
    makeWindow();
    pressOpen();
    QLCDNumber *counter = w->ui->sendbyteslcdNumber;
    QTest::mousePress(w->ui->com_expandpushButton, Qt::LeftButton);
    Ui::COM_Expand *list = w->comExpandUi;
    QVERIFY(list);

    // Table of sends, alternating the command list and the Send button;
    // each row gives what goes out and the count shown after it.
    struct Step {
        bool fromList;
        QString text;      // the command or the send box
        int bytes;         // bytes on the wire
        int shown;         // counter afterwards
    };
    const QString nearCap(99990 - 8, QLatin1Char('n'));
    const Step steps[] = {
        {true, QStringLiteral("AT\\r\\n"), 4, 4},
        {false, QStringLiteral("abc"), 3, 7},
        {true, QStringLiteral("z"), 1, 8},
        {false, nearCap, 99982, 99990},
        {true, QStringLiteral("12345678"), 8, 99998},
        {false, QStringLiteral("abc"), 3, 99999},
        {true, QStringLiteral("q"), 1, 99999},
        {false, QStringLiteral("r"), 1, 99999},
    };
    for (const Step &step : steps) {
        if (step.fromList) {
            list->com_qlineedit_3->setText(step.text);
            pressCommand(list->com_pushButton_3);
        } else {
            w->ui->sendMsgtextEdit->setPlainText(step.text);
            pressSend();
        }
        QCOMPARE(status(), QStringLiteral("Send Success"));
        QCOMPARE(peerRead(step.bytes, 5000).size(), step.bytes);
        QTRY_COMPARE(counter->intValue(), step.shown);
    }
    QCOMPARE(w->comPanel->sentTotal(), qint64(4 + 3 + 1 + 99982 + 8 + 3 + 1 + 1));

    // Cleared, both go on from zero together.
    QTest::mousePress(w->ui->cleanbytespushButton, Qt::LeftButton);
    QCOMPARE(counter->intValue(), 0);
    list->com_qlineedit_3->setText(QStringLiteral("ab"));
    pressCommand(list->com_pushButton_3);
    QCOMPARE(peerRead(2).size(), 2);
    QTRY_COMPARE(counter->intValue(), 2);
    w->ui->sendMsgtextEdit->setPlainText(QStringLiteral("c"));
    pressSend();
    QCOMPARE(peerRead(1).size(), 1);
    QTRY_COMPARE(counter->intValue(), 3);
}

void TestSerialPage::sendFileAndCompare(const QByteArray &content, const QString &what)
{
    const QString path = dir->file(QStringLiteral("file.bin"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(content), qint64(content.size()));
    f.close();
    QByteArray expected = content;
    expected.replace("\r\n", "\n");
    w->ui->statusBar->clearMessage();
    prompts->queueFile(path);
    QTest::mousePress(w->ui->sendfileBtn, Qt::LeftButton);
    const QByteArray got = peerRead(expected.size(), 60000);
    QTRY_COMPARE_WITH_TIMEOUT(status(), QStringLiteral("Success for send the data in the file"), 60000);
    const QByteArray extra = peerRead(1, 50);
    QVERIFY2(extra.isEmpty(), qPrintable(what + QStringLiteral(": bytes beyond the file")));
    if (got != expected) {
        qsizetype at = 0;
        while (at < got.size() && at < expected.size() && got.at(at) == expected.at(at))
            ++at;
        QFAIL(qPrintable(QStringLiteral("%1: %2 bytes arrived, %3 expected, first difference at %4")
                             .arg(what).arg(got.size()).arg(expected.size()).arg(at)));
    }
}

void TestSerialPage::sendFileKeepsEveryByteButTheCrOfCrLf()
{
    makeWindow();
    pressOpen();
    QVERIFY(w->serialOpen);

    // Short files made of the bytes that matter.
    const QByteArray shortFiles[] = {
        "\r", "\n", QByteArray(1, '\0'), "\x1a", "x", "\r\n", "\n\r", "\r\r\n", "\r\r", "\n\n",
        "\rfirst line\r\n", "a\rb\r\n\rc\r", QByteArray("\0\r\0\n\x1a\r\n\x1a", 9), "end\r\n\r",
    };
    for (const QByteArray &content : shortFiles) {
        sendFileAndCompare(content, QStringLiteral("short %1").arg(QString::fromLatin1(content.toHex())));
        if (QTest::currentTestFailed())
            return;
    }

    // Each of those bytes on both sides of the file's read boundaries
    // (16 KiB and 64 KiB pieces), on the first line and on a later one.
    const QByteArray specials[] = {"\r", "\r\n", "\n", QByteArray(1, '\0'), "\x1a", "\r\r\n", "\n\r"};
    for (const qsizetype boundary : {qsizetype(16384), qsizetype(65536), qsizetype(131072)}) {
        for (int shift = -2; shift <= 1; ++shift) {
            for (const QByteArray &special : specials) {
                QByteArray content(boundary + shift, 'f');
                content[100] = '\r'; // a lone CR on the first line too
                content += special;
                content += QByteArray("tail\r");
                sendFileAndCompare(content, QStringLiteral("%1 at %2%3").arg(QString::fromLatin1(special.toHex()))
                                                .arg(boundary).arg(shift));
                if (QTest::currentTestFailed())
                    return;
            }
        }
    }

    // Random files: 256 KiB as it is, and 20 MiB with few line ends (each
    // line waits 5 ms), CR LF pairs set across the 64 KiB boundaries.
    QByteArray random(256 * 1024, '\0');
    quint32 seed = 39;
    const auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return char(seed >> 24);
    };
    for (char &c : random)
        c = next();
    sendFileAndCompare(random, QStringLiteral("random 256 KiB"));
    if (QTest::currentTestFailed())
        return;

    QByteArray big(20 * 1024 * 1024, '\0');
    for (char &c : big) {
        c = next();
        if (c == '\n')
            c = '\r';
    }
    for (qsizetype at = 65536 - 1; at + 1 < big.size(); at += 65536 * 16) {
        big[at] = '\r';
        big[at + 1] = '\n';
    }
    big[big.size() - 1] = '\r';
    sendFileAndCompare(big, QStringLiteral("random 20 MiB"));
    // The file's bytes are not counted.
    QCOMPARE(w->ui->sendbyteslcdNumber->intValue(), 0);
}

void TestSerialPage::keepSendToADeviceThatDoesNotReadStaysBounded()
{
    makeWindow();
    pressOpen();
    QVERIFY(w->serialOpen);
    QSerialPort *port = w->serialThread->port;
    // The peer stops reading: it takes a few bytes and no more.
    peer->setReadBufferSize(16);

    // 40 000 bytes every 10 ms for 30 s.
    QByteArray payload;
    for (int i = 0; payload.size() < 40000; ++i)
        payload += QByteArray::number(i).rightJustified(7, '0') + ' ';
    payload.truncate(40000);
    w->ui->sendMsgtextEdit->setPlainText(QString::fromLatin1(payload));
    w->ui->obocheckBox->setChecked(true);
    w->ui->delayspinBox->setValue(10);
    QTest::qWait(200);
    const long before = TestSupport::residentKb();
    QVERIFY(before > 0);
    pressSend();
    QCOMPARE(w->ui->sendmsgBtn->text(), QStringLiteral("Pause"));
    QTest::qWait(30000);
    const long grown = TestSupport::residentKb() - before;
    qInfo("resident memory grew by %ld KiB; the port took %lld bytes, %lld wait", grown,
          w->comPanel->sentTotal(), port->bytesToWrite());
    if (TestSupport::residentMemoryIsTheProgramsOwn())
        QVERIFY2(grown < 5 * 1024, qPrintable(QString::number(grown)));
    QVERIFY2(status().contains(QLatin1String("The device is not reading")), qPrintable(status()));
    pressSend(); // Pause
    QVERIFY(!w->comSendTimer->isActive());
    QVERIFY(port->bytesToWrite() > 0);
    QVERIFY(port->bytesToWrite() <= TerminalPanel::kMaxUnsentBytes);

    // A single Send and a command are refused and say why.
    w->ui->obocheckBox->setChecked(false);
    const qint64 waiting = port->bytesToWrite();
    w->ui->statusBar->clearMessage();
    pressSend();
    QVERIFY2(status().contains(QLatin1String("is not reading")), qPrintable(status()));
    QCOMPARE(port->bytesToWrite(), waiting);
    w->ui->statusBar->clearMessage();
    w->command_sendMsg(payload);
    QVERIFY2(status().contains(QLatin1String("is not reading")), qPrintable(status()));
    QCOMPARE(port->bytesToWrite(), waiting);
    // Sends of nothing still go: a hex send box of blanks and an empty command.
    w->ui->sendAsHexcheckBox->setChecked(true);
    w->ui->sendMsgtextEdit->setPlainText(QStringLiteral(" , "));
    pressSend();
    QCOMPARE(status(), QStringLiteral("Send Success"));
    w->ui->statusBar->clearMessage();
    w->command_sendMsg(QByteArray());
    QCOMPARE(status(), QStringLiteral("Send Success"));
    QCOMPARE(port->bytesToWrite(), waiting);
    w->ui->sendAsHexcheckBox->setChecked(false);
    w->ui->sendMsgtextEdit->setPlainText(QString::fromLatin1(payload));
    // Counted is what the port took (the system's buffers between here and
    // the peer hold far less than the bound), not what waits.
    const qint64 taken = w->comPanel->sentTotal();
    QVERIFY2(taken < waiting, qPrintable(QStringLiteral("%1 counted, %2 wait").arg(taken).arg(waiting)));

    // The peer reads again: it gets exactly what the counter counted,
    // whole payloads in order.
    peer->setReadBufferSize(0);
    QByteArray got = peer->readAll();
    QElapsedTimer t;
    t.start();
    while ((port->bytesToWrite() > 0 || got.size() < w->comPanel->sentTotal()) && t.elapsed() < 60000) {
        QTest::qWait(10);
        got += peer->readAll();
    }
    got += peerRead(1, 300);
    const qint64 total = w->comPanel->sentTotal();
    QCOMPARE(port->bytesToWrite(), qint64(0));
    QCOMPARE(qint64(got.size()), total);
    QCOMPARE(total % payload.size(), 0);
    QCOMPARE(w->ui->sendbyteslcdNumber->intValue(), int(qMin<qint64>(total, 99999)));
    for (qint64 at = 0; at < total; at += payload.size()) {
        if (got.mid(at, payload.size()) != payload)
            QFAIL(qPrintable(QStringLiteral("bytes %1 on differ from what was sent").arg(at)));
    }
    // Sending goes on once the device reads.
    pressSend();
    QCOMPARE(status(), QStringLiteral("Send Success"));
    QCOMPARE(peerRead(payload.size(), 5000), payload);
    QTRY_COMPARE(w->comPanel->sentTotal(), total + payload.size());
}

void TestSerialPage::vanishedPeerClosesThePort()
{
    makeWindow();
    pressOpen();
    QVERIFY(w->serialOpen);
    peer.reset();
    pty->kill();
    QTRY_VERIFY_WITH_TIMEOUT(!w->serialOpen, 1000);
    QVERIFY(!w->serialThread);
    QVERIFY(status().contains(QLatin1String("lost")));
    QCOMPARE(w->ui->opencompushButton->text(), QStringLiteral("Open"));
    QVERIFY(w->portScanTimer->isActive());
    QVERIFY(w->ui->portNameComboBox->isEnabled());

    // Idle afterwards: the event loop does not spin on a dead descriptor.
    const double cpu0 = processCpuSeconds();
    QTest::qWait(1000);
    const double used = processCpuSeconds() - cpu0;
    QVERIFY2(used < 0.3, qPrintable(QString::number(used)));
}

void TestSerialPage::portScanFollowsTheLister()
{
    g_ports = QStringList{};
    w = std::make_unique<MainWindow>();
    QList<QComboBox *> boxes;
    for (const char *name : kPortCombos) {
        if (QComboBox *box = w->findChild<QComboBox *>(QLatin1String(name)))
            boxes << box;
    }
    QCOMPARE(boxes.size(), 11);
    QCOMPARE(boxes.first()->objectName(), QStringLiteral("portNameComboBox"));

    g_ports = QStringList{"A", "B", "C"};
    QTRY_COMPARE_WITH_TIMEOUT(items(boxes.first()), (QStringList{"A", "B", "C"}), 1500);
    for (QComboBox *box : boxes)
        QCOMPARE(items(box), (QStringList{"A", "B", "C"}));

    // Two adjacent ports vanish and a new one arrives: one tick.
    g_ports = QStringList{"A", "D"};
    QTest::qWait(600);
    for (QComboBox *box : boxes)
        QCOMPARE(items(box), (QStringList{"A", "D"}));

    // New ports go to the end, unsorted; built-in UARTs are never listed.
    g_ports = QStringList{"0first", "A", "D", "ttyS0", "ttySAC1", "ttyAMA0", "ttyUSB0", "ttyACM0", "COM1"};
    QTRY_COMPARE_WITH_TIMEOUT(items(boxes.first()), (QStringList{"A", "D", "0first", "ttyUSB0", "ttyACM0", "COM1"}),
                              1500);
    for (QComboBox *box : boxes)
        QCOMPARE(items(box), (QStringList{"A", "D", "0first", "ttyUSB0", "ttyACM0", "COM1"}));
    QCOMPARE(w->getFilteredSerialPorts(), (QStringList{"0first", "A", "D", "ttyUSB0", "ttyACM0", "COM1"}));
    QVERIFY(!w->testUart(QStringLiteral("A")));

    // "false" (and anything but empty or "true") stops the refresh.
    for (const QString &off : {QStringLiteral("false"), QStringLiteral("True")}) {
        w->settings->setValue(QStringLiteral("Auto_Serial_Scan"), off);
        g_ports = QStringList{"Z"};
        QTest::qWait(1200);
        QCOMPARE(items(boxes.first()), (QStringList{"A", "D", "0first", "ttyUSB0", "ttyACM0", "COM1"}));
    }
    w->settings->setValue(QStringLiteral("Auto_Serial_Scan"), QStringLiteral("true"));
    QTRY_COMPARE_WITH_TIMEOUT(items(boxes.first()), (QStringList{"Z"}), 1500);
    for (QComboBox *box : boxes)
        QCOMPARE(items(box), (QStringList{"Z"}));
}

VELM_TEST_MAIN(TestSerialPage)
QByteArray TestSerialPage::exported(const QString &name)
{
    const QString path = dir->file(name);
    prompts->queueFile(path);
    QTest::mousePress(w->ui->savetxtpushButton, Qt::LeftButton);
    QFile saved(path);
    return saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray();
}

void TestSerialPage::timeSwitchKeepsTheDevicesLines()
{
    makeWindow();
    pressOpen();
    // Each line arrives as a read of its own, "Time" switched before it.
    for (const TestSupport::StampedChunk &line : TestSupport::timeSwitchSequence()) {
        w->ui->showtime_checkBox->setChecked(line.stamped);
        peer->write(line.bytes);
        QTRY_VERIFY(w->ui->COM_StrTextBrowser->toPlainText().contains(QString::fromLatin1(line.bytes.trimmed())));
    }
    const QStringList lines = TestSupport::timeSwitchSequenceLines();
    QCOMPARE(TestSupport::linesWithStamps(w->ui->COM_StrTextBrowser->toPlainText()), lines);
    // The saved log ends with the line feed the device sent.
    QCOMPARE(TestSupport::linesWithStamps(QString::fromUtf8(exported(QStringLiteral("log.txt")))), lines);
}

void TestSerialPage::stalledFileSendSaysSoAndGoesOn_data()
{
    QTest::addColumn<QString>("baud");
    QTest::addColumn<int>("stallMs");
    // A slow line is given the time 8 KiB take at its rate.
    QTest::newRow("115200") << "115200" << 1000;
    QTest::newRow("19200") << "19200" << 8 * 1024 * 10 * 1000 / 19200;
}

void TestSerialPage::stalledFileSendSaysSoAndGoesOn()
{
    QFETCH(QString, baud);
    QFETCH(int, stallMs);
    makeWindow();
    w->ui->baudRateComboBox->setCurrentText(baud);
    pressOpen();
    QSerialPort *port = w->serialThread->port;
    QCOMPARE(port->baudRate(), baud.toInt());
    // 4 MiB in lines of 64 KiB.
    QByteArray content;
    for (int i = 0; content.size() < 4 * 1024 * 1024; ++i)
        content += QByteArray(64 * 1024 - 1, char('a' + i % 26)) + '\n';
    const QString path = dir->file(QStringLiteral("big.txt"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(content), qint64(content.size()));
    f.close();
    const QRegularExpression stalled(QStringLiteral("^The device is not taking data; (\\d+) of 4194304 bytes of the file "
                                                    "have gone$"));
    // The peer takes a few bytes and no more: once the port holds all it
    // may, the status says so after the stall time (within two seconds
    // on a fast line).
    const auto startStalled = [&] {
        peer->setReadBufferSize(16);
        prompts->queueFile(path);
        QTest::mousePress(w->ui->sendfileBtn, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(port->bytesToWrite() > TerminalPanel::kMaxUnsentBytes - 64 * 1024, 10000);
        QElapsedTimer full;
        full.start();
        QTRY_VERIFY_WITH_TIMEOUT(stalled.match(status()).hasMatch(), stallMs + 1000);
        QVERIFY2(full.elapsed() >= stallMs / 2, qPrintable(QString::number(full.elapsed())));
    };
    startStalled();
    const qint64 gone = stalled.match(status()).captured(1).toLongLong();
    QVERIFY2(gone > 0 && gone < content.size() - port->bytesToWrite(), qPrintable(status()));
    w->ui->sendMsgtextEdit->setPlainText(QStringLiteral("X"));
    pressSend();
    QCOMPARE(status(), QStringLiteral("A file is being sent; wait until it is done"));

    // The peer reads again: the send goes on, says so, and ends as usual
    // with every byte in order.
    QSignalSpy wentOn(w->comFileSender, &SerialFileSender::progress);
    peer->setReadBufferSize(0);
    QByteArray got;
    bool sawResumed = false;
    QElapsedTimer t;
    t.start();
    while (status() != QLatin1String("Success for send the data in the file") && t.elapsed() < 60000) {
        QTest::qWait(5);
        got += peer->readAll();
        // The count beside the message line goes on.
        sawResumed = sawResumed || (wentOn.count() > 0 && w->comFileProgress->isVisible() &&
                                    w->comFileProgress->text().startsWith(QLatin1String("Sending the file: ")));
    }
    QVERIFY(sawResumed);
    QCOMPARE(status(), QStringLiteral("Success for send the data in the file"));
    got += peerRead(content.size() - got.size(), 20000);
    QCOMPARE(got.size(), content.size());
    QVERIFY(got == content);

    // Stalled again, Close ends the send and says how much went.
    startStalled();
    const qint64 before = stalled.match(status()).captured(1).toLongLong();
    pressOpen();
    QVERIFY(!w->serialOpen);
    QCOMPARE(status(), QStringLiteral("Serial closed; the file send was stopped after %1 of 4194304 bytes").arg(before));
    // That much reaches the peer when it reads again, and no more.
    peer->setReadBufferSize(0);
    const QByteArray rest = peerRead(int(before) + 1, 3000);
    QCOMPARE(qint64(rest.size()), before);
    QVERIFY(rest == content.left(rest.size()));
}

void TestSerialPage::sendSaysWhyNothingWent_data()
{
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("expected");
    // The port closed under the page, and a port that refuses writes.
    QTest::newRow("closed") << false << "Serial port not open, nothing sent";
    QTest::newRow("open for reading only") << true << "Send failed: not open for writing";
}

void TestSerialPage::sendSaysWhyNothingWent()
{
    QFETCH(bool, readOnly);
    QFETCH(QString, expected);
    makeWindow();
    pressOpen();
    QSerialPort *port = w->serialThread->port;
    port->close();
    if (readOnly)
        QVERIFY(port->open(QIODevice::ReadOnly));
    w->ui->sendMsgtextEdit->setPlainText(QStringLiteral("X"));
    pressSend();
    QCOMPARE(status(), expected);
    w->ui->statusBar->clearMessage();
    w->command_sendMsg("Y");
    QCOMPARE(status(), expected);
    QCOMPARE(peerRead(1, 300), QByteArray());
}

#include "tst_serialpage.moc"
