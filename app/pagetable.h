#pragma once
// The pages of the main window, one entry each, in tab order: the page's
// switch in velm_config.ini, its tab, what runs at start-up when the tab
// stays, its on/off button in Preferences and, for pages on the shared
// serial port, the port settings that the port scan fills and that are
// locked while any page holds the port.
//
// Start-up (page switches and page initialisation), Preferences, the port
// scan and the port locks all read this table: adding a page is one entry
// in pagetable.cpp plus the page's own folder (and its widgets in the forms).

#include <QList>

class MainWindow;
class QComboBox;
class QPushButton;
class QRadioButton;
class QWidget;
class Ui_MainWindow;
class Ui_Config;

// A serial page's port settings, as members of the main form.
struct PagePort
{
    QComboBox *Ui_MainWindow::*name = nullptr; // the port list the scan keeps in step
    QComboBox *Ui_MainWindow::*baudRate = nullptr;
    QPushButton *Ui_MainWindow::*open = nullptr; // the page's own stays enabled: it is its "Close"
    // Only pages with line settings of their own.
    QComboBox *Ui_MainWindow::*dataBits = nullptr;
    QComboBox *Ui_MainWindow::*parity = nullptr;
    QComboBox *Ui_MainWindow::*stopBits = nullptr;
    // Serial or TCP choice: locked only while this page holds the port.
    QRadioButton *Ui_MainWindow::*modeSerial = nullptr;
    QRadioButton *Ui_MainWindow::*modeTcp = nullptr;
};

struct PageEntry
{
    const char *key;                              // "true" or "false" in velm_config.ini
    QWidget *Ui_MainWindow::*tab;                 // the page widget in the main tab widget
    void (*init)(MainWindow &);                   // start-up work when the tab stays; may be null
    QPushButton *Ui_Config::*preferencesSwitch;   // null: the page is never switched off
    PagePort port = {};                           // serial pages only

    bool hasPort() const { return port.name != nullptr; }
};

namespace PageTable {

// Every page in tab order; the switchable pages come first.
const QList<PageEntry> &pages();
// The number of pages with a switch (the leading entries).
int switchableCount();
// The position of the page with this settings key, or -1.
int indexOf(const char *key);
// The page with this settings key, or null.
const PageEntry *find(const char *key);
// The page whose tab page is `tab`, or null.
const PageEntry *forTab(const Ui_MainWindow *ui, const QWidget *tab);
// The page whose serial open button is `open`, or null.
const PageEntry *forOpenButton(const Ui_MainWindow *ui, const QWidget *open);
// A serial page's port settings and open button (the set every page's lock
// switches): port list, baud rate, data bits, parity, stop bits, open.
QList<QWidget *> portSettings(const Ui_MainWindow *ui, const PageEntry &page);

} // namespace PageTable
