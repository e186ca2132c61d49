#include "client/scenes/lobby/LobbyWidgets.h"

#include <memory>

#include "client/scenes/common/ButtonCaption.h"
#include "client/ui/Button.h"
#include "client/ui/ScrollBar.h"
#include "client/ui/UiColours.h"

namespace kestrovan {

Button* AddLobbyButton(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t key,
                       int32_t texture, int32_t srcX, int32_t srcY, const char16_t* caption) {
    Button* button = parent.CreateButton(x, y, w, h, id, key, texture, srcX, srcY);
    SetCentredCaption(*button, caption, kWhite);
    return button;
}

ScrollBar* AddLobbyScrollBar(Widget& parent, int32_t x, int32_t y, int32_t h, int32_t id) {
    return ScrollBar::AddTo(parent, ScrollBarPlace{x, y, 16, h, id},
                            ScrollBarArt{lobby_texture::kLobby, {736, 32, 16, h}, {736, 350, 16, 16}, {752, 350, 16, 16},
                                         {768, 282, 16, 28}, 0});
}

}  // namespace kestrovan
