// Pushes data through loopback sockets into the "TCP Debug" and "UDP Debug"
// pages of a real window and reports throughput, the worst lateness of a
// 10 ms timer meanwhile, and for UDP the datagrams the system dropped.
//
// TCP: the page is a client of a local listener whose thread writes 20 MiB
// as fast as the socket takes it (the serial benchmark's data), then closes.
// Two more TCP cases bring many characters the window has never drawn:
// "random" is 5 MiB of random bytes (read as GBK: mostly Chinese
// characters), "cjk" every CJK unified ideograph (U+4E00..U+9FFF and
// extension A, U+3400..U+4DBF) once, as UTF-8 with "Time" on, and "gbk"
// 5 MiB of random Chinese text in GBK (the characters of GB2312's
// 6763-character level 1 and 2 rows, lines of 1 to 120 characters), which
// the page reads as GBK. Each is meant to run in a process of its own
// (run.sh does that), so its glyphs are new.
// UDP: a thread sends 100000 datagrams of 64 bytes at 20000 per second to
// the page's port.
#include "benchsupport.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"
#include "netterminal.h"
#include "receivedisplay.h"
#include "rxformat.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>
#include <QUdpSocket>

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <time.h>
#include <unistd.h>

namespace {

constexpr qint64 kTotal = 20 * 1024 * 1024;
constexpr int kDatagrams = 100000;
constexpr int kDatagramBytes = 64;
constexpr int kDatagramsPerSecond = 20000;

QByteArray pattern(bool lineFeeds)
{
    QByteArray data;
    data.reserve(kTotal);
    const char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 .,;:-_+=()";
    int i = 0;
    while (data.size() < kTotal) {
        if (lineFeeds && i % 64 == 63)
            data.append('\n');
        else
            data.append(alphabet[i % (sizeof(alphabet) - 1)]);
        ++i;
    }
    return data;
}

QByteArray randomBytes()
{
    QByteArray data(5 * 1024 * 1024, Qt::Uninitialized);
    quint32 seed = 20240531;
    for (char &c : data) {
        seed = seed * 1103515245u + 12345u;
        c = char(seed >> 24);
    }
    return data;
}

QByteArray gbkText()
{
    QByteArray data;
    data.reserve(5 * 1024 * 1024 + 256);
    quint32 seed = 20261209;
    const auto next = [&seed](quint32 n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 8) % n;
    };
    while (data.size() < 5 * 1024 * 1024) {
        const quint32 length = 1 + next(120);
        for (quint32 i = 0; i < length; ++i) {
            // Rows 0xB0..0xF7, cells 0xA1..0xFE; row 0xD7 ends at 0xF9.
            const quint32 row = 0xB0 + next(0xF7 - 0xB0 + 1);
            const quint32 cell = 0xA1 + next(row == 0xD7 ? 0xF9 - 0xA1 + 1 : 0xFE - 0xA1 + 1);
            data.append(char(row));
            data.append(char(cell));
        }
        data.append('\n');
    }
    return data;
}

QByteArray cjkText()
{
    // One run without line feeds: the view cuts it into display lines of
    // 1024 characters, each laid out whole.
    QString text;
    for (const auto &range : {std::pair<int, int>{0x4E00, 0x9FFF}, std::pair<int, int>{0x3400, 0x4DBF}}) {
        for (int c = range.first; c <= range.second; ++c)
            text += QChar(char16_t(c));
    }
    return text.toUtf8();
}

// Measures how late a 10 ms timer fires while the window works.
struct LatenessProbe {
    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 worst = 0;
    LatenessProbe()
    {
        timer.setTimerType(Qt::PreciseTimer);
        timer.setInterval(10);
        QObject::connect(&timer, &QTimer::timeout, [this] {
            const qint64 now = clock.elapsed();
            worst = qMax(worst, now - last - 10);
            last = now;
        });
        clock.start();
        timer.start();
    }
};

void settle(QApplication &app, int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        app.processEvents(QEventLoop::AllEvents, 50);
}

// Datagrams the system dropped on the UDP socket bound to `port`.
long udpDrops(int port)
{
    long drops = 0;
    for (const char *path : {"/proc/net/udp", "/proc/net/udp6"}) {
        QFile f{QString::fromLatin1(path)};
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> lines = f.readAll().split('\n');
        for (const QByteArray &line : lines.mid(1)) {
            const QList<QByteArray> cols = line.simplified().split(' ');
            if (cols.size() < 13)
                continue;
            if (cols[1].split(':').value(1).toInt(nullptr, 16) == port)
                drops += cols.last().toLong();
        }
    }
    return drops;
}

int tcpCase(QApplication &app, MainWindow &w, const char *name, const QByteArray &data, bool stamps, bool hexShown)
{
    const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof(addr);
    if (listener < 0 || ::bind(listener, reinterpret_cast<sockaddr *>(&addr), sizeof(addr)) != 0
        || ::listen(listener, 1) != 0 || ::getsockname(listener, reinterpret_cast<sockaddr *>(&addr), &len) != 0) {
        std::fprintf(stderr, "no listener\n");
        return 1;
    }
    w.ui->TCP_showtime_checkBox->setChecked(stamps);
    w.ui->TCP_HEXcheckBox->setChecked(hexShown);
    w.actionCleanData_TCP_triggered();
    w.ui->TCP_comboBox->setCurrentIndex(1);
    w.ui->TCPclientIPlineEdit->setText(QStringLiteral("127.0.0.1"));
    w.ui->TCPclientPortlineEdit->setText(QString::number(ntohs(addr.sin_port)));

    std::thread writer([&] {
        const int peer = ::accept(listener, nullptr, nullptr);
        if (peer < 0)
            return;
        const char *p = data.constData();
        qint64 left = data.size();
        while (left > 0) {
            const ssize_t n = ::send(peer, p, size_t(qMin<qint64>(left, 65536)), MSG_NOSIGNAL);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                break;
            }
            p += n;
            left -= n;
        }
        ::close(peer);
    });

    // The newest text will be the end of what was sent, decoded as the
    // page decodes it (all of it: where a GBK character starts depends on
    // every byte before). Its last line is the one before a final line feed.
    RxFormat::StreamDecoder decoder(stamps ? RxFormat::StreamDecoder::Encoding::Utf8
                                           : RxFormat::StreamDecoder::Encoding::Gbk);
    QString sent = decoder.decode(data);
    sent += decoder.finish();
    sent.remove(QLatin1Char('\r'));
    if (sent.endsWith(QLatin1Char('\n')))
        sent.chop(1);
    const QString expected = sent.mid(sent.lastIndexOf(QLatin1Char('\n')) + 1).right(16);
    const auto complete = [&w, &expected] {
        const QTextBlock lastBlock = w.ui->TCP_StrTextBrowser->document()->lastBlock();
        const QString last = lastBlock.text().isEmpty() ? lastBlock.previous().text() : lastBlock.text();
        // The view may have cut the last line inside the expected tail.
        return !last.isEmpty() && (last.endsWith(expected) || (last.size() < 16 && expected.endsWith(last)));
    };

    QElapsedTimer clock;
    clock.start();
    LatenessProbe probe;
    w.TCPopencompushButton_triggered();
    // The page stops itself when the peer has closed and all is read; the
    // display then shows the rest in its own turns.
    while (w.tcpOpen && clock.elapsed() < 120000)
        app.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    while (!complete() && clock.elapsed() < 120000)
        app.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    const qint64 elapsedMs = clock.elapsed();
    // The last updates are painted while the probe still runs.
    settle(app, 300);
    probe.timer.stop();
    writer.join();
    ::close(listener);
    const double mbps = double(data.size()) / (1024.0 * 1024.0) / (double(elapsedMs) / 1000.0);
    std::printf("case=%s mbps=%.2f worst_lateness_ms=%lld complete=%d\n", name, mbps,
                static_cast<long long>(probe.worst), complete() ? 1 : 0);
    std::fflush(stdout);
    return 0;
}

int udpCase(QApplication &app, MainWindow &w)
{
    w.ui->tabWidget->setCurrentWidget(w.ui->udp);
    w.ui->UDP_showtime_checkBox->setChecked(false);
    w.ui->UDP_HEXcheckBox->setChecked(false);
    w.actionCleanData_UDP_triggered();
    QUdpSocket probePort;
    probePort.bind(QHostAddress::LocalHost, 0);
    const int port = probePort.localPort();
    probePort.close();
    w.ui->UDPSenderPortlineEdit->setText(QString::number(port));
    w.UDPopencompushButton_triggered();
    if (!w.udpOpen) {
        std::fprintf(stderr, "UDP page did not start\n");
        return 1;
    }
    std::fprintf(stderr, "udp_receive_buffer=%d\n",
                 w.udpRecvSocket->socketOption(QAbstractSocket::ReceiveBufferSizeSocketOption).toInt());
    const long dropsBefore = udpDrops(port);

    std::atomic<bool> done{false};
    std::thread sender([&] {
        const int s = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in to{};
        to.sin_family = AF_INET;
        to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        to.sin_port = htons(quint16(port));
        timespec start{};
        clock_gettime(CLOCK_MONOTONIC, &start);
        char buf[kDatagramBytes];
        for (int i = 0; i < kDatagrams; ++i) {
            if (i % 20 == 0) {
                // Paced: datagram i leaves at start + i / rate.
                const qint64 ns = qint64(i) * 1000000000LL / kDatagramsPerSecond;
                timespec at = start;
                at.tv_sec += time_t(ns / 1000000000LL);
                at.tv_nsec += long(ns % 1000000000LL);
                if (at.tv_nsec >= 1000000000L) {
                    at.tv_sec += 1;
                    at.tv_nsec -= 1000000000L;
                }
                clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr);
            }
            std::snprintf(buf, sizeof(buf), "%08d ", i);
            memset(buf + 9, 'u', kDatagramBytes - 10);
            buf[kDatagramBytes - 1] = '\n';
            ::sendto(s, buf, kDatagramBytes, 0, reinterpret_cast<sockaddr *>(&to), sizeof(to));
        }
        ::close(s);
        done = true;
    });

    QElapsedTimer clock;
    clock.start();
    LatenessProbe probe;
    const QString lastLine = QStringLiteral("%1 ").arg(kDatagrams - 1, 8, 10, QLatin1Char('0'));
    qint64 elapsedMs = 0;
    for (;;) {
        app.processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
        const QTextBlock block = w.ui->UDP_StrTextBrowser->document()->lastBlock().previous();
        if (block.isValid() && block.text().startsWith(lastLine)) {
            elapsedMs = clock.elapsed();
            break;
        }
        if (done && clock.elapsed() > 5000 + 60000)
            break;
        if (done && w.udpRecvSocket && !w.udpRecvSocket->hasPendingDatagrams()) {
            // Everything the system kept has been read; the last one may
            // have been dropped.
            settle(app, 100);
            if (!w.udpRecvSocket->hasPendingDatagrams()) {
                elapsedMs = clock.elapsed();
                break;
            }
        }
    }
    probe.timer.stop();
    sender.join();
    const long lost = udpDrops(port) - dropsBefore;
    const long received = kDatagrams - lost;
    std::printf("case=udp datagrams_per_s=%ld lost=%ld worst_lateness_ms=%lld\n",
                long(double(received) / (double(elapsedMs) / 1000.0)), lost, static_cast<long long>(probe.worst));
    std::fflush(stdout);
    w.UDPopencompushButton_triggered();
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    Bench::prepareEnvironment();
    QApplication app(argc, argv);

    Bench::useScratchSettings({QStringLiteral("UDP"), QStringLiteral("TCP")});

    MainWindow w;
    w.resize(1200, 900);
    w.show();
    w.ui->tabWidget->setCurrentWidget(w.ui->tcp);
    settle(app, 500);

    enum class Data { Lines, NoLines, Random, Cjk, Gbk };
    struct Case {
        const char *name;
        Data data;
        bool stamps, hexShown;
        bool byDefault;
    };
    const Case cases[] = {
        {"tcp_linefeeds", Data::Lines, false, false, true},
        {"tcp_no_linefeeds", Data::NoLines, false, false, true},
        {"tcp_stamps", Data::Lines, true, false, true},
        {"tcp_hex_view", Data::Lines, false, true, true},
        {"random", Data::Random, false, false, false},
        {"cjk", Data::Cjk, true, false, false},
        {"gbk", Data::Gbk, false, false, false},
    };
    // NET_INGEST_CASES=name,name runs only those cases; without it, all
    // but "random", "cjk" and "gbk", which want a process of their own.
    const QStringList only = qEnvironmentVariable("NET_INGEST_CASES").split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const Case &c : cases) {
        if (only.isEmpty() ? !c.byDefault : !only.contains(QLatin1String(c.name)))
            continue;
        QByteArray data;
        switch (c.data) {
        case Data::Lines:
            data = pattern(true);
            break;
        case Data::NoLines:
            data = pattern(false);
            break;
        case Data::Random:
            data = randomBytes();
            break;
        case Data::Cjk:
            data = cjkText();
            break;
        case Data::Gbk:
            data = gbkText();
            break;
        }
        if (tcpCase(app, w, c.name, data, c.stamps, c.hexShown) != 0)
            return 1;
    }
    if (only.isEmpty() || only.contains(QLatin1String("udp")))
        return udpCase(app, w);
    return 0;
}
