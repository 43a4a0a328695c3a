#pragma once
// The charts of the "GPS Signal" dialog: a polar sky plot with one point
// per tracked satellite at its azimuth and elevation, and one signal bar
// chart per system (GPS, BeiDou, GLONASS, Galileo, QZSS). Bars stand in the
// order the satellites first appeared; a satellite whose ratio falls below
// 5 loses its bar, one at 5 or less leaves the sky plot. Each system keeps
// at most kMaxSatellites satellites: a new one beyond them replaces the one
// not reported for longest, so a stream of ever new numbers cannot make the
// charts grow.

#include <QColor>
#include <QHash>
#include <QMap>
#include <QPair>
#include <QSet>
#include <QStringList>
#include <QWidget>

#include "gpssatellites.h"

class QBarCategoryAxis;
class QBarSet;
class QChart;
class QChartView;
class QPolarChart;
class QScatterSeries;
class QStackedBarSeries;
class QValueAxis;
class Callout;

class GpsSignalCharts : public QWidget
{
    Q_OBJECT

public:
    struct SystemStyle
    {
        const char *barSetLabel;
        const char *prefix;
        QColor colour;
        int row, column;
    };
    // Index = system code - 1.
    static const SystemStyle kSystems[5];
    // Satellites kept per system (far more than a receiver has in view).
    static constexpr int kMaxSatellites = 99;

    explicit GpsSignalCharts(QWidget *parent = nullptr);
    ~GpsSignalCharts() override;

    // Draws one satellite (system 1 to 5; others are ignored).
    void draw(const nmea_slmsg &entry);

    // For the tests: the bar labels and values of a system (1 to 5), the
    // sky series of a satellite (null when never seen), whether it is on
    // the sky plot, the sky chart and the balloon.
    QStringList barLabels(int system) const;
    QList<qreal> barValues(int system) const;
    QScatterSeries *skySeries(int system, int prn) const { return m_sky.value({system, prn}); }
    bool plotted(int system, int prn) const { return m_plotted.contains({system, prn}); }
    // Satellites of a system the charts keep (with a bar, a point or neither).
    int tracked(int system) const;
    QPolarChart *skyChart() const { return m_skyChart; }
    QChartView *skyView() const { return m_skyView; }
    Callout *callout() const { return m_callout; }

public slots:
    // Shows (state true) or hides the balloon of the sky point under the mouse.
    void GPS_SignaltipSlot(QPointF point, bool state);

private:
    // Forgets the satellite of `system` reported longest ago.
    void dropOldest(int system);

    struct Bars
    {
        QChart *chart = nullptr;
        QStackedBarSeries *series = nullptr;
        QBarSet *set = nullptr;
        QBarCategoryAxis *axis = nullptr;
        QStringList categories;
    };

    QPolarChart *m_skyChart = nullptr;
    QChartView *m_skyView = nullptr;
    QValueAxis *m_angular = nullptr;
    QValueAxis *m_radial = nullptr;
    // Keyed by (system, satellite number): GPS and BeiDou numbers overlap.
    QMap<QPair<int, int>, QScatterSeries *> m_sky;
    QSet<QPair<int, int>> m_plotted;
    // When each satellite was last drawn (a running count).
    QHash<QPair<int, int>, quint64> m_lastSeen;
    quint64 m_draws = 0;
    Callout *m_callout = nullptr;
    Bars m_bars[5];
};
