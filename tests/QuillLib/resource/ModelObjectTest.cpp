#include <gtest/gtest.h>

#include <cmath>

#include "GraphicsItems.h"
#include "QuillLib/math/SlotFlags.h"
#include "QuillLib/math/VertexAccess.h"
#include "QuillLib/resource/ModelObjectBounds.h"
#include "QuillLib/resource/PlacedModelObject.h"
#include "TestResourceDevice.h"

namespace quill {
namespace {

void ExpectNear(const Vec3& actual, const Vec3& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
    EXPECT_NEAR(actual.z, expected.z, 1e-5f);
}

// An upper bone at the origin and a lower bone turning about (1, 0, 0).
SharedPtr<Skeleton> TwoBones() {
    SharedPtr<Skeleton> skeleton = quill::make_shared<Skeleton>(u"arm");
    skeleton->Bones() = {SkeletonBone{u"upper", SkeletonBone::kRoot, {0, 0, 0}}, SkeletonBone{u"lower", 0, {1, 0, 0}}};
    return skeleton;
}

// A quarter turn about z for the lower bone, the same at both keyframes.
SharedPtr<BoneAnimation> Bend(const SharedPtr<Skeleton>& skeleton) {
    SharedPtr<BoneAnimation> bend = quill::make_shared<BoneAnimation>(u"bend", skeleton);
    for (float time : {0.0f, 1.0f}) {
        SharedPtr<BoneKeyframe> keyframe = quill::make_shared<BoneKeyframe>(time, 2);
        keyframe->poses[1].rotation.FromAxisAngle(kHalfPi, {0, 0, 1});
        bend->AppendKeyframe(keyframe);
    }
    return bend;
}

TEST(SkinningTest, ATwoBoneMeshFollowsItsBonesByWeight) {
    SharedPtr<Skeleton> skeleton = TwoBones();
    SharedPtr<SkinnedMesh> mesh = quill::make_shared<SkinnedMesh>(u"arm", skeleton);
    mesh->Allocate(VertexData::kPosition, 5);
    const Vec3 bind[5] = {{0.5f, 0, 0}, {2, 0, 0}, {1, 1, 0}, {3, 3, 3}, {4, 4, 4}};
    for (uint32_t v = 0; v < 5; ++v) {
        WritePosition(*mesh->vertices, v, bind[v]);
    }
    mesh->AddInfluence(0, {0, 1.0f});
    mesh->AddInfluence(1, {1, 1.0f});
    mesh->AddInfluence(2, {0, 0.25f});
    mesh->AddInfluence(2, {1, 0.75f});
    mesh->AddInfluence(4, {9, 1.0f});  // a bone the skeleton lacks: skipped; vertex 3 has no list at all

    ModelObject frame(u"root", skeleton, 0, 0, 0, 1.0f);
    frame.Attach(0, mesh);
    PlacedModelObject placed(frame, Transform{});
    PlacedModelObject other(frame, Transform{});
    ASSERT_TRUE(placed.AttachBoneAnimation(0.0f, 0, Bend(skeleton)));
    EXPECT_FALSE(placed.AttachBoneAnimation(0.0f, 0, Bend(TwoBones()))) << "a skeleton the model does not use";
    placed.AdvanceAnimation(0.5f);

    const VertexData& skinned = *placed.GetAttachment()->vertices;
    ExpectNear(ReadPosition(skinned, 0), {0.5f, 0, 0});
    ExpectNear(ReadPosition(skinned, 1), {1, 1, 0});         // (2, 0, 0) turned about (1, 0, 0)
    ExpectNear(ReadPosition(skinned, 2), {0.25f, 0.25f, 0});  // 0.25 x (1, 1, 0) + 0.75 x (0, 0, 0)
    ExpectNear(ReadPosition(skinned, 3), bind[3]);
    ExpectNear(ReadPosition(skinned, 4), bind[4]);
    // The loaded mesh and the other instance keep the bind pose.
    ExpectNear(ReadPosition(*mesh->vertices, 1), bind[1]);
    ExpectNear(ReadPosition(*other.GetAttachment()->vertices, 1), bind[1]);

    // A clip that does not loop ends its player.
    placed.AdvanceAnimation(1.0f);
    EXPECT_TRUE(placed.bonePlayers.empty());
}

TEST(SkinningTest, WorldPosesTurnAboutPivotsAndRefuseShortPoses) {
    Skeleton skeleton;
    skeleton.Bones() = {SkeletonBone{u"root", SkeletonBone::kRoot, {1, 0, 0}}};
    std::vector<BonePose> pose(1);
    pose[0].position = {0, 0, 5};
    pose[0].rotation.FromAxisAngle(kPi, {0, 0, 1});
    ASSERT_TRUE(skeleton.ComputeWorldPose(pose));
    ExpectNear(pose[0].position, {2, 0, 5});
    std::vector<BonePose> none;
    EXPECT_FALSE(skeleton.ComputeWorldPose(none));
    skeleton.Bones()[0].parent = 4;
    std::vector<BonePose> one(1);
    EXPECT_FALSE(skeleton.ComputeWorldPose(one)) << "a parent past the bones";
}

class ModelTreeTest : public ::testing::Test {
protected:
    void SetUp() override {
        colour_ = resource_test::MakeTexture(resource_test::MakeBmp(2, 2, 0xFF0000), 2, 2);
        bump_ = resource_test::MakeTexture(resource_test::MakeBmp(2, 2, 0x00FF00), 2, 2);
        colour_->SetDevice(&device_);
        bump_->SetDevice(&device_);
        SharedPtr<Mesh> quad = resource_test::MakeQuadMesh(resource_test::MakeMaterial(colour_, bump_));
        frame_ = quill::make_shared<ModelObject>(u"table");
        frame_->Attach(0, quad);
        SharedPtr<ModelObject> leg = quill::make_shared<ModelObject>(u"leg");
        SharedPtr<ModelObject> foot = quill::make_shared<ModelObject>(u"foot");
        foot->Attach(0, quad);
        leg->AddChild(foot);
        frame_->AddChild(leg);
        placed_ = std::make_unique<PlacedModelObject>(*frame_, Transform{});
    }

    ModelObject& Foot() { return *placed_->Children()[0]->Children()[0]; }

    resource_test::TestResourceDevice device_;
    SharedPtr<Texture> colour_;
    SharedPtr<Texture> bump_;
    SharedPtr<ModelObject> frame_;
    std::unique_ptr<PlacedModelObject> placed_;
};

TEST_F(ModelTreeTest, SubtreeSettersReachEveryNodeButNotTheLoadedModel) {
    placed_->SetVisibleRecursive(0);
    EXPECT_EQ(placed_->Children()[0]->pose.visible, 0);  // a node without a mesh
    EXPECT_EQ(Foot().GetAttachment()->IsVisible(), 0);
    EXPECT_EQ(frame_->GetAttachment()->IsVisible(), 1);

    placed_->SetCullStateRecursive(1, 2.0f, false);
    EXPECT_EQ(placed_->pose.cullResult, 1);
    EXPECT_EQ(Foot().pose.cullResult, 0);

    placed_->SetCameraModeRecursive(2);
    placed_->SetCameraModeRecursive(2);
    EXPECT_NE(Foot().camera, nullptr);
    placed_->SetCameraModeRecursive(0);
    EXPECT_EQ(Foot().camera, nullptr);

    placed_->SetDirection1Recursive({0, 3, 0});
    EXPECT_EQ(Foot().direction1.y, 1.0f);
}

TEST_F(ModelTreeTest, TextureWalksFollowTheSlotMask) {
    EXPECT_TRUE(placed_->AcquireTexturesRecursive(0));
    EXPECT_TRUE(device_.live.empty());
    EXPECT_TRUE(placed_->AcquireTexturesRecursive(IndexToFlagBit(0)));
    EXPECT_TRUE(colour_->IsInUse());
    EXPECT_FALSE(bump_->IsInUse());
    EXPECT_TRUE(placed_->AcquireTexturesRecursive(255));
    EXPECT_TRUE(bump_->IsInUse());
    EXPECT_TRUE(placed_->ReleaseTexturesRecursive(255));
    EXPECT_TRUE(placed_->ReleaseTexturesRecursive(IndexToFlagBit(0)));
    EXPECT_TRUE(device_.live.empty());

    placed_->SelectTextureSlotRecursive(1, 2);
    EXPECT_EQ(bump_->selected, 1);
    placed_->SelectTextureSlotRecursive(1, 65535);  // no such slot: the present choice is only cleared
    EXPECT_EQ(bump_->selected, 0);
    EXPECT_EQ(colour_->selected, 0);
}

TEST_F(ModelTreeTest, BoundsEncloseTheMeshAndTheChildren) {
    Transform up;
    up.SetPosition({0, 0, 10});
    placed_->Children()[0]->bound = BoundingSphere{{0, 0, 0}, 1};
    placed_->Children()[0]->SetLocalTransform(up);
    BoundingBox box;
    BoxFromModelObject(box, *placed_);
    EXPECT_EQ(box.max.z, 11.0f);
    EXPECT_EQ(box.min.x, std::min(-1.0f, placed_->GetAttachment()->bound.centre.x - placed_->GetAttachment()->bound.radius));
    BoundingSphere sphere;
    EncloseModelObject(sphere, *placed_);
    EXPECT_GE(sphere.radius + 1e-5f, (Vec3{0, 0, 10} - sphere.centre).Length() + 1.0f);
    EXPECT_EQ(Foot().pose.world.position.z, 10.0f);
}

}  // namespace
}  // namespace quill
