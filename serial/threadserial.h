#pragma once

#include <QByteArray>
#include <QSerialPort>
#include <QString>
#include <QThread>

// Holds the one serial port the program has open. It is a thread object
// whose own loop does nothing: the port is opened, read, written and closed
// in the GUI thread, and its signals arrive there as direct calls.
class ThreadSerial : public QThread
{
    Q_OBJECT

public:
    ThreadSerial();
    ~ThreadSerial() override;

    // Opens the port with the settings below (read-write, no flow control)
    // and requests DTR. The outcome is left in `opened`. With hookReadyRead
    // every data-ready notification becomes one Serial_read_Data emission.
    void open(bool hookReadyRead);

    static QSerialPort::Parity parityFromIndex(int index);
    static QSerialPort::StopBits stopBitsFromIndex(int index);

    bool running = true;   // cleared by a page when it closes the port
    bool paused = false;   // set by a page while it has taken the port away from its reader
    QString portName;
    QSerialPort *port = nullptr;
    int baudRate = 115200;
    int dataBits = 8;
    int parityIndex = 0;   // 0..4: none, odd, even, mark, space
    int stopBitsIndex = 0; // 0..2: one, one and a half, two
    bool opened = false;

signals:
    void Serial_read_Data(QByteArray data);
    // The device went away while open (unplugged, peer gone). Emitted once;
    // the port is already closed when it arrives. The text says why.
    void portLost(const QString &reason);

public slots:
    void readData();

protected:
    void run() override;

private slots:
    void onPortError(QSerialPort::SerialPortError error);
    void noteData();
    void reportLost();

private:
    bool m_lost = false;
    int m_readErrors = 0;
    QString m_lostReason;
};
