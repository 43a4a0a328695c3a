#pragma once

#include <QString>
#include <QWidget>

namespace Ui {
class kalvest_convert;
}

// The "Convert" page: 22 blocks, each converting a number between two units
// of one quantity while the user types. The money block reads its rates from
// the settings file, which the CurrencyConverter worker keeps up to date.
class kalvest_convert : public QWidget
{
    Q_OBJECT
public:
    explicit kalvest_convert(QWidget *parent = nullptr);
    ~kalvest_convert() override;

private slots:
    void Exchangerates_inputEdit_textChanged(const QString &text);
    void Exchangerates_fromUnitCombox_currentIndexChanged(int index);
    void Exchangerates_toUnitCombox_currentIndexChanged(int index);
    void Exchangerates_InterchangeButtonClicked();
    void Lengths_inputEdit_textChanged(const QString &text);
    void Lengths_fromUnitCombox_currentIndexChanged(int index);
    void Lengths_toUnitCombox_currentIndexChanged(int index);
    void Lengths_InterchangeButtonClicked();
    void Mass_inputEdit_textChanged(const QString &text);
    void Mass_fromUnitCombox_currentIndexChanged(int index);
    void Mass_toUnitCombox_currentIndexChanged(int index);
    void Mass_InterchangeButtonClicked();
    void Area_inputEdit_textChanged(const QString &text);
    void Area_fromUnitCombox_currentIndexChanged(int index);
    void Area_toUnitCombox_currentIndexChanged(int index);
    void Area_InterchangeButtonClicked();
    void Volume_inputEdit_textChanged(const QString &text);
    void Volume_fromUnitCombox_currentIndexChanged(int index);
    void Volume_toUnitCombox_currentIndexChanged(int index);
    void Volume_InterchangeButtonClicked();
    void Time_inputEdit_textChanged(const QString &text);
    void Time_fromUnitCombox_currentIndexChanged(int index);
    void Time_toUnitCombox_currentIndexChanged(int index);
    void Time_InterchangeButtonClicked();
    void Speed_inputEdit_textChanged(const QString &text);
    void Speed_fromUnitCombox_currentIndexChanged(int index);
    void Speed_toUnitCombox_currentIndexChanged(int index);
    void Speed_InterchangeButtonClicked();
    void Force_inputEdit_textChanged(const QString &text);
    void Force_fromUnitCombox_currentIndexChanged(int index);
    void Force_toUnitCombox_currentIndexChanged(int index);
    void Force_InterchangeButtonClicked();
    void Torque_inputEdit_textChanged(const QString &text);
    void Torque_fromUnitCombox_currentIndexChanged(int index);
    void Torque_toUnitCombox_currentIndexChanged(int index);
    void Torque_InterchangeButtonClicked();
    void Temperature_inputEdit_textChanged(const QString &text);
    void Temperature_fromUnitCombox_currentIndexChanged(int index);
    void Temperature_toUnitCombox_currentIndexChanged(int index);
    void Temperature_InterchangeButtonClicked();
    void Pressure_inputEdit_textChanged(const QString &text);
    void Pressure_fromUnitCombox_currentIndexChanged(int index);
    void Pressure_toUnitCombox_currentIndexChanged(int index);
    void Pressure_InterchangeButtonClicked();
    void Energy_inputEdit_textChanged(const QString &text);
    void Energy_fromUnitCombox_currentIndexChanged(int index);
    void Energy_toUnitCombox_currentIndexChanged(int index);
    void Energy_InterchangeButtonClicked();
    void Power_inputEdit_textChanged(const QString &text);
    void Power_fromUnitCombox_currentIndexChanged(int index);
    void Power_toUnitCombox_currentIndexChanged(int index);
    void Power_InterchangeButtonClicked();
    void Capacitance_inputEdit_textChanged(const QString &text);
    void Capacitance_fromUnitCombox_currentIndexChanged(int index);
    void Capacitance_toUnitCombox_currentIndexChanged(int index);
    void Capacitance_InterchangeButtonClicked();
    void Resistance_inputEdit_textChanged(const QString &text);
    void Resistance_fromUnitCombox_currentIndexChanged(int index);
    void Resistance_toUnitCombox_currentIndexChanged(int index);
    void Resistance_InterchangeButtonClicked();
    void Conductance_inputEdit_textChanged(const QString &text);
    void Conductance_fromUnitCombox_currentIndexChanged(int index);
    void Conductance_toUnitCombox_currentIndexChanged(int index);
    void Conductance_InterchangeButtonClicked();
    void Inductance_inputEdit_textChanged(const QString &text);
    void Inductance_fromUnitCombox_currentIndexChanged(int index);
    void Inductance_toUnitCombox_currentIndexChanged(int index);
    void Inductance_InterchangeButtonClicked();
    void Current_inputEdit_textChanged(const QString &text);
    void Current_fromUnitCombox_currentIndexChanged(int index);
    void Current_toUnitCombox_currentIndexChanged(int index);
    void Current_InterchangeButtonClicked();
    void Charge_inputEdit_textChanged(const QString &text);
    void Charge_fromUnitCombox_currentIndexChanged(int index);
    void Charge_toUnitCombox_currentIndexChanged(int index);
    void Charge_InterchangeButtonClicked();
    void Magnetic_inputEdit_textChanged(const QString &text);
    void Magnetic_fromUnitCombox_currentIndexChanged(int index);
    void Magnetic_toUnitCombox_currentIndexChanged(int index);
    void Magnetic_InterchangeButtonClicked();
    void Angle_inputEdit_textChanged(const QString &text);
    void Angle_fromUnitCombox_currentIndexChanged(int index);
    void Angle_toUnitCombox_currentIndexChanged(int index);
    void Angle_InterchangeButtonClicked();
    void DataStorage_inputEdit_textChanged(const QString &text);
    void DataStorage_fromUnitCombox_currentIndexChanged(int index);
    void DataStorage_toUnitCombox_currentIndexChanged(int index);
    void DataStorage_InterchangeButtonClicked();

private:
    void Exchangerates_Init();
    double Exchangerates_toBaseUnit(double value, const QString &unitText);
    double Exchangerates_fromBaseUnit(double value, const QString &unitText);
    void Lengths_Init();
    double Lengths_toBaseUnit(double value, const QString &unitText);
    double Lengths_fromBaseUnit(double value, const QString &unitText);
    void Mass_Init();
    double Mass_toBaseUnit(double value, const QString &unitText);
    double Mass_fromBaseUnit(double value, const QString &unitText);
    void Area_Init();
    double Area_toBaseUnit(double value, const QString &unitText);
    double Area_fromBaseUnit(double value, const QString &unitText);
    void Volume_Init();
    double Volume_toBaseUnit(double value, const QString &unitText);
    double Volume_fromBaseUnit(double value, const QString &unitText);
    void Time_Init();
    double Time_toBaseUnit(double value, const QString &unitText);
    double Time_fromBaseUnit(double value, const QString &unitText);
    void Speed_Init();
    double Speed_toBaseUnit(double value, const QString &unitText);
    double Speed_fromBaseUnit(double value, const QString &unitText);
    void Force_Init();
    double Force_toBaseUnit(double value, const QString &unitText);
    double Force_fromBaseUnit(double value, const QString &unitText);
    void Torque_Init();
    double Torque_toBaseUnit(double value, const QString &unitText);
    double Torque_fromBaseUnit(double value, const QString &unitText);
    void Temperature_Init();
    double Temperature_toBaseUnit(double value, const QString &unitText);
    double Temperature_fromBaseUnit(double value, const QString &unitText);
    void Pressure_Init();
    double Pressure_toBaseUnit(double value, const QString &unitText);
    double Pressure_fromBaseUnit(double value, const QString &unitText);
    void Energy_Init();
    double Energy_toBaseUnit(double value, const QString &unitText);
    double Energy_fromBaseUnit(double value, const QString &unitText);
    void Power_Init();
    double Power_toBaseUnit(double value, const QString &unitText);
    double Power_fromBaseUnit(double value, const QString &unitText);
    void Capacitance_Init();
    double Capacitance_toBaseUnit(double value, const QString &unitText);
    double Capacitance_fromBaseUnit(double value, const QString &unitText);
    void Resistance_Init();
    double Resistance_toBaseUnit(double value, const QString &unitText);
    double Resistance_fromBaseUnit(double value, const QString &unitText);
    void Conductance_Init();
    double Conductance_toBaseUnit(double value, const QString &unitText);
    double Conductance_fromBaseUnit(double value, const QString &unitText);
    void Inductance_Init();
    double Inductance_toBaseUnit(double value, const QString &unitText);
    double Inductance_fromBaseUnit(double value, const QString &unitText);
    void Current_Init();
    double Current_toBaseUnit(double value, const QString &unitText);
    double Current_fromBaseUnit(double value, const QString &unitText);
    void Charge_Init();
    double Charge_toBaseUnit(double value, const QString &unitText);
    double Charge_fromBaseUnit(double value, const QString &unitText);
    void Magnetic_Init();
    double Magnetic_toBaseUnit(double value, const QString &unitText);
    double Magnetic_fromBaseUnit(double value, const QString &unitText);
    void Angle_Init();
    double Angle_toBaseUnit(double value, const QString &unitText);
    double Angle_fromBaseUnit(double value, const QString &unitText);
    void DataStorage_Init();
    double DataStorage_toBaseUnit(double value, const QString &unitText);
    double DataStorage_fromBaseUnit(double value, const QString &unitText);

    // The blocks differ only in their row of one table (in the .cpp); the
    // functions above forward to these three, which serve every block.
    enum class Block : int;
    struct BlockRow;
    static const BlockRow &row(Block block);
    void initBlock(Block block);
    void convertBlock(Block block);
    void swapBlock(Block block);

    Ui::kalvest_convert *ui;
};
