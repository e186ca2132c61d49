#pragma once
// The one-line text entry the dialogs share: an edit box with the common texture's caret and selection (light,
// or dark for dark text), its text in regular 12 of one colour, at most a number of code-page bytes long, added to its parent; over the
// field it stands on, when one is given: an image of the entry's size cut from a texture, added just before
// it (an edit box draws its text and caret but not its own picture, so a dialog whose face paints no field
// gives its entries one this way).
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>
#include <optional>

namespace kestrovan {

class EditBox;
class Widget;

// Where an entry's field is cut from.
struct EntryBackground {
    int32_t texture = 0;
    int32_t srcX = 0;
    int32_t srcY = 0;
};

// The shared fields of the common texture, for entries on faces that paint none: dark for white text, light
// (the tooltip's face) for black text; up to 400 and 445 pixels wide.
inline constexpr EntryBackground kDarkEntryField{0, 320, 640};
inline constexpr EntryBackground kLightEntryField{0, 0, 446};

// Builds the entry at (x, y, w, h) as a visible child of parent and returns it.
EditBox* AddTextEntry(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t maxBytes, uint32_t colour,
                      std::optional<EntryBackground> background = std::nullopt);

}  // namespace kestrovan
