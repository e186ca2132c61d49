#include "QuillLib/net/Des.h"

#include <algorithm>
#include <bit>

#include "QuillLib/net/CipherError.h"

namespace quill {
namespace {

// The tables of FIPS 46, bit positions counted from 1 at the most significant bit.
constexpr uint8_t kPermutedChoice1[56] = {57, 49, 41, 33, 25, 17, 9,  1,  58, 50, 42, 34, 26, 18, 10, 2,  59, 51, 43,
                                          35, 27, 19, 11, 3,  60, 52, 44, 36, 63, 55, 47, 39, 31, 23, 15, 7,  62, 54,
                                          46, 38, 30, 22, 14, 6,  61, 53, 45, 37, 29, 21, 13, 5,  28, 20, 12, 4};

constexpr uint8_t kPermutedChoice2[48] = {14, 17, 11, 24, 1,  5,  3,  28, 15, 6,  21, 10, 23, 19, 12, 4,
                                          26, 8,  16, 7,  27, 20, 13, 2,  41, 52, 31, 37, 47, 55, 30, 40,
                                          51, 45, 33, 48, 44, 49, 39, 56, 34, 53, 46, 42, 50, 36, 29, 32};

constexpr uint8_t kKeyShifts[16] = {1, 1, 2, 2, 2, 2, 2, 2, 1, 2, 2, 2, 2, 2, 2, 1};

constexpr uint8_t kRoundPermutation[32] = {16, 7, 20, 21, 29, 12, 28, 17, 1,  15, 23, 26, 5,  18, 31, 10,
                                           2,  8, 24, 14, 32, 27, 3,  9,  19, 13, 30, 6,  22, 11, 4,  25};

constexpr uint8_t kSBoxes[8][64] = {
    {14, 4,  13, 1, 2,  15, 11, 8, 3, 10, 6, 12, 5,  9,  0,  7,  0,  15, 7,  4,  14, 2,
     13, 1,  10, 6, 12, 11, 9,  5, 3, 8,  4, 1,  14, 8,  13, 6,  2,  11, 15, 12, 9,  7,
     3,  10, 5,  0, 15, 12, 8,  2, 4, 9,  1, 7,  5,  11, 3,  14, 10, 0,  6,  13},
    {15, 1,  8, 14, 6,  11, 3,  4, 9, 7, 2,  13, 12, 0, 5, 10, 3,  13, 4,  7, 15, 2,  8, 14, 12, 0, 1, 10, 6, 9, 11, 5,
     0,  14, 7, 11, 10, 4,  13, 1, 5, 8, 12, 6,  9,  3, 2, 15, 13, 8,  10, 1, 3,  15, 4, 2,  11, 6, 7, 12, 0, 5, 14, 9},
    {10, 0,  9,  14, 6, 3,  15, 5,  1,  13, 12, 7, 11, 4,  2,  8,  13, 7, 0,  9, 3, 4,
     6,  10, 2,  8,  5, 14, 12, 11, 15, 1,  13, 6, 4,  9,  8,  15, 3,  0, 11, 1, 2, 12,
     5,  10, 14, 7,  1, 10, 13, 0,  6,  9,  8,  7, 4,  15, 14, 3,  11, 5, 2,  12},
    {7, 13, 14, 3, 0, 6,  9, 10, 1,  2, 8,  5, 11, 12, 4,  15, 13, 8,  11, 5, 6, 15,
     0, 3,  4,  7, 2, 12, 1, 10, 14, 9, 10, 6, 9,  0,  12, 11, 7,  13, 15, 1, 3, 14,
     5, 2,  8,  4, 3, 15, 0, 6,  10, 1, 13, 8, 9,  4,  5,  11, 12, 7,  2,  14},
    {2,  12, 4, 1,  7,  10, 11, 6, 8, 5,  3, 15, 13, 0,  14, 9,  14, 11, 2,  12, 4,  7,
     13, 1,  5, 0,  15, 10, 3,  9, 8, 6,  4, 2,  1,  11, 10, 13, 7,  8,  15, 9,  12, 5,
     6,  3,  0, 14, 11, 8,  12, 7, 1, 14, 2, 13, 6,  15, 0,  9,  10, 4,  5,  3},
    {12, 1,  10, 15, 9,  2,  6, 8,  0, 13, 3,  4,  14, 7,  5, 11, 10, 15, 4, 2, 7, 12,
     9,  5,  6,  1,  13, 14, 0, 11, 3, 8,  9,  14, 15, 5,  2, 8,  12, 3,  7, 0, 4, 10,
     1,  13, 11, 6,  4,  3,  2, 12, 9, 5,  15, 10, 11, 14, 1, 7,  6,  0,  8, 13},
    {4, 11, 2,  14, 15, 0, 8, 13, 3,  12, 9, 7, 5, 10, 6, 1, 13, 0,  11, 7, 4, 9, 1,  10, 14, 3, 5, 12, 2,  15, 8, 6,
     1, 4,  11, 13, 12, 3, 7, 14, 10, 15, 6, 8, 0, 5,  9, 2, 6,  11, 13, 8, 1, 4, 10, 7,  9,  5, 0, 15, 14, 2,  3, 12},
    {13, 2, 8, 4, 6,  15, 11, 1, 10, 9,  3,  14, 5, 0, 12, 7, 1, 15, 13, 8, 10, 3, 7,  4,  12, 5, 6, 11, 0, 14, 9, 2, 7,
     11, 4, 1, 9, 12, 14, 2,  0, 6,  10, 13, 15, 3, 5, 8,  2, 1, 14, 7,  4, 10, 8, 13, 15, 12, 9, 0, 3,  5, 6,  11}};

constexpr uint8_t kWeakKeys[16][8] = {
    {0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01, 0x01}, {0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE, 0xFE},
    {0xE0, 0xE0, 0xE0, 0xE0, 0xF1, 0xF1, 0xF1, 0xF1}, {0x1F, 0x1F, 0x1F, 0x1F, 0x0E, 0x0E, 0x0E, 0x0E},
    {0x01, 0xFE, 0x01, 0xFE, 0x01, 0xFE, 0x01, 0xFE}, {0xFE, 0x01, 0xFE, 0x01, 0xFE, 0x01, 0xFE, 0x01},
    {0x1F, 0xE0, 0x1F, 0xE0, 0x0E, 0xF1, 0x0E, 0xF1}, {0xE0, 0x1F, 0xE0, 0x1F, 0xF1, 0x0E, 0xF1, 0x0E},
    {0x01, 0xE0, 0x01, 0xE0, 0x01, 0xF1, 0x01, 0xF1}, {0xE0, 0x01, 0xE0, 0x01, 0xF1, 0x01, 0xF1, 0x01},
    {0x1F, 0xFE, 0x1F, 0xFE, 0x0E, 0xFE, 0x0E, 0xFE}, {0xFE, 0x1F, 0xFE, 0x1F, 0xFE, 0x0E, 0xFE, 0x0E},
    {0x01, 0x1F, 0x01, 0x1F, 0x01, 0x0E, 0x01, 0x0E}, {0x1F, 0x01, 0x1F, 0x01, 0x0E, 0x01, 0x0E, 0x01},
    {0xE0, 0xFE, 0xE0, 0xFE, 0xF1, 0xFE, 0xF1, 0xFE}, {0xFE, 0xE0, 0xFE, 0xE0, 0xFE, 0xF1, 0xFE, 0xF1}};

// Bit n (from 1 at the top) of a value of width bits.
constexpr uint64_t Bit(uint64_t value, unsigned width, unsigned n) {
    return (value >> (width - n)) & 1;
}

// Each half-block is kept rotated left by one bit, so that the 6-bit groups of the expansion E fall on byte
// boundaries: groups 2, 4, 6, 8 are read from the word as it stands and groups 1, 3, 5, 7 from the word
// rotated right by 4. Entry [box][v] is the permuted output of S-box box for the 6-bit input v, in the same
// rotated form, so that a round is eight look-ups OR-ed together.
using SpTables = std::array<std::array<uint32_t, 64>, 8>;

constexpr SpTables MakeSpTables() {
    SpTables tables{};
    for (unsigned box = 0; box < 8; ++box) {
        for (unsigned input = 0; input < 64; ++input) {
            const unsigned row = ((input >> 4) & 2) | (input & 1);
            const unsigned column = (input >> 1) & 0xF;
            const uint32_t substituted = static_cast<uint32_t>(kSBoxes[box][row * 16 + column]) << (28 - 4 * box);
            uint32_t permuted = 0;
            for (unsigned bit = 1; bit <= 32; ++bit) {
                permuted |= static_cast<uint32_t>(Bit(substituted, 32, kRoundPermutation[bit - 1])) << (32 - bit);
            }
            tables[box][input] = std::rotl(permuted, 1);
        }
    }
    return tables;
}

constexpr SpTables kSpTables = MakeSpTables();

// The key schedule by table: permuted choice 1 of a key is the OR of one entry per key byte, and the round
// key made by permuted choice 2 is the OR of one entry per 7 bits of C and D, each entry already split into
// the two words the rounds use (odd groups in the high half, even groups in the low half).
using Pc1Table = std::array<std::array<uint64_t, 256>, 8>;
using Pc2Table = std::array<std::array<uint64_t, 128>, 8>;

constexpr uint64_t PermutedChoice1(uint64_t key) {
    uint64_t cd = 0;
    for (unsigned bit = 1; bit <= 56; ++bit) {
        cd |= Bit(key, 64, kPermutedChoice1[bit - 1]) << (56 - bit);
    }
    return cd;
}

// Permuted choice 2 of C and D, with the round key's eight 6-bit groups placed in the bytes of the two
// round words: groups 1, 3, 5, 7 in the high word and 2, 4, 6, 8 in the low word.
constexpr uint64_t RoundWords(uint64_t cd) {
    uint64_t roundKey = 0;
    for (unsigned bit = 1; bit <= 48; ++bit) {
        roundKey |= Bit(cd, 56, kPermutedChoice2[bit - 1]) << (48 - bit);
    }
    uint64_t words = 0;
    for (unsigned group = 0; group < 8; ++group) {
        const uint64_t bits = (roundKey >> (42 - 6 * group)) & 0x3F;
        const unsigned wordShift = (group % 2 == 0) ? 32 : 0;
        words |= bits << (wordShift + 24 - 8 * (group / 2));
    }
    return words;
}

constexpr Pc1Table MakePc1Table() {
    Pc1Table table{};
    for (unsigned byte = 0; byte < 8; ++byte) {
        for (unsigned value = 0; value < 256; ++value) {
            table[byte][value] = PermutedChoice1(static_cast<uint64_t>(value) << (56 - 8 * byte));
        }
    }
    return table;
}

constexpr Pc2Table MakePc2Table() {
    Pc2Table table{};
    for (unsigned chunk = 0; chunk < 8; ++chunk) {
        for (unsigned value = 0; value < 128; ++value) {
            table[chunk][value] = RoundWords(static_cast<uint64_t>(value) << (49 - 7 * chunk));
        }
    }
    return table;
}

constexpr Pc1Table kPc1Table = MakePc1Table();
constexpr Pc2Table kPc2Table = MakePc2Table();

uint32_t Rotate28(uint32_t half, unsigned shift) {
    return ((half << shift) | (half >> (28 - shift))) & 0x0FFFFFFF;
}

uint32_t LoadBigEndian(const uint8_t* in) {
    return (static_cast<uint32_t>(in[0]) << 24) | (static_cast<uint32_t>(in[1]) << 16) |
           (static_cast<uint32_t>(in[2]) << 8) | in[3];
}

void StoreBigEndian(uint32_t value, uint8_t* out) {
    out[0] = static_cast<uint8_t>(value >> 24);
    out[1] = static_cast<uint8_t>(value >> 16);
    out[2] = static_cast<uint8_t>(value >> 8);
    out[3] = static_cast<uint8_t>(value);
}

// Exchanges the bits of a selected by mask with the bits of b shifted by shift: one step of the bit-swap
// formulation of the initial and final permutations.
void SwapBits(uint32_t& a, uint32_t& b, unsigned shift, uint32_t mask) {
    const uint32_t exchanged = ((a >> shift) ^ b) & mask;
    b ^= exchanged;
    a ^= exchanged << shift;
}

// The initial permutation; leaves both halves rotated left by one bit for the rounds.
void InitialPermutation(uint32_t& left, uint32_t& right) {
    SwapBits(left, right, 4, 0x0F0F0F0F);
    SwapBits(left, right, 16, 0x0000FFFF);
    SwapBits(right, left, 2, 0x33333333);
    SwapBits(right, left, 8, 0x00FF00FF);
    right = std::rotl(right, 1);
    const uint32_t exchanged = (left ^ right) & 0xAAAAAAAA;
    left ^= exchanged;
    right ^= exchanged;
    left = std::rotl(left, 1);
}

// The final permutation: the initial one undone step by step, which also undoes the rotation.
void FinalPermutation(uint32_t& left, uint32_t& right) {
    left = std::rotr(left, 1);
    const uint32_t exchanged = (left ^ right) & 0xAAAAAAAA;
    left ^= exchanged;
    right ^= exchanged;
    right = std::rotr(right, 1);
    SwapBits(right, left, 8, 0x00FF00FF);
    SwapBits(right, left, 2, 0x33333333);
    SwapBits(left, right, 16, 0x0000FFFF);
    SwapBits(left, right, 4, 0x0F0F0F0F);
}

uint32_t RoundFunction(uint32_t half, uint32_t oddGroupsKey, uint32_t evenGroupsKey) {
    const uint32_t odd = std::rotr(half, 4) ^ oddGroupsKey;
    const uint32_t even = half ^ evenGroupsKey;
    return kSpTables[0][(odd >> 24) & 0x3F] | kSpTables[2][(odd >> 16) & 0x3F] | kSpTables[4][(odd >> 8) & 0x3F] |
           kSpTables[6][odd & 0x3F] | kSpTables[1][(even >> 24) & 0x3F] | kSpTables[3][(even >> 16) & 0x3F] |
           kSpTables[5][(even >> 8) & 0x3F] | kSpTables[7][even & 0x3F];
}

}  // namespace

bool Des::IsWeakKey(std::span<const uint8_t, kKeySize> key) {
    return std::any_of(std::begin(kWeakKeys), std::end(kWeakKeys),
                       [&](const uint8_t(&weak)[8]) { return std::equal(key.begin(), key.end(), weak); });
}

int Des::SetKey(std::span<const uint8_t> key) {
    if (key.size() != kKeySize) {
        return kCipherBadKeyLength;
    }
    if (IsWeakKey(key.first<kKeySize>())) {
        return kCipherWeakKey;
    }
    uint64_t cd = 0;
    for (size_t byte = 0; byte < kKeySize; ++byte) {
        cd |= kPc1Table[byte][key[byte]];
    }
    uint32_t c = static_cast<uint32_t>(cd >> 28);
    uint32_t d = static_cast<uint32_t>(cd) & 0x0FFFFFFF;
    for (unsigned round = 0; round < 16; ++round) {
        c = Rotate28(c, kKeyShifts[round]);
        d = Rotate28(d, kKeyShifts[round]);
        const uint64_t rotated = (static_cast<uint64_t>(c) << 28) | d;
        uint64_t words = 0;
        for (unsigned chunk = 0; chunk < 8; ++chunk) {
            words |= kPc2Table[chunk][(rotated >> (49 - 7 * chunk)) & 0x7F];
        }
        roundKeys_[2 * round] = static_cast<uint32_t>(words >> 32);
        roundKeys_[2 * round + 1] = static_cast<uint32_t>(words);
    }
    return kCipherOk;
}

void Des::EncryptBlock(const uint8_t* in, uint8_t* out) const {
    CryptBlock(in, out, false);
}

void Des::DecryptBlock(const uint8_t* in, uint8_t* out) const {
    CryptBlock(in, out, true);
}

void Des::CryptBlock(const uint8_t* in, uint8_t* out, bool decrypt) const {
    uint32_t left = LoadBigEndian(in);
    uint32_t right = LoadBigEndian(in + 4);
    InitialPermutation(left, right);
    for (unsigned step = 0; step < 16; ++step) {
        const unsigned round = decrypt ? 15 - step : step;
        left ^= RoundFunction(right, roundKeys_[2 * round], roundKeys_[2 * round + 1]);
        std::swap(left, right);
    }
    // The last round does not exchange the halves.
    std::swap(left, right);
    FinalPermutation(left, right);
    StoreBigEndian(left, out);
    StoreBigEndian(right, out + 4);
}

}  // namespace quill
