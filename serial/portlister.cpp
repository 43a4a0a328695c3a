#include "portlister.h"

#include <QSerialPortInfo>

namespace SerialPortLister {
namespace {
Lister &listerRef()
{
    static Lister lister;
    return lister;
}
} // namespace

void setLister(Lister lister)
{
    listerRef() = std::move(lister);
}

QStringList availablePortNames()
{
    if (listerRef())
        return listerRef()();
    QStringList names;
    const auto ports = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : ports)
        names.append(info.portName());
    return names;
}

QStringList filterPortNames(const QStringList &names)
{
    QStringList out;
    for (const QString &name : names) {
        if (name.startsWith(QLatin1String("ttyS")) || name.startsWith(QLatin1String("ttyAMA")))
            continue;
        out.append(name);
    }
    return out;
}

} // namespace SerialPortLister
