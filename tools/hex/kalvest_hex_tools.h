#pragma once

#include <QWidget>

// The "Hex" page: two files side by side in hex, with their differences.
class kalvest_hex_tools : public QWidget
{
    Q_OBJECT
public:
    explicit kalvest_hex_tools(QWidget *parent = nullptr);
};
