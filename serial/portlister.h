#pragma once

#include <QStringList>
#include <functional>

// Where the port scan gets its list of serial port names. Normally the
// system's list; tests replace it to offer pseudo-terminals, which the
// system list never shows. Not reachable by the user.
namespace SerialPortLister {

using Lister = std::function<QStringList()>;

// An empty function restores the system list.
void setLister(Lister lister);

// Port names as reported, in the reported order.
QStringList availablePortNames();

// Drops every name that begins with "ttyS" or "ttyAMA" (built-in UARTs and
// console ports that are never what the user wants), keeping the order.
QStringList filterPortNames(const QStringList &names);

} // namespace SerialPortLister
