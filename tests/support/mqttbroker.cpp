#include "mqttbroker.h"

#include <QSslCertificate>
#include <QUuid>

namespace TestSupport {

QSslConfiguration brokerCaConfiguration()
{
    QSslConfiguration conf = QSslConfiguration::defaultConfiguration();
    conf.setCaCertificates(QSslCertificate::fromPath(env("VELM_MQTT_CA")));
    return conf;
}

QString uniqueTopic(const QString &prefix)
{
    return prefix + QUuid::createUuid().toString(QUuid::Id128).left(12);
}

} // namespace TestSupport
