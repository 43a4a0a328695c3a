// The Help window and the About box, and the window going while its
// helper windows are open.
#include "helperwindows.h"
#include "testsupport.h"

#include "mainwindow.h"
#include "ui_aboutdialog.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>
#include "ui_help.h"
#include "ui_mainwindow.h"

#include <QDialog>
#include <QPointer>
#include <QTextBrowser>
#include <QTranslator>

namespace {
int visibleDialogs(MainWindow &w, const QString &objectName)
{
    int n = 0;
    for (QDialog *d : w.findChildren<QDialog *>())
        if (d->objectName() == objectName && d->isVisible())
            ++n;
    return n;
}
} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void helpOpensOnceAndClosesOnOk();
    void helpShowsTheFormatsLiterally();
    void aboutIsOneBoxShownAgain();
    void aboutFollowsTheLanguage();
    void windowGoesWithEveryHelperWindowOpen();
};

void TestDialogs::helpOpensOnceAndClosesOnOk()
{
    TestSupport::ScratchDir dir;
    MainWindow w;
    w.show();
    QVERIFY(!w.helpDialogOpen);
    w.ui->actionHelp->trigger();
    QVERIFY(w.helpDialogOpen);
    QPointer<QDialog> first = w.helpDialog;
    QVERIFY(first && first->isVisible());
    QVERIFY(!first->isModal());
    QCOMPARE(first->windowTitle(), QString("Help"));
    QVERIFY(!(first->windowFlags() & Qt::WindowContextHelpButtonHint));

    w.ui->actionHelp->trigger();
    QCOMPARE(w.helpDialog, first.data());
    QCOMPARE(visibleDialogs(w, "Help"), 1);

    // OK acts on the press, before the release.
    QTest::mousePress(w.helpUi->helpdialogCancel, Qt::LeftButton);
    QVERIFY(!first->isVisible());
    QTRY_VERIFY(!first);
    QVERIFY(!w.helpDialogOpen);
    QVERIFY(!w.helpUi);

    w.ui->actionHelp->trigger();
    QVERIFY(w.helpDialogOpen);
    QVERIFY(w.helpDialog && w.helpDialog->isVisible());
    QCOMPARE(w.helpUi->label_7->text(), QString("Temperature:xx.xxC\\r\\n"));

    // The window's own close button ends it the same way.
    QPointer<QDialog> second = w.helpDialog;
    second->close();
    QTRY_VERIFY(!second);
    QVERIFY(!w.helpDialogOpen);
}

void TestDialogs::helpShowsTheFormatsLiterally()
{
    TestSupport::ScratchDir dir;
    MainWindow w;
    w.ui->actionHelp->trigger();
    Ui::Help *h = w.helpUi;
    QVERIFY(h);
    QCOMPARE(h->groupBox->title(), QString("GPS:"));
    QCOMPARE(h->label_3->text(), QString("Latitude:xx.xxxxx,Longitude:xxx.xxxxx\\r\\n"));
    QCOMPARE(h->textBrowser->toPlainText(), QString("Latitude:39.92215,Longitude:116.46478\\r\\n"));
    QCOMPARE(h->label_25->text(), QString("$0:xxxxx;$1:xxxxx;$2:xxxxx;$3:xxxxx;\\r\\n"));
    QCOMPARE(h->textBrowser_7->toPlainText(), QString("TVOC:200ppb\\r\\n"));
    QCOMPARE(h->textBrowser_13->toPlainText(),
             QString("CIEX:0.587309;CIEY:0.424433;LUX:682.496000;CCT:1763.247393\\r\\n"));
    QCOMPARE(h->textBrowser_14->toPlainText(), QString("W:0.587309;X:0.424433;Y:682.496000;Z:63.247393\\r\\n"));
    QVERIFY(h->textBrowser_11->toPlainText().startsWith("F1:47\\r\\nF2:1000\\r\\n"));
    QVERIFY(h->textBrowser_11->toPlainText().endsWith("F18:814\\r\\n"));
    QCOMPARE(h->label_8->styleSheet(), QString("font: bold 12pt;"));
    QCOMPARE(h->label_7->styleSheet(), QString("font: italic 10pt ;"));
    QCOMPARE(h->textBrowser_2->maximumHeight(), 25);
    // The examples are green.
    QTextCursor c(h->textBrowser_2->document());
    c.movePosition(QTextCursor::NextCharacter);
    QCOMPARE(c.charFormat().foreground().color(), QColor("#008000"));
}

namespace {
// Each line that gives a web address is laid out as one line, and the box
// needs no horizontal scrolling for it.
void checkAddressesWhole(AboutDialog *box)
{
    QTextBrowser *text = box->ui->textBrowser;
    int addresses = 0;
    for (QTextBlock b = text->document()->begin(); b.isValid(); b = b.next()) {
        if (!b.text().contains(QLatin1String("://")))
            continue;
        ++addresses;
        QVERIFY(b.layout());
        QCOMPARE(b.layout()->lineCount(), 1);
    }
    QCOMPARE(addresses, 3);
    QVERIFY(!text->horizontalScrollBar()->isVisible());
}
} // namespace

void TestDialogs::aboutIsOneBoxShownAgain()
{
    TestSupport::ScratchDir dir;
    MainWindow w;
    w.resize(1000, 700);
    w.move(40, 30);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    AboutDialog *box = &w.aboutDialog;
    QVERIFY(!box->isVisible());
    QVERIFY(!box->parent());
    QCOMPARE(box->windowTitle(), QString("About"));
    QVERIFY(box->ui->textBrowser->toPlainText().contains("Version:3.4.2"));
    QVERIFY(!box->ui->label->pixmap().isNull());

    w.ui->actionAbout->trigger();
    QVERIFY(box->isVisible());
    QVERIFY(!box->isModal());
    QVERIFY(!(box->windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(box->x(), w.x() + (w.width() - box->width()) / 2);
    QCOMPARE(box->y(), w.y() + (w.height() - box->height()) / 2);
    QVERIFY(QTest::qWaitForWindowExposed(box));
    checkAddressesWhole(box);
    w.ui->actionAbout->trigger();
    int boxes = 0;
    for (QWidget *tl : QApplication::topLevelWidgets())
        if (qobject_cast<AboutDialog *>(tl) && tl->isVisible())
            ++boxes;
    QCOMPARE(boxes, 1);

    QTest::mouseClick(box->ui->closeBtn, Qt::LeftButton);
    QVERIFY(!box->isVisible());
    QCoreApplication::processEvents();
    w.ui->actionAbout->trigger();
    QVERIFY(box->isVisible());
    QCOMPARE(&w.aboutDialog, box);
    QVERIFY(box->ui->textBrowser->toPlainText().contains("VELM"));
}

void TestDialogs::aboutFollowsTheLanguage()
{
    TestSupport::ScratchDir dir;
    MainWindow w;
    QTranslator chinese;
    QVERIFY(chinese.load(":/transSimpleChinese.qm"));
    QCoreApplication::installTranslator(&chinese);
    QCoreApplication::processEvents(); // delivers the language change
    QCOMPARE(w.aboutDialog.windowTitle(), QString::fromUtf8("关于"));
    QCOMPARE(w.aboutDialog.ui->closeBtn->text(), QString::fromUtf8("关闭"));
    QVERIFY(w.aboutDialog.ui->textBrowser->toPlainText().contains("3.4.2"));
    w.aboutDialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.aboutDialog));
    checkAddressesWhole(&w.aboutDialog);
    w.aboutDialog.hide();
    QCOMPARE(chinese.translate("Config", "Function selection"), QString::fromUtf8("功能选择"));
    // The serial page's button and status texts.
    QCOMPARE(chinese.translate("MainWindow", "Close"), QString::fromUtf8("关闭"));
    QCOMPARE(chinese.translate("MainWindow", "Serial closed"), QString::fromUtf8("串口已关闭"));
    QCOMPARE(chinese.translate("MainWindow", "Found a new version."), QString::fromUtf8("发现新版本。"));
    QCoreApplication::removeTranslator(&chinese);
    QCoreApplication::processEvents();
    QCOMPARE(w.aboutDialog.windowTitle(), QString("About"));
    QCOMPARE(w.aboutDialog.ui->closeBtn->text(), QString("Close"));
}


void TestDialogs::windowGoesWithEveryHelperWindowOpen()
{
    // Every page on: the helper windows of all of them, at once.
    TestSupport::ScratchDir dir;
    TestSupport::PromptRecorder prompts;
    auto w = std::make_unique<MainWindow>();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    TestSupport::HelperWindowsWatch watch;
    QString why;
    QVERIFY2(watch.openAll(w.get(), &why), qPrintable(why));
    QCOMPARE(prompts.texts(), QStringList());

    watch.destroy(w);
    // Each went while the window's slots could still run on a whole window.
    QVERIFY2(watch.allEndedInTime(&why), qPrintable(why));
}

VELM_TEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
