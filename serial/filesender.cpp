#include "filesender.h"

#include "sendqueue.h"

#include <QFileInfo>

namespace {
// How often a port that holds as much as it may is looked at again.
constexpr int kRoomPollMs = 5;
// How often a send looks whether its port still writes.
constexpr int kWatchMs = 250;
} // namespace

SerialFileSender::SerialFileSender(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SerialFileSender::sendNext);
    m_watch.setInterval(kWatchMs);
    connect(&m_watch, &QTimer::timeout, this, &SerialFileSender::watch);
}

bool SerialFileSender::start(const QString &path, QIODevice *port, int gapMs)
{
    stop();
    if (!QFileInfo(path).isFile())
        return false;
    m_file.setFileName(path);
    // Binary: every byte of the file is seen as it is.
    if (!m_file.open(QIODevice::ReadOnly))
        return false;
    m_port = port;
    m_gapMs = gapMs;
    m_atEnd = false;
    m_size = m_file.size();
    m_gone = 0;
    m_sinceWrite.start();
    m_watch.start();
    // The first line goes out at once; the gap follows each line.
    m_timer.start(0);
    return true;
}

void SerialFileSender::stop()
{
    m_timer.stop();
    m_watch.stop();
    if (m_file.isOpen())
        m_file.close();
    m_port = nullptr;
    m_pending.clear();
    m_pending.squeeze();
    m_handed.clear();
    m_handedBytes = 0;
    m_settled = 0;
    m_lastWritten = 0;
    m_stalled = false;
}

void SerialFileSender::sendNext()
{
    if (!m_file.isOpen())
        return;
    if (!m_port || !m_port->isOpen()) {
        finish(false, tr("the port is closed"));
        return;
    }
    // A port that does not pass its bytes on gets no more for now.
    if (!SendQueue::hasRoomFor(m_port, kReadPiece)) {
        m_timer.start(kRoomPollMs);
        return;
    }
    // Read until a line end, a whole piece or the end of the file is there.
    while (!m_atEnd && m_pending.size() < kReadPiece && !m_pending.contains('\n')) {
        const QByteArray more = m_file.read(kReadPiece - m_pending.size());
        if (more.isEmpty() && m_file.error() != QFileDevice::NoError) {
            finish(false, m_file.errorString());
            return;
        }
        m_pending += more;
        m_atEnd = more.isEmpty() || m_file.atEnd();
    }

    const qsizetype lineFeed = m_pending.indexOf('\n');
    const bool lineEnds = lineFeed >= 0;
    QByteArray piece;
    qint64 fromFile = 0;
    if (lineEnds) {
        fromFile = lineFeed + 1;
        piece = m_pending.left(lineFeed + 1);
        m_pending.remove(0, lineFeed + 1);
        // CR LF goes out as LF.
        if (piece.size() >= 2 && piece.at(piece.size() - 2) == '\r')
            piece.remove(piece.size() - 2, 1);
    } else {
        qsizetype take = m_pending.size();
        // A carriage return at the end of a piece may be the first half of
        // a CR LF whose line feed is still in the file.
        if (take > 0 && !m_atEnd && m_pending.endsWith('\r'))
            --take;
        fromFile = take;
        piece = m_pending.left(take);
        m_pending.remove(0, take);
    }
    // The file's bytes are not counted as sent.
    if (!piece.isEmpty()) {
        if (!SendQueue::queue(m_port, piece, false)) {
            finish(false, m_port->errorString());
            return;
        }
        m_handed.push_back({piece.size(), fromFile});
        m_handedBytes += piece.size();
    }
    if (m_atEnd && m_pending.isEmpty()) {
        finish(true, QString());
        return;
    }
    // The pause follows a line's end; the rest of a long line follows at once.
    m_timer.start(lineEnds ? m_gapMs : 0);
}

qint64 SerialFileSender::written()
{
    // The port's buffer ends with the file's pieces not written yet. A
    // port that is closed already has dropped its buffer: what was last
    // seen written stands.
    const qint64 written = m_port && m_port->isOpen()
                               ? m_handedBytes - qMin(m_handedBytes, qMax<qint64>(0, m_port->bytesToWrite()))
                               : qMax(m_lastWritten, m_settled);
    while (!m_handed.empty() && m_settled + m_handed.front().sent <= written) {
        m_settled += m_handed.front().sent;
        m_gone += m_handed.front().fromFile;
        m_handed.pop_front();
    }
    return written;
}

qint64 SerialFileSender::bytesGone()
{
    const qint64 partly = written() - m_settled;
    // Of a piece written in part, the part (it may have lost a CR).
    return m_handed.empty() ? m_gone : m_gone + qMin(partly, m_handed.front().fromFile);
}

qint64 SerialFileSender::stallMs(const QIODevice *port)
{
    // A serial port tells its baud rate as a property; ten bits a byte.
    bool ok = false;
    const qint64 baud = port ? port->property("baudRate").toLongLong(&ok) : 0;
    if (!ok || baud <= 0)
        return kStallMs;
    return qMax<qint64>(kStallMs, kStallBytes * 10 * 1000 / baud);
}

void SerialFileSender::watch()
{
    // Bytes waiting that the port has not written for a while: the device
    // takes nothing. Nothing waiting is no stall (between lines, say).
    const qint64 now = written();
    if (now != m_lastWritten) {
        m_lastWritten = now;
        m_sinceWrite.restart();
        if (m_stalled) {
            m_stalled = false;
            emit resumed(bytesGone(), m_size);
        }
    }
    if (!m_port || m_port->bytesToWrite() <= 0) {
        m_sinceWrite.restart();
        return;
    }
    if (!m_stalled && m_sinceWrite.elapsed() >= stallMs(m_port)) {
        m_stalled = true;
        emit stalled(bytesGone(), m_size);
    }
}

void SerialFileSender::finish(bool ok, const QString &error)
{
    stop();
    emit finished(ok, error);
}
