#pragma once
// DES block cipher (FIPS 46) and TDEA encrypt-decrypt-encrypt triple DES
// (keying options 1 and 2), one 64-bit block at a time, with an optional
// CBC chaining vector. Plain C++, no dependencies.
//
// Byte order: bit 1 of the standard is the most significant bit of byte 0.
// The parity bit of each key byte (its least significant bit) is ignored.
//
// The engine keeps one shared round-key table, so it is not reentrant:
// call it from one thread at a time.

// The public operations work in place on an 8-byte block. The chaining
// vector (8 bytes, in/out) may be null; with a vector, consecutive calls on
// consecutive blocks form CBC. A null key leaves block and vector untouched.
void desEncrypt(unsigned char *iv, unsigned char *block, const unsigned char *key);
void desDecrypt(unsigned char *iv, unsigned char *block, const unsigned char *key);
// Two-key triple DES, key = k1 | k2 (16 bytes): E(k1) D(k2) E(k1).
void tripleDesEncrypt2Key(unsigned char *iv, unsigned char *block, const unsigned char *key);
void tripleDesDecrypt2Key(unsigned char *iv, unsigned char *block, const unsigned char *key);
// Three-key triple DES, key = k1 | k2 | k3 (24 bytes): E(k1) D(k2) E(k3).
void tripleDesEncrypt(unsigned char *iv, unsigned char *block, const unsigned char *key);
void tripleDesDecrypt(unsigned char *iv, unsigned char *block, const unsigned char *key);

// Building blocks. Bit arrays hold one bit (0 or 1) per byte, most
// significant bit first.
extern unsigned char desRoundKeys[16][48];
void desKeySchedule(const unsigned char *key);
void desEncryptBlock(const unsigned char *in, unsigned char *out);
void desDecryptBlock(const unsigned char *in, unsigned char *out);
void desExpand(unsigned char *r, const unsigned char *roundKey);
void desSBoxes(unsigned char *out, const unsigned char *in);
void desPermute(unsigned char *dst, const unsigned char *src, const unsigned char *table, int n);
void desRotateLeft(unsigned char *array, int length, int n);
