#pragma once
// The GSM page in a window of its own, its port offered by a scripted
// modem: what the GSM page tests share.

#include <QAbstractButton>
#include <memory>

#include "devicewindowfixture.h"
#include "gsmmodem.h"

namespace TestSupport {

// A mouse press and release on `button`.
void press(QAbstractButton *button);

class GsmPageFixture
{
public:
    // The window fixture on the GSM page and a modem on the device's port.
    // False when no pseudo-terminal could be made.
    bool start();
    void stop();
    // Shows the window and opens the page's port; the page's start-up
    // queries run to "Initialization completed". Then the modem's command
    // log and the bytes the device received are cleared. QVERIFY inside:
    // use OPEN_PORT().
    void openPort();

    DeviceWindowFixture f;
    std::unique_ptr<GsmModem> modem;
};

} // namespace TestSupport

// Opens the page's port or ends the test.
#define OPEN_PORT()                                                                                                    \
    do {                                                                                                               \
        openPort();                                                                                                    \
        if (QTest::currentTestFailed())                                                                                \
            return;                                                                                                    \
    } while (false)
