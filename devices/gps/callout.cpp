#include "callout.h"

#include <QChart>
#include <QFontMetrics>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

Callout::Callout(QChart *chart)
    : QGraphicsItem(chart), m_chart(chart)
{
}

Callout::~Callout() = default;

void Callout::setText(const QString &text)
{
    m_text = text;
    const QFontMetrics metrics(m_font);
    m_textRect = metrics.boundingRect(QRect(0, 0, 150, 150), Qt::AlignLeft, m_text);
    m_textRect.translate(5, 5);
    prepareGeometryChange();
    m_rect = m_textRect.adjusted(-5, -5, 5, 5);
}

void Callout::setAnchor(QPointF point)
{
    m_anchor = point;
}

void Callout::updateGeometry()
{
    prepareGeometryChange();
    setPos(m_chart->mapToPosition(m_anchor) + QPoint(10, -50));
}

QRectF Callout::boundingRect() const
{
    const QPointF anchor = mapFromParent(m_chart->mapToPosition(m_anchor));
    QRectF rect;
    rect.setLeft(qMin(m_rect.left(), anchor.x()));
    rect.setRight(qMax(m_rect.right(), anchor.x()));
    rect.setTop(qMin(m_rect.top(), anchor.y()));
    rect.setBottom(qMax(m_rect.bottom(), anchor.y()));
    return rect;
}

void Callout::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    QPainterPath path;
    path.addRoundedRect(m_rect, 5, 5);

    const QPointF a = mapFromParent(m_chart->mapToPosition(m_anchor));
    if (!m_rect.contains(a)) {
        const int above = a.y() <= m_rect.top();
        const int aboveCenter = a.y() > m_rect.top() && a.y() <= m_rect.center().y();
        const int belowCenter = a.y() > m_rect.center().y() && a.y() <= m_rect.bottom();
        const int below = a.y() > m_rect.bottom();
        const int onLeft = a.x() <= m_rect.left();
        const int leftOfCenter = a.x() > m_rect.left() && a.x() <= m_rect.center().x();
        const int rightOfCenter = a.x() > m_rect.center().x() && a.x() <= m_rect.right();
        const int onRight = a.x() > m_rect.right();

        const qreal x = (onRight + rightOfCenter) * m_rect.width();
        const qreal y = (below + belowCenter) * m_rect.height();
        const int corner = (above || below) && (onLeft || onRight);
        const int vertical = std::fabs(a.x() - x) > std::fabs(a.y() - y);

        const qreal x1 = x + leftOfCenter * 10 - rightOfCenter * 20 + corner * !vertical * (onLeft * 10 - onRight * 20);
        const qreal y1 = y + aboveCenter * 10 - belowCenter * 20 + corner * vertical * (above * 10 - below * 20);
        const qreal x2 = x + leftOfCenter * 20 - rightOfCenter * 10 + corner * !vertical * (onLeft * 20 - onRight * 10);
        const qreal y2 = y + aboveCenter * 20 - belowCenter * 10 + corner * vertical * (above * 20 - below * 10);

        QPainterPath pointer;
        pointer.moveTo(x1, y1);
        pointer.lineTo(a);
        pointer.lineTo(x2, y2);
        path = path.united(pointer).simplified();
    }
    painter->setBrush(QColor(255, 255, 255));
    painter->drawPath(path);
    painter->drawText(m_textRect, m_text);
}

void Callout::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    event->setAccepted(true);
}

void Callout::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton) {
        setPos(mapToParent(event->pos() - event->buttonDownPos(Qt::LeftButton)));
        event->setAccepted(true);
    } else {
        event->setAccepted(false);
    }
}
