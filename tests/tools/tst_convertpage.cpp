// The "Convert" page as a window: start state, form against the unit
// tables, icons, typing and swapping in every block, the currency block with
// rates from the settings file, the Chinese catalogue, and a screenshot.

#include "testsupport.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QPainter>
#include <QSignalSpy>
#include <QSvgRenderer>
#include <QTranslator>

#include "convert/currencyconverter.h"
#include "convert/kalvest_convert.h"
#include "convert/unittables.h"

namespace {

// Settings that make the page's worker stay idle (rates already fetched
// today) and hold the given rates.
void writeSettings(const QMap<QString, double> &rates)
{
    QSettings s(QStringLiteral("velm_config.ini"), QSettings::IniFormat);
    s.setValue(QStringLiteral("lastOpenedDateTime"), QDateTime::currentDateTime());
    s.beginGroup(QStringLiteral("ExchangeRates"));
    for (auto it = rates.cbegin(); it != rates.cend(); ++it)
        s.setValue(it.key(), it.value());
    s.endGroup();
    s.sync();
}

bool hasVisiblePixels(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 0)
                return true;
        }
    }
    return false;
}

struct Block {
    QLineEdit *source, *result;
    QComboBox *from, *to;
    QPushButton *swap;
};

Block block(QWidget *page, const QString &key)
{
    Block b{page->findChild<QLineEdit *>(key + QStringLiteral("_inputEdit_source")),
            page->findChild<QLineEdit *>(key + QStringLiteral("_inputEdit_to")),
            page->findChild<QComboBox *>(key + QStringLiteral("_fromUnitCombox")),
            page->findChild<QComboBox *>(key + QStringLiteral("_toUnitCombox")),
            page->findChild<QPushButton *>(key + QStringLiteral("_interchangeable_pushButton"))};
    if (!b.source || !b.result || !b.from || !b.to || !b.swap)
        qFatal("block %s incomplete", qPrintable(key));
    return b;
}

// Scrolls the button into the visible part of the column, puts the page on
// top of the display, and tells whether a click at the button's centre now
// reaches it. The column scrolls kinetically: it holds a press back and hands
// it to whatever window of the display lies at that point on the screen, so
// a window above the page (the tests share one display) would take the click.
bool underTheMouse(QWidget *page, QWidget *button)
{
    page->findChild<QScrollArea *>(QStringLiteral("scrollArea"))->ensureWidgetVisible(button);
    page->raise();
    return QApplication::widgetAt(button->mapToGlobal(button->rect().center())) == button;
}

const QStringList kKeys{QStringLiteral("exchangerates"), QStringLiteral("lengths"), QStringLiteral("mass"),
                        QStringLiteral("area"), QStringLiteral("volume"), QStringLiteral("time"),
                        QStringLiteral("speed"), QStringLiteral("force"), QStringLiteral("torque"),
                        QStringLiteral("temperature"), QStringLiteral("pressure"), QStringLiteral("energy"),
                        QStringLiteral("power"), QStringLiteral("capacitance"), QStringLiteral("resistance"),
                        QStringLiteral("conductance"), QStringLiteral("inductance"), QStringLiteral("current"),
                        QStringLiteral("charge"), QStringLiteral("magnetic"), QStringLiteral("angle"),
                        QStringLiteral("datastorage")};

} // namespace

class TestConvertPage : public QObject
{
    Q_OBJECT
private slots:
    void startState();
    void formMatchesTables();
    void iconsAndScreenshot();
    void everyBlockShowsItsOwnIcon();
    void typingAndSwap();
    void everyBlockConvertsLikeItsTable();
    void currencyBlock();
    void chineseCatalogue();
    void tabOrderFollowsCreation();
};

void TestConvertPage::startState()
{
    TestSupport::ScratchDir dir;
    writeSettings({});
    kalvest_convert page;

    const Block lengths = block(&page, QStringLiteral("lengths"));
    QCOMPARE(lengths.from->currentText(), QStringLiteral("mm(millimeter)"));
    QCOMPARE(lengths.to->currentText(), QStringLiteral("mil(mill)"));
    for (const QString &key : kKeys) {
        const Block b = block(&page, key);
        QVERIFY2(b.result->isReadOnly(), qPrintable(key));
        QVERIFY2(b.source->text().isEmpty(), qPrintable(key));
        if (key == QLatin1String("exchangerates")) {
            // Adding the first item made index 0 current and converted once.
            QCOMPARE(b.from->currentText(), QStringLiteral("AUD(Australian Dollar)"));
            QCOMPARE(b.to->currentText(), QStringLiteral("AUD(Australian Dollar)"));
            QCOMPARE(b.result->text(), QStringLiteral("0"));
            QCOMPARE(b.from->count(), 31);
            continue;
        }
        QVERIFY2(b.result->text().isEmpty(), qPrintable(key));
        if (key != QLatin1String("lengths")) {
            QCOMPARE(b.from->currentIndex(), 0);
            QCOMPARE(b.to->currentIndex(), 0);
        }
    }
    auto *scroll = page.findChild<QScrollArea *>(QStringLiteral("scrollArea"));
    QVERIFY(scroll);
    QCOMPARE(scroll->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    QVERIFY(scroll->widgetResizable());
}

void TestConvertPage::formMatchesTables()
{
    TestSupport::ScratchDir dir;
    writeSettings({});
    kalvest_convert page;
    QCOMPARE(page.findChildren<QGroupBox *>().size(), 22);
    for (const auto &t : UnitTables::tables()) {
        const Block b = block(&page, t.key);
        QStringList expected;
        for (const auto &u : t.units)
            expected << u.item;
        QStringList from, to;
        for (int i = 0; i < b.from->count(); ++i)
            from << b.from->itemText(i);
        for (int i = 0; i < b.to->count(); ++i)
            to << b.to->itemText(i);
        QCOMPARE(from, expected);
        QCOMPARE(to, expected);
        auto *caption = page.findChild<QLabel *>(QStringLiteral("label_text_") + t.key);
        QVERIFY(caption);
        QCOMPARE(caption->text(), t.name);
        auto *header = page.findChild<QHBoxLayout *>(QStringLiteral("horizontalLayout_") + t.key);
        QVERIFY(header);
        QCOMPARE(header->stretch(1), 3);
    }
    QCOMPARE(page.findChild<QHBoxLayout *>(QStringLiteral("horizontalLayout_exchangerates"))->stretch(1), 2);
    QCOMPARE(page.findChild<QLabel *>(QStringLiteral("label_text_exchangerates"))->text(), QStringLiteral("Exchangerates"));
}

void TestConvertPage::iconsAndScreenshot()
{
    TestSupport::ScratchDir dir;
    writeSettings({});
    kalvest_convert page;
    page.resize(760, 900);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));

    for (const QString &key : kKeys) {
        auto *label = page.findChild<QLabel *>(QStringLiteral("label_svg_") + key);
        QVERIFY(label);
        const QPixmap pixmap = label->pixmap();
        QVERIFY2(!pixmap.isNull(), qPrintable(key));
        QCOMPARE(pixmap.size(), QSize(30, 30));
        QVERIFY2(hasVisiblePixels(pixmap), qPrintable(key));
        QCOMPARE(label->alignment(), Qt::AlignCenter);
        QVERIFY2(!block(&page, key).swap->icon().isNull(), qPrintable(key));
    }
    const QComboBox *currencies = block(&page, QStringLiteral("exchangerates")).from;
    for (int i = 0; i < currencies->count(); ++i)
        QVERIFY2(!currencies->itemIcon(i).isNull(), qPrintable(currencies->itemText(i)));

    // Put a value into every block so the picture shows results too.
    for (const QString &key : kKeys)
        block(&page, key).source->setText(QStringLiteral("1"));
    QApplication::processEvents();

    auto *contents = page.findChild<QWidget *>(QStringLiteral("scrollAreaWidgetContents"));
    QVERIFY(contents);
    const QPixmap shot = contents->grab();
    QVERIFY(shot.height() > 1500);
    const QString artifacts = qEnvironmentVariable("VELM_ARTIFACT_DIR");
    if (!artifacts.isEmpty()) {
        QDir().mkpath(artifacts);
        QVERIFY(shot.save(QDir(artifacts).filePath(QStringLiteral("convert_page.png"))));
    }
}

// Each header shows its own category's picture, drawn at 30 x 30: compared
// with the resource drawn independently here, so a block that took another
// block's icon (or none) fails by name.
void TestConvertPage::everyBlockShowsItsOwnIcon()
{
    TestSupport::ScratchDir dir;
    writeSettings({});
    kalvest_convert page;
    auto drawn = [](const QString &resource) {
        QSvgRenderer renderer(resource);
        QImage image(30, 30, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        renderer.render(&painter);
        return image;
    };
    QList<QImage> seen;
    for (const QString &key : kKeys) {
        const QString file = key == QLatin1String("exchangerates") ? QStringLiteral("currencies")
                             : key == QLatin1String("lengths")     ? QStringLiteral("length")
                                                                   : key;
        const QImage expected = drawn(QStringLiteral(":/property_icons/%1.svg").arg(file));
        QVERIFY2(!seen.contains(expected), qPrintable(key)); // the 22 pictures differ
        seen << expected;
        const QImage shown = page.findChild<QLabel *>(QStringLiteral("label_svg_") + key)
                                 ->pixmap()
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QVERIFY2(shown == expected, qPrintable(key));
    }
}

void TestConvertPage::typingAndSwap()
{
    TestSupport::ScratchDir dir;
    writeSettings({});
    kalvest_convert page;
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    const Block b = block(&page, QStringLiteral("lengths"));

    b.from->setCurrentText(QStringLiteral("m(meter)"));
    b.to->setCurrentText(QStringLiteral("km(kilometer)"));
    QTest::keyClicks(b.source, QStringLiteral("1"));
    QCOMPARE(b.result->text(), QStringLiteral("0.001"));

    // Another window comes up over the page, as another test's window may.
    QWidget above;
    above.setGeometry(page.geometry());
    above.show();
    QVERIFY(QTest::qWaitForWindowExposed(&above));
    QTRY_VERIFY(underTheMouse(&page, b.swap));
    QTest::mouseClick(b.swap, Qt::LeftButton);
    QCOMPARE(b.from->currentText(), QStringLiteral("km(kilometer)"));
    QCOMPARE(b.to->currentText(), QStringLiteral("m(meter)"));
    QCOMPARE(b.source->text(), QStringLiteral("1"));
    QCOMPARE(b.result->text(), QStringLiteral("1000"));

    // Same unit both sides: the swap changes nothing and converts nothing.
    b.to->setCurrentText(QStringLiteral("km(kilometer)"));
    b.result->setText(QStringLiteral("marker"));
    QSignalSpy fromSpy(b.from, &QComboBox::currentIndexChanged);
    QSignalSpy toSpy(b.to, &QComboBox::currentIndexChanged);
    QTRY_VERIFY(underTheMouse(&page, b.swap));
    QTest::mouseClick(b.swap, Qt::LeftButton);
    QCOMPARE(fromSpy.count(), 0);
    QCOMPARE(toSpy.count(), 0);
    QCOMPARE(b.result->text(), QStringLiteral("marker"));

    // Temperature: a unit change with an empty source converts 0.
    const Block t = block(&page, QStringLiteral("temperature"));
    t.to->setCurrentText(QStringLiteral("\u00b0F(fahrenheit)"));
    QCOMPARE(t.result->text(), QStringLiteral("32"));
    // Letters convert as 0; the data-storage block shows six digits.
    const Block d = block(&page, QStringLiteral("datastorage"));
    d.from->setCurrentText(QStringLiteral("MB"));
    d.source->setText(QStringLiteral("1"));
    QCOMPARE(d.result->text(), QStringLiteral("8.38861e+06"));
    d.source->setText(QStringLiteral("x1"));
    QCOMPARE(d.result->text(), QStringLiteral("0"));
}

void TestConvertPage::everyBlockConvertsLikeItsTable()
{
    TestSupport::ScratchDir dir;
    writeSettings({});
    kalvest_convert page;
    for (const auto &t : UnitTables::tables()) {
        const Block b = block(&page, t.key);
        b.source->setText(QStringLiteral("7.25"));
        const int n = int(t.units.size());
        for (int i = 0; i < n; ++i) {
            b.from->setCurrentIndex(i);
            for (int j = 0; j < n; ++j) {
                b.to->setCurrentIndex(j);
                QCOMPARE(b.result->text(),
                         UnitTables::convert(t.category, QStringLiteral("7.25"), t.units.at(i).item, t.units.at(j).item));
            }
        }
        // The swap exchanges the units and shows the converse result.
        b.from->setCurrentIndex(0);
        b.to->setCurrentIndex(n - 1);
        b.swap->click();
        QCOMPARE(b.from->currentIndex(), n - 1);
        QCOMPARE(b.to->currentIndex(), 0);
        QCOMPARE(b.result->text(),
                 UnitTables::convert(t.category, QStringLiteral("7.25"), t.units.at(n - 1).item, t.units.at(0).item));
    }
}

void TestConvertPage::currencyBlock()
{
    TestSupport::ScratchDir dir;
    writeSettings({{QStringLiteral("USD"), 1.0883}, {QStringLiteral("JPY"), 159.58}, {QStringLiteral("IDR"), 17012.52}});
    kalvest_convert page;
    const Block b = block(&page, QStringLiteral("exchangerates"));
    auto convert = [&](const QString &amount, const QString &from, const QString &to) {
        b.from->setCurrentIndex(b.from->findText(from, Qt::MatchStartsWith));
        b.to->setCurrentIndex(b.to->findText(to, Qt::MatchStartsWith));
        b.source->setText(amount);
        return b.result->text();
    };
    QCOMPARE(convert(QStringLiteral("250"), QStringLiteral("EUR("), QStringLiteral("EUR(")), QStringLiteral("250"));
    QCOMPARE(convert(QStringLiteral("1"), QStringLiteral("EUR("), QStringLiteral("USD(")), QStringLiteral("1.0883"));
    QCOMPARE(convert(QStringLiteral("100"), QStringLiteral("JPY("), QStringLiteral("EUR(")), QStringLiteral("0.626644943"));
    QCOMPARE(convert(QStringLiteral("10"), QStringLiteral("USD("), QStringLiteral("JPY(")), QStringLiteral("1466.3236240007"));
    QCOMPARE(convert(QStringLiteral("1"), QStringLiteral("IDR("), QStringLiteral("EUR(")), QStringLiteral("0.0000587802"));
    // No stored rate on either side: 0.
    QCOMPARE(convert(QStringLiteral("1"), QStringLiteral("BGN("), QStringLiteral("EUR(")), QStringLiteral("0"));
    QCOMPARE(convert(QStringLiteral("1"), QStringLiteral("EUR("), QStringLiteral("BGN(")), QStringLiteral("0"));
    QCOMPARE(convert(QStringLiteral("abc"), QStringLiteral("EUR("), QStringLiteral("USD(")), QStringLiteral("0"));

    // A rate written while the page is open is used by the next conversion.
    {
        QSettings s(QStringLiteral("velm_config.ini"), QSettings::IniFormat);
        s.setValue(QStringLiteral("ExchangeRates/BGN"), 2.0);
        s.sync();
    }
    QCOMPARE(convert(QStringLiteral("3"), QStringLiteral("EUR("), QStringLiteral("BGN(")), QStringLiteral("6"));

    // The swap exchanges the currencies.
    b.swap->click();
    QVERIFY(b.from->currentText().startsWith(QStringLiteral("BGN(")));
    QVERIFY(b.to->currentText().startsWith(QStringLiteral("EUR(")));
    QCOMPARE(b.result->text(), QStringLiteral("1.5"));
}

void TestConvertPage::chineseCatalogue()
{
    TestSupport::ScratchDir dir;
    writeSettings({{QStringLiteral("USD"), 1.0883}});
    QTranslator fixed, locale;
    QVERIFY(fixed.load(QStringLiteral(":/transSimpleChinese.qm")));
    QVERIFY(locale.load(QStringLiteral(":/i18n/zh_CN.qm")));
    QApplication::installTranslator(&fixed);
    QApplication::installTranslator(&locale);
    {
        kalvest_convert page;
        QCOMPARE(block(&page, QStringLiteral("lengths")).from->itemText(0), QStringLiteral("km(\u5343\u7c73)"));
        QCOMPARE(page.findChild<QLabel *>(QStringLiteral("label_text_lengths"))->text(), QStringLiteral("Lengths"));
        const Block money = block(&page, QStringLiteral("exchangerates"));
        QCOMPARE(money.from->itemText(29), QStringLiteral("USD(\u7f8e\u5143)"));
        money.from->setCurrentIndex(8); // EUR
        money.to->setCurrentIndex(29);  // USD
        money.source->setText(QStringLiteral("2"));
        QCOMPARE(money.result->text(), QStringLiteral("2.1766"));

        for (const auto &t : UnitTables::tables()) {
            const Block b = block(&page, t.key);
            b.source->setText(QStringLiteral("3.5"));
            const int n = int(t.units.size());
            for (int i = 0; i < n; ++i) {
                b.from->setCurrentIndex(i);
                for (int j = 0; j < n; ++j) {
                    b.to->setCurrentIndex(j);
                    QCOMPARE(b.result->text(), UnitTables::convert(t.category, QStringLiteral("3.5"),
                                                                   t.units.at(i).item, t.units.at(j).item));
                }
            }
        }
    }
    QApplication::removeTranslator(&locale);
    QApplication::removeTranslator(&fixed);
}

void TestConvertPage::tabOrderFollowsCreation()
{
    TestSupport::ScratchDir dir;
    writeSettings({});
    kalvest_convert page;
    auto tabChain = [&page](const QString &start, int count) {
        QStringList names;
        QWidget *w = page.findChild<QWidget *>(start);
        while (w && names.size() < count) {
            w = w->nextInFocusChain();
            if (w->focusPolicy() & Qt::TabFocus)
                names << w->objectName();
        }
        return names;
    };
    // After the Energy block comes the Angle block, created next though shown lower.
    QCOMPARE(tabChain(QStringLiteral("energy_toUnitCombox"), 2),
             (QStringList{QStringLiteral("angle_inputEdit_to"), QStringLiteral("angle_inputEdit_source")}));
    QCOMPARE(tabChain(QStringLiteral("lengths_inputEdit_to"), 4),
             (QStringList{QStringLiteral("lengths_inputEdit_source"), QStringLiteral("lengths_fromUnitCombox"),
                          QStringLiteral("lengths_interchangeable_pushButton"), QStringLiteral("lengths_toUnitCombox")}));
    QCOMPARE(tabChain(QStringLiteral("mass_fromUnitCombox"), 4),
             (QStringList{QStringLiteral("mass_interchangeable_pushButton"), QStringLiteral("mass_inputEdit_source"),
                          QStringLiteral("mass_inputEdit_to"), QStringLiteral("mass_toUnitCombox")}));
}

VELM_TEST_MAIN(TestConvertPage)
#include "tst_convertpage.moc"
