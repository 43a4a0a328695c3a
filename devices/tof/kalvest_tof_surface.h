#pragma once
// The "TOF" page's 3D view: a surface (Qt Data Visualization) whose height
// follows the zone distances. Without a usable OpenGL context a plain
// placeholder stands in for the graph; zones and data are kept either way.

#include <QList>
#include <QPoint>
#include <QWidget>
#include <QtDataVisualization/QSurfaceDataProxy>

QT_BEGIN_NAMESPACE
namespace Ui {
class kalvest_tof_surface;
}
class QLabel;
QT_END_NAMESPACE

class Q3DSurface;
class QSurface3DSeries;

class kalvest_tof_surface : public QWidget
{
    Q_OBJECT

public:
    explicit kalvest_tof_surface(QWidget *parent = nullptr);
    ~kalvest_tof_surface() override;

    // Rebuilds zones, data and graph for a resolution mode.
    void set_mode(int mode);
    // Caps the heights and sets the height axis to 0 .. distance.
    void set_max_distance(int distance);
    // Moves zone k of `zones` to height min(maxDistance, distances[k]);
    // zones outside the data, or without a distance, are skipped.
    void update_surface(const QList<QPoint> &zones, const QList<double> &distances);

    // The graph, or null when the display has no usable OpenGL context.
    Q3DSurface *surfaceGraph() const { return graph; }
    QSurface3DSeries *surfaceSeries() const { return series; }
    QWidget *graphContainer() const { return container; }
    QLabel *placeholder() const { return m_placeholder; }
    const QSurfaceDataArray &data() const { return *dataArray; }

    QList<QPoint> zones;
    int maxDistance = 4000;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void fillData(int rows, int cols);
    void makeGraph(int rows, int cols, float heightTop);

    Ui::kalvest_tof_surface *ui;
    QSurfaceDataArray *dataArray = nullptr; // owned by the series' proxy
    QSurface3DSeries *series = nullptr;
    Q3DSurface *graph = nullptr;
    QWidget *container = nullptr;
    QLabel *m_placeholder = nullptr;
    bool m_shown = false;       // the graph is made on first show
    bool m_firstGraph = true;   // the first graph gets the axis titles
    int m_pendingRows = 8, m_pendingCols = 8;
    float m_pendingTop = 8000;
    bool m_rangeSet = false;    // a height range was set after the last rebuild
};
