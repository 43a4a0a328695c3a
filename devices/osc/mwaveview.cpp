#include "mwaveview.h"

#include "glsupport.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {
const QColor kChannelColors[16] = {
    {255, 228, 16}, {0, 225, 255},   {255, 20, 255},  {0, 23, 255},   {127, 255, 0},   {255, 0, 255},
    {147, 112, 219}, {0, 255, 255},  {0, 0, 128},     {128, 0, 128},  {46, 139, 87},   {152, 251, 152},
    {0, 255, 127},  {0, 0, 255},     {135, 206, 250}, {255, 192, 203}};
} // namespace

QColor MWaveView::channelColor(int n) { return kChannelColors[qBound(0, n, 15)]; }

// Built with the chart it keeps: a view built without one makes a default
// chart, and setChart() does not delete the chart it replaces.
MWaveView::MWaveView(QWidget *parent) : QChartView(new QChart, parent), m_chart(chart())
{
    m_chart->setTheme(QChart::ChartThemeLight);
    m_chart->legend()->hide();
    m_chart->setBackgroundBrush(Qt::black);
    setRenderHint(QPainter::Antialiasing);

    const QColor labels(255, 255, 255, 150);
    m_axisX = new QValueAxis;
    m_axisX->setRange(0, 50);
    m_axisX->setTickCount(9);
    m_axisX->setTickType(QValueAxis::TicksFixed);
    m_axisX->setLabelFormat(QStringLiteral("%d"));
    m_axisX->setLabelsColor(labels);
    m_axisY = new QValueAxis;
    m_axisY->setRange(-25, 25);
    m_axisY->setTickCount(9);
    m_axisY->setLabelFormat(QStringLiteral("%.2f"));
    m_axisY->setLabelsColor(labels);
    m_chart->addAxis(m_axisX, Qt::AlignBottom);
    m_chart->addAxis(m_axisY, Qt::AlignLeft);
    // Panning, zooming and fitting move the X range: the series then get
    // what the new range shows. A wider or narrower plot changes how many
    // points a decimated range keeps.
    connect(m_axisX, &QValueAxis::rangeChanged, this, &MWaveView::onXRangeChanged);
    connect(m_chart, &QChart::plotAreaChanged, this, [this] {
        const int columns = plotColumns();
        if (columns == m_columns)
            return;
        m_columns = columns;
        for (auto it = m_channels.cbegin(); it != m_channels.cend(); ++it) {
            if (!m_staleChannels.contains(it.key()))
                m_staleChannels.append(it.key());
        }
        scheduleCatchUp();
    });

    for (int n = 0; n < 16; ++n)
        addChannel(n);

    m_menu = new QMenu(this);
    m_startAction = m_menu->addAction(QStringLiteral("开始"));
    m_pauseAction = m_menu->addAction(QStringLiteral("暂停"));
    m_menu->addAction(QStringLiteral("Show Coordinate"));
    m_startAction->setVisible(false);
    connect(m_pauseAction, &QAction::triggered, this, [this] {
        m_pauseAction->setVisible(false);
        m_startAction->setVisible(true);
        slots_pauseGraph();
    });
    connect(m_startAction, &QAction::triggered, this, [this] {
        m_startAction->setVisible(false);
        m_pauseAction->setVisible(true);
        slots_startGraph();
    });
}

MWaveView::~MWaveView() = default;

void MWaveView::showEvent(QShowEvent *event)
{
    // Whether the display can draw with OpenGL is asked when the chart is
    // first on screen: asking loads the OpenGL driver, which start-up should
    // not pay for a page nobody opens. A software rasterizer draws the
    // traces slower than plain drawing does, and every repaint of a window
    // holding an OpenGL view goes through it: then the traces do without.
    if (!m_glDecided)
        setUseOpenGL(GlSupport::accelerated());
    QChartView::showEvent(event);
    // What changed while the view was hidden is drawn now.
    if (m_dataBehind || m_seriesBehind) {
        if (m_dataBehind)
            followNewest();
        m_dataBehind = m_seriesBehind = false;
        refreshAll();
    }
}

void MWaveView::setUseOpenGL(bool on)
{
    m_glDecided = true;
    m_openGl = on && GlSupport::usable();
    for (QLineSeries *series : std::as_const(m_channels))
        series->setUseOpenGL(m_openGl);
}

bool MWaveView::onScreen() const { return isVisible(); }

int MWaveView::plotColumns() const
{
    const double width = m_chart->plotArea().width();
    const double columns = (width > 0 ? width : double(this->width())) * devicePixelRatioF();
    return qMax(1, int(std::ceil(columns)));
}

void MWaveView::followNewest()
{
    const double right = qMax(m_maxX, m_xWindow);
    m_settingRange = true;
    m_axisX->setRange(qMax(right - m_xWindow, 0.0), right);
    m_settingRange = false;
}

void MWaveView::onXRangeChanged()
{
    if (!onScreen()) {
        m_seriesBehind = true;
        return;
    }
    if (m_settingRange) {
        // New data moved the range: its channel is refreshed by the caller,
        // the others at the end of this turn (or by their own new data).
        for (auto it = m_channels.cbegin(); it != m_channels.cend(); ++it) {
            if (!m_staleChannels.contains(it.key()))
                m_staleChannels.append(it.key());
        }
        scheduleCatchUp();
        return;
    }
    refreshAll();
}

void MWaveView::scheduleCatchUp()
{
    if (m_catchUpPosted)
        return;
    m_catchUpPosted = true;
    QTimer::singleShot(0, this, [this] {
        m_catchUpPosted = false;
        if (!onScreen()) {
            m_seriesBehind = true;
            return;
        }
        const QList<int> stale = m_staleChannels;
        for (int n : stale)
            refreshChannel(n);
    });
}

void MWaveView::refreshAll()
{
    for (auto it = m_channels.cbegin(); it != m_channels.cend(); ++it)
        refreshChannel(it.key());
}

void MWaveView::refreshChannel(int n)
{
    m_staleChannels.removeAll(n);
    QLineSeries *series = m_channels.value(n);
    if (!series)
        return;
    const auto data = m_data.constFind(n);
    if (data == m_data.cend() || data->points.isEmpty()) {
        if (series->count() > 0)
            series->clear();
        return;
    }
    series->replace(visiblePoints(data->points, data->sorted, m_axisX->min(), m_axisX->max(), plotColumns()));
}

QList<QPointF> MWaveView::visiblePoints(const QList<QPointF> &points, bool sorted, double left, double right,
                                        int columns)
{
    if (!sorted || points.isEmpty())
        return points;
    const auto begin = points.cbegin();
    // Inside the range: [first, end).
    const qsizetype first =
        std::lower_bound(begin, points.cend(), left, [](const QPointF &p, double x) { return p.x() < x; }) - begin;
    const qsizetype end =
        std::upper_bound(begin, points.cend(), right, [](double x, const QPointF &p) { return x < p.x(); }) - begin;
    const qsizetype from = qMax<qsizetype>(first - 1, 0);
    const qsizetype to = qMin<qsizetype>(qMax(end, first) + 1, points.size());
    if (columns <= 0 || end - first <= 2 * qsizetype(columns) || !(right > left))
        return points.mid(from, to - from);

    // Per column its lowest and highest point, in x order: every spike
    // stays, and the lines between them span what all the points span.
    QList<QPointF> out;
    out.reserve(2 * columns + 2);
    if (from < first)
        out.append(points.at(from));
    const double scale = columns / (right - left);
    const auto columnOf = [&](const QPointF &p) { return qBound(0, int((p.x() - left) * scale), columns - 1); };
    for (qsizetype i = first; i < end;) {
        const int column = columnOf(points.at(i));
        qsizetype low = i, high = i, j = i + 1;
        for (; j < end && columnOf(points.at(j)) == column; ++j) {
            if (points.at(j).y() < points.at(low).y())
                low = j;
            if (points.at(j).y() > points.at(high).y())
                high = j;
        }
        out.append(points.at(qMin(low, high)));
        if (low != high)
            out.append(points.at(qMax(low, high)));
        i = j;
    }
    if (end < to)
        out.append(points.at(end));
    return out;
}

void MWaveView::addChannel(int n)
{
    if (QLineSeries *old = m_channels.value(n)) {
        m_chart->removeSeries(old);
        delete old;
    }
    auto *series = new QLineSeries;
    QPen pen(channelColor(n));
    pen.setWidth(3);
    series->setPen(pen);
    // Drawn with OpenGL only where the display gives a working context.
    series->setUseOpenGL(m_openGl);
    m_channels.insert(n, series);
    m_data.remove(n);
    m_chart->addSeries(series);
    series->attachAxis(m_axisX);
    series->attachAxis(m_axisY);
}

void MWaveView::setChannelData(int n, const QList<QPointF> &points)
{
    QLineSeries *series = m_channels.value(n);
    if (m_paused || !series)
        return;
    ChannelData &data = m_data[n];
    data.points = points; // shared, not copied
    data.sorted = std::is_sorted(points.cbegin(), points.cend(),
                                 [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); });
    if (points.isEmpty())
        m_maxX = 0;
    else
        m_maxX = qMax(m_maxX, points.last().x());
    if (!onScreen()) {
        m_dataBehind = true;
        return;
    }
    followNewest();
    refreshChannel(n);
}

void MWaveView::hideChannel(int n)
{
    if (QLineSeries *s = m_channels.value(n))
        s->setVisible(false);
}

void MWaveView::showChannel(int n)
{
    if (QLineSeries *s = m_channels.value(n))
        s->setVisible(true);
}

void MWaveView::zoomInX() { m_xWindow /= m_xZoom; }
void MWaveView::zoomOutX() { m_xWindow *= m_xZoom; }
void MWaveView::zoomInY() { m_yExtent /= m_yZoom; }
void MWaveView::zoomOutY() { m_yExtent *= m_yZoom; }

void MWaveView::slots_startGraph() { m_paused = false; }
void MWaveView::slots_pauseGraph() { m_paused = true; }

QRectF MWaveView::calculateDataRange()
{
    bool any = false;
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    // Over everything the channels were given, not only what the series
    // hold for the current range.
    for (auto it = m_channels.cbegin(); it != m_channels.cend(); ++it) {
        if (!it.value()->isVisible())
            continue;
        const QList<QPointF> pts = m_data.value(it.key()).points;
        for (const QPointF &p : pts) {
            if (!any) {
                minX = maxX = p.x();
                minY = maxY = p.y();
                any = true;
                continue;
            }
            minX = qMin(minX, p.x());
            maxX = qMax(maxX, p.x());
            minY = qMin(minY, p.y());
            maxY = qMax(maxY, p.y());
        }
    }
    if (!any)
        return QRectF();
    // A single point or a flat trace still gets an extent, so the axes
    // never collapse and the X window never reaches 0.
    if (maxX <= minX) {
        minX -= 0.5;
        maxX += 0.5;
    }
    if (maxY <= minY) {
        const double pad = qMax(1.0, std::abs(minY) * 0.05);
        minY -= pad;
        maxY += pad;
    }
    m_xWindow = maxX - minX;
    m_yExtent = maxY - minY;
    return QRectF(minX, minY, maxX - minX, maxY - minY);
}

void MWaveView::fitToData()
{
    const QRectF r = calculateDataRange();
    if (r.isNull())
        return; // nothing to fit: the axes stay
    m_axisX->setRange(r.left(), r.right());
    m_axisY->setRange(r.top(), r.bottom());
}

void MWaveView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = true;
        m_lastPos = event->pos();
        setCursor(Qt::ClosedHandCursor);
    }
    QChartView::mousePressEvent(event);
}

void MWaveView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragging = false;
        setCursor(Qt::ArrowCursor);
    }
    QChartView::mouseReleaseEvent(event);
}

void MWaveView::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->pos();
    if (m_dragging) {
        m_chart->scroll(-(pos.x() - m_lastPos.x()), pos.y() - m_lastPos.y());
        m_lastPos = pos;
    }
    const QPointF value = m_chart->mapToValue(mapToScene(pos));
    QToolTip::showText(event->globalPosition().toPoint(),
                       QStringLiteral("(%1,%2)").arg(QString::number(value.x(), 'g', 6),
                                                     QString::number(value.y(), 'g', 6)));
    QChartView::mouseMoveEvent(event);
}

void MWaveView::wheelEvent(QWheelEvent *event)
{
    QRectF r = m_chart->plotArea();
    const QPointF c = r.center();
    double fx = m_xZoom, fy = m_yZoom;
    if (event->angleDelta().y() / 8 >= 0) {
        fx = 1 / fx;
        fy = 1 / fy;
    }
    m_xWindow *= fx;
    r.setWidth(r.width() * fx);
    r.setHeight(r.height() * fy);
    const QPointF p = event->position();
    const double m = (fx + fy) / 2;
    r.moveCenter(QPointF(2 * c.x() - p.x() - (c.x() - p.x()) / m, 2 * c.y() - p.y() - (c.y() - p.y()) / m));
    m_chart->zoomIn(r);
    event->accept();
}

void MWaveView::contextMenuEvent(QContextMenuEvent *event)
{
    // The right button fits the view to the data; with Ctrl it offers the
    // pause and start menu instead.
    if (event->modifiers() & Qt::ControlModifier) {
        m_menu->popup(event->globalPos());
        return;
    }
    fitToData();
    event->accept();
}
