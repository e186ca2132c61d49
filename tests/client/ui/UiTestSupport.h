#pragma once
// Fakes of what the widget toolkit draws on, for tests without a display: the application's services with
// a key table and a sound log, the catalogue's textures and animations, and a renderer on the recording
// graphics device that logs each 2D draw and text in order while the texts really go through text entries
// and pages to the device. UiTest installs a toolkit on them with a settable millisecond clock.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "QuillLib/render/BufferPool.h"
#include "QuillLib/render/RenderDevice.h"
#include "QuillLib/render/TextPage.h"
#include "QuillLib/render/TextSurface.h"
#include "client/ui/FontDesc.h"
#include "client/ui/Panel.h"
#include "client/ui/SpriteAnimation.h"
#include "client/ui/UiServices.h"
#include "client/ui/Widget.h"
#include "client/ui/WidgetRenderer.h"
#include "client/ui/WidgetResources.h"
#include "client/ui/WidgetTexture.h"
#include "client/ui/WidgetToolkit.h"
#include "platform/gfx/headless/RecordingDevice.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"
#include "platform/window/Window.h"

namespace kestrovan::test {

class FakeUiServices : public UiServices {
public:
    uint16_t GetScreenWidth() const override { return width; }
    uint16_t GetScreenHeight() const override { return height; }
    bool IsUiUpdateEnabled() const override { return uiEnabled; }
    int16_t GetKeyState(int32_t vk) const override;
    void PlaySound(uint32_t id) override { sounds.push_back(id); }
    EditBridge* GetEditBridge() override { return bridge; }
    const FontDesc& GetDefaultFont() const override { return defaultFont; }

    uint16_t width = 1024;
    uint16_t height = 768;
    bool uiEnabled = true;
    std::array<bool, 256> keysDown{};
    // When set, key states come from this window's key table instead of keysDown.
    const platform::Window* keyWindow = nullptr;
    std::vector<uint32_t> sounds;
    EditBridge* bridge = nullptr;
    FontDesc defaultFont{u"Sans", 12, 400, false};
};

class FakeTexture : public WidgetTexture {
public:
    explicit FakeTexture(int32_t textureId) : id(textureId) {}
    platform::gfx::BaseTexture* GetDeviceTexture() override { return nullptr; }
    const int32_t id;
};

// An animation that lasts a given number of seconds; play mode 1 plays once, others loop.
class FakeAnimation : public SpriteAnimation {
public:
    static constexpr int32_t kPlayOnce = 1;

    void SetPlayMode(int32_t m) override { mode = m; }
    void SetDrawMode(int32_t m) override { drawMode = m; }
    void SetPosition(float px, float py) override {
        x = px;
        y = py;
    }
    void Rewind() override { played = 0.0f; }
    void Restart() override { ++restarts; }
    int32_t Advance(float seconds) override;
    void Draw(uint32_t) override { ++draws; }

    float duration = 1.0f;
    float played = 0.0f;
    int32_t mode = 0;
    int32_t drawMode = 0;
    float x = 0.0f;
    float y = 0.0f;
    int32_t restarts = 0;
    int32_t draws = 0;
};

class FakeResources : public WidgetResources {
public:
    quill::SharedPtr<WidgetTexture> GetTextureById(int32_t id) override;
    quill::SharedPtr<SpriteAnimation> GetSpriteAnimationById(int32_t id, int32_t value) override;

    std::map<std::pair<int32_t, int32_t>, quill::SharedPtr<FakeAnimation>> animations;
    std::vector<int32_t> textureRequests;
};

// A font whose characters are all 7 pixels wide and 14 high; its entries share one text page.
class FixedWidthTextSurface : public quill::TextSurface {
public:
    static constexpr int32_t kAdvance = 7;
    static constexpr int32_t kHeight = 14;

    explicit FixedWidthTextSurface(quill::RenderDevice& device);
    quill::RenderDevice& GetDevice() override { return device_; }
    platform::gfx::TextExtent MeasureText(quill::WStringView text) override;
    void Register(quill::TextEntry& entry) override { page_.AddEntry(entry); }
    void Unregister(quill::TextEntry& entry) override { page_.RemoveEntry(entry); }
    bool Rasterise(platform::gfx::Texture&, const quill::TextEntry&, const platform::gfx::Rect&) override {
        return true;
    }

private:
    quill::RenderDevice& device_;
    quill::TextPage page_;
};

// The renderer and font cache on the recording device. Draws() lists "image <texture> <l,t,r,b> at x,y
// scale sx,sy alpha a" and "text '<text>' at x,y" in the order they came.
class RecordingUiDevice : public quill::RenderDevice, public WidgetRenderer {
public:
    RecordingUiDevice();
    ~RecordingUiDevice() override;

    // WidgetRenderer.
    void DrawImage(WidgetTexture& texture, const WidgetRect& source, float x, float y, float scaleX, float scaleY,
                   float opacity, uint32_t updateArg) override;
    void DrawText(quill::TextEntry& text, float x, float y) override;
    quill::TextSurface* GetTextSurface(const FontDesc& font) override;

    // quill::RenderDevice.
    platform::gfx::Device* GetGfxDevice() const override { return device_.get(); }
    quill::BufferPool& GetBufferPool() override { return pool_; }
    void RegisterTexture(quill::LiveTexture&) override {}
    void UnregisterTexture(quill::LiveTexture&) override {}
    quill::TextSurface* GetTextSurface(quill::WStringView face, int32_t height, uint32_t weight, bool italic,
                                       uint32_t pageHeight) override;
    bool SetTexture(platform::gfx::BaseTexture*, uint32_t) override { return true; }
    bool SetTextureAddress(uint32_t, uint32_t, uint32_t) override { return true; }
    bool SetAlphaMode(int32_t) override { return true; }
    bool SetCullMode(int32_t) override { return true; }
    bool SetMaterialAlpha(float) override { return true; }
    bool SetWorld(const quill::Matrix4*) override { return true; }
    uint32_t DrawIndexedTriangles(quill::VertexData&, quill::IndexChunk&) override { return 0; }
    bool DrawSprite(platform::gfx::BaseTexture& texture, const platform::gfx::Rect& source, float x, float y,
                    platform::gfx::Color color) override;

    const std::vector<std::string>& Draws() const { return draws_; }
    void ClearDraws() { draws_.clear(); }
    // Lines of the graphics device's call log that start with the prefix.
    size_t DeviceCalls(std::string_view prefix) const { return setup_->log.Count(prefix); }
    // The font descriptions asked for, by face.
    std::vector<std::u16string> fontsAsked;

private:
    std::shared_ptr<platform::gfx::RecordingSetup> setup_;
    std::unique_ptr<platform::gfx::RecordingDevice> device_;
    quill::BufferPool pool_;
    std::unique_ptr<FixedWidthTextSurface> surface_;
    std::vector<std::string> draws_;
};

// Installs a toolkit on the fakes and drives the millisecond clock.
class UiTest : public ::testing::Test {
protected:
    UiTest();
    ~UiTest() override;

    void SetNow(uint32_t ms) { now = ms; }
    void Advance(uint32_t ms) { now += ms; }

    // Routes a mouse message at (x, y) through the root.
    bool Mouse(Widget& root, uint32_t msg, int32_t x, int32_t y, platform::WParam wParam = 0);
    bool Wheel(Widget& root, int32_t notches, int32_t x, int32_t y);
    bool Key(Widget& root, uint32_t msg, uint8_t vk);
    // A full left click: move, press, release.
    void Click(Widget& root, int32_t x, int32_t y);

    uint32_t now = 100000;
    FakeUiServices services;
    FakeResources resources;
    RecordingUiDevice device;
    WidgetToolkit toolkit{services, resources, device};
};

// A scene root that records the events reaching it.
class EventLog : public Panel {
public:
    struct Event {
        Widget* source;
        int32_t a;
        int32_t b;
        friend bool operator==(const Event&, const Event&) = default;
    };
    bool OnEvent(Widget* source, int32_t a, int32_t b) override {
        events.push_back({source, a, b});
        return true;
    }
    std::vector<Event> events;
};

}  // namespace kestrovan::test
