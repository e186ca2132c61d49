#include "client/scenes/common/TextEntry.h"

#include <memory>

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"

namespace kestrovan {

namespace {

// The carets of the common texture, each 2 wide with its selection's column beside it.
constexpr int32_t kLightCaretX = 609;
constexpr int32_t kDarkCaretX = 613;
constexpr int32_t kCaretY = 68;

}  // namespace

EditBox* AddTextEntry(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t maxBytes, uint32_t colour,
                      std::optional<EntryBackground> background) {
    if (background) {
        parent.CreateImage(x, y, w, h, background->texture, background->srcX, background->srcY)->SetAcceptsMouse(false);
    }
    // The caret in the text's tone: light over the dark fields of light text, dark over the light ones.
    const bool darkText = ((colour >> 16 & 0xFF) + (colour >> 8 & 0xFF) + (colour & 0xFF)) < 3 * 0x80;
    auto box = std::make_unique<EditBox>();
    box->Create(x, y, w, h);
    box->SetSkin(kCommonTexture, darkText ? kDarkCaretX : kLightCaretX, kCaretY, 2, 14);
    box->SetFont(&UiFontAt(UiFont::Regular12), maxBytes, colour);
    return static_cast<EditBox*>(parent.AddChild(std::move(box), true));
}

}  // namespace kestrovan
