// Real pixels of a small dialog drawn by the widgets through the render device on OpenGL (under Xvfb with
// Mesa's software renderer): a modal window with a title label, an edit box and a captioned button over a
// scene background, read back from the back buffer and checked at known places; the frame is also saved as a
// screenshot in the build tree.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>

#include "QuillLib/render/TextEntry.h"
#include "client/render/D3D9RenderDevice.h"
#include "client/ui/Button.h"
#include "client/ui/EditBox.h"
#include "client/ui/FontDesc.h"
#include "client/ui/Panel.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiServices.h"
#include "client/ui/WidgetRenderer.h"
#include "client/ui/WidgetResources.h"
#include "client/ui/WidgetTexture.h"
#include "client/ui/WidgetToolkit.h"
#include "client/ui/Window.h"
#include "tests/support/gfx/DeviceWidgetRenderer.h"
#include "tests/support/gfx/SdlGlWindow.h"

namespace kestrovan {
namespace {

namespace gfx = platform::gfx;

constexpr int kWidth = 640, kHeight = 480;

// Texture ids of the test's catalogue.
constexpr int32_t kShadeTexture = 0;  // the modal shade's: black where it is cut
constexpr int32_t kBackground = 1;
constexpr int32_t kDialogFace = 2;
constexpr int32_t kButtonFaces = 3;  // four frames of 80 x 24, one below the other

struct Pixel {
    int r, g, b;
};

class DeviceTexture : public WidgetTexture {
public:
    explicit DeviceTexture(std::unique_ptr<gfx::Texture> texture) : texture_(std::move(texture)) {}
    gfx::BaseTexture* GetDeviceTexture() override { return texture_.get(); }
    gfx::Texture& Get() { return *texture_; }

private:
    std::unique_ptr<gfx::Texture> texture_;
};

class Catalogue : public WidgetResources {
public:
    quill::SharedPtr<WidgetTexture> GetTextureById(int32_t id) override {
        const auto found = textures.find(id);
        return found != textures.end() ? found->second : quill::SharedPtr<WidgetTexture>();
    }
    quill::SharedPtr<SpriteAnimation> GetSpriteAnimationById(int32_t, int32_t) override { return {}; }

    std::map<int32_t, quill::SharedPtr<WidgetTexture>> textures;
};

class Services : public UiServices {
public:
    uint16_t GetScreenWidth() const override { return kWidth; }
    uint16_t GetScreenHeight() const override { return kHeight; }
    bool IsUiUpdateEnabled() const override { return true; }
    int16_t GetKeyState(int32_t) const override { return 0; }
    void PlaySound(uint32_t) override {}
    EditBridge* GetEditBridge() override { return nullptr; }
    const FontDesc& GetDefaultFont() const override { return font; }

    FontDesc font{u"DejaVu Sans", 16, 700, false};

private:
};

class DialogPixelsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs an X display: ./test.sh starts Xvfb for this test";
        ASSERT_TRUE(window.IsOpen()) << window.Error();
        device = std::make_unique<D3D9RenderDevice>(kWidth, kHeight, window.CreateSystem(), nullptr);
        ASSERT_EQ(device->Create(), 0u);
        renderer = std::make_unique<kvtest::DeviceWidgetRenderer>(*device);
        toolkit = std::make_unique<WidgetToolkit>(services, catalogue, *renderer);
        AddTexture(kShadeTexture, 16, 512, [](int, int) { return 0xFF000000u; });
        AddTexture(kBackground, 64, 64, [](int, int) { return 0xFF2060C0u; });
        AddTexture(kDialogFace, 64, 64, [](int, int) { return 0xFF505050u; });
        // Frame 0 (normal) green, the others red: the frame drawn shows which state the button is in.
        AddTexture(kButtonFaces, 128, 128, [](int, int y) { return y < 24 ? 0xFF20C020u : 0xFFC02020u; });
    }

    void TearDown() override {
        toolkit.reset();
        catalogue.textures.clear();
    }

    template <class Fill>
    void AddTexture(int32_t id, uint32_t w, uint32_t h, Fill fill) {
        std::unique_ptr<gfx::Texture> texture;
        ASSERT_EQ(device->GetGfxDevice()->CreateTexture(w, h, 1, 0, gfx::Format::A8R8G8B8, gfx::Pool::Managed, texture),
                  gfx::Result::Ok);
        gfx::LockedRect locked;
        ASSERT_EQ(texture->LockRect(0, locked, nullptr, 0), gfx::Result::Ok);
        for (uint32_t y = 0; y < h; ++y) {
            auto* row = reinterpret_cast<uint32_t*>(static_cast<std::byte*>(locked.bits) + y * locked.pitch);
            for (uint32_t x = 0; x < w; ++x) {
                row[x] = fill(static_cast<int>(x), static_cast<int>(y));
            }
        }
        texture->UnlockRect(0);
        catalogue.textures[id] = quill::make_shared<DeviceTexture>(std::move(texture));
    }

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

    // Pixels of the rectangle brighter than 200 in every channel: text ink.
    static int WhiteIn(const std::vector<uint32_t>& pixels, const WidgetRect& rect) {
        int white = 0;
        for (int y = rect.top; y <= rect.bottom; ++y) {
            for (int x = rect.left; x <= rect.right; ++x) {
                const Pixel p = At(pixels, x, y);
                white += p.r > 200 && p.g > 200 && p.b > 200;
            }
        }
        return white;
    }

    kvtest::SdlGlWindow window{kWidth, kHeight};
    std::unique_ptr<D3D9RenderDevice> device;
    std::unique_ptr<kvtest::DeviceWidgetRenderer> renderer;
    Services services;
    Catalogue catalogue;
    std::unique_ptr<WidgetToolkit> toolkit;
};

TEST_F(DialogPixelsTest, LabelButtonAndEditBoxAppearInTheFrame) {
    Panel scene;
    scene.Create(0, 0, kWidth, kHeight, -1, -1);
    scene.SetImage(kBackground, 0, 0, 64, 64, kWidth / 64.0f, kHeight / 64.0f);
    auto owned = std::make_unique<Window>();
    owned->Create(120, 100, 400, 240, -1, -1);
    owned->SetImage(kDialogFace, 0, 0, 64, 64, 400 / 64.0f, 240 / 64.0f);
    Window* dialog = owned.get();
    scene.AddChild(std::move(owned), false);
    TextLabel* title = dialog->CreateTextLabel(20, 20, 360, 24, &services.font, TextLabel::kAlignCentre, 1);
    title->SetColors(0xFFFFFF, 0x000000);
    title->SetText(u"Kestrovan");
    auto edit = std::make_unique<EditBox>();
    edit->Create(60, 80, 280, 24);
    edit->SetFont(&services.font, 12, 0xFFFFFF);
    edit->SetText(u"WWWW");
    EditBox* name = edit.get();
    dialog->AddChild(std::move(edit), true);
    Button* ok = dialog->CreateButton(160, 170, 80, 24, 2050, 13, kButtonFaces, 0, 0);
    ok->AddLabel(&services.font, TextLabel::kAlignCentre, 0xFFFFFF, 0, 0);
    ok->SetCaption(u"OK");
    dialog->SetVisible(true);
    scene.LoadGraphics(0);

    device->clearColor = 0xFF000000;
    ASSERT_TRUE(device->BeginFrame());
    ASSERT_TRUE(device->BeginScene());
    ASSERT_TRUE(device->Begin2D());
    scene.UpdateTree();
    device->EndScene();
    const std::vector<uint32_t> frame = ReadBackBuffer();
    device->Present();
    device->SaveScreenshot(std::filesystem::path(KV_BINARY_DIR) / "ui_dialog.png");

    // Outside the dialog the background is dimmed to half by the modal shade.
    const Pixel dimmed = At(frame, 40, 40);
    EXPECT_NEAR(dimmed.r, 0x20 / 2, 3);
    EXPECT_NEAR(dimmed.g, 0x60 / 2, 3);
    EXPECT_NEAR(dimmed.b, 0xC0 / 2, 3);
    // The dialog's face, undimmed, where nothing lies on it.
    const Pixel face = At(frame, 130, 330);
    EXPECT_NEAR(face.r, 0x50, 2);
    EXPECT_NEAR(face.b, 0x50, 2);
    // The button face in its normal frame, beside its caption.
    const Pixel button = At(frame, 285, 280);
    EXPECT_NEAR(button.r, 0x20, 3);
    EXPECT_NEAR(button.g, 0xC0, 3);
    // Text in the title, the edit box and on the button; none on the empty face below the edit box.
    EXPECT_GT(WhiteIn(frame, title->GetRect()), 55);
    EXPECT_GT(WhiteIn(frame, name->GetRect()), 60);
    EXPECT_GT(WhiteIn(frame, ok->GetRect()), 14);
    EXPECT_EQ(WhiteIn(frame, WidgetRect::FromSize(140, 210, 360, 50)), 0);
}

}  // namespace
}  // namespace kestrovan
