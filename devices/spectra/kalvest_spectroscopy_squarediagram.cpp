#include "kalvest_spectroscopy_squarediagram.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QValueAxis>

kalvest_spectroscopy_Squarediagram::kalvest_spectroscopy_Squarediagram(Model model, QWidget *parent)
    : QWidget(parent)
{
    switch (model) {
    case AS7341:
        init_AS7341_chart();
        break;
    case AS7343:
        init_AS7343_chart();
        break;
    case AS7265X:
        init_AS7265X_chart();
        break;
    }
}

// The chart view is placed elsewhere (and owned there); the chart belongs
// to its view.
kalvest_spectroscopy_Squarediagram::~kalvest_spectroscopy_Squarediagram() = default;

void kalvest_spectroscopy_Squarediagram::init_AS7341_chart()
{
    static const Channel channels[] = {
        {"F1", 112, 48, 160}, {"F2", 0, 32, 96},   {"F3", 0, 176, 240}, {"F4", 0, 255, 255}, {"F5", 0, 176, 80},
        {"F6", 255, 255, 0},  {"F7", 255, 192, 0}, {"F8", 255, 0, 0},   {"NIR", 192, 0, 0},
    };
    build(channels, int(std::size(channels)));
}

void kalvest_spectroscopy_Squarediagram::init_AS7343_chart()
{
    static const Channel channels[] = {
        {"F1", 112, 48, 160}, {"F2", 0, 32, 96},  {"F3", 0, 176, 240},  {"F4", 94, 157, 214},
        {"F5", 146, 208, 80}, {"F6", 197, 90, 17}, {"F7", 255, 0, 0},    {"F8", 192, 0, 0},
        {"NIR", 128, 0, 0},   {"FXL", 255, 102, 0}, {"FZ", 0, 112, 192}, {"FY", 0, 176, 80},
    };
    build(channels, int(std::size(channels)));
}

void kalvest_spectroscopy_Squarediagram::init_AS7265X_chart()
{
    static const Channel channels[] = {
        {"(410nm)", 150, 0, 255},   {"(435nm)", 80, 0, 255},    {"(460nm)", 0, 50, 255},
        {"(485nm)", 0, 180, 255},   {"(510nm)", 0, 255, 180},   {"(535nm)", 50, 255, 50},
        {"(560nm)", 180, 255, 0},   {"(585nm)", 255, 255, 50},  {"(610nm)", 255, 150, 0},
        {"(645nm)", 255, 50, 50},   {"(680nm)", 255, 30, 30},   {"(705nm)", 255, 20, 20},
        {"(730nm)", 255, 10, 10},   {"(760nm)", 128, 0, 0},     {"(810nm)", 50, 50, 50},
        {"(860nm)", 100, 100, 100}, {"(900nm)", 140, 140, 140}, {"(940nm)", 160, 160, 160},
    };
    build(channels, int(std::size(channels)));
}

void kalvest_spectroscopy_Squarediagram::build(const Channel *channels, int count)
{
    auto *series = new QBarSeries;
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
    for (int i = 0; i < count; ++i) {
        auto *set = new QBarSet(QString());
        series->append(set);
        set->append(0.0);
        set->setColor(QColor(channels[i].r, channels[i].g, channels[i].b, 255));
        set->setLabel(QString::fromLatin1(channels[i].label));
        barSets.append(set);
    }
    chart = new QChart;
    chart->addSeries(series);
    series->setBarWidth(1.0);

    auto *axisX = new QBarCategoryAxis;
    chart->addAxis(axisX, Qt::AlignBottom);
    series->attachAxis(axisX);
    auto *axisY = new QValueAxis;
    axisY->setRange(0, 1);
    chart->addAxis(axisY, Qt::AlignLeft);
    series->attachAxis(axisY);

    chartView = new QChartView(chart);
}

void kalvest_spectroscopy_Squarediagram::set_bar_value(uint8_t index, double value)
{
    if (QBarSet *set = barSets.value(index))
        set->replace(0, value);
}
