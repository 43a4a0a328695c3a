// Every text of the program that passes the translator has a simplified
// Chinese translation: lupdate lists the translatable texts of the sources
// and forms, and each must be translated in one of the .ts files of the
// Chinese catalogue (every page keeps its own file there), unless it is on
// the keep-English list below or has no letter at all.
#include "testsupport.h"

#include "ble/device.h"
#include "env/dashboard.h"
#include "gps/gpsmapbridge.h"
#include "hex/kalvest_hex_tools.h"
#include "mainwindow.h"
#include "translations.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFileInfo>
#include <QRegularExpression>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTextDocumentFragment>
#include <QXmlStreamReader>

namespace {

// Texts shown in English in both languages: the tab texts (the window
// finds its pages by them), product, chip, protocol and unit names, and the
// help's samples of what devices send. Full-match patterns.
const QStringList kKeepEnglish = {
    // tab texts and page names
    QStringLiteral("UDP|TCP|GPS|GSM|UNICODE|MQTT|Ble|i2cdump|TOF|Modbus|CIE|IMU|Crypty|Oscilloscope|Spectra|Convert"),
    // port and protocol words
    QStringLiteral("COM|Null|DTR|RTS|Hex|DES - CBC|DES|2DES|3DES|Base64|(mqtts?|wss?)://"),
    // chips, grid sizes and axes
    QStringLiteral("AS7341:?|AS7343:?|AS7265X:?|VL53LMZ|TMF8828|TMF8829|4x4|8x8|2D|3D|[wXYZ]:|CO₂:|TVOC:"),
    // units of the data storage converter
    QStringLiteral("[kMGTPE]?[Bb]it|[kMGTPE]?B"),
    // the product name, and a page form's object name and window title
    // (a page is never a window of its own)
    QStringLiteral("Kalvest -- VELM|kalvest_convert|Form"),
    // samples of device output in the help ("Temperature:xx.xxC", ...)
    QStringLiteral("(?s).*(xx\\.x|xxxx).*"),
};

// Texts that stay English in one context only: the form's parity and
// server/client items and menu titles, the Ble page's scan button and the
// converter's category names.
const QList<QPair<QString, QString>> kKeepEnglishIn = {
    {QStringLiteral("MainWindow"), QStringLiteral("Mark|Space|TCP Server|TCP Client|Edit\\(&E\\)|About\\(&A\\)")},
    {QStringLiteral("kalvest_ble"), QStringLiteral("Scan")},
    {QStringLiteral("kalvest_convert"),
     QStringLiteral("To|Exchangerates|Lengths|Mass|Area|Volume|Force|Torque|Time|Speed|Temperature|Pressure|Energy|"
                    "Power|Conductance|Resistance|Capacitance|Current|Charge|Inductance|Magnetic|Angle|DataStorage")},
};

bool keptEnglish(const QString &context, const QString &text)
{
    const auto matches = [&text](const QString &pattern) {
        return QRegularExpression(QRegularExpression::anchoredPattern(pattern)).match(text).hasMatch();
    };
    for (const QString &pattern : kKeepEnglish) {
        if (matches(pattern))
            return true;
    }
    for (const auto &entry : kKeepEnglishIn) {
        if (entry.first == context && matches(entry.second))
            return true;
    }
    return false;
}

struct Message {
    QString context;
    QString source;
    QString comment;
    bool translated = false;
};

// Messages of a .ts file; `translated` when a finished, non-empty
// translation is there.
QList<Message> readTs(const QString &path, QString *error)
{
    QList<Message> out;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = path + QStringLiteral(": ") + file.errorString();
        return out;
    }
    QXmlStreamReader xml(&file);
    QString context;
    Message m;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto name = xml.name();
            if (name == QLatin1String("context")) {
                context.clear();
            } else if (name == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (name == QLatin1String("message")) {
                m = Message{context, QString(), QString(), false};
            } else if (name == QLatin1String("source")) {
                m.source = xml.readElementText();
            } else if (name == QLatin1String("comment")) {
                m.comment = xml.readElementText();
            } else if (name == QLatin1String("translation")) {
                const QString type = xml.attributes().value(QLatin1String("type")).toString();
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
                m.translated = type.isEmpty() && !text.trimmed().isEmpty();
            }
        } else if (xml.isEndElement() && xml.name() == QLatin1String("message")) {
            out.append(m);
        }
    }
    if (xml.hasError())
        *error = path + QStringLiteral(": ") + xml.errorString();
    return out;
}

// The words a text shows: rich text without its markup.
QString shownText(const QString &source)
{
    if (source.startsWith(QLatin1String("<!DOCTYPE")) || source.startsWith(QLatin1String("<html>")))
        return QTextDocumentFragment::fromHtml(source).toPlainText().trimmed();
    return source;
}

// Whether a text has anything to translate: a letter outside placeholders
// (%1, %n), and no Chinese already.
bool hasChinese(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF)
            return true;
    }
    return false;
}

bool needsTranslation(const QString &text)
{
    QString s = text;
    s.remove(QRegularExpression(QStringLiteral("%(\\d+|n|L\\d+)")));
    bool letter = false;
    for (const QChar c : s) {
        if (c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF)
            return false;
        letter = letter || c.isLetter();
    }
    return letter;
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void everyTranslatableTextHasAChineseTranslation();
    void aChineseFontIsInstalled();
    void statusAndAlertTextsHaveChineseEntries_data();
    void statusAndAlertTextsHaveChineseEntries();
    void pagesShowTheirTextsTranslated_data();
    void pagesShowTheirTextsTranslated();
};

void TestTranslations::statusAndAlertTextsHaveChineseEntries_data()
{
    // Texts a Chinese screen showed in English: the Bluetooth adapter's
    // status (the toolkit's discovery texts and the page's own), the Hex
    // page's placeholders, the map pages' alerts and the pressure dial.
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    const QList<QPair<const char *, const char *>> rows = {
        {"QBluetoothDeviceDiscoveryAgent", "Cannot find valid Bluetooth adapter."},
        {"QBluetoothDeviceDiscoveryAgent", "Bluetooth adapter error"},
        {"QBluetoothDeviceDiscoveryAgent", "Device is powered off"},
        {"QBluetoothDeviceDiscoveryAgent", "Input Output Error"},
        {"QLowEnergyController", "Cannot find local adapter"},
        {"Device", "The Bluetooth discovery did not start."},
        {"Device", "The Bluetooth adaptor is powered off, power it on before doing discovery."},
        {"Device", "Writing or reading from the device resulted in an error."},
        {"Device", "Error: %1"},
        {"kalvest_hex_tools", "Enter address (hex)"},
        {"kalvest_hex_tools", "Search (hex)"},
        {"GpsMapBridge", "IP location failed!"},
        {"GpsMapBridge", "Map loading failed, please check the network!"},
        {"MainWindow", "Barometer"},
    };
    for (const auto &row : rows)
        QTest::newRow(row.second) << QString::fromLatin1(row.first) << QString::fromLatin1(row.second);
}

void TestTranslations::statusAndAlertTextsHaveChineseEntries()
{
    QFETCH(QString, context);
    QFETCH(QString, source);
    const QByteArray c = context.toLatin1();
    const QByteArray s = source.toLatin1();
    {
        const InstalledTranslators t = installTranslators(qApp, QLocale(QStringLiteral("zh_CN")));
        const QString shown = QCoreApplication::translate(c.constData(), s.constData());
        QVERIFY2(hasChinese(shown), qPrintable(shown));
        // Placeholders survive the translation.
        QCOMPARE(shown.contains(QLatin1String("%1")), source.contains(QLatin1String("%1")));
    }
    const InstalledTranslators t = installTranslators(qApp, QLocale(QStringLiteral("en_US")));
    QCOMPARE(QCoreApplication::translate(c.constData(), s.constData()), source);
}

void TestTranslations::pagesShowTheirTextsTranslated_data()
{
    QTest::addColumn<QString>("locale");
    QTest::newRow("zh_CN") << "zh_CN";
    QTest::newRow("en_US") << "en_US";
}

// The same texts where the pages put them: each goes through the catalogue
// on its way to the screen.
void TestTranslations::pagesShowTheirTextsTranslated()
{
    QFETCH(QString, locale);
    const bool chinese = locale.startsWith(QLatin1String("zh"));
    TestSupport::ScratchDir dir;
    const InstalledTranslators t = installTranslators(qApp, QLocale(locale));
    const auto check = [chinese](const QString &shown, const char *english) {
        if (chinese)
            QVERIFY2(hasChinese(shown), qPrintable(shown));
        else
            QCOMPARE(shown, QString::fromLatin1(english));
    };

    kalvest_hex_tools hex;
    auto *address = hex.findChild<QLineEdit *>(QStringLiteral("addressInput"));
    auto *search = hex.findChild<QLineEdit *>(QStringLiteral("searchInput"));
    QVERIFY(address && search);
    check(address->placeholderText(), "Enter address (hex)");
    QVERIFY(!QTest::currentTestFailed());
    check(search->placeholderText(), "Search (hex)");
    QVERIFY(!QTest::currentTestFailed());

    check(GpsMapBridge::alertText(QStringLiteral("IP location failed!")), "IP location failed!");
    QVERIFY(!QTest::currentTestFailed());
    check(GpsMapBridge::alertText(QStringLiteral("Map loading failed, please check the network!")),
          "Map loading failed, please check the network!");
    QVERIFY(!QTest::currentTestFailed());
    // An alert already in Chinese (the Baidu page's) is shown as it is.
    QCOMPARE(GpsMapBridge::alertText(QStringLiteral("地图加载失败，请检查网络！")), QStringLiteral("地图加载失败，请检查网络！"));

    Device ble;
    emit ble.agent()->errorOccurred(QBluetoothDeviceDiscoveryAgent::PoweredOffError);
    check(ble.getUpdate(), "The Bluetooth adaptor is powered off, power it on before doing discovery.");
    QVERIFY(!QTest::currentTestFailed());
    emit ble.agent()->errorOccurred(QBluetoothDeviceDiscoveryAgent::InputOutputError);
    check(ble.getUpdate(), "Writing or reading from the device resulted in an error.");
    QVERIFY(!QTest::currentTestFailed());
    emit ble.agent()->errorOccurred(QBluetoothDeviceDiscoveryAgent::InvalidBluetoothAdapterError);
    QVERIFY2(ble.getUpdate().endsWith(QLatin1String("InvalidBluetoothAdapterError")), qPrintable(ble.getUpdate()));
    check(ble.getUpdate(), "Error: InvalidBluetoothAdapterError");
    QVERIFY(!QTest::currentTestFailed());

    MainWindow w;
    QVERIFY(w.envBarometerGauge);
    check(w.envBarometerGauge->title(), "Barometer");
}

void TestTranslations::aChineseFontIsInstalled()
{
    // Without one the Chinese interface shows empty boxes.
    const QStringList families = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
    QVERIFY2(!families.isEmpty(), "no font for simplified Chinese (scripts/setup.sh installs one)");
    const QFontMetrics metrics{QFont(families.first())};
    QVERIFY(metrics.inFont(QChar(0x4E2D))); // 中
}

void TestTranslations::everyTranslatableTextHasAChineseTranslation()
{
    QString root = qEnvironmentVariable("VELM_SOURCE_DIR");
    if (root.isEmpty())
        root = QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../..");
    QString lupdate = QDir(QLibraryInfo::path(QLibraryInfo::BinariesPath)).filePath(QStringLiteral("lupdate"));
    if (!QFile::exists(lupdate))
        lupdate = QDir(QLibraryInfo::path(QLibraryInfo::LibraryExecutablesPath)).filePath(QStringLiteral("lupdate"));
    QVERIFY2(QFile::exists(lupdate), "lupdate not found");

    // The texts of the sources, as lupdate finds them.
    QTemporaryDir out;
    QVERIFY(out.isValid());
    const QString extracted = out.filePath(QStringLiteral("sources.ts"));
    QStringList args{QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                     QStringLiteral("-extensions"), QStringLiteral("cpp,h,ui")};
    for (const char *folder : {"app", "serial", "terminal", "network", "devices", "tools", "forms", "web"}) {
        if (QDir(root).exists(QLatin1String(folder)))
            args << QDir(root).filePath(QLatin1String(folder));
    }
    args << QStringLiteral("-ts") << extracted;
    QProcess run;
    run.start(lupdate, args);
    QVERIFY(run.waitForFinished(120000));
    QVERIFY2(run.exitCode() == 0, run.readAllStandardError().constData());
    QString error;
    const QList<Message> texts = readTs(extracted, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY2(texts.size() > 100, "lupdate found hardly any text");

    // Every .ts file of the Chinese catalogue.
    QHash<QString, QSet<QString>> translated; // context -> sources (with comment)
    QSet<QString> translatedAnywhere;
    const QString catalogue = QDir(root).filePath(QStringLiteral("resources/translations/transSimpleChinese"));
    int files = 0;
    QDirIterator it(catalogue, {QStringLiteral("*.ts")}, QDir::Files);
    while (it.hasNext()) {
        ++files;
        for (const Message &m : readTs(it.next(), &error)) {
            if (!m.translated)
                continue;
            translated[m.context].insert(m.source + QChar(0) + m.comment);
            translated[m.context].insert(m.source + QChar(0)); // what the translator falls back to
            translatedAnywhere.insert(m.source);
        }
        QVERIFY2(error.isEmpty(), qPrintable(error));
    }
    QVERIFY(files > 0);

    QStringList missing;
    for (const Message &m : texts) {
        const QString shown = shownText(m.source);
        if (!needsTranslation(shown) || keptEnglish(m.context, shown))
            continue;
        if (translated.value(m.context).contains(m.source + QChar(0) + m.comment))
            continue;
        if (translated.value(m.context).contains(m.source + QChar(0)))
            continue;
        // Where lupdate could not tell the class (no context, or one no
        // catalogue knows), a translation of the text in any context counts.
        if ((m.context.isEmpty() || !translated.contains(m.context)) && translatedAnywhere.contains(m.source))
            continue;
        missing << QStringLiteral("%1: \"%2\"").arg(m.context, m.source);
    }
    missing.removeDuplicates();
    if (!missing.isEmpty())
        qWarning().noquote() << "Without a Chinese translation:\n  " + missing.join(QStringLiteral("\n  "));
    QCOMPARE(missing.size(), 0);
}

VELM_TEST_MAIN(TestTranslations)
#include "tst_translations.moc"
