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

Bytes WrittenBytes(MemoryStream& stream) {
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

TEST(StreamFieldsTest, NumbersAreLittleEndianAndVectorsFloatsInComponentOrder) {
    const float vector[4] = {1.0f, -2.0f, 0.5f, 3.0f};
    MemoryStream stream;
    ASSERT_TRUE(WriteU32(stream, 0x04030201) && WriteI32(stream, -2) && WriteF32(stream, 1.0f));
    ASSERT_TRUE(WriteVector2(stream, vector));
    EXPECT_EQ(WrittenBytes(stream),
              (Bytes{1, 2, 3, 4, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0x80, 0x3F, 0, 0, 0x80, 0x3F, 0, 0, 0, 0xC0}));
    ASSERT_TRUE(WriteVector3(stream, vector) && WriteFloat4(stream, vector));
    EXPECT_EQ(stream.Size(), 20u + 12u + 16u);

    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 0));
    uint32_t u = 0;
    int32_t i = 0;
    float f = 0;
    float two[2] = {}, three[3] = {}, four[4] = {};
    ASSERT_TRUE(ReadU32(stream, u) && ReadI32(stream, i) && ReadF32(stream, f));
    ASSERT_TRUE(ReadVector2(stream, two) && ReadVector3(stream, three) && ReadVector4(stream, four));
    EXPECT_EQ(u, 0x04030201u);
    EXPECT_EQ(i, -2);
    EXPECT_EQ(f, 1.0f);
    EXPECT_EQ(two[1], -2.0f);
    EXPECT_EQ(three[2], 0.5f);
    EXPECT_EQ(four[3], 3.0f) << "Float4 is laid out as Vector4";
    EXPECT_FALSE(ReadFloat4(stream, four)) << "the data has run out";
}

TEST(StreamFieldsTest, ShortTransfersFailTheField) {
    MemoryStream tenBytes = StreamOf(Bytes(10, 0));
    float values[3] = {7.0f, 7.0f, 7.0f};
    EXPECT_FALSE(ReadVector3(tenBytes, values));
    EXPECT_EQ(values[1], 0.0f) << "components that arrived are stored";
    EXPECT_EQ(values[2], 7.0f);

    MemoryStream shortText = StreamOf(Bytes(259, 'a'));
    WString text = u"unchanged";
    EXPECT_FALSE(ReadFixedString260(shortText, text));
    EXPECT_EQ(text, u"unchanged");

    LimitedStream full(100);
    EXPECT_FALSE(WriteFixedString260(full, u"abc")) << "a partial write is a failure";
    LimitedStream almostFull(3);
    EXPECT_FALSE(WriteU32(almostFull, 1));
}

TEST(StreamFieldsTest, FixedStringIsCodePageTextZeroFilledToTheWidth) {
    MemoryStream stream;
    ASSERT_TRUE(WriteFixedString(stream, u"ab한", 8, false));
    EXPECT_EQ(WrittenBytes(stream), (Bytes{'a', 'b', 0xC7, 0xD1, 0, 0, 0, 0}));
    const WString full(260, u'x');
    ASSERT_TRUE(WriteFixedString260(stream, full));
    EXPECT_EQ(stream.Size(), 8u + 260u) << "a text of exactly the width has no terminator";
    ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 0));
    WString text;
    EXPECT_TRUE(ReadFixedString(stream, text, 8, false));
    EXPECT_EQ(text, u"ab한");
    EXPECT_TRUE(ReadFixedString260(stream, text));
    EXPECT_EQ(text, full);

    MemoryStream empty;
    ASSERT_TRUE(WriteFixedString260(empty, u"")) << "an empty text is a field of zeros, not a failure";
    EXPECT_EQ(WrittenBytes(empty), Bytes(260, 0));

    MemoryStream invalid = StreamOf(Bytes{'a', 0xFF, 'b', 0, 'c', 0, 0, 0});
    EXPECT_TRUE(ReadFixedString(invalid, text, 8, false));
    EXPECT_EQ(text, u"a?b") << "invalid bytes are replaced; the text ends at the first zero byte";
}

TEST(StreamFieldsTest, TextThatDoesNotFitTheWidthWritesNothing) {
    MemoryStream stream;
    EXPECT_FALSE(WriteFixedString260(stream, WString(261, u'x')));
    EXPECT_TRUE(WriteFixedString260(stream, WString(130, u'한'))) << "two bytes a syllable";
    EXPECT_FALSE(WriteFixedString260(stream, WString(129, u'한') + u"abc"));
    EXPECT_EQ(stream.Size(), 260u);
}

TEST(StreamFieldsTest, ScrambledFieldMatchesTheWorkedExampleAndRoundTripsForEveryKey) {
    MemoryStream example;
    ASSERT_TRUE(WriteScrambledString(example, u"abc", 16, 7));
    EXPECT_EQ(WrittenBytes(example),
              (Bytes{0x66, 0x0a, 0xa9, 0x2d, 0x2d, 0x2d, 0x2d, 0x2d, 0x2d, 0x2d, 0x2d, 0x2d, 0x2d, 0x2d, 0x2d, 0x07}));

    const WString name = u"Ball한Set01";
    for (int key = 0; key < 255; ++key) {
        SCOPED_TRACE(key);
        MemoryStream stream;
        ASSERT_TRUE(WriteScrambledString(stream, name, 16, static_cast<uint8_t>(key)));
        ASSERT_EQ(stream.Size(), 16u);
        EXPECT_EQ(stream.Data()[0], 'B' ^ key);
        EXPECT_EQ(stream.Data()[15], key);
        ASSERT_TRUE(stream.Seek(Stream::kFromBegin, 0));
        WString text;
        EXPECT_TRUE(ReadScrambledString(stream, text, 16));
        EXPECT_EQ(text, name);
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
    EXPECT_FALSE(WriteScrambledString(rejected, u"", 0, 9)) << "no room for the key";
    EXPECT_EQ(rejected.Size(), 0u);
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
