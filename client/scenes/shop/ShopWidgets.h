#pragma once
// The building steps every part of the shop screen lays its widgets out with: a button that wears the face of
// its size from the shop's texture and a caption, a scroll bar from the common texture, and a widget made
// elsewhere handed to its parent. Used while the screen is built (the main thread, in Init).
#include <cstdint>
#include <memory>
#include <utility>

#include "client/ui/Widget.h"

namespace kestrovan {

class Button;
class ScrollBar;

inline constexpr int32_t kShopTexture = 27;

Button* AddShopButton(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t key,
                      const char16_t* caption);
ScrollBar* AddShopScrollBar(Widget& parent, int32_t x, int32_t y, int32_t h, int32_t id);

template <class T>
T* AttachShopWidget(Widget& parent, std::unique_ptr<T> widget, bool visible) {
    return static_cast<T*>(parent.AddChild(std::move(widget), visible));
}

}  // namespace kestrovan
