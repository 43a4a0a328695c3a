#include "kalvest_spectroscopy_spline.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

kalvest_spectroscopy_spline::kalvest_spectroscopy_spline(QWidget *parent)
    : QWidget(parent),
      values(19, 0.0),
      wavelengths{380, 410, 435, 460, 485, 510, 535, 560, 585, 610, 645, 680, 705, 730, 760, 810, 860, 900, 940}
{
    setAutoFillBackground(true);
}

kalvest_spectroscopy_spline::~kalvest_spectroscopy_spline() = default;

void kalvest_spectroscopy_spline::set_point(uint8_t index, double value)
{
    if (index >= values.size())
        return;
    values[index] = value;
    update();
}

QColor kalvest_spectroscopy_spline::wavelengthColor(double w)
{
    int r = 128, g = 128, b = 128;
    if (w >= 380 && w < 440) {
        const double d = w - 380;
        r = int(150 - d * 70 / 60);
        g = 0;
        b = 255;
    } else if (w >= 440 && w < 490) {
        const double d = w - 440;
        r = 0;
        g = int(d * 180 / 50);
        b = 255;
    } else if (w >= 490 && w < 510) {
        const double d = w - 490;
        r = 0;
        g = int(180 + d * 75 / 20);
        b = int(255 - d * 75 / 20);
    } else if (w >= 510 && w < 580) {
        const double d = w - 510;
        r = int(d * 255 / 70);
        g = 255;
        b = 0;
    } else if (w >= 580 && w < 645) {
        const double d = w - 580;
        r = 255;
        g = int(255 - d * 205 / 65);
        b = 0;
    } else if (w >= 645 && w < 750) {
        const double d = w - 645;
        r = int(255 - d * 127 / 105);
        g = int(50 - d * 50 / 105);
        b = g;
    } else if (w >= 750 && w <= 940) {
        const double d = w - 750;
        r = int(128 + d * 32 / 190);
        g = int(d * 160 / 190);
        b = g;
    }
    return QColor(r, g, b, 255);
}

void kalvest_spectroscopy_spline::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (values.isEmpty() || wavelengths.isEmpty())
        return;
    const int n = int(values.size());
    const QRectF plot = QRectF(rect()).adjusted(50, 20, -20, -40);
    const double left = plot.left(), right = plot.right(), top = plot.top(), bottom = plot.bottom();
    const double width = plot.width(), height = plot.height();

    p.setPen(QColor(0x75, 0x75, 0x75));
    for (int i = 0; i <= 10; ++i) {
        const double y = top + height * i / 10;
        p.drawLine(int(left), int(y), int(right), int(y));
        p.drawText(10, int(y + 5), QString::number(1.0 - 0.1 * i, 'g', 6));
    }
    const int steps = qMax(1, n - 1);
    for (int i = 0; i < n; ++i) {
        const double x = left + width * i / steps;
        p.drawLine(int(x), int(top), int(x), int(bottom));
        p.drawText(int(x - 15), int(bottom + 15), QString::number(qRound64(wavelengths.value(i))));
    }

    QLinearGradient gradient(left, 0, right, 0);
    for (int i = 0; i < n; ++i)
        gradient.setColorAt(double(i) / steps, wavelengthColor(wavelengths.value(i)));

    QPainterPath path;
    path.moveTo(left, bottom);
    QPointF prev;
    for (int i = 0; i < n; ++i) {
        const QPointF pt(left + width * i / steps, bottom - height * values.at(i));
        // The path starts on the base line; point 0 only steers the first
        // curve piece.
        if (i > 0) {
            const double mid = (prev.x() + pt.x()) / 2;
            path.cubicTo(QPointF(mid, prev.y()), QPointF(mid, pt.y()), pt);
        }
        prev = pt;
    }
    path.lineTo(right, bottom);
    p.setPen(Qt::NoPen);
    p.fillPath(path, gradient);
}
