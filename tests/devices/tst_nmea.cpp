// test-links: codecs
// The NMEA framer and decoder without a window: label texts and positions
// agree with pynmea2 on standard sentences of several talkers, whole and
// cut at every byte; framing faults; fix qualities; field reading; the
// receive buffer's cap, and a chunk larger than it losing no sentence; the
// same labels under a German locale.

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <clocale>
#include <cstdlib>

#include "testenv.h"
#include "gps/nmea.h"

namespace {

using TestSupport::withChecksum;

const char *const kLabelNames[] = {"Utc",  "FixState", "Latitude", "LatHemisphere",  "Longitude",
                                   "LonHemisphere", "Speed", "Altitude", "Pdop", "Hdop", "Vdop",
                                   "SatellitesUsed", "GpsInView", "BeidouInView"};

// Label changes of one sentence as name -> text, whether it announced a
// new position, plus the signed position after an RMC sentence that had a fix.
struct Decoded
{
    QMap<QString, QString> labels;
    bool announced = false;
    bool hasPosition = false;
    double lat = 0, lon = 0;
    bool operator==(const Decoded &o) const
    {
        return labels == o.labels && announced == o.announced && hasPosition == o.hasPosition && lat == o.lat
               && lon == o.lon;
    }
};

QList<Decoded> decodeChunks(const QList<QByteArray> &chunks)
{
    NmeaFramer framer;
    NmeaDecoder decoder;
    QList<Decoded> out;
    for (const QByteArray &chunk : chunks) {
        for (const QByteArray &sentence : framer.feed(chunk)) {
            QList<NmeaDecoder::Update> updates;
            decoder.decode(sentence, &updates);
            Decoded d;
            for (const auto &u : updates)
                d.labels.insert(QLatin1String(kLabelNames[static_cast<int>(u.label)]), u.text);
            d.announced = decoder.takePositionUpdate();
            if (d.announced && decoder.position().valid) {
                d.hasPosition = true;
                d.lat = decoder.position().latitude;
                d.lon = decoder.position().longitude;
            }
            out.append(d);
        }
    }
    return out;
}

// Standard sentences: the public textbook ones with their own checksums,
// and GN/GL/GA/BD/GB talkers, south and west, an RTK fix.
QList<QByteArray> referenceSentences()
{
    QList<QByteArray> s = {
        "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n",
        "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n",
        "$GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1*39\r\n",
        "$GPGSV,2,1,08,01,40,083,46,02,17,308,41,12,07,344,39,14,22,228,45*75\r\n",
        "$GPVTG,054.7,T,034.4,M,005.5,N,010.2,K*48\r\n",
    };
    for (const QByteArray &body : QList<QByteArray>{
             "GNGGA,092750.000,3352.1280,S,15112.5040,W,4,10,1.0,26.6,M,-34.1,M,,",
             "GNRMC,092750.000,A,3352.1280,S,15112.5040,W,0.02,31.66,280511,,,A",
             "GNGSA,A,3,10,07,05,02,29,04,08,13,,,,,1.72,1.03,1.38",
             "GNVTG,31.66,T,,M,0.02,N,0.04,K,A",
             "BDGSV,2,1,07,01,45,125,38,03,50,200,40,06,60,030,41,08,20,310,33",
             "GBGSV,1,1,02,11,33,090,29,12,10,270,",
             "GLGSV,1,1,02,65,40,050,30,66,20,150,25",
             "GAGSV,1,1,01,03,55,100,37",
             "GPGGA,000001,0030.0000,N,00015.0000,W,5,12,0.6,3.2,M,0,M,,",
             "GPRMC,235959.50,A,0030.0000,N,00015.0000,W,1.0,2.0,010120,,",
             "GPGGA,101010,5130.0000,N,00007.5000,W,6,04,2.0,80,M,47,M,,",
             "GPRMC,101011,A,5130.0000,N,00007.5000,W,0,0,010120,,",
         })
        s.append(withChecksum(body));
    return s;
}

QString pythonForReference()
{
    // Debian's interpreter, where python3-nmea2 lives.
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                             : QStringLiteral("python3");
}

} // namespace

class TestNmea : public QObject
{
    Q_OBJECT

private slots:
    void agreesWithPynmea2();
    void anyCutGivesTheSameLabels();
    void framing_data();
    void framing();
    void ggaQuality_data();
    void ggaQuality();
    void rmcPositionRules_data();
    void rmcPositionRules();
    void fieldReaders_data();
    void fieldReaders();
    void bufferStaysCapped();
    void chunkLargerThanTheCapLosesNothing();
    void germanLocaleReadsTheSame();
};

void TestNmea::agreesWithPynmea2()
{
    const QList<QByteArray> sentences = referenceSentences();
    QProcess py;
    const QString script = qEnvironmentVariable("VELM_SOURCE_DIR") + QStringLiteral("/tests/devices/tst_nmea_reference.py");
    py.start(pythonForReference(), {script});
    QVERIFY2(py.waitForStarted(), "python3 is needed");
    for (const QByteArray &s : sentences)
        py.write(s);
    py.closeWriteChannel();
    QVERIFY(py.waitForFinished(20000));
    QVERIFY2(py.exitCode() == 0, py.readAllStandardError().constData()); // python3-nmea2 is a test package
    const QList<QByteArray> lines = py.readAllStandardOutput().trimmed().split('\n');
    QCOMPARE(lines.size(), sentences.size());

    QByteArray stream;
    for (const QByteArray &s : sentences)
        stream += s;
    const QList<Decoded> ours = decodeChunks({stream});
    QCOMPARE(ours.size(), sentences.size());
    for (int i = 0; i < lines.size(); ++i) {
        QJsonObject ref = QJsonDocument::fromJson(lines[i]).object();
        const QJsonArray pos = ref.take(QStringLiteral("position")).toArray();
        QMap<QString, QString> expected;
        for (auto it = ref.begin(); it != ref.end(); ++it)
            expected.insert(it.key(), it.value().toString());
        const QByteArray what = sentences[i].trimmed();
        QVERIFY2(ours[i].labels == expected, what.constData());
        QCOMPARE(ours[i].hasPosition, !pos.isEmpty());
        if (!pos.isEmpty()) {
            QVERIFY2(qAbs(ours[i].lat - pos[0].toDouble()) < 1e-9, what.constData());
            QVERIFY2(qAbs(ours[i].lon - pos[1].toDouble()) < 1e-9, what.constData());
        }
    }
    // The textbook example, as the page shows it.
    QCOMPARE(ours[1].labels.value("Latitude"), QStringLiteral("48.1173000"));
    QCOMPARE(ours[1].labels.value("Longitude"), QStringLiteral("11.5166667"));
    QCOMPARE(ours[6].labels.value("Utc"), QStringLiteral("9:27:50"));
}

void TestNmea::anyCutGivesTheSameLabels()
{
    QByteArray stream;
    for (const QByteArray &s : referenceSentences())
        stream += s;
    const QList<Decoded> whole = decodeChunks({stream});
    QCOMPARE(whole.size(), referenceSentences().size());
    for (int cut = 0; cut <= stream.size(); ++cut) {
        const QList<Decoded> split = decodeChunks({stream.left(cut), stream.mid(cut)});
        QVERIFY2(split == whole, qPrintable(QStringLiteral("cut at %1").arg(cut)));
    }
    // One byte at a time.
    QList<QByteArray> bytes;
    for (char c : stream)
        bytes.append(QByteArray(1, c));
    QVERIFY(decodeChunks(bytes) == whole);
}

void TestNmea::framing_data()
{
    QTest::addColumn<QList<QByteArray>>("chunks");
    QTest::addColumn<QList<QByteArray>>("expected");
    const QByteArray gga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
    const QByteArray rmc = "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A\r\n";
    QByteArray flipped = gga;
    flipped[flipped.indexOf('*') + 2] = '8';
    QByteArray noStar = gga;
    noStar.remove(noStar.indexOf('*'), 3);
    QByteArray lower = withChecksum("GPVTG,054.7,T,034.4,M,005.5,N,010.2,K"); // *48 has no letter
    const QByteArray withLetters = withChecksum("GPGSA,A,3,04,05,,09,12,,,24,,,,,2.5,1.3,2.1"); // *39
    const QByteArray hexLetters = withChecksum("GNRMC,1,A,1,N,1,E");
    QByteArray hexLower = hexLetters;
    const int star = hexLower.indexOf('*');
    hexLower.replace(star + 1, 2, hexLower.mid(star + 1, 2).toLower());
    QVERIFY(hexLower != hexLetters); // the checksum really has letters

    QTest::newRow("whole") << QList<QByteArray>{gga} << QList<QByteArray>{gga};
    QTest::newRow("split in two") << QList<QByteArray>{gga.left(20), gga.mid(20)} << QList<QByteArray>{gga};
    QTest::newRow("two in one chunk, in order") << QList<QByteArray>{rmc + gga} << QList<QByteArray>{rmc, gga};
    QTest::newRow("identical twice") << QList<QByteArray>{gga + gga} << QList<QByteArray>{gga, gga};
    QTest::newRow("flipped checksum digit") << QList<QByteArray>{flipped, rmc} << QList<QByteArray>{rmc};
    QTest::newRow("no star") << QList<QByteArray>{noStar, rmc} << QList<QByteArray>{rmc};
    QTest::newRow("truncated, then a new sentence")
        << QList<QByteArray>{"$GPGGA,1235" + rmc} << QList<QByteArray>{rmc};
    QTest::newRow("truncated across chunks")
        << QList<QByteArray>{"$GPGGA,1235", rmc} << QList<QByteArray>{rmc};
    QTest::newRow("double dollar") << QList<QByteArray>{"$" + rmc} << QList<QByteArray>{rmc};
    QTest::newRow("lower-case checksum") << QList<QByteArray>{hexLower} << QList<QByteArray>{hexLower};
    QTest::newRow("garbage around") << QList<QByteArray>{"\x01junk" + withLetters + "noise\r\n", lower}
                                    << QList<QByteArray>{withLetters, lower};
    QTest::newRow("no dollar yet") << QList<QByteArray>{"GPGGA,1,2,3*00\r\n", gga} << QList<QByteArray>{gga};
}

void TestNmea::framing()
{
    QFETCH(QList<QByteArray>, chunks);
    QFETCH(QList<QByteArray>, expected);
    NmeaFramer framer;
    QList<QByteArray> got;
    for (const QByteArray &c : chunks)
        got += framer.feed(c);
    QCOMPARE(got, expected);
}

void TestNmea::ggaQuality_data()
{
    QTest::addColumn<QByteArray>("quality");
    QTest::addColumn<QString>("state");
    const char *yes[] = {"1", "2", "3", "4", "5", "4.7"};
    const char *no[] = {"0", "6", "7", "8", "9", "", "x", "-1"};
    for (const char *q : yes)
        QTest::newRow(q) << QByteArray(q) << QStringLiteral("Yes");
    for (const char *q : no)
        QTest::newRow(*q ? q : "empty") << QByteArray(q) << QStringLiteral("No");
}

void TestNmea::ggaQuality()
{
    QFETCH(QByteArray, quality);
    QFETCH(QString, state);
    const QList<Decoded> d = decodeChunks({withChecksum("GPGGA,1,4807.038,N,01131.000,E," + quality + ",08,0.9,1,M,,M,,")});
    QCOMPARE(d.size(), 1);
    QCOMPARE(d[0].labels.value("FixState"), state);
}

void TestNmea::rmcPositionRules_data()
{
    QTest::addColumn<QByteArray>("gga");
    QTest::addColumn<QByteArray>("rmc");
    QTest::addColumn<QString>("lat");
    QTest::addColumn<QString>("lon");
    QTest::addColumn<bool>("position");
    const QByteArray fix = "GPGGA,1,,,,,1,08,0.9,1,M,,M,,";
    const QByteArray noFix = "GPGGA,1,,,,,0,00,,,M,,M,,";
    QTest::newRow("equator is a position") << fix << QByteArray("GPRMC,1,A,0030.000,N,00000.0000,E,,,,,")
                                           << "0.5000000" << "0.0000000" << true;
    QTest::newRow("empty latitude") << fix << QByteArray("GPRMC,1,A,,N,01131.000,E,,,,,") << ""
                                    << "11.5166667" << false;
    QTest::newRow("not a number") << fix << QByteArray("GPRMC,1,A,48x7.0,N,01131.000,E,,,,,") << ""
                                  << "11.5166667" << false;
    QTest::newRow("out of range") << fix << QByteArray("GPRMC,1,A,9130.000,N,18100.000,E,,,,,") << "" << ""
                                  << false;
    QTest::newRow("void, no position") << fix << QByteArray("GPRMC,1,V,,,,,,,,,,N") << "" << "" << false;
    QTest::newRow("no fix: labels kept") << noFix << QByteArray("GPRMC,1,A,4807.038,N,01131.000,E,,,,,")
                                         << "Null" << "Null" << false;
}

void TestNmea::rmcPositionRules()
{
    QFETCH(QByteArray, gga);
    QFETCH(QByteArray, rmc);
    QFETCH(QString, lat);
    QFETCH(QString, lon);
    QFETCH(bool, position);
    const QList<Decoded> d = decodeChunks({withChecksum(gga) + withChecksum(rmc)});
    QCOMPARE(d.size(), 2);
    QCOMPARE(d[1].labels.value("Latitude", QStringLiteral("Null")), lat);
    QCOMPARE(d[1].labels.value("Longitude", QStringLiteral("Null")), lon);
    QCOMPARE(d[1].hasPosition, position);
    // Only a position is announced to the page (it starts the save and map spacing).
    QCOMPARE(d[1].announced, position);
}

void TestNmea::fieldReaders_data()
{
    QTest::addColumn<QByteArray>("sentence");
    QTest::addColumn<int>("field");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("number");
    QTest::addColumn<bool>("numeric");
    QTest::newRow("tag") << QByteArray("$GPGGA,1*00") << 0 << QByteArray("$GPGGA") << 0.0 << false;
    QTest::newRow("decimal") << QByteArray("$X,4807.038,N*00") << 1 << QByteArray("4807.038") << 4807.038 << true;
    QTest::newRow("stops at star") << QByteArray("$X,1,2.5*7F") << 2 << QByteArray("2.5") << 2.5 << true;
    QTest::newRow("past the last field") << QByteArray("$X,1*00") << 5 << QByteArray() << 0.0 << false;
    QTest::newRow("past the end, no star") << QByteArray("$X,1") << 3 << QByteArray() << 0.0 << false;
    QTest::newRow("prefix like atof") << QByteArray("$X,12abc") << 1 << QByteArray("12abc") << 12.0 << true;
    QTest::newRow("sign and blanks") << QByteArray("$X, -3.25") << 1 << QByteArray(" -3.25") << -3.25 << true;
    QTest::newRow("nan") << QByteArray("$X,nan") << 1 << QByteArray("nan") << 0.0 << false;
    QTest::newRow("inf") << QByteArray("$X,inf") << 1 << QByteArray("inf") << 0.0 << false;
    QTest::newRow("overflow") << QByteArray("$X,1e999") << 1 << QByteArray("1e999") << 0.0 << false;
    QTest::newRow("two signs") << QByteArray("$X,+-1") << 1 << QByteArray("+-1") << 0.0 << false;
    QTest::newRow("long field cut") << QByteArray("$X," + QByteArray(200, '7') + ",1") << 1 << QByteArray(98, '7')
                                    << 7.777777777777777e97 << true;
}

void TestNmea::fieldReaders()
{
    QFETCH(QByteArray, sentence);
    QFETCH(int, field);
    QFETCH(QByteArray, text);
    QFETCH(double, number);
    QFETCH(bool, numeric);
    // Read from a copy holding exactly the sentence: ASan sees any read past it.
    const QByteArray exact(sentence.constData(), sentence.size());
    QCOMPARE(NmeaField::text(exact, field), text);
    bool ok = false;
    const double v = NmeaField::number(exact, field, &ok);
    QCOMPARE(ok, numeric);
    QVERIFY(qFuzzyCompare(1 + v, 1 + number));
    QCOMPARE(NmeaField::first(exact, field), text.isEmpty() ? '\0' : text.at(0));
}

void TestNmea::bufferStaysCapped()
{
    NmeaFramer framer;
    const QByteArray noise(4096, 'A');
    for (int i = 0; i < 256; ++i) // 1 MiB without '$'
        QVERIFY(framer.feed(noise).isEmpty());
    QVERIFY(framer.buffer().size() <= NmeaFramer::kMaxBuffer);
    framer.feed("$GPGGA,");
    for (int i = 0; i < 256; ++i) // 1 MiB of one unfinished sentence
        QVERIFY(framer.feed(noise).isEmpty());
    QVERIFY(framer.buffer().size() <= NmeaFramer::kMaxBuffer);
    const QByteArray gga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47\r\n";
    QCOMPARE(framer.feed(gga), QList<QByteArray>{gga});
    QVERIFY(framer.buffer().isEmpty());
}

void TestNmea::chunkLargerThanTheCapLosesNothing()
{
    // 1529 valid sentences in one chunk of about 100 KiB, after an
    // unfinished one and before the start of the next.
    QList<QByteArray> sent;
    QByteArray chunk = "$GPGGA,12";
    for (int i = 0; i < 1529; ++i) {
        const int s = i % 60, m = i / 60 % 60;
        const QByteArray body = i % 2 ? QByteArrayLiteral("GPGGA,12%1%2.00,4807.%3,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,")
                                      : QByteArrayLiteral("GNRMC,12%1%2.00,A,4807.%3,N,01131.000,E,0.0,0.0,010125,,,A");
        sent << withChecksum(QString::fromLatin1(body)
                                 .arg(m, 2, 10, QLatin1Char('0'))
                                 .arg(s, 2, 10, QLatin1Char('0'))
                                 .arg(i % 1000, 3, 10, QLatin1Char('0'))
                                 .toLatin1());
        chunk += sent.last();
    }
    chunk += "$GPRMC,1";
    QVERIFY(chunk.size() > 96 * 1024);
    NmeaFramer framer;
    QCOMPARE(framer.feed(chunk), sent);
    QCOMPARE(framer.buffer(), QByteArray("$GPRMC,1"));
    // And they all decode: every RMC after the first GGA's fix moves the position.
    const QList<Decoded> decoded = decodeChunks({chunk});
    QCOMPARE(decoded.size(), 1529);
    int positions = 0;
    for (const Decoded &d : decoded)
        positions += d.hasPosition;
    QCOMPARE(positions, 1529 / 2);
}

void TestNmea::germanLocaleReadsTheSame()
{
    QByteArray stream;
    for (const QByteArray &s : referenceSentences())
        stream += s;
    const QList<Decoded> inC = decodeChunks({stream});

    // A German locale of our own, so the machine needs none installed.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcess localedef;
    localedef.start(QStringLiteral("localedef"), {QStringLiteral("-i"), QStringLiteral("de_DE"), QStringLiteral("-f"),
                                                  QStringLiteral("UTF-8"), dir.filePath(QStringLiteral("de_DE.UTF-8"))});
    QVERIFY(localedef.waitForFinished(60000));
    // localedef reads the locale's sources from the "locales" package (one
    // of the test packages); without them it writes nothing.
    QVERIFY2(QFileInfo::exists(dir.filePath(QStringLiteral("de_DE.UTF-8/LC_NUMERIC"))),
             localedef.readAllStandardError().constData());
    qputenv("LOCPATH", dir.path().toLocal8Bit());
    QVERIFY(std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr);
    // The locale really reads ',' as the decimal point.
    QCOMPARE(std::atof("4807.038"), 4807.0);
    const QList<Decoded> inGerman = decodeChunks({stream});
    std::setlocale(LC_ALL, "C");
    qunsetenv("LOCPATH");
    QVERIFY(inGerman == inC);
}

QTEST_GUILESS_MAIN(TestNmea)
#include "tst_nmea.moc"
