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

// A stream holding bytes 0, 1, 2, ... up to size, positioned at the end.
MemoryStream Counting(uint32_t size) {
    MemoryStream stream;
    for (uint32_t i = 0; i < size; ++i) {
        const uint8_t byte = static_cast<uint8_t>(i);
        stream.Write(&byte, 1);
    }
    return stream;
}

std::vector<uint8_t> Bytes(const MemoryStream& stream) {
    MemoryStream copy(stream);
    return std::vector<uint8_t>(copy.Data(), copy.Data() + copy.Size());
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
    const uint8_t byte = 1;
    EXPECT_EQ(full.Write(&byte, 1), 1u);
    EXPECT_EQ(full.Capacity(), 12u);
    EXPECT_EQ(full.Size(), 9u);

    MemoryStream empty;
    EXPECT_EQ(empty.Write("abcde", 5), 5u);
    EXPECT_EQ(empty.Capacity(), 5u);

    MemoryStream hundred(100);
    ASSERT_TRUE(hundred.Seek(Stream::kFromEnd, 0));
    std::vector<uint8_t> more(200, 7);
    EXPECT_EQ(hundred.Write(more.data(), 200), 200u);
    EXPECT_EQ(hundred.Capacity(), 300u);
    EXPECT_EQ(hundred.Size(), 300u);
    EXPECT_EQ(hundred.Tell(), 300u);
}

TEST(MemoryStreamTest, KeepsItsDataWhileGrowing) {
    MemoryStream stream = Counting(1000);
    std::vector<uint8_t> expected(1000);
    for (size_t i = 0; i < expected.size(); ++i) {
        expected[i] = static_cast<uint8_t>(i);
    }
    EXPECT_EQ(Bytes(stream), expected);
}

TEST(MemoryStreamTest, WritingInsideTheDataKeepsTheSize) {
    MemoryStream stream = Counting(10);
    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 2));
    EXPECT_EQ(stream.Write("xy", 2), 2u);
    EXPECT_EQ(stream.Size(), 10u);
    EXPECT_EQ(stream.Tell(), 4u);
    EXPECT_EQ(Bytes(stream), (std::vector<uint8_t>{0, 1, 'x', 'y', 4, 5, 6, 7, 8, 9}));

    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 8));
    EXPECT_EQ(stream.Write("abc", 3), 3u) << "a write across the end extends the data";
    EXPECT_EQ(stream.Size(), 11u);
}

TEST(MemoryStreamTest, SeekStaysWithinTheData) {
    MemoryStream stream = Counting(10);
    uint8_t byte = 0;
    EXPECT_TRUE(stream.Seek(Stream::kFromBegin, 10)) << "exactly the size";
    EXPECT_EQ(stream.Read(&byte, 1), 0u);
    EXPECT_EQ(stream.Tell(), 10u);
    EXPECT_FALSE(stream.Seek(Stream::kFromEnd, 1));
    EXPECT_FALSE(stream.Seek(Stream::kFromBegin, -1));
    EXPECT_FALSE(stream.Seek(3, 0));
    EXPECT_EQ(stream.Tell(), 10u) << "failed seeks leave the position";

    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 6));
    EXPECT_TRUE(stream.Seek(Stream::kFromCurrent, -6));
    EXPECT_EQ(stream.Tell(), 0u);
    EXPECT_TRUE(stream.Seek(Stream::kFromEnd, -3));
    EXPECT_EQ(stream.Read(&byte, 1), 1u);
    EXPECT_EQ(byte, 7);
}

TEST(MemoryStreamTest, ReadStopsAtTheEndOfTheData) {
    MemoryStream stream = Counting(10);
    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 6));
    std::array<uint8_t, 16> buffer{};
    EXPECT_EQ(stream.Read(buffer.data(), 16), 4u);
    EXPECT_EQ(buffer[3], 9);
    EXPECT_EQ(stream.Tell(), 10u);
}

TEST(MemoryStreamTest, RefusesCountsThatWrapAround) {
    MemoryStream stream = Counting(10);
    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 5));
    std::array<uint8_t, 16> buffer{};
    EXPECT_EQ(stream.Read(buffer.data(), 0xFFFFFFFF), 5u) << "bounded by the data, not by a wrapped sum";

    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 1));
    EXPECT_EQ(stream.Write(buffer.data(), 0xFFFFFFFF), 0u);
    EXPECT_EQ(stream.Size(), 10u);
    EXPECT_EQ(stream.Tell(), 1u);
}

TEST(MemoryStreamTest, CopiesAndMovesTheData) {
    MemoryStream source = Counting(20);
    MemoryStream copy(source);
    EXPECT_EQ(copy.Size(), 20u);
    EXPECT_EQ(copy.Capacity(), 20u) << "a copy holds just the data";
    EXPECT_EQ(copy.Tell(), 0u);
    EXPECT_EQ(Bytes(copy), Bytes(source));

    MemoryStream assigned;
    assigned = source;
    EXPECT_EQ(Bytes(assigned), Bytes(source));

    MemoryStream moved(std::move(copy));
    EXPECT_EQ(Bytes(moved), Bytes(source));
    EXPECT_EQ(copy.Size(), 0u);
}

TEST(MemoryStreamTest, AllocateReleaseAndClear) {
    MemoryStream stream = Counting(20);
    EXPECT_TRUE(stream.Allocate(8));
    EXPECT_EQ(stream.Size(), 8u);
    EXPECT_EQ(stream.Capacity(), 8u);
    EXPECT_EQ(stream.Tell(), 0u);

    stream.Clear();
    EXPECT_EQ(stream.Size(), 0u);
    EXPECT_EQ(stream.Capacity(), 8u) << "Clear keeps the buffer";
    EXPECT_EQ(stream.Write("abc", 3), 3u);

    stream.Release();
    EXPECT_EQ(stream.Size(), 0u);
    EXPECT_EQ(stream.Capacity(), 0u);
    EXPECT_EQ(stream.Data(), nullptr);
}

TEST(MemoryStreamTest, ReadFromAndWriteToMoveWholeData) {
    MemoryStream source = Counting(10);
    ASSERT_TRUE(source.Seek(Stream::kFromBegin, 0));
    MemoryStream target;
    ASSERT_TRUE(target.Allocate(10));
    EXPECT_TRUE(target.ReadFrom(source));
    EXPECT_EQ(Bytes(target), Bytes(source));

    ASSERT_TRUE(source.Seek(Stream::kFromBegin, 5));
    EXPECT_FALSE(target.ReadFrom(source)) << "only 5 bytes were left";

    MemoryStream sink;
    EXPECT_TRUE(target.WriteTo(sink));
    EXPECT_EQ(Bytes(sink), Bytes(target));
}

TEST(MemoryStreamTest, CompressesLikeZlibAtTheDefaultLevel) {
    const MemoryStream original = SampleData(5000);
    MemoryStream compressed;
    ASSERT_TRUE(original.CompressTo(compressed));
    EXPECT_EQ(compressed.Capacity(), static_cast<uint32_t>((5000 + 12) * 1.002));

    std::vector<uint8_t> expected(compressBound(5000));
    uLongf length = expected.size();
    ASSERT_EQ(compress(expected.data(), &length, original.Data(), 5000), Z_OK);
    expected.resize(length);
    EXPECT_EQ(Bytes(compressed), expected);

    MemoryStream inPlace(original);
    ASSERT_TRUE(inPlace.Seek(Stream::kFromBegin, 100));
    ASSERT_TRUE(inPlace.Compress());
    EXPECT_EQ(Bytes(inPlace), expected);
    EXPECT_EQ(inPlace.Tell(), 0u);
}

TEST(MemoryStreamTest, CompressedDataRoundTrips) {
    const MemoryStream original = SampleData(5000);
    MemoryStream compressed(original);
    ASSERT_TRUE(compressed.Compress());

    MemoryStream target(5000);
    EXPECT_TRUE(compressed.UncompressTo(target));
    EXPECT_EQ(Bytes(target), Bytes(original));

    MemoryStream inflated(compressed);
    ASSERT_TRUE(inflated.Uncompress(5000));
    EXPECT_EQ(Bytes(inflated), Bytes(original));
    EXPECT_EQ(inflated.Tell(), 0u);

    MemoryStream roomy(compressed);
    ASSERT_TRUE(roomy.Inflate(6000));
    EXPECT_EQ(roomy.Size(), 5000u) << "the size is what zlib produced";

    MemoryStream empty;
    ASSERT_TRUE(empty.Compress());
    EXPECT_GT(empty.Size(), 0u);
    ASSERT_TRUE(empty.Uncompress(0));
    EXPECT_EQ(empty.Size(), 0u);
}

TEST(MemoryStreamTest, IncompressibleDataFitsTheCompressedBuffer) {
    std::mt19937 random(99);
    for (uint32_t size : {0u, 1u, 100u, 16384u, 70000u}) {
        SCOPED_TRACE(size);
        MemoryStream noise(size);
        std::generate_n(noise.Data(), size, [&] { return static_cast<uint8_t>(random()); });
        MemoryStream compressed(noise);
        ASSERT_TRUE(compressed.Compress());
        EXPECT_GT(compressed.Size(), size);
        ASSERT_TRUE(compressed.Uncompress(size));
        EXPECT_EQ(Bytes(compressed), Bytes(noise));
    }
}

TEST(MemoryStreamTest, ShortOrCorruptInflateFails) {
    MemoryStream compressed = SampleData(5000);
    ASSERT_TRUE(compressed.Compress());
    const std::vector<uint8_t> compressedBytes = Bytes(compressed);

    MemoryStream tooLarge(5001);
    EXPECT_FALSE(compressed.UncompressTo(tooLarge)) << "the data inflates to fewer bytes than the target";
    MemoryStream tooSmall(4999);
    EXPECT_FALSE(compressed.UncompressTo(tooSmall));
    EXPECT_FALSE(compressed.Uncompress(4999));
    EXPECT_EQ(Bytes(compressed), compressedBytes) << "a failed inflate leaves the stream";

    MemoryStream corrupt(compressed);
    corrupt.Data()[corrupt.Size() / 2] ^= 0x55;
    MemoryStream target(5000);
    EXPECT_FALSE(corrupt.UncompressTo(target));
    EXPECT_FALSE(corrupt.Uncompress(5000));

    MemoryStream cut(compressed);
    ASSERT_TRUE(cut.Allocate(cut.Size() / 2));
    std::memcpy(cut.Data(), compressedBytes.data(), cut.Size());
    EXPECT_FALSE(cut.Uncompress(5000));
}

TEST(MemoryStreamTest, RefusesAbsurdInflatedSizes) {
    MemoryStream compressed = SampleData(100);
    ASSERT_TRUE(compressed.Compress());
    const uint32_t compressedSize = compressed.Size();
    EXPECT_FALSE(compressed.Uncompress(MemoryStream::kMaxUncompressedSize + 1));
    EXPECT_FALSE(compressed.Uncompress(0xFFFFFFFF));
    EXPECT_EQ(compressed.Size(), compressedSize);
}

}  // namespace
}  // namespace quill
