// test-links: codecs
// MQTT packet codec without sockets: CONNECT bytes, remaining lengths, the
// incremental decoder on a session recorded from mosquitto, the parsers'
// rejection of broken packets, topic name and filter rules.

#include <QFile>
#include <QRandomGenerator>

#include "mqtt/mqttpacket.h"
#include "coresupport.h"

using namespace Mqtt;

namespace {

QList<Packet> decodeAll(const QList<QByteArray> &chunks, bool *malformed = nullptr)
{
    PacketDecoder dec;
    QList<Packet> out;
    for (const QByteArray &c : chunks) {
        dec.feed(c);
        Packet p;
        PacketDecoder::Result r;
        while ((r = dec.next(p)) == PacketDecoder::GotPacket)
            out.append(p);
        if (r == PacketDecoder::Malformed) {
            if (malformed)
                *malformed = true;
            break;
        }
    }
    return out;
}

Packet pkt(quint8 first, const QByteArray &body)
{
    Packet p;
    p.type = first >> 4;
    p.flags = first & 0x0f;
    p.body = body;
    return p;
}

} // namespace

class TestMqttPacket : public QObject
{
    Q_OBJECT

private slots:
    void connectBytes_data();
    void connectBytes();
    void connectFieldLimits();
    void remainingLength_data();
    void remainingLength();
    void outgoingPackets();
    void recordedSession();
    void decoderRejectsBadHeaders();
    void parsersRejectBrokenPackets();
    void parsersAcceptGoodPackets();
    void topicRules_data();
    void topicRules();
};

void TestMqttPacket::connectBytes_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("expected");

    // 3.1: "MQIsdp", level 3; clean session; keep-alive 60; client id "cid".
    QTest::newRow("3.1 bare") << 3 << QString() << QString()
                              << QByteArray::fromHex("10110006" "4d5149736470" "03" "02" "003c" "0003" "636964");
    QTest::newRow("3.1.1 bare") << 4 << QString() << QString()
                                << QByteArray::fromHex("100f0004" "4d515454" "04" "02" "003c" "0003" "636964");
    QTest::newRow("3.1.1 user+password")
        << 4 << QStringLiteral("u") << QStringLiteral("pw")
        << QByteArray::fromHex("10160004" "4d515454" "04" "c2" "003c" "0003" "636964" "0001" "75" "0002" "7077");
    QTest::newRow("3.1 user+password")
        << 3 << QStringLiteral("u") << QStringLiteral("pw")
        << QByteArray::fromHex("10180006" "4d5149736470" "03" "c2" "003c" "0003" "636964" "0001" "75" "0002" "7077");
    // A password without a user name is not allowed on the wire; it is left out.
    QTest::newRow("3.1.1 password only") << 4 << QString() << QStringLiteral("pw")
                                         << QByteArray::fromHex("100f0004" "4d515454" "04" "02" "003c" "0003" "636964");
    QTest::newRow("3.1.1 user only") << 4 << QStringLiteral("\u00fc") << QString()
                                     << QByteArray::fromHex("10130004" "4d515454" "04" "82" "003c" "0003" "636964"
                                                            "0002" "c3bc");
}

void TestMqttPacket::connectBytes()
{
    QFETCH(int, version);
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QByteArray, expected);
    ConnectOptions o;
    o.protocolVersion = version;
    o.clientId = QStringLiteral("cid");
    o.username = user;
    o.password = password;
    o.keepAlive = 60;
    QCOMPARE(encodeConnect(o).toHex(), expected.toHex());
}

void TestMqttPacket::connectFieldLimits()
{
    // Each field goes out with a two-byte length: 65535 bytes of UTF-8 fit,
    // one more does not (counted in bytes, not characters).
    for (int field = 0; field < 3; ++field) {
        for (const int bytes : {65535, 65536}) {
            ConnectOptions o;
            o.clientId = QStringLiteral("cid");
            o.username = QStringLiteral("user");
            QString text = QString(bytes / 2, QChar(0xe9)) + QString(bytes % 2, QLatin1Char('x'));
            QString *target[] = {&o.clientId, &o.username, &o.password};
            *target[field] = text;
            const bool fits = bytes <= 65535;
            QCOMPARE(connectFieldProblem(o).isEmpty(), fits);
            QCOMPARE(encodeConnect(o).isEmpty(), !fits);
        }
    }
}

void TestMqttPacket::remainingLength_data()
{
    QTest::addColumn<qint64>("length");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("0") << qint64(0) << QByteArray::fromHex("00");
    QTest::newRow("127") << qint64(127) << QByteArray::fromHex("7f");
    QTest::newRow("128") << qint64(128) << QByteArray::fromHex("8001");
    QTest::newRow("16383") << qint64(16383) << QByteArray::fromHex("ff7f");
    QTest::newRow("16384") << qint64(16384) << QByteArray::fromHex("808001");
    QTest::newRow("2097151") << qint64(2097151) << QByteArray::fromHex("ffff7f");
    QTest::newRow("2097152") << qint64(2097152) << QByteArray::fromHex("80808001");
    QTest::newRow("max") << qint64(268435455) << QByteArray::fromHex("ffffff7f");
}

void TestMqttPacket::remainingLength()
{
    QFETCH(qint64, length);
    QFETCH(QByteArray, bytes);
    QCOMPARE(encodeRemainingLength(length).toHex(), bytes.toHex());

    // The decoder reads the same field back (header only, with a large limit
    // so the length check is not what stops it).
    PacketDecoder dec(qint64(1) << 30);
    dec.feed(QByteArray(1, char(0x30)) + bytes);
    Packet p;
    if (length == 0) {
        QCOMPARE(dec.next(p), PacketDecoder::GotPacket);
        QVERIFY(p.body.isEmpty());
    } else {
        QCOMPARE(dec.next(p), PacketDecoder::NeedMore);
        QCOMPARE(dec.buffered(), qint64(1 + bytes.size()));
    }
}

void TestMqttPacket::outgoingPackets()
{
    QCOMPARE(encodePublish(QStringLiteral("a/b"), "hi", 0, false).toHex(), QByteArray("30070003612f626869"));
    QCOMPARE(encodePublish(QStringLiteral("t"), QByteArray(), 0, true).toHex(), QByteArray("3103000174"));
    QCOMPARE(encodeSubscribe(7, QStringLiteral("s/+"), 0).toHex(), QByteArray("82080007" "0003732f2b" "00"));
    QCOMPARE(encodeIdOnly(Puback, 0x1234).toHex(), QByteArray("40021234"));
    QCOMPARE(encodeIdOnly(Pubrec, 1).toHex(), QByteArray("50020001"));
    QCOMPARE(encodeIdOnly(Pubcomp, 258).toHex(), QByteArray("70020102"));
    QCOMPARE(encodePingreq().toHex(), QByteArray("c000"));
    QCOMPARE(encodeDisconnect().toHex(), QByteArray("e000"));

    // 300 KB: three-byte remaining length, and the decoder gets it back whole.
    QByteArray payload(300 * 1024, Qt::Uninitialized);
    for (int i = 0; i < payload.size(); ++i)
        payload[i] = char(i * 7 + (i >> 8));
    const QByteArray big = encodePublish(QStringLiteral("big/x"), payload, 0, false);
    QCOMPARE(big.size(), 1 + 3 + 2 + 5 + payload.size());
    const QList<Packet> back = decodeAll({big});
    QCOMPARE(back.size(), 1);
    PublishData pub;
    QVERIFY(parsePublish(back.first(), pub));
    QCOMPARE(pub.topic, QStringLiteral("big/x"));
    QVERIFY(pub.payload == payload);
}

void TestMqttPacket::recordedSession()
{
    // Bytes mosquitto sent to a subscriber (QoS 2, filters "s/#" and "r/+")
    // while messages of QoS 0, 1 and 2 were published, including a 20000
    // byte one, and a keep-alive ping was answered.
    const QString path = QFINDTESTDATA("data/mqtt_session.bin");
    QFile f(path);
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(path));
    const QByteArray session = f.readAll();
    QCOMPARE(session.size(), 20439);

    bool malformed = false;
    const QList<Packet> whole = decodeAll({session}, &malformed);
    QVERIFY(!malformed);
    QStringList topics;
    QList<int> types;
    for (const Packet &p : whole) {
        types << p.type;
        if (p.type == Publish) {
            PublishData pub;
            QVERIFY(parsePublish(p, pub));
            topics << pub.topic;
            if (pub.topic == QLatin1String("s/bin"))
                QCOMPARE(pub.payload.size(), 300);
            if (pub.topic == QLatin1String("s/big")) {
                QCOMPARE(pub.payload.size(), 20000);
                QCOMPARE(pub.qos, quint8(1));
            }
            if (pub.topic == QLatin1String("s/c/d")) {
                QCOMPARE(pub.qos, quint8(2));
                QCOMPARE(QString::fromUtf8(pub.payload), QStringLiteral("qos two \u00fc"));
            }
        }
    }
    QCOMPARE(types.first(), int(Connack));
    QCOMPARE(types.at(1), int(Suback));
    QVERIFY(types.contains(int(Pingresp)));
    QCOMPARE(types.count(int(Pubrel)), 2);
    QCOMPARE(topics, QStringList({"s/a", "s/b", "s/c/d", "r/x", "s/bin", "s/big", "s/e", "s/f", "s/g"}));

    // Byte by byte.
    QList<QByteArray> bytes;
    for (char c : session)
        bytes.append(QByteArray(1, c));
    QCOMPARE(decodeAll(bytes), whole);

    // Random splits, many times over.
    QRandomGenerator rng(20240611);
    for (int round = 0; round < 200; ++round) {
        QList<QByteArray> chunks;
        int pos = 0;
        while (pos < session.size()) {
            const int n = qMin(int(rng.bounded(1, round % 2 ? 40 : 3000)), int(session.size()) - pos);
            chunks.append(session.mid(pos, n));
            pos += n;
        }
        QCOMPARE(decodeAll(chunks), whole);
    }

    // A truncated session leaves the rest waiting, not a half packet.
    PacketDecoder dec;
    dec.feed(session.left(session.size() - 1));
    Packet p;
    int n = 0;
    while (dec.next(p) == PacketDecoder::GotPacket)
        ++n;
    QCOMPARE(n, whole.size() - 1);
    QVERIFY(!dec.hasError());
}

void TestMqttPacket::decoderRejectsBadHeaders()
{
    {
        PacketDecoder dec;
        dec.feed(QByteArray::fromHex("30ffffffff01"));
        Packet p;
        QCOMPARE(dec.next(p), PacketDecoder::Malformed);
        QVERIFY(dec.hasError());
        QVERIFY(!dec.errorString().isEmpty());
        // Sticky: good bytes afterwards change nothing.
        dec.feed(QByteArray::fromHex("d000"));
        QCOMPARE(dec.next(p), PacketDecoder::Malformed);
        QCOMPARE(dec.buffered(), qint64(0));
    }
    {
        // Declared larger than the limit: refused before any body arrives.
        PacketDecoder dec(1024);
        dec.feed(QByteArray::fromHex("308010"));
        Packet p;
        QCOMPARE(dec.next(p), PacketDecoder::Malformed);
    }
    {
        // The largest legal length is not refused by the header alone with
        // a limit above it, and nothing is allocated for it up front.
        PacketDecoder dec(qint64(1) << 30);
        dec.feed(QByteArray::fromHex("30ffffff7f"));
        Packet p;
        QCOMPARE(dec.next(p), PacketDecoder::NeedMore);
        QCOMPARE(dec.buffered(), qint64(5));
    }
    {
        // By default every length the protocol allows is taken: the
        // largest claim waits for its bytes, and holds only what came.
        PacketDecoder dec;
        dec.feed(QByteArray::fromHex("30ffffff7f") + QByteArray(1000, 'x'));
        Packet p;
        QCOMPARE(dec.next(p), PacketDecoder::NeedMore);
        dec.feed(QByteArray(24 * 1024 * 1024, 'y'));
        QCOMPARE(dec.next(p), PacketDecoder::NeedMore);
        QCOMPARE(dec.buffered(), qint64(5 + 1000 + 24 * 1024 * 1024));
        QVERIFY(!dec.hasError());
    }
    {
        // A 17 MB packet comes out whole, and the next one after it.
        const QByteArray payload(17 * 1024 * 1024, 'z');
        const QByteArray big = encodePublish(QStringLiteral("big"), payload, 0, false);
        const QList<Packet> back = decodeAll({big.left(1000), big.mid(1000) + encodePingreq()});
        QCOMPARE(back.size(), 2);
        PublishData pub;
        QVERIFY(parsePublish(back.at(0), pub));
        QVERIFY(pub.payload == payload);
        QCOMPARE(back.at(1).type, quint8(Pingreq));
    }
}

void TestMqttPacket::parsersRejectBrokenPackets()
{
    QString why;
    ConnackData ca;
    QVERIFY(!parseConnack(pkt(0x20, QByteArray::fromHex("00")), ca, &why));
    QVERIFY(!parseConnack(pkt(0x20, QByteArray::fromHex("020000")), ca, &why));
    QVERIFY(!parseConnack(pkt(0x20, QByteArray::fromHex("0200")), ca, &why)); // reserved bit
    QVERIFY(!parseConnack(pkt(0x21, QByteArray::fromHex("0000")), ca, &why)); // flags

    PublishData pub;
    QVERIFY(!parsePublish(pkt(0x36, QByteArray::fromHex("0001610001")), pub, &why)); // QoS 3
    QVERIFY(!parsePublish(pkt(0x38, QByteArray::fromHex("000161")), pub, &why)); // DUP with QoS 0
    QVERIFY(!parsePublish(pkt(0x30, QByteArray::fromHex("0005")), pub, &why)); // topic runs past the end
    QVERIFY(!parsePublish(pkt(0x30, QByteArray::fromHex("00")), pub, &why));
    QVERIFY(!parsePublish(pkt(0x30, QByteArray::fromHex("0000")), pub, &why)); // empty topic
    QVERIFY(!parsePublish(pkt(0x30, QByteArray::fromHex("00032f2b61")), pub, &why)); // "/+a" wildcard
    QVERIFY(!parsePublish(pkt(0x30, QByteArray::fromHex("000123")), pub, &why)); // "#"
    QVERIFY(!parsePublish(pkt(0x30, QByteArray::fromHex("0002c328")), pub, &why)); // bad UTF-8
    QVERIFY(!parsePublish(pkt(0x30, QByteArray::fromHex("00026100")), pub, &why)); // U+0000
    QVERIFY(!parsePublish(pkt(0x32, QByteArray::fromHex("000161")), pub, &why)); // QoS 1 without id
    QVERIFY(!parsePublish(pkt(0x32, QByteArray::fromHex("0001610000")), pub, &why)); // id 0
    QVERIFY(!why.isEmpty());

    SubackData sa;
    QVERIFY(!parseSuback(pkt(0x90, QByteArray::fromHex("0001")), sa, &why));
    QVERIFY(!parseSuback(pkt(0x90, QByteArray::fromHex("000103")), sa, &why));
    QVERIFY(!parseSuback(pkt(0x92, QByteArray::fromHex("000100")), sa, &why));

    quint16 id = 0;
    QVERIFY(!parsePacketId(pkt(0x60, QByteArray::fromHex("0001")), id, &why)); // PUBREL needs flags 2
    QVERIFY(!parsePacketId(pkt(0x62, QByteArray::fromHex("000100")), id, &why));
    QVERIFY(!parsePacketId(pkt(0x42, QByteArray::fromHex("0001")), id, &why));
    QVERIFY(!parseEmpty(pkt(0xd0, QByteArray::fromHex("00")), &why));
    QVERIFY(!parseEmpty(pkt(0xd1, QByteArray()), &why));
}

void TestMqttPacket::parsersAcceptGoodPackets()
{
    ConnackData ca;
    QVERIFY(parseConnack(pkt(0x20, QByteArray::fromHex("0104")), ca));
    QVERIFY(ca.sessionPresent);
    QCOMPARE(ca.returnCode, quint8(4));

    PublishData pub;
    QVERIFY(parsePublish(pkt(0x3d, QByteArray::fromHex("0003612f62" "1234" "7879")), pub));
    QCOMPARE(pub.topic, QStringLiteral("a/b"));
    QCOMPARE(pub.qos, quint8(2));
    QVERIFY(pub.dup);
    QVERIFY(pub.retain);
    QCOMPARE(pub.packetId, quint16(0x1234));
    QCOMPARE(pub.payload, QByteArray("xy"));

    SubackData sa;
    QVERIFY(parseSuback(pkt(0x90, QByteArray::fromHex("00070180")), sa));
    QCOMPARE(sa.packetId, quint16(7));
    QCOMPARE(sa.returnCodes, QList<quint8>({1, 0x80}));

    quint16 id = 0;
    QVERIFY(parsePacketId(pkt(0x62, QByteArray::fromHex("ff01")), id));
    QCOMPARE(id, quint16(0xff01));
    QVERIFY(parseEmpty(pkt(0xd0, QByteArray())));
}

void TestMqttPacket::topicRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("validName");
    QTest::addColumn<bool>("validFilter");
    QTest::newRow("plain") << "s/x" << true << true;
    QTest::newRow("spaces") << "a b/c " << true << true;
    QTest::newRow("leading slash") << "/a" << true << true;
    QTest::newRow("empty level") << "a//b" << true << true;
    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("plus level") << "s/+" << false << true;
    QTest::newRow("plus alone") << "+" << false << true;
    QTest::newRow("hash last") << "a/#" << false << true;
    QTest::newRow("hash alone") << "#" << false << true;
    QTest::newRow("hash middle") << "a/#/b" << false << false;
    QTest::newRow("hash in level") << "a/b#" << false << false;
    QTest::newRow("plus in level") << "a+/b" << false << false;
    QTest::newRow("nul") << QString("a") + QChar(0) << false << false;
    QTest::newRow("65535 bytes") << QString(65535, QLatin1Char('x')) << true << true;
    QTest::newRow("65536 bytes") << QString(65536, QLatin1Char('x')) << false << false;
    QTest::newRow("multibyte over") << QString(32768, QChar(0x00fc)) << false << false;
}

void TestMqttPacket::topicRules()
{
    QFETCH(QString, text);
    QFETCH(bool, validName);
    QFETCH(bool, validFilter);
    QCOMPARE(isValidTopicName(text), validName);
    QCOMPARE(isValidTopicFilter(text), validFilter);
}

VELM_CORE_TEST_MAIN(TestMqttPacket)
#include "tst_mqttpacket.moc"
