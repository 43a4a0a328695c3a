#pragma once
// The spectrum curve: 19 points from 380 to 940 nm, painted as a smooth
// filled curve whose fill runs through each wavelength's colour.

#include <QColor>
#include <QList>
#include <QWidget>

class kalvest_spectroscopy_spline : public QWidget
{
    Q_OBJECT

public:
    explicit kalvest_spectroscopy_spline(QWidget *parent = nullptr);
    ~kalvest_spectroscopy_spline() override;

    // Stores `value` (0.0 to 1.0 of the plot height) as point `index` and
    // repaints; an index past the last point changes nothing.
    void set_point(uint8_t index, double value);
    const QList<double> &pointValues() const { return values; }
    const QList<double> &pointWavelengths() const { return wavelengths; }

    // The colour of a wavelength in nm (grey outside 380..940).
    static QColor wavelengthColor(double nm);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QList<double> values;
    QList<double> wavelengths;
};
