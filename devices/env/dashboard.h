#pragma once
// A round dial with a needle, a numbered scale, a title and a numeric
// readout (pressure, CO2 and TVOC on the "Environment" page).

#include <QColor>
#include <QString>
#include <QWidget>

class DashBoard : public QWidget
{
    Q_OBJECT

public:
    explicit DashBoard(QWidget *parent = nullptr);
    ~DashBoard() override;

    double value() const { return m_value; }
    int maxValue() const { return m_maxValue; }
    int minValue() const { return m_minValue; }
    int precision() const { return m_precision; }
    QString units() const { return m_units; }
    QString title() const { return m_title; }
    int scaleMajor() const { return m_scaleMajor; }
    int scaleMinor() const { return m_scaleMinor; }

    // The numbers written around the scale, from its start to its end.
    QStringList scaleLabels() const;
    // The readout text, e.g. "1013.00 Pa".
    QString readoutText() const;
    // The needle's rotation from the scale start, in degrees.
    double needleAngle() const;

public slots:
    void setValue(double value);
    void setValue(int value);
    void setMinValue(int value);
    void setMaxValue(int value);
    void setPrecision(int precision);
    void setUnits(const QString &units);
    void setTitle(const QString &title);
    void setScaleMajor(int scaleMajor);
    void setScaleMinor(int scaleMinor);
    void setStartAngle(int angle);
    void setEndAngle(int angle);
    void setCrownColor(const QColor &color);
    void setForeground(const QColor &color);
    void setBackground(const QColor &color);
    void setNumericIndicatorEnabled(bool enabled);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double m_value = 0;
    int m_maxValue = 100;
    int m_minValue = 400;
    int m_precision = 0;
    QString m_units = QStringLiteral("Pa");
    QString m_title = QStringLiteral("Barometer");
    int m_scaleMajor = 10;
    int m_scaleMinor = 10;
    int m_startAngle = 60;
    int m_endAngle = 60;
    QColor m_crownColor{160, 160, 160};
    QColor m_foreground{255, 255, 255};
    QColor m_background{65, 65, 65};
    bool m_numericIndicatorEnabled = true;
};
