#include "currencyconverter.h"

#include "appinfo.h"
#include "currencyrates.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMap>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSettings>
#include <QTimer>
#include <QUrl>
#include <memory>

namespace {

const char *const kFeedPath = "/stats/eurofxref/eurofxref-daily.xml";
const int kDefaultTimeoutMs = 30000;
const char *const kLastOpenedKey = "lastOpenedDateTime";
const char *const kGroup = "ExchangeRates";

QString &feedBaseRef()
{
    static QString base;
    return base;
}

std::function<QDateTime()> &clockRef()
{
    static std::function<QDateTime()> clock;
    return clock;
}

int &timeoutRef()
{
    static int ms = 0;
    return ms;
}

QDateTime now()
{
    return clockRef() ? clockRef()() : QDateTime::currentDateTime();
}

QString settingsFile()
{
    return QString::fromLatin1(AppInfo::kSettingsFile);
}

} // namespace

void CurrencyConverter::setFeedBaseForTesting(const QString &base) { feedBaseRef() = base; }
void CurrencyConverter::setClockForTesting(std::function<QDateTime()> clock) { clockRef() = std::move(clock); }
void CurrencyConverter::setTimeoutForTesting(int milliseconds) { timeoutRef() = milliseconds; }

QString CurrencyConverter::feedUrl()
{
    const QString base = feedBaseRef().isEmpty() ? QString::fromLatin1(AppInfo::kCurrencyFeedBase) : feedBaseRef();
    return base + QLatin1String(kFeedPath);
}

CurrencyConverter::CurrencyConverter(QObject *parent) : QThread(parent), needUpdate(false)
{
    QSettings settings(settingsFile(), QSettings::IniFormat);
    const QDateTime last = settings.value(QLatin1String(kLastOpenedKey)).toDateTime();
    const QDateTime current = now();
    // A date in the future counts as another day too.
    needUpdate = !last.isValid() || last.date() != current.date();
    settings.setValue(QLatin1String(kLastOpenedKey), current);
    settings.sync();
}

CurrencyConverter::~CurrencyConverter()
{
    // run() polls for this and aborts its download; never destroy a running thread.
    requestInterruption();
    wait();
}

void CurrencyConverter::run()
{
    if (!needUpdate)
        return;

    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(feedUrl(), QUrl::TolerantMode));
    std::unique_ptr<QNetworkReply> reply(manager.get(request));

    QEventLoop loop;
    connect(&manager, &QNetworkAccessManager::finished, &loop, &QEventLoop::quit);

    const int timeoutMs = timeoutRef() > 0 ? timeoutRef() : kDefaultTimeoutMs;
    QElapsedTimer elapsed;
    elapsed.start();
    QTimer watch; // time-out and stop requests, checked a few times a second
    watch.setInterval(50);
    QNetworkReply *const r = reply.get();
    connect(&watch, &QTimer::timeout, &loop, [this, r, &elapsed, timeoutMs]() {
        if (isInterruptionRequested() || elapsed.hasExpired(timeoutMs))
            r->abort();
    });
    watch.start();
    if (!reply->isFinished())
        loop.exec();
    watch.stop();

    if (isInterruptionRequested())
        return; // shutting down: leave the file as it is

    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status >= 400) {
        writeEndMarker();
        writeDefaultRates();
        return;
    }
    const QByteArray body = QString::fromUtf8(reply->readAll()).toUtf8();
    parseExchangeRates(body);
}

void CurrencyConverter::parseExchangeRates(const QByteArray &document)
{
    QMap<QString, double> rates;
    const bool whole = CurrencyRates::parseEuroRates(document, &rates);
    if (whole && !rates.isEmpty()) {
        QSettings settings(settingsFile(), QSettings::IniFormat);
        settings.beginGroup(QLatin1String(kGroup));
        for (auto it = rates.cbegin(); it != rates.cend(); ++it)
            settings.setValue(it.key(), it.value());
        settings.endGroup();
        settings.sync();
    }
    writeEndMarker();
    if (!whole)
        writeDefaultRates();
}

void CurrencyConverter::writeEndMarker()
{
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.beginGroup(QLatin1String(kGroup));
    settings.setValue(QStringLiteral("END"), QStringLiteral("0"));
    settings.endGroup();
    settings.sync();
}

void CurrencyConverter::writeDefaultRates()
{
    QSettings settings(settingsFile(), QSettings::IniFormat);
    settings.beginGroup(QLatin1String(kGroup));
    const CurrencyRates::Currency *table = CurrencyRates::currencies();
    for (int i = 0; i < CurrencyRates::kCurrencyCount; ++i) {
        const QString code = QString::fromLatin1(table[i].code);
        if (table[i].defaultRate <= 0.0)
            continue; // the euro is the base, never stored
        if (!settings.contains(code))
            settings.setValue(code, table[i].defaultRate);
    }
    settings.endGroup();
    settings.sync();
}
