#include "client/scenes/shop/ShopBackdrop.h"

#include <algorithm>
#include <cmath>

#include "QuillLib/render/RenderSceneManager.h"
#include "client/scenes/shop/ShopWidgets.h"
#include "client/ui/Image.h"

namespace kestrovan {

namespace {

constexpr int32_t kBackgroundTexture = 29;
constexpr float kScrollStep = 0.1f;
// Tiles for screens up to 2560 x 1600.
constexpr int32_t kMaxTileColumns = 14;
constexpr int32_t kMaxTileRows = 10;
constexpr const char16_t* kBlankScene = u"aa";

}  // namespace

void ShopBackdrop::BuildTiles(Widget& screen) {
    for (int32_t n = 0; n < kMaxTileColumns * kMaxTileRows; ++n) {
        Image* tile = screen.CreateImage(0, 0, kTile, kTile, kBackgroundTexture, 0, 0);
        tile->SetAcceptsMouse(false);
        tiles_.push_back(tile);
    }
}

void ShopBackdrop::BuildTopBar(Widget& screen) {
    topBar_ = screen.CreateImage(0, 0, 1024, 103, kShopTexture, 0, 0, 1019, 103);
    topBar_->SetAcceptsMouse(false);
    stretch_ = screen.CreateImage(1019, 0, 5, 103, kShopTexture, 1019, 0, 5, 103);
}

void ShopBackdrop::Resize(int32_t width, int32_t height) {
    const float stretch = width > 1024 ? static_cast<float>(width - 1019) / 5.0f : 1.0f;
    stretch_->SetScale(stretch, 1.0f);
    PlaceTiles(width, height);
}

void ShopBackdrop::PlaceTiles(int32_t width, int32_t height) {
    // One more column and row than (size / 256 + 1.5), as they start a tile before the screen's edge.
    const int32_t columns = std::min(kMaxTileColumns - 1, static_cast<int32_t>(width / kTile + 1.5) + 1);
    const int32_t rows = std::min(kMaxTileRows - 1, static_cast<int32_t>(height / kTile + 1.5) + 1);
    const int32_t offset = static_cast<int32_t>(std::fmod(offset_.load(), static_cast<float>(kTile)));
    // The tiles drift left and down: the first column starts at -256 - offset, the first row at offset - 256.
    for (size_t n = 0; n < tiles_.size(); ++n) {
        const int32_t column = static_cast<int32_t>(n) % kMaxTileColumns;
        const int32_t row = static_cast<int32_t>(n) / kMaxTileColumns;
        tiles_[n]->SetPosition(-kTile - offset + column * kTile, offset - kTile + row * kTile);
        tiles_[n]->Show(column <= columns && row <= rows);
    }
}

void ShopBackdrop::Drift() {
    offset_ = offset_ + kScrollStep;
}

void ShopBackdrop::SelectBlankScene(quill::RenderSceneManager* scenes) {
    if (scenes == nullptr) return;
    // One blank scene serves every visit: it is made on the first and found again afterwards.
    for (uint16_t n = 0; blankScene_ != nullptr && n < scenes->GetSceneCount(); ++n) {
        if (scenes->GetScene(n) == blankScene_) {
            scenes->SelectScene(n);
            return;
        }
    }
    blankScene_ = scenes->CreateBlankScene(kBlankScene);
    if (blankScene_ == nullptr) return;
    ++blankScenesCreated_;
    scenes->SelectScene(static_cast<uint16_t>(scenes->GetSceneCount() - 1));
}

}  // namespace kestrovan
