#pragma once
// The areas of the borderless windowed frame, for a screen of the App's size: the drag band along the
// top that moves the window, and the three grips that resize it, with the resize mode and the system
// cursor of each grip.
#include <cstdint>

#include "platform/window/PixelRect.h"
#include "client/app/MainWindowHost.h"

namespace kestrovan {

namespace ResizeMode {
inline constexpr uint32_t None = 0;
inline constexpr uint32_t Width = 11;
inline constexpr uint32_t Height = 15;
inline constexpr uint32_t Both = 17;
}  // namespace ResizeMode

// The smallest windowed size the grips allow.
inline constexpr int kMinimumWindowWidth = 1024;
inline constexpr int kMinimumWindowHeight = 768;

struct ResizeGrip {
    uint32_t mode = ResizeMode::None;  // None: the point is on no grip
    uint32_t cursor = 0;               // the system cursor shown over the grip
};

// y < 25 and x < width - 300.
bool InDragBand(platform::PixelPoint client, ScreenSize screen);
// The corner grip first, then the right and the bottom one.
ResizeGrip GripAt(platform::PixelPoint client, ScreenSize screen);

}  // namespace kestrovan
