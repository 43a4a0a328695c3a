#include "kalvest_cieplot.h"

#include <QDir>
#include <QPainter>
#include <QSvgRenderer>

kalvest_cieplot::kalvest_cieplot(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(455, 445);
    setAttribute(Qt::WA_TranslucentBackground);
    m_svg = new QSvgRenderer(this);
    if (!m_svg->load(QStringLiteral(":/images/cie1931.svg")))
        m_svg->load(QDir::currentPath() + QStringLiteral("/cie1931.svg"));
}

kalvest_cieplot::~kalvest_cieplot() = default;

bool kalvest_cieplot::hasDiagram() const { return m_svg->isValid(); }

void kalvest_cieplot::setPoint(double x, double y, double lux, double cct)
{
    m_pointX = x;
    m_pointY = y;
    m_lux = lux;
    m_cct = cct;
    update();
}

QString kalvest_cieplot::labelText() const
{
    return QStringLiteral("x=%1\ny=%2\nLux:%3\nCCT:%4K")
        .arg(QString::number(m_pointX, 'f', 3), QString::number(m_pointY, 'f', 3), QString::number(m_lux, 'f', 1),
             QString::number(m_cct, 'f', 0));
}

void kalvest_cieplot::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_pointPos = QPointF();
    m_labelBox = QRect();
    if (m_svg->isValid()) {
        m_svg->render(&painter, QRectF(rect()));
    } else {
        painter.fillRect(rect(), Qt::lightGray);
        painter.setPen(Qt::black);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("无法加载 SVG 背景"));
    }
    const int w = width(), h = height();
    if (!(m_pointX >= 0 && m_pointY >= 0 && w > 0 && h > 0))
        return;
    double px = (m_pointX - m_xMin) / (m_xMax - m_xMin) * w;
    double py = h - (m_pointY - m_yMin) / (m_yMax - m_yMin) * h;
    if (px < 0 || py < 0)
        return;
    // Far-off values (1e308) still give defined pixel numbers.
    px = qMin(px, 1e6);
    py = qMin(py, 1e6);
    painter.setPen(Qt::red);
    painter.setBrush(Qt::red);
    painter.drawEllipse(QPointF(px, py), 5, 5);
    m_pointPos = QPointF(px, py);

    const QString text = labelText();
    QRect box = painter.fontMetrics().boundingRect(QRect(0, 0, 200, 100), Qt::AlignLeft, text);
    box.moveLeft(qRound(px) + 8);
    box.moveTop(qRound(py) - box.height() / 2);
    if (box.right() > w)
        box.moveRight(w - 5);
    if (box.left() < 0)
        box.moveLeft(5);
    if (box.bottom() > h)
        box.moveBottom(h - 5);
    if (box.top() < 0)
        box.moveTop(5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 180));
    painter.drawRoundedRect(box.adjusted(-2, -2, 2, 2), 3, 3, Qt::AbsoluteSize);
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignLeft, text);
    m_labelBox = box;
}
