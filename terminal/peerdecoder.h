#pragma once
// Text decoding for a page that receives from several peers at once (the
// clients of a server): each peer keeps its own decoder state, so a
// character split between two reads of one peer shows whole and is never
// mixed with another peer's bytes. Unstamped and stamped text may use
// different encodings; switching between them starts that decoder afresh.

#include <QByteArray>
#include <unordered_map>
#include <QString>

#include <memory>

class QTextDecoder;

class PeerDecoder
{
public:
    PeerDecoder(const QByteArray &plainEncoding, const QByteArray &stampedEncoding);
    ~PeerDecoder();
    PeerDecoder(const PeerDecoder &) = delete;
    PeerDecoder &operator=(const PeerDecoder &) = delete;

    // Decodes the next chunk of `peer` (any key unique while the peer lives).
    QString decode(const void *peer, const QByteArray &bytes, bool stamped);
    // Drops the state of a peer that has gone.
    void forget(const void *peer);
    void clear();

private:
    struct State {
        std::unique_ptr<QTextDecoder> decoder;
        bool stamped = false;
    };
    std::unique_ptr<QTextDecoder> makeDecoder(bool stamped) const;

    QByteArray m_plainEncoding;
    QByteArray m_stampedEncoding;
    std::unordered_map<const void *, State> m_states;
};
