// The text boxes that can receive long unbroken text (Base64, Unicode, the
// Serial, UDP and TCP send boxes, the MQTT payload and log) on a real main
// window: prose still wraps at word boundaries, a long unbroken line is
// wrapped inside the box and comes back exactly, and a long conversion shows
// the wait cursor while it runs.

#include "testsupport.h"

#include "longtextlayout.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QAbstractTextDocumentLayout>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>

using TestSupport::ScratchDir;

namespace {

const char *const kBoxes[] = {"base64_source_textBrowser", "base64_to_textBrowser", "UnicodetextEdit",
                              "UnicodetextBrowser",        "sendMsgtextEdit",       "UDPsendMsgtextEdit",
                              "TCPsendMsgtextEdit",        "mqtt_pub_textEdit",     "mqtt_textEdit"};

QString prose()
{
    QString text;
    for (int i = 0; i < 40; ++i)
        text += QStringLiteral("The quick brown fox jumps over the lazy dog %1 times. ").arg(i);
    return text.trimmed();
}

// Letters, an accented letter and a letter outside the Basic Multilingual
// Plane (a surrogate pair): no line-break opportunity anywhere.
QString unbroken(int units)
{
    QString text;
    text.reserve(units + 1);
    quint32 seed = 12345;
    while (text.size() < units) {
        seed = seed * 1103515245u + 12345u;
        const quint32 pick = (seed >> 16) % 40;
        if (pick == 0 && text.size() + 2 <= units)
            text += QString::fromUcs4(U"\U0001D400", 1);
        else if (pick == 1)
            text += QChar(0x00E9);
        else
            text += QChar(u'a' + pick % 26);
    }
    return text;
}

QTextDocument *documentOf(QAbstractScrollArea *box)
{
    if (auto *edit = qobject_cast<QTextEdit *>(box))
        return edit->document();
    return static_cast<QPlainTextEdit *>(box)->document();
}

QString plainTextOf(QAbstractScrollArea *box)
{
    return documentOf(box)->toPlainText();
}

void setPlainText(QAbstractScrollArea *box, const QString &text)
{
    if (auto *edit = qobject_cast<QTextEdit *>(box))
        edit->setPlainText(text);
    else
        static_cast<QPlainTextEdit *>(box)->setPlainText(text);
}

bool isReadOnly(QAbstractScrollArea *box)
{
    if (auto *edit = qobject_cast<QTextEdit *>(box))
        return edit->isReadOnly();
    return static_cast<QPlainTextEdit *>(box)->isReadOnly();
}

// The laid-out lines of the box's first paragraph.
QList<QTextLine> firstBlockLines(QAbstractScrollArea *box)
{
    const QTextBlock block = documentOf(box)->firstBlock();
    documentOf(box)->documentLayout()->blockBoundingRect(block); // lays it out
    QList<QTextLine> lines;
    for (int i = 0; i < block.layout()->lineCount(); ++i)
        lines << block.layout()->lineAt(i);
    return lines;
}

} // namespace

class TestLongTextLayout : public QObject
{
    Q_OBJECT

    ScratchDir *m_scratch = nullptr;
    MainWindow *m_window = nullptr;

    QAbstractScrollArea *show(const QString &name)
    {
        auto *box = m_window->findChild<QAbstractScrollArea *>(name);
        if (!box)
            return nullptr;
        for (QWidget *w = box; w; w = w->parentWidget()) {
            const int tab = m_window->ui->tabWidget->indexOf(w);
            if (tab >= 0)
                m_window->ui->tabWidget->setCurrentIndex(tab);
        }
        box->setEnabled(true); // the terminal send boxes open with their port
        QCoreApplication::processEvents();
        return box;
    }

    // A user's paste (Ctrl+V); read-only boxes are filled by their page.
    static void putText(QAbstractScrollArea *box, const QString &text)
    {
        if (isReadOnly(box)) {
            setPlainText(box, text);
            return;
        }
        setPlainText(box, QString());
        QGuiApplication::clipboard()->setText(text);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }

private slots:
    void initTestCase()
    {
        m_scratch = new ScratchDir;
        m_window = new MainWindow;
        m_window->resize(1100, 800);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window));
    }

    void cleanupTestCase()
    {
        delete m_window;
        delete m_scratch;
    }

    void proseWrapsAtWordBoundaries_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("afterLongLine");
        for (const char *name : kBoxes) {
            QTest::addRow("%s", name) << QString::fromLatin1(name) << false;
            QTest::addRow("%s after a long line", name) << QString::fromLatin1(name) << true;
        }
    }

    void proseWrapsAtWordBoundaries()
    {
        QFETCH(QString, box);
        QFETCH(bool, afterLongLine);
        QAbstractScrollArea *w = show(box);
        QVERIFY(w);
        if (afterLongLine) {
            putText(w, unbroken(20000));
            QCoreApplication::processEvents();
        }
        putText(w, prose());
        QCOMPARE(plainTextOf(w), prose());
        const QList<QTextLine> lines = firstBlockLines(w);
        QVERIFY2(lines.size() >= 3, qPrintable(QString::number(lines.size())));
        for (int i = 1; i < lines.size(); ++i)
            QCOMPARE(prose().at(lines[i].textStart() - 1), QLatin1Char(' '));
    }

    void longLineRoundTripsAndFitsTheBox_data()
    {
        QTest::addColumn<QString>("box");
        for (const char *name : kBoxes)
            QTest::addRow("%s", name) << QString::fromLatin1(name);
    }

    void longLineRoundTripsAndFitsTheBox()
    {
        QFETCH(QString, box);
        QAbstractScrollArea *w = show(box);
        QVERIFY(w);
        const QString text = unbroken(300000);
        int shapeWhileShown = -1; // the cursor while the text goes in
        const QMetaObject::Connection c = connect(documentOf(w), &QTextDocument::contentsChange, this, [&] {
            if (QGuiApplication::overrideCursor())
                shapeWhileShown = QGuiApplication::overrideCursor()->shape();
        });
        putText(w, text);
        disconnect(c);
        QCOMPARE(shapeWhileShown, int(Qt::WaitCursor));
        QTRY_COMPARE(QGuiApplication::overrideCursor(), nullptr);
        QCOMPARE(plainTextOf(w).size(), text.size());
        QVERIFY(plainTextOf(w) == text);
        const QList<QTextLine> lines = firstBlockLines(w);
        QVERIFY(lines.size() > 10);
        for (const QTextLine &line : lines)
            QVERIFY(line.naturalTextWidth() <= w->viewport()->width());
        setPlainText(w, QString());
    }

    void longConversionShowsWaitCursor_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("busy");
        const QString large = unbroken(int(LongTextLayout::kBusyChars));
        const QString escapes = QStringLiteral("00410042").repeated(LongTextLayout::kBusyChars / 8);
        for (const char *b : {"base64_encode_pushButton", "StoUpushButton"}) {
            QTest::addRow("%s small", b) << QString::fromLatin1(b) << large.left(1000) << false;
            QTest::addRow("%s large", b) << QString::fromLatin1(b) << large << true;
        }
        const QString base64 = QString::fromLatin1(large.toUtf8().toBase64());
        QTest::addRow("base64_decode_pushButton small") << QStringLiteral("base64_decode_pushButton")
                                                        << base64.left(1000) << false;
        QTest::addRow("base64_decode_pushButton large") << QStringLiteral("base64_decode_pushButton") << base64
                                                        << true;
        QTest::addRow("UtoSpushButton small") << QStringLiteral("UtoSpushButton") << escapes.left(1000) << false;
        QTest::addRow("UtoSpushButton large") << QStringLiteral("UtoSpushButton") << escapes << true;
    }

    void longConversionShowsWaitCursor()
    {
        QFETCH(QString, button);
        QFETCH(QString, input);
        QFETCH(bool, busy);
        const bool base64 = button.startsWith(QLatin1String("base64"));
        QAbstractScrollArea *source = show(base64 ? QStringLiteral("base64_source_textBrowser")
                                                  : QStringLiteral("UnicodetextEdit"));
        QAbstractScrollArea *result =
            show(base64 ? QStringLiteral("base64_to_textBrowser") : QStringLiteral("UnicodetextBrowser"));
        setPlainText(source, input);
        QTRY_COMPARE(QGuiApplication::overrideCursor(), nullptr);

        int shapeWhileShown = -1; // the cursor while the result goes in
        const QMetaObject::Connection c = connect(documentOf(result), &QTextDocument::contentsChange, this, [&] {
            if (QGuiApplication::overrideCursor())
                shapeWhileShown = QGuiApplication::overrideCursor()->shape();
        });
        QTest::mouseClick(m_window->findChild<QAbstractButton *>(button), Qt::LeftButton);
        disconnect(c);
        QVERIFY(!plainTextOf(result).isEmpty());
        QCOMPARE(shapeWhileShown, busy ? int(Qt::WaitCursor) : -1);
        QTRY_COMPARE(QGuiApplication::overrideCursor(), nullptr);
    }

    void longRunDetection_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isLong");
        const qsizetype n = LongTextLayout::kLongRun;
        QTest::newRow("empty") << QString() << false;
        QTest::newRow("one word just short") << QString(n - 1, u'a') << false;
        QTest::newRow("one word long enough") << QString(n, u'a') << true;
        QTest::newRow("prose") << prose().repeated(50) << false;
        QTest::newRow("short words, no other blank") << (QString(n - 1, u'x') + u' ').repeated(100) << false;
        QTest::newRow("ideographs without blanks") << QString(5000, QChar(0x4E2D)) << false;
        QTest::newRow("prose then a long word") << prose() + u' ' + QString(n, u'b') << true;
        QTest::newRow("hex escapes") << QStringLiteral("\\U4E2D\\U6587").repeated(n / 10 + 1) << true;
        QTest::newRow("Base64 of letters") << QStringLiteral("YWJjZGVmZ2hpamts").repeated(n / 16 + 1) << true;
        QTest::newRow("long word across lines") << QString(n / 2, u'c') + u'\n' + QString(n / 2, u'c') << false;
    }

    void longRunDetection()
    {
        QFETCH(QString, text);
        QFETCH(bool, isLong);
        QCOMPARE(LongTextLayout::hasLongRun(text), isLong);
    }
};

VELM_TEST_MAIN(TestLongTextLayout)
#include "tst_longtextlayout.moc"
