#pragma once
// A widget whose width is fixed to what its contents need, but that also
// has a minimum width of its own: the explicit minimum replaces the size
// hint as the least width a layout gives it, so a layout short of room
// squeezes it down to that minimum and cuts off what does not fit (long
// texts, another language). keepContentsWidth makes the minimum the larger
// of the two, and keeps it so whenever the contents change (texts
// retranslated, widgets shown or hidden).

class QWidget;

void keepContentsWidth(QWidget *widget, int minimumWidth);
