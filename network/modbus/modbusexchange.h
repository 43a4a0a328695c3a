#pragma once
// One Modbus request at a time over whatever channel the page holds: the
// frame is written, the reply collected for one reply window, up to three
// attempts while nothing arrives. The wait keeps the event loop running
// without spinning, asks for the channel again at every step (the page may
// close it meanwhile) and ends at once when the channel closes or stop() is
// called.

#include <QByteArray>
#include <QObject>
#include <QVariant>

#include <functional>

class QEventLoop;
class QIODevice;
class Kalvest_ModbusClient;

class ModbusExchange : public QObject
{
    Q_OBJECT

public:
    static constexpr int kReplyWindowMs = 1000;
    static constexpr int kAttempts = 3;
    // Most reply bytes kept from one window; past it the oldest go.
    static constexpr int kReplyCap = 64 * 1024;

    struct Request {
        int slaveAddress = 1;
        int functionCode = 1;
        int startAddress = 0;
        int quantity = 1;
        bool tcp = false;
        QByteArray values;
        int pollMs = 20; // longest single wait inside the reply window
    };
    // The channel to use now, or null when there is none (any more).
    using ChannelGetter = std::function<QIODevice *()>;

    ModbusExchange(Kalvest_ModbusClient *codec, QObject *parent = nullptr);
    ~ModbusExchange() override;

    bool isRunning() const { return m_running; }

    // Runs the exchange and returns when it ended. False (and nothing
    // sent) when another exchange is running.
    bool run(const Request &request, const ChannelGetter &channel);
    // Ends a running exchange now (it returns as soon as control is back
    // in its wait).
    void stop();

signals:
    // A request frame was written.
    void requestSent(const QByteArray &frame);
    // The channel took the frame not (or not whole); the exchange ended.
    void requestFailed(const QString &reason);
    // A reply window ended with bytes; `value` is the codec's result.
    void replyReceived(const QByteArray &reply, const QVariant &value);

private:
    void waitForChannel(QIODevice *channel, int ms);

    Kalvest_ModbusClient *m_codec;
    bool m_running = false;
    bool m_stop = false;
    QEventLoop *m_loop = nullptr;
};
