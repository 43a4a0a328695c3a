// The hex table model and the difference strip, without a main window.
#include "testsupport.h"

#include <QImage>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStyleOptionViewItem>
#include <QValidator>

#include "hex/diffwidget.h"
#include "hex/hexitemdelegate.h"
#include "hex/hextablemodel.h"
#include "hex/rowbitmap.h"

namespace {

// The text rule of a search, written out plainly: every start position,
// every token compared as text with the byte's two upper-case digits.
QList<qsizetype> bruteForceHits(const QByteArray &buf, const QString &pattern)
{
    QList<qsizetype> hits;
    const QStringList tokens = pattern.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (tokens.isEmpty())
        return hits;
    for (qsizetype o = 0; o < buf.size(); ++o) {
        const int column = int(o % 16) + 1;
        bool ok = true;
        for (int i = 0; i < tokens.size() && ok; ++i) {
            if (column + i > 16 || o + i >= buf.size()) {
                ok = false;
                break;
            }
            const QString text =
                QStringLiteral("%1").arg(uchar(buf.at(o + i)), 2, 16, QLatin1Char('0')).toUpper();
            ok = tokens.at(i).toUpper() == text;
        }
        if (ok)
            hits.append(o);
    }
    return hits;
}

QList<qsizetype> offsetsOf(const QList<QModelIndex> &hits)
{
    QList<qsizetype> out;
    for (const QModelIndex &i : hits) {
        if (i.column() < 1 || i.column() > 16)
            out.append(-1);
        else
            out.append(qsizetype(i.row()) * 16 + i.column() - 1);
    }
    return out;
}

// Rows whose byte-column display values differ, asked through data() as the
// strip's rule says (an index past a model's last row gives no value).
QList<int> referenceDiffRows(HexTableModel &a, HexTableModel &b)
{
    QList<int> rows;
    const int total = qMax(a.rowCount(), b.rowCount());
    for (int r = 0; r < total; ++r) {
        for (int c = 1; c <= 16; ++c) {
            if (a.data(a.index(r, c)) != b.data(b.index(r, c))) {
                rows.append(r);
                break;
            }
        }
    }
    return rows;
}

QList<int> bitmapRows(const RowBitmap &bits)
{
    QList<int> rows;
    for (qsizetype r = bits.nextSet(0); r >= 0; r = bits.nextSet(r + 1))
        rows.append(int(r));
    return rows;
}

QByteArray randomBytes(QRandomGenerator &rng, int size, const QByteArray &alphabet)
{
    QByteArray out(size, '\0');
    for (int i = 0; i < size; ++i)
        out[i] = alphabet.at(int(rng.bounded(alphabet.size())));
    return out;
}

bool isRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60; }
bool isOrange(QRgb c) { return qRed(c) == 255 && qGreen(c) == 200 && qBlue(c) == 0; }

} // namespace

class TestHexModel : public QObject
{
    Q_OBJECT
private slots:
    void geometryAndTexts();
    void characterColumns();
    void emptyBufferAndHeaders();
    void editing();
    void searchAgreesWithBruteForce();
    void searchEdgeCases();
    void malformedPatternsFindNothing();
    void lazySearchHelpers();
    void rowBitmap();
    void diffRowsFollowTheDisplayRule();
    void stripMarksAndClicks();
    void stripWithOneModel();
    void delegateEditor();
};

void TestHexModel::geometryAndTexts()
{
    QByteArray buf;
    for (int i = 0; i < 17; ++i)
        buf.append(char(0x30 + i));
    HexTableModel m(buf);
    QCOMPARE(m.rowCount(), 2);
    QCOMPARE(m.columnCount(), 33);
    QCOMPARE(m.data(m.index(1, 0)).toString(), QStringLiteral("00000010"));
    QCOMPARE(m.data(m.index(0, 0)).toString(), QStringLiteral("00000000"));
    QCOMPARE(m.data(m.index(0, 16)).toString(), QStringLiteral("3F"));
    QCOMPARE(m.data(m.index(1, 1)).toString(), QStringLiteral("40"));
    QCOMPARE(m.data(m.index(1, 17)).toString(), QStringLiteral("@"));
    // Past the end: the empty text, which is a value (not "no value").
    for (int c : {2, 16, 18, 32}) {
        const QVariant v = m.data(m.index(1, c));
        QVERIFY2(v.isValid(), qPrintable(QString::number(c)));
        QCOMPARE(v.toString(), QString());
    }
    QVERIFY(!m.data(m.index(0, 33)).isValid());
    QVERIFY(!m.data(QModelIndex()).isValid());
    QVERIFY(!m.data(m.index(0, 1), Qt::EditRole).isValid());
    QCOMPARE(m.data(m.index(0, 0), Qt::TextAlignmentRole).toInt(), int(Qt::AlignLeft));
    QCOMPARE(m.data(m.index(0, 20), Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
    QCOMPARE(m.getData(), buf);

    // Large offsets keep eight upper-case digits.
    HexTableModel big(QByteArray(0xABCDE0 + 1, '\xff'));
    QCOMPARE(big.data(big.index(0xABCDE, 0)).toString(), QStringLiteral("00ABCDE0"));
    QCOMPARE(big.data(big.index(0xABCDE, 1)).toString(), QStringLiteral("FF"));
}

void TestHexModel::characterColumns()
{
    HexTableModel m(QByteArray("\x1f\x20\x7e\x7f\x00\x80\xff" "A", 8));
    QString row;
    for (int c = 17; c <= 20; ++c)
        row += m.data(m.index(0, c)).toString();
    QCOMPARE(row, QStringLiteral(". ~."));
    QCOMPARE(m.data(m.index(0, 21)).toString(), QStringLiteral("."));
    QCOMPARE(m.data(m.index(0, 23)).toString(), QStringLiteral("."));
    QCOMPARE(m.data(m.index(0, 24)).toString(), QStringLiteral("A"));
    QCOMPARE(m.data(m.index(0, 7)).toString(), QStringLiteral("FF"));
    QCOMPARE(m.data(m.index(0, 5)).toString(), QStringLiteral("00"));
}

void TestHexModel::emptyBufferAndHeaders()
{
    HexTableModel m{QByteArray()};
    QCOMPARE(m.rowCount(), 0);
    QCOMPARE(m.columnCount(), 33);
    QCOMPARE(m.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Address"));
    QCOMPARE(m.headerData(1, Qt::Horizontal).toString(), QStringLiteral("0"));
    QCOMPARE(m.headerData(16, Qt::Horizontal).toString(), QStringLiteral("F"));
    QCOMPARE(m.headerData(17, Qt::Horizontal).toString(), QStringLiteral("0"));
    QCOMPARE(m.headerData(32, Qt::Horizontal).toString(), QStringLiteral("F"));
    QVERIFY(!m.headerData(33, Qt::Horizontal).isValid());
    QVERIFY(!m.headerData(0, Qt::Vertical).isValid());
    QVERIFY(!m.headerData(1, Qt::Horizontal, Qt::ToolTipRole).isValid());
    QVERIFY(m.search(QStringLiteral("00"), 0).isEmpty());
}

void TestHexModel::editing()
{
    HexTableModel m(QByteArray(20, '\x11'));
    QVERIFY(m.flags(m.index(0, 1)) & Qt::ItemIsEditable);
    QVERIFY(m.flags(m.index(0, 16)) & Qt::ItemIsEditable);
    QVERIFY(!(m.flags(m.index(0, 0)) & Qt::ItemIsEditable));
    QVERIFY(!(m.flags(m.index(0, 17)) & Qt::ItemIsEditable));

    QSignalSpy spy(&m, &QAbstractItemModel::dataChanged);
    QVERIFY(m.setData(m.index(0, 3), QStringLiteral("a"), Qt::EditRole));
    QCOMPARE(uchar(m.getData().at(2)), uchar(0x0A));
    QCOMPARE(m.data(m.index(0, 3)).toString(), QStringLiteral("0A"));
    QCOMPARE(spy.count(), 1);
    const QList<QVariant> args = spy.takeFirst();
    QCOMPARE(args.at(0).value<QModelIndex>(), m.index(0, 3));
    QCOMPARE(args.at(1).value<QModelIndex>(), m.index(0, 3));
    QCOMPARE(args.at(2).value<QList<int>>(), QList<int>{Qt::DisplayRole});

    // Refused: empty text, not hex, wrong role, past the end of the buffer.
    QVERIFY(!m.setData(m.index(0, 3), QString(), Qt::EditRole));
    QVERIFY(!m.setData(m.index(0, 3), QStringLiteral("zz"), Qt::EditRole));
    QVERIFY(!m.setData(m.index(0, 3), QStringLiteral("41"), Qt::DisplayRole));
    QVERIFY(!m.setData(m.index(1, 5), QStringLiteral("41"), Qt::EditRole)); // offset 20
    QVERIFY(!m.setData(m.index(0, 0), QStringLiteral("41"), Qt::EditRole));
    QVERIFY(!m.setData(m.index(0, 17), QStringLiteral("41"), Qt::EditRole));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(uchar(m.getData().at(2)), uchar(0x0A));

    // Only the low eight bits are kept.
    QVERIFY(m.setData(m.index(1, 4), QStringLiteral("1FF"), Qt::EditRole));
    QCOMPARE(uchar(m.getData().at(19)), uchar(0xFF));
    QCOMPARE(m.getData().size(), 20);
}

void TestHexModel::searchAgreesWithBruteForce()
{
    QRandomGenerator rng(20240611);
    const QByteArray alphabet("\x41\x42\xaa\x00", 4);
    for (int round = 0; round < 300; ++round) {
        const QByteArray buf = randomBytes(rng, int(rng.bounded(0, 120)), alphabet);
        HexTableModel m(buf);
        const int tokens = int(rng.bounded(1, 5));
        QString pattern = QString(int(rng.bounded(3)), QLatin1Char(' '));
        for (int t = 0; t < tokens; ++t) {
            QString tok = QStringLiteral("%1").arg(uchar(alphabet.at(int(rng.bounded(alphabet.size())))), 2, 16,
                                                   QLatin1Char('0'));
            if (rng.bounded(2))
                tok = tok.toUpper();
            pattern += tok + QString(int(rng.bounded(1, 4)), QLatin1Char(' '));
        }
        const QList<qsizetype> expected = bruteForceHits(buf, pattern);
        QCOMPARE(offsetsOf(m.search(pattern, 0)), expected);

        // The row bitmap marks exactly the rows of those hits.
        RowBitmap rows;
        QByteArray pat;
        QVERIFY(HexTableModel::parsePattern(pattern, &pat));
        m.hitRows(pat, &rows);
        QList<int> expectedRows;
        for (qsizetype o : expected)
            if (expectedRows.isEmpty() || expectedRows.last() != int(o / 16))
                expectedRows.append(int(o / 16));
        QCOMPARE(bitmapRows(rows), expectedRows);

        // A later start row drops the earlier hits.
        if (m.rowCount() > 1) {
            QList<qsizetype> later;
            for (qsizetype o : expected)
                if (o >= 16)
                    later.append(o);
            QCOMPARE(offsetsOf(m.search(pattern, 1)), later);
        }
    }
}

void TestHexModel::searchEdgeCases()
{
    // 0x41 in column 16 followed by 0x42 in column 1 of the next row.
    QByteArray buf(32, '\0');
    buf[15] = 0x41;
    buf[16] = 0x42;
    HexTableModel m(buf);
    QVERIFY(m.search(QStringLiteral("41 42"), 0).isEmpty());
    QCOMPARE(m.search(QStringLiteral("41"), 0).size(), 1);

    // Overlapping hits are all reported; case and blanks do not matter.
    QByteArray aa(16, '\0');
    aa[0] = aa[1] = aa[2] = char(0xAA);
    HexTableModel ma(aa);
    const QList<QModelIndex> hits = ma.search(QStringLiteral("AA AA"), 0);
    QCOMPARE(hits.size(), 2);
    QCOMPARE(hits.at(0), ma.index(0, 1));
    QCOMPARE(hits.at(1), ma.index(0, 2));
    QCOMPARE(ma.search(QStringLiteral("   aa    aa  "), 0), hits);

    // Sixteen tokens match only a whole row; seventeen match nothing.
    QByteArray row(48, '\x07');
    HexTableModel mr(row);
    const QString sixteen = QStringLiteral("07 ").repeated(16);
    QCOMPARE(offsetsOf(mr.search(sixteen, 0)), (QList<qsizetype>{0, 16, 32}));
    QVERIFY(mr.search(QStringLiteral("07 ").repeated(17), 0).isEmpty());

    // A start row past the end finds nothing.
    QVERIFY(mr.search(QStringLiteral("07"), 3).isEmpty());
    // A match at the very end of a partial last row.
    HexTableModel tail(QByteArray("\x01\x02\x03", 3));
    QCOMPARE(offsetsOf(tail.search(QStringLiteral("02 03"), 0)), QList<qsizetype>{1});
    QVERIFY(tail.search(QStringLiteral("03 00"), 0).isEmpty());
}

void TestHexModel::malformedPatternsFindNothing()
{
    HexTableModel m(QByteArray("\x04\x41\x00\x41\x0a\x41", 6));
    for (const char *p : {"", "   ", "4", "041", "0x41", "4G", "41,", "41\t04", "41 4", "g1", "+4"}) {
        QVERIFY2(m.search(QString::fromLatin1(p), 0).isEmpty(), p);
        QByteArray pat;
        QVERIFY2(!HexTableModel::parsePattern(QString::fromLatin1(p), &pat), p);
        QVERIFY(pat.isEmpty());
    }
    QCOMPARE(m.search(QStringLiteral("41"), 0).size(), 3);
}

void TestHexModel::lazySearchHelpers()
{
    QRandomGenerator rng(77);
    for (int round = 0; round < 100; ++round) {
        const QByteArray buf = randomBytes(rng, int(rng.bounded(1, 200)), QByteArray("\x01\x02", 2));
        HexTableModel m(buf);
        const QString pattern = rng.bounded(2) ? QStringLiteral("01 02") : QStringLiteral("02");
        QByteArray pat;
        QVERIFY(HexTableModel::parsePattern(pattern, &pat));
        const QList<qsizetype> expected = bruteForceHits(buf, pattern);
        // findNext walks the same hits in the same order.
        QList<qsizetype> walked;
        for (qsizetype o = m.findNext(pat, 0); o >= 0; o = m.findNext(pat, o + 1))
            walked.append(o);
        QCOMPARE(walked, expected);
        // Per row, first and last hits bounded by an offset.
        for (int r = 0; r < m.rowCount(); ++r) {
            QList<qsizetype> inRow;
            for (qsizetype o : expected)
                if (o / 16 == r)
                    inRow.append(o);
            QCOMPARE(m.firstHitInRow(pat, r, r * 16), inRow.isEmpty() ? -1 : inRow.first());
            QCOMPARE(m.lastHitInRow(pat, r, r * 16 + 16), inRow.isEmpty() ? -1 : inRow.last());
            if (inRow.size() > 1) {
                QCOMPARE(m.firstHitInRow(pat, r, inRow.first() + 1), inRow.at(1));
                QCOMPARE(m.lastHitInRow(pat, r, inRow.last()), inRow.at(inRow.size() - 2));
            }
        }
    }
}

void TestHexModel::rowBitmap()
{
    RowBitmap b(200);
    QCOMPARE(b.nextSet(0), qsizetype(-1));
    QCOMPARE(b.prevSet(199), qsizetype(-1));
    QVERIFY(b.isEmpty());
    b.set(0);
    b.set(63);
    b.set(64);
    b.set(199);
    b.set(200); // out of range: ignored
    QCOMPARE(bitmapRows(b), (QList<int>{0, 63, 64, 199}));
    QCOMPARE(b.nextSet(1), qsizetype(63));
    QCOMPARE(b.nextSet(65), qsizetype(199));
    QCOMPARE(b.prevSet(198), qsizetype(64));
    QCOMPARE(b.prevSet(63), qsizetype(63));
    QCOMPARE(b.prevSet(62), qsizetype(0));
    QCOMPARE(b.prevSet(1000), qsizetype(199));
    QVERIFY(b.anyIn(60, 63));
    QVERIFY(!b.anyIn(65, 198));

    RowBitmap r(300);
    r.setRange(10, 250);
    QCOMPARE(bitmapRows(r).size(), 241);
    QCOMPARE(r.nextSet(0), qsizetype(10));
    QCOMPARE(r.prevSet(299), qsizetype(250));
    RowBitmap small(5);
    small.set(4);
    small.unite(b);
    QCOMPARE(bitmapRows(small), (QList<int>{0, 4, 63, 64, 199}));
}

void TestHexModel::diffRowsFollowTheDisplayRule()
{
    // Identical files: nothing marked.
    {
        HexTableModel a(QByteArray(100, '\x05')), b(QByteArray(100, '\x05'));
        DiffWidget w;
        w.setModels(&a, &b);
        QVERIFY(w.differingRows().isEmpty());
    }
    // 32 against 40 bytes with the same first 32: only row 2.
    {
        QByteArray base(40, '\0');
        for (int i = 0; i < 40; ++i)
            base[i] = char(i);
        HexTableModel a(base.left(32)), b(base);
        DiffWidget w;
        w.setModels(&a, &b);
        QCOMPARE(bitmapRows(w.differingRows()), QList<int>{2});
    }
    // Random pairs (different lengths, sparse changes) against data().
    QRandomGenerator rng(4242);
    for (int round = 0; round < 200; ++round) {
        QByteArray a = randomBytes(rng, int(rng.bounded(0, 20000)), QByteArray("\x10\x20", 2));
        QByteArray b = a;
        const int changes = int(rng.bounded(0, 6));
        for (int i = 0; i < changes && !b.isEmpty(); ++i)
            b[int(rng.bounded(b.size()))] = char(0x30);
        if (rng.bounded(3) == 0)
            b.truncate(int(rng.bounded(b.size() + 1)));
        if (rng.bounded(4) == 0)
            b.append(QByteArray(int(rng.bounded(40)), '\x10'));
        HexTableModel ma(a), mb(b);
        DiffWidget w;
        w.setModels(&ma, &mb);
        QCOMPARE(bitmapRows(w.differingRows()), referenceDiffRows(ma, mb));
    }
}

void TestHexModel::stripMarksAndClicks()
{
    // Three rows, row 1 differs: its mark fills y 200..400 of a 600 px strip.
    QByteArray a(48, '\0'), b(48, '\0');
    b[20] = 1;
    HexTableModel ma(a), mb(b);
    DiffWidget w;
    w.resize(20, 600);
    w.setModels(&ma, &mb);
    QImage img = w.grab().toImage();
    QVERIFY(isRed(img.pixel(2, 200)));
    QVERIFY(isRed(img.pixel(2, 300)));
    QVERIFY(isRed(img.pixel(2, 400)));
    QVERIFY(!isRed(img.pixel(2, 199)));
    QVERIFY(!isRed(img.pixel(2, 401)));
    QVERIFY(!isRed(img.pixel(15, 300))); // marks are 10 px wide
    const QRgb line = img.pixel(5, 100);
    QCOMPARE(QColor(line), QColor(Qt::lightGray));

    // Search hits are drawn over differences.
    w.setSearchResults({ma.index(1, 3), mb.index(2, 1)});
    img = w.grab().toImage();
    QVERIFY(isOrange(img.pixel(2, 300)));
    QVERIFY(isOrange(img.pixel(2, 500)));
    QVERIFY(!isOrange(img.pixel(2, 100)));
    w.setSearchRows(RowBitmap());
    img = w.grab().toImage();
    QVERIFY(isRed(img.pixel(2, 300)));
    QVERIFY(!isOrange(img.pixel(2, 500)));

    QSignalSpy spy(&w, &DiffWidget::jumpToRow);
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(5, 450));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().at(0).toInt(), 2);

    // 10000 rows: marks 2 px high at y = row * 0.06; a press at 300 gives 5000.
    QByteArray big1(160000, '\0'), big2(160000, '\0');
    big2[5000 * 16 + 3] = 9;
    big2[9999 * 16] = 9;
    HexTableModel mb1(big1), mb2(big2);
    w.setModels(&mb1, &mb2);
    img = w.grab().toImage();
    const int y5000 = int(float(5000) * (600.0f / 10000.0f));
    QVERIFY(y5000 == 299 || y5000 == 300);
    QVERIFY(isRed(img.pixel(2, y5000)));
    QVERIFY(isRed(img.pixel(2, y5000 + 2)));
    QVERIFY(!isRed(img.pixel(2, y5000 - 2)));
    QVERIFY(!isRed(img.pixel(2, y5000 + 4)));
    QVERIFY(isRed(img.pixel(2, 599)));
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(5, 300));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.takeFirst().at(0).toInt(), 5000);

    // A dense hit bitmap over every row still paints (one mark a pixel).
    RowBitmap all(10000);
    all.setRange(0, 9999);
    w.setSearchRows(all);
    img = w.grab().toImage();
    for (int y : {0, 150, 300, 450, 599})
        QVERIFY2(isOrange(img.pixel(2, y)), qPrintable(QString::number(y)));
}

void TestHexModel::stripWithOneModel()
{
    HexTableModel a(QByteArray(64, '\1'));
    DiffWidget w;
    w.resize(20, 300);
    w.setModels(&a, nullptr);
    QVERIFY(w.differingRows().isEmpty());
    QSignalSpy spy(&w, &DiffWidget::jumpToRow);
    QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(5, 100));
    QCOMPARE(spy.count(), 0);
    const QImage img = w.grab().toImage();
    QVERIFY(QColor(img.pixel(5, 100)) != QColor(Qt::lightGray));
}

void TestHexModel::delegateEditor()
{
    HexTableModel a(QByteArray(32, '\x0a')), b(QByteArray(32, '\x0a'));
    HexItemDelegate d(&a, &b);
    QWidget parent;
    QStyleOptionViewItem opt;
    QVERIFY(!d.createEditor(&parent, opt, a.index(0, 0)));
    QVERIFY(!d.createEditor(&parent, opt, a.index(0, 17)));
    QWidget *w = d.createEditor(&parent, opt, a.index(0, 1));
    auto *edit = qobject_cast<QLineEdit *>(w);
    QVERIFY(edit);
    QVERIFY(edit->validator());
    int pos = 0;
    QString s = QStringLiteral("ab");
    QCOMPARE(edit->validator()->validate(s, pos), QValidator::Acceptable);
    s = QStringLiteral("abc");
    QCOMPARE(edit->validator()->validate(s, pos), QValidator::Invalid);
    s = QStringLiteral("g");
    QCOMPARE(edit->validator()->validate(s, pos), QValidator::Invalid);

    d.setEditorData(edit, a.index(1, 2));
    QCOMPARE(edit->text(), QStringLiteral("0A"));
    edit->setText(QStringLiteral("c"));
    d.setModelData(edit, &a, a.index(1, 2));
    QCOMPARE(uchar(a.getData().at(17)), uchar(0x0C));
    edit->setText(QString());
    d.setModelData(edit, &a, a.index(1, 2));
    QCOMPARE(uchar(a.getData().at(17)), uchar(0x0C));

    // Highlighting asks both models for a repaint with an empty roles list.
    QSignalSpy spyA(&a, &QAbstractItemModel::dataChanged), spyB(&b, &QAbstractItemModel::dataChanged);
    d.setHighlightIndex(a.index(1, 3));
    QCOMPARE(spyA.count(), 1);
    QCOMPARE(spyB.count(), 1);
    QVERIFY(spyA.first().at(2).value<QList<int>>().isEmpty());
    QCOMPARE(d.highlight().row(), 1);
    d.setHighlightIndex(QModelIndex());
    QCOMPARE(spyA.count(), 1);
    QVERIFY(!d.highlight().isValid());
}

VELM_TEST_MAIN(TestHexModel)
#include "tst_hexmodel.moc"
