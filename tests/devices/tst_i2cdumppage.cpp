// The "i2cdump" page against a scripted I2C bridge board on a pty, holding
// a bus with two devices: the requests on the wire, the scan and read log
// lines, dumps filling and colouring the grid, the log's line limit, the
// write format check, a read reply after its dialog closed, no bridge
// frames into a port another page holds, every request offered again after
// a reopen during a stream, and a dump cut by a vanished board not
// swallowing the first dump after the port is opened again. Floods of the
// largest replies: the log shows the newest reply whole in lines of bounded
// length, and a burst of dumps leaves every cell as the dumps one by one would.

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "devicewindowfixture.h"
#include "i2c/kalvest_i2c_tools.h"
#include "ui_i2cdump_readreg.h"
#include "ui_i2cdump_writereg.h"
#include "ui_mainwindow.h"

using TestSupport::DeviceWindowFixture;

namespace {

// The bridge's side, written apart from the program's frame code: a bus
// with devices 0x3C and 0x68, each with 256 registers.
class Bridge
{
public:
    explicit Bridge(TestSupport::ScriptedDevice *device) : m_device(device)
    {
        for (int r = 0; r < 256; ++r) {
            m_regs[0x3C][r] = quint8(r);
            m_regs[0x68][r] = quint8(0xFF - r);
        }
        device->setResponder([this](const QByteArray &piece, const QByteArray &) { onBytes(piece); });
    }
    static QByteArray reply(quint8 cmd, const QByteArray &payload)
    {
        QByteArray f("KV");
        f.append(char(cmd)).append(char(payload.size() >> 8)).append(char(payload.size() & 0xFF)).append(payload);
        int s = 0;
        for (char c : payload)
            s += quint8(c);
        return f.append(char(s & 0xFF));
    }
    QByteArray dump() const
    {
        QByteArray d;
        for (int r = 0; r < 256; ++r)
            d.append(char(m_regs.value(m_address).value(r)));
        return reply(0x02, d);
    }
    QList<QByteArray> requests;
    QMap<int, QMap<int, quint8>> m_regs;
    int m_address = 0;

private:
    void onBytes(const QByteArray &piece)
    {
        m_in += piece;
        while (m_in.size() >= 6 && m_in.startsWith("KV")) {
            const int n = quint8(m_in[3]) * 256 + quint8(m_in[4]);
            if (m_in.size() < n + 6)
                return;
            const QByteArray req = m_in.left(n + 6);
            m_in.remove(0, n + 6);
            requests << req;
            const QByteArray p = req.mid(5, n);
            switch (quint8(req[2])) {
            case 0x01:
                m_device->write(reply(0x01, QByteArray::fromHex("3C68")));
                break;
            case 0x02:
                m_device->write(dump());
                break;
            case 0x03:
                m_address = quint8(p[0]);
                break;
            case 0x04:
                for (int i = 1; i < p.size(); ++i)
                    m_regs[m_address][quint8(p[0]) + i - 1] = quint8(p[i]);
                break;
            case 0x05: {
                QByteArray values;
                for (int i = 0; i < quint8(p[1]); ++i)
                    values.append(char(m_regs.value(m_address).value(quint8(p[0]) + i)));
                m_device->write(reply(0x05, values));
                break;
            }
            default:
                break;
            }
        }
    }
    TestSupport::ScriptedDevice *m_device;
    QByteArray m_in;
};

void press(QAbstractButton *b)
{
    QVERIFY(b->isEnabled());
    QTest::mousePress(b, Qt::LeftButton);
    QTest::mouseRelease(b, Qt::LeftButton);
}

} // namespace

class TestI2cdumpPage : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { f.stop(); }
    void scanReadWriteAndDumps();
    void writeFormatAndLimits();
    void readReplyAfterItsDialogClosed();
    void noFramesIntoAnotherPagesPort();
    void largestRepliesShowWhole_data();
    void largestRepliesShowWhole();
    void burstOfDumpsEndsAsEachDumpWouldLeaveIt();
    void reopenDuringAStreamOffersEveryRequest();
    void dumpCutByAVanishedBoardIsForgotten();

private:
    void openWindow(const QStringList &pages);
    void openPort();
    QString lastLogLine() const
    {
        const QStringList lines = f.w->ui->i2cdump_StrTextBrowser->toPlainText().split('\n', Qt::SkipEmptyParts);
        return lines.isEmpty() ? QString() : lines.last();
    }
    DeviceWindowFixture f;
};

void TestI2cdumpPage::openWindow(const QStringList &pages)
{
    QVERIFY(f.start(pages));
    f.makeWindow();
}

void TestI2cdumpPage::openPort()
{
    Ui::MainWindow *ui = f.w->ui;
    QVERIFY(!ui->i2cdumpsancfpushButton->isEnabled());
    QCOMPARE(ui->i2cdump_stop_pushButton->text(), QStringLiteral("Start"));
    press(ui->i2cdumpopencompushButton);
    QCOMPARE(ui->i2cdumpopencompushButton->text(), QStringLiteral("Close"));
    QVERIFY(ui->i2cdumpsancfpushButton->isEnabled());
}

void TestI2cdumpPage::scanReadWriteAndDumps()
{
    openWindow({QStringLiteral("i2cdump")});
    Bridge bridge(f.device.get());
    openPort();
    MainWindow *w = f.w.get();
    Ui::MainWindow *ui = w->ui;

    press(ui->i2cdumpsancfpushButton);
    QVERIFY(f.device->waitForReceived(7));
    QCOMPARE(f.device->received().toHex(' '), QByteArray("4b 56 01 00 01 ff ff"));
    QTRY_COMPARE(lastLogLine(), QStringLiteral("0x3c, 0x68, "));
    QVERIFY(ui->i2cdump_StrTextBrowser->toPlainText().contains(QStringLiteral("Searching for I2C devices on the bus:")));

    w->i2cTools->addressList()->setCurrentIndex(0x68);
    QTRY_COMPARE(bridge.m_address, 0x68);
    QCOMPARE(bridge.requests.last().toHex(' '), QByteArray("4b 56 03 00 01 68 68"));

    press(ui->i2cdumpreadpushButton);
    QVERIFY(w->i2cReadUi);
    w->i2cReadUi->reg_comboBox->setCurrentIndex(0x0A);
    w->i2cReadUi->length_comboBox->setCurrentIndex(2);
    press(w->i2cReadUi->read_pushButton);
    QTRY_COMPARE(lastLogLine(), QStringLiteral("Reg addr 0x0a: 0xf5, 0xf4, "));
    QCOMPARE(bridge.requests.last().toHex(' '), QByteArray("4b 56 05 00 02 0a 02 0c"));
    press(ui->i2cdumpreadpushButton); // a second press while open: nothing new
    QCOMPARE(w->findChildren<QDialog *>().size(), 1);

    // Start: the board streams a dump; the grid fills and marks changes.
    press(ui->i2cdump_stop_pushButton);
    QCOMPARE(ui->i2cdump_stop_pushButton->text(), QStringLiteral("Stop"));
    QVERIFY(!ui->i2cdumpsancfpushButton->isEnabled());
    QTRY_COMPARE(w->i2cTools->cell(0)->text(), QStringLiteral("FF"));
    QCOMPARE(w->i2cTools->cell(254)->text(), QStringLiteral("01"));
    QCOMPARE(w->i2cTools->cell(0)->palette().color(QPalette::Window), QColor(0, 205, 102));
    QCOMPARE(w->i2cTools->cell(255)->palette().color(QPalette::Window), QColor(255, 255, 255)); // 00 → 00
    // Same dump again: every cell white; a register changing twice: green, then pink.
    f.device->write(bridge.dump());
    QTRY_COMPARE(w->i2cTools->cell(0)->palette().color(QPalette::Window), QColor(255, 255, 255));
    bridge.m_regs[0x68][5] = 0x11;
    f.device->write(bridge.dump());
    QTRY_COMPARE(w->i2cTools->cell(5)->text(), QStringLiteral("11"));
    QCOMPARE(w->i2cTools->cell(5)->palette().color(QPalette::Window), QColor(0, 205, 102));
    bridge.m_regs[0x68][5] = 0x12;
    f.device->write(bridge.dump());
    QTRY_COMPARE(w->i2cTools->cell(5)->text(), QStringLiteral("12"));
    QCOMPARE(w->i2cTools->cell(5)->palette().color(QPalette::Window), QColor(255, 105, 180));
    ui->i2cdump_stop_pushButton->setText(QStringLiteral("||")); // its text decides nothing
    press(ui->i2cdump_stop_pushButton);
    QTRY_COMPARE(bridge.requests.last().toHex(' '), QByteArray("4b 56 00 00 01 ff ff"));

    // Write through the dialog, read it back.
    press(ui->i2cdumpwritepushButton);
    w->i2cWriteUi->reg_comboBox->setCurrentIndex(0x20);
    w->i2cWriteUi->lineEdit->setText(QStringLiteral("0x01,0x34,0xab"));
    press(w->i2cWriteUi->send_pushButton);
    QTRY_COMPARE(bridge.m_regs[0x68][0x22], quint8(0xAB));
    QCOMPARE(bridge.requests.last().toHex(' '), QByteArray("4b 56 04 00 04 20 01 34 ab 00"));

    if (!qEnvironmentVariableIsEmpty("VELM_ARTIFACT_DIR")) {
        w->i2cWriteDialog->close();
        w->i2cReadDialog->close();
        w->resize(1280, 900);
        QTest::qWait(200);
        w->grab().save(qEnvironmentVariable("VELM_ARTIFACT_DIR") + QStringLiteral("/i2cdump_page.png"));
    }

    // The log keeps its last 100 lines.
    for (int i = 0; i < 120; ++i)
        f.device->write(Bridge::reply(0x01, QByteArray(1, char(i))));
    QTRY_COMPARE(lastLogLine(), QStringLiteral("0x77, "));
    QVERIFY(ui->i2cdump_StrTextBrowser->document()->blockCount() <= 100);
}

void TestI2cdumpPage::writeFormatAndLimits()
{
    openWindow({QStringLiteral("i2cdump")});
    openPort();
    MainWindow *w = f.w.get();
    press(w->ui->i2cdumpwritepushButton);
    const QStringList refused{QStringLiteral("0x01, 0x02"), QStringLiteral("0x1"), QStringLiteral("0x123"),
                              QStringLiteral("01"), QStringLiteral("0x01,"), QString()};
    for (const QString &text : refused) {
        w->i2cWriteUi->lineEdit->setText(text);
        press(w->i2cWriteUi->send_pushButton);
    }
    QCOMPARE(f.prompts->requests().size(), refused.size());
    QCOMPARE(f.prompts->requests().first().title, QStringLiteral("Warning"));
    QCOMPARE(f.prompts->texts().first(),
             QStringLiteral("Invalid input format. Please enter the correct format (e.g., 0x01,0x34,0xab)"));
    QStringList tooMany;
    for (int i = 0; i < 506; ++i)
        tooMany << QStringLiteral("0x00");
    w->i2cWriteUi->lineEdit->setText(tooMany.join(','));
    press(w->i2cWriteUi->send_pushButton);
    QCOMPARE(f.prompts->requests().size(), refused.size() + 1);
    QTest::qWait(50);
    QCOMPARE(f.device->received().size(), 0);
    QCOMPARE(w->i2cWriteUi->lineEdit->text(), tooMany.join(','));
}

void TestI2cdumpPage::readReplyAfterItsDialogClosed()
{
    openWindow({QStringLiteral("i2cdump")});
    Bridge bridge(f.device.get());
    bridge.m_address = 0x3C;
    openPort();
    MainWindow *w = f.w.get();
    press(w->ui->i2cdumpreadpushButton);
    w->i2cReadUi->reg_comboBox->setCurrentIndex(0x30);
    w->i2cReadUi->length_comboBox->setCurrentIndex(1);
    f.device->setResponder({}); // the board answers late
    press(w->i2cReadUi->read_pushButton);
    QVERIFY(f.device->waitForReceived(8));
    w->i2cReadDialog->close();
    QTRY_VERIFY(!w->i2cReadDialogOpen);
    QVERIFY(!w->i2cReadUi);
    f.device->write(Bridge::reply(0x05, QByteArray(1, '\x30')));
    QTRY_COMPARE(lastLogLine(), QStringLiteral("Reg addr 0x30: 0x30, "));
    // A fresh dialog starts at 0x00.
    press(w->ui->i2cdumpreadpushButton);
    QCOMPARE(w->i2cReadUi->reg_comboBox->currentIndex(), 0);
}

void TestI2cdumpPage::noFramesIntoAnotherPagesPort()
{
    openWindow({QStringLiteral("i2cdump"), QStringLiteral("Environment")});
    openPort();
    MainWindow *w = f.w.get();
    press(w->ui->i2cdumpwritepushButton);
    press(w->ui->i2cdumpopencompushButton); // close; the dialog stays
    QVERIFY(!w->serialOpen);
    press(w->ui->ENVopencompushButton);       // another page takes the port
    QVERIFY(w->serialOpen);
    f.device->clearReceived();
    w->i2cTools->addressList()->setCurrentIndex(0x10);
    w->i2cWriteUi->lineEdit->setText(QStringLiteral("0x01"));
    QTest::mousePress(w->i2cWriteUi->send_pushButton, Qt::LeftButton);
    QTest::qWait(100);
    QCOMPARE(f.device->received().size(), 0);
}

void TestI2cdumpPage::largestRepliesShowWhole_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("header");
    QTest::newRow("read") << 0x05 << QStringLiteral("Reg addr 0x00: ");
    QTest::newRow("scan") << 0x01 << QStringLiteral("Searching for I2C devices on the bus:\n");
}

void TestI2cdumpPage::largestRepliesShowWhole()
{
    QFETCH(int, command);
    QFETCH(QString, header);
    openWindow({QStringLiteral("i2cdump")});
    openPort();
    QPlainTextEdit *log = f.w->ui->i2cdump_StrTextBrowser;
    // A short reply first: one line, as always.
    f.device->write(Bridge::reply(quint8(command), QByteArray::fromHex("0102")));
    QTRY_VERIFY(lastLogLine().endsWith(QStringLiteral("0x01, 0x02, ")));
    // Then 12 replies of 65535 bytes at once.
    QByteArray burst;
    QByteArray last;
    for (int r = 0; r < 12; ++r) {
        last = QByteArray(65535, Qt::Uninitialized);
        for (int i = 0; i < last.size(); ++i)
            last[i] = char((i * 7 + r * 13) & 0xFF);
        burst += Bridge::reply(quint8(command), last);
    }
    f.device->write(burst);
    QString tokens;
    for (char b : std::as_const(last))
        tokens += QStringLiteral("0x%1, ").arg(quint8(b), 2, 16, QLatin1Char('0'));
    const QString expected = header + tokens + QLatin1Char('\n');
    // The newest reply is there whole and in order; only line breaks
    // between its bytes were added.
    QTRY_VERIFY_WITH_TIMEOUT(log->toPlainText().remove(QLatin1Char('\n')).endsWith(
                                 QString(expected).remove(QLatin1Char('\n'))),
                             15000);
    const QString text = log->toPlainText();
    const int start = text.lastIndexOf(header.trimmed());
    QVERIFY(start >= 0);
    QCOMPARE(QString(text.mid(start)).remove(QLatin1Char('\n')),
             QString(header + tokens).remove(QLatin1Char('\n')));
    // Cut between tokens into lines of bounded length, within the cap.
    QVERIFY(log->document()->blockCount() <= 100);
    const QStringList lines = text.mid(start).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        QVERIFY2(line.size() <= 4096, qPrintable(QString::number(line.size())));
        QVERIFY(line.isEmpty() || line.endsWith(QLatin1String(", ")) || line == header.trimmed());
    }
}

void TestI2cdumpPage::burstOfDumpsEndsAsEachDumpWouldLeaveIt()
{
    openWindow({QStringLiteral("i2cdump")});
    openPort();
    MainWindow *w = f.w.get();
    // Register k's value in dump d: registers change every dump, every
    // other dump, once, or never, so the colours end in every state.
    auto value = [](int k, int d) -> quint8 {
        switch (k % 4) {
        case 0:
            return quint8(k + d);
        case 1:
            return quint8(k + d / 2);
        case 2:
            return quint8(d < 5 ? k : k + 1);
        default:
            return quint8(k);
        }
    };
    // What each dump in turn leaves, by the grid's rule.
    const QColor white(255, 255, 255), green(0, 205, 102), pink(255, 105, 180);
    QList<quint8> shownValue(256, 0);
    QList<QColor> shownColour(256, QColor());
    QByteArray burst;
    for (int d = 0; d < 12; ++d) {
        QByteArray dump(d % 2 ? 65535 : 256, '\0');
        for (int k = 0; k < 256; ++k) {
            dump[k] = char(value(k, d));
            if (value(k, d) == shownValue[k])
                shownColour[k] = white;
            else
                shownColour[k] = shownColour[k] == green ? pink : green;
            shownValue[k] = value(k, d);
        }
        burst += Bridge::reply(0x02, dump);
    }
    f.device->write(burst);
    // Register 0 takes the value 11 only in the last dump.
    QTRY_COMPARE_WITH_TIMEOUT(w->i2cTools->cell(0)->text(), QStringLiteral("0B"), 10000);
    for (int k = 0; k < 256; ++k) {
        QCOMPARE(w->i2cTools->cell(k)->text(),
                 QStringLiteral("%1").arg(shownValue[k], 2, 16, QLatin1Char('0')).toUpper());
        QCOMPARE(w->i2cTools->cell(k)->palette().color(QPalette::Window), shownColour[k]);
    }
    // A cell set on its own still compares with what the dumps left.
    w->i2cTools->Set_Register(3, shownValue[3]);
    QCOMPARE(w->i2cTools->cell(3)->palette().color(QPalette::Window), white);
    w->i2cTools->Set_Register(3, quint8(shownValue[3] + 1));
    QCOMPARE(w->i2cTools->cell(3)->palette().color(QPalette::Window), green);
}

void TestI2cdumpPage::reopenDuringAStreamOffersEveryRequest()
{
    openWindow({QStringLiteral("i2cdump")});
    Bridge bridge(f.device.get());
    openPort();
    Ui::MainWindow *ui = f.w->ui;
    press(ui->i2cdump_stop_pushButton); // the stream runs: Scan, Read and Write are off
    QCOMPARE(ui->i2cdump_stop_pushButton->text(), QStringLiteral("Stop"));
    QVERIFY(!ui->i2cdumpreadpushButton->isEnabled());
    press(ui->i2cdumpopencompushButton); // close during the stream
    for (QPushButton *b : {ui->i2cdump_stop_pushButton, ui->i2cdumpsancfpushButton, ui->i2cdumpreadpushButton,
                           ui->i2cdumpwritepushButton})
        QVERIFY(!b->isEnabled());
    press(ui->i2cdumpopencompushButton);
    QCOMPARE(ui->i2cdumpopencompushButton->text(), QStringLiteral("Close"));
    QCOMPARE(ui->i2cdump_stop_pushButton->text(), QStringLiteral("Stop")); // the text stays as it was
    for (QPushButton *b : {ui->i2cdump_stop_pushButton, ui->i2cdumpsancfpushButton, ui->i2cdumpreadpushButton,
                           ui->i2cdumpwritepushButton})
        QVERIFY2(b->isEnabled(), qPrintable(b->objectName()));
    f.device->clearReceived();
    press(ui->i2cdumpsancfpushButton);
    QVERIFY(f.device->waitForReceived(7));
    QCOMPARE(f.device->received().toHex(' '), QByteArray("4b 56 01 00 01 ff ff"));
}

void TestI2cdumpPage::dumpCutByAVanishedBoardIsForgotten()
{
    openWindow({QStringLiteral("i2cdump")});
    auto bridge = std::make_unique<Bridge>(f.device.get());
    bridge->m_address = 0x3C; // registers hold their own numbers
    openPort();
    MainWindow *w = f.w.get();
    Ui::MainWindow *ui = w->ui;
    press(ui->i2cdump_stop_pushButton);
    QTRY_COMPARE(w->i2cTools->cell(255)->text(), QStringLiteral("FF"));
    // The board vanishes in the middle of the next dump.
    f.device->write(bridge->dump().left(120));
    QTRY_VERIFY(!w->i2cTools->rxBuffer().isEmpty());
    f.device->vanish();
    QTRY_COMPARE_WITH_TIMEOUT(ui->i2cdumpopencompushButton->text(), QStringLiteral("Open"), 3000);

    // Plugged in again (a new terminal): the first dump shows at once.
    QVERIFY(f.replaceDevice());
    QTRY_COMPARE_WITH_TIMEOUT(ui->i2cdumpportNameComboBox->currentText(), f.device->portPath(), 3000);
    press(ui->i2cdumpopencompushButton);
    QCOMPARE(ui->i2cdumpopencompushButton->text(), QStringLiteral("Close"));
    QVERIFY(w->i2cTools->rxBuffer().isEmpty());
    bridge = std::make_unique<Bridge>(f.device.get());
    bridge->m_address = 0x68; // registers hold 0xFF minus their number
    f.device->write(bridge->dump());
    QTRY_COMPARE(w->i2cTools->cell(0)->text(), QStringLiteral("FF"));
    QCOMPARE(w->i2cTools->cell(255)->text(), QStringLiteral("00"));
    QVERIFY(w->i2cTools->rxBuffer().isEmpty());
}

VELM_TEST_MAIN(TestI2cdumpPage)
#include "tst_i2cdumppage.moc"
