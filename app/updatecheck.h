#pragma once
// The update check's pieces that do not need a window: where the version
// file lives and how long to wait for it (reading the release number is in
// updateversion.h). Tests point the check at a local server through the setters; no user
// setting reaches them.

#include <QSslConfiguration>
#include <QString>
#include <QUrl>

#include "updateversion.h"

namespace UpdateCheck {

// How long the check waits for the whole reply.
constexpr int kDefaultTimeoutMs = 10000;
// A version file is a few bytes; a reply growing past this is not one.
constexpr qint64 kMaxReplyBytes = 64 * 1024;

// Scheme and host the version file is fetched from; empty restores the
// maker's server.
void setBaseUrl(const QString &base);
QString baseUrl();
// baseUrl() + "/software/VELM_VERSION".
QUrl versionFileUrl();

// Time-out of one check in milliseconds; zero or less restores the default.
void setTimeoutMs(int milliseconds);
int timeoutMs();

// TLS settings for the request (e.g. an extra trusted CA); a null
// configuration restores the system's defaults.
void setSslConfiguration(const QSslConfiguration &configuration);
QSslConfiguration sslConfiguration();

} // namespace UpdateCheck
