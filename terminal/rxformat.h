#pragma once
// Pure text helpers of the terminal pages: hex text of received bytes, line
// cutting, stamps, counters and the parsing of the send box. No widgets.

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QTime>

namespace RxFormat {

// Longest display line of received text without a line break.
constexpr int kMaxLineChars = 4096;
// The terminal pages' receive views cut shorter: their 10000 lines then
// hold at most about ten million characters, which keeps memory and the
// cost of every update down under a flood.
constexpr int kDisplayLineChars = 1024;
// Byte counters show at most this value.
constexpr qint64 kCounterCap = 99999;

// Hex text of received bytes, one token per byte built from a format with
// one argument (for example "0x%1," or "0x%1, "); the argument is the byte
// as two lower-case digits (upper-case with `upperCase`). A line feed
// follows the token of every 0x0A unless `breakAfterLineFeed` is false.
class HexFormatter
{
public:
    explicit HexFormatter(const QString &format = QStringLiteral("0x%1,"), bool upperCase = false,
                          bool breakAfterLineFeed = true);
    QString format(const QByteArray &bytes) const;
    // As format, cut into display lines of at most maxLine characters
    // between tokens, never inside one: `cut` goes before every token that
    // would make its line longer (a token wider than maxLine stands alone
    // on its line). `column` is the length of the line before the first
    // token and becomes the length of the last line.
    QString format(const QByteArray &bytes, int *column, int maxLine, QChar cut) const;
    // Characters of one token, its line feed not counted.
    int tokenWidth() const { return m_width; }
    // The column `format` leaves after `tokens` tokens without line feed,
    // starting at `column`.
    int columnAfter(int column, qint64 tokens, int maxLine) const;

private:
    QString m_tokens[256];
    int m_width = 0;
    int m_longest = 0;
    bool m_breakAfterLineFeed = true;
};

// UTF-8 decoding of a byte stream that arrives in chunks. Every byte that
// is not part of a valid sequence (RFC 3629: no overlong forms, no
// surrogates, nothing above U+10FFFF) becomes exactly one U+FFFD, and a
// valid character is never lost, wherever the chunks are cut: decoding a
// stream chunk by chunk and then finish() gives the same text as decoding
// it whole. At most three trailing bytes, the start of a sequence that may
// still complete, are held back until the next chunk.
class Utf8StreamDecoder
{
public:
    QString decode(const QByteArray &bytes) { return decode(bytes.constData(), bytes.size()); }
    QString decode(const char *data, qsizetype size);
    // Ends the stream: held-back bytes come out as U+FFFD each.
    QString finish();
    int pendingBytes() const { return m_pendingSize; }
    // The held-back bytes, as they came.
    QByteArray pending() const { return QByteArray(reinterpret_cast<const char *>(m_pending), m_pendingSize); }
    void reset() { m_pendingSize = 0; }

private:
    unsigned char m_pending[3] = {};
    int m_pendingSize = 0;
};

// GBK (code page 936) decoding of a byte stream that arrives in chunks,
// with the same promise: decoding chunk by chunk and then finish() gives
// the same text as decoding the stream whole. Bytes below 0x80 are ASCII;
// a lead byte 0x81..0xFE and a trail byte 0x40..0x7E or 0x80..0xFE make
// one character; 0x80 and 0xFF stand alone. A lead byte that is not
// followed by a trail byte becomes one U+FFFD and the byte after it is
// read afresh. At most one trailing lead byte is held back.
class GbkStreamDecoder
{
public:
    QString decode(const QByteArray &bytes) { return decode(bytes.constData(), bytes.size()); }
    QString decode(const char *data, qsizetype size);
    QString finish();
    int pendingBytes() const { return m_hasLead ? 1 : 0; }
    QByteArray pending() const { return m_hasLead ? QByteArray(1, char(m_lead)) : QByteArray(); }
    void reset() { m_hasLead = false; }

private:
    unsigned char m_lead = 0;
    bool m_hasLead = false;
};

// The stream decoder of one peer of a terminal page: UTF-8 or GBK.
class StreamDecoder
{
public:
    enum class Encoding { Utf8, Gbk };
    explicit StreamDecoder(Encoding encoding = Encoding::Utf8) : m_encoding(encoding) {}
    // "GBK" (also "GB2312", "CP936") or UTF-8 for any other name.
    static Encoding encodingFor(const QByteArray &name);

    Encoding encoding() const { return m_encoding; }
    QString decode(const QByteArray &bytes) { return decode(bytes.constData(), bytes.size()); }
    QString decode(const char *data, qsizetype size);
    QString finish();
    int pendingBytes() const;
    QByteArray pending() const;
    // Drops what is held back.
    void reset();

private:
    Encoding m_encoding;
    Utf8StreamDecoder m_utf8;
    GbkStreamDecoder m_gbk;
};

// Inserts `cut` (a line feed unless the caller wants to tell its cuts
// apart) wherever a run without line feed would grow past maxLine
// characters. `column` is the length of the run that is already on screen
// before `text`; it is updated to the length of the last run. A surrogate
// pair is never split.
QString cutLongRuns(const QString &text, int *column, int maxLine = kMaxLineChars,
                    QChar cut = QLatin1Char('\n'));

// What the receive display puts where it cuts a line: a lone low
// surrogate, which no stream decoder ever produces, so a cut is told apart
// from a line feed that arrived, and removing the marks gives back the
// text as it came. A decoded character outside the BMP can end in the same
// unit (U+1F3FF does), so only a unit that does not follow a high
// surrogate is a mark: a cut never falls inside a surrogate pair.
constexpr char16_t kCutMark = 0xDFFF;

inline bool isCutMark(QStringView text, qsizetype i)
{
    return text[i].unicode() == kCutMark && (i == 0 || !text[i - 1].isHighSurrogate());
}

// `text` without its cut marks.
QString withoutCutMarks(QStringView text);

// "[hh:mm:ss.zzz]"
QString stamp(const QTime &time);

// current + added, held at kCounterCap.
qint64 cappedCount(qint64 current, qint64 added);

// Send box in hex mode: pieces separated by runs of commas and blanks; each
// piece is "0x" plus hex digits or hex digits alone, read as an unsigned
// 32-bit number of which the low eight bits are sent. Returns false (and
// leaves *out empty) when any piece is malformed or too large.
bool parseHexSend(const QString &text, QByteArray *out);

// Send box in text mode: UTF-8, every line end sent as CR LF exactly once.
QByteArray textToCrlf(const QString &text);

} // namespace RxFormat
