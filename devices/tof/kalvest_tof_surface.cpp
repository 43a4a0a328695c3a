#include "kalvest_tof_surface.h"
#include "ui_kalvest_tof_surface.h"

#include "glsupport.h"
#include "tofframes.h"

#include <QLabel>
#include <QLinearGradient>
#include <QtDataVisualization/Q3DCamera>
#include <QtDataVisualization/Q3DScene>
#include <QtDataVisualization/Q3DSurface>
#include <QtDataVisualization/Q3DTheme>
#include <QtDataVisualization/QSurface3DSeries>
#include <QtDataVisualization/QValue3DAxis>
#include <QtDataVisualization/qutils.h>

kalvest_tof_surface::kalvest_tof_surface(QWidget *parent) : QWidget(parent), ui(new Ui::kalvest_tof_surface)
{
    maxDistance = 4000;
    ui->setupUi(this);
    setAutoFillBackground(true);
    dataArray = new QSurfaceDataArray;

    series = new QSurface3DSeries(this);
    series->dataProxy()->resetArray(dataArray);
    fillData(8, 8);
    series->setDrawMode(QSurface3DSeries::DrawSurface);
    QLinearGradient gradient(0, 0, 0, 1);
    gradient.setColorAt(0.0, Qt::darkGreen);
    gradient.setColorAt(0.5, Qt::yellow);
    gradient.setColorAt(0.8, Qt::red);
    gradient.setColorAt(1.0, Qt::darkRed);
    series->setBaseGradient(gradient);
    series->setColorStyle(Q3DTheme::ColorStyleRangeGradient);
    series->setFlatShadingEnabled(false);
    series->setItemLabelVisible(false);
    series->setItemLabelFormat(QString());

    makeGraph(8, 8, 8000);
    series->dataProxy()->resetArray(dataArray);

    // Until the first rebuild the column runs in the outer loop.
    for (int k = 0; k < 64; ++k)
        zones.append(QPoint(k / 8, k % 8));
}

kalvest_tof_surface::~kalvest_tof_surface()
{
    // The series outlives graph rebuilds; take it back before the graph
    // (which may have adopted it) goes.
    if (graph) {
        graph->removeSeries(series);
        series->setParent(this);
    }
    delete ui;
}

void kalvest_tof_surface::fillData(int rows, int cols)
{
    qDeleteAll(*dataArray);
    dataArray->clear();
    dataArray->reserve(rows);
    for (int r = 0; r < rows; ++r) {
        auto *row = new QSurfaceDataRow(cols);
        for (int c = 0; c < cols; ++c)
            (*row)[c].setPosition(QVector3D(float(c), 3000.0f, float(r)));
        dataArray->append(row);
    }
}

void kalvest_tof_surface::showEvent(QShowEvent *event)
{
    if (!m_shown) {
        m_shown = true;
        makeGraph(m_pendingRows, m_pendingCols, m_pendingTop);
        if (m_rangeSet)
            set_max_distance(maxDistance);
    }
    QWidget::showEvent(event);
}

void kalvest_tof_surface::makeGraph(int rows, int cols, float heightTop)
{
    // The graph is made when the view is first on screen: asking for
    // OpenGL loads the driver, which start-up should not pay for a page
    // nobody opens.
    if (!m_shown) {
        m_pendingRows = rows;
        m_pendingCols = cols;
        m_pendingTop = heightTop;
        m_rangeSet = false;
        return;
    }
    if (!GlSupport::usable()) {
        if (!m_placeholder) {
            m_placeholder = new QLabel(tr("The 3D view needs OpenGL, which this display does not offer."), this);
            m_placeholder->setAlignment(Qt::AlignCenter);
            m_placeholder->setWordWrap(true);
            ui->gridLayout_3dsurface->addWidget(m_placeholder);
            m_placeholder->show();
        }
        return;
    }
    // Multisampled edges only on a graphics card: drawn in software they
    // took three times as long as the surface itself (8 samples: about
    // 25 ms a frame against 8 ms for 1536 zones).
    const QSurfaceFormat format = qDefaultSurfaceFormat(!GlSupport::softwareRenderer());
    graph = new Q3DSurface(&format);
    graph->axisY()->setRange(0, heightTop);
    graph->axisX()->setRange(0, float(cols - 1));
    graph->axisZ()->setRange(0, float(rows - 1));
    graph->addSeries(series);
    // No shadows: drawing them took more than half of each frame (64 ms
    // against 29 ms for 1536 zones with software OpenGL).
    graph->setShadowQuality(QAbstract3DGraph::ShadowQualityNone);
    graph->activeTheme()->setLabelBackgroundEnabled(false);
    graph->axisX()->setLabelFormat(QString());
    graph->axisY()->setLabelFormat(QString());
    graph->axisZ()->setLabelFormat(QString());
    container = QWidget::createWindowContainer(graph, this);
    ui->gridLayout_3dsurface->addWidget(container);
    Q3DCamera *camera = graph->scene()->activeCamera();
    camera->setXRotation(-90);
    camera->setYRotation(45);
    camera->setZoomLevel(100);
    if (m_firstGraph) {
        m_firstGraph = false;
        graph->axisX()->setTitle(QStringLiteral("X轴"));
        graph->axisY()->setTitle(QStringLiteral("Y轴"));
        graph->axisZ()->setTitle(QStringLiteral("Z轴"));
    }
}

void kalvest_tof_surface::set_mode(int mode)
{
    const TofFrames::Grid grid = TofFrames::gridForMode(mode);
    zones.clear();
    for (int k = 0; k < grid.rows * grid.cols; ++k)
        zones.append(QPoint(k % grid.cols, k / grid.cols));
    fillData(grid.rows, grid.cols);
    if (graph) {
        graph->removeSeries(series);
        series->setParent(this);
        delete container; // deletes the graph it holds
        graph = nullptr;
        container = nullptr;
    }
    makeGraph(grid.rows, grid.cols, 12000);
    series->dataProxy()->resetArray(dataArray);
}

void kalvest_tof_surface::set_max_distance(int distance)
{
    maxDistance = distance;
    m_rangeSet = true;
    if (graph && graph->axisY())
        graph->axisY()->setRange(0, float(distance));
}

void kalvest_tof_surface::update_surface(const QList<QPoint> &zoneList, const QList<double> &distances)
{
    const int rows = int(dataArray->size());
    for (int k = 0; k < zoneList.size() && k < distances.size(); ++k) {
        const int x = zoneList.at(k).x();
        const int y = zoneList.at(k).y();
        if (y < 0 || y >= rows || x < 0 || x >= dataArray->at(y)->size())
            continue;
        const double h = qMin(double(maxDistance), distances.at(k));
        (*(*dataArray)[y])[x].setPosition(QVector3D(float(x), float(h), float(y)));
    }
    series->dataProxy()->resetArray(dataArray);
}
