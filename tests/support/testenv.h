#pragma once
// Small helpers several tests share: the environment the test runner sets,
// NMEA sentences with their checksum, and CPU-time readings.

#include <QByteArray>
#include <QString>
#include <QtTest>

namespace TestSupport {

// An environment variable the test runner sets (empty when it is not set).
QString env(const char *name);

// "$<body>*<checksum>\r\n": a sentence as a GNSS receiver sends it.
QByteArray withChecksum(const QByteArray &body);

// CPU time used so far by the whole process, in seconds.
double processCpuSeconds();
// CPU time used so far by the calling thread, in milliseconds.
double threadCpuMs();

} // namespace TestSupport

// Skips the test when the MQTT test brokers' variable `name` is not set.
#define VELM_REQUIRE_BROKER_ENV(name)                                                                                  \
    do {                                                                                                               \
        if (TestSupport::env(name).isEmpty())                                                                          \
            QSKIP(name " is not set (the MQTT test peers of ./test.sh provide it)");                                   \
    } while (0)
