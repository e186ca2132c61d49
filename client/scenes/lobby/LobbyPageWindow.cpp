#include "client/scenes/lobby/LobbyPageWindow.h"

#include "QuillLib/core/AppEventId.h"
#include "client/app/SoundIds.h"
#include "client/scenes/lobby/LobbyWidgets.h"
#include "client/ui/Image.h"
#include "platform/window/VirtualKey.h"

namespace kestrovan {

namespace {

constexpr int32_t kFaceTexture = 9;
constexpr int32_t kPictureTextures = 3;
constexpr int32_t kCancelTile = 170;
constexpr int32_t kShopButtonTile = 85;

}  // namespace

LobbyPageWindow::LobbyPageWindow(EventPoster poster)
    : PopupWindow(0, 0, kWidth, kHeight, Face{kFaceTexture, 0, 0}, sound_id::kWindowOpen, sound_id::kPopup),
      poster_(std::move(poster)) {
    for (size_t n = 0; n < kPairs; ++n) {
        const int32_t texture = lobby_texture::kFirstPicture + static_cast<int32_t>(n) % kPictureTextures;
        left_[n] = CreateImage(22, 223, 218, 331, texture, 0, 0);
        right_[n] = CreateImage(276, 212, 448, 353, texture, 218, 0);
        for (Image* picture : {left_[n], right_[n]}) {
            picture->SetAcceptsMouse(false);
            picture->Show(false);
        }
    }
    AddButton(kClose, 500, 566, platform::Vk::Escape, kCancelTile, u"Close", kCommonTexture, 0, 101, 23);
    AddButton(kToShop, 610, 566, platform::Vk::Return, kShopButtonTile, u"Item Shop", kCommonTexture, 0, 101, 23);
}

void LobbyPageWindow::ShowPair(size_t n) {
    for (size_t k = 0; k < kPairs; ++k) {
        left_[k]->Show(k == n);
        right_[k]->Show(k == n);
    }
}

bool LobbyPageWindow::OnEvent(Widget* source, int32_t a, int32_t b) {
    const int32_t id = source != nullptr ? source->GetId() : -1;
    if (id == kClose || id == kToShop) {
        SetVisible(false);
        if (id == kToShop && poster_) poster_(quill::AppEventId::LobbyListRequest, 0, 0, 0);
        return true;
    }
    return PopupWindow::OnEvent(source, a, b);
}

}  // namespace kestrovan
