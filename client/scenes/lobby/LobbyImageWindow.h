#pragma once
// The lobby's large picture window: one picture on the lobby's texture 8 and a close button (Enter) that
// hides the window and posts LobbyEvent1073. The lobby creates it hidden; what shows it is not the lobby's.
//
// Threads: only a screen's entries call it (client/app/Scene.h).
#include <cstdint>

#include "client/scenes/common/PopupWindow.h"

namespace kestrovan {

class Image;

class LobbyImageWindow : public PopupWindow {
public:
    static constexpr int32_t kWidth = 742;
    static constexpr int32_t kHeight = 596;

    explicit LobbyImageWindow(EventPoster poster);

    Image* Picture() const { return picture_; }

    bool OnEvent(Widget* source, int32_t a, int32_t b) override;

private:
    EventPoster poster_;
    Image* picture_ = nullptr;
};

}  // namespace kestrovan
