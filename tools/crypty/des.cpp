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

// The S-boxes, each as its four rows of sixteen 4-bit entries, one hex
// digit an entry.
const char *const kSBoxes[8][4] = {
    {"e4d12fb83a6c5907", "0f74e2d1a6cb9538", "41e8d62bfc973a50", "fc8249175b3ea06d"},
    {"f18e6b34972dc05a", "3d47f28ec01a69b5", "0e7ba4d158c6932f", "d8a13f42b67c05e9"},
    {"a09e63f51dc7b428", "d709346a285ecbf1", "d6498f30b12c5ae7", "1ad069874fe3b52c"},
    {"7de3069a1285bc4f", "d8b56f03472c1ae9", "a690cb7df13e5284", "3f06a1d8945bc72e"},
    {"2c417ab6853fd0e9", "eb2c47d150fa3986", "421bad78f9c5630e", "b8c71e2d6f09a453"},
    {"c1af92680d34e75b", "af427c9561de0b38", "9ef528c3704a1db6", "432c95fabe17608d"},
    {"4b2ef08d3c975a61", "d0b7491ae35c2f86", "14bdc37eaf680592", "6bd814a7950fe23c"},
    {"d2846fb1a93e50c7", "1fd8a374c56b0e92", "7b419ce206adf358", "21e74a8dfc90356b"}};

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
        const char digit = kSBoxes[j][row][column];
        const unsigned char v = digit <= '9' ? digit - '0' : digit - 'a' + 10;
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
