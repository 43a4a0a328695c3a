#pragma once
// What the MQTT tests share about the test brokers (tests/peers/40-mqtt-*):
// their CA for the TLS listeners and topics no other run uses.

#include <QSslConfiguration>
#include <QString>

#include "testenv.h"

namespace TestSupport {

// The default TLS configuration trusting the test brokers' CA ($VELM_MQTT_CA).
QSslConfiguration brokerCaConfiguration();

// `prefix` followed by a random tail, so parallel runs never share a topic.
QString uniqueTopic(const QString &prefix);

} // namespace TestSupport
