#pragma once
// The open and close road every serial device page takes on the one shared
// port holder: a page names its own widgets, its reader slot and its lock
// operation, and gets the same notices, locking, scan handling and button
// styles as every other page.

class QComboBox;
class QPushButton;
class MainWindow;

struct DevicePort
{
    QComboBox *portName = nullptr;   // the page's port list
    QComboBox *baudRate = nullptr;   // read as a decimal number
    QPushButton *openButton = nullptr;
    const char *readerSlot = nullptr; // SLOT(readXxxCom(QByteArray))
    const char *lostSlot = nullptr;   // SLOT(Xxx_portLost(QString)), the page's reaction to a vanished device
    void (MainWindow::*lock)(bool) = nullptr; // the page's port-settings lock
};
