// The render-state layer: repeated states reach the device once, the cascade follows the layer table, the
// projection offset never accumulates, lights and ambient follow their groups.
#include <gtest/gtest.h>

#include <bit>

#include "tests/support/gfx/RecordingDeviceFixture.h"

namespace kestrovan {
namespace {

namespace gfx = platform::gfx;
using TSS = gfx::TextureStageState;

class RenderStateLayerTest : public kvtest::RecordingDeviceFixture {
protected:
    void SetUp() override { CreateDevice(); }
    uint32_t Stage(uint32_t stage, TSS state) { return Recording().GetTextureStageState(stage, state); }
};

TEST_F(RenderStateLayerTest, RedundantStatesAreSkipped) {
    EXPECT_TRUE(device->SetMaterialAlpha(0.5f));
    EXPECT_TRUE(device->SetMaterialAlpha(0.5f));
    EXPECT_TRUE(device->SetCullMode(0));
    EXPECT_TRUE(device->SetCullMode(0));
    EXPECT_TRUE(device->SetCullMode(-1));  // the default, 2
    EXPECT_TRUE(device->SetWorld(nullptr));  // identity is already set
    EXPECT_EQ(setup->log.Count("SetMaterial("), 1u);
    EXPECT_EQ(setup->log.Count("SetRenderState(22, 1)"), 1u);
    EXPECT_EQ(setup->log.Count("SetRenderState(22, 3)"), 1u);
    EXPECT_EQ(setup->log.Count("SetTransform("), 0u);
    EXPECT_FALSE(device->SetAlphaMode(3));
    EXPECT_FALSE(device->SetTexture(nullptr, 9));
}

TEST_F(RenderStateLayerTest, CascadeFollowsTheLayerTable) {
    device->maxTextureBlendStages = 2;
    ASSERT_TRUE(device->ApplyTextureStages(0x11));  // base and light map
    EXPECT_EQ(Stage(0, TSS::ColorOp), gfx::TextureOp::Modulate);
    EXPECT_EQ(Stage(1, TSS::ColorOp), gfx::TextureOp::Modulate2x);
    EXPECT_EQ(Stage(1, TSS::TexCoordIndex), 1u);
    EXPECT_EQ(Stage(1, TSS::AlphaOp), gfx::TextureOp::SelectArg2);
    EXPECT_EQ(setup->log.Count("SetTextureStageState(1, 2,"), 0u);  // the light map keeps its argument
    EXPECT_EQ(Recording().GetSamplerState(1, gfx::SamplerState::MipMapLodBias), std::bit_cast<uint32_t>(-0.3f));
    EXPECT_EQ(setup->log.Count("SetTextureStageState(2,"), 0u);  // no stage left to disable
    EXPECT_FALSE(device->ApplyTextureStages(0x31));  // a bump layer needs a third stage

    device->maxTextureBlendStages = 8;
    device->bumpMapping = 0;
    setup->log.Clear();
    ASSERT_TRUE(device->ApplyTextureStages(0x65));  // bump masked away with the sphere and projected maps
    EXPECT_EQ(device->GetStateCache().stageFlags, 0x01u);
    EXPECT_EQ(Stage(1, TSS::ColorOp), gfx::TextureOp::Disable);
    setup->log.Clear();
    EXPECT_TRUE(device->ApplyTextureStages(0x65));
    EXPECT_TRUE(setup->log.Lines().empty());

    ASSERT_TRUE(device->ApplyTextureStages(0x01 | 0x40 | 0x80));
    EXPECT_EQ(Stage(1, TSS::TexCoordIndex), gfx::TexCoordIndex::CameraSpaceReflectionVector | 1);
    EXPECT_EQ(Stage(1, TSS::TextureTransformFlags), gfx::TextureTransform::Count2);
    EXPECT_EQ(Stage(2, TSS::ColorOp), gfx::TextureOp::AddSmooth);
    EXPECT_EQ(Stage(2, TSS::TexCoordIndex), 1u);
    EXPECT_EQ(Stage(3, TSS::ColorOp), gfx::TextureOp::Disable);
}

TEST_F(RenderStateLayerTest, StagesOfKindsFollowKindOrderUnlessTheSecondMapMeetsAReflection) {
    EXPECT_EQ(StageOfKind(6, 0x01 | 0x02 | 0x10), 2u);   // kinds 0 and 1 come first
    EXPECT_EQ(StageOfKind(6, 0x01 | 0x02 | 0x40), 1u);   // cascade order: base, second, sphere
    EXPECT_EQ(StageOfKind(3, 0x01 | 0x02 | 0x40), 2u);
}

TEST_F(RenderStateLayerTest, ProjectionOffsetMovesTheNearPlaneWithoutAccumulating) {
    quill::Matrix4 projection;
    const float n = 10, f = 1000;
    projection.m[10] = f / (f - n);
    projection.m[11] = 1;
    projection.m[14] = -n * f / (f - n);
    projection.m[15] = 0;
    ASSERT_TRUE(device->SetProjection(&projection));
    ASSERT_TRUE(device->UpdateProjection(-0.01f));
    ASSERT_TRUE(device->UpdateProjection(-0.02f));
    gfx::Matrix sent = Recording().GetTransform(gfx::TransformState::Projection);
    EXPECT_NEAR(-sent.m[14] / sent.m[10], 10.02f, 1e-3f);
    ASSERT_TRUE(device->UpdateProjection(0));
    sent = Recording().GetTransform(gfx::TransformState::Projection);
    EXPECT_FLOAT_EQ(sent.m[10], projection.m[10]);
    EXPECT_FLOAT_EQ(sent.m[14], projection.m[14]);
}

TEST_F(RenderStateLayerTest, LightsFillTheirGroupsAndAmbientFollowsThem) {
    for (uint32_t i = 0; i < 8; ++i) {
        EXPECT_TRUE(device->AddDirectionalLight(DirectionalLightDesc{i, 1, 1, 1, 0.5f, 1, 0, 0, -1, 0}));
    }
    EXPECT_FALSE(device->AddDirectionalLight(DirectionalLightDesc{9}));  // a ninth light
    EXPECT_EQ(device->GetStateCache().lightCountA, 8u);
    EXPECT_FLOAT_EQ(Recording().GetLights().at(3).diffuse.r, 0.5f);
    device->DisableAllLights();
    EXPECT_FALSE(device->AddPointLight(PointLightDesc{1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0.0f}));  // zero range
    ASSERT_TRUE(device->AddPointLight(PointLightDesc{1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 10.0f}));
    EXPECT_FLOAT_EQ(Recording().GetLights().at(0).attenuation2, 0.02f);

    device->SetAmbientColor(128.0f, 0.25f, 0.5f, 1.0f);
    EXPECT_TRUE(device->EnableLights(false, true, true));
    EXPECT_TRUE(Recording().IsLightEnabled(0));
    EXPECT_EQ(Recording().GetRenderState(gfx::RenderState::Ambient), 0xFF803F7Fu);  // 128.0 packs to 0x80
    // With the scene's lights on, the fourth value is the ambient light's strength: a screen's (1, 1, 1, 0.35)
    // lights at 35 %, not fully (the device reads no alpha from its ambient colour).
    device->SetAmbientColor(1.0f, 1.0f, 1.0f, 0.35f);
    EXPECT_TRUE(device->EnableLights(true, true, true));
    EXPECT_EQ(Recording().GetRenderState(gfx::RenderState::Ambient), 0x59595959u);
    EXPECT_TRUE(device->EnableLights(false, false, false));
    EXPECT_EQ(Recording().GetRenderState(gfx::RenderState::Ambient), 0xFFFFFFFFu);
}

TEST_F(RenderStateLayerTest, MaterialAnimationAndBumpRotationFollowTheClock) {
    MaterialState material;
    material.layerFlags = 0x21;  // base and bump
    material.slotLayer[0] = 0;
    material.slotLayer[2] = 1;
    material.animations = {LayerAnimation{1, 2, 1}, std::nullopt};  // pu 1000, pv 500
    material.bumpScale = 2;
    material.bumpAnimated = 1;
    material.bumpPeriod = 0.0004f;  // under a millisecond: no rotation, no division by zero
    clock->SetTick(1500);
    ASSERT_TRUE(device->ApplyMaterial(material));
    const gfx::Matrix animation = Recording().GetTransform(gfx::TransformState::Texture0);
    EXPECT_FLOAT_EQ(animation.m[8], 1.5f);   // 1500 mod 2000 / 1000
    EXPECT_FLOAT_EQ(animation.m[9], 1.0f);   // 1500 mod 1000 / 500
    EXPECT_EQ(Recording().GetTextureStageState(1, TSS::BumpEnvMat00), std::bit_cast<uint32_t>(2.0f));
    material.bumpPeriod = 4;
    clock->SetTick(1000);
    ASSERT_TRUE(device->ApplyMaterial(material));
    EXPECT_EQ(Recording().GetTextureStageState(1, TSS::BumpEnvMat01),
              std::bit_cast<uint32_t>(2.0f * std::sin(0.25f * 2 * 3.14159265358979323846f)));
}

TEST_F(RenderStateLayerTest, PassesSetTheirStates) {
    ASSERT_TRUE(device->Begin2D());
    const gfx::Matrix ortho = Recording().GetTransform(gfx::TransformState::Projection);
    EXPECT_FLOAT_EQ(ortho.m[0], 2.0f / 800);
    EXPECT_FLOAT_EQ(ortho.m[5], -2.0f / 600);
    EXPECT_EQ(Recording().GetRenderState(gfx::RenderState::ZEnable), 0u);
    EXPECT_TRUE(device->EnableLights(true, true, true));  // frozen: does nothing
    EXPECT_EQ(device->GetStateCache().lightingOn, 0);
    FogSettings fog;
    fog.enabled = 1;
    fog.r = 0.5f;
    const float ambient[4] = {0.5f, 0.5f, 0.5f, 1};
    ASSERT_TRUE(device->Begin3D(SceneEnvironment{ambient, &fog, nullptr}));
    EXPECT_EQ(Recording().GetRenderState(gfx::RenderState::FogTableMode), gfx::FogMode::Linear);
    EXPECT_EQ(Recording().GetRenderState(gfx::RenderState::FogColor), 0xFF7FFFFFu);
    EXPECT_EQ(Recording().GetRenderState(gfx::RenderState::ZEnable), 1u);
    EXPECT_EQ(device->GetStateCache().lightsFrozen, 0);
}

}  // namespace
}  // namespace kestrovan
