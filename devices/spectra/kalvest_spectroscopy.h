#pragma once
// The "Spectra" page's chart widget: one bar chart per sensor model
// (AS7341, AS7343, AS7265X) and a painted spectrum curve, stacked; the page
// routes each reading here.

#include <QWidget>

class QStackedWidget;
class kalvest_spectroscopy_Squarediagram;
class kalvest_spectroscopy_spline;

QT_BEGIN_NAMESPACE
namespace Ui {
class kalvest_spectroscopy;
}
QT_END_NAMESPACE

class kalvest_spectroscopy : public QWidget
{
    Q_OBJECT

public:
    explicit kalvest_spectroscopy(QWidget *parent = nullptr);
    ~kalvest_spectroscopy() override;

    // 0 AS7341 bars, 1 AS7343 bars, 2 AS7265X bars, 3 spectrum curve.
    void set_chart_page(int page);
    int chartPage() const;
    QStackedWidget *stack() const { return chartStack; }
    kalvest_spectroscopy_Squarediagram *chart(int type) const;
    kalvest_spectroscopy_spline *curve() const { return spectrumCurve; }

public slots:
    // Mode 1 writes curve point index + 1 (modulo 256) whatever the type;
    // mode 0 writes bar `index` of the type's chart (0 AS7341, 1 AS7343,
    // 2 AS7265X) when the chart has it. Anything else changes nothing.
    void update_data_barset(uint8_t index, double value, uint8_t type, uint8_t mode);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    Ui::kalvest_spectroscopy *ui;
    QStackedWidget *chartStack = nullptr;
    kalvest_spectroscopy_Squarediagram *as7341Chart = nullptr;
    kalvest_spectroscopy_Squarediagram *as7343Chart = nullptr;
    kalvest_spectroscopy_Squarediagram *as7265xChart = nullptr;
    kalvest_spectroscopy_spline *spectrumCurve = nullptr;
};
