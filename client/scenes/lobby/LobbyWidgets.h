#pragma once
// The lobby's captioned buttons and scroll bars, as its panels lay them out.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

namespace kestrovan {

class Button;
class ScrollBar;
class Widget;

namespace lobby_texture {
inline constexpr int32_t kLobby = 5;
// The first of the lobby's picture textures (its event pages; the ranking chart's column captions).
inline constexpr int32_t kFirstPicture = 7;
}  // namespace lobby_texture

// A button of the lobby's textures; our pictures carry no words, so a caption says what it does.
Button* AddLobbyButton(Widget& parent, int32_t x, int32_t y, int32_t w, int32_t h, int32_t id, int32_t key,
                       int32_t texture, int32_t srcX, int32_t srcY, const char16_t* caption);
// A vertical scroll bar h pixels high in the lobby's skin.
ScrollBar* AddLobbyScrollBar(Widget& parent, int32_t x, int32_t y, int32_t h, int32_t id);

}  // namespace kestrovan
