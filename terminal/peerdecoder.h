#pragma once
// Text decoding for a page that receives from several peers at once (the
// clients of a server, the senders of datagrams): each peer keeps its own
// stream decoder, so a character split between two reads of one peer shows
// whole and is never mixed with another peer's bytes. Unstamped and stamped
// text may use different encodings; on a switch the bytes held back as the
// start of a character are read again in the other encoding, so none is
// lost. Only peers that hold bytes back keep a state, and at most
// kMaxPeers of them.

#include <QByteArray>
#include <QString>

#include <unordered_map>

#include "rxformat.h"

class PeerDecoder
{
public:
    // Any number unique to a peer while it lives (a socket's address, a
    // sender's address and port).
    using Peer = quint64;
    static constexpr size_t kMaxPeers = 4096;

    PeerDecoder(const QByteArray &plainEncoding, const QByteArray &stampedEncoding);

    // Decodes the next chunk of `peer`.
    QString decode(Peer peer, const QByteArray &bytes, bool stamped);
    // The stream of `peer` has ended: what it held back, as U+FFFD; its
    // state goes.
    QString finish(Peer peer);
    // The same for every peer, in no particular order.
    QString finishAll();
    // Drops the state of a peer that has gone.
    void forget(Peer peer);
    void clear();
    size_t peersHoldingBytes() const { return m_states.size(); }

private:
    RxFormat::StreamDecoder::Encoding m_plain;
    RxFormat::StreamDecoder::Encoding m_stamped;
    std::unordered_map<Peer, RxFormat::StreamDecoder> m_states;
};
