#include "kalvest_modbusclient.h"

#include "modbuscodec.h"

quint16 Kalvest_ModbusClient::transactionCounter = 0;

Kalvest_ModbusClient::Kalvest_ModbusClient(QObject *parent) : QObject(parent) {}

quint16 Kalvest_ModbusClient::calculateCRC(const QByteArray &data)
{
    return ModbusCodec::crc(data);
}

QByteArray Kalvest_ModbusClient::buildRequest(int slaveAddress, int functionCode, int startAddress, int quantity,
                                              bool tcp, QByteArray data)
{
    quint16 id = 0;
    if (tcp)
        id = transactionCounter++;
    QString error;
    const QByteArray frame =
        ModbusCodec::buildRequest(slaveAddress, functionCode, startAddress, quantity, tcp, id, data, &error);
    if (frame.isEmpty())
        emit errorOccurred(error);
    return frame;
}

QVariant Kalvest_ModbusClient::parseResponse(int slaveAddress, int functionCode, const QByteArray &response,
                                             bool tcp)
{
    QString error;
    const QVariant value = ModbusCodec::parseResponse(slaveAddress, functionCode, response, tcp, &error);
    if (!value.isValid())
        emit errorOccurred(error);
    return value;
}
