#include "kalvest_cie_widget.h"
#include "ui_kalvest_cie_widget.h"

#include "kalvest_cieplot.h"
#include "uiprompt.h"

#include <QDoubleValidator>
#include <QLocale>

kalvest_cie_widget::kalvest_cie_widget(QWidget *parent)
    : QWidget(parent), ui(new Ui::kalvest_cie_widget), m_plot(new kalvest_cieplot(this))
{
    ui->setupUi(this);
    ui->gridLayout->addWidget(m_plot);
    auto *validator = new QDoubleValidator(this);
    for (QLineEdit *edit : {ui->xLineEdit, ui->yLineEdit, ui->luxLineEdit, ui->cctLineEdit})
        edit->setValidator(validator);
    connect(ui->plotButton, &QPushButton::clicked, this, &kalvest_cie_widget::onPlotButtonClicked);
    for (QWidget *w : {static_cast<QWidget *>(ui->label_4), static_cast<QWidget *>(ui->xLineEdit),
                       static_cast<QWidget *>(ui->label_3), static_cast<QWidget *>(ui->yLineEdit),
                       static_cast<QWidget *>(ui->label), static_cast<QWidget *>(ui->luxLineEdit),
                       static_cast<QWidget *>(ui->label_2), static_cast<QWidget *>(ui->cctLineEdit),
                       static_cast<QWidget *>(ui->plotButton)})
        w->hide();
}

kalvest_cie_widget::~kalvest_cie_widget() { delete ui; }

void kalvest_cie_widget::onPlotButtonClicked()
{
    const QLocale c = QLocale::c();
    bool okX = false, okY = false, okLux = false, okCct = false;
    const double x = c.toDouble(ui->xLineEdit->text(), &okX);
    const double y = c.toDouble(ui->yLineEdit->text(), &okY);
    const double lux = c.toDouble(ui->luxLineEdit->text(), &okLux);
    const double cct = c.toDouble(ui->cctLineEdit->text(), &okCct);
    if (!okX || !okY) {
        UiPrompt::warning(this, QStringLiteral("输入错误"), QStringLiteral("请输入有效的 CIE x 和 CIE y 值。"));
        return;
    }
    m_plot->setPoint(x, y, okLux ? lux : 0, okCct ? cct : 0);
}
