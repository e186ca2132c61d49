#pragma once
// Small DDS files made in memory for the tests of what reads them: a header and DXT1 blocks of one colour
// pattern (red and blue halves).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kvtest {

// The 128-byte header of a width x height file with mips levels, a four-character code and the caps2 word
// (cube faces).
inline std::vector<std::byte> DdsHeader(uint32_t width, uint32_t height, uint32_t mips, uint32_t fourCc,
                                        uint32_t caps2) {
    std::vector<std::byte> file(128);
    auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = std::byte((v >> (8 * i)) & 0xFF);
    };
    put(0, 0x20534444);
    put(4, 124);
    put(8, 0x1 | 0x2 | 0x4 | 0x1000 | 0x20000);
    put(12, height);
    put(16, width);
    put(28, mips);
    put(76, 32);
    put(80, 0x4);
    put(84, fourCc);
    put(112, caps2);
    return file;
}

// One 4 x 4 DXT1 block.
inline void AppendDxt1Block(std::vector<std::byte>& file) {
    const uint8_t block[8] = {0x00, 0xF8, 0x1F, 0x00, 0xE4, 0xE4, 0xE4, 0xE4};
    for (uint8_t b : block) file.push_back(std::byte(b));
}

}  // namespace kvtest
