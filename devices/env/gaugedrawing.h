#pragma once
// Small pieces the "Environment" page's gauges share: a property setter
// that repaints only on change, the 200 x 200 unit square round dials are
// drawn in, and the colour bands a reading is painted with.

#include <QColor>
#include <QPainter>
#include <QWidget>

#include <initializer_list>

namespace Gauge {

// Stores a drawn property; repaints and returns true when it changed.
template<typename T>
bool store(QWidget &widget, T &field, const T &value)
{
    if (field == value)
        return false;
    field = value;
    widget.update();
    return true;
}

// Puts the painter's origin in the widget's middle, scaled so that the
// largest square that fits spans -100..100 in both directions.
inline void centreSquare(QPainter &painter, const QWidget &widget)
{
    painter.translate(widget.width() / 2, widget.height() / 2);
    const double side = qMin(widget.width(), widget.height());
    painter.scale(side / 200.0, side / 200.0);
}

// One colour band: readings up to `limit` (including it when `inclusive`)
// take `colour`; the first band that holds the reading wins.
struct Band
{
    double limit;
    bool inclusive;
    QColor colour;
};

inline QColor bandColour(double value, std::initializer_list<Band> bands, const QColor &above)
{
    for (const Band &b : bands) {
        if (value < b.limit || (b.inclusive && value == b.limit))
            return b.colour;
    }
    return above;
}

} // namespace Gauge
