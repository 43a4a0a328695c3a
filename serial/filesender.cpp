#include "filesender.h"

#include "sendqueue.h"

#include <QFileInfo>

namespace {
// How often a port that holds as much as it may is looked at again.
constexpr int kRoomPollMs = 5;
// How often a send looks whether its port still writes (it also looks
// whenever the port reports a write).
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
    m_running = true;
    m_port = port;
    m_gapMs = gapMs;
    m_atEnd = false;
    m_allHanded = false;
    m_size = m_file.size();
    m_gone = 0;
    m_lastWritten = SendQueue::writtenPosition(port);
    m_written = connect(port, &QIODevice::bytesWritten, this, [this] { watch(); });
    m_sinceWrite.start();
    m_watch.start();
    // The first line goes out at once; the gap follows each line.
    m_timer.start(0);
    tellProgress();
    return true;
}

void SerialFileSender::stop()
{
    const bool wasRunning = m_running;
    m_running = false;
    m_timer.stop();
    m_watch.stop();
    disconnect(m_written);
    if (m_file.isOpen())
        m_file.close();
    m_port = nullptr;
    m_pending.clear();
    m_pending.squeeze();
    m_handed.clear();
    m_stalled = false;
    if (wasRunning)
        emit ended();
}

void SerialFileSender::sendNext()
{
    if (!m_running || m_allHanded)
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
        qint64 end = 0;
        if (!SendQueue::queue(m_port, piece, false, &end)) {
            finish(false, m_port->errorString());
            return;
        }
        m_handed.push_back({end, piece.size(), fromFile});
    }
    if (m_atEnd && m_pending.isEmpty()) {
        // The send goes on until the port has written it all.
        m_allHanded = true;
        m_file.close();
        watch();
        return;
    }
    // The pause follows a line's end; the rest of a long line follows at once.
    m_timer.start(lineEnds ? m_gapMs : 0);
}

qint64 SerialFileSender::bytesGone() const
{
    const qint64 at = SendQueue::writtenPosition(m_port);
    qint64 gone = m_gone;
    for (const Handed &h : m_handed) {
        const qint64 start = h.end - h.sent;
        if (at <= start)
            break;
        // Of a piece written in part, the part (it may have lost a CR).
        gone += at >= h.end ? h.fromFile : qMin(h.fromFile, at - start);
    }
    return gone;
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
    if (!m_running)
        return;
    if (!m_port || !m_port->isOpen()) {
        finish(false, tr("the port is closed"));
        return;
    }
    const qint64 now = SendQueue::writtenPosition(m_port);
    while (!m_handed.empty() && m_handed.front().end <= now) {
        m_gone += m_handed.front().fromFile;
        m_handed.pop_front();
    }
    if (m_allHanded && m_handed.empty()) {
        finish(true, QString());
        return;
    }
    // Bytes waiting that the port has not written for a while: the device
    // takes nothing. Whose bytes they are does not matter, the file's or
    // a send's ahead of it. Nothing waiting is no stall (between lines).
    if (now != m_lastWritten) {
        m_lastWritten = now;
        m_sinceWrite.restart();
        if (m_stalled) {
            m_stalled = false;
            tellProgress();
        }
    }
    if (m_port->bytesToWrite() <= 0) {
        m_sinceWrite.restart();
    } else if (!m_stalled && m_sinceWrite.elapsed() >= stallMs(m_port)) {
        m_stalled = true;
        emit stalled(bytesGone(), m_size);
    }
    // A stall's report stands while the stall lasts.
    if (!m_stalled && m_sinceProgress.elapsed() >= kProgressMs)
        tellProgress();
}

void SerialFileSender::tellProgress()
{
    m_sinceProgress.start();
    emit progress(bytesGone(), m_size);
}

void SerialFileSender::finish(bool ok, const QString &error)
{
    stop();
    emit finished(ok, error);
}
