#include "sendqueue.h"

#include <QIODevice>
#include <QObject>

#include <algorithm>
#include <deque>
#include <utility>

namespace {

// Which of the bytes a device has been given to write are counted, as
// positions in the stream of everything queue() has given it; the device
// writes that stream in order and reports it (bytesWritten), though it may
// report a write some time after it took the bytes. A child of its device.
class WriteLedger : public QObject
{
public:
    explicit WriteLedger(QIODevice *device) : QObject(device) { setObjectName(name()); }
    static QString name() { return QStringLiteral("velm-write-ledger"); }
    static WriteLedger *of(const QIODevice *device)
    {
        return dynamic_cast<WriteLedger *>(device->findChild<QObject *>(name(), Qt::FindDirectChildrenOnly));
    }

    // `bytes` are about to be given to the device, behind `waiting`.
    void give(qint64 waiting, qint64 bytes, bool counted)
    {
        // Bytes that reached the device some other way come first.
        m_given = std::max(m_given, m_written + waiting);
        if (counted)
            m_counted.emplace_back(m_given, m_given + bytes);
        m_given += bytes;
    }
    // The last given bytes did not go.
    void ungive(qint64 bytes, bool counted)
    {
        m_given -= bytes;
        if (counted)
            m_counted.pop_back();
    }
    // The device reported `bytes` more written; returns how many of them
    // were counted.
    qint64 took(qint64 bytes)
    {
        const qint64 from = m_written;
        m_written += bytes;
        qint64 counted = 0;
        while (!m_counted.empty()) {
            const auto [start, end] = m_counted.front();
            counted += std::max<qint64>(0, std::min(end, m_written) - std::max(start, from));
            if (end > m_written)
                break;
            m_counted.pop_front();
        }
        return counted;
    }

private:
    qint64 m_given = 0;
    qint64 m_written = 0;
    std::deque<std::pair<qint64, qint64>> m_counted; // [start, end)
};

} // namespace

namespace SendQueue {

bool hasRoomFor(const QIODevice *device, qint64 bytes)
{
    const qint64 waiting = device->bytesToWrite();
    return waiting <= 0 || waiting + bytes <= kMaxUnsentBytes;
}

bool queue(QIODevice *device, const QByteArray &bytes, bool counted)
{
    // Nothing to send always goes, also to a device that does not read.
    if (bytes.isEmpty())
        return true;
    if (!hasRoomFor(device, bytes.size()))
        return false;
    // Noted before the write, which may already report what it wrote.
    WriteLedger *ledger = WriteLedger::of(device);
    if (ledger)
        ledger->give(device->bytesToWrite(), bytes.size(), counted);
    if (device->write(bytes) == bytes.size())
        return true;
    if (ledger)
        ledger->ungive(bytes.size(), counted);
    return false;
}

void countTaken(QIODevice *device, std::function<void(qint64)> taken)
{
    if (!device || WriteLedger::of(device))
        return;
    auto *ledger = new WriteLedger(device);
    QObject::connect(device, &QIODevice::bytesWritten, ledger, [ledger, taken = std::move(taken)](qint64 bytes) {
        const qint64 counted = ledger->took(bytes);
        if (counted > 0)
            taken(counted);
    });
}

} // namespace SendQueue
