#pragma once
// The "TOF" page's grid view: one label per zone showing its distance on a
// background coloured from black through blue to red.

#include <QColor>
#include <QHash>
#include <QLabel>
#include <QList>
#include <QStaticText>
#include <QWidget>

QT_BEGIN_NAMESPACE
namespace Ui {
class kalvest_tof_data;
}
QT_END_NAMESPACE

// A zone's label: it holds what the zone shows (text, colour, font). Once
// it has a zone colour it paints its own background and white text from
// its palette, so an ancestor's style sheet never covers the colour, and
// restyling costs no style sheet polish. In the grid the labels stay
// hidden and the grid paints them all in one pass (see kalvest_tof_data).
class TofZoneLabel : public QLabel
{
    Q_OBJECT

public:
    using QLabel::QLabel;
    // Sets text, colour and font size; false (nothing done) when all three
    // are what the label already shows.
    bool setZone(int distance, const QColor &color, int pointSize);
    bool hasZoneColor() const { return m_colored; }
    QColor zoneColor() const { return m_color; }

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
    // While the grid is not on screen the newest distance of each zone
    // waits and is shown when the grid is.
    void set_value(int index, int distance);

    // Text point size of a grid with `zones` labels.
    static int pointSizeFor(int zones);

    int zoneCount() const { return int(labels.size()); }
    TofZoneLabel *label(int index) const { return labels.value(index); }
    int rowCount() const { return m_rows; }
    int columnCount() const { return m_cols; }

    int maxDistance = 4000;

protected:
    // Paints every zone in one pass: 1536 labels painted one by one as
    // widgets take several times longer.
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    TofZoneLabel *makeLabel(int row, int col, int zones);
    void showZone(int index, int distance);
    const QStaticText &staticText(const QString &text, const QFont &font);

    Ui::kalvest_tof_data *ui;
    QList<TofZoneLabel *> labels;
    int m_rows = 4;
    int m_cols = 4;
    // Distances set while hidden, by zone (only where m_pendingSet is 1).
    QList<int> m_pending;
    QList<char> m_pendingSet;
    bool m_hasPending = false;
    // Laid-out zone texts for painting, by text; emptied when it grows
    // large and when the font changes.
    QHash<QString, QStaticText> m_texts;
    QFont m_textsFont;
};
