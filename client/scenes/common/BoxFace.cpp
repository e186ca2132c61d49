#include "client/scenes/common/BoxFace.h"

#include <cstdint>

#include "client/app/UiTextures.h"
#include "client/scenes/common/PopupWindow.h"
#include "client/ui/Widget.h"

namespace kestrovan {

void StretchBoxFace(Widget& widget) {
    constexpr int32_t kFaceWidth = 400;
    constexpr int32_t kFaceHeight = 250;
    widget.SetImage(kCommonTexture, 0, PopupWindow::kFaceY, kFaceWidth, kFaceHeight,
                    static_cast<float>(widget.Width()) / kFaceWidth, static_cast<float>(widget.Height()) / kFaceHeight);
}

}  // namespace kestrovan
