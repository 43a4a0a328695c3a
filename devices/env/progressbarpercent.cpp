#include "progressbarpercent.h"
#include "gaugedrawing.h"

#include <QPainter>
#include <QPainterPath>

ProgressBarPercent::ProgressBarPercent(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(150, 150);
    setFont(QFont(QStringLiteral("Arial"), 7));
}

ProgressBarPercent::~ProgressBarPercent() = default;

void ProgressBarPercent::setRange(int minValue, int maxValue)
{
    if (minValue >= maxValue)
        return;
    m_minValue = minValue;
    m_maxValue = maxValue;
    update();
}

void ProgressBarPercent::setMinValue(int value) { setRange(value, m_maxValue); }
void ProgressBarPercent::setMaxValue(int value) { setRange(m_minValue, value); }

void ProgressBarPercent::setValue(double value)
{
    if (value < m_minValue || value > m_maxValue || value == m_value)
        return;
    m_usedColor = Gauge::bandColour(value, {{45, true, QColor(240, 189, 24)}, {75, false, QColor(24, 189, 155)}},
                                    QColor(100, 184, 255));
    m_value = value;
    update();
    emit valueChanged(int(value));
}


void ProgressBarPercent::setNullPosition(int degrees) { Gauge::store(*this, m_nullPosition, degrees); }
void ProgressBarPercent::setLineWidth(int width) { Gauge::store(*this, m_lineWidth, width); }
void ProgressBarPercent::setShowPercent(bool on) { Gauge::store(*this, m_showPercent, on); }
void ProgressBarPercent::setShowFree(bool on) { Gauge::store(*this, m_showFree, on); }
void ProgressBarPercent::setShowSmallCircle(bool on) { Gauge::store(*this, m_showSmallCircle, on); }
void ProgressBarPercent::setClockWise(bool on) { Gauge::store(*this, m_clockWise, on); }
void ProgressBarPercent::setUsedColor(const QColor &color) { Gauge::store(*this, m_usedColor, color); }
void ProgressBarPercent::setFreeColor(const QColor &color) { Gauge::store(*this, m_freeColor, color); }
void ProgressBarPercent::setCircleColor(const QColor &color) { Gauge::store(*this, m_circleColor, color); }
void ProgressBarPercent::setTextColor(const QColor &color) { Gauge::store(*this, m_textColor, color); }
void ProgressBarPercent::setPercentStyle(PercentStyle style) { Gauge::store(*this, m_percentStyle, style); }

QString ProgressBarPercent::text() const
{
    if (m_showPercent)
        return QString::number(m_value / (m_maxValue - m_minValue) * 100) + QLatin1Char('%');
    return QString::number(m_value);
}

void ProgressBarPercent::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    Gauge::centreSquare(painter, *this);

    int backgroundRadius = 99;
    if (m_percentStyle == PercentStyle_Arc)
        backgroundRadius = 99 - m_lineWidth;
    else if (m_percentStyle == PercentStyle_Arc_Polo)
        backgroundRadius = 99 - 2 * m_lineWidth;
    painter.setPen(Qt::NoPen);
    painter.setBrush(m_circleColor);
    painter.drawEllipse(QRectF(-backgroundRadius, -backgroundRadius, 2 * backgroundRadius, 2 * backgroundRadius));

    switch (m_percentStyle) {
    case PercentStyle_Arc:
        drawRing(painter, 99 - m_lineWidth / 2);
        break;
    case PercentStyle_Polo:
        drawFill(painter, 99 - m_lineWidth);
        break;
    case PercentStyle_Arc_Polo:
        drawRing(painter, 99 - m_lineWidth / 2);
        drawFill(painter, 99 - 2 * m_lineWidth);
        break;
    case PercentStyle_Wave:
        break;
    }

    QFont textFont(QStringLiteral("Arial"), 30);
    painter.setFont(textFont);
    painter.setPen(m_textColor);
    painter.setBrush(Qt::NoBrush);
    painter.drawText(QRectF(-100, -100, 200, 200), Qt::AlignCenter, text());
}

void ProgressBarPercent::drawRing(QPainter &painter, int radius)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    QPen pen;
    pen.setWidth(m_lineWidth);
    pen.setCapStyle(Qt::RoundCap);
    double a = 360.0 / (m_maxValue - m_minValue) * m_value;
    if (!m_clockWise)
        a = -a;
    const QRectF box(-radius, -radius, 2 * radius, 2 * radius);
    if (m_showFree) {
        pen.setColor(m_freeColor);
        painter.setPen(pen);
        painter.drawArc(box, int((m_nullPosition - a) * 16), int(-(360 - a) * 16));
    }
    pen.setColor(m_usedColor);
    painter.setPen(pen);
    painter.drawArc(box, int(m_nullPosition * 16), int(-a * 16));
    if (m_showSmallCircle) {
        const int half = m_lineWidth / 2;
        painter.rotate(-90 - m_nullPosition);
        painter.rotate(a);
        painter.drawEllipse(QRectF(1 - half, half - m_lineWidth + radius, 2 * half - 2, 2 * half - 2));
    }
    painter.restore();
}

void ProgressBarPercent::drawFill(QPainter &painter, int radius)
{
    painter.save();
    const double h = 2.0 * radius * m_value / (m_maxValue - m_minValue);
    QPainterPath disc;
    disc.addEllipse(QRectF(-radius, -radius, 2 * radius, 2 * radius));
    QPainterPath level;
    level.addRect(QRectF(-radius, radius - h, 2 * radius, h));
    painter.setPen(m_usedColor);
    painter.setBrush(m_usedColor);
    painter.drawPath(disc.intersected(level));
    painter.restore();
}
