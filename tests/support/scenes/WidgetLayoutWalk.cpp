#include "tests/support/scenes/WidgetLayoutWalk.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <typeinfo>

#include "client/ui/Button.h"
#include "client/ui/ComboBox.h"
#include "client/ui/FontDesc.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/TextLabel.h"
#include "client/ui/Widget.h"
#include "client/ui/WidgetSprite.h"
#include "platform/gfx/FontFace.h"
#include "platform/gfx/TextFormat.h"

namespace kestrovan::test {

namespace {

using kvtest::LayoutBox;
using kvtest::LayoutItem;

constexpr int32_t kNoTexture = 35;
constexpr int32_t kToggleFrames = 7;
constexpr uint8_t kOutlined = 2;

LayoutBox BoxOf(const WidgetRect& rect) { return LayoutBox{rect.left, rect.top, rect.right + 1, rect.bottom + 1}; }

std::string Utf8(const platform::WString& text) {
    std::string out;
    for (const char16_t unit : text) {
        if (unit < 0x80) {
            out += static_cast<char>(unit);
        } else if (unit < 0x800) {
            out += static_cast<char>(0xC0 | unit >> 6);
            out += static_cast<char>(0x80 | (unit & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | unit >> 12);
            out += static_cast<char>(0x80 | (unit >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (unit & 0x3F));
        }
    }
    return out;
}

// The widget's class as the report names it, with its control id when it has one.
std::string NameOf(const Widget& widget) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> demangled(
        abi::__cxa_demangle(typeid(widget).name(), nullptr, nullptr, &status), std::free);
    std::string name = status == 0 && demangled ? demangled.get() : typeid(widget).name();
    if (name.starts_with("kestrovan::")) name = name.substr(11);
    if (widget.GetId() >= 0) name += "#" + std::to_string(widget.GetId());
    return name;
}

// The labels' fonts, opened as the device's text surfaces open them, so that a walk measures without a device.
class FontMeasure {
public:
    platform::gfx::TextExtent Measure(const FontDesc& desc, const platform::WString& text) {
        const auto key = std::make_tuple(desc.face, desc.height, desc.weight, desc.italic);
        auto found = faces_.find(key);
        if (found == faces_.end()) {
            found = faces_.emplace(key, platform::gfx::OpenFontFace(platform::gfx::FontDesc{
                                            desc.face, desc.height, desc.weight | 400, desc.italic})).first;
        }
        return found->second ? found->second->Measure(text) : platform::gfx::TextExtent{};
    }

private:
    std::map<std::tuple<platform::WString, int32_t, uint32_t, bool>, std::unique_ptr<platform::gfx::FontFace>> faces_;
};

// The box the label's text takes: its line, as wide as the font measures it and a font cell high, placed in
// the label's rectangle (moved by the style values) by its placement flags, as the label draws it.
bool TextBox(const TextLabel& label, FontMeasure& fonts, LayoutBox& box) {
    const platform::WString shown = label.GetDisplayText();
    if (std::all_of(shown.begin(), shown.end(), [](char16_t c) { return c == u' '; })) return false;
    if (label.GetFontDesc() == nullptr) return false;
    const platform::gfx::TextExtent extent = fonts.Measure(*label.GetFontDesc(), shown);
    const int32_t width = extent.cx;
    const int32_t height = extent.cy;
    uint32_t format = label.GetStyleFlags();
    if (label.GetAlignment() == TextLabel::kAlignCentre) format |= platform::gfx::TextFormat::Center;
    if (label.GetAlignment() == TextLabel::kAlignRight) format |= platform::gfx::TextFormat::Right;
    const WidgetRect rect = label.GetRect();
    const platform::gfx::Rect area{rect.left + label.GetStyleValue1(), rect.top + label.GetStyleValue2(),
                                   rect.right + 1 + label.GetStyleValue1(), rect.bottom + 1 + label.GetStyleValue2()};
    const platform::gfx::Point at = platform::gfx::PlaceTextLine(area, width, height, format);
    box = LayoutBox{at.x, at.y, at.x + width, at.y + height};
    return true;
}

// The nearest ancestor that is more than an anchor's single pixel: the widget a text belongs to.
const Widget* FrameOf(const Widget& widget) {
    for (const Widget* up = widget.GetParent(); up != nullptr; up = up->GetParent()) {
        if (up->Width() > 1 && up->Height() > 1) return up;
    }
    return nullptr;
}

// What input a widget takes: edit boxes, lists, toggles (check boxes and radio buttons, which fold their
// frames as seven) and sliders (horizontal bars).
kvtest::Control ControlOf(const Widget& widget) {
    switch (widget.GetKind()) {
        case WidgetKind::EditBox: return kvtest::Control::Edit;
        case WidgetKind::ComboBox: return kvtest::Control::List;
        case WidgetKind::Button:
            return static_cast<const Button&>(widget).GetFrameCount() == kToggleFrames ? kvtest::Control::Toggle
                                                                                      : kvtest::Control::None;
        case WidgetKind::ScrollBar:
            return static_cast<const ScrollBar&>(widget).IsVertical() ? kvtest::Control::None : kvtest::Control::Slider;
        default: return kvtest::Control::None;
    }
}

class Walk {
public:
    explicit Walk(const Widget& root) : root_(root) {}

    void Visit(const Widget& widget, const std::string& path, int32_t layer, const LayoutBox* window) {
        if (!widget.IsVisible() || widget.GetAlpha() <= 0.0f) return;
        const std::string name = path.empty() ? NameOf(widget) : path + "/" + NameOf(widget);
        LayoutBox own;
        const bool isWindow = widget.GetKind() == WidgetKind::Window;
        if (isWindow) {
            if (&widget != &root_) layer = nextLayer_++;
            own = BoxOf(widget.GetRect());
            window = &own;
        }
        if (widget.GetKind() == WidgetKind::TextLabel) {
            AddText(static_cast<const TextLabel&>(widget), name, layer, window);
        } else if (widget.GetKind() == WidgetKind::ComboBox) {
            // A list is as large as its face, which draws it; the list itself is a point.
            AddControl(name, BoxOf(static_cast<const ComboBox&>(widget).GetFace()->GetRect()), layer, kvtest::Control::List);
        } else if (widget.GetTextureId() != kNoTexture && (&widget != &root_ || isWindow || widget.GetParent() != nullptr ||
                                                           widget.GetKind() == WidgetKind::Tooltip)) {
            AddPicture(widget, name, layer, window, isWindow);
        } else if (ControlOf(widget) != kvtest::Control::None) {
            AddControl(name, BoxOf(widget.GetRect()), layer, ControlOf(widget));
        }
        if (widget.GetKind() == WidgetKind::ScrollBar && static_cast<const ScrollBar&>(widget).IsVertical()) {
            LayoutItem bar;
            bar.name = name;
            bar.drawn = BoxOf(widget.GetRect());
            bar.layer = layer;
            bar.scrollBar = true;
            items_.push_back(bar);
        }
        for (const Widget* child : widget.GetChildren()) Visit(*child, name, layer, window);
    }

    std::vector<LayoutItem> Items() && { return std::move(items_); }

private:
    // The picture as its sprite draws it: the frame of its image, scaled, from the widget's top-left.
    void AddPicture(const Widget& widget, const std::string& name, int32_t layer, const LayoutBox* window,
                    bool windowFace) {
        WidgetSprite sprite;
        const WidgetRect rect = widget.GetRect();
        const WidgetRect frame = widget.GetFrameRect();
        const bool scaled = widget.GetSpriteState(sprite);
        const auto extent = [](int32_t size, float scale) { return static_cast<int32_t>(static_cast<float>(size) * scale); };
        LayoutItem item;
        item.name = name;
        item.drawn = LayoutBox{rect.left, rect.top, rect.left + extent(frame.Width(), scaled ? sprite.GetScaleX() : 1.0f),
                               rect.top + extent(frame.Height(), scaled ? sprite.GetScaleY() : 1.0f)};
        item.layer = layer;
        Place(item, window);
        item.control = ControlOf(widget);
        // A scroll bar's pieces say what they do by where they stand.
        const Widget* parent = widget.GetParent();
        item.part = widget.GetKind() == WidgetKind::ScrollBar || (parent != nullptr && parent->GetKind() == WidgetKind::ScrollBar);
        item.button = widget.GetKind() == WidgetKind::Button && item.control == kvtest::Control::None && !item.part;
        item.step = widget.GetKind() == WidgetKind::Button && item.part;
        item.untouched = widget.GetKind() == WidgetKind::Button && widget.GetState() == WidgetState::Normal &&
                         !static_cast<const Button&>(widget).IsChecked();
        item.windowFace = windowFace;
        item.tooltip = widget.GetKind() == WidgetKind::Tooltip;
        item.panelFace = widget.GetKind() == WidgetKind::Panel;
        item.opacity = widget.GetAlpha();
        // An edit box draws its text and caret, not its own picture.
        if (widget.GetKind() != WidgetKind::EditBox) {
            item.texture = widget.GetTextureId();
            item.cut = LayoutBox{frame.left, frame.top, frame.left + frame.Width(), frame.top + frame.Height()};
        }
        items_.push_back(item);
    }

    void AddControl(const std::string& name, const LayoutBox& drawn, int32_t layer, kvtest::Control control) {
        LayoutItem item;
        item.name = name;
        item.drawn = drawn;
        item.layer = layer;
        item.control = control;
        items_.push_back(item);
    }

    void AddText(const TextLabel& label, const std::string& name, int32_t layer, const LayoutBox* window) {
        LayoutItem item;
        if (!TextBox(label, fonts_, item.drawn)) return;
        item.name = name + " '" + Utf8(label.GetDisplayText()) + "'";
        item.text = true;
        item.layer = layer;
        Place(item, window);
        item.colour = label.GetTextColor();
        item.outlined = label.GetLayoutOption() == kOutlined;
        if (const Widget* frame = FrameOf(label)) {
            item.hasFrame = true;
            item.frame = BoxOf(frame->GetRect());
        }
        items_.push_back(item);
    }

    static void Place(LayoutItem& item, const LayoutBox* window) {
        item.hasWindow = window != nullptr;
        if (window != nullptr) item.window = *window;
    }

    const Widget& root_;
    FontMeasure fonts_;
    std::vector<LayoutItem> items_;
    int32_t nextLayer_ = 1;
};

}  // namespace

std::vector<LayoutItem> WalkWidgetTree(const Widget& root) {
    Walk walk(root);
    walk.Visit(root, {}, 0, nullptr);
    return std::move(walk).Items();
}

}  // namespace kestrovan::test
