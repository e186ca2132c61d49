#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "QuillLib/core/MemoryStream.h"
#include "QuillLib/core/StreamFields.h"
#include "platform/system/Rand.h"

namespace quill {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes BytesOf(MemoryStream& stream) {
    return Bytes(stream.Data(), stream.Data() + stream.Size());
}

MemoryStream StreamOf(const Bytes& bytes) {
    MemoryStream stream;
    stream.Write(bytes.data(), static_cast<uint32_t>(bytes.size()));
    stream.Seek(Stream::kFromBegin, 0);
    return stream;
}

// A stream that takes at most limit bytes and reports how many it took, like a full disk.
class LimitedStream : public MemoryStream {
public:
    explicit LimitedStream(uint32_t limit) : limit_(limit) {}
    uint32_t Write(const void* buffer, uint32_t count) override {
        return MemoryStream::Write(buffer, std::min(count, limit_ - Size()));
    }

private:
    uint32_t limit_;
};

TEST(StreamFieldsTest, FourByteValuesAreLittleEndian) {
    MemoryStream stream;
    ASSERT_TRUE(WriteU32(stream, 0x04030201));
    ASSERT_TRUE(WriteI32(stream, -2));
    ASSERT_TRUE(WriteF32(stream, 1.0f));
    EXPECT_EQ(BytesOf(stream), (Bytes{1, 2, 3, 4, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0x80, 0x3F}));

    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 0));
    uint32_t u = 0;
    int32_t i = 0;
    float f = 0;
    EXPECT_TRUE(ReadU32(stream, u));
    EXPECT_TRUE(ReadI32(stream, i));
    EXPECT_TRUE(ReadF32(stream, f));
    EXPECT_EQ(u, 0x04030201u);
    EXPECT_EQ(i, -2);
    EXPECT_EQ(f, 1.0f);
    EXPECT_FALSE(ReadU32(stream, u));
}

TEST(StreamFieldsTest, VectorsAreFloatsInComponentOrder) {
    const float values[4] = {1.0f, -2.0f, 0.5f, 3.0f};
    MemoryStream stream;
    ASSERT_TRUE(WriteVector2(stream, values));
    ASSERT_TRUE(WriteVector3(stream, values));
    ASSERT_TRUE(WriteVector4(stream, values));
    ASSERT_TRUE(WriteFloat4(stream, values));
    ASSERT_EQ(stream.Size(), 8u + 12u + 16u + 16u);
    const Bytes bytes = BytesOf(stream);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 8), (Bytes{0, 0, 0x80, 0x3F, 0, 0, 0, 0xC0}));
    EXPECT_EQ(Bytes(bytes.begin() + 20, bytes.begin() + 36), Bytes(bytes.begin() + 36, bytes.end()))
        << "Float4 is laid out as Vector4";

    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 8));
    float read[4] = {};
    EXPECT_TRUE(ReadVector3(stream, read));
    EXPECT_EQ(read[2], 0.5f);
    EXPECT_TRUE(ReadVector4(stream, read));
    EXPECT_EQ(read[3], 3.0f);
    EXPECT_TRUE(ReadFloat4(stream, read));
    EXPECT_FALSE(ReadVector2(stream, read)) << "the data has run out";
}

TEST(StreamFieldsTest, ShortVectorReadStopsAfterTheValuesThatArrived) {
    MemoryStream stream = StreamOf(Bytes(10, 0));
    float values[3] = {7.0f, 7.0f, 7.0f};
    EXPECT_FALSE(ReadVector3(stream, values));
    EXPECT_EQ(values[0], 0.0f);
    EXPECT_EQ(values[1], 0.0f);
    EXPECT_EQ(values[2], 7.0f);
}

TEST(StreamFieldsTest, FixedStringIsCodePageTextWithZeroFill) {
    MemoryStream stream;
    ASSERT_TRUE(WriteFixedString(stream, u"ab한", 8, false));
    EXPECT_EQ(BytesOf(stream), (Bytes{'a', 'b', 0xC7, 0xD1, 0, 0, 0, 0}));

    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 0));
    WString text;
    EXPECT_TRUE(ReadFixedString(stream, text, 8, false));
    EXPECT_EQ(text, u"ab한");

    MemoryStream empty;
    ASSERT_TRUE(WriteFixedString260(empty, u""));
    EXPECT_EQ(BytesOf(empty), Bytes(260, 0));
    ASSERT_TRUE(empty.Seek(Stream::kFromBegin, 0));
    text = u"old";
    EXPECT_TRUE(ReadFixedString260(empty, text));
    EXPECT_EQ(text, u"");
}

TEST(StreamFieldsTest, FixedStringOfExactlyTheWidthHasNoTerminator) {
    const WString full(260, u'x');
    MemoryStream stream;
    ASSERT_TRUE(WriteFixedString260(stream, full));
    EXPECT_EQ(BytesOf(stream), Bytes(260, 'x'));
    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 0));
    WString text;
    EXPECT_TRUE(ReadFixedString260(stream, text));
    EXPECT_EQ(text, full);

    MemoryStream rejected;
    EXPECT_FALSE(WriteFixedString260(rejected, WString(261, u'x')));
    EXPECT_EQ(rejected.Size(), 0u) << "a text that does not fit writes nothing";
}

TEST(StreamFieldsTest, HangulCountsTwoBytesAgainstTheWidth) {
    MemoryStream stream;
    EXPECT_TRUE(WriteFixedString260(stream, WString(130, u'한')));
    EXPECT_FALSE(WriteFixedString260(stream, WString(129, u'한') + u"abc"));
    EXPECT_EQ(stream.Size(), 260u);
}

TEST(StreamFieldsTest, ShortTransfersFailTheField) {
    MemoryStream shortStream = StreamOf(Bytes(259, 'a'));
    WString text = u"unchanged";
    EXPECT_FALSE(ReadFixedString260(shortStream, text));
    EXPECT_EQ(text, u"unchanged");

    LimitedStream full(100);
    EXPECT_FALSE(WriteFixedString260(full, u"abc")) << "a partial write is a failure";
    LimitedStream almostFull(3);
    EXPECT_FALSE(WriteU32(almostFull, 1));
}

TEST(StreamFieldsTest, ReadingReplacesInvalidCodePageBytes) {
    MemoryStream stream = StreamOf(Bytes{'a', 0xFF, 'b', 0, 'c', 0, 0, 0});
    WString text;
    EXPECT_TRUE(ReadFixedString(stream, text, 8, false));
    EXPECT_EQ(text, u"a?b") << "the text ends at the first zero byte";
}

TEST(StreamFieldsTest, ScrambledFieldMatchesTheWorkedExample) {
    MemoryStream stream;
    ASSERT_TRUE(WriteScrambledString(stream, u"abc", 16, 7));
    EXPECT_EQ(BytesOf(stream),
              (Bytes{0x66, 0x0a, 0xa9, 0x2d, 0x2d, 0x2d, 0x2d, 0x2d, 0x2d, 0x2d, 0x2d, 0x2d, 0x2d, 0x2d, 0x2d, 0x07}));
}

TEST(StreamFieldsTest, ScrambledFieldRoundTripsForEveryKey) {
    const WString name = u"Ball한Set01";
    for (int key = 0; key < 255; ++key) {
        SCOPED_TRACE(key);
        MemoryStream stream;
        ASSERT_TRUE(WriteScrambledString(stream, name, 16, static_cast<uint8_t>(key)));
        ASSERT_EQ(stream.Size(), 16u);
        EXPECT_EQ(stream.Data()[15], key);
        EXPECT_EQ(stream.Data()[0], 'B' ^ key);

        ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 0));
        WString text;
        EXPECT_TRUE(ReadScrambledString(stream, text, 16));
        EXPECT_EQ(text, name);

        ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 0));
        EXPECT_TRUE(ReadFixedString(stream, text, 16, false));
        EXPECT_NE(text, name);
    }
}

TEST(StreamFieldsTest, ScrambledFieldHoldsOneByteLessThanItsWidth) {
    MemoryStream stream;
    EXPECT_TRUE(WriteScrambledString(stream, WString(15, u'n'), 16, 9));
    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 0));
    WString text;
    EXPECT_TRUE(ReadScrambledString(stream, text, 16));
    EXPECT_EQ(text, WString(15, u'n'));

    MemoryStream rejected;
    EXPECT_FALSE(WriteScrambledString(rejected, WString(16, u'n'), 16, 9)) << "the 16th byte would be lost";
    EXPECT_FALSE(WriteFixedString(rejected, WString(16, u'n'), 16, true));
    EXPECT_EQ(rejected.Size(), 0u);
    EXPECT_FALSE(WriteScrambledString(rejected, u"", 0, 9)) << "no room for the key";
}

TEST(StreamFieldsTest, ScrambledWriteDrawsItsKeyFromTheRuntime) {
    platform::SRand(1234);
    const int expectedKey = platform::Rand() % 255;
    platform::SRand(1234);
    MemoryStream stream;
    ASSERT_TRUE(WriteFixedString(stream, u"pack", 16, true));
    EXPECT_EQ(stream.Data()[15], expectedKey);
}

}  // namespace
}  // namespace quill
