#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <vector>

#include "QuillLib/core/MemoryStream.h"

namespace quill {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes BytesOf(MemoryStream stream) {
    return Bytes(stream.Data(), stream.Data() + stream.Size());
}

// A stream holding bytes 0, 1, 2, ... up to size, grown one byte at a time and positioned at the end.
MemoryStream Counting(uint32_t size) {
    MemoryStream stream;
    for (uint32_t i = 0; i < size; ++i) {
        const uint8_t byte = static_cast<uint8_t>(i);
        stream.Write(&byte, 1);
    }
    return stream;
}

// Compressible data with some variety: text-like runs and a counter.
MemoryStream SampleData(uint32_t size) {
    MemoryStream stream(size);
    for (uint32_t i = 0; i < size; ++i) {
        stream.Data()[i] = static_cast<uint8_t>((i % 97 < 60) ? 'a' + i % 7 : i * 31);
    }
    return stream;
}

TEST(MemoryStreamTest, GrowsByAtLeastHalfItsCapacity) {
    MemoryStream full(8);
    ASSERT_TRUE(full.Seek(Stream::kFromEnd, 0));
    EXPECT_EQ(full.Write("x", 1), 1u);
    EXPECT_EQ(full.Capacity(), 12u);

    const Bytes more(200, 7);
    EXPECT_EQ(full.Write(more.data(), 200), 200u);
    EXPECT_EQ(full.Capacity(), 209u) << "the need, when it is more than half";
    EXPECT_EQ(full.Size(), 209u);
    EXPECT_EQ(full.Tell(), 209u);
}

TEST(MemoryStreamTest, WritingInsideTheDataKeepsTheSize) {
    MemoryStream stream = Counting(10);
    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 2));
    EXPECT_EQ(stream.Write("xy", 2), 2u);
    EXPECT_EQ(stream.Tell(), 4u);
    EXPECT_EQ(BytesOf(stream), (Bytes{0, 1, 'x', 'y', 4, 5, 6, 7, 8, 9}));

    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 8));
    EXPECT_EQ(stream.Write("abc", 3), 3u) << "a write across the end extends the data";
    EXPECT_EQ(stream.Size(), 11u);
}

TEST(MemoryStreamTest, SeekReadAndWriteStayWithinTheData) {
    MemoryStream stream = Counting(10);
    std::array<uint8_t, 16> buffer{};
    EXPECT_TRUE(stream.Seek(Stream::kFromBegin, 10)) << "exactly the size";
    EXPECT_FALSE(stream.Seek(Stream::kFromEnd, 1));
    EXPECT_FALSE(stream.Seek(Stream::kFromBegin, -1));
    EXPECT_FALSE(stream.Seek(3, 0));
    EXPECT_EQ(stream.Tell(), 10u) << "failed seeks leave the position";

    ASSERT_TRUE(stream.Seek(Stream::kFromCurrent, -6));
    EXPECT_EQ(stream.Read(buffer.data(), 0xFFFFFFFF), 6u) << "bounded by the data, not by a wrapped sum";
    EXPECT_EQ(buffer[0], 4);
    ASSERT_TRUE(stream.Seek(Stream::kFromEnd, -9));
    EXPECT_EQ(stream.Write(buffer.data(), 0xFFFFFFFF), 0u) << "the end would pass 4 GiB";
    EXPECT_EQ(stream.Size(), 10u);
    EXPECT_EQ(stream.Tell(), 1u);
}

TEST(MemoryStreamTest, CopyHoldsJustTheDataAndAMovedFromStreamIsEmpty) {
    const MemoryStream source = Counting(20);
    MemoryStream copy(source);
    EXPECT_EQ(copy.Capacity(), 20u);
    EXPECT_EQ(copy.Tell(), 0u);
    MemoryStream moved(std::move(copy));
    EXPECT_EQ(BytesOf(moved), BytesOf(source));
    EXPECT_EQ(copy.Size(), 0u);
    EXPECT_EQ(copy.Write("a", 1), 1u) << "a moved-from stream is usable";
}

TEST(MemoryStreamTest, CompressesLikeZlibAtTheDefaultLevelAndRoundTrips) {
    const MemoryStream original = SampleData(5000);
    MemoryStream compressed;
    ASSERT_TRUE(original.CompressTo(compressed));
    EXPECT_EQ(compressed.Capacity(), static_cast<uint32_t>((5000 + 12) * 1.002));
    Bytes expected(compressBound(5000));
    uLongf length = expected.size();
    ASSERT_EQ(compress(expected.data(), &length, original.Data(), 5000), Z_OK);
    expected.resize(length);
    EXPECT_EQ(BytesOf(compressed), expected);

    MemoryStream target(5000);
    EXPECT_TRUE(compressed.UncompressTo(target));
    EXPECT_EQ(BytesOf(target), BytesOf(original));

    MemoryStream inPlace(original);
    ASSERT_TRUE(inPlace.Seek(Stream::kFromBegin, 100));
    ASSERT_TRUE(inPlace.Compress());
    EXPECT_EQ(BytesOf(inPlace), expected);
    ASSERT_TRUE(inPlace.Inflate(6000));
    EXPECT_EQ(BytesOf(inPlace), BytesOf(original)) << "the size is what zlib produced";
    EXPECT_EQ(inPlace.Tell(), 0u);
}

TEST(MemoryStreamTest, IncompressibleDataFitsTheCompressedBuffer) {
    std::mt19937 random(99);
    for (uint32_t size : {0u, 1u, 100u, 16384u, 70000u}) {
        SCOPED_TRACE(size);
        MemoryStream noise(size);
        std::generate_n(noise.Data(), size, [&] { return static_cast<uint8_t>(random()); });
        MemoryStream compressed(noise);
        ASSERT_TRUE(compressed.Compress());
        ASSERT_TRUE(compressed.Uncompress(size));
        EXPECT_EQ(BytesOf(compressed), BytesOf(noise));
    }
}

TEST(MemoryStreamTest, ShortCorruptOrAbsurdInflateFailsAndLeavesTheStream) {
    MemoryStream compressed = SampleData(5000);
    ASSERT_TRUE(compressed.Compress());
    const Bytes compressedBytes = BytesOf(compressed);

    MemoryStream tooLarge(5001);
    EXPECT_FALSE(compressed.UncompressTo(tooLarge)) << "the data inflates to fewer bytes than the target";
    MemoryStream tooSmall(4999);
    EXPECT_FALSE(compressed.UncompressTo(tooSmall));
    EXPECT_FALSE(compressed.Uncompress(4999));
    EXPECT_FALSE(compressed.Uncompress(MemoryStream::kMaxUncompressedSize + 1));
    EXPECT_FALSE(compressed.Uncompress(0xFFFFFFFF));
    EXPECT_EQ(BytesOf(compressed), compressedBytes);

    MemoryStream corrupt(compressed);
    corrupt.Data()[corrupt.Size() / 2] ^= 0x55;
    EXPECT_FALSE(corrupt.Uncompress(5000));
}

}  // namespace
}  // namespace quill
