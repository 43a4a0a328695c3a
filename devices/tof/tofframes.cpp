#include "tofframes.h"

#include <algorithm>

namespace TofFrames {

Grid gridForMode(int mode)
{
    switch (mode) {
    case 0:
        return {4, 4};
    case 2:
        return {16, 16};
    case 3:
        return {32, 32};
    case 4:
        return {32, 48};
    default:
        return {8, 8};
    }
}

int modeForText(const QString &text)
{
    static const char *const texts[] = {"4x4", "8x8", "16x16", "32x32", "48x32"};
    for (int mode = 0; mode < 5; ++mode) {
        if (text == QLatin1String(texts[mode]))
            return mode;
    }
    return 1;
}

int maxDistanceForText(const QString &text)
{
    const int m = text.toInt(nullptr, 10);
    return m < 1 ? 4000 : m;
}

QStringList arrangementsFor(int model)
{
    switch (model) {
    case VL53LMZ:
        return {QStringLiteral("4x4"), QStringLiteral("8x8")};
    case TMF8828:
        return {QStringLiteral("8x8")};
    case TMF8829:
        return {QStringLiteral("8x8"), QStringLiteral("16x16"), QStringLiteral("32x32"), QStringLiteral("48x32")};
    default:
        return {};
    }
}

bool parseFrame(const QByteArray &text, QList<int> *values)
{
    const QList<QByteArray> fields = text.split(',');
    int n = 0;
    for (const QByteArray &f : fields)
        n += f.isEmpty() ? 0 : 1;
    if (n != 16 && n != 64 && n != 256 && n != 1024 && n != 1536)
        return false;
    values->clear();
    values->reserve(n);
    for (const QByteArray &f : fields) {
        if (f.isEmpty())
            continue;
        bool ok = false;
        const int v = f.toInt(&ok, 10);
        values->append(ok ? v : 0);
    }
    return true;
}

void mirrorRows(QList<int> &pixels, int numRows, int numCols)
{
    for (int r = 0; r < numRows; ++r) {
        const qsizetype from = qsizetype(r) * numCols;
        if (from + numCols > pixels.size())
            break;
        std::reverse(pixels.begin() + from, pixels.begin() + from + numCols);
    }
}

void rearrange8828(const int *imageData, int *newImageData)
{
    for (int j = 0; j < 64; ++j) {
        const int a = j / 8, b = j % 8;
        const int row = 7 - 2 * (b / 2) - (a >= 4 ? 1 : 0);
        const int col = 4 * (b % 2) + (a % 4);
        newImageData[row * 8 + col] = imageData[j];
    }
}

int corrected8829Index(int i, int cols)
{
    if (cols == 32)
        return i < 512 ? (i / 32) * 64 + i % 32 : 32 + ((i - 512) / 32) * 64 + (i - 512) % 32;
    if (cols == 48)
        return i < 768 ? (i / 48) * 96 + i % 48 : 48 + ((i - 768) / 48) * 96 + (i - 768) % 48;
    return i;
}

void arrange(int model, const QList<int> &values, QList<int> &pixels)
{
    if (pixels.size() < kZones)
        pixels.resize(kZones);
    const int n = int(qMin<qsizetype>(values.size(), kZones));
    switch (model) {
    case VL53LMZ: {
        std::copy(values.begin(), values.begin() + n, pixels.begin());
        const int k = n == 16 ? 4 : 8;
        mirrorRows(pixels, k, k);
        break;
    }
    case TMF8828: {
        int in[64] = {};
        int out[64];
        std::copy(values.begin(), values.begin() + qMin(n, 64), in);
        rearrange8828(in, out);
        std::copy(out, out + 64, pixels.begin());
        break;
    }
    case TMF8829: {
        const int cols = n == 1024 ? 32 : n == 1536 ? 48 : n == 256 ? 16 : 8;
        std::fill(pixels.begin(), pixels.begin() + n, 0);
        for (int i = 0; i < n; ++i) {
            const int j = corrected8829Index(i, cols);
            if (j >= 0 && j < kZones)
                pixels[j] = values.at(i);
        }
        break;
    }
    default:
        break;
    }
}

} // namespace TofFrames
