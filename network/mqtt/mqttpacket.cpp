#include "mqttpacket.h"

#include <QStringDecoder>

#include <utility>

namespace Mqtt {

namespace {

void setWhy(QString *why, const QString &text)
{
    if (why)
        *why = text;
}

// Reads a two-byte big-endian length followed by that many bytes.
bool readPrefixed(const QByteArray &body, qsizetype &pos, QByteArray &out)
{
    if (body.size() - pos < 2)
        return false;
    const quint16 len = quint16((quint8(body.at(pos)) << 8) | quint8(body.at(pos + 1)));
    pos += 2;
    if (body.size() - pos < len)
        return false;
    out = body.mid(pos, len);
    pos += len;
    return true;
}

quint16 readU16(const QByteArray &body, qsizetype pos)
{
    return quint16((quint8(body.at(pos)) << 8) | quint8(body.at(pos + 1)));
}

void appendU16(QByteArray &out, quint16 v)
{
    out.append(char(v >> 8));
    out.append(char(v & 0xff));
}

void appendPrefixed(QByteArray &out, const QByteArray &bytes)
{
    appendU16(out, quint16(bytes.size()));
    out.append(bytes);
}

// Strict UTF-8 to text; false for malformed sequences and for U+0000.
bool decodeUtf8(const QByteArray &bytes, QString &out)
{
    if (bytes.contains('\0'))
        return false;
    QStringDecoder dec(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    out = dec.decode(bytes);
    return !dec.hasError();
}

QByteArray packet(quint8 firstByte, const QByteArray &body)
{
    QByteArray out;
    out.reserve(body.size() + 5);
    out.append(char(firstByte));
    out.append(encodeRemainingLength(body.size()));
    out.append(body);
    return out;
}

} // namespace

// ---- decoder ----

void PacketDecoder::feed(const QByteArray &bytes)
{
    if (m_error)
        return;
    // Drop what has been consumed before the buffer grows further, so the
    // buffer never holds more than one partial packet plus the new bytes.
    if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
    m_buffer.append(bytes);
}

PacketDecoder::Result PacketDecoder::next(Packet &packet)
{
    if (m_error)
        return Malformed;
    const qsizetype avail = m_buffer.size() - m_pos;
    if (avail < 2)
        return NeedMore;
    qint64 length = 0;
    int multiplier = 1;
    qsizetype i = 1;
    for (;; ++i) {
        if (i > 4) {
            fail(QStringLiteral("remaining length longer than four bytes"));
            return Malformed;
        }
        if (i >= avail)
            return NeedMore;
        const quint8 b = quint8(m_buffer.at(m_pos + i));
        length += qint64(b & 0x7f) * multiplier;
        multiplier *= 128;
        if (!(b & 0x80))
            break;
    }
    const qsizetype headerSize = i + 1;
    if (length + headerSize > m_maxPacket) {
        fail(QStringLiteral("packet of %1 bytes is larger than the limit of %2").arg(length + headerSize).arg(m_maxPacket));
        return Malformed;
    }
    if (avail < headerSize + length)
        return NeedMore;
    const quint8 first = quint8(m_buffer.at(m_pos));
    packet.type = first >> 4;
    packet.flags = first & 0x0f;
    if (m_pos == 0 && headerSize + length == m_buffer.size()) {
        // The buffer holds exactly this packet (the usual case for a large
        // one): hand it over instead of copying it.
        packet.body = std::move(m_buffer);
        packet.body.remove(0, headerSize);
        m_buffer = QByteArray();
        return GotPacket;
    }
    packet.body = m_buffer.mid(m_pos + headerSize, length);
    m_pos += headerSize + length;
    if (m_pos == m_buffer.size()) {
        m_buffer.clear();
        m_pos = 0;
    }
    return GotPacket;
}

void PacketDecoder::reset()
{
    m_buffer.clear();
    m_pos = 0;
    m_error = false;
    m_errorString.clear();
}

void PacketDecoder::fail(const QString &why)
{
    m_error = true;
    m_errorString = why;
    m_buffer.clear();
    m_pos = 0;
}

// ---- parsing ----

bool parseConnack(const Packet &p, ConnackData &out, QString *why)
{
    if (p.type != Connack || p.flags != 0 || p.body.size() != 2) {
        setWhy(why, QStringLiteral("malformed CONNACK"));
        return false;
    }
    const quint8 ack = quint8(p.body.at(0));
    if (ack & 0xfe) {
        setWhy(why, QStringLiteral("CONNACK with reserved flags set"));
        return false;
    }
    out.sessionPresent = ack & 1;
    out.returnCode = quint8(p.body.at(1));
    return true;
}

bool parsePublish(const Packet &p, PublishData &out, QString *why)
{
    if (p.type != Publish) {
        setWhy(why, QStringLiteral("not a PUBLISH"));
        return false;
    }
    out.dup = p.flags & 0x08;
    out.qos = (p.flags >> 1) & 0x03;
    out.retain = p.flags & 0x01;
    if (out.qos == 3) {
        setWhy(why, QStringLiteral("PUBLISH with QoS 3"));
        return false;
    }
    if (out.qos == 0 && out.dup) {
        setWhy(why, QStringLiteral("PUBLISH with QoS 0 and the DUP flag"));
        return false;
    }
    qsizetype pos = 0;
    QByteArray topic;
    if (!readPrefixed(p.body, pos, topic)) {
        setWhy(why, QStringLiteral("PUBLISH too short for its topic"));
        return false;
    }
    if (!decodeUtf8(topic, out.topic) || !isValidTopicName(out.topic)) {
        setWhy(why, QStringLiteral("PUBLISH with an invalid topic name"));
        return false;
    }
    out.packetId = 0;
    if (out.qos > 0) {
        if (p.body.size() - pos < 2) {
            setWhy(why, QStringLiteral("PUBLISH without its packet identifier"));
            return false;
        }
        out.packetId = readU16(p.body, pos);
        pos += 2;
        if (out.packetId == 0) {
            setWhy(why, QStringLiteral("PUBLISH with packet identifier 0"));
            return false;
        }
    }
    out.payload = p.body.mid(pos);
    return true;
}

bool parseSuback(const Packet &p, SubackData &out, QString *why)
{
    if (p.type != Suback || p.flags != 0 || p.body.size() < 3) {
        setWhy(why, QStringLiteral("malformed SUBACK"));
        return false;
    }
    out.packetId = readU16(p.body, 0);
    out.returnCodes.clear();
    for (qsizetype i = 2; i < p.body.size(); ++i) {
        const quint8 rc = quint8(p.body.at(i));
        if (rc > 2 && rc != 0x80) {
            setWhy(why, QStringLiteral("SUBACK with return code %1").arg(rc));
            return false;
        }
        out.returnCodes.append(rc);
    }
    return true;
}

bool parsePacketId(const Packet &p, quint16 &id, QString *why)
{
    const quint8 expectedFlags = p.type == Pubrel ? 0x02 : 0x00;
    if (p.flags != expectedFlags || p.body.size() != 2) {
        setWhy(why, QStringLiteral("malformed acknowledgement (type %1)").arg(p.type));
        return false;
    }
    id = readU16(p.body, 0);
    return true;
}

bool parseEmpty(const Packet &p, QString *why)
{
    if (p.flags != 0 || !p.body.isEmpty()) {
        setWhy(why, QStringLiteral("malformed empty packet (type %1)").arg(p.type));
        return false;
    }
    return true;
}

// ---- names ----

bool isValidTopicName(const QString &name)
{
    if (name.isEmpty() || name.contains(QChar(0)) || name.toUtf8().size() > 65535)
        return false;
    return !name.contains(QLatin1Char('+')) && !name.contains(QLatin1Char('#'));
}

bool isValidTopicFilter(const QString &filter)
{
    if (filter.isEmpty() || filter.contains(QChar(0)) || filter.toUtf8().size() > 65535)
        return false;
    const QStringList levels = filter.split(QLatin1Char('/'));
    for (int i = 0; i < levels.size(); ++i) {
        const QString &level = levels.at(i);
        if (level.contains(QLatin1Char('#')) && (level.size() != 1 || i != levels.size() - 1))
            return false;
        if (level.contains(QLatin1Char('+')) && level.size() != 1)
            return false;
    }
    return true;
}

// ---- encoding ----

QByteArray encodeRemainingLength(qint64 length)
{
    QByteArray out;
    do {
        quint8 b = quint8(length % 128);
        length /= 128;
        if (length > 0)
            b |= 0x80;
        out.append(char(b));
    } while (length > 0);
    return out;
}

QString connectFieldProblem(const ConnectOptions &o)
{
    const struct {
        const QString &text;
        const char *name;
    } fields[] = {{o.clientId, "client ID"}, {o.username, "user name"}, {o.password, "password"}};
    for (const auto &f : fields) {
        const qsizetype bytes = f.text.toUtf8().size();
        if (bytes > 65535)
            return QStringLiteral("The %1 is %2 bytes long in UTF-8; MQTT allows at most 65535.")
                .arg(QLatin1String(f.name))
                .arg(bytes);
    }
    return QString();
}

QByteArray encodeConnect(const ConnectOptions &o)
{
    if (!connectFieldProblem(o).isEmpty())
        return QByteArray();
    QByteArray body;
    if (o.protocolVersion == 3)
        appendPrefixed(body, QByteArrayLiteral("MQIsdp"));
    else
        appendPrefixed(body, QByteArrayLiteral("MQTT"));
    body.append(char(o.protocolVersion));
    // A password may only be sent together with a user name.
    const bool hasUser = !o.username.isEmpty();
    const bool hasPassword = hasUser && !o.password.isEmpty();
    quint8 flags = 0;
    if (o.cleanSession)
        flags |= 0x02;
    if (hasUser)
        flags |= 0x80;
    if (hasPassword)
        flags |= 0x40;
    body.append(char(flags));
    appendU16(body, o.keepAlive);
    appendPrefixed(body, o.clientId.toUtf8());
    if (hasUser)
        appendPrefixed(body, o.username.toUtf8());
    if (hasPassword)
        appendPrefixed(body, o.password.toUtf8());
    return packet(quint8(Connect << 4), body);
}

QByteArray encodePublish(const QString &topic, const QByteArray &payload, quint8 qos, bool retain,
                         quint16 packetId)
{
    const QByteArray t = topic.toUtf8();
    if (t.size() > 65535 || qos > 2)
        return QByteArray();
    const qint64 length = 2 + qint64(t.size()) + (qos > 0 ? 2 : 0) + qint64(payload.size());
    if (length > MaxRemainingLength)
        return QByteArray();
    QByteArray body;
    body.reserve(length);
    appendPrefixed(body, t);
    if (qos > 0)
        appendU16(body, packetId);
    body.append(payload);
    quint8 first = quint8(Publish << 4) | quint8(qos << 1);
    if (retain)
        first |= 0x01;
    return packet(first, body);
}

QByteArray encodeSubscribe(quint16 packetId, const QString &filter, quint8 qos)
{
    QByteArray body;
    appendU16(body, packetId);
    appendPrefixed(body, filter.toUtf8());
    body.append(char(qos & 0x03));
    return packet(quint8(Subscribe << 4) | 0x02, body);
}

QByteArray encodeIdOnly(PacketType type, quint16 packetId)
{
    QByteArray body;
    appendU16(body, packetId);
    return packet(quint8(type << 4) | (type == Pubrel ? 0x02 : 0x00), body);
}

QByteArray encodePingreq()
{
    return QByteArray("\xc0\x00", 2);
}

QByteArray encodeDisconnect()
{
    return QByteArray("\xe0\x00", 2);
}

} // namespace Mqtt
