#pragma once

#include <QWidget>

// The "Convert" page: unit categories and currency rates.
class kalvest_convert : public QWidget
{
    Q_OBJECT
public:
    explicit kalvest_convert(QWidget *parent = nullptr);
};
