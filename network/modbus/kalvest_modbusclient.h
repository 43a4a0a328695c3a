#pragma once
// The "Modbus" page's codec: builds request frames (RTU or TCP) and checks
// and decodes replies (see modbuscodec.h). It does no input or output;
// every failure is reported once through errorOccurred with an English
// text.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVariant>

class Kalvest_ModbusClient : public QObject
{
    Q_OBJECT

public:
    // Transaction identifier of the next TCP frame, shared by the whole
    // process; wraps from 65535 to 0.
    static quint16 transactionCounter;

    explicit Kalvest_ModbusClient(QObject *parent = nullptr);

    static quint16 calculateCRC(const QByteArray &data);

    // The complete frame, or an empty array after an error text. Every TCP
    // build takes the next transaction identifier, also one that fails.
    QByteArray buildRequest(int slaveAddress, int functionCode, int startAddress, int quantity, bool tcp,
                            QByteArray data);

    // Decoded reply, or an invalid value after an error text.
    QVariant parseResponse(int slaveAddress, int functionCode, const QByteArray &response, bool tcp);

signals:
    void errorOccurred(QString errorString);
};
