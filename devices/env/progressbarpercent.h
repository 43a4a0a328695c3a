#pragma once
// A round gauge: a ring and/or a disc filling from the bottom, with the
// value or its percentage in the middle (humidity on the "Environment"
// page).

#include <QColor>
#include <QWidget>

class ProgressBarPercent : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int maxValue READ maxValue WRITE setMaxValue)
    Q_PROPERTY(int minValue READ minValue WRITE setMinValue)
    Q_PROPERTY(int value READ intValue)
    Q_PROPERTY(int nullPosition READ nullPosition WRITE setNullPosition)
    Q_PROPERTY(int lineWidth READ lineWidth WRITE setLineWidth)
    Q_PROPERTY(bool showPercent READ showPercent WRITE setShowPercent)
    Q_PROPERTY(bool showFree READ showFree WRITE setShowFree)
    Q_PROPERTY(bool showSmallCircle READ showSmallCircle WRITE setShowSmallCircle)
    Q_PROPERTY(bool clockWise READ clockWise WRITE setClockWise)
    Q_PROPERTY(QColor usedColor READ usedColor WRITE setUsedColor)
    Q_PROPERTY(QColor freeColor READ freeColor WRITE setFreeColor)
    Q_PROPERTY(QColor circleColor READ circleColor WRITE setCircleColor)
    Q_PROPERTY(QColor textColor READ textColor WRITE setTextColor)

public:
    enum PercentStyle {
        PercentStyle_Arc = 0,      // ring
        PercentStyle_Polo = 1,     // filling disc
        PercentStyle_Arc_Polo = 2, // both
        PercentStyle_Wave = 3      // only the text
    };
    Q_ENUM(PercentStyle)

    explicit ProgressBarPercent(QWidget *parent = nullptr);
    ~ProgressBarPercent() override;

    QSize sizeHint() const override { return QSize(200, 200); }
    QSize minimumSizeHint() const override { return QSize(10, 10); }

    int maxValue() const { return m_maxValue; }
    int minValue() const { return m_minValue; }
    double value() const { return m_value; }
    int intValue() const { return int(m_value); }
    int nullPosition() const { return m_nullPosition; }
    int lineWidth() const { return m_lineWidth; }
    bool showPercent() const { return m_showPercent; }
    bool showFree() const { return m_showFree; }
    bool showSmallCircle() const { return m_showSmallCircle; }
    bool clockWise() const { return m_clockWise; }
    QColor usedColor() const { return m_usedColor; }
    QColor freeColor() const { return m_freeColor; }
    QColor circleColor() const { return m_circleColor; }
    QColor textColor() const { return m_textColor; }
    PercentStyle percentStyle() const { return m_percentStyle; }
    // The text in the middle, e.g. "50%".
    QString text() const;

signals:
    void valueChanged(int value);

public slots:
    void setRange(int minValue, int maxValue);
    void setMinValue(int value);
    void setMaxValue(int value);
    void setValue(double value);
    void setNullPosition(int degrees);
    void setLineWidth(int width);
    void setShowPercent(bool on);
    void setShowFree(bool on);
    void setShowSmallCircle(bool on);
    void setClockWise(bool on);
    void setUsedColor(const QColor &color);
    void setFreeColor(const QColor &color);
    void setCircleColor(const QColor &color);
    void setTextColor(const QColor &color);
    void setPercentStyle(PercentStyle style);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void drawRing(QPainter &painter, int radius);
    void drawFill(QPainter &painter, int radius);

    int m_maxValue = 100;
    int m_minValue = 0;
    double m_value = 0;
    int m_nullPosition = 0;
    int m_lineWidth = 10;
    bool m_showPercent = true;
    bool m_showFree = false;
    bool m_showSmallCircle = false;
    bool m_clockWise = true;
    QColor m_usedColor{100, 184, 255};
    QColor m_freeColor{100, 100, 100};
    QColor m_circleColor{70, 70, 70};
    QColor m_textColor{250, 250, 250};
    PercentStyle m_percentStyle = PercentStyle_Arc;
};
