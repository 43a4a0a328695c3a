#include "kalvest_convert.h"

kalvest_convert::kalvest_convert(QWidget *parent) : QWidget(parent) {}
