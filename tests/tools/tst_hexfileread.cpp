// test-links: codecs
// The threaded whole-file reader of the hex page, on real files.
#include "coresupport.h"

#include <QFile>
#include <QRandomGenerator>

#include <fcntl.h>
#include <unistd.h>

#include "hex/hexfileread.h"

using TestSupport::ScratchDir;

namespace {

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QByteArray b(size, Qt::Uninitialized);
    QRandomGenerator rng(seed);
    rng.fillRange(reinterpret_cast<quint32 *>(b.data()), size / 4);
    for (qsizetype i = size / 4 * 4; i < size; ++i)
        b[i] = char(rng.bounded(256));
    return b;
}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// An open descriptor, closed at the end of the scope.
struct Fd
{
    int fd;
    explicit Fd(const QString &path, int flags = O_RDONLY) : fd(::open(QFile::encodeName(path).constData(), flags)) {}
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

class TestHexFileRead : public QObject
{
    Q_OBJECT
private slots:
    void readsWholeFiles_data();
    void readsWholeFiles();
    void shrunkAndGrownFiles();
    void failedReads();
};

void TestHexFileRead::readsWholeFiles_data()
{
    QTest::addColumn<qint64>("size");
    QTest::newRow("small, one thread") << qint64(1000);
    QTest::newRow("just below the threaded size") << HexFileRead::ThreadedFrom - 1;
    QTest::newRow("threaded, exact") << HexFileRead::ThreadedFrom;
    // Not a multiple of the part alignment: the last part is short.
    QTest::newRow("threaded, odd size") << HexFileRead::ThreadedFrom * 3 + 4093;
}

void TestHexFileRead::readsWholeFiles()
{
    QFETCH(qint64, size);
    ScratchDir dir;
    const QByteArray want = randomBytes(size, quint32(size));
    const QString path = writeFile(dir.file(QStringLiteral("f.bin")), want);
    Fd f(path);
    QVERIFY(f.fd >= 0);

    // Guard bytes around the buffer show that nothing is written outside it.
    QByteArray buffer(size + 2, '\x5a');
    HexFileRead reading(f.fd, buffer.data() + 1, size);
    QCOMPARE(reading.wait(), HexFileRead::Result::Complete);
    QCOMPARE(reading.wait(), HexFileRead::Result::Complete); // a second wait is harmless
    QCOMPARE(buffer.at(0), '\x5a');
    QCOMPARE(buffer.at(size + 1), '\x5a');
    QVERIFY(buffer.mid(1, size) == want);
    // The descriptor's own position is left at the start.
    QCOMPARE(::lseek(f.fd, 0, SEEK_CUR), off_t(0));

    QVERIFY(HexFileRead::hasByteAt(f.fd, size - 1));
    QVERIFY(!HexFileRead::hasByteAt(f.fd, size));
}

void TestHexFileRead::shrunkAndGrownFiles()
{
    ScratchDir dir;
    const qint64 size = HexFileRead::ThreadedFrom * 2;
    const QByteArray want = randomBytes(size, 7);
    const QString path = writeFile(dir.file(QStringLiteral("f.bin")), want);
    Fd f(path);

    // Asked for more than the file holds (it shrank since it was sized):
    // reported as short, in the threaded case and the small one.
    {
        QByteArray buffer(size + 5000, '\0');
        HexFileRead reading(f.fd, buffer.data(), buffer.size());
        QCOMPARE(reading.wait(), HexFileRead::Result::Short);
        QVERIFY(buffer.left(size) == want);
    }
    {
        const QString small = writeFile(dir.file(QStringLiteral("s.bin")), QByteArray(100, 'x'));
        Fd s(small);
        QByteArray buffer(200, '\0');
        HexFileRead reading(s.fd, buffer.data(), buffer.size());
        QCOMPARE(reading.wait(), HexFileRead::Result::Short);
    }

    // Asked for less (it grew): complete, and the extra byte is seen.
    {
        QByteArray buffer(size - 10, '\0');
        HexFileRead reading(f.fd, buffer.data(), buffer.size());
        QCOMPARE(reading.wait(), HexFileRead::Result::Complete);
        QVERIFY(buffer == want.left(size - 10));
        QVERIFY(HexFileRead::hasByteAt(f.fd, size - 10));
    }

    // Nothing to read: complete at once.
    HexFileRead none(f.fd, nullptr, 0);
    QCOMPARE(none.wait(), HexFileRead::Result::Complete);
}

void TestHexFileRead::failedReads()
{
    ScratchDir dir;
    const qint64 size = HexFileRead::ThreadedFrom + 1;
    const QString path = writeFile(dir.file(QStringLiteral("f.bin")), QByteArray(size, 'y'));
    // A descriptor open for writing only cannot be read from.
    Fd f(path, O_WRONLY);
    QVERIFY(f.fd >= 0);
    QByteArray buffer(size, '\0');
    for (qint64 n : {qint64(10), size}) {
        HexFileRead reading(f.fd, buffer.data(), n);
        QCOMPARE(reading.wait(), HexFileRead::Result::Failed);
    }
    QVERIFY(!HexFileRead::hasByteAt(f.fd, 0));
    QVERIFY(!HexFileRead::hasByteAt(-1, 0));
}

VELM_CORE_TEST_MAIN(TestHexFileRead)
#include "tst_hexfileread.moc"
