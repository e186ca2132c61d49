// What the OpenGL device decides from a draw's state alone: whether its alpha test can reject anything
// (left off where it cannot, so the rasteriser may test depth before it shades), and the signature of a
// held-back frame (equal signatures draw equal pixels, so an unchanged frame is not drawn again).
#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "platform/gfx/MemoryBuffer.h"
#include "platform/gfx/MemoryTexture.h"
#include "platform/gfx/gl/GlAlphaTest.h"
#include "platform/gfx/gl/GlDamage.h"
#include "platform/gfx/gl/GlFrameRecord.h"

namespace platform::gfx {
namespace {

void SetRs(GlDeviceState& state, RenderState id, uint32_t value) {
    state.renderStates[static_cast<uint32_t>(id)] = value;
}

void SetStage(GlDeviceState& state, size_t stage, uint32_t colorOp, uint32_t alphaOp, uint32_t arg1, uint32_t arg2) {
    auto& s = state.stageStates[stage];
    s[static_cast<uint32_t>(TextureStageState::ColorOp)] = colorOp;
    s[static_cast<uint32_t>(TextureStageState::AlphaOp)] = alphaOp;
    s[static_cast<uint32_t>(TextureStageState::AlphaArg1)] = arg1;
    s[static_cast<uint32_t>(TextureStageState::AlphaArg2)] = arg2;
}

// An opaque draw as the 3D pass makes it: the test passes alpha above 176, a textured stage modulates the
// material's diffuse alpha of 1.
GlDeviceState OpaqueDraw() {
    GlDeviceState state;
    SetRs(state, RenderState::AlphaTestEnable, 1);
    SetRs(state, RenderState::AlphaFunc, Cmp::Greater);
    SetRs(state, RenderState::AlphaRef, 176);
    SetRs(state, RenderState::DiffuseMaterialSource, MaterialSource::Material);
    state.material.diffuse = {1, 1, 1, 1};
    SetStage(state, 0, TextureOp::Modulate, TextureOp::Modulate, TextureArg::Texture, TextureArg::Current);
    SetStage(state, 1, TextureOp::Disable, TextureOp::Disable, TextureArg::Texture, TextureArg::Current);
    return state;
}

bool CanReject(const GlDeviceState& state, std::initializer_list<std::optional<uint8_t>> textures) {
    return AlphaTestCanReject(state, std::span(textures.begin(), textures.size()));
}

TEST(GlAlphaTestTest, OnlyADrawThatCanFallBelowTheReferenceKeepsItsTest) {
    GlDeviceState state = OpaqueDraw();
    EXPECT_FALSE(CanReject(state, {255}));
    EXPECT_TRUE(CanReject(state, {0})) << "a texture with cut-out texels";
    EXPECT_TRUE(CanReject(state, {176})) << "alpha equal to the reference fails a greater-than test";
    EXPECT_FALSE(CanReject(state, {std::nullopt})) << "a stage without a texture passes the diffuse alpha";
    // An added second stage can only raise the alpha.
    SetStage(state, 1, TextureOp::Add, TextureOp::Add, TextureArg::Texture, TextureArg::Current);
    EXPECT_FALSE(CanReject(state, {200, 0}));

    GlDeviceState halfMaterial = OpaqueDraw();
    halfMaterial.material.diffuse.a = 0.5f;
    EXPECT_TRUE(CanReject(halfMaterial, {255}));
    GlDeviceState vertexColours = OpaqueDraw();
    SetRs(vertexColours, RenderState::DiffuseMaterialSource, MaterialSource::Color1);
    EXPECT_TRUE(CanReject(vertexColours, {255})) << "vertex colours may carry any alpha";

    GlDeviceState off = OpaqueDraw();
    SetRs(off, RenderState::AlphaTestEnable, 0);
    EXPECT_FALSE(CanReject(off, {0}));
    GlDeviceState less = OpaqueDraw();
    SetRs(less, RenderState::AlphaFunc, Cmp::Less);
    EXPECT_TRUE(CanReject(less, {255}));
}

class GlFrameRecordTest : public ::testing::Test {
protected:
    GlFrameRecordTest() {
        state.textures[0] = &texture;
        state.stream = &dynamicVertices;
        state.stride = 16;
    }

    GlRecordedCall Draw(std::vector<std::byte> vertices) const {
        GlRecordedCall call;
        call.state = state;
        call.count = 3;
        call.vertices = std::move(vertices);
        return call;
    }
    uint64_t SignatureOf(std::vector<std::byte> vertices) {
        GlFrameRecord frame;
        frame.Add(Draw(std::move(vertices)));
        return frame.Signature();
    }

    MemoryTexture texture{4, 4, 1, 0, Format::A8R8G8B8, Pool::Managed};
    MemoryVertexBuffer dynamicVertices{BufferDesc{Format::Unknown, Usage::Dynamic, Pool::Default, 64, 0}};
    GlDeviceState state = OpaqueDraw();
    std::vector<std::byte> triangle = std::vector<std::byte>(48, std::byte{1});
};

TEST_F(GlFrameRecordTest, EqualFramesSignEquallyAndAnyInputOfThePixelsChangesTheSignature) {
    const uint64_t first = SignatureOf(triangle);
    EXPECT_EQ(SignatureOf(triangle), first);

    // What the pixels do not follow from: dirty marks, a dynamic buffer's lock count, disabled stages.
    state.MarkAllDirty();
    void* bytes = nullptr;
    ASSERT_TRUE(Succeeded(dynamicVertices.Lock(0, 0, &bytes, 0)));
    dynamicVertices.Unlock();
    state.textureMatrices[1].at(3, 0) = 0.5f;
    EXPECT_EQ(SignatureOf(triangle), first);

    // What they do follow from: the vertices drawn, a texture's pixels, a render state, the scissor, the view.
    std::vector<std::byte> moved = triangle;
    moved[0] = std::byte{2};
    EXPECT_NE(SignatureOf(moved), first);
    LockedRect locked;
    ASSERT_TRUE(Succeeded(texture.LockRect(0, locked, nullptr, 0)));
    texture.UnlockRect(0);
    const uint64_t repainted = SignatureOf(triangle);
    EXPECT_NE(repainted, first);
    SetRs(state, RenderState::AlphaBlendEnable, 1);
    const uint64_t blended = SignatureOf(triangle);
    EXPECT_NE(blended, repainted);
    state.scissor = Rect{0, 0, 2, 2};
    EXPECT_NE(SignatureOf(triangle), blended);
    state.view.at(3, 2) = 5;
    GlFrameRecord twice;
    twice.Add(Draw(triangle));
    twice.Add(Draw(triangle));
    EXPECT_NE(twice.Signature(), SignatureOf(triangle)) << "a call drawn twice";
    twice.Reset();
    EXPECT_TRUE(twice.Empty());
}

// A clear or draw under a scissor touches the scissor's rows only (counted from the bottom, as OpenGL counts).
TEST(GlDamageTest, ACallIsBoundedByItsScissor) {
    GlRecordedCall clear;
    clear.kind = GlRecordedCall::Kind::Clear;
    clear.state.targetWidth = 100;
    clear.state.targetHeight = 80;
    clear.state.viewport = Viewport{0, 0, 100, 80, 0, 1};
    EXPECT_EQ(BoundsOf(clear), (GlRect{0, 0, 100, 80}));
    clear.state.scissor = Rect{10, 5, 100, 60};
    EXPECT_EQ(BoundsOf(clear), (GlRect{10, 20, 100, 75}));
}

}  // namespace
}  // namespace platform::gfx
