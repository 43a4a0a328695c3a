// The update check against a local HTTPS server whose certificate comes
// from a throw-away CA made here with openssl. The check trusts that CA
// through its TLS seam; verification stays on.
#include "testsupport.h"

#include "desktophooks.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"
#include "updatecheck.h"

#include <QElapsedTimer>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>

namespace {
enum class Reply { Body, NotFound, Silent };

// A one-request-per-connection HTTPS server on 127.0.0.1.
class HttpsServer : public QTcpServer
{
public:
    HttpsServer(const QSslCertificate &cert, const QSslKey &key) : m_cert(cert), m_key(key) {}

    Reply mode = Reply::Body;
    QByteArray body;
    QStringList paths;
    std::function<void()> onRequest;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto *socket = new QSslSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
        socket->setLocalCertificate(m_cert);
        socket->setPrivateKey(m_key);
        auto *buffer = new QByteArray;
        connect(socket, &QObject::destroyed, [buffer] { delete buffer; });
        connect(socket, &QSslSocket::readyRead, socket, [this, socket, buffer] {
            buffer->append(socket->readAll());
            const int end = buffer->indexOf("\r\n\r\n");
            if (end < 0)
                return;
            const QList<QByteArray> line = buffer->left(buffer->indexOf("\r\n")).split(' ');
            paths << QString::fromLatin1(line.value(1));
            buffer->clear();
            if (onRequest)
                onRequest();
            if (mode == Reply::Silent)
                return;
            const QByteArray status = mode == Reply::NotFound ? "404 Not Found" : "200 OK";
            socket->write("HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\nContent-Length: "
                          + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
            socket->disconnectFromHost();
        });
        connect(socket, &QSslSocket::disconnected, socket, &QObject::deleteLater);
        socket->startServerEncryption();
    }

private:
    QSslCertificate m_cert;
    QSslKey m_key;
};

bool run(const QString &program, const QStringList &args, const QString &dir)
{
    QProcess p;
    p.setWorkingDirectory(dir);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        qWarning() << program << args << p.readAll();
        return false;
    }
    return true;
}
} // namespace

class TestUpdateCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void versionNumber_data();
    void versionNumber();
    void replies_data();
    void replies();
    void silentServerTimesOut();
    void untrustedServerIsNotBelieved();
    void refusedConnection();

private:
    struct Outcome {
        QList<UiPrompt::Request> prompts;
        QList<QUrl> opened;
        bool disabledDuringCheck = false;
        bool enabledAfter = false;
        qint64 elapsedMs = 0;
    };
    Outcome check(MainWindow &w);

    QTemporaryDir m_pki;
    QSslCertificate m_ca;
    QSslCertificate m_cert;
    QSslKey m_key;
    std::unique_ptr<HttpsServer> m_server;
};

void TestUpdateCheck::initTestCase()
{
    QVERIFY(m_pki.isValid());
    const QString d = m_pki.path();
    QFile ext(m_pki.filePath("server.ext"));
    QVERIFY(ext.open(QIODevice::WriteOnly));
    ext.write("basicConstraints=CA:FALSE\nkeyUsage=digitalSignature,keyEncipherment\n"
              "extendedKeyUsage=serverAuth\nsubjectAltName=IP:127.0.0.1\n");
    ext.close();
    QVERIFY(run("openssl", {"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "ca.key", "-out", "ca.pem",
                            "-days", "2", "-subj", "/CN=VELM test CA", "-addext", "basicConstraints=critical,CA:TRUE",
                            "-addext", "keyUsage=critical,keyCertSign,cRLSign"},
                d));
    QVERIFY(run("openssl", {"req", "-newkey", "rsa:2048", "-nodes", "-keyout", "server.key", "-out", "server.csr",
                            "-subj", "/CN=127.0.0.1"},
                d));
    QVERIFY(run("openssl", {"x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key",
                            "-CAcreateserial", "-out", "server.pem", "-days", "2", "-extfile", "server.ext"},
                d));
    const auto ca = QSslCertificate::fromPath(m_pki.filePath("ca.pem"));
    const auto cert = QSslCertificate::fromPath(m_pki.filePath("server.pem"));
    QCOMPARE(ca.size(), 1);
    QCOMPARE(cert.size(), 1);
    m_ca = ca.first();
    m_cert = cert.first();
    QFile keyFile(m_pki.filePath("server.key"));
    QVERIFY(keyFile.open(QIODevice::ReadOnly));
    m_key = QSslKey(keyFile.readAll(), QSsl::Rsa);
    QVERIFY(!m_key.isNull());

    m_server = std::make_unique<HttpsServer>(m_cert, m_key);
    QVERIFY(m_server->listen(QHostAddress::LocalHost));
    UpdateCheck::setBaseUrl(QStringLiteral("https://127.0.0.1:%1").arg(m_server->serverPort()));
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setCaCertificates({m_ca});
    UpdateCheck::setSslConfiguration(tls);
}

void TestUpdateCheck::cleanup()
{
    UpdateCheck::setTimeoutMs(0);
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setCaCertificates({m_ca});
    UpdateCheck::setSslConfiguration(tls);
    UpdateCheck::setBaseUrl(QStringLiteral("https://127.0.0.1:%1").arg(m_server->serverPort()));
    m_server->mode = Reply::Body;
    m_server->onRequest = nullptr;
}

void TestUpdateCheck::versionNumber_data()
{
    QTest::addColumn<QString>("body");
    QTest::addColumn<qint64>("number");
    QTest::newRow("quoted 3.4.2") << "\"3.4.2\"\n" << qint64(30402);
    QTest::newRow("quoted 3.4.3") << "\"3.4.3\"\n" << qint64(30403);
    QTest::newRow("plain 3.4.2") << "3.4.2" << qint64(30402);
    QTest::newRow("text before the quote") << "version=\"3.4.3\"\n" << qint64(30403);
    QTest::newRow("3.4.10") << "\"3.4.10\"\n" << qint64(30410);
    QTest::newRow("3.10.0") << "\"3.10.0\"\n" << qint64(31000);
    QTest::newRow("2.99.99") << "\"2.99.99\"\n" << qint64(29999);
    QTest::newRow("patch keeps three characters") << "\"3.4.1234\"\n" << qint64(30523);
    QTest::newRow("CR LF keeps the quote") << "\"3.4.3\"\r\n" << qint64(30400);
    QTest::newRow("html error page") << "<html><body>Not here</body></html>" << qint64(0);
    QTest::newRow("no points") << "\"7\"\n" << qint64(70000);
    QTest::newRow("one point") << "\"3.5\"\n" << qint64(30500);
    QTest::newRow("negative") << "\"-1.0.0\"\n" << qint64(-10000);
    // Numbers too large for the arithmetic in 32 bits must not wrap round.
    QTest::newRow("nine-digit major") << "\"999999999.9\"\n" << qint64(9999999990000LL);
    QTest::newRow("ten-digit major is no number") << "\"9999999999.9.9\"\n" << qint64(0);
    QTest::newRow("large minor") << "\"0.99999999\"\n" << qint64(9999999900LL);
    QTest::newRow("empty") << "" << qint64(0);
}

void TestUpdateCheck::versionNumber()
{
    QFETCH(QString, body);
    QFETCH(qint64, number);
    QCOMPARE(UpdateCheck::versionNumber(body), number);
}

TestUpdateCheck::Outcome TestUpdateCheck::check(MainWindow &w)
{
    Outcome out;
    TestSupport::PromptRecorder prompts;
    prompts.defaultAnswer = UiPrompt::Answer{QMessageBox::Cancel, QString(), true};
    DesktopHooks::setUrlOpener([&out](const QUrl &u) {
        out.opened << u;
        return true;
    });
    m_server->onRequest = [&] { out.disabledDuringCheck = !w.isEnabled(); };
    QElapsedTimer clock;
    clock.start();
    w.ui->actionCheck_Update->trigger();
    out.elapsedMs = clock.elapsed();
    DesktopHooks::setUrlOpener({});
    out.prompts = prompts.requests();
    out.enabledAfter = w.isEnabled();
    return out;
}

void TestUpdateCheck::replies_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("newer");
    QTest::newRow("same version") << int(Reply::Body) << QByteArray("3.4.2") << "Already the latest version." << false;
    QTest::newRow("quoted same version") << int(Reply::Body) << QByteArray("\"3.4.2\"\n") << "Already the latest version." << false;
    QTest::newRow("older") << int(Reply::Body) << QByteArray("\"2.99.99\"\n") << "Already the latest version." << false;
    QTest::newRow("newer") << int(Reply::Body) << QByteArray("3.4.3") << "Found a new version." << true;
    QTest::newRow("quoted newer") << int(Reply::Body) << QByteArray("\"3.10.0\"\n") << "Found a new version." << true;
    QTest::newRow("404 with a version in its body") << int(Reply::NotFound) << QByteArray("\"9.9.9\"\n")
                                                    << "Network connection lost. Please check your network settings." << false;
    QTest::newRow("empty body") << int(Reply::Body) << QByteArray()
                                << "Network connection lost. Please check your network settings." << false;
    QTest::newRow("oversized body") << int(Reply::Body) << QByteArray(200 * 1024, '9')
                                    << "Network connection lost. Please check your network settings." << false;
}

void TestUpdateCheck::replies()
{
    QFETCH(int, mode);
    QFETCH(QByteArray, body);
    QFETCH(QString, message);
    QFETCH(bool, newer);
    TestSupport::ScratchDir dir;
    MainWindow w;
    w.show();
    m_server->mode = Reply(mode);
    m_server->body = body;
    m_server->paths.clear();

    const Outcome out = check(w);
    QCOMPARE(m_server->paths, QStringList{"/software/VELM_VERSION"});
    QVERIFY(out.disabledDuringCheck);
    QVERIFY(out.enabledAfter);
    QCOMPARE(out.prompts.size(), 1);
    QCOMPARE(out.prompts[0].title, QString("Message"));
    QCOMPARE(out.prompts[0].text, message);
    QCOMPARE(out.prompts[0].buttons, QMessageBox::StandardButtons(QMessageBox::Cancel));
    QCOMPARE(out.prompts[0].kind, newer ? UiPrompt::Kind::Warning : UiPrompt::Kind::Information);
    if (newer)
        QCOMPARE(out.opened, QList<QUrl>{QUrl("http://www.example.com/software")});
    else
        QVERIFY(out.opened.isEmpty());
}

void TestUpdateCheck::silentServerTimesOut()
{
    TestSupport::ScratchDir dir;
    MainWindow w;
    w.show();
    m_server->mode = Reply::Silent;
    m_server->paths.clear();
    UpdateCheck::setTimeoutMs(800);
    const Outcome out = check(w);
    QCOMPARE(m_server->paths.size(), 1); // it did reach the server
    QVERIFY(out.disabledDuringCheck);
    QVERIFY(out.enabledAfter);
    QVERIFY2(out.elapsedMs >= 700 && out.elapsedMs < 5000, QByteArray::number(out.elapsedMs));
    QCOMPARE(out.prompts.size(), 1);
    QCOMPARE(out.prompts[0].text, QString("Network connection lost. Please check your network settings."));
    QVERIFY(out.opened.isEmpty());
}

void TestUpdateCheck::untrustedServerIsNotBelieved()
{
    TestSupport::ScratchDir dir;
    MainWindow w;
    w.show();
    m_server->body = "\"9.9.9\"\n";
    m_server->paths.clear();
    UpdateCheck::setSslConfiguration(QSslConfiguration()); // the system's CAs only
    const Outcome out = check(w);
    QVERIFY(m_server->paths.isEmpty()); // no request after a failed handshake
    QVERIFY(out.enabledAfter);
    QCOMPARE(out.prompts.size(), 1);
    QCOMPARE(out.prompts[0].text, QString("Network connection lost. Please check your network settings."));
    QVERIFY(out.opened.isEmpty());
}

void TestUpdateCheck::refusedConnection()
{
    TestSupport::ScratchDir dir;
    MainWindow w;
    w.show();
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    UpdateCheck::setBaseUrl(QStringLiteral("https://127.0.0.1:%1").arg(port));
    const Outcome out = check(w);
    QVERIFY(out.enabledAfter);
    QCOMPARE(out.prompts.size(), 1);
    QCOMPARE(out.prompts[0].text, QString("Network connection lost. Please check your network settings."));
}

VELM_TEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
