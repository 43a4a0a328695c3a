// fuzz-sources: network/mqtt/mqttpacket.cpp
// fuzz-qt: Qt6Core
//
// The MQTT packet decoder and parsers on arbitrary broker bytes. The first
// input byte picks the chunk sizes; the packets cut from the chunked stream
// must equal those cut from the whole stream at once.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "mqtt/mqttpacket.h"

using namespace Mqtt;

static void parseAll(const Packet &p)
{
    QString why;
    switch (p.type) {
    case Connack: {
        ConnackData d;
        parseConnack(p, d, &why);
        break;
    }
    case Publish: {
        PublishData d;
        if (parsePublish(p, d, &why)) {
            if (!isValidTopicName(d.topic))
                abort();
            if (d.qos > 2)
                abort();
        }
        break;
    }
    case Suback: {
        SubackData d;
        parseSuback(p, d, &why);
        break;
    }
    case Pingresp:
        parseEmpty(p, &why);
        break;
    default: {
        quint16 id = 0;
        parsePacketId(p, id, &why);
        break;
    }
    }
    isValidTopicFilter(QString::fromUtf8(p.body));
}

static QList<Packet> run(const QByteArray &data, int chunk, bool &malformed)
{
    PacketDecoder dec(1 << 16);
    QList<Packet> out;
    malformed = false;
    for (qsizetype pos = 0; pos < data.size(); pos += chunk) {
        dec.feed(data.mid(pos, chunk));
        Packet p;
        PacketDecoder::Result r;
        while ((r = dec.next(p)) == PacketDecoder::GotPacket)
            out.append(p);
        if (r == PacketDecoder::Malformed) {
            malformed = true;
            break;
        }
    }
    return out;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int chunk = 1 + data[0] % 17;
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    bool malformedWhole = false, malformedChunked = false;
    const QList<Packet> whole = run(bytes, qMax<int>(1, int(bytes.size())), malformedWhole);
    const QList<Packet> chunked = run(bytes, chunk, malformedChunked);
    // Chunking never changes what comes out; a malformed header found in
    // one way is found in the other.
    if (malformedWhole != malformedChunked)
        abort();
    if (whole != chunked)
        abort();
    for (const Packet &p : whole)
        parseAll(p);
    return 0;
}
