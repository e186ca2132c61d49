// Widget toolkit: the cost per frame of routing mouse messages into, and drawing, a dialog window of 200
// widgets (rows of captioned buttons, icons, labels and a scroll bar) over a scene root. The renderer only
// counts what it is asked to draw, so the figures are the toolkit's own.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "QuillLib/render/TextEntry.h"
#include "QuillLib/render/TextSurface.h"
#include "client/ui/Button.h"
#include "client/ui/FontDesc.h"
#include "client/ui/Image.h"
#include "client/ui/Panel.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/UiServices.h"
#include "client/ui/WidgetRenderer.h"
#include "client/ui/WidgetResources.h"
#include "client/ui/WidgetTexture.h"
#include "client/ui/WidgetToolkit.h"
#include "client/ui/Window.h"
#include "platform/window/MessageIds.h"
#include "platform/window/MessageParams.h"

namespace {

using namespace kestrovan;
namespace Msg = platform::Msg;

class Services : public UiServices {
public:
    uint16_t GetScreenWidth() const override { return 1024; }
    uint16_t GetScreenHeight() const override { return 768; }
    bool IsUiUpdateEnabled() const override { return true; }
    int16_t GetKeyState(int32_t) const override { return 0; }
    void PlaySound(uint32_t) override {}
    EditBridge* GetEditBridge() override { return nullptr; }
    const FontDesc& GetDefaultFont() const override { return font_; }

private:
    FontDesc font_;
};

class Texture : public WidgetTexture {
public:
    platform::gfx::BaseTexture* GetDeviceTexture() override { return nullptr; }
};

class Resources : public WidgetResources {
public:
    quill::SharedPtr<WidgetTexture> GetTextureById(int32_t id) override {
        return id == kNoTexture ? quill::SharedPtr<WidgetTexture>() : texture_;
    }
    quill::SharedPtr<SpriteAnimation> GetSpriteAnimationById(int32_t, int32_t) override { return {}; }

private:
    quill::SharedPtr<WidgetTexture> texture_ = quill::make_shared<Texture>();
};

// Measures 7 pixels a character; entries stay off any page.
class Surface : public quill::TextSurface {
public:
    quill::RenderDevice& GetDevice() override { std::abort(); }
    platform::gfx::TextExtent MeasureText(quill::WStringView text) override {
        return {static_cast<int32_t>(text.size()) * 7, 14};
    }
    void Register(quill::TextEntry&) override {}
    void Unregister(quill::TextEntry&) override {}
    bool Rasterise(platform::gfx::Texture&, const quill::TextEntry&, const platform::gfx::Rect&) override {
        return true;
    }
};

class Renderer : public WidgetRenderer {
public:
    void DrawImage(WidgetTexture&, const WidgetRect&, float, float, float, float, float, uint32_t) override {
        ++images;
    }
    void DrawText(quill::TextEntry&, float, float) override { ++texts; }
    quill::TextSurface* GetTextSurface(const FontDesc&) override { return &surface_; }

    int64_t images = 0;
    int64_t texts = 0;

private:
    Surface surface_;
};

// A scene with one dialog of 200 widgets: the dialog with its title and a captioned close button, 48 rows
// of an icon, a captioned button (two widgets) and a label, and a scroll bar with its two buttons and thumb.
class Scene {
public:
    Scene() {
        root.Create(0, 0, 1024, 768, -1, -1);
        auto owned = std::make_unique<Window>();
        owned->Create(100, 40, 600, 680, -1, -1);
        owned->SetImage(1, 0, 0, -1, -1, 1.0f, 1.0f);
        dialog = owned.get();
        root.AddChild(std::move(owned), true);
        dialog->CreateTextLabel(10, 2, 560, 14, &font, TextLabel::kAlignCentre, 0)->SetText(u"Friends");
        Button* close = dialog->CreateButton(576, 2, 16, 14, 2049, 27, 1, 0, 0);
        close->AddLabel(&font, TextLabel::kAlignCentre, 0xFFFFFF, 0, 0);
        close->SetCaption(u"x");
        for (int32_t row = 0; row < 48; ++row) {
            const int32_t y = 20 + row * 13;
            dialog->CreateImage(10, y, 12, 12, 1, 0, 0);
            Button* button = dialog->CreateButton(30, y, 300, 12, 100 + row, -1, 1, 0, 0);
            button->AddLabel(&font, 0, 0xFFFFFF, 0, 0);
            button->SetCaption(u"Player name");
            dialog->CreateTextLabel(340, y, 200, 12, &font, 0, 0)->SetText(u"Lobby 3");
        }
        auto bar = std::make_unique<ScrollBar>();
        bar->Create(570, 20, 16, 640, 9, ScrollBar::kVertical, 48, true);
        ScrollBar* list = bar.get();
        dialog->AddChild(std::move(bar), true);
        list->SetImage(1, 0, 0, -1, -1, 1.0f, 1.0f);
        list->AddDecButton(0, 0, 16, 16, -1);
        list->AddIncButton(0, 16, 16, 16, -1);
        list->AddThumb(0, 32, 16, 24, 0);
        root.LoadGraphics(0);
    }

    Services services;
    Resources resources;
    Renderer renderer;
    WidgetToolkit toolkit{services, resources, renderer};
    FontDesc font;
    Panel root;
    Window* dialog = nullptr;
};

int CountWidgets(const Widget& widget) {
    int count = 1;
    for (const Widget* child : widget.GetChildren()) {
        count += CountWidgets(*child);
    }
    return count;
}

// The mouse sweeps down the rows: every message is hit-tested against the dialog's children, topmost first.
void BM_RouteMouseMove(benchmark::State& state) {
    Scene scene;
    int32_t y = 20;
    for (auto _ : state) {
        benchmark::DoNotOptimize(scene.root.RouteMessage(Msg::MouseMove, 0, platform::MakePointLParam(200, y)));
        y = y >= 644 ? 20 : y + 3;
    }
    state.counters["widgets"] = CountWidgets(*scene.dialog);
}
BENCHMARK(BM_RouteMouseMove);

// A press and release on a row button (a click raised at the dialog).
void BM_RouteClick(benchmark::State& state) {
    Scene scene;
    const platform::LParam at = platform::MakePointLParam(200, 300);
    for (auto _ : state) {
        scene.root.RouteMessage(Msg::LButtonDown, 0, at);
        benchmark::DoNotOptimize(scene.root.RouteMessage(Msg::LButtonUp, 0, at));
    }
}
BENCHMARK(BM_RouteClick);

// One frame's draw of the whole tree.
void BM_DrawFrame(benchmark::State& state) {
    Scene scene;
    for (auto _ : state) {
        scene.root.UpdateTree();
    }
    state.counters["images/frame"] = static_cast<double>(scene.renderer.images) / static_cast<double>(state.iterations());
    state.counters["texts/frame"] = static_cast<double>(scene.renderer.texts) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_DrawFrame);

// One frame's tick of the whole tree.
void BM_TickFrame(benchmark::State& state) {
    Scene scene;
    uint32_t now = 0;
    for (auto _ : state) {
        scene.root.TickTree(now);
        now += 16;
    }
}
BENCHMARK(BM_TickFrame);

}  // namespace
