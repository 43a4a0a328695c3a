#include "peerdecoder.h"

using RxFormat::StreamDecoder;

PeerDecoder::PeerDecoder(const QByteArray &plainEncoding, const QByteArray &stampedEncoding)
    : m_plain(StreamDecoder::encodingFor(plainEncoding)), m_stamped(StreamDecoder::encodingFor(stampedEncoding))
{
}

QString PeerDecoder::decode(Peer peer, const QByteArray &bytes, bool stamped)
{
    StreamDecoder decoder(stamped ? m_stamped : m_plain);
    QByteArray held;
    const auto it = m_states.find(peer);
    if (it != m_states.end()) {
        if (it->second.encoding() == decoder.encoding())
            decoder = it->second;
        else
            held = it->second.pending();
        m_states.erase(it);
    }
    const QString text = held.isEmpty() ? decoder.decode(bytes) : decoder.decode(held + bytes);
    if (decoder.pendingBytes() > 0) {
        if (m_states.size() >= kMaxPeers)
            m_states.erase(m_states.begin());
        m_states.emplace(peer, decoder);
    }
    return text;
}

QString PeerDecoder::finish(Peer peer)
{
    const auto it = m_states.find(peer);
    if (it == m_states.end())
        return QString();
    const QString rest = it->second.finish();
    m_states.erase(it);
    return rest;
}

QString PeerDecoder::finishAll()
{
    QString rest;
    for (auto &state : m_states)
        rest += state.second.finish();
    m_states.clear();
    return rest;
}

void PeerDecoder::forget(Peer peer)
{
    m_states.erase(peer);
}

void PeerDecoder::clear()
{
    m_states.clear();
}
