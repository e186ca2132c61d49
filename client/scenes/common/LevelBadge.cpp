#include "client/scenes/common/LevelBadge.h"

#include <algorithm>

#include "client/app/UiTextures.h"
#include "client/ui/Image.h"
#include "client/ui/Widget.h"

namespace kestrovan {

namespace {

constexpr int32_t kRow = 941;
constexpr int32_t kSize = 22;
constexpr int32_t kLastCell = 45;  // the strip's last whole cell in a 1024-pixel row

}  // namespace

Image* LevelBadge::AddTo(Widget& parent, int32_t x, int32_t y) {
    return parent.CreateImage(x, y, kSize, kSize, kCommonTexture, 0, kRow);
}

void LevelBadge::ShowLevel(Image& badge, int32_t level) {
    if (level >= 1) badge.SetSourceRect(std::min(level - 1, kLastCell) * kSize, kRow, -1, -1);
    badge.Show(level >= 1);
}

}  // namespace kestrovan
