#include "UiTestSupport.h"

#include <cstdio>
#include <utility>

#include "QuillLib/render/TextEntry.h"
#include "platform/gfx/GfxFormat.h"
#include "platform/system/Clock.h"

namespace kestrovan::test {

namespace Msg = platform::Msg;

int16_t FakeUiServices::GetKeyState(int32_t vk) const {
    if (keyWindow != nullptr) {
        return keyWindow->GetKeyState(vk);
    }
    return vk >= 0 && vk < 256 && keysDown[static_cast<size_t>(vk)] ? static_cast<int16_t>(0x8000) : 0;
}

int32_t FakeAnimation::Advance(float seconds) {
    played += seconds;
    return mode == kPlayOnce && played >= duration ? kFinished : 0;
}

quill::SharedPtr<WidgetTexture> FakeResources::GetTextureById(int32_t id) {
    textureRequests.push_back(id);
    if (id == kNoTexture) {
        return {};
    }
    return quill::make_shared<FakeTexture>(id);
}

quill::SharedPtr<SpriteAnimation> FakeResources::GetSpriteAnimationById(int32_t id, int32_t value) {
    const auto found = animations.find({id, value});
    return found != animations.end() ? found->second : quill::SharedPtr<SpriteAnimation>();
}

FixedWidthTextSurface::FixedWidthTextSurface(quill::RenderDevice& device)
    : device_(device), page_(device, *this, kHeight + 2, 512, 1024, 64) {}

platform::gfx::TextExtent FixedWidthTextSurface::MeasureText(quill::WStringView text) {
    return {static_cast<int32_t>(text.size()) * kAdvance, kHeight};
}

namespace {

platform::gfx::PresentParameters SmallBackBuffer() {
    platform::gfx::PresentParameters parameters;
    parameters.backBufferWidth = 64;
    parameters.backBufferHeight = 64;
    parameters.backBufferFormat = platform::gfx::Format::X8R8G8B8;
    parameters.windowed = true;
    return parameters;
}

std::string Number(float value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

std::string AsciiOf(quill::WStringView text) {
    std::string out;
    for (char16_t unit : text) {
        out += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return out;
}

}  // namespace

RecordingUiDevice::RecordingUiDevice()
    : quill::RenderDevice(1024, 768),
      setup_(std::make_shared<platform::gfx::RecordingSetup>()),
      device_(std::make_unique<platform::gfx::RecordingDevice>(setup_, SmallBackBuffer())),
      pool_(device_.get()) {
    maxTextureWidth = 2048;
    maxTextureHeight = 2048;
    surface_ = std::make_unique<FixedWidthTextSurface>(*this);
}

RecordingUiDevice::~RecordingUiDevice() = default;

void RecordingUiDevice::DrawImage(WidgetTexture& texture, const WidgetRect& source, float x, float y, float scaleX,
                                  float scaleY, float opacity, uint32_t) {
    const auto& fake = dynamic_cast<FakeTexture&>(texture);
    draws_.push_back("image " + std::to_string(fake.id) + " " + std::to_string(source.left) + "," +
                     std::to_string(source.top) + "," + std::to_string(source.right) + "," +
                     std::to_string(source.bottom) + " at " + Number(x) + "," + Number(y) + " scale " +
                     Number(scaleX) + "," + Number(scaleY) + " alpha " + Number(opacity));
}

void RecordingUiDevice::DrawText(quill::TextEntry& text, float x, float y) {
    draws_.push_back("text '" + AsciiOf(text.GetText()) + "' at " + Number(x) + "," + Number(y));
    text.Draw(x, y);
}

quill::TextSurface* RecordingUiDevice::GetTextSurface(const FontDesc& font) {
    return GetTextSurface(font.face, font.height, font.weight, font.italic, 64);
}

quill::TextSurface* RecordingUiDevice::GetTextSurface(quill::WStringView face, int32_t, uint32_t, bool, uint32_t) {
    fontsAsked.emplace_back(face);
    return surface_.get();
}

bool RecordingUiDevice::DrawSprite(platform::gfx::BaseTexture& texture, const platform::gfx::Rect& source, float x,
                                   float y, platform::gfx::Color color) {
    return platform::gfx::Succeeded(
        device_->DrawSprite(texture, source, static_cast<int32_t>(x), static_cast<int32_t>(y), color));
}

UiTest::UiTest() {
    platform::SetTickSource([this] { return now; });
}

UiTest::~UiTest() { platform::SetTickSource({}); }

bool UiTest::Mouse(Widget& root, uint32_t msg, int32_t x, int32_t y, platform::WParam wParam) {
    return root.RouteMessage(msg, wParam, platform::MakePointLParam(x, y));
}

bool UiTest::Wheel(Widget& root, int32_t notches, int32_t x, int32_t y) {
    return Mouse(root, Msg::MouseWheel, x, y, platform::MakeWheelWParam(0, notches * platform::kWheelDelta));
}

bool UiTest::Key(Widget& root, uint32_t msg, uint8_t vk) {
    services.keysDown[vk] = msg == Msg::KeyDown;
    return root.RouteMessage(msg, vk, 0);
}

void UiTest::Click(Widget& root, int32_t x, int32_t y) {
    Mouse(root, Msg::MouseMove, x, y);
    Mouse(root, Msg::LButtonDown, x, y);
    Mouse(root, Msg::LButtonUp, x, y);
}

}  // namespace kestrovan::test
