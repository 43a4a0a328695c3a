// test-links: codecs
// Send box and address fields of the network pages, without a window.
#include "coresupport.h"

#include "netsend.h"
#include "portnumber.h"

class TestNetSend : public QObject
{
    Q_OBJECT

private slots:
    void prepare_data();
    void prepare();
    void ports_data();
    void ports();
    void addressText();
};

void TestNetSend::prepare_data()
{
    QTest::addColumn<bool>("hex");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("empty") << false << "" << QByteArray();
    QTest::newRow("CR before the last line feed only") << false << "a\nb\n" << QByteArray("a\nb\r\n");
    QTest::newRow("inner line feed kept") << false << "A\nB" << QByteArray("A\nB");
    QTest::newRow("local 8-bit") << false << QString::fromUtf8("中") << QByteArray("\xe4\xb8\xad");
    QTest::newRow("hex, blanks") << true << "01 0a FF" << QByteArray::fromHex("010aff");
    QTest::newRow("hex, digits pair from the end") << true << "123" << QByteArray::fromHex("0123");
    QTest::newRow("hex, other characters skipped") << true << "4g1-42" << QByteArray::fromHex("4142");
    QTest::newRow("hex view text") << true << "0x41, 0x0D, 0x0A, " << QByteArray::fromHex("410d0a");
    QTest::newRow("hex, commas without blanks") << true << "0x41,0x42," << QByteArray::fromHex("4142");
    QTest::newRow("hex, upper-case prefix") << true << "0X41\t0x42\n" << QByteArray::fromHex("4142");
    QTest::newRow("hex, 0x inside a piece is no prefix") << true << "a0x1" << QByteArray::fromHex("0a01");
    QTest::newRow("hex, prefix alone") << true << "0x" << QByteArray();
    QTest::newRow("hex, only one prefix dropped") << true << "0x0x41" << QByteArray::fromHex("0041");
    QTest::newRow("hex, up to the first NUL") << true << QStringLiteral("41") + QChar(0) + QStringLiteral("42")
                                            << QByteArray::fromHex("41");
}

void TestNetSend::prepare()
{
    QFETCH(bool, hex);
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(NetSend::prepare(text, hex), bytes);
}

void TestNetSend::ports_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("port");
    QTest::newRow("lowest") << "1" << 1;
    QTest::newRow("highest") << "65535" << 65535;
    QTest::newRow("blanks around") << " 1000 " << 1000;
    QTest::newRow("zero") << "0" << -1;
    QTest::newRow("one past 16 bits") << "65536" << -1;
    QTest::newRow("70000, whose low 16 bits are 4464") << "70000" << -1;
    QTest::newRow("letters") << "abc" << -1;
    QTest::newRow("sign") << "-1" << -1;
    QTest::newRow("hex") << "0x50" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("huge") << "99999999999999999999" << -1;
}

void TestNetSend::ports()
{
    QFETCH(QString, text);
    QFETCH(int, port);
    quint16 got = 7;
    QCOMPARE(PortNumber::parse(text, &got), port > 0);
    QCOMPARE(int(got), port > 0 ? port : 7);
}

void TestNetSend::addressText()
{
    QCOMPARE(NetSend::addressText(QHostAddress(QStringLiteral("::ffff:127.0.0.2"))), QStringLiteral("127.0.0.2"));
    QCOMPARE(NetSend::addressText(QHostAddress(QStringLiteral("127.0.0.1"))), QStringLiteral("127.0.0.1"));
    QCOMPARE(NetSend::addressText(QHostAddress(QStringLiteral("::1"))), QStringLiteral("::1"));
}

VELM_CORE_TEST_MAIN(TestNetSend)
#include "tst_netsend.moc"
