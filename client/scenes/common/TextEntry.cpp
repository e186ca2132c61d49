#include "client/scenes/common/TextEntry.h"

#include <memory>

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/ui/EditBox.h"
#include "client/ui/Image.h"

namespace kestrovan {

EditBox* AddTextEntry(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t maxBytes, uint32_t colour,
                      std::optional<EntryBackground> background) {
    if (background) {
        parent.CreateImage(x, y, w, h, background->texture, background->srcX, background->srcY)->SetAcceptsMouse(false);
    }
    auto box = std::make_unique<EditBox>();
    box->Create(x, y, w, h);
    box->SetSkin(kCommonTexture, 609, 68, 2, 14);
    box->SetFont(&UiFontAt(UiFont::Regular12), maxBytes, colour);
    return static_cast<EditBox*>(parent.AddChild(std::move(box), true));
}

}  // namespace kestrovan
