#pragma once
// A main window showing one serial device page (plus nothing else but
// "More"), whose port list offers a scripted device's port.

#include <QString>
#include <QStringList>
#include <memory>

#include "mainwindow.h"
#include "scripteddevice.h"
#include "testsupport.h"

namespace TestSupport {

class DeviceWindowFixture
{
public:
    // Scratch directory, prompt recorder, scripted device, port lister and a
    // settings file that switches every page but `pageKey` (a settings key
    // such as "GPS", "Environment" or "Modbus") off. False when no
    // pseudo-terminal could be made.
    bool start(const QString &pageKey);
    // The same with several pages on.
    bool start(const QStringList &pageKeys);
    // Builds and shows the window (QVERIFY inside: call through QVERIFY_NO_FAILURE
    // or check QTest::currentTestFailed() afterwards).
    void makeWindow();
    // A new scripted device in place of the current one (say, one that
    // vanished); the port list offers only its port from the next scan.
    // False when no pseudo-terminal could be made.
    bool replaceDevice();
    void stop();

    std::unique_ptr<ScratchDir> dir;
    std::unique_ptr<PromptRecorder> prompts;
    std::unique_ptr<ScriptedDevice> device;
    std::unique_ptr<MainWindow> w;
};

} // namespace TestSupport
