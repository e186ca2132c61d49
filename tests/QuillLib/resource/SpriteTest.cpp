#include <gtest/gtest.h>

#include <cmath>

#include "GraphicsItems.h"
#include "QuillLib/math/VertexAccess.h"
#include "QuillLib/resource/SpriteAnimation.h"
#include "TestResourceDevice.h"

namespace quill {
namespace {

// The texture coordinate set of a quad corner.
std::pair<float, float> Uv(const SpriteObject& sprite, uint32_t corner) {
    const VertexData& vertices = *sprite.mesh->vertices;
    const float* words = vertices.Words().data() + corner * vertices.Stride() + vertices.TextureSetOffset(0) / 4;
    return {words[0], words[1]};
}

SpriteObject SpriteOn(uint32_t width, uint32_t height) {
    SpriteObject sprite(u"marker");
    sprite.BuildMesh(resource_test::MakeTexture(resource_test::MakeBmp(width, height, 0), width, height));
    return sprite;
}

TEST(SpriteTest, SourceRectanglesMapOntoTheQuad) {
    SpriteObject sprite = SpriteOn(256, 128);
    EXPECT_EQ(Uv(sprite, 3), (std::pair<float, float>{1.0f, 1.0f}));
    float width = 0;
    float height = 0;
    sprite.GetSize(width, height);
    EXPECT_EQ(width, 256.0f);
    EXPECT_EQ(sprite.GetTexture()->settings.addressU, 2) << "a sprite's texture clamps";

    sprite.SetSourceRect(0, 0, 63, 31);
    EXPECT_EQ(Uv(sprite, 1).first, 0.25f);
    EXPECT_EQ(Uv(sprite, 2).second, 0.25f);
    sprite.SetPivot({32, 16, 2});
    EXPECT_TRUE(ReadPosition(*sprite.mesh->vertices, 0).Equals({-32, -16, 2}));
    EXPECT_TRUE(ReadPosition(*sprite.mesh->vertices, 3).Equals({32, 16, 2}));
    sprite.SetSize(10, 0);
    EXPECT_TRUE(ReadPosition(*sprite.mesh->vertices, 3).Equals({-22, 16, 2}));

    sprite.SetPosition({10.2f, 3.7f, 1}, true);
    EXPECT_TRUE(sprite.worldTransform.position.Equals({9.5f, 3.5f, 1}));
}

TEST(SpriteTest, FrameAnimationStepsThroughRowsOfCells) {
    SpriteObject sprite = SpriteOn(256, 256);
    sprite.SetSourceRect(0, 0, 63, 63);
    sprite.SetPlayer(0, 8, 0.1f);
    sprite.UpdateAnimation(0.55f);
    EXPECT_EQ(sprite.sourceRect, (std::array<int32_t, 4>{64, 64, 127, 127}));  // frame 5: row 1, column 1
    sprite.UpdateAnimation(0.5f);  // a loop never ends: frame 2 of the next round
    EXPECT_EQ(sprite.sourceRect, (std::array<int32_t, 4>{128, 0, 191, 63}));

    // A play-once animation hides the quad at its end and stops.
    sprite.SetPlayer(1, 2, 0.5f);
    sprite.player->playing = 1;
    sprite.UpdateAnimation(1.5f);
    EXPECT_EQ(sprite.mesh->IsVisible(), 0);
    EXPECT_EQ(sprite.player->playing, 0);
    EXPECT_EQ(sprite.player->time, 0.0f);
}

TEST(SpriteTest, CellsWiderThanTheTextureOrEmptyLeaveTheRectangle) {
    SpriteObject sprite = SpriteOn(32, 32);
    sprite.SetSourceRect(0, 0, 63, 63);  // wider than the texture: no cell fits a row
    sprite.SetPlayer(0, 4, 0.1f);
    sprite.UpdateAnimation(0.25f);
    EXPECT_EQ(sprite.sourceRect, (std::array<int32_t, 4>{0, 0, 63, 63}));
    sprite.SetSourceRect(10, 0, 5, 7);  // right before left
    sprite.UpdateAnimation(0.25f);
    EXPECT_EQ(sprite.sourceRect, (std::array<int32_t, 4>{10, 0, 5, 7}));
    sprite.player->frameTime = 0.0f;
    sprite.SetSourceRect(0, 0, 7, 7);
    sprite.UpdateAnimation(0.25f);
    EXPECT_EQ(sprite.sourceRect, (std::array<int32_t, 4>{0, 0, 7, 7}));
}

TEST(SpriteTest, FacingFollowsTheViewerOnlyWhenBillboarded) {
    SpriteObject sprite = SpriteOn(16, 16);
    sprite.UpdateBillboard({0, 0, -10}, {0, 0, 1}, {0, -1, 0});
    EXPECT_TRUE(sprite.localTransform.rotation.IsIdentity());

    sprite.billboardMode = 1;
    sprite.facingMode = 1;
    sprite.UpdateBillboard({0, 0, 0}, {1, 0, 0}, {0, -1, 0});  // looking along +x: the sprite faces -x
    Vec3 facing = sprite.baseFacing;
    facing.Rotate(sprite.localTransform.rotation);
    EXPECT_NEAR(facing.x, -1.0f, 1e-5f);
    EXPECT_NEAR(facing.z, 0.0f, 1e-5f);

    // The facing rotation applies to the base rotation and reaches the world transform through the parent.
    Transform parent;
    parent.SetPosition({0, 0, 5});
    sprite.SetParentTransform(parent);
    Quaternion quarter;
    quarter.FromAxisAngle(kHalfPi, {0, 1, 0});
    sprite.SetFacingRotation(quarter);
    EXPECT_EQ(sprite.worldTransform.position.z, 5.0f);
    EXPECT_NEAR(sprite.worldTransform.rotation.y, quarter.y, 1e-6f);
}

TEST(SpriteTest, CopiesHaveTheirOwnQuadAndAFreshPlayer) {
    resource_test::TestResourceDevice device;  // outlives the textures it makes device textures for
    SpriteObject sprite = SpriteOn(16, 16);
    sprite.SetPlayer(1, 3, 0.2f);
    sprite.player->playing = 1;
    sprite.player->time = 0.3f;
    std::unique_ptr<SpriteObject> copy(sprite.Clone());
    EXPECT_NE(copy->mesh, sprite.mesh);
    EXPECT_EQ(copy->GetTexture(), sprite.GetTexture());
    EXPECT_EQ(copy->player->time, 0.0f);
    EXPECT_EQ(copy->player->playing, 0);

    copy->GetTexture()->SetDevice(&device);
    copy->twoSided = 1;
    ASSERT_TRUE(copy->Draw(device));
    EXPECT_EQ(device.cullModes.back(), 1);
    EXPECT_EQ(device.drawnIndices, 6u);
    EXPECT_FALSE(SpriteObject().Draw(device));
}

// A node with one keyframe: wait delay seconds, then move along x at 10 per second for duration seconds.
SpriteAnimation AnimationNode(uint16_t playMode, float delay, float duration) {
    SpriteAnimation node;
    node.playMode = playMode;
    SpriteKeyframe keyframe;
    keyframe.delay = delay;
    keyframe.duration = duration;
    keyframe.velocity.x = 10;
    keyframe.velocity.rotation = 4;
    node.AddKeyframe(keyframe);
    return node;
}

TEST(SpriteAnimationTest, DelaysMotionAndLoops) {
    SpriteAnimation once = AnimationNode(0, 1.0f, 2.0f);
    EXPECT_EQ(once.Advance(0.5f), SpriteAnimation::kNotStarted);
    once.Start();
    EXPECT_EQ(once.Advance(0.5f), SpriteAnimation::kWaiting);
    EXPECT_EQ(once.Advance(1.0f), SpriteAnimation::kMoving);
    EXPECT_EQ(once.sprite.localTransform.position.x, 4.5f);  // 0.5 s of motion, snapped to a pixel centre
    EXPECT_EQ(once.Advance(2.0f), SpriteAnimation::kStopped);
    EXPECT_EQ(once.Advance(1.0f), SpriteAnimation::kStopped);

    SpriteAnimation counted = AnimationNode(2, 0.0f, 1.0f);
    counted.loopCount = 3;
    EXPECT_EQ(counted.Advance(2.5f), SpriteAnimation::kMoving);
    EXPECT_EQ(counted.loopsDone, 2u);
    EXPECT_EQ(counted.Advance(0.6f), SpriteAnimation::kStopped);
    EXPECT_EQ(counted.loopsDone, 3u);
    EXPECT_EQ(counted.sprite.localTransform.position.x, 9.5f);  // the final state applied

    // A step of many loops costs no more than one; the rotation stays below a turn.
    SpriteAnimation forever = AnimationNode(1, 0.0f, 1.0f);
    EXPECT_EQ(forever.Advance(1.0e9f + 0.5f), SpriteAnimation::kMoving);
    EXPECT_LT(std::fabs(forever.accumulated.rotation), 6.3f);
    EXPECT_EQ(AnimationNode(3, 0, 1).Advance(0.1f), SpriteAnimation::kStopped);
}

TEST(SpriteAnimationTest, NodeRecordsRoundTripAndCopiesStartAfresh) {
    SharedPtr<SpriteAnimation> animation = resource_test::MakeSpriteAnimation();
    MemoryStream record;
    ASSERT_TRUE(animation->WriteNode(record, true));
    EXPECT_EQ(record.Size(), 4u + 2 + 4 + 4 + 120 + 4 + (4 + 2 + 4 + 120 + 4));
    record.Seek(Stream::kFromBegin, 0);
    SpriteAnimation read;
    ASSERT_TRUE(read.ReadNode(nullptr, record, true, false));
    EXPECT_EQ(read.loopCount, 3u);
    EXPECT_EQ(read.children.size(), 1u);
    EXPECT_EQ(read.length, 1.5f);

    animation->Start();
    animation->Advance(0.7f);
    std::unique_ptr<SpriteAnimation> copy(animation->Clone());
    EXPECT_EQ(copy->current, -1);
    EXPECT_EQ(copy->length, 1.5f);
    EXPECT_NE(copy->children[0], animation->children[0]);
}

}  // namespace
}  // namespace quill
