#pragma once
// The "i2cdump" page's own widget: the device address list, the 16 x 16
// register grid that marks changed values, and the receive side of the
// I2C bridge's frames.

#include <QByteArray>
#include <QList>
#include <QWidget>

#include "i2cframes.h"

class QComboBox;
class QLabel;

QT_BEGIN_NAMESPACE
namespace Ui {
class kalvest_i2c_tools;
}
QT_END_NAMESPACE

class kalvest_i2c_tools : public QWidget
{
    Q_OBJECT

public:
    explicit kalvest_i2c_tools(QWidget *parent = nullptr);
    ~kalvest_i2c_tools() override;

    // One received chunk: every complete frame in it is handled in order.
    void Set_Data(const QByteArray &chunk);
    // Shows `value` in cell k, coloured by whether it changed.
    void Set_Register(int k, quint8 value);

    QLabel *cell(int k) const { return registerCells.value(k); }
    const QByteArray &rxBuffer() const { return m_parser.buffered(); }
    // Drops what is left of a frame cut short (the port is opened again).
    void clearReceive() { m_parser.clear(); }
    QComboBox *addressList() const;

signals:
    void Channge_Addr(const int &address);
    void Get_Addr(const QByteArray &payload);
    void Get_Data(const QByteArray &payload);

public slots:
    void onCurrentIndexChanged(int index);

private:
    Ui::kalvest_i2c_tools *ui;
    I2cFrames::Parser m_parser;
    QList<QLabel *> registerCells;
};
