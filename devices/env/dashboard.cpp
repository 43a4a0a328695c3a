#include "dashboard.h"
#include "gaugedrawing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <cmath>

namespace {
// Degrees to radians as the scale numbers are placed (3.14 / 180).
constexpr double kDegToRad = 0.017444444444444446;
} // namespace

DashBoard::DashBoard(QWidget *parent) : QWidget(parent) { setMinimumSize(150, 150); }

DashBoard::~DashBoard() = default;

void DashBoard::setValue(double value)
{
    if (value > m_maxValue)
        value = m_maxValue;
    else if (value < m_minValue)
        value = m_minValue;
    m_value = value;
    update();
}

void DashBoard::setValue(int value) { setValue(double(value)); }

void DashBoard::setMinValue(int value)
{
    if (value >= m_maxValue)
        return;
    m_minValue = value;
    update();
}

void DashBoard::setMaxValue(int value)
{
    if (value <= m_minValue)
        return;
    m_maxValue = value;
    update();
}

void DashBoard::setPrecision(int precision)
{
    if (precision <= 3)
        Gauge::store(*this, m_precision, precision);
}

void DashBoard::setUnits(const QString &units) { Gauge::store(*this, m_units, units); }
void DashBoard::setTitle(const QString &title) { Gauge::store(*this, m_title, title); }

// A scale needs at least one division; zero or less would divide by zero
// when the scale is drawn.
void DashBoard::setScaleMajor(int scaleMajor)
{
    if (scaleMajor > 0)
        Gauge::store(*this, m_scaleMajor, scaleMajor);
}

void DashBoard::setScaleMinor(int scaleMinor)
{
    if (scaleMinor > 0)
        Gauge::store(*this, m_scaleMinor, scaleMinor);
}

void DashBoard::setStartAngle(int angle) { Gauge::store(*this, m_startAngle, angle); }
void DashBoard::setEndAngle(int angle) { Gauge::store(*this, m_endAngle, angle); }
void DashBoard::setCrownColor(const QColor &color) { Gauge::store(*this, m_crownColor, color); }
void DashBoard::setForeground(const QColor &color) { Gauge::store(*this, m_foreground, color); }
void DashBoard::setBackground(const QColor &color) { Gauge::store(*this, m_background, color); }
void DashBoard::setNumericIndicatorEnabled(bool enabled) { Gauge::store(*this, m_numericIndicatorEnabled, enabled); }

QStringList DashBoard::scaleLabels() const
{
    QStringList labels;
    const int step = (m_maxValue - m_minValue) / m_scaleMajor;
    for (int i = 0; i <= m_scaleMajor; ++i)
        labels << QString::number(step * i + m_minValue);
    return labels;
}

QString DashBoard::readoutText() const
{
    return QStringLiteral("%1 %2").arg(QString::number(m_value, 'f', m_precision), m_units);
}

double DashBoard::needleAngle() const
{
    return (360.0 - m_startAngle - m_endAngle) / (m_maxValue - m_minValue) * (m_value - m_minValue);
}

void DashBoard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    Gauge::centreSquare(painter, *this);
    painter.setPen(Qt::NoPen);

    // Crown and face.
    QLinearGradient crown(0, -100, 0, 100);
    crown.setColorAt(0, QColor(180, 180, 180));
    crown.setColorAt(1, QColor(166, 166, 166));
    painter.setBrush(crown);
    painter.drawEllipse(QRectF(-100, -100, 200, 200));
    painter.setBrush(m_background);
    painter.drawEllipse(QRectF(-92, -92, 184, 184));

    // Scale numbers.
    QFont numberFont(QStringLiteral("Microsoft YaHei"));
    numberFont.setPointSizeF(6);
    numberFont.setLetterSpacing(QFont::AbsoluteSpacing, 0);
    painter.setFont(numberFont);
    painter.setPen(m_foreground);
    const QFontMetricsF numberMetrics(numberFont);
    const double start = (270 - m_startAngle) * kDegToRad;
    const double step = (360 - m_endAngle - m_startAngle) * kDegToRad / m_scaleMajor;
    const QStringList labels = scaleLabels();
    for (int i = 0; i <= m_scaleMajor; ++i) {
        const double angle = start - i * step;
        const QString &text = labels.at(i);
        const int x = int(std::cos(angle) * 82 - numberMetrics.horizontalAdvance(text) * 0.5);
        const int y = int(numberMetrics.height() * 0.25 - std::sin(angle) * 82);
        painter.drawText(x, y, text);
    }

    // Ticks, clockwise from the lower left.
    painter.save();
    painter.rotate(m_startAngle);
    const int ticks = m_scaleMajor * m_scaleMinor;
    const double tickStep = double(360 - m_startAngle - m_endAngle) / ticks;
    for (int i = 0; i <= ticks; ++i) {
        QPen pen(m_foreground);
        if (i % m_scaleMinor == 0) {
            pen.setWidth(1);
            painter.setPen(pen);
            painter.drawLine(0, 62, 0, 72);
        } else {
            pen.setWidth(0);
            painter.setPen(pen);
            painter.drawLine(0, 67, 0, 72);
        }
        painter.rotate(tickStep);
    }
    painter.restore();

    // Title.
    painter.setPen(m_foreground);
    painter.setBrush(m_foreground);
    painter.setFont(font());
    const QFontMetricsF widgetMetrics(font());
    painter.drawText(int(-widgetMetrics.horizontalAdvance(m_title) * 0.5), -30, m_title);

    // Readout.
    if (m_numericIndicatorEnabled) {
        const QString text = readoutText();
        const double textWidth = widgetMetrics.horizontalAdvance(text);
        QFont readoutFont(QStringLiteral("Microsoft YaHei"));
        readoutFont.setPointSizeF(15);
        readoutFont.setLetterSpacing(QFont::AbsoluteSpacing, 0);
        painter.setFont(readoutFont);
        painter.setPen(m_foreground);
        painter.drawText(int(-textWidth * 0.5 - 10), 42, text);
    }

    // Needle.
    painter.save();
    painter.rotate(m_startAngle);
    painter.rotate(needleAngle());
    QRadialGradient needle(0, 0, 60);
    needle.setColorAt(0, QColor(60, 60, 60));
    needle.setColorAt(1, QColor(160, 160, 160));
    painter.setPen(Qt::white);
    painter.setBrush(needle);
    const QPointF triangle[3] = {QPointF(-2, 0), QPointF(2, 0), QPointF(0, 60)};
    painter.drawPolygon(triangle, 3);
    painter.restore();

    // Cap.
    QConicalGradient cap(0, 0, -90);
    cap.setColorAt(0, QColor(128, 128, 128));
    cap.setColorAt(0.2, QColor(150, 150, 200));
    cap.setColorAt(0.5, Qt::white);
    cap.setColorAt(1, QColor(128, 128, 128));
    painter.setPen(Qt::NoPen);
    painter.setBrush(cap);
    painter.drawEllipse(QRectF(-5, -5, 10, 10));
}
