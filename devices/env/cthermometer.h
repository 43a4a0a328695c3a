#pragma once
// A vertical thermometer with a two-sided scale, a mercury column whose
// colour follows the temperature, and a value caption.

#include <QColor>
#include <QRectF>
#include <QWidget>

class CThermometer : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(double value READ value WRITE setValue)

public:
    explicit CThermometer(QWidget *parent = nullptr);
    ~CThermometer() override;

    double value() const { return m_value; }
    int maxValue() const { return m_maxValue; }
    int minValue() const { return m_minValue; }
    int minorTicks() const { return m_minorTicks; }
    QColor mercuryColor() const { return m_mercuryColor; }
    QRectF tubeRect() const { return m_tube; }

    // The values written at the scale marks, bottom to top (none when the
    // limits leave no room for a mark).
    QList<int> markValues() const;
    // Height of the mercury column inside the tube, in pixels.
    double columnHeight() const;

public slots:
    void setValue(double value);
    void setMaxValue(int value);
    void setMinValue(int value);
    void setMinorTicks(int ticks);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int m_maxValue = 70;
    int m_minValue = -30;
    double m_value = 1.0;
    int m_minorTicks = 2;
    QColor m_mercuryColor{100, 184, 255};
    QRectF m_tube;
    int m_tubeWidth = 24;
    int m_topMargin = 25;
    int m_bottomTerm = -40;
    QColor m_scaleColor{100, 100, 100};
    QColor m_background{Qt::transparent};
};
