// Closes the main window while a command of the "GSM Debug" page waits for
// a modem that does not answer (a send held at AT+CSMP, a delete-all held at
// AT+CMGDA, a switch held at AT+CLIP=1 with a hang-up pressed behind it) and
// reports, per case, over several rounds (5 unless GSM_CLOSE_ROUNDS says
// otherwise): the time from the close to the application's event loop
// returning and to the window being gone (median and worst), the processor
// time used in that interval (worst), the commands the modem had received
// at the close (status query at open included, last round) and those that
// reached it after the close (total over the rounds; 0 is the promise).
#include "benchsupport.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"
#include "uiprompt.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTextEdit>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <unistd.h>

namespace {

double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

template <typename T>
T median(QList<T> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

// A modem on the controlling side of the pty: answers the status query at
// open and AT+CMGF=1, and nothing else.
class Modem : public QObject
{
public:
    explicit Modem(int fd) : m_fd(fd), m_notifier(fd, QSocketNotifier::Read)
    {
        connect(&m_notifier, &QSocketNotifier::activated, this, [this] { readLines(); });
    }
    int commands = 0;

private:
    void readLines()
    {
        char buf[4096];
        const ssize_t n = ::read(m_fd, buf, sizeof buf);
        if (n <= 0) {
            // No terminal side (the window has not opened its port yet, or
            // closed it): look again a little later instead of spinning.
            m_notifier.setEnabled(false);
            QTimer::singleShot(20, this, [this] { m_notifier.setEnabled(true); });
            return;
        }
        m_line.append(buf, int(n));
        int end;
        while ((end = int(m_line.indexOf('\r'))) >= 0) {
            const QByteArray command = m_line.left(end).trimmed();
            m_line.remove(0, end + 1);
            // Only command lines (what the terminal side echoed of the
            // modem's own answers while it was not open is no command).
            if (!command.startsWith("AT"))
                continue;
            ++commands;
            QByteArray answer;
            if (command == "AT+CLIP?")
                answer = "\r\n+CLIP: 0,1\r\n\r\nOK\r\n";
            else if (command == "AT+CALM?")
                answer = "\r\n+CALM: 0\r\n\r\nOK\r\n";
            else if (command == "AT+CMGF?")
                answer = "\r\n+CMGF: 0\r\n\r\nOK\r\n";
            else if (command == "AT+CSQ")
                answer = "\r\n+CSQ: 18,0\r\n\r\nOK\r\n";
            else if (command == "AT+CMGF=1")
                answer = "\r\nOK\r\n";
            if (!answer.isEmpty() && ::write(m_fd, answer.constData(), size_t(answer.size())) < 0)
                std::perror("modem write");
        }
    }

    int m_fd;
    QSocketNotifier m_notifier;
    QByteArray m_line;
};

struct Round {
    double loopMs = -1;
    double goneMs = -1;
    double cpu = -1;
    int after = -1;
    int before = -1;
};

Round runRound(int fd, const QString &kind)
{
    Modem modem(fd);
    auto w = std::make_unique<MainWindow>();
    w->show();
    QApplication::processEvents();
    // The port scan fills the list.
    QElapsedTimer wait;
    wait.start();
    while (w->ui->GSMportNameComboBox->currentText().isEmpty() && wait.elapsed() < 3000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    w->ui->GSMopencompushButton->pressed();
    w->ui->GSMNUMtextEdit->setPlainText(QStringLiteral("10086"));
    w->ui->GSMtextBrowser->setPlainText(QStringLiteral("hi"));

    Round r;
    QTimer::singleShot(0, w.get(), [&] {
        if (kind == QLatin1String("send")) {
            w->ui->GSMSendpushButton->pressed();
        } else if (kind == QLatin1String("delete all")) {
            w->ui->GSMDelALLTextpushButton->pressed();
        } else {
            QTimer::singleShot(100, w.get(), [&] { w->ui->GSMguadianhuapushButton->pressed(); });
            w->ui->GSMLaidianKaiguanpushButton->pressed();
        }
    });
    QElapsedTimer sinceClose;
    double cpuAtClose = 0;
    int commandsAtClose = 0;
    QTimer::singleShot(300, w.get(), [&] {
        commandsAtClose = modem.commands;
        cpuAtClose = cpuMs();
        sinceClose.start();
        w->close();
    });
    QApplication::exec();
    r.loopMs = sinceClose.nsecsElapsed() / 1e6;
    r.cpu = cpuMs() - cpuAtClose;
    w.reset();
    r.goneMs = sinceClose.nsecsElapsed() / 1e6;
    // Whatever was written after the close has arrived by now.
    QElapsedTimer settle;
    settle.start();
    while (settle.elapsed() < 300)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    r.after = modem.commands - commandsAtClose;
    r.before = commandsAtClose;
    return r;
}

} // namespace

int main(int argc, char *argv[])
{
    Bench::prepareEnvironment();
    QApplication app(argc, argv);
    Bench::useScratchSettings({QStringLiteral("GSM")});
    const int fd = Bench::openPortPty();
    if (fd < 0)
        return 1;
    UiPrompt::setHandler([](const UiPrompt::Request &) { return UiPrompt::Answer{QMessageBox::Yes, QString(), true}; });
    const int asked = qEnvironmentVariableIntValue("GSM_CLOSE_ROUNDS");
    const int rounds = asked > 0 ? asked : 5;
    for (const QString kind : {QStringLiteral("send"), QStringLiteral("delete all"), QStringLiteral("hang-up")}) {
        QList<double> loop, gone, cpu;
        int after = 0;
        int before = 0;
        for (int i = 0; i < rounds; ++i) {
            const Round r = runRound(fd, kind);
            loop << r.loopMs;
            gone << r.goneMs;
            cpu << r.cpu;
            after += r.after;
            before = r.before;
        }
        std::printf("case=%s rounds=%d close_to_loop_end_ms_median=%.1f close_to_loop_end_ms_max=%.1f "
                    "close_to_window_gone_ms_median=%.1f close_to_window_gone_ms_max=%.1f cpu_ms_max=%.1f "
                    "commands_before_close=%d commands_after_close=%d\n",
                    qPrintable(kind), rounds, median(loop), *std::max_element(loop.begin(), loop.end()),
                    median(gone), *std::max_element(gone.begin(), gone.end()),
                    *std::max_element(cpu.begin(), cpu.end()), before, after);
        std::fflush(stdout);
    }
    ::close(fd);
    return 0;
}
