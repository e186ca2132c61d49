// Real pixels through the OpenGL backend (under Xvfb with Mesa's software renderer): a lit mesh, a textured
// 2D quad and a text label drawn through the device, read back from the back buffer and checked at known
// places; the frame is also saved as a screenshot in the build tree.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <span>

#include "QuillLib/math/VertexData.h"
#include "QuillLib/render/TextEntry.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/render/FontEntry.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/ImageServices.h"
#include "platform/gfx/MemoryTexture.h"
#include "platform/gfx/StandardImageCodec.h"
#include "platform/gfx/gl/GlTextureCache.h"
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

    // A 16 x 16 green picture from a PNG file, decoded again from the file (counted in restored) whenever
    // the device gave its pixels up.
    std::unique_ptr<gfx::Texture> GreenPicture(const char* fileName, int& restored) {
        gfx::Device& gl = *device->GetGfxDevice();
        const std::vector<uint32_t> picture(16 * 16, 0xFF00FF00u);
        const auto path = std::filesystem::path(KV_BINARY_DIR) / fileName;
        if (!gfx::EncodeStandardImage(path, gfx::ImageFileFormat::Png, picture, 16, 16, false)) return nullptr;
        std::ifstream file(path, std::ios::binary);
        const std::vector<char> png((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        gfx::TextureLoadOptions options;
        options.mipLevels = 1;
        std::unique_ptr<gfx::Texture> texture;
        if (!gfx::Succeeded(gfx::CreateTextureFromFileInMemoryEx(gl, std::as_bytes(std::span(png)), options, nullptr,
                                                                 texture))) {
            return nullptr;
        }
        dynamic_cast<gfx::MemoryTexture&>(*texture).SetRestorer([&gl, png, options, &restored](gfx::MemoryTexture& target) {
            ++restored;
            std::unique_ptr<gfx::Texture> again;
            return gfx::Succeeded(gfx::CreateTextureFromFileInMemoryEx(gl, std::as_bytes(std::span(png)), options,
                                                                       nullptr, again)) &&
                   target.TakePixelsFrom(dynamic_cast<gfx::MemoryTexture&>(*again));
        });
        return texture;
    }

    // A frame cleared to black with the picture at (300, 300), its scene ended.
    void DrawPicture(gfx::Texture& texture) {
        device->clearColor = 0xFF000000;
        ASSERT_TRUE(device->BeginFrame());
        ASSERT_TRUE(device->BeginScene());
        ASSERT_TRUE(device->Begin2D());
        ASSERT_TRUE(device->DrawSprite(texture, gfx::Rect{0, 0, 16, 16}, 300, 300, 0xFFFFFFFFu));
        device->EndScene();
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

// A device font's line (the screenshot notice's way of drawing) reads as text: its glyphs' texture reaches
// OpenGL before it is drawn, so the line is yellow ink on the frame, not a solid bar over it.
TEST_F(GlDrawingTest, ADeviceFontsLineIsInkNotABar) {
    device->clearColor = 0xFF000000;
    ASSERT_TRUE(device->BeginFrame());
    ASSERT_TRUE(device->BeginScene());
    ASSERT_TRUE(device->Begin2D());
    FontEntry* font = device->GetFont(u"DejaVu Sans", 12, 700, false);
    ASSERT_TRUE(font != nullptr && font->GetFont() != nullptr);
    const int32_t height = font->GetFont()->DrawText(u"Screenshot saved", gfx::Rect{10, 230, 630, 250}, 1, 0xFFFFFF00u);
    ASSERT_GT(height, 0);
    device->EndScene();
    const std::vector<uint32_t> frame = ReadBackBuffer();
    device->Present();
    device->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / "gl_device_font.png");

    // Within the line's band: yellow ink, black between the letters, and nothing white.
    int yellow = 0, black = 0, white = 0;
    for (int y = 225; y < 255; ++y) {
        for (int x = 200; x < 440; ++x) {
            const Pixel p = At(frame, x, y);
            yellow += p.r > 200 && p.g > 200 && p.b < 60 ? 1 : 0;
            black += p.r < 20 && p.g < 20 && p.b < 20 ? 1 : 0;
            white += p.r > 200 && p.g > 200 && p.b > 200 ? 1 : 0;
        }
    }
    EXPECT_GT(yellow, 150) << "see gl_device_font.png";
    EXPECT_GT(black, 240 * 30 / 2) << "the letters leave the frame between them";
    EXPECT_EQ(white, 0);
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

// Pre-transformed vertices: a quad from (x0, y0) to (x1, y1) as two triangles, of one colour, with the
// picture's corners as texture coordinates.
void FillQuad(gfx::VertexBuffer& buffer, float x0, float y0, float x1, float y1, uint32_t colour) {
    struct Vertex {
        float x, y, z, rhw;
        uint32_t colour;
        float u, v;
    };
    const Vertex quad[6] = {{x0, y0, 0.5f, 1, colour, 0, 0}, {x1, y0, 0.5f, 1, colour, 1, 0},
                            {x0, y1, 0.5f, 1, colour, 0, 1}, {x1, y0, 0.5f, 1, colour, 1, 0},
                            {x1, y1, 0.5f, 1, colour, 1, 1}, {x0, y1, 0.5f, 1, colour, 0, 1}};
    void* data = nullptr;
    ASSERT_EQ(buffer.Lock(0, sizeof quad, &data, 0), gfx::Result::Ok);
    std::memcpy(data, quad, sizeof quad);
    buffer.Unlock();
}

// A frame cleared to black, in 2D without depth or blending, unlit: the vertices' colour under a white
// ambient light, through an untextured stage that passes the colour on.
void BeginUnlitFrame(D3D9RenderDevice& device, uint32_t fvf) {
    device.clearColor = 0xFF000000;
    ASSERT_TRUE(device.BeginFrame());
    ASSERT_TRUE(device.BeginScene());
    ASSERT_TRUE(device.Begin2D());
    gfx::Device& gl = *device.GetGfxDevice();
    ASSERT_EQ(gl.SetRenderState(gfx::RenderState::AlphaBlendEnable, 0), gfx::Result::Ok);
    ASSERT_EQ(gl.SetRenderState(gfx::RenderState::ZEnable, 0), gfx::Result::Ok);
    ASSERT_EQ(gl.SetRenderState(gfx::RenderState::Ambient, 0xFFFFFFFFu), gfx::Result::Ok);
    ASSERT_EQ(gl.SetRenderState(gfx::RenderState::AmbientMaterialSource, gfx::MaterialSource::Color1), gfx::Result::Ok);
    ASSERT_EQ(gl.SetRenderState(gfx::RenderState::DiffuseMaterialSource, gfx::MaterialSource::Color1), gfx::Result::Ok);
    ASSERT_EQ(gl.SetFVF(fvf), gfx::Result::Ok);
    ASSERT_EQ(gl.SetTextureStageState(0, gfx::TextureStageState::ColorOp, gfx::TextureOp::Modulate), gfx::Result::Ok);
    ASSERT_EQ(gl.SetTexture(0, nullptr), gfx::Result::Ok);
}

// A static vertex buffer is drawn from OpenGL's copy, which follows every rewrite; a picture from a file
// gives up its pixels in memory once OpenGL holds them and still draws; and after a present the frame
// presented is what the back buffer reads.
TEST_F(GlDrawingTest, StaticBuffersAndPicturesFromFilesDrawFromOpenGlsCopies) {
    gfx::Device& gl = *device->GetGfxDevice();
    constexpr uint32_t kFvf = gfx::Fvf::XyzRhw | gfx::Fvf::Diffuse | 0x100;
    constexpr uint32_t kStride = 28;
    std::unique_ptr<gfx::VertexBuffer> plain, pictured;
    for (auto* buffer : {&plain, &pictured}) {
        ASSERT_EQ(gl.CreateVertexBuffer(6 * kStride, gfx::Usage::WriteOnly, kFvf, gfx::Pool::Default, *buffer),
                  gfx::Result::Ok);
    }
    FillQuad(*plain, 10, 10, 110, 110, 0xFFFF0000u);
    FillQuad(*pictured, 300, 300, 316, 316, 0xFFFFFFFFu);

    const std::vector<uint32_t> picture(16 * 16, 0xFF00FF00u);
    const auto path = std::filesystem::path(KV_BINARY_DIR) / "gl_static_picture.png";
    ASSERT_TRUE(gfx::EncodeStandardImage(path, gfx::ImageFileFormat::Png, picture, 16, 16, false));
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> png((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::unique_ptr<gfx::Texture> texture;
    gfx::TextureLoadOptions options;
    options.mipLevels = 1;
    ASSERT_EQ(gfx::CreateTextureFromFileInMemoryEx(gl, std::as_bytes(std::span(png)), options, nullptr, texture),
              gfx::Result::Ok);
    auto& memory = dynamic_cast<gfx::MemoryTexture&>(*texture);

    auto drawFrame = [&] {
        BeginUnlitFrame(*device, kFvf);
        ASSERT_EQ(gl.SetStreamSource(0, plain.get(), 0, kStride), gfx::Result::Ok);
        ASSERT_EQ(gl.DrawPrimitive(gfx::PrimitiveType::TriangleList, 0, 2), gfx::Result::Ok);
        ASSERT_EQ(gl.SetTexture(0, texture.get()), gfx::Result::Ok);
        ASSERT_EQ(gl.SetStreamSource(0, pictured.get(), 0, kStride), gfx::Result::Ok);
        ASSERT_EQ(gl.DrawPrimitive(gfx::PrimitiveType::TriangleList, 0, 2), gfx::Result::Ok);
        device->EndScene();
    };
    drawFrame();
    std::vector<uint32_t> frame = ReadBackBuffer();
    EXPECT_GT(At(frame, 60, 60).r, 240);
    EXPECT_GT(At(frame, 308, 308).g, 240);
    EXPECT_FALSE(memory.GetLevel(0)->HasBytes());

    FillQuad(*plain, 10, 10, 110, 110, 0xFF0000FFu);  // rewritten: drawn blue now
    drawFrame();
    device->Present();
    frame = ReadBackBuffer();
    EXPECT_GT(At(frame, 60, 60).b, 240);
    EXPECT_LT(At(frame, 60, 60).r, 16);
    EXPECT_GT(At(frame, 308, 308).g, 240);  // the picture, drawn again from OpenGL's copy alone
    EXPECT_EQ(At(frame, 200, 200).g, 0);
}

// A frame that differs from the last in a small part is drawn again there alone and shown without a swap; what
// the window shows is still the whole frame: a small quad moved under a translucent veil over the whole
// window leaves its old place as the veiled background and shows veiled at the new one.
TEST_F(GlDrawingTest, AFrameThatChangesInASmallPartStillShowsWhole) {
    gfx::Device& gl = *device->GetGfxDevice();
    constexpr uint32_t kFvf = gfx::Fvf::XyzRhw | gfx::Fvf::Diffuse | 0x100;
    constexpr uint32_t kStride = 28;
    std::unique_ptr<gfx::VertexBuffer> background, mover, veil;
    for (auto* buffer : {&background, &mover, &veil}) {
        ASSERT_EQ(gl.CreateVertexBuffer(6 * kStride, gfx::Usage::WriteOnly, kFvf, gfx::Pool::Default, *buffer),
                  gfx::Result::Ok);
    }
    FillQuad(*background, 0, 0, kWidth, kHeight, 0xFF0000C0u);
    FillQuad(*veil, 0, 0, kWidth, kHeight, 0x80FFFFFFu);

    auto drawFrame = [&](float moverX) {
        FillQuad(*mover, moverX, 100, moverX + 40, 140, 0xFFFF0000u);
        BeginUnlitFrame(*device, kFvf);
        for (const auto& quad : {&background, &mover}) {
            ASSERT_EQ(gl.SetStreamSource(0, quad->get(), 0, kStride), gfx::Result::Ok);
            ASSERT_EQ(gl.DrawPrimitive(gfx::PrimitiveType::TriangleList, 0, 2), gfx::Result::Ok);
        }
        ASSERT_EQ(gl.SetRenderState(gfx::RenderState::AlphaBlendEnable, 1), gfx::Result::Ok);
        ASSERT_EQ(gl.SetRenderState(gfx::RenderState::SrcBlend, gfx::Blend::SrcAlpha), gfx::Result::Ok);
        ASSERT_EQ(gl.SetRenderState(gfx::RenderState::DestBlend, gfx::Blend::InvSrcAlpha), gfx::Result::Ok);
        ASSERT_EQ(gl.SetStreamSource(0, veil.get(), 0, kStride), gfx::Result::Ok);
        ASSERT_EQ(gl.DrawPrimitive(gfx::PrimitiveType::TriangleList, 0, 2), gfx::Result::Ok);
        device->EndScene();
        device->Present();
    };
    // Swapped, then drawn whole and kept in the back buffer, then drawn where the quad was and is.
    for (float x : {100.0f, 300.0f, 100.0f, 500.0f}) drawFrame(x);
    const std::vector<uint32_t> frame = ReadBackBuffer();
    for (int x : {120, 320}) {
        const Pixel veiledBackground = At(frame, x, 120);
        EXPECT_LT(veiledBackground.r, 140) << x;
        EXPECT_GT(veiledBackground.b, 200) << x;
    }
    const Pixel veiledQuad = At(frame, 520, 120);
    EXPECT_GT(veiledQuad.r, 240);
    EXPECT_LT(veiledQuad.b, 140);
    const Pixel untouched = At(frame, 300, 400);
    EXPECT_LT(untouched.r, 140);
    EXPECT_GT(untouched.b, 200);
}

// A quad over the whole window drawn under a scissor colours the scissor's rows only, also when the next
// frame moves the scissor (and is drawn again only where it differs).
TEST_F(GlDrawingTest, AScissorLimitsTheDrawToItsRectangle) {
    gfx::Device& gl = *device->GetGfxDevice();
    constexpr uint32_t kFvf = gfx::Fvf::XyzRhw | gfx::Fvf::Diffuse | 0x100;
    constexpr uint32_t kStride = 28;
    std::unique_ptr<gfx::VertexBuffer> background, band;
    for (auto* buffer : {&background, &band}) {
        ASSERT_EQ(gl.CreateVertexBuffer(6 * kStride, gfx::Usage::WriteOnly, kFvf, gfx::Pool::Default, *buffer),
                  gfx::Result::Ok);
    }
    FillQuad(*background, 0, 0, kWidth, kHeight, 0xFF0000C0u);
    FillQuad(*band, 0, 0, kWidth, kHeight, 0xFFFF0000u);
    auto drawFrame = [&](int32_t top) {
        BeginUnlitFrame(*device, kFvf);
        ASSERT_EQ(gl.SetStreamSource(0, background.get(), 0, kStride), gfx::Result::Ok);
        ASSERT_EQ(gl.DrawPrimitive(gfx::PrimitiveType::TriangleList, 0, 2), gfx::Result::Ok);
        const gfx::Rect scissor{0, top, kWidth, top + 100};
        ASSERT_EQ(gl.SetScissorRect(&scissor), gfx::Result::Ok);
        ASSERT_EQ(gl.SetStreamSource(0, band.get(), 0, kStride), gfx::Result::Ok);
        ASSERT_EQ(gl.DrawPrimitive(gfx::PrimitiveType::TriangleList, 0, 2), gfx::Result::Ok);
        ASSERT_EQ(gl.SetScissorRect(nullptr), gfx::Result::Ok);
        device->EndScene();
        device->Present();
    };
    for (int32_t top : {100, 100, 200}) drawFrame(top);
    const std::vector<uint32_t> frame = ReadBackBuffer();
    for (int y : {50, 150, 350}) EXPECT_GT(At(frame, 320, y).b, 150) << y;
    EXPECT_GT(At(frame, 320, 250).r, 200);
    EXPECT_LT(At(frame, 320, 250).b, 50);
}

// A picture from a file that nothing draws in the frame it was made in gives its pixels up when that frame
// is presented, and is decoded again (through its restorer) when it is first drawn.
TEST_F(GlDrawingTest, PicturesNotDrawnGiveUpTheirPixelsUntilTheyAre) {
    int restored = 0;
    const std::unique_ptr<gfx::Texture> texture = GreenPicture("gl_undrawn_picture.png", restored);
    ASSERT_NE(texture, nullptr);
    auto& memory = dynamic_cast<gfx::MemoryTexture&>(*texture);

    ASSERT_TRUE(device->BeginFrame());
    device->Present();  // a frame without the picture
    EXPECT_FALSE(memory.GetLevel(0)->HasBytes());
    EXPECT_EQ(restored, 0);

    DrawPicture(*texture);
    const std::vector<uint32_t> frame = ReadBackBuffer();
    EXPECT_EQ(restored, 1);
    EXPECT_GT(At(frame, 308, 308).g, 240);
    EXPECT_FALSE(memory.GetLevel(0)->HasBytes());  // OpenGL holds it now
}

// A picture no frame read for long gives OpenGL's copy up too, and is made again from its file when it is
// drawn again.
TEST_F(GlDrawingTest, PicturesNotReadForLongAreMadeAgainWhenDrawn) {
    int restored = 0;
    const std::unique_ptr<gfx::Texture> texture = GreenPicture("gl_idle_picture.png", restored);
    ASSERT_NE(texture, nullptr);
    auto drawPicture = [&] {
        DrawPicture(*texture);
        device->Present();
    };
    drawPicture();
    for (uint64_t frame = 0; frame < gfx::GlHeldPictures::kIdleFrames; ++frame) {
        ASSERT_TRUE(device->BeginFrame());
        device->Present();
    }
    EXPECT_EQ(restored, 0) << "drawn from the file's pixels, then from OpenGL's copy";
    drawPicture();
    EXPECT_EQ(restored, 1);
    EXPECT_GT(At(ReadBackBuffer(), 308, 308).g, 240);
}

}  // namespace
}  // namespace kestrovan
