#pragma once
// The "CIE" tab's content: the chromaticity plot (the manual entry row of
// its form stays hidden).

#include <QWidget>

class kalvest_cieplot;

QT_BEGIN_NAMESPACE
namespace Ui {
class kalvest_cie_widget;
}
QT_END_NAMESPACE

class kalvest_cie_widget : public QWidget
{
    Q_OBJECT

public:
    explicit kalvest_cie_widget(QWidget *parent = nullptr);
    ~kalvest_cie_widget() override;

    kalvest_cieplot *plot() const { return m_plot; }

private slots:
    void onPlotButtonClicked();

private:
    Ui::kalvest_cie_widget *ui;
    kalvest_cieplot *m_plot;
};
