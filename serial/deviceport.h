#pragma once
// The open and close road every serial device page takes on the one shared
// port holder: a page names its own widgets, its reader and its lock
// operation, and gets the same notices, locking, scan handling and button
// styles as every other page.

#include <QByteArray>
#include <QString>
#include <functional>

class QComboBox;
class QObject;
class QPushButton;
class MainWindow;

struct DevicePort
{
    QComboBox *portName = nullptr;   // the page's port list
    QComboBox *baudRate = nullptr;   // read as a decimal number
    QPushButton *openButton = nullptr;
    // Takes every chunk the holder reads, while `reader` lives (else the
    // window); empty for a page that reads the port itself (the holder then
    // hooks no reader).
    std::function<void(const QByteArray &)> read;
    // The page's reaction to a vanished device (&MainWindow::Xxx_portLost).
    void (MainWindow::*lost)(const QString &) = nullptr;
    // The page's port-settings lock; null: the page table's lock for the page
    // whose open button is `openButton` (app/pagetable.h).
    void (MainWindow::*lock)(bool) = nullptr;
    // Pages with line settings of their own (else 8 data bits, no parity,
    // one stop bit): data bits by text, parity and stop bits by index.
    QComboBox *dataBits = nullptr;
    QComboBox *parity = nullptr;
    QComboBox *stopBits = nullptr;
    // The object `read` works on: the connection ends with it.
    QObject *reader = nullptr;

    // A page that reads through one of the window's slots.
    static DevicePort of(MainWindow *window, QComboBox *portName, QComboBox *baudRate, QPushButton *openButton,
                         void (MainWindow::*read)(QByteArray), void (MainWindow::*lost)(const QString &),
                         void (MainWindow::*lock)(bool));
};
