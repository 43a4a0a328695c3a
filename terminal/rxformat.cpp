#include "rxformat.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringList>

#include <cstring>

namespace RxFormat {

HexFormatter::HexFormatter(const QString &format, bool upperCase, bool breakAfterLineFeed)
    : m_breakAfterLineFeed(breakAfterLineFeed)
{
    for (int i = 0; i < 256; ++i) {
        const QString digits = QStringLiteral("%1").arg(i, 2, 16, QLatin1Char('0'));
        m_tokens[i] = format.arg(upperCase ? digits.toUpper() : digits);
        if (i == 0x0A && breakAfterLineFeed)
            m_tokens[i] += QLatin1Char('\n');
        m_longest = qMax(m_longest, int(m_tokens[i].size()));
    }
    // Two digits in every token: all are equally wide.
    m_width = int(m_tokens[0].size());
}

int HexFormatter::columnAfter(int column, qint64 tokens, int maxLine) const
{
    if (tokens <= 0)
        return column;
    const qint64 width = qMax(1, m_width);
    const qint64 perLine = qMax<qint64>(1, maxLine / width);
    // Tokens that still fit the current line.
    const qint64 room = column == 0 ? perLine : qMax<qint64>(0, (maxLine - column) / width);
    if (tokens <= room)
        return int(column + tokens * width);
    return int(((tokens - room - 1) % perLine + 1) * width);
}

QString HexFormatter::format(const QByteArray &bytes, int *column, int maxLine, QChar cut) const
{
    const int width = m_width;
    const qsizetype perLine = qMax(1, maxLine / qMax(1, width));
    QString out(bytes.size() * m_longest + bytes.size() / perLine + 2, Qt::Uninitialized);
    QChar *at = out.data();
    int col = *column;
    for (char c : bytes) {
        if (col > 0 && col + width > maxLine) {
            *at++ = cut;
            col = 0;
        }
        const QString &token = m_tokens[uchar(c)];
        memcpy(static_cast<void *>(at), token.constData(), size_t(token.size()) * sizeof(QChar));
        at += token.size();
        col = (c == '\n' && m_breakAfterLineFeed) ? 0 : col + width;
    }
    *column = col;
    out.truncate(at - out.constData());
    return out;
}

QString HexFormatter::format(const QByteArray &bytes) const
{
    QString out;
    out.resize(bytes.size() * m_longest);
    QChar *at = out.data();
    for (char c : bytes) {
        const QString &token = m_tokens[uchar(c)];
        memcpy(static_cast<void *>(at), token.constData(), size_t(token.size()) * sizeof(QChar));
        at += token.size();
    }
    out.truncate(int(at - out.constData()));
    return out;
}

namespace {

// Length of the sequence a lead byte starts and the range its second byte
// must lie in; 0 for a byte that cannot start a sequence.
struct Lead {
    unsigned char length, low, high;
};

constexpr Lead leadFor(unsigned b)
{
    if (b < 0xC2)
        return {0, 0, 0};
    if (b < 0xE0)
        return {2, 0x80, 0xBF};
    if (b == 0xE0)
        return {3, 0xA0, 0xBF};
    if (b == 0xED)
        return {3, 0x80, 0x9F};
    if (b < 0xF0)
        return {3, 0x80, 0xBF};
    if (b == 0xF0)
        return {4, 0x90, 0xBF};
    if (b < 0xF4)
        return {4, 0x80, 0xBF};
    if (b == 0xF4)
        return {4, 0x80, 0x8F};
    return {0, 0, 0};
}

// One lookup per byte instead of a chain of comparisons: random bytes make
// every branch of that chain a guess.
struct LeadTable {
    Lead entries[256];
    constexpr LeadTable() : entries()
    {
        for (unsigned b = 0; b < 256; ++b)
            entries[b] = leadFor(b);
    }
};
constexpr LeadTable kLeads;

enum class Step { Done, NeedMore };

// Decodes the character that starts at src[*i] (any lead, any position) and
// moves *i past it. With `final` false, a valid but incomplete sequence at
// the end is left alone: NeedMore, *i unchanged.
inline Step decodeOne(const unsigned char *src, qsizetype *i, qsizetype size, bool final, char16_t *&o)
{
    const qsizetype at = *i;
    const unsigned char b = src[at];
    if (b < 0x80) {
        *o++ = b;
        ++*i;
        return Step::Done;
    }
    const Lead lead = kLeads.entries[b];
    bool valid = lead.length > 0;
    if (valid) {
        for (int k = 1; k < lead.length; ++k) {
            if (at + k >= size) {
                if (!final)
                    return Step::NeedMore;
                valid = false;
                break;
            }
            const unsigned char c = src[at + k];
            const unsigned char low = k == 1 ? lead.low : 0x80;
            const unsigned char high = k == 1 ? lead.high : 0xBF;
            if (c < low || c > high) {
                valid = false;
                break;
            }
        }
    }
    if (!valid) {
        // The lead alone is replaced; what follows is looked at again.
        *o++ = 0xFFFD;
        ++*i;
        return Step::Done;
    }
    char32_t cp = b & (0x7F >> lead.length);
    for (int k = 1; k < lead.length; ++k)
        cp = (cp << 6) | (src[at + k] & 0x3F);
    if (cp >= 0x10000) {
        *o++ = char16_t(0xD800 + ((cp - 0x10000) >> 10));
        *o++ = char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
        *o++ = char16_t(cp);
    }
    *i += lead.length;
    return Step::Done;
}

// Decodes src[0, size) into out. With `final` false, a valid but incomplete
// sequence at the end is left undecoded and *used tells where it starts.
Step decodeUtf8(const unsigned char *src, qsizetype size, bool final, char16_t *&out, qsizetype *used)
{
    // A local copy the compiler can keep in a register.
    char16_t *o = out;
    qsizetype i = 0;
    // Up to here every sequence lies wholly inside the input.
    const qsizetype inside = size - 3;
    while (i < inside) {
        // Runs of ASCII, eight bytes at a time.
        while (i + 8 <= size) {
            quint64 word;
            memcpy(&word, src + i, sizeof word);
            if (word & 0x8080808080808080ULL)
                break;
            for (int k = 0; k < 8; ++k)
                o[k] = src[i + k];
            o += 8;
            i += 8;
        }
        // Then some characters one by one before ASCII runs are looked for
        // again. Everything but a three- or four-byte lead goes without
        // branches (random bytes would make each one a guess) and without
        // a table lookup on the way to the next position: a byte that is a
        // character alone (ASCII) or starts none, or a two-byte sequence.
        for (int n = 0; n < 16 && i < inside; ++n) {
            const unsigned b = src[i];
            if (b - 0xE0u <= 0xF4u - 0xE0u) {
                decodeOne(src, &i, size, final, o);
                continue;
            }
            const unsigned c = src[i + 1];
            const bool pair = (b - 0xC2u <= 0xDFu - 0xC2u) & ((c & 0xC0u) == 0x80u);
            const char16_t alone = b < 0x80 ? char16_t(b) : char16_t(0xFFFD);
            const char16_t joined = char16_t(((b & 0x1F) << 6) | (c & 0x3F));
            *o++ = pair ? joined : alone;
            i += 1 + qsizetype(pair);
        }
    }
    while (i < size) {
        if (decodeOne(src, &i, size, final, o) == Step::NeedMore) {
            *used = i;
            out = o;
            return Step::NeedMore;
        }
    }
    *used = size;
    out = o;
    return Step::Done;
}

} // namespace

QString Utf8StreamDecoder::decode(const char *data, qsizetype size)
{
    if (size <= 0)
        return QString();
    // Held-back bytes go in front of the chunk (rare: only when a chunk
    // ends inside a character).
    QByteArray joined;
    if (m_pendingSize > 0) {
        joined.reserve(m_pendingSize + size);
        joined.append(reinterpret_cast<const char *>(m_pending), m_pendingSize);
        joined.append(data, size);
        data = joined.constData();
        size = joined.size();
        m_pendingSize = 0;
    }
    const auto *bytes = reinterpret_cast<const unsigned char *>(data);
    QString out(size, Qt::Uninitialized);
    char16_t *at = reinterpret_cast<char16_t *>(out.data());
    qsizetype used = 0;
    if (decodeUtf8(bytes, size, false, at, &used) == Step::NeedMore) {
        m_pendingSize = int(size - used);
        memcpy(m_pending, bytes + used, size_t(m_pendingSize));
    }
    out.truncate(at - reinterpret_cast<const char16_t *>(out.constData()));
    return out;
}

QString Utf8StreamDecoder::finish()
{
    QString out(m_pendingSize, Qt::Uninitialized);
    char16_t *at = reinterpret_cast<char16_t *>(out.data());
    qsizetype used = 0;
    decodeUtf8(m_pending, m_pendingSize, true, at, &used);
    m_pendingSize = 0;
    out.truncate(at - reinterpret_cast<const char16_t *>(out.constData()));
    return out;
}

namespace {

constexpr unsigned char kGbkFirstLead = 0x81;
constexpr unsigned char kGbkLastLead = 0xFE;
constexpr unsigned char kGbkFirstTrail = 0x40;
constexpr int kGbkTrails = 0xFE - 0x40 + 1; // 0x7F among them, never valid

inline bool isGbkLead(unsigned char b)
{
    return b >= kGbkFirstLead && b <= kGbkLastLead;
}

inline bool isGbkTrail(unsigned char b)
{
    return b >= kGbkFirstTrail && b <= 0xFE && b != 0x7F;
}

// Every two-byte GBK character and the two bytes that stand alone, taken
// once from the system's converter. A table keeps the stream decoding
// independent of how that converter treats a sequence cut at a chunk end.
struct GbkTable {
    char16_t pairs[kGbkLastLead - kGbkFirstLead + 1][kGbkTrails];
    char16_t byte80 = 0xFFFD;
    char16_t byteFF = 0xFFFD;

    GbkTable()
    {
        for (auto &row : pairs) {
            for (char16_t &c : row)
                c = 0xFFFD;
        }
        if (!QStringDecoder("GBK").isValid())
            return;
        const auto one = [](const QByteArray &bytes) -> char16_t {
            QStringDecoder decoder("GBK", QStringDecoder::Flag::Stateless);
            const QString s = decoder.decode(bytes);
            return s.size() == 1 && !s.at(0).isSurrogate() ? s.at(0).unicode() : char16_t(0xFFFD);
        };
        byte80 = one(QByteArray(1, char(0x80)));
        byteFF = one(QByteArray(1, char(0xFF)));
        for (int lead = kGbkFirstLead; lead <= kGbkLastLead; ++lead) {
            // A whole row at once; pair by pair if the row does not come
            // out as one character per pair.
            QByteArray row;
            for (int t = 0; t < kGbkTrails; ++t) {
                if (isGbkTrail(uchar(kGbkFirstTrail + t))) {
                    row.append(char(lead));
                    row.append(char(kGbkFirstTrail + t));
                }
            }
            QStringDecoder decoder("GBK", QStringDecoder::Flag::Stateless);
            const QString text = decoder.decode(row);
            const bool whole = text.size() == row.size() / 2;
            int k = 0;
            for (int t = 0; t < kGbkTrails; ++t) {
                if (!isGbkTrail(uchar(kGbkFirstTrail + t)))
                    continue;
                char16_t c = whole ? text.at(k).unicode() : one(row.mid(2 * k, 2));
                if (QChar::isSurrogate(c))
                    c = 0xFFFD;
                pairs[lead - kGbkFirstLead][t] = c;
                ++k;
            }
        }
    }
};

const GbkTable &gbkTable()
{
    static const GbkTable table;
    return table;
}

} // namespace

QString GbkStreamDecoder::decode(const char *data, qsizetype size)
{
    if (size <= 0)
        return QString();
    const GbkTable &table = gbkTable();
    const auto *src = reinterpret_cast<const unsigned char *>(data);
    QString out(size + 1, Qt::Uninitialized);
    char16_t *at = reinterpret_cast<char16_t *>(out.data());
    qsizetype i = 0;
    if (m_hasLead) {
        m_hasLead = false;
        if (isGbkTrail(src[0])) {
            *at++ = table.pairs[m_lead - kGbkFirstLead][src[0] - kGbkFirstTrail];
            i = 1;
        } else {
            *at++ = 0xFFFD;
        }
    }
    while (i < size) {
        const unsigned char b = src[i];
        if (b < 0x80) {
            *at++ = b;
            ++i;
        } else if (b == 0x80) {
            *at++ = table.byte80;
            ++i;
        } else if (b == 0xFF) {
            *at++ = table.byteFF;
            ++i;
        } else if (i + 1 == size) {
            m_lead = b;
            m_hasLead = true;
            ++i;
        } else if (isGbkTrail(src[i + 1])) {
            *at++ = table.pairs[b - kGbkFirstLead][src[i + 1] - kGbkFirstTrail];
            i += 2;
        } else {
            *at++ = 0xFFFD;
            ++i;
        }
    }
    out.truncate(at - reinterpret_cast<const char16_t *>(out.constData()));
    return out;
}

QString GbkStreamDecoder::finish()
{
    if (!m_hasLead)
        return QString();
    m_hasLead = false;
    return QString(QChar::ReplacementCharacter);
}

StreamDecoder::Encoding StreamDecoder::encodingFor(const QByteArray &name)
{
    const QByteArray n = name.trimmed().toUpper();
    if (n == "GBK" || n == "GB2312" || n == "CP936" || n == "MS936" || n == "WINDOWS-936")
        return Encoding::Gbk;
    return Encoding::Utf8;
}

QString StreamDecoder::decode(const char *data, qsizetype size)
{
    return m_encoding == Encoding::Gbk ? m_gbk.decode(data, size) : m_utf8.decode(data, size);
}

QString StreamDecoder::finish()
{
    return m_encoding == Encoding::Gbk ? m_gbk.finish() : m_utf8.finish();
}

int StreamDecoder::pendingBytes() const
{
    return m_encoding == Encoding::Gbk ? m_gbk.pendingBytes() : m_utf8.pendingBytes();
}

QByteArray StreamDecoder::pending() const
{
    return m_encoding == Encoding::Gbk ? m_gbk.pending() : m_utf8.pending();
}

void StreamDecoder::reset()
{
    m_gbk.reset();
    m_utf8.reset();
}

QString withoutCutMarks(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isCutMark(text, i))
            out += text[i];
    }
    return out;
}

QString cutLongRuns(const QString &text, int *column, int maxLine, QChar cut)
{
    if (maxLine < 1)
        maxLine = 1;
    const int n = int(text.size());
    int col = *column;
    QString out;       // stays null while nothing has been cut
    int copied = 0;    // text before this index is in `out`
    int pos = 0;
    while (pos < n) {
        const int lineFeed = int(text.indexOf(QLatin1Char('\n'), pos));
        const int end = lineFeed < 0 ? n : lineFeed;
        // Break before the first character that finds the line full; a low
        // surrogate stays with its high half.
        for (;;) {
            int at = pos + qMax(0, maxLine - col);
            if (at >= end) {
                col += end - pos;
                break;
            }
            col += at - pos;
            while (at < end && text.at(at).isLowSurrogate()) {
                ++at;
                ++col;
            }
            if (at >= end)
                break;
            if (out.isNull())
                out.reserve(n + n / maxLine + 2);
            out.append(QStringView(text).mid(copied, at - copied));
            out.append(cut);
            copied = at;
            col = 0;
            pos = at;
        }
        if (lineFeed < 0)
            break;
        col = 0;
        pos = lineFeed + 1;
    }
    *column = col;
    if (out.isNull())
        return text;
    out.append(QStringView(text).mid(copied));
    return out;
}

QString stamp(const QTime &time)
{
    return time.toString(QStringLiteral("[hh:mm:ss.zzz]"));
}

qint64 cappedCount(qint64 current, qint64 added)
{
    if (current < 0)
        current = 0;
    if (added < 0)
        added = 0;
    if (current >= kCounterCap || added >= kCounterCap - current)
        return kCounterCap;
    return current + added;
}

bool parseHexSend(const QString &text, QByteArray *out)
{
    static const QRegularExpression separators(QStringLiteral("[, ]+"));
    // Anchored at the very end: "$" alone would also accept a piece that
    // ends in a line break.
    static const QRegularExpression prefixed(QRegularExpression::anchoredPattern(QStringLiteral("0x[0-9a-fA-F]+")));
    static const QRegularExpression bare(QRegularExpression::anchoredPattern(QStringLiteral("[0-9a-fA-F]+")));

    out->clear();
    QString s = text.trimmed();
    s.replace(separators, QStringLiteral(" "));
    const QStringList pieces = s.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QByteArray bytes;
    bytes.reserve(pieces.size());
    for (QString piece : pieces) {
        const QRegularExpression &pattern = piece.startsWith(QLatin1String("0x")) ? prefixed : bare;
        if (!pattern.match(piece).hasMatch())
            return false;
        piece.remove(QStringLiteral("0x"));
        bool ok = false;
        const uint value = piece.toUInt(&ok, 16);
        if (!ok)
            return false;
        bytes.append(char(value & 0xFF));
    }
    *out = bytes;
    return true;
}

QByteArray textToCrlf(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace("\n", "\r\n");
    bytes.replace("\r\r\n", "\r\n");
    return bytes;
}

} // namespace RxFormat
