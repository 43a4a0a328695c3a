#pragma once
// One bar chart of the spectral sensor's channels: a bar set per channel,
// in the model's channel order and colours, on a 0 to 1 value axis.

#include <QList>
#include <QWidget>

QT_BEGIN_NAMESPACE
class QBarSet;
class QChart;
class QChartView;
QT_END_NAMESPACE

class kalvest_spectroscopy_Squarediagram : public QWidget
{
    Q_OBJECT

public:
    enum Model { AS7341, AS7343, AS7265X };

    explicit kalvest_spectroscopy_Squarediagram(Model model, QWidget *parent = nullptr);
    ~kalvest_spectroscopy_Squarediagram() override;

    // Replaces the single value of bar set `index` (kept below
    // channelCount() by the caller).
    void set_bar_value(uint8_t index, double value);
    int channelCount() const { return int(barSets.size()); }
    QBarSet *barSet(int index) const { return barSets.value(index); }

    QChartView *chartView = nullptr;

private:
    struct Channel {
        const char *label;
        int r, g, b;
    };
    void build(const Channel *channels, int count);
    void init_AS7341_chart();
    void init_AS7343_chart();
    void init_AS7265X_chart();

    QList<QBarSet *> barSets;
    QChart *chart = nullptr;
};
