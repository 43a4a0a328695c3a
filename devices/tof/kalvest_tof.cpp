#include "kalvest_tof.h"
#include "ui_kalvest_tof.h"

#include "kalvest_tof_data.h"
#include "kalvest_tof_surface.h"

#include <QStackedWidget>

kalvest_tof::kalvest_tof(QWidget *parent) : QWidget(parent), ui(new Ui::kalvest_tof)
{
    ui->setupUi(this);
    viewStack = new QStackedWidget(this);
    ui->gridLayout->addWidget(viewStack);
    surfaceView = new kalvest_tof_surface(this);
    dataView = new kalvest_tof_data(this);
    dataView->set_mode(0);
    viewStack->addWidget(dataView);
    viewStack->addWidget(surfaceView);
}

kalvest_tof::~kalvest_tof() { delete ui; }

void kalvest_tof::set_page(int index) { viewStack->setCurrentIndex(index); }

int kalvest_tof::page() const { return viewStack->currentIndex(); }

void kalvest_tof::resizeEvent(QResizeEvent *event) { QWidget::resizeEvent(event); }
