#pragma once
// The satellite worker of the "GPS Signal" dialog: a thread that turns the
// GSV sentences it is given into records of four satellites and hands them
// to the GUI one at a time. After each record it waits until the GUI has
// acknowledged it (Wait_Data(false)); while it waits, a backlog above 50
// sentences is thrown away.

#include <QByteArray>
#include <QMutex>
#include <QStringList>
#include <QThread>
#include <QWaitCondition>

#include <atomic>

#include "gpssatellites.h"

class GPS_Signal : public QThread
{
    Q_OBJECT

public:
    static constexpr int kMaxQueued = 50;
    static constexpr int kPollMs = 100;

    GPS_Signal();
    ~GPS_Signal() override;

    // Ends run() within one poll or one record.
    void stop();
    int queued() const;
    bool busy() const { return m_busy.load(std::memory_order_acquire); }

signals:
    // Emitted from the worker thread; the record travels by value.
    void ReturnResult(GpsSatelliteRecord record);

public slots:
    // A GSV sentence for the queue (called in the GUI thread).
    void Get_Data(const QByteArray &sentence);
    // The GUI's acknowledgement: false once it has drawn the last record.
    void Wait_Data(bool status);

protected:
    void run() override;

private:
    mutable QMutex m_lock;
    QWaitCondition m_wake;
    QList<QByteArray> m_queue;
    std::atomic<bool> m_busy{false};
    std::atomic<bool> m_stop{false};
};
