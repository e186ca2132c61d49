#include "client/scenes/common/TextEntry.h"

#include <memory>

#include "client/app/UiFonts.h"
#include "client/app/UiTextures.h"
#include "client/scenes/common/PopupWindow.h"
#include "client/ui/EditBox.h"

namespace kestrovan {

EditBox* AddTextEntry(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t maxBytes, uint32_t colour,
                      std::optional<EntryBackground> background) {
    auto box = std::make_unique<EditBox>();
    box->Create(x, y, w, h);
    box->SetSkin(kCommonTexture, 609, 68, 2, 14);
    if (background)
        box->SetImage(background->texture, background->srcX, background->srcY, -1, -1, 1.0f, 1.0f);
    box->SetFont(&UiFontAt(UiFont::Regular12), maxBytes, colour);
    return static_cast<EditBox*>(parent.AddChild(std::move(box), true));
}

}  // namespace kestrovan
