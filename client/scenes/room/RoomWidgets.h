#pragma once
// The two small building steps every part of the room screen lays its widgets out with: a one-line label
// with the room's fonts, and a widget made elsewhere handed to its parent. Used while the screen is built
// (the main thread, in Init).
#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>

#include "client/app/UiFonts.h"
#include "client/ui/TextLabel.h"
#include "client/ui/Widget.h"

namespace kestrovan {

// A label 18 pixels high with a blank text; a centred label (layout 1) gets a black shadow.
inline TextLabel* AddRoomLabel(Widget& parent, int32_t x, int32_t y, int32_t w, uint32_t colour,
                               size_t font = UiFont::Bold12, uint8_t layout = 0) {
    TextLabel* label = parent.CreateTextLabel(x, y, w, 18, &UiFontAt(font), 0, layout);
    label->SetColors(colour, layout != 0 ? 0xFF000000 : 0);
    label->SetText(u" ");
    return label;
}

template <class T>
T* AttachTo(Widget& parent, std::unique_ptr<T> widget, bool visible) {
    return static_cast<T*>(parent.AddChild(std::move(widget), visible));
}

}  // namespace kestrovan
