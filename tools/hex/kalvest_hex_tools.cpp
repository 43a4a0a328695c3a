#include "kalvest_hex_tools.h"

kalvest_hex_tools::kalvest_hex_tools(QWidget *parent) : QWidget(parent) {}
