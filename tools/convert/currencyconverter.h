#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QThread>
#include <functional>

// Keeps the converter's euro rates in the settings file. The constructor
// decides from the stored "lastOpenedDateTime" whether this run fetches the
// daily reference rates (at most once a calendar day) and renews that date;
// run() downloads the document and stores the rates in group
// "ExchangeRates". A download that fails or cannot be read whole leaves the
// stored rates alone and only fills in defaults for currencies that have
// none. Destroying the worker stops a running download and waits for the
// thread.
class CurrencyConverter : public QThread
{
    Q_OBJECT
public:
    explicit CurrencyConverter(QObject *parent = nullptr);
    ~CurrencyConverter() override;

    // Test seams, not reachable by users: the feed's base address (scheme,
    // host and port, without the path), the clock the fetch rule reads and the
    // download time-out. An empty base, an empty clock or a time-out <= 0
    // restores the program's own.
    static void setFeedBaseForTesting(const QString &base);
    static void setClockForTesting(std::function<QDateTime()> clock);
    static void setTimeoutForTesting(int milliseconds);
    static QString feedUrl();

    bool willFetch() const { return needUpdate; }

protected:
    void run() override;

private:
    void parseExchangeRates(const QByteArray &document);
    void writeDefaultRates();
    void writeEndMarker();

    bool needUpdate;
};
