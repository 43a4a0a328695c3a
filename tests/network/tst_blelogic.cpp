// Texts and bytes of the "Ble" page that need no Bluetooth: permission
// text, characteristic names, hex parsing and write modes. (The panel test
// and the fuzz target cover the hex display.)
#include "testsupport.h"

#include "ble/blelogic.h"
#include "ble/bleinfo.h"

using P = QLowEnergyCharacteristic;

class TestBleLogic : public QObject
{
    Q_OBJECT
private slots:
    void permissionTextForEveryCombination();
    void characteristicNames_data();
    void characteristicNames();
    void hexToText();
    void writeBytes_data();
    void writeBytes();
    void writeMode();
};

void TestBleLogic::permissionTextForEveryCombination()
{
    // The examples a user sees most.
    QCOMPARE(BleLogic::permissionText(P::Read | P::Notify), QStringLiteral("(  Read Notify )"));
    QCOMPARE(BleLogic::permissionText({}), QStringLiteral("(  )"));
    QCOMPARE(BleLogic::permissionText(P::WriteNoResponse), QStringLiteral("(  WriteNoResp )"));
    QCOMPARE(BleLogic::permissionText(P::PropertyTypes(0xff)),
             QStringLiteral("(  Read Write Notify Indicate ExtendedProperty Broadcast WriteNoResp WriteSigned )"));

    // Every one of the 256 combinations: the words of the set bits, in the
    // fixed order, each once.
    const QList<QPair<int, QString>> order = {{0x02, "Read"},   {0x08, "Write"},    {0x10, "Notify"},
                                              {0x20, "Indicate"}, {0x80, "ExtendedProperty"},
                                              {0x01, "Broadcast"}, {0x04, "WriteNoResp"}, {0x40, "WriteSigned"}};
    for (int bits = 0; bits < 256; ++bits) {
        QStringList words;
        for (const auto &w : order) {
            if (bits & w.first)
                words << w.second;
        }
        const QString expected = QStringLiteral("(  ") + words.join(QLatin1Char(' ')) +
                                 (words.isEmpty() ? QStringLiteral(")") : QStringLiteral(" )"));
        QCOMPARE(BleLogic::permissionText(P::PropertyTypes(bits)), expected);
        // The record gives the same text.
        CharacteristicInfo info(QStringLiteral("{s}"), GattCharacteristic{QBluetoothUuid(quint16(0x2a00)), {}, {},
                                                                          P::PropertyTypes(bits)});
        QCOMPARE(info.getPermission(), expected);
    }
}

void TestBleLogic::characteristicNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("description");
    QTest::addColumn<QString>("expected");
    QTest::newRow("own name wins") << "Battery Level" << QByteArray("Akku") << "Battery Level";
    QTest::newRow("user description") << "" << QByteArray("Temp \xc2\xb0" "C") << QString::fromUtf8("Temp \xc2\xb0" "C");
    QTest::newRow("neither") << "" << QByteArray() << "Unknown";
}

void TestBleLogic::characteristicNames()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, description);
    QFETCH(QString, expected);
    QCOMPARE(BleLogic::characteristicName(name, description), expected);
    const QBluetoothUuid uuid(QStringLiteral("{12345678-1234-5678-1234-56789abcdef0}"));
    CharacteristicInfo info(QStringLiteral("{s}"), GattCharacteristic{uuid, name, description, P::Read});
    QCOMPARE(info.getName(), expected);
    QCOMPARE(info.getUuid(), QStringLiteral("{12345678-1234-5678-1234-56789abcdef0}"));
    QCOMPARE(info.getServiceUuid(), QStringLiteral("{s}"));
    // A characteristic the stack does not know has neither.
    QCOMPARE(CharacteristicInfo(QStringLiteral("{s}"), QLowEnergyCharacteristic()).getName(), QStringLiteral("Unknown"));
}

void TestBleLogic::hexToText()
{
    QCOMPARE(BleLogic::hexToText(QStringLiteral("0x41, 0x42")), QStringLiteral("AB"));
    QCOMPARE(BleLogic::hexToText(QStringLiteral("0x41, 0x100, zz, 42")), QStringLiteral("AB"));
    QCOMPARE(BleLogic::hexToText(QStringLiteral("0xe9")), QStringLiteral("\u00e9"));
    QCOMPARE(BleLogic::hexToText(QString()), QString());
}

void TestBleLogic::writeBytes_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<bool>("hex");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("commas, upper case, 0X") << "0X4a,0x4B ,\t4c" << true << true << QByteArray("JKL");
    QTest::newRow("group of two bytes") << "4142" << true << true << QByteArray("AB");
    QTest::newRow("odd digits") << "414" << true << false << QByteArray();
    QTest::newRow("bare 0x") << "0x" << true << false << QByteArray();
    QTest::newRow("sign") << "+1 41" << true << false << QByteArray();
    QTest::newRow("full-width digits") << QString::fromUtf8("\xef\xbc\x94\xef\xbc\x91") << true << false << QByteArray();
    QTest::newRow("ascii as utf-8") << QString::fromUtf8("A\xc3\xa9") << false << true << QByteArray("A\xc3\xa9");
    QTest::newRow("ascii keeps hex-looking text") << "414" << false << true << QByteArray("414");
}

void TestBleLogic::writeBytes()
{
    QFETCH(QString, data);
    QFETCH(bool, hex);
    QFETCH(bool, ok);
    QFETCH(QByteArray, bytes);
    QByteArray out("untouched");
    QCOMPARE(BleLogic::writeBytes(data, hex, &out), ok);
    QCOMPARE(out, ok ? bytes : QByteArray("untouched"));
}

void TestBleLogic::writeMode()
{
    QCOMPARE(BleLogic::writeModeFor(P::Write | P::WriteNoResponse), QLowEnergyService::WriteWithResponse);
    QCOMPARE(BleLogic::writeModeFor(P::WriteNoResponse), QLowEnergyService::WriteWithoutResponse);
    QCOMPARE(BleLogic::writeModeFor(P::Read | P::WriteNoResponse), QLowEnergyService::WriteWithoutResponse);
    QCOMPARE(BleLogic::writeModeFor(P::WriteSigned), QLowEnergyService::WriteSigned);
}

VELM_TEST_MAIN(TestBleLogic)
#include "tst_blelogic.moc"
