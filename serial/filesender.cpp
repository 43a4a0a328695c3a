#include "filesender.h"

#include "sendqueue.h"

#include <QFileInfo>

namespace {
// How often a port that holds as much as it may is looked at again.
constexpr int kRoomPollMs = 5;
} // namespace

SerialFileSender::SerialFileSender(QObject *parent) : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SerialFileSender::sendNext);
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
    // The first line goes out at once; the gap follows each line.
    m_timer.start(0);
    return true;
}

void SerialFileSender::stop()
{
    m_timer.stop();
    if (m_file.isOpen())
        m_file.close();
    m_port = nullptr;
    m_pending.clear();
    m_pending.squeeze();
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
    if (lineEnds) {
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
        piece = m_pending.left(take);
        m_pending.remove(0, take);
    }
    // The file's bytes are not counted as sent.
    if (!piece.isEmpty() && !SendQueue::queue(m_port, piece, false)) {
        finish(false, m_port->errorString());
        return;
    }
    if (m_atEnd && m_pending.isEmpty()) {
        finish(true, QString());
        return;
    }
    // The pause follows a line's end; the rest of a long line follows at once.
    m_timer.start(lineEnds ? m_gapMs : 0);
}

void SerialFileSender::finish(bool ok, const QString &error)
{
    stop();
    emit finished(ok, error);
}
