// The OpenGL pipeline sends only what changed: it runs against counting stand-ins of the OpenGL entry points
// (no display needed), so every state call that would reach the driver is seen.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/gfx/gl/GlDeviceState.h"
#include "platform/gfx/gl/GlPipeline.h"
#include "platform/gfx/gl/GlStateShadow.h"
#include "platform/gfx/gl/GlTextureCache.h"

namespace platform::gfx {
namespace {

std::map<std::string, int>& Calls() {
    static std::map<std::string, int> calls;
    return calls;
}

int Total() {
    int total = 0;
    for (const auto& [name, count] : Calls()) total += count;
    return total;
}

// A stand-in for one entry point: counts its calls under the entry point's name.
template <class F, const char* Name>
struct Counted;
template <class R, class... A, const char* Name>
struct Counted<R (*)(A...), Name> {
    static R Call(A...) {
        ++Calls()[Name];
        if constexpr (!std::is_void_v<R>) return R{};
    }
};

#define KV_COUNTED(member)                                                  \
    [] {                                                                    \
        static constexpr char name[] = #member;                             \
        return &Counted<decltype(GlCalls::member), name>::Call;             \
    }()

const GlCalls& CountingCalls() {
    static const GlCalls calls{
        KV_COUNTED(enable), KV_COUNTED(disable), KV_COUNTED(activeTexture), KV_COUNTED(clientActiveTexture),
        KV_COUNTED(bindTexture), KV_COUNTED(texEnvi), KV_COUNTED(texEnvf), KV_COUNTED(texEnvfv),
        KV_COUNTED(texParameteri), KV_COUNTED(texGeni), KV_COUNTED(texGenfv), KV_COUNTED(matrixMode),
        KV_COUNTED(loadMatrixf), KV_COUNTED(loadIdentity), KV_COUNTED(pushMatrix), KV_COUNTED(popMatrix),
        KV_COUNTED(depthMask), KV_COUNTED(depthFunc), KV_COUNTED(alphaFunc), KV_COUNTED(blendFunc),
        KV_COUNTED(cullFace), KV_COUNTED(frontFace), KV_COUNTED(lightModeli), KV_COUNTED(lightModelfv),
        KV_COUNTED(colorMaterial), KV_COUNTED(fogi), KV_COUNTED(fogf), KV_COUNTED(fogfv), KV_COUNTED(lightfv),
        KV_COUNTED(lightf), KV_COUNTED(materialfv), KV_COUNTED(materialf), KV_COUNTED(enableClientState),
        KV_COUNTED(disableClientState), KV_COUNTED(vertexPointer), KV_COUNTED(normalPointer),
        KV_COUNTED(colorPointer), KV_COUNTED(texCoordPointer), KV_COUNTED(normal3f), KV_COUNTED(color4f),
        KV_COUNTED(bindBuffer)};
    return calls;
}

constexpr uint32_t kLitTextured = Fvf::Xyz | Fvf::Normal | 0x100;  // one coordinate set
constexpr int kUnits = 4;

class GlPipelineTest : public ::testing::Test {
protected:
    GlPipelineTest() {
        Calls().clear();
        state.fvf = kLitTextured;
        state.stride = 32;
        Light light;
        light.type = LightType::Directional;
        light.direction = {0, 0, 1};
        light.diffuse = {1, 1, 1, 1};
        state.lights[0] = light;
        state.lightEnabled[0] = true;
    }

    // One draw's worth of state: what Draw sends before it draws.
    void Draw(uintptr_t vertices = 0x1000) {
        pipeline.Apply(state, textures);
        pipeline.SetupArrays(state, vertices);
    }

    GlStateShadow shadow{CountingCalls()};
    GlTextureCache textures;
    GlPipeline pipeline{shadow, kUnits};
    GlDeviceState state;
};

TEST_F(GlPipelineTest, AStateSentOnceIsNotSentAgain) {
    Draw();
    EXPECT_GT(Total(), 50);  // the first draw sends everything the device's defaults need
    Calls().clear();
    state.MarkAllDirty();  // told everything again, with the same values
    Draw();
    EXPECT_EQ(Total(), 0);
}

TEST_F(GlPipelineTest, OneChangedRenderStateSendsOneCall) {
    Draw();
    Calls().clear();
    state.renderStates[static_cast<uint32_t>(RenderState::AlphaBlendEnable)] = 1;
    state.renderDirty = true;
    Draw();
    EXPECT_EQ(Calls()["enable"], 1);
    EXPECT_EQ(Total(), 1);
}

TEST_F(GlPipelineTest, ANewWorldMatrixLoadsOnlyTheModelview) {
    Draw();
    Calls().clear();
    state.world.at(3, 0) = 5;  // moved
    state.transformsDirty = true;
    Draw();
    EXPECT_EQ(Calls()["loadMatrixf"], 1);
    EXPECT_EQ(Calls()["lightfv"], 0);  // lights stay where they were in the world
    EXPECT_EQ(Total(), Calls()["loadMatrixf"] + Calls()["matrixMode"]);
}

TEST_F(GlPipelineTest, ANewViewSendsTheLightsPositionsAgain) {
    state.world.at(3, 1) = 2;
    Draw();
    Calls().clear();
    state.view.at(3, 2) = 10;
    state.transformsDirty = true;
    Draw();
    EXPECT_EQ(Calls()["lightfv"], 1);  // the position; its colours are where they were
    EXPECT_EQ(Calls()["loadMatrixf"], 2);  // the view for the light, then world x view
}

TEST_F(GlPipelineTest, ChangedStageStatesSendOnlyTheirEnvironment) {
    state.textures[0] = nullptr;
    Draw();
    Calls().clear();
    state.stageStates[0][static_cast<uint32_t>(TextureStageState::ColorOp)] = TextureOp::Add;
    Draw();
    EXPECT_EQ(Calls()["texEnvi"], 1);  // the combine operation; its two sources are the same
    EXPECT_EQ(Calls()["enable"] + Calls()["disable"], 0);
    // Switching a second stage on and off again touches only that unit.
    Calls().clear();
    state.stageStates[1][static_cast<uint32_t>(TextureStageState::ColorOp)] = TextureOp::Modulate;
    Draw();
    EXPECT_GT(Calls()["texEnvi"], 0);
    Calls().clear();
    state.stageStates[1][static_cast<uint32_t>(TextureStageState::ColorOp)] = TextureOp::Disable;
    Draw();
    Calls().clear();
    Draw();
    EXPECT_EQ(Total(), 0);
}

TEST_F(GlPipelineTest, VertexArraysAreSentWhenTheyMove) {
    Draw(0x1000);
    Calls().clear();
    Draw(0x1000);
    EXPECT_EQ(Total(), 0);
    Draw(0x2000);  // the next mesh's vertices
    EXPECT_EQ(Calls()["vertexPointer"], 1);
    EXPECT_EQ(Calls()["normalPointer"], 1);
    EXPECT_EQ(Calls()["enableClientState"] + Calls()["disableClientState"], 0);
    // The same offset in another buffer object is another array.
    Calls().clear();
    shadow.ArrayBuffer(7);
    Draw(0x2000);
    EXPECT_EQ(Calls()["bindBuffer"], 1);
    EXPECT_EQ(Calls()["vertexPointer"], 1);
}

TEST_F(GlPipelineTest, ForgettingSendsEverythingAgain) {
    Draw();
    const int first = Total();
    Calls().clear();
    pipeline.Forget();
    state.MarkAllDirty();
    Draw();
    EXPECT_EQ(Total(), first);
}

TEST(GlStateShadowTest, CurrentColourIsSentAgainAfterAColourArray) {
    Calls().clear();
    GlStateShadow shadow{CountingCalls()};
    shadow.CurrentColor(1, 1, 1, 1);
    shadow.CurrentColor(1, 1, 1, 1);
    EXPECT_EQ(Calls()["color4f"], 1);
    // Drawing from a colour array leaves the current colour undefined.
    shadow.ClientArray(0, GL_COLOR_ARRAY, true);
    shadow.ClientArray(0, GL_COLOR_ARRAY, false);
    shadow.CurrentColor(1, 1, 1, 1);
    EXPECT_EQ(Calls()["color4f"], 2);
}

TEST(GlStateShadowTest, UnitStateSwitchesTheActiveUnitOnlyWhenNeeded) {
    Calls().clear();
    GlStateShadow shadow{CountingCalls()};
    shadow.EnableOnUnit(1, GL_TEXTURE_2D, true);
    shadow.TexEnv(1, GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
    shadow.TextureMatrix(1, Matrix{});
    EXPECT_EQ(Calls()["activeTexture"], 1);
    shadow.EnableOnUnit(0, GL_TEXTURE_2D, true);
    shadow.EnableOnUnit(1, GL_TEXTURE_2D, true);  // held: no switch back to unit 1
    EXPECT_EQ(Calls()["activeTexture"], 2);
    EXPECT_EQ(Calls()["enable"], 2);
}

}  // namespace
}  // namespace platform::gfx
