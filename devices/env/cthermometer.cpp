#include "cthermometer.h"
#include "gaugedrawing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QResizeEvent>

CThermometer::CThermometer(QWidget *parent) : QWidget(parent) {}

CThermometer::~CThermometer() = default;

void CThermometer::setValue(double value)
{
    m_value = value;
    if (value <= 0)
        m_mercuryColor = QColor(100, 184, 255);
    else if (value > 15 && value < 25)
        m_mercuryColor = QColor(24, 189, 155);
    else
        m_mercuryColor = QColor(250, 100, 100);
    update();
}

// Limits are kept on whole tens, truncated toward zero (75 gives 70,
// -35 gives -30).
void CThermometer::setMaxValue(int value)
{
    m_maxValue = value / 10 * 10;
    update();
}

void CThermometer::setMinValue(int value)
{
    m_minValue = value / 10 * 10;
    update();
}

// Minor divisions per ten degrees; zero or less has no picture and is
// refused.
void CThermometer::setMinorTicks(int ticks)
{
    if (ticks > 0)
        Gauge::store(*this, m_minorTicks, ticks);
}

QList<int> CThermometer::markValues() const
{
    QList<int> marks;
    const int steps = (m_maxValue - m_minValue) / 10;
    for (int i = 0; i <= steps; ++i)
        marks << m_minValue + 10 * i;
    return marks;
}

double CThermometer::columnHeight() const
{
    const double span = m_maxValue - m_minValue + 10;
    if (span <= 0)
        return 0;
    const double h = m_tube.height() * (m_value - m_minValue + 5) / span;
    return qBound(0.0, h, qMax(0.0, m_tube.height()));
}

void CThermometer::resizeEvent(QResizeEvent *event)
{
    m_tube = QRectF((width() - m_tubeWidth) / 2, m_topMargin, m_tubeWidth,
                    height() - m_bottomTerm - m_topMargin - m_tubeWidth * 4.5);
    QWidget::resizeEvent(event);
}

void CThermometer::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), m_background);

    const QColor grey(100, 100, 100);
    const double radiusUnit = m_tubeWidth / 3; // integer division, as drawn

    // Bulb behind the tube.
    const QRectF bulbBase(m_tube.left(), m_tube.bottom(), m_tubeWidth, m_tubeWidth + 12);
    painter.fillRect(bulbBase, grey);
    painter.setPen(Qt::NoPen);
    painter.setBrush(grey);
    painter.drawEllipse(QPointF(bulbBase.center().x(), bulbBase.bottom() - 12), radiusUnit * 5, radiusUnit * 5);

    // Tube.
    painter.fillRect(m_tube, grey);

    // Mercury in the bulb.
    const QRectF mercuryBase(m_tube.left() + 4, m_tube.bottom(), m_tubeWidth - 8, m_tubeWidth);
    painter.fillRect(mercuryBase, m_mercuryColor);
    painter.setBrush(m_mercuryColor);
    painter.drawEllipse(QPointF(mercuryBase.center().x(), mercuryBase.bottom()), radiusUnit * 4.5,
                        radiusUnit * 4.5);

    // Scale on both sides of the tube; limits that leave no mark draw none.
    const int steps = (m_maxValue - m_minValue) / 10;
    if (steps >= 0 && m_tube.height() > 0) {
        painter.setPen(m_scaleColor);
        const int marks = steps + 1;
        const double h = m_tube.height() / marks;
        const int divisions = 10 / m_minorTicks;
        const QFontMetricsF metrics(painter.font());
        for (int i = 0; i <= steps; ++i) {
            const double y = m_tube.bottom() - h / 2 - i * h;
            painter.drawLine(QPointF(m_tube.left() - 2, y), QPointF(m_tube.left() - 10, y));
            painter.drawLine(QPointF(m_tube.right() + 2, y), QPointF(m_tube.right() + 10, y));
            if (i < steps) {
                for (int j = 1; j < divisions; ++j) {
                    const double ym = y - j * h / divisions;
                    painter.drawLine(QPointF(m_tube.left() - 2, ym), QPointF(m_tube.left() - 7, ym));
                    painter.drawLine(QPointF(m_tube.right() + 2, ym), QPointF(m_tube.right() + 7, ym));
                }
            }
            const QString text = QString::number(m_minValue + 10 * i);
            const double tw = metrics.horizontalAdvance(text);
            const double th = metrics.height();
            const QRectF box(m_tube.left() - 10 - tw - 5, y - th / 2, tw, th);
            painter.drawText(box, Qt::AlignCenter, text);
        }
    }

    // Mercury column from the bottom of the tube.
    const double column = columnHeight();
    if (column > 0) {
        const QRectF inner = m_tube.adjusted(4, 0, -4, 0);
        painter.fillRect(QRectF(inner.left(), inner.bottom() - column, inner.width(), column), m_mercuryColor);
    }

    // Caption above the tube.
    const QFontMetricsF widgetMetrics(font());
    const double w = widgetMetrics.horizontalAdvance(QStringLiteral("°C"));
    const double lineHeight = widgetMetrics.height();
    QFont captionFont(QStringLiteral("Microsoft YaHei"));
    captionFont.setPointSizeF(12);
    captionFont.setWeight(QFont::Bold);
    painter.setFont(captionFont);
    painter.setPen(m_scaleColor);
    const QRectF captionBox(QPointF(m_tube.left() - w - 65, m_tube.top() - lineHeight),
                            QPointF(m_tube.left() + 105, m_tube.top()));
    painter.drawText(captionBox, Qt::AlignCenter, QString::number(m_value, 'g', 6) + QStringLiteral("°C"));
}
