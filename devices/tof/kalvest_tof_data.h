#pragma once
// The "TOF" page's grid view: one label per zone showing its distance on a
// background coloured from black through blue to red.

#include <QColor>
#include <QLabel>
#include <QList>
#include <QWidget>

QT_BEGIN_NAMESPACE
namespace Ui {
class kalvest_tof_data;
}
QT_END_NAMESPACE

// A zone's label. Once it has a zone colour it paints its own background
// and white text from its palette, so an ancestor's style sheet never
// covers the colour, and restyling costs no style sheet polish.
class TofZoneLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;
    // Sets text, colour and font size; false (nothing done) when all three
    // are what the label already shows.
    bool setZone(int distance, const QColor &color, int pointSize);
    bool hasZoneColor() const { return m_colored; }

    // The same for every distance, so a new value never moves the grid
    // (moving 1536 labels a frame costs more than painting them).
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    bool m_colored = false;
    int m_distance = 0;
    QColor m_color;
    int m_pointSize = -1;
    mutable QSize m_hint;
};

class kalvest_tof_data : public QWidget
{
    Q_OBJECT

public:
    explicit kalvest_tof_data(QWidget *parent = nullptr);
    ~kalvest_tof_data() override;

    // The colour scale: white for 0, black to blue up to half the maximum
    // distance, blue to red above it.
    QColor get_color(int distance) const;
    // Rebuilds the label grid for a resolution mode.
    void set_mode(int mode);
    // Shows one zone's distance; an index outside the labels does nothing.
    void set_value(int index, int distance);

    // Text point size of a grid with `zones` labels.
    static int pointSizeFor(int zones);

    int zoneCount() const { return int(labels.size()); }
    TofZoneLabel *label(int index) const { return labels.value(index); }
    int rowCount() const { return m_rows; }
    int columnCount() const { return m_cols; }

    int maxDistance = 4000;

private:
    TofZoneLabel *makeLabel(int row, int col, int zones);

    Ui::kalvest_tof_data *ui;
    QList<TofZoneLabel *> labels;
    int m_rows = 4;
    int m_cols = 4;
};
