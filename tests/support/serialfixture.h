#pragma once
// A main window with only the "Serial Debug" tab, a pseudo-terminal pair
// whose first end the window's port list offers, and the peer's end open.

#include <QByteArray>
#include <QSerialPort>
#include <QStringList>
#include <memory>

#include "mainwindow.h"
#include "testsupport.h"

namespace TestSupport {

class SerialWindowFixture
{
public:
    // The ports the window's port list offers (the pty's first end after
    // startSerialFixture); tests may change it to drive the port scan.
    static QStringList ports;

    // Scratch directory, pty pair, prompt recorder, port lister and a
    // settings file that switches every page but "Serial Debug" off.
    // False when socat could not make the pair.
    bool startSerialFixture();
    void stopSerialFixture();
    // Builds and shows the window and opens the peer's end (QVERIFY inside).
    void makeWindow();
    // Reads from the peer until `expected` bytes came or the time is up.
    QByteArray peerRead(int expected, int timeoutMs = 2000);

    std::unique_ptr<ScratchDir> dir;
    std::unique_ptr<PtyPair> pty;
    std::unique_ptr<PromptRecorder> prompts;
    std::unique_ptr<MainWindow> w;
    std::unique_ptr<QSerialPort> peer;
};

} // namespace TestSupport
