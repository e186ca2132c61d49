#include "client/scenes/common/OptionCheckBox.h"

#include "client/app/UiTextures.h"
#include "client/ui/Button.h"
#include "client/ui/Image.h"

namespace kestrovan {

namespace {

constexpr int32_t kBoxWidth = 31;
constexpr int32_t kBoxHeight = 18;
constexpr int32_t kCaptionWidth = 57;
constexpr int32_t kCaptionHeight = 22;
constexpr int32_t kCaptionY = 741;

}  // namespace

Button* AddOptionCheckBox(Widget& parent, int32_t x, int32_t y, int32_t id, int32_t captionX) {
    Button* box = parent.CreateButton(x, y, kBoxWidth, kBoxHeight, id, -1, kCommonTexture, 668, 0);
    box->SetCheckBox();
    box->SetSecondRect(x - 2, y, kBoxWidth + kCaptionWidth + 2, kCaptionHeight);
    // The caption belongs to the box: it goes when an option is not offered.
    Image* caption = box->CreateImage(kBoxWidth, -2, kCaptionWidth, kCaptionHeight, kPopupTexture, captionX, kCaptionY);
    caption->SetAcceptsMouse(false);
    return box;
}

}  // namespace kestrovan
