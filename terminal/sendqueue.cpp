#include "sendqueue.h"

#include <QIODevice>
#include <QObject>

#include <algorithm>
#include <deque>
#include <utility>

namespace {

// The stream of everything queue() has given a device, and which of its
// bytes are counted, as positions in it; the device writes that stream in
// order and reports it (bytesWritten), though it may report a write some
// time after it took the bytes. A child of its device, made when the
// device is first given something or first counted.
class WriteLedger : public QObject
{
public:
    explicit WriteLedger(QIODevice *device) : QObject(device)
    {
        setObjectName(name());
        connect(device, &QIODevice::bytesWritten, this, [this](qint64 bytes) {
            const qint64 counted = took(bytes);
            if (counted > 0 && m_taken)
                m_taken(counted);
        });
        // Closing throws away what waits: where the device stood then stays.
        connect(device, &QIODevice::aboutToClose, this, [this] { m_closedAt = position(); });
    }
    static QString name() { return QStringLiteral("velm-write-ledger"); }
    static WriteLedger *of(const QIODevice *device)
    {
        return dynamic_cast<WriteLedger *>(device->findChild<QObject *>(name(), Qt::FindDirectChildrenOnly));
    }
    static WriteLedger *ensure(QIODevice *device)
    {
        WriteLedger *ledger = of(device);
        return ledger ? ledger : new WriteLedger(device);
    }

    bool counts() const { return bool(m_taken); }
    void setTaken(std::function<void(qint64)> taken) { m_taken = std::move(taken); }

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
    qint64 given() const { return m_given; }
    // How far the device has written: its report may lag behind, what
    // has left its buffer has been written.
    qint64 position() const
    {
        const auto *device = static_cast<const QIODevice *>(parent());
        if (!device->isOpen())
            return std::max(m_written, m_closedAt);
        return std::max(m_written, m_given - std::max<qint64>(0, device->bytesToWrite()));
    }

private:
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

    std::function<void(qint64)> m_taken;
    qint64 m_given = 0;
    qint64 m_written = 0;
    qint64 m_closedAt = 0;
    std::deque<std::pair<qint64, qint64>> m_counted; // [start, end)
};

} // namespace

namespace SendQueue {

bool hasRoomFor(const QIODevice *device, qint64 bytes)
{
    const qint64 waiting = device->bytesToWrite();
    return waiting <= 0 || waiting + bytes <= kMaxUnsentBytes;
}

bool queue(QIODevice *device, const QByteArray &bytes, bool counted, qint64 *end)
{
    // Nothing to send always goes, also to a device that does not read.
    if (bytes.isEmpty()) {
        if (end) {
            const WriteLedger *ledger = WriteLedger::of(device);
            *end = ledger ? ledger->given() : 0;
        }
        return true;
    }
    if (!hasRoomFor(device, bytes.size()))
        return false;
    // Noted before the write, which may already report what it wrote.
    WriteLedger *ledger = WriteLedger::ensure(device);
    ledger->give(device->bytesToWrite(), bytes.size(), counted);
    if (device->write(bytes) == bytes.size()) {
        if (end)
            *end = ledger->given();
        return true;
    }
    ledger->ungive(bytes.size(), counted);
    return false;
}

qint64 writtenPosition(const QIODevice *device)
{
    const WriteLedger *ledger = device ? WriteLedger::of(device) : nullptr;
    return ledger ? ledger->position() : 0;
}

void countTaken(QIODevice *device, std::function<void(qint64)> taken)
{
    if (!device)
        return;
    WriteLedger *ledger = WriteLedger::ensure(device);
    if (!ledger->counts())
        ledger->setTaken(std::move(taken));
}

} // namespace SendQueue
