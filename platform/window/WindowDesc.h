#pragma once
// What the main window is created with.
#include <optional>

#include "platform/system/WString.h"
#include "platform/window/PixelImage.h"
#include "platform/window/PixelRect.h"

namespace platform {

struct WindowDesc {
    WString title;
    PixelRect rect;             // on the screen; the window has no frame, so this is also its client area
    bool fullScreen = false;    // cover the whole desktop
    bool doubleClicks = false;  // the second press of a double click arrives as a double-click message
    bool visible = true;
    std::optional<PixelImage> icon;
};

}  // namespace platform
