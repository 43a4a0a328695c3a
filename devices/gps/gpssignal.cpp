#include "gpssignal.h"

#include <QMutexLocker>

GPS_Signal::GPS_Signal()
{
    qRegisterMetaType<GpsSatelliteRecord>("GpsSatelliteRecord");
}

GPS_Signal::~GPS_Signal()
{
    // A running thread is never destroyed.
    stop();
    wait();
}

void GPS_Signal::stop()
{
    m_stop.store(true, std::memory_order_release);
    QMutexLocker lock(&m_lock);
    m_wake.wakeAll();
}

int GPS_Signal::queued() const
{
    QMutexLocker lock(&m_lock);
    return m_queue.size();
}

void GPS_Signal::Get_Data(const QByteArray &sentence)
{
    QMutexLocker lock(&m_lock);
    m_queue.append(sentence);
    m_wake.wakeAll();
}

void GPS_Signal::Wait_Data(bool status)
{
    m_busy.store(status, std::memory_order_release);
    QMutexLocker lock(&m_lock);
    m_wake.wakeAll();
}

void GPS_Signal::run()
{
    while (!m_stop.load(std::memory_order_acquire)) {
        QByteArray sentence;
        {
            QMutexLocker lock(&m_lock);
            const int n = m_queue.size();
            if (n >= 2 && !m_busy.load(std::memory_order_acquire)) {
                // The newest sentence waits until another one arrives.
                sentence = m_queue.takeFirst();
            } else if (n > kMaxQueued) {
                m_queue.clear();
                continue;
            } else {
                // Woken early by a new sentence, an acknowledgement or stop().
                if (!m_stop.load(std::memory_order_acquire))
                    m_wake.wait(&m_lock, kPollMs);
                continue;
            }
        }
        const GpsSatelliteRecord record = GpsSatellites::fromGsv(sentence);
        m_busy.store(true, std::memory_order_release);
        emit ReturnResult(record);
    }
}
