#pragma once
// The "i2cdump" page's own widget: the device address list, the 16 x 16
// register grid that marks changed values, and the receive side of the
// I2C bridge's frames.
//
// Dumps update the grid's state (value and colour of every cell) at once,
// in order, but the cells on screen are set at most once per display
// interval: a flood of dumps costs one grid update per interval, and every
// cell shows what the dumps so far have made of it.

#include <QByteArray>
#include <QList>
#include <QTimer>
#include <QWidget>

#include <array>

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
    // Background of a cell: the form's until its first value.
    enum class Shade : quint8 { Unset, White, Green, Pink };
    struct CellState {
        quint8 value = 0;
        Shade shade = Shade::Unset;
        bool dirty = false; // not yet on screen
    };
    // Takes value into cell k's state: white when it equals the value
    // before, else green, or pink when the cell was green.
    void takeRegister(int k, quint8 value);
    void showCell(int k);
    void scheduleShow();
    // Sets every cell that dumps changed since the last display update.
    void showRegisters();

    Ui::kalvest_i2c_tools *ui;
    I2cFrames::Parser m_parser;
    QList<QLabel *> registerCells;
    std::array<CellState, 256> m_cells;
    bool m_cellsDirty = false;
    QTimer m_showTimer;
};
