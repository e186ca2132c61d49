#pragma once
// The one-line text entry the dialogs share: an edit box with the common texture's caret and selection, its
// text in regular 12 of one colour, at most a number of code-page bytes long, over an optional background
// cut from a texture (at the entry's own size), added to its parent.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>
#include <optional>

namespace kestrovan {

class EditBox;
class Widget;

// Where an entry's background is cut from.
struct EntryBackground {
    int32_t texture = 0;
    int32_t srcX = 0;
    int32_t srcY = 0;
};

// Builds the entry at (x, y, w, h) as a visible child of parent and returns it.
EditBox* AddTextEntry(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t maxBytes, uint32_t colour,
                      std::optional<EntryBackground> background = std::nullopt);

}  // namespace kestrovan
