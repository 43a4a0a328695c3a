#include "cryptylogic.h"

#include "des.h"

#include <QByteArray>
#include <QCoreApplication>
#include <cstring>

namespace CryptyLogic {

const char *const WarningTitle = QT_TRANSLATE_NOOP("MainWindow", "warning:");
const char *const ErrorForData = QT_TRANSLATE_NOOP("MainWindow", "Error for Data");
const char *const EnterHexDigits = QT_TRANSLATE_NOOP("MainWindow", "Please enter '0' - '9', 'A' - 'F'");

bool hexCharsToNibbles(const char *text, unsigned char *out, quint8 count)
{
    for (int i = 0; i < count; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9')
            out[i] = static_cast<unsigned char>(c - '0');
        else if (c >= 'A' && c <= 'F')
            out[i] = static_cast<unsigned char>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f')
            out[i] = static_cast<unsigned char>(c - 'a' + 10);
        else
            return false;
    }
    return true;
}

bool bytesToHexChars(char *out, const unsigned char *bytes, int count)
{
    static const char digits[] = "0123456789ABCDEF";
    for (int i = 0; i + 1 < count; i += 2) {
        const unsigned char b = bytes[i / 2];
        out[i] = digits[b >> 4];
        out[i + 1] = digits[b & 0x0F];
    }
    return true;
}

int keyDigitsForMode(int mode)
{
    switch (mode) {
    case 0:
        return 16;
    case 1:
        return 32;
    case 2:
        return 48;
    default:
        return -1;
    }
}

namespace {

// Converts count hex characters and packs them two a byte.
bool hexToBytes(const QByteArray &text, int count, unsigned char *bytes)
{
    unsigned char nibbles[48] = {};
    if (count > static_cast<int>(sizeof nibbles) || count > text.size())
        return false;
    if (!hexCharsToNibbles(text.constData(), nibbles, static_cast<quint8>(count)))
        return false;
    for (int i = 0; i < count / 2; ++i)
        bytes[i] = static_cast<unsigned char>(nibbles[2 * i] * 16 + nibbles[2 * i + 1]);
    return true;
}

} // namespace

DesOutcome runDes(int mode, const QString &keyText, const QString &dataText, bool encrypt)
{
    DesOutcome outcome;
    const QByteArray keyLatin1 = keyText.toLatin1();
    const QByteArray dataLatin1 = dataText.toLatin1();
    const qsizetype keyLength = keyText.size();
    const qsizetype dataLength = dataText.size();
    unsigned char key[24] = {};
    unsigned char data[8] = {};
    char output[48] = {};

    if (keyLength == 0 || dataLength == 0) {
        outcome.warning = ErrorForData;
        return outcome;
    }
    const int keyDigits = keyDigitsForMode(mode);
    if (keyDigits < 0 || keyLength != keyDigits || dataLength != DataDigits) {
        outcome.warning = ErrorForData;
        return outcome;
    }
    if (!hexToBytes(keyLatin1, keyDigits, key)) {
        outcome.warning = EnterHexDigits;
        return outcome;
    }
    if (!hexToBytes(dataLatin1, DataDigits, data)) {
        outcome.warning = EnterHexDigits;
        return outcome;
    }

    switch (mode) {
    case 0:
        encrypt ? desEncrypt(nullptr, data, key) : desDecrypt(nullptr, data, key);
        break;
    case 1:
        encrypt ? tripleDesEncrypt2Key(nullptr, data, key) : tripleDesDecrypt2Key(nullptr, data, key);
        break;
    default:
        encrypt ? tripleDesEncrypt(nullptr, data, key) : tripleDesDecrypt(nullptr, data, key);
        break;
    }

    bytesToHexChars(output, data, DataDigits);
    outcome.ok = true;
    outcome.result = QString::fromLatin1(output, static_cast<qsizetype>(qstrnlen(output, sizeof output)));
    return outcome;
}

QString base64Encode(const QString &text)
{
    return QString::fromLatin1(text.toUtf8().toBase64());
}

QString base64Decode(const QString &text)
{
    return QString::fromUtf8(QByteArray::fromBase64(text.toUtf8()));
}

} // namespace CryptyLogic
