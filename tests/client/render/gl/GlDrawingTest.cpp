// Real pixels through the OpenGL backend (under Xvfb with Mesa's software renderer): a lit mesh, a textured
// 2D quad and a text label drawn through the device, read back from the back buffer and checked at known
// places; the frame is also saved as a screenshot in the build tree.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "QuillLib/math/VertexData.h"
#include "QuillLib/render/TextEntry.h"
#include "client/render/D3D9RenderDevice.h"
#include "platform/gfx/ImageServices.h"
#include "tests/support/gfx/SdlGlWindow.h"

namespace kestrovan {
namespace {

namespace gfx = platform::gfx;

constexpr int kWidth = 640, kHeight = 480;
constexpr uint32_t kLitFormat = 0x1 | 0x2;               // position, normal
constexpr uint32_t kTexturedFormat = 0x1 | 0x4 | 0x100;  // position, colour, one set

struct Pixel {
    int r, g, b;
};

class GlDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X display: ./test.sh starts Xvfb for this test";
        ASSERT_TRUE(window.IsOpen()) << window.Error();
        device = std::make_unique<D3D9RenderDevice>(kWidth, kHeight, window.CreateSystem(), nullptr);
        ASSERT_EQ(device->Create(), 0u);
    }

    // Pixels of the frame as drawn so far, rows from the top.
    std::vector<uint32_t> ReadBackBuffer() {
        std::unique_ptr<gfx::Surface> surface;
        EXPECT_EQ(device->GetGfxDevice()->GetBackBuffer(0, surface), gfx::Result::Ok);
        const gfx::SurfaceDesc desc = surface->GetDesc();
        gfx::LockedRect locked;
        EXPECT_EQ(surface->LockRect(locked, nullptr, gfx::LockFlags::ReadOnly), gfx::Result::Ok);
        std::vector<uint32_t> pixels(static_cast<size_t>(desc.width) * desc.height);
        std::memcpy(pixels.data(), locked.bits, pixels.size() * 4);
        surface->UnlockRect();
        return pixels;
    }

    static Pixel At(const std::vector<uint32_t>& pixels, int x, int y) {
        const uint32_t p = pixels[static_cast<size_t>(y) * kWidth + x];
        return Pixel{static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
    }

    kvtest::SdlGlWindow window{kWidth, kHeight};
    std::unique_ptr<D3D9RenderDevice> device;
};

// A left-handed perspective projection (row vectors).
quill::Matrix4 Perspective(float fovY, float aspect, float zn, float zf) {
    quill::Matrix4 m;
    const float yScale = 1.0f / std::tan(fovY / 2), xScale = yScale / aspect;
    m.m[0] = xScale;
    m.m[5] = yScale;
    m.m[10] = zf / (zf - zn);
    m.m[11] = 1;
    m.m[14] = -zn * zf / (zf - zn);
    m.m[15] = 0;
    return m;
}

// Two quads side by side at depth 10: the left faces the viewer, the right is turned away from the light.
quill::VertexData LitQuads() {
    quill::VertexData data;
    data.SetLayout(kLitFormat, 12);
    const float quads[2][3] = {{-4.5f, -0.5f, -1.0f}, {0.5f, 4.5f, 0.0f}};  // x from, x to, normal z
    float* w = data.Words().data();
    for (int q = 0; q < 2; ++q) {
        const float x0 = quads[q][0], x1 = quads[q][1];
        const float corners[6][2] = {{x0, 2}, {x1, 2}, {x0, -2}, {x1, 2}, {x1, -2}, {x0, -2}};
        for (const auto& c : corners) {
            const float normalZ = quads[q][2];
            const float vertex[6] = {c[0], c[1], 10, normalZ == 0 ? 1.0f : 0.0f, 0, normalZ};
            std::memcpy(w, vertex, sizeof vertex);
            w += data.Stride();
        }
    }
    return data;
}

TEST_F(GlDrawingTest, LitMeshTexturedQuadAndTextLandWhereTheyShould) {
    device->clearColor = 0xFF102040;
    ASSERT_TRUE(device->BeginFrame());
    ASSERT_TRUE(device->BeginScene());

    // 3D: a dim ambient light and one white light shining into the screen.
    const float ambient[4] = {0.2f, 0.2f, 0.2f, 1};
    ASSERT_TRUE(device->Begin3D(SceneEnvironment{ambient, nullptr, nullptr}));
    const quill::Matrix4 projection = Perspective(0.9f, static_cast<float>(kWidth) / kHeight, 1, 100);
    ASSERT_TRUE(device->SetProjection(&projection));
    ASSERT_TRUE(device->AddDirectionalLight(DirectionalLightDesc{1, 1, 1, 1, 1, 1, 0, 0, 0, 1}));
    ASSERT_TRUE(device->EnableLights(true, true, true));
    ASSERT_TRUE(device->SetCullMode(0));
    ASSERT_TRUE(device->GetBufferPool().SelectDynamicVertexBuffer(kLitFormat, 0));
    ASSERT_TRUE(device->SetVertexFormat(kLitFormat));
    quill::VertexData quads = LitQuads();
    ASSERT_EQ(device->DrawTriangles(quads), 12u);

    // 2D: a texture of four coloured quadrants, and a text label.
    ASSERT_TRUE(device->Begin2D());
    std::unique_ptr<gfx::Texture> texture;
    ASSERT_EQ(device->GetGfxDevice()->CreateTexture(64, 64, 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::Managed, texture),
              gfx::Result::Ok);
    gfx::LockedRect locked;
    ASSERT_EQ(texture->LockRect(0, locked, nullptr, 0), gfx::Result::Ok);
    for (int y = 0; y < 64; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<std::byte*>(locked.bits) + y * locked.pitch);
        for (int x = 0; x < 64; ++x) row[x] = y < 32 ? (x < 32 ? 0xFFFF0000u : 0xFF00FF00u) : (x < 32 ? 0xFF0000FFu : 0xFFFFFF00u);
    }
    texture->UnlockRect(0);
    ASSERT_TRUE(device->DrawSprite(*texture, gfx::Rect{0, 0, 64, 64}, 500, 40, 0xFFFFFFFFu));

    quill::TextSurface* surface = device->GetTextSurface(u"DejaVu Sans", 28, 700, false, 0);
    ASSERT_NE(surface, nullptr);
    quill::TextEntry label(*surface);
    label.SetText(u"Kestrovan 8-ball");
    label.SetStyle(quill::TextStyle{0xFFFFFFFFu, quill::TextStyle::kShadow, 0, 0xFF000000u});
    ASSERT_TRUE(label.Draw(40, 400));

    device->EndScene();
    const std::vector<uint32_t> frame = ReadBackBuffer();

    // The lit quad is bright, the turned one only ambient, the background the clear colour.
    const Pixel lit = At(frame, 200, 240), turned = At(frame, 440, 240), background = At(frame, 320, 60);
    EXPECT_GT(lit.r, 220);
    EXPECT_GT(lit.g, 220);
    EXPECT_NEAR(turned.r, 51, 6);
    EXPECT_NEAR(background.r, 0x10, 2);
    EXPECT_NEAR(background.b, 0x40, 2);
    // The quadrants of the textured quad, each where it belongs.
    const Pixel red = At(frame, 510, 50), green = At(frame, 553, 50), blue = At(frame, 510, 93), yellow = At(frame, 553, 93);
    EXPECT_GT(red.r, 240);
    EXPECT_LT(red.g, 16);
    EXPECT_GT(green.g, 240);
    EXPECT_LT(green.r, 16);
    EXPECT_GT(blue.b, 240);
    EXPECT_GT(yellow.r, 240);
    EXPECT_GT(yellow.g, 240);
    EXPECT_EQ(At(frame, 499, 50).r, 0x10);  // nothing left of the quad
    // The label: white ink inside its box, none above it.
    int white = 0, whiteAbove = 0;
    for (int y = 400; y < 400 + label.GetHeight(); ++y) {
        for (int x = 40; x < 40 + label.GetWidth(); ++x) white += At(frame, x, y).g > 240;
    }
    for (int y = 360; y < 398; ++y) {
        for (int x = 40; x < 40 + label.GetWidth(); ++x) whiteAbove += At(frame, x, y).g > 240;
    }
    EXPECT_GT(white, 300);
    EXPECT_EQ(whiteAbove, 0);

    device->Present();
    device->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / "gl_drawing.png");
}

// Sprites land texel on pixel: a one-pixel line of a texture stays one full pixel wide on the screen, and the
// one-pixel dots and stems of 12-pixel text keep their full ink (the key guide's " : " stays visible).
TEST_F(GlDrawingTest, OnePixelStrokesOfSpritesAndSmallTextStayWhole) {
    device->clearColor = 0xFF000000;
    ASSERT_TRUE(device->BeginFrame());
    ASSERT_TRUE(device->BeginScene());
    ASSERT_TRUE(device->Begin2D());
    std::unique_ptr<gfx::Texture> texture;
    ASSERT_EQ(device->GetGfxDevice()->CreateTexture(16, 16, 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::Managed, texture),
              gfx::Result::Ok);
    gfx::LockedRect locked;
    ASSERT_EQ(texture->LockRect(0, locked, nullptr, 0), gfx::Result::Ok);
    for (int y = 0; y < 16; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(static_cast<std::byte*>(locked.bits) + y * locked.pitch);
        for (int x = 0; x < 16; ++x) row[x] = x == 7 || y == 9 ? 0xFFFFFFFFu : 0xFF000000u;  // a white cross
    }
    texture->UnlockRect(0);
    ASSERT_TRUE(device->DrawSprite(*texture, gfx::Rect{0, 0, 16, 16}, 100, 100, 0xFFFFFFFFu));

    quill::TextSurface* surface = device->GetTextSurface(u"DejaVu Sans", 12, 400, false, 0);
    ASSERT_NE(surface, nullptr);
    quill::TextEntry label(*surface);
    label.SetText(u"F2 : this guide");
    label.SetStyle(quill::TextStyle{0xFFFFFFFFu, 0, 0, 0xFF000000u});
    ASSERT_TRUE(label.Draw(200, 200));
    device->EndScene();
    const std::vector<uint32_t> frame = ReadBackBuffer();
    device->Present();
    device->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / "gl_thin_strokes.png");

    // The cross's column and row are whole white pixels, their neighbours untouched black.
    EXPECT_GT(At(frame, 107, 103).g, 240);
    EXPECT_LT(At(frame, 106, 103).g, 16);
    EXPECT_LT(At(frame, 108, 103).g, 16);
    EXPECT_GT(At(frame, 103, 109).g, 240);
    EXPECT_LT(At(frame, 103, 108).g, 16);
    EXPECT_LT(At(frame, 103, 110).g, 16);
    // The text: most of its inked pixels are full white, few are the grey of half-covered ones.
    int full = 0, grey = 0;
    for (int y = 198; y < 200 + label.GetHeight() + 2; ++y) {
        for (int x = 198; x < 200 + label.GetWidth() + 2; ++x) {
            const int g = At(frame, x, y).g;
            full += g > 230 ? 1 : 0;
            grey += g > 40 && g <= 230 ? 1 : 0;
        }
    }
    EXPECT_GT(full, 60);
    EXPECT_LT(grey, full / 2) << "full " << full << ", grey " << grey;
}

// A texture drawn into through a render target keeps its rows the right way up when it is drawn itself.
TEST_F(GlDrawingTest, RenderTargetTexturesAreDrawnIntoAndSampledUpright) {
    std::unique_ptr<gfx::Texture> target;
    ASSERT_EQ(device->GetGfxDevice()->CreateTexture(64, 64, 1, gfx::Usage::RenderTarget, gfx::Format::A8R8G8B8,
                                                    gfx::Pool::Default, target),
              gfx::Result::Ok);
    std::unique_ptr<gfx::Surface> surface = target->GetSurfaceLevel(0);
    device->clearColor = 0xFF000000;
    ASSERT_TRUE(device->BeginFrame());
    ASSERT_TRUE(device->BeginScene());
    ASSERT_TRUE(device->SetRenderTarget(surface.get()));
    device->clearColor = 0xFF00FF00;
    ASSERT_TRUE(device->Clear(true, true));  // the whole target green
    ASSERT_TRUE(device->SetViewport(0, 0, 64, 32));
    device->clearColor = 0xFFFF0000;
    ASSERT_TRUE(device->Clear(true, false));  // its top half red
    ASSERT_TRUE(device->SetRenderTarget(nullptr));
    ASSERT_TRUE(device->Begin2D());
    ASSERT_TRUE(device->DrawSprite(*target, gfx::Rect{0, 0, 64, 64}, 100, 100, 0xFFFFFFFFu));
    device->EndScene();
    const std::vector<uint32_t> frame = ReadBackBuffer();
    EXPECT_GT(At(frame, 130, 110).r, 240);  // top half red
    EXPECT_LT(At(frame, 130, 110).g, 16);
    EXPECT_GT(At(frame, 130, 150).g, 240);  // bottom half green
    EXPECT_LT(At(frame, 130, 150).r, 16);
    EXPECT_EQ(At(frame, 90, 110).r, 0);  // outside the quad: the back buffer's clear
}

}  // namespace
}  // namespace kestrovan
