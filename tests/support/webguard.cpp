#include "webguard.h"

#include <QHostAddress>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>

namespace TestSupport {

namespace {
class LoopbackOnly : public QWebEngineUrlRequestInterceptor
{
public:
    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QUrl url = info.requestUrl();
        const QString scheme = url.scheme();
        if (!scheme.startsWith(QLatin1String("http")) && !scheme.startsWith(QLatin1String("ws")))
            return;
        const QString host = url.host();
        if (host == QLatin1String("localhost") || QHostAddress(host).isLoopback())
            return;
        info.block(true);
        ++blocked;
    }
    int blocked = 0;
};
} // namespace

int keepWebOnLoopback()
{
    static LoopbackOnly *guard = nullptr;
    if (!guard) {
        guard = new LoopbackOnly;
        QWebEngineProfile::defaultProfile()->setUrlRequestInterceptor(guard);
    }
    return guard->blocked;
}

} // namespace TestSupport
