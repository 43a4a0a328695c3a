#pragma once
// The oscilloscope page's chart: sixteen line channels on a black chart,
// an X window that scrolls with the newest data, drag to pan, wheel zoom
// about the pointer, fit to the data on the right button and a coordinate
// tooltip.
//
// The view keeps every channel's whole point list, but its line series
// hold only what the X axis shows: the points inside the axis range and
// the nearest point on each side (so lines reach the edges). When the
// range holds more than two points per pixel column of the plot, each
// column keeps its lowest and highest point, so spikes stay visible. A view that
// is not on screen only stores what it is given and catches up when it is
// shown.

#include <QChartView>
#include <QLineSeries>
#include <QList>
#include <QMap>
#include <QPoint>
#include <QPointF>
#include <QValueAxis>

class QAction;
class QMenu;

class MWaveView : public QChartView
{
    Q_OBJECT

public:
    explicit MWaveView(QWidget *parent = nullptr);
    ~MWaveView() override;

    void addChannel(int n);
    void setChannelData(int n, const QList<QPointF> &points);
    void hideChannel(int n);
    void showChannel(int n);
    void zoomInX();
    void zoomOutX();
    void zoomInY();
    void zoomOutY();

    QLineSeries *channel(int n) const { return m_channels.value(n); }
    // Every point of channel n last handed to setChannelData (the series
    // shows the part of it inside the X range).
    QList<QPointF> channelData(int n) const { return m_data.value(n).points; }
    QValueAxis *axisX() const { return m_axisX; }
    QValueAxis *axisY() const { return m_axisY; }
    double xWindow() const { return m_xWindow; }
    bool isPaused() const { return m_paused; }
    // The menu of pause and start (also offered on a right click with Ctrl).
    QMenu *menu() const { return m_menu; }

    static QColor channelColor(int n);

    // Draws the series with OpenGL (when the display has a context) or
    // without. The view decides by itself when first shown: with OpenGL
    // only where graphics hardware draws it. Benchmarks compare the two.
    void setUseOpenGL(bool on);

public slots:
    void slots_startGraph();
    void slots_pauseGraph();
    QRectF calculateDataRange();
    // Fits both axes to the visible data (what the right button does).
    void fitToData();

    // The points of a sorted (by x) list that a series needs to draw the X
    // range [left, right] across `columns` pixel columns: the points inside
    // the range and the nearest one on each side; with more inside than
    // 2 x columns, only the lowest and highest of each column, in x order.
    // A list that is not sorted by x is returned whole.
    static QList<QPointF> visiblePoints(const QList<QPointF> &points, bool sorted, double left, double right,
                                        int columns);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    struct ChannelData {
        QList<QPointF> points;
        bool sorted = true;
    };
    // Whether updates would reach the screen.
    bool onScreen() const;
    void followNewest();
    int plotColumns() const;
    // Hands series n what the current X range shows.
    void refreshChannel(int n);
    void refreshAll();
    void scheduleCatchUp();
    void onXRangeChanged();

    QMap<int, ChannelData> m_data;
    // Channels whose series does not yet match the X range or their data.
    QList<int> m_staleChannels;
    bool m_catchUpPosted = false;
    bool m_settingRange = false;
    // While the view was not on screen, data came (the X range follows it
    // when shown) or the X range changed (the series follow it when shown).
    bool m_dataBehind = false;
    bool m_seriesBehind = false;
    int m_columns = 0;
    QChart *m_chart = nullptr;
    QMap<int, QLineSeries *> m_channels;
    QValueAxis *m_axisX = nullptr;
    QValueAxis *m_axisY = nullptr;
    double m_xWindow = 50;
    double m_xZoom = 1.2;
    double m_yZoom = 1.2;
    double m_yExtent = 50;
    double m_maxX = 0;
    bool m_dragging = false;
    QPoint m_lastPos;
    bool m_paused = false;
    bool m_openGl = false;
    bool m_glDecided = false;
    QMenu *m_menu = nullptr;
    QAction *m_startAction = nullptr;
    QAction *m_pauseAction = nullptr;
};
