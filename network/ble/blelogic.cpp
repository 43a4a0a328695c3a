#include "blelogic.h"

#include "hexdigit.h"

#include <QBluetoothUuid>
#include <QRegularExpression>

#include "rxformat.h"

namespace BleLogic {

QString permissionText(QLowEnergyCharacteristic::PropertyTypes properties)
{
    struct Word {
        QLowEnergyCharacteristic::PropertyType flag;
        const char *text;
    };
    static const Word words[] = {
        {QLowEnergyCharacteristic::Read, " Read"},
        {QLowEnergyCharacteristic::Write, " Write"},
        {QLowEnergyCharacteristic::Notify, " Notify"},
        {QLowEnergyCharacteristic::Indicate, " Indicate"},
        {QLowEnergyCharacteristic::ExtendedProperty, " ExtendedProperty"},
        {QLowEnergyCharacteristic::Broadcasting, " Broadcast"},
        {QLowEnergyCharacteristic::WriteNoResponse, " WriteNoResp"},
        {QLowEnergyCharacteristic::WriteSigned, " WriteSigned"},
    };
    QString text = QStringLiteral("( ");
    for (const Word &w : words) {
        if (properties.testFlag(w.flag))
            text += QLatin1String(w.text);
    }
    return text + QStringLiteral(" )");
}

QString characteristicName(const QString &name, const QByteArray &userDescription)
{
    if (!name.isEmpty())
        return name;
    const QString description = QString::fromUtf8(userDescription);
    if (!description.isEmpty())
        return description;
    return QStringLiteral("Unknown");
}

QString uuidText(const QBluetoothUuid &uuid)
{
    return uuid.toString(QUuid::WithBraces);
}

QString hexText(const QByteArray &bytes)
{
    // The terminals' formatter, without the line break it puts after 0x0a.
    static const RxFormat::HexFormatter formatter(QStringLiteral("0x%1, "));
    QString text = formatter.format(bytes);
    text.remove(QLatin1Char('\n'));
    text.chop(2); // the last ", "
    return text;
}

QString hexToText(const QString &text)
{
    QString out;
    const QStringList parts = text.split(QStringLiteral(", "));
    for (const QString &part : parts) {
        QString digits = part;
        if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            digits = digits.mid(2);
        bool ok = false;
        const uint value = digits.toUInt(&ok, 16);
        if (!ok || value > 255)
            continue;
        out += QChar(char16_t(value));
    }
    return out;
}

bool parseHexBytes(const QString &text, QByteArray *out)
{
    static const QRegularExpression separators(QStringLiteral("[\\s,]+"));
    QByteArray bytes;
    const QStringList groups = text.split(separators, Qt::SkipEmptyParts);
    for (const QString &group : groups) {
        QStringView digits(group);
        if (digits.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            digits = digits.mid(2);
        if (digits.isEmpty() || digits.size() % 2 != 0)
            return false;
        for (qsizetype i = 0; i < digits.size(); i += 2) {
            const int high = hexDigitValue(digits.at(i).unicode());
            const int low = hexDigitValue(digits.at(i + 1).unicode());
            if (high < 0 || low < 0)
                return false;
            bytes.append(char(high * 16 + low));
        }
    }
    *out = bytes;
    return true;
}

bool writeBytes(const QString &data, bool hex, QByteArray *out)
{
    if (hex)
        return parseHexBytes(data, out);
    *out = data.toUtf8();
    return true;
}

QLowEnergyService::WriteMode writeModeFor(QLowEnergyCharacteristic::PropertyTypes properties)
{
    if (properties.testFlag(QLowEnergyCharacteristic::Write))
        return QLowEnergyService::WriteWithResponse;
    if (properties.testFlag(QLowEnergyCharacteristic::WriteNoResponse))
        return QLowEnergyService::WriteWithoutResponse;
    if (properties.testFlag(QLowEnergyCharacteristic::WriteSigned))
        return QLowEnergyService::WriteSigned;
    return QLowEnergyService::WriteWithResponse;
}

QString deviceButtonText(const QString &name, const QString &address)
{
    return name + QStringLiteral("\n(") + address + QStringLiteral(")");
}

QString literalButtonText(QString text)
{
    return text.replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace BleLogic
