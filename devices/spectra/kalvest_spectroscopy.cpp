#include "kalvest_spectroscopy.h"
#include "ui_kalvest_spectroscopy.h"

#include "kalvest_spectroscopy_spline.h"
#include "kalvest_spectroscopy_squarediagram.h"

#include <QChartView>
#include <QStackedWidget>

kalvest_spectroscopy::kalvest_spectroscopy(QWidget *parent) : QWidget(parent), ui(new Ui::kalvest_spectroscopy)
{
    ui->setupUi(this);
    chartStack = new QStackedWidget(this);
    ui->gridLayout->addWidget(chartStack);
    as7341Chart = new kalvest_spectroscopy_Squarediagram(kalvest_spectroscopy_Squarediagram::AS7341, this);
    as7343Chart = new kalvest_spectroscopy_Squarediagram(kalvest_spectroscopy_Squarediagram::AS7343, this);
    as7265xChart = new kalvest_spectroscopy_Squarediagram(kalvest_spectroscopy_Squarediagram::AS7265X, this);
    spectrumCurve = new kalvest_spectroscopy_spline(this);
    // The holders stay out of sight; only their chart views are stacked.
    as7341Chart->hide();
    as7343Chart->hide();
    as7265xChart->hide();
    chartStack->addWidget(as7341Chart->chartView);
    chartStack->addWidget(as7343Chart->chartView);
    chartStack->addWidget(as7265xChart->chartView);
    chartStack->addWidget(spectrumCurve);
    chartStack->setCurrentIndex(0);
}

kalvest_spectroscopy::~kalvest_spectroscopy() { delete ui; }

void kalvest_spectroscopy::set_chart_page(int page) { chartStack->setCurrentIndex(page); }

int kalvest_spectroscopy::chartPage() const { return chartStack->currentIndex(); }

kalvest_spectroscopy_Squarediagram *kalvest_spectroscopy::chart(int type) const
{
    switch (type) {
    case 0:
        return as7341Chart;
    case 1:
        return as7343Chart;
    case 2:
        return as7265xChart;
    default:
        return nullptr;
    }
}

void kalvest_spectroscopy::update_data_barset(uint8_t index, double value, uint8_t type, uint8_t mode)
{
    if (mode == 1) {
        spectrumCurve->set_point(uint8_t(index + 1), value);
        return;
    }
    if (mode != 0)
        return;
    kalvest_spectroscopy_Squarediagram *target = chart(type);
    if (target && index < target->channelCount())
        target->set_bar_value(index, value);
}

void kalvest_spectroscopy::resizeEvent(QResizeEvent *event) { QWidget::resizeEvent(event); }
