#include "peerdecoder.h"

#include <QTextCodec>
#include <QTextDecoder>

PeerDecoder::PeerDecoder(const QByteArray &plainEncoding, const QByteArray &stampedEncoding)
    : m_plainEncoding(plainEncoding), m_stampedEncoding(stampedEncoding)
{
}

PeerDecoder::~PeerDecoder() = default;

std::unique_ptr<QTextDecoder> PeerDecoder::makeDecoder(bool stamped) const
{
    QTextCodec *codec = QTextCodec::codecForName(stamped ? m_stampedEncoding : m_plainEncoding);
    if (!codec)
        codec = QTextCodec::codecForName("UTF-8");
    return std::unique_ptr<QTextDecoder>(codec->makeDecoder());
}

QString PeerDecoder::decode(const void *peer, const QByteArray &bytes, bool stamped)
{
    State &state = m_states[peer];
    if (!state.decoder || state.stamped != stamped) {
        state.decoder = makeDecoder(stamped);
        state.stamped = stamped;
    }
    return state.decoder->toUnicode(bytes);
}

void PeerDecoder::forget(const void *peer)
{
    m_states.erase(peer);
}

void PeerDecoder::clear()
{
    m_states.clear();
}
