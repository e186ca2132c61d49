#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "QuillLib/math/SlotFlags.h"
#include "QuillLib/math/VertexData.h"

namespace quill {
namespace {

constexpr uint32_t kPosition = VertexData::kPosition;
constexpr uint32_t kNormal = VertexData::kNormal;
constexpr uint32_t kColour = VertexData::kColour;
constexpr uint32_t kAbsent = VertexData::kAbsent;

// Layout word with the given texture sets, each given by its size code.
uint32_t Layout(uint32_t attributes, std::initializer_list<uint32_t> sizeCodes) {
    uint32_t flags = attributes | static_cast<uint32_t>(sizeCodes.size()) << 8;
    uint32_t set = 0;
    for (uint32_t code : sizeCodes) {
        flags |= code << (16 + 2 * set++);
    }
    return flags;
}

// Fills every word of every vertex with base + 100 * vertex + word, so that each float tells where it came from.
void Fill(VertexData& data, float base) {
    auto words = data.Words();
    for (uint32_t vertex = 0; vertex < data.VertexCount(); ++vertex) {
        for (uint32_t word = 0; word < data.Stride(); ++word) {
            words[vertex * data.Stride() + word] =
                base + 100.0f * static_cast<float>(vertex) + static_cast<float>(word);
        }
    }
}

float At(const VertexData& data, uint32_t vertex, uint32_t byteOffset, uint32_t component = 0) {
    return data.Words()[vertex * data.Stride() + byteOffset / 4 + component];
}

VertexData Make(uint32_t flags, uint32_t count, float base) {
    VertexData data;
    EXPECT_TRUE(data.SetLayout(flags, count));
    Fill(data, base);
    data.SetUploadState(7);
    return data;
}

TEST(VertexLayoutTest, OffsetsFollowTheAttributeOrder) {
    VertexData data;
    ASSERT_TRUE(data.SetLayout(Layout(kPosition | kNormal | kColour, {0, 1, 2, 3}), 5));
    EXPECT_EQ(data.PositionOffset(), 0u);
    EXPECT_EQ(data.NormalOffset(), 12u);
    EXPECT_EQ(data.ColourOffset(), 24u);
    EXPECT_EQ(data.TextureSetOffset(0), 28u);  // two floats
    EXPECT_EQ(data.TextureSetOffset(1), 36u);  // one float
    EXPECT_EQ(data.TextureSetOffset(2), 40u);  // three floats
    EXPECT_EQ(data.TextureSetOffset(3), 52u);  // size code 3 holds nothing
    EXPECT_EQ(data.TextureSetOffset(4), kAbsent);
    EXPECT_EQ(data.VertexSize(), 52u);
    EXPECT_EQ(data.Stride(), 13u);
    EXPECT_EQ(data.Words().size(), 65u);
    EXPECT_EQ(data.Bytes().size(), 260u);
    EXPECT_EQ(data.UploadState(), VertexData::kChanged);

    ASSERT_TRUE(data.SetLayout(Layout(kNormal, {}), 2));
    EXPECT_EQ(data.PositionOffset(), kAbsent);
    EXPECT_EQ(data.NormalOffset(), 0u);
    EXPECT_EQ(data.ColourOffset(), kAbsent);
    EXPECT_EQ(data.TextureSetOffset(0), kAbsent);
    EXPECT_EQ(data.Stride(), 3u);

    ASSERT_TRUE(data.SetLayout(Layout(kPosition, {0}), 0));
    EXPECT_TRUE(data.Words().empty());
    EXPECT_EQ(data.VertexSize(), 20u);
}

TEST(VertexLayoutTest, RefusesMoreThanEightTextureSetsAndOversizedData) {
    VertexData data;
    ASSERT_TRUE(data.SetLayout(Layout(kPosition, {0}), 3));
    ASSERT_TRUE(data.SetLayout(Layout(kPosition, {0, 0, 0, 0, 0, 0, 0, 0}), 3));  // eight is the most
    EXPECT_EQ(data.TextureSetOffset(7), 12u + 7 * 8);

    const uint32_t nineSets = kPosition | 9u << 8;
    EXPECT_FALSE(data.SetLayout(nineSets, 3));
    EXPECT_FALSE(data.SetLayout(kPosition | 15u << 8, 3));
    EXPECT_EQ(data.VertexCount(), 3u);  // the record is as it was
    EXPECT_EQ(data.Stride(), 19u);

    // A vertex count from a damaged file that would need more than 4 GiB is refused before allocating.
    EXPECT_FALSE(data.SetLayout(Layout(kPosition | kNormal, {}), 0xFFFFFFFF));
    EXPECT_EQ(data.VertexCount(), 3u);
}

TEST(VertexCopyTest, EqualLayoutsCopyWhole) {
    const uint32_t flags = Layout(kPosition | kColour, {0});
    const VertexData src = Make(flags, 3, 1000.0f);
    VertexData dst = Make(flags, 3, 0.0f);
    dst.CopyFrom(src);
    EXPECT_TRUE(std::equal(dst.Words().begin(), dst.Words().end(), src.Words().begin()));
    EXPECT_EQ(dst.UploadState(), VertexData::kChanged);
}

TEST(VertexCopyTest, DifferentCountsOrSelfChangeNothing) {
    const uint32_t flags = Layout(kPosition, {});
    const VertexData src = Make(flags, 4, 1000.0f);
    VertexData dst = Make(flags, 3, 0.0f);
    dst.CopyFrom(src);
    EXPECT_EQ(At(dst, 0, 0), 0.0f);
    EXPECT_EQ(dst.UploadState(), 7);
    dst.CopyFrom(dst);
    EXPECT_EQ(dst.UploadState(), 7);
}

TEST(VertexCopyTest, CopiesOnlyWhatBothLayoutsHold) {
    // Source: position, colour, two sets (two floats, three floats). Destination: position, normal, three sets
    // (two floats, one float, two floats).
    const VertexData src = Make(Layout(kPosition | kColour, {0, 2}), 2, 1000.0f);
    VertexData dst = Make(Layout(kPosition | kNormal, {0, 1, 0}), 2, 0.0f);
    dst.CopyFrom(src);
    for (uint32_t v = 0; v < 2; ++v) {
        for (uint32_t c = 0; c < 3; ++c) {
            EXPECT_EQ(At(dst, v, dst.PositionOffset(), c), At(src, v, src.PositionOffset(), c));
            EXPECT_EQ(At(dst, v, dst.NormalOffset(), c), 100.0f * v + 3 + c) << "normals are left alone";
        }
        EXPECT_EQ(At(dst, v, dst.TextureSetOffset(0), 0), At(src, v, src.TextureSetOffset(0), 0));
        EXPECT_EQ(At(dst, v, dst.TextureSetOffset(0), 1), At(src, v, src.TextureSetOffset(0), 1));
        EXPECT_EQ(At(dst, v, dst.TextureSetOffset(1), 0), At(src, v, src.TextureSetOffset(1), 0));
        const uint32_t thirdSet = dst.TextureSetOffset(2) / 4;
        EXPECT_EQ(At(dst, v, dst.TextureSetOffset(2)), 100.0f * v + thirdSet) << "the third set is not in the source";
    }
    EXPECT_EQ(dst.UploadState(), VertexData::kChanged);
}

TEST(VertexCopyTest, NeverReadsPastAShorterSourceSet) {
    // The destination's set 0 has three floats, the source's one: only one float is copied.
    const VertexData src = Make(Layout(kPosition, {1}), 3, 1000.0f);
    VertexData dst = Make(Layout(kPosition, {2}), 3, 0.0f);
    dst.CopyFrom(src);
    const uint32_t set = dst.TextureSetOffset(0);
    EXPECT_EQ(At(dst, 2, set, 0), At(src, 2, src.TextureSetOffset(0)));
    EXPECT_EQ(At(dst, 2, set, 1), 200.0f + set / 4 + 1);
    EXPECT_EQ(At(dst, 2, set, 2), 200.0f + set / 4 + 2);

    // A set whose size code is 3 on either side is never written.
    const VertexData none = Make(Layout(kPosition, {3}), 3, 1000.0f);
    VertexData target = Make(Layout(kPosition, {0}), 3, 0.0f);
    target.CopyFrom(none);
    EXPECT_EQ(At(target, 1, target.TextureSetOffset(0)), 100.0f + 3);
}

TEST(VertexCopyTest, ColourWordsCopyBitForBit) {
    VertexData src;
    ASSERT_TRUE(src.SetLayout(Layout(kColour, {}), 1));
    const uint32_t signallingNaN = 0x7FA00001;
    src.Words()[0] = std::bit_cast<float>(signallingNaN);
    VertexData dst;
    ASSERT_TRUE(dst.SetLayout(Layout(kPosition | kColour, {}), 1));
    dst.CopyFrom(src);
    EXPECT_EQ(std::bit_cast<uint32_t>(dst.Words()[dst.ColourOffset() / 4]), signallingNaN);
}

TEST(VertexInterpolateTest, BlendsPositionsNormalsAndSetsButNotColours) {
    const uint32_t flags = Layout(kPosition | kNormal | kColour, {0, 3, 1});
    const VertexData a = Make(flags, 7, 0.0f);  // seven vertices: one pass of four and three left over
    const VertexData b = Make(flags, 7, 1000.0f);
    VertexData out = Make(flags, 7, -50.0f);
    for (float t : {0.0f, 0.25f, 1.0f}) {
        ASSERT_TRUE(out.Interpolate(a, b, t));
        for (uint32_t v = 0; v < 7; ++v) {
            for (uint32_t c = 0; c < 3; ++c) {
                EXPECT_EQ(At(out, v, out.PositionOffset(), c), At(a, v, 0, c) + 1000.0f * t);
                EXPECT_EQ(At(out, v, out.NormalOffset(), c), At(a, v, 12, c) + 1000.0f * t);
            }
            EXPECT_EQ(At(out, v, out.ColourOffset()), -50.0f + 100.0f * v + 6) << "colours keep their value";
            EXPECT_EQ(At(out, v, out.TextureSetOffset(0), 1), At(a, v, a.TextureSetOffset(0), 1) + 1000.0f * t);
            EXPECT_EQ(At(out, v, out.TextureSetOffset(2)), At(a, v, a.TextureSetOffset(2)) + 1000.0f * t);
        }
        EXPECT_EQ(out.UploadState(), VertexData::kChanged);
    }
}

TEST(VertexInterpolateTest, RecordWithoutTextureSetsIsStillMarked) {
    const uint32_t flags = Layout(kPosition | kNormal, {});
    const VertexData a = Make(flags, 2, 0.0f);
    const VertexData b = Make(flags, 2, 10.0f);
    VertexData out = Make(flags, 2, 0.0f);
    ASSERT_TRUE(out.Interpolate(a, b, 0.5f));
    EXPECT_EQ(At(out, 1, 12, 2), 100.0f + 5 + 5);
    EXPECT_EQ(out.UploadState(), VertexData::kChanged);
}

TEST(VertexInterpolateTest, RefusesShortFramesAndSkipsMissingAttributes) {
    const uint32_t flags = Layout(kPosition | kNormal, {2});
    const VertexData shortFrame = Make(flags, 3, 0.0f);
    const VertexData full = Make(flags, 4, 1000.0f);
    VertexData out = Make(flags, 4, -1.0f);
    EXPECT_FALSE(out.Interpolate(shortFrame, full, 0.5f));
    EXPECT_FALSE(out.Interpolate(full, shortFrame, 0.5f));
    EXPECT_EQ(At(out, 3, 0), 299.0f);
    EXPECT_EQ(out.UploadState(), 7);

    // A key frame without normals and with a one-float set: positions blend, normals and the set stay.
    const VertexData noNormals = Make(Layout(kPosition, {1}), 4, 2000.0f);
    ASSERT_TRUE(out.Interpolate(full, noNormals, 0.5f));
    EXPECT_EQ(At(out, 3, 0, 1), 0.5f * (At(full, 3, 0, 1) + At(noNormals, 3, 0, 1)));
    EXPECT_EQ(At(out, 3, 12, 1), 299.0f + 4);
    EXPECT_EQ(At(out, 3, out.TextureSetOffset(0), 2), 299.0f + 6 + 2);
}

TEST(SlotFlagsTest, MapsTheEightSlots) {
    const uint32_t expected[8] = {1, 16, 32, 64, 4, 8, 2, 128};
    uint32_t all = 0;
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(IndexToFlagBit(k), expected[k]);
        all |= IndexToFlagBit(k);
    }
    EXPECT_EQ(all, 255u);
    EXPECT_EQ(IndexToFlagBit(8), 0u);
    EXPECT_EQ(IndexToFlagBit(-1), 0u);

    EXPECT_EQ(CountFlagBits(255, 8), 8);
    EXPECT_EQ(CountFlagBits(255, 12), 8);
    EXPECT_EQ(CountFlagBits(1 | 2, 8), 2);  // slots 0 and 6
    EXPECT_EQ(CountFlagBits(1 | 2, 6), 1);
    EXPECT_EQ(CountFlagBits(0, 8), 0);
}

}  // namespace
}  // namespace quill
