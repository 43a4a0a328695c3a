// test-links: codecs
// The Modbus codec without a window: CRC check values, request frames of
// every function code on both transports, the transaction counter, and the
// reply checks in their order, including replies cut short or corrupted;
// the page's value-field rules.
#include "modbus/kalvest_modbusclient.h"
#include "modbus/modbuscodec.h"
#include "modbus/modbusvaluetext.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QtTest>

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text));
}

// An RTU reply: body plus its CRC, low byte first. The CRC itself is
// checked against the published check value in crc().
QByteArray rtu(const char *body)
{
    QByteArray frame = hex(body);
    const quint16 sum = Kalvest_ModbusClient::calculateCRC(frame);
    frame.append(char(sum & 0xFF));
    frame.append(char(sum >> 8));
    return frame;
}

// A TCP reply: MBAP header with transaction 7, protocol 0 and the right
// length, then the body.
QByteArray tcp(const QByteArray &body)
{
    QByteArray frame = hex("0007 0000");
    frame.append(char(body.size() >> 8));
    frame.append(char(body.size() & 0xFF));
    return frame + body;
}

QString describe(const QVariant &v)
{
    if (!v.isValid())
        return QStringLiteral("invalid");
    if (v.metaType() == QMetaType::fromType<QList<bool>>()) {
        QString out = QStringLiteral("bits ");
        for (bool b : v.value<QList<bool>>())
            out += b ? QLatin1Char('1') : QLatin1Char('0');
        return out;
    }
    if (v.metaType() == QMetaType::fromType<QList<ushort>>()) {
        QStringList words;
        for (ushort w : v.value<QList<ushort>>())
            words << QString::number(w, 16);
        return QStringLiteral("words ") + words.join(QLatin1Char(','));
    }
    const QVariantMap map = v.toMap();
    return QStringLiteral("map %1 %2").arg(map.value(QStringLiteral("StartAddress")).toInt())
        .arg(map.value(QStringLiteral("Quantity")).toInt());
}

} // namespace

class TestModbusCodec : public QObject
{
    Q_OBJECT

private slots:
    void crc();
    void requestFrames_data();
    void requestFrames();
    void transactionCounter();
    void replies_data();
    void replies();
    void truncatedAndCorruptRepliesAreRejected();
    void valueText_data();
    void valueText();
};

void TestModbusCodec::crc()
{
    // CRC-16/MODBUS check value and the empty input.
    QCOMPARE(Kalvest_ModbusClient::calculateCRC("123456789"), quint16(0x4B37));
    QCOMPARE(Kalvest_ModbusClient::calculateCRC(QByteArray()), quint16(0xFFFF));
}

void TestModbusCodec::requestFrames_data()
{
    QTest::addColumn<int>("slave");
    QTest::addColumn<int>("function");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("quantity");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("body"); // RTU frame without its CRC; empty = refused
    QTest::addColumn<QString>("error");

    const QString none;
    QTest::newRow("read coils") << 17 << 1 << 0 << 3 << QByteArray() << hex("1101 0000 0003") << none;
    QTest::newRow("read holding") << 1 << 3 << 0 << 1 << QByteArray() << hex("0103 0000 0001") << none;
    QTest::newRow("read inputs, wide values")
        << 0x1FF << 4 << 0x1ABCD << 0x10002 << QByteArray() << hex("FF04 ABCD 0002") << none;
    QTest::newRow("coil on") << 1 << 5 << 0x10 << 1 << hex("01") << hex("0105 0010 FF00") << none;
    QTest::newRow("coil on, any non-zero") << 1 << 5 << 0 << 1 << hex("80") << hex("0105 0000 FF00") << none;
    QTest::newRow("coil off") << 1 << 5 << 0 << 1 << hex("00") << hex("0105 0000 0000") << none;
    QTest::newRow("coil without value") << 1 << 5 << 0 << 1 << QByteArray() << hex("0105 0000 0000") << none;
    QTest::newRow("register") << 2 << 6 << 1 << 1 << hex("1234") << hex("0206 0001 1234") << none;
    QTest::newRow("register, one byte") << 2 << 6 << 1 << 1 << hex("12") << hex("0206 0001 1200") << none;
    QTest::newRow("coils") << 1 << 15 << 8 << 10 << hex("FF0201") << hex("010F 0008 000A 03 FF0201") << none;
    // Sent as typed, even when the quantity does not fit the data.
    QTest::newRow("registers") << 1 << 16 << 10 << 7 << hex("ABCD0001")
                               << hex("0110 000A 0007 04 ABCD0001") << none;
    QTest::newRow("function 22") << 1 << 22 << 4 << 2 << hex("11223344") << hex("0116 0004 0002 02 11223344")
                                 << none;
    QTest::newRow("246 bytes") << 1 << 16 << 0 << 123 << QByteArray(246, '\x5A')
                               << hex("0110 0000 007B F6") + QByteArray(246, '\x5A') << none;
    QTest::newRow("247 bytes") << 1 << 16 << 0 << 123 << QByteArray(247, '\x5A') << QByteArray()
                               << QStringLiteral("Too many data bytes for one request");
    for (int code : {0, 7, 23})
        QTest::newRow(qPrintable(QStringLiteral("function %1").arg(code)))
            << 1 << code << 0 << 1 << QByteArray() << QByteArray() << QStringLiteral("Unsupported function code");
}

void TestModbusCodec::requestFrames()
{
    QFETCH(int, slave);
    QFETCH(int, function);
    QFETCH(int, start);
    QFETCH(int, quantity);
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, body);
    QFETCH(QString, error);

    Kalvest_ModbusClient codec;
    QSignalSpy errors(&codec, &Kalvest_ModbusClient::errorOccurred);
    const QByteArray frame = codec.buildRequest(slave, function, start, quantity, false, data);
    if (body.isEmpty()) {
        QVERIFY(frame.isEmpty());
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.first().first().toString(), error);
        return;
    }
    QCOMPARE(errors.count(), 0);
    QCOMPARE(frame.left(frame.size() - 2).toHex(' '), body.toHex(' '));
    const quint16 sum = Kalvest_ModbusClient::calculateCRC(body);
    QCOMPARE(quint8(frame.at(frame.size() - 2)), quint8(sum & 0xFF));
    QCOMPARE(quint8(frame.at(frame.size() - 1)), quint8(sum >> 8));

    // The same request over TCP: header with the next transaction
    // identifier and the length, then the same body.
    Kalvest_ModbusClient::transactionCounter = 0x0102;
    const QByteArray tcpFrame = codec.buildRequest(slave, function, start, quantity, true, data);
    QByteArray header = hex("0102 0000");
    header.append(char(body.size() >> 8));
    header.append(char(body.size() & 0xFF));
    QCOMPARE(tcpFrame.toHex(' '), (header + body).toHex(' '));
}

void TestModbusCodec::transactionCounter()
{
    Kalvest_ModbusClient codec;
    Kalvest_ModbusClient other;
    // Worked frames: RTU, and TCP while the counter holds 0.
    QCOMPARE(codec.buildRequest(1, 3, 0, 1, false, {}), hex("01 03 00 00 00 01 84 0A"));
    QCOMPARE(codec.buildRequest(17, 1, 0, 3, false, {}), hex("11 01 00 00 00 03 7E 9B"));
    Kalvest_ModbusClient::transactionCounter = 0;
    QCOMPARE(codec.buildRequest(1, 3, 0, 1, true, {}), hex("00 00 00 00 00 06 01 03 00 00 00 01"));
    QCOMPARE(Kalvest_ModbusClient::transactionCounter, quint16(1));

    // One counter for every instance; RTU leaves it alone; a refused TCP
    // build still used its number; 65535 wraps to 0.
    QCOMPARE(other.buildRequest(1, 3, 0, 1, true, {}).left(2), hex("0001"));
    codec.buildRequest(1, 3, 0, 1, false, {});
    QCOMPARE(codec.buildRequest(1, 3, 0, 1, true, {}).left(2), hex("0002"));
    QVERIFY(codec.buildRequest(1, 9, 0, 1, true, {}).isEmpty());
    QCOMPARE(Kalvest_ModbusClient::transactionCounter, quint16(4));
    Kalvest_ModbusClient::transactionCounter = 65535;
    QCOMPARE(codec.buildRequest(1, 3, 0, 1, true, {}).left(2), hex("FFFF"));
    QCOMPARE(other.buildRequest(1, 3, 0, 1, true, {}).left(2), hex("0000"));
}

void TestModbusCodec::replies_data()
{
    QTest::addColumn<int>("slave");
    QTest::addColumn<int>("function");
    QTest::addColumn<bool>("isTcp");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QString>("expected"); // decoded value, or the error text

    QByteArray words200 = hex("0103C8");
    for (int i = 0; i < 100; ++i)
        words200 += QByteArray::fromHex(QByteArray::number(0x0100 + i, 16).rightJustified(4, '0'));
    QString expect200 = QStringLiteral("words ");
    for (int i = 0; i < 100; ++i)
        expect200 += QString::number(0x0100 + i, 16) + (i < 99 ? QStringLiteral(",") : QString());

    QTest::newRow("coils") << 17 << 1 << false << hex("11 01 01 05 95 4B") << "bits 10100000";
    QTest::newRow("coils, other slave") << 1 << 1 << false << hex("11 01 01 05 95 4B")
                                        << "Invalid slave address in response";
    QTest::newRow("two input bytes") << 1 << 2 << true << tcp(hex("0102 02 A501")) << "bits 1010010110000000";
    QTest::newRow("100 registers") << 1 << 3 << true << tcp(words200) << expect200;
    QTest::newRow("odd byte count") << 1 << 4 << false << rtu("0104 03 ABCDEF") << "words abcd,ef00";
    QTest::newRow("function 22, count past the data") << 1 << 22 << true << tcp(hex("0116 09 123456"))
                                                       << "words 1234,5600";
    QTest::newRow("register echo") << 1 << 6 << false << rtu("0106 0001 1234") << "map 1 4660";
    QTest::newRow("coils echo") << 1 << 15 << true << tcp(hex("010F 0008 000A")) << "map 8 10";
    QTest::newRow("exception") << 1 << 3 << false << rtu("0183 02") << "Modbus exception response: 2";
    QTest::newRow("other function") << 1 << 3 << false << rtu("0104 02 0001")
                                    << "Unexpected function code in response";
    QTest::newRow("byte count") << 1 << 3 << false << rtu("0103 04 0001") << "Invalid byte count in response";
    QTest::newRow("unsupported") << 1 << 7 << true << tcp(hex("0107 00")) << "Unsupported function code";
    QTest::newRow("empty") << 1 << 3 << false << QByteArray() << "Empty response received";
    QTest::newRow("crc") << 1 << 3 << false << hex("0103 02 0001 0000") << "Invalid CRC in response";
    QTest::newRow("protocol id") << 1 << 3 << true << hex("0007 0001 0005 0103 02 0001")
                                 << "Invalid protocol ID in response";
    QTest::newRow("length one too large") << 1 << 3 << true << hex("0007 0000 0006 0103 02 0001")
                                          << "Invalid length in response";
    // Shorter than what the next check reads.
    QTest::newRow("rtu one byte") << 1 << 3 << false << hex("01") << "Response too short";
    QTest::newRow("rtu body of one byte") << 1 << 3 << false << rtu("01") << "Response too short";
    QTest::newRow("tcp three bytes") << 1 << 3 << true << hex("000700") << "Response too short";
    QTest::newRow("tcp five bytes") << 1 << 3 << true << hex("0007000000") << "Response too short";
    QTest::newRow("exception without code") << 1 << 3 << true << tcp(hex("0183")) << "Response too short";
    QTest::newRow("echo too short") << 1 << 16 << true << tcp(hex("0110 0000 00")) << "Response too short";
}

void TestModbusCodec::replies()
{
    QFETCH(int, slave);
    QFETCH(int, function);
    QFETCH(bool, isTcp);
    QFETCH(QByteArray, reply);
    QFETCH(QString, expected);

    Kalvest_ModbusClient codec;
    QSignalSpy errors(&codec, &Kalvest_ModbusClient::errorOccurred);
    const QVariant value = codec.parseResponse(slave, function, reply, isTcp);
    if (value.isValid()) {
        QCOMPARE(describe(value), expected);
        QCOMPARE(errors.count(), 0);
    } else {
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.first().first().toString(), expected);
    }
}

void TestModbusCodec::truncatedAndCorruptRepliesAreRejected()
{
    // Good replies of every decoded kind on both transports; each one cut
    // anywhere, or with any single byte changed, must be refused (and, in
    // the sanitizer build, without reading past the reply).
    struct Case {
        int function;
        QByteArray body;
    };
    const QList<Case> cases = {
        {1, hex("0101 02 FF01")},        {2, hex("0102 01 05")},      {3, hex("0103 04 00010002")},
        {4, hex("0104 02 ABCD")},        {5, hex("0105 0003 FF00")},  {6, hex("0106 0001 1234")},
        {15, hex("010F 0008 000A")},     {16, hex("0110 000A 0002")}, {22, hex("0116 02 1234")},
    };
    for (const Case &c : cases) {
        for (bool isTcp : {false, true}) {
            const QByteArray good = isTcp ? tcp(c.body) : rtu(c.body.toHex().constData());
            Kalvest_ModbusClient codec;
            QSignalSpy errors(&codec, &Kalvest_ModbusClient::errorOccurred);
            QVERIFY2(codec.parseResponse(1, c.function, good, isTcp).isValid(), good.toHex(' ').constData());
            for (int n = 0; n < good.size(); ++n) {
                // Heap copies of exactly n bytes, so an over-read is caught.
                const QByteArray cut(good.constData(), n);
                QVERIFY2(!codec.parseResponse(1, c.function, cut, isTcp).isValid(), cut.toHex(' ').constData());
            }
            if (!isTcp) {
                for (int i = 0; i < good.size(); ++i) {
                    QByteArray bad = good;
                    bad[i] = char(bad[i] ^ 0x41);
                    QVERIFY2(!codec.parseResponse(1, c.function, bad, isTcp).isValid(),
                             bad.toHex(' ').constData());
                }
            }
            // One error text for every refused reply.
            QCOMPARE(errors.count(), isTcp ? good.size() : 2 * good.size());
        }
    }
}

void TestModbusCodec::valueText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("commas") << "0x11,0x12" << true << QByteArray("\x11\x12");
    QTest::newRow("blanks") << "0x11 0x12" << true << QByteArray("\x11\x12");
    QTest::newRow("comma and blanks") << "0x11,  0x12\t0xA " << true << QByteArray("\x11\x12\x0a");
    QTest::newRow("low 8 bits") << "0x1FF" << true << QByteArray("\xff");
    QTest::newRow("largest signed") << "0x7FFFFFFF" << true << QByteArray("\xff");
    QTest::newRow("past 32-bit signed") << "0x80000001" << true << QByteArray(1, '\0');
    QTest::newRow("semicolon") << "0x11;0x12" << false << QByteArray();
    QTest::newRow("no prefix") << "11 12" << false << QByteArray();
    QTest::newRow("prefix alone") << "0x" << false << QByteArray();
    QTest::newRow("blank before comma") << "0x11 ,0x12" << false << QByteArray();
    QTest::newRow("upper-case prefix") << "0X11" << false << QByteArray();
    QString many;
    for (int i = 0; i < 5000; ++i)
        many += QStringLiteral("0x%1 ").arg(i & 0xFF, 2, 16, QLatin1Char('0'));
    QByteArray manyBytes;
    for (int i = 0; i < 5000; ++i)
        manyBytes.append(char(i & 0xFF));
    QTest::newRow("5000 values") << many << true << manyBytes;
    QTest::newRow("5000 values and a bad end") << many + QStringLiteral("0x1!") << false << QByteArray();
}

void TestModbusCodec::valueText()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(QByteArray, bytes);
    QCOMPARE(ModbusValueText::isValid(text), valid);
    if (valid)
        QCOMPARE(ModbusValueText::toBytes(text.toLatin1()).toHex(' '), bytes.toHex(' '));
}

QTEST_GUILESS_MAIN(TestModbusCodec)
#include "tst_modbuscodec.moc"
