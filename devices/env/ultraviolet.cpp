#include "ultraviolet.h"
#include "gaugedrawing.h"

#include <QPainter>
#include <QPixmap>

Ultraviolet::Ultraviolet(QWidget *parent) : QWidget(parent)
{
    setMinimumSize(150, 150);
    setFont(QFont(QStringLiteral("Arial"), 7));
}

Ultraviolet::~Ultraviolet() = default;

// Bands by intensity; the borders 695 and 880 take the higher band.
void Ultraviolet::setValue(double value)
{
    m_discColor = Gauge::bandColour(value,
                                    {{400, true, QColor(253, 216, 53)},
                                     {695, false, QColor(243, 156, 18)},
                                     {880, false, QColor(211, 84, 0)},
                                     {1078, false, QColor(255, 0, 0)}},
                                    QColor(74, 35, 90));
    m_value = value;
    update();
    emit valueChanged(int(value));
}

void Ultraviolet::setColor(const QColor &color) { Gauge::store(*this, m_discColor, color); }

QString Ultraviolet::text() const { return QString::number(m_value); }

void Ultraviolet::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    Gauge::centreSquare(painter, *this);

    static const QPixmap sun = QPixmap(QStringLiteral(":/images/san.png"))
                                   .scaled(200, 200, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    painter.drawPixmap(-70 - 3 * m_margin, -70 - 3 * m_margin, sun);

    painter.setPen(Qt::NoPen);
    painter.setBrush(m_discColor);
    painter.drawEllipse(QRectF(m_margin - 90, m_margin - 90, 2 * (90 - m_margin), 2 * (90 - m_margin)));

    painter.setPen(m_textColor);
    painter.setFont(QFont(QStringLiteral("Arial"), 30));
    painter.drawText(QRectF(-100, -100, 200, 200), Qt::AlignCenter, text());
}
