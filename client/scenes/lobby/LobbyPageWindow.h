#pragma once
// The lobby's large page window: five pairs of pictures (a narrow one on the left, a wide one on the right,
// from the lobby's textures 7 to 9), all hidden until a pair is shown; Close (Esc) hides the window, and
// the shop button (Enter) hides it and posts LobbyListRequest, the lobby's way to the shop. The lobby
// creates it hidden.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <array>
#include <cstdint>

#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class Image;

class LobbyPageWindow : public PopupWindow {
public:
    static constexpr int32_t kWidth = 742;
    static constexpr int32_t kHeight = 596;
    static constexpr int32_t kToShop = 2050;
    static constexpr size_t kPairs = 5;

    explicit LobbyPageWindow(EventPoster poster);

    // Shows pair n (0..4) and hides the others; any other n hides them all.
    void ShowPair(size_t n);
    Image* LeftPicture(size_t n) const { return left_[n]; }
    Image* RightPicture(size_t n) const { return right_[n]; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    EventPoster poster_;
    std::array<Image*, kPairs> left_{};
    std::array<Image*, kPairs> right_{};
};

}  // namespace kestrovan
