#include "eventwait.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

void waitProcessingEvents(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    QDeadlineTimer deadline(milliseconds, Qt::PreciseTimer);
    // A nested loop may be quit early by nothing but our timer; still, check
    // the deadline after each round so the wait never ends short.
    while (!deadline.hasExpired()) {
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(int(qMax<qint64>(1, deadline.remainingTime())));
        // Once the application quits, every event loop returns at once (a
        // fresh one with -1): waiting on would only spin the processor.
        if (loop.exec(QEventLoop::AllEvents) < 0)
            return;
    }
}
