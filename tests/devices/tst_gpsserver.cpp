// The GPS page's remote-position server with loopback clients (whole,
// split at every byte, two in one chunk, two interleaving clients, a port
// in use, a flood without line end, text that is no position, stop), and
// the "GPS calculation" dialog with a screenshot after a conversion.

#include "devicewindowfixture.h"
#include "testsupport.h"
#include "webguard.h"

#include "gps/gpspagestate.h"
#include "gps/gpstrack.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTcpServer>
#include <QTcpSocket>

class TestGpsServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { TestSupport::keepWebOnLoopback(); }
    void init();
    void cleanup();

    void messagesFromClients();
    void zeroPositionAndFailedSave();
    void refusedStarts();
    void calculatorDialog();

private:
    QString status() const { return f.w->ui->statusBar->currentMessage(); }
    QStringList trackLines() const;
    bool start(quint16 *port);
    std::unique_ptr<QTcpSocket> connectClient(quint16 port);

    TestSupport::DeviceWindowFixture f;
    std::unique_ptr<QTcpSocket> lingering; // outlives the window
};

void TestGpsServer::init()
{
    QVERIFY(f.start(QStringLiteral("GPS")));
    GpsTrack::setPathForTesting(f.dir->file(QStringLiteral("GPS_Date.txt")));
    f.makeWindow();
}

void TestGpsServer::cleanup()
{
    f.stop();
    lingering.reset();
    GpsTrack::setPathForTesting(QString());
}

QStringList TestGpsServer::trackLines() const
{
    QFile file(GpsTrack::path());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

bool TestGpsServer::start(quint16 *port)
{
    // A free loopback port.
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost))
        return false;
    *port = probe.serverPort();
    probe.close();
    emit f.w->ui->GPSportMode_02->pressed();
    f.w->ui->GPSTCPServerPortlineEdit->setText(QString::number(*port));
    emit f.w->ui->GPSTCPopencompushButton->pressed();
    return f.w->gpsTcpOpen == 1 && status() == QLatin1String("Server has started")
           && f.w->ui->GPSTCPopencompushButton->text() == QLatin1String("Stop")
           && !f.w->ui->GPSTCPServerPortlineEdit->isEnabled();
}

std::unique_ptr<QTcpSocket> TestGpsServer::connectClient(quint16 port)
{
    auto s = std::make_unique<QTcpSocket>();
    const int before = f.w->gpsTcpClients.size();
    s->connectToHost(QHostAddress::LocalHost, port);
    if (!s->waitForConnected(3000))
        return nullptr;
    for (int i = 0; i < 300 && f.w->gpsTcpClients.size() == before; ++i)
        QTest::qWait(10);
    return s;
}

void TestGpsServer::messagesFromClients()
{
    Ui::MainWindow *ui = f.w->ui;
    ui->GPSSavecheckBox->setChecked(true);
    // "TCP" mode shows the server's controls and hides the serial ones.
    quint16 port = 0;
    QVERIFY(start(&port));
    QVERIFY(ui->GPSTCPopencompushButton->isVisible() && !ui->GPSopencompushButton->isVisible());
    auto a = connectClient(port);
    QVERIFY(a);
    QCOMPARE(status(), QStringLiteral("New client: 127.0.0.1 Joined"));

    // A whole message.
    a->write("Latitude:22.54,Longitude:113.95\r\n");
    QTRY_COMPARE(ui->Weidu->text(), QStringLiteral("22.54"));
    QCOMPARE(ui->Jingdu->text(), QStringLiteral("113.95"));
    QCOMPARE(ui->Haibagaodu->text(), QStringLiteral("Null"));
    QVERIFY(status().startsWith(QLatin1String("TCP receive from:127.0.0.1:")));
    QCOMPARE(trackLines(), QStringList{"Latitude:22.5400000,Longitude:113.9500000"});
    QVERIFY(f.w->gps->position.valid && f.w->gps->position.longitude == 113.95);
    QTRY_VERIFY(ui->GPStextBrowser->toPlainText().contains(QLatin1String("Latitude:22.54")));

    // Split at every byte: applied once, when the line end has arrived.
    QStringList expected = trackLines();
    for (int k = 1; k < 36; ++k) {
        const QByteArray m = "Latitude:-" + QByteArray::number(k) + ".5,Longitude:-70.25\r\n";
        const int cut = std::min<int>(k, m.size() - 1);
        a->write(m.left(cut));
        a->flush();
        QTest::qWait(5);
        a->write(m.mid(cut));
        QTRY_COMPARE(ui->Weidu->text(), QStringLiteral("-%1.5").arg(k));
        expected << QStringLiteral("Latitude:-%1.5000000,Longitude:-70.2500000").arg(k);
    }
    QCOMPARE(trackLines(), expected);

    // Two messages in one chunk, applied in order.
    a->write("Latitude:1,Longitude:2\r\nLatitude:3,Longitude:4\r\n");
    QTRY_COMPARE(ui->Weidu->text(), QStringLiteral("3"));
    expected << "Latitude:1.0000000,Longitude:2.0000000" << "Latitude:3.0000000,Longitude:4.0000000";
    QCOMPARE(trackLines(), expected);

    // Two clients interleaving: each client's message stays whole.
    auto b = connectClient(port);
    QVERIFY(b);
    QCOMPARE(f.w->gpsTcpClients.size(), 2);
    a->write("Latitude:10,Longi");
    a->flush();
    QTest::qWait(20);
    b->write("Latitude:20,Longitude:21\r\n");
    QTRY_COMPARE(ui->Weidu->text(), QStringLiteral("20"));
    a->write("tude:11\r\n");
    QTRY_COMPARE(ui->Weidu->text(), QStringLiteral("10"));
    QCOMPARE(ui->Jingdu->text(), QStringLiteral("11"));
    expected << "Latitude:20.0000000,Longitude:21.0000000" << "Latitude:10.0000000,Longitude:11.0000000";
    QCOMPARE(trackLines(), expected);

    // Text that is no position reaches neither labels, track nor map.
    const GpsPosition before = f.w->gps->position;
    b->write("Latitude:1);alert(1);(,Longitude:2\r\nLatitude:91,Longitude:0\r\nLatitude:nan,Longitude:1\r\n"
             "Latitude:5,Longitude:6);x()\r\nhello\r\n");
    QTRY_VERIFY(ui->GPStextBrowser->toPlainText().contains(QLatin1String("hello")));
    QCOMPARE(ui->Weidu->text(), QStringLiteral("10"));
    QCOMPARE(trackLines(), expected);
    QCOMPARE(f.w->gps->position.latitude, before.latitude);

    // A flood without a line end keeps the client's buffer bounded; the
    // next line end discards it and the client goes on.
    b->write(QByteArray(1 << 20, 'A'));
    QTRY_VERIFY_WITH_TIMEOUT(b->bytesToWrite() == 0, 10000);
    QTest::qWait(200);
    for (auto it = f.w->gps->clientBuffers.cbegin(); it != f.w->gps->clientBuffers.cend(); ++it)
        QVERIFY(it.value().pending() <= GpsTrack::LineBuffer::kMaxBuffer);
    b->write("\r\nLatitude:7,Longitude:8\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(ui->Weidu->text(), QStringLiteral("7"), 10000);

    // One client leaves; the other keeps sending.
    a->disconnectFromHost();
    QTRY_COMPARE(f.w->gpsTcpClients.size(), 1);
    QCOMPARE(status(), QStringLiteral("Client: 127.0.0.1 Left"));
    b->write("Latitude:8,Longitude:9\r\n");
    QTRY_COMPARE(ui->Weidu->text(), QStringLiteral("8"));

    // Stop drops the clients and unlocks the port.
    emit ui->GPSTCPopencompushButton->pressed();
    QCOMPARE(status(), QStringLiteral("Server has stopped"));
    QCOMPARE(ui->GPSTCPopencompushButton->text(), QStringLiteral("Start"));
    QVERIFY(ui->GPSTCPServerPortlineEdit->isEnabled());
    QVERIFY(f.w->gpsTcpClients.isEmpty());
    QTRY_COMPARE(b->state(), QAbstractSocket::UnconnectedState);
    // And it starts again; the window then goes with a client connected.
    QVERIFY(start(&port));
    lingering = connectClient(port);
    QVERIFY(lingering);
    QCOMPARE(f.w->gpsTcpClients.size(), 1);
}

void TestGpsServer::zeroPositionAndFailedSave()
{
    Ui::MainWindow *ui = f.w->ui;
    ui->GPSSavecheckBox->setChecked(true);
    quint16 port = 0;
    QVERIFY(start(&port));
    auto a = connectClient(port);
    QVERIFY(a);

    // The receiver's "no position", in any number of decimals, is shown but not saved;
    // the labels show the numbers as the client wrote them.
    struct Case
    {
        QByteArray message;
        QString lat, lon;
        QStringList track;
    };
    const QList<Case> cases = {
        {"Latitude:0.000000,Longitude:0.000000", "0.000000", "0.000000", {}},
        {"Latitude:0.0000000,Longitude:-0.0", "0.0000000", "-0.0", {}},
        {"Latitude:22.540000,Longitude:113.950000", "22.540000", "113.950000",
         {"Latitude:22.5400000,Longitude:113.9500000"}},
        {"Latitude:0.000000,Longitude:5.000", "0.000000", "5.000",
         {"Latitude:22.5400000,Longitude:113.9500000", "Latitude:0.0000000,Longitude:5.0000000"}},
    };
    for (const Case &c : cases) {
        ui->Weidu->clear();
        a->write(c.message + "\r\n");
        QTRY_COMPARE(ui->Weidu->text(), c.lat);
        QCOMPARE(ui->Jingdu->text(), c.lon);
        QCOMPARE(trackLines(), c.track);
    }

    // A track file that cannot be made (its folder is a file): the failure
    // stays in view while positions and other text keep arriving...
    const QString notAFolder = f.dir->file(QStringLiteral("plain-file"));
    QFile plain(notAFolder);
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    GpsTrack::setPathForTesting(notAFolder + QStringLiteral("/GPS_Date.txt"));
    const QString failed = QStringLiteral("Unable to save GPS data.");
    for (const QByteArray &m : {QByteArray("Latitude:1.5,Longitude:2.5\r\n"), QByteArray("hello\r\n"),
                                QByteArray("Latitude:1.75,Longitude:2.5\r\n")}) {
        a->write(m);
        QTRY_VERIFY(ui->GPStextBrowser->toPlainText().contains(QString::fromLatin1(m.trimmed())));
        QTest::qWait(50); // display updates
        QCOMPARE(status(), failed);
    }
    QCOMPARE(ui->Weidu->text(), QStringLiteral("1.75"));
    // A second client joining, sending a position and leaving does not
    // hide it either: none of its positions was saved.
    {
        auto b = connectClient(port);
        QVERIFY(b);
        QCOMPARE(f.w->gpsTcpClients.size(), 2);
        QCOMPARE(status(), failed);
        b->write("Latitude:1.875,Longitude:2.5\r\n");
        QTRY_COMPARE(ui->Weidu->text(), QStringLiteral("1.875"));
        QCOMPARE(status(), failed);
        b->disconnectFromHost();
        QTRY_COMPARE(f.w->gpsTcpClients.size(), 1);
        QTest::qWait(50);
        QCOMPARE(status(), failed);
    }

    // ...until a save succeeds.
    GpsTrack::setPathForTesting(f.dir->file(QStringLiteral("GPS_Date.txt")));
    a->write("Latitude:3,Longitude:4\r\n");
    QTRY_VERIFY(status().startsWith(QLatin1String("TCP receive from:127.0.0.1:")));
    QCOMPARE(trackLines().constLast(), QStringLiteral("Latitude:3.0000000,Longitude:4.0000000"));

    // Turning saving off also ends the failure: nothing is being lost any more.
    GpsTrack::setPathForTesting(notAFolder + QStringLiteral("/GPS_Date.txt"));
    a->write("Latitude:5,Longitude:6\r\n");
    QTRY_COMPARE(ui->Weidu->text(), QStringLiteral("5"));
    QTest::qWait(50);
    QCOMPARE(status(), failed);
    ui->GPSSavecheckBox->setChecked(false);
    a->write("Latitude:7,Longitude:8\r\n");
    QTRY_VERIFY(status().startsWith(QLatin1String("TCP receive from:127.0.0.1:")));
}

void TestGpsServer::refusedStarts()
{
    Ui::MainWindow *ui = f.w->ui;
    emit ui->GPSportMode_02->pressed();
    struct Case
    {
        QString port;
        QString warning; // empty: a status message instead
    };
    QTcpServer busy;
    QVERIFY(busy.listen(QHostAddress::Any));
    const QList<Case> cases = {{QString(), QStringLiteral("Port is empty!")},
                               {QStringLiteral("0"), QStringLiteral("Port \"0\" is not a number from 1 to 65535!")},
                               {QStringLiteral("65536"), QStringLiteral("Port \"65536\" is not a number from 1 to 65535!")},
                               {QStringLiteral("12a"), QStringLiteral("Port \"12a\" is not a number from 1 to 65535!")},
                               {QString::number(busy.serverPort()), QString()}};
    for (const Case &c : cases) {
        f.prompts->clear();
        ui->GPSTCPServerPortlineEdit->setText(c.port);
        emit ui->GPSTCPopencompushButton->pressed();
        QCOMPARE(ui->GPSTCPopencompushButton->text(), QStringLiteral("Start"));
        QCOMPARE(f.w->gpsTcpOpen, 0);
        QVERIFY(ui->GPSTCPServerPortlineEdit->isEnabled());
        if (c.warning.isEmpty()) {
            QVERIFY(f.prompts->requests().isEmpty());
            QVERIFY2(status().startsWith(QLatin1String("Server failed to start: ")), qPrintable(status()));
        } else {
            QCOMPARE(f.prompts->requests().size(), 1);
            QCOMPARE(f.prompts->requests().first().title, QStringLiteral("warning:"));
            QCOMPARE(f.prompts->requests().first().text, c.warning);
        }
    }
}

void TestGpsServer::calculatorDialog()
{
    emit f.w->ui->GPScalculate->pressed();
    QVERIFY(f.w->gpsCalcDialogOpen);
    QDialog *dialog = f.w->gps->calcDialog;
    QVERIFY(dialog);
    emit f.w->ui->GPScalculate->pressed(); // a second press does nothing
    QCOMPARE(f.w->findChildren<QDialog *>(QStringLiteral("GPScalculate")).size(), 1);
    // The dialog's widgets by their names.
    struct
    {
        QDialog *d;
        QLineEdit *edit(const char *n) const { return d->findChild<QLineEdit *>(QLatin1String(n)); }
        QAbstractButton *button(const char *n) const { return d->findChild<QAbstractButton *>(QLatin1String(n)); }
    } form{dialog};
    struct
    {
        QComboBox *utm_comboBox;
        QLineEdit *YlatlineEdit, *YlonglineEdit, *MlatlineEdit, *MlonglineEdit, *latlineEdit, *longlineEdit,
            *utmElineEdit, *utmNlineEdit, *utmZlineEdit;
        QLabel *GPSresults;
        QAbstractButton *GPSpushButtoncalculate, *lltoutm, *utmtoll, *GPScalculateCancel;
    } w{dialog->findChild<QComboBox *>(QStringLiteral("utm_comboBox")),
        form.edit("YlatlineEdit"), form.edit("YlonglineEdit"), form.edit("MlatlineEdit"), form.edit("MlonglineEdit"),
        form.edit("latlineEdit"), form.edit("longlineEdit"), form.edit("utmElineEdit"), form.edit("utmNlineEdit"),
        form.edit("utmZlineEdit"), dialog->findChild<QLabel *>(QStringLiteral("GPSresults")),
        form.button("GPSpushButtoncalculate"), form.button("lltoutm"), form.button("utmtoll"),
        form.button("GPScalculateCancel")};
    auto *c = &w;
    QVERIFY(c->utm_comboBox && c->utmZlineEdit && c->GPSresults && c->GPScalculateCancel);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("GPS calculation"));
    QCOMPARE(c->utm_comboBox->count(), 23);
    QCOMPARE(c->utm_comboBox->currentText(), QStringLiteral("WGS-84"));
    QCOMPARE(c->utm_comboBox->itemText(3), QStringLiteral("Bessel 1841 (Nambia) "));

    // Distance, with text that is no number read as 0.
    c->YlatlineEdit->setText(QStringLiteral("0"));
    c->YlonglineEdit->setText(QStringLiteral("zero"));
    c->MlatlineEdit->setText(QStringLiteral("0"));
    c->MlonglineEdit->setText(QStringLiteral("1"));
    emit c->GPSpushButtoncalculate->pressed();
    QCOMPARE(c->GPSresults->text(), QStringLiteral("111.319"));

    // Forward, then back.
    c->latlineEdit->setText(QStringLiteral("60"));
    c->longlineEdit->setText(QStringLiteral("5"));
    emit c->lltoutm->pressed();
    QCOMPARE(c->utmZlineEdit->text(), QStringLiteral("32V"));
    QCOMPARE(c->utmElineEdit->text().section('.', 1).size(), 8);
    c->latlineEdit->clear();
    c->longlineEdit->clear();
    emit c->utmtoll->pressed();
    QCOMPARE(c->latlineEdit->text().section('.', 1).size(), 8);
    // The series are exact to millimetres near the central meridian (9°
    // here); 4° off it, to a few.
    QVERIFY(qAbs(c->latlineEdit->text().toDouble() - 60) < 1e-6);
    QVERIFY(qAbs(c->longlineEdit->text().toDouble() - 5) < 1e-6);

    // A zone text the inverse refuses leaves the outputs and says why.
    c->utmZlineEdit->setText(QStringLiteral("32O"));
    c->latlineEdit->setText(QStringLiteral("kept"));
    emit c->utmtoll->pressed();
    QCOMPARE(c->latlineEdit->text(), QStringLiteral("kept"));
    QVERIFY(status().contains(QLatin1String("band letter")));
    c->utmZlineEdit->setText(QStringLiteral("32V"));
    c->latlineEdit->setText(QStringLiteral("60.00000000"));

    const QString dir = qEnvironmentVariable("VELM_ARTIFACT_DIR");
    if (!dir.isEmpty()) {
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QVERIFY(dialog->grab().save(dir + QStringLiteral("/gps-calculation-dialog.png")));
    }
    // Closing ends the opening; it opens again.
    emit c->GPScalculateCancel->pressed();
    QTRY_VERIFY(!f.w->gpsCalcDialogOpen);
    emit f.w->ui->GPScalculate->pressed();
    QVERIFY(f.w->gpsCalcDialogOpen);
}

VELM_TEST_MAIN(TestGpsServer)
#include "tst_gpsserver.moc"
