#include "client/app/WindowFrameAreas.h"

#include "platform/window/PixelImage.h"

namespace kestrovan {
namespace {

constexpr int kDragBandHeight = 25;
constexpr int kDragBandRightMargin = 300;
constexpr int kCornerGripSize = 10;
constexpr int kEdgeGripSize = 5;

}  // namespace

bool InDragBand(platform::PixelPoint client, ScreenSize screen) {
    return client.y < kDragBandHeight && client.x < screen.width - kDragBandRightMargin;
}

ResizeGrip GripAt(platform::PixelPoint client, ScreenSize screen) {
    const int w = screen.width;
    const int h = screen.height;
    if (platform::PixelRect{w - kCornerGripSize, h - kCornerGripSize, w, h}.Contains(client)) {
        return ResizeGrip{ResizeMode::Both, platform::SystemCursor::SizeNwse};
    }
    if (platform::PixelRect{w - kEdgeGripSize, 0, w, h}.Contains(client)) {
        return ResizeGrip{ResizeMode::Width, platform::SystemCursor::SizeWe};
    }
    if (platform::PixelRect{0, h - kEdgeGripSize, w, h}.Contains(client)) {
        return ResizeGrip{ResizeMode::Height, platform::SystemCursor::SizeNs};
    }
    return ResizeGrip{};
}

}  // namespace kestrovan
