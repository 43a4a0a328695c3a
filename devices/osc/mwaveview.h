#pragma once
// The oscilloscope page's chart: sixteen line channels on a black chart,
// an X window that scrolls with the newest data, drag to pan, wheel zoom
// about the pointer, fit to the data on the right button and a coordinate
// tooltip.

#include <QChartView>
#include <QLineSeries>
#include <QMap>
#include <QPoint>
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
    QValueAxis *axisX() const { return m_axisX; }
    QValueAxis *axisY() const { return m_axisY; }
    double xWindow() const { return m_xWindow; }
    bool isPaused() const { return m_paused; }
    // The menu of pause and start (also offered on a right click with Ctrl).
    QMenu *menu() const { return m_menu; }

    static QColor channelColor(int n);

public slots:
    void slots_startGraph();
    void slots_pauseGraph();
    QRectF calculateDataRange();
    // Fits both axes to the visible data (what the right button does).
    void fitToData();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
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
