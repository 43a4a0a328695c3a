#include "modbusexchange.h"

#include "kalvest_modbusclient.h"

#include <QAbstractSocket>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QIODevice>
#include <QPointer>
#include <QSerialPort>
#include <QTimer>

ModbusExchange::ModbusExchange(Kalvest_ModbusClient *codec, QObject *parent) : QObject(parent), m_codec(codec) {}

ModbusExchange::~ModbusExchange()
{
    stop();
}

void ModbusExchange::stop()
{
    m_stop = true;
    if (m_loop)
        m_loop->quit();
}

bool ModbusExchange::run(const Request &request, const ChannelGetter &channel)
{
    if (m_running)
        return false;
    m_running = true;
    m_stop = false;
    // The window (and this object with it) may go away during a wait.
    QPointer<ModbusExchange> self(this);

    for (int attempt = 0; attempt < kAttempts && !m_stop; ++attempt) {
        QIODevice *device = channel();
        if (!device)
            break;
        const QByteArray frame = m_codec->buildRequest(request.slaveAddress, request.functionCode,
                                                       request.startAddress, request.quantity, request.tcp,
                                                       request.values);
        if (frame.isEmpty())
            break;
        // Logged only once the channel took it whole.
        if (device->write(frame) != frame.size()) {
            const QString reason = device->errorString();
            emit requestFailed(reason.isEmpty() || reason == QLatin1String("Unknown error")
                                   ? tr("the channel did not take it")
                                   : reason);
            if (!self)
                return false;
            break;
        }
        emit requestSent(frame);
        if (!self)
            return false;

        QByteArray reply;
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            device = channel();
            if (!device || m_stop)
                break;
            reply += device->readAll();
            if (reply.size() > kReplyCap)
                reply.remove(0, reply.size() - kReplyCap);
            const qint64 left = kReplyWindowMs - clock.elapsed();
            if (left <= 0)
                break;
            waitForChannel(device, int(qMin<qint64>(request.pollMs, left)));
            if (!self)
                return false;
        }
        if (!reply.isEmpty()) {
            const QVariant value =
                m_codec->parseResponse(request.slaveAddress, request.functionCode, reply, request.tcp);
            emit replyReceived(reply, value);
            if (!self)
                return false;
            break;
        }
    }
    m_running = false;
    m_stop = false;
    return true;
}

void ModbusExchange::waitForChannel(QIODevice *device, int ms)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    // New bytes, or the channel going away, end the wait early.
    connect(device, &QIODevice::readyRead, &loop, &QEventLoop::quit);
    connect(device, &QIODevice::aboutToClose, &loop, &QEventLoop::quit);
    connect(device, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (auto *socket = qobject_cast<QAbstractSocket *>(device))
        connect(socket, &QAbstractSocket::stateChanged, &loop, &QEventLoop::quit);
    if (auto *port = qobject_cast<QSerialPort *>(device))
        connect(port, &QSerialPort::errorOccurred, &loop, &QEventLoop::quit);
    timer.start(qMax(1, ms));
    QPointer<ModbusExchange> self(this);
    QEventLoop *outer = m_loop;
    m_loop = &loop;
    loop.exec();
    if (self)
        m_loop = outer;
}
