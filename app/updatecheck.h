#pragma once
// The update check's pieces that do not need a window: where the version
// file lives, how long to wait for it, how to read the release number from
// it. Tests point the check at a local server through the setters; no user
// setting reaches them.

#include <QSslConfiguration>
#include <QString>
#include <QUrl>

namespace UpdateCheck {

// The program's own release 3.4.2, counted as (major * 100 + minor) * 100 + patch.
constexpr qint64 kOwnVersion = 30402;
// How long the check waits for the whole reply.
constexpr int kDefaultTimeoutMs = 10000;
// A version file is a few bytes; a reply growing past this is not one.
constexpr qint64 kMaxReplyBytes = 64 * 1024;

// The release number in a version file body, counted as above. The number
// stands after the first double quote (or at the start when there is none);
// only the ten characters there are looked at, and a part that is not a
// number counts as 0. Computed in 64 bits, so no body can overflow it.
qint64 versionNumber(const QString &body);

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
