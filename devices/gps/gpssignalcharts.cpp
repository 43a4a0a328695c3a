#include "gpssignalcharts.h"

#include "callout.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChartView>
#include <QGridLayout>
#include <QPolarChart>
#include <QScatterSeries>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <limits>

const GpsSignalCharts::SystemStyle GpsSignalCharts::kSystems[5] = {
    {"GPS", "GP", QColor(32, 159, 223), 1, 0},
    {"BEIDOU", "GB", QColor(249, 107, 24), 2, 0},
    {"GLONASS", "GL", QColor(153, 202, 83), 2, 1},
    {"GALILEE", "GA", QColor(249, 245, 83), 1, 1},
    {"QZSS", "GQ", QColor(142, 48, 9), 0, 1},
};

GpsSignalCharts::GpsSignalCharts(QWidget *parent)
    : QWidget(parent)
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);

    m_skyChart = new QPolarChart();
    m_angular = new QValueAxis();
    m_angular->setTickCount(25);
    m_angular->setLabelFormat(QStringLiteral("%d"));
    m_angular->setShadesVisible(true);
    m_angular->setShadesBrush(QBrush(QColor(249, 249, 255)));
    m_skyChart->addAxis(m_angular, QPolarChart::PolarOrientationAngular);
    m_radial = new QValueAxis();
    m_radial->setTickCount(10);
    m_radial->setLabelFormat(QStringLiteral("%d"));
    m_radial->setLabelsVisible(false);
    m_skyChart->addAxis(m_radial, QPolarChart::PolarOrientationRadial);
    m_radial->setRange(0, 90);
    m_angular->setRange(0, 360);
    m_skyChart->legend()->hide();
    m_skyView = new QChartView(m_skyChart);
    m_skyView->setRenderHint(QPainter::Antialiasing);
    grid->addWidget(m_skyView, 0, 0);

    // Each opening starts with empty bar charts: bars appear as satellites
    // are measured.
    for (int i = 0; i < 5; ++i) {
        Bars &b = m_bars[i];
        b.chart = new QChart();
        b.series = new QStackedBarSeries();
        b.set = new QBarSet(QLatin1String(kSystems[i].barSetLabel));
        b.set->setColor(kSystems[i].colour);
        b.series->append(b.set);
        b.chart->addSeries(b.series);
        b.axis = new QBarCategoryAxis();
        b.axis->setTitleText(QString());
        b.axis->setTitleVisible(false);
        b.chart->addAxis(b.axis, Qt::AlignBottom);
        b.series->attachAxis(b.axis);
        auto *values = new QValueAxis();
        values->setRange(0, 50);
        values->setTitleText(QString());
        values->setTitleVisible(false);
        b.chart->addAxis(values, Qt::AlignLeft);
        b.series->attachAxis(values);
        b.chart->legend()->show();
        auto *view = new QChartView(b.chart);
        view->setRenderHint(QPainter::Antialiasing);
        grid->addWidget(view, kSystems[i].row, kSystems[i].column);
    }
}

GpsSignalCharts::~GpsSignalCharts()
{
    // Series on the sky plot go with their chart; the others are ours.
    for (auto it = m_sky.cbegin(); it != m_sky.cend(); ++it) {
        if (!m_plotted.contains(it.key()))
            delete it.value();
    }
}

void GpsSignalCharts::draw(const nmea_slmsg &e)
{
    if (e.system < 1 || e.system > 5)
        return;
    const QPair<int, int> key(e.system, e.prn);
    const SystemStyle &style = kSystems[e.system - 1];
    if (!m_sky.contains(key) && tracked(e.system) >= kMaxSatellites)
        dropOldest(e.system);
    m_lastSeen.insert(key, ++m_draws);

    // Bars: one per satellite, in order of first appearance.
    Bars &b = m_bars[e.system - 1];
    const QString label = QLatin1String(style.prefix) + QString::number(e.prn);
    int i = b.categories.indexOf(label);
    if (i < 0) {
        b.categories.append(label);
        i = b.categories.size() - 1;
    }
    if (i < b.set->count())
        b.set->replace(i, e.snr);
    else
        b.set->append(e.snr);
    if (e.snr < 5) {
        b.set->remove(i);
        b.set->append(0);
        b.categories.removeAt(i);
    }
    b.axis->setCategories(b.categories);

    // Sky plot: a point while the ratio is above 5.
    QScatterSeries *series = m_sky.value(key);
    if (!series) {
        series = new QScatterSeries();
        m_sky.insert(key, series);
    }
    if (m_plotted.contains(key) && e.snr <= 5) {
        series->clear();
        m_skyChart->removeSeries(series); // the chart gives it back
        m_plotted.remove(key);
    }
    if (!m_plotted.contains(key) && e.snr > 5) {
        series->setName(QString::number(e.prn));
        series->append(e.azimuth, 90 - e.elevation);
        m_skyChart->addSeries(series);
        series->attachAxis(m_radial);
        series->attachAxis(m_angular);
        connect(series, &QScatterSeries::hovered, this, &GpsSignalCharts::GPS_SignaltipSlot, Qt::UniqueConnection);
        m_plotted.insert(key);
        series->setColor(style.colour);
    }
}

int GpsSignalCharts::tracked(int system) const
{
    int n = 0;
    for (auto it = m_sky.lowerBound({system, std::numeric_limits<int>::min()});
         it != m_sky.cend() && it.key().first == system; ++it)
        ++n;
    return n;
}

void GpsSignalCharts::dropOldest(int system)
{
    auto oldest = m_sky.end();
    quint64 oldestSeen = std::numeric_limits<quint64>::max();
    for (auto it = m_sky.lowerBound({system, std::numeric_limits<int>::min()});
         it != m_sky.end() && it.key().first == system; ++it) {
        const quint64 seen = m_lastSeen.value(it.key());
        if (seen < oldestSeen) {
            oldestSeen = seen;
            oldest = it;
        }
    }
    if (oldest == m_sky.end())
        return;
    const QPair<int, int> key = oldest.key();
    QScatterSeries *series = oldest.value();
    m_sky.erase(oldest);
    m_lastSeen.remove(key);

    // Its bar goes the way a weak satellite's does: the bars after it move
    // one place left and the bar set keeps its length.
    Bars &b = m_bars[system - 1];
    const int i = b.categories.indexOf(QLatin1String(kSystems[system - 1].prefix) + QString::number(key.second));
    if (i >= 0) {
        if (i < b.set->count()) {
            b.set->remove(i);
            b.set->append(0);
        }
        b.categories.removeAt(i);
        b.axis->setCategories(b.categories);
    }
    if (m_plotted.remove(key))
        m_skyChart->removeSeries(series);
    delete series;
}

void GpsSignalCharts::GPS_SignaltipSlot(QPointF point, bool state)
{
    if (!m_callout)
        m_callout = new Callout(m_skyChart);
    auto *series = qobject_cast<QScatterSeries *>(sender());
    const QString name = series ? series->name() : QString();
    if (state) {
        m_callout->setText(QStringLiteral("PRN number: %1 \nElevation: %2 \nAzimuth: %3 ")
                               .arg(name, QString::number(90 - point.y()), QString::number(point.x())));
        m_callout->setAnchor(point);
        m_callout->setZValue(99);
        m_callout->updateGeometry();
        m_callout->show();
    } else {
        m_callout->hide();
    }
}

QStringList GpsSignalCharts::barLabels(int system) const
{
    return system >= 1 && system <= 5 ? m_bars[system - 1].categories : QStringList();
}

QList<qreal> GpsSignalCharts::barValues(int system) const
{
    QList<qreal> v;
    if (system >= 1 && system <= 5) {
        const QBarSet *set = m_bars[system - 1].set;
        for (int i = 0; i < set->count(); ++i)
            v.append(set->at(i));
    }
    return v;
}
