#pragma once
// The CIE 1931 chromaticity diagram with the measured point and a label
// repeating the four values.

#include <QWidget>

class QSvgRenderer;

class kalvest_cieplot : public QWidget
{
    Q_OBJECT

public:
    explicit kalvest_cieplot(QWidget *parent = nullptr);
    ~kalvest_cieplot() override;

    void setPoint(double x, double y, double lux, double cct);

    double pointX() const { return m_pointX; }
    double pointY() const { return m_pointY; }
    double lux() const { return m_lux; }
    double cct() const { return m_cct; }
    bool hasDiagram() const;
    // The point's position in widget pixels, and the label's box, as the
    // last paint placed them (empty when nothing was drawn).
    QPointF pointPosition() const { return m_pointPos; }
    QRect labelBox() const { return m_labelBox; }
    QString labelText() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double m_pointX = -1;
    double m_pointY = -1;
    double m_lux = 0;
    double m_cct = 0;
    QSvgRenderer *m_svg = nullptr;
    double m_xMin = 0, m_xMax = 0.8;
    double m_yMin = 0, m_yMax = 0.9;
    QPointF m_pointPos;
    QRect m_labelBox;
};
