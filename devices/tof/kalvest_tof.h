#pragma once
// The "TOF" page's display: the zone distances as a coloured number grid
// (page 0) or a 3D surface (page 1).

#include <QWidget>

class QStackedWidget;
class kalvest_tof_data;
class kalvest_tof_surface;

QT_BEGIN_NAMESPACE
namespace Ui {
class kalvest_tof;
}
QT_END_NAMESPACE

class kalvest_tof : public QWidget
{
    Q_OBJECT

public:
    explicit kalvest_tof(QWidget *parent = nullptr);
    ~kalvest_tof() override;

    void set_page(int index);
    int page() const;

    kalvest_tof_surface *surfaceView = nullptr;
    kalvest_tof_data *dataView = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    Ui::kalvest_tof *ui;
    QStackedWidget *viewStack = nullptr;
};
