#pragma once
// A balloon on a chart pointing at one value (the satellite under the mouse
// on the sky plot). It can be dragged with the left button.

#include <QFont>
#include <QGraphicsItem>
#include <QPointF>
#include <QRectF>
#include <QString>

class QChart;

class Callout : public QGraphicsItem
{
public:
    explicit Callout(QChart *chart);
    ~Callout() override;

    void setText(const QString &text);
    void setAnchor(QPointF point); // in chart values
    void updateGeometry();

    QRectF boundingRect() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;
    QString text() const { return m_text; }

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;

private:
    QString m_text;
    QRectF m_textRect;
    QRectF m_rect;
    QPointF m_anchor;
    QFont m_font;
    QChart *m_chart;
};
