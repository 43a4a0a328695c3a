// One case of the text box benchmark: puts long text into a box of the real
// window the way a user does (paste from the clipboard, press a button) and
// prints how long it takes until the result is laid out and painted.
//
//   textbox_bench <case> <input file> <output file>
//
// The input file holds UTF-8 text. The program writes the plain text of the
// box that holds the result to the output file and prints
// "ms=<int> cpu_ms=<int>" (wall clock, and CPU time of the GUI thread); the
// reference the output is compared with is made by runner.py, not here.
#include "benchsupport.h"
#include "mainwindow.h"
#include "portlister.h"
#include "ui_mainwindow.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextEdit>

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace {

void settle(QApplication &app, int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        app.processEvents(QEventLoop::AllEvents, 20);
}

// Runs what the event loop has queued (the layout and paint requests a
// change posts), then makes sure the box is laid out to its end and paints
// it once.
void finish(QApplication &app, QAbstractScrollArea *box, QTextDocument *doc)
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        app.processEvents(QEventLoop::AllEvents);
    }
    doc->documentLayout()->documentSize();
    box->viewport()->repaint();
}

QTextDocument *documentOf(QAbstractScrollArea *box)
{
    if (auto *e = qobject_cast<QTextEdit *>(box))
        return e->document();
    return static_cast<QPlainTextEdit *>(box)->document();
}

QString plainTextOf(QAbstractScrollArea *box)
{
    if (auto *e = qobject_cast<QTextEdit *>(box))
        return e->toPlainText();
    return static_cast<QPlainTextEdit *>(box)->toPlainText();
}

// A user's paste: Ctrl+V into the focused box.
void paste(QAbstractScrollArea *box)
{
    box->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    QApplication::sendEvent(box, &release);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: textbox_bench <case> <input> <output>\n");
        return 2;
    }
    Bench::prepareEnvironment();
    QApplication app(argc, argv);
    const QString name = QString::fromLatin1(argv[1]);

    QFile in(QString::fromLocal8Bit(argv[2]));
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[2]);
        return 2;
    }
    const QString input = QString::fromUtf8(in.readAll());
    in.close();

    Bench::useScratchSettings({QStringLiteral("COM"), QStringLiteral("UNICODE"), QStringLiteral("Crypty")});

    // The Serial Debug send box is enabled only while a port is open: give
    // the page a pseudo-terminal to open.
    const int master = Bench::openPortPty();
    if (master < 0)
        return 2;

    MainWindow w;
    w.resize(1200, 900);
    w.show();
    Ui::MainWindow *ui = w.ui;

    QAbstractScrollArea *source = nullptr; // where the input goes
    QAbstractScrollArea *result = nullptr; // what is timed and written out
    QPushButton *button = nullptr;         // null: the paste itself is timed
    if (name == QLatin1String("paste_source")) {
        ui->tabWidget->setCurrentWidget(ui->Crypty);
        source = result = ui->base64_source_textBrowser;
    } else if (name == QLatin1String("base64_encode") || name == QLatin1String("base64_decode")) {
        ui->tabWidget->setCurrentWidget(ui->Crypty);
        source = ui->base64_source_textBrowser;
        result = ui->base64_to_textBrowser;
        button = name.endsWith(QLatin1String("encode")) ? ui->base64_encode_pushButton
                                                        : ui->base64_decode_pushButton;
    } else if (name == QLatin1String("to_escapes") || name == QLatin1String("from_escapes")) {
        ui->tabWidget->setCurrentWidget(ui->Unicode);
        source = ui->UnicodetextEdit;
        result = ui->UnicodetextBrowser;
        button = name == QLatin1String("to_escapes") ? ui->StoUpushButton : ui->UtoSpushButton;
    } else if (name == QLatin1String("serial_send_paste")) {
        ui->tabWidget->setCurrentWidget(ui->serial);
        settle(app, 700); // one port scan lists the pseudo-terminal
        w.actionOpen_triggered();
        if (!w.serialOpen) {
            std::fprintf(stderr, "port did not open\n");
            return 2;
        }
        source = result = ui->sendMsgtextEdit;
    } else {
        std::fprintf(stderr, "unknown case %s\n", argv[1]);
        return 2;
    }
    settle(app, 500);

    QElapsedTimer clock;
    qint64 cpuStart = 0;
    if (button) {
        // The input is pasted first and not timed.
        QGuiApplication::clipboard()->setText(input);
        paste(source);
        finish(app, source, documentOf(source));
        settle(app, 200);
        clock.start();
        cpuStart = Bench::threadCpuMs();
        button->click();
    } else {
        QGuiApplication::clipboard()->setText(input);
        settle(app, 200);
        clock.start();
        cpuStart = Bench::threadCpuMs();
        paste(source);
    }
    finish(app, result, documentOf(result));
    const qint64 ms = clock.elapsed();
    const qint64 cpuMs = Bench::threadCpuMs() - cpuStart;

    QFile out(QString::fromLocal8Bit(argv[3]));
    if (!out.open(QIODevice::WriteOnly) || out.write(plainTextOf(result).toUtf8()) < 0) {
        std::fprintf(stderr, "cannot write %s\n", argv[3]);
        return 2;
    }
    out.close();
    std::printf("ms=%lld cpu_ms=%lld\n", static_cast<long long>(ms), static_cast<long long>(cpuMs));
    std::fflush(stdout);
    if (w.serialOpen)
        w.actionOpen_triggered();
    ::close(master);
    return 0;
}
