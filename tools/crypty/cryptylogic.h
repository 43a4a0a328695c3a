#pragma once
// The checks and conversions behind the "Crypty" page, free of widgets so
// they can be tested and fuzzed on their own (Qt Core only).

#include <QString>
#include <QtGlobal>

namespace CryptyLogic {

// Converts the first count characters of text to their values 0-15
// ('0'-'9', 'A'-'F', 'a'-'f'), one byte each into out. Stops with false at
// the first other character; true when all were converted (or count is 0).
bool hexCharsToNibbles(const char *text, unsigned char *out, quint8 count);

// Writes count / 2 bytes as count upper-case hex digits, high nibble first,
// without a terminator. Does nothing when count is below 2.
bool bytesToHexChars(char *out, const unsigned char *bytes, int count);

// Cipher modes, as the items of the mode list: 0 DES, 1 two-key triple DES,
// 2 three-key triple DES.
constexpr int ModeCount = 3;
constexpr int DataDigits = 16;

// Key digits the mode needs (16, 32, 48), or -1 for an unknown mode.
int keyDigitsForMode(int mode);

struct DesOutcome {
    bool ok = false;
    // On failure: the untranslated warning text (context "MainWindow").
    const char *warning = nullptr;
    // On success: the 16 upper-case hex digits of the resulting block.
    QString result;
};

// Checks the key and data texts for the mode and enciphers (or deciphers)
// the one data block, with no chaining vector.
DesOutcome runDes(int mode, const QString &keyText, const QString &dataText, bool encrypt);

// Title of the cipher page's warning boxes and its warning texts
// (untranslated, context "MainWindow").
extern const char *const WarningTitle;
extern const char *const ErrorForData;
extern const char *const EnterHexDigits;

// Text -> UTF-8 -> Base64 (standard alphabet, padded, no line breaks).
QString base64Encode(const QString &text);
// Text -> UTF-8 -> lenient Base64 decoding -> UTF-8 text.
QString base64Decode(const QString &text);

} // namespace CryptyLogic
