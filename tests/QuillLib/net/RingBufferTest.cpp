#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "QuillLib/net/RingBuffer.h"

namespace quill {
namespace {

std::vector<uint8_t> Sequence(uint8_t first, size_t count) {
    std::vector<uint8_t> bytes(count);
    std::iota(bytes.begin(), bytes.end(), first);
    return bytes;
}

TEST(RingBuffer, KeepsTheOrderOfBytesAcrossTheWrap) {
    RingBuffer ring(10);
    std::vector<uint8_t> out(10);
    EXPECT_EQ(ring.Read(out.data(), 4), 0) << "nothing held";
    EXPECT_EQ(ring.Write(Sequence(0, 7).data(), 7), 7);
    EXPECT_EQ(ring.Read(out.data(), 5), 2) << "Read answers the bytes still held";
    EXPECT_EQ(ring.Write(Sequence(7, 6).data(), 6), 8) << "wraps past the end of the storage";
    EXPECT_EQ(ring.Read(out.data(), 4), 4);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 4), Sequence(5, 4));
    EXPECT_EQ(ring.PeekU16(), 0x0A09) << "the last byte of the storage and the first";
    EXPECT_EQ(ring.Peek(out.data(), 10), 4u);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 4), Sequence(9, 4));
    EXPECT_EQ(ring.Read(out.data(), 10), 0);
    EXPECT_EQ(ring.PeekU16(), 0) << "fewer than two bytes held";
    const uint8_t large[] = {0xFE, 0xFF};
    ring.Write(large, 2);
    EXPECT_EQ(ring.PeekU16(), 0xFFFE) << "a length past 32767 stays positive";
}

TEST(RingBuffer, RefusesWhatDoesNotFitAndStoresNothing) {
    RingBuffer ring(8);
    EXPECT_EQ(ring.Write(Sequence(0, 6).data(), 6), 6);
    EXPECT_EQ(ring.Write(Sequence(6, 3).data(), 3), RingBuffer::kFull);
    EXPECT_EQ(ring.FreeSpace(), 2u);
    EXPECT_EQ(ring.Write(Sequence(6, 2).data(), 2), 8);
}

}  // namespace
}  // namespace quill
