#pragma once
// The building steps every part of the shop screen lays its widgets out with: a button that wears the face of
// its size from the shop's texture and a caption, a toggle on the shop's small face, a scroll bar from the
// common texture, a bold label, and a widget made elsewhere handed to its parent. Used while the screen and
// its windows are built (the main thread).
#include <cstdint>
#include <memory>
#include <utility>

#include "client/ui/Widget.h"
#include "platform/system/WString.h"

namespace kestrovan {

class Button;
class ScrollBar;
class TextLabel;

inline constexpr int32_t kShopTexture = 27;

// A button from the shop's texture with a centred white caption: the face of its size, else the cash button's
// face stretched to a button of that height, else the small face stretched.
Button* AddShopButton(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t key,
                      const char16_t* caption);
ScrollBar* AddShopScrollBar(Widget& parent, int32_t x, int32_t y, int32_t h, int32_t id);
// A toggle button with the shop's small toggle face (82 x 22) stretched to w x h, as a child of parent.
Button* AddShopToggle(Widget& parent, int32_t id, int32_t x, int32_t y, int32_t w, int32_t h);
// The same toggle with a bold 12 caption, centred across it.
Button* AddShopToggle(Widget& parent, int32_t id, int32_t x, int32_t y, int32_t w, int32_t h,
                      platform::WStringView caption);
// A bold 12 label 18 high, in that colour, showing text.
TextLabel* AddShopText(Widget& parent, int32_t x, int32_t y, int32_t w, platform::WStringView text, uint32_t colour);

template <class T>
T* AttachShopWidget(Widget& parent, std::unique_ptr<T> widget, bool visible) {
    return static_cast<T*>(parent.AddChild(std::move(widget), visible));
}

}  // namespace kestrovan
