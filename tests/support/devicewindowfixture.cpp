#include "devicewindowfixture.h"

#include "pagetable.h"
#include "portlister.h"

#include <QSettings>
#include <QStringList>

namespace TestSupport {

bool DeviceWindowFixture::start(const QString &pageKey) { return start(QStringList{pageKey}); }

bool DeviceWindowFixture::start(const QStringList &pageKeys)
{
    dir = std::make_unique<ScratchDir>();
    device = std::make_unique<ScriptedDevice>();
    if (!device->ok())
        return false;
    prompts = std::make_unique<PromptRecorder>();
    const QString port = device->portPath();
    SerialPortLister::setLister([port] { return QStringList{port}; });
    QSettings s(QStringLiteral("velm_config.ini"), QSettings::IniFormat);
    for (int i = 0; i < PageTable::switchableCount(); ++i) {
        const QString k = QLatin1String(PageTable::pages().at(i).key);
        s.setValue(k, pageKeys.contains(k) ? QStringLiteral("true") : QStringLiteral("false"));
    }
    s.sync();
    return true;
}

void DeviceWindowFixture::makeWindow()
{
    w = std::make_unique<MainWindow>();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
}

bool DeviceWindowFixture::replaceDevice()
{
    device = std::make_unique<ScriptedDevice>();
    if (!device->ok())
        return false;
    const QString port = device->portPath();
    SerialPortLister::setLister([port] { return QStringList{port}; });
    return true;
}

void DeviceWindowFixture::stop()
{
    w.reset();
    device.reset();
    prompts.reset();
    dir.reset();
    SerialPortLister::setLister({});
}

} // namespace TestSupport
