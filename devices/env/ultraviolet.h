#pragma once
// A round ultraviolet gauge: a disc coloured by the UV band over a sun
// picture, with the value in the middle.

#include <QColor>
#include <QWidget>

class Ultraviolet : public QWidget
{
    Q_OBJECT

public:
    explicit Ultraviolet(QWidget *parent = nullptr);
    ~Ultraviolet() override;

    double value() const { return m_value; }
    QColor color() const { return m_discColor; }
    QString text() const;

signals:
    void valueChanged(int value);

public slots:
    void setValue(double value);
    void setColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    double m_value = 0;
    int m_margin = 10;
    QColor m_discColor{253, 216, 53};
    QColor m_textColor{70, 70, 70};
};
