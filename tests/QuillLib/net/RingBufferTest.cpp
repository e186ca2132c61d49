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
    EXPECT_EQ(ring.Write(Sequence(0, 7).data(), 7), 7);
    std::vector<uint8_t> out(10);
    EXPECT_EQ(ring.Read(out.data(), 5), 2) << "Read answers the bytes still held";
    EXPECT_EQ(ring.Write(Sequence(7, 6).data(), 6), 8) << "wraps past the end of the storage";
    EXPECT_EQ(ring.PeekU16(), 0x0605);
    EXPECT_EQ(ring.Peek(out.data(), 10), 8u);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 8), Sequence(5, 8));
    EXPECT_EQ(ring.Read(out.data(), 8), 0);
    EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 8), Sequence(5, 8));
}

TEST(RingBuffer, ReadsAU16SplitByTheWrap) {
    RingBuffer ring(4);
    std::vector<uint8_t> out(4);
    ring.Write(Sequence(0, 4).data(), 4);
    ring.Read(out.data(), 3);
    const uint8_t next = 9;
    ring.Write(&next, 1);  // lands at the start of the storage, after the byte at its end
    EXPECT_EQ(ring.PeekU16(), 0x0903);
}

TEST(RingBuffer, RefusesWhatDoesNotFitAndStoresNothing) {
    RingBuffer ring(8);
    EXPECT_EQ(ring.Write(Sequence(0, 6).data(), 6), 6);
    EXPECT_EQ(ring.Write(Sequence(6, 3).data(), 3), RingBuffer::kFull);
    EXPECT_EQ(ring.Used(), 6u);
    EXPECT_EQ(ring.FreeSpace(), 2u);
    EXPECT_EQ(ring.Write(Sequence(6, 2).data(), 2), 8);
}

TEST(RingBuffer, ReadOfNothingAnswersZero) {
    RingBuffer ring(8);
    std::vector<uint8_t> out(8);
    EXPECT_EQ(ring.Read(out.data(), 4), 0);
    ring.Write(Sequence(0, 4).data(), 4);
    EXPECT_EQ(ring.Read(out.data(), 0), 0);
    EXPECT_EQ(ring.Used(), 4u);
    EXPECT_EQ(ring.PeekU16(), 0x0100);
    ring.Clear();
    EXPECT_EQ(ring.Used(), 0u);
    EXPECT_EQ(ring.PeekU16(), 0);
}

}  // namespace
}  // namespace quill
