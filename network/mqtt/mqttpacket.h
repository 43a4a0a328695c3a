#pragma once
// MQTT 3.1 / 3.1.1 control packets: encoding of what the client sends and
// an incremental decoder for what the broker sends. Qt Core only, no
// sockets, so it can be tested and fuzzed on its own.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace Mqtt {

enum PacketType : quint8 {
    Connect = 1,
    Connack = 2,
    Publish = 3,
    Puback = 4,
    Pubrec = 5,
    Pubrel = 6,
    Pubcomp = 7,
    Subscribe = 8,
    Suback = 9,
    Unsubscribe = 10,
    Unsuback = 11,
    Pingreq = 12,
    Pingresp = 13,
    Disconnect = 14,
};

// Largest value the four-byte remaining-length field can carry.
constexpr qint64 MaxRemainingLength = 268435455;
// Largest packet the decoder accepts from a peer unless told otherwise:
// anything the protocol allows (fixed header of at most five bytes).
constexpr qint64 DefaultMaxIncomingPacket = MaxRemainingLength + 5;

// One complete control packet as cut from the stream: the first byte split
// into type and flags, and the bytes after the remaining-length field.
struct Packet
{
    quint8 type = 0;
    quint8 flags = 0;
    QByteArray body;
    bool operator==(const Packet &o) const { return type == o.type && flags == o.flags && body == o.body; }
};

// Cuts control packets from a byte stream that arrives in arbitrary pieces.
// The buffer grows only with the bytes fed: a claimed length reserves
// nothing. A malformed fixed header (remaining length longer than four bytes, or a
// packet larger than the limit) puts the decoder into a sticky error state;
// it then accepts nothing more.
class PacketDecoder
{
public:
    enum Result { NeedMore, GotPacket, Malformed };

    explicit PacketDecoder(qint64 maxPacket = DefaultMaxIncomingPacket) : m_maxPacket(maxPacket) {}

    void feed(const QByteArray &bytes);
    // Takes the next complete packet out of the buffer.
    Result next(Packet &packet);
    bool hasError() const { return m_error; }
    QString errorString() const { return m_errorString; }
    qint64 buffered() const { return m_buffer.size() - m_pos; }
    void reset();

private:
    void fail(const QString &why);

    QByteArray m_buffer;
    qsizetype m_pos = 0;
    qint64 m_maxPacket;
    bool m_error = false;
    QString m_errorString;
};

// Parsed forms of the packets a client receives. Each parse function
// returns false (and leaves a reason) for a packet that breaks the rules.
struct ConnackData
{
    bool sessionPresent = false;
    quint8 returnCode = 0;
};

struct PublishData
{
    QString topic;
    quint8 qos = 0;
    bool retain = false;
    bool dup = false;
    quint16 packetId = 0;
    QByteArray payload;
};

struct SubackData
{
    quint16 packetId = 0;
    QList<quint8> returnCodes;
};

bool parseConnack(const Packet &p, ConnackData &out, QString *why = nullptr);
bool parsePublish(const Packet &p, PublishData &out, QString *why = nullptr);
bool parseSuback(const Packet &p, SubackData &out, QString *why = nullptr);
// PUBACK, PUBREC, PUBREL, PUBCOMP, UNSUBACK: a packet identifier only.
bool parsePacketId(const Packet &p, quint16 &id, QString *why = nullptr);
// PINGRESP (and the other empty packets): no body, no flags.
bool parseEmpty(const Packet &p, QString *why = nullptr);

// Validity of names as the protocol defines them: UTF-8 without U+0000,
// 1 to 65535 bytes; names carry no wildcards, filters use them whole levels.
bool isValidTopicName(const QString &name);
bool isValidTopicFilter(const QString &filter);

struct ConnectOptions
{
    int protocolVersion = 4; // 3 = MQTT 3.1 ("MQIsdp"), 4 = MQTT 3.1.1 ("MQTT")
    QString clientId;
    QString username;
    QString password;
    quint16 keepAlive = 60;
    bool cleanSession = true;
};

// What keeps CONNECT from carrying these fields (each is sent with a
// two-byte length, so at most 65535 bytes of UTF-8), as a sentence for
// the user; empty when they fit.
QString connectFieldProblem(const ConnectOptions &o);

QByteArray encodeRemainingLength(qint64 length);
// Returns an empty array when a field does not fit (see connectFieldProblem).
QByteArray encodeConnect(const ConnectOptions &o);
// Returns an empty array when the packet cannot be encoded (too large).
QByteArray encodePublish(const QString &topic, const QByteArray &payload, quint8 qos, bool retain,
                         quint16 packetId = 0);
QByteArray encodeSubscribe(quint16 packetId, const QString &filter, quint8 qos);
QByteArray encodeIdOnly(PacketType type, quint16 packetId);
QByteArray encodePingreq();
QByteArray encodeDisconnect();

} // namespace Mqtt
