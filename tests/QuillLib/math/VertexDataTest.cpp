#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <span>

#include "QuillLib/math/SlotFlags.h"
#include "QuillLib/math/Transform.h"
#include "QuillLib/math/VertexData.h"

namespace quill {
namespace {

constexpr uint32_t kPosition = VertexData::kPosition;
constexpr uint32_t kNormal = VertexData::kNormal;
constexpr uint32_t kColour = VertexData::kColour;

// Layout word with the given texture sets, each given by its size code.
uint32_t Layout(uint32_t attributes, std::initializer_list<uint32_t> sizeCodes) {
    uint32_t flags = attributes | static_cast<uint32_t>(sizeCodes.size()) << 8;
    uint32_t set = 0;
    for (uint32_t code : sizeCodes) {
        flags |= code << (16 + 2 * set++);
    }
    return flags;
}

float At(const VertexData& data, uint32_t vertex, uint32_t byteOffset, uint32_t component = 0) {
    return data.Words()[vertex * data.Stride() + byteOffset / 4 + component];
}

// A record whose words are base + 100 * vertex + word, so that each float tells where it came from, with an
// upload state that no write sets.
VertexData Make(uint32_t flags, uint32_t count, float base) {
    VertexData data;
    EXPECT_TRUE(data.SetLayout(flags, count));
    std::span<float> words = data.Words();
    for (size_t i = 0; i < words.size(); ++i) {
        words[i] = base + 100.0f * static_cast<float>(i / data.Stride()) + static_cast<float>(i % data.Stride());
    }
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
    EXPECT_EQ(data.TextureSetOffset(4), VertexData::kAbsent);
    EXPECT_EQ(data.Stride(), 13u);
    EXPECT_EQ(data.Words().size(), 65u);
    EXPECT_EQ(data.UploadState(), VertexData::kChanged);
}

TEST(VertexLayoutTest, RefusesMoreThanEightTextureSetsAndOversizedData) {
    VertexData data;
    ASSERT_TRUE(data.SetLayout(Layout(kPosition, {0, 0, 0, 0, 0, 0, 0, 0}), 3));  // eight is the most
    EXPECT_EQ(data.TextureSetOffset(7), 12u + 7 * 8);

    EXPECT_FALSE(data.SetLayout(kPosition | 9u << 8, 3));
    EXPECT_FALSE(data.SetLayout(kPosition | 15u << 8, 3));
    EXPECT_EQ(data.VertexCount(), 3u);  // the record is as it was
    EXPECT_EQ(data.Stride(), 19u);

    // A vertex count from a damaged file that would need more than 4 GiB is refused before allocating.
    EXPECT_FALSE(data.SetLayout(Layout(kPosition | kNormal, {}), 0xFFFFFFFF));
    EXPECT_EQ(data.VertexCount(), 3u);
}

TEST(VertexCopyTest, EqualLayoutsCopyWholeAndOtherCountsChangeNothing) {
    const uint32_t flags = Layout(kPosition | kColour, {0});
    VertexData dst = Make(flags, 3, 0.0f);
    dst.CopyFrom(Make(flags, 4, 1000.0f));
    dst.CopyFrom(dst);
    EXPECT_EQ(At(dst, 0, 0), 0.0f);
    EXPECT_EQ(dst.UploadState(), 7) << "not even marked";

    const VertexData src = Make(flags, 3, 1000.0f);
    dst.CopyFrom(src);
    EXPECT_TRUE(std::ranges::equal(dst.Words(), src.Words()));
    EXPECT_EQ(dst.UploadState(), VertexData::kChanged);
}

TEST(VertexCopyTest, CopiesOnlyWhatBothLayoutsHold) {
    // Source: position, colour, sets of two and one floats. Destination: position, normal, sets of two, three
    // and two floats; its second set takes one float, its third none.
    const VertexData src = Make(Layout(kPosition | kColour, {0, 1}), 2, 1000.0f);
    VertexData dst = Make(Layout(kPosition | kNormal, {0, 2, 0}), 2, 0.0f);
    dst.CopyFrom(src);
    const uint32_t v = 1;  // the second vertex shows whether each record's own stride is used
    const auto unchanged = [&](uint32_t byteOffset) { return 100.0f + static_cast<float>(byteOffset / 4); };
    for (uint32_t c = 0; c < 3; ++c) {
        EXPECT_EQ(At(dst, v, dst.PositionOffset(), c), At(src, v, src.PositionOffset(), c));
        EXPECT_EQ(At(dst, v, dst.NormalOffset(), c), unchanged(dst.NormalOffset()) + c);
    }
    EXPECT_EQ(At(dst, v, dst.TextureSetOffset(0), 1), At(src, v, src.TextureSetOffset(0), 1));
    EXPECT_EQ(At(dst, v, dst.TextureSetOffset(1), 0), At(src, v, src.TextureSetOffset(1), 0));
    EXPECT_EQ(At(dst, v, dst.TextureSetOffset(1), 1), unchanged(dst.TextureSetOffset(1)) + 1) << "read past";
    EXPECT_EQ(At(dst, v, dst.TextureSetOffset(2)), unchanged(dst.TextureSetOffset(2))) << "not in the source";
    EXPECT_EQ(dst.UploadState(), VertexData::kChanged);
}

TEST(VertexInterpolateTest, BlendsPositionsNormalsAndSetsButNotColours) {
    const uint32_t flags = Layout(kPosition | kNormal | kColour, {0, 3, 1});
    const VertexData a = Make(flags, 7, 0.0f);  // seven vertices: one pass of four and three left over
    const VertexData b = Make(flags, 7, 1000.0f);
    VertexData out = Make(flags, 7, -50.0f);
    ASSERT_TRUE(out.Interpolate(a, b, 0.25f));
    for (uint32_t v = 0; v < 7; ++v) {
        for (uint32_t c = 0; c < 3; ++c) {
            EXPECT_EQ(At(out, v, out.PositionOffset(), c), At(a, v, 0, c) + 250.0f);
            EXPECT_EQ(At(out, v, out.NormalOffset(), c), At(a, v, 12, c) + 250.0f);
        }
        EXPECT_EQ(At(out, v, out.ColourOffset()), -50.0f + 100.0f * v + 6) << "colours keep their value";
        EXPECT_EQ(At(out, v, out.TextureSetOffset(0), 1), At(a, v, a.TextureSetOffset(0), 1) + 250.0f);
        EXPECT_EQ(At(out, v, out.TextureSetOffset(2)), At(a, v, a.TextureSetOffset(2)) + 250.0f);
    }
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

TEST(VertexTransformTest, MovesPositionsOnlyAndLeavesTheRecordVisible) {
    Transform placement;
    placement.Set(Vec3{10, 20, 30}, Vec3{2, 2, 2}, Quaternion{});
    VertexData data = Make(Layout(kPosition | kNormal, {0}), 2, 0.0f);
    EXPECT_EQ(data.Visible(), 1) << "a new record is drawn";
    data.TransformPositions(placement);
    for (uint32_t c = 0; c < 3; ++c) {
        EXPECT_EQ(At(data, 1, 0, c), 2.0f * (100.0f + c) + 10.0f * (c + 1));
        EXPECT_EQ(At(data, 1, 12, c), 100.0f + 3 + c) << "normals stay";
    }
    EXPECT_EQ(At(data, 1, data.TextureSetOffset(0)), 100.0f + 6);
    EXPECT_EQ(data.UploadState(), VertexData::kChanged);

    VertexData noPositions = Make(Layout(kNormal, {}), 2, 0.0f);
    noPositions.TransformPositions(placement);
    EXPECT_EQ(At(noPositions, 1, 0), 100.0f);
    EXPECT_EQ(noPositions.UploadState(), 7);
}

TEST(SlotFlagsTest, MapsTheEightSlotsAndNothingElse) {
    const uint32_t expected[8] = {1, 16, 32, 64, 4, 8, 2, 128};
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(IndexToFlagBit(k), expected[k]);
    }
    EXPECT_EQ(IndexToFlagBit(8), 0u);
    EXPECT_EQ(IndexToFlagBit(-1), 0u);

    EXPECT_EQ(CountFlagBits(255, 12), 8);
    EXPECT_EQ(CountFlagBits(1 | 2, 6), 1);  // slot 6 holds bit 2
}

}  // namespace
}  // namespace quill
