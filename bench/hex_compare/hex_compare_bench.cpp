// Times the hex compare page on two large files and compares the open with
// `cmp -l a b | wc -l` on the same files. Prints one line of figures.
#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include <algorithm>
#include <cstdio>

#include "hex/kalvest_hex_tools.h"
#include "uiprompt.h"

namespace {

constexpr qint64 kSize = qint64(64) * 1024 * 1024;

long rssKb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (const QByteArray &l : lines)
        if (l.startsWith(key))
            return l.mid(int(qstrlen(key))).trimmed().split(' ').first().toLong();
    return -1;
}

void writeImages(const QString &a, const QString &b)
{
    QByteArray one(kSize, '\xff');
    QByteArray two = one;
    QRandomGenerator rng(12345);
    const qint64 rows = kSize / 16;
    for (qint64 r = 0; r < rows; ++r) {
        if (rng.bounded(100) != 0)
            continue; // about 1% of the rows differ
        for (int k = 0; k < 4; ++k)
            two[r * 16 + rng.bounded(16)] = char(rng.bounded(255));
    }
    for (const auto &[path, data] : {std::pair{a, one}, std::pair{b, two}}) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size())
            qFatal("cannot write %s", qPrintable(path));
    }
}

// Notes when a widget has finished painting.
class PaintWatch : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Paint && !painted) {
            static_cast<QWidget *>(o)->removeEventFilter(this);
            QCoreApplication::sendEvent(o, e); // paint now, then mark it done
            painted = true;
            return true;
        }
        return false;
    }
};

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.at(v.size() / 2);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: hex_compare_bench <work dir>\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const QString a = dir + QStringLiteral("/a.bin"), b = dir + QStringLiteral("/b.bin");
    writeImages(a, b);

    // Both commands start from a warm page cache.
    QProcess::execute(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("cat '%1' '%2' >/dev/null").arg(a, b)});
    QList<double> cmpRuns;
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer t;
        t.start();
        QProcess p;
        p.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("cmp -l '%1' '%2' | wc -l").arg(a, b)});
        p.waitForFinished(-1);
        cmpRuns.append(double(t.nsecsElapsed()) / 1e6);
        if (i == 0)
            std::fprintf(stderr, "cmp -l lines: %s", p.readAllStandardOutput().constData());
    }

    QString nextFile;
    UiPrompt::setHandler([&nextFile](const UiPrompt::Request &r) {
        UiPrompt::Answer ans;
        if (r.kind == UiPrompt::Kind::FileOpen)
            ans.text = nextFile;
        else
            std::fprintf(stderr, "unexpected message: %s\n", qPrintable(r.text));
        return ans;
    });

    QList<double> openRuns;
    double denseMs = 0, scrollMs = 0;
    long rssBeforeSearch = 0, rssAfterSearch = 0;
    for (int run = 0; run < 3; ++run) {
        auto *page = new kalvest_hex_tools;
        page->resize(1400, 900);
        page->show();
        QTest::qWaitForWindowExposed(page);
        auto *table1 = page->findChild<QTableView *>(QStringLiteral("tableView1"));
        auto *table2 = page->findChild<QTableView *>(QStringLiteral("tableView2"));

        nextFile = a;
        page->findChild<QPushButton *>(QStringLiteral("openFile1Button"))->click();
        QTest::qWait(50);

        PaintWatch watch;
        table2->viewport()->installEventFilter(&watch);
        nextFile = b;
        QElapsedTimer t;
        t.start();
        page->findChild<QPushButton *>(QStringLiteral("openFile2Button"))->click();
        while (!watch.painted)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        openRuns.append(double(t.nsecsElapsed()) / 1e6);
        if (table2->model()->rowCount() != int(kSize / 16))
            qFatal("file 2 not loaded");
        QTest::qWait(50);

        if (run == 2) {
            // A dense search: "FF" hits nearly every byte of an erased image.
            rssBeforeSearch = rssKb("VmRSS:");
            auto *search = page->findChild<QLineEdit *>(QStringLiteral("searchInput"));
            QElapsedTimer s;
            s.start();
            search->setText(QStringLiteral("FF"));
            QCoreApplication::processEvents();
            denseMs = double(s.nsecsElapsed()) / 1e6;
            rssAfterSearch = rssKb("VmRSS:");
            if (!page->currentSearchHit().isValid())
                qFatal("dense search found nothing");
            page->findChild<QPushButton *>(QStringLiteral("nextButton"))->click();

            // One scroll step (both tables move together), with its repaint.
            QScrollBar *bar = table1->verticalScrollBar();
            bar->setValue(1000);
            QCoreApplication::processEvents();
            QList<double> steps;
            for (int i = 0; i < 60; ++i) {
                QElapsedTimer st;
                st.start();
                bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
                QCoreApplication::processEvents();
                steps.append(double(st.nsecsElapsed()) / 1e6);
            }
            scrollMs = median(steps);
            if (table2->verticalScrollBar()->value() != bar->value())
                qFatal("tables not scrolled together");
        }
        delete page;
        QCoreApplication::processEvents();
    }
    UiPrompt::setHandler({});

    const double openMs = median(openRuns);
    const double cmpMs = median(cmpRuns);
    std::fprintf(stderr, "rss before dense search %ld MiB, after %ld MiB\n", rssBeforeSearch / 1024,
                 rssAfterSearch / 1024);
    std::printf("open_diff_ms=%d cmp_ms=%d ratio=%.2f dense_search_ms=%d peak_rss_mb=%ld scroll_ms=%.2f\n",
                int(openMs + 0.5), int(cmpMs + 0.5), openMs / cmpMs, int(denseMs + 0.5), rssKb("VmHWM:") / 1024,
                scrollMs);
    return 0;
}
