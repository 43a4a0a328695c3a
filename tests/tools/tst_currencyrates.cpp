// The daily euro rates: the once-a-day fetch rule, storing a served
// document, keeping stored rates when the download fails, rejecting bad
// entries, and stopping a waiting worker with the page. A local HTTP server
// plays the feed.

#include "testsupport.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSettings>

#include "convert/currencyconverter.h"
#include "convert/currencyrates.h"
#include "convert/kalvest_convert.h"
#include "tst_currencyrates_server.h"

namespace {

const char kFeedPath[] = "/stats/eurofxref/eurofxref-daily.xml";

QByteArray feed(const QByteArray &cubes)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<gesmes:Envelope xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\" "
           "xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\">\n"
           "\t<gesmes:subject>Reference rates</gesmes:subject>\n"
           "\t<gesmes:Sender>\n\t\t<gesmes:name>European Central Bank</gesmes:name>\n\t</gesmes:Sender>\n"
           "\t<Cube>\n\t\t<Cube time='2024-03-08'>\n" +
           cubes + "\t\t</Cube>\n\t</Cube>\n</gesmes:Envelope>\n";
}

const QByteArray kGoodCubes = "\t\t\t<Cube currency='USD' rate='1.0933'/>\n"
                              "\t\t\t<Cube currency='JPY' rate='160.86'/>\n"
                              "\t\t\t<Cube currency='GBP' rate='0.85115'/>\n"
                              "\t\t\t<Cube currency='XAU' rate='0.0004'/>\n";

QSettings *settings()
{
    static QSettings *s = nullptr;
    delete s;
    s = new QSettings(QStringLiteral("velm_config.ini"), QSettings::IniFormat);
    return s;
}

QVariant rate(const QString &code) { return settings()->value(QStringLiteral("ExchangeRates/") + code); }

void store(const QString &key, const QVariant &value)
{
    QSettings s(QStringLiteral("velm_config.ini"), QSettings::IniFormat);
    s.setValue(key, value);
    s.sync();
}

// Runs the event loop (the server lives in this thread) until the worker is done.
bool finish(QThread *worker, int ms = 10000)
{
    QElapsedTimer t;
    t.start();
    while (!worker->isFinished() && !t.hasExpired(ms))
        QTest::qWait(10);
    return worker->isFinished();
}

QString convert(kalvest_convert &page, const QString &amount, const QString &from, const QString &to)
{
    auto *source = page.findChild<QLineEdit *>(QStringLiteral("exchangerates_inputEdit_source"));
    auto *result = page.findChild<QLineEdit *>(QStringLiteral("exchangerates_inputEdit_to"));
    auto *fromList = page.findChild<QComboBox *>(QStringLiteral("exchangerates_fromUnitCombox"));
    auto *toList = page.findChild<QComboBox *>(QStringLiteral("exchangerates_toUnitCombox"));
    fromList->setCurrentIndex(fromList->findText(from + QLatin1Char('('), Qt::MatchStartsWith));
    toList->setCurrentIndex(toList->findText(to + QLatin1Char('('), Qt::MatchStartsWith));
    source->setText(QString());
    source->setText(amount);
    return result->text();
}

} // namespace

class TestCurrencyRates : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void firstStartFetchesAndStores();
    void fetchRuleFollowsCalendarDay_data();
    void fetchRuleFollowsCalendarDay();
    void failedDownloadKeepsStoredRates_data();
    void failedDownloadKeepsStoredRates();
    void defaultsWhenNothingStored();
    void badEntriesStoreNothing();
    void documentWithoutRatesKeepsStored();
    void parserRejectsIncompleteDocuments();
    void destroyingPageStopsWaitingWorker();
};

void TestCurrencyRates::init()
{
    // Never the real feed: a closed loopback port unless a test serves one.
    CurrencyConverter::setFeedBaseForTesting(QStringLiteral("http://127.0.0.1:1"));
    CurrencyConverter::setClockForTesting({});
    CurrencyConverter::setTimeoutForTesting(0);
}

void TestCurrencyRates::cleanup() { init(); }

void TestCurrencyRates::firstStartFetchesAndStores()
{
    TestSupport::ScratchDir dir;
    FeedServer server;
    QVERIFY(server.listen());
    server.respond(200, feed(kGoodCubes), 400);
    CurrencyConverter::setFeedBaseForTesting(server.base());

    kalvest_convert page;
    auto *worker = page.findChild<CurrencyConverter *>();
    QVERIFY(worker);
    QVERIFY(worker->willFetch());
    // Before the document arrives there is no USD rate yet.
    QCOMPARE(convert(page, QStringLiteral("1"), QStringLiteral("EUR"), QStringLiteral("USD")), QStringLiteral("0"));
    QVERIFY(finish(worker));

    QCOMPARE(server.requestCount(), 1);
    QCOMPARE(server.paths().first(), QByteArray(kFeedPath));
    QCOMPARE(rate(QStringLiteral("USD")).toDouble(), 1.0933);
    QCOMPARE(rate(QStringLiteral("JPY")).toDouble(), 160.86);
    QCOMPARE(rate(QStringLiteral("GBP")).toDouble(), 0.85115);
    QCOMPARE(rate(QStringLiteral("XAU")).toDouble(), 0.0004); // stored, never read
    QCOMPARE(rate(QStringLiteral("END")).toString(), QStringLiteral("0"));
    QVERIFY(!settings()->contains(QStringLiteral("ExchangeRates/EUR")));
    QVERIFY(!settings()->contains(QStringLiteral("ExchangeRates/AUD"))); // not served, no default after success
    QVERIFY(settings()->value(QStringLiteral("lastOpenedDateTime")).toDateTime().isValid());

    // The same page uses the new rate at once.
    QCOMPARE(convert(page, QStringLiteral("1"), QStringLiteral("EUR"), QStringLiteral("USD")), QStringLiteral("1.0933"));
    QCOMPARE(convert(page, QStringLiteral("1"), QStringLiteral("AUD"), QStringLiteral("EUR")), QStringLiteral("0"));

    // A second start the same day makes no request.
    CurrencyConverter second;
    QVERIFY(!second.willFetch());
    second.start();
    QVERIFY(finish(&second));
    QTest::qWait(100);
    QCOMPARE(server.requestCount(), 1);
}

void TestCurrencyRates::fetchRuleFollowsCalendarDay_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("requests");
    const QDateTime now(QDate(2024, 3, 10), QTime(12, 0));
    QTest::newRow("none") << QVariant() << 1;
    QTest::newRow("unreadable") << QVariant(QStringLiteral("not a date")) << 1;
    QTest::newRow("earlier same day") << QVariant(QDateTime(QDate(2024, 3, 10), QTime(0, 1))) << 0;
    QTest::newRow("later same day") << QVariant(QDateTime(QDate(2024, 3, 10), QTime(23, 59))) << 0;
    QTest::newRow("yesterday") << QVariant(QDateTime(QDate(2024, 3, 9), QTime(23, 59))) << 1;
    QTest::newRow("tomorrow") << QVariant(QDateTime(QDate(2024, 3, 11), QTime(0, 0))) << 1;
    QTest::newRow("last year same date") << QVariant(QDateTime(QDate(2023, 3, 10), QTime(12, 0))) << 1;
    Q_UNUSED(now);
}

void TestCurrencyRates::fetchRuleFollowsCalendarDay()
{
    QFETCH(QVariant, stored);
    QFETCH(int, requests);
    TestSupport::ScratchDir dir;
    FeedServer server;
    QVERIFY(server.listen());
    server.respond(200, feed(kGoodCubes));
    CurrencyConverter::setFeedBaseForTesting(server.base());
    const QDateTime now(QDate(2024, 3, 10), QTime(12, 0));
    CurrencyConverter::setClockForTesting([now]() { return now; });
    if (stored.isValid())
        store(QStringLiteral("lastOpenedDateTime"), stored);

    CurrencyConverter worker;
    QCOMPARE(worker.willFetch(), requests == 1);
    // The date is renewed at every construction, before any fetch.
    QCOMPARE(settings()->value(QStringLiteral("lastOpenedDateTime")).toDateTime(), now);
    worker.start();
    QVERIFY(finish(&worker));
    QTest::qWait(50);
    QCOMPARE(server.requestCount(), requests);
}

void TestCurrencyRates::failedDownloadKeepsStoredRates_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("404") << QStringLiteral("404");
    QTest::newRow("500 with a well-formed body") << QStringLiteral("500");
    QTest::newRow("empty body") << QStringLiteral("empty");
    QTest::newRow("truncated XML") << QStringLiteral("truncated");
    QTest::newRow("not XML") << QStringLiteral("html");
    QTest::newRow("connection refused") << QStringLiteral("refused");
    QTest::newRow("server never answers") << QStringLiteral("hang");
}

void TestCurrencyRates::failedDownloadKeepsStoredRates()
{
    QFETCH(QString, kind);
    TestSupport::ScratchDir dir;
    store(QStringLiteral("ExchangeRates/USD"), 1.2);
    FeedServer server;
    QVERIFY(server.listen());
    QString base = server.base();
    const QByteArray good = feed(kGoodCubes);
    if (kind == QLatin1String("404"))
        server.respond(404, "<html><body>Not found</body></html>");
    else if (kind == QLatin1String("500"))
        server.respond(500, good);
    else if (kind == QLatin1String("empty"))
        server.respond(200, QByteArray());
    else if (kind == QLatin1String("truncated"))
        server.respond(200, good.left(good.indexOf("JPY")));
    else if (kind == QLatin1String("html"))
        server.respond(200, "<html><body><p>maintenance<br></body></html>");
    else if (kind == QLatin1String("hang"))
        server.hang();
    else if (kind == QLatin1String("refused")) {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        base = QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
        probe.close();
    }
    CurrencyConverter::setFeedBaseForTesting(base);
    CurrencyConverter::setTimeoutForTesting(500);

    QElapsedTimer t;
    t.start();
    CurrencyConverter worker;
    worker.start();
    QVERIFY(finish(&worker));
    QVERIFY2(t.elapsed() < 5000, "the time-out must end a hanging download");
    if (kind != QLatin1String("refused"))
        QCOMPARE(server.requestCount(), 1);

    QCOMPARE(rate(QStringLiteral("USD")).toDouble(), 1.2);
    // Currencies without a stored rate get the defaults.
    QCOMPARE(rate(QStringLiteral("JPY")).toDouble(), 159.58);
    QCOMPARE(rate(QStringLiteral("GBP")).toDouble(), 0.85263);
    QCOMPARE(rate(QStringLiteral("END")).toString(), QStringLiteral("0"));
    QVERIFY(!settings()->contains(QStringLiteral("ExchangeRates/EUR")));
}

void TestCurrencyRates::defaultsWhenNothingStored()
{
    TestSupport::ScratchDir dir;
    FeedServer server;
    QVERIFY(server.listen());
    server.respond(404, QByteArray());
    CurrencyConverter::setFeedBaseForTesting(server.base());

    kalvest_convert page;
    auto *worker = page.findChild<CurrencyConverter *>();
    QVERIFY(worker);
    QVERIFY(finish(worker));
    QSettings *s = settings();
    s->beginGroup(QStringLiteral("ExchangeRates"));
    QStringList keys = s->childKeys();
    keys.sort();
    const CurrencyRates::Currency *table = CurrencyRates::currencies();
    QStringList expected{QStringLiteral("END")};
    for (int i = 0; i < CurrencyRates::kCurrencyCount; ++i) {
        if (QLatin1String(table[i].code) != QLatin1String("EUR"))
            expected << QString::fromLatin1(table[i].code);
    }
    expected.sort();
    QCOMPARE(keys, expected);
    QCOMPARE(convert(page, QStringLiteral("1"), QStringLiteral("EUR"), QStringLiteral("USD")), QStringLiteral("1.0883"));
    QCOMPARE(convert(page, QStringLiteral("100"), QStringLiteral("JPY"), QStringLiteral("EUR")),
             QStringLiteral("0.626644943"));
    QCOMPARE(convert(page, QStringLiteral("10"), QStringLiteral("USD"), QStringLiteral("JPY")),
             QStringLiteral("1466.3236240007"));
    QCOMPARE(convert(page, QStringLiteral("1"), QStringLiteral("IDR"), QStringLiteral("EUR")),
             QStringLiteral("0.0000587802"));
}

void TestCurrencyRates::badEntriesStoreNothing()
{
    TestSupport::ScratchDir dir;
    FeedServer server;
    QVERIFY(server.listen());
    server.respond(200, feed("<Cube currency='USD' rate='abc'/>\n"
                             "<Cube currency='x/y' rate='2'/>\n"
                             "<Cube currency='usd' rate='2'/>\n"
                             "<Cube currency='GBPX' rate='2'/>\n"
                             "<Cube currency='' rate='2'/>\n"
                             "<Cube rate='2'/>\n"
                             "<Cube currency='GBP' rate='-1'/>\n"
                             "<Cube currency='CHF' rate='0'/>\n"
                             "<Cube currency='CAD' rate='inf'/>\n"
                             "<Cube currency='NOK' rate='nan'/>\n"
                             "<Cube currency='SEK' rate='1e999'/>\n"
                             "<Cube currency='AUD'/>\n"
                             "<Cube currency='JPY' rate=' 160.5 '/>\n"));
    CurrencyConverter::setFeedBaseForTesting(server.base());
    CurrencyConverter worker;
    worker.start();
    QVERIFY(finish(&worker));

    QSettings *s = settings();
    QCOMPARE(s->childGroups(), QStringList{QStringLiteral("ExchangeRates")});
    s->beginGroup(QStringLiteral("ExchangeRates"));
    QStringList keys = s->allKeys();
    keys.sort();
    QCOMPARE(keys, (QStringList{QStringLiteral("END"), QStringLiteral("JPY")}));
    QCOMPARE(s->value(QStringLiteral("JPY")).toDouble(), 160.5);
}

void TestCurrencyRates::documentWithoutRatesKeepsStored()
{
    TestSupport::ScratchDir dir;
    store(QStringLiteral("ExchangeRates/USD"), 1.2);
    FeedServer server;
    QVERIFY(server.listen());
    server.respond(200, feed(QByteArray()));
    CurrencyConverter::setFeedBaseForTesting(server.base());
    CurrencyConverter worker;
    worker.start();
    QVERIFY(finish(&worker));
    QCOMPARE(server.requestCount(), 1);
    QSettings *s = settings();
    s->beginGroup(QStringLiteral("ExchangeRates"));
    QStringList keys = s->childKeys();
    keys.sort();
    QCOMPARE(keys, (QStringList{QStringLiteral("END"), QStringLiteral("USD")}));
    QCOMPARE(settings()->value(QStringLiteral("ExchangeRates/USD")).toDouble(), 1.2);
}

void TestCurrencyRates::parserRejectsIncompleteDocuments()
{
    QMap<QString, double> rates;
    QVERIFY(CurrencyRates::parseEuroRates(feed(kGoodCubes), &rates));
    QCOMPARE(rates.size(), 4);
    QCOMPARE(rates.value(QStringLiteral("USD")), 1.0933);
    const QByteArray good = feed(kGoodCubes);
    for (int cut : {0, 10, int(good.indexOf("GBP")), int(good.size()) - 3}) {
        rates.clear();
        QVERIFY2(!CurrencyRates::parseEuroRates(good.left(cut), &rates), qPrintable(QString::number(cut)));
    }
    QVERIFY(!CurrencyRates::parseEuroRates(good + "<extra/>", &rates));
    QVERIFY(!CurrencyRates::parseEuroRates("   \n", &rates));
    QVERIFY(CurrencyRates::isCurrencyCode(QStringLiteral("USD")));
    QVERIFY(!CurrencyRates::isCurrencyCode(QStringLiteral("US")));
    QVERIFY(!CurrencyRates::isCurrencyCode(QStringLiteral("U$D")));
    QVERIFY(!CurrencyRates::isCurrencyCode(QStringLiteral("\u00c4BC")));
}

void TestCurrencyRates::destroyingPageStopsWaitingWorker()
{
    TestSupport::ScratchDir dir;
    store(QStringLiteral("ExchangeRates/USD"), 1.2);
    FeedServer server;
    QVERIFY(server.listen());
    server.hang();
    CurrencyConverter::setFeedBaseForTesting(server.base()); // program's own 30 s time-out

    auto *page = new kalvest_convert;
    QPointer<CurrencyConverter> worker = page->findChild<CurrencyConverter *>();
    QVERIFY(worker);
    QTRY_COMPARE_WITH_TIMEOUT(server.requestCount(), 1, 5000);
    QVERIFY(worker->isRunning());

    QElapsedTimer t;
    t.start();
    delete page;
    QVERIFY2(t.elapsed() < 2000, qPrintable(QStringLiteral("took %1 ms").arg(t.elapsed())));
    QVERIFY(worker.isNull());
    // Stopping writes nothing: no defaults, no END.
    QCOMPARE(rate(QStringLiteral("USD")).toDouble(), 1.2);
    QVERIFY(!settings()->contains(QStringLiteral("ExchangeRates/END")));
    QVERIFY(!settings()->contains(QStringLiteral("ExchangeRates/JPY")));
}

VELM_TEST_MAIN(TestCurrencyRates)
#include "tst_currencyrates.moc"
