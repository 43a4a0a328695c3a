#include "threadserial.h"

#include <cstddef>

namespace {
// A read error that comes back this many times in a row without any data in
// between means the device is gone (a pty whose other end closed reports
// EIO on every notification).
constexpr int kReadErrorsBeforeLost = 3;
} // namespace

ThreadSerial::ThreadSerial() : QThread(nullptr) {}

ThreadSerial::~ThreadSerial()
{
    if (isRunning()) {
        quit();
        wait();
    }
    delete port;
    port = nullptr;
}

void ThreadSerial::run()
{
    // Nothing runs here: all port work happens in the GUI thread.
}

namespace {
// Entry `index` of a settings list; the list's first entry for an index it
// does not have.
template<typename T, std::size_t N>
T fromIndex(const T (&list)[N], int index)
{
    return index > 0 && std::size_t(index) < N ? list[index] : list[0];
}
} // namespace

// The order of the parity and stop bits combo boxes.
QSerialPort::Parity ThreadSerial::parityFromIndex(int index)
{
    static const QSerialPort::Parity parities[] = {QSerialPort::NoParity, QSerialPort::OddParity,
                                                   QSerialPort::EvenParity, QSerialPort::MarkParity,
                                                   QSerialPort::SpaceParity};
    return fromIndex(parities, index);
}

QSerialPort::StopBits ThreadSerial::stopBitsFromIndex(int index)
{
    static const QSerialPort::StopBits stopBits[] = {QSerialPort::OneStop, QSerialPort::OneAndHalfStop,
                                                     QSerialPort::TwoStop};
    return fromIndex(stopBits, index);
}

void ThreadSerial::open(bool hookReadyRead)
{
    port = new QSerialPort();
    port->setPortName(portName);
    port->setBaudRate(baudRate, QSerialPort::AllDirections);
    port->setDataBits(QSerialPort::DataBits(dataBits));
    port->setParity(parityFromIndex(parityIndex));
    port->setStopBits(stopBitsFromIndex(stopBitsIndex));
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (port->open(QIODevice::ReadWrite)) {
        opened = true;
        m_readErrors = 0;
        if (hookReadyRead)
            connect(port, &QSerialPort::readyRead, this, &ThreadSerial::readData, Qt::DirectConnection);
        else
            connect(port, &QSerialPort::readyRead, this, &ThreadSerial::noteData, Qt::DirectConnection);
        connect(port, &QSerialPort::errorOccurred, this, &ThreadSerial::onPortError, Qt::DirectConnection);
    } else {
        opened = false;
    }
    paused = false;
    // Pseudo-terminals and some adapters cannot drive DTR; that is no
    // reason to treat the port as unopened, so the result is not used.
    port->setDataTerminalReady(true);
    port->clearError();
}

void ThreadSerial::readData()
{
    if (!port)
        return;
    const QByteArray data = port->readAll();
    if (data.isEmpty())
        return;
    m_readErrors = 0;
    emit Serial_read_Data(data);
}

// Without a reader of its own the page reads the port itself; data in
// between still show that the device is there.
void ThreadSerial::noteData()
{
    if (port && port->bytesAvailable() > 0)
        m_readErrors = 0;
}

void ThreadSerial::onPortError(QSerialPort::SerialPortError error)
{
    if (m_lost || !port)
        return;
    if (error == QSerialPort::ReadError) {
        if (++m_readErrors < kReadErrorsBeforeLost)
            return;
    } else if (error != QSerialPort::ResourceError) {
        return;
    }
    // The port's own error text is whatever the last system call left
    // behind (often "File exists"); what the user needs to know is this.
    m_lostReason = tr("the device was removed or closed");
    m_lost = true;
    // The port is in the middle of its own notification here; close it and
    // tell the page once control is back in the event loop. Until then the
    // read notifier is switched off so a dead descriptor cannot spin.
    disconnect(port, &QSerialPort::readyRead, this, nullptr);
    QMetaObject::invokeMethod(this, &ThreadSerial::reportLost, Qt::QueuedConnection);
}

void ThreadSerial::reportLost()
{
    if (port && port->isOpen())
        port->close();
    emit portLost(m_lostReason);
}
