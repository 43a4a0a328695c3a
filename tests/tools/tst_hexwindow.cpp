// The "Hex" page inside a real main window: closing the window with unsaved
// edits asks, and Cancel keeps the window open.
#include "testsupport.h"

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QFile>
#include <QPushButton>
#include <QTableView>

#include "hex/hextablemodel.h"
#include "hex/kalvest_hex_tools.h"

using TestSupport::PromptRecorder;
using TestSupport::ScratchDir;

class TestHexWindow : public QObject
{
    Q_OBJECT
private slots:
    void closingAsksAboutUnsavedEdits();
};

void TestHexWindow::closingAsksAboutUnsavedEdits()
{
    ScratchDir dir;
    PromptRecorder rec;
    const QByteArray original(64, '\x21');
    {
        QFile f(dir.file(QStringLiteral("fw.bin")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(original), qint64(original.size()));
    }

    auto *window = new MainWindow;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto *page = window->findChild<kalvest_hex_tools *>();
    QVERIFY(page);
    QVERIFY(window->ui->hextools->isAncestorOf(page));

    // Nothing loaded or edited: no question, but keep the window for the rest.
    rec.clear();
    QVERIFY(window->confirmClose());
    QVERIFY(rec.requests().isEmpty());

    rec.queueFile(dir.file(QStringLiteral("fw.bin")));
    page->findChild<QPushButton *>(QStringLiteral("openFile1Button"))->click();
    auto *table = page->findChild<QTableView *>(QStringLiteral("tableView1"));
    auto *model = qobject_cast<QAbstractItemModel *>(table->model());
    QVERIFY(model && model->rowCount() == 4);
    QVERIFY(model->setData(model->index(2, 4), QStringLiteral("5e"), Qt::EditRole));

    rec.clear();
    rec.queueButton(QMessageBox::Cancel);
    QVERIFY(!window->close());
    QVERIFY(window->isVisible());
    QCOMPARE(rec.requests().size(), 1);
    QCOMPARE(rec.requests().at(0).kind, UiPrompt::Kind::Question);
    QCOMPARE(rec.requests().at(0).text,
             QStringLiteral("File fw.bin has been modified.\nDo you want to save your changes?"));

    // Yes saves, then the window closes.
    rec.clear();
    rec.queueButton(QMessageBox::Yes);
    QVERIFY(window->close());
    QVERIFY(!window->isVisible());
    QCOMPARE(rec.texts().last(), QStringLiteral("File saved successfully."));
    QFile f(dir.file(QStringLiteral("fw.bin")));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray saved = f.readAll();
    QCOMPARE(saved.size(), original.size());
    QCOMPARE(uchar(saved.at(35)), uchar(0x5E));
    delete window;
}

VELM_TEST_MAIN(TestHexWindow)
#include "tst_hexwindow.moc"
