#include "des.h"

#include <cstring>

// The tables of FIPS 46, 1-based as printed there.
namespace {

const unsigned char kIp[64] = {
    58, 50, 42, 34, 26, 18, 10, 2, 60, 52, 44, 36, 28, 20, 12, 4,
    62, 54, 46, 38, 30, 22, 14, 6, 64, 56, 48, 40, 32, 24, 16, 8,
    57, 49, 41, 33, 25, 17, 9,  1, 59, 51, 43, 35, 27, 19, 11, 3,
    61, 53, 45, 37, 29, 21, 13, 5, 63, 55, 47, 39, 31, 23, 15, 7};

const unsigned char kIpInverse[64] = {
    40, 8, 48, 16, 56, 24, 64, 32, 39, 7, 47, 15, 55, 23, 63, 31,
    38, 6, 46, 14, 54, 22, 62, 30, 37, 5, 45, 13, 53, 21, 61, 29,
    36, 4, 44, 12, 52, 20, 60, 28, 35, 3, 43, 11, 51, 19, 59, 27,
    34, 2, 42, 10, 50, 18, 58, 26, 33, 1, 41, 9,  49, 17, 57, 25};

const unsigned char kExpansion[48] = {
    32, 1,  2,  3,  4,  5,  4,  5,  6,  7,  8,  9,  8,  9,  10, 11,
    12, 13, 12, 13, 14, 15, 16, 17, 16, 17, 18, 19, 20, 21, 20, 21,
    22, 23, 24, 25, 24, 25, 26, 27, 28, 29, 28, 29, 30, 31, 32, 1};

const unsigned char kPermutation[32] = {
    16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23, 26, 5,  18, 31, 10,
    2,  8, 24, 14, 32, 27, 3,  9,  19, 13, 30, 6,  22, 11, 4,  25};

const unsigned char kPc1[56] = {
    57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18,
    10, 2,  59, 51, 43, 35, 27, 19, 11, 3,  60, 52, 44, 36,
    63, 55, 47, 39, 31, 23, 15, 7,  62, 54, 46, 38, 30, 22,
    14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};

const unsigned char kPc2[48] = {
    14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10,
    23, 19, 12, 4,  26, 8,  16, 7,  27, 20, 13, 2,
    41, 52, 31, 37, 47, 55, 30, 40, 51, 45, 33, 48,
    44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};

const unsigned char kShifts[16] = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

const unsigned char kSBoxes[8][64] = {
    {14, 4,  13, 1, 2,  15, 11, 8,  3,  10, 6,  12, 5,  9,  0, 7,
     0,  15, 7,  4, 14, 2,  13, 1,  10, 6,  12, 11, 9,  5,  3, 8,
     4,  1,  14, 8, 13, 6,  2,  11, 15, 12, 9,  7,  3,  10, 5, 0,
     15, 12, 8,  2, 4,  9,  1,  7,  5,  11, 3,  14, 10, 0,  6, 13},
    {15, 1,  8,  14, 6,  11, 3,  4,  9,  7, 2,  13, 12, 0, 5,  10,
     3,  13, 4,  7,  15, 2,  8,  14, 12, 0, 1,  10, 6,  9, 11, 5,
     0,  14, 7,  11, 10, 4,  13, 1,  5,  8, 12, 6,  9,  3, 2,  15,
     13, 8,  10, 1,  3,  15, 4,  2,  11, 6, 7,  12, 0,  5, 14, 9},
    {10, 0,  9,  14, 6, 3,  15, 5,  1,  13, 12, 7,  11, 4,  2,  8,
     13, 7,  0,  9,  3, 4,  6,  10, 2,  8,  5,  14, 12, 11, 15, 1,
     13, 6,  4,  9,  8, 15, 3,  0,  11, 1,  2,  12, 5,  10, 14, 7,
     1,  10, 13, 0,  6, 9,  8,  7,  4,  15, 14, 3,  11, 5,  2,  12},
    {7,  13, 14, 3, 0,  6,  9,  10, 1,  2, 8, 5,  11, 12, 4,  15,
     13, 8,  11, 5, 6,  15, 0,  3,  4,  7, 2, 12, 1,  10, 14, 9,
     10, 6,  9,  0, 12, 11, 7,  13, 15, 1, 3, 14, 5,  2,  8,  4,
     3,  15, 0,  6, 10, 1,  13, 8,  9,  4, 5, 11, 12, 7,  2,  14},
    {2,  12, 4,  1,  7,  10, 11, 6,  8,  5,  3,  15, 13, 0, 14, 9,
     14, 11, 2,  12, 4,  7,  13, 1,  5,  0,  15, 10, 3,  9, 8,  6,
     4,  2,  1,  11, 10, 13, 7,  8,  15, 9,  12, 5,  6,  3, 0,  14,
     11, 8,  12, 7,  1,  14, 2,  13, 6,  15, 0,  9,  10, 4, 5,  3},
    {12, 1,  10, 15, 9, 2,  6,  8,  0,  13, 3,  4,  14, 7,  5,  11,
     10, 15, 4,  2,  7, 12, 9,  5,  6,  1,  13, 14, 0,  11, 3,  8,
     9,  14, 15, 5,  2, 8,  12, 3,  7,  0,  4,  10, 1,  13, 11, 6,
     4,  3,  2,  12, 9, 5,  15, 10, 11, 14, 1,  7,  6,  0,  8,  13},
    {4,  11, 2,  14, 15, 0, 8,  13, 3,  12, 9, 7,  5,  10, 6, 1,
     13, 0,  11, 7,  4,  9, 1,  10, 14, 3,  5, 12, 2,  15, 8, 6,
     1,  4,  11, 13, 12, 3, 7,  14, 10, 15, 6, 8,  0,  5,  9, 2,
     6,  11, 13, 8,  1,  4, 10, 7,  9,  5,  0, 15, 14, 2,  3, 12},
    {13, 2,  8,  4, 6,  15, 11, 1,  10, 9,  3,  14, 5,  0,  12, 7,
     1,  15, 13, 8, 10, 3,  7,  4,  12, 5,  6,  11, 0,  14, 9,  2,
     7,  11, 4,  1, 9,  12, 14, 2,  0,  6,  10, 13, 15, 3,  5,  8,
     2,  1,  14, 7, 4,  10, 8,  13, 15, 12, 9,  0,  3,  5,  6,  11}};

void bytesToBits(unsigned char *bits, const unsigned char *bytes, int byteCount)
{
    for (int i = 0; i < byteCount * 8; ++i)
        bits[i] = (bytes[i / 8] >> (7 - i % 8)) & 1;
}

void bitsToBytes(unsigned char *bytes, const unsigned char *bits, int byteCount)
{
    std::memset(bytes, 0, static_cast<size_t>(byteCount));
    for (int i = 0; i < byteCount * 8; ++i)
        bytes[i / 8] = static_cast<unsigned char>((bytes[i / 8] << 1) | bits[i]);
}

void xorBlock(unsigned char *dst, const unsigned char *src)
{
    for (int i = 0; i < 8; ++i)
        dst[i] ^= src[i];
}

// One DES pass over the block with round keys in forward or reverse order.
void desCrypt(const unsigned char *in, unsigned char *out, bool decrypt)
{
    unsigned char bits[64];
    bytesToBits(bits, in, 8);
    desPermute(bits, bits, kIp, 64);
    unsigned char *left = bits;
    unsigned char *right = bits + 32;
    for (int round = 0; round < 16; ++round) {
        const unsigned char *roundKey = desRoundKeys[decrypt ? 15 - round : round];
        unsigned char f[32];
        std::memcpy(f, right, 32);
        desExpand(f, roundKey);
        for (int i = 0; i < 32; ++i) {
            const unsigned char newRight = left[i] ^ f[i];
            left[i] = right[i];
            right[i] = newRight;
        }
    }
    // Swap the halves after the last round: R then L.
    unsigned char joined[64];
    std::memcpy(joined, right, 32);
    std::memcpy(joined + 32, left, 32);
    desPermute(joined, joined, kIpInverse, 64);
    bitsToBytes(out, joined, 8);
}

} // namespace

unsigned char desRoundKeys[16][48];

void desPermute(unsigned char *dst, const unsigned char *src, const unsigned char *table, int n)
{
    unsigned char tmp[256];
    if (n > 256)
        n = 256;
    for (int i = 0; i < n; ++i)
        tmp[i] = src[table[i] - 1];
    std::memcpy(dst, tmp, static_cast<size_t>(n));
}

void desRotateLeft(unsigned char *array, int length, int n)
{
    if (length <= 0 || length > 256 || n <= 0)
        return;
    n %= length;
    unsigned char tmp[256];
    std::memcpy(tmp, array, static_cast<size_t>(n));
    std::memmove(array, array + n, static_cast<size_t>(length - n));
    std::memcpy(array + length - n, tmp, static_cast<size_t>(n));
}

void desKeySchedule(const unsigned char *key)
{
    unsigned char bits[64];
    bytesToBits(bits, key, 8);
    unsigned char cd[56];
    desPermute(cd, bits, kPc1, 56);
    for (int round = 0; round < 16; ++round) {
        desRotateLeft(cd, 28, kShifts[round]);
        desRotateLeft(cd + 28, 28, kShifts[round]);
        desPermute(desRoundKeys[round], cd, kPc2, 48);
    }
}

void desSBoxes(unsigned char *out, const unsigned char *in)
{
    for (int j = 0; j < 8; ++j) {
        const unsigned char *b = in + 6 * j;
        const int row = 2 * b[0] + b[5];
        const int column = 8 * b[1] + 4 * b[2] + 2 * b[3] + b[4];
        const unsigned char v = kSBoxes[j][row * 16 + column];
        for (int k = 0; k < 4; ++k)
            out[4 * j + k] = (v >> (3 - k)) & 1;
    }
}

void desExpand(unsigned char *r, const unsigned char *roundKey)
{
    unsigned char expanded[48];
    desPermute(expanded, r, kExpansion, 48);
    for (int i = 0; i < 48; ++i)
        expanded[i] ^= roundKey[i];
    unsigned char substituted[32];
    desSBoxes(substituted, expanded);
    desPermute(r, substituted, kPermutation, 32);
}

void desEncryptBlock(const unsigned char *in, unsigned char *out)
{
    desCrypt(in, out, false);
}

void desDecryptBlock(const unsigned char *in, unsigned char *out)
{
    desCrypt(in, out, true);
}

void desEncrypt(unsigned char *iv, unsigned char *block, const unsigned char *key)
{
    if (!key)
        return;
    if (iv)
        xorBlock(block, iv);
    desKeySchedule(key);
    desEncryptBlock(block, block);
    if (iv)
        std::memcpy(iv, block, 8);
}

void desDecrypt(unsigned char *iv, unsigned char *block, const unsigned char *key)
{
    if (!key)
        return;
    unsigned char plain[8];
    desKeySchedule(key);
    desDecryptBlock(block, plain);
    if (iv) {
        xorBlock(plain, iv);
        std::memcpy(iv, block, 8);
    }
    std::memcpy(block, plain, 8);
}

namespace {

struct Stage {
    bool decrypt;
    int keyIndex;
};

void tripleCrypt(unsigned char *iv, unsigned char *block, const unsigned char *key, const Stage (&stages)[3],
                 bool decrypt)
{
    if (!key)
        return;
    unsigned char incoming[8];
    std::memcpy(incoming, block, 8);
    if (iv && !decrypt)
        xorBlock(block, iv);
    for (const Stage &stage : stages) {
        desKeySchedule(key + 8 * stage.keyIndex);
        if (stage.decrypt)
            desDecryptBlock(block, block);
        else
            desEncryptBlock(block, block);
    }
    if (iv) {
        if (decrypt) {
            xorBlock(block, iv);
            std::memcpy(iv, incoming, 8);
        } else {
            std::memcpy(iv, block, 8);
        }
    }
}

} // namespace

void tripleDesEncrypt2Key(unsigned char *iv, unsigned char *block, const unsigned char *key)
{
    static const Stage stages[3] = {{false, 0}, {true, 1}, {false, 0}};
    tripleCrypt(iv, block, key, stages, false);
}

void tripleDesDecrypt2Key(unsigned char *iv, unsigned char *block, const unsigned char *key)
{
    static const Stage stages[3] = {{true, 0}, {false, 1}, {true, 0}};
    tripleCrypt(iv, block, key, stages, true);
}

void tripleDesEncrypt(unsigned char *iv, unsigned char *block, const unsigned char *key)
{
    static const Stage stages[3] = {{false, 0}, {true, 1}, {false, 2}};
    tripleCrypt(iv, block, key, stages, false);
}

void tripleDesDecrypt(unsigned char *iv, unsigned char *block, const unsigned char *key)
{
    static const Stage stages[3] = {{true, 2}, {false, 1}, {true, 0}};
    tripleCrypt(iv, block, key, stages, true);
}
